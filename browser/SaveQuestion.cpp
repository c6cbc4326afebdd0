#include "browser/SaveQuestion.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QMessageBox>

namespace browser {

bool askToSave(QWidget* parent, const QString& title, const QString& text, const std::function<bool()>& save)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                    parent);
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
