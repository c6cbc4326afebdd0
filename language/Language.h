#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

namespace language {

// The two languages of the interface. Chinese is the language the texts are
// written in; English comes from the translation catalogs.
enum class Language { Chinese, English };

// The code a choice is stored under: "zh" or "en". The empty code stands for
// "follow the system".
QString codeOf(Language language);
std::optional<Language> fromCode(const QString& code);

// Chinese locales get Chinese, every other locale English.
Language fromLocale(const QLocale& locale);

// The language of the system's interface at start, which LANGUAGE and
// LC_MESSAGES may set apart from the locale of numbers and dates.
Language systemLanguage();

// The language of this run: the command-line choice, else the stored one,
// else the system's.
Language chosen(std::optional<Language> fromArguments, const QString& storedCode, Language system);

// The "--lang zh|en" (or "--lang=zh|en") argument, taken out of `arguments`
// so that the rest can be read as file names. `error` says what was wrong
// when the argument is there but its value is not a language.
struct LanguageArgument {
    std::optional<Language> language;
    QString error;
};
LanguageArgument takeLanguageArgument(QStringList& arguments);

} // namespace language
