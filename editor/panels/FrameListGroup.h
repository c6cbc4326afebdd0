#pragma once

#include <QGroupBox>

class QListWidget;
class QPushButton;

namespace animbox {

// The group "帧列表": the frame list List1 and the delete, move up, move down
// and clear buttons above it.
class FrameListGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit FrameListGroup(QWidget* parent = nullptr);

    QListWidget* List1() const { return m_list; }
    QPushButton* Command4() const { return m_delete; }
    QPushButton* Command7() const { return m_up; }
    QPushButton* Command10() const { return m_down; }
    QPushButton* Command6() const { return m_clear; }

protected:
    // The list takes the group's width, less its margins.
    void resizeEvent(QResizeEvent* event) override;

private:
    QPushButton* m_delete;
    QPushButton* m_up;
    QPushButton* m_down;
    QPushButton* m_clear;
    QListWidget* m_list;
};

} // namespace animbox
