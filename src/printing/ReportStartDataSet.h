#pragma once
#include <QString>

#include <memory>

class LocalTable;
class ReportDataSource;
class TwwOEDataSet;

// The dataset a report start prints: a live dataset of the data module (TwwOEDataSet), a table of
// the local store (the listing's tbNapaka), or none (the definition opens its own data).
class ReportStartDataSet {
public:
    ReportStartDataSet() = default;   // none
    ReportStartDataSet(TwwOEDataSet& dataSet);
    ReportStartDataSet(LocalTable& table, const QString& name);

    bool isNone() const { return !m_dataSet && !m_table; }
    // Its name in messages, the error log and the definition ("tbNapaka").
    QString name() const;
    // The live SQL dataset, or null (only such a dataset takes an ORDERBY).
    TwwOEDataSet* liveDataSet() const { return m_dataSet; }

    bool isOpen() const;
    // Opens it with OpenTable and messages: a failure shows "Napaka pri odpiranju datoteke: ...",
    // is logged as "OpenTable-" + name and raised again.
    void open() const;
    void first() const;
    bool eof() const;

    // The same data for the report engine, under name().
    std::shared_ptr<ReportDataSource> reportSource() const;

private:
    TwwOEDataSet* m_dataSet = nullptr;
    LocalTable* m_table = nullptr;
    QString m_name;
};
