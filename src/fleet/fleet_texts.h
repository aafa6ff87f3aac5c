#pragma once
// Every text of the fleet window "Мережа плат" and its table, in the configurator's tone:
// Ukrainian, the source language of their translations (translations/talvikcom_en.ts), each
// one a function so that it speaks the language installed at start.

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace talvik::fleet::texts {

inline QString WindowTitle()
{
    return QCoreApplication::translate("FleetWindow", "Мережа плат");
}

// Finding boards.
inline QString SurveyGroup()
{
    return QCoreApplication::translate("FleetWindow", "Пошук плат");
}
inline QString FromRange()
{
    return QCoreApplication::translate("FleetWindow", "Діапазон");
}
inline QString FirstAddress()
{
    return QCoreApplication::translate("FleetWindow", "Перша адреса");
}
inline QString LastAddress()
{
    return QCoreApplication::translate("FleetWindow", "Остання адреса");
}
inline QString RangeDash()
{
    return QCoreApplication::translate("FleetWindow", "–");
}
inline QString FromList()
{
    return QCoreApplication::translate("FleetWindow", "Список");
}
inline QString ListHint()
{
    return QCoreApplication::translate("FleetWindow", "Адреси й діапазони, по одному в рядку (# - коментар)");
}
inline QString HostsFile()
{
    return QCoreApplication::translate("FleetWindow", "Файл…");
}
inline QString FromMyNetworks()
{
    return QCoreApplication::translate("FleetWindow", "Мої мережі");
}
inline QString NoNetworks()
{
    return QCoreApplication::translate("FleetWindow", "у цього комп'ютера немає мережі /24, крім локальної");
}
inline QString BothMemories()
{
    return QCoreApplication::translate("FleetWindow",
                                       "Також постійна памьять (показує записане, але ще не завантажене)");
}
inline QString Search()
{
    return QCoreApplication::translate("FleetWindow", "Шукати");
}
inline QString Cancel()
{
    return QCoreApplication::translate("FleetWindow", "Скасувати");
}
inline QString Progress()
{
    return QCoreApplication::translate("FleetWindow", "Хід роботи");
}
inline QString Status()
{
    return QCoreApplication::translate("FleetWindow", "Стан пошуку");
}
inline QString ProgressFormat()
{
    return QCoreApplication::translate("FleetWindow", "%v з %m");
}
inline QString Filter()
{
    return QCoreApplication::translate("FleetWindow", "Фільтр");
}
inline QString ClearFilter()
{
    return QCoreApplication::translate("FleetWindow", "Очистити фільтр");
}
inline QString FilterHint()
{
    return QCoreApplication::translate("FleetWindow", "Фільтр за всіма стовпцями (Ctrl+F)");
}
inline QString TableName()
{
    return QCoreApplication::translate("FleetWindow", "Плати мережі");
}

// Actions on the selected rows.
inline QString Open()
{
    return QCoreApplication::translate("FleetWindow", "Відкрити в конфігураторі");
}
inline QString Reboot()
{
    return QCoreApplication::translate("FleetWindow", "Перезавантажити…");
}
inline QString SaveBackups()
{
    return QCoreApplication::translate("FleetWindow", "Зберегти копії…");
}
inline QString ApplyBackups()
{
    return QCoreApplication::translate("FleetWindow", "Застосувати копії…");
}
inline QString FromFolder()
{
    return QCoreApplication::translate("FleetWindow", "Усі копії з теки…");
}
inline QString FromFiles()
{
    return QCoreApplication::translate("FleetWindow", "Вибрані файли…");
}
inline QString Export()
{
    return QCoreApplication::translate("FleetWindow", "Експорт…");
}
inline QString ExportAll()
{
    return QCoreApplication::translate("FleetWindow", "Усі рядки…");
}
inline QString ExportShown()
{
    return QCoreApplication::translate("FleetWindow", "Лише рядки, що видно (за фільтром)…");
}
inline QString ExportFilter()
{
    return QCoreApplication::translate("FleetWindow", "Таблиця CSV (*.csv);;JSON Lines (*.jsonl)");
}
inline QString EarlierFilter()
{
    return QCoreApplication::translate("FleetWindow",
                                       "Експорт або копія плати (*.csv *.jsonl *.json *.conf)");
}
inline QString BackupFilter()
{
    return QCoreApplication::translate("FleetWindow", "Копії плат (*.conf)");
}
inline QString HostsFilter()
{
    return QCoreApplication::translate("FleetWindow", "Список адрес (*.txt *.hosts);;Усі файли (*)");
}
inline QString Compare()
{
    return QCoreApplication::translate("FleetWindow", "Порівняти…");
}
inline QString CompareTip()
{
    return QCoreApplication::translate("FleetWindow",
                                       "З попереднім експортом (CSV, JSON Lines) або текою копій (*.conf)");
}
inline QString ChooseBackupFolder()
{
    return QCoreApplication::translate("FleetWindow", "Тека для копій плат");
}
inline QString ChooseBackups()
{
    return QCoreApplication::translate("FleetWindow", "Копії плат для запису");
}
inline QString ChooseExportFile()
{
    return QCoreApplication::translate("FleetWindow", "Експорт таблиці");
}
inline QString ChooseEarlier()
{
    return QCoreApplication::translate("FleetWindow", "Порівняти з");
}
inline QString ChooseHosts()
{
    return QCoreApplication::translate("FleetWindow", "Список адрес з файлу");
}

// Columns.
// The table's column titles, in the model's order (fleet_model.h).
inline QString Columns(int column)
{
    static const char* const titles[] = {
        QT_TRANSLATE_NOOP("FleetWindow", "Адреса"),   QT_TRANSLATE_NOOP("FleetWindow", "Ідентифікатор"),
        QT_TRANSLATE_NOOP("FleetWindow", "Версія"),   QT_TRANSLATE_NOOP("FleetWindow", "IP"),
        QT_TRANSLATE_NOOP("FleetWindow", "Маска"),    QT_TRANSLATE_NOOP("FleetWindow", "Шлюз"),
        QT_TRANSLATE_NOOP("FleetWindow", "MAC"),      QT_TRANSLATE_NOOP("FleetWindow", "DHCP"),
        QT_TRANSLATE_NOOP("FleetWindow", "Пульт"),    QT_TRANSLATE_NOOP("FleetWindow", "Диспетчер"),
        QT_TRANSLATE_NOOP("FleetWindow", "Луч"),      QT_TRANSLATE_NOOP("FleetWindow", "Резерв 1"),
        QT_TRANSLATE_NOOP("FleetWindow", "Резерв 2"), QT_TRANSLATE_NOOP("FleetWindow", "Пост. ≠ роб."),
        QT_TRANSLATE_NOOP("FleetWindow", "Стан"),     QT_TRANSLATE_NOOP("FleetWindow", "Востаннє"),
        QT_TRANSLATE_NOOP("FleetWindow", "Об'єкт"),
    };
    return QCoreApplication::translate("FleetWindow", titles[column]);
}
inline QString Yes()
{
    return QCoreApplication::translate("FleetWindow", "так");
}
inline QString No()
{
    return QCoreApplication::translate("FleetWindow", "ні");
}
inline QString ConsoleStatic()
{
    return QCoreApplication::translate("FleetWindow", "статична");
}
inline QString ConsoleDynamic()
{
    return QCoreApplication::translate("FleetWindow", "динамічна");
}

// States and results, one a row.
inline QString Seen()
{
    return QCoreApplication::translate("FleetWindow", "на зв'язку");
}
inline QString Answered()
{
    return QCoreApplication::translate("FleetWindow", "відповіла");
}
inline QString Silent()
{
    return QCoreApplication::translate("FleetWindow", "не відповідає");
}
inline QString Rebooting()
{
    return QCoreApplication::translate("FleetWindow", "перезавантажується");
}
inline QString BackUp()
{
    return QCoreApplication::translate("FleetWindow", "знову на зв'язку");
}
inline QString NotBack()
{
    return QCoreApplication::translate("FleetWindow", "не повернулася");
}
inline QString NotAcknowledged()
{
    return QCoreApplication::translate("FleetWindow", "не підтвердила перезавантаження");
}
inline QString BackupSaved()
{
    return QCoreApplication::translate("FleetWindow", "копію збережено");
}
inline QString BackupNotSaved()
{
    return QCoreApplication::translate("FleetWindow", "копію не збережено: %1");
}
inline QString Verified()
{
    return QCoreApplication::translate("FleetWindow", "записано, перевірено");
}
// A board's permanent memory written and read back, its working configuration still the old one.
inline QString VerifiedTakesEffectAfterReboot()
{
    return QCoreApplication::translate("FleetWindow", "записано; діятиме після перезавантаження");
}
// After a result: what the backup held and the frame could not carry ("Ідентифікатор").
inline QString NotWritten()
{
    return QCoreApplication::translate("FleetWindow",
                                       "; не записано: %1 (зі статичним пультом кадр їх не несе)");
}
inline QString Mismatch()
{
    return QCoreApplication::translate("FleetWindow", "записано, але плата має інше: %1");
}
inline QString NoReadBack()
{
    return QCoreApplication::translate("FleetWindow", "записано, не прочитано назад");
}
inline QString NotSent()
{
    return QCoreApplication::translate("FleetWindow", "не вдалося надіслати");
}
inline QString Unverified()
{
    return QCoreApplication::translate("FleetWindow", "записано, не перевірено");
}
inline QString NotTried()
{
    return QCoreApplication::translate("FleetWindow", "не пробувано: %1");
}
inline QString StoppedAtLimit()
{
    return QCoreApplication::translate("FleetWindow", "роботу зупинено після невдач");
}
inline QString StoppedByJournal()
{
    return QCoreApplication::translate("FleetWindow", "журнал не записується");
}
inline QString CancelledState()
{
    return QCoreApplication::translate("FleetWindow", "скасовано");
}
inline QString NoBase()
{
    return QCoreApplication::translate("FleetWindow", "не записано: постійна пам'ять не прочитана");
}
inline QString NotWrittenBecause()
{
    return QCoreApplication::translate("FleetWindow", "не записано: %1");
}
inline QString NoJournal()
{
    return QCoreApplication::translate("FleetWindow", "журнал недоступний");
}
inline QString ConsoleOnlyFields()
{
    return QCoreApplication::translate(
        "FleetWindow",
        "диспетчер і резервні адреси надсилаються лише з динамічним пультом, а в цієї плати він статичний");
}
inline QString WouldBeLost()
{
    return QCoreApplication::translate("FleetWindow", "зі статичним пультом кадр не несе: %1");
}
inline QString ChangedSince()
{
    return QCoreApplication::translate("FleetWindow", "плату змінено після цього запису");
}
inline QString WrittenSince()
{
    return QCoreApplication::translate("FleetWindow", "плату записала пізніша робота %1");
}
inline QString DhcpWithStaticConsole()
{
    return QCoreApplication::translate("FleetWindow",
                                       "DHCP зі статичним пультом: конфігуратор такого не записує");
}
inline QString WorkingMemoryBackup()
{
    return QCoreApplication::translate("FleetWindow", "це копія робочої конфігурації");
}
inline QString OldBoardAnswers()
{
    return QCoreApplication::translate("FleetWindow", "на адресі %1 з копії ще відповідає плата");
}

// "Змінити поля…", "Історія…", "Замінити плату…"
inline QString ChangeFields()
{
    return QCoreApplication::translate("FleetWindow", "Змінити поля…");
}
inline QString History()
{
    return QCoreApplication::translate("FleetWindow", "Історія…");
}
inline QString ReplaceBoard()
{
    return QCoreApplication::translate("FleetWindow", "Замінити плату…");
}
inline QString ChangeFieldsTitle()
{
    return QCoreApplication::translate("FleetWindow", "Змінити поля вибраних плат");
}
inline QString ChangeFieldsHint()
{
    return QCoreApplication::translate(
        "FleetWindow",
        "Позначте поля, які змінити. Кожну плату буде записано на основі її власної постійної пам'яті.");
}
inline QString Preview()
{
    return QCoreApplication::translate("FleetWindow", "Переглянути");
}
inline QString Write()
{
    return QCoreApplication::translate("FleetWindow", "Записати");
}
inline QString Close()
{
    return QCoreApplication::translate("FleetWindow", "Закрити");
}
inline QString PreviewColumns()
{
    return QCoreApplication::translate("FleetWindow", "Плата;Поле;Зараз;Нове;Чому не буде записано");
}
inline QString NothingChanges()
{
    return QCoreApplication::translate("FleetWindow", "нічого не зміниться");
}
inline QString ChooseAField()
{
    return QCoreApplication::translate("FleetWindow", "Позначте хоча б одне поле.");
}
inline QString NotAnAddressValue()
{
    return QCoreApplication::translate("FleetWindow", "%1: «%2» — не адреса");
}
inline QString Reading()
{
    return QCoreApplication::translate("FleetWindow", "Читаю постійну пам'ять плат…");
}
inline QString HistoryTitle()
{
    return QCoreApplication::translate("FleetWindow", "Історія записів: %1");
}
inline QString HistoryColumns()
{
    return QCoreApplication::translate("FleetWindow", "Час;Плата;Хто;Результат;Зміни");
}
inline QString NoResult()
{
    return QCoreApplication::translate("FleetWindow", "(без результату)");
}
inline QString BeforeUnknown()
{
    return QCoreApplication::translate("FleetWindow", "(попередня пам'ять невідома)");
}
inline QString Undo()
{
    return QCoreApplication::translate("FleetWindow", "Повернути");
}
inline QString UndoTip()
{
    return QCoreApplication::translate("FleetWindow",
                                       "Записати постійну пам'ять, яку плата мала до вибраного запису");
}
inline QString ConfirmUndo()
{
    return QCoreApplication::translate("FleetWindow",
                                       "Повернути плату %1 до пам'яті, яку вона мала до запису %2?\n%3");
}
inline QString OneBoard()
{
    return QCoreApplication::translate("FleetWindow", "Виберіть одну плату.");
}
inline QString ReplaceTitle()
{
    return QCoreApplication::translate("FleetWindow", "Замінити плату %1");
}
inline QString ReplaceHint()
{
    return QCoreApplication::translate("FleetWindow",
                                       "Копію старої плати буде записано в нову (вибрану) плату. "
                                       "Стара плата не повинна відповідати на своїй адресі.");
}
inline QString ChooseBackup()
{
    return QCoreApplication::translate("FleetWindow", "Файл копії…");
}
inline QString NoBackupChosen()
{
    return QCoreApplication::translate("FleetWindow", "(копію не вибрано)");
}
inline QString TakeMac()
{
    return QCoreApplication::translate("FleetWindow", "Взяти MAC старої плати");
}
inline QString Replace()
{
    return QCoreApplication::translate("FleetWindow", "Замінити");
}
inline QString ConfirmForce()
{
    return QCoreApplication::translate("FleetWindow", "%1 не записано: %2. Все одно записати?");
}
// Who wrote and the result, as the journal keeps them in its own words.
inline QString ByConfigurator()
{
    return QCoreApplication::translate("FleetWindow", "Конфігуратор");
}
inline QString ByApply()
{
    return QCoreApplication::translate("FleetWindow", "Мережа плат: застосування копій");
}
inline QString ByChange()
{
    return QCoreApplication::translate("FleetWindow", "Мережа плат: зміна полів");
}
inline QString ByReplace()
{
    return QCoreApplication::translate("FleetWindow", "Мережа плат: заміна плати");
}
inline QString ByUndo()
{
    return QCoreApplication::translate("FleetWindow", "Мережа плат: повернення");
}
inline QString ByUndoJob()
{
    return QCoreApplication::translate("FleetWindow", "Мережа плат: повернення роботи");
}
inline QString ByRetryJob()
{
    return QCoreApplication::translate("FleetWindow", "Мережа плат: повтор роботи");
}
inline QString ByReboot()
{
    return QCoreApplication::translate("FleetWindow", "Мережа плат: перезавантаження");
}
// A commit of the folder of backups kept in git (talvikctl backup --git).
inline QString ByBackupRepository()
{
    return QCoreApplication::translate("FleetWindow", "Копії в git");
}
inline QString Commit()
{
    return QCoreApplication::translate("FleetWindow", "коміт %1");
}
inline QString FirstBackup()
{
    return QCoreApplication::translate("FleetWindow", "перша копія");
}
inline QString WrittenElse()
{
    return QCoreApplication::translate("FleetWindow", "записано, але плата має інше");
}
inline QString WrittenCancelled()
{
    return QCoreApplication::translate("FleetWindow", "записано, скасовано до перевірки");
}

inline QString New()
{
    return QCoreApplication::translate("FleetWindow", "нова");
}
inline QString Missing()
{
    return QCoreApplication::translate("FleetWindow", "зникла");
}
inline QString Changed()
{
    return QCoreApplication::translate("FleetWindow", "змінена");
}
inline QString ChangedFrom()
{
    return QCoreApplication::translate("FleetWindow", "змінена, було: %1");
} // a changed cell, its earlier value
// The comparison with a reference board.
inline QString CompareWithReference()
{
    return QCoreApplication::translate("FleetWindow", "Порівняти з еталоном…");
}
inline QString CompareWithReferenceTip()
{
    return QCoreApplication::translate(
        "FleetWindow", "Позначити на платах того самого об'єкта поля, що відрізняються від вибраної плати");
}
inline QString DiffersFromReference()
{
    return QCoreApplication::translate("FleetWindow", "відрізняється від еталона");
}
inline QString ReferenceHas()
{
    return QCoreApplication::translate("FleetWindow", "еталон: %1");
}
inline QString ReferenceSummary()
{
    return QCoreApplication::translate("FleetWindow", "Від еталона %1 відрізняються: %2");
}
inline QString ReferenceNothing()
{
    return QCoreApplication::translate("FleetWindow", "Усі плати об'єкта збігаються з еталоном %1");
}
inline QString ReferenceFieldCount()
{
    return QCoreApplication::translate("FleetWindow", "%1 — %2");
}
inline QString NoReference()
{
    return QCoreApplication::translate("FleetWindow",
                                       "Виберіть одну плату, що відповіла: вона буде еталоном.");
}
// Sites.
inline QString FromSite()
{
    return QCoreApplication::translate("FleetWindow", "Об'єкт");
}
inline QString SaveAsSite()
{
    return QCoreApplication::translate("FleetWindow", "Зберегти як об'єкт…");
}
inline QString SiteName()
{
    return QCoreApplication::translate("FleetWindow", "Назва об'єкта");
}
inline QString SiteNameQuestion()
{
    return QCoreApplication::translate("FleetWindow", "Назва об'єкта для цих адрес:");
}
inline QString NoSites()
{
    return QCoreApplication::translate("FleetWindow", "(об'єктів ще немає)");
}
inline QString SitesNotSaved()
{
    return QCoreApplication::translate("FleetWindow",
                                       "Файл об'єктів %1 не збережено (%2); він лишився як був.");
}
inline QString SitesUnreadable()
{
    return QCoreApplication::translate("FleetWindow", "Файл об'єктів не прочитано: %1");
}

// Why a job stopped before its last board, and its retry.
inline QString RetryFailed()
{
    return QCoreApplication::translate("FleetWindow", "Повторити невдалі");
}
inline QString RetryFailedTip()
{
    return QCoreApplication::translate(
        "FleetWindow", "Ще раз ту саму дію на платах, де вона не вдалася, не пробувалася або скасована");
}
inline QString JobStoppedAtLimit()
{
    return QCoreApplication::translate(
        "FleetWindow",
        "Зупинено: невдало на %1 з %2; решту не пробувано (%3). «Повторити невдалі» спробує знову.");
}
inline QString JobStoppedByJournal()
{
    return QCoreApplication::translate("FleetWindow",
                                       "Зупинено: журнал записів не записується; решту не пробувано (%1).");
}
inline QString JobCancelled()
{
    return QCoreApplication::translate("FleetWindow", "Скасовано; не зроблено: %1.");
}
// What a job came to, a count of each kind of end its boards had ("записано й перевірено: 55").
inline QString SummaryVerified()
{
    return QCoreApplication::translate("FleetWindow", "записано й перевірено: %1");
}
inline QString SummaryAwaitingReboot()
{
    return QCoreApplication::translate("FleetWindow", "записано, діятиме після перезавантаження: %1");
}
inline QString SummaryUnverified()
{
    return QCoreApplication::translate("FleetWindow", "записано без перевірки: %1");
}
inline QString SummaryMismatch()
{
    return QCoreApplication::translate("FleetWindow", "записано, але плата має інше: %1");
}
inline QString SummaryRebooted()
{
    return QCoreApplication::translate("FleetWindow", "перезавантажено: %1");
}
inline QString SummarySaved()
{
    return QCoreApplication::translate("FleetWindow", "копій збережено: %1");
}
inline QString SummaryRead()
{
    return QCoreApplication::translate("FleetWindow", "прочитано: %1");
}
inline QString SummaryFailed()
{
    return QCoreApplication::translate("FleetWindow", "невдало: %1");
}
inline QString SummaryRefused()
{
    return QCoreApplication::translate("FleetWindow", "відмовлено: %1");
}
inline QString SummaryNotTried()
{
    return QCoreApplication::translate("FleetWindow", "не пробувано: %1");
}
inline QString SummaryUnchanged()
{
    return QCoreApplication::translate("FleetWindow", "без змін: %1");
}
inline QString SummaryCancelled()
{
    return QCoreApplication::translate("FleetWindow", "скасовано: %1");
}
// The whole line: "Підсумок: записано й перевірено: 55, невдало: 2."
inline QString JobSummaryLine()
{
    return QCoreApplication::translate("FleetWindow", "Підсумок: %1.");
}
// Boards written (or sent a reboot) when a second "Скасувати" ended the job at once.
inline QString LeftUnverified()
{
    return QCoreApplication::translate("FleetWindow",
                                       "Зупинено одразу: записано, але не прочитано назад: %1.");
}
inline QString RebootLeftUnwaited()
{
    return QCoreApplication::translate("FleetWindow",
                                       "Зупинено одразу: перезавантаження надіслано, але не дочекалися: %1.");
}
// While the boards under way finish after "Скасувати".
inline QString Stopping()
{
    return QCoreApplication::translate(
        "FleetWindow",
        "Зупиняю: плати, яким уже надіслано, дописуються й перевіряються. Ще раз «Скасувати» — зупинити "
        "одразу, без перевірки.");
}
// A forced write's question: each board and what will not be as the change meant.
inline QString ConfirmForced()
{
    return QCoreApplication::translate("FleetWindow", "Записати все одно? Тоді:\n%1");
}
inline QString ForcedNotCarriedOne()
{
    return QCoreApplication::translate("FleetWindow",
                                       "%1 не буде записано: зі статичним пультом кадр його не несе");
}
inline QString ForcedNotCarriedMany()
{
    return QCoreApplication::translate("FleetWindow",
                                       "%1 не буде записано: зі статичним пультом кадр їх не несе");
}
inline QString ForcedUnreachable()
{
    return QCoreApplication::translate("FleetWindow", "плата може стати недосяжною: %1");
}
inline QString ForcedWorkingMemory()
{
    return QCoreApplication::translate("FleetWindow",
                                       "буде записано копію робочої конфігурації, а не постійної пам'яті");
}
inline QString ForcedChangedSince()
{
    return QCoreApplication::translate("FleetWindow",
                                       "буде скасовано й те, що змінили на платі після цього запису: %1");
}
inline QString ForcedOldBoardAnswers()
{
    return QCoreApplication::translate(
        "FleetWindow", "на адресі %1 ще відповідає стара плата: дві плати матимуть одну адресу");
}
// "Історія…" while git is asked what the commits of the backups changed.
inline QString ReadingKept()
{
    return QCoreApplication::translate("FleetWindow", "Читаю історію копій у git…");
}
inline QString KeptNotRead()
{
    return QCoreApplication::translate("FleetWindow", "Історію копій у git не прочитано: %1");
}
inline QString ForcedWrittenSince()
{
    return QCoreApplication::translate("FleetWindow", "буде скасовано й те, що записала пізніша робота %1");
}
// A job of the journal, in "Історія…".
inline QString WritesTab()
{
    return QCoreApplication::translate("FleetWindow", "Записи");
}
inline QString JobsTab()
{
    return QCoreApplication::translate("FleetWindow", "Роботи");
}
inline QString JobColumns()
{
    return QCoreApplication::translate("FleetWindow", "Час;Хто;Що;Плат;Що вийшло");
}
inline QString JobBoardsName()
{
    return QCoreApplication::translate("FleetWindow", "Плати вибраної роботи");
}
inline QString JobBoardColumns()
{
    return QCoreApplication::translate("FleetWindow", "Плата;Що вийшло;Зміни");
}
inline QString UndoJob()
{
    return QCoreApplication::translate("FleetWindow", "Повернути роботу");
}
inline QString UndoJobTip()
{
    return QCoreApplication::translate(
        "FleetWindow", "Записати кожній платі роботи (і її повторів) пам'ять, яку вона мала до неї");
}
inline QString RetryJobTip()
{
    return QCoreApplication::translate(
        "FleetWindow", "Ще раз цю роботу на її платах, де вона не вдалася або до яких не дійшла");
}
inline QString ConfirmUndoJob()
{
    return QCoreApplication::translate("FleetWindow", "Повернути роботу «%1» від %2 на %3?");
}
inline QString ConfirmRetryJob()
{
    return QCoreApplication::translate("FleetWindow", "Повторити роботу «%1» від %2 на %3?");
}
inline QString LeftAloneLine()
{
    return QCoreApplication::translate("FleetWindow", "Не чіпатиму: %1");
}
inline QString NothingToRedo()
{
    return QCoreApplication::translate(
        "FleetWindow", "Усі плати цієї роботи вже записано або відмовлено: повторювати нічого.");
}
inline QString NothingToUndo()
{
    return QCoreApplication::translate("FleetWindow",
                                       "Ця робота не записала успішно жодної плати: повертати нічого.");
}
inline QString JobNotRead()
{
    return QCoreApplication::translate("FleetWindow", "Роботу не прочитано з журналу: %1");
}
inline QString JobChange()
{
    return QCoreApplication::translate("FleetWindow", "зміна полів: %1");
}
inline QString JobApply()
{
    return QCoreApplication::translate("FleetWindow", "запис копій");
}
inline QString JobReplace()
{
    return QCoreApplication::translate("FleetWindow", "заміна плати");
}
inline QString JobUndo()
{
    return QCoreApplication::translate("FleetWindow", "повернення роботи %1");
}
inline QString JobUndoWrites()
{
    return QCoreApplication::translate("FleetWindow", "повернення запису");
}
inline QString JobReboot()
{
    return QCoreApplication::translate("FleetWindow", "перезавантаження");
}
inline QString JobWrite()
{
    return QCoreApplication::translate("FleetWindow", "запис конфігуратора");
}
inline QString JobNotEnded()
{
    return QCoreApplication::translate("FleetWindow", "не завершена: не дійшла до плат: %1");
}
inline QString JobEndedAtLimit()
{
    return QCoreApplication::translate("FleetWindow", "зупинена після невдач");
}
inline QString JobNotJournaled()
{
    return QCoreApplication::translate("FleetWindow", "Цієї роботи немає в журналі: він не записується.");
}
inline QString SentWithoutResult()
{
    return QCoreApplication::translate("FleetWindow", "надіслано, результату немає (програму зупинено)");
}
inline QString NotReached()
{
    return QCoreApplication::translate("FleetWindow", "робота до неї не дійшла");
}
inline QString NotCarriedKind()
{
    return QCoreApplication::translate("FleetWindow", "зі статичним пультом кадр не несе деяких полів");
}
inline QString UnreachableKind()
{
    return QCoreApplication::translate("FleetWindow", "плата стала б недосяжною");
}
inline QString OldBoardAnswersKind()
{
    return QCoreApplication::translate("FleetWindow", "на адресі з копії ще відповідала плата");
}
inline QString WrittenSinceKind()
{
    return QCoreApplication::translate("FleetWindow", "плату записала пізніша робота");
}
// Before a reboot: rows whose last read got no answer.
inline QString SilentInReboot()
{
    return QCoreApplication::translate("FleetWindow", "%1: пропустити їх?\n%2");
}
inline QString SkipSilent()
{
    return QCoreApplication::translate("FleetWindow", "Пропустити їх");
}
inline QString RebootAll()
{
    return QCoreApplication::translate("FleetWindow", "Перезавантажити всі");
}

// Messages.
inline QString ConfirmReboot()
{
    return QCoreApplication::translate("FleetWindow", "Перезавантажити %1?");
}
inline QString ApplyTitle()
{
    return QCoreApplication::translate("FleetWindow", "Записати копії");
}
inline QString ConfirmApply()
{
    return QCoreApplication::translate("FleetWindow", "Записати копії в %1?");
}
inline QString RebootAction()
{
    return QCoreApplication::translate("FleetWindow", "Перезавантажити");
}
inline QString ApplyAction()
{
    return QCoreApplication::translate("FleetWindow", "Записати");
}
inline QString NoSelection()
{
    return QCoreApplication::translate("FleetWindow", "Спершу виберіть плати в таблиці.");
}
inline QString BadAddress()
{
    return QCoreApplication::translate(
        "FleetWindow",
        "%1: не адреса плати (0.0.0.0, 255.255.255.255, .0, .255 і групові адреси не підходять)");
}
inline QString BadRange()
{
    return QCoreApplication::translate("FleetWindow", "%1: діапазон має бути в одній мережі /24, до .254");
}
inline QString NotAnAddress()
{
    return QCoreApplication::translate("FleetWindow", "%1: не адреса і не діапазон адрес");
}
inline QString TooManyBoards()
{
    return QCoreApplication::translate("FleetWindow", "Забагато адрес: не більше %1 за один пошук.");
}
inline QString NoBoards()
{
    return QCoreApplication::translate("FleetWindow", "Не задано жодної плати.");
}
inline QString PortTaken()
{
    return QCoreApplication::translate(
        "FleetWindow",
        "Порт 6767 зайнятий іншою програмою: відповіді плат сюди не дійдуть. Закрийте ту програму.");
}
// Why a file was not read: the file named once, in the message's own words.
inline QString NoSuchFile()
{
    return QCoreApplication::translate("FleetWindow", "Файлу %1 немає.");
}
inline QString NotAFile()
{
    return QCoreApplication::translate("FleetWindow", "%1 — не звичайний файл (тека, канал чи пристрій).");
}
inline QString FileTooLarge()
{
    return QCoreApplication::translate("FleetWindow", "Файл %1 завеликий: %2, а можна не більше %3.");
}
inline QString FileUnreadable()
{
    return QCoreApplication::translate("FleetWindow", "Файл %1 не вдалося прочитати (%2).");
}
inline QString FileNotWritten()
{
    return QCoreApplication::translate("FleetWindow", "файл %1 не вдалося записати (%2)");
}
inline QString BackupNotKeyValue()
{
    return QCoreApplication::translate("FleetWindow", "Копія %1, рядок %2: не «ключ=значення»: %3.");
}
inline QString BackupKeyTwice()
{
    return QCoreApplication::translate("FleetWindow", "Копія %1, рядок %2: %3 вдруге (уперше в рядку %4).");
}
inline QString BackupKeyMissing()
{
    return QCoreApplication::translate("FleetWindow", "У копії %1 немає рядка «%2=».");
}
inline QString BackupBadValue()
{
    return QCoreApplication::translate("FleetWindow", "Копія %1, рядок %2: %3 %4 — неправильне значення.");
}
inline QString BackupUnknownKey()
{
    return QCoreApplication::translate("FleetWindow", "Копія %1, рядок %2: невідомий ключ %3.");
}
inline QString BackupDhcpStatic()
{
    return QCoreApplication::translate(
        "FleetWindow", "Копія %1: DHCP зі статичним пультом, а конфігуратор такого не записує.");
}
inline QString BackupNamedForAnother()
{
    return QCoreApplication::translate("FleetWindow", "Копія %1 названа за платою %2, а містить адресу %3.");
}
inline QString NotASurvey()
{
    return QCoreApplication::translate("FleetWindow", "У %1 немає заголовка таблиці плат (address, ip, …).");
}
inline QString SameBoardTwice()
{
    return QCoreApplication::translate("FleetWindow", "%1 і %2 — копії однієї плати %3: залиште одну.");
}
inline QString ConfirmRefused()
{
    return QCoreApplication::translate("FleetWindow",
                                       "Ці копії не можна записати як є:\n%1\nВсе одно записати?");
}
inline QString WriteWithoutThem()
{
    return QCoreApplication::translate("FleetWindow", "Записати без них");
}
inline QString WriteAnyway()
{
    return QCoreApplication::translate("FleetWindow", "Все одно записати");
}
// An IP address or mask at which a board would be out of reach.
inline QString IpZero()
{
    return QCoreApplication::translate("FleetWindow", "IP 0.0.0.0 — не адреса вузла");
}
inline QString IpBroadcast()
{
    return QCoreApplication::translate("FleetWindow", "IP 255.255.255.255 — широкомовна адреса");
}
inline QString IpMulticast()
{
    return QCoreApplication::translate("FleetWindow", "IP %1 — групова або зарезервована адреса");
}
inline QString IpLoopback()
{
    return QCoreApplication::translate("FleetWindow",
                                       "IP %1 — локальна адреса комп'ютера: плата нікому не відповість");
}
inline QString IpNetworkOfMask()
{
    return QCoreApplication::translate("FleetWindow", "IP %1 — адреса мережі для маски %2");
}
inline QString IpBroadcastOfMask()
{
    return QCoreApplication::translate("FleetWindow", "IP %1 — широкомовна адреса мережі для маски %2");
}
inline QString MaskWithGap()
{
    return QCoreApplication::translate("FleetWindow", "маска %1 має розрив в одиничних бітах");
}
// Why a board gave no answer worth taking.
inline QString ShortReply()
{
    return QCoreApplication::translate("FleetWindow", "неповна відповідь (%1)");
}
inline QString NoVersion()
{
    return QCoreApplication::translate("FleetWindow", "у відповіді немає версії, тож немає прапорця DHCP");
}
inline QString CannotWrite()
{
    return QCoreApplication::translate("FleetWindow", "Не вдалося записати %1: %2");
}

// A count with the form of its word that follows it: in Ukrainian one (1, 21), few (2 to 4,
// 22 to 24) or many (0, 5 to 20, 25 to 30); in English one (1) or many. Which language's
// rule is itself a translated text.
inline QString counted(qint64 n, const QString& one, const QString& few, const QString& many)
{
    if (QCoreApplication::translate("FleetWindow", "uk", "the language of the plural rule") ==
        QLatin1String("en"))
        return QString::number(n) + u' ' + (n == 1 ? one : many);
    const qint64 tens = n % 100, units = n % 10;
    const bool isOne = units == 1 && tens != 11;
    const bool isFew = units >= 2 && units <= 4 && (tens < 12 || tens > 14);
    return QString::number(n) + u' ' + (isOne ? one : isFew ? few : many);
}

// "4 байти": the size of a reply.
inline QString bytes(qint64 n)
{
    return counted(n, QCoreApplication::translate("FleetWindow", "байт", "1 byte"),
                   QCoreApplication::translate("FleetWindow", "байти", "2 bytes"),
                   QCoreApplication::translate("FleetWindow", "байтів", "5 bytes"));
}

// "1234 датаграми втрачено через перевантаження цього комп'ютера (плати запитано знову)".
inline QString lostToOverload(qint64 n)
{
    return counted(n, QCoreApplication::translate("FleetWindow", "датаграму", "1 datagram lost"),
                   QCoreApplication::translate("FleetWindow", "датаграми", "2 datagrams lost"),
                   QCoreApplication::translate("FleetWindow", "датаграм", "5 datagrams lost")) +
           QCoreApplication::translate(
               "FleetWindow", " втрачено через перевантаження цього комп'ютера (плати запитано знову)");
}

// "4 плати не відповідали", before a reboot.
inline QString silentBoards(qint64 n)
{
    return counted(
        n, QCoreApplication::translate("FleetWindow", "плата не відповідала", "1 board did not answer"),
        QCoreApplication::translate("FleetWindow", "плати не відповідали", "2 boards did not answer"),
        QCoreApplication::translate("FleetWindow", "плат не відповідали", "5 boards did not answer"));
}

// "Перезавантажити 2 плати?"
inline QString boards(qint64 n)
{
    return counted(n, QCoreApplication::translate("FleetWindow", "плату", "1 board"),
                   QCoreApplication::translate("FleetWindow", "плати", "2 boards"),
                   QCoreApplication::translate("FleetWindow", "плат", "5 boards"));
}

// "254 адреси в мережі 192.168.1.0/24", shown before "my networks" are searched.
inline QString addressesIn(qint64 n, const QStringList& networks)
{
    return counted(n, QCoreApplication::translate("FleetWindow", "адреса", "1 address"),
                   QCoreApplication::translate("FleetWindow", "адреси", "2 addresses"),
                   QCoreApplication::translate("FleetWindow", "адрес", "5 addresses")) +
           (networks.size() == 1 ? QCoreApplication::translate("FleetWindow", " в мережі ")
                                 : QCoreApplication::translate("FleetWindow", " в мережах ")) +
           networks.join(QStringLiteral(", "));
}

// "3 нових, 1 зникла, 2 змінені": the comparison with an earlier survey.
inline QString comparison(qint64 added, qint64 missing, qint64 changed)
{
    return counted(added, QCoreApplication::translate("FleetWindow", "нова", "1 new"),
                   QCoreApplication::translate("FleetWindow", "нових", "2 new"),
                   QCoreApplication::translate("FleetWindow", "нових", "5 new")) +
           QStringLiteral(", ") +
           counted(missing, QCoreApplication::translate("FleetWindow", "зникла", "1 missing"),
                   QCoreApplication::translate("FleetWindow", "зникли", "2 missing"),
                   QCoreApplication::translate("FleetWindow", "зникло", "5 missing")) +
           QStringLiteral(", ") +
           counted(changed, QCoreApplication::translate("FleetWindow", "змінена", "1 changed"),
                   QCoreApplication::translate("FleetWindow", "змінені", "2 changed"),
                   QCoreApplication::translate("FleetWindow", "змінених", "5 changed"));
}

} // namespace talvik::fleet::texts
