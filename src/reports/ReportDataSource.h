#pragma once
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <vector>

class TwwOEDataSet;
class LocalTable;

// Kinds of values a report field holds; decide the default display format and alignment, and
// how exporters write the value (numbers as numbers, dates as dates).
enum class ReportFieldKind { Text, Number, Money, Date, Boolean };

// A source of rows that a report binds by name (a dataset of the data module, a local table,
// rows in memory). The generator walks it with first()/next() until eof() and reads value().
// Values: QString for texts, double or qint64 for numbers (Money as double), QDate/QDateTime for
// dates, bool; an invalid QVariant for NULL. Failures of the underlying store are thrown; the
// generator reports them through ReportGenerator::failed.
class ReportDataSource {
public:
    virtual ~ReportDataSource() = default;
    virtual QString name() const = 0;
    virtual QStringList fieldNames() const = 0;
    virtual ReportFieldKind fieldKind(const QString& field) const = 0;   // case ignored
    virtual bool hasField(const QString& field) const;                    // case ignored
    virtual bool isOpen() const = 0;
    virtual void open() = 0;
    virtual void first() = 0;
    virtual bool eof() const = 0;
    virtual void next() = 0;
    virtual QVariant value(const QString& field) const = 0;               // case ignored
    // Number of rows when known cheaply (for progress), else -1.
    virtual int recordCount() const { return -1; }
};

// Over a live dataset of the data module (not owned; it must outlive the source). The name is the
// dataset's name unless given.
class DataSetReportSource : public ReportDataSource {
public:
    explicit DataSetReportSource(TwwOEDataSet& dataSet, const QString& name = {});
    QString name() const override { return m_name; }
    QStringList fieldNames() const override;
    ReportFieldKind fieldKind(const QString& field) const override;
    bool isOpen() const override;
    void open() override;
    void first() override;
    bool eof() const override;
    void next() override;
    QVariant value(const QString& field) const override;
    int recordCount() const override;

private:
    TwwOEDataSet& m_dataSet;
    QString m_name;
};

// Over a table of the local store (not owned).
class LocalTableReportSource : public ReportDataSource {
public:
    LocalTableReportSource(LocalTable& table, const QString& name);
    QString name() const override { return m_name; }
    QStringList fieldNames() const override;
    ReportFieldKind fieldKind(const QString& field) const override;
    bool isOpen() const override;
    void open() override;
    void first() override;
    bool eof() const override;
    void next() override;
    QVariant value(const QString& field) const override;
    int recordCount() const override;

private:
    LocalTable& m_table;
    QString m_name;
};

// Rows held in memory: for tests, benchmarks and the designer's sample data.
class MemoryReportSource : public ReportDataSource {
public:
    struct Field {
        QString name;
        ReportFieldKind kind = ReportFieldKind::Text;
    };
    MemoryReportSource(const QString& name, std::vector<Field> fields);
    void addRow(const QVariantList& values);       // in field order; missing values are NULL
    int rowCount() const { return int(m_rows.size()); }

    QString name() const override { return m_name; }
    QStringList fieldNames() const override;
    ReportFieldKind fieldKind(const QString& field) const override;
    bool isOpen() const override { return m_open; }
    void open() override { m_open = true; m_row = 0; }
    void first() override { m_row = 0; }
    bool eof() const override { return m_row >= m_rows.size(); }
    void next() override { if (m_row < m_rows.size()) ++m_row; }
    QVariant value(const QString& field) const override;
    int recordCount() const override { return int(m_rows.size()); }

private:
    int indexOf(const QString& field) const;
    QString m_name;
    std::vector<Field> m_fields;
    std::vector<QVariantList> m_rows;
    size_t m_row = 0;
    bool m_open = true;
};

// The sources a report run may bind, by name (compared without regard to case). Copies share
// the sources; borrowed ones must outlive every copy.
class ReportDataSources {
public:
    void add(ReportDataSource& source);                        // borrowed
    void add(std::shared_ptr<ReportDataSource> source);        // shared
    ReportDataSource* find(const QString& name) const;         // nullptr when absent
    QStringList names() const;
    bool isEmpty() const { return m_sources.empty(); }

private:
    std::vector<std::shared_ptr<ReportDataSource>> m_sources;
};

// Kind of a value (for sources that know no field types).
ReportFieldKind reportFieldKindOf(const QVariant& sampleValue);
