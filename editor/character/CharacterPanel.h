#pragma once

#include <QDockWidget>
#include <QHash>

class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace animbox {

// The character panel: the animations of the open character file in file
// order, each with its number of frames and a mark for unsaved changes, a
// filter box over their names, and the buttons that add, rename, copy and
// delete an animation. Choosing an animation (a click, the arrow keys) asks
// the window to show it; the Delete key in the list asks to delete it.
class CharacterPanel : public QDockWidget {
    Q_OBJECT
public:
    // One animation as the list shows it.
    struct Row {
        quint32 id = 0;
        QString name;
        int frames = 0;
        bool marked = false;
    };

    explicit CharacterPanel(QWidget* parent);

    // The whole list anew, and `current` as the chosen animation.
    void setRows(const QList<Row>& rows, quint32 current);
    // The frames and marks of the animations listed.
    void updateRows(const QList<Row>& rows);
    // Highlights the animation shown, without choosing it again.
    void setCurrent(quint32 id);

    QTreeWidget* list() const { return m_list; }
    QLineEdit* filter() const { return m_filter; }
    QPushButton* newButton() const { return m_new; }
    QPushButton* renameButton() const { return m_rename; }
    QPushButton* duplicateButton() const { return m_duplicate; }
    QPushButton* deleteButton() const { return m_delete; }

signals:
    void animationChosen(quint32 id);
    void newRequested();
    void renameRequested();
    void duplicateRequested();
    void deleteRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyFilter();
    void showRow(QTreeWidgetItem* item, const Row& row);

    QLineEdit* m_filter = nullptr;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_new = nullptr;
    QPushButton* m_rename = nullptr;
    QPushButton* m_duplicate = nullptr;
    QPushButton* m_delete = nullptr;
    QHash<quint32, QTreeWidgetItem*> m_items;
};

} // namespace animbox
