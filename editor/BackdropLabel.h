#pragma once

#include <QLabel>
#include <QPixmap>

namespace animbox {

// A label whose text changes often (the pointer read-out). It is opaque to
// the window: it paints a picture of what its parent draws beneath it, taken
// once, and its text over that, so a new text repaints the label alone and
// not the group around it. The picture is taken again when the label or its
// parent changes size, place, palette or style.
class BackdropLabel : public QLabel {
    Q_OBJECT
public:
    explicit BackdropLabel(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPixmap m_backdrop;
};

} // namespace animbox
