#include "gui/app/language.h"

#include "gui/app/save_failure.h"
#include "gui/app/texts.h"
#include "store/ini_store.h"
#include "store/settings_keys.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QTranslator>
#include <QWidget>
#include <memory>

namespace talvik {

namespace {
// Compiled from translations/talvikcom_en.ts into the executable, so no installation can lose it.
const QString EnglishTranslation = QStringLiteral(":/translations/talvikcom_en.qm");

QTranslator*& installed()
{
    static QTranslator* translator = nullptr;
    return translator;
}
} // namespace

std::optional<Language> languageFromCode(const QString& code)
{
    const QString c = code.trimmed().toLower();
    if (c == QLatin1String("uk"))
        return Language::Ukrainian;
    if (c == QLatin1String("en"))
        return Language::English;
    return std::nullopt;
}

QString languageCode(Language language)
{
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("uk");
}

Language storedLanguage(const SettingsLocation& location)
{
    const IniStore store(location);
    return languageFromCode(store.read(settings::LanguageSection, settings::language::Code, {}))
        .value_or(Language::Ukrainian);
}

QString storeLanguage(const SettingsLocation& location, Language language)
{
    IniStore store(location);
    store.write(settings::LanguageSection, settings::language::Code, languageCode(language));
    const QString failure = saveFailureText(store.flush(), store.systemError());
    return failure.isEmpty() ? failure : texts::SettingsNotSaved().arg(location.writePath) + u'\n' + failure;
}

bool installLanguage(Language language)
{
    QTranslator*& current = installed();
    if (current) {
        QCoreApplication::removeTranslator(current);
        delete current;
        current = nullptr;
    }
    if (language == Language::Ukrainian)
        return true;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(EnglishTranslation) || !QCoreApplication::installTranslator(translator.get()))
        return false;
    current = translator.release();
    return true;
}

Language installedLanguage()
{
    return installed() ? Language::English : Language::Ukrainian;
}

void addLanguageMenu(QWidget* window, const SettingsLocation& location,
                     std::function<void(const QString&)> tell)
{
    auto* menu = new QMenu(window);
    auto* group = new QActionGroup(menu);
    const auto add = [&](Language language, const QString& name) {
        QAction* action = menu->addAction(name);
        action->setCheckable(true);
        action->setChecked(language == installedLanguage());
        group->addAction(action);
        QObject::connect(action, &QAction::triggered, window, [location, language, tell] {
            const QString failure = storeLanguage(location, language);
            tell(failure.isEmpty() ? texts::LanguageAtNextStart() : failure);
        });
    };
    add(Language::Ukrainian, texts::UkrainianLanguage());
    add(Language::English, texts::EnglishLanguage());
    auto* item = new QAction(texts::LanguageMenu(), window);
    item->setMenu(menu);
    window->addAction(item);
    window->setContextMenuPolicy(Qt::ActionsContextMenu);
}

} // namespace talvik
