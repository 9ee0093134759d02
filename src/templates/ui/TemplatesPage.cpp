#include "TemplatesPage.h"

#include "templates/TemplateTables.h"

#include "controls/TwwDataSource.h"
#include "controls/ui/DBGrid.h"
#include "controls/ui/DBNavigator.h"
#include "controls/ui/LookupComboBox.h"
#include "controls/DataSetTableModel.h"
#include "data/dataset/TField.h"
#include "data/dataset/TwwOEDataSet.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSplitter>
#include <QVBoxLayout>

namespace {
const QString UnknownItemMessage = QStringLiteral("Artikel s šifro \"%1\" ne obstaja !\nIzberi artikel s seznama (puščica ali F4).");
const QString PricesLookedUpHint = QStringLiteral(
    "Periodika ima vključeno \"Išči cene\": ceno in rabat določi kreiranje (cenik, cenovni razred), ne ta vrstica.");
const GridColumns ItemColumnsByCode{GridColumn("IDENT", 16, QStringLiteral("Šifra")), GridColumn("AKTIVNO", 2, QStringLiteral("A")),
                                    GridColumn("NAZIV", 30, QStringLiteral("Naziv")),
                                    GridColumn("MPCENA", 10, QStringLiteral("M.P.cena")),
                                    GridColumn("VPCENA", 10, QStringLiteral("V.P.cena")),
                                    GridColumn("VPCENA2", 10, QStringLiteral("V.P.cena 2")),
                                    GridColumn("SESTAVNICA", 10, QStringLiteral("Sestavnica"))};
const GridColumns ItemColumnsByName{GridColumn("NAZIV", 30, QStringLiteral("Naziv")), GridColumn("AKTIVNO", 2, QStringLiteral("A")),
                                    GridColumn("IDENT", 16, QStringLiteral("Šifra")),
                                    GridColumn("MPCENA", 10, QStringLiteral("M.P.cena")),
                                    GridColumn("VPCENA", 10, QStringLiteral("V.P.cena")),
                                    GridColumn("VPCENA2", 10, QStringLiteral("V.P.cena 2")),
                                    GridColumn("SESTAVNICA", 10, QStringLiteral("Sestavnica"))};
const GridColumns PartnerColumns{GridColumn("NAZIV", 30, QStringLiteral("Naziv")), GridColumn("NAZIV2", 20, QStringLiteral("Naziv 2")),
                                 GridColumn("NASLOV", 25, QStringLiteral("Naslov")), GridColumn("POSTA", 8, QStringLiteral("Pošta")),
                                 GridColumn("TEL", 12, QStringLiteral("Telefon"))};
const GridColumns BusinessEventColumns{GridColumn("POSLDOG", 8, QStringLiteral("Pos.dog.")),
                                       GridColumn("NAZIV", 30, QStringLiteral("Naziv"))};
} // namespace

TemplatesPage::TemplatesPage(TemplateTables& tables, QWidget* parent) : QWidget(parent), m_tables(tables)
{
    setObjectName("TemplatesPage");
    m_dataObdrac = new TwwDataSource(&tables.tbObdrac, this);
    m_dataObdrac->setObjectName("DataObdrac");
    m_dataObdracPoz = new TwwDataSource(&tables.tbObdracPoz, this);
    m_dataObdracPoz->setObjectName("DataObdracPoz");

    m_splitter = new QSplitter(Qt::Vertical, this);
    m_splitter->setObjectName("SplitterObdrac");
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(buildPanel("PanelObdrac", m_lPeriodika, QStringLiteral("Periodika"), m_navObdrac, "NavObdrac",
                                     m_gObdrac, "gObdrac", m_dataObdrac));
    m_splitter->addWidget(buildPanel("PanelObdracPoz", m_lPozicije, QStringLiteral("Pozicije"), m_navObdracPoz,
                                     "NavObdracPoz", m_gObdracPoz, "gObdracPoz", m_dataObdracPoz));
    m_splitter->setStretchFactor(0, 3);
    m_splitter->setStretchFactor(1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_splitter);

    setupColumns();
    registerEditors();

    m_gObdrac->setEnterMovesToNextColumn(true);
    m_gObdracPoz->setEnterMovesToNextColumn(true);
    // the lines' own prices are not used while the template looks the prices up ("Išči cene")
    m_gObdracPoz->dataModel()->setMutedFields({QStringLiteral("CENA"), QStringLiteral("RABAT")}, PricesLookedUpHint);
    for (auto signal : {&TwwOEDataSet::opened, &TwwOEDataSet::closed, &TwwOEDataSet::layoutChanged})
        connect(&tables.tbObdrac, signal, this, &TemplatesPage::showPricesInUse);
    connect(&tables.tbObdrac, &TwwOEDataSet::currentChanged, this, &TemplatesPage::showPricesInUse);
    connect(&tables.tbObdrac, &TwwOEDataSet::dataChanged, this, &TemplatesPage::showPricesInUse);
    connect(&tables.tbObdrac, &TwwOEDataSet::stateChanged, this, &TemplatesPage::showPricesInUse);
    showPricesInUse();
    m_gObdrac->setAllowInsert(true);
    m_gObdrac->setAllowDelete(true);
    connect(m_gObdrac, &DBGrid::titleButtonClick, this, &TemplatesPage::gObdracTitleButtonClick);
    connect(m_gObdracPoz, &DBGrid::titleButtonClick, this, &TemplatesPage::gObdracPozTitleButtonClick);
    connect(m_gObdracPoz, &DBGrid::gridEnter, this, &TemplatesPage::gObdracPozEnter);
    // a line added from the navigator while the template is still new: the template is posted
    // (as when the line grid is entered) and the line is added to it
    connect(m_navObdracPoz, &DBNavigator::clicked, this, [this](DBNavigator::Button button, bool ok) {
        if (button != DBNavigator::Insert)
            return;
        if (!ok && m_tables.tbObdrac.State() == dsInsert) {
            gObdracPozEnter();
            if (m_tables.tbObdrac.State() == dsBrowse)
                ok = m_dataObdracPoz->insert();
        }
        // typing goes into the new line: its item code first
        if (ok && m_tables.tbObdracPoz.State() == dsInsert)
            m_gObdracPoz->focusColumn(QStringLiteral("IDENT"));
    });
    connect(m_navObdrac, &DBNavigator::clicked, this, [this](DBNavigator::Button button, bool ok) {
        if (button == DBNavigator::Insert && ok && m_tables.tbObdrac.State() == dsInsert)
            m_gObdrac->focusColumn(QStringLiteral("SUBJEKT"));
    });
}

TemplatesPage::~TemplatesPage() = default;

QWidget* TemplatesPage::buildPanel(const char* name, QLabel*& title, const QString& caption, DBNavigator*& navigator,
                                   const char* navigatorName, DBGrid*& grid, const char* gridName, TwwDataSource* source)
{
    auto* panel = new QWidget;
    panel->setObjectName(name);
    title = new QLabel(caption, panel);
    title->setObjectName(QStringLiteral("l") + caption);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    navigator = new DBNavigator(panel);
    navigator->setObjectName(navigatorName);
    navigator->setDataSource(source);
    grid = new DBGrid(panel);
    grid->setObjectName(gridName);
    grid->setDataSource(source);

    auto* header = new QHBoxLayout;
    header->addWidget(title);
    header->addStretch(1);
    header->addWidget(navigator);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(header);
    layout->addWidget(grid, 1);
    return panel;
}

void TemplatesPage::setupColumns()
{
    m_gObdrac->setColumns({GridColumn("AKTIVNO", 3, QStringLiteral("Ak.")),
                           GridColumn("KLJUC", 10, QStringLiteral("Številka"), true),
                           GridColumn("DATUM", 10, QStringLiteral("Datum")),
                           GridColumn("SUBJEKT", 30, QStringLiteral("Partner~Tip partnerja")),
                           GridColumn("TIP", 5, QStringLiteral("(P)art.~(T)ip")),
                           GridColumn("PERIODIKA", 5, QStringLiteral("Peri-~odika")),
                           GridColumn("STEVOBROKOV", 5, QStringLiteral("Štev.~period")),
                           GridColumn("DATUMZAK", 10, QStringLiteral("Datum~zaključka")),
                           GridColumn("NACIZRCENE", 5, QStringLiteral("Išči~cene")),
                           GridColumn("VALUTA", 5, QStringLiteral("Valuta")),
                           GridColumn("POSLDOGFAK", 5, QStringLiteral("Posl.~dog.")),
                           GridColumn("DATZADFAK", 10, QStringLiteral("Datum~zad.dokum")),
                           GridColumn("NASLRACUN", 10, QStringLiteral("Naslednji~račun"), true)});
    m_gObdracPoz->setColumns({GridColumn("POZ", 4, QStringLiteral("Poz.")), GridColumn("IDENT", 19, QStringLiteral("Šifra")),
                              GridColumn("NAZIV", 33, QStringLiteral("Naziv")),
                              GridColumn("KOLICINA", 9, QStringLiteral("Količina")),
                              GridColumn("CENA", 12, QStringLiteral("Cena")), GridColumn("RABAT", 6, QStringLiteral("R %")),
                              GridColumn("OPOMBA", 24, QStringLiteral("Opomba"))});
}

LookupComboBox* TemplatesPage::lookupEditor(QWidget* parent, const char* name) const
{
    auto* editor = new LookupComboBox(parent);
    editor->setObjectName(name);
    editor->setFrame(false);
    return editor;
}

void TemplatesPage::registerEditors()
{
    m_gObdrac->registerEditor("fSubjekt", [this](QWidget* parent) -> QWidget* {
        LookupComboBox* editor = lookupEditor(parent, "fSubjekt");
        editor->bindLookup(&m_tables.tbLookSubj, "NAZIV", PartnerColumns);
        return editor;
    });
    m_gObdrac->registerEditor("fPoslDogFak", [this](QWidget* parent) -> QWidget* {
        LookupComboBox* editor = lookupEditor(parent, "fPoslDogFak");
        editor->bindLookup(&m_tables.tbLookPoslDogDok, "POSLDOG", BusinessEventColumns);
        return editor;
    });
    m_gObdracPoz->registerEditor("fIdent", [this](QWidget* parent) -> QWidget* {
        LookupComboBox* editor = lookupEditor(parent, "fIdent");
        editor->bindLookup(&m_tables.tbLookMS, "IDENT", ItemColumnsByCode);
        editor->setChoiceFromListOnly(true);
        editor->setNotListedMessage(UnknownItemMessage);
        connect(editor, &LookupComboBox::closeUp, this, &TemplatesPage::fIdentCloseUp);
        return editor;
    });
    m_gObdracPoz->registerEditor("fNaziv", [this](QWidget* parent) -> QWidget* {
        LookupComboBox* editor = lookupEditor(parent, "fNaziv");
        editor->bindLookup(&m_tables.tbLookMSN, "NAZIV", ItemColumnsByName);
        connect(editor, &LookupComboBox::closeUp, this, &TemplatesPage::fNazivCloseUp);
        return editor;
    });
}

bool TemplatesPage::postTemplates()
{
    m_gObdracPoz->submitOpenEditor();
    m_gObdrac->submitOpenEditor();
    return TwwDataSource::run([&] { m_tables.postTemplates(); });
}

bool TemplatesPage::openTemplates(const QString& poslDog)
{
    m_gObdracPoz->submitOpenEditor();
    m_gObdrac->submitOpenEditor();
    return TwwDataSource::run([&] { m_tables.fObdracPoslDogCloseUp(poslDog); });
}

bool TemplatesPage::reopenTemplates()
{
    m_gObdracPoz->submitOpenEditor();
    m_gObdrac->submitOpenEditor();
    return TwwDataSource::run([&] { m_tables.reopenTemplates(); });
}

void TemplatesPage::gObdracPozEnter()
{
    m_gObdrac->submitOpenEditor();
    TwwDataSource::run([&] { m_tables.gObdracPozEnter(); });
}

void TemplatesPage::gObdracTitleButtonClick(const QString& fieldName)
{
    m_gObdrac->submitOpenEditor();
    TwwDataSource::run([&] { m_tables.gObdracTitleButtonClick(fieldName); });
}

void TemplatesPage::gObdracPozTitleButtonClick(const QString& fieldName)
{
    m_gObdracPoz->submitOpenEditor();
    TwwDataSource::run([&] { m_tables.gObdracPozTitleButtonClick(fieldName); });
}

void TemplatesPage::showPricesInUse()
{
    const TwwOEDataSet& t = m_tables.tbObdrac;
    const TField* nacIzrCene = t.Active() ? t.FindField(QStringLiteral("NACIZRCENE")) : nullptr;
    const bool lookedUp = nacIzrCene != nullptr && t.rowCount() > 0 && t.currentRow() >= 0
        && nacIzrCene->asString() == QLatin1String("T");
    m_gObdracPoz->dataModel()->setFieldsMuted(lookedUp);
}

void TemplatesPage::fIdentCloseUp(bool selected) { m_tables.fIdentCloseUp(selected); }

void TemplatesPage::fNazivCloseUp(bool selected) { m_tables.fNazivCloseUp(selected); }
