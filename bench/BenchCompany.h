#pragma once
#include <QString>
#include <QStringList>

// A synthetic company for the benchmarks, in a fresh database copied from the template database
// (obdrac_template) of the private PostgreSQL instance named by PGHOST / PGPORT, made through
// psql as the superuser. Dropped again when the object goes away.
class BenchCompany {
public:
    // documents: about this many invoices (four fifths from single-partner templates, one fifth
    // from partner-type templates of six partners each); lines: lines per template.
    BenchCompany(const QString& name, int documents, int lines);
    ~BenchCompany();
    BenchCompany(const BenchCompany&) = delete;
    BenchCompany& operator=(const BenchCompany&) = delete;

    const QString& name() const { return m_name; }
    int templates() const { return m_singles + m_typeTemplates; }
    int expectedDocuments() const { return m_singles + 6 * m_typeTemplates; }
    int linesPerDocument() const { return m_lines; }

    // Connect-string items for the login role (DRIVER, SERVER, PORT, DATABASE, UID, PWD).
    QStringList connectAttributes() const;

    // Runs SQL as the superuser; returns psql's unaligned output (rows by line, columns by "|").
    QString psql(const QString& sql) const;
    static QString psqlOn(const QString& database, const QString& sql);

    // Makes the templates due again: no last-document date, no documents.
    void resetDocuments() const;
    // Lets the server write out what the last step left in its buffers (a checkpoint), so that
    // the next measurement starts on a quiet server.
    void settle() const;

    // Leaves the database in place at the end (for a look afterwards).
    void setKeep(bool keep) { m_keep = keep; }

    static QString socketDir();
    static QString port();

private:
    void build();

    QString m_name;
    QString eventExpression(bool typeTemplate) const;
    int m_singles = 0;
    int m_typeTemplates = 0;
    int m_lines = 5;
    bool m_keep = false;
};
