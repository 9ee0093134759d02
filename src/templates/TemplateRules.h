#pragma once
#include <QDateTime>
#include <QString>

#include <optional>

// The arithmetic and the checks of a periodic template, without datasets: a template is invoiced
// every PERIODIKA days from DATUM; STEVOBROKOV periods after DATUM lies its closing date DATUMZAK.

// The message for a TIP that is neither "P" (one partner) nor "T" (every partner of a type).
inline const QString TipMessage = QStringLiteral("Tip je lahko samo (P)artner ali (T)ip partnerja !");

// TIP as typed: the text in upper case when it is "P" or "T"; nothing otherwise.
std::optional<QString> TipFromText(const QString& text);

// DATUM + STEVOBROKOV x PERIODIKA days (the time of day of DATUM is kept). Invalid when DATUM is.
QDateTime DatumZakFor(const QDateTime& datum, qint64 stevObrokov, qint64 periodika);

// Days from DATUM to DATUMZAK, counted on the calendar (a change of summer time does not make a
// day shorter), with the difference of the times of day as a fraction of a day.
double DaysBetween(const QDateTime& datum, const QDateTime& datumZak);

// The number of periods between DATUM and DATUMZAK: the days between them divided by PERIODIKA
// and rounded to the nearest integer, a half going to the even neighbour (1.5 gives 2, 2.5
// gives 2); 0 when PERIODIKA is 0.
qint64 StevObrokovFor(const QDateTime& datum, const QDateTime& datumZak, qint64 periodika);

// Rounds to the nearest integer, halves to the even neighbour.
qint64 roundHalfToEven(double value);

// The messages that refuse to post a template that cannot make a right document.
inline const QString NoPartnerMessage =
    QStringLiteral("Periodika nima partnerja !\nVpiši partnerja (ali tip partnerja) v stolpec \"Partner / Tip partnerja\".");
inline const QString NoDocumentEventMessage = QStringLiteral(
    "Periodika nima poslovnega dogodka dokumentov !\nIzberi ga v stolpcu \"Posl. dog.\" (izdani računi ali naročila).");

// The first due date that the runs would pick for a template ("Naslednji račun"): DATUM when it
// was never invoiced, else DATZADFAK + PERIODIKA days (never before DATUM); invalid when the
// template is not active (AKTIVNO other than "T") or its last document lies after its closing
// date DATUMZAK (or it has been invoiced and has no closing date), so that it is not invoiced
// again.
QDate NextDueDate(const QString& aktivno, const QDate& datum, const QDate& datZadFak, qint64 periodika,
                  const QDate& datumZak);
