#include "printing/ReportCodes.h"

#include "data/core/EConvertError.h"

std::optional<int> reportCodeValue(const QString& code)
{
    if (code.isEmpty() || code.size() > 7)
        return std::nullopt;
    int value = 0;
    for (const QChar c : code) {
        const int digit = QStringLiteral("0123456789ABCDEF").indexOf(c.toUpper());
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + digit;
    }
    return value;
}

bool isSystemReportCode(const QString& code)
{
    const std::optional<int> value = reportCodeValue(code);
    if (!value)
        throw EConvertError(QStringLiteral("'$") + code + QStringLiteral("' ni veljavno šestnajstiško število"));
    return *value < FirstUserReportCode;
}
