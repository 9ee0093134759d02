#include "generation/GenerationResult.h"

int GenerationResult::exitCode() const
{
    switch (outcome) {
    case Outcome::Completed: return documentsNotWritten > 0 || templatesNotMade > 0 ? 1 : 0;
    case Outcome::Refused: return 2;
    case Outcome::Failed: return 3;
    case Outcome::Cancelled: return 4;
    }
    return 3;
}

QStringList GenerationResult::summaryLines() const
{
    QStringList lines;
    if (outcome == Outcome::Cancelled || outcome == Outcome::Refused)
        return lines;
    if (documentsWritten() == 0 && documentsNotWritten == 0 && templatesNotMade == 0 && outcome == Outcome::Completed)
        lines << QStringLiteral("Ni zapadlih periodik: noben dokument ni kreiran.");
    else
        lines << QStringLiteral("Kreiranih dokumentov: %1 (računov: %2, naročil: %3).")
                     .arg(documentsWritten())
                     .arg(invoicesWritten)
                     .arg(ordersWritten);
    if (documentsNotWritten > 0)
        lines << QStringLiteral("Nezapisanih dokumentov: %1 (periodike ostanejo zapadle in jih naslednje kreiranje "
                                "naredi).")
                     .arg(documentsNotWritten);
    if (templatesNotMade > 0)
        lines << QStringLiteral("Zapadlih periodik brez dokumenta: %1 (razlog je v vrstici NI KREIRAN; periodike "
                                "ostanejo zapadle, dokler jih ne popraviš).")
                     .arg(templatesNotMade);
    if (outcome == Outcome::Failed)
        lines << QStringLiteral("Kreiranje je bilo prekinjeno zaradi napake: ") + error;
    return lines;
}
