#pragma once
#include "reports/ui/DesignerDocument.h"

#include <QGraphicsView>

#include <vector>

class QGraphicsScene;

// The page of the designer: the definition's bands as horizontal strips, one under the other,
// each with its caption above it and a handle at its bottom edge to change its height; their
// elements drawn as they print, selected with the mouse (Ctrl adds, a drawn rectangle selects
// several), moved by dragging or with the arrow keys (Shift+arrows resize), resized by the
// handle at the bottom-right corner of a selected element. Positions snap to the grid when
// snapping is on. Every finished gesture is one edit of the document; the scene is drawn again
// from the document after each change.
class DesignerCanvas : public QGraphicsView {
    Q_OBJECT
public:
    explicit DesignerCanvas(DesignerDocument& document, QWidget* parent = nullptr);

    void setGridMm(double step);
    double gridMm() const { return m_gridMm; }
    void setSnapToGrid(bool on) { m_snap = on; }
    bool snapToGrid() const { return m_snap; }
    void setZoom(double factor);
    double zoom() const { return m_zoom; }
    double pixelsPerMm() const;

    // Band tops on the scene, in millimetres of the scene (captions included): for moving
    // elements between bands.
    std::vector<double> bandTopsMm() const;
    // Scene position of a point of a band (millimetres inside the band).
    QPointF scenePos(int band, QPointF mm) const;
    // The band under a scene point (-1 when none) and the point inside it in millimetres.
    int bandAt(QPointF scenePoint, QPointF* mm = nullptr) const;

    // Gestures, as the mouse and the keys make them (also for tests).
    void moveSelection(QPointF deltaMm);
    void resizeSelection(QPointF deltaMm);
    void finishElementDrag(QPointF deltaMm);
    void finishElementResize(const DesignerElementRef& ref, double widthMm, double heightMm);
    void finishBandResize(int band, double heightMm);

    // Where a new element goes when the user clicks on the page in "place" mode.
    void setPlacingKind(int kind) { m_placingKind = kind; }   // -1: not placing
    int placingKind() const { return m_placingKind; }

signals:
    void placeRequested(int band, QPointF mm);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;

public:
    // Draws the scene again now when a change is pending (it is otherwise drawn after the
    // current event).
    void flush();
    void setShowGrid(bool on) { m_showGrid = on; viewport()->update(); }
    bool showGrid() const { return m_showGrid; }

private:
    void schedule(bool rebuildScene);
    void rebuild();
    void syncSelectionFromScene();
    void syncSelectionToScene();

    DesignerDocument& m_document;
    QGraphicsScene* m_scene;
    double m_gridMm = 1.0;
    bool m_snap = true;
    double m_zoom = 1.0;
    int m_placingKind = -1;
    bool m_syncing = false;
    bool m_showGrid = true;
    bool m_rebuildPending = false;
    bool m_flushQueued = false;
    std::vector<double> m_bandTopsPx;   // top of each band's area (below its caption)
};

// Painting of one element as the designer shows it (also for the band strips' thumbnails).
void paintDesignerElement(QPainter& painter, const ReportElement& element, double pixelsPerMm);
// The text a designer shows for an element ("[tbNapaka.PARTNER]", "=SUM(...)", "Stran 1 od 3").
QString designerElementText(const ReportElement& element);
