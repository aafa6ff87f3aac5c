#include "gui/app/language.h"

#include "gui/app/save_failure.h"
#include "store/ini_store.h"
#include "store/settings_keys.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QTranslator>
#include <QWidget>
#include <memory>
#include <vector>

namespace talvik {

namespace {
// Compiled into the executable, so no installation can lose them. The texts are written in
// Ukrainian: in Ukrainian only their plural forms and Qt's own words need a translation.
QStringList translationsOf(Language language)
{
    if (language == Language::English)
        return {QStringLiteral(":/translations/talvikcom_en.qm")};
    return {QStringLiteral(":/translations/talvikcom_uk.qm"), QStringLiteral(":/translations/qtbase_uk.qm"),
            QStringLiteral(":/translations/qt_uk.qm")}; // the last installed is asked first
}

struct Installed {
    Language language = Language::Ukrainian;
    std::vector<std::unique_ptr<QTranslator>> translators;
};

Installed& installed()
{
    static Installed now;
    return now;
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
    return failure.isEmpty()
               ? failure
               : QCoreApplication::translate("Configurator", "Не вдалося записати файл налаштувань %1")
                         .arg(location.writePath) +
                     u'\n' + failure;
}

bool installLanguage(Language language)
{
    Installed& now = installed();
    for (const auto& translator : now.translators)
        QCoreApplication::removeTranslator(translator.get());
    now.translators.clear();
    now.language = language;
    bool whole = true;
    for (const QString& file : translationsOf(language)) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(file) && QCoreApplication::installTranslator(translator.get()))
            now.translators.push_back(std::move(translator));
        else
            whole = false;
    }
    return whole;
}

Language installedLanguage()
{
    return installed().language;
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
            tell(failure.isEmpty() ? QCoreApplication::translate(
                                         "Configurator", "Мову буде змінено з наступного запуску програми.")
                                   : failure);
        });
    };
    add(Language::Ukrainian, QCoreApplication::translate("Configurator", "&Українська"));
    add(Language::English, QCoreApplication::translate("Configurator", "&English"));
    auto* item = new QAction(QCoreApplication::translate("Configurator", "Мова · Language"), window);
    item->setMenu(menu);
    window->addAction(item);
    window->setContextMenuPolicy(Qt::ActionsContextMenu);
}

} // namespace talvik
