#include "browser/PlainMessage.h"

#include "model/text/ShownText.h"

namespace browser {

void setPlainText(QMessageBox& box, const QString& text)
{
    box.setTextFormat(Qt::PlainText);
    box.setText(model::withVisibleBidiControls(text));
}

QMessageBox::StandardButton showPlainMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                             const QString& text, QMessageBox::StandardButtons buttons,
                                             QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, title, QString(), buttons, parent);
    setPlainText(box, text);
    box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

} // namespace browser
