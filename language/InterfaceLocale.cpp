#include "language/InterfaceLocale.h"

#include <QByteArray>
#include <QStringList>

#include <cstdio>

namespace language {

namespace {

// The categories whose locale Qt reads: numbers, dates, money and messages,
// the last also the language of the system locale.
const char* const kCategories[] = {"LC_NUMERIC", "LC_TIME", "LC_MONETARY", "LC_MESSAGES"};

QByteArray localeName(Language language)
{
    return language == Language::Chinese ? QByteArrayLiteral("zh_CN.UTF-8") : QByteArrayLiteral("en_US.UTF-8");
}

// An unset variable means the C locale, whose texts are English.
bool speaks(const QByteArray& locale, Language language)
{
    return fromLocale(QLocale(QString::fromLatin1(locale.isEmpty() ? QByteArrayLiteral("C") : locale))) == language;
}

// The locale a category takes: LC_ALL before the category's own variable,
// that before LANG.
QByteArray localeOf(const char* category)
{
    for (const char* variable : {"LC_ALL", category, "LANG"}) {
        const QByteArray value = qgetenv(variable);
        if (!value.isEmpty())
            return value;
    }
    return {};
}

} // namespace

void settleLocale(Language language)
{
    if (language == systemLanguage())
        return;
    QList<const char*> others;
    for (const char* category : kCategories) {
        if (!speaks(localeOf(category), language))
            others.append(category);
    }
    // LC_ALL would beat the categories set below; LANG keeps its locale for
    // the categories nobody asked about (the character set first).
    if (!others.isEmpty() && qEnvironmentVariableIsSet("LC_ALL")) {
        qputenv("LANG", qgetenv("LC_ALL"));
        qunsetenv("LC_ALL");
    }
    for (const char* category : std::as_const(others))
        qputenv(category, localeName(language));
    // The languages of messages, in order, come before all of them.
    const QByteArray languages = qgetenv("LANGUAGE");
    if (!languages.isEmpty() && !speaks(languages.split(':').constFirst(), language))
        qunsetenv("LANGUAGE");
}

Language languageBeforeStart(int argc, const char* const* argv, const QString& storedCode)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const LanguageArgument argument = takeLanguageArgument(arguments);
    if (!argument.error.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(argument.error));
    const Language language = chosen(argument.language, storedCode, systemLanguage());
    settleLocale(language);
    return language;
}

} // namespace language
