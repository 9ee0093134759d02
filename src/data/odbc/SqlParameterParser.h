#pragma once
#include <QString>
#include <QStringList>

// Finds the named parameters of a statement text. Outside quoted strings (apostrophes or double
// quotes; a doubled quote inside stays part of the string) a ":" followed by a run of letters,
// digits, "_" and "@" is a parameter: it is replaced by the ODBC marker "?" and its name is
// listed, in order of appearance (a name used twice is listed twice). A ":" that is not followed
// by such a name, or that ends the text, is an error.
class SqlParameterParser {
public:
    static const QString InvalidTokenMessage;   // "Invalid parameter token in SQL statement."

    struct Result {
        bool ok = true;
        QString text;         // the statement with "?" in place of each parameter
        QStringList names;    // parameter names as written, in order of appearance
        QString error;        // InvalidTokenMessage when !ok
        int errorPosition = -1;
    };

    // Never throws.
    static Result parse(const QString& sql);
    // The distinct names, first appearance first, compared without regard to case.
    static QStringList distinctNames(const QStringList& names);
    static bool isNameChar(QChar c);
};
