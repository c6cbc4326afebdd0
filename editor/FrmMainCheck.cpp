// The main window's "检查角色": checks the open character file in the dock
// of check results.

#include "editor/FrmMain.h"

#include "editor/CharacterCheckDock.h"
#include "editor/Messages.h"
#include "model/BrowserRules.h"
#include "model/FileReplacement.h"

#include <QFileInfo>

namespace animbox {

void FrmMain::checkCharacter()
{
    if (!m_link.isOpen())
        return;
    QString error;
    const QByteArray bytes = model::readWholeFile(m_link.path(), &error);
    if (!error.isEmpty()) {
        showMessage(this, error);
        return;
    }
    // The game folder of the file's path, else the one its frames were read
    // from (the browser shows their folder), else the author's choice.
    QString gameFolder = model::gameFolderOf(QFileInfo(m_link.path()).absolutePath());
    if (gameFolder.isEmpty())
        gameFolder = model::gameFolderOf(browserFolder());
    if (gameFolder.isEmpty())
        gameFolder = gameFolderFor(m_link.path());
    if (gameFolder.isEmpty())
        return;
    if (!m_check) {
        m_check = new CharacterCheckDock(this);
        addDockWidget(Qt::BottomDockWidgetArea, m_check);
    }
    m_check->show();
    m_check->raise();
    m_check->start(m_link.path(), bytes, gameFolder);
}

} // namespace animbox
