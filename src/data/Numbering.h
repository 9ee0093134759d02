#pragma once
#include <QString>

class THstmt;
class TwwOEDataSet;

// Document and line numbering. A document key (Kljuc, nine characters) is the two-digit year of
// the document date, the two-character business event (PoslDog) and a five-digit counter with
// leading zeros: year 03, business event 10 and counter 42 give 031000042. The counter runs per
// year and business event; a header not yet posted carries "?????" as its counter. Numbers are
// drawn as the greatest key plus one, without any lock. The routines take the statement they
// query with; DataSifRoutines.h has the same under their own names on the data module's
// qQueryFind.

// The counter that marks a key not numbered yet.
inline const QString UnnumberedCounter = QStringLiteral("?????");
// The greatest counter a key can hold.
inline constexpr int MaxDocumentCounter = 99999;

// The next key for the prefix (two-digit year + business event): the greatest KeyField of Table
// that starts with the prefix, its characters 5 to 9 read as a number plus one, with five digits;
// prefix + "00001" when there is none. A failure (the query, characters 5 to 9 that are not a
// number, or a counter that would pass 99999) is logged as "NovaStevGlavC-" + Table and raised
// again as a plain Exception.
QString NovaStevGlavC(THstmt& Statement, const QString& Table, const QString& KeyField, const QString& Prefix);

// In insert state: KLJUC := YearS(2, DATUM) + POSLDOG + "?????". Failures are logged as
// "GlavaKljucDefault".
void GlavaKljucDefault(TwwOEDataSet& DataSet);

// Called before a header is posted. In insert state KLJUC gets its final number
// (NovaStevGlavC(Table, "Kljuc", year of DATUM + POSLDOG)), which is the result; otherwise the
// result is empty. With CheckYear, a KLJUC whose first two characters differ from the two-digit
// year of DATUM is refused with the error box "Letnica datuma mora biti enaka letnici
// dokumenta!" and a silent abort (EAbort), so that the post is cancelled. Other failures are
// logged as "TestStevGlavKljuc" and raised again.
QString TestStevGlavKljuc(THstmt& Statement, TwwOEDataSet& DataSet, const QString& Table, bool CheckYear);

// The next line position of a document: Step + the greatest Poz of Table for the key (0 when the
// document has no lines). A failure is logged as "NovaStevPozN-" + Table and gives 0.
int NovaStevPozN(THstmt& Statement, const QString& Table, const QString& Kljuc, int Step);
