#pragma once

#include "model/zoom/ZoomMapping.h"

#include <QObject>
#include <QPointF>

class QLabel;
class QMouseEvent;
class QWheelEvent;
class QWidget;

namespace zoom {

// The zoom and pan input of one view. Ctrl+wheel over the view and the keys
// Ctrl+=, Ctrl+- and Ctrl+0 of its window step the level; where the view
// pans and there is room to, the wheel scrolls vertically, Shift+wheel
// horizontally, and a middle-button drag moves the picture with the pointer.
// Events it uses do not reach the view. Owns the view's mapping.
class ZoomControl : public QObject {
    Q_OBJECT
public:
    enum class Panning { Off, On };

    ZoomControl(QWidget* view, Panning panning);

    const model::ZoomMapping& mapping() const { return m_mapping; }
    int level() const { return m_mapping.level(); }
    void setLevel(int level);
    void setOrigin(QPoint origin);
    void setViewSize(QSize size);

    // The zoom keys, active anywhere in `window`.
    void addShortcuts(QWidget* window);

    // A label in `parent` that shows the level and follows its changes.
    QLabel* createLabel(QWidget* parent);

public slots:
    void zoomIn();
    void zoomOut();
    void resetZoom();

signals:
    // The mapping changed: the view repaints and re-places what it lays over the picture.
    void mappingChanged();
    void levelChanged(int level);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool wheel(const QWheelEvent& event);
    bool middleDrag(const QMouseEvent& event);
    void setPan(QPoint pan);

    model::ZoomMapping m_mapping;
    Panning m_panning;
    int m_wheelZoom = 0;
    bool m_dragging = false;
    QPointF m_dragStart;
    QPoint m_dragPan;
};

} // namespace zoom
