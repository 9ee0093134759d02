#include "reports/ui/DesignerDocument.h"

#include <QUndoCommand>

#include <algorithm>

class DesignerSnapshotCommand : public QUndoCommand {
public:
    DesignerSnapshotCommand(DesignerDocument& document, const QString& text, ReportDefinition before,
                            ReportDefinition after)
        : QUndoCommand(text), m_document(document), m_before(std::move(before)), m_after(std::move(after))
    {
    }
    void undo() override { m_document.setDefinition(m_before); }
    void redo() override { m_document.setDefinition(m_after); }

private:
    DesignerDocument& m_document;
    ReportDefinition m_before;
    ReportDefinition m_after;
};

DesignerDocument::DesignerDocument(QObject* parent) : QObject(parent) {}

void DesignerDocument::load(const ReportDefinition& definition)
{
    m_undo.clear();
    m_selection.clear();
    m_selectedBand = -1;
    m_definition = definition;
    m_undo.setClean();
    emit changed();
    emit selectionChanged();
}

bool DesignerDocument::edit(const QString& text, const std::function<void(ReportDefinition&)>& change)
{
    ReportDefinition after = m_definition;
    change(after);
    if (after == m_definition)
        return false;
    m_undo.push(new DesignerSnapshotCommand(*this, text, m_definition, std::move(after)));
    return true;
}

void DesignerDocument::setDefinition(const ReportDefinition& definition)
{
    m_definition = definition;
    pruneSelection();
    emit changed();
}

void DesignerDocument::select(const std::vector<DesignerElementRef>& elements)
{
    std::vector<DesignerElementRef> sorted = elements;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    if (sorted == m_selection && (sorted.empty() || m_selectedBand == sorted.front().band))
        return;
    m_selection = sorted;
    if (!m_selection.empty())
        m_selectedBand = m_selection.front().band;
    pruneSelection();
    emit selectionChanged();
}

void DesignerDocument::selectBand(int band)
{
    if (m_selection.empty() && m_selectedBand == band)
        return;
    m_selection.clear();
    m_selectedBand = band;
    pruneSelection();
    emit selectionChanged();
}

const ReportElement* DesignerDocument::element(const DesignerElementRef& ref) const
{
    if (ref.band < 0 || ref.band >= int(m_definition.bands.size()))
        return nullptr;
    const auto& elements = m_definition.bands[size_t(ref.band)].elements;
    if (ref.element < 0 || ref.element >= int(elements.size()))
        return nullptr;
    return &elements[size_t(ref.element)];
}

ReportElement* DesignerDocument::element(ReportDefinition& definition, const DesignerElementRef& ref) const
{
    if (ref.band < 0 || ref.band >= int(definition.bands.size()))
        return nullptr;
    auto& elements = definition.bands[size_t(ref.band)].elements;
    if (ref.element < 0 || ref.element >= int(elements.size()))
        return nullptr;
    return &elements[size_t(ref.element)];
}

void DesignerDocument::pruneSelection()
{
    const size_t before = m_selection.size();
    m_selection.erase(std::remove_if(m_selection.begin(), m_selection.end(),
                                     [&](const DesignerElementRef& r) { return element(r) == nullptr; }),
                      m_selection.end());
    if (m_selectedBand >= int(m_definition.bands.size()))
        m_selectedBand = m_definition.bands.empty() ? -1 : int(m_definition.bands.size()) - 1;
    if (m_selection.size() != before)
        emit selectionChanged();
}
