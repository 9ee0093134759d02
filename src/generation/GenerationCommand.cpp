#include "generation/GenerationCommand.h"

#include "data/DataSif.h"
#include "data/core/EAbort.h"
#include "data/log/ErrorLog.h"
#include "data/core/Exception.h"
#include "data/log/MessageBoxes.h"
#include "generation/DocumentRun.h"
#include "generation/RunLock.h"

#include <memory>

GenerationResult bKreiranjeClick(const GenerationCriteria& criteria, const GenerationCallbacks& callbacks)
{
    GenerationResult result;
    const auto reopen = [&] {
        if (callbacks.reopenTemplates)
            callbacks.reopenTemplates();
    };
    if (callbacks.clearLog)
        callbacks.clearLog();
    if (askConfirmation(QStringLiteral("Ali res želiš kreirati dokumente ?")) == MsgButton::Cancel) {
        result.outcome = GenerationResult::Outcome::Cancelled;
        reopen();
        return result;
    }

    std::unique_ptr<RunLock> lock;
    try {
        if (!DataSif)
            throw Exception(QStringLiteral("Podatkovni modul ni odprt !"));
        RunLock::Outcome lockOutcome = RunLock::Outcome::NotSupported;
        lock = RunLock::tryAcquire(DataSif->DatabaseHstmt, lockOutcome);
        if (lockOutcome == RunLock::Outcome::Busy) {
            result.outcome = GenerationResult::Outcome::Refused;
            result.error = QStringLiteral("Kreiranje dokumentov v tem podjetju že teče (drug uporabnik ali program) !\n"
                                          "Počakaj, da se konča, in poskusi znova.");
            showError(result.error);
            reopen();
            return result;
        }
    } catch (const std::exception& e) {
        result.outcome = GenerationResult::Outcome::Refused;
        result.error = QStringLiteral("Kreiranja dokumentov ni mogoče začeti !\n") + QString::fromUtf8(e.what());
        ShowAndLogError(e, nullptr, QStringLiteral("bKreiranjeClick"),
                        QStringLiteral("Kreiranja dokumentov ni mogoče začeti !"));
        reopen();
        return result;
    }

    try {
        DocumentRun run(criteria, callbacks, result);
        try {
            run.KreirajIzdRac();
            run.KreirajNaroc();
        } catch (const EAbort&) {
            run.abandon(QStringLiteral("kreiranje je bilo prekinjeno"));
            throw;
        } catch (...) {
            run.abandon(QStringLiteral("kreiranje je bilo prekinjeno zaradi napake: ")
                        + describeException(std::current_exception()).message);
            throw;
        }
    } catch (const EAbort&) {
        result.outcome = GenerationResult::Outcome::Failed;
    } catch (...) {
        // The error that ended the command: shown with its own message, as the application
        // shows an error that reaches it.
        result.outcome = GenerationResult::Outcome::Failed;
        result.error = describeException(std::current_exception()).message;
        LogCurrentException(nullptr, QStringLiteral("bKreiranjeClick"));
        showError(result.error);
    }
    lock.reset();
    reopen();
    return result;
}
