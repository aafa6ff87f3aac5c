#pragma once
// The language of the windows: Ukrainian, the language their texts are written in, unless
// English was asked for (talvikcom --lang en, or the "Мова" item of either window's context
// menu) and so remembered in TalvikCom.ini. The system's locale does not choose it: the
// dispatch PCs run in whatever language they were bought in.

#include "store/settings_location.h"

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace talvik {

enum class Language { Ukrainian, English };

// "uk" or "en" (letter case ignored); nullopt for anything else.
std::optional<Language> languageFromCode(const QString& code);
QString languageCode(Language language);

// The language remembered in the settings file; Ukrainian when none is, or it is not one of ours.
Language storedLanguage(const SettingsLocation& location);
// Empty when saved; otherwise why not, in the operator's words.
QString storeLanguage(const SettingsLocation& location, Language language);

// Makes every text made from now on speak `language`; false when its translation could not
// be loaded (the texts stay Ukrainian).
bool installLanguage(Language language);
Language installedLanguage();

// Adds the "Мова" submenu to `window`'s context menu: choosing a language remembers it for the
// next start, and `tell` says so (or why it could not be saved).
void addLanguageMenu(QWidget* window, const SettingsLocation& location,
                     std::function<void(const QString&)> tell);

} // namespace talvik
