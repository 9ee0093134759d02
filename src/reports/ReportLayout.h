#pragma once
#include "reports/PreparedReport.h"
#include "reports/ReportContext.h"
#include "reports/ReportDataSource.h"
#include "reports/ReportDefinition.h"
#include "reports/ReportExpression.h"
#include "reports/ReportExpressionEvaluator.h"
#include "reports/TextMeasure.h"

#include <QHash>

#include <unordered_map>

// The layout engine behind ReportGenerator: walks the rows of the detail dataset and places
// the bands on pages of a PreparedReport.
//
// prepare() binds the data and compiles every expression (errors name the band and element);
// step() lays out one row (with the group changes before it) and returns false at the end;
// finish() prints what follows the last row. Failures are returned as messages, never thrown.
class ReportLayout : public ReportExpressionScope {
public:
    ReportLayout(const ReportDefinition& definition, const ReportDataSources& sources,
                 const ReportContext& context, PreparedReport& out);
    ~ReportLayout() override;

    QString prepare();            // empty when ready to run
    bool step();                  // false when there is no row left (or it failed)
    void finish();
    const QString& error() const { return m_error; }
    int progressPercent() const;
    int rowNumber() const override { return m_rowNumber; }
    int settledPages() const;     // pages that will not change any more

    // ReportExpressionScope
    bool lookup(const QString& qualifier, const QString& name, QVariant* value) override;
    QVariant aggregate(const ReportExpressionNode& call) override;
    int pageNumber() const override { return m_page + 1; }
    const ReportContext& context() const override { return m_context; }

private:
    struct Compiled;              // an expression with where it stands, for messages
    struct ElementPlan;
    struct BandPlan;
    struct Accumulator;
    struct RenderedBand;

    bool compile(const QString& text, const QString& where, Compiled& out, int bandIndex);
    void collectAggregates(const ReportExpressionNode& node, int bandIndex);
    bool evaluate(const Compiled& c, QVariant* value);
    bool conditionHolds(const Compiled& c);

    void startPage();
    void endPage(bool last);
    double pageBottomLimit() const;
    bool placeBand(int bandIndex, bool allowPageBreak = true);
    bool renderBand(int bandIndex, RenderedBand& out);
    void emitBand(int bandIndex, RenderedBand& band, double top);
    void printWithChildren(int bandIndex);
    void printGroupHeaders(int fromLevel);
    void printGroupFooters(int fromLevel);
    void resetAccumulators(ReportResetScope scope, int groupLevel);
    void accumulate(bool pageScope);
    void readRow();
    bool fail(const QString& message);

    const ReportDefinition& m_def;
    const ReportDataSources& m_sources;
    const ReportContext& m_context;
    PreparedReport& m_out;
    TextMeasure m_measure;

    std::vector<BandPlan> m_bands;
    std::vector<Accumulator> m_accumulators;
    std::unordered_map<const ReportExpressionNode*, int> m_accumulatorOf;
    std::vector<std::pair<QString, int>> m_variables;     // name -> accumulator
    std::vector<ReportExpression> m_variableExpressions;
    std::vector<int> m_groupHeaders;                      // band indexes, outermost first
    std::vector<int> m_groupFooterOfLevel;                // band index or -1, per level
    std::vector<QVariant> m_groupKeys;                    // current key per level

    ReportDataSource* m_main = nullptr;
    QHash<QString, int> m_fieldIndex;                     // upper-case field name -> column
    QStringList m_fieldNames;
    std::vector<ReportFieldKind> m_fieldKinds;
    QVariantList m_row;                                   // values of the current row
    bool m_haveRow = false;
    int m_rowNumber = 0;
    int m_totalRows = -1;

    int m_page = -1;
    double m_y = 0;
    bool m_pageHasContent = false;
    bool m_started = false;
    bool m_finished = false;
    bool m_inDetail = false;
    int m_printingBand = -1;                              // band whose aggregates are read
    QString m_error;
};
