#pragma once
#include "reports/ReportContext.h"
#include "reports/ReportExpressionNode.h"

#include <QString>
#include <QVariant>

// What an expression reads while it is evaluated: fields, variables, totals, page and row.
class ReportExpressionScope {
public:
    virtual ~ReportExpressionScope() = default;
    // A field ("Dataset.Field" or a bare name) or a variable; false when there is none.
    virtual bool lookup(const QString& qualifier, const QString& name, QVariant* value) = 0;
    // The current value of an aggregate call (SUM(...) etc.) of this expression.
    virtual QVariant aggregate(const ReportExpressionNode& call) = 0;
    virtual int pageNumber() const = 0;
    virtual int rowNumber() const = 0;
    virtual const ReportContext& context() const = 0;
    // INI(section, key, default) through the context's configuration file.
    virtual QString iniValue(const QString& section, const QString& key, const QString& defaultValue);
};

struct ReportEvalResult {
    QVariant value;          // QString, double, bool, QDate, QDateTime or invalid (NULL)
    QString error;           // Slovenian; empty when evaluated
    int position = -1;       // 0-based in the expression text
    bool ok() const { return error.isEmpty(); }
};

// Evaluates a parsed expression; never throws. PAGECOUNT gives the page count mark of
// PreparedReport (resolved when painted), so it can be printed but not computed with.
ReportEvalResult evaluateReportExpression(const ReportExpressionNode& root, ReportExpressionScope& scope);
// The truth of a value for conditions: booleans, numbers other than 0, texts "T"/"true"/"Da".
bool reportTruth(const QVariant& value);
