#include "data/config/VersionInfo.h"

#include "data/core/ProgramState.h"

#include "BuildInfo.h"

#include <QCoreApplication>
#include <QFile>

namespace {
// Kept in the binary even when nothing reads it directly.
[[gnu::used]] const char VersionMarker[] = "OBDRAC-VERSION:" OBDRAC_VERSION_TEXT "+" OBDRAC_BUILD_TEXT;
constexpr qsizetype PrefixLength = 15;   // "OBDRAC-VERSION:"

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// "<digits>(.<digits>)*+<digits>" at the start of data, ended by a non-digit or the end.
bool parseMarkerTail(const char* p, const char* end, QString& version, QString& build)
{
    const char* start = p;
    bool digit = false;
    while (p < end && (isDigit(*p) || (*p == '.' && digit))) {
        digit = isDigit(*p);
        ++p;
    }
    if (p == start || p >= end || *p != '+' || !digit)
        return false;
    const char* versionEnd = p++;
    const char* buildStart = p;
    while (p < end && isDigit(*p) && p - buildStart < 10)
        ++p;
    if (p == buildStart || (p < end && isDigit(*p)))
        return false;
    version = QString::fromLatin1(start, versionEnd - start);
    build = QString::number(QByteArray(buildStart, p - buildStart).toLongLong());
    return true;
}
} // namespace

QString programVersionMarker() { return QString::fromLatin1(VersionMarker); }

bool GetFileVersionAndBuild(const QString& fileName, QString& version, QString& build)
{
    version = "0";
    build = "0";
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray prefix(VersionMarker, PrefixLength);
    // Read in overlapping blocks so that large programs need no large buffer.
    constexpr qint64 Block = 1 << 20;
    QByteArray carry;
    while (true) {
        const QByteArray chunk = file.read(Block);
        if (chunk.isEmpty() && carry.isEmpty())
            break;
        const QByteArray data = carry + chunk;
        const bool last = chunk.isEmpty() || file.atEnd();
        qsizetype from = 0;
        qsizetype usable = last ? data.size() : data.size() - 64;   // a marker may run into the next block
        while (true) {
            const qsizetype at = data.indexOf(prefix, from);
            if (at < 0 || at >= usable)
                break;
            QString v, b;
            if (parseMarkerTail(data.constData() + at + PrefixLength, data.constData() + data.size(), v, b)) {
                version = v;
                build = b;
                return true;
            }
            from = at + 1;
        }
        if (last)
            break;
        carry = data.mid(std::max<qsizetype>(usable, 0));
    }
    return false;
}

bool loadProgramVersion()
{
    QString version, build;
    const bool found = QCoreApplication::instance()
        && GetFileVersionAndBuild(QCoreApplication::applicationFilePath(), version, build);
    ProgramVersion = found ? version : QString("0");
    ProgramBuildNo = found ? build : QString("0");
    return found;
}
