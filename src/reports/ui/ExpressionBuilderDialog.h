#pragma once
#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// The expression builder: the fields of the bound datasets and the functions of the report
// language in two lists (a double click inserts at the cursor), the expression being typed, and
// under it whether the engine reads it ("Izraz je pravilen." or the error with its column),
// checked at every keystroke. OK is possible only for an expression the engine reads (or none).
class ExpressionBuilderDialog : public QDialog {
    Q_OBJECT
public:
    ExpressionBuilderDialog(const QString& expression, const QStringList& fields, QWidget* parent = nullptr);

    QString expression() const;
    void setExpression(const QString& text);
    // The verdict shown under the expression.
    QString verdict() const;
    bool isAcceptable() const;

    // The check itself: empty text for a readable (or empty) expression, else the error text.
    static QString checkExpression(const QString& text);

private:
    void check();

    QListWidget* m_fields;
    QListWidget* m_functions;
    QPlainTextEdit* m_edit;
    QLabel* m_verdict;
    QPushButton* m_ok;
};
