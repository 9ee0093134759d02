#pragma once
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

#include "data/core/DateTimeRecord.h"
#include "data/core/FieldType.h"
#include "data/core/LogSender.h"
#include "data/odbc/OdbcHandle.h"
#include "data/odbc/UpdateTarget.h"

class THdbc;

// One ODBC statement on a connection: direct SQL (look-ups, counts, maxima, generated writes).
//
//   THstmt q(&db);
//   q.Close();
//   q.setSQL("SELECT Naziv, Cena FROM MS WHERE Ident = :Ident");
//   q.BindParam("Ident", "A1");
//   q.Execute();                        // throws EODBC
//   while (q.FetchNext())
//       use(q.ColumnAsString(1), q.ColumnAsFloat(2));
//   q.Close();
//
// Statement text may carry named parameters (":" + letters, digits, "_", "@", outside quoted
// strings; see SqlParameterParser); they are sent as "?" and bound by name, a name used twice
// being bound twice. The text goes through the connection's SqlDialect before it is sent.
// Execute accepts "no data" (e.g. an UPDATE that matched nothing) and supplies large objects at
// execution time. A text of several statements is run as one batch: every result is walked
// with SQLMoreResults, so a failing later statement raises EODBC; the first result that has
// columns is left open for fetching, and the results after it are checked when the fetch ends.
//
// Columns are counted from 1. A NULL column reads as "", 0, 0, the all-zero DateTimeRecord and
// an empty byte array; ColumnIsNull tells NULL apart. Columns may be read in any order and more
// than once. Column names are reported in upper case.
class THstmt : public LogDescribable {
public:
    explicit THstmt(THdbc* hdbc = nullptr);
    ~THstmt() override;
    THstmt(const THstmt&) = delete;
    THstmt& operator=(const THstmt&) = delete;

    const QString& Name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }

    // As a sender in the error log: "THstmt", its name, and "hDbc --> " + connection name and
    // "SQL --> " + its text.
    QString logClassName() const override;
    QString logObjectName() const override;
    QString logSenderProp() const override;

    THdbc* hDbc() const { return m_hdbc; }
    void sethDbc(THdbc* hdbc);

    // Replacing the text closes the statement and drops its preparation and bound parameters.
    const QString& SQL() const { return m_sql; }
    void setSQL(const QString& sql);

    // For a statement run many times with other literal values in the same select list (a run's
    // reads): the result columns of the next execution are those described the last time under
    // this key, when their number agrees, instead of being asked of the driver column by column
    // (which some drivers make costly). Cleared by setSQL; the statement keeps a few keys.
    void setColumnShape(const QString& key) { m_columnShape = key; }

    // Rows of a forward-only result are fetched a block at a time into bound buffers
    // from the result's second row on, when every column has a fixed or moderate size (numbers,
    // dates, texts and decimals of up to a few thousand characters); the values read are the same
    // as when each is asked for alone. Off: every value is asked of the driver when first read.
    // On by default; a change applies from the next execution.
    bool BlockFetch() const { return m_blockFetch; }
    void setBlockFetch(bool on) { m_blockFetch = on; }
    // Whether the current row came from a block fetch.
    bool RowFromBlock() const { return m_fetchMode == FetchMode::Block; }

    // ODBC concurrency (SQL_CONCUR_*): 1 read-only (default), 4 optimistic by values.
    unsigned ConcurrencyType() const { return m_concurrency; }
    void setConcurrencyType(unsigned v);
    // ODBC cursor type (SQL_CURSOR_*): 0 forward-only (default).
    unsigned CursorType() const { return m_cursorType; }
    void setCursorType(unsigned v);
    // Update target descriptor of a live dataset built on this statement.
    UpdateTarget& Target() { return m_target; }
    const UpdateTarget& Target() const { return m_target; }

    // Closes an open result; harmless when nothing is open. Keeps the text and the bindings.
    void Close();
    // Prepares the text (parameters parsed, dialect applied). Throws EODBC.
    void Prepare();
    bool Prepared() const { return m_prepared; }

    // Distinct parameter names of the current text, first appearance first (throws EODBC when the
    // text has a bad ":" token).
    QStringList ParamNames() const;
    // Binds a value to every occurrence of the named parameter (name compared without regard to
    // case). type ftUnknown takes the type from the value; an invalid QVariant binds NULL.
    void BindParam(const QString& name, const QVariant& value, TFieldType type = TFieldType::ftUnknown);
    // Binds bytes as the binary value of the named parameter (sent as SQL_VARBINARY at execution).
    void BindBlobParam(const QString& name, const QByteArray& data);
    void ClearParams();

    // Runs the statement (prepared, or directly). Throws EODBC; the exception carries the text.
    void Execute();
    // setSQL + Execute.
    void ExecDirect(const QString& sql);
    // Fetches the next row; false at the end (and when the statement has no result).
    bool FetchNext();
    // True while a result with columns is open.
    bool HasResult() const { return m_hasResult; }
    // Rows affected by the last statement of the last execution (-1 when the driver cannot tell).
    qint64 RowCount() const { return m_rowCount; }
    // The text last sent to the driver (after parameter markers and dialect).
    const QString& SentText() const { return m_sentText; }

    // Result columns (1-based).
    int ColCount() const { return int(m_columns.size()); }
    QString ColName(int n) const;                 // upper case
    int ColSqlType(int n) const;                  // SQL_* type code
    qulonglong ColSize(int n) const;
    int ColScale(int n) const;
    bool ColNullable(int n) const;
    TFieldType ColFieldType(int n) const;
    QString ColBaseTable(int n) const;            // table the driver reports for the column, may be empty
    QString ColBaseColumn(int n) const;           // upper case, may be empty
    int ColIndex(const QString& name) const;      // 1-based, 0 when absent (case ignored)

    // Values of the current row.
    bool ColumnIsNull(int n);
    QString ColumnAsString(int n);
    double ColumnAsFloat(int n);
    int ColumnAsInteger(int n);
    qint64 ColumnAsLargeInt(int n);
    DateTimeRecord ColumnAsDateTime(int n);
    QByteArray ColumnAsBytes(int n);
    // The value in its natural type (QString, qlonglong, double, QDateTime/QDate/QTime, QByteArray,
    // bool; decimal columns as exact text); an invalid QVariant for NULL.
    QVariant ColumnValue(int n);

    // The statement handle, allocated on first use (throws EODBC when the connection is closed).
    SQLHSTMT handle();

    struct ColumnInfo {
        QString name;
        int sqlType = 0;
        qulonglong size = 0;
        int scale = 0;
        bool nullable = true;
        // Asked of the driver only when first wanted (ColBaseTable, ColBaseColumn): some drivers
        // parse the statement and read the catalog for them, which a plain read does not need.
        mutable QString baseTable;
        mutable QString baseColumn;
        mutable bool baseNamesRead = false;
    };
    const std::vector<ColumnInfo>& Columns() const { return m_columns; }

private:
    friend class THdbc;
    void releaseHandle() noexcept;     // the connection is going away
    void connectionGone() noexcept;
    void applyStatementAttributes();
    void resetResult() noexcept;
    void parseText();
    void bindParameters();
    SQLRETURN supplyDataAtExecution(SQLRETURN rc);
    void afterExecute();
    void drainResults();
    const ColumnInfo& column(int n) const;
    const ColumnInfo& columnWithBaseNames(int n) const;
    void openResult();
    bool endOfResult(SQLHSTMT h);
    bool blockRowValid();
    struct Cell;
    struct RowBlock;
    const Cell& cell(int n);
    void readCell(int n, Cell& c);

    struct BoundValue {
        QString name;
        QVariant value;
        TFieldType type = TFieldType::ftUnknown;
    };
    struct ParamBuffer;

    QString m_name;
    THdbc* m_hdbc = nullptr;
    QString m_sql;
    unsigned m_concurrency = 1;
    unsigned m_cursorType = 0;
    UpdateTarget m_target;

    StmtHandle m_stmt;
    bool m_parsed = false;
    bool m_prepared = false;
    QString m_sentText;
    QStringList m_markerNames;
    std::vector<BoundValue> m_bound;
    std::vector<std::unique_ptr<ParamBuffer>> m_buffers;

    bool m_hasResult = false;
    bool m_rowValid = false;
    qint64 m_rowCount = -1;
    std::vector<ColumnInfo> m_columns;
    QString m_columnShape;
    QHash<QString, std::vector<ColumnInfo>> m_shapes;   // key -> columns described under it
    std::vector<Cell> m_cells;
    int m_cellsRead = 0;

    // How the rows of the open result are fetched.
    enum class FetchMode { Single, BlockFromNextRow, Block };
    bool m_blockFetch = true;
    FetchMode m_fetchMode = FetchMode::Single;
    std::unique_ptr<RowBlock> m_block;   // lives with the statement handle
    std::vector<quint64> m_cellRows;       // block rows: the row each cell was made for
    quint64 m_rowSerial = 0;
};
