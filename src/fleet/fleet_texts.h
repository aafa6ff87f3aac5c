#pragma once
// Every text of the fleet window "Мережа плат" and its table, in the configurator's tone.

#include <QString>
#include <QStringList>

namespace talvik::fleet::texts {

inline const QString WindowTitle = QStringLiteral("Мережа плат");

// Finding boards.
inline const QString SurveyGroup = QStringLiteral("Пошук плат");
inline const QString FromRange = QStringLiteral("Діапазон");
inline const QString FirstAddress = QStringLiteral("Перша адреса");
inline const QString LastAddress = QStringLiteral("Остання адреса");
inline const QString RangeDash = QStringLiteral("–");
inline const QString FromList = QStringLiteral("Список");
inline const QString ListHint = QStringLiteral("Адреси й діапазони, по одному в рядку (# - коментар)");
inline const QString HostsFile = QStringLiteral("Файл…");
inline const QString FromMyNetworks = QStringLiteral("Мої мережі");
inline const QString NoNetworks = QStringLiteral("у цього комп'ютера немає мережі /24, крім локальної");
inline const QString BothMemories =
    QStringLiteral("Також постійна памьять (показує записане, але ще не завантажене)");
inline const QString Search = QStringLiteral("Шукати");
inline const QString Cancel = QStringLiteral("Скасувати");
inline const QString Progress = QStringLiteral("Хід роботи");
inline const QString Status = QStringLiteral("Стан пошуку");
inline const QString ProgressFormat = QStringLiteral("%v з %m");
inline const QString Filter = QStringLiteral("Фільтр");
inline const QString ClearFilter = QStringLiteral("Очистити фільтр");
inline const QString FilterHint = QStringLiteral("Фільтр за всіма стовпцями (Ctrl+F)");
inline const QString TableName = QStringLiteral("Плати мережі");

// Actions on the selected rows.
inline const QString Open = QStringLiteral("Відкрити в конфігураторі");
inline const QString Reboot = QStringLiteral("Перезавантажити…");
inline const QString SaveBackups = QStringLiteral("Зберегти копії…");
inline const QString ApplyBackups = QStringLiteral("Застосувати копії…");
inline const QString FromFolder = QStringLiteral("Усі копії з теки…");
inline const QString FromFiles = QStringLiteral("Вибрані файли…");
inline const QString Export = QStringLiteral("Експорт…");
inline const QString ExportAll = QStringLiteral("Усі рядки…");
inline const QString ExportShown = QStringLiteral("Лише рядки, що видно (за фільтром)…");
inline const QString ExportFilter = QStringLiteral("Таблиця CSV (*.csv);;JSON Lines (*.jsonl)");
inline const QString EarlierFilter = QStringLiteral("Експорт або копія плати (*.csv *.jsonl *.json *.conf)");
inline const QString BackupFilter = QStringLiteral("Копії плат (*.conf)");
inline const QString HostsFilter = QStringLiteral("Список адрес (*.txt *.hosts);;Усі файли (*)");
inline const QString Compare = QStringLiteral("Порівняти…");
inline const QString CompareTip =
    QStringLiteral("З попереднім експортом (CSV, JSON Lines) або текою копій (*.conf)");
inline const QString ChooseBackupFolder = QStringLiteral("Тека для копій плат");
inline const QString ChooseBackups = QStringLiteral("Копії плат для запису");
inline const QString ChooseExportFile = QStringLiteral("Експорт таблиці");
inline const QString ChooseEarlier = QStringLiteral("Порівняти з");
inline const QString ChooseHosts = QStringLiteral("Список адрес з файлу");

// Columns.
inline const QString Columns[] = {
    QStringLiteral("Адреса"),    QStringLiteral("Ідентифікатор"), QStringLiteral("Версія"),
    QStringLiteral("IP"),        QStringLiteral("Маска"),         QStringLiteral("Шлюз"),
    QStringLiteral("MAC"),       QStringLiteral("DHCP"),          QStringLiteral("Пульт"),
    QStringLiteral("Диспетчер"), QStringLiteral("Луч"),           QStringLiteral("Резерв 1"),
    QStringLiteral("Резерв 2"),  QStringLiteral("Пост. ≠ роб."),  QStringLiteral("Стан"),
    QStringLiteral("Востаннє"),  QStringLiteral("Об'єкт"),
};
inline const QString Yes = QStringLiteral("так");
inline const QString No = QStringLiteral("ні");
inline const QString ConsoleStatic = QStringLiteral("статична");
inline const QString ConsoleDynamic = QStringLiteral("динамічна");

// States and results, one a row.
inline const QString Seen = QStringLiteral("на зв'язку");
inline const QString Answered = QStringLiteral("відповіла");
inline const QString Silent = QStringLiteral("не відповідає");
inline const QString Rebooting = QStringLiteral("перезавантажується");
inline const QString BackUp = QStringLiteral("знову на зв'язку");
inline const QString NotBack = QStringLiteral("не повернулася");
inline const QString NotAcknowledged = QStringLiteral("не підтвердила перезавантаження");
inline const QString BackupSaved = QStringLiteral("копію збережено");
inline const QString BackupNotSaved = QStringLiteral("копію не збережено: %1");
inline const QString Verified = QStringLiteral("записано, перевірено");
// A board's permanent memory written and read back, its working configuration still the old one.
inline const QString VerifiedTakesEffectAfterReboot =
    QStringLiteral("записано; діятиме після перезавантаження");
// After a result: what the backup held and the frame could not carry ("Ідентифікатор").
inline const QString NotWritten = QStringLiteral("; не записано: %1 (зі статичним пультом кадр їх не несе)");
inline const QString Mismatch = QStringLiteral("записано, але плата має інше: %1");
inline const QString NoReadBack = QStringLiteral("записано, не прочитано назад");
inline const QString NotSent = QStringLiteral("не вдалося надіслати");
inline const QString Unverified = QStringLiteral("записано, не перевірено");
inline const QString NotTried = QStringLiteral("не пробувано: %1");
inline const QString StoppedAtLimit = QStringLiteral("роботу зупинено після невдач");
inline const QString StoppedByJournal = QStringLiteral("журнал не записується");
inline const QString CancelledState = QStringLiteral("скасовано");
inline const QString NoBase = QStringLiteral("не записано: постійна пам'ять не прочитана");
inline const QString NotWrittenBecause = QStringLiteral("не записано: %1");
inline const QString NoJournal = QStringLiteral("журнал недоступний");
inline const QString ConsoleOnlyFields = QStringLiteral(
    "диспетчер і резервні адреси надсилаються лише з динамічним пультом, а в цієї плати він статичний");
inline const QString WouldBeLost = QStringLiteral("зі статичним пультом кадр не несе: %1");
inline const QString ChangedSince = QStringLiteral("плату змінено після цього запису");
inline const QString DhcpWithStaticConsole =
    QStringLiteral("DHCP зі статичним пультом: конфігуратор такого не записує");
inline const QString WorkingMemoryBackup = QStringLiteral("це копія робочої конфігурації");
inline const QString OldBoardAnswers = QStringLiteral("на адресі %1 з копії ще відповідає плата");

// "Змінити поля…", "Історія…", "Замінити плату…"
inline const QString ChangeFields = QStringLiteral("Змінити поля…");
inline const QString History = QStringLiteral("Історія…");
inline const QString ReplaceBoard = QStringLiteral("Замінити плату…");
inline const QString ChangeFieldsTitle = QStringLiteral("Змінити поля вибраних плат");
inline const QString ChangeFieldsHint = QStringLiteral(
    "Позначте поля, які змінити. Кожну плату буде записано на основі її власної постійної пам'яті.");
inline const QString Preview = QStringLiteral("Переглянути");
inline const QString Write = QStringLiteral("Записати");
inline const QString Close = QStringLiteral("Закрити");
inline const QString PreviewColumns = QStringLiteral("Плата;Поле;Зараз;Нове;Чому не буде записано");
inline const QString NothingChanges = QStringLiteral("нічого не зміниться");
inline const QString ChooseAField = QStringLiteral("Позначте хоча б одне поле.");
inline const QString NotAnAddressValue = QStringLiteral("%1: «%2» — не адреса");
inline const QString Reading = QStringLiteral("Читаю постійну пам'ять плат…");
inline const QString HistoryTitle = QStringLiteral("Історія записів: %1");
inline const QString HistoryColumns = QStringLiteral("Час;Плата;Хто;Результат;Зміни");
inline const QString NoResult = QStringLiteral("(без результату)");
inline const QString BeforeUnknown = QStringLiteral("(попередня пам'ять невідома)");
inline const QString Undo = QStringLiteral("Повернути");
inline const QString UndoTip =
    QStringLiteral("Записати постійну пам'ять, яку плата мала до вибраного запису");
inline const QString ConfirmUndo =
    QStringLiteral("Повернути плату %1 до пам'яті, яку вона мала до запису %2?\n%3");
inline const QString OneBoard = QStringLiteral("Виберіть одну плату.");
inline const QString ReplaceTitle = QStringLiteral("Замінити плату %1");
inline const QString ReplaceHint = QStringLiteral("Копію старої плати буде записано в нову (вибрану) плату. "
                                                  "Стара плата не повинна відповідати на своїй адресі.");
inline const QString ChooseBackup = QStringLiteral("Файл копії…");
inline const QString NoBackupChosen = QStringLiteral("(копію не вибрано)");
inline const QString TakeMac = QStringLiteral("Взяти MAC старої плати");
inline const QString Replace = QStringLiteral("Замінити");
inline const QString ConfirmForce = QStringLiteral("%1 не записано: %2. Все одно записати?");
// Who wrote and the result, as the journal keeps them in its own words.
inline const QString ByConfigurator = QStringLiteral("Конфігуратор");
inline const QString ByApply = QStringLiteral("Мережа плат: застосування копій");
inline const QString ByChange = QStringLiteral("Мережа плат: зміна полів");
inline const QString ByReplace = QStringLiteral("Мережа плат: заміна плати");
inline const QString ByUndo = QStringLiteral("Мережа плат: повернення");
// A commit of the folder of backups kept in git (talvikctl backup --git).
inline const QString ByBackupRepository = QStringLiteral("Копії в git");
inline const QString Commit = QStringLiteral("коміт %1");
inline const QString FirstBackup = QStringLiteral("перша копія");
inline const QString WrittenElse = QStringLiteral("записано, але плата має інше");
inline const QString WrittenCancelled = QStringLiteral("записано, скасовано до перевірки");

inline const QString New = QStringLiteral("нова");
inline const QString Missing = QStringLiteral("зникла");
inline const QString Changed = QStringLiteral("змінена");
inline const QString ChangedFrom = QStringLiteral("змінена, було: %1"); // a changed cell, its earlier value
// The comparison with a reference board.
inline const QString CompareWithReference = QStringLiteral("Порівняти з еталоном…");
inline const QString CompareWithReferenceTip =
    QStringLiteral("Позначити на платах того самого об'єкта поля, що відрізняються від вибраної плати");
inline const QString DiffersFromReference = QStringLiteral("відрізняється від еталона");
inline const QString ReferenceHas = QStringLiteral("еталон: %1");
inline const QString ReferenceSummary = QStringLiteral("Від еталона %1 відрізняються: %2");
inline const QString ReferenceNothing = QStringLiteral("Усі плати об'єкта збігаються з еталоном %1");
inline const QString ReferenceFieldCount = QStringLiteral("%1 — %2");
inline const QString NoReference = QStringLiteral("Виберіть одну плату, що відповіла: вона буде еталоном.");
// Sites.
inline const QString FromSite = QStringLiteral("Об'єкт");
inline const QString SaveAsSite = QStringLiteral("Зберегти як об'єкт…");
inline const QString SiteName = QStringLiteral("Назва об'єкта");
inline const QString SiteNameQuestion = QStringLiteral("Назва об'єкта для цих адрес:");
inline const QString NoSites = QStringLiteral("(об'єктів ще немає)");
inline const QString SitesNotSaved =
    QStringLiteral("Файл об'єктів %1 не збережено (%2); він лишився як був.");
inline const QString SitesUnreadable = QStringLiteral("Файл об'єктів не прочитано: %1");

// Why a job stopped before its last board, and its retry.
inline const QString RetryFailed = QStringLiteral("Повторити невдалі");
inline const QString RetryFailedTip =
    QStringLiteral("Ще раз ту саму дію на платах, де вона не вдалася, не пробувалася або скасована");
inline const QString JobStoppedAtLimit = QStringLiteral(
    "Зупинено: невдало на %1 з %2; решту не пробувано (%3). «Повторити невдалі» спробує знову.");
inline const QString JobStoppedByJournal =
    QStringLiteral("Зупинено: журнал записів не записується; решту не пробувано (%1).");
inline const QString JobCancelled = QStringLiteral("Скасовано; не зроблено: %1.");

// Messages.
inline const QString ConfirmReboot = QStringLiteral("Перезавантажити %1?");
inline const QString ConfirmApply = QStringLiteral("Записати копії в %1?");
inline const QString RebootAction = QStringLiteral("Перезавантажити");
inline const QString ApplyAction = QStringLiteral("Записати");
inline const QString NoSelection = QStringLiteral("Спершу виберіть плати в таблиці.");
inline const QString BadAddress =
    QStringLiteral("%1: не адреса плати (0.0.0.0, 255.255.255.255, .0, .255 і групові адреси не підходять)");
inline const QString BadRange = QStringLiteral("%1: діапазон має бути в одній мережі /24, до .254");
inline const QString NotAnAddress = QStringLiteral("%1: не адреса і не діапазон адрес");
inline const QString TooManyBoards = QStringLiteral("Забагато адрес: не більше %1 за один пошук.");
inline const QString NoBoards = QStringLiteral("Не задано жодної плати.");
inline const QString PortTaken = QStringLiteral(
    "Порт 6767 зайнятий іншою програмою: відповіді плат сюди не дійдуть. Закрийте ту програму.");
// Why a file was not read: the file named once, in the message's own words.
inline const QString NoSuchFile = QStringLiteral("Файлу %1 немає.");
inline const QString NotAFile = QStringLiteral("%1 — не звичайний файл (тека, канал чи пристрій).");
inline const QString FileTooLarge = QStringLiteral("Файл %1 завеликий: %2, а можна не більше %3.");
inline const QString FileUnreadable = QStringLiteral("Файл %1 не вдалося прочитати (%2).");
inline const QString FileNotWritten = QStringLiteral("файл %1 не вдалося записати (%2)");
inline const QString BackupNotKeyValue = QStringLiteral("Копія %1, рядок %2: не «ключ=значення»: %3.");
inline const QString BackupKeyTwice = QStringLiteral("Копія %1, рядок %2: %3 вдруге (уперше в рядку %4).");
inline const QString BackupKeyMissing = QStringLiteral("У копії %1 немає рядка «%2=».");
inline const QString BackupBadValue = QStringLiteral("Копія %1, рядок %2: %3 %4 — неправильне значення.");
inline const QString BackupUnknownKey = QStringLiteral("Копія %1, рядок %2: невідомий ключ %3.");
inline const QString BackupDhcpStatic =
    QStringLiteral("Копія %1: DHCP зі статичним пультом, а конфігуратор такого не записує.");
inline const QString BackupNamedForAnother =
    QStringLiteral("Копія %1 названа за платою %2, а містить адресу %3.");
inline const QString NotASurvey = QStringLiteral("У %1 немає заголовка таблиці плат (address, ip, …).");
inline const QString SameBoardTwice = QStringLiteral("%1 і %2 — копії однієї плати %3: залиште одну.");
inline const QString ConfirmRefused =
    QStringLiteral("Ці копії не можна записати як є:\n%1\nВсе одно записати?");
inline const QString WriteAnyway = QStringLiteral("Все одно записати");
// An IP address or mask at which a board would be out of reach.
inline const QString IpZero = QStringLiteral("IP 0.0.0.0 — не адреса вузла");
inline const QString IpBroadcast = QStringLiteral("IP 255.255.255.255 — широкомовна адреса");
inline const QString IpMulticast = QStringLiteral("IP %1 — групова або зарезервована адреса");
inline const QString IpLoopback =
    QStringLiteral("IP %1 — локальна адреса комп'ютера: плата нікому не відповість");
inline const QString IpNetworkOfMask = QStringLiteral("IP %1 — адреса мережі для маски %2");
inline const QString IpBroadcastOfMask = QStringLiteral("IP %1 — широкомовна адреса мережі для маски %2");
inline const QString MaskWithGap = QStringLiteral("маска %1 має розрив в одиничних бітах");
// Why a board gave no answer worth taking.
inline const QString ShortReply = QStringLiteral("неповна відповідь (%1)");
inline const QString NoVersion = QStringLiteral("у відповіді немає версії, тож немає прапорця DHCP");
inline const QString CannotWrite = QStringLiteral("Не вдалося записати %1: %2");

// A count with the Ukrainian form that follows it: one (1, 21), few (2 to 4, 22 to 24),
// many (0, 5 to 20, 25 to 30).
inline QString counted(qint64 n, const QString& one, const QString& few, const QString& many)
{
    const qint64 tens = n % 100, units = n % 10;
    const bool isOne = units == 1 && tens != 11;
    const bool isFew = units >= 2 && units <= 4 && (tens < 12 || tens > 14);
    return QString::number(n) + u' ' + (isOne ? one : isFew ? few : many);
}

// "4 байти": the size of a reply.
inline QString bytes(qint64 n)
{
    return counted(n, QStringLiteral("байт"), QStringLiteral("байти"), QStringLiteral("байтів"));
}

// "1234 датаграми втрачено через перевантаження цього комп'ютера (плати запитано знову)".
inline QString lostToOverload(qint64 n)
{
    return counted(n, QStringLiteral("датаграму"), QStringLiteral("датаграми"), QStringLiteral("датаграм")) +
           QStringLiteral(" втрачено через перевантаження цього комп'ютера (плати запитано знову)");
}

// "Перезавантажити 2 плати?"
inline QString boards(qint64 n)
{
    return counted(n, QStringLiteral("плату"), QStringLiteral("плати"), QStringLiteral("плат"));
}

// "254 адреси в мережі 192.168.1.0/24", shown before "my networks" are searched.
inline QString addressesIn(qint64 n, const QStringList& networks)
{
    return counted(n, QStringLiteral("адреса"), QStringLiteral("адреси"), QStringLiteral("адрес")) +
           (networks.size() == 1 ? QStringLiteral(" в мережі ") : QStringLiteral(" в мережах ")) +
           networks.join(QStringLiteral(", "));
}

// "3 нових, 1 зникла, 2 змінені": the comparison with an earlier survey.
inline QString comparison(qint64 added, qint64 missing, qint64 changed)
{
    return counted(added, QStringLiteral("нова"), QStringLiteral("нових"), QStringLiteral("нових")) +
           QStringLiteral(", ") +
           counted(missing, QStringLiteral("зникла"), QStringLiteral("зникли"), QStringLiteral("зникло")) +
           QStringLiteral(", ") +
           counted(changed, QStringLiteral("змінена"), QStringLiteral("змінені"), QStringLiteral("змінених"));
}

} // namespace talvik::fleet::texts
