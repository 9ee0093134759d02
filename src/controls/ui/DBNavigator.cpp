#include "DBNavigator.h"

#include "controls/ControlTexts.h"
#include "controls/TwwDataSource.h"

#include "data/dataset/TwwOEDataSet.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace {
// The small pictures of the buttons, drawn so that they look alike on every platform.
QIcon navigatorIcon(DBNavigator::Button b, const QColor& color)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(color, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(color);
    auto triangle = [&](bool left, qreal x) {
        QPainterPath path;
        if (left) {
            path.moveTo(x + 5, 3);
            path.lineTo(x, 8);
            path.lineTo(x + 5, 13);
        } else {
            path.moveTo(x, 3);
            path.lineTo(x + 5, 8);
            path.lineTo(x, 13);
        }
        path.closeSubpath();
        p.drawPath(path);
    };
    switch (b) {
    case DBNavigator::First:
        p.drawLine(QPointF(4, 3), QPointF(4, 13));
        triangle(true, 6);
        break;
    case DBNavigator::Prior:
        triangle(true, 5);
        break;
    case DBNavigator::Next:
        triangle(false, 6);
        break;
    case DBNavigator::Last:
        triangle(false, 5);
        p.drawLine(QPointF(12, 3), QPointF(12, 13));
        break;
    case DBNavigator::Insert:
        p.drawLine(QPointF(8, 3), QPointF(8, 13));
        p.drawLine(QPointF(3, 8), QPointF(13, 8));
        break;
    case DBNavigator::Delete:
        p.drawLine(QPointF(3, 8), QPointF(13, 8));
        break;
    case DBNavigator::Edit: {
        QPainterPath path;
        path.moveTo(3, 12);
        path.lineTo(8, 4);
        path.lineTo(13, 12);
        path.closeSubpath();
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        break;
    }
    case DBNavigator::Post:
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(3, 8), QPointF(7, 12), QPointF(13, 4)}));
        break;
    case DBNavigator::Cancel:
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    case DBNavigator::Refresh: {
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(3, 3, 10, 10), 30 * 16, 300 * 16);
        QPainterPath head;
        head.moveTo(13, 2);
        head.lineTo(13, 7);
        head.lineTo(9, 5);
        head.closeSubpath();
        p.setBrush(color);
        p.drawPath(head);
        break;
    }
    default:
        break;
    }
    return QIcon(pm);
}

QString hintOf(DBNavigator::Button b)
{
    const ControlTexts& t = controlTexts();
    switch (b) {
    case DBNavigator::First: return t.hintFirst;
    case DBNavigator::Prior: return t.hintPrior;
    case DBNavigator::Next: return t.hintNext;
    case DBNavigator::Last: return t.hintLast;
    case DBNavigator::Insert: return t.hintInsert;
    case DBNavigator::Delete: return t.hintDelete;
    case DBNavigator::Edit: return t.hintEdit;
    case DBNavigator::Post: return t.hintPost;
    case DBNavigator::Cancel: return t.hintCancel;
    case DBNavigator::Refresh: return t.hintRefresh;
    default: return QString();
    }
}

const char* const ButtonNames[] = {"nbFirst", "nbPrior", "nbNext", "nbLast", "nbInsert",
                                   "nbDelete", "nbEdit", "nbPost", "nbCancel", "nbRefresh"};
} // namespace

DBNavigator::DBNavigator(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    const QColor color = palette().color(QPalette::ButtonText);
    for (int i = 0; i < ButtonCount; ++i) {
        const auto b = Button(i);
        auto* button = new QToolButton(this);
        button->setObjectName(ButtonNames[i]);
        button->setIcon(navigatorIcon(b, color));
        button->setToolTip(hintOf(b));
        button->setStatusTip(hintOf(b));
        button->setAutoRaise(false);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [this, b] { click(b); });
        layout->addWidget(button);
        m_buttons[size_t(i)] = button;
    }
    layout->addStretch(1);
    updateButtons();
}

void DBNavigator::setDataSource(TwwDataSource* source)
{
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    if (source != nullptr) {
        connect(source, &TwwDataSource::dataSetChanged, this, &DBNavigator::connectDataSet);
        connect(source, &TwwDataSource::stateChanged, this, &DBNavigator::updateButtons);
    }
    connectDataSet();
}

void DBNavigator::connectDataSet()
{
    for (auto& c : m_dataSetConnections)
        disconnect(c);
    if (m_source && m_source->DataSet() != nullptr) {
        TwwOEDataSet* ds = m_source->DataSet();
        m_dataSetConnections[0] = connect(ds, &TwwOEDataSet::opened, this, &DBNavigator::updateButtons);
        m_dataSetConnections[1] = connect(ds, &TwwOEDataSet::closed, this, &DBNavigator::updateButtons);
        m_dataSetConnections[2] = connect(ds, &TwwOEDataSet::currentChanged, this, &DBNavigator::updateButtons);
        m_dataSetConnections[3] = connect(ds, &TwwOEDataSet::rowsInserted, this, &DBNavigator::updateButtons);
        m_dataSetConnections[4] = connect(ds, &TwwOEDataSet::rowRemoved, this, &DBNavigator::updateButtons);
        m_dataSetConnections[5] = connect(ds, &TwwOEDataSet::layoutChanged, this, &DBNavigator::updateButtons);
    }
    updateButtons();
}

void DBNavigator::setButtonVisible(Button b, bool visible) { m_buttons[size_t(b)]->setVisible(visible); }

void DBNavigator::updateButtons()
{
    TwwOEDataSet* ds = m_source ? m_source->DataSet() : nullptr;
    const bool active = ds != nullptr && ds->Active();
    const bool editing = active && (ds->State() == dsEdit || ds->State() == dsInsert);
    const int row = active ? ds->currentRow() : -1;
    const int rows = active ? ds->rowCount() : 0;
    const bool empty = rows == 0;
    const bool atStart = row <= 0;
    const bool atEnd = row >= rows - 1 && (!active || ds->allFetched());
    button(First)->setEnabled(active && !empty && !atStart);
    button(Prior)->setEnabled(active && !empty && !atStart);
    button(Next)->setEnabled(active && !empty && !atEnd);
    button(Last)->setEnabled(active && !empty && !atEnd);
    button(Insert)->setEnabled(active && !editing);
    button(Delete)->setEnabled(active && !empty);
    button(Edit)->setEnabled(active && !editing);
    button(Post)->setEnabled(editing);
    button(Cancel)->setEnabled(editing);
    button(Refresh)->setEnabled(active && !editing && !empty);
}

void DBNavigator::click(Button b)
{
    TwwDataSource* s = m_source;
    bool ok = false;
    if (s != nullptr) {
        switch (b) {
        case First: ok = s->first(); break;
        case Prior: ok = s->prior(); break;
        case Next: ok = s->next(); break;
        case Last: ok = s->last(); break;
        case Insert: ok = s->insert(); break;
        case Delete: ok = s->remove(m_confirmDelete); break;
        case Edit: ok = s->edit(); break;
        case Post: ok = s->post(); break;
        case Cancel: ok = s->cancel(true); break;
        case Refresh: ok = s->refresh(); break;
        default: break;
        }
    }
    updateButtons();
    emit clicked(b, ok);
}
