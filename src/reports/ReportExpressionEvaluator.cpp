#include "reports/ReportExpressionEvaluator.h"
#include "reports/PreparedReport.h"
#include "reports/ReportFormat.h"

#include "data/config/IniFile.h"

#include <cmath>

QString ReportExpressionScope::iniValue(const QString& section, const QString& key, const QString& defaultValue)
{
    const QString path = context().iniFilePath;
    if (path.isEmpty())
        return defaultValue;
    try {
        return IniFile(path).readString(section, key, defaultValue);
    } catch (...) {
        return defaultValue;
    }
}

bool reportTruth(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return false;
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (value.typeId() == QMetaType::QString) {
        const QString t = value.toString().trimmed();
        return t.compare(QLatin1String("T"), Qt::CaseInsensitive) == 0
            || t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0
            || t.compare(QLatin1String("Da"), Qt::CaseInsensitive) == 0;
    }
    double n = 0;
    return reportNumber(value, &n) && n != 0;
}

namespace {

using Node = ReportExpressionNode;

struct EvalFailure {
    int position;
    QString message;
};

[[noreturn]] void failAt(const Node& node, const QString& message)
{
    throw EvalFailure{node.position, message};
}

bool isNull(const QVariant& v) { return !v.isValid() || v.isNull(); }
bool isText(const QVariant& v) { return v.typeId() == QMetaType::QString; }
bool isDate(const QVariant& v) { return v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QDateTime; }

QDateTime toDateTime(const QVariant& v)
{
    return v.typeId() == QMetaType::QDate ? QDateTime(v.toDate(), QTime(0, 0)) : v.toDateTime();
}

class Evaluator {
public:
    explicit Evaluator(ReportExpressionScope& scope) : m_scope(scope) {}

    QVariant eval(const Node& n)
    {
        switch (n.kind) {
        case Node::Kind::Constant:
            return n.constant;
        case Node::Kind::Name:
            return name(n);
        case Node::Kind::Negate: {
            const QVariant v = eval(*n.children[0]);
            return -number(v, *n.children[0]);
        }
        case Node::Kind::Not:
            return !reportTruth(eval(*n.children[0]));
        case Node::Kind::Binary:
            return binary(n);
        case Node::Kind::Call:
            return call(n);
        }
        return {};
    }

private:
    double number(const QVariant& v, const Node& at)
    {
        double d = 0;
        if (isText(v) && v.toString().contains(PreparedReport::pageCountMark))
            failAt(at, QStringLiteral("s številom strani ni mogoče računati"));
        if (!reportNumber(v, &d))
            failAt(at, QStringLiteral("vrednost '%1' ni število").arg(reportText(v)));
        return d;
    }

    QString text(const QVariant& v) { return reportText(v); }

    QVariant name(const Node& n)
    {
        QVariant v;
        if (m_scope.lookup(n.qualifier, n.name, &v))
            return v;
        if (n.qualifier.isEmpty()) {
            const QString upper = n.name.toUpper();
            if (upper == QLatin1String("PAGE"))
                return m_scope.pageNumber();
            if (upper == QLatin1String("PAGECOUNT"))
                return QString(PreparedReport::pageCountMark);
            if (upper == QLatin1String("DATE"))
                return m_scope.context().printDateTime.date();
            if (upper == QLatin1String("TIME"))
                return formatReportDate(m_scope.context().printDateTime, QStringLiteral("hh:nn"));
            if (upper == QLatin1String("ROWNUMBER"))
                return m_scope.rowNumber();
            if (upper == QLatin1String("NULL"))
                return QVariant();
            failAt(n, QStringLiteral("neznano polje ali spremenljivka %1").arg(n.name));
        }
        failAt(n, QStringLiteral("neznano polje %1.%2").arg(n.qualifier, n.name));
    }

    int compare(const QVariant& a, const QVariant& b, const Node& at)
    {
        if (isNull(a) && isNull(b))
            return 0;
        if (isDate(a) || isDate(b)) {
            if (isNull(a))
                return -1;
            if (isNull(b))
                return 1;
            if (!isDate(a) || !isDate(b))
                failAt(at, QStringLiteral("datuma ni mogoče primerjati z drugo vrsto vrednosti"));
            const QDateTime x = toDateTime(a), y = toDateTime(b);
            return x < y ? -1 : (x > y ? 1 : 0);
        }
        double x = 0, y = 0;
        const bool textA = isText(a), textB = isText(b);
        if (!textA && !textB) {
            x = number(a, at);
            y = number(b, at);
            return x < y ? -1 : (x > y ? 1 : 0);
        }
        // A text with a number compares as numbers when the text is a number.
        if (textA != textB && reportNumber(a, &x) && reportNumber(b, &y))
            return x < y ? -1 : (x > y ? 1 : 0);
        return QString::compare(text(a), text(b), Qt::CaseSensitive) < 0 ? -1
             : (text(a) == text(b) ? 0 : 1);
    }

    QVariant binary(const Node& n)
    {
        const Node& l = *n.children[0];
        const Node& r = *n.children[1];
        if (n.op == Node::Op::And)
            return reportTruth(eval(l)) && reportTruth(eval(r));
        if (n.op == Node::Op::Or)
            return reportTruth(eval(l)) || reportTruth(eval(r));
        const QVariant a = eval(l);
        const QVariant b = eval(r);
        switch (n.op) {
        case Node::Op::Add:
            if (isText(a) || isText(b))
                return text(a) + text(b);
            if (isDate(a) && !isDate(b))
                return addDays(a, number(b, r));
            if (isNull(a) && isNull(b))
                return QVariant();
            return number(a, l) + number(b, r);
        case Node::Op::Subtract:
            if (isDate(a) && isDate(b))
                return double(toDateTime(b).daysTo(toDateTime(a)));
            if (isDate(a))
                return addDays(a, -number(b, r));
            return number(a, l) - number(b, r);
        case Node::Op::Multiply:
            return number(a, l) * number(b, r);
        case Node::Op::Divide: {
            const double d = number(b, r);
            if (d == 0)
                failAt(n, QStringLiteral("deljenje z 0"));
            return number(a, l) / d;
        }
        case Node::Op::Equal: return compare(a, b, n) == 0;
        case Node::Op::NotEqual: return compare(a, b, n) != 0;
        case Node::Op::Less: return compare(a, b, n) < 0;
        case Node::Op::LessEqual: return compare(a, b, n) <= 0;
        case Node::Op::Greater: return compare(a, b, n) > 0;
        case Node::Op::GreaterEqual: return compare(a, b, n) >= 0;
        default: return {};
        }
    }

    QVariant addDays(const QVariant& date, double days)
    {
        if (date.typeId() == QMetaType::QDate)
            return date.toDate().addDays(qint64(std::llround(days)));
        return date.toDateTime().addSecs(qint64(std::llround(days * 86400)));
    }

    QVariant arg(const Node& n, int i) { return eval(*n.children[size_t(i)]); }

    QVariant call(const Node& n)
    {
        const QString& f = n.name;
        if (n.isAggregate())
            return m_scope.aggregate(n);
        if (f == QLatin1String("IF"))
            return reportTruth(arg(n, 0)) ? arg(n, 1) : arg(n, 2);
        if (f == QLatin1String("COPY")) {
            const QString s = text(arg(n, 0));
            const double start = number(arg(n, 1), *n.children[1]);
            const double count = n.children.size() > 2 ? number(arg(n, 2), *n.children[2]) : double(s.size());
            const qint64 from = std::max<qint64>(1, std::llround(start)) - 1;
            const qint64 len = std::max<qint64>(0, std::llround(std::min(count, 1e9)));
            if (from >= s.size())
                return QString();
            return s.mid(from, len);
        }
        if (f == QLatin1String("UPPER")) return text(arg(n, 0)).toUpper();
        if (f == QLatin1String("LOWER")) return text(arg(n, 0)).toLower();
        if (f == QLatin1String("LENGTH")) return double(text(arg(n, 0)).size());
        if (f == QLatin1String("TRIM")) return text(arg(n, 0)).trimmed();
        if (f == QLatin1String("STR")) return text(arg(n, 0));
        if (f == QLatin1String("ISNULL")) return isNull(arg(n, 0));
        if (f == QLatin1String("ABS")) return std::fabs(number(arg(n, 0), *n.children[0]));
        if (f == QLatin1String("ROUND")) {
            const double v = number(arg(n, 0), *n.children[0]);
            const double places = n.children.size() > 1 ? number(arg(n, 1), *n.children[1]) : 0;
            if (places < -10 || places > 10)
                failAt(n, QStringLiteral("ROUND zaokroža na največ 10 mest"));
            const double scale = std::pow(10.0, std::round(places));
            return std::round(v * scale) / scale;
        }
        if (f == QLatin1String("FORMATNUMBER")) {
            const QString mask = text(arg(n, 0));
            const QVariant v = arg(n, 1);
            if (isNull(v))
                return QString();
            return formatReportNumber(number(v, *n.children[1]), mask);
        }
        if (f == QLatin1String("FORMATDATE")) {
            const QString mask = text(arg(n, 0));
            const QVariant v = arg(n, 1);
            if (isNull(v))
                return QString();
            if (!isDate(v))
                failAt(*n.children[1], QStringLiteral("vrednost '%1' ni datum").arg(text(v)));
            return formatReportDate(toDateTime(v), mask);
        }
        if (f == QLatin1String("PAGE")) return m_scope.pageNumber();
        if (f == QLatin1String("PAGECOUNT")) return QString(PreparedReport::pageCountMark);
        if (f == QLatin1String("DATE")) return m_scope.context().printDateTime.date();
        if (f == QLatin1String("TIME")) return formatReportDate(m_scope.context().printDateTime, QStringLiteral("hh:nn"));
        if (f == QLatin1String("ROWNUMBER")) return m_scope.rowNumber();
        if (f == QLatin1String("INI")) return m_scope.iniValue(text(arg(n, 0)), text(arg(n, 1)), text(arg(n, 2)));
        if (f == QLatin1String("CRITERIA")) return m_scope.context().criterion(text(arg(n, 0)));
        failAt(n, QStringLiteral("neznana funkcija %1").arg(f));
    }

    ReportExpressionScope& m_scope;
};

}   // namespace

ReportEvalResult evaluateReportExpression(const ReportExpressionNode& root, ReportExpressionScope& scope)
{
    ReportEvalResult result;
    try {
        result.value = Evaluator(scope).eval(root);
        if (result.value.typeId() == QMetaType::Double && !std::isfinite(result.value.toDouble())) {
            result.error = QStringLiteral("rezultat ni končno število");
            result.position = root.position;
            result.value = QVariant();
        }
    } catch (const EvalFailure& f) {
        result.error = f.message;
        result.position = f.position;
    }
    return result;
}
