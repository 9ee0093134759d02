#include "data/dataset/TParams.h"

#include "data/core/EDatabaseError.h"

void TParam::setValue(const QVariant& v)
{
    m_value = (v.isValid() && !v.isNull()) ? v : QVariant();
    if (m_type == TFieldType::ftUnknown && m_value.isValid())
        m_type = fieldTypeFromVariant(m_value);
}

TParam* TParams::FindParam(const QString& name) const
{
    for (const auto& p : m_items)
        if (p->Name().compare(name, Qt::CaseInsensitive) == 0)
            return p.get();
    return nullptr;
}

TParam& TParams::ParamByName(const QString& name) const
{
    if (TParam* p = FindParam(name))
        return *p;
    throw EDatabaseError(QStringLiteral("Parameter %1 ne obstaja !").arg(name));
}

QStringList TParams::names() const
{
    QStringList out;
    for (const auto& p : m_items)
        out << p->Name();
    return out;
}

void TParams::assignNames(const QStringList& names)
{
    std::vector<std::unique_ptr<TParam>> items;
    for (const QString& name : names) {
        bool found = false;
        for (auto& p : m_items)
            if (p && p->Name().compare(name, Qt::CaseInsensitive) == 0) {
                items.push_back(std::move(p));
                found = true;
                break;
            }
        if (!found) {
            bool duplicate = false;
            for (const auto& q : items)
                if (q->Name().compare(name, Qt::CaseInsensitive) == 0)
                    duplicate = true;
            if (!duplicate)
                items.push_back(std::make_unique<TParam>(name));
        }
    }
    m_items = std::move(items);
}
