#pragma once
// The window's own texts, exactly as operators know them.

#include <QString>

namespace talvik::texts {

inline const QString ApplicationTitle = QStringLiteral("Конфігуратор V-8.5");
inline const QString WindowCaption = QStringLiteral("Конфігуратор плат \"ТАЛВІКОР\" 2025-V_8.5");

inline const QString ZeroBoardAddress = QStringLiteral("IP - Плати що конфігуруеться = 000.000.000.000");
inline const QString ZeroRangeAddress = QStringLiteral("IP - Плати що перезавантажуется = 000.000.000.000");
inline const QString PortError = QStringLiteral("Port 6767 ERROR");

inline const QString ConsoleDynamic = QStringLiteral("Динамічна IP адреса Пульта");
inline const QString ConsoleStatic = QStringLiteral("Статична IP адреса Пульта");
inline const QString BoardDynamic = QStringLiteral("Динамічна IP адреса Плати ( DHCP )");
inline const QString BoardStatic = QStringLiteral("Статична IP адреса Плати");
inline const QString BoardStaticTrailing = QStringLiteral("Статична IP адреса Плати ");
inline const QString VersionSuffix = QStringLiteral(" - Версія программи");

inline const QString NoVersion = QStringLiteral("-------------");
inline const QString NoRemembered = QStringLiteral("-----------------------------");
inline const QString ShortcutAddress = QStringLiteral("010.000.000.002");
inline const QString RebootPending = QStringLiteral("__");
inline const QString RebootAcknowledged = QStringLiteral("Ok");
inline const QString NoExternalAddress = QStringLiteral("000.000.000.000");
inline const QString PauseCaption = QStringLiteral("Stop");
inline const QString RunCaption = QStringLiteral("Pusk");

// Captions of the controls, as the window's design has them.
inline const QString BoardGroupCaption = QStringLiteral("  IP - Плати що конфігуруеться  ");
inline const QString RebootButton = QStringLiteral("Reboot");
inline const QString PortLabel = QStringLiteral("Port");
inline const QString RetryCaption = QStringLiteral("&Retry");
inline const QString IdentModeBox = QStringLiteral("Конфігурування по Ідентифікатору");
inline const QString IdentListLabel = QStringLiteral("Ідентифікатор");
inline const QString RangeBox = QStringLiteral("Перезапуск масиву");
inline const QString WriteButton = QStringLiteral("Записати");
inline const QString ReadButton = QStringLiteral("Прочитати");
inline const QString PermanentMemoryLabel = QStringLiteral("постійна памьять");
inline const QString WorkingConfigLabel = QStringLiteral("робоча конфігурація");
inline const QString BoardIpLabel = QStringLiteral("IP - Ліфта");
inline const QString MaskLabel = QStringLiteral("MASK");
inline const QString RouterLabel = QStringLiteral("ROUTER");
inline const QString MacLabel = QStringLiteral("MAC");
inline const QString IpToMacButton = QStringLiteral("IP --> MAC");
inline const QString AddressTypeGroup = QStringLiteral("Тип IP адреси");
inline const QString DispatcherLabel = QStringLiteral("IP - Комп'ютера диспетч.");
inline const QString Reserve1Label = QStringLiteral("IP - Резервний №1");
inline const QString Reserve2Label = QStringLiteral("IP - Резервний №2");
inline const QString BoardStaticDhcp = QStringLiteral("Статична IP адреса Плати ( DHCP )");
inline const QString CopyInButton = QStringLiteral("<-");
inline const QString FirstBoardLabel = QStringLiteral("IP - першої плати");
inline const QString BoardCountLabel = QStringLiteral("кількість плат");
inline const QString RangeStartButton = QStringLiteral("Reboot START");
inline const QString RangeStopButton = QStringLiteral("Reboot STOP");
inline const QString IdentifierLabel = QStringLiteral("Ідентифікатор плати\n(номер луча\nпристрою зв'язку)");
inline const QString BranchLabel = QStringLiteral("№ луча\n(мережевий)");

// Messages and log lines.
inline const QString UnknownError = QStringLiteral("Unknown error");
inline const QString SettingsNotSaved = QStringLiteral("Не вдалося записати файл налаштувань %1");
inline const QString SettingsUnreadable =
    QStringLiteral("Його не вдалося прочитати, тому він залишився без змін.");
inline const QString SettingsReadOnly =
    QStringLiteral("Він позначений лише для читання і залишився без змін.");
inline const QString SettingsOwnerNotKept =
    QStringLiteral("Не вдалося зберегти його власника і права доступу (%1); файл залишився без змін.");
inline const QString SettingsWriteFailed = QStringLiteral("Помилка запису (%1); файл залишився без змін.");
inline const QString IdentLogLine = QStringLiteral("Ind - %1 * IP - %2 * Port - %3 - Tim - %4");

// Heard through a screen reader and seen as tooltips; the window shows no caption for them.
inline const QString ReadBackSuffix = QStringLiteral(" (прочитано)");
inline const QString LookupName = QStringLiteral("Дізнатися зовнішню IP-адресу");
inline const QString LookupTip = QStringLiteral("Дізнатися зовнішню IP-адресу цього комп'ютера");
inline const QString CopyInTip = QStringLiteral("Перенести прочитану конфігурацію в поля запису");
inline const QString RebootStatusName = QStringLiteral("Стан перезавантаження");
inline const QString ReceivedCountName = QStringLiteral("Отримано датаграм");
inline const QString SenderAddressName = QStringLiteral("Адреса відправника");
inline const QString SenderPortName = QStringLiteral("Порт відправника");
inline const QString LastIdentifierName = QStringLiteral("Ідентифікатор останньої датаграми");
inline const QString DumpName = QStringLiteral("Діагностика плати");
inline const QString ExternalAddressName = QStringLiteral("Зовнішня IP-адреса");
inline const QString VersionName = QStringLiteral("Версія програми плати");
inline const QString SendingHostName = QStringLiteral("Адреса відправлення");
inline const QString IdentLogName = QStringLiteral("Журнал ідентифікаторів");

} // namespace talvik::texts
