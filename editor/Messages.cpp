#include "editor/Messages.h"

#include <QMessageBox>

namespace animbox {

QString programTitle()
{
    return QStringLiteral("Kestrum Frame Editor");
}

void showMessage(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, programTitle(), text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace animbox
