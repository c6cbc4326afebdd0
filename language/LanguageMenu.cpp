#include "language/LanguageMenu.h"

#include "language/Translators.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>

namespace language {

namespace {

// An English window's title has no Chinese: its two glyphs alone would load
// a CJK font before the window's first frame. The items, seen only once the
// menu opens, stay in both languages.
QString menuTitle(Language language)
{
    return language == Language::Chinese ? QStringLiteral("语言 / Language") : QStringLiteral("Language");
}

const QString kSettingsKey = QStringLiteral("language");

struct LanguageItem {
    const char* objectName;
    QString caption;
    QString code;
};

// Said in the language the user has just chosen, which the open windows do
// not speak yet.
QString restartTitle(Language language)
{
    return language == Language::Chinese ? QStringLiteral("语言") : QStringLiteral("Language");
}

QString restartMessage(Language language)
{
    return language == Language::Chinese ? QStringLiteral("界面将在下次启动时使用中文.")
                                         : QStringLiteral("The interface will be in English from the next start.");
}

const LanguageItem kItems[] = {
    {"mnuLanguageSystem", QStringLiteral("跟随系统 / System"), QString()},
    {"mnuLanguageZh", QStringLiteral("中文"), QStringLiteral("zh")},
    {"mnuLanguageEn", QStringLiteral("English"), QStringLiteral("en")},
};

} // namespace

QMenu* addLanguageMenu(QMenuBar* bar, Language current, const QString& storedCode,
                       std::function<void(const QString& code)> store)
{
    QMenu* menu = bar->addMenu(menuTitle(current));
    menu->setObjectName(QStringLiteral("mnuLanguage"));
    auto* group = new QActionGroup(menu);
    const QString stored = fromCode(storedCode) ? codeOf(*fromCode(storedCode)) : QString();
    for (const LanguageItem& item : kItems) {
        QAction* action = menu->addAction(item.caption);
        action->setObjectName(QLatin1String(item.objectName));
        action->setCheckable(true);
        action->setChecked(item.code == stored);
        group->addAction(action);
        QObject::connect(action, &QAction::triggered, menu, [bar, current, store, code = item.code] {
            store(code);
            const Language next = code.isEmpty() ? systemLanguage() : *fromCode(code);
            if (next != current)
                QMessageBox::information(bar->window(), restartTitle(next), restartMessage(next));
        });
    }
    return menu;
}

QMenu* addLanguageMenu(QMenuBar* bar, QSettings* settings)
{
    return addLanguageMenu(bar, installedLanguage(), storedCode(*settings), [settings](const QString& code) {
        settings->setValue(kSettingsKey, code);
        settings->sync();
    });
}

QString storedCode(const QSettings& settings)
{
    return settings.value(kSettingsKey).toString();
}

QString storedCodeBeforeStart(const QString& organization, const QString& application)
{
#ifdef Q_OS_WIN
    // The registry: the locale does not come from the environment there.
    return storedCode(QSettings(QSettings::UserScope, organization, application));
#else
    const QString file = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/'
        + organization + u'/' + application + QStringLiteral(".conf");
    return storedCode(QSettings(file, QSettings::IniFormat));
#endif
}

QStringList languageMenuTexts()
{
    QStringList texts;
    for (const LanguageItem& item : kItems)
        texts.append(item.caption);
    return texts;
}

} // namespace language
