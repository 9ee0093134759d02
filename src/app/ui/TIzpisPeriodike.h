#pragma once
#include "app/ListingCommand.h"

#include <QAbstractTableModel>
#include <QList>
#include <QWidget>

class QLabel;
class QTableView;

// The rows of the listing table for a table view, read-only.
class ListingTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ListingTableModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void setRows(QList<ListingRow> rows);
    const QList<ListingRow>& rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<ListingRow> m_rows;
};

// The child window "Izpis periodike" (form name "IzpisPeriodike"): what "Kreiranje" would make
// for the criteria of the last "Izpis", one row per template line and partner, in the order of
// the listing table.
class TIzpisPeriodike : public QWidget {
    Q_OBJECT
public:
    explicit TIzpisPeriodike(QWidget* parent = nullptr);

    void setRows(QList<ListingRow> rows);
    QTableView* grid() const { return m_grid; }
    ListingTableModel* model() const { return m_model; }

private:
    QTableView* m_grid = nullptr;
    ListingTableModel* m_model = nullptr;
    QLabel* m_summary = nullptr;
};
