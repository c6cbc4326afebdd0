#pragma once

#include "model/CharacterScript.h"

#include <QDialog>

class QTreeWidget;

namespace animbox {

// Lists the animations of a character file, with their numbers of frames,
// in file order, and lets the author pick one.
class AnimationChooser : public QDialog {
    Q_OBJECT
public:
    AnimationChooser(const QString& fileName, const QList<model::AnimBlock>& blocks, QWidget* parent);

    QTreeWidget* list() const { return m_list; }
    // The picked animation's index in the file's list, or -1.
    int chosenIndex() const;

private:
    QTreeWidget* m_list;
};

} // namespace animbox
