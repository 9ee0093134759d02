// The report expression language: a recursive-descent parser whose functions follow the grammar.
#include "reports/ReportExpression.h"
#include "reports/ReportExpressionNode.h"

#include <QSet>

namespace {

using Node = ReportExpressionNode;
using NodePtr = std::unique_ptr<Node>;

struct FunctionInfo {
    const char* name;
    int minArgs;
    int maxArgs;
};

// Every function of the language with the number of its arguments.
const FunctionInfo functions[] = {
    {"IF", 3, 3},          {"COPY", 2, 3},        {"UPPER", 1, 1},       {"LOWER", 1, 1},
    {"LENGTH", 1, 1},      {"TRIM", 1, 1},        {"FORMATNUMBER", 2, 2}, {"FORMATDATE", 2, 2},
    {"STR", 1, 1},         {"ROUND", 1, 2},       {"ABS", 1, 1},         {"ISNULL", 1, 1},
    {"SUM", 1, 1},         {"COUNT", 0, 1},       {"MIN", 1, 1},         {"MAX", 1, 1},
    {"AVG", 1, 1},         {"PAGE", 0, 0},        {"PAGECOUNT", 0, 0},   {"DATE", 0, 0},
    {"TIME", 0, 0},        {"INI", 3, 3},         {"CRITERIA", 1, 1},    {"ROWNUMBER", 0, 0},
};

const FunctionInfo* findFunction(const QString& upperName)
{
    for (const auto& f : functions)
        if (upperName == QLatin1String(f.name))
            return &f;
    return nullptr;
}

class Parser {
public:
    explicit Parser(const QString& text) : m_text(text) {}

    NodePtr run()
    {
        skipSpace();
        if (atEnd()) {
            fail(0, QStringLiteral("izraz je prazen"));
            return nullptr;
        }
        NodePtr root = parseOr();
        if (failed())
            return nullptr;
        skipSpace();
        if (!atEnd()) {
            fail(int(m_pos), QStringLiteral("odveč znaki za koncem izraza"));
            return nullptr;
        }
        return root;
    }

    ReportExpressionError error() const { return m_error; }

private:
    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar peek(qsizetype ahead = 0) const
    {
        return m_pos + ahead < m_text.size() ? m_text[m_pos + ahead] : QChar();
    }
    bool failed() const { return m_error.isError(); }

    void fail(int position, const QString& message)
    {
        if (failed())
            return;
        m_error.position = position;
        m_error.message = message;
    }

    void skipSpace()
    {
        while (!atEnd() && peek().isSpace())
            ++m_pos;
    }

    // A word at the cursor (letters, digits, "_"), without moving.
    QString peekWord() const
    {
        qsizetype p = m_pos;
        while (p < m_text.size() && (m_text[p].isLetterOrNumber() || m_text[p] == QLatin1Char('_')))
            ++p;
        return m_text.mid(m_pos, p - m_pos);
    }

    bool acceptKeyword(const char* word)
    {
        skipSpace();
        const QString w = peekWord();
        if (w.compare(QLatin1String(word), Qt::CaseInsensitive) != 0)
            return false;
        m_pos += w.size();
        return true;
    }

    NodePtr binary(Node::Op op, NodePtr left, NodePtr right, int position)
    {
        auto n = std::make_unique<Node>();
        n->kind = Node::Kind::Binary;
        n->op = op;
        n->position = position;
        n->children.push_back(std::move(left));
        n->children.push_back(std::move(right));
        return n;
    }

    // or := and { "OR" and }
    NodePtr parseOr()
    {
        NodePtr left = parseAnd();
        while (!failed()) {
            const int at = int(m_pos);
            if (!acceptKeyword("OR"))
                break;
            NodePtr right = parseAnd();
            if (failed())
                return nullptr;
            left = binary(Node::Op::Or, std::move(left), std::move(right), at);
        }
        return left;
    }

    // and := not { "AND" not }
    NodePtr parseAnd()
    {
        NodePtr left = parseNot();
        while (!failed()) {
            const int at = int(m_pos);
            if (!acceptKeyword("AND"))
                break;
            NodePtr right = parseNot();
            if (failed())
                return nullptr;
            left = binary(Node::Op::And, std::move(left), std::move(right), at);
        }
        return left;
    }

    // not := "NOT" not | comparison
    NodePtr parseNot()
    {
        skipSpace();
        const int at = int(m_pos);
        if (acceptKeyword("NOT")) {
            if (++m_depth > maxDepth) {
                fail(at, QStringLiteral("izraz je pregloboko gnezden"));
                return nullptr;
            }
            NodePtr operand = parseNot();
            --m_depth;
            if (failed())
                return nullptr;
            auto n = std::make_unique<Node>();
            n->kind = Node::Kind::Not;
            n->position = at;
            n->children.push_back(std::move(operand));
            return n;
        }
        return parseComparison();
    }

    // comparison := additive [ ("=" | "<>" | "<" | "<=" | ">" | ">=") additive ]
    NodePtr parseComparison()
    {
        NodePtr left = parseAdditive();
        if (failed())
            return nullptr;
        skipSpace();
        const int at = int(m_pos);
        std::optional<Node::Op> op;
        const QChar c = peek();
        const QChar d = peek(1);
        if (c == QLatin1Char('<') && d == QLatin1Char('>')) { op = Node::Op::NotEqual; m_pos += 2; }
        else if (c == QLatin1Char('<') && d == QLatin1Char('=')) { op = Node::Op::LessEqual; m_pos += 2; }
        else if (c == QLatin1Char('>') && d == QLatin1Char('=')) { op = Node::Op::GreaterEqual; m_pos += 2; }
        else if (c == QLatin1Char('<')) { op = Node::Op::Less; ++m_pos; }
        else if (c == QLatin1Char('>')) { op = Node::Op::Greater; ++m_pos; }
        else if (c == QLatin1Char('=')) { op = Node::Op::Equal; ++m_pos; }
        if (!op)
            return left;
        NodePtr right = parseAdditive();
        if (failed())
            return nullptr;
        return binary(*op, std::move(left), std::move(right), at);
    }

    // additive := term { ("+" | "-") term }
    NodePtr parseAdditive()
    {
        NodePtr left = parseTerm();
        while (!failed()) {
            skipSpace();
            const int at = int(m_pos);
            const QChar c = peek();
            if (c != QLatin1Char('+') && c != QLatin1Char('-'))
                break;
            ++m_pos;
            NodePtr right = parseTerm();
            if (failed())
                return nullptr;
            left = binary(c == QLatin1Char('+') ? Node::Op::Add : Node::Op::Subtract, std::move(left),
                          std::move(right), at);
        }
        return left;
    }

    // term := unary { ("*" | "/") unary }
    NodePtr parseTerm()
    {
        NodePtr left = parseUnary();
        while (!failed()) {
            skipSpace();
            const int at = int(m_pos);
            const QChar c = peek();
            if (c != QLatin1Char('*') && c != QLatin1Char('/'))
                break;
            ++m_pos;
            NodePtr right = parseUnary();
            if (failed())
                return nullptr;
            left = binary(c == QLatin1Char('*') ? Node::Op::Multiply : Node::Op::Divide, std::move(left),
                          std::move(right), at);
        }
        return left;
    }

    // unary := ("-" | "+") unary | primary
    NodePtr parseUnary()
    {
        skipSpace();
        const int at = int(m_pos);
        const QChar c = peek();
        if (c == QLatin1Char('-') || c == QLatin1Char('+')) {
            ++m_pos;
            if (++m_depth > maxDepth) {
                fail(at, QStringLiteral("izraz je pregloboko gnezden"));
                return nullptr;
            }
            NodePtr operand = parseUnary();
            --m_depth;
            if (failed())
                return nullptr;
            if (c == QLatin1Char('+'))
                return operand;
            auto n = std::make_unique<Node>();
            n->kind = Node::Kind::Negate;
            n->position = at;
            n->children.push_back(std::move(operand));
            return n;
        }
        return parsePrimary();
    }

    // primary := number | text | "(" or ")" | name [ "." name ] | name "(" [ or { "," or } ] ")"
    NodePtr parsePrimary()
    {
        skipSpace();
        const int at = int(m_pos);
        if (atEnd()) {
            fail(at, QStringLiteral("izraz se nepričakovano konča"));
            return nullptr;
        }
        const QChar c = peek();
        if (c.isDigit() || (c == QLatin1Char('.') && peek(1).isDigit()))
            return parseNumber();
        if (c == QLatin1Char('\'') || c == QLatin1Char('"'))
            return parseText();
        if (c == QLatin1Char('(')) {
            ++m_pos;
            if (++m_depth > maxDepth) {
                fail(at, QStringLiteral("izraz je pregloboko gnezden"));
                return nullptr;
            }
            NodePtr inner = parseOr();
            --m_depth;
            if (failed())
                return nullptr;
            skipSpace();
            if (peek() != QLatin1Char(')')) {
                fail(int(m_pos), QStringLiteral("manjka zaklepaj ')' k oklepaju v stolpcu %1").arg(at + 1));
                return nullptr;
            }
            ++m_pos;
            return inner;
        }
        if (c.isLetter() || c == QLatin1Char('_'))
            return parseName();
        fail(at, QStringLiteral("nepričakovan znak '%1'").arg(c));
        return nullptr;
    }

    NodePtr parseNumber()
    {
        const int at = int(m_pos);
        qsizetype p = m_pos;
        while (p < m_text.size() && m_text[p].isDigit())
            ++p;
        if (p < m_text.size() && m_text[p] == QLatin1Char('.')) {
            ++p;
            while (p < m_text.size() && m_text[p].isDigit())
                ++p;
        }
        bool ok = false;
        const double v = QStringView(m_text).mid(m_pos, p - m_pos).toDouble(&ok);
        if (!ok) {
            fail(at, QStringLiteral("napačno število"));
            return nullptr;
        }
        if (p < m_text.size() && (m_text[p].isLetter() || m_text[p] == QLatin1Char('.'))) {
            fail(int(p), QStringLiteral("napačno število"));
            return nullptr;
        }
        m_pos = p;
        auto n = std::make_unique<Node>();
        n->kind = Node::Kind::Constant;
        n->position = at;
        n->constant = v;
        return n;
    }

    // text := quote { character | quote quote } quote
    NodePtr parseText()
    {
        const int at = int(m_pos);
        const QChar quote = peek();
        ++m_pos;
        QString value;
        while (true) {
            if (atEnd()) {
                fail(at, QStringLiteral("besedilu manjka zaključni narekovaj"));
                return nullptr;
            }
            const QChar c = peek();
            ++m_pos;
            if (c == quote) {
                if (peek() == quote) {
                    value += quote;
                    ++m_pos;
                    continue;
                }
                break;
            }
            value += c;
        }
        auto n = std::make_unique<Node>();
        n->kind = Node::Kind::Constant;
        n->position = at;
        n->constant = value;
        return n;
    }

    NodePtr parseName()
    {
        const int at = int(m_pos);
        QString first = peekWord();
        m_pos += first.size();
        skipSpace();
        auto n = std::make_unique<Node>();
        n->position = at;
        const QString upper = first.toUpper();
        if (peek() == QLatin1Char('(')) {
            const FunctionInfo* f = findFunction(upper);
            if (!f) {
                fail(at, QStringLiteral("neznana funkcija %1").arg(first));
                return nullptr;
            }
            ++m_pos;
            n->kind = Node::Kind::Call;
            n->name = upper;
            if (++m_depth > maxDepth) {
                fail(at, QStringLiteral("izraz je pregloboko gnezden"));
                return nullptr;
            }
            skipSpace();
            if (peek() != QLatin1Char(')')) {
                while (!failed()) {
                    NodePtr arg = parseOr();
                    if (failed())
                        return nullptr;
                    n->children.push_back(std::move(arg));
                    skipSpace();
                    if (peek() == QLatin1Char(',')) {
                        ++m_pos;
                        continue;
                    }
                    break;
                }
            }
            --m_depth;
            skipSpace();
            if (peek() != QLatin1Char(')')) {
                fail(int(m_pos), atEnd() ? QStringLiteral("klicu funkcije %1 manjka zaklepaj ')'").arg(upper)
                                         : QStringLiteral("pričakovana je ',' ali ')'"));
                return nullptr;
            }
            ++m_pos;
            const int count = int(n->children.size());
            if (count < f->minArgs || count > f->maxArgs) {
                const QString want = f->minArgs == f->maxArgs ? QString::number(f->minArgs)
                    : QStringLiteral("%1 do %2").arg(f->minArgs).arg(f->maxArgs);
                fail(at, QStringLiteral("funkcija %1 potrebuje %2 argumentov, ima jih %3").arg(upper, want).arg(count));
                return nullptr;
            }
            if (n->isAggregate()) {
                for (const auto& child : n->children)
                    if (containsAggregate(*child)) {
                        fail(child->position, QStringLiteral("vsote ni mogoče gnezditi v vsoto"));
                        return nullptr;
                    }
            }
            return n;
        }
        n->kind = Node::Kind::Name;
        if (peek() == QLatin1Char('.') && (peek(1).isLetter() || peek(1) == QLatin1Char('_'))) {
            ++m_pos;
            const QString second = peekWord();
            m_pos += second.size();
            n->qualifier = first;
            n->name = second;
            return n;
        }
        if (upper == QLatin1String("TRUE") || upper == QLatin1String("FALSE")) {
            n->kind = Node::Kind::Constant;
            n->constant = upper == QLatin1String("TRUE");
            return n;
        }
        n->name = first;
        return n;
    }

    static bool containsAggregate(const Node& node)
    {
        if (node.kind == Node::Kind::Call && node.isAggregate())
            return true;
        for (const auto& c : node.children)
            if (containsAggregate(*c))
                return true;
        return false;
    }

    static constexpr int maxDepth = 100;
    const QString& m_text;
    qsizetype m_pos = 0;
    int m_depth = 0;
    ReportExpressionError m_error;
};

}   // namespace

bool ReportExpressionNode::isAggregate() const
{
    return kind == Kind::Call
        && (name == QLatin1String("SUM") || name == QLatin1String("COUNT") || name == QLatin1String("MIN")
            || name == QLatin1String("MAX") || name == QLatin1String("AVG"));
}

QString ReportExpressionError::text() const
{
    return QStringLiteral("stolpec %1: %2").arg(position + 1).arg(message);
}

ReportExpression::ReportExpression() = default;

ReportExpression ReportExpression::parse(const QString& text)
{
    ReportExpression e;
    e.m_text = text;
    Parser parser(text);
    NodePtr root = parser.run();
    e.m_error = parser.error();
    if (!e.m_error.isError())
        e.m_root = std::shared_ptr<const Node>(std::move(root));
    return e;
}

QStringList ReportExpression::functionNames()
{
    QStringList out;
    for (const auto& f : functions)
        out << QString::fromLatin1(f.name);
    return out;
}
