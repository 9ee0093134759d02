#include "printing/PrintOrigin.h"

#include <QPointer>

namespace {
QObject& placeholder()
{
    static QObject object;
    static const bool named = (object.setObjectName(QStringLiteral("PrintOriginPlaceholder")), true);
    Q_UNUSED(named);
    return object;
}

QPointer<QObject>& origin()
{
    static QPointer<QObject> current;
    return current;
}
} // namespace

QObject* PrintOrigin()
{
    QObject* o = origin().data();
    return o ? o : &placeholder();
}

void setPrintOrigin(QObject* o)
{
    origin() = o;
}

QObject* printOriginPlaceholder()
{
    return &placeholder();
}
