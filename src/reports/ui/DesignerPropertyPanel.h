#pragma once
#include "reports/ui/DesignerDocument.h"

#include <QWidget>

#include <functional>

class QFormLayout;
class QLabel;
class ReportDataSources;

// The properties of what is selected in the designer: of one element (by its kind: text, data
// field chosen from the bound dataset's fields, expression with its builder, memo, image from a
// file, line and rectangle, system data; font, alignment, frame, colours, display format, print
// condition), of several elements (font and alignment for all of them), or of the selected band
// (height, dataset, group expression, print conditions). Every change made here is one edit of
// the document; the panel is drawn again from the document after it.
class DesignerPropertyPanel : public QWidget {
    Q_OBJECT
public:
    explicit DesignerPropertyPanel(DesignerDocument& document, QWidget* parent = nullptr);

    // The data the definition may bind (for the dataset and field lists); not owned.
    void setDataSources(const ReportDataSources* sources);
    // "dataset.FIELD" of every bound dataset's fields, for the expression builder.
    QStringList qualifiedFields() const;

    // Draws the panel for the current selection now (it is otherwise drawn after the event).
    void flush();

private:
    void schedule();
    void rebuild();
    void buildElement(const DesignerElementRef& ref, const ReportElement& e);
    void buildElements(const std::vector<DesignerElementRef>& refs);
    void buildBand(int band, const ReportBand& b);
    void editElements(const QString& what, const std::vector<DesignerElementRef>& refs,
                      const std::function<void(ReportElement&)>& change);
    void editBand(const QString& what, int band, const std::function<void(ReportBand&)>& change);
    QWidget* expressionEditor(const QString& objectName, const QString& value, const std::function<void(const QString&)>& apply);

    DesignerDocument& m_document;
    const ReportDataSources* m_sources = nullptr;
    QWidget* m_body = nullptr;
    QFormLayout* m_form = nullptr;
    bool m_queued = false;
};
