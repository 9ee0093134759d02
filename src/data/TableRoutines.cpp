#include "data/TableRoutines.h"

#include "data/core/EAbort.h"
#include "data/log/ErrorLog.h"
#include "data/core/Exception.h"
#include "data/log/Guard.h"
#include "data/core/ProgramState.h"
#include "data/odbc/StatementCloser.h"
#include "data/odbc/THstmt.h"
#include "data/dataset/TwwOEDataSet.h"

#include <QDateTime>

namespace {
QString openMessage(const QString& name)
{
    return QStringLiteral("Napaka pri odpiranju datoteke: ") + name + QStringLiteral(" !");
}

// The failure path shared by the open and execute routines: optional error box, one log entry,
// then false or the failure raised again.
bool reportFailure(const std::exception& e, const LogSender& sender, const QString& operation,
                   const QString& message, bool show, bool raiseAlways)
{
    const bool abort = dynamic_cast<const EAbort*>(&e) != nullptr;
    if (show && !abort)
        ShowAndLogError(e, sender, operation, message);
    else
        LogException(&e, sender, operation);
    if (show || raiseAlways)
        RaiseSameMessage(e);
    return false;
}

// Runs body; a failure of any kind goes to onFailure as a std::exception.
template <class Body, class OnFailure>
auto runCatching(Body&& body, OnFailure&& onFailure) -> decltype(body())
{
    try {
        return body();
    } catch (const std::exception& e) {
        return onFailure(e);
    } catch (...) {
        const Exception e(QStringLiteral("Neznana napaka"));
        return onFailure(e);
    }
}

} // namespace

bool OpenTable(TwwOEDataSet& DataSet, bool ShowMessages)
{
    return runCatching(
        [&] {
            if (!DataSet.Active()) {
                DataSet.Open();
                LogTrace(&DataSet, QStringLiteral("OpenTable"));
            }
            return true;
        },
        [&](const std::exception& e) {
            return reportFailure(e, &DataSet, QStringLiteral("OpenTable-") + DataSet.Name(),
                                 openMessage(DataSet.Name()), ShowMessages, false);
        });
}

bool OpenTable(LocalTable& Table, const QString& Name, bool ShowMessages, LocalTable::OpenMode Mode)
{
    return runCatching(
        [&] {
            if (!Table.isOpen()) {
                Table.open(Mode);
                LogTrace(Name, QStringLiteral("OpenTable"));
            }
            return true;
        },
        [&](const std::exception& e) {
            return reportFailure(e, Name, QStringLiteral("OpenTable-") + Name, openMessage(Name), ShowMessages, false);
        });
}

bool ReOpenTable(TwwOEDataSet& DataSet, bool ShowMessages)
{
    DataSet.DisableControls();
    const bool result = guard(QStringLiteral("ReOpenTable"), &DataSet, false, [&] {
        DataSet.Close();
        return OpenTable(DataSet, ShowMessages);
    });
    DataSet.EnableControls();
    return result;
}

void TableRefresh(TwwOEDataSet& DataSet)
{
    guard(QStringLiteral("TableRefresh"), &DataSet, [&] {
        if (DataSet.Active()) {
            DataSet.Refresh();
            DataSet.EnableControls();
        }
    });
}

bool HstmtExecute(THstmt& Statement, bool ShowMessages)
{
    return runCatching(
        [&] {
            Statement.Execute();
            LogTrace(&Statement, QStringLiteral("HstmtExecute"));
            return true;
        },
        [&](const std::exception& e) {
            return reportFailure(e, &Statement, QStringLiteral("HstmtExecute-") + Statement.Name(),
                                 openMessage(Statement.Name()), ShowMessages, true);
        });
}

void SetDateOnNew(TwwOEDataSet& DataSet)
{
    guard(QStringLiteral("SetDateOnNew"), &DataSet, [&] {
        DataSet.FieldByName(QStringLiteral("DatumZap")).setAsDateTime(QDateTime::currentDateTime());
        DataSet.FieldByName(QStringLiteral("UserZap")).setAsString(CurrentUserID);
    });
}

void SetDateOnPost(TwwOEDataSet& DataSet)
{
    guard(QStringLiteral("SetDateOnPost"), &DataSet, [&] {
        DataSet.FieldByName(QStringLiteral("DatumSpre")).setAsDateTime(QDateTime::currentDateTime());
        DataSet.FieldByName(QStringLiteral("UserSpre")).setAsString(CurrentUserID);
    });
}

QString GetMaxValueInTable(THstmt& Statement, const QString& Field, const QString& Table, const QString& Where)
{
    const QString operation = QStringLiteral("GetMaxValueInTable-") + Field + QLatin1Char('-') + Table
        + QLatin1Char('-') + Where;
    return guardAndRaise(operation, &Statement, [&] {
        THstmt& s = Statement;
        s.Close();
        StatementCloser closer{s};
        QString sql = QStringLiteral("SELECT MAX(") + Field + QStringLiteral(") AS MaxValue FROM ") + Table;
        if (!Where.isEmpty())
            sql += QStringLiteral(" WHERE ") + Where;
        s.setSQL(sql);
        HstmtExecute(s, false);
        QString result;
        if (s.FetchNext())
            result = s.ColumnAsString(1);
        return result;
    });
}

int GetQueryRecordCount(THstmt& Statement, const QString& Table, const QString& Where)
{
    return guard(QStringLiteral("GetQueryRecordCount"), &Statement, 0, [&] {
        THstmt& s = Statement;
        s.Close();
        StatementCloser closer{s};
        QString sql = QStringLiteral("SELECT COUNT(*) AS Stevilo FROM ") + Table;
        if (!Where.isEmpty())
            sql += QStringLiteral(" WHERE ") + Where;
        s.setSQL(sql);
        int result = 0;
        if (HstmtExecute(s, false) && s.FetchNext())
            result = s.ColumnAsInteger(1);
        return result;
    });
}
