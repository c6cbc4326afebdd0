#pragma once

#include "language/Language.h"

#include <QStringList>

namespace language {

// Puts the interface of this process into `language`: Qt's own texts (the
// buttons of message boxes and dialogs) from the translations that come with
// Qt, and for English the program's catalogs, compiled into the program
// under ":/translations/<catalog>_en.qm". Any translators installed before
// are taken out first, so a test can switch back and forth. Returns false
// when a catalog is missing, which is a build fault.
bool installLanguage(Language language, const QStringList& catalogs);

// The language last installed; Chinese, the language of the sources, before
// any was.
Language installedLanguage();

// The catalogs of what the programs share: the model's messages, the image
// browser and the zoom control.
inline const QString kSharedCatalog = QStringLiteral("shared");

// Installs the language of this run, which languageBeforeStart chose, once
// the application object exists, and takes "--lang" out of `arguments`.
void startInLanguage(QStringList& arguments, Language language, const QStringList& catalogs);

} // namespace language
