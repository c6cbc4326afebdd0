#pragma once

#include <QComboBox>

namespace animbox {

// An editable drop-down box whose value counts only when an item is chosen
// from its list: in the popup, or with the arrow keys or the wheel while the
// box has the keyboard focus. Typed text is only shown, even when it reads
// like an item and Enter follows; a wheel over the box without the focus
// leaves it alone.
class ChoiceCombo : public QComboBox {
    Q_OBJECT
public:
    explicit ChoiceCombo(QWidget* parent = nullptr);

    // Shows `text` with the item that reads exactly so selected, or none,
    // so that a later step through the list starts from the value shown.
    void showValue(const QString& text);

signals:
    void chosen();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // Set while the box finishes typed text: what it activates then is not a choice.
    bool m_typing = false;
};

} // namespace animbox
