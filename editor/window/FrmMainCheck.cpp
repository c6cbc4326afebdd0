// The main window's "检查角色": checks the open character file in the dock
// of check results.

#include "editor/window/FrmMain.h"

#include "editor/character/CharacterSession.h"
#include "editor/window/CharacterCheckDock.h"
#include "editor/window/Messages.h"
#include "model/files/FileReplacement.h"

namespace animbox {

void FrmMain::checkCharacter()
{
    if (!m_session)
        return;
    const QString path = m_session->link().path();
    QString error;
    const QByteArray bytes = model::readWholeFile(path, &error);
    if (!error.isEmpty()) {
        showMessage(this, error);
        return;
    }
    // The game folder the file was opened with, else the author's choice.
    QString gameFolder = m_session->gameFolder();
    if (gameFolder.isEmpty())
        gameFolder = gameFolderFor(path);
    if (gameFolder.isEmpty())
        return;
    if (!m_check) {
        m_check = new CharacterCheckDock(this);
        addDockWidget(Qt::BottomDockWidgetArea, m_check);
    }
    m_check->show();
    m_check->raise();
    m_check->start(path, bytes, gameFolder);
}

} // namespace animbox
