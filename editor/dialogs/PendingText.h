#pragma once

#include <QString>

#include <utility>

namespace animbox {

// The hand-over between the dialogs and the main window: a dialog leaves a
// text here and the main window takes it right after the dialog closed. Also
// holds the folder that contains the game's data folder, chosen in the
// read-from-text dialog.
class PendingText {
public:
    void setPendingText(const QString& text) { m_text = text; }
    // Returns the text and empties the buffer.
    QString TakePendingText() { return std::exchange(m_text, QString()); }
    const QString& pendingText() const { return m_text; }

    const QString& workPath() const { return m_workPath; }
    void setWorkPath(const QString& path) { m_workPath = path; }

private:
    QString m_text;
    QString m_workPath;
};

} // namespace animbox
