#include "reports/layout/ReportLayout.h"
#include "reports/expression/ReportFormat.h"

#include <cmath>

namespace {

constexpr double textPaddingMm = 0.5;    // between a text and the sides of its box (see paint)

bool isContentBand(ReportBandKind k)
{
    return k != ReportBandKind::PageHeader && k != ReportBandKind::PageFooter && k != ReportBandKind::ColumnHeader;
}

int alignmentFlags(const ReportElement& e)
{
    int f = 0;
    switch (e.hAlign) {
    case ReportHAlign::Left: f |= Qt::AlignLeft; break;
    case ReportHAlign::Center: f |= Qt::AlignHCenter; break;
    case ReportHAlign::Right: f |= Qt::AlignRight; break;
    case ReportHAlign::Justify: f |= Qt::AlignJustify; break;
    }
    switch (e.vAlign) {
    case ReportVAlign::Top: f |= Qt::AlignTop; break;
    case ReportVAlign::Middle: f |= Qt::AlignVCenter; break;
    case ReportVAlign::Bottom: f |= Qt::AlignBottom; break;
    }
    return f;
}

quint8 frameSides(const ReportFrame& f)
{
    return quint8((f.left ? 1 : 0) | (f.top ? 2 : 0) | (f.right ? 4 : 0) | (f.bottom ? 8 : 0));
}

PreparedFont preparedFont(const ReportFont& f)
{
    return PreparedFont{f.family, f.pointSize, f.bold, f.italic, f.underline};
}

}   // namespace

struct ReportLayout::Compiled {
    ReportExpression expression;
    QString where;
    bool isSet() const { return !expression.isEmpty(); }
};

struct ReportLayout::ElementPlan {
    const ReportElement* element = nullptr;
    Compiled condition;
    Compiled value;                              // Expression
    std::vector<std::pair<QString, Compiled>> memoParts;   // text before, expression after
    QString memoTail;
    quint16 font = 0;
    qint32 image = -1;
    int mainColumn = -1;                         // DataField of the detail dataset
    ReportDataSource* source = nullptr;          // DataField of another dataset
    ReportFieldKind kind = ReportFieldKind::Text;
    int flags = 0;
};

struct ReportLayout::BandPlan {
    const ReportBand* band = nullptr;
    Compiled condition;
    Compiled groupKey;
    std::vector<ElementPlan> elements;
    std::vector<int> children;
    int groupLevel = -1;                         // 0-based for group headers and footers
    ReportResetScope aggregateScope = ReportResetScope::Report;
    int aggregateLevel = -1;
};

struct ReportLayout::Accumulator {
    const ReportExpressionNode* argument = nullptr;   // nullptr: COUNT()
    QString where;
    ReportAggregate aggregate = ReportAggregate::Sum;
    ReportResetScope scope = ReportResetScope::Report;
    int level = -1;
    double sum = 0;
    double min = 0;
    double max = 0;
    qint64 count = 0;
    void reset() { sum = min = max = 0; count = 0; }
    QVariant value() const
    {
        switch (aggregate) {
        case ReportAggregate::Sum: return sum;
        case ReportAggregate::Count: return double(count);
        case ReportAggregate::Min: return count ? QVariant(min) : QVariant();
        case ReportAggregate::Max: return count ? QVariant(max) : QVariant();
        case ReportAggregate::Average: return count ? QVariant(sum / double(count)) : QVariant();
        }
        return {};
    }
};

struct ReportLayout::RenderedBand {
    double height = 0;
    std::vector<PreparedPrimitive> items;
    std::vector<double> lineHeights;             // per item: line height of a multi-line text, else 0
    PreparedBand record;
};

ReportLayout::ReportLayout(const ReportDefinition& definition, const ReportDataSources& sources,
                           const ReportContext& context, PreparedReport& out)
    : m_def(definition), m_sources(sources), m_context(context), m_out(out)
{
}

ReportLayout::~ReportLayout() = default;

bool ReportLayout::fail(const QString& message)
{
    if (m_error.isEmpty())
        m_error = message;
    return false;
}

bool ReportLayout::compile(const QString& text, const QString& where, Compiled& out, int bandIndex)
{
    out.where = where;
    if (text.trimmed().isEmpty())
        return true;
    out.expression = ReportExpression::parse(text);
    if (!out.expression.isValid())
        return fail(QStringLiteral("Napaka v izrazu \"%1\" (%2), %3").arg(text, where, out.expression.error().text()));
    collectAggregates(*out.expression.root(), bandIndex);
    return true;
}

void ReportLayout::collectAggregates(const ReportExpressionNode& node, int bandIndex)
{
    if (node.kind == ReportExpressionNode::Kind::Call && node.isAggregate()) {
        Accumulator a;
        a.argument = node.children.empty() ? nullptr : node.children.front().get();
        const QString& n = node.name;
        a.aggregate = n == QLatin1String("SUM") ? ReportAggregate::Sum
                    : n == QLatin1String("COUNT") ? ReportAggregate::Count
                    : n == QLatin1String("MIN") ? ReportAggregate::Min
                    : n == QLatin1String("MAX") ? ReportAggregate::Max : ReportAggregate::Average;
        if (bandIndex >= 0) {
            a.scope = m_bands[size_t(bandIndex)].aggregateScope;
            a.level = m_bands[size_t(bandIndex)].aggregateLevel;
        }
        a.where = bandIndex >= 0 ? m_bands[size_t(bandIndex)].band->name : QString();
        m_accumulatorOf[&node] = int(m_accumulators.size());
        m_accumulators.push_back(a);
        return;
    }
    for (const auto& c : node.children)
        collectAggregates(*c, bandIndex);
}

QString ReportLayout::prepare()
{
    const auto& bands = m_def.bands;
    m_bands.resize(bands.size());

    // Groups: headers in list order are the levels, outermost first.
    for (size_t i = 0; i < bands.size(); ++i) {
        m_bands[i].band = &bands[i];
        if (bands[i].kind == ReportBandKind::GroupHeader) {
            m_bands[i].groupLevel = int(m_groupHeaders.size());
            m_groupHeaders.push_back(int(i));
        }
    }
    const int levels = int(m_groupHeaders.size());
    m_groupFooterOfLevel.assign(size_t(levels), -1);
    m_groupKeys.assign(size_t(levels), QVariant());
    for (size_t i = 0; i < bands.size(); ++i) {
        if (bands[i].kind != ReportBandKind::GroupFooter || bands[i].group.isEmpty())
            continue;
        for (int l = 0; l < levels; ++l)
            if (bands[size_t(m_groupHeaders[size_t(l)])].name.compare(bands[i].group, Qt::CaseInsensitive) == 0) {
                m_groupFooterOfLevel[size_t(l)] = int(i);
                m_bands[i].groupLevel = l;
            }
    }
    for (size_t i = 0; i < bands.size(); ++i) {
        if (bands[i].kind != ReportBandKind::GroupFooter || m_bands[i].groupLevel >= 0)
            continue;
        for (int l = levels - 1; l >= 0; --l)
            if (m_groupFooterOfLevel[size_t(l)] < 0) {
                m_groupFooterOfLevel[size_t(l)] = int(i);
                m_bands[i].groupLevel = l;
                break;
            }
    }
    // Children, and the scope of the totals that each band reads.
    for (size_t i = 0; i < bands.size(); ++i) {
        if (bands[i].kind == ReportBandKind::Child) {
            int parent = -1;
            for (size_t j = 0; j < bands.size(); ++j)
                if (j != i && bands[j].name.compare(bands[i].parentBand, Qt::CaseInsensitive) == 0)
                    parent = int(j);
            if (parent < 0)
                return m_error = QStringLiteral("Podrejeni pas \"%1\" nima nadrejenega pasu \"%2\".").arg(bands[i].name, bands[i].parentBand);
            m_bands[size_t(parent)].children.push_back(int(i));
        }
    }
    for (size_t i = 0; i < bands.size(); ++i) {
        // A child reads the totals of the band it follows.
        size_t owner = i;
        for (int guard = 0; bands[owner].kind == ReportBandKind::Child && guard < 100; ++guard) {
            const ReportBand* p = m_def.findBand(bands[owner].parentBand);
            if (!p)
                break;
            owner = size_t(p - bands.data());
        }
        BandPlan& plan = m_bands[i];
        switch (bands[owner].kind) {
        case ReportBandKind::GroupHeader: case ReportBandKind::GroupFooter:
            plan.aggregateScope = ReportResetScope::Group;
            plan.aggregateLevel = m_bands[owner].groupLevel;
            if (plan.aggregateLevel < 0)
                plan.aggregateScope = ReportResetScope::Report;
            break;
        case ReportBandKind::PageHeader: case ReportBandKind::PageFooter: case ReportBandKind::ColumnHeader:
            plan.aggregateScope = ReportResetScope::Page;
            break;
        default:
            plan.aggregateScope = ReportResetScope::Report;
        }
    }

    // The detail dataset.
    const std::vector<int> details = m_def.bandIndexes(ReportBandKind::Detail);
    QString mainName = m_def.mainDataSet;
    for (int d : details)
        if (!bands[size_t(d)].dataSet.isEmpty()) {
            mainName = bands[size_t(d)].dataSet;
            break;
        }
    try {
        if (!mainName.isEmpty()) {
            m_main = m_sources.find(mainName);
            if (!m_main && !details.empty())
                return m_error = QStringLiteral("Izpis bere podatke \"%1\", ki jih ni.").arg(mainName);
        }
        if (m_main) {
            if (!m_main->isOpen())
                m_main->open();
            m_fieldNames = m_main->fieldNames();
            for (int i = 0; i < m_fieldNames.size(); ++i) {
                m_fieldIndex.insert(m_fieldNames[i].toUpper(), i);
                m_fieldKinds.push_back(m_main->fieldKind(m_fieldNames[i]));
            }
            if (!details.empty()) {
                m_main->first();
                m_totalRows = m_main->recordCount();
            }
        }
    } catch (const std::exception& e) {
        return m_error = QStringLiteral("Podatkov \"%1\" ni mogoče brati: %2").arg(mainName, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        return m_error = QStringLiteral("Podatkov \"%1\" ni mogoče brati.").arg(mainName);
    }
    if (details.empty())
        m_main = nullptr;   // nothing walks the rows: one pass of the other bands

    // Expressions and bindings.
    for (size_t i = 0; i < bands.size(); ++i) {
        const ReportBand& b = bands[i];
        BandPlan& plan = m_bands[i];
        const QString bandWhere = QStringLiteral("pas \"%1\"").arg(b.name);
        if (!compile(b.printCondition, bandWhere + QStringLiteral(", pogoj izpisa"), plan.condition, int(i))
            || !compile(b.groupExpression, bandWhere + QStringLiteral(", izraz skupine"), plan.groupKey, -1))
            return m_error;
        if (b.kind == ReportBandKind::GroupHeader && b.groupExpression.trimmed().isEmpty())
            return m_error = QStringLiteral("Glava skupine \"%1\" nima izraza skupine.").arg(b.name);
        for (const ReportElement& e : b.elements) {
            ElementPlan ep;
            ep.element = &e;
            const QString where = QStringLiteral("pas \"%1\", element \"%2\"").arg(b.name, e.name);
            if (!compile(e.printCondition, where + QStringLiteral(", pogoj izpisa"), ep.condition, int(i)))
                return m_error;
            ep.font = m_out.fontIndex(preparedFont(e.font));
            ep.flags = alignmentFlags(e);
            switch (e.kind) {
            case ReportElementKind::Expression:
                if (!compile(e.expression, where, ep.value, int(i)))
                    return m_error;
                break;
            case ReportElementKind::DataField: {
                const QString set = e.dataSet.isEmpty() && m_main ? m_main->name() : e.dataSet;
                if (m_main && set.compare(m_main->name(), Qt::CaseInsensitive) == 0) {
                    ep.mainColumn = m_fieldIndex.value(e.field.toUpper(), -1);
                    if (ep.mainColumn < 0)
                        return m_error = QStringLiteral("Podatki \"%1\" nimajo polja \"%2\" (%3).").arg(set, e.field, where);
                    ep.kind = m_fieldKinds[size_t(ep.mainColumn)];
                } else {
                    ep.source = m_sources.find(set);
                    if (!ep.source)
                        return m_error = QStringLiteral("Izpis bere podatke \"%1\", ki jih ni (%2).").arg(set, where);
                    try {
                        if (!ep.source->isOpen())
                            ep.source->open();
                        if (!ep.source->hasField(e.field))
                            return m_error = QStringLiteral("Podatki \"%1\" nimajo polja \"%2\" (%3).").arg(set, e.field, where);
                        ep.kind = ep.source->fieldKind(e.field);
                    } catch (...) {
                        return m_error = QStringLiteral("Podatkov \"%1\" ni mogoče brati (%2).").arg(set, where);
                    }
                }
                break;
            }
            case ReportElementKind::Memo: {
                // Text with [expressions]; "[[" stands for a "[".
                const QString& t = e.text;
                QString literal;
                int k = 0;
                while (k < t.size()) {
                    if (t[k] == QLatin1Char('[') && k + 1 < t.size() && t[k + 1] == QLatin1Char('[')) {
                        literal += QLatin1Char('[');
                        k += 2;
                        continue;
                    }
                    if (t[k] != QLatin1Char('[')) {
                        literal += t[k++];
                        continue;
                    }
                    const int close = int(t.indexOf(QLatin1Char(']'), k + 1));
                    if (close < 0)
                        return m_error = QStringLiteral("V besedilu elementa (%1) manjka ']' k '[' na mestu %2.").arg(where).arg(k + 1);
                    Compiled c;
                    if (!compile(t.mid(k + 1, close - k - 1), where, c, int(i)))
                        return m_error;
                    ep.memoParts.emplace_back(literal, std::move(c));
                    literal.clear();
                    k = close + 1;
                }
                ep.memoTail = literal;
                break;
            }
            case ReportElementKind::Image:
                if (!e.imageData.isEmpty())
                    ep.image = m_out.addImage(e.imageData);
                break;
            default:
                break;
            }
            plan.elements.push_back(std::move(ep));
        }
    }
    // Variables.
    for (const ReportVariable& v : m_def.variables) {
        Compiled c;
        if (!compile(v.expression, QStringLiteral("spremenljivka \"%1\"").arg(v.name), c, -1))
            return m_error;
        Accumulator a;
        a.aggregate = v.aggregate;
        a.scope = v.reset;
        a.where = v.name;
        if (v.reset == ReportResetScope::Group) {
            for (int l = 0; l < levels; ++l)
                if (bands[size_t(m_groupHeaders[size_t(l)])].name.compare(v.resetGroup, Qt::CaseInsensitive) == 0)
                    a.level = l;
            if (a.level < 0)
                return m_error = QStringLiteral("Spremenljivka \"%1\" se sklicuje na neznano skupino \"%2\".").arg(v.name, v.resetGroup);
        }
        // The variable keeps its expression alive through a compiled copy held here.
        m_variableExpressions.push_back(std::move(c.expression));
        a.argument = m_variableExpressions.back().root();
        m_variables.emplace_back(v.name, int(m_accumulators.size()));
        m_accumulators.push_back(a);
    }
    m_out.setTitle(!m_context.title.isEmpty() ? m_context.title : (!m_def.title.isEmpty() ? m_def.title : m_def.name));
    return {};
}

bool ReportLayout::lookup(const QString& qualifier, const QString& name, QVariant* value)
{
    if (qualifier.isEmpty()) {
        for (const auto& [varName, index] : m_variables)
            if (varName.compare(name, Qt::CaseInsensitive) == 0) {
                *value = m_accumulators[size_t(index)].value();
                return true;
            }
    }
    if (qualifier.isEmpty() || (m_main && qualifier.compare(m_main->name(), Qt::CaseInsensitive) == 0)) {
        const int col = m_fieldIndex.value(name.toUpper(), -1);
        if (col >= 0) {
            *value = m_haveRow ? m_row.value(col) : QVariant();
            return true;
        }
        if (qualifier.isEmpty())
            return false;
    }
    ReportDataSource* source = m_sources.find(qualifier);
    if (!source || !source->hasField(name))
        return false;
    if (!source->isOpen())
        source->open();
    *value = source->value(name);
    return true;
}

QVariant ReportLayout::aggregate(const ReportExpressionNode& call)
{
    const auto it = m_accumulatorOf.find(&call);
    return it == m_accumulatorOf.end() ? QVariant() : m_accumulators[size_t(it->second)].value();
}

bool ReportLayout::evaluate(const Compiled& c, QVariant* value)
{
    if (!c.isSet()) {
        *value = QVariant();
        return true;
    }
    ReportEvalResult r;
    try {
        r = evaluateReportExpression(*c.expression.root(), *this);
    } catch (const std::exception& e) {
        return fail(QStringLiteral("Napaka pri branju podatkov (%1): %2").arg(c.where, QString::fromLocal8Bit(e.what())));
    }
    if (!r.ok())
        return fail(QStringLiteral("Napaka v izrazu \"%1\" (%2), stolpec %3: %4")
                        .arg(c.expression.text(), c.where).arg(r.position + 1).arg(r.error));
    *value = r.value;
    return true;
}

bool ReportLayout::conditionHolds(const Compiled& c)
{
    if (!c.isSet())
        return true;
    QVariant v;
    return evaluate(c, &v) && reportTruth(v);
}

void ReportLayout::resetAccumulators(ReportResetScope scope, int groupLevel)
{
    for (auto& a : m_accumulators)
        if (a.scope == scope && (scope != ReportResetScope::Group || a.level >= groupLevel))
            a.reset();
}

void ReportLayout::accumulate(bool pageScope)
{
    for (auto& a : m_accumulators) {
        if ((a.scope == ReportResetScope::Page) != pageScope)
            continue;
        if (!a.argument) {
            ++a.count;
            continue;
        }
        ReportEvalResult r = evaluateReportExpression(*a.argument, *this);
        if (!r.ok()) {
            fail(QStringLiteral("Napaka v vsoti (%1), stolpec %2: %3").arg(a.where).arg(r.position + 1).arg(r.error));
            return;
        }
        if (!r.value.isValid() || r.value.isNull())
            continue;
        if (a.aggregate == ReportAggregate::Count) {
            ++a.count;
            continue;
        }
        double n = 0;
        if (!reportNumber(r.value, &n)) {
            fail(QStringLiteral("Vsota (%1) sešteva vrednost '%2', ki ni število.").arg(a.where, reportText(r.value)));
            return;
        }
        a.sum += n;
        a.min = a.count ? std::min(a.min, n) : n;
        a.max = a.count ? std::max(a.max, n) : n;
        ++a.count;
    }
}

// ---- rows ---------------------------------------------------------------------------------

void ReportLayout::readRow()
{
    m_row.resize(m_fieldNames.size());
    for (int i = 0; i < m_fieldNames.size(); ++i)
        m_row[i] = m_main->value(m_fieldNames[i]);
    m_haveRow = true;
}

bool ReportLayout::step()
{
    if (!m_error.isEmpty() || m_finished)
        return false;
    try {
        if (!m_started) {
            m_started = true;
            startPage();
            if (!m_error.isEmpty())
                return false;
        }
        if (!m_main || m_main->eof())
            return false;

        const QVariantList previous = m_row;
        const bool first = !m_haveRow;
        readRow();
        ++m_rowNumber;
        m_inDetail = true;

        const int levels = int(m_groupHeaders.size());
        std::vector<QVariant> keys(static_cast<size_t>(levels));
        int changed = first ? 0 : levels;
        for (int l = 0; l < levels; ++l) {
            if (!evaluate(m_bands[size_t(m_groupHeaders[size_t(l)])].groupKey, &keys[size_t(l)]))
                return false;
            const QVariant& old = m_groupKeys[size_t(l)];
            const bool same = old.isNull() == keys[size_t(l)].isNull() && reportText(old) == reportText(keys[size_t(l)]);
            if (changed == levels && !same)
                changed = l;
        }
        if (!first && changed < levels) {
            // The footers of the groups that end read the last row of their group.
            QVariantList current = m_row;
            m_row = previous;
            --m_rowNumber;
            printGroupFooters(changed);
            m_row = std::move(current);
            ++m_rowNumber;
        }
        for (int l = changed; l < levels; ++l)
            m_groupKeys[size_t(l)] = keys[size_t(l)];
        if (changed < levels) {
            resetAccumulators(ReportResetScope::Group, changed);
            printGroupHeaders(changed);
        }
        accumulate(false);
        for (size_t i = 0; i < m_bands.size(); ++i)
            if (m_bands[i].band->kind == ReportBandKind::Detail)
                printWithChildren(int(i));
        accumulate(true);
        m_main->next();
        return m_error.isEmpty() && !m_main->eof();
    } catch (const std::exception& e) {
        return fail(QStringLiteral("Napaka pri branju podatkov: %1").arg(QString::fromLocal8Bit(e.what())));
    } catch (...) {
        return fail(QStringLiteral("Napaka pri branju podatkov."));
    }
}

void ReportLayout::finish()
{
    if (m_finished)
        return;
    try {
        if (!m_started) {
            m_started = true;
            startPage();
        }
        if (m_haveRow)
            printGroupFooters(0);
        m_inDetail = false;
        for (size_t i = 0; i < m_bands.size() && m_error.isEmpty(); ++i)
            if (m_bands[i].band->kind == ReportBandKind::Summary)
                printWithChildren(int(i));
        endPage(true);
    } catch (...) {
        fail(QStringLiteral("Napaka pri branju podatkov."));
    }
    m_finished = true;
    m_out.setComplete(m_error.isEmpty());
}

int ReportLayout::progressPercent() const
{
    if (m_finished)
        return 100;
    if (m_totalRows <= 0)
        return 0;
    return std::clamp(int(qint64(m_rowNumber) * 100 / m_totalRows), 0, 99);
}

int ReportLayout::settledPages() const
{
    return m_finished ? m_out.pageCount() : std::max(0, m_out.pageCount() - 1);
}

void ReportLayout::printGroupHeaders(int fromLevel)
{
    for (int l = fromLevel; l < int(m_groupHeaders.size()) && m_error.isEmpty(); ++l) {
        // A page break before this header repeats only the headers of the groups around it.
        m_openingLevel = l;
        printWithChildren(m_groupHeaders[size_t(l)]);
    }
    m_openingLevel = int(m_groupHeaders.size());
}

void ReportLayout::printGroupFooters(int fromLevel)
{
    for (int l = int(m_groupHeaders.size()) - 1; l >= fromLevel && m_error.isEmpty(); --l)
        if (m_groupFooterOfLevel[size_t(l)] >= 0)
            printWithChildren(m_groupFooterOfLevel[size_t(l)]);
}

void ReportLayout::printWithChildren(int bandIndex)
{
    if (!placeBand(bandIndex))
        return;
    for (int c : m_bands[size_t(bandIndex)].children)
        printWithChildren(c);
}

// ---- pages --------------------------------------------------------------------------------

double ReportLayout::pageBottomLimit() const
{
    const ReportPageSetup& p = m_def.page;
    double footer = 0;
    for (const auto& plan : m_bands)
        if (plan.band->kind == ReportBandKind::PageFooter)
            footer += plan.band->heightMm;
    return p.pageHeightMm() - p.bottomMarginMm - footer;
}

void ReportLayout::startPage()
{
    const ReportPageSetup& p = m_def.page;
    m_page = m_out.addPage(QSizeF(p.pageWidthMm(), p.pageHeightMm()));
    m_y = p.topMarginMm;
    resetAccumulators(ReportResetScope::Page, 0);
    for (size_t i = 0; i < m_bands.size(); ++i) {
        const ReportBand& b = *m_bands[i].band;
        if (b.kind == ReportBandKind::PageHeader && (m_page > 0 || b.printOnFirstPage))
            placeBand(int(i), false);
    }
    if (m_page == 0)
        for (size_t i = 0; i < m_bands.size(); ++i)
            if (m_bands[i].band->kind == ReportBandKind::Title)
                printWithChildren(int(i));
    for (size_t i = 0; i < m_bands.size(); ++i)
        if (m_bands[i].band->kind == ReportBandKind::ColumnHeader)
            placeBand(int(i), false);
    if (m_inDetail)
        for (int l = 0; l < std::min(m_openingLevel, int(m_groupHeaders.size())); ++l)
            if (m_bands[size_t(m_groupHeaders[size_t(l)])].band->repeatOnEachPage)
                placeBand(m_groupHeaders[size_t(l)], false);
    m_pageHasContent = false;
}

void ReportLayout::endPage(bool last)
{
    const ReportPageSetup& p = m_def.page;
    double y = pageBottomLimit();
    for (size_t i = 0; i < m_bands.size(); ++i) {
        const ReportBand& b = *m_bands[i].band;
        if (b.kind != ReportBandKind::PageFooter)
            continue;
        if ((m_page == 0 && !b.printOnFirstPage) || (last && !b.printOnLastPage)) {
            y += b.heightMm;
            continue;
        }
        RenderedBand rb;
        if (renderBand(int(i), rb)) {
            emitBand(int(i), rb, y);
        }
        y += b.heightMm;
    }
    Q_UNUSED(p);
}

bool ReportLayout::placeBand(int bandIndex, bool allowPageBreak)
{
    const ReportBand& b = *m_bands[size_t(bandIndex)].band;
    RenderedBand rb;
    if (!renderBand(bandIndex, rb))
        return false;
    const bool content = isContentBand(b.kind);
    if (allowPageBreak && content) {
        const bool breakBefore = (b.startNewPage && m_pageHasContent) || m_y + rb.height > pageBottomLimit() + 1e-6;
        if (breakBefore && (m_pageHasContent || b.startNewPage)) {
            endPage(false);
            startPage();
            rb = RenderedBand();
            if (!renderBand(bandIndex, rb))   // page numbers in the band follow the new page
                return false;
        }
        // A band taller than the room of a fresh page is cut between lines of its texts.
        for (int guard = 0; m_y + rb.height > pageBottomLimit() + 1e-6 && guard < 1000; ++guard) {
            const double room = pageBottomLimit() - m_y;
            if (room < 1)
                break;
            double cut = room;
            for (size_t k = 0; k < rb.items.size(); ++k) {
                const QRectF& r = rb.items[k].rectMm;
                if (r.top() < cut && r.bottom() > cut && rb.lineHeights[k] > 0) {
                    const double lines = std::floor((cut - r.top() - 0.3) / rb.lineHeights[k]);
                    cut = std::min(cut, r.top() + std::max(0.0, lines) * rb.lineHeights[k] + 0.3);
                }
            }
            if (cut < 1)
                cut = room;
            RenderedBand rest;
            rest.record = rb.record;
            rest.record.cells.clear();
            RenderedBand part;
            part.record = rb.record;
            part.height = cut;
            for (size_t k = 0; k < rb.items.size(); ++k) {
                PreparedPrimitive item = rb.items[k];
                const QRectF r = item.rectMm;
                if (r.bottom() <= cut + 1e-6 || (r.top() < cut && rb.lineHeights[k] <= 0)) {
                    part.items.push_back(item);
                    part.lineHeights.push_back(rb.lineHeights[k]);
                } else if (r.top() >= cut) {
                    item.rectMm.translate(0, -cut);
                    rest.items.push_back(item);
                    rest.lineHeights.push_back(rb.lineHeights[k]);
                } else {
                    const double lh = rb.lineHeights[k];
                    const int keep = std::max(0, int(std::floor((cut - r.top() - 0.3) / lh + 1e-6)));
                    const QStringList lines = item.text.split(QLatin1Char('\n'));
                    PreparedPrimitive head = item;
                    head.text = lines.mid(0, keep).join(QLatin1Char('\n'));
                    head.rectMm.setBottom(cut);
                    head.frameSides &= quint8(~8);
                    PreparedPrimitive tail = item;
                    tail.text = lines.mid(keep).join(QLatin1Char('\n'));
                    tail.rectMm = QRectF(r.left(), 0, r.width(), r.bottom() - cut);
                    tail.frameSides &= quint8(~2);
                    part.items.push_back(head);
                    part.lineHeights.push_back(lh);
                    rest.items.push_back(tail);
                    rest.lineHeights.push_back(lh);
                }
            }
            rest.height = rb.height - cut;
            emitBand(bandIndex, part, m_y);
            endPage(false);
            startPage();
            rb = std::move(rest);
        }
    }
    emitBand(bandIndex, rb, m_y);
    m_y += rb.height;
    if (content)
        m_pageHasContent = true;
    return true;
}

void ReportLayout::emitBand(int bandIndex, RenderedBand& band, double top)
{
    Q_UNUSED(bandIndex);
    const double left = m_def.page.leftMarginMm;
    PreparedPage& page = m_out.pageForWriting(m_page);
    for (PreparedPrimitive& item : band.items) {
        item.rectMm.translate(left, top);
        page.items.push_back(std::move(item));
    }
    band.record.page = m_page;
    band.record.topMm = top;
    band.record.heightMm = band.height;
    m_out.addBand(std::move(band.record));
}

bool ReportLayout::renderBand(int bandIndex, RenderedBand& out)
{
    const BandPlan& plan = m_bands[size_t(bandIndex)];
    const ReportBand& b = *plan.band;
    if (!conditionHolds(plan.condition))
        return false;
    const double width = m_def.page.printableWidthMm();
    double height = b.heightMm;
    out.record.kind = b.kind;
    out.record.bandName = b.name;
    out.record.groupLevel = plan.groupLevel >= 0 ? plan.groupLevel + 1 : 0;
    if (b.backgroundColour.isValid()) {
        PreparedPrimitive bg;
        bg.kind = PreparedPrimitive::Kind::Rect;
        bg.rectMm = QRectF(0, 0, width, height);
        bg.fill = b.backgroundColour;
        bg.penWidthMm = 0;
        out.items.push_back(bg);
        out.lineHeights.push_back(0);
    }
    for (const ElementPlan& ep : plan.elements) {
        const ReportElement& e = *ep.element;
        if (!conditionHolds(ep.condition)) {
            if (!m_error.isEmpty())
                return false;
            continue;
        }
        QRectF rect(e.leftMm, e.topMm, e.widthMm, e.heightMm);
        PreparedPrimitive item;
        item.colour = e.textColour;
        item.fill = e.backgroundColour;
        bool isText = true;
        QVariant value;
        QString text;
        ReportFieldKind kind = ReportFieldKind::Text;
        switch (e.kind) {
        case ReportElementKind::Label:
            text = e.text;
            value = text;
            break;
        case ReportElementKind::DataField:
            if (ep.mainColumn >= 0) {
                value = m_haveRow ? m_row.value(ep.mainColumn) : QVariant();
            } else if (ep.source) {
                value = ep.source->value(e.field);
            }
            kind = ep.kind;
            text = formatReportValue(value, kind, e.displayFormat);
            break;
        case ReportElementKind::Expression:
            if (!evaluate(ep.value, &value))
                return false;
            kind = reportValueKind(value);
            text = formatReportValue(value, kind, e.displayFormat);
            break;
        case ReportElementKind::Memo:
            for (const auto& [literal, expr] : ep.memoParts) {
                QVariant v;
                if (!evaluate(expr, &v))
                    return false;
                text += literal + formatReportValue(v, reportValueKind(v), QString());
            }
            text += ep.memoTail;
            value = text;
            break;
        case ReportElementKind::SystemData:
            switch (e.systemData) {
            case ReportSystemDataKind::PageNumber:
                value = m_page + 1;
                text = QString::number(m_page + 1);
                kind = ReportFieldKind::Number;
                break;
            case ReportSystemDataKind::PageCount:
                text = QString(PreparedReport::pageCountMark);
                break;
            case ReportSystemDataKind::PageNumberOfCount:
                text = QStringLiteral("Stran %1 od ").arg(m_page + 1) + PreparedReport::pageCountMark;
                break;
            case ReportSystemDataKind::Date:
                value = m_context.printDateTime.date();
                text = formatReportDate(m_context.printDateTime, e.displayFormat.isEmpty() ? QStringLiteral("dd.mm.yyyy") : e.displayFormat);
                kind = ReportFieldKind::Date;
                break;
            case ReportSystemDataKind::Time:
                text = formatReportDate(m_context.printDateTime, e.displayFormat.isEmpty() ? QStringLiteral("hh:nn") : e.displayFormat);
                break;
            case ReportSystemDataKind::DateTime:
                value = m_context.printDateTime;
                text = formatReportDate(m_context.printDateTime, e.displayFormat.isEmpty() ? QStringLiteral("dd.mm.yyyy hh:nn") : e.displayFormat);
                kind = ReportFieldKind::Date;
                break;
            case ReportSystemDataKind::ReportTitle:
                text = m_out.title();
                break;
            case ReportSystemDataKind::ReportName:
                text = !m_context.reportName.isEmpty() ? m_context.reportName : m_def.name;
                break;
            case ReportSystemDataKind::CompanyName:
                text = m_context.companyName;
                break;
            case ReportSystemDataKind::RowNumber:
                value = m_rowNumber;
                text = QString::number(m_rowNumber);
                kind = ReportFieldKind::Number;
                break;
            }
            if (!value.isValid())
                value = text;
            break;
        case ReportElementKind::Image:
            isText = false;
            item.kind = PreparedPrimitive::Kind::Image;
            item.image = ep.image;
            item.flags = e.keepAspect ? 1 : 0;
            break;
        case ReportElementKind::Line:
            isText = false;
            item.kind = PreparedPrimitive::Kind::Line;
            item.colour = e.frame.colour.isValid() && e.textColour == QColor(Qt::black) ? e.frame.colour : e.textColour;
            item.penWidthMm = float(e.lineWidthMm);
            break;
        case ReportElementKind::Rectangle:
            isText = false;
            item.kind = PreparedPrimitive::Kind::Rect;
            item.penWidthMm = float(e.lineWidthMm);
            item.frameSides = 15;
            break;
        }
        double lineHeight = 0;
        if (isText) {
            item.kind = PreparedPrimitive::Kind::Text;
            item.font = ep.font;
            item.flags = quint16(ep.flags);
            if (e.frame.any()) {
                item.frameSides = frameSides(e.frame);
                item.penWidthMm = float(e.frame.widthMm);
            } else {
                item.penWidthMm = 0;
            }
            if (e.wordWrap || e.kind == ReportElementKind::Memo) {
                const PreparedFont& font = m_out.fonts()[ep.font];
                const QStringList lines = m_measure.wrap(font, text, e.widthMm - 2 * textPaddingMm);
                lineHeight = m_measure.lineHeightMm(font);
                text = lines.join(QLatin1Char('\n'));
                const double needed = lines.size() * lineHeight + 0.6;
                if ((e.autoStretch || e.kind == ReportElementKind::Memo) && needed > rect.height())
                    rect.setHeight(needed);
            } else if (e.autoStretch && text.contains(QLatin1Char('\n'))) {
                const PreparedFont& font = m_out.fonts()[ep.font];
                lineHeight = m_measure.lineHeightMm(font);
                rect.setHeight(std::max(rect.height(), (text.count(QLatin1Char('\n')) + 1) * lineHeight + 0.6));
            }
            item.text = text;
            out.record.cells.push_back(PreparedCell{e.name, value, text.contains(PreparedReport::pageCountMark) ? QString() : text,
                                                    kind, e.leftMm, e.widthMm, quint8(e.hAlign), e.topMm});
        }
        item.rectMm = rect;
        height = std::max(height, rect.bottom());
        out.items.push_back(std::move(item));
        out.lineHeights.push_back(lineHeight);
    }
    if (b.backgroundColour.isValid())
        out.items.front().rectMm.setHeight(height);
    out.height = height;
    std::stable_sort(out.record.cells.begin(), out.record.cells.end(), [](const PreparedCell& a, const PreparedCell& c) {
        return a.leftMm < c.leftMm;
    });
    return true;
}
