#pragma once
#include "reports/ReportDefinition.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <functional>
#include <vector>

// An element of the definition as the designer points at it: band index and element index.
struct DesignerElementRef {
    int band = -1;
    int element = -1;
    bool operator==(const DesignerElementRef&) const = default;
    bool operator<(const DesignerElementRef& o) const { return band != o.band ? band < o.band : element < o.element; }
};

// The definition the designer edits: the one copy of it, changed only through edit(), where
// every change is one step of the undo stack (the definition before and after it). The canvas
// and the property panel draw from it and never keep a copy of their own.
class DesignerDocument : public QObject {
    Q_OBJECT
public:
    explicit DesignerDocument(QObject* parent = nullptr);

    const ReportDefinition& definition() const { return m_definition; }
    // A new definition to edit (the undo history is emptied; the document counts as saved).
    void load(const ReportDefinition& definition);

    // Applies change to a copy of the definition and, when it made a difference, pushes it as
    // one undoable step named text. Returns whether anything changed.
    bool edit(const QString& text, const std::function<void(ReportDefinition&)>& change);

    QUndoStack& undoStack() { return m_undo; }
    bool isModified() const { return !m_undo.isClean(); }
    void markSaved() { m_undo.setClean(); }

    // Selection (kept valid across changes: references that no longer exist are dropped).
    const std::vector<DesignerElementRef>& selection() const { return m_selection; }
    int selectedBand() const { return m_selectedBand; }
    void select(const std::vector<DesignerElementRef>& elements);
    void selectBand(int band);   // clears the element selection
    const ReportElement* element(const DesignerElementRef& ref) const;
    ReportElement* element(ReportDefinition& definition, const DesignerElementRef& ref) const;

signals:
    // The definition changed (an edit, undo, redo or load).
    void changed();
    void selectionChanged();

private:
    friend class DesignerSnapshotCommand;
    void setDefinition(const ReportDefinition& definition);
    void pruneSelection();

    ReportDefinition m_definition;
    QUndoStack m_undo;
    std::vector<DesignerElementRef> m_selection;
    int m_selectedBand = -1;
};
