// Reading the text format of report definitions (see REPORT_FORMAT.md).
#include "reports/JsonReader.h"
#include "reports/ReportDefinition.h"
#include "reports/ReportDefinitionFormat.h"

#include <functional>

namespace {

// Thrown only inside this file, to unwind the walk to parse(); never leaves it.
struct ReadFailure {
    int line;
    int column;
    QString message;
};

[[noreturn]] void failAt(const JsonNode& node, const QString& message)
{
    throw ReadFailure{node.line, node.column, message};
}

void expectType(const JsonNode& node, JsonNode::Type type, const QString& key)
{
    if (node.type == type)
        return;
    JsonNode want;
    want.type = type;
    failAt(node, QStringLiteral("lastnost \"%1\" mora biti %2, ne %3").arg(key, want.typeName(), node.typeName()));
}

QString readString(const JsonNode& node, const QString& key)
{
    expectType(node, JsonNode::Type::String, key);
    return node.string;
}

double readNumber(const JsonNode& node, const QString& key, double min = -1e6, double max = 1e6)
{
    expectType(node, JsonNode::Type::Number, key);
    if (node.number < min || node.number > max)
        failAt(node, QStringLiteral("vrednost lastnosti \"%1\" (%2) je zunaj meja %3 do %4")
                         .arg(key).arg(node.number).arg(min).arg(max));
    return node.number;
}

bool readBool(const JsonNode& node, const QString& key)
{
    expectType(node, JsonNode::Type::Bool, key);
    return node.boolean;
}

QColor readColour(const JsonNode& node, const QString& key)
{
    const QString text = readString(node, key);
    if (text.isEmpty())
        return {};
    const QColor c = QColor::fromString(text);
    if (!c.isValid())
        failAt(node, QStringLiteral("\"%1\" ni barva (pričakovano je npr. \"#336699\")").arg(text));
    return c;
}

template <typename E>
E readEnum(const JsonNode& node, const QString& key, const std::function<std::optional<E>(const QString&)>& from)
{
    const QString text = readString(node, key);
    const std::optional<E> v = from(text);
    if (!v)
        failAt(node, QStringLiteral("neznana vrednost \"%1\" lastnosti \"%2\"").arg(text, key));
    return *v;
}

template <typename E>
std::optional<E> byName(const QString& text, std::initializer_list<E> values, QString (*name)(E))
{
    for (E v : values)
        if (name(v).compare(text, Qt::CaseInsensitive) == 0)
            return v;
    return std::nullopt;
}

// Walks the members of an object: known keys through the handler, the rest into extra.
void eachMember(const JsonNode& node, const QString& what, QJsonObject& extra,
                const std::function<bool(const QString&, const JsonNode&)>& handle)
{
    expectType(node, JsonNode::Type::Object, what);
    for (const auto& [key, value] : node.members)
        if (!handle(key, value))
            extra.insert(key, value.toJson());
}

ReportFont readFont(const JsonNode& node)
{
    ReportFont f;
    QJsonObject ignored;
    eachMember(node, QStringLiteral("font"), ignored, [&](const QString& k, const JsonNode& v) {
        if (k == QLatin1String("family")) f.family = readString(v, k);
        else if (k == QLatin1String("size")) f.pointSize = readNumber(v, k, 1, 400);
        else if (k == QLatin1String("bold")) f.bold = readBool(v, k);
        else if (k == QLatin1String("italic")) f.italic = readBool(v, k);
        else if (k == QLatin1String("underline")) f.underline = readBool(v, k);
        else return false;
        return true;
    });
    return f;
}

ReportFrame readFrame(const JsonNode& node)
{
    ReportFrame f;
    QJsonObject ignored;
    eachMember(node, QStringLiteral("frame"), ignored, [&](const QString& k, const JsonNode& v) {
        if (k == QLatin1String("sides")) {
            const QString s = readString(v, k).toLower();
            for (QChar c : s)
                if (!QStringLiteral("ltrb").contains(c))
                    failAt(v, QStringLiteral("stranice okvira so črke l, t, r, b, ne \"%1\"").arg(s));
            f.left = s.contains(QLatin1Char('l'));
            f.top = s.contains(QLatin1Char('t'));
            f.right = s.contains(QLatin1Char('r'));
            f.bottom = s.contains(QLatin1Char('b'));
        } else if (k == QLatin1String("width")) f.widthMm = readNumber(v, k, 0, 20);
        else if (k == QLatin1String("colour")) f.colour = readColour(v, k);
        else return false;
        return true;
    });
    return f;
}

ReportElement readElement(const JsonNode& node)
{
    ReportElement e;
    const JsonNode* type = node.type == JsonNode::Type::Object ? node.member(QStringLiteral("type")) : nullptr;
    if (node.type == JsonNode::Type::Object && !type)
        failAt(node, QStringLiteral("elementu manjka lastnost \"type\""));
    eachMember(node, QStringLiteral("elements[]"), e.extra, [&](const QString& k, const JsonNode& v) {
        if (k == QLatin1String("type")) e.kind = readEnum<ReportElementKind>(v, k, reportElementKindFromName);
        else if (k == QLatin1String("name")) e.name = readString(v, k);
        else if (k == QLatin1String("left")) e.leftMm = readNumber(v, k, -1000, 2000);
        else if (k == QLatin1String("top")) e.topMm = readNumber(v, k, -1000, 2000);
        else if (k == QLatin1String("width")) e.widthMm = readNumber(v, k, 0, 2000);
        else if (k == QLatin1String("height")) e.heightMm = readNumber(v, k, 0, 2000);
        else if (k == QLatin1String("text")) e.text = readString(v, k);
        else if (k == QLatin1String("dataSet")) e.dataSet = readString(v, k);
        else if (k == QLatin1String("field")) e.field = readString(v, k);
        else if (k == QLatin1String("expression")) e.expression = readString(v, k);
        else if (k == QLatin1String("displayFormat")) e.displayFormat = readString(v, k);
        else if (k == QLatin1String("systemData")) e.systemData = readEnum<ReportSystemDataKind>(v, k, reportSystemDataFromName);
        else if (k == QLatin1String("image")) {
            const auto decoded = QByteArray::fromBase64Encoding(readString(v, k).toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
            if (!decoded)
                failAt(v, QStringLiteral("slika ni pravilno zapisana (base64)"));
            e.imageData = *decoded;
        } else if (k == QLatin1String("keepAspect")) e.keepAspect = readBool(v, k);
        else if (k == QLatin1String("font")) e.font = readFont(v);
        else if (k == QLatin1String("align"))
            e.hAlign = readEnum<ReportHAlign>(v, k, [](const QString& t) {
                return byName(t, {ReportHAlign::Left, ReportHAlign::Center, ReportHAlign::Right, ReportHAlign::Justify}, reportHAlignName);
            });
        else if (k == QLatin1String("verticalAlign"))
            e.vAlign = readEnum<ReportVAlign>(v, k, [](const QString& t) {
                return byName(t, {ReportVAlign::Top, ReportVAlign::Middle, ReportVAlign::Bottom}, reportVAlignName);
            });
        else if (k == QLatin1String("colour")) e.textColour = readColour(v, k);
        else if (k == QLatin1String("background")) e.backgroundColour = readColour(v, k);
        else if (k == QLatin1String("frame")) e.frame = readFrame(v);
        else if (k == QLatin1String("lineWidth")) e.lineWidthMm = readNumber(v, k, 0, 20);
        else if (k == QLatin1String("wordWrap")) e.wordWrap = readBool(v, k);
        else if (k == QLatin1String("autoStretch")) e.autoStretch = readBool(v, k);
        else if (k == QLatin1String("printCondition")) e.printCondition = readString(v, k);
        else return false;
        return true;
    });
    if (!e.textColour.isValid())
        e.textColour = Qt::black;
    if (e.kind == ReportElementKind::Memo)
        e.wordWrap = true;
    return e;
}

ReportBand readBand(const JsonNode& node)
{
    ReportBand b;
    if (node.type == JsonNode::Type::Object && !node.member(QStringLiteral("type")))
        failAt(node, QStringLiteral("pasu manjka lastnost \"type\""));
    eachMember(node, QStringLiteral("bands[]"), b.extra, [&](const QString& k, const JsonNode& v) {
        if (k == QLatin1String("type")) b.kind = readEnum<ReportBandKind>(v, k, reportBandKindFromName);
        else if (k == QLatin1String("name")) b.name = readString(v, k);
        else if (k == QLatin1String("height")) b.heightMm = readNumber(v, k, 0, 2000);
        else if (k == QLatin1String("dataSet")) b.dataSet = readString(v, k);
        else if (k == QLatin1String("groupExpression")) b.groupExpression = readString(v, k);
        else if (k == QLatin1String("group")) b.group = readString(v, k);
        else if (k == QLatin1String("parentBand")) b.parentBand = readString(v, k);
        else if (k == QLatin1String("startNewPage")) b.startNewPage = readBool(v, k);
        else if (k == QLatin1String("keepTogether")) b.keepTogether = readBool(v, k);
        else if (k == QLatin1String("repeatOnEachPage")) b.repeatOnEachPage = readBool(v, k);
        else if (k == QLatin1String("printOnFirstPage")) b.printOnFirstPage = readBool(v, k);
        else if (k == QLatin1String("printOnLastPage")) b.printOnLastPage = readBool(v, k);
        else if (k == QLatin1String("printCondition")) b.printCondition = readString(v, k);
        else if (k == QLatin1String("background")) b.backgroundColour = readColour(v, k);
        else if (k == QLatin1String("elements")) {
            expectType(v, JsonNode::Type::Array, k);
            for (const auto& item : v.items)
                b.elements.push_back(readElement(item));
        } else return false;
        return true;
    });
    return b;
}

ReportVariable readVariable(const JsonNode& node)
{
    ReportVariable var;
    eachMember(node, QStringLiteral("variables[]"), var.extra, [&](const QString& k, const JsonNode& v) {
        if (k == QLatin1String("name")) var.name = readString(v, k);
        else if (k == QLatin1String("expression")) var.expression = readString(v, k);
        else if (k == QLatin1String("resetGroup")) var.resetGroup = readString(v, k);
        else if (k == QLatin1String("aggregate"))
            var.aggregate = readEnum<ReportAggregate>(v, k, [](const QString& t) {
                return byName(t, {ReportAggregate::Sum, ReportAggregate::Count, ReportAggregate::Min,
                                  ReportAggregate::Max, ReportAggregate::Average}, reportAggregateName);
            });
        else if (k == QLatin1String("reset"))
            var.reset = readEnum<ReportResetScope>(v, k, [](const QString& t) {
                return byName(t, {ReportResetScope::Report, ReportResetScope::Page, ReportResetScope::Group}, reportResetScopeName);
            });
        else return false;
        return true;
    });
    if (var.name.trimmed().isEmpty())
        failAt(node, QStringLiteral("spremenljivka nima imena"));
    return var;
}

void readPage(const JsonNode& node, ReportPageSetup& page)
{
    eachMember(node, QStringLiteral("page"), page.extra, [&](const QString& k, const JsonNode& v) {
        if (k == QLatin1String("paper")) page.paperName = readString(v, k);
        else if (k == QLatin1String("width")) page.widthMm = readNumber(v, k, 20, 2000);
        else if (k == QLatin1String("height")) page.heightMm = readNumber(v, k, 20, 2000);
        else if (k == QLatin1String("orientation")) {
            const QString o = readString(v, k);
            if (o.compare(QLatin1String("portrait"), Qt::CaseInsensitive) == 0)
                page.orientation = ReportOrientation::Portrait;
            else if (o.compare(QLatin1String("landscape"), Qt::CaseInsensitive) == 0)
                page.orientation = ReportOrientation::Landscape;
            else
                failAt(v, QStringLiteral("usmerjenost strani je \"portrait\" ali \"landscape\", ne \"%1\"").arg(o));
        } else if (k == QLatin1String("margins")) {
            QJsonObject ignored;
            eachMember(v, k, ignored, [&](const QString& mk, const JsonNode& mv) {
                if (mk == QLatin1String("left")) page.leftMarginMm = readNumber(mv, mk, 0, 500);
                else if (mk == QLatin1String("top")) page.topMarginMm = readNumber(mv, mk, 0, 500);
                else if (mk == QLatin1String("right")) page.rightMarginMm = readNumber(mv, mk, 0, 500);
                else if (mk == QLatin1String("bottom")) page.bottomMarginMm = readNumber(mv, mk, 0, 500);
                else return false;
                return true;
            });
        } else return false;
        return true;
    });
    if (page.printableWidthMm() < 10 || page.printableHeightMm() < 10)
        failAt(node, QStringLiteral("robovi ne puščajo prostora za izpis"));
}

// Checks that hold between bands: names of groups and parents exist, the bands fit on a page.
void checkBands(const ReportDefinition& def, const JsonNode& bandsNode)
{
    for (size_t i = 0; i < def.bands.size(); ++i) {
        const ReportBand& b = def.bands[i];
        const JsonNode& at = bandsNode.items[i];
        if (b.kind == ReportBandKind::GroupFooter && !b.group.isEmpty()) {
            const ReportBand* h = def.findBand(b.group);
            if (!h || h->kind != ReportBandKind::GroupHeader)
                failAt(at, QStringLiteral("noga skupine se sklicuje na neznano glavo skupine \"%1\"").arg(b.group));
        }
        if (b.kind == ReportBandKind::Child) {
            if (b.parentBand.isEmpty() || !def.findBand(b.parentBand))
                failAt(at, QStringLiteral("podrejeni pas se sklicuje na neznan pas \"%1\"").arg(b.parentBand));
        }
        if (b.heightMm > def.page.printableHeightMm())
            failAt(at, QStringLiteral("pas \"%1\" je višji od strani").arg(b.name));
    }
}

}   // namespace

ReportParseResult ReportDefinition::parse(const QByteArray& text)
{
    ReportParseResult result;
    const JsonReadResult json = readJson(text);
    if (!json.error.isEmpty()) {
        result.error = {json.line, json.column, json.error};
        return result;
    }
    const JsonNode& root = json.root;
    try {
        if (root.type != JsonNode::Type::Object)
            failAt(root, QStringLiteral("to ni definicija izpisa (pričakovan je objekt)"));
        const JsonNode* format = root.member(QStringLiteral("format"));
        if (!format || format->type != JsonNode::Type::String || format->string != QLatin1String(formatName))
            failAt(format ? *format : root, QStringLiteral("to ni definicija izpisa (manjka \"format\": \"%1\")")
                                              .arg(QLatin1String(formatName)));
        const JsonNode* version = root.member(QStringLiteral("version"));
        if (!version)
            failAt(root, QStringLiteral("definiciji manjka \"version\""));
        const int readVersion = int(readNumber(*version, QStringLiteral("version"), 1, 1000000));
        if (readVersion != version->number)
            failAt(*version, QStringLiteral("različica mora biti celo število"));

        ReportDefinition def;
        def.readVersion = readVersion;
        const JsonNode* bandsNode = nullptr;
        // A newer version may add properties, which are kept; a newer major structure is
        // recognised by the checks below (wrong types, unknown band kinds) with their positions.
        eachMember(root, QStringLiteral("report"), def.extra, [&](const QString& k, const JsonNode& v) {
            if (k == QLatin1String("format") || k == QLatin1String("version")) return true;
            if (k == QLatin1String("name")) def.name = readString(v, k);
            else if (k == QLatin1String("title")) def.title = readString(v, k);
            else if (k == QLatin1String("description")) def.description = readString(v, k);
            else if (k == QLatin1String("mainDataSet")) def.mainDataSet = readString(v, k);
            else if (k == QLatin1String("page")) readPage(v, def.page);
            else if (k == QLatin1String("variables")) {
                expectType(v, JsonNode::Type::Array, k);
                for (const auto& item : v.items)
                    def.variables.push_back(readVariable(item));
            } else if (k == QLatin1String("bands")) {
                expectType(v, JsonNode::Type::Array, k);
                bandsNode = &v;
                for (const auto& item : v.items)
                    def.bands.push_back(readBand(item));
            } else return false;
            return true;
        });
        if (bandsNode)
            checkBands(def, *bandsNode);
        result.definition = std::move(def);
    } catch (const ReadFailure& f) {
        result.error = {f.line, f.column, f.message};
    }
    return result;
}
