#pragma once

#include <QDialog>

namespace classic {

class CrossPicture;

// The picture window: shows a frame's sprite at its natural size times a zoom
// level (the canvas's, changed with the same keys) and lets the author put
// the anchor cross on it with a click or the arrow keys. It is opened with
// `offsetExchange` = path "|" x "|" y and leaves x "|" y in it, however it
// is closed.
class Form2 : public QDialog {
    Q_OBJECT
public:
    explicit Form2(const QString& offsetExchange, QWidget* parent = nullptr, int zoomLevel = 1);

    QString offsetExchange() const { return m_offsetExchange; }

private:
    void drawCross(QPoint cross);
    void onKey(int key);
    void fitToPicture();

    CrossPicture* m_picture;
    QString m_offsetExchange;
};

} // namespace classic
