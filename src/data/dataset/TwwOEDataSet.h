#pragma once
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

#include "data/core/DataSetTypes.h"
#include "data/core/LogSender.h"
#include "data/dataset/TField.h"
#include "data/odbc/THdbc.h"
#include "data/odbc/THstmt.h"
#include "data/dataset/TParams.h"
#include "data/odbc/UpdateTarget.h"


class DataSetWriter;

// A live dataset: an SQL query whose rows are fetched forward into a client cache as the cursor
// moves (the cache can be walked both ways), with named parameters, an optional master, typed
// fields, record events and a write hook. Every post and delete is written at once.
//
//   TwwOEDataSet tb;
//   tb.setName("tbObdracPoz");
//   tb.sethDbc(&database);
//   tb.setSQL({"SELECT * FROM ObdracPoz WHERE Kljuc = :Kljuc ORDER BY Poz"});
//   tb.setMasterDataSet(&tbObdrac);          // or tb.ParamByName("KLJUC").setAsString(...)
//   tb.OnUpdateRecord = [](TwwOEDataSet& ds, TUpdateKind kind, bool& apply) { ... };
//   tb.Open();
//   for (tb.First(); !tb.Eof(); tb.Next())
//       use(tb.FieldByName("IDENT").asString());
//   tb.Edit(); tb.FieldByName("KOLICINA").setAsFloat(2); tb.Post();
//
// Writing a record (Post of an edited or inserted record, Delete):
//   1. BeforePost / BeforeDelete (an EAbort thrown there cancels: Post and Delete rethrow it and
//      the dataset keeps its state);
//   2. OnUpdateRecord(DataSet, UpdateKind, ApplyUpdate) with ApplyUpdate = true;
//   3. while ApplyUpdate is still true (or there is no handler), the dataset's own writer: a
//      parameter-marker UPDATE/INSERT/DELETE on a statement of its own on the same connection
//      (table: Target().TargetTable, else the driver's base table of column 1, else the word after
//      " FROM "; keys: Target().PrimaryCols, else the driver's best row identifier, else its
//      primary key, else KeyFieldsResolver);
//   4. the cache keeps the record as posted (a deleted record leaves it); AfterPost / AfterDelete.
// An exception in 2 or 3 ends the post: the dataset stays in edit or insert state with the
// user's values, and the exception reaches the caller.
//
// Navigating, locating, refreshing and inserting post a record that is being edited first
// (and details of this dataset post theirs); Close discards it.
//
// Observers (grids, navigators, models) follow the dataset through its signals; row numbers in
// signals and in rowCount/valueAt are 0-based display rows: the cached records, with a record
// being inserted shown at its insert position. While controls are disabled the signals (and the
// re-opening of details) wait; EnableControls back to zero emits layoutChanged, stateChanged and
// currentChanged once. No exception ever leaves a signal.
class TwwOEDataSet : public QObject, public LogDescribable {
    Q_OBJECT
public:
    explicit TwwOEDataSet(QObject* parent = nullptr);
    ~TwwOEDataSet() override;

    // --- settings -------------------------------------------------------------------------
    const QString& Name() const { return m_name; }
    void setName(const QString& name);
    // As a sender in the error log: "TwwOEDataSet", its name, and the lines "DatabaseName --> ",
    // "TableName --> " (empty: a query), "hDbc --> " and "SQL -->" with its query lines.
    QString logClassName() const override;
    QString logObjectName() const override;
    QString logSenderProp() const override;
    // Name of the connection, for display and the error log ("Database", "DatabaseLook").
    const QString& DatabaseName() const { return m_databaseName; }
    void setDatabaseName(const QString& v) { m_databaseName = v; }
    THdbc* hDbc() const { return m_hdbc.data(); }
    void sethDbc(THdbc* hdbc);
    // The statement the query runs on (ConcurrencyType, CursorType, Target).
    THstmt& hStmt() { return m_stmt; }
    UpdateTarget& Target() { return m_stmt.Target(); }
    const UpdateTarget& Target() const { return m_stmt.Target(); }
    // Presentation hints for grids, one text per field: "AKTIVNO;CheckBox;T;F", "IDENT;CustomEdit;fIdent".
    QStringList& ControlType() { return m_controlType; }
    const QStringList& ControlType() const { return m_controlType; }
    // The ControlType entry of a field split at ";" (empty when there is none).
    QStringList controlTypeOf(const QString& fieldName) const;

    // The query text as lines; they are joined by blanks when sent. Replacing it closes the dataset
    // and re-reads the parameter names (parameters that stay keep their values).
    const QStringList& SQL() const { return m_sql; }
    void setSQL(const QStringList& lines);
    void setSQL(const QString& text) { setSQL(QStringList{text}); }
    QString SQLText() const { return m_sql.join(QLatin1Char(' ')); }

    TParams& Params() { return m_params; }
    TParam& ParamByName(const QString& name) { return m_params.ParamByName(name); }

    // Master link: while open, each parameter takes the value of the master's field of the same
    // name (case ignored; parameters without such a field keep their own value) and the dataset
    // re-opens whenever the master's current record changes. Null to unlink.
    TwwOEDataSet* masterDataSet() const { return m_master; }
    void setMasterDataSet(TwwOEDataSet* master);

    // Fetch every row at Open instead of as the cursor moves forward.
    bool fetchAllOnOpen() const { return m_fetchAll; }
    void setFetchAllOnOpen(bool v) { m_fetchAll = v; }
    // Recompute calculated fields whenever a data field of the edited record changes (default true).
    bool AutoCalcFields = true;

    // Last resort for the key fields of a table when Target and the driver give none (e.g. the
    // program's own key index). Program-wide; empty by default.
    static std::function<QStringList(const QString& table)> KeyFieldsResolver;

    // --- fields ---------------------------------------------------------------------------
    // Declares a field before opening: a data field is matched to the result column of the same
    // name (its type stays as declared unless ftUnknown); calculated and lookup fields get their
    // values from OnCalcFields and the lookup definition. Throws EDatabaseError while open.
    TField& addField(const QString& name, TFieldType type, int size = 0, TFieldKind kind = TFieldKind::fkData);
    const std::vector<TField*>& Fields() const { return m_fieldList; }
    int FieldCount() const { return int(m_fieldList.size()); }
    TField* FindField(const QString& name) const;          // nullptr when absent (case ignored)
    TField& FieldByName(const QString& name) const;        // throws EDatabaseError when absent
    QVariant FieldValues(const QString& name) const { return FieldByName(name).value(); }

    // --- state and navigation -------------------------------------------------------------
    void Open();
    void Close();
    bool Active() const { return m_state != dsInactive; }
    void setActive(bool on) { on ? Open() : Close(); }
    TDataSetState State() const { return m_state; }
    // Re-reads the current record from its table by its key; the other cached rows stay as
    // fetched. Returns false when the record is no longer in the table (the cache is unchanged).
    bool Refresh();

    void First();
    void Next();
    void Prior();
    void Last();
    int MoveBy(int distance);
    bool Eof() const { return m_eof; }
    bool Bof() const { return m_bof; }
    bool IsEmpty();
    // 1-based number of the current record (0 when there is none).
    int RecNo() const;
    void setRecNo(int recNo);
    // Number of records (fetches every row).
    int RecordCount();

    TBookmark GetBookmark() const;
    bool GotoBookmark(const TBookmark& bookmark);   // false when the record is gone
    void FreeBookmark(TBookmark& bookmark) { bookmark = TBookmark(); }
    bool BookmarkValid(const TBookmark& bookmark) const;

    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return m_disableCount > 0; }

    // fields: names separated by ";"; values: one per field (a single value for one field).
    bool Locate(const QString& fields, const QVariant& values, TLocateOptions options = 0);
    bool Locate(const QString& fields, const QVariantList& values, TLocateOptions options = 0);

    // --- editing --------------------------------------------------------------------------
    void Insert();
    void Append();
    void Edit();
    void Post();
    void Cancel();
    void Delete();
    // Posts a record that is being edited or inserted (what navigation does first).
    void CheckBrowseMode();

    // Events (see the class comment for the order).
    std::function<void(TwwOEDataSet& DataSet)> OnNewRecord;
    std::function<void(TwwOEDataSet& DataSet)> BeforePost;
    std::function<void(TwwOEDataSet& DataSet)> AfterPost;
    std::function<void(TwwOEDataSet& DataSet)> BeforeDelete;
    std::function<void(TwwOEDataSet& DataSet)> AfterDelete;
    std::function<void(TwwOEDataSet& DataSet)> OnCalcFields;
    std::function<void(TwwOEDataSet& DataSet, TUpdateKind UpdateKind, bool& ApplyUpdate)> OnUpdateRecord;
    std::function<void(TwwOEDataSet& DataSet)> AfterOpen;
    std::function<void(TwwOEDataSet& DataSet)> AfterScroll;

    // --- access for grids (no cursor movement) ---------------------------------------------
    int rowCount() const;                               // cached rows (+1 while inserting)
    int currentRow() const { return RecNo() - 1; }      // display row of the current record
    QVariant valueAt(int row, int fieldIndex) const;    // NULL for rows out of range
    bool allFetched() const { return m_fetchDone; }
    // Fetches up to count more rows; returns how many arrived.
    int fetchMore(int count = 1);

    // The dataset's own writer (table and key resolution); used by Refresh and the write step.
    DataSetWriter& writer();

signals:
    void opened();
    void closed();
    void stateChanged(int state);                       // a TDataSetState
    void currentChanged(int row);                       // the cursor moved (-1: no record)
    void dataChanged(int row, int fieldIndex);          // fieldIndex -1: the whole record
    void rowsInserted(int first, int last);             // fetched or posted rows
    void rowRemoved(int row);
    void layoutChanged();                               // anything may have changed: re-read all
    void controlsEnabled();                             // EnableControls returned to zero

private:
    void beginInsert(int pos);
    friend class TField;
    friend class DataSetWriter;

    struct Row {
        quint64 id = 0;
        std::vector<QVariant> values;
    };

    void checkActive() const;
    void bindFields();
    std::vector<QVariant> readRow();
    bool fetchOne();
    void fetchAll();
    void calculate(std::vector<QVariant>& values);
    QVariant lookupValue(const TField& field, const std::vector<QVariant>& values) const;
    void setCurrent(int index, bool bof, bool eof);
    void scrolled();
    void openCursor();
    std::vector<QVariant> masterValuesForParams() const;
    void masterChanged();
    void checkDetailsBrowseMode();
    void notifyDetails();
    void connectionClosing();
    void writeRecord(TUpdateKind kind);
    void rebuildFieldList();

    // access from TField
    const std::vector<QVariant>* activeValues() const;
    QVariant fieldValue(const TField& field) const;
    QVariant fieldOldValue(const TField& field) const;
    void setFieldValue(TField& field, const QVariant& value);

    // signal helpers (suppressed while controls are disabled)
    void emitState();
    void emitCurrent();
    void emitData(int row, int fieldIndex);
    void emitRowsInserted(int first, int last);
    void emitRowRemoved(int row);
    void emitLayout();

    QString m_name;
    QString m_databaseName;
    QPointer<THdbc> m_hdbc;   // cleared when the connection object goes away
    QMetaObject::Connection m_hdbcConnection;
    THstmt m_stmt;
    QStringList m_controlType;
    QStringList m_sql;
    TParams m_params;
    TwwOEDataSet* m_master = nullptr;
    std::vector<TwwOEDataSet*> m_details;
    std::vector<QVariant> m_paramValuesUsed;
    bool m_fetchAll = false;

    std::vector<std::unique_ptr<TField>> m_fields;   // all field objects, declared and created
    std::vector<TField*> m_fieldList;                // the active fields in order

    TDataSetState m_state = dsInactive;
    std::vector<Row> m_rows;
    quint64 m_nextRowId = 1;
    int m_current = -1;
    bool m_bof = true;
    bool m_eof = true;
    bool m_fetchDone = true;
    std::vector<QVariant> m_edit;                  // edit buffer in edit and insert state
    int m_insertPos = 0;
    std::vector<QVariant>* m_calcTarget = nullptr; // record being calculated
    TDataSetState m_stateBeforeCalc = dsInactive;
    bool m_posting = false;

    int m_disableCount = 0;
    bool m_pendingChanges = false;
    std::unique_ptr<DataSetWriter> m_writer;
};
