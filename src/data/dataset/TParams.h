#pragma once
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

#include "data/core/FieldType.h"

// One named input parameter of a live dataset's query.
class TParam {
public:
    explicit TParam(const QString& name) : m_name(name) {}

    const QString& Name() const { return m_name; }
    TFieldType dataType() const { return m_type; }
    void setDataType(TFieldType t) { m_type = t; }

    const QVariant& value() const { return m_value; }
    // Sets the value; the type follows the value unless one was set before.
    void setValue(const QVariant& v);
    bool isNull() const { return !m_value.isValid(); }
    void clear() { m_value = QVariant(); }

    QString asString() const { return m_value.toString(); }
    void setAsString(const QString& v) { m_type = TFieldType::ftString; m_value = v; }
    int asInteger() const { return m_value.toInt(); }
    void setAsInteger(int v) { m_type = TFieldType::ftInteger; m_value = v; }
    double asFloat() const { return m_value.toDouble(); }
    void setAsFloat(double v) { m_type = TFieldType::ftFloat; m_value = v; }
    QDateTime asDateTime() const { return m_value.toDateTime(); }
    void setAsDateTime(const QDateTime& v) { m_type = TFieldType::ftDateTime; m_value = v.isValid() ? QVariant(v) : QVariant(); }

private:
    QString m_name;
    TFieldType m_type = TFieldType::ftUnknown;
    QVariant m_value;
};

// The parameters of a query, one per distinct name (case ignored), in order of first appearance.
// Objects stay valid while their name stays in the query text.
class TParams {
public:
    int Count() const { return int(m_items.size()); }
    TParam& operator[](int i) { return *m_items[size_t(i)]; }
    const TParam& operator[](int i) const { return *m_items[size_t(i)]; }
    TParam* FindParam(const QString& name) const;
    // Throws EDatabaseError when there is no such parameter.
    TParam& ParamByName(const QString& name) const;
    QStringList names() const;

    // Makes the list match these names: parameters that stay keep their values and types.
    void assignNames(const QStringList& names);
    void clear() { m_items.clear(); }

private:
    std::vector<std::unique_ptr<TParam>> m_items;
};
