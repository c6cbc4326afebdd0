#pragma once

#include <QGroupBox>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace animbox {

// The group Frame3: the frame delay box, the show-boxes and draw-previous
// switches, the transparent-colour swatch, the pointer read-out and the
// preview of the clicked file.
class DisplayGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit DisplayGroup(QWidget* parent = nullptr);

    QLineEdit* txtDelay() const { return m_delay; }
    QCheckBox* cbBox() const { return m_showBoxes; }
    QCheckBox* cDrawLast() const { return m_drawLast; }
    QLabel* lbTransparent() const { return m_swatch; }
    QLabel* Label1() const { return m_readOut; }
    QLabel* Image1() const { return m_preview; }

    // Paints the swatch in `color`.
    void setSwatchColor(QColor color);

private:
    QLineEdit* m_delay;
    QCheckBox* m_showBoxes;
    QCheckBox* m_drawLast;
    QLabel* m_swatch;
    QLabel* m_readOut;
    QLabel* m_preview;
};

} // namespace animbox
