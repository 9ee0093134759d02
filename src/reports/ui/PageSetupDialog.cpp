#include "reports/ui/PageSetupDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>

namespace {
struct Paper {
    const char* name;
    double width, height;
};
constexpr Paper Papers[] = {{"A4", 210, 297}, {"A5", 148, 210}, {"A3", 297, 420}, {"Letter", 215.9, 279.4}, {"Legal", 215.9, 355.6}};

QDoubleSpinBox* millimetres(double value, double max, const char* name)
{
    auto* box = new QDoubleSpinBox;
    box->setObjectName(QString::fromLatin1(name));
    box->setDecimals(1);
    box->setRange(0, max);
    box->setSuffix(QStringLiteral(" mm"));
    box->setValue(value);
    return box;
}
} // namespace

bool PageSetupDialog::paperSize(const QString& name, double* widthMm, double* heightMm)
{
    for (const Paper& p : Papers) {
        if (name.compare(QLatin1String(p.name), Qt::CaseInsensitive) == 0) {
            *widthMm = p.width;
            *heightMm = p.height;
            return true;
        }
    }
    return false;
}

PageSetupDialog::PageSetupDialog(const ReportPageSetup& page, QWidget* parent)
    : QDialog(parent), m_page(page), m_paper(new QComboBox), m_width(millimetres(page.widthMm, 2000, "fWidth")),
      m_height(millimetres(page.heightMm, 2000, "fHeight")), m_portrait(new QRadioButton(QStringLiteral("Pokončno"))),
      m_landscape(new QRadioButton(QStringLiteral("Ležeče"))), m_left(millimetres(page.leftMarginMm, 200, "fLeft")),
      m_top(millimetres(page.topMarginMm, 200, "fTop")), m_right(millimetres(page.rightMarginMm, 200, "fRight")),
      m_bottom(millimetres(page.bottomMarginMm, 200, "fBottom"))
{
    setObjectName(QStringLiteral("PageSetup"));
    setWindowTitle(QStringLiteral("Nastavitev strani"));
    m_paper->setObjectName(QStringLiteral("cbPaper"));
    for (const Paper& p : Papers)
        m_paper->addItem(QString::fromLatin1(p.name), QString::fromLatin1(p.name));
    m_paper->addItem(QStringLiteral("Po meri"), QStringLiteral("Custom"));
    const int index = m_paper->findData(page.paperName, Qt::UserRole, Qt::MatchFixedString);
    m_paper->setCurrentIndex(index >= 0 ? index : m_paper->count() - 1);
    m_portrait->setObjectName(QStringLiteral("rbPortrait"));
    m_landscape->setObjectName(QStringLiteral("rbLandscape"));
    (page.orientation == ReportOrientation::Landscape ? m_landscape : m_portrait)->setChecked(true);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Papir:"), m_paper);
    form->addRow(QStringLiteral("Širina lista:"), m_width);
    form->addRow(QStringLiteral("Višina lista:"), m_height);
    auto* orientation = new QHBoxLayout;
    orientation->addWidget(m_portrait);
    orientation->addWidget(m_landscape);
    form->addRow(QStringLiteral("Usmerjenost:"), orientation);
    form->addRow(QStringLiteral("Levi rob:"), m_left);
    form->addRow(QStringLiteral("Zgornji rob:"), m_top);
    form->addRow(QStringLiteral("Desni rob:"), m_right);
    form->addRow(QStringLiteral("Spodnji rob:"), m_bottom);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("V redu"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Prekliči"));
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_paper, &QComboBox::currentIndexChanged, this, &PageSetupDialog::paperChosen);
    paperChosen();
}

void PageSetupDialog::paperChosen()
{
    double w = 0, h = 0;
    const bool known = paperSize(m_paper->currentData().toString(), &w, &h);
    if (known) {
        m_width->setValue(w);
        m_height->setValue(h);
    }
    m_width->setEnabled(!known);
    m_height->setEnabled(!known);
}

ReportPageSetup PageSetupDialog::pageSetup() const
{
    ReportPageSetup page = m_page;
    page.paperName = m_paper->currentData().toString();
    page.widthMm = m_width->value();
    page.heightMm = m_height->value();
    page.orientation = m_landscape->isChecked() ? ReportOrientation::Landscape : ReportOrientation::Portrait;
    page.leftMarginMm = m_left->value();
    page.topMarginMm = m_top->value();
    page.rightMarginMm = m_right->value();
    page.bottomMarginMm = m_bottom->value();
    return page;
}
