#pragma once

#include <QMessageBox>

namespace browser {

// Puts `text` into `box` as plain text with its bidirectional controls
// written out (model::withVisibleBidiControls): a message that names a file
// or a path shows the name as it is, never as markup and never reordered.
void setPlainText(QMessageBox& box, const QString& text);

// A modal message box of both editors that shows `text` as setPlainText()
// does. Returns the button the author chose.
QMessageBox::StandardButton showPlainMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                             const QString& text,
                                             QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                             QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

} // namespace browser
