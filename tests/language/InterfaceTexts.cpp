#include "InterfaceTexts.h"

#include "language/CaptionWidth.h"
#include "language/LanguageMenu.h"

#include <QtWidgets>

#include <functional>

namespace languagetests {

namespace {

// A text of `owner`; a caption is drawn inside the control's own rectangle,
// where it can be cut, unlike titles, menu items and tool tips.
using Visit = std::function<void(const QWidget* owner, const QString& text, bool caption)>;

// The text as drawn: without the '&' that marks a shortcut letter, rich
// text reduced to its words.
QString shown(const QString& text)
{
    if (Qt::mightBeRichText(text)) {
        QTextDocument document;
        document.setHtml(text);
        return document.toPlainText();
    }
    QString plain = text;
    return plain.replace(QRegularExpression(QStringLiteral("&(.)")), QStringLiteral("\\1"));
}

void visitTexts(const QWidget* window, const Visit& visit)
{
    visit(window, window->windowTitle(), false);
    // Menus, hidden until opened, with their items.
    for (const QMenu* menu : window->findChildren<QMenu*>()) {
        visit(menu, menu->title(), false);
        for (const QAction* action : menu->actions()) {
            if (action->menu() || action->isSeparator())
                continue;
            visit(menu, action->text(), false);
            // An action's tool tip is its text unless one was set.
            if (action->toolTip() != shown(action->text()))
                visit(menu, action->toolTip(), false);
        }
    }
    QList<const QWidget*> widgets{window};
    for (const QWidget* child : window->findChildren<QWidget*>())
        if (child->isVisibleTo(window))
            widgets.append(child);
    for (const QWidget* widget : widgets) {
        visit(widget, widget->toolTip(), false);
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            visit(widget, button->text(), true);
        else if (const auto* label = qobject_cast<const QLabel*>(widget))
            visit(widget, label->text(), !label->wordWrap());
        else if (const auto* group = qobject_cast<const QGroupBox*>(widget))
            visit(widget, group->title(), true);
        else if (const auto* line = qobject_cast<const QLineEdit*>(widget))
            visit(widget, line->placeholderText(), false);
        else if (const auto* combo = qobject_cast<const QComboBox*>(widget); combo && !combo->isEditable())
            for (int i = 0; i < combo->count(); ++i)
                visit(widget, combo->itemText(i), true);
    }
}

// The room a caption has: the control's width less what it needs beside
// the text (a choice box its arrow).
int roomOf(const QWidget* widget)
{
    if (qobject_cast<const QComboBox*>(widget))
        return widget->width() - widget->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, widget) - 8;
    if (qobject_cast<const QGroupBox*>(widget))
        return widget->width() - 16;
    return widget->width() - language::captionFrameWidth(widget);
}

} // namespace

bool hasChinese(const QString& text)
{
    static const QRegularExpression chinese(QStringLiteral("[\\x{3000}-\\x{303f}\\x{3400}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    return text.contains(chinese);
}

QStringList englishFaults(const QWidget* window)
{
    QStringList faults;
    const QStringList sameInEveryLanguage = language::languageMenuTexts();
    visitTexts(window, [&](const QWidget* owner, const QString& text, bool caption) {
        const QString name = owner->objectName().isEmpty() ? owner->metaObject()->className() : owner->objectName();
        if (hasChinese(text) && !sameInEveryLanguage.contains(shown(text)))
            faults.append(name + QStringLiteral(": ") + shown(text));
        // A path of the machine (a file dialog's "look in" box) is as long
        // as the place the program runs from, not a caption of ours.
        if (!caption || text.isEmpty() || (QDir::isAbsolutePath(text) && QFileInfo::exists(text)))
            return;
        int widest = 0;
        for (const QString& line : shown(text).split(QLatin1Char('\n')))
            widest = qMax(widest, owner->fontMetrics().horizontalAdvance(line));
        if (widest > roomOf(owner))
            faults.append(QStringLiteral("%1: %2 (%3 px of text in %4 px)").arg(name, shown(text)).arg(widest).arg(roomOf(owner)));
    });
    return faults;
}

} // namespace languagetests
