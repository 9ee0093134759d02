#include "pricing/formula/FormulaExpressionParser.h"
#include "pricing/formula/FormulaEvaluator.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

const QString kNoLeftOperand = QStringLiteral("* ali / brez enega operanda");
const QString kUnbalanced = QStringLiteral("Neuravnovešeni oklepaji");
const QString kBadNumber = QStringLiteral("Napačna številka ");
const QString kDivisionByZero = QStringLiteral("deljenje z 0");
const QString kTooDeep = QStringLiteral("Preveč vgnezdenih oklepajev");
const QString kOutOfRange = QStringLiteral("Rezultat izračuna je prevelik");

bool isOperator(QChar c)
{
    return c == u'+' || c == u'-' || c == u'*' || c == u'/';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Position of the first operator character at or after from; the text's size when none.
qsizetype findOperator(QStringView text, qsizetype from)
{
    for (qsizetype i = from; i < text.size(); ++i) {
        if (isOperator(text[i]))
            return i;
    }
    return text.size();
}

// Position of the ")" that closes the "(" at open; -1 when it is missing.
qsizetype findClosing(QStringView text, qsizetype open)
{
    qsizetype depth = 0;
    for (qsizetype i = open; i < text.size(); ++i) {
        if (text[i] == u'(') {
            ++depth;
        } else if (text[i] == u')') {
            if (--depth == 0)
                return i;
        }
    }
    return -1;
}

}  // namespace

FormulaExpressionParser::FormulaExpressionParser(QStringView text, int depth)
    : m_text(text), m_depth(depth)
{
}

double FormulaExpressionParser::evaluate()
{
    m_pos = 0;
    m_error.clear();
    const double value = parseExpression();
    // Every operand ends at an operator or at the end, so nothing can be left over; guard anyway.
    if (!failed() && !atEnd())
        fail(kBadNumber + m_text.mid(m_pos).toString());
    return failed() ? 0.0 : value;
}

// expression := term { ("+" | "-") term }
// Operators of equal precedence apply from left to right: 10-2-3 is (10-2)-3.
double FormulaExpressionParser::parseExpression()
{
    double value = parseTerm();
    while (!failed() && !atEnd() && (m_text[m_pos] == u'+' || m_text[m_pos] == u'-')) {
        const QChar op = m_text[m_pos++];
        const double right = parseTerm();
        if (failed())
            break;
        value = checked(op == u'+' ? value + right : value - right);
    }
    return value;
}

// term := operand { ("*" | "/") operand }
// "*" and "/" bind tighter than "+" and "-"; 12/4/3 is (12/4)/3. A divisor of 0 is an error.
double FormulaExpressionParser::parseTerm()
{
    double value = parseOperand();
    while (!failed() && !atEnd() && (m_text[m_pos] == u'*' || m_text[m_pos] == u'/')) {
        const QChar op = m_text[m_pos++];
        const double right = parseOperand();
        if (failed())
            break;
        if (op == u'/' && right == 0.0) {
            fail(kDivisionByZero);
            break;
        }
        value = checked(op == u'*' ? value * right : value / right);
    }
    return value;
}

// operand := empty | [sign] "(" expression ")" | [sign] number
// - An empty operand (an operator at the end of the expression) is 0.
// - An operand that begins with "*" or "/" has no left operand; an operand that begins with an
//   unmatched "(" is unbalanced. Both count as a wrong number instead when no further operator
//   follows in the expression (2**3 is a wrong number "*3", 2+*3-1 an operand missing).
// - Any other operand runs to the next operator after its first character and must be a number.
double FormulaExpressionParser::parseOperand()
{
    if (atEnd())
        return 0.0;
    const qsizetype start = m_pos;
    const QChar first = m_text[start];
    const bool furtherOperator = findOperator(m_text, start + 1) < m_text.size();

    if (first == u'*' || first == u'/') {
        fail(furtherOperator ? kNoLeftOperand : kBadNumber + m_text.mid(start).toString());
        return 0.0;
    }

    qsizetype body = start;
    bool negative = false;
    if (first == u'+' || first == u'-') {
        negative = first == u'-';
        body = start + 1;
    }
    if (body < m_text.size() && m_text[body] == u'(')
        return parseGroup(start, body, negative);

    const qsizetype end = findOperator(m_text, start + 1);
    const QStringView token = m_text.mid(start, end - start);
    const std::optional<double> number = toNumber(token);
    if (!number) {
        fail(kBadNumber + token.toString());
        return 0.0;
    }
    m_pos = end;
    return *number;
}

// group := [sign] "(" expression ")", followed by an operator or the end.
// The group's value is rounded to 5 decimals: (1/3)*3 is 0.99999.
double FormulaExpressionParser::parseGroup(qsizetype start, qsizetype open, bool negative)
{
    const qsizetype close = findClosing(m_text, open);
    if (close < 0) {
        const bool furtherOperator = findOperator(m_text, open + 1) < m_text.size();
        fail(furtherOperator ? kUnbalanced : kBadNumber + m_text.mid(start).toString());
        return 0.0;
    }
    const qsizetype end = close + 1;
    if (end < m_text.size() && !isOperator(m_text[end])) {
        // Text glued to the closing parenthesis, as in (2)3: the operand is not a number.
        const qsizetype next = findOperator(m_text, end);
        fail(kBadNumber + m_text.mid(start, next - start).toString());
        return 0.0;
    }
    if (m_depth >= MaxFormulaGroupDepth) {
        fail(kTooDeep);
        return 0.0;
    }
    FormulaExpressionParser inner(m_text.mid(open + 1, close - open - 1), m_depth + 1);
    const double value = inner.evaluate();
    if (!inner.error().isEmpty()) {
        fail(inner.error());
        return 0.0;
    }
    m_pos = end;
    const double rounded = roundToFiveDecimals(value);
    return negative ? -rounded : rounded;
}

double FormulaExpressionParser::checked(double value)
{
    if (!std::isfinite(value))
        fail(kOutOfRange);
    return value;
}

void FormulaExpressionParser::fail(const QString& message)
{
    if (!failed())
        m_error = message;
}

std::optional<double> FormulaExpressionParser::toNumber(QStringView text)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    int digits = 0;
    int points = 0;
    bool integerPartZero = true;
    for (qsizetype j = i; j < text.size(); ++j) {
        const QChar c = text[j];
        if (isDigit(c)) {
            ++digits;
            if (points == 0 && c != u'0')
                integerPartZero = false;
        } else if (c == u'.' && points == 0) {
            ++points;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;

    const std::string ascii = text.mid(i).toLatin1().toStdString();
    double value = 0.0;
    const auto [ptr, ec] =
        std::from_chars(ascii.data(), ascii.data() + ascii.size(), value, std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range) {
        // Too small to be told from 0 (only possible without an integer part), or too large.
        if (!integerPartZero)
            return std::nullopt;
        value = 0.0;
    } else if (ec != std::errc() || ptr != ascii.data() + ascii.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

double FormulaExpressionParser::roundToFiveDecimals(double value)
{
    if (!std::isfinite(value))
        return value;
    char buffer[400];  // the largest double has 309 integer digits
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 5);
    if (written.ec != std::errc())
        return value;
    double rounded = value;
    std::from_chars(buffer, written.ptr, rounded, std::chars_format::fixed);
    return rounded;
}
