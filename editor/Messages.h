#pragma once

#include <QString>

class QWidget;

namespace animbox {

// The program's name: the title of its message boxes and the start of the
// main window's caption.
QString programTitle();

// A modal message box with one OK button and the program's title.
void showMessage(QWidget* parent, const QString& text);

// Message texts shown by the main window and its dialogs.
namespace msg {
inline const QString noFrames = QStringLiteral("没有帧.");
inline const QString cannotDelete = QStringLiteral("无法删除");
inline const QString noDataFolderAdd = QStringLiteral("不能定位data文件夹!");
inline const QString noDataFolderScheme = QStringLiteral("不能定位data文件夹.");
inline const QString fileMissing = QStringLiteral("文件不存在.");
inline const QString folderUnreadable = QStringLiteral("无法打开文件夹: ");
inline const QString imageTooLarge = QStringLiteral("图片太大: ");
inline const QString anchorOutOfRange = QStringLiteral("坐标超出范围: ");
inline const QString invalidPath = QStringLiteral("无效的路径.");
inline const QString boxOutOfRange = QStringLiteral("框的坐标超出范围 (-32768 到 32767), 未作修改.");
inline const QString valueOutOfRange = QStringLiteral("数值超出范围 (-32768 到 32767), 保留原值.");
inline const QString stepOutOfRange = QStringLiteral("调整量超出范围 (-32768 到 32767), 未作调整.");
inline const QString adjustOutOfRange = QStringLiteral("调整后坐标超出范围 (-32768 到 32767), 未作调整: ");
inline const QString noFrameInText = QStringLiteral("文本中没有找到帧, 未作修改.");
inline const QString referenceNotNumeric = QStringLiteral("参考帧坐标必须是数字.");
} // namespace msg

} // namespace animbox
