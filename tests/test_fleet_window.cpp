// The fleet window beside the configurator, over real sockets, against simulated boards on
// 192.168.1.0/24 in the network namespace of its own that `make test` runs in.

#include "board/backup_file.h"
#include "board_simulator.h"
#include "catalogue.h"
#include "file_limit.h"
#include "fleet/fleet_filter.h"
#include "gui/fleet_window/field_change_dialog.h"
#include "gui/fleet_window/fleet_dialogs.h"
#include "gui/fleet_window/fleet_window.h"
#include "gui/fleet_window/fleet_window_host.h"
#include "gui/fleet_window/history_dialog.h"
#include "gui/fleet_window/replace_dialog.h"
#include "gui/fleet_window/write_preview_dialog.h"
#include "net/private_network.h"
#include "shown_texts.h"
#include "store/sites_file.h"
#include "window_fixture.h"
#include "wire/frames.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QUdpSocket>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

using namespace talvik;
using namespace talvik::test;

namespace {
// Answers the window's questions as a test says, and keeps them.
struct AnsweringDialogs : FleetDialogs {
    QStringList asked;
    QString chosen;             // the folder or file each question gets
    QList<bool> answer;         // to the questions in turn; yes when none is left
    QList<QStringList> buttons; // of each question, "Скасувати" aside
    bool confirm(QWidget*, const QString& question, const QString& action) override
    {
        asked << question;
        buttons << QStringList{action};
        return answer.isEmpty() || answer.takeFirst();
    }
    QList<int> choice; // to the choices in turn; the default when none is left
    int choose(QWidget*, const QString& question, const QStringList& actions, int preferred) override
    {
        asked << question;
        buttons << actions;
        return choice.isEmpty() ? preferred : choice.takeFirst();
    }
    void message(QWidget*, const QString& text) override { asked << text; }
    QString folder(QWidget*, const QString&) override { return chosen; }
    QStringList openFiles(QWidget*, const QString&, const QString&) override { return {chosen}; }
    QString openFile(QWidget*, const QString&, const QString&) override { return chosen; }
    QString saveFile(QWidget*, const QString&, const QString&) override { return chosen; }
    QStringList initials; // what each text or lines question started from
    QString text(QWidget*, const QString&, const QString&, const QString& initial) override
    {
        initials << initial;
        return chosen;
    }
    QString lines(QWidget*, const QString&, const QString&, const QString& initial) override
    {
        initials << initial;
        return chosen;
    }
};

// Boards on their production ports; the configurator on a port of its own sends commands to
// 8026 and 8024 (twice), never to 6767, where other tests' programs may listen.
struct Setup {
    std::unique_ptr<sim::BoardSimulator> sim;
    WindowFixture f{WindowSetup().real().boards(8024, 8024, 8026)};
    AnsweringDialogs dialogs;
    std::unique_ptr<FleetWindowHost> fleet;
    FleetWindow* w = nullptr;

    explicit Setup(const QString& boards, int replyDelayMs = 0) : Setup(QStringList{boards}, replyDelayMs) {}
    explicit Setup(const QStringList& boards, int replyDelayMs = 0)
    {
        sim::SimOptions o;
        o.rebootMs = 300;
        o.replyDelayMs = replyDelayMs;
        sim = std::make_unique<sim::BoardSimulator>(o);
        for (const QString& text : boards)
            if (QString error; !sim->addBoards(text, &error))
                qFatal("%s", qPrintable(error));
        fleet = std::make_unique<FleetWindowHost>(*f.window, &dialogs);
        f.window->show();
        fleet->open();
        w = &fleet->window();
        w->timing = {300, 1};
    }

    void survey(const QString& first, const QString& last)
    {
        w->first->clear();
        QTest::keyClicks(w->first, first);
        w->last->clear();
        QTest::keyClicks(w->last, last);
        QTest::mouseClick(w->search, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(w->search->isEnabled(), 10000);
    }
    // The shown row of a board.
    int row(const char* address) const
    {
        const auto rows = w->shown->shownRows();
        for (int r = 0; r < rows.size(); ++r)
            if (dottedText(rows[r]->address) == QLatin1String(address))
                return r;
        return -1;
    }
    QString cell(const char* address, int column) const
    {
        return w->shown->index(row(address), column).data().toString();
    }
    void click(const char* address, Qt::KeyboardModifiers modifiers = {})
    {
        const QRect r = w->table->visualRect(w->shown->index(row(address), 0));
        QTest::mouseClick(w->table->viewport(), Qt::LeftButton, modifiers, r.center());
    }
};

// "Змінити поля…" opened on the selected rows, one field ticked and typed, the preview shown.
FieldChangeDialog* changeDialog(Setup& s, const char* box, const char* editor, const QString& value)
{
    QTest::mouseClick(s.w->changeFields, Qt::LeftButton);
    auto* d = s.w->findChild<FieldChangeDialog*>("fieldChange");
    if (!d)
        return nullptr;
    auto* tick = d->findChild<QCheckBox*>(box);
    QTest::mouseClick(tick, Qt::LeftButton, {}, QPoint(4, tick->height() / 2));
    QTest::keyClicks(d->findChild<QLineEdit*>(editor), value);
    QTest::mouseClick(d->preview, Qt::LeftButton);
    return QTest::qWaitFor([d] { return d->table->rowCount() > 0; }, 5000) ? d : nullptr;
}

// The jobs of the window's journal, newest first.
QStringList journalJobs(Setup& s)
{
    QStringList ids;
    s.f.window->journal().forEachJob(
        [&](const JobRecord& j) {
            ids.append(j.id);
            return true;
        },
        nullptr);
    return ids;
}

// The preview of a write the window asks for (backups applied, a job undone) once the
// engine's dry run is shown in it.
WritePreviewDialog* previewShown(Setup& s)
{
    WritePreviewDialog* d = nullptr;
    const bool shown = QTest::qWaitFor(
        [&] {
            d = s.w->findChild<WritePreviewDialog*>("writePreview");
            return d && d->table->rowCount() > 0;
        },
        10000);
    return shown ? d : nullptr;
}

// Typed as a keyboard types it, each key with its text (Cyrillic too).
void type(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

struct KeysSeen : QObject {
    int keys = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        keys += e->type() == QEvent::KeyPress; // what the editors' key handlers take
        return false;
    }
};

// The buttons and tabs of a dialog without a mnemonic of their own: "" when every one has one.
QString mnemonicClashes(QWidget* dialog)
{
    QStringList captions;
    for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>())
        if (!qobject_cast<QCheckBox*>(b) && !b->text().isEmpty())
            captions << b->text();
    for (QTabBar* tabs : dialog->findChildren<QTabBar*>())
        for (int i = 0; i < tabs->count(); ++i)
            captions << tabs->tabText(i);
    QHash<QString, QString> seen;
    QStringList clashes;
    for (const QString& caption : captions) {
        const QString key = QKeySequence::mnemonic(caption).toString();
        if (key.isEmpty() || seen.contains(key))
            clashes << caption + u'/' + seen.value(key);
        seen.insert(key, caption);
    }
    return clashes.join(u' ');
}
} // namespace

class TestFleetWindow : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase()
    {
        if (!networkIsLoopbackOnly())
            QSKIP("needs a network of its own (make test runs it in one)");
        raiseFileLimit();
    }

    // Answers fill the table and not the configurator's read-back group; each is still
    // counted there.
    void aSurveyFillsTheTable()
    {
        Setup s("192.168.1.120-121,version=2.17");
        auto& c = *s.f.window;
        const QStringList before = c.ED_7->texts();
        s.survey("192.168.1.120", "122");
        QCOMPARE(s.w->shown->rowCount(), 3);
        QCOMPARE(s.cell("192.168.1.121", fleet::Ip), QString("192.168.1.121"));
        QCOMPARE(s.cell("192.168.1.121", fleet::Version), QString("2.17"));
        QCOMPARE(s.cell("192.168.1.121", fleet::State), QString("відповіла"));
        QCOMPARE(s.cell("192.168.1.122", fleet::State), QString("не відповідає"));
        QCOMPARE(c.ED_7->texts(), before);
        // Two boards, three command ports each; the search ends at the first answer of each.
        QTRY_COMPARE(c.LabIn->text(), QString::number(2 * 3));

        c.CurEd_Port->setValue(9999); // as identifier mode sets it: the fleet's requests follow
        s.survey("192.168.1.120", "121");
        QTRY_COMPARE(c.LabIn->text(), QString::number(2 * 3 + 2 * 2)); // nothing listens on 9999
    }

    // The window's search and talvikctl read a network alike: the same rows for the boards
    // that answered (byte for byte in CSV), the same boards silent.
    void theSameRowsAsTalvikctl()
    {
        Setup s({"192.168.1.220-225,version=2.17", "192.168.1.226,reply=6964656e"}); // .226 says "iden"
        s.survey("192.168.1.220", "229");
        QTemporaryDir dir;
        s.dialogs.chosen = dir.filePath("window.csv");
        s.w->exportTable->menu()->actions().at(0)->trigger(); // all rows
        QFile exported(s.dialogs.chosen);
        QVERIFY(exported.open(QIODevice::ReadOnly));
        QProcess ctl;
        ctl.start(QCoreApplication::applicationDirPath() + "/../tools/talvikctl",
                  {"survey", "192.168.1.220-229", "--csv", "--local-port", "0", "--ports", "8024,8024,8026",
                   "--timeout", "300", "--retries", "1"});
        QSignalSpy finished(&ctl, &QProcess::finished); // the boards answer while it runs
        QVERIFY(finished.wait(20000));
        const auto split = [](const QByteArray& csv) { // answered rows, and the addresses of the others
            QPair<QSet<QByteArray>, QSet<QByteArray>> rows;
            for (const QByteArray& line : csv.split('\n').mid(1))
                if (!line.isEmpty())
                    (line.contains(",,,") ? rows.second : rows.first)
                        .insert(line.contains(",,,") ? line.split(',')[0] : line);
            return rows;
        };
        const auto window = split(exported.readAll()), tool = split(ctl.readAllStandardOutput());
        QCOMPARE(window.first.size(), 6);
        QCOMPARE(window.first, tool.first);
        QCOMPARE(window.second, tool.second);
    }

    // Another program holds the listening port: no answer could come, so nothing is asked.
    void aTakenPortIsSaid()
    {
        QUdpSocket other;
        QVERIFY(other.bind(QHostAddress::AnyIPv4, 0));
        WindowFixture f(WindowSetup().real(other.localPort()).boards(8024, 8024, 8026));
        AnsweringDialogs dialogs;
        FleetWindowHost fleet(*f.window, &dialogs);
        fleet.open();
        QTest::mouseClick(fleet.window().search, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(
            dialogs.asked,
            QStringList{text(
                "Порт 6767 зайнятий іншою програмою: відповіді плат сюди не дійдуть. Закрийте ту програму.")},
            5000);
        QVERIFY(fleet.window().search->isEnabled());
    }

    // The operator's read of one board while a survey reads others: the read-back group
    // keeps the operator's board.
    void aSurveyLeavesTheOperatorsRead()
    {
        Setup s("192.168.1.130-140,version=2.17", 100); // every answer 100 ms late
        auto& c = *s.f.window;
        setAddress(c.Ed_0, "192.168.1.130");
        s.w->first->setText(QStringLiteral("192.168.1.131"));
        s.w->last->setText(QStringLiteral("140"));
        QTest::mouseClick(s.w->search, Qt::LeftButton);
        QTest::mouseClick(c.Button8, Qt::LeftButton); // while the survey's answers are on their way
        QTRY_VERIFY_WITH_TIMEOUT(s.w->search->isEnabled(), 10000);
        QTRY_COMPARE(s.w->shown->rowCount(), 11); // the operator's board too, seen on the network
        QTRY_COMPARE(c.ED_7->texts(), QStringList({"192", "168", "001", "130"}));
        QCOMPARE(c.LabIn->text(), QString::number(11 * 3)); // every answer still counted there
    }

    // Enter on a row: its address in the configurator's board address, its working
    // configuration read through the configurator's own button.
    void openInConfigurator()
    {
        Setup s("192.168.1.150-152,version=2.17");
        auto& c = *s.f.window;
        s.survey("192.168.1.150", "152");
        s.click("192.168.1.151");
        QTest::keyClick(s.w->table, Qt::Key_Return);
        QCOMPARE(c.boardAddressString(), QString("192.168.001.151"));
        QTRY_COMPARE(c.ED_7->texts(), QStringList({"192", "168", "001", "151"}));
    }

    // Each row shows its board going down and coming back up.
    void rebootTwoBoards()
    {
        Setup s("192.168.1.160-162,version=2.17");
        QMap<int, QList<QByteArray>> got;
        connect(s.sim.get(), &sim::BoardSimulator::received, this,
                [&](int board, const QByteArray& d) { got[board] << d; });
        s.survey("192.168.1.160", "162");
        got.clear();
        s.click("192.168.1.160");
        s.click("192.168.1.161", Qt::ShiftModifier);
        QTest::mouseClick(s.w->reboot, Qt::LeftButton);
        QCOMPARE(s.dialogs.asked, QStringList{"Перезавантажити 2 плати?\n192.168.1.160, 192.168.1.161"});
        QCOMPARE(s.cell("192.168.1.160", fleet::State), QString("перезавантажується"));
        QTRY_COMPARE_WITH_TIMEOUT(s.cell("192.168.1.161", fleet::State), QString("знову на зв'язку"), 10000);
        QCOMPARE(s.cell("192.168.1.160", fleet::State), QString("знову на зв'язку"));
        QCOMPARE(s.cell("192.168.1.162", fleet::State), QString("відповіла"));
        for (int board : {0, 1}) {
            QCOMPARE(got[board].count(padDigits("msi")), 2);
            QCOMPARE(got[board].count(padDigits("vsi")), 2);
            QCOMPARE(got[board].count(rebootFrame()), 3); // once, to each command port
        }
        QVERIFY(got[2].isEmpty());
        // The job ends after its rows have said so: its summary may come a moment later.
        QTRY_COMPARE(s.w->status->text(), QString("Підсумок: перезавантажено: 2."));

        // A row that did not answer is named in the question and skipped unless the operator says.
        s.survey("192.168.1.160", "163");
        got.clear();
        s.dialogs.asked.clear();
        s.click("192.168.1.161");
        s.click("192.168.1.163", Qt::ShiftModifier);
        QTest::mouseClick(s.w->reboot, Qt::LeftButton);
        QCOMPARE(s.dialogs.asked,
                 QStringList{"Перезавантажити 3 плати?\n192.168.1.161, 192.168.1.162, 192.168.1.163\n\n"
                             "1 плата не відповідала: пропустити її?\n192.168.1.163"});
        QTRY_COMPARE_WITH_TIMEOUT(s.w->status->text(), QString("Підсумок: перезавантажено: 2."), 10000);
        QVERIFY(got[1].contains(rebootFrame()) && got[2].contains(rebootFrame()));
        QCOMPARE(s.cell("192.168.1.163", fleet::State), QString("не відповідає"));
    }

    // A board whose static console holds an identifier: every change of it loses the
    // identifier, which a force writes anyway, after a question that says so. A refusal no
    // force lets through is never asked about.
    void aForcedWriteSaysWhatItLeavesOut_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QString>("state");
        QTest::newRow("forced") << "mask"
                                << "255.255.0.0" << QList<bool>{true}
                                << "записано; діятиме після перезавантаження; не записано: Ідентифікатор";
        QTest::newRow("declined") << "mask"
                                  << "255.255.0.0" << QList<bool>{false} << "";
        QTest::newRow("what no force writes") << "dispatcher"
                                              << "10.2.2.2" << QList<bool>{} << "";
    }
    void aForcedWriteSaysWhatItLeavesOut()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QList<bool>, answers);
        QFETCH(QString, state);
        Setup s("192.168.1.165,ident=1234,version=2.17,dhcp=0");
        s.survey("192.168.1.165", "165");
        const WriteFields before = s.sim->board(0).permanent();
        s.click("192.168.1.165");
        s.dialogs.answer = answers;
        FieldChangeDialog* d =
            changeDialog(s, qPrintable("change_" + field), qPrintable("value_" + field), value);
        QVERIFY(d);
        const QString why = d->table->item(0, WritePreview::Reason)->text();
        QVERIFY2(why.contains("зі статичним пультом кадр не несе: ") && why.contains("Ідентифікатор"),
                 qPrintable(why));
        QCOMPARE(d->write->isEnabled(), !answers.isEmpty());
        if (answers.isEmpty()) {
            QVERIFY(s.dialogs.asked.isEmpty());
            return;
        }
        QTest::mouseClick(d->write, Qt::LeftButton);
        QCOMPARE(s.dialogs.asked,
                 QStringList{"Ці плати записати лише на ваше слово. Якщо записати всі:\n192.168.1.165: "
                             "Ідентифікатор 1234 стане 0 після перезавантаження: кадр зі статичним пультом "
                             "його не несе"});
        if (state.isEmpty()) { // the dialog stays for another try
            QVERIFY(d->isVisible() && !s.w->cancel->isEnabled());
            QCOMPARE(s.sim->board(0).permanent(), before);
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(s.cell("192.168.1.165", fleet::State).startsWith(state), 10000);
        QCOMPARE(s.sim->board(0).permanent().mask, (Ipv4{255, 255, 0, 0}));
        QCOMPARE(s.sim->board(0).permanent().ident, 0);
    }

    // A roll-out of 60 rows undone with one action, by clicks on a 1024 x 768 screen: the
    // preview names the board a later job wrote, which stays as it is; the rest go back.
    void aRollOutIsUndoneWithOneAction()
    {
        Setup s("192.168.1.1-60,version=2.17,console=1");
        s.w->resize(1024, 768);
        s.survey("192.168.1.1", "60");
        QList<WriteFields> before;
        for (int i = 0; i < 60; ++i)
            before.append(s.sim->board(i).permanent());
        s.click("192.168.1.1");
        s.click("192.168.1.60", Qt::ShiftModifier);
        QTest::mouseClick(changeDialog(s, "change_mask", "value_mask", "255.255.0.0")->write, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(s.w->status->text().startsWith("Підсумок:"), 15000);
        s.click("192.168.1.10");
        QTest::mouseClick(changeDialog(s, "change_dispatcher", "value_dispatcher", "10.2.2.2")->write,
                          Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(s.w->search->isEnabled() && s.w->history->isEnabled(), 10000);

        s.click("192.168.1.1");
        s.click("192.168.1.60", Qt::ShiftModifier);
        QTest::mouseClick(s.w->history, Qt::LeftButton);
        auto* h = s.w->findChild<HistoryDialog*>("history");
        QTest::mouseClick(h->tabs->tabBar(), Qt::LeftButton, {}, h->tabs->tabBar()->tabRect(1).center());
        QTRY_COMPARE(h->jobsTable->rowCount(), 2); // the journal is read off the window's thread
        QVERIFY(h->jobsTable->item(1, HistoryDialog::JobWhat)->text().contains("Маска 255.255.0.0"));
        const QRect mask = h->jobsTable->visualRect(h->jobsTable->model()->index(1, 0));
        QTest::mouseClick(h->jobsTable->viewport(), Qt::LeftButton, {}, mask.center());
        QTRY_COMPARE(h->jobBoards->rowCount(), 60);
        s.dialogs.choice = {0}; // "Пропустити ці плати (1)"
        QTest::mouseClick(h->undoJob, Qt::LeftButton);
        WritePreviewDialog* preview = previewShown(s);
        QVERIFY(preview);
        QVERIFY(preview->geometry().width() <= 1024 && preview->geometry().height() <= 768);
        QList<QTableWidgetItem*> named =
            preview->table->findItems("плату записала пізніша робота", Qt::MatchContains);
        QCOMPARE(named.size(), 1);
        QCOMPARE(preview->table->item(named[0]->row(), WritePreview::Board)->text(), QString("192.168.1.10"));
        QTest::mouseClick(preview->write, Qt::LeftButton);
        QVERIFY(s.dialogs.asked.last().startsWith(
            "Ці плати записати лише на ваше слово. Якщо записати всі:\n192.168.1.10: "));
        QCOMPARE(s.dialogs.buttons.last(), (QStringList{"&Пропустити ці плати (1)", "&Записати всі"}));
        QTRY_COMPARE_WITH_TIMEOUT(s.w->status->text(),
                                  QString("Підсумок: записано й перевірено: 59, відмовлено: 1."), 15000);
        for (int i = 0; i < 60; ++i)
            QCOMPARE(s.sim->board(i).permanent().mask == before[i].mask, i != 9);
    }

    // "Скасувати" while the boards' memory is still read for a write: nothing is written.
    void cancelBeforeAnyWriteSendsNothing()
    {
        Setup s("192.168.1.161-168,version=2.17,console=1", 250);
        s.survey("192.168.1.161", "168");
        s.click("192.168.1.161");
        s.click("192.168.1.168", Qt::ShiftModifier);
        FieldChangeDialog* d = changeDialog(s, "change_mask", "value_mask", "255.255.0.0");
        QTRY_VERIFY_WITH_TIMEOUT(d->write->isEnabled(), 10000);
        int writes = 0;
        bool pressed = false; // once: the first base read under way
        connect(s.sim.get(), &sim::BoardSimulator::received, this, [&](int, const QByteArray& frame) {
            if (frame == buildReadFrame(Memory::Permanent) && !std::exchange(pressed, true))
                QTimer::singleShot(50, this, [&] { QTest::mouseClick(s.w->cancel, Qt::LeftButton); });
            writes += isWriteFrame(frame);
        });
        QTest::mouseClick(d->write, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(s.w->search->isEnabled(), 15000);
        QTest::qWait(300); // what a frame still on its way would take
        QCOMPARE(writes, 0);
        for (int i = 161; i <= 168; ++i)
            QCOMPARE(s.cell(qPrintable(QString("192.168.1.%1").arg(i)), fleet::State), QString("скасовано"));
    }

    // What is written is what the preview showed: an edit withdraws "Записати" until a new
    // preview, and a preview asked while another runs ends that one unseen and unwritten.
    void aPreviewIsWhatIsWritten()
    {
        Setup s("192.168.1.171-172,version=2.17,console=1", 150);
        s.survey("192.168.1.171", "172");
        s.click("192.168.1.171");
        s.click("192.168.1.172", Qt::ShiftModifier);
        FieldChangeDialog* d = changeDialog(s, "change_mask", "value_mask", "255.255.0.0");
        QVERIFY(d);
        QTRY_VERIFY_WITH_TIMEOUT(d->write->isEnabled(), 10000);
        auto* mask = d->findChild<QLineEdit*>("value_mask");
        mask->selectAll();
        QTest::keyClicks(mask, "255.255.255.0");
        QVERIFY(!d->write->isEnabled());
        QVERIFY(d->problem->isVisible());
        int writes = 0;
        connect(s.sim.get(), &sim::BoardSimulator::received, this,
                [&](int, const QByteArray& frame) { writes += isWriteFrame(frame); });
        QTest::mouseClick(d->preview, Qt::LeftButton);
        QTest::qWait(60); // the first preview is reading the boards
        QTest::mouseClick(d->preview, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(d->write->isEnabled(), 10000);
        QTest::qWait(400); // anything of the first preview would have come by now
        QCOMPARE(writes, 0);
        for (const char* board : {"192.168.1.171", "192.168.1.172"})
            QVERIFY2(!s.cell(board, fleet::State).startsWith("записано"),
                     qPrintable(s.cell(board, fleet::State)));
        QVERIFY(!d->table->findItems("255.255.255.0", Qt::MatchExactly).isEmpty());
        QTest::mouseClick(d->write, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(s.sim->board(1).permanent().mask, (Ipv4{255, 255, 255, 0}), 10000);
        QCOMPARE(s.sim->board(0).permanent().mask, (Ipv4{255, 255, 255, 0}));
    }

    // "Скасувати" during a write: the boards under way are written and read back, the rest
    // are cancelled; pressed again, the job ends at once and names the boards left unverified.
    void cancelLetsTheBoardsUnderWayFinish_data()
    {
        QTest::addColumn<int>("presses");
        QTest::newRow("once") << 1;
        QTest::newRow("twice") << 2;
    }
    void cancelLetsTheBoardsUnderWayFinish()
    {
        QFETCH(int, presses);
        Setup s("192.168.1.101-160,version=2.17,console=1", 400);
        s.survey("192.168.1.101", "160");
        s.click("192.168.1.101");
        s.click("192.168.1.160", Qt::ShiftModifier);
        FieldChangeDialog* d = changeDialog(s, "change_mask", "value_mask", "255.255.0.0");
        QTRY_VERIFY_WITH_TIMEOUT(d->write->isEnabled(), 10000);
        QSet<int> written, readBack;
        connect(s.sim.get(), &sim::BoardSimulator::received, this, [&](int board, const QByteArray& d) {
            if (isWriteFrame(d) && !written.contains(board) && written.size() == 3) // the third wave starts
                for (int i = 0; i < presses; ++i)
                    QTimer::singleShot(200 * i, this,
                                       [&] { QTest::mouseClick(s.w->cancel, Qt::LeftButton); });
            if (isWriteFrame(d))
                written.insert(board);
            else if (d == buildReadFrame(Memory::Permanent) && written.contains(board))
                readBack.insert(board);
        });
        QTest::mouseClick(d->write, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(s.w->search->isEnabled(), 15000);
        QVERIFY(written.size() > 3 && written.size() < 60);
        int verified = 0, leftUnverified = 0, cancelled = 0;
        for (int i = 101; i <= 160; ++i) {
            const QString row = s.cell(qPrintable(QString("192.168.1.%1").arg(i)), fleet::State);
            verified += row == "записано; діятиме після перезавантаження";
            leftUnverified += row == "записано, скасовано до перевірки";
            cancelled += row == "скасовано";
        }
        QCOMPARE(cancelled, 60 - int(written.size()));
        if (presses == 1) {
            QCOMPARE(readBack, written);
            QCOMPARE(verified, int(written.size()));
            QCOMPARE(s.w->status->text(),
                     QString("Підсумок: записано, діятиме після перезавантаження: %1, скасовано: %2.")
                         .arg(verified)
                         .arg(cancelled));
        }
        else {
            QVERIFY(leftUnverified > 0);
            QVERIFY2(
                s.w->status->text().contains("Зупинено одразу: записано, але не прочитано назад: 192.168.1."),
                qPrintable(s.w->status->text()));
        }
    }

    // Backups of two boards into a folder, one edited and written back, verified; then
    // both memories surveyed, the table exported and compared with the backups and with
    // the export.
    void backupsRoundTripAndComparisons()
    {
        Setup s("192.168.1.170-172,version=2.17,console=1");
        s.survey("192.168.1.170", "172");
        QTemporaryDir folder;
        s.dialogs.chosen = folder.path();
        s.click("192.168.1.170");
        s.click("192.168.1.171", Qt::ShiftModifier);
        QTest::mouseClick(s.w->saveBackups, Qt::LeftButton);
        QTRY_COMPARE(s.cell("192.168.1.171", fleet::State), QString("копію збережено"));
        QCOMPARE(s.cell("192.168.1.170", fleet::State), QString("копію збережено"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 2);

        QFile backup(folder.filePath("192.168.1.171.conf"));
        QVERIFY(backup.open(QIODevice::ReadOnly));
        const QByteArray edited = QString::fromUtf8(backup.readAll())
                                      .replace(QRegularExpression("mask=.*\n"), "mask=255.255.0.0\n")
                                      .toUtf8();
        backup.close();
        QVERIFY(backup.open(QIODevice::WriteOnly | QIODevice::Truncate) && backup.write(edited) > 0);
        backup.close();
        s.w->applyBackups->menu()->actions().at(0)->trigger(); // "all backups of a folder"
        WritePreviewDialog* preview = previewShown(s);
        QVERIFY(preview);
        QTest::mouseClick(preview->write, Qt::LeftButton);
        QTRY_COMPARE(s.cell("192.168.1.171", fleet::State),
                     QString("записано; діятиме після перезавантаження")); // its mask changed
        // unchanged:
        QTRY_COMPARE(s.cell("192.168.1.170", fleet::State), QString("записано, перевірено"));

        s.w->bothMemories->setChecked(true);
        s.survey("192.168.1.170", "172");
        QCOMPARE(s.cell("192.168.1.171", fleet::Pending), QString("так: Маска"));
        QCOMPARE(s.cell("192.168.1.170", fleet::Pending), QString("ні"));

        s.dialogs.chosen = folder.filePath("192.168.1.171.conf"); // a backup stands for its folder
        QTest::mouseClick(s.w->compare, Qt::LeftButton);
        QCOMPARE(s.w->summary->text(), QString("1 нова, 0 зникло, 1 змінена"));

        s.dialogs.chosen = folder.filePath("table.csv");
        s.w->exportTable->menu()->actions().at(0)->trigger(); // all rows
        QTest::mouseClick(s.w->compare, Qt::LeftButton);
        QCOMPARE(s.w->summary->text(), QString("0 нових, 0 зникло, 0 змінених"));
    }

    // A board may send anything: the table shows the escapes of its text, to a screen reader
    // too, and says in Ukrainian what a reply lacked.
    void boardsThatMisbehave()
    {
        WriteFields f;
        f.ip = {192, 168, 1, 200};
        const QByteArray escape = sim::configReply(f, "2.1\x1b[1m");
        Setup s({"192.168.1.200,reply=" + escape.toHex(), "192.168.1.201,reply=6964656e"}); // "iden"
        s.survey("192.168.1.200", "201");
        QCOMPARE(s.cell("192.168.1.200", fleet::Version), QString("2.1\\e[1m"));
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(s.w->table);
        QAccessibleInterface* version =
            table->tableInterface()->cellAt(s.row("192.168.1.200"), fleet::Version);
        QCOMPARE(version->text(QAccessible::Name), QString("2.1\\e[1m"));
        QCOMPARE(s.cell("192.168.1.201", fleet::State),
                 QString("не відповідає (неповна відповідь (4 байти))"));
        QCOMPARE(s.cell("192.168.1.201", fleet::Ident), QString());
    }

    // Backups that would write something other than they say are stopped before anything
    // is sent, or go ahead only on an explicit yes to what a force does; a row says what
    // was not written.
    void applyRefusals_data()
    {
        QTest::addColumn<QStringList>("changes"); // "key=value" in each backup, one file each
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QString>("said");  // the last message or question
        QTest::addColumn<QString>("state"); // the row's afterwards; empty: nothing sent
        QTest::newRow("two backups for one board")
            << QStringList{"ident=0", "ident=9"} << QList<bool>{} << "копії однієї плати 192.168.1.210"
            << "";
        QTest::newRow("an IP no board can use, declined")
            << QStringList{"ip=255.255.255.255"} << QList<bool>{false}
            << "192.168.1.210: плата може стати недосяжною: IP 255.255.255.255 — широкомовна адреса"
            << "";
        QTest::newRow("an identifier a static console cannot carry, written when the operator says so")
            << QStringList{"ident=1002"} << QList<bool>{true}
            << "192.168.1.210: Ідентифікатор 1002 стане 0 після перезавантаження: кадр зі статичним пультом "
               "його "
               "не несе"
            << "записано";
        QTest::newRow("the same, declined")
            << QStringList{"ident=1002"} << QList<bool>{false} << "Ідентифікатор 1002 стане 0"
            << "";
    }
    void applyRefusals()
    {
        QFETCH(QStringList, changes);
        QFETCH(QList<bool>, answers);
        QFETCH(QString, said);
        QFETCH(QString, state);
        Setup s("192.168.1.210,version=2.17");
        int writes = 0;
        connect(s.sim.get(), &sim::BoardSimulator::received, this,
                [&](int, const QByteArray& d) { writes += sim::frameKind(d) == sim::FrameKind::Write; });
        s.survey("192.168.1.210", "210");
        QTemporaryDir folder;
        const BoardConfig board{BoardAddress(*parseDottedDecimal("192.168.1.210")),
                                s.sim->board(0).permanent(), QStringLiteral("2.17"), Memory::Permanent};
        for (int i = 0; i < changes.size(); ++i) {
            const QString key = changes[i].section('=', 0, 0);
            QFile file(folder.filePath(QString("copy%1.conf").arg(i)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QString::fromUtf8(backupText(board))
                           .replace(QRegularExpression("\n" + key + "=[^\n]*"), "\n" + changes[i])
                           .toUtf8());
        }
        s.dialogs.chosen = folder.path();
        s.dialogs.answer = answers;
        s.w->applyBackups->menu()->actions().at(0)->trigger(); // "all backups of a folder"
        if (changes.size() == 1) {                             // the preview, then "Записати"
            WritePreviewDialog* preview = previewShown(s);
            QVERIFY(preview);
            QTest::mouseClick(preview->write, Qt::LeftButton);
        }
        QVERIFY(!s.dialogs.asked.isEmpty());
        QVERIFY2(s.dialogs.asked.last().contains(said), qPrintable(s.dialogs.asked.last()));
        if (state.isEmpty()) { // nothing started, nothing sent
            QVERIFY(!s.w->cancel->isEnabled());
            QCOMPARE(writes, 0);
            return;
        }
        QTRY_VERIFY(s.cell("192.168.1.210", fleet::State).startsWith(state));
    }

    // F3 in any editor of the configurator opens the fleet window; the editor never sees it.
    void f3FromAnEditor_data()
    {
        QTest::addColumn<QString>("editor");
        QTest::newRow("MAC byte") << "Ed_5_IP_0";
        QTest::newRow("address octet") << "Ed_0_IP_3";
    }
    void f3FromAnEditor()
    {
        QFETCH(QString, editor);
        WindowFixture f(WindowSetup().real().boards(8024, 8024, 8026));
        AnsweringDialogs dialogs;
        FleetWindowHost fleet(*f.window, &dialogs);
        f.window->show();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        auto* e = f.window->findChild<QLineEdit*>(editor);
        QTest::mouseClick(e, Qt::LeftButton);
        QVERIFY(e->hasFocus());
        KeysSeen seen;
        e->installEventFilter(&seen);
        QTest::keyClick(f.window->windowHandle(), Qt::Key_F3);
        QVERIFY(fleet.window().isVisible());
        QCOMPARE(seen.keys, 0);
        f.close(); // the configurator's close takes the fleet window with it
        QVERIFY(!fleet.window().isVisible());
    }

    // In the tests' namespace the only network besides 127/8 is 192.168.1.0/24 (on lo): that
    // is what is shown, named with its adapter, and all that is searched.
    void myNetworksAreTheNamespaces()
    {
        Setup s("192.168.1.180,version=2.17");
        QCOMPARE(s.w->myNetworks->text(), QString("253 адреси: 192.168.1.0/24 · lo"));
        QCOMPARE(s.w->myNetworks->accessibleName(), s.w->myNetworks->text());
        s.w->timing = {100, 0};
        QTest::mouseClick(s.w->fromMyNetworks, Qt::LeftButton);
        QTest::mouseClick(s.w->search, Qt::LeftButton);
        QCOMPARE(s.w->progress->maximum(), 253);
        QTRY_VERIFY_WITH_TIMEOUT(s.w->search->isEnabled(), 10000);
        QCOMPARE(s.cell("192.168.1.180", fleet::State), QString("відповіла"));
        for (const fleet::Row* r : s.w->shown->shownRows())
            QCOMPARE(r->address.ipv4() >> 8, 0xC0A801u);
    }

    // Two boards that answer at once and forty a good half second late, in one range: the
    // survey's waits follow the slow ones, so every row says it answered, and a reboot of
    // them all offers to skip none as silent.
    void aMixedNetworkIsFoundWhole()
    {
        Setup s(QStringList{"192.168.1.60-61,version=2.17", "192.168.1.100-139,version=2.17,delay=600"});
        s.w->timing = {};
        s.survey("192.168.1.2", "192.168.1.254");
        int answered = 0;
        for (const fleet::Row* r : s.w->shown->shownRows())
            answered += r->address.ipv4() != 0 &&
                        s.cell(qPrintable(dottedText(r->address)), fleet::State) == QString("відповіла");
        QCOMPARE(answered, 42);
    }

    // The size, the column widths and the range, in a section of their own, at the close.
    void settingsInASectionOfTheirOwn()
    {
        Setup s("192.168.1.190,version=2.17");
        s.w->first->setText(QStringLiteral("192.168.1.190"));
        s.w->table->setColumnWidth(fleet::Mac, 177);
        s.f.close();
        QFile ini(s.f.dir.filePath("TalvikCom.ini"));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        const QByteArray text = ini.readAll();
        const qsizetype section = text.indexOf("[Fleet]");
        QVERIFY(section >= 0);
        QVERIFY(text.indexOf("4=192.168.1.190", section) > 0);

        FleetWindowHost again(*s.f.window, &s.dialogs);
        QCOMPARE(again.window().first->text(), QString("192.168.1.190"));
        QCOMPARE(again.window().table->columnWidth(fleet::Mac), 177);
    }

    // A disk that takes no more: the operator is told, and the file stays as it was.
    void settingsOnAFullDisk()
    {
        Setup s("192.168.1.191,version=2.17");
        QFile ini(s.f.dir.filePath("TalvikCom.ini"));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        const QByteArray before = ini.readAll();
        ini.close();
        signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        const rlimit tiny{16, old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &tiny);
        s.w->close();
        setrlimit(RLIMIT_FSIZE, &old);
        QCOMPARE(s.dialogs.asked.size(), 1);
        QVERIFY(s.dialogs.asked[0].startsWith("Не вдалося записати файл налаштувань"));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QCOMPARE(ini.readAll(), before);
    }

    // "Змінити поля…" through its own buttons: a preview built from each board's permanent
    // memory, a board with a static console refused there, then each board written on its
    // own memory, only the dispatcher changed, and journaled.
    void changeFieldsOnSelectedBoards()
    {
        Setup s({"192.168.1.220-192.168.1.221,version=2.17,console=1", "192.168.1.222,version=2.17"});
        s.survey("192.168.1.220", "222");
        const QList<WriteFields> before{s.sim->board(0).permanent(), s.sim->board(1).permanent(),
                                        s.sim->board(2).permanent()};
        s.click("192.168.1.220");
        s.click("192.168.1.221", Qt::ControlModifier);
        s.click("192.168.1.222", Qt::ControlModifier);
        FieldChangeDialog* d = changeDialog(s, "change_dispatcher", "value_dispatcher", "10.2.2.2");
        QCOMPARE(d->table->rowCount(), 3);
        QCOMPARE(d->table->item(0, WritePreview::Field)->text(), QString("Диспетчер"));
        QCOMPARE(d->table->item(0, WritePreview::Now)->text() + " " +
                     d->table->item(0, WritePreview::New)->text(),
                 QString("0.0.0.0 10.2.2.2"));
        QVERIFY2(d->table->item(2, WritePreview::Reason)->text().startsWith("диспетчер"),
                 qPrintable(d->table->item(2, WritePreview::Reason)->text()));
        QCOMPARE(d->table->item(2, WritePreview::New)->text(), QString()); // no value under "Нове"
        QVERIFY(d->table->item(2, 0)->font().italic() && !d->table->item(0, 0)->font().italic());
        if (const QString folder = qEnvironmentVariable("TALVIK_SCREENSHOTS");
            !folder.isEmpty()) // make screenshot
            d->grab().save(folder + "/change-fields.png");
        QTest::mouseClick(d->write, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(s.cell("192.168.1.221", fleet::State),
                                  QString("записано; діятиме після перезавантаження"), 10000);
        QTRY_VERIFY(s.w->search->isEnabled() && s.w->changeFields->isEnabled());
        for (int i : {0, 1}) {
            WriteFields expected = before[i];
            expected.dispatcher = {10, 2, 2, 2};
            QCOMPARE(s.sim->board(i).permanent(), expected);
        }
        QCOMPARE(s.sim->board(2).permanent(), before[2]);
        QVERIFY(s.cell("192.168.1.222", fleet::State).startsWith("не записано: диспетчер"));
        const QList<JournalEntry> journal = s.f.window->journal().entries();
        QCOMPARE(journal.size(), 2);
        QCOMPARE(journal[0].by, fleet::by::Change);
        QCOMPARE(journal[0].before->fields, before[1]);
    }

    // A change on 10 boards whose 5th to 7th ignore writes: the job stops at its failure limit,
    // the rows not reached say so, and "Повторити невдалі" writes only what did not succeed.
    void aJobStopsAtItsLimitAndRetriesItsFailures()
    {
        Setup s({"192.168.1.231-234,version=2.17,console=1",
                 "192.168.1.235-237,version=2.17,console=1,writes=0",
                 "192.168.1.238-240,version=2.17,console=1"});
        s.survey("192.168.1.231", "240");
        s.click("192.168.1.231");
        s.click("192.168.1.240", Qt::ShiftModifier);
        QVERIFY(!s.w->retryFailed->isEnabled());
        QTest::mouseClick(changeDialog(s, "change_mask", "value_mask", "255.255.0.0")->write, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(s.w->retryFailed->isEnabled(), 10000);
        QVERIFY2(s.w->status->isVisible() && s.w->status->text().startsWith("Зупинено: невдало на 3 з 7"),
                 qPrintable(s.w->status->text()));
        QCOMPARE(s.w->status->accessibleName(), s.w->status->text());
        QCOMPARE(s.cell("192.168.1.234", fleet::State), QString("записано; діятиме після перезавантаження"));
        QVERIFY(s.cell("192.168.1.235", fleet::State).startsWith("записано, але плата має інше: Маска"));
        QCOMPARE(s.cell("192.168.1.238", fleet::State),
                 QString("не пробувано: роботу зупинено після невдач"));
        QList<int> writes(10);
        connect(s.sim.get(), &sim::BoardSimulator::received, this, [&](int board, const QByteArray& d) {
            writes[board] += sim::frameKind(d) == sim::FrameKind::Write;
        });
        for (int i = 4; i <= 6; ++i) // they take writes again
            s.sim->board(i).setBehaviour(true, true);
        QTest::mouseClick(s.w->retryFailed, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(s.cell("192.168.1.240", fleet::State),
                                  QString("записано; діятиме після перезавантаження"), 10000);
        QTRY_VERIFY(s.w->search->isEnabled());
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(writes[i] > 0, i >= 4); // never a board written successfully
            QCOMPARE(s.sim->board(i).permanent().mask, (Ipv4{255, 255, 0, 0}));
        }
        // The retry's own summary, in place of the job's before it.
        QCOMPARE(s.w->status->text(), QString("Підсумок: записано, діятиме після перезавантаження: 6."));
    }

    // "Історія…" lists the board's write; "Повернути" puts the memory before back.
    void historyAndUndo()
    {
        Setup s("192.168.1.223,version=2.17,console=1");
        s.survey("192.168.1.223", "223");
        const WriteFields before = s.sim->board(0).permanent();
        s.click("192.168.1.223");
        QTest::mouseClick(changeDialog(s, "change_mask", "value_mask", "255.255.0.0")->write, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(s.cell("192.168.1.223", fleet::State).startsWith("записано"), 10000);
        QTRY_VERIFY(s.w->history->isEnabled());
        QVERIFY(s.sim->board(0).permanent() != before);
        QTest::mouseClick(s.w->history, Qt::LeftButton);
        auto* h = s.w->findChild<HistoryDialog*>("history");
        QVERIFY(h && h->isVisible());
        QTRY_COMPARE(h->table->rowCount(), 1);
        QVERIFY2(h->table->item(0, HistoryDialog::Changes)->text().contains("255.0.0.0 → 255.255.0.0"),
                 qPrintable(h->table->item(0, HistoryDialog::Changes)->text()));
        QTest::mouseClick(h->undo, Qt::LeftButton);
        WritePreviewDialog* preview = previewShown(s); // previewed as every write is
        QVERIFY(preview);
        QVERIFY(!preview->table->findItems("255.255.0.0", Qt::MatchExactly).isEmpty());
        QTest::mouseClick(preview->write, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(s.sim->board(0).permanent(), before, 10000);
        QTRY_COMPARE(h->table->rowCount(), 2); // the undo listed once it ran
        QTRY_VERIFY(s.cell("192.168.1.223", fleet::State).startsWith("записано"));
        QCOMPARE(s.f.window->journal().entries().first().by, fleet::by::Undo);
    }

    // A long journal is read beside the window: the dialog opens at once, says it reads, and
    // answers the operator meanwhile.
    void aLongJournalIsReadBesideTheWindow()
    {
        Setup s("192.168.1.225,version=2.17,console=1");
        s.survey("192.168.1.225", "225");
        s.click("192.168.1.225");
        QTest::mouseClick(changeDialog(s, "change_mask", "value_mask", "255.255.0.0")->write, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(s.w->history->isEnabled(), 10000);
        QFile journal(QDir(s.f.window->journal().folder()).filePath("journal.jsonl"));
        QVERIFY(journal.open(QIODevice::Append));
        const QByteArray other =
            R"({"kind":"board","job":"20261209T000000-1-1-000000","board":"10.9.9.9","outcome":"done"})"
            "\n";
        QVERIFY(journal.write(other.repeated(200000)) > 0);
        journal.close();
        QTest::mouseClick(s.w->history, Qt::LeftButton);
        auto* h = s.w->findChild<HistoryDialog*>("history");
        QVERIFY(h && h->isVisible());
        QVERIFY(h->findChild<QLabel*>("readingJournal")->isVisible()); // not read yet: said so
        QTest::mouseClick(h->tabs->tabBar(), Qt::LeftButton, {}, h->tabs->tabBar()->tabRect(1).center());
        QCOMPARE(h->tabs->currentIndex(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(h->jobsTable->rowCount(), 1, 10000);
        QCOMPARE(h->table->rowCount(), 1);
        QVERIFY(!h->findChild<QLabel*>("readingJournal")->isVisible());
    }

    // A line a script wrote (spaced, escaped) is read as the program's own; a line that is no
    // journal line is named under the lists, with the file and its line.
    void aSpacedJournalLineShowsInTheHistory()
    {
        Setup s("192.168.1.226,version=2.17,console=1");
        s.survey("192.168.1.226", "226");
        s.click("192.168.1.226");
        QTest::mouseClick(changeDialog(s, "change_mask", "value_mask", "255.255.0.0")->write, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(s.w->history->isEnabled(), 10000);
        QFile journal(QDir(s.f.window->journal().folder()).filePath("journal.jsonl"));
        QVERIFY(journal.open(QIODevice::ReadWrite));
        QByteArray text = journal.readAll();
        const int lines = int(text.count('\n'));
        // The write's line as json.dumps writes it: a space after each colon and comma, "/" escaped.
        const qsizetype start = text.indexOf("{\"kind\":\"write\"");
        QByteArray line = text.mid(start, text.indexOf('\n', start) - start);
        line.replace("\":", "\": ").replace(",\"", ", \"").replace("before/", "before\\/");
        text.replace(start, text.indexOf('\n', start) - start, line);
        QVERIFY(journal.seek(0) && journal.write(text + "{\"no\": \"kind\"}\n") > 0);
        journal.close();
        QTest::mouseClick(s.w->history, Qt::LeftButton);
        auto* h = s.w->findChild<HistoryDialog*>("history");
        QTRY_COMPARE(h->table->rowCount(), 1);
        QVERIFY(h->table->item(0, HistoryDialog::Changes)->text().contains("255.255.0.0"));
        auto* problems = h->findChild<QLabel*>("journalProblems");
        QVERIFY(problems->isVisible());
        QVERIFY2(problems->text().contains("journal.jsonl»") &&
                     problems->text().endsWith(QString(": %1").arg(lines + 1)),
                 qPrintable(problems->text()));
    }

    // What a journal file holds is shown with its control characters made visible.
    void aJournalsTextIsShownEscaped()
    {
        JournalEntry e;
        e.board = BoardAddress(0xC0A801DF);
        e.by = "fleet\x1b[2J\nwindow";
        e.resultText = "written\r"; // of no kind the window knows
        HistoryDialog h({e.board}, {e});
        QCOMPARE(h.table->item(0, HistoryDialog::By)->text(), QString("fleet\\e[2J\\nwindow"));
        QCOMPARE(h.table->item(0, HistoryDialog::Result)->text(), QString("written\\r"));
    }

    // "Замінити плату…": the old board's backup onto the selected one, which keeps its own MAC.
    void aReplacementKeepsItsOwnMac()
    {
        Setup s("192.168.1.224,version=2.17,console=1");
        s.survey("192.168.1.224", "224");
        const Mac own = s.sim->board(0).permanent().mac;
        QTemporaryDir dir;
        QFile file(dir.filePath("192.168.1.225.conf"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("address=192.168.1.225\nmemory=permanent\nip=192.168.1.225\nmask=255.255.255.0\n"
                   "router=192.168.1.1\nmac=00:1E:7F:00:09:99\ndhcp=0\nconsole=dynamic\ndispatcher=10.0.0.5\n"
                   "ident=4321\nreserve1=0.0.0.0\nreserve2=0.0.0.0\nbranch=0\n");
        file.close();
        s.dialogs.chosen = file.fileName();
        s.click("192.168.1.224");
        QTest::mouseClick(s.w->replaceBoard, Qt::LeftButton);
        auto* r = s.w->findChild<ReplaceDialog*>("replaceBoard");
        QVERIFY(r && r->isVisible());
        QTest::mouseClick(r->chooseBackup, Qt::LeftButton);
        QVERIFY(r->replace->isEnabled());
        QTest::mouseClick(r->replace, Qt::LeftButton);
        WritePreviewDialog* preview = previewShown(s); // what the backup changes, before it is written
        QVERIFY(preview);
        QVERIFY(!preview->table->findItems("4321", Qt::MatchExactly).isEmpty());
        QCOMPARE(s.sim->board(0).permanent().mac, own);
        QTest::mouseClick(preview->write, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(s.cell("192.168.1.224", fleet::State),
                                  QString("записано; діятиме після перезавантаження"), 10000);
        const WriteFields now = s.sim->board(0).permanent();
        QCOMPARE(now.ip, (Ipv4{192, 168, 1, 225}));
        QCOMPARE(now.ident, quint16(4321));
        QCOMPARE(now.mac, own);
    }

    // "Історія…" on several boards: one list, the board a column, newest first, who wrote
    // and the result in the window's words.
    void historyOfSeveralBoards()
    {
        Setup s("192.168.1.241-243,version=2.17,console=1");
        s.survey("192.168.1.241", "243");
        s.click("192.168.1.241");
        s.click("192.168.1.243", Qt::ShiftModifier);
        QTest::mouseClick(changeDialog(s, "change_mask", "value_mask", "255.255.0.0")->write, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(s.w->history->isEnabled(), 10000);
        QTest::mouseClick(s.w->history, Qt::LeftButton);
        auto* h = s.w->findChild<HistoryDialog*>("history");
        QVERIFY2(h && h->isVisible(), qPrintable(s.dialogs.asked.join('|')));
        QTRY_COMPARE(h->table->rowCount(), 3);
        QStringList boards;
        for (int row = 0; row < 3; ++row) {
            boards << h->table->item(row, HistoryDialog::Board)->text();
            QCOMPARE(h->table->item(row, HistoryDialog::By)->text(), QString("Мережа плат: зміна полів"));
            QCOMPARE(h->table->item(row, HistoryDialog::Result)->text(), QString("записано, перевірено"));
        }
        boards.sort();
        QCOMPARE(boards, QStringList({"192.168.1.241", "192.168.1.242", "192.168.1.243"}));
    }

    // "Повернути" undoes the entry selected, says which write it undoes, and asks again when
    // the board was written since.
    void undoTheSelectedEntry()
    {
        Setup s("192.168.1.244,version=2.17,console=1");
        s.survey("192.168.1.244", "244");
        const WriteFields before = s.sim->board(0).permanent();
        for (const auto& [box, editor, value] :
             {std::tuple("change_mask", "value_mask", "255.255.0.0"),
              std::tuple("change_dispatcher", "value_dispatcher", "10.2.2.2")}) {
            s.click("192.168.1.244");
            QTest::mouseClick(changeDialog(s, box, editor, value)->write, Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(s.cell("192.168.1.244", fleet::State).startsWith("записано"), 10000);
            QTRY_VERIFY(s.w->history->isEnabled());
        }
        QTest::mouseClick(s.w->history, Qt::LeftButton);
        auto* h = s.w->findChild<HistoryDialog*>("history");
        QTRY_COMPARE(h->table->rowCount(), 2);
        QVERIFY(h->table->item(1, HistoryDialog::Changes)->text().contains("Маска")); // the older one
        const QRect older = h->table->visualRect(h->table->model()->index(1, 0));
        QTest::mouseClick(h->table->viewport(), Qt::LeftButton, {}, older.center());
        QTest::mouseClick(h->undo, Qt::LeftButton);
        WritePreviewDialog* preview = previewShown(s);
        QVERIFY(preview);
        QVERIFY2(preview->heading->text().contains("Маска 255.0.0.0 → 255.255.0.0"),
                 qPrintable(preview->heading->text()));
        QTest::mouseClick(preview->write, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(s.sim->board(0).permanent(), before, 10000);
        QCOMPARE(s.dialogs.asked.size(), 1);
        const QString job =
            journalJobs(s).value(1); // the later change, of the dispatcher (the undo is newest)
        QVERIFY2(s.dialogs.asked[0].contains(
                     "192.168.1.244: буде скасовано й те, що записала пізніша робота " + job +
                     "; буде скасовано й те, що змінили на платі після цього запису: Диспетчер"),
                 qPrintable(s.dialogs.asked[0]));
    }

    // Each dialog opens at a size that shows its title and texts whole, and keeps it.
    void theReplaceDialogFitsItsContent()
    {
        Setup s("192.168.1.245,version=2.17,console=1");
        s.survey("192.168.1.245", "245");
        QTemporaryDir dir;
        QFile file(dir.filePath("a-backup-with-a-long-name-of-an-old-board.conf"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("address=10.0.7.20\nmemory=permanent\nip=10.0.7.20\nmask=255.255.255.0\nrouter=10.0.7.1\n"
                   "mac=00:1E:7F:00:09:99\ndhcp=0\nconsole=dynamic\ndispatcher=10.0.0.5\nident=4321\n"
                   "reserve1=0.0.0.0\nreserve2=0.0.0.0\nbranch=0\n");
        file.close();
        s.dialogs.chosen = file.fileName();
        s.click("192.168.1.245");
        QTest::mouseClick(s.w->replaceBoard, Qt::LeftButton);
        auto* r = s.w->findChild<ReplaceDialog*>("replaceBoard");
        QVERIFY(r && r->isVisible());
        const QFontMetrics metrics(r->font());
        const int titleBar = 160; // an icon and three buttons beside the title
        QVERIFY2(r->width() >= metrics.horizontalAdvance(r->windowTitle()) + titleBar,
                 qPrintable(QString::number(r->width())));
        QVERIFY(r->width() <= 1024 && r->height() <= 768);
        auto* hint = r->findChild<QLabel*>("hint");
        QVERIFY(hint->height() <= 2 * metrics.lineSpacing() + 4); // two lines at most
        const QSize opened = r->size();
        QTest::mouseClick(r->chooseBackup, Qt::LeftButton);
        QVERIFY(r->replace->isEnabled());
        QCOMPARE(r->size(), opened);
    }

    // In English: the window, its dialogs and its questions, with nothing in Cyrillic, every
    // caption whole, each of them on a 1024 x 768 screen.
    void inEnglish()
    {
        SpokenLanguage english(Language::English);
        QVERIFY(english.installed);
        Setup s({"192.168.1.236,version=2.17,console=1", "192.168.1.237,version=2.17"});
        s.survey("192.168.1.236", "237");
        const auto spoken = [](QWidget* w) {
            const QStringList cyrillic = cyrillicTexts(w), clipped = clippedCaptions(w);
            QVERIFY2(cyrillic.isEmpty(), qPrintable(cyrillic.join('|')));
            QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join('|')));
            QVERIFY2(fitsSmallScreen(w), qPrintable(w->windowTitle()));
        };
        spoken(s.w);
        QCOMPARE(s.cell("192.168.1.237", fleet::State), QString("answered"));
        s.click("192.168.1.236");
        s.click("192.168.1.237", Qt::ControlModifier);
        FieldChangeDialog* d = changeDialog(s, "change_dispatcher", "value_dispatcher", "10.2.2.2");
        QVERIFY(d);
        spoken(d);
        QTest::mouseClick(d->write, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(s.cell("192.168.1.236", fleet::State),
                                  QString("written; takes effect after a reboot"), 10000);
        QTRY_VERIFY(s.w->history->isEnabled());
        spoken(s.w);
        QTest::mouseClick(s.w->history, Qt::LeftButton);
        auto* h = s.w->findChild<HistoryDialog*>("history");
        QVERIFY(h && h->isVisible());
        QTRY_VERIFY(h->table->rowCount() > 0);
        spoken(h);
        QCOMPARE(h->table->item(0, HistoryDialog::By)->text(), QString("Board network: changing fields"));
        h->close();
        s.dialogs.answer = {false};
        QTest::mouseClick(s.w->reboot, Qt::LeftButton);
        QCOMPARE(s.dialogs.asked.value(0).section(u'\n', 0, 0), QString("Reboot 2 boards?"));
        s.click("192.168.1.236");
        QTest::mouseClick(s.w->replaceBoard, Qt::LeftButton);
        auto* r = s.w->findChild<ReplaceDialog*>("replaceBoard");
        QVERIFY(r && r->isVisible());
        spoken(r);
    }

    // A backup that is refused is named once, and why is said in the window's language.
    void aRefusedBackupIsWordedForTheOperator()
    {
        Setup s("192.168.1.246,version=2.17,console=1");
        s.survey("192.168.1.246", "246");
        QTemporaryDir dir;
        QFile file(dir.filePath("hostile.conf"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("address=192.168.1.246\nmemory=permanent\nip=192.168.1.246\nmask=255.255.0\n");
        file.close();
        s.dialogs.chosen = file.fileName();
        s.click("192.168.1.246");
        QTest::mouseClick(s.w->replaceBoard, Qt::LeftButton);
        QTest::mouseClick(s.w->findChild<ReplaceDialog*>("replaceBoard")->chooseBackup, Qt::LeftButton);
        const QString said = s.dialogs.asked.value(0);
        QCOMPARE(said.count("hostile.conf"), 1);
        QVERIFY2(said.contains("рядок 4") && said.contains("Маска") && said.contains("255.255.0"),
                 qPrintable(said));
        QVERIFY2(!said.contains(QRegularExpression("\\b(bad|line|mask)\\b")), qPrintable(said));
    }

    // A job's check of an address outside the table (the old board's, for a replacement)
    // adds no row for it.
    void aCheckAddsNoRowOutsideTheSearch()
    {
        Setup s(QStringList{"192.168.1.247,version=2.17,console=1", "192.168.1.248,version=2.17,console=1"});
        s.survey("192.168.1.247", "247");
        QTemporaryDir dir;
        QFile file(dir.filePath("old.conf"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("address=192.168.1.248\nmemory=permanent\nip=192.168.1.248\nmask=255.255.255.0\n"
                   "router=192.168.1.1\nmac=00:1E:7F:00:09:99\ndhcp=0\nconsole=dynamic\ndispatcher=10.0.0.5\n"
                   "ident=4321\nreserve1=0.0.0.0\nreserve2=0.0.0.0\nbranch=0\n");
        file.close();
        s.dialogs.chosen = file.fileName();
        s.dialogs.answer = {false}; // the old board still answers: not written
        s.click("192.168.1.247");
        QTest::mouseClick(s.w->replaceBoard, Qt::LeftButton);
        auto* r = s.w->findChild<ReplaceDialog*>("replaceBoard");
        QTest::mouseClick(r->chooseBackup, Qt::LeftButton);
        QTest::mouseClick(r->replace, Qt::LeftButton);
        WritePreviewDialog* preview = previewShown(s);
        QVERIFY(preview);
        QTest::mouseClick(preview->write, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(s.dialogs.asked.size() == 1, 10000);
        QVERIFY(s.dialogs.asked[0].contains("192.168.1.248"));
        QTest::qWait(2 * fleet::Discovery::IntervalMs);
        QCOMPARE(s.w->shown->rowCount(), 1);
        QCOMPARE(s.sim->board(0).permanent().ident, s.sim->board(0).working().ident); // nothing written
    }

    // A site chosen and searched, its column and the filter on it; then one of its boards as
    // the reference: exactly the cells that differ are marked, counted by field, and
    // "Змінити поля…" takes the reference's values.
    void aSiteAndItsReference()
    {
        Setup s({"192.168.1.200-216,version=2.17,console=1",
                 "192.168.1.217-219,version=2.17,console=1,gateway=192.168.1.254"});
        QFile sites(sitesFileBeside(s.f.window->settingsLocation().writePath));
        QVERIFY(sites.open(QIODevice::WriteOnly));
        sites.write("# test\n[Північ]\n192.168.1.200-219\n");
        sites.close();
        s.w->loadSites();
        QCOMPARE(s.w->site->currentText(), QString("Північ"));
        QTest::mouseClick(s.w->fromSite, Qt::LeftButton);
        QTest::mouseClick(s.w->search, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(s.w->search->isEnabled() && s.w->shown->rowCount() == 20, 10000);
        QCOMPARE(s.cell("192.168.1.219", fleet::Site), QString("Північ"));
        s.click("192.168.1.200");
        QTest::mouseClick(s.w->compareReference, Qt::LeftButton);
        QCOMPARE(s.w->summary->text(), QString("Від еталона 192.168.1.200 відрізняються: Шлюз — 3"));
        int marked = 0;
        for (int row = 0; row < s.w->shown->rowCount(); ++row)
            for (int column = 0; column < fleet::ColumnCount; ++column) {
                const QString why =
                    s.w->shown->index(row, column).data(Qt::AccessibleDescriptionRole).toString();
                if (why.startsWith("еталон: ")) {
                    ++marked;
                    QCOMPARE(column, int(fleet::Router));
                    QCOMPARE(why, QString("еталон: 127.0.0.1"));
                }
            }
        QCOMPARE(marked, 3);
        QCOMPARE(s.w->shownCount->text(), QString("Показано 20 з 20 плат"));
        s.w->showing->setFocus(Qt::TabFocusReason);
        QTest::keyClick(s.w->showing, Qt::Key_Down); // not answering: none
        QCOMPARE(s.w->shownCount->text(), QString("Показано 0 з 20 плат"));
        QTest::keyClick(s.w->showing, Qt::Key_Down);
        QCOMPARE(s.w->showing->currentText(), QString("Відрізняються від еталона"));
        QCOMPARE(s.w->shown->rowCount(), 3);
        QCOMPARE(s.w->shownCount->text(), QString("Показано 3 з 20 плат"));
        s.click("192.168.1.217");
        s.click("192.168.1.219", Qt::ShiftModifier);
        QTest::mouseClick(s.w->changeFields, Qt::LeftButton);
        auto* d = s.w->findChild<FieldChangeDialog*>("fieldChange");
        QVERIFY(d->findChild<QCheckBox*>("change_router")->isChecked());
        QCOMPARE(d->findChild<QLineEdit*>("value_router")->text(), QString("127.0.0.1"));
        QVERIFY(!d->findChild<QCheckBox*>("change_mask")->isChecked());
        d->reject();
        QTest::keyClick(s.w->showing, Qt::Key_Home); // all boards again
        s.w->filter->clear();
        type(s.w->filter, "Північ"); // the site's rows, for any action on them
        QCOMPARE(s.w->shown->rowCount(), 20);
    }

    // The range typed, saved under a name: the sites file gets it, the choice shows it.
    void rangesSavedAsASite()
    {
        Setup s("192.168.1.199,version=2.17");
        s.w->first->setText("192.168.1.190");
        s.w->last->setText("199");
        s.dialogs.chosen = "Будинок «Б»";
        QTest::mouseClick(s.w->saveAsSite, Qt::LeftButton);
        QCOMPARE(s.w->site->currentText(), QString("Будинок «Б»"));
        QVERIFY(s.w->fromSite->isChecked());
        QFile sites(sitesFileBeside(s.f.window->settingsLocation().writePath));
        QVERIFY(sites.open(QIODevice::ReadOnly));
        QCOMPARE(sites.readAll(), QByteArray("[Будинок «Б»]\n192.168.1.190-199\n"));
    }

    // With a folder of backups kept in git compared with, "Історія…" also lists its commits.
    void historyWithTheBackupsKeptInGit()
    {
        if (QStandardPaths::findExecutable("git").isEmpty())
            QSKIP("no git on this machine");
        Setup s("192.168.1.250,version=2.17,console=1");
        QTemporaryDir dir;
        const auto backup = [&] {
            QProcess ctl;
            ctl.start(QCoreApplication::applicationDirPath() + "/../tools/talvikctl",
                      {"backup", "192.168.1.250", "--into", dir.path(), "--git", "--ports", "8026,8024",
                       "--local-port", "0", "--timeout", "300"});
            QSignalSpy done(&ctl, &QProcess::finished);
            return done.wait(20000) && ctl.exitCode() == 0;
        };
        QVERIFY(backup());
        WriteFields f = s.sim->board(0).working();
        f.mask = {255, 255, 0, 0};
        s.sim->board(0).handle(buildWriteFrame(f));
        s.sim->board(0).finishReboot();
        QVERIFY(backup());
        s.survey("192.168.1.250", "250");
        s.dialogs.chosen = dir.path();
        QTest::mouseClick(s.w->compare, Qt::LeftButton);
        QCOMPARE(s.w->backupFolder, QDir(dir.path()).absolutePath());
        s.click("192.168.1.250");
        QTest::mouseClick(s.w->history, Qt::LeftButton);
        auto* h = s.w->findChild<HistoryDialog*>("history");
        QTRY_COMPARE(h->table->rowCount(), 2); // git is asked while the dialog is open
        QCOMPARE(h->table->item(0, HistoryDialog::By)->text(), QString("Копії в git"));
        QCOMPARE(h->table->item(0, HistoryDialog::Changes)->text(), QString("Маска 255.0.0.0 → 255.255.0.0"));
        QCOMPARE(h->table->item(1, HistoryDialog::Changes)->text(), QString("перша копія"));
        QVERIFY(!h->undo->isEnabled()); // a commit is no write of the journal's to undo
        h->close();
        QTRY_VERIFY(!s.w->findChild<HistoryDialog*>("history"));

        // A git that hangs: the dialog says it reads and can be stopped, and nothing waits for it.
        QTemporaryDir bin;
        QFile hanging(bin.filePath("git"));
        QVERIFY(hanging.open(QIODevice::WriteOnly));
        hanging.write("#!/bin/sh\nexec sleep 600\n");
        hanging.close();
        hanging.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toUtf8());
        QTest::mouseClick(s.w->history, Qt::LeftButton);
        qputenv("PATH", path);
        QTRY_VERIFY((h = s.w->findChild<HistoryDialog*>("history")) && h->isVisible());
        QCOMPARE(h->keptStatus->text(), QString("Читаю історію копій у git…"));
        QVERIFY(h->stopKept->isVisible());
        QCOMPARE(h->table->rowCount(), 0); // the journal's writes: none
        QTest::mouseClick(h->stopKept, Qt::LeftButton);
        QVERIFY(!h->stopKept->isVisible() && !h->keptStatus->isVisible());
    }

    // A port another program holds for a moment (the exporter's survey) is waited for: the
    // configurator starts without a message, and a search waits for it too.
    void aPortHeldForAMomentIsWaitedFor()
    {
        QUdpSocket probe;
        QVERIFY(probe.bind(QHostAddress::AnyIPv4, 0));
        const quint16 port = probe.localPort();
        probe.close();
        const auto holdFor300ms = [port](QProcess& holder) {
            holder.start(QCoreApplication::applicationDirPath() + "/../tools/talvikctl",
                         {"listen", "--local-port", QString::number(port), "--count", "1"});
            const auto held = [port] {
                return !QUdpSocket().bind(QHostAddress::AnyIPv4, port, QUdpSocket::DontShareAddress);
            };
            QTRY_VERIFY(holder.state() == QProcess::Running && held());
            QTimer::singleShot(300,
                               [port] { QUdpSocket().writeDatagram("go", QHostAddress::LocalHost, port); });
        };
        QProcess holder;
        holdFor300ms(holder);
        WindowFixture f(WindowSetup().real(port).boards(8024, 8024, 8026));
        QTRY_VERIFY_WITH_TIMEOUT(f.listening(), 5000);
        QTRY_COMPARE(holder.state(), QProcess::NotRunning); // it let the port go
        QCOMPARE(f.messages.messages, QStringList());

        AnsweringDialogs dialogs;
        FleetWindowHost fleet(*f.window, &dialogs);
        fleet.open();
        f.udp->closeListener();
        QProcess again;
        holdFor300ms(again);
        fleet.window().first->setText("192.168.1.249");
        fleet.window().last->setText("249");
        QTest::mouseClick(fleet.window().search, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(fleet.window().shown->rowCount() == 1, 5000);
        QCOMPARE(dialogs.asked, QStringList());
    }
    // By keys alone, in either language: Tab leaves the table, F6 and Ctrl+Tab go round the
    // window's parts, every button has its own mnemonic (named in its tooltip), the row's menu
    // comes from the Menu key, Shift+F10 and a right click, and a screen reader gets the
    // columns in the order shown.
    void byKeyboard_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QStringList>("columns");
        QTest::newRow("Ukrainian") << Language::Ukrainian << QStringList{"Адреса", "Стан", "Об'єкт"};
        QTest::newRow("English") << Language::English << QStringList{"Address", "State", "Site"};
    }
    void byKeyboard()
    {
        QFETCH(Language, language);
        QFETCH(QStringList, columns);
        SpokenLanguage speaking(language);
        Setup s("192.168.1.130-131,version=2.17");
        FleetWindow& w = *s.w;
        const auto focusAfter = [](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
            return QApplication::focusWidget();
        };
        s.survey("192.168.1.130", "131");
        QTRY_VERIFY(w.search->isEnabled());
        s.click("192.168.1.130");
        QCOMPARE(QApplication::focusWidget(), w.table);
        QTest::keyClick(w.table, Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != w.table);
        w.table->setFocus();
        QTest::keyClick(w.table, Qt::Key_Backtab);
        QVERIFY(QApplication::focusWidget() != w.table);

        w.first->setFocus();
        QCOMPARE(focusAfter(Qt::Key_F6), w.filter);
        QCOMPARE(focusAfter(Qt::Key_F6), w.table);
        QCOMPARE(focusAfter(Qt::Key_F6), w.open);
        QCOMPARE(focusAfter(Qt::Key_F6), w.first);
        QCOMPARE(focusAfter(Qt::Key_Tab, Qt::ControlModifier), w.filter);
        QCOMPARE(focusAfter(Qt::Key_F6, Qt::ShiftModifier), w.first);

        QHash<QString, QString> mnemonics; // letter: the caption that has it
        for (QAbstractButton* b : w.findChildren<QAbstractButton*>()) {
            if (!b->isVisibleTo(&w) || b->text().isEmpty())
                continue;
            const QKeySequence key = QKeySequence::mnemonic(b->text());
            QVERIFY2(!key.isEmpty(), qPrintable(b->text()));
            const QString letter = key.toString(QKeySequence::NativeText);
            QVERIFY2(!mnemonics.contains(letter), qPrintable(b->text() + " and " + mnemonics.value(letter)));
            mnemonics.insert(letter, b->text());
            if (qobject_cast<QPushButton*>(b))
                QVERIFY2(b->toolTip().contains(letter), qPrintable(b->toolTip()));
        }
        for (QLabel* l : w.findChildren<QLabel*>())
            if (l->buddy())
                QVERIFY2(
                    !mnemonics.contains(QKeySequence::mnemonic(l->text()).toString(QKeySequence::NativeText)),
                    qPrintable(l->text()));
        QVERIFY(mnemonics.size() > 20);
        for (QMenu* menu : w.findChildren<QMenu*>()) {
            QStringList letters;
            for (QAction* a : menu->actions())
                letters << QKeySequence::mnemonic(a->text()).toString(QKeySequence::NativeText);
            const bool distinct = QSet<QString>(letters.begin(), letters.end()).size() == letters.size();
            QVERIFY2(!letters.contains(QString()) && distinct, qPrintable(letters.join(u' ')));
        }
        // The filter's label takes the keyboard to the filter; a button's mnemonic presses it.
        const auto press = [](QWidget* target, const QString& caption) {
            const QKeySequence key = QKeySequence::mnemonic(caption);
            const QString letter = key.toString().section(u'+', -1).toLower();
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key(key[0].key()), letter, Qt::AltModifier);
        };
        w.table->setFocus();
        for (QLabel* l : w.findChildren<QLabel*>())
            if (l->buddy() == w.filter)
                press(w.table, l->text());
        QCOMPARE(QApplication::focusWidget(), w.filter);
        press(w.filter, w.history->text());
        QTRY_VERIFY(w.findChild<HistoryDialog*>("history") &&
                    w.findChild<HistoryDialog*>("history")->isVisible());
        QCOMPARE(mnemonicClashes(w.findChild<HistoryDialog*>("history")), QString());
        w.findChild<HistoryDialog*>("history")->close();
        QTest::mouseClick(w.changeFields, Qt::LeftButton);
        QTRY_VERIFY(w.findChild<FieldChangeDialog*>("fieldChange"));
        QCOMPARE(mnemonicClashes(w.findChild<FieldChangeDialog*>("fieldChange")), QString());
        w.findChild<FieldChangeDialog*>("fieldChange")->close();

        // The row's menu: the actions on the selected rows, as their buttons have them.
        auto* menu = w.findChild<QMenu*>("rowMenu");
        QVERIFY(menu);
        const auto menuShown = [&] {
            const bool shown = QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000);
            const QList<QAction*> actions = menu->actions();
            menu->hide();
            return shown && actions.size() == 7 && actions[0]->text() == w.open->text() &&
                   actions[1]->text() == w.reboot->text() && actions[1]->isEnabled();
        };
        w.table->setFocus();
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(5, 5),
                                  w.table->mapToGlobal(QPoint(5, 5))); // what the Menu key brings
        QApplication::sendEvent(w.table, &menuKey);
        QVERIFY(menuShown());
        QTest::keyClick(w.table, Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(menuShown());
        const QRect other = w.table->visualRect(w.shown->index(s.row("192.168.1.131"), 0));
        // Through the window, as a platform's click comes: it makes the context menu event.
        QTRY_VERIFY(!QApplication::activePopupWidget()); // the last menu gone, as before a user's click
        QTest::mouseClick(w.windowHandle(), Qt::RightButton, {},
                          w.table->viewport()->mapTo(&w, other.center()));
        QVERIFY(menuShown());
        QCOMPARE(w.selectedBoards(), QList<BoardAddress>{BoardAddress(0xC0A80183)}); // the row clicked

        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(w.table);
        QVERIFY(table && table->tableInterface());
        for (int c = 0; c < columns.size(); ++c)
            QCOMPARE(table->tableInterface()->columnDescription(c), columns[c]);
    }

    // Sites kept from the window and from talvikctl alike: a change by either shows in the
    // open window; one from the window touches only its own lines of the file.
    void sitesFromTheWindowAndTalvikctl()
    {
        Setup s("192.168.1.95,version=2.17");
        s.survey("192.168.1.95", "95");
        const QString path = sitesFileBeside(s.f.window->settingsLocation().writePath);
        const QByteArray before = "# диспетчерська\n[Північ]\n192.168.1.200-219\n";
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(before);
        file.close();
        QTRY_COMPARE_WITH_TIMEOUT(s.w->site->count(), 1, 5000); // the watch read it
        QProcess ctl;
        ctl.start(QCoreApplication::applicationDirPath() + "/../tools/talvikctl",
                  {"sites", "add", "Схід", "192.168.1.90-99", "--sites-file", path});
        QVERIFY(ctl.waitForFinished(10000) && ctl.exitCode() == 0);
        QTRY_COMPARE_WITH_TIMEOUT(s.w->site->findData("Схід"), 1, 5000);
        QTRY_COMPARE(s.cell("192.168.1.95", fleet::Site), QString("Схід"));

        const auto contents = [&] {
            QFile f(path);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };
        const auto siteAction = [&](int at) { s.w->editSite->menu()->actions().at(at)->trigger(); };
        s.w->site->setCurrentIndex(1);
        s.dialogs.chosen = "Схід, 2-а черга";
        siteAction(0); // rename
        QCOMPARE(s.dialogs.initials.last(), QString("Схід"));
        QCOMPARE(contents(), before + "\n[Схід, 2-а черга]\n192.168.1.90-99\n");
        QCOMPARE(s.w->site->currentText(), QString("Схід, 2-а черга"));
        QCOMPARE(s.cell("192.168.1.95", fleet::Site), QString("Схід, 2-а черга"));
        s.dialogs.chosen = "192.168.1.90-99\n192.168.1.120";
        siteAction(1); // its addresses
        QCOMPARE(s.dialogs.initials.last(), QString("192.168.1.90-99"));
        QCOMPARE(contents(), before + "\n[Схід, 2-а черга]\n192.168.1.90-99\n192.168.1.120\n");
        s.dialogs.chosen = "192.168.1.300";
        siteAction(1);
        QVERIFY(s.dialogs.asked.last().startsWith("192.168.1.300: не адреса"));
        siteAction(2); // removed
        QCOMPARE(contents(), before + "\n");
        QCOMPARE(s.w->site->count(), 1);
        QCOMPARE(s.cell("192.168.1.95", fleet::Site), QString());

        // A line that names no board is named, with the file and its line; the rest is in use.
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(before + "[Схід]\n192.168.1.95\n192.168.1.999\n");
        file.close();
        QTRY_VERIFY_WITH_TIMEOUT(s.w->sitesProblem->isVisible(), 5000);
        QCOMPARE(
            s.w->sitesProblem->text(),
            QString("«%1», рядок 6, об'єкт «Схід»: 192.168.1.999: не адреса і не діапазон адрес").arg(path));
        QCOMPARE(s.w->sitesProblem->accessibleName(), s.w->sitesProblem->text());
        QCOMPARE(s.cell("192.168.1.95", fleet::Site), QString("Схід"));
    }
};

QTEST_MAIN(TestFleetWindow)
#include "test_fleet_window.moc"
