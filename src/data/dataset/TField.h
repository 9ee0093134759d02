#pragma once
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <functional>

#include "data/core/FieldType.h"

class TwwOEDataSet;

enum class TFieldKind { fkData, fkCalculated, fkLookup };

// One field of a live dataset. Field objects belong to their dataset and live as long as it
// does (a field that a re-opened query no longer returns is detached: FieldByName no longer finds
// it and its value reads as NULL). Values are not stored in the field: it reads and writes the
// dataset's current record (the edit buffer in edit and insert state).
//
// Values: text and memo QString, integers int (ftLargeint qlonglong), floating and currency
// double, ftDate QDate, ftTime QTime, ftDateTime QDateTime, ftBlob QByteArray, ftBoolean bool;
// NULL is an invalid QVariant. A NULL date-time reads as an invalid QDateTime (the "zero" date).
// Setting a value outside edit or insert state, or of a read-only field, throws EDatabaseError;
// text that does not convert throws EConvertError and leaves the value unchanged.
class TField {
public:
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    const QString& FieldName() const { return m_name; }   // upper case for result columns
    TFieldType dataType() const { return m_type; }
    int size() const { return m_size; }                   // characters of a text field, else 0
    TFieldKind fieldKind() const { return m_kind; }
    bool isDataField() const { return m_kind == TFieldKind::fkData; }
    int index() const { return m_index; }                 // position in the dataset's Fields()
    int column() const { return m_column; }               // 1-based result column; 0 when none
    TwwOEDataSet* dataSet() const { return m_dataSet; }

    bool readOnly() const { return m_readOnly; }
    void setReadOnly(bool v) { m_readOnly = v; }
    bool visible() const { return m_visible; }
    void setVisible(bool v) { m_visible = v; }
    bool required() const { return m_required; }
    void setRequired(bool v) { m_required = v; }
    QString displayLabel() const { return m_displayLabel.isEmpty() ? m_name : m_displayLabel; }
    void setDisplayLabel(const QString& v) { m_displayLabel = v; }
    int displayWidth() const;                             // characters; defaults by type and size
    void setDisplayWidth(int v) { m_displayWidth = v; }
    const QString& displayFormat() const { return m_displayFormat; }
    void setDisplayFormat(const QString& v) { m_displayFormat = v; }
    const QString& editFormat() const { return m_editFormat; }
    void setEditFormat(const QString& v) { m_editFormat = v; }
    const QString& editMask() const { return m_editMask; }
    void setEditMask(const QString& v) { m_editMask = v; }

    // Value of the current record.
    QVariant value() const;
    void setValue(const QVariant& v);
    // The value as read from the database (as last posted); NULL for a record being inserted.
    QVariant oldValue() const;
    // The value as it is being posted (the current value).
    QVariant NewValue() const { return value(); }
    bool isNull() const { return !value().isValid(); }
    void clear() { setValue(QVariant()); }
    // Whether the value in the edit buffer differs from the value as read.
    bool isModified() const;

    QString asString() const;          // NULL gives "", numbers in C form ("2.5")
    void setAsString(const QString& v);
    int asInteger() const;             // NULL gives 0
    void setAsInteger(int v) { setValue(v); }
    qint64 asLargeInt() const;
    void setAsLargeInt(qint64 v) { setValue(qlonglong(v)); }
    double asFloat() const;            // NULL gives 0
    void setAsFloat(double v) { setValue(v); }
    QDateTime asDateTime() const;      // NULL gives an invalid QDateTime
    void setAsDateTime(const QDateTime& v) { setValue(v.isValid() ? QVariant(v) : QVariant()); }
    QDate asDate() const { return asDateTime().date(); }
    bool asBoolean() const;
    void setAsBoolean(bool v) { setValue(v); }
    QByteArray asBytes() const;
    void setAsBytes(const QByteArray& v) { setValue(v); }

    // Text for display: numbers by displayFormat (locale separators), dates as dd.MM.yyyy with
    // the program's date separator (and the time when it is not midnight), NULL as "".
    QString displayText() const;
    // Text for an editor: numbers by editFormat, or plain without grouping.
    QString editText() const;
    // Text typed by the user: OnSetText decides when it is set, otherwise setAsString.
    void setText(const QString& text);

    // Field events.
    std::function<void(TField& Sender, const QString& Text)> OnSetText;
    std::function<void(TField& Sender)> OnChange;

    // Lookup fields: the value is LookupResultField of the record of LookupDataSet whose
    // LookupKeyFields match this dataset's KeyFields (";"-separated, in the same order).
    TwwOEDataSet* LookupDataSet = nullptr;
    QString KeyFields;
    QString LookupKeyFields;
    QString LookupResultField;

    // Where the driver says the column comes from (empty when it does not know).
    const QString& baseTable() const { return m_baseTable; }
    const QString& baseColumn() const { return m_baseColumn; }

private:
    friend class TwwOEDataSet;
    TField(TwwOEDataSet* dataSet, const QString& name, TFieldType type, int size, TFieldKind kind);

    TwwOEDataSet* m_dataSet;
    QString m_name;
    TFieldType m_type;
    int m_size;
    TFieldKind m_kind;
    int m_index = -1;
    int m_column = 0;          // 1-based result column, 0 when not bound
    bool m_declared = false;   // declared by the program (kept across opens with its settings)
    bool m_readOnly = false;
    bool m_visible = true;
    bool m_required = false;
    QString m_displayLabel;
    int m_displayWidth = 0;
    QString m_displayFormat;
    QString m_editFormat;
    QString m_editMask;
    QString m_baseTable;
    QString m_baseColumn;
};
