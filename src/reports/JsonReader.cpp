#include "reports/JsonReader.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringDecoder>

#include <cmath>

const JsonNode* JsonNode::member(const QString& key) const
{
    for (const auto& [name, node] : members)
        if (name == key)
            return &node;
    return nullptr;
}

QJsonValue JsonNode::toJson() const
{
    switch (type) {
    case Type::Null: return QJsonValue(QJsonValue::Null);
    case Type::Bool: return boolean;
    case Type::Number: return number;
    case Type::String: return string;
    case Type::Array: {
        QJsonArray a;
        for (const auto& i : items)
            a.append(i.toJson());
        return a;
    }
    case Type::Object: {
        QJsonObject o;
        for (const auto& [k, v] : members)
            o.insert(k, v.toJson());
        return o;
    }
    }
    return {};
}

QString JsonNode::typeName() const
{
    switch (type) {
    case Type::Null: return QStringLiteral("null");
    case Type::Bool: return QStringLiteral("logična vrednost");
    case Type::Number: return QStringLiteral("število");
    case Type::String: return QStringLiteral("besedilo");
    case Type::Array: return QStringLiteral("seznam");
    case Type::Object: return QStringLiteral("objekt");
    }
    return {};
}

namespace {

class Reader {
public:
    explicit Reader(const QString& text) : m_text(text) {}

    JsonReadResult run()
    {
        JsonReadResult result;
        skipSpace();
        if (atEnd()) {
            fail(QStringLiteral("besedilo je prazno"));
        } else {
            result.root = parseValue(0);
            if (m_error.isEmpty()) {
                skipSpace();
                if (!atEnd())
                    fail(QStringLiteral("za koncem podatkov je še besedilo"));
            }
        }
        result.error = m_error;
        result.line = m_errLine;
        result.column = m_errColumn;
        return result;
    }

private:
    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar peek() const { return atEnd() ? QChar() : m_text[m_pos]; }
    bool failed() const { return !m_error.isEmpty(); }

    void advance()
    {
        if (atEnd())
            return;
        if (m_text[m_pos] == QLatin1Char('\n')) {
            ++m_line;
            m_column = 1;
        } else if (!m_text[m_pos].isLowSurrogate()) {
            ++m_column;
        }
        ++m_pos;
    }

    void fail(const QString& message)
    {
        if (failed())
            return;
        m_error = message;
        m_errLine = m_line;
        m_errColumn = m_column;
    }

    void skipSpace()
    {
        while (!atEnd()) {
            const QChar c = peek();
            if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
                advance();
            else
                break;
        }
    }

    // value := object | array | string | number | "true" | "false" | "null"
    JsonNode parseValue(int depth)
    {
        JsonNode node;
        node.line = m_line;
        node.column = m_column;
        if (depth > 200) {
            fail(QStringLiteral("podatki so pregloboko gnezdeni"));
            return node;
        }
        if (atEnd()) {
            fail(QStringLiteral("besedilo se nepričakovano konča"));
            return node;
        }
        const QChar c = peek();
        if (c == QLatin1Char('{'))
            parseObject(node, depth);
        else if (c == QLatin1Char('['))
            parseArray(node, depth);
        else if (c == QLatin1Char('"')) {
            node.type = JsonNode::Type::String;
            node.string = parseString();
        } else if (c == QLatin1Char('-') || c.isDigit()) {
            node.type = JsonNode::Type::Number;
            node.number = parseNumber();
        } else if (matchWord(QStringLiteral("true"))) {
            node.type = JsonNode::Type::Bool;
            node.boolean = true;
        } else if (matchWord(QStringLiteral("false"))) {
            node.type = JsonNode::Type::Bool;
        } else if (matchWord(QStringLiteral("null"))) {
            node.type = JsonNode::Type::Null;
        } else {
            fail(QStringLiteral("nepričakovan znak '%1'").arg(c));
        }
        return node;
    }

    bool matchWord(const QString& word)
    {
        if (QStringView(m_text).mid(m_pos, word.size()) != word)
            return false;
        for (int i = 0; i < word.size(); ++i)
            advance();
        return true;
    }

    // object := "{" [ string ":" value { "," string ":" value } ] "}"
    void parseObject(JsonNode& node, int depth)
    {
        node.type = JsonNode::Type::Object;
        advance();
        skipSpace();
        if (peek() == QLatin1Char('}')) {
            advance();
            return;
        }
        while (!failed()) {
            skipSpace();
            if (peek() != QLatin1Char('"')) {
                fail(atEnd() ? QStringLiteral("besedilo se nepričakovano konča")
                             : QStringLiteral("pričakovano je ime lastnosti v narekovajih"));
                return;
            }
            QString key = parseString();
            skipSpace();
            if (peek() != QLatin1Char(':')) {
                fail(QStringLiteral("za imenom lastnosti manjka ':'"));
                return;
            }
            advance();
            skipSpace();
            JsonNode value = parseValue(depth + 1);
            if (failed())
                return;
            node.members.emplace_back(std::move(key), std::move(value));
            skipSpace();
            if (peek() == QLatin1Char(',')) {
                advance();
                continue;
            }
            if (peek() == QLatin1Char('}')) {
                advance();
                return;
            }
            fail(atEnd() ? QStringLiteral("besedilo se nepričakovano konča (manjka '}')")
                         : QStringLiteral("pričakovana je ',' ali '}'"));
        }
    }

    // array := "[" [ value { "," value } ] "]"
    void parseArray(JsonNode& node, int depth)
    {
        node.type = JsonNode::Type::Array;
        advance();
        skipSpace();
        if (peek() == QLatin1Char(']')) {
            advance();
            return;
        }
        while (!failed()) {
            skipSpace();
            JsonNode value = parseValue(depth + 1);
            if (failed())
                return;
            node.items.push_back(std::move(value));
            skipSpace();
            if (peek() == QLatin1Char(',')) {
                advance();
                continue;
            }
            if (peek() == QLatin1Char(']')) {
                advance();
                return;
            }
            fail(atEnd() ? QStringLiteral("besedilo se nepričakovano konča (manjka ']')")
                         : QStringLiteral("pričakovana je ',' ali ']'"));
        }
    }

    // string := '"' { character | escape } '"'
    QString parseString()
    {
        QString out;
        advance();   // the opening quote
        while (!failed()) {
            if (atEnd()) {
                fail(QStringLiteral("besedilo se konča sredi niza (manjka '\"')"));
                break;
            }
            const QChar c = peek();
            if (c == QLatin1Char('"')) {
                advance();
                break;
            }
            if (c.unicode() < 0x20) {
                fail(QStringLiteral("kontrolni znak v nizu"));
                break;
            }
            if (c != QLatin1Char('\\')) {
                out += c;
                advance();
                continue;
            }
            advance();
            const QChar e = peek();
            switch (e.unicode()) {
            case '"': out += QLatin1Char('"'); break;
            case '\\': out += QLatin1Char('\\'); break;
            case '/': out += QLatin1Char('/'); break;
            case 'b': out += QChar(8); break;
            case 'f': out += QChar(12); break;
            case 'n': out += QLatin1Char('\n'); break;
            case 'r': out += QLatin1Char('\r'); break;
            case 't': out += QLatin1Char('\t'); break;
            case 'u': {
                advance();
                bool ok = false;
                const uint code = QStringView(m_text).mid(m_pos, 4).toUInt(&ok, 16);
                if (!ok || m_pos + 4 > m_text.size()) {
                    fail(QStringLiteral("napačen zapis \\u v nizu"));
                    return out;
                }
                out += QChar(char16_t(code));
                for (int i = 0; i < 3; ++i)
                    advance();
                break;
            }
            default:
                fail(QStringLiteral("neznano ubežno zaporedje v nizu"));
                return out;
            }
            advance();
        }
        return out;
    }

    // number := [ "-" ] int [ frac ] [ exp ]
    double parseNumber()
    {
        const qsizetype start = m_pos;
        if (peek() == QLatin1Char('-'))
            advance();
        if (!peek().isDigit()) {
            fail(QStringLiteral("napačno število"));
            return 0;
        }
        while (peek().isDigit())
            advance();
        if (peek() == QLatin1Char('.')) {
            advance();
            if (!peek().isDigit()) {
                fail(QStringLiteral("napačno število"));
                return 0;
            }
            while (peek().isDigit())
                advance();
        }
        if (peek() == QLatin1Char('e') || peek() == QLatin1Char('E')) {
            advance();
            if (peek() == QLatin1Char('+') || peek() == QLatin1Char('-'))
                advance();
            if (!peek().isDigit()) {
                fail(QStringLiteral("napačno število"));
                return 0;
            }
            while (peek().isDigit())
                advance();
        }
        bool ok = false;
        const double v = QStringView(m_text).mid(start, m_pos - start).toDouble(&ok);
        if (!ok || !std::isfinite(v)) {
            fail(QStringLiteral("napačno število"));
            return 0;
        }
        return v;
    }

    const QString& m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
    int m_column = 1;
    QString m_error;
    int m_errLine = 0;
    int m_errColumn = 0;
};

}   // namespace

JsonReadResult readJson(const QByteArray& utf8)
{
    QByteArray bytes = utf8;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    if (decoder.hasError()) {
        // Find the first invalid byte's line for the message.
        int line = 1;
        int valid = 0;
        QStringDecoder probe(QStringDecoder::Utf8);
        for (int i = 0; i < bytes.size(); ++i) {
            QString part = probe(bytes.mid(i, 1));
            if (probe.hasError())
                break;
            valid = i;
            if (bytes[i] == '\n')
                ++line;
        }
        Q_UNUSED(valid);
        JsonReadResult r;
        r.line = line;
        r.column = 1;
        r.error = QStringLiteral("besedilo ni zapisano v UTF-8");
        return r;
    }
    return Reader(text).run();
}
