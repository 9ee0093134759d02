#pragma once
#include "reports/ReportExpression.h"
#include "reports/ReportExpressionEvaluator.h"

#include <QDate>
#include <QMap>

// Fields and values for evaluating expressions outside a report run.
class ExpressionTestScope : public ReportExpressionScope {
public:
    ExpressionTestScope()
    {
        fields.insert(QStringLiteral("KOLICINA"), 2.5);
        fields.insert(QStringLiteral("CENA"), 1234.5);
        fields.insert(QStringLiteral("RABAT"), 10.0);
        fields.insert(QStringLiteral("SUBJEKT"), QStringLiteral("  Čebelarstvo Žužek  "));
        fields.insert(QStringLiteral("DATUM"), QDate(2026, 12, 9));
        fields.insert(QStringLiteral("PRAZNO"), QVariant());
        fields.insert(QStringLiteral("TBPARAMETER.NAZIV"), QStringLiteral("Podjetje d.o.o."));
        ctx.printDateTime = QDateTime(QDate(2026, 12, 9), QTime(14, 5));
        ctx.setCriterion(QStringLiteral("Obdobje"), QStringLiteral("december 2026"));
    }
    bool lookup(const QString& qualifier, const QString& name, QVariant* value) override
    {
        const QString key = (qualifier.isEmpty() ? QString() : qualifier.toUpper() + QLatin1Char('.')) + name.toUpper();
        if (!fields.contains(key))
            return false;
        *value = fields.value(key);
        return true;
    }
    QVariant aggregate(const ReportExpressionNode&) override { return 42.0; }
    int pageNumber() const override { return 3; }
    int rowNumber() const override { return 17; }
    const ReportContext& context() const override { return ctx; }

    QMap<QString, QVariant> fields;
    ReportContext ctx;
};
