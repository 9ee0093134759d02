#include "printing/DodatnoMenu.h"

#include "data/config/ProgramIni.h"
#include "data/config/ProgramStart.h"
#include "data/core/EConvertError.h"
#include "data/core/TextRoutines.h"
#include "data/log/Guard.h"

namespace {
const QString Section = QStringLiteral("Dodatno");
const QString ItemPrefix = QStringLiteral("Dodatno");
constexpr int MaxCommandLine = 255;

int itemsPerColumn()
{
    const QString text = GetStringFromIniFile(QStringLiteral("Program"), QStringLiteral("PoslDogMainMenuLevel"),
                                              QStringLiteral("15"));
    bool ok = false;
    const int level = text.trimmed().toInt(&ok);
    if (!ok)
        throw EConvertError("'" + text + "' is not a valid integer value");
    return level;
}
} // namespace

std::vector<DodatnoMenuEntry> DodatnoMenuEntries()
{
    const int level = itemsPerColumn();
    std::vector<DodatnoMenuEntry> entries;
    int column = 1;
    for (int k = 1; k <= 99; ++k) {
        if (column > level) {
            entries.push_back({QString(), QString(), true});
            column = 1;
        }
        const QString key = StrZeroInt(k, 2);
        const QString value = GetStringFromIniFile(Section, key, QString());
        if (value.isEmpty())
            break;
        const qsizetype semicolon = value.indexOf(u';');
        entries.push_back({ItemPrefix + key, semicolon < 0 ? QString() : value.left(semicolon), false});
        ++column;
    }
    return entries;
}

QString DodatnoKeyOf(const QString& itemName) { return itemName.mid(ItemPrefix.size(), 2); }

QString DodatnoCommandLine(const QString& value)
{
    return value.mid(value.indexOf(u';') + 1, MaxCommandLine);
}

int DodatnoCall(const QString& itemName, const DodatnoStarter& starter)
{
    const QString key = DodatnoKeyOf(itemName);
    return guard("DodatnoCall-" + key, itemName, 0, [&]() -> int {
        const QString value = GetStringFromIniFile(Section, key, QString());
        if (value.isEmpty())
            return 0;
        const QString commandLine = DodatnoCommandLine(value);
        return starter ? starter(commandLine, ShowModeNormal) : TWinExec(commandLine, ShowModeNormal);
    });
}
