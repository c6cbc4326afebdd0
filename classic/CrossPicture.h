#pragma once

#include <QImage>
#include <QWidget>

namespace classic {

// The picture box of the picture window (`Picture1`): a sprite at its natural
// size with the anchor cross drawn over it. It reports presses and keys; the
// window decides what they do.
class CrossPicture : public QWidget {
    Q_OBJECT
public:
    explicit CrossPicture(QWidget* parent = nullptr);

    const QImage& image() const { return m_image; }
    void setImage(const QImage& image);
    QPoint cross() const { return m_cross; }
    void setCross(QPoint cross);

signals:
    void pressed(QPoint at);
    void keyPressed(int key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QImage m_image;
    QPoint m_cross;
};

} // namespace classic
