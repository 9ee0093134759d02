#include "LoginDateCheck.h"

#include "LoginRules.h"

#include "data/DataSif.h"
#include "data/dataset/TField.h"
#include "data/log/Guard.h"

std::optional<QString> RunLoginDateCheck(const QDate& today, const LogSender& sender)
{
    TwwOEDataSet& param = *requireDataSif().tbParameter;
    param.Refresh();
    TField& last = param.FieldByName(QStringLiteral("AVTODATUMVSTOPA"));
    const QDateTime lastLogin = last.asDateTime();
    switch (CheckLoginDate(today, lastLogin)) {
    case LoginDateVerdict::Refuse:
        return LoginDateMessage(lastLogin.date(), today);
    case LoginDateVerdict::Store:
        guard(QStringLiteral("TestPassword"), sender, [&] {
            try {
                param.Edit();
                last.setAsDateTime(QDateTime(today, QTime(0, 0)));
                param.Post();
            } catch (...) {
                if (param.State() == dsEdit)
                    param.Cancel();
                throw;
            }
        });
        break;
    case LoginDateVerdict::Unchanged:
        break;
    }
    return std::nullopt;
}
