#include "TIzpisPeriodike.h"

#include "data/core/FormatFloat.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

namespace {
enum Column { ZapSt, Kljuc, Tip, PoslDog, Subjekt, Ident, Kolicina, Cena, Rabat, ColumnCount };
}

void ListingTableModel::setRows(QList<ListingRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int ListingTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(m_rows.size()); }

int ListingTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant ListingTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const ListingRow& r = m_rows.at(index.row());
    if (role == Qt::TextAlignmentRole) {
        switch (index.column()) {
        case ZapSt:
        case Kolicina:
        case Cena:
        case Rabat: return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        default: return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case ZapSt: return r.zapSt;
    case Kljuc: return r.kljuc;
    case Tip: return r.tip;
    case PoslDog: return r.poslDog;
    case Subjekt: return r.subjekt;
    case Ident: return r.ident;
    case Kolicina: return formatFloat(QStringLiteral("#,##0.####"), r.kolicina);
    case Cena: return formatFloat(QStringLiteral("#,##0.00##"), r.cena);
    case Rabat: return formatFloat(QStringLiteral("#,##0.##"), r.rabat);
    default: return {};
    }
}

QVariant ListingTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case ZapSt: return QStringLiteral("Zap.št.");
    case Kljuc: return QStringLiteral("Periodika");
    case Tip: return QStringLiteral("Vrsta");
    case PoslDog: return QStringLiteral("Pos.dog.");
    case Subjekt: return QStringLiteral("Partner");
    case Ident: return QStringLiteral("Ident");
    case Kolicina: return QStringLiteral("Količina");
    case Cena: return QStringLiteral("Cena");
    case Rabat: return QStringLiteral("Rabat %");
    default: return {};
    }
}

TIzpisPeriodike::TIzpisPeriodike(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("IzpisPeriodike"));
    setWindowTitle(QStringLiteral("Izpis periodike"));
    m_model = new ListingTableModel(this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("gIzpis"));
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setAlternatingRowColors(true);
    m_grid->verticalHeader()->setVisible(false);
    m_grid->horizontalHeader()->setStretchLastSection(false);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("lIzpisSkupaj"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_summary);
    resize(640, 320);
}

void TIzpisPeriodike::setRows(QList<ListingRow> rows)
{
    int invoices = 0;
    int orders = 0;
    // (the kind is compared as UTF-8 text: "Račun" is no Latin-1 literal)
    for (const ListingRow& r : rows)
        (r.tip == QStringLiteral("Račun") ? invoices : orders)++;
    m_model->setRows(std::move(rows));
    m_grid->resizeColumnsToContents();
    m_summary->setText(QStringLiteral("Vrstic: %1 (za račune %2, za naročila %3). Nič ni zapisano v bazo.")
                           .arg(invoices + orders)
                           .arg(invoices)
                           .arg(orders));
}
