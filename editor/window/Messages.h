#pragma once

#include <QCoreApplication>
#include <QString>

class QWidget;

namespace animbox {

// The program's name: the title of its message boxes and the start of the
// main window's caption.
QString programTitle();

// A modal message box with one OK button and the program's title. The text
// is shown as plain text, so that names of files and paths in it show as
// they are (browser::setPlainText).
void showMessage(QWidget* parent, const QString& text);

// A question with the buttons "是" and "否", shown as showMessage() shows
// its text; true when the author chose "是". Enter chooses "是" when
// `yesByDefault`, else "否".
bool askYesNo(QWidget* parent, const QString& text, bool yesByDefault = false);

// Message texts shown by the main window and its dialogs, in the language
// of the interface.
namespace msg {
inline QString noFrames() { return QCoreApplication::translate("animbox::Messages", "没有帧."); }
inline QString cannotDelete() { return QCoreApplication::translate("animbox::Messages", "无法删除"); }
inline QString noDataFolderAdd() { return QCoreApplication::translate("animbox::Messages", "不能定位data文件夹!"); }
inline QString noDataFolderScheme() { return QCoreApplication::translate("animbox::Messages", "不能定位data文件夹."); }
inline QString fileMissing() { return QCoreApplication::translate("animbox::Messages", "文件不存在."); }
inline QString folderUnreadable() { return QCoreApplication::translate("animbox::Messages", "无法打开文件夹: "); }
inline QString imageTooLarge() { return QCoreApplication::translate("animbox::Messages", "图片太大: "); }
inline QString anchorOutOfRange() { return QCoreApplication::translate("animbox::Messages", "坐标超出范围: "); }
inline QString invalidPath() { return QCoreApplication::translate("animbox::Messages", "无效的路径."); }
inline QString boxOutOfRange() { return QCoreApplication::translate("animbox::Messages", "框的坐标超出范围 (-32768 到 32767), 未作修改."); }
inline QString valueOutOfRange() { return QCoreApplication::translate("animbox::Messages", "数值超出范围 (-32768 到 32767), 保留原值."); }
inline QString stepOutOfRange() { return QCoreApplication::translate("animbox::Messages", "调整量超出范围 (-32768 到 32767), 未作调整."); }
inline QString adjustOutOfRange() { return QCoreApplication::translate("animbox::Messages", "调整后坐标超出范围 (-32768 到 32767), 未作调整: "); }
inline QString noFrameInText() { return QCoreApplication::translate("animbox::Messages", "文本中没有找到帧, 未作修改."); }
inline QString referenceNotNumeric() { return QCoreApplication::translate("animbox::Messages", "参考帧坐标必须是数字."); }
} // namespace msg

} // namespace animbox
