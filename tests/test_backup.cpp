// talvikctl backup against simulated boards, with the real git in temporary repositories:
// a file per board rewritten only when its board changed, one commit a run that changed
// anything, and the run's hook.

#include "ctl_fleet.h"
#include "journal/git_repository.h"
#include "wire/frames.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>

using namespace talvik;
using namespace talvik::sim;

namespace {
// git in the folder, its output.
QString git(const QString& folder, const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral("git"), QStringList{"-C", folder} + args);
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

int commits(const QString& folder)
{
    return git(folder, {"rev-list", "--count", "HEAD"}).toInt();
}

// A board's working configuration changed, as after a write and a reboot.
void change(Fleet& fleet, int board, const std::function<void(WriteFields&)>& how)
{
    WriteFields f = fleet.sim.board(board).working();
    how(f);
    fleet.sim.board(board).handle(buildWriteFrame(f));
    fleet.sim.board(board).finishReboot();
}

QStringList statuses(const Run& run)
{
    QStringList out;
    for (const QJsonObject& o : run.json())
        if (!o.contains("summary"))
            out.append(o["status"].toString());
    return out;
}
} // namespace

class TestBackup : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase()
    {
        if (GitRepository::program().isEmpty())
            QSKIP("no git on this machine");
    }

    // Twice over 20 boards with nothing changed: one commit, then none; one board's mask
    // changed: one commit naming it, whose diff is the one line.
    void aCommitForEachRunThatChangedSomething()
    {
        Fleet fleet({"127.0.8.1-20,version=2.17,console=1"});
        QTemporaryDir dir;
        const QStringList backup{"backup", "127.0.8.1-20", "--into", dir.path(), "--git", "--json"};
        const Run first = fleet.ctl(backup);
        QCOMPARE(first.exit, 0);
        QCOMPARE(statuses(first), QStringList(20, "new"));
        QCOMPARE(commits(dir.path()), 1);
        QCOMPARE(git(dir.path(), {"log", "-1", "--format=%s"}), QString("20 boards new"));
        QVERIFY(git(dir.path(), {"log", "-1", "--format=%an"}).startsWith("talvikctl on "));
        QCOMPARE(QDir(dir.path()).entryList({"*.conf"}).size(), 20);

        const Run second = fleet.ctl(backup);
        QCOMPARE(statuses(second), QStringList(20, "unchanged"));
        QCOMPARE(commits(dir.path()), 1);
        // For a script (the Ansible collection's changed): whether a run changed anything, and its commit.
        const QJsonObject firstSummary = first.json().last()["summary"].toObject();
        QCOMPARE(firstSummary["commit"].toString(), git(dir.path(), {"rev-parse", "HEAD"}).trimmed());
        QCOMPARE(second.json().last()["summary"].toObject()["changed"].toBool(), false);

        change(fleet, 4, [](WriteFields& f) { f.mask = {255, 255, 255, 0}; });
        const Run third = fleet.ctl(backup);
        QCOMPARE(statuses(third).count("changed"), 1);
        QCOMPARE(commits(dir.path()), 2);
        QCOMPARE(git(dir.path(), {"log", "-1", "--format=%B"}),
                 QString("1 board changed\n\n127.0.8.5: mask 255.0.0.0 → 255.255.255.0"));
        const QStringList diff = git(dir.path(), {"log", "-1", "-p", "--format="})
                                     .split('\n')
                                     .filter(QRegularExpression("^[-+][^-+]"));
        QCOMPARE(diff, QStringList({"-mask=255.0.0.0", "+mask=255.255.255.0"}));
    }

    // A board that does not answer keeps its file; one that changes its version, to a hostile
    // text, has it escaped in the commit message.
    void silentAndHostileBoards()
    {
        QTemporaryDir dir;
        const QStringList backup{"backup", "127.0.8.30-32", "--into", dir.path(), "--git", "--json"};
        {
            Fleet fleet({"127.0.8.30-32,version=2.17,ident=30"});
            QCOMPARE(fleet.ctl(backup).exit, 0);
        }
        Fleet later(
            {"127.0.8.30,version=2.17,ident=30", "127.0.8.31,version=1.0\x1b[2J,ident=31"}); // .32 is gone
        const Run run = later.ctl(backup);
        QCOMPARE(statuses(run), QStringList({"unchanged", "changed", "silent"}));
        QVERIFY(QFile::exists(dir.filePath("127.0.8.32.conf")));
        const QString message = git(dir.path(), {"log", "-1", "--format=%B"});
        QVERIFY2(message.contains("127.0.8.31: version 2.17 → 1.0\\e[2J"), qPrintable(message));
        QVERIFY(!message.contains('\x1b'));
    }

    // The hook runs once a run changed something, with the run's JSON; its failure is said
    // and the backup stays.
    void theHookOfARunThatChanged_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("exit");
        QTest::newRow("it takes the run") << "cat > HOOKED" << 0;
        QTest::newRow("it fails") << "cat > HOOKED; exit 3" << 8;
    }
    void theHookOfARunThatChanged()
    {
        QFETCH(QString, command);
        QFETCH(int, exit);
        Fleet fleet({"127.0.8.40-41,version=2.17"});
        QTemporaryDir dir;
        const QString hooked = dir.filePath("hooked.json");
        const QStringList backup{"backup",
                                 "127.0.8.40-41",
                                 "--into",
                                 dir.filePath("boards"),
                                 "--git",
                                 "--on-change",
                                 command.replace("HOOKED", hooked)};
        const Run first = fleet.ctl(backup);
        QCOMPARE(first.exit, exit);
        QCOMPARE(commits(dir.filePath("boards")), 1); // the failure does not undo the backup
        QFile file(hooked);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonObject run = QJsonDocument::fromJson(file.readAll()).object();
        QCOMPARE(run["boards"].toArray().size(), 2);
        QCOMPARE(run["commit"].toString().size(), 40);
        if (exit != 0)
            QVERIFY(first.err.contains("--on-change command failed"));
        QVERIFY(QFile::remove(hooked));
        QCOMPARE(fleet.ctl(backup).exit, 0); // nothing changed: no hook
        QVERIFY(!QFile::exists(hooked));
    }
};

QTEST_GUILESS_MAIN(TestBackup)
#include "test_backup.moc"
