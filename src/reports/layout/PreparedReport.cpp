#include "reports/PreparedReport.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSaveFile>

#include <cmath>
#include <unordered_set>

namespace {

// Painting works in tenths of a millimetre, so that fonts are a few dozen units high.
constexpr double unitsPerMm = 10.0;
// Room between a text and the sides of its box (the layout wraps texts to the same width).
constexpr double textPadding = 0.5 * unitsPerMm;

}   // namespace

QFont PreparedFont::toQFont() const
{
    QFont f(family);
    f.setPointSizeF(pointSize > 0 ? pointSize : 9);
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    f.setKerning(false);
    f.setStyleStrategy(QFont::PreferOutline);
    return f;
}

QSizeF PreparedReport::pageSizeMm(int index) const
{
    if (index < 0 || index >= pageCount())
        return {};
    return m_pages[size_t(index)].sizeMm;
}

const PreparedPage& PreparedReport::page(int index) const
{
    return m_pages[size_t(index)];
}

QString PreparedReport::resolvedText(const QString& text, int pageIndex) const
{
    if (!text.contains(pageNumberMark) && !text.contains(pageCountMark))
        return text;
    QString out = text;
    out.replace(pageNumberMark, QString::number(pageIndex + 1));
    out.replace(pageCountMark, QString::number(pageCount()));
    return out;
}

void PreparedReport::paintPage(int index, QPainter& painter, const QRectF& target) const
{
    const QSizeF size = pageSizeMm(index);
    if (size.isEmpty() || target.isEmpty())
        return;
    const double scale = std::min(target.width() / size.width(), target.height() / size.height());
    painter.save();
    painter.translate(target.left() + (target.width() - size.width() * scale) / 2,
                      target.top() + (target.height() - size.height() * scale) / 2);
    paintPage(index, painter, scale);
    painter.restore();
}

void PreparedReport::paintPage(int index, QPainter& painter, double pixelsPerMm) const
{
    if (index < 0 || index >= pageCount() || pixelsPerMm <= 0)
        return;
    const PreparedPage& pg = m_pages[size_t(index)];
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.scale(pixelsPerMm / unitsPerMm, pixelsPerMm / unitsPerMm);
    const double dpi = painter.device() ? painter.device()->logicalDpiY() : 96.0;
    // A font of p points is p * 25.4 / 72 mm high; QPainter turns points into units through the
    // device's resolution, so the size is corrected by it.
    const double fontFactor = 25.4 * unitsPerMm / dpi;
    std::vector<QFont> fonts;
    fonts.reserve(m_fonts.size());
    for (const auto& f : m_fonts) {
        QFont qf = f.toQFont();
        qf.setPointSizeF(std::max(0.1, f.pointSize * fontFactor));
        fonts.push_back(qf);
    }
    auto unitRect = [](const QRectF& mm) {
        return QRectF(mm.left() * unitsPerMm, mm.top() * unitsPerMm, mm.width() * unitsPerMm, mm.height() * unitsPerMm);
    };
    auto pen = [](const QColor& c, float widthMm) {
        QPen p(c.isValid() ? c : QColor(Qt::black));
        p.setWidthF(std::max(0.01f, widthMm) * unitsPerMm);
        p.setCapStyle(Qt::FlatCap);
        return p;
    };
    bool* penChanged = nullptr;
    auto drawFrame = [&](const QRectF& r, quint8 sides, const QColor& colour, float widthMm) {
        if (!sides || widthMm <= 0)
            return;
        painter.setPen(pen(colour, widthMm));
        if (penChanged)
            *penChanged = false;
        if (sides == 15) {
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(r);
            return;
        }
        if (sides & 1) painter.drawLine(r.topLeft(), r.bottomLeft());
        if (sides & 2) painter.drawLine(r.topLeft(), r.topRight());
        if (sides & 4) painter.drawLine(r.topRight(), r.bottomRight());
        if (sides & 8) painter.drawLine(r.bottomLeft(), r.bottomRight());
    };

    int currentFont = -1;
    QColor currentColour;
    bool textPenSet = false;
    penChanged = &textPenSet;
    for (const PreparedPrimitive& item : pg.items) {
        const QRectF r = unitRect(item.rectMm);
        switch (item.kind) {
        case PreparedPrimitive::Kind::Text: {
            if (item.fill.isValid())
                painter.fillRect(r, item.fill);
            // Font and pen only when they change: most texts of a page share them.
            if (item.font < fonts.size() && item.font != currentFont) {
                painter.setFont(fonts[item.font]);
                currentFont = item.font;
            }
            const QColor colour = item.colour.isValid() ? item.colour : QColor(Qt::black);
            if (!textPenSet || colour != currentColour) {
                painter.setPen(colour);
                currentColour = colour;
                textPenSet = true;
            }
            painter.drawText(r.adjusted(textPadding, 0, -textPadding, 0), int(item.flags) & ~int(Qt::TextWordWrap),
                             resolvedText(item.text, index));
            drawFrame(r, item.frameSides, item.colour, item.penWidthMm);
            break;
        }
        case PreparedPrimitive::Kind::Line:
            painter.setPen(pen(item.colour, item.penWidthMm));
            textPenSet = false;
            painter.drawLine(r.topLeft(), r.bottomRight());
            break;
        case PreparedPrimitive::Kind::Rect:
            if (item.fill.isValid())
                painter.fillRect(r, item.fill);
            drawFrame(r, item.frameSides, item.colour, item.penWidthMm);
            break;
        case PreparedPrimitive::Kind::Image:
            if (item.image >= 0 && size_t(item.image) < m_images.size()) {
                QImage img;
                if (img.loadFromData(m_images[size_t(item.image)])) {
                    QRectF target = r;
                    if (item.flags & 1) {   // keep the aspect ratio, centred
                        const QSizeF s = QSizeF(img.size()).scaled(r.size(), Qt::KeepAspectRatio);
                        target = QRectF(r.center() - QPointF(s.width() / 2, s.height() / 2), s);
                    }
                    painter.drawImage(target, img);
                }
            }
            break;
        }
    }
    painter.restore();
}

int PreparedReport::addPage(const QSizeF& sizeMm)
{
    m_pages.push_back(PreparedPage{sizeMm, {}});
    return pageCount() - 1;
}

quint16 PreparedReport::fontIndex(const PreparedFont& font)
{
    for (size_t i = 0; i < m_fonts.size(); ++i)
        if (m_fonts[i] == font)
            return quint16(i);
    if (m_fonts.size() >= 65535)
        return 0;
    m_fonts.push_back(font);
    return quint16(m_fonts.size() - 1);
}

qint32 PreparedReport::addImage(const QByteArray& bytes)
{
    for (size_t i = 0; i < m_images.size(); ++i)
        if (m_images[i] == bytes)
            return qint32(i);
    m_images.push_back(bytes);
    return qint32(m_images.size() - 1);
}

void PreparedReport::clear()
{
    m_pages.clear();
    m_fonts.clear();
    m_images.clear();
    m_bands.clear();
    m_complete = false;
}

qint64 PreparedReport::approximateBytes() const
{
    // Texts are shared between a page's primitives, the band records and the definition (Qt's
    // implicit sharing): each buffer is counted once.
    std::unordered_set<const void*> seen;
    auto text = [&](const QString& t) -> qint64 {
        if (t.isEmpty() || !seen.insert(t.constData()).second)
            return 0;
        return qint64(t.capacity()) * 2 + 16;
    };
    qint64 total = sizeof(*this);
    for (const auto& p : m_pages) {
        total += sizeof(PreparedPage) + qint64(p.items.capacity() * sizeof(PreparedPrimitive));
        for (const auto& i : p.items)
            total += text(i.text);
    }
    for (const auto& img : m_images)
        total += img.size();
    for (const auto& b : m_bands) {
        total += sizeof(PreparedBand) + qint64(b.cells.capacity() * sizeof(PreparedCell)) + text(b.bandName);
        for (const auto& c : b.cells)
            total += text(c.text) + text(c.name) + (c.value.typeId() == QMetaType::QString ? text(c.value.toString()) : 0);
    }
    return total;
}

// ---- the ".QRP" file ----------------------------------------------------------------------

namespace {

constexpr quint32 fileMagic = 0x4F515250;   // "OQRP"
constexpr quint16 fileVersion = 2;   // 2: the cells' top within their band

}   // namespace

QByteArray PreparedReport::toBytes() const
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out << fileMagic << fileVersion << m_title << m_complete;
    out << quint32(m_fonts.size());
    for (const auto& f : m_fonts)
        out << f.family << f.pointSize << f.bold << f.italic << f.underline;
    out << quint32(m_images.size());
    for (const auto& i : m_images)
        out << i;
    out << quint32(m_pages.size());
    for (const auto& p : m_pages) {
        out << p.sizeMm << quint32(p.items.size());
        for (const auto& i : p.items)
            out << quint8(i.kind) << i.rectMm << i.text << i.font << i.flags << i.colour << i.fill
                << i.penWidthMm << i.frameSides << i.image;
    }
    out << quint32(m_bands.size());
    for (const auto& b : m_bands) {
        out << quint8(b.kind) << b.bandName << qint32(b.groupLevel) << qint32(b.page) << b.topMm << b.heightMm
            << quint32(b.cells.size());
        for (const auto& c : b.cells)
            out << c.name << c.value << c.text << quint8(c.kind) << c.leftMm << c.widthMm << c.hAlign << c.topMm;
    }
    return bytes;
}

std::optional<PreparedReport> PreparedReport::fromBytes(const QByteArray& bytes, QString* error)
{
    auto bad = [&](const QString& why) -> std::optional<PreparedReport> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0;
    quint16 version = 0;
    in >> magic >> version;
    if (in.status() != QDataStream::Ok || magic != fileMagic)
        return bad(QStringLiteral("Datoteka ni pripravljen izpis (.QRP)."));
    if (version > fileVersion)
        return bad(QStringLiteral("Izpis je shranila novejša različica programa (različica zapisa %1).").arg(version));
    PreparedReport r;
    in >> r.m_title >> r.m_complete;
    // Counts are checked against what is left in the file, so a damaged count cannot make us
    // reserve absurd amounts of memory.
    const auto countOk = [&](quint32 n, int minBytes) {
        return in.status() == QDataStream::Ok && qint64(n) * minBytes <= in.device()->bytesAvailable();
    };
    quint32 n = 0;
    in >> n;
    if (!countOk(n, 8))
        return bad(QStringLiteral("Datoteka izpisa je poškodovana."));
    for (quint32 i = 0; i < n; ++i) {
        PreparedFont f;
        in >> f.family >> f.pointSize >> f.bold >> f.italic >> f.underline;
        r.m_fonts.push_back(f);
    }
    in >> n;
    if (!countOk(n, 4))
        return bad(QStringLiteral("Datoteka izpisa je poškodovana."));
    for (quint32 i = 0; i < n; ++i) {
        QByteArray img;
        in >> img;
        r.m_images.push_back(img);
    }
    in >> n;
    if (!countOk(n, 20))
        return bad(QStringLiteral("Datoteka izpisa je poškodovana."));
    for (quint32 p = 0; p < n && in.status() == QDataStream::Ok; ++p) {
        PreparedPage page;
        quint32 items = 0;
        in >> page.sizeMm >> items;
        if (!countOk(items, 40) || page.sizeMm.width() <= 0 || page.sizeMm.height() <= 0
            || page.sizeMm.width() > 5000 || page.sizeMm.height() > 5000)
            return bad(QStringLiteral("Datoteka izpisa je poškodovana."));
        page.items.reserve(items);
        for (quint32 k = 0; k < items; ++k) {
            PreparedPrimitive i;
            quint8 kind = 0;
            in >> kind >> i.rectMm >> i.text >> i.font >> i.flags >> i.colour >> i.fill >> i.penWidthMm
               >> i.frameSides >> i.image;
            if (kind > quint8(PreparedPrimitive::Kind::Image) || i.font >= std::max<size_t>(1, r.m_fonts.size())
                || i.image >= qint32(r.m_images.size()))
                return bad(QStringLiteral("Datoteka izpisa je poškodovana."));
            i.kind = PreparedPrimitive::Kind(kind);
            page.items.push_back(std::move(i));
        }
        r.m_pages.push_back(std::move(page));
    }
    in >> n;
    if (!countOk(n, 30))
        return bad(QStringLiteral("Datoteka izpisa je poškodovana."));
    for (quint32 b = 0; b < n && in.status() == QDataStream::Ok; ++b) {
        PreparedBand band;
        quint8 kind = 0;
        qint32 level = 0, page = 0;
        quint32 cells = 0;
        in >> kind >> band.bandName >> level >> page >> band.topMm >> band.heightMm >> cells;
        if (kind > quint8(ReportBandKind::Child) || !countOk(cells, 20))
            return bad(QStringLiteral("Datoteka izpisa je poškodovana."));
        band.kind = ReportBandKind(kind);
        band.groupLevel = level;
        band.page = page;
        for (quint32 c = 0; c < cells; ++c) {
            PreparedCell cell;
            quint8 ck = 0;
            in >> cell.name >> cell.value >> cell.text >> ck >> cell.leftMm >> cell.widthMm >> cell.hAlign;
            if (version >= 2)
                in >> cell.topMm;
            if (ck > quint8(ReportFieldKind::Boolean))
                return bad(QStringLiteral("Datoteka izpisa je poškodovana."));
            cell.kind = ReportFieldKind(ck);
            band.cells.push_back(std::move(cell));
        }
        r.m_bands.push_back(std::move(band));
    }
    if (in.status() != QDataStream::Ok)
        return bad(QStringLiteral("Datoteka izpisa je poškodovana ali prekratka."));
    return r;
}

bool PreparedReport::saveToFile(const QString& path, QString* error) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = QStringLiteral("Izpisa ni mogoče shraniti v %1: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray bytes = toBytes();
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = QStringLiteral("Izpisa ni mogoče shraniti v %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

std::optional<PreparedReport> PreparedReport::loadFromFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Izpisa %1 ni mogoče odpreti: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    return fromBytes(file.readAll(), error);
}
