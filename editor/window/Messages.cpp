#include "editor/window/Messages.h"

#include "browser/PlainMessage.h"

namespace animbox {

QString programTitle()
{
    return QStringLiteral("Kestrum Frame Editor");
}

void showMessage(QWidget* parent, const QString& text)
{
    browser::showPlainMessage(parent, QMessageBox::NoIcon, programTitle(), text);
}

bool askYesNo(QWidget* parent, const QString& text, bool yesByDefault)
{
    return browser::showPlainMessage(parent, QMessageBox::Question, programTitle(), text,
                                     QMessageBox::Yes | QMessageBox::No, yesByDefault ? QMessageBox::Yes : QMessageBox::No)
        == QMessageBox::Yes;
}

} // namespace animbox
