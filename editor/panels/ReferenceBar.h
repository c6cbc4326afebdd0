#pragma once

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace animbox {

// The bar along the window's top edge: the reference-frame name and anchor,
// the reference-frame toggle Command3 and the extended-box switch Check1.
class ReferenceBar : public QWidget {
    Q_OBJECT
public:
    // Where the bar's left edge lies in the window.
    static constexpr int kLeft = 184;

    explicit ReferenceBar(QWidget* parent = nullptr);

    QLineEdit* txtBase() const { return m_base; }
    QLineEdit* txtX() const { return m_x; }
    QLineEdit* txtY() const { return m_y; }
    QPushButton* Command3() const { return m_toggle; }
    QCheckBox* Check1() const { return m_extended; }

    // What a click on Command3 shows next. Until the canvas first draws a
    // frame, a click shows the selected frame, whatever the caption says.
    enum class Toggle { AtStart, OffersReference, OffersListFrame };
    Toggle toggle() const { return m_state; }
    // Sets the state and the caption that goes with it.
    void setToggle(Toggle state);

private:
    QLineEdit* m_base;
    QLineEdit* m_x;
    QLineEdit* m_y;
    QPushButton* m_toggle;
    QCheckBox* m_extended;
    Toggle m_state = Toggle::AtStart;
};

} // namespace animbox
