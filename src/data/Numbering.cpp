#include "data/Numbering.h"

#include "data/core/EAbort.h"
#include "data/core/Exception.h"
#include "data/log/Guard.h"
#include "data/log/MessageBoxes.h"
#include "data/core/SqlLiterals.h"
#include "data/TableRoutines.h"
#include "data/core/TextRoutines.h"
#include "data/dataset/TwwOEDataSet.h"

namespace {
// Characters 5 to 9 of a key as a counter; throws when they are not five digits.
int counterOf(const QString& key)
{
    const QString digits = key.mid(4, 5);
    bool allDigits = digits.size() == 5;
    for (QChar c : digits)
        allDigits = allDigits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    if (!allDigits)
        throw Exception(QStringLiteral("Ključ ") + key + QStringLiteral(" nima števca v znakih 5 do 9 !"));
    return digits.toInt();
}
} // namespace

QString NovaStevGlavC(THstmt& Statement, const QString& Table, const QString& KeyField, const QString& Prefix)
{
    return guardAndRaise(QStringLiteral("NovaStevGlavC-") + Table, &Statement, [&] {
        const QString max = GetMaxValueInTable(Statement, KeyField, Table,
                                               KeyField + QStringLiteral(" LIKE '") + sqlStrApostrof(Prefix) + QStringLiteral("%'"));
        if (max.isEmpty())
            return Prefix + StrZeroInt(1, 5);
        const int counter = counterOf(max) + 1;
        if (counter > MaxDocumentCounter)
            throw Exception(QStringLiteral("Števec dokumentov %1 je dosegel največjo vrednost %2 ! Novega ključa ni mogoče določiti.")
                                .arg(Prefix)
                                .arg(MaxDocumentCounter));
        return Prefix + StrZeroInt(counter, 5);
    });
}

void GlavaKljucDefault(TwwOEDataSet& DataSet)
{
    guard(QStringLiteral("GlavaKljucDefault"), &DataSet, [&] {
        if (DataSet.State() != dsInsert)
            return;
        DataSet.FieldByName(QStringLiteral("KLJUC"))
            .setAsString(YearS(2, DataSet.FieldByName(QStringLiteral("DATUM")).asDateTime())
                         + DataSet.FieldByName(QStringLiteral("POSLDOG")).asString() + UnnumberedCounter);
    });
}

QString TestStevGlavKljuc(THstmt& Statement, TwwOEDataSet& DataSet, const QString& Table, bool CheckYear)
{
    return guardAndRaise(QStringLiteral("TestStevGlavKljuc"), &DataSet, [&] {
        QString result;
        TField& kljuc = DataSet.FieldByName(QStringLiteral("KLJUC"));
        const QString year = YearS(2, DataSet.FieldByName(QStringLiteral("DATUM")).asDateTime());
        if (DataSet.State() == dsInsert) {
            const QString prefix = year + DataSet.FieldByName(QStringLiteral("POSLDOG")).asString();
            result = NovaStevGlavC(Statement, Table, QStringLiteral("Kljuc"), prefix);
            kljuc.setAsString(result);
        }
        if (CheckYear && year != kljuc.asString().left(2)) {
            showError(QStringLiteral("Letnica datuma mora biti enaka letnici dokumenta!"));
            Abort();
        }
        return result;
    });
}

int NovaStevPozN(THstmt& Statement, const QString& Table, const QString& Kljuc, int Step)
{
    return guard(QStringLiteral("NovaStevPozN-") + Table, &Statement, 0, [&] {
        const QString max = GetMaxValueInTable(Statement, QStringLiteral("Poz"), Table,
                                               QStringLiteral("Kljuc = '") + sqlStrApostrof(Kljuc) + QStringLiteral("'"));
        return Step + TrimStrToInt(max);
    });
}
