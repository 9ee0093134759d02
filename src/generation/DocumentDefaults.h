#pragma once
#include <QDate>
#include <QString>

// Defaults of the issued invoice being built (PrometRec, PrometPozRec in pricing/PrometRec.h)
// and the tax determination of a document line.
//
// Each operation fills fields of the working records from the master data (lookups of
// pricing/MasterLookups.h), the parameter row and the signed-in user. A master row that is not
// found is no error: its values are empty. Each operation catches its own failures: a failure is
// written to the error log under the operation's name and the operation ends with the fields set
// so far.

// Resets the header PrometRec to the defaults of business event e: placeholder key, clerk and
// department, the event's issuer, recipient and third person, today's dates, home currency at
// rate 1, sale mode "K", price class "1", zero totals, empty texts; and, when the event is of
// Tip "I" or "M" and names an existing default partner, that partner's terms.
// today: the day of the run. Error-log operation "PrometDefaultValue".
void tbPrometDefaultValue(const QString& e, const QDate& today = QDate::currentDate());

// Copies the customer terms of partner n into PrometRec (empty terms when it does not exist):
// price class, clerk (parameter POLNIREFIZSUBJ "T"), statement, sale mode, way of payment,
// delivery, currency, days to pay, the yearly statement when it has one; then the exchange rate
// of the currency at the bank BANKASLOVENIJE on the document date (1 when none) and the due
// date DatumDDV + DniZaPlac. side: "I" (the only side used). Error-log operation
// "PrometSubjDefaultValue".
void tbPrometSubjDefaultValue(const QString& n, const QString& side = QStringLiteral("I"));

// Resets the line PrometPozRec: zero numbers, empty texts, FieldL "F", the user in
// UserSpre/UserZap. Error-log operation "tbPrometPozDefaultValue".
void tbPrometPozDefaultValue();

// Copies the data of the item whose code is in PrometPozRec.Ident into the line, its prices
// converted into the header's currency; the item's cost fields when the header's business
// event has PolPreCene "T"; in VAT mode the item's tax code and rate into TSDDV/DavekDDV.
// side: "I" (the only side used). Error-log operation "PrometPozIdentDefaultValue".
void tbPrometPozIdentDefaultValue(const QString& side = QStringLiteral("I"));

// The tax code and rate of a line of item i sold with sale mode m, and the item's excise:
// without VAT mode an item whose kind has Tip "S" counts as sold with "K"; an empty mode gives
// the no-tax code TSBREZDAVKA; in VAT mode a mode beginning with "I" gives TSBREZDAVKA and any
// other the item's TS; without VAT mode "K" gives the item's TS, "Z" its reduced TSZnizana and
// any other letter TSBREZDAVKA. The rate is that of the code in TarSt, 0 when it is not there.
// Error-log operation "DolociDavekPoz".
void tbDolociDavekPoz(const QString& m, const QString& i, QString& ts, double& davek, double& trosarina,
                      double& trosarinaP);

// The value-added-tax mode (configuration key DDV) that the tax determination follows.
bool vatModeOn();
