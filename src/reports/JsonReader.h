#pragma once
#include <QJsonValue>
#include <QString>

#include <utility>
#include <vector>

// A JSON value that remembers where it stood in the text (1-based line and column), so that a
// reader of a format built on JSON can say where a wrong value is.
struct JsonNode {
    enum class Type { Null, Bool, Number, String, Array, Object };
    Type type = Type::Null;
    int line = 0;
    int column = 0;
    bool boolean = false;
    double number = 0;
    QString string;
    std::vector<JsonNode> items;                          // Array
    std::vector<std::pair<QString, JsonNode>> members;    // Object, in text order

    const JsonNode* member(const QString& key) const;     // nullptr when absent
    QJsonValue toJson() const;
    QString typeName() const;                             // Slovenian: "besedilo", "število"...
};

struct JsonReadResult {
    JsonNode root;
    int line = 0;           // of the error
    int column = 0;
    QString error;          // empty when the text was read
};

// Reads UTF-8 JSON text (RFC 8259; a byte order mark is skipped). Nesting deeper than 200 levels
// is an error rather than a deep recursion.
JsonReadResult readJson(const QByteArray& utf8);
