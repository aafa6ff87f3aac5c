// Every text the window shows, read off the window (the caption of a control, or the
// text that an action brings up) and held against its literal as operators know it. A
// one-letter slip in the window's texts fails its row here.

#include "fleet/fleet_texts.h"
#include "golden_replies.h"
#include "gui/app/texts.h"
#include "window_fixture.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

using namespace talvik;
using namespace talvik::test;
namespace ft = fleet::texts;

namespace {
// The texts no action of the configurator shows in a caption or a message: what a screen
// reader hears, the settings messages, and every text of the fleet window (whose window
// test reads them off the window where it drives it). Held against their literals.
QList<QPair<QString, QString>> pins()
{
    const QList<QPair<QString, const char*>> pinned{
        {texts::PortError, "Port 6767 ERROR"},
        {texts::UnknownError, "Unknown error"},
        {texts::SettingsUnreadable, "Його не вдалося прочитати, тому він залишився без змін."},
        {texts::SettingsOwnerNotKept,
         "Не вдалося зберегти його власника і права доступу (%1); файл залишився без змін."},
        {texts::SettingsWriteFailed, "Помилка запису (%1); файл залишився без змін."},
        {texts::IdentLogLine, "Ind - %1 * IP - %2 * Port - %3 - Tim - %4"},
        {texts::ReadBackSuffix, " (прочитано)"},
        {texts::LookupName, "Дізнатися зовнішню IP-адресу"},
        {texts::LookupTip, "Дізнатися зовнішню IP-адресу цього комп'ютера"},
        {texts::CopyInTip, "Перенести прочитану конфігурацію в поля запису"},
        {texts::RebootStatusName, "Стан перезавантаження"},
        {texts::ReceivedCountName, "Отримано датаграм"},
        {texts::SenderAddressName, "Адреса відправника"},
        {texts::SenderPortName, "Порт відправника"},
        {texts::LastIdentifierName, "Ідентифікатор останньої датаграми"},
        {texts::DumpName, "Діагностика плати"},
        {texts::ExternalAddressName, "Зовнішня IP-адреса"},
        {texts::VersionName, "Версія програми плати"},
        {texts::SendingHostName, "Адреса відправлення"},
        {texts::IdentLogName, "Журнал ідентифікаторів"},
        {ft::WindowTitle, "Мережа плат"},
        {ft::SurveyGroup, "Пошук плат"},
        {ft::FromRange, "Діапазон"},
        {ft::FirstAddress, "Перша адреса"},
        {ft::LastAddress, "Остання адреса"},
        {ft::RangeDash, "–"},
        {ft::FromList, "Список"},
        {ft::ListHint, "Адреси й діапазони, по одному в рядку (# - коментар)"},
        {ft::HostsFile, "Файл…"},
        {ft::FromMyNetworks, "Мої мережі"},
        {ft::NoNetworks, "у цього комп'ютера немає мережі /24, крім локальної"},
        {ft::BothMemories, "Також постійна памьять (показує записане, але ще не завантажене)"},
        {ft::Search, "Шукати"},
        {ft::Cancel, "Скасувати"},
        {ft::Progress, "Хід роботи"},
        {ft::Status, "Стан пошуку"},
        {ft::ProgressFormat, "%v з %m"},
        {ft::Filter, "Фільтр"},
        {ft::ClearFilter, "Очистити фільтр"},
        {ft::FilterHint, "Фільтр за всіма стовпцями (Ctrl+F)"},
        {ft::TableName, "Плати мережі"},
        {ft::Open, "Відкрити в конфігураторі"},
        {ft::Reboot, "Перезавантажити…"},
        {ft::SaveBackups, "Зберегти копії…"},
        {ft::ApplyBackups, "Застосувати копії…"},
        {ft::FromFolder, "Усі копії з теки…"},
        {ft::FromFiles, "Вибрані файли…"},
        {ft::Export, "Експорт…"},
        {ft::ExportAll, "Усі рядки…"},
        {ft::ExportShown, "Лише рядки, що видно (за фільтром)…"},
        {ft::ExportFilter, "Таблиця CSV (*.csv);;JSON Lines (*.jsonl)"},
        {ft::EarlierFilter, "Експорт або копія плати (*.csv *.jsonl *.json *.conf)"},
        {ft::BackupFilter, "Копії плат (*.conf)"},
        {ft::HostsFilter, "Список адрес (*.txt *.hosts);;Усі файли (*)"},
        {ft::Compare, "Порівняти…"},
        {ft::CompareTip, "З попереднім експортом (CSV, JSON Lines) або текою копій (*.conf)"},
        {ft::ChooseBackupFolder, "Тека для копій плат"},
        {ft::ChooseBackups, "Копії плат для запису"},
        {ft::ChooseExportFile, "Експорт таблиці"},
        {ft::ChooseEarlier, "Порівняти з"},
        {ft::ChooseHosts, "Список адрес з файлу"},
        {ft::Yes, "так"},
        {ft::No, "ні"},
        {ft::ConsoleStatic, "статична"},
        {ft::ConsoleDynamic, "динамічна"},
        {ft::Seen, "на зв'язку"},
        {ft::Answered, "відповіла"},
        {ft::Silent, "не відповідає"},
        {ft::Rebooting, "перезавантажується"},
        {ft::BackUp, "знову на зв'язку"},
        {ft::NotBack, "не повернулася"},
        {ft::NotAcknowledged, "не підтвердила перезавантаження"},
        {ft::BackupSaved, "копію збережено"},
        {ft::BackupNotSaved, "копію не збережено: %1"},
        {ft::Verified, "записано, перевірено"},
        {ft::VerifiedTakesEffectAfterReboot, "записано; діятиме після перезавантаження"},
        {ft::ConfirmUndo, "Повернути плату %1 до пам'яті, яку вона мала до запису %2?\n%3"},
        {ft::ConfirmForce, "%1 не записано: %2. Все одно записати?"},
        {ft::ByConfigurator, "Конфігуратор"},
        {ft::ByApply, "Мережа плат: застосування копій"},
        {ft::ByChange, "Мережа плат: зміна полів"},
        {ft::ByReplace, "Мережа плат: заміна плати"},
        {ft::ByUndo, "Мережа плат: повернення"},
        {ft::ByBackupRepository, "Копії в git"},
        {ft::Commit, "коміт %1"},
        {ft::FirstBackup, "перша копія"},
        {ft::WrittenElse, "записано, але плата має інше"},
        {ft::WrittenCancelled, "записано, скасовано до перевірки"},
        {ft::NoSuchFile, "Файлу %1 немає."},
        {ft::NotAFile, "%1 — не звичайний файл (тека, канал чи пристрій)."},
        {ft::FileTooLarge, "Файл %1 завеликий: %2, а можна не більше %3."},
        {ft::FileUnreadable, "Файл %1 не вдалося прочитати (%2)."},
        {ft::FileNotWritten, "файл %1 не вдалося записати (%2)"},
        {ft::BackupNotKeyValue, "Копія %1, рядок %2: не «ключ=значення»: %3."},
        {ft::BackupKeyTwice, "Копія %1, рядок %2: %3 вдруге (уперше в рядку %4)."},
        {ft::BackupKeyMissing, "У копії %1 немає рядка «%2=»."},
        {ft::BackupBadValue, "Копія %1, рядок %2: %3 %4 — неправильне значення."},
        {ft::BackupUnknownKey, "Копія %1, рядок %2: невідомий ключ %3."},
        {ft::BackupDhcpStatic, "Копія %1: DHCP зі статичним пультом, а конфігуратор такого не записує."},
        {ft::BackupNamedForAnother, "Копія %1 названа за платою %2, а містить адресу %3."},
        {ft::NotASurvey, "У %1 немає заголовка таблиці плат (address, ip, …)."},
        {ft::NotWritten, "; не записано: %1 (зі статичним пультом кадр їх не несе)"},
        {ft::Mismatch, "записано, але плата має інше: %1"},
        {ft::NoReadBack, "записано, не прочитано назад"},
        {ft::NotSent, "не вдалося надіслати"},
        {ft::Unverified, "записано, не перевірено"},
        {ft::NotTried, "не пробувано: %1"},
        {ft::StoppedAtLimit, "роботу зупинено після невдач"},
        {ft::StoppedByJournal, "журнал не записується"},
        {ft::CancelledState, "скасовано"},
        {ft::DhcpWithStaticConsole, "DHCP зі статичним пультом: конфігуратор такого не записує"},
        {ft::WorkingMemoryBackup, "це копія робочої конфігурації"},
        {ft::OldBoardAnswers, "на адресі %1 з копії ще відповідає плата"},
        {ft::RetryFailed, "Повторити невдалі"},
        {ft::RetryFailedTip,
         "Ще раз ту саму дію на платах, де вона не вдалася, не пробувалася або скасована"},
        {ft::JobStoppedAtLimit,
         "Зупинено: невдало на %1 з %2; решту не пробувано (%3). «Повторити невдалі» спробує знову."},
        {ft::JobStoppedByJournal, "Зупинено: журнал записів не записується; решту не пробувано (%1)."},
        {ft::JobCancelled, "Скасовано; не зроблено: %1."},
        {ft::NoBase, "не записано: постійна пам'ять не прочитана"},
        {ft::NotWrittenBecause, "не записано: %1"},
        {ft::NoJournal, "журнал недоступний"},
        {ft::ConsoleOnlyFields,
         "диспетчер і резервні адреси надсилаються лише з динамічним пультом, а в цієї плати він статичний"},
        {ft::WouldBeLost, "зі статичним пультом кадр не несе: %1"},
        {ft::ChangedSince, "плату змінено після цього запису"},
        {ft::ChangeFields, "Змінити поля…"},
        {ft::History, "Історія…"},
        {ft::ReplaceBoard, "Замінити плату…"},
        {ft::ChangeFieldsTitle, "Змінити поля вибраних плат"},
        {ft::ChangeFieldsHint,
         "Позначте поля, які змінити. Кожну плату буде записано на основі її власної постійної пам'яті."},
        {ft::Preview, "Переглянути"},
        {ft::Write, "Записати"},
        {ft::Close, "Закрити"},
        {ft::PreviewColumns, "Плата;Поле;Зараз;Нове;Чому не буде записано"},
        {ft::NothingChanges, "нічого не зміниться"},
        {ft::ChooseAField, "Позначте хоча б одне поле."},
        {ft::NotAnAddressValue, "%1: «%2» — не адреса"},
        {ft::Reading, "Читаю постійну пам'ять плат…"},
        {ft::HistoryTitle, "Історія записів: %1"},
        {ft::HistoryColumns, "Час;Плата;Хто;Результат;Зміни"},
        {ft::NoResult, "(без результату)"},
        {ft::BeforeUnknown, "(попередня пам'ять невідома)"},
        {ft::Undo, "Повернути"},
        {ft::UndoTip, "Записати постійну пам'ять, яку плата мала до вибраного запису"},
        {ft::OneBoard, "Виберіть одну плату."},
        {ft::ReplaceTitle, "Замінити плату %1"},
        {ft::ReplaceHint, "Копію старої плати буде записано в нову (вибрану) плату. Стара плата не повинна "
                          "відповідати на своїй адресі."},
        {ft::ChooseBackup, "Файл копії…"},
        {ft::NoBackupChosen, "(копію не вибрано)"},
        {ft::TakeMac, "Взяти MAC старої плати"},
        {ft::Replace, "Замінити"},
        {ft::New, "нова"},
        {ft::Missing, "зникла"},
        {ft::Changed, "змінена"},
        {ft::ChangedFrom, "змінена, було: %1"},
        {ft::ConfirmReboot, "Перезавантажити %1?"},
        {ft::ConfirmApply, "Записати копії в %1?"},
        {ft::RebootAction, "Перезавантажити"},
        {ft::ApplyAction, "Записати"},
        {ft::NoSelection, "Спершу виберіть плати в таблиці."},
        {ft::BadAddress,
         "%1: не адреса плати (0.0.0.0, 255.255.255.255, .0, .255 і групові адреси не підходять)"},
        {ft::BadRange, "%1: діапазон має бути в одній мережі /24, до .254"},
        {ft::NotAnAddress, "%1: не адреса і не діапазон адрес"},
        {ft::TooManyBoards, "Забагато адрес: не більше %1 за один пошук."},
        {ft::NoBoards, "Не задано жодної плати."},
        {ft::SameBoardTwice, "%1 і %2 — копії однієї плати %3: залиште одну."},
        {ft::ConfirmRefused, "Ці копії не можна записати як є:\n%1\nВсе одно записати?"},
        {ft::WriteAnyway, "Все одно записати"},
        {ft::IpZero, "IP 0.0.0.0 — не адреса вузла"},
        {ft::IpBroadcast, "IP 255.255.255.255 — широкомовна адреса"},
        {ft::IpMulticast, "IP %1 — групова або зарезервована адреса"},
        {ft::IpLoopback, "IP %1 — локальна адреса комп'ютера: плата нікому не відповість"},
        {ft::IpNetworkOfMask, "IP %1 — адреса мережі для маски %2"},
        {ft::IpBroadcastOfMask, "IP %1 — широкомовна адреса мережі для маски %2"},
        {ft::MaskWithGap, "маска %1 має розрив в одиничних бітах"},
        {ft::ShortReply, "неповна відповідь (%1)"},
        {ft::NoVersion, "у відповіді немає версії, тож немає прапорця DHCP"},
        {ft::CannotWrite, "Не вдалося записати %1: %2"},
        {ft::Columns[0], "Адреса"},
        {ft::Columns[1], "Ідентифікатор"},
        {ft::Columns[2], "Версія"},
        {ft::Columns[3], "IP"},
        {ft::Columns[4], "Маска"},
        {ft::Columns[5], "Шлюз"},
        {ft::Columns[6], "MAC"},
        {ft::Columns[7], "DHCP"},
        {ft::Columns[8], "Пульт"},
        {ft::Columns[9], "Диспетчер"},
        {ft::Columns[10], "Луч"},
        {ft::Columns[11], "Резерв 1"},
        {ft::Columns[12], "Резерв 2"},
        {ft::Columns[13], "Пост. ≠ роб."},
        {ft::Columns[14], "Стан"},
        {ft::Columns[15], "Востаннє"},
        {ft::Columns[16], "Об'єкт"},
        {ft::CompareWithReference, "Порівняти з еталоном…"},
        {ft::CompareWithReferenceTip,
         "Позначити на платах того самого об'єкта поля, що відрізняються від вибраної плати"},
        {ft::DiffersFromReference, "відрізняється від еталона"},
        {ft::ReferenceHas, "еталон: %1"},
        {ft::ReferenceSummary, "Від еталона %1 відрізняються: %2"},
        {ft::ReferenceNothing, "Усі плати об'єкта збігаються з еталоном %1"},
        {ft::ReferenceFieldCount, "%1 — %2"},
        {ft::NoReference, "Виберіть одну плату, що відповіла: вона буде еталоном."},
        {ft::FromSite, "Об'єкт"},
        {ft::SaveAsSite, "Зберегти як об'єкт…"},
        {ft::SiteName, "Назва об'єкта"},
        {ft::SiteNameQuestion, "Назва об'єкта для цих адрес:"},
        {ft::NoSites, "(об'єктів ще немає)"},
        {ft::SitesNotSaved, "Файл об'єктів %1 не збережено (%2); він лишився як був."},
        {ft::SitesUnreadable, "Файл об'єктів не прочитано: %1"},
        {ft::lostToOverload(3),
         "3 датаграми втрачено через перевантаження цього комп'ютера (плати запитано знову)"},
        {ft::lostToOverload(1),
         "1 датаграму втрачено через перевантаження цього комп'ютера (плати запитано знову)"},
        {ft::lostToOverload(25),
         "25 датаграм втрачено через перевантаження цього комп'ютера (плати запитано знову)"},
        {ft::bytes(1), "1 байт"},
        {ft::bytes(3), "3 байти"},
        {ft::bytes(12), "12 байтів"},
        {ft::boards(21), "21 плату"},
        {ft::boards(2), "2 плати"},
        {ft::boards(5), "5 плат"},
        {ft::addressesIn(1, {"a"}), "1 адреса в мережі a"},
        {ft::addressesIn(3, {"a", "b"}), "3 адреси в мережах a, b"},
        {ft::addressesIn(254, {"a"}), "254 адреси в мережі a"},
        {ft::addressesIn(5, {"a"}), "5 адрес в мережі a"},
        {ft::comparison(1, 2, 5), "1 нова, 2 зникли, 5 змінених"},
        {ft::comparison(2, 1, 1), "2 нових, 1 зникла, 1 змінена"},
        {ft::comparison(5, 5, 2), "5 нових, 5 зникло, 2 змінені"},
    };
    QList<QPair<QString, QString>> out;
    for (const auto& [text, literal] : pinned)
        out.append({text, QString::fromUtf8(literal)});
    return out;
}

// What the configurator shows after an action (or as the caption of a control), and its literal.
QList<QPair<QString, QString>> windowTexts()
{
    QList<QPair<QString, QString>> rows;
    const auto row = [&](const char* shown, const char* literal) {
        rows.append({QString::fromUtf8(shown), QString::fromUtf8(literal)});
    };
    row("the window's title", "Конфігуратор плат \"ТАЛВІКОР\" 2025-V_8.5");
    row("the application's title, on its message boxes", "Конфігуратор V-8.5");
    // Captions as the window opens.
    row("GroupBox6", "  IP - Плати що конфігуруеться  ");
    row("Lab_IP1", "010.000.000.002");
    row("Lab_IP2", "-----------------------------");
    row("Button3", "Reboot");
    row("EditRs", "__");
    row("LabIn", "0");
    row("LabIdent", "0");
    row("GroupBox7", "http://checkip.dyndns.org/");
    row("Edit1", "000.000.000.000");
    row("BitBtn1", "&Retry");
    row("Button7", "<-");
    row("CheckBox1", "Перезапуск масиву");
    row("Ch_Box_Conf_IP", "Конфігурування по Ідентифікатору");
    row("Lab_Iden", "Ідентифікатор");
    row("Lab_Port", "Port");
    row("Panel5", "Stop");
    row("Button1", "Записати");
    row("Label55", "№ луча\n(мережевий)");
    row("Label4", "IP - Ліфта");
    row("Label3", "MASK");
    row("Label2", "ROUTER");
    row("Label1", "MAC");
    row("Button5", "IP --> MAC");
    row("GroupBox4", "Тип IP адреси");
    row("CheckBox4", "Статична IP адреса Плати ");
    row("CheckBox2", "Статична IP адреса Пульта");
    row("Label6", "IP - Комп'ютера диспетч.");
    row("Label57", "Ідентифікатор плати\n(номер луча\nпристрою зв'язку)");
    row("Label63", "IP - Резервний №1");
    row("Label68", "IP - Резервний №2");
    row("Label59", "постійна памьять");
    row("Button2", "Прочитати");
    row("Label49", "робоча конфігурація");
    row("Button8", "Прочитати");
    row("Label56", "№ луча\n(мережевий)");
    row("Label10", "IP - Ліфта");
    row("Label9", "MASK");
    row("Label8", "ROUTER");
    row("Label7", "MAC");
    row("Lab_Ver", "-------------");
    row("GroupBox5", "Тип IP адреси");
    row("CheckBox5", "Статична IP адреса Плати ( DHCP )");
    row("CheckBox3", "Статична IP адреса Пульта");
    row("Label11", "IP - Комп'ютера диспетч.");
    row("Label58", "Ідентифікатор плати\n(номер луча\nпристрою зв'язку)");
    row("Label64", "IP - Резервний №1");
    row("Label76", "IP - Резервний №2");
    row("Label53", "IP - першої плати");
    row("Label54", "кількість плат");
    row("Button4", "Reboot START");
    row("Button6", "Reboot STOP");
    // Texts that follow a state or an event.
    row("CheckBox2 ticked", "Динамічна IP адреса Пульта");
    row("CheckBox4 ticked", "Динамічна IP адреса Плати ( DHCP )");
    row("CheckBox4 ticked, then not", "Статична IP адреса Плати");
    row("a reply with version 2.17", "2.17 - Версія программи");
    row("a reply of a static board and console: CheckBox5, CheckBox3",
        "Статична IP адреса Плати |Статична IP адреса Пульта");
    row("a reply of a DHCP board: CheckBox5, CheckBox3",
        "Динамічна IP адреса Плати ( DHCP )|Динамічна IP адреса Пульта");
    row("a reboot, then its acknowledgement", "__|Ok");
    row("Panel5 clicked twice", "Stop|Pusk");
    row("an identifier in identifier mode: the log line", "Ind - 258 * IP - 127.0.0.9 * Port - 8026");
    // Messages.
    row("a read of board 000.000.000.000", "IP - Плати що конфігуруеться = 000.000.000.000");
    row("a range of boards from 000.000.000.000", "IP - Плати що перезавантажуется = 000.000.000.000");
    row("a close with a read-only settings file", "Не вдалося записати файл налаштувань FILE\nВін "
                                                  "позначений лише для читання і залишився без змін.");
    return rows;
}

QString caption(QWidget* w)
{
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return g->title();
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    return QStringLiteral("(no caption)");
}

// What the window shows after `action`, or the caption of the control of that name.
QString shownAfter(const QString& action, WindowFixture& f)
{
    auto& w = *f.window;
    const auto lastMessage = [&] { return f.messages.messages.value(f.messages.messages.size() - 1); };
    if (action == "the window's title")
        return w.windowTitle();
    if (action == "the application's title, on its message boxes")
        return texts::ApplicationTitle; // shown by a real dialog, which no test opens
    if (action == "a read of board 000.000.000.000") {
        w.Button8->click();
        return lastMessage();
    }
    if (action == "a range of boards from 000.000.000.000") {
        w.Button4->click();
        w.Timer2_ConfTimer(w.Timer2_Conf);
        return lastMessage();
    }
    if (action == "a reply with version 2.17") {
        f.link.deliver(goldenReply(2, "2.17#"));
        return w.Lab_Ver->text();
    }
    if (action == "CheckBox2 ticked") {
        w.CheckBox2->setChecked(true);
        return w.CheckBox2->text();
    }
    if (action == "CheckBox4 ticked") {
        w.CheckBox4->setChecked(true);
        return w.CheckBox4->text();
    }
    if (action == "CheckBox4 ticked, then not") {
        w.CheckBox4->setChecked(true);
        w.CheckBox4->setChecked(false);
        return w.CheckBox4->text();
    }
    if (action == "a reply of a static board and console: CheckBox5, CheckBox3") {
        f.link.deliver(goldenReply(0, "2.17#", 0));
        return w.CheckBox5->text() + '|' + w.CheckBox3->text();
    }
    if (action == "a reply of a DHCP board: CheckBox5, CheckBox3") {
        f.link.deliver(goldenReply(2, "2.17#", '1'));
        return w.CheckBox5->text() + '|' + w.CheckBox3->text();
    }
    if (action == "a reboot, then its acknowledgement") {
        setAddress(w.Ed_0, "127.0.0.2");
        w.Button3->click();
        const QString pending = w.EditRs->text();
        f.link.deliver(QByteArray("rzt") + QByteArray(22, '0') + "iden12");
        return pending + '|' + w.EditRs->text();
    }
    if (action == "Panel5 clicked twice") {
        w.Panel5Click(w.Panel5);
        const QString first = w.Panel5->text();
        w.Panel5Click(w.Panel5);
        return first + '|' + w.Panel5->text();
    }
    if (action == "an identifier in identifier mode: the log line") {
        w.Ch_Box_Conf_IP->setChecked(true);
        f.link.deliver("report iden\x02\x01", "127.0.0.9", 8026);
        QCoreApplication::processEvents();
        return w.Memo1->toPlainText().section(QStringLiteral(" - Tim - "), 0, 0);
    }
    if (action == "a close with a read-only settings file") {
        setAddress(w.Ed_0, "127.0.0.5");
        QFile::setPermissions(f.dir.filePath("TalvikCom.ini"), QFile::ReadOwner);
        f.close();
        return lastMessage().replace(f.dir.filePath("TalvikCom.ini"), QStringLiteral("FILE"));
    }
    return caption(w.findChild<QWidget*>(action));
}
} // namespace

class TestTexts : public QObject {
    Q_OBJECT
  private slots:
    void everyTextTheWindowShows_data()
    {
        QTest::addColumn<QString>("literal");
        for (const auto& [shown, literal] : windowTexts())
            QTest::newRow(qPrintable(shown)) << literal;
    }
    void everyTextTheWindowShows()
    {
        QFETCH(QString, literal);
        WindowFixture f;
        QCOMPARE(shownAfter(QString::fromUtf8(QTest::currentDataTag()), f), literal);
    }

    void everyOtherText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("literal");
        int i = 0;
        for (const auto& [text, literal] : pins())
            QTest::addRow("%d", i++) << text << literal;
    }
    void everyOtherText()
    {
        QFETCH(QString, text);
        QFETCH(QString, literal);
        QCOMPARE(text, literal);
    }

    // Every literal of the two texts headers has its row here: a text added without one
    // fails, and so does a changed letter.
    void everyLiteralHasItsRow_data()
    {
        QTest::addColumn<QString>("header");
        QTest::newRow("the configurator's") << ":/headers/src/gui/app/texts.h";
        QTest::newRow("the fleet window's") << ":/headers/src/fleet/fleet_texts.h";
    }
    void everyLiteralHasItsRow()
    {
        QFETCH(QString, header);
        QFile file(header);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringList known;
        for (const auto& rows : {pins(), windowTexts()})
            for (const auto& row : rows)
                known.append(row.second);
        const QRegularExpression literal(QStringLiteral("QStringLiteral\\(\"((?:[^\"\\\\]|\\\\.)*)\"\\)"));
        int literals = 0;
        for (const auto& m : literal.globalMatch(QString::fromUtf8(file.readAll()))) {
            ++literals;
            const QString text = m.captured(1)
                                     .replace(QLatin1String("\\n"), QLatin1String("\n"))
                                     .replace(QLatin1String("\\\""), QLatin1String("\""));
            for (const QString& piece :
                 text.split(QRegularExpression(QStringLiteral("%\\d")), Qt::SkipEmptyParts))
                QVERIFY2(std::any_of(known.cbegin(), known.cend(),
                                     [&](const QString& k) { return k.contains(piece); }),
                         qPrintable(QStringLiteral("no row holds \"%1\"").arg(text)));
        }
        QVERIFY(literals > 60);
    }

    // Every caption's letters are in the font the window draws it with, so none is drawn
    // as a box; under Wine too (scripts/windows.sh runs this there).
    void everyCaptionHasItsGlyphs()
    {
        WindowFixture f;
        int letters = 0;
        for (QWidget* w : f.window->findChildren<QWidget*>()) {
            const QString text = caption(w);
            const QFontMetrics metrics(w->font());
            for (const QChar c : text)
                if (!c.isSpace() && c != u'&') {
                    ++letters;
                    QVERIFY2(metrics.inFont(c), qPrintable(QStringLiteral("%1: no glyph for '%2' in %3")
                                                               .arg(w->objectName(), QString(c),
                                                                    QFontInfo(w->font()).family())));
                }
        }
        QVERIFY(letters > 500);
    }

    void aTakenPortSaysSo()
    {
        WindowFixture f(WindowSetup().taken());
        QTRY_COMPARE_WITH_TIMEOUT(f.messages.messages, QStringList{"Port 6767 ERROR"}, 5000);
    }
};

QTEST_MAIN(TestTexts)
#include "test_texts.moc"
