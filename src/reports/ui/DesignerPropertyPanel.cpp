#include "reports/ui/DesignerPropertyPanel.h"

#include "reports/ReportDataSource.h"
#include "reports/ui/DesignerEdits.h"
#include "reports/ui/ExpressionBuilderDialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFile>
#include <QFocusEvent>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {
// A text box whose text counts when it loses the focus.
class MemoEdit : public QPlainTextEdit {
public:
    std::function<void(const QString&)> finished;

protected:
    void focusOutEvent(QFocusEvent* event) override
    {
        QPlainTextEdit::focusOutEvent(event);
        if (finished)
            finished(toPlainText());
    }
};

QDoubleSpinBox* mmBox(double value, const QString& name, double min = 0, double max = 2000)
{
    auto* box = new QDoubleSpinBox;
    box->setObjectName(name);
    box->setDecimals(1);
    box->setSingleStep(0.5);
    box->setRange(min, max);
    box->setSuffix(QStringLiteral(" mm"));
    box->setValue(value);
    box->setKeyboardTracking(false);
    return box;
}

QLineEdit* lineEdit(const QString& value, const QString& name)
{
    auto* edit = new QLineEdit(value);
    edit->setObjectName(name);
    return edit;
}

QPushButton* colourButton(const QColor& colour, const QString& name)
{
    auto* b = new QPushButton(colour.isValid() ? colour.name() : QStringLiteral("brez"));
    b->setObjectName(name);
    if (colour.isValid())
        b->setStyleSheet(QStringLiteral("background: %1; color: %2").arg(colour.name(), colour.lightness() < 128 ? "white" : "black"));
    return b;
}

const QStringList DisplayFormats = {QString(), QStringLiteral("#,##0.00"), QStringLiteral("#,##0.0000"),
                                    QStringLiteral("0.###"), QStringLiteral("#,##0"), QStringLiteral("dd.mm.yyyy"),
                                    QStringLiteral("dd.mm.yyyy hh:nn")};
} // namespace

DesignerPropertyPanel::DesignerPropertyPanel(DesignerDocument& document, QWidget* parent)
    : QWidget(parent), m_document(document)
{
    setObjectName(QStringLiteral("PropertyPanel"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    outer->addWidget(scroll);
    m_body = new QWidget;
    scroll->setWidget(m_body);
    m_form = new QFormLayout(m_body);
    m_form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    connect(&m_document, &DesignerDocument::changed, this, &DesignerPropertyPanel::schedule);
    connect(&m_document, &DesignerDocument::selectionChanged, this, &DesignerPropertyPanel::schedule);
    setMinimumWidth(290);
    rebuild();
}

void DesignerPropertyPanel::setDataSources(const ReportDataSources* sources)
{
    m_sources = sources;
    schedule();
}

QStringList DesignerPropertyPanel::qualifiedFields() const
{
    QStringList out;
    if (!m_sources)
        return out;
    for (const QString& name : m_sources->names())
        if (ReportDataSource* s = m_sources->find(name))
            for (const QString& f : s->fieldNames())
                out << name + QStringLiteral(".") + f;
    return out;
}

void DesignerPropertyPanel::schedule()
{
    if (m_queued)
        return;
    m_queued = true;
    QMetaObject::invokeMethod(this, &DesignerPropertyPanel::flush, Qt::QueuedConnection);
}

void DesignerPropertyPanel::flush()
{
    m_queued = false;
    rebuild();
}

void DesignerPropertyPanel::editElements(const QString& what, const std::vector<DesignerElementRef>& refs,
                                         const std::function<void(ReportElement&)>& change)
{
    m_document.edit(what, [&](ReportDefinition& d) {
        for (const DesignerElementRef& r : refs)
            if (ReportElement* e = m_document.element(d, r))
                change(*e);
    });
}

void DesignerPropertyPanel::editBand(const QString& what, int band, const std::function<void(ReportBand&)>& change)
{
    m_document.edit(what, [&](ReportDefinition& d) {
        if (band >= 0 && band < int(d.bands.size()))
            change(d.bands[size_t(band)]);
    });
}

QWidget* DesignerPropertyPanel::expressionEditor(const QString& objectName, const QString& value,
                                                 const std::function<void(const QString&)>& apply)
{
    auto* box = new QWidget;
    auto* row = new QVBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    auto* line = new QHBoxLayout;
    auto* edit = lineEdit(value, objectName);
    auto* more = new QPushButton(QStringLiteral("..."));
    more->setObjectName(objectName + QStringLiteral("Builder"));
    more->setToolTip(QStringLiteral("Sestavljalnik izrazov"));
    more->setFixedWidth(28);
    line->addWidget(edit);
    line->addWidget(more);
    row->addLayout(line);
    auto* verdict = new QLabel;
    verdict->setObjectName(objectName + QStringLiteral("Check"));
    verdict->setWordWrap(true);
    row->addWidget(verdict);
    const auto check = [verdict](const QString& text) {
        const QString error = ExpressionBuilderDialog::checkExpression(text);
        verdict->setText(error.isEmpty() ? QString() : QStringLiteral("Napaka: ") + error);
        verdict->setStyleSheet(QStringLiteral("color: #b00000"));
        verdict->setVisible(!error.isEmpty());
    };
    check(value);
    connect(edit, &QLineEdit::textChanged, verdict, check);
    connect(edit, &QLineEdit::editingFinished, this, [edit, apply] { apply(edit->text().trimmed()); });
    connect(more, &QPushButton::clicked, this, [this, edit, apply] {
        ExpressionBuilderDialog builder(edit->text(), qualifiedFields(), this);
        if (builder.exec() == QDialog::Accepted)
            apply(builder.expression());
    });
    return box;
}

void DesignerPropertyPanel::rebuild()
{
    while (m_form->rowCount() > 0)
        m_form->removeRow(0);
    const auto& sel = m_document.selection();
    if (sel.size() == 1) {
        if (const ReportElement* e = m_document.element(sel.front()))
            buildElement(sel.front(), *e);
    } else if (sel.size() > 1) {
        buildElements(sel);
    } else if (m_document.selectedBand() >= 0 && m_document.selectedBand() < int(m_document.definition().bands.size())) {
        buildBand(m_document.selectedBand(), m_document.definition().bands[size_t(m_document.selectedBand())]);
    } else {
        auto* hint = new QLabel(QStringLiteral("Izberite pas ali element na strani."));
        hint->setWordWrap(true);
        m_form->addRow(hint);
    }
}

void DesignerPropertyPanel::buildElement(const DesignerElementRef& ref, const ReportElement& e)
{
    const std::vector<DesignerElementRef> refs{ref};
    auto change = [this, refs](const QString& what, std::function<void(ReportElement&)> f) { editElements(what, refs, f); };

    auto* title = new QLabel(QStringLiteral("<b>") + reportElementKindCaption(e.kind) + QStringLiteral("</b>"));
    m_form->addRow(title);
    auto* name = lineEdit(e.name, QStringLiteral("fName"));
    connect(name, &QLineEdit::editingFinished, this, [change, name] {
        if (!name->text().trimmed().isEmpty())
            change(QStringLiteral("Ime"), [v = name->text().trimmed()](ReportElement& x) { x.name = v; });
    });
    m_form->addRow(QStringLiteral("Ime:"), name);

    const struct {
        const char* label;
        const char* object;
        double value;
        double ReportElement::*member;
    } geometry[] = {{"Levo:", "fLeft", e.leftMm, &ReportElement::leftMm},
                    {"Zgoraj:", "fTop", e.topMm, &ReportElement::topMm},
                    {"Širina:", "fWidth", e.widthMm, &ReportElement::widthMm},
                    {"Višina:", "fHeight", e.heightMm, &ReportElement::heightMm}};
    for (const auto& g : geometry) {
        auto* box = mmBox(g.value, QString::fromLatin1(g.object));
        const auto member = g.member;
        connect(box, &QDoubleSpinBox::valueChanged, this, [change, member](double v) {
            change(QStringLiteral("Položaj in velikost"), [member, v](ReportElement& x) { x.*member = v; });
        });
        m_form->addRow(QString::fromUtf8(g.label), box);
    }

    switch (e.kind) {
    case ReportElementKind::Label: {
        auto* text = lineEdit(e.text, QStringLiteral("fText"));
        connect(text, &QLineEdit::editingFinished, this,
                [change, text] { change(QStringLiteral("Besedilo"), [v = text->text()](ReportElement& x) { x.text = v; }); });
        m_form->addRow(QStringLiteral("Besedilo:"), text);
        break;
    }
    case ReportElementKind::Memo: {
        auto* memo = new MemoEdit;
        memo->setObjectName(QStringLiteral("fMemo"));
        memo->setPlainText(e.text);
        memo->setMaximumHeight(100);
        memo->setToolTip(QStringLiteral("Izrazi v oglatih oklepajih se izračunajo: [tbNapaka.PARTNER]"));
        memo->finished = [change](const QString& v) { change(QStringLiteral("Besedilo"), [v](ReportElement& x) { x.text = v; }); };
        m_form->addRow(QStringLiteral("Besedilo:"), memo);
        break;
    }
    case ReportElementKind::DataField: {
        auto* dataSet = new QComboBox;
        dataSet->setObjectName(QStringLiteral("fDataSet"));
        dataSet->setEditable(true);
        dataSet->addItem(QString());
        if (m_sources)
            dataSet->addItems(m_sources->names());
        dataSet->setCurrentText(e.dataSet);
        auto* field = new QComboBox;
        field->setObjectName(QStringLiteral("fField"));
        field->setEditable(true);
        const QString sourceName = e.dataSet.isEmpty() ? m_document.definition().mainDataSet : e.dataSet;
        if (m_sources)
            if (ReportDataSource* s = m_sources->find(sourceName))
                field->addItems(s->fieldNames());
        field->setCurrentText(e.field);
        connect(dataSet, &QComboBox::activated, this, [change, dataSet] {
            change(QStringLiteral("Podatki"), [v = dataSet->currentText()](ReportElement& x) { x.dataSet = v; });
        });
        connect(field, &QComboBox::activated, this, [change, field] {
            change(QStringLiteral("Polje"), [v = field->currentText()](ReportElement& x) { x.field = v; });
        });
        if (field->lineEdit())
            connect(field->lineEdit(), &QLineEdit::editingFinished, this, [change, field] {
                change(QStringLiteral("Polje"), [v = field->currentText().trimmed()](ReportElement& x) { x.field = v; });
            });
        m_form->addRow(QStringLiteral("Podatki:"), dataSet);
        m_form->addRow(QStringLiteral("Polje:"), field);
        break;
    }
    case ReportElementKind::Expression:
        m_form->addRow(QStringLiteral("Izraz:"), expressionEditor(QStringLiteral("fExpression"), e.expression, [change](const QString& v) {
                           change(QStringLiteral("Izraz"), [v](ReportElement& x) { x.expression = v; });
                       }));
        break;
    case ReportElementKind::SystemData: {
        auto* kind = new QComboBox;
        kind->setObjectName(QStringLiteral("fSystemData"));
        const std::pair<ReportSystemDataKind, const char*> kinds[] = {
            {ReportSystemDataKind::PageNumber, "Številka strani"},   {ReportSystemDataKind::PageCount, "Število strani"},
            {ReportSystemDataKind::PageNumberOfCount, "Stran n od m"}, {ReportSystemDataKind::Date, "Datum"},
            {ReportSystemDataKind::Time, "Ura"},                      {ReportSystemDataKind::DateTime, "Datum in ura"},
            {ReportSystemDataKind::ReportTitle, "Naslov izpisa"},     {ReportSystemDataKind::ReportName, "Ime izpisa"},
            {ReportSystemDataKind::CompanyName, "Podjetje"},          {ReportSystemDataKind::RowNumber, "Zaporedna številka vrstice"}};
        for (const auto& [k, caption] : kinds)
            kind->addItem(QString::fromUtf8(caption), int(k));
        kind->setCurrentIndex(kind->findData(int(e.systemData)));
        connect(kind, &QComboBox::activated, this, [change, kind] {
            change(QStringLiteral("Sistemski podatek"),
                   [v = ReportSystemDataKind(kind->currentData().toInt())](ReportElement& x) { x.systemData = v; });
        });
        m_form->addRow(QStringLiteral("Podatek:"), kind);
        break;
    }
    case ReportElementKind::Image: {
        auto* load = new QPushButton(e.imageData.isEmpty() ? QStringLiteral("Naloži sliko ...")
                                                           : QStringLiteral("Zamenjaj sliko (%1 kB) ...").arg((e.imageData.size() + 1023) / 1024));
        load->setObjectName(QStringLiteral("bLoadImage"));
        connect(load, &QPushButton::clicked, this, [this, change] {
            const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Slika"), QString(),
                                                              QStringLiteral("Slike (*.png *.jpg *.jpeg *.bmp)"));
            if (path.isEmpty())
                return;
            QFile f(path);
            if (!f.open(QIODevice::ReadOnly)) {
                QMessageBox::warning(this, QStringLiteral("Slika"), QStringLiteral("Slike ni mogoče prebrati: ") + path);
                return;
            }
            change(QStringLiteral("Slika"), [bytes = f.readAll()](ReportElement& x) { x.imageData = bytes; });
        });
        m_form->addRow(QStringLiteral("Slika:"), load);
        auto* keep = new QCheckBox(QStringLiteral("Ohrani razmerje stranic"));
        keep->setObjectName(QStringLiteral("fKeepAspect"));
        keep->setChecked(e.keepAspect);
        connect(keep, &QCheckBox::toggled, this, [change](bool v) { change(QStringLiteral("Razmerje"), [v](ReportElement& x) { x.keepAspect = v; }); });
        m_form->addRow(keep);
        break;
    }
    case ReportElementKind::Line:
    case ReportElementKind::Rectangle: {
        auto* width = mmBox(e.lineWidthMm, QStringLiteral("fLineWidth"), 0.05, 10);
        width->setSingleStep(0.1);
        width->setDecimals(2);
        connect(width, &QDoubleSpinBox::valueChanged, this,
                [change](double v) { change(QStringLiteral("Debelina črte"), [v](ReportElement& x) { x.lineWidthMm = v; }); });
        m_form->addRow(QStringLiteral("Debelina črte:"), width);
        auto* colour = colourButton(e.frame.colour, QStringLiteral("fLineColour"));
        connect(colour, &QPushButton::clicked, this, [this, change, c = e.frame.colour] {
            const QColor chosen = QColorDialog::getColor(c, this, QStringLiteral("Barva črte"));
            if (chosen.isValid())
                change(QStringLiteral("Barva črte"), [chosen](ReportElement& x) { x.frame.colour = chosen; });
        });
        m_form->addRow(QStringLiteral("Barva črte:"), colour);
        break;
    }
    }

    const bool hasText = e.kind == ReportElementKind::Label || e.kind == ReportElementKind::Memo || e.kind == ReportElementKind::DataField
                         || e.kind == ReportElementKind::Expression || e.kind == ReportElementKind::SystemData;
    if (e.kind == ReportElementKind::DataField || e.kind == ReportElementKind::Expression) {
        auto* format = new QComboBox;
        format->setObjectName(QStringLiteral("fDisplayFormat"));
        format->setEditable(true);
        format->addItems(DisplayFormats);
        format->setCurrentText(e.displayFormat);
        format->setToolTip(QStringLiteral("Prazno: kot ga določa vrsta polja. #,##0.00 za zneske, dd.mm.yyyy za datume."));
        const auto apply = [change, format] {
            change(QStringLiteral("Oblika prikaza"), [v = format->currentText().trimmed()](ReportElement& x) { x.displayFormat = v; });
        };
        connect(format, &QComboBox::activated, this, apply);
        connect(format->lineEdit(), &QLineEdit::editingFinished, this, apply);
        m_form->addRow(QStringLiteral("Oblika prikaza:"), format);
    }
    if (hasText) {
        m_form->addRow(new QLabel(QStringLiteral("<b>Pisava in poravnava</b>")));
        auto* family = new QFontComboBox;
        family->setObjectName(QStringLiteral("fFontFamily"));
        family->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        family->setMinimumContentsLength(12);
        family->setCurrentFont(QFont(e.font.family));
        connect(family, &QFontComboBox::currentFontChanged, this, [change](const QFont& f) {
            change(QStringLiteral("Pisava"), [v = f.family()](ReportElement& x) { x.font.family = v; });
        });
        m_form->addRow(QStringLiteral("Pisava:"), family);
        auto* size = new QDoubleSpinBox;
        size->setObjectName(QStringLiteral("fFontSize"));
        size->setRange(4, 72);
        size->setDecimals(1);
        size->setSuffix(QStringLiteral(" pt"));
        size->setValue(e.font.pointSize);
        size->setKeyboardTracking(false);
        connect(size, &QDoubleSpinBox::valueChanged, this,
                [change](double v) { change(QStringLiteral("Velikost pisave"), [v](ReportElement& x) { x.font.pointSize = v; }); });
        m_form->addRow(QStringLiteral("Velikost:"), size);
        auto* style = new QHBoxLayout;
        const struct {
            const char* caption;
            const char* object;
            bool value;
            bool ReportFont::*member;
        } styles[] = {{"Krepko", "fBold", e.font.bold, &ReportFont::bold},
                      {"Ležeče", "fItalic", e.font.italic, &ReportFont::italic},
                      {"Podčrtano", "fUnderline", e.font.underline, &ReportFont::underline}};
        for (const auto& s : styles) {
            auto* box = new QCheckBox(QString::fromUtf8(s.caption));
            box->setObjectName(QString::fromLatin1(s.object));
            box->setChecked(s.value);
            const auto member = s.member;
            connect(box, &QCheckBox::toggled, this,
                    [change, member](bool v) { change(QStringLiteral("Slog pisave"), [member, v](ReportElement& x) { x.font.*member = v; }); });
            style->addWidget(box);
        }
        m_form->addRow(QStringLiteral("Slog:"), style);
        auto* halign = new QComboBox;
        halign->setObjectName(QStringLiteral("fHAlign"));
        halign->addItems({QStringLiteral("Levo"), QStringLiteral("Sredina"), QStringLiteral("Desno"), QStringLiteral("Obojestransko")});
        halign->setCurrentIndex(int(e.hAlign));
        connect(halign, &QComboBox::activated, this,
                [change](int i) { change(QStringLiteral("Poravnava"), [i](ReportElement& x) { x.hAlign = ReportHAlign(i); }); });
        m_form->addRow(QStringLiteral("Poravnava:"), halign);
        auto* valign = new QComboBox;
        valign->setObjectName(QStringLiteral("fVAlign"));
        valign->addItems({QStringLiteral("Zgoraj"), QStringLiteral("Sredina"), QStringLiteral("Spodaj")});
        valign->setCurrentIndex(int(e.vAlign));
        connect(valign, &QComboBox::activated, this,
                [change](int i) { change(QStringLiteral("Navpična poravnava"), [i](ReportElement& x) { x.vAlign = ReportVAlign(i); }); });
        m_form->addRow(QStringLiteral("Navpično:"), valign);
        auto* flags = new QHBoxLayout;
        auto* wrap = new QCheckBox(QStringLiteral("Prelom vrstic"));
        wrap->setObjectName(QStringLiteral("fWordWrap"));
        wrap->setChecked(e.wordWrap);
        connect(wrap, &QCheckBox::toggled, this, [change](bool v) { change(QStringLiteral("Prelom vrstic"), [v](ReportElement& x) { x.wordWrap = v; }); });
        auto* stretch = new QCheckBox(QStringLiteral("Raztegni"));
        stretch->setObjectName(QStringLiteral("fAutoStretch"));
        stretch->setToolTip(QStringLiteral("Element in njegov pas se povečata, da gre vse besedilo na list."));
        stretch->setChecked(e.autoStretch);
        connect(stretch, &QCheckBox::toggled, this, [change](bool v) { change(QStringLiteral("Raztegni"), [v](ReportElement& x) { x.autoStretch = v; }); });
        flags->addWidget(wrap);
        flags->addWidget(stretch);
        m_form->addRow(flags);
        auto* colours = new QHBoxLayout;
        auto* text = colourButton(e.textColour, QStringLiteral("fTextColour"));
        connect(text, &QPushButton::clicked, this, [this, change, c = e.textColour] {
            const QColor chosen = QColorDialog::getColor(c, this, QStringLiteral("Barva besedila"));
            if (chosen.isValid())
                change(QStringLiteral("Barva besedila"), [chosen](ReportElement& x) { x.textColour = chosen; });
        });
        auto* back = colourButton(e.backgroundColour, QStringLiteral("fBackColour"));
        connect(back, &QPushButton::clicked, this, [this, change, c = e.backgroundColour] {
            const QColor chosen = QColorDialog::getColor(c.isValid() ? c : QColor(Qt::white), this, QStringLiteral("Barva ozadja"));
            if (chosen.isValid())
                change(QStringLiteral("Barva ozadja"), [chosen](ReportElement& x) { x.backgroundColour = chosen; });
        });
        auto* clearBack = new QPushButton(QStringLiteral("Brez"));
        clearBack->setObjectName(QStringLiteral("bNoBackColour"));
        connect(clearBack, &QPushButton::clicked, this,
                [change] { change(QStringLiteral("Barva ozadja"), [](ReportElement& x) { x.backgroundColour = QColor(); }); });
        colours->addWidget(text);
        colours->addWidget(back);
        colours->addWidget(clearBack);
        m_form->addRow(QStringLiteral("Barve:"), colours);

        m_form->addRow(new QLabel(QStringLiteral("<b>Okvir</b>")));
        auto* sides = new QGridLayout;
        int side = 0;
        const struct {
            const char* caption;
            const char* object;
            bool value;
            bool ReportFrame::*member;
        } frame[] = {{"Levo", "fFrameLeft", e.frame.left, &ReportFrame::left},
                     {"Zgoraj", "fFrameTop", e.frame.top, &ReportFrame::top},
                     {"Desno", "fFrameRight", e.frame.right, &ReportFrame::right},
                     {"Spodaj", "fFrameBottom", e.frame.bottom, &ReportFrame::bottom}};
        for (const auto& s : frame) {
            auto* box = new QCheckBox(QString::fromUtf8(s.caption));
            box->setObjectName(QString::fromLatin1(s.object));
            box->setChecked(s.value);
            const auto member = s.member;
            connect(box, &QCheckBox::toggled, this,
                    [change, member](bool v) { change(QStringLiteral("Okvir"), [member, v](ReportElement& x) { x.frame.*member = v; }); });
            sides->addWidget(box, side / 2, side % 2);
            ++side;
        }
        m_form->addRow(sides);
        auto* frameWidth = mmBox(e.frame.widthMm, QStringLiteral("fFrameWidth"), 0.05, 5);
        frameWidth->setDecimals(2);
        frameWidth->setSingleStep(0.1);
        connect(frameWidth, &QDoubleSpinBox::valueChanged, this,
                [change](double v) { change(QStringLiteral("Debelina okvirja"), [v](ReportElement& x) { x.frame.widthMm = v; }); });
        m_form->addRow(QStringLiteral("Debelina:"), frameWidth);
    }

    m_form->addRow(new QLabel(QStringLiteral("<b>Izpis</b>")));
    m_form->addRow(QStringLiteral("Pogoj izpisa:"), expressionEditor(QStringLiteral("fPrintCondition"), e.printCondition, [change](const QString& v) {
                       change(QStringLiteral("Pogoj izpisa"), [v](ReportElement& x) { x.printCondition = v; });
                   }));
}

void DesignerPropertyPanel::buildElements(const std::vector<DesignerElementRef>& refs)
{
    m_form->addRow(new QLabel(QStringLiteral("<b>Izbranih elementov: %1</b>").arg(refs.size())));
    const ReportElement* first = m_document.element(refs.front());
    if (!first)
        return;
    auto change = [this, refs](const QString& what, std::function<void(ReportElement&)> f) { editElements(what, refs, f); };
    auto* size = new QDoubleSpinBox;
    size->setObjectName(QStringLiteral("fFontSize"));
    size->setRange(4, 72);
    size->setDecimals(1);
    size->setSuffix(QStringLiteral(" pt"));
    size->setValue(first->font.pointSize);
    size->setKeyboardTracking(false);
    connect(size, &QDoubleSpinBox::valueChanged, this,
            [change](double v) { change(QStringLiteral("Velikost pisave"), [v](ReportElement& x) { x.font.pointSize = v; }); });
    m_form->addRow(QStringLiteral("Velikost pisave:"), size);
    auto* bold = new QCheckBox(QStringLiteral("Krepko"));
    bold->setObjectName(QStringLiteral("fBold"));
    bold->setChecked(first->font.bold);
    connect(bold, &QCheckBox::toggled, this, [change](bool v) { change(QStringLiteral("Slog pisave"), [v](ReportElement& x) { x.font.bold = v; }); });
    m_form->addRow(bold);
    auto* halign = new QComboBox;
    halign->setObjectName(QStringLiteral("fHAlign"));
    halign->addItems({QStringLiteral("Levo"), QStringLiteral("Sredina"), QStringLiteral("Desno"), QStringLiteral("Obojestransko")});
    halign->setCurrentIndex(int(first->hAlign));
    connect(halign, &QComboBox::activated, this,
            [change](int i) { change(QStringLiteral("Poravnava"), [i](ReportElement& x) { x.hAlign = ReportHAlign(i); }); });
    m_form->addRow(QStringLiteral("Poravnava besedila:"), halign);
    auto* hint = new QLabel(QStringLiteral("Poravnavo elementov med seboj izberete v orodni vrstici; merilo je prvi izbrani element."));
    hint->setWordWrap(true);
    m_form->addRow(hint);
}

void DesignerPropertyPanel::buildBand(int band, const ReportBand& b)
{
    auto change = [this, band](const QString& what, std::function<void(ReportBand&)> f) { editBand(what, band, f); };
    m_form->addRow(new QLabel(QStringLiteral("<b>Pas: ") + reportBandKindCaption(b.kind) + QStringLiteral("</b>")));
    auto* name = lineEdit(b.name, QStringLiteral("fBandName"));
    connect(name, &QLineEdit::editingFinished, this, [change, name] {
        if (!name->text().trimmed().isEmpty())
            change(QStringLiteral("Ime pasu"), [v = name->text().trimmed()](ReportBand& x) { x.name = v; });
    });
    m_form->addRow(QStringLiteral("Ime:"), name);
    auto* height = mmBox(b.heightMm, QStringLiteral("fBandHeight"), DesignerEdits::MinBandHeightMm, 1000);
    connect(height, &QDoubleSpinBox::valueChanged, this,
            [change](double v) { change(QStringLiteral("Višina pasu"), [v](ReportBand& x) { x.heightMm = v; }); });
    m_form->addRow(QStringLiteral("Višina:"), height);
    if (b.kind == ReportBandKind::Detail) {
        auto* dataSet = new QComboBox;
        dataSet->setObjectName(QStringLiteral("fBandDataSet"));
        dataSet->setEditable(true);
        dataSet->addItem(QString());
        if (m_sources)
            dataSet->addItems(m_sources->names());
        dataSet->setCurrentText(b.dataSet);
        dataSet->setToolTip(QStringLiteral("Prazno: glavni podatki izpisa (%1)").arg(m_document.definition().mainDataSet));
        connect(dataSet, &QComboBox::activated, this,
                [change, dataSet] { change(QStringLiteral("Podatki pasu"), [v = dataSet->currentText()](ReportBand& x) { x.dataSet = v; }); });
        m_form->addRow(QStringLiteral("Podatki:"), dataSet);
    }
    if (b.kind == ReportBandKind::GroupHeader) {
        m_form->addRow(QStringLiteral("Izraz skupine:"), expressionEditor(QStringLiteral("fGroupExpression"), b.groupExpression, [change](const QString& v) {
                           change(QStringLiteral("Izraz skupine"), [v](ReportBand& x) { x.groupExpression = v; });
                       }));
        auto* repeat = new QCheckBox(QStringLiteral("Ponovi na vsaki strani"));
        repeat->setObjectName(QStringLiteral("fRepeat"));
        repeat->setChecked(b.repeatOnEachPage);
        connect(repeat, &QCheckBox::toggled, this, [change](bool v) { change(QStringLiteral("Ponovi"), [v](ReportBand& x) { x.repeatOnEachPage = v; }); });
        m_form->addRow(repeat);
    }
    if (b.kind == ReportBandKind::GroupFooter || b.kind == ReportBandKind::Child) {
        auto* owner = new QComboBox;
        owner->setObjectName(QStringLiteral("fBandOwner"));
        for (const ReportBand& other : m_document.definition().bands)
            if (&other != &b && (b.kind == ReportBandKind::Child || other.kind == ReportBandKind::GroupHeader))
                owner->addItem(other.name);
        owner->setCurrentText(b.kind == ReportBandKind::Child ? b.parentBand : b.group);
        const bool child = b.kind == ReportBandKind::Child;
        connect(owner, &QComboBox::activated, this, [change, owner, child] {
            change(QStringLiteral("Pripadnost pasu"), [v = owner->currentText(), child](ReportBand& x) { (child ? x.parentBand : x.group) = v; });
        });
        m_form->addRow(child ? QStringLiteral("Za pasom:") : QStringLiteral("Skupina:"), owner);
    }
    const struct {
        const char* caption;
        const char* object;
        bool value;
        bool ReportBand::*member;
        bool show;
    } flags[] = {{"Začni na novi strani", "fStartNewPage", b.startNewPage, &ReportBand::startNewPage, true},
                 {"Ne deli med strani", "fKeepTogether", b.keepTogether, &ReportBand::keepTogether, true},
                 {"Na prvi strani", "fOnFirstPage", b.printOnFirstPage, &ReportBand::printOnFirstPage,
                  b.kind == ReportBandKind::PageHeader || b.kind == ReportBandKind::PageFooter},
                 {"Na zadnji strani", "fOnLastPage", b.printOnLastPage, &ReportBand::printOnLastPage,
                  b.kind == ReportBandKind::PageHeader || b.kind == ReportBandKind::PageFooter}};
    for (const auto& f : flags) {
        if (!f.show)
            continue;
        auto* box = new QCheckBox(QString::fromUtf8(f.caption));
        box->setObjectName(QString::fromLatin1(f.object));
        box->setChecked(f.value);
        const auto member = f.member;
        connect(box, &QCheckBox::toggled, this, [change, member](bool v) { change(QStringLiteral("Lastnost pasu"), [member, v](ReportBand& x) { x.*member = v; }); });
        m_form->addRow(box);
    }
    m_form->addRow(QStringLiteral("Pogoj izpisa:"), expressionEditor(QStringLiteral("fBandPrintCondition"), b.printCondition, [change](const QString& v) {
                       change(QStringLiteral("Pogoj izpisa pasu"), [v](ReportBand& x) { x.printCondition = v; });
                   }));
    auto* back = colourButton(b.backgroundColour, QStringLiteral("fBandColour"));
    connect(back, &QPushButton::clicked, this, [this, change, c = b.backgroundColour] {
        const QColor chosen = QColorDialog::getColor(c.isValid() ? c : QColor(Qt::white), this, QStringLiteral("Barva pasu"));
        if (chosen.isValid())
            change(QStringLiteral("Barva pasu"), [chosen](ReportBand& x) { x.backgroundColour = chosen; });
    });
    m_form->addRow(QStringLiteral("Ozadje:"), back);
}
