#pragma once
#include <QDate>
#include <QString>

// Defaults of the order being built (NarocRec, NarocPozRec in NarocRec.h).

// Loads business event e (FindPoslDog) and resets the header NarocRec to its defaults: today's
// date, placeholder key, the user as clerk, the event's department (else the user's), price
// class "1", sale mode "K", no days to pay, the validity NAROCDNIZAVELJ and the date valid until
// (today plus that many days; not recomputed later), the home currency, the event's recipient
// as ordering partner and its third person as recipient, empty dates, texts and totals.
// today: the day of the run. Error-log operation "tbNarocDefaultValue".
void tbNarocDefaultValue(const QString& e, const QDate& today = QDate::currentDate());

// Resets the line NarocPozRec: zero numbers, empty texts and dates, the user in
// UserSpre/UserZap. Error-log operation "tbNarocPozDefaultValue".
void tbNarocPozDefaultValue();
