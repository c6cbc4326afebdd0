#include "language/Language.h"

namespace language {

namespace {

const QString kOption = QStringLiteral("--lang");

} // namespace

QString codeOf(Language language)
{
    return language == Language::Chinese ? QStringLiteral("zh") : QStringLiteral("en");
}

std::optional<Language> fromCode(const QString& code)
{
    const QString lower = code.trimmed().toLower();
    if (lower == QLatin1String("zh"))
        return Language::Chinese;
    if (lower == QLatin1String("en"))
        return Language::English;
    return std::nullopt;
}

Language fromLocale(const QLocale& locale)
{
    return locale.language() == QLocale::Chinese ? Language::Chinese : Language::English;
}

Language systemLanguage()
{
    // Read from the environment as Qt reads the system's languages, not from
    // QLocale::system(): Qt reads its locale once, and asking it here would
    // keep settleLocale from changing it. Read once too: the system's
    // language stays what it was when the program started.
    static const Language language = [] {
        for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
            const QString value = qEnvironmentVariable(variable).section(u':', 0, 0);
            if (!value.isEmpty())
                return fromLocale(QLocale(value));
        }
        // A system that keeps its locale outside the environment.
        return fromLocale(QLocale::system());
    }();
    return language;
}

Language chosen(std::optional<Language> fromArguments, const QString& storedCode, Language system)
{
    if (fromArguments)
        return *fromArguments;
    if (const auto stored = fromCode(storedCode))
        return *stored;
    return system;
}

LanguageArgument takeLanguageArgument(QStringList& arguments)
{
    LanguageArgument result;
    // The first entry is the program itself.
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QString value;
        qsizetype taken = 0;
        if (arguments.at(i) == kOption) {
            taken = i + 1 < arguments.size() ? 2 : 1;
            value = taken == 2 ? arguments.at(i + 1) : QString();
        } else if (arguments.at(i).startsWith(kOption + QLatin1Char('='))) {
            taken = 1;
            value = arguments.at(i).mid(kOption.size() + 1);
        } else {
            continue;
        }
        arguments.remove(i, taken);
        result.language = fromCode(value);
        result.error = result.language ? QString()
                                       : QStringLiteral("--lang takes zh or en, not \"%1\"; the usual language is used.")
                                             .arg(value);
        return result;
    }
    return result;
}

} // namespace language
