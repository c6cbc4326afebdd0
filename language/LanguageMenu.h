#pragma once

#include "language/Language.h"

#include <QStringList>

#include <functional>

class QMenu;
class QMenuBar;
class QSettings;

namespace language {

// The "语言 / Language" menu ("Language" in an English window): follow the
// system, 中文 or English, each item written in its own language so that
// anybody finds theirs. A choice is
// handed to `store` as its code ("", "zh" or "en"); the open windows keep
// their language, and a message in the language chosen says that it takes
// effect at the next start.
QMenu* addLanguageMenu(QMenuBar* bar, Language current, const QString& storedCode,
                       std::function<void(const QString& code)> store);

// The language menu of a window whose choice is kept in a settings store,
// under the key "language", for the language installed now.
QMenu* addLanguageMenu(QMenuBar* bar, QSettings* settings);
// The choice kept there: "zh", "en", or empty to follow the system.
QString storedCode(const QSettings& settings);
// The choice kept in the user's settings store of `application`, read
// before the application object exists, for settleLocale. A QSettings of a
// scope fixes the system's locale when it is made (it reads Qt's own paths,
// through Qt's resources, in that locale); where the store is a file, the
// file is read as a file instead.
QString storedCodeBeforeStart(const QString& organization, const QString& application);

// The items of the language menu, which read the same in every language.
QStringList languageMenuTexts();

} // namespace language
