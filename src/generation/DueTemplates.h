#pragma once
#include <QDate>
#include <QString>
#include <QStringList>

// The selection of due periodic templates, shared by the document runs and the listing.

enum class TemplateKind {
    Invoice,   // document business event of kind "F", Tip "I": issued invoices
    Order,     // document business event of kind "N": sale and purchase orders
};

// Columns of the template selection (numbered from 1, in select-list order).
namespace DueCol {
inline constexpr int Kljuc = 1;
inline constexpr int Subjekt = 2;      // a partner name, or a partner type when Tip is "T"
inline constexpr int NacIzrCene = 3;   // "F": the lines keep the template's prices
inline constexpr int Tip = 4;
inline constexpr int Periodika = 5;
inline constexpr int Datum = 6;
inline constexpr int DatZadFak = 7;
inline constexpr int PoslDogFak = 8;   // the documents' business event
inline constexpr int Valuta = 9;
inline constexpr int PoslDogTip = 10;  // orders only: the business event's Tip ("P" sale)
}

// Columns of the template-line statement (templateLinesOfSelect).
namespace LineCol {
inline constexpr int Kljuc = 1;   // the template's key
inline constexpr int Ident = 2;
inline constexpr int Naziv = 3;
inline constexpr int Kolicina = 4;
inline constexpr int Cena = 5;
inline constexpr int Rabat = 6;
inline constexpr int Opomba = 7;
}

// The due condition C for the due date (the first day of the invoiced period), with the
// optional partner and business-event criteria appended ("%" or "_" compare with LIKE).
QString dueCondition(TemplateKind kind, const QDate& dueDate, const QString& subjekt, const QString& poslDog);

// The table list and the where text that count the due templates (GetQueryRecordCount).
QString dueTemplatesTables();
QString dueTemplatesCountWhere(const QString& condition);

// The selection of the due templates, in key order.
QString dueTemplatesSelect(TemplateKind kind, const QString& condition);

// The same selection a block at a time: at most `rows` due templates whose key comes after
// *afterKey (from the first one when afterKey is null), in key order. The runs read the
// selection block by block, so that the driver never holds more than one block of it in memory
// however many templates are due. "ORDER BY G.Kljuc OFFSET 0 ROWS FETCH NEXT n ROWS ONLY" is
// understood by SQL Server (2012 and later) and by PostgreSQL alike.
QString dueTemplatesBlockSelect(TemplateKind kind, const QString& condition, const QString* afterKey, int rows);
inline constexpr int DueTemplatesBlock = 500;

// The partners of a partner type (a LIKE pattern on either partner type), in name order.
QString partnersOfTypeSelect(const QString& partnerType);

// The lines of templates in one statement (columns LineCol), by key and, within a template, by
// position (the order in which the template grid shows them).
QString templateLinesOfSelect(const QStringList& templateKeys);
