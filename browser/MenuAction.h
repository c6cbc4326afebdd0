#pragma once

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QObject>
#include <QString>

namespace browser {

// Adds a menu item with its object name and shortcut, and connects it to a
// slot or functor of `receiver`; both editors build their menus this way.
template <typename Receiver, typename Slot>
QAction* addMenuAction(QMenu* menu, Receiver* receiver, const char* name, const QString& caption,
                       const QKeySequence& key, Slot slot)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(key);
    QObject::connect(action, &QAction::triggered, receiver, slot);
    return action;
}

} // namespace browser
