#pragma once
// The window's own texts, exactly as operators know them: Ukrainian, the source language of
// their translations (translations/talvikcom_en.ts), each one a function so that it speaks
// the language installed at start.

#include <QCoreApplication>
#include <QString>

namespace talvik::texts {

inline QString ApplicationTitle()
{
    return QCoreApplication::translate("Configurator", "Конфігуратор V-8.5");
}
inline QString WindowCaption()
{
    return QCoreApplication::translate("Configurator", "Конфігуратор плат \"ТАЛВІКОР\" 2025-V_8.5");
}

inline QString ZeroBoardAddress()
{
    return QCoreApplication::translate("Configurator", "IP - Плати що конфігуруеться = 000.000.000.000");
}
inline QString ZeroRangeAddress()
{
    return QCoreApplication::translate("Configurator", "IP - Плати що перезавантажуется = 000.000.000.000");
}
inline QString PortError()
{
    return QCoreApplication::translate("Configurator", "Port 6767 ERROR");
}

inline QString ConsoleDynamic()
{
    return QCoreApplication::translate("Configurator", "Динамічна IP адреса Пульта");
}
inline QString ConsoleStatic()
{
    return QCoreApplication::translate("Configurator", "Статична IP адреса Пульта");
}
inline QString BoardDynamic()
{
    return QCoreApplication::translate("Configurator", "Динамічна IP адреса Плати ( DHCP )");
}
inline QString BoardStatic()
{
    return QCoreApplication::translate("Configurator", "Статична IP адреса Плати");
}
inline QString BoardStaticTrailing()
{
    return QCoreApplication::translate("Configurator", "Статична IP адреса Плати ");
}
inline QString VersionSuffix()
{
    return QCoreApplication::translate("Configurator", " - Версія программи");
}

inline QString NoVersion()
{
    return QCoreApplication::translate("Configurator", "-------------");
}
inline QString NoRemembered()
{
    return QCoreApplication::translate("Configurator", "-----------------------------");
}
inline QString ShortcutAddress()
{
    return QCoreApplication::translate("Configurator", "010.000.000.002");
}
inline QString RebootPending()
{
    return QCoreApplication::translate("Configurator", "__");
}
inline QString RebootAcknowledged()
{
    return QCoreApplication::translate("Configurator", "Ok");
}
inline QString NoExternalAddress()
{
    return QCoreApplication::translate("Configurator", "000.000.000.000");
}
inline QString PauseCaption()
{
    return QCoreApplication::translate("Configurator", "Stop");
}
inline QString RunCaption()
{
    return QCoreApplication::translate("Configurator", "Pusk");
}

// Captions of the controls, as the window's design has them.
inline QString BoardGroupCaption()
{
    return QCoreApplication::translate("Configurator", "  IP - Плати що конфігуруеться  ");
}
inline QString RebootButton()
{
    return QCoreApplication::translate("Configurator", "Reboot");
}
inline QString PortLabel()
{
    return QCoreApplication::translate("Configurator", "Port");
}
inline QString RetryCaption()
{
    return QCoreApplication::translate("Configurator", "&Retry");
}
inline QString IdentModeBox()
{
    return QCoreApplication::translate("Configurator", "Конфігурування по Ідентифікатору");
}
inline QString IdentListLabel()
{
    return QCoreApplication::translate("Configurator", "Ідентифікатор");
}
inline QString RangeBox()
{
    return QCoreApplication::translate("Configurator", "Перезапуск масиву");
}
inline QString WriteButton()
{
    return QCoreApplication::translate("Configurator", "Записати");
}
inline QString ReadButton()
{
    return QCoreApplication::translate("Configurator", "Прочитати");
}
inline QString PermanentMemoryLabel()
{
    return QCoreApplication::translate("Configurator", "постійна памьять");
}
inline QString WorkingConfigLabel()
{
    return QCoreApplication::translate("Configurator", "робоча конфігурація");
}
inline QString BoardIpLabel()
{
    return QCoreApplication::translate("Configurator", "IP - Ліфта");
}
inline QString MaskLabel()
{
    return QCoreApplication::translate("Configurator", "MASK");
}
inline QString RouterLabel()
{
    return QCoreApplication::translate("Configurator", "ROUTER");
}
inline QString MacLabel()
{
    return QCoreApplication::translate("Configurator", "MAC");
}
inline QString IpToMacButton()
{
    return QCoreApplication::translate("Configurator", "IP --> MAC");
}
inline QString AddressTypeGroup()
{
    return QCoreApplication::translate("Configurator", "Тип IP адреси");
}
inline QString DispatcherLabel()
{
    return QCoreApplication::translate("Configurator", "IP - Комп'ютера диспетч.");
}
inline QString Reserve1Label()
{
    return QCoreApplication::translate("Configurator", "IP - Резервний №1");
}
inline QString Reserve2Label()
{
    return QCoreApplication::translate("Configurator", "IP - Резервний №2");
}
inline QString BoardStaticDhcp()
{
    return QCoreApplication::translate("Configurator", "Статична IP адреса Плати ( DHCP )");
}
inline QString CopyInButton()
{
    return QCoreApplication::translate("Configurator", "<-");
}
inline QString FirstBoardLabel()
{
    return QCoreApplication::translate("Configurator", "IP - першої плати");
}
inline QString BoardCountLabel()
{
    return QCoreApplication::translate("Configurator", "кількість плат");
}
inline QString RangeStartButton()
{
    return QCoreApplication::translate("Configurator", "Reboot START");
}
inline QString RangeStopButton()
{
    return QCoreApplication::translate("Configurator", "Reboot STOP");
}
inline QString IdentifierLabel()
{
    return QCoreApplication::translate("Configurator", "Ідентифікатор плати\n(номер луча\nпристрою зв'язку)");
}
inline QString BranchLabel()
{
    return QCoreApplication::translate("Configurator", "№ луча\n(мережевий)");
}

// Messages and log lines.
inline QString UnknownError()
{
    return QCoreApplication::translate("Configurator", "Unknown error");
}
inline QString SettingsNotSaved()
{
    return QCoreApplication::translate("Configurator", "Не вдалося записати файл налаштувань %1");
}
inline QString SettingsUnreadable()
{
    return QCoreApplication::translate("Configurator",
                                       "Його не вдалося прочитати, тому він залишився без змін.");
}
inline QString SettingsReadOnly()
{
    return QCoreApplication::translate("Configurator",
                                       "Він позначений лише для читання і залишився без змін.");
}
inline QString SettingsOwnerNotKept()
{
    return QCoreApplication::translate(
        "Configurator", "Не вдалося зберегти його власника і права доступу (%1); файл залишився без змін.");
}
inline QString SettingsWriteFailed()
{
    return QCoreApplication::translate("Configurator", "Помилка запису (%1); файл залишився без змін.");
}
inline QString IdentLogLine()
{
    return QCoreApplication::translate("Configurator", "Ind - %1 * IP - %2 * Port - %3 - Tim - %4");
}

// Heard through a screen reader and seen as tooltips; the window shows no caption for them.
inline QString ReadBackSuffix()
{
    return QCoreApplication::translate("Configurator", " (прочитано)");
}
inline QString LookupName()
{
    return QCoreApplication::translate("Configurator", "Дізнатися зовнішню IP-адресу");
}
inline QString LookupTip()
{
    return QCoreApplication::translate("Configurator", "Дізнатися зовнішню IP-адресу цього комп'ютера");
}
inline QString CopyInTip()
{
    return QCoreApplication::translate("Configurator", "Перенести прочитану конфігурацію в поля запису");
}
inline QString RebootStatusName()
{
    return QCoreApplication::translate("Configurator", "Стан перезавантаження");
}
inline QString ReceivedCountName()
{
    return QCoreApplication::translate("Configurator", "Отримано датаграм");
}
inline QString SenderAddressName()
{
    return QCoreApplication::translate("Configurator", "Адреса відправника");
}
inline QString SenderPortName()
{
    return QCoreApplication::translate("Configurator", "Порт відправника");
}
inline QString LastIdentifierName()
{
    return QCoreApplication::translate("Configurator", "Ідентифікатор останньої датаграми");
}
inline QString DumpName()
{
    return QCoreApplication::translate("Configurator", "Діагностика плати");
}
inline QString ExternalAddressName()
{
    return QCoreApplication::translate("Configurator", "Зовнішня IP-адреса");
}
inline QString VersionName()
{
    return QCoreApplication::translate("Configurator", "Версія програми плати");
}
inline QString SendingHostName()
{
    return QCoreApplication::translate("Configurator", "Адреса відправлення");
}
inline QString IdentLogName()
{
    return QCoreApplication::translate("Configurator", "Журнал ідентифікаторів");
}

// The language menu of both windows' context menus. A language is named in its own words.
inline QString LanguageMenu()
{
    return QCoreApplication::translate("Configurator", "Мова · Language");
}
inline QString UkrainianLanguage()
{
    return QCoreApplication::translate("Configurator", "Українська");
}
inline QString EnglishLanguage()
{
    return QCoreApplication::translate("Configurator", "English");
}
inline QString LanguageAtNextStart()
{
    return QCoreApplication::translate("Configurator", "Мову буде змінено з наступного запуску програми.");
}

} // namespace talvik::texts
