#include "browser/SaveQuestion.h"

#include "browser/PlainMessage.h"

#include <QAbstractButton>
#include <QCoreApplication>

namespace browser {

bool askToSave(QWidget* parent, const QString& title, const QString& text, const std::function<bool()>& save)
{
    QMessageBox box(QMessageBox::Question, title, QString(),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    setPlainText(box, text);
    box.button(QMessageBox::Save)->setText(QCoreApplication::translate("browser::SaveQuestion", "保存"));
    box.button(QMessageBox::Discard)->setText(QCoreApplication::translate("browser::SaveQuestion", "不保存"));
    box.button(QMessageBox::Cancel)->setText(QCoreApplication::translate("browser::SaveQuestion", "取消"));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return save();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

} // namespace browser
