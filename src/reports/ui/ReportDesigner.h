#pragma once
#include "reports/ReportContext.h"
#include "reports/ReportDataSource.h"
#include "reports/ReportDefinition.h"
#include "reports/ui/DesignerDocument.h"

#include <QPointF>
#include <QWidget>

class DesignerCanvas;
class DesignerPropertyPanel;
class QAction;
class QComboBox;
class QToolBar;

// The visual editor of a report definition: a tool bar (undo and redo, the element kinds to
// place, bands, delete, copy and paste, alignment, grid and snapping, zoom, page setup, preview),
// the page with its bands (DesignerCanvas) and the property panel. It edits the one definition
// of its DesignerDocument; storing it is the business of whoever shows the designer.
//
//   ReportDesigner designer;
//   designer.setDataSources(sources);          // field lists and the preview's data
//   designer.load(definition);
//   ... designer.definition() / designer.isModified()
class ReportDesigner : public QWidget {
    Q_OBJECT
public:
    explicit ReportDesigner(QWidget* parent = nullptr);
    ~ReportDesigner() override;

    void load(const ReportDefinition& definition);
    const ReportDefinition& definition() const { return m_document.definition(); }
    DesignerDocument& document() { return m_document; }
    bool isModified() const { return m_document.isModified(); }
    void markSaved() { m_document.markSaved(); }

    void setDataSources(const ReportDataSources& sources);
    const ReportDataSources& dataSources() const { return m_sources; }
    void setContext(const ReportContext& context) { m_context = context; }

    DesignerCanvas* canvas() const { return m_canvas; }
    DesignerPropertyPanel* propertyPanel() const { return m_panel; }
    QToolBar* toolBar() const { return m_toolBar; }

    // Commands of the tool bar (also for tests); each is one undo step.
    DesignerElementRef addElement(ReportElementKind kind, int band, QPointF topLeftMm);
    int addBand(ReportBandKind kind);
    void removeSelectedBand();
    void moveSelectedBand(int direction);
    void deleteSelection();
    void copySelection();
    void cutSelection();
    void paste();
    void alignSelection(int how);   // DesignerEdits::Alignment
    void pageSetup();
    // Makes the report from the current definition on the current data and shows it.
    void preview();

    // Draws canvas and panel now (they are otherwise drawn after the current event).
    void flush();

signals:
    void modifiedChanged(bool modified);

private:
    void buildToolBar();
    void updateActions();

    DesignerDocument m_document;
    ReportDataSources m_sources;
    ReportContext m_context;
    DesignerCanvas* m_canvas = nullptr;
    DesignerPropertyPanel* m_panel = nullptr;
    QToolBar* m_toolBar = nullptr;
    QComboBox* m_zoom = nullptr;
    QComboBox* m_grid = nullptr;
    QList<QAction*> m_selectionActions;
    QList<QAction*> m_multiActions;
    QList<QAction*> m_bandActions;
    QByteArray m_clipboard;   // also put on the system clipboard
    int m_pasteCount = 0;
};
