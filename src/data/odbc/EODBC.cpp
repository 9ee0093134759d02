#include "data/odbc/EODBC.h"

#include <sqlext.h>
#include <sqlucode.h>

#include <QStringList>
#include <algorithm>

const QString EODBC::UnableToRetrieve = QStringLiteral("Unable to Retrieve ODBC Error");
const QString EODBC::InvalidHandle = QStringLiteral("Invalid ODBC Handle");
const QString EODBC::NoDataFound = QStringLiteral("No Data Found");

QString EODBC::returnCodeText(int rc) { return QStringLiteral("ODBC Return Code ") + QString::number(rc); }

EODBC::EODBC(std::vector<OdbcDiagnostic> records) : m_records(std::move(records))
{
    if (m_records.empty())
        m_records.push_back({QString(), 0, UnableToRetrieve});
    updateWhat();
}

EODBC EODBC::fromMessage(const QString& message) { return EODBC({{QString(), 0, message}}); }

void EODBC::setCurrentIndex(int index)
{
    m_current = std::clamp(index, 0, recordCount() - 1);
    updateWhat();
}

QString EODBC::sqlStateClass() const { return m_records.front().sqlState.left(2); }

bool EODBC::hasSqlState(const QString& stateOrClass) const
{
    for (const auto& r : m_records)
        if (r.sqlState.startsWith(stateOrClass, Qt::CaseInsensitive) && !stateOrClass.isEmpty())
            return true;
    return false;
}

QString EODBC::fullText() const
{
    QStringList lines;
    for (const auto& r : m_records)
        lines << QStringLiteral("%1 (%2): %3").arg(r.sqlState).arg(r.nativeError).arg(r.message);
    return lines.join(QLatin1Char('\n'));
}

void EODBC::setSqlState(int index, const QString& state)
{
    if (index >= 0 && index < recordCount())
        m_records[size_t(index)].sqlState = state;
}

void EODBC::updateWhat() { m_what = message().toUtf8(); }

namespace {
constexpr int MaxMessageChars = 256;
// A driver that never answers SQL_NO_DATA must not keep us reading for ever.
constexpr SQLSMALLINT MaxRecords = 64;

QString fromWide(const SQLWCHAR* text, int length)
{
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(text), length);
}
} // namespace

std::vector<OdbcDiagnostic> readOdbcDiagnostics(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle)
{
    std::vector<OdbcDiagnostic> records;
    if (rc == SQL_INVALID_HANDLE || handle == SQL_NULL_HANDLE) {
        records.push_back({QString(), 0, EODBC::InvalidHandle});
        return records;
    }
    bool endedWithNoData = false;
    for (SQLSMALLINT i = 1; i <= MaxRecords; ++i) {
        SQLWCHAR state[6] = {};
        SQLINTEGER native = 0;
        // Large enough for every driver message we have met; a longer one is cut, never asked for
        // twice (some drivers lose or repeat records when a record is read again).
        SQLWCHAR text[2048] = {};
        SQLSMALLINT textLength = 0;
        const SQLRETURN r = SQLGetDiagRecW(handleType, handle, i, state, &native, text,
                                           SQLSMALLINT(sizeof(text) / sizeof(text[0])), &textLength);
        if (r == SQL_NO_DATA) {
            endedWithNoData = true;
            break;
        }
        if (r != SQL_SUCCESS && r != SQL_SUCCESS_WITH_INFO)
            break;
        int n = textLength;
        if (n < 0 || n >= int(sizeof(text) / sizeof(text[0])))
            n = int(sizeof(text) / sizeof(text[0])) - 1;
        QString message = fromWide(text, n);
        while (message.endsWith(QLatin1Char('\n')) || message.endsWith(QLatin1Char('\r')))
            message.chop(1);
        records.push_back({fromWide(state, 5).trimmed(), qint32(native), message.left(MaxMessageChars)});
    }
    if (records.empty()) {
        const bool plainFailure = rc == SQL_ERROR || rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO;
        if (rc == SQL_NO_DATA)
            records.push_back({QString(), 0, EODBC::NoDataFound});
        else if (!plainFailure)
            records.push_back({QString(), 0, EODBC::returnCodeText(rc)});
        else
            records.push_back({QString(), 0, EODBC::UnableToRetrieve});
    } else if (!endedWithNoData) {
        records.push_back({QString(), 0, EODBC::UnableToRetrieve});
    }
    return records;
}

SQLRETURN checkOdbc(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle, OdbcAllow allow)
{
    if (rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO)
        return rc;
    const unsigned a = unsigned(allow);
    if (rc == SQL_NO_DATA && (a & unsigned(OdbcAllow::NoData)))
        return rc;
    if (rc == SQL_NEED_DATA && (a & unsigned(OdbcAllow::NeedData)))
        return rc;
    if (rc == SQL_NO_DATA)   // a call that had to produce something produced nothing
        throw EODBC({{QString(), 0, EODBC::NoDataFound}});
    throw EODBC(readOdbcDiagnostics(rc, handleType, handle));
}
