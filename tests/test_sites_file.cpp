// The sites file: the operator's text kept byte for byte where a change does not touch it,
// any name read back exactly, and a save that a full disk stops leaves the file as it was.

#include "file_limit.h"
#include "store/sites_file.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace talvik;

namespace {
const QByteArray Written = "# Об'єкти диспетчерської\r\n"
                           "\r\n"
                           "[вул. Шевченка, 12]\r\n"
                           "192.168.1.1-40   # ліфти 1-40\r\n"
                           "192.168.1.100\r\n"
                           "\r\n"
                           "# північ міста\r\n"
                           "[Район Північ]\r\n"
                           "10.0.7.1-254\r\n";

QByteArray fileText(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& text)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}
} // namespace

class TestSitesFile : public QObject {
    Q_OBJECT
  private slots:
    void readsWhatTheOperatorWrote()
    {
        QTemporaryDir dir;
        write(dir.filePath("sites.txt"), Written);
        SitesFile file(dir.filePath("sites.txt"));
        QVERIFY(file.read(nullptr));
        QCOMPARE(file.names(), QStringList({"вул. Шевченка, 12", "Район Північ"}));
        QCOMPARE(file.sites()[0].entries, QStringList({"192.168.1.1-40", "192.168.1.100"}));
        QCOMPARE(file.sites()[0].lines, QList<int>({4, 5}));
        const SiteIndex index(file.sites());
        QCOMPARE(index.of(BoardAddress(0xC0A80114)), QStringList{"вул. Шевченка, 12"}); // 192.168.1.20
        QCOMPARE(index.of(BoardAddress(0x0A000705)), QStringList{"Район Північ"});
    }

    // Each change touches its own lines; every other byte, CRLF and comments included, stays.
    void aChangeTouchesItsOwnLines_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("nothing") << "" << Written;
        QTest::newRow("addresses to a site")
            << "add вул. Шевченка, 12"
            << QByteArray(Written).replace("192.168.1.100\r\n", "192.168.1.100\r\n10.9.9.9\r\n");
        QTest::newRow("a new site") << "add Новий" << Written + "\r\n[Новий]\r\n10.9.9.9\r\n";
        QTest::newRow("a site renamed")
            << "rename Район Північ" << QByteArray(Written).replace("[Район Північ]", "[Північ, 2-а черга]");
        QTest::newRow("addresses kept, dropped and added: comments stay")
            << "set вул. Шевченка, 12" << QByteArray(Written).replace("192.168.1.100\r\n", "10.9.9.9\r\n");
        QTest::newRow("a site removed")
            << "remove вул. Шевченка, 12"
            << QByteArray(Written).replace("[вул. Шевченка, 12]\r\n192.168.1.1-40   # ліфти 1-40\r\n"
                                           "192.168.1.100\r\n\r\n# північ міста\r\n",
                                           "");
    }
    void aChangeTouchesItsOwnLines()
    {
        QFETCH(QString, change);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString path = dir.filePath("sites.txt");
        write(path, Written);
        SitesFile file(path);
        QVERIFY(file.read(nullptr));
        if (change.startsWith("add "))
            file.add(change.mid(4), {"10.9.9.9"});
        else if (change.startsWith("remove "))
            QVERIFY(file.remove(change.mid(7)));
        else if (change.startsWith("rename "))
            QVERIFY(file.rename(change.mid(7), "Північ, 2-а черга"));
        else if (change.startsWith("set "))
            QVERIFY(file.setEntries(change.mid(4), {"192.168.1.1-40", "10.9.9.9"}));
        QCOMPARE(file.save(nullptr), ReplaceResult::Saved);
        QCOMPARE(fileText(path), after);
    }

    // A line that names no board is named, with its line; the rest of its site still counts.
    void aBadLineIsNamedAndTheRestLoads()
    {
        QTemporaryDir dir;
        write(dir.filePath("sites.txt"), QByteArray(Written).replace("192.168.1.100", "192.168.1.300"));
        SitesFile file(dir.filePath("sites.txt"));
        QVERIFY(file.read(nullptr));
        const QList<SiteEntryProblem> bad = file.badEntries();
        QCOMPARE(bad.size(), 1);
        QCOMPARE(bad[0].site, QString("вул. Шевченка, 12"));
        QCOMPARE(bad[0].line, 5);
        QCOMPARE(bad[0].problem.text, QString("192.168.1.300"));
        const SiteIndex index(file.sites());
        QCOMPARE(index.of(BoardAddress(0xC0A80114)), QStringList{"вул. Шевченка, 12"}); // 192.168.1.20
        QCOMPARE(index.of(BoardAddress(0x0A000705)), QStringList{"Район Північ"});
    }

    // Any text is a name: control characters and backslashes are kept escaped in the file,
    // which stays one line a name, and read back exactly.
    void anyNameIsKeptExactly_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("Ukrainian") << "Район Північ, корпус «Б»";
        QTest::newRow("brackets") << "[a] ]b[";
        QTest::newRow("a line feed and ESC") << "two\nlines\x1b[2J";
        QTest::newRow("a backslash") << "C:\\sites\\x41";
        QTest::newRow("a formula") << "=HYPERLINK(\"x\",1)";
    }
    void anyNameIsKeptExactly()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        SitesFile file(dir.filePath("sites.txt"));
        QVERIFY(file.read(nullptr)); // none yet
        file.add(name, {"127.0.1.1-20"});
        QCOMPARE(file.save(nullptr), ReplaceResult::Saved);
        const QByteArray text = fileText(dir.filePath("sites.txt"));
        QCOMPARE(text.count('\n'), 2);
        QVERIFY(!text.contains('\x1b'));
        SitesFile again(dir.filePath("sites.txt"));
        QVERIFY(again.read(nullptr));
        QCOMPARE(again.names(), QStringList{name});
    }

    // A save the disk cannot hold leaves the file byte for byte and no file beside it.
    void aFullDiskLeavesTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("sites.txt");
        write(path, Written);
        SitesFile file(path);
        QVERIFY(file.read(nullptr));
        file.add("Новий", QStringList(2000, "10.9.9.9"));
        QString why;
        {
            const FileSizeLimit full(Written.size() + 100);
            QCOMPARE(file.save(&why), ReplaceResult::WriteFailed);
        }
        QVERIFY(!why.isEmpty());
        QCOMPARE(fileText(path), Written);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"sites.txt"});
    }
};

QTEST_GUILESS_MAIN(TestSitesFile)
#include "test_sites_file.moc"
