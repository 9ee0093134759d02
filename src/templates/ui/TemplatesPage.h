#pragma once
#include <QWidget>

class DBGrid;
class DBNavigator;
class LookupComboBox;
class QLabel;
class QSplitter;
class TemplateTables;
class TwwDataSource;

// Page "Nastavi partnerje": the templates (panel "Periodika") above the lines of the current
// template (panel "Pozicije"), each a grid with its record navigator. The rules are those of
// TemplateTables; the page shows their failures to the user.
class TemplatesPage : public QWidget {
    Q_OBJECT
public:
    explicit TemplatesPage(TemplateTables& tables, QWidget* parent = nullptr);
    ~TemplatesPage() override;

    TemplateTables& tables() const { return m_tables; }

    // Components.
    DBGrid* gObdrac() const { return m_gObdrac; }
    DBGrid* gObdracPoz() const { return m_gObdracPoz; }
    DBNavigator* NavObdrac() const { return m_navObdrac; }
    DBNavigator* NavObdracPoz() const { return m_navObdracPoz; }
    TwwDataSource* DataObdrac() const { return m_dataObdrac; }
    TwwDataSource* DataObdracPoz() const { return m_dataObdracPoz; }
    QLabel* lPeriodika() const { return m_lPeriodika; }
    QLabel* lPozicije() const { return m_lPozicije; }

    // Takes what is typed into an open cell of either grid into its record and posts the line
    // and the template when they are being edited or inserted. A failure is shown (a refused
    // post has shown its own message); the result tells whether nothing is left unposted.
    bool postTemplates();
    // The templates of a business event (fObdracPoslDogCloseUp); a failure is shown.
    bool openTemplates(const QString& poslDog);
    // The list read again on the same template (after a document run); a failure is shown.
    bool reopenTemplates();

public slots:
    void gObdracPozEnter();
    void gObdracTitleButtonClick(const QString& fieldName);
    void gObdracPozTitleButtonClick(const QString& fieldName);
    void fIdentCloseUp(bool selected);
    void fNazivCloseUp(bool selected);
    // Greys the lines' "Cena" and "R %" while the template looks the prices up (NACIZRCENE "T").
    void showPricesInUse();

private:
    QWidget* buildPanel(const char* name, QLabel*& title, const QString& caption, DBNavigator*& navigator,
                        const char* navigatorName, DBGrid*& grid, const char* gridName, TwwDataSource* source);
    void setupColumns();
    void registerEditors();
    LookupComboBox* lookupEditor(QWidget* parent, const char* name) const;

    TemplateTables& m_tables;
    TwwDataSource* m_dataObdrac = nullptr;
    TwwDataSource* m_dataObdracPoz = nullptr;
    QSplitter* m_splitter = nullptr;
    DBGrid* m_gObdrac = nullptr;
    DBGrid* m_gObdracPoz = nullptr;
    DBNavigator* m_navObdrac = nullptr;
    DBNavigator* m_navObdracPoz = nullptr;
    QLabel* m_lPeriodika = nullptr;
    QLabel* m_lPozicije = nullptr;
};
