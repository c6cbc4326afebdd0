#pragma once

#include "language/Language.h"

namespace language {

// Makes `language` the locale of the whole interface, Qt's file dialogs
// included. Qt formats their sizes and dates with the system's locale, which
// it takes from the environment (LC_ALL, LC_TIME, LC_NUMERIC, LC_MONETARY,
// LC_MESSAGES, LANG, LANGUAGE) once, while the application object is made;
// QLocale::setDefault does not reach them. So this runs before that: when
// the language differs from the system's, every one of those variables that
// names a locale of another language is set to en_US or zh_CN. Variables
// that speak the language already keep their locale (British dates stay
// British). Numbers in scripts never depend on the locale.
void settleLocale(Language language);

// The language of this run (see `chosen`) from "--lang" in `argv` and the
// stored choice, with the locale settled on it; a bad "--lang" is reported on
// the standard error. Runs before the application object exists.
Language languageBeforeStart(int argc, const char* const* argv, const QString& storedCode);

} // namespace language
