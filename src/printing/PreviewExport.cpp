#include "printing/PreviewExport.h"

#include "data/local/LocalPaths.h"
#include "data/log/ErrorLog.h"
#include "data/log/MessageBoxes.h"
#include "printing/EExportFailed.h"
#include "printing/EExternalProgram.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const QString WaitForPages = QStringLiteral("Prosim počakajte da se odprejo vse strani!");

// Deletes the old file and writes the new one; false when the export stops here.
bool writeFresh(const QString& path, const ReportFileWriter& write, const LogSender& sender,
                const QString& operation)
{
    try {
        QFile::remove(path);
        if (!write(path))
            return false;
        if (!QFileInfo::exists(path))
            throw EExportFailed(QStringLiteral("Datoteka %1 ni bila zapisana.").arg(path));
        return true;
    } catch (const std::exception& e) {
        ShowAndLogError(e, sender, operation,
                        QStringLiteral("Poročila ni mogoče zapisati v datoteko %1").arg(path));
        return false;
    }
}
} // namespace

QString PreviewTempPath(const QString& name)
{
    const QString folder = LocalPaths::dataFolder();
    QDir().mkpath(folder);
    return LocalPaths::join(folder, name);
}

bool ExportToOfficeProgram(OfficeProgram program, const QString& fileName, bool pagesPending,
                           const ReportFileWriter& write, const LogSender& sender,
                           const QString& operation)
{
    if (pagesPending) {
        showError(WaitForPages);
        return false;
    }
    const QString path = PreviewTempPath(fileName);
    if (!writeFresh(path, write, sender, operation))
        return false;
    try {
        OpenInOfficeProgram(program, path);
    } catch (const EExternalProgram& e) {
        ShowAndLogError(e, sender, operation, QStringLiteral("Ne morem odpreti aplikacije"));
        return false;
    }
    return true;
}

std::optional<QString> WriteMailAttachment(bool pagesPending, const ReportFileWriter& write,
                                           const LogSender& sender, const QString& operation)
{
    if (pagesPending) {
        showError(WaitForPages);
        return std::nullopt;
    }
    const QString path = PreviewTempPath(MailTempFile);
    if (!writeFresh(path, write, sender, operation))
        return std::nullopt;
    return path;
}
