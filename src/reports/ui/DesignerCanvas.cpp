#include "reports/ui/DesignerCanvas.h"

#include "reports/ui/DesignerEdits.h"

#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

#include <cmath>

namespace {
constexpr double CaptionPx = 16;
constexpr double HandlePx = 7;

QColor bandColour(ReportBandKind kind)
{
    switch (kind) {
    case ReportBandKind::Title:
    case ReportBandKind::Summary: return QColor(0xfd, 0xf3, 0xe1);
    case ReportBandKind::PageHeader:
    case ReportBandKind::PageFooter: return QColor(0xe8, 0xf0, 0xfb);
    case ReportBandKind::ColumnHeader: return QColor(0xee, 0xee, 0xf6);
    case ReportBandKind::GroupHeader:
    case ReportBandKind::GroupFooter: return QColor(0xe9, 0xf6, 0xea);
    default: return QColor(Qt::white);
    }
}

Qt::Alignment qtAlign(const ReportElement& e)
{
    Qt::Alignment a;
    switch (e.hAlign) {
    case ReportHAlign::Left: a |= Qt::AlignLeft; break;
    case ReportHAlign::Center: a |= Qt::AlignHCenter; break;
    case ReportHAlign::Right: a |= Qt::AlignRight; break;
    case ReportHAlign::Justify: a |= Qt::AlignJustify; break;
    }
    switch (e.vAlign) {
    case ReportVAlign::Top: a |= Qt::AlignTop; break;
    case ReportVAlign::Middle: a |= Qt::AlignVCenter; break;
    case ReportVAlign::Bottom: a |= Qt::AlignBottom; break;
    }
    return a;
}

// Scene-wide gesture state shared by the element items.
struct DragState {
    bool moving = false;
    QPointF pressScene;
};

class ElementItem;

class ResizeHandle : public QGraphicsRectItem {
public:
    ResizeHandle(DesignerCanvas& canvas, DesignerElementRef ref, QRectF elementRect, QGraphicsItem* parent)
        : QGraphicsRectItem(-HandlePx / 2, -HandlePx / 2, HandlePx, HandlePx, parent), m_canvas(canvas), m_ref(ref),
          m_rect(elementRect)
    {
        setPos(elementRect.bottomRight());
        setBrush(QColor(0x1f, 0x5f, 0xbf));
        setPen(QPen(Qt::white));
        setCursor(Qt::SizeFDiagCursor);
        setZValue(10);
        setAcceptedMouseButtons(Qt::LeftButton);
    }

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override { m_press = event->scenePos(); event->accept(); }
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override
    {
        setPos(m_rect.bottomRight() + event->scenePos() - m_press);
    }
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override
    {
        const double ppm = m_canvas.pixelsPerMm();
        const QPointF d = event->scenePos() - m_press;
        double w = (m_rect.width() + d.x()) / ppm;
        double h = (m_rect.height() + d.y()) / ppm;
        if (m_canvas.snapToGrid()) {
            w = DesignerEdits::snap(w, m_canvas.gridMm());
            h = DesignerEdits::snap(h, m_canvas.gridMm());
        }
        m_canvas.finishElementResize(m_ref, w, h);
    }

private:
    DesignerCanvas& m_canvas;
    DesignerElementRef m_ref;
    QRectF m_rect;
    QPointF m_press;
};

class ElementItem : public QGraphicsItem {
public:
    ElementItem(DesignerCanvas& canvas, const ReportElement& element, DesignerElementRef ref, double ppm)
        : m_canvas(canvas), m_element(element), m_ref(ref), m_ppm(ppm)
    {
        setFlags(ItemIsSelectable | ItemIsMovable | ItemIsFocusable | ItemSendsGeometryChanges);
        setData(0, ref.band);
        setData(1, ref.element);
        setToolTip(m_element.name);
    }
    DesignerElementRef ref() const { return m_ref; }
    QRectF boundingRect() const override
    {
        const double w = std::max(m_element.widthMm * m_ppm, 3.0);
        const double h = std::max(m_element.heightMm * m_ppm, 3.0);
        return QRectF(-1, -1, w + 2, h + 2);
    }
    void paint(QPainter* p, const QStyleOptionGraphicsItem*, QWidget*) override
    {
        paintDesignerElement(*p, m_element, m_ppm);
        if (isSelected()) {
            p->setPen(QPen(QColor(0x1f, 0x5f, 0xbf), 1, Qt::DashLine));
            p->setBrush(Qt::NoBrush);
            p->drawRect(QRectF(0, 0, std::max(m_element.widthMm * m_ppm, 3.0), std::max(m_element.heightMm * m_ppm, 3.0)));
        }
    }

protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant& value) override
    {
        if (change == ItemPositionChange && m_canvas.snapToGrid() && m_dragging) {
            // snap the moving element's own position (in the band's millimetres)
            const QPointF p = value.toPointF();
            const double step = m_canvas.gridMm() * m_ppm;
            const QPointF origin = m_origin;
            const QPointF d = p - origin;
            return origin + QPointF(std::round(d.x() / step) * step, std::round(d.y() / step) * step);
        }
        return QGraphicsItem::itemChange(change, value);
    }
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override
    {
        if (m_canvas.placingKind() >= 0) {
            event->ignore();
            return;
        }
        QGraphicsItem::mousePressEvent(event);
        m_dragging = true;
        m_origin = pos();
        for (QGraphicsItem* it : scene()->selectedItems())
            it->setData(2, it->pos());
    }
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override
    {
        QGraphicsItem::mouseReleaseEvent(event);
        if (!m_dragging)
            return;
        m_dragging = false;
        const QPointF moved = pos() - m_origin;
        if (std::abs(moved.x()) < 0.5 && std::abs(moved.y()) < 0.5)
            return;
        m_canvas.finishElementDrag(QPointF(moved.x() / m_ppm, moved.y() / m_ppm));
    }

private:
    DesignerCanvas& m_canvas;
    ReportElement m_element;   // drawn as it was when the scene was built
    DesignerElementRef m_ref;
    double m_ppm;
    bool m_dragging = false;
    QPointF m_origin;
};

class BandItem : public QGraphicsRectItem {
public:
    BandItem(DesignerCanvas& canvas, DesignerDocument& document, int band, QRectF rect)
        : QGraphicsRectItem(rect), m_canvas(canvas), m_document(document), m_band(band)
    {
        setZValue(-1);
        setAcceptedMouseButtons(Qt::LeftButton);
    }

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override
    {
        QPointF mm;
        if (m_canvas.placingKind() >= 0 && m_canvas.bandAt(event->scenePos(), &mm) == m_band) {
            emit m_canvas.placeRequested(m_band, mm);
            event->accept();
            return;
        }
        if (!(event->modifiers() & Qt::ControlModifier))
            scene()->clearSelection();
        m_document.selectBand(m_band);
        event->ignore();   // the view starts a rubber band
    }

private:
    DesignerCanvas& m_canvas;
    DesignerDocument& m_document;
    int m_band;
};

class BandResizeHandle : public QGraphicsRectItem {
public:
    BandResizeHandle(DesignerCanvas& canvas, int band, double bottomPx, double widthPx, double heightMm)
        : QGraphicsRectItem(0, -3, widthPx, 6), m_canvas(canvas), m_band(band), m_heightMm(heightMm)
    {
        setPos(0, bottomPx);
        setPen(Qt::NoPen);
        setBrush(Qt::transparent);
        setCursor(Qt::SizeVerCursor);
        setZValue(5);
        setToolTip(QStringLiteral("Povlecite za višino pasu"));
    }

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override
    {
        m_press = event->scenePos();
        m_startY = pos().y();
        setBrush(QColor(0x1f, 0x5f, 0xbf, 120));
        event->accept();
    }
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override { setPos(0, m_startY + event->scenePos().y() - m_press.y()); }
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override
    {
        double h = m_heightMm + (event->scenePos().y() - m_press.y()) / m_canvas.pixelsPerMm();
        if (m_canvas.snapToGrid())
            h = DesignerEdits::snap(h, m_canvas.gridMm());
        m_canvas.finishBandResize(m_band, h);
    }

private:
    DesignerCanvas& m_canvas;
    int m_band;
    double m_heightMm;
    QPointF m_press;
    double m_startY = 0;
};
} // namespace

QString designerElementText(const ReportElement& e)
{
    switch (e.kind) {
    case ReportElementKind::Label:
    case ReportElementKind::Memo: return e.text;
    case ReportElementKind::DataField:
        return QStringLiteral("[") + (e.dataSet.isEmpty() ? QString() : e.dataSet + QStringLiteral(".")) + e.field
               + QStringLiteral("]");
    case ReportElementKind::Expression: return QStringLiteral("=") + e.expression;
    case ReportElementKind::SystemData:
        switch (e.systemData) {
        case ReportSystemDataKind::PageNumber: return QStringLiteral("#");
        case ReportSystemDataKind::PageCount: return QStringLiteral("##");
        case ReportSystemDataKind::PageNumberOfCount: return QStringLiteral("Stran # od ##");
        case ReportSystemDataKind::Date: return QStringLiteral("dd.mm.llll");
        case ReportSystemDataKind::Time: return QStringLiteral("hh:mm");
        case ReportSystemDataKind::DateTime: return QStringLiteral("dd.mm.llll hh:mm");
        case ReportSystemDataKind::ReportTitle: return QStringLiteral("<naslov izpisa>");
        case ReportSystemDataKind::ReportName: return QStringLiteral("<ime izpisa>");
        case ReportSystemDataKind::CompanyName: return QStringLiteral("<podjetje>");
        case ReportSystemDataKind::RowNumber: return QStringLiteral("<št. vrstice>");
        }
        return QString();
    default: return QString();
    }
}

void paintDesignerElement(QPainter& p, const ReportElement& e, double ppm)
{
    const QRectF r(0, 0, e.widthMm * ppm, e.heightMm * ppm);
    p.save();
    if (e.backgroundColour.isValid() && e.kind != ReportElementKind::Line)
        p.fillRect(r, e.backgroundColour);
    const QPen linePen(e.frame.colour.isValid() ? e.frame.colour : QColor(Qt::black), std::max(1.0, e.lineWidthMm * ppm));
    switch (e.kind) {
    case ReportElementKind::Line:
        p.setPen(linePen);
        p.drawLine(r.topLeft(), r.bottomRight());
        break;
    case ReportElementKind::Rectangle:
        p.setPen(linePen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(r);
        break;
    case ReportElementKind::Image: {
        QImage image;
        if (!e.imageData.isEmpty() && image.loadFromData(e.imageData)) {
            QRectF target = r;
            if (e.keepAspect && image.width() > 0 && image.height() > 0) {
                const QSizeF s = QSizeF(image.size()).scaled(r.size(), Qt::KeepAspectRatio);
                target = QRectF(r.topLeft(), s);
            }
            p.drawImage(target, image);
        } else {
            p.setPen(QPen(Qt::gray, 1, Qt::DotLine));
            p.drawRect(r);
            p.drawText(r, Qt::AlignCenter, QStringLiteral("slika"));
        }
        break;
    }
    default: {
        QFont font(e.font.family);
        font.setPixelSize(std::max(1, int(std::lround(e.font.pointSize * 25.4 / 72.0 * ppm))));
        font.setBold(e.font.bold);
        font.setItalic(e.font.italic);
        font.setUnderline(e.font.underline);
        p.setFont(font);
        p.setPen(e.kind == ReportElementKind::Label || e.kind == ReportElementKind::Memo ? e.textColour
                                                                                          : QColor(0x10, 0x40, 0x90));
        int flags = int(qtAlign(e));
        if (e.wordWrap || e.kind == ReportElementKind::Memo)
            flags |= Qt::TextWordWrap;
        p.setClipRect(r.adjusted(-1, -1, 1, 1));
        p.drawText(r, flags, designerElementText(e));
        p.setClipping(false);
        if (!e.frame.any()) {
            p.setPen(QPen(QColor(0xb0, 0xb0, 0xb0), 0, Qt::DotLine));
            p.drawRect(r);
        }
        break;
    }
    }
    if (e.frame.any() && e.kind != ReportElementKind::Line && e.kind != ReportElementKind::Rectangle) {
        p.setPen(QPen(e.frame.colour, std::max(1.0, e.frame.widthMm * ppm)));
        if (e.frame.left) p.drawLine(r.topLeft(), r.bottomLeft());
        if (e.frame.top) p.drawLine(r.topLeft(), r.topRight());
        if (e.frame.right) p.drawLine(r.topRight(), r.bottomRight());
        if (e.frame.bottom) p.drawLine(r.bottomLeft(), r.bottomRight());
    }
    if (!e.printCondition.trimmed().isEmpty()) {
        p.setPen(QColor(0xc0, 0x60, 0x00));
        p.drawText(QRectF(r.right() - 10, r.top(), 10, 10), Qt::AlignCenter, QStringLiteral("?"));
    }
    p.restore();
}

DesignerCanvas::DesignerCanvas(DesignerDocument& document, QWidget* parent)
    : QGraphicsView(parent), m_document(document), m_scene(new QGraphicsScene(this))
{
    setObjectName(QStringLiteral("DesignerCanvas"));
    setScene(m_scene);
    setDragMode(QGraphicsView::RubberBandDrag);
    setRenderHint(QPainter::Antialiasing);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setBackgroundBrush(QColor(0x9a, 0x9a, 0xa0));
    setFocusPolicy(Qt::StrongFocus);
    // The scene is drawn again after the event that changed the document has ended (an item must
    // not be deleted inside its own mouse handler).
    connect(&m_document, &DesignerDocument::changed, this, [this] { schedule(true); });
    connect(&m_document, &DesignerDocument::selectionChanged, this, [this] { schedule(false); });
    connect(m_scene, &QGraphicsScene::selectionChanged, this, &DesignerCanvas::syncSelectionFromScene);
    rebuild();
}

void DesignerCanvas::schedule(bool rebuildScene)
{
    m_rebuildPending = m_rebuildPending || rebuildScene;
    if (m_flushQueued)
        return;
    m_flushQueued = true;
    QMetaObject::invokeMethod(this, &DesignerCanvas::flush, Qt::QueuedConnection);
}

void DesignerCanvas::flush()
{
    m_flushQueued = false;
    if (m_rebuildPending) {
        m_rebuildPending = false;
        rebuild();
    } else {
        syncSelectionToScene();
    }
}

double DesignerCanvas::pixelsPerMm() const { return 96.0 / 25.4 * m_zoom; }

void DesignerCanvas::setGridMm(double step)
{
    m_gridMm = step > 0 ? step : 1.0;
    viewport()->update();
}

void DesignerCanvas::setZoom(double factor)
{
    m_zoom = std::clamp(factor, 0.25, 4.0);
    schedule(true);
}

std::vector<double> DesignerCanvas::bandTopsMm() const
{
    std::vector<double> out;
    for (double px : m_bandTopsPx)
        out.push_back(px / pixelsPerMm());
    return out;
}

QPointF DesignerCanvas::scenePos(int band, QPointF mm) const
{
    if (band < 0 || band >= int(m_bandTopsPx.size()))
        return {};
    return QPointF(mm.x() * pixelsPerMm(), m_bandTopsPx[size_t(band)] + mm.y() * pixelsPerMm());
}

int DesignerCanvas::bandAt(QPointF p, QPointF* mm) const
{
    const ReportDefinition& d = m_document.definition();
    const double ppm = pixelsPerMm();
    for (int i = 0; i < int(m_bandTopsPx.size()) && i < int(d.bands.size()); ++i) {
        const double top = m_bandTopsPx[size_t(i)];
        const double bottom = top + d.bands[size_t(i)].heightMm * ppm;
        if (p.y() >= top - CaptionPx && p.y() <= bottom) {
            if (mm)
                *mm = QPointF(std::max(0.0, p.x() / ppm), std::max(0.0, (p.y() - top) / ppm));
            return i;
        }
    }
    return -1;
}

void DesignerCanvas::rebuild()
{
    m_syncing = true;
    m_scene->clear();
    m_bandTopsPx.clear();
    const ReportDefinition& d = m_document.definition();
    const double ppm = pixelsPerMm();
    const double width = d.page.printableWidthMm() * ppm;
    double y = 0;
    QFont captionFont = font();
    captionFont.setPixelSize(11);
    for (int b = 0; b < int(d.bands.size()); ++b) {
        const ReportBand& band = d.bands[size_t(b)];
        auto* caption = m_scene->addRect(QRectF(0, y, width, CaptionPx), Qt::NoPen, QColor(0x55, 0x5d, 0x6b));
        caption->setZValue(-2);
        QString text = reportBandKindCaption(band.kind) + QStringLiteral(": ") + band.name;
        if (!band.groupExpression.isEmpty())
            text += QStringLiteral("  (") + band.groupExpression + QStringLiteral(")");
        if (!band.dataSet.isEmpty())
            text += QStringLiteral("  [") + band.dataSet + QStringLiteral("]");
        auto* label = m_scene->addSimpleText(text, captionFont);
        label->setBrush(m_document.selectedBand() == b ? QColor(0xff, 0xe0, 0x70) : QColor(Qt::white));
        label->setPos(4, y + 1);
        label->setZValue(-1);
        label->setAcceptedMouseButtons(Qt::NoButton);
        y += CaptionPx;
        m_bandTopsPx.push_back(y);
        const double h = band.heightMm * ppm;
        auto* strip = new BandItem(*this, m_document, b, QRectF(0, y, width, h));
        strip->setBrush(band.backgroundColour.isValid() ? band.backgroundColour : bandColour(band.kind));
        strip->setPen(QPen(m_document.selectedBand() == b ? QColor(0x1f, 0x5f, 0xbf) : QColor(0x80, 0x80, 0x80), 0));
        m_scene->addItem(strip);
        for (int e = 0; e < int(band.elements.size()); ++e) {
            const ReportElement& el = band.elements[size_t(e)];
            auto* item = new ElementItem(*this, el, {b, e}, ppm);
            item->setPos(el.leftMm * ppm, y + el.topMm * ppm);
            m_scene->addItem(item);
        }
        m_scene->addItem(new BandResizeHandle(*this, b, y + h, width, band.heightMm));
        y += h;
    }
    m_scene->setSceneRect(QRectF(-8, -8, width + 16, y + 40));
    m_syncing = false;
    syncSelectionToScene();
}

void DesignerCanvas::drawForeground(QPainter* painter, const QRectF& rect)
{
    // grid dots over the band strips (every grid step, at least 5 pixels apart)
    if (!m_showGrid)
        return;
    const ReportDefinition& d = m_document.definition();
    const double ppm = pixelsPerMm();
    double step = m_gridMm * ppm;
    while (step < 5)
        step *= 2;
    painter->setPen(QPen(QColor(0, 0, 0, 60), 0));
    const double width = d.page.printableWidthMm() * ppm;
    for (int b = 0; b < int(m_bandTopsPx.size()) && b < int(d.bands.size()); ++b) {
        const double top = m_bandTopsPx[size_t(b)];
        const double bottom = top + d.bands[size_t(b)].heightMm * ppm;
        if (bottom < rect.top() || top > rect.bottom())
            continue;
        for (double y = top; y <= bottom + 0.01; y += step)
            for (double x = 0; x <= width + 0.01; x += step)
                painter->drawPoint(QPointF(x, y));
    }
}

void DesignerCanvas::syncSelectionToScene()
{
    m_syncing = true;
    const auto& sel = m_document.selection();
    // remove old handles
    for (QGraphicsItem* it : m_scene->items())
        if (dynamic_cast<ResizeHandle*>(it))
            delete it;
    for (QGraphicsItem* it : m_scene->items()) {
        auto* el = dynamic_cast<ElementItem*>(it);
        if (!el)
            continue;
        const bool on = std::find(sel.begin(), sel.end(), el->ref()) != sel.end();
        el->setSelected(on);
        if (on && sel.size() == 1) {
            const ReportElement* e = m_document.element(el->ref());
            if (e)
                new ResizeHandle(*this, el->ref(),
                                 QRectF(0, 0, e->widthMm * pixelsPerMm(), e->heightMm * pixelsPerMm()), el);
        }
    }
    m_syncing = false;
}

void DesignerCanvas::syncSelectionFromScene()
{
    if (m_syncing)
        return;
    std::vector<DesignerElementRef> refs;
    for (QGraphicsItem* it : m_scene->selectedItems())
        if (auto* el = dynamic_cast<ElementItem*>(it))
            refs.push_back(el->ref());
    m_document.select(refs);
}

void DesignerCanvas::finishElementDrag(QPointF deltaMm)
{
    const std::vector<DesignerElementRef> sel = m_document.selection();
    if (sel.empty())
        return;
    std::vector<DesignerElementRef> after;
    const std::vector<double> tops = bandTopsMm();
    const bool changed = m_document.edit(QStringLiteral("Premik"), [&](ReportDefinition& d) {
        after = DesignerEdits::moveElements(d, sel, deltaMm, tops);
    });
    if (changed)
        m_document.select(after);
    else
        schedule(true);
}

void DesignerCanvas::moveSelection(QPointF deltaMm)
{
    const std::vector<DesignerElementRef> sel = m_document.selection();
    if (sel.empty())
        return;
    std::vector<DesignerElementRef> after;
    if (m_document.edit(QStringLiteral("Premik"), [&](ReportDefinition& d) { after = DesignerEdits::moveElements(d, sel, deltaMm); }))
        m_document.select(after);
}

void DesignerCanvas::resizeSelection(QPointF deltaMm)
{
    const std::vector<DesignerElementRef> sel = m_document.selection();
    if (sel.empty())
        return;
    m_document.edit(QStringLiteral("Velikost"), [&](ReportDefinition& d) {
        for (const DesignerElementRef& r : sel)
            if (const ReportElement* e = m_document.element(r))
                DesignerEdits::resizeElement(d, r, e->widthMm + deltaMm.x(), e->heightMm + deltaMm.y());
    });
}

void DesignerCanvas::finishElementResize(const DesignerElementRef& ref, double widthMm, double heightMm)
{
    if (!m_document.edit(QStringLiteral("Velikost"),
                         [&](ReportDefinition& d) { DesignerEdits::resizeElement(d, ref, widthMm, heightMm); }))
        schedule(true);
}

void DesignerCanvas::finishBandResize(int band, double heightMm)
{
    if (!m_document.edit(QStringLiteral("Višina pasu"), [&](ReportDefinition& d) { DesignerEdits::setBandHeight(d, band, heightMm); }))
        schedule(true);
}

void DesignerCanvas::keyPressEvent(QKeyEvent* event)
{
    QPointF d;
    switch (event->key()) {
    case Qt::Key_Left: d = QPointF(-1, 0); break;
    case Qt::Key_Right: d = QPointF(1, 0); break;
    case Qt::Key_Up: d = QPointF(0, -1); break;
    case Qt::Key_Down: d = QPointF(0, 1); break;
    default: QGraphicsView::keyPressEvent(event); return;
    }
    // one grid step; with Ctrl a tenth of a millimetre; with Shift the size changes
    const double step = (event->modifiers() & Qt::ControlModifier) ? 0.1 : m_gridMm;
    if (event->modifiers() & Qt::ShiftModifier)
        resizeSelection(d * step);
    else
        moveSelection(d * step);
    event->accept();
}

void DesignerCanvas::mousePressEvent(QMouseEvent* event)
{
    setFocus();
    QGraphicsView::mousePressEvent(event);
}
