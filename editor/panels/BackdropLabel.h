#pragma once

#include "editor/panels/TextRunCache.h"

#include <QLabel>
#include <QPixmap>

namespace animbox {

// A label whose text changes often (the pointer read-out). Once it holds a
// picture of what its parent draws beneath it, it is opaque to the window:
// it paints that picture and its text over it, so a new text repaints the
// label alone and not the group around it. The picture is taken after the
// label's first paint, and again after the next paint once the label or its
// parent has changed size, place, palette or style; until then the label
// paints as any other. Its text is
// drawn from kept layouts of its words and numbers, placed at the top left.
class BackdropLabel : public QLabel {
    Q_OBJECT
public:
    explicit BackdropLabel(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void dropBackdrop();
    void scheduleTake();
    void takeBackdrop();

    QPixmap m_backdrop;
    TextRunCache m_runs;
    bool m_taking = false;
};

} // namespace animbox
