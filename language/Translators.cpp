#include "language/Translators.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>

namespace language {

namespace {

// The translators this module installed, owned by the application object.
QList<QTranslator*>& installed()
{
    static QList<QTranslator*> translators;
    return translators;
}

bool load(QObject* owner, const QString& name, const QString& folder)
{
    auto* translator = new QTranslator(owner);
    if (!translator->load(name, folder)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed().append(translator);
    return true;
}

Language& current()
{
    static Language language = Language::Chinese;
    return language;
}

} // namespace

Language installedLanguage()
{
    return current();
}

bool installLanguage(Language language, const QStringList& catalogs)
{
    current() = language;
    for (QTranslator* translator : std::as_const(installed())) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    installed().clear();

    QObject* owner = QCoreApplication::instance();
    // Qt's texts are English to begin with; only Chinese needs its catalog.
    // A Qt without its translations still works, with English buttons.
    if (language == Language::Chinese) {
        load(owner, QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        return true;
    }
    bool complete = true;
    for (const QString& catalog : catalogs)
        complete = load(owner, catalog + QStringLiteral("_en"), QStringLiteral(":/translations")) && complete;
    return complete;
}

void startInLanguage(QStringList& arguments, Language language, const QStringList& catalogs)
{
    takeLanguageArgument(arguments);
    if (!installLanguage(language, catalogs))
        std::fprintf(stderr, "Some English texts are missing from this build.\n");
}

} // namespace language
