#include "reports/ui/ExpressionBuilderDialog.h"

#include "reports/ReportExpression.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

ExpressionBuilderDialog::ExpressionBuilderDialog(const QString& expression, const QStringList& fields, QWidget* parent)
    : QDialog(parent), m_fields(new QListWidget), m_functions(new QListWidget), m_edit(new QPlainTextEdit),
      m_verdict(new QLabel)
{
    setObjectName(QStringLiteral("ExpressionBuilder"));
    setWindowTitle(QStringLiteral("Sestavljalnik izrazov"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Polja:")), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Funkcije:")), 0, 1);
    m_fields->setObjectName(QStringLiteral("lbFields"));
    m_functions->setObjectName(QStringLiteral("lbFunctions"));
    m_fields->addItems(fields);
    QStringList functions = ReportExpression::functionNames();
    functions.sort(Qt::CaseInsensitive);
    m_functions->addItems(functions);
    grid->addWidget(m_fields, 1, 0);
    grid->addWidget(m_functions, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Izraz:")), 2, 0, 1, 2);
    m_edit->setObjectName(QStringLiteral("mExpression"));
    m_edit->setTabChangesFocus(true);
    m_edit->setMaximumHeight(90);
    grid->addWidget(m_edit, 3, 0, 1, 2);
    m_verdict->setObjectName(QStringLiteral("lVerdict"));
    m_verdict->setWordWrap(true);
    grid->addWidget(m_verdict, 4, 0, 1, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("V redu"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Prekliči"));
    m_ok = buttons->button(QDialogButtonBox::Ok);
    grid->addWidget(buttons, 5, 0, 1, 2);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_edit, &QPlainTextEdit::textChanged, this, &ExpressionBuilderDialog::check);
    connect(m_fields, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        m_edit->insertPlainText(item->text());
        m_edit->setFocus();
    });
    connect(m_functions, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        m_edit->insertPlainText(item->text() + QStringLiteral("()"));
        m_edit->moveCursor(QTextCursor::Left);
        m_edit->setFocus();
    });
    resize(560, 420);
    setExpression(expression);
}

QString ExpressionBuilderDialog::expression() const { return m_edit->toPlainText().trimmed(); }

void ExpressionBuilderDialog::setExpression(const QString& text)
{
    m_edit->setPlainText(text);
    check();
}

QString ExpressionBuilderDialog::verdict() const { return m_verdict->text(); }

bool ExpressionBuilderDialog::isAcceptable() const { return m_ok->isEnabled(); }

QString ExpressionBuilderDialog::checkExpression(const QString& text)
{
    if (text.trimmed().isEmpty())
        return QString();
    const ReportExpression parsed = ReportExpression::parse(text);
    return parsed.isValid() ? QString() : parsed.error().text();
}

void ExpressionBuilderDialog::check()
{
    const QString error = checkExpression(m_edit->toPlainText());
    if (m_edit->toPlainText().trimmed().isEmpty())
        m_verdict->setText(QStringLiteral("Ni izraza."));
    else if (error.isEmpty())
        m_verdict->setText(QStringLiteral("Izraz je pravilen."));
    else
        m_verdict->setText(QStringLiteral("Napaka v izrazu: ") + error);
    m_verdict->setStyleSheet(error.isEmpty() ? QStringLiteral("color: #1a6b1a") : QStringLiteral("color: #b00000"));
    m_ok->setEnabled(error.isEmpty());
}
