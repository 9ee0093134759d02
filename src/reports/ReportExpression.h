#pragma once
#include <QString>
#include <QStringList>

#include <memory>

struct ReportExpressionNode;

// An expression of the report language, parsed once and evaluated per row by the generator.
// See REPORT_FORMAT.md for the language. Parsing never throws: a bad text gives an expression
// whose error() holds the message and the 0-based position in the text.
struct ReportExpressionError {
    int position = -1;      // 0-based character index; -1: no error
    QString message;        // Slovenian
    bool isError() const { return position >= 0; }
    // "stolpec 7: ..." (1-based column in the expression)
    QString text() const;
};

class ReportExpression {
public:
    ReportExpression();
    static ReportExpression parse(const QString& text);

    bool isValid() const { return !m_error.isError(); }
    bool isEmpty() const { return m_text.trimmed().isEmpty(); }
    const ReportExpressionError& error() const { return m_error; }
    const QString& text() const { return m_text; }
    const ReportExpressionNode* root() const { return m_root.get(); }

    // Names of the functions of the language, for an expression builder.
    static QStringList functionNames();

private:
    QString m_text;
    ReportExpressionError m_error;
    std::shared_ptr<const ReportExpressionNode> m_root;
};
