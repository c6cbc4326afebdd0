#pragma once

#include <QString>

// Message texts of the editing commands: canvas gestures, the property
// panel, the global adjustment and the reference frame.
namespace animbox::editmsg {
inline const QString invalidPath = QStringLiteral("无效的路径.");
inline const QString boxOutOfRange = QStringLiteral("框的坐标超出范围 (-32768 到 32767), 未作修改.");
inline const QString valueOutOfRange = QStringLiteral("数值超出范围 (-32768 到 32767), 保留原值.");
inline const QString stepOutOfRange = QStringLiteral("调整量超出范围 (-32768 到 32767), 未作调整.");
inline const QString adjustOutOfRange = QStringLiteral("调整后坐标超出范围 (-32768 到 32767), 未作调整: ");
inline const QString referenceNotNumeric = QStringLiteral("参考帧坐标必须是数字.");
} // namespace animbox::editmsg
