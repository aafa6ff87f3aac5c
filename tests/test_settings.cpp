// TalvikCom.ini: what a start reads, what a close writes, and what a damaged file does.

#include "settings/settings_location.h"
#include "window_fixture.h"

#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QtTest>
#include <sys/stat.h>

using namespace talvik;
using namespace talvik::test;

namespace {
// A start of the program on a given settings file.
struct Start : WindowFixture {
    explicit Start(const QString& path) : WindowFixture(WindowSetup().settings(path)) {}
};

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QString value(const QString& path, const QString& key)
{
    return QSettings(path, QSettings::IniFormat).value(key).toString();
}
} // namespace

class TestSettings : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path;

  private slots:
    void init() { path = dir.filePath(QString("case-%1.ini").arg(QTest::currentTestFunction())); }

    void firstStartInAnEmptyFolder()
    {
        Start s(path);
        auto& w = *s.window;
        QVERIFY(QFile::exists(path));
        QCOMPARE(QSettings(path, QSettings::IniFormat).childGroups(), QStringList{"6"});
        QCOMPARE(w.Ed_0->texts(), QStringList({"000", "000", "000", "000"}));
        QCOMPARE(w.ED_5->texts(), QStringList({"00", "1E", "00", "00", "00", "00"}));
        QCOMPARE(w.EdR1_0_IP_0->formattedText(), QString("000"));
        QVERIFY(!w.CheckBox2->isChecked());
        QVERIFY(!w.CheckBox4->isChecked());
        QVERIFY(w.ED_1->isHidden());
        QVERIFY(w.IND_MEdit->isHidden());
        QVERIFY(s.link.isListening());
        QVERIFY(s.messages.messages.isEmpty());
    }

    void everySavedValueSurvivesARestart()
    {
        {
            Start s(path);
            auto& w = *s.window;
            setAddress(w.Ed_0, "127.0.0.2");
            setAddress(w.ED_2, "192.168.1.20");
            setAddress(w.ED_3, "255.255.255.0");
            setAddress(w.ED_4, "192.168.1.1");
            w.CheckBox4->setChecked(true);
            setAddress(w.ED_1, "10.0.0.5");
            w.IND_MEdit->setValue(4321);
            const QStringList mac{"00", "1e", "C0", "A8", "7", ""};
            for (int i = 0; i < 6; ++i)
                w.ED_5->byte(i)->setText(mac[i]);
            setAddress(w.Panel1, "192.168.1.30");
            w.EdR1_0_IP_0->setValue(12);
            setAddress(w.ED_11, "1.2.3.4");
            s.close();
            QVERIFY(s.messages.messages.isEmpty());
        }
        QCOMPARE(QSettings(path, QSettings::IniFormat).childGroups().size(), 14);
        QCOMPARE(value(path, "0/1"), QString("127"));
        QCOMPARE(value(path, "0/4"), QString("002"));
        QCOMPARE(value(path, "11/1"), QString("001"));
        QCOMPARE(value(path, "5/2"), QString("1e"));
        QCOMPARE(value(path, "9/1"), QString("4321"));
        QCOMPARE(value(path, "10/1"), QString("1"));
        QCOMPARE(value(path, "1d/1"), QString("1"));

        Start s(path);
        auto& w = *s.window;
        QCOMPARE(w.Ed_0->texts(), QStringList({"127", "000", "000", "002"}));
        QCOMPARE(w.ED_2->texts(), QStringList({"192", "168", "001", "020"}));
        QCOMPARE(w.ED_3->texts(), QStringList({"255", "255", "255", "000"}));
        QCOMPARE(w.ED_4->texts(), QStringList({"192", "168", "001", "001"}));
        QCOMPARE(w.ED_1->texts(), QStringList({"010", "000", "000", "005"}));
        QCOMPARE(w.ED_5->texts(),
                 QStringList({"00", "1e", "C0", "A8", "7", ""})); // unchanged, not upper-cased
        QCOMPARE(w.Panel1->texts(), QStringList({"192", "168", "001", "030"}));
        QCOMPARE(w.EdR1_0_IP_0->formattedText(), QString("012"));
        QCOMPARE(w.IND_MEdit->formattedText(), QString("4321"));
        QVERIFY(w.CheckBox2->isChecked());
        QVERIFY(w.CheckBox4->isChecked());
        QCOMPARE(w.CheckBox2->text(), QString::fromUtf8("Динамічна IP адреса Пульта"));
        QVERIFY(w.ED_1->isVisibleTo(&w));
        QCOMPARE(w.ED_11->texts(), QStringList({"000", "000", "000", "000"})); // saved, never loaded
    }

    void theWindowKeepsItsDesignedBounds()
    {
        QPoint designed;
        {
            Start s(path);
            designed = s.window->pos();
            QCOMPARE(designed, QPoint(393, 137));
            QCOMPARE(value(path, "6/1"), QString("393"));
            s.window->move(20, 30);
            s.close();
        }
        QCOMPARE(value(path, "6/1"), QString("20"));
        Start s(path);
        QCOMPARE(s.window->pos(), designed);
        QCOMPARE(value(path, "6/2"), QString("137"));
    }

    void storedValues_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("firstOctet");
        QTest::addColumn<bool>("console");
        QTest::newRow("flag 0x1") << QByteArray("[10]\n1=0x1\n") << "000" << true;
        QTest::newRow("flag 7") << QByteArray("[10]\n1=7\n") << "000" << true;
        QTest::newRow("flag yes") << QByteArray("[10]\n1=yes\n") << "000" << false;
        QTest::newRow("flag 0") << QByteArray("[10]\n1=0\n") << "000" << false;
        QTest::newRow("octet 300") << QByteArray("[0]\n1=300\n") << "255" << false;
        QTest::newRow("octet with blanks") << QByteArray("[0]\n1= 12 \n") << "012" << false;
        QTest::newRow("octet not a number") << QByteArray("[0]\n1=abc\n2=7\n[10]\n1=1\n") << "000" << true;
        QTest::newRow("empty file") << QByteArray() << "000" << false;
        QTest::newRow("binary") << QByteArray("\x00\xff\x13[[\n=\x01\x02", 10) << "000" << false;
    }
    void storedValues()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QString, firstOctet);
        QFETCH(bool, console);
        writeFile(path, ini);
        Start s(path);
        QCOMPARE(s.window->Ed_0->octet(0)->formattedText(), firstOctet);
        QCOMPARE(s.window->CheckBox2->isChecked(), console);
        QVERIFY(s.link.isListening()); // a bad value never costs the listening socket
        QVERIFY(s.messages.errors.isEmpty());
    }

    void aSaveReplacesTheFileWhole()
    {
        {
            Start s(path);
            s.close();
        }
        const auto inode = [&] {
            struct stat st {};
            ::stat(QFile::encodeName(path).constData(), &st);
            return st.st_ino;
        };
        const auto before = inode();
        {
            Start s(path);
            setAddress(s.window->Ed_0, "127.0.0.3");
            s.close();
        }
        // written beside and renamed over the old file, so a failure or a kill during
        // the save leaves the old values or the new ones, never half of each
        QVERIFY(inode() != before);
        QCOMPARE(value(path, "0/4"), QString("003"));
        QVERIFY(QDir(dir.path())
                    .entryList(QDir::Files | QDir::Hidden)
                    .filter(QRegularExpression("~|tmp|\\.lock$"))
                    .isEmpty());
    }

    void aBadValueIsWrittenOverAtTheNextSave()
    {
        writeFile(path, "[0]\n1=abc\n2=7\n");
        {
            Start s(path);
            QCOMPARE(s.window->Ed_0->octet(1)->formattedText(), QString("007"));
            s.close();
        }
        QCOMPARE(value(path, "0/1"), QString("000"));
    }

    void aGarbageFileIsReplacedAtClose()
    {
        writeFile(path, QByteArray("\x00\xff\x13[[\n=\x01\x02", 10));
        {
            Start s(path);
            setAddress(s.window->Ed_0, "127.0.0.7");
            s.close();
            QVERIFY(s.messages.messages.isEmpty());
        }
        QCOMPARE(value(path, "0/4"), QString("007"));
    }

    void aFileThatIsAFolder()
    {
        QVERIFY(QDir().mkpath(path));
        Start s(path);
        QVERIFY(s.link.isListening());
        QCOMPARE(s.window->ED_5->byte(1)->text(), QString("1E"));
        s.close();
        QCOMPARE(s.messages.messages.size(), 1);
        QVERIFY(s.messages.messages[0].contains(path));
        QVERIFY(!s.link.isListening());
    }

    void anUnwritableFolderFallsBackToTheUsersFolder()
    {
        const QString user = dir.filePath("user-config");
        QCOMPARE(settingsPathIn("/proc", user), user + "/TalvikCom.ini");
        QCOMPARE(settingsPathIn(dir.path(), user), dir.filePath("TalvikCom.ini"));
    }

    void closingSavesTheOperatorsOwnAddress()
    {
        {
            Start s(path);
            auto& w = *s.window;
            setAddress(w.Ed_0, "192.168.1.5");
            w.Lab_IP1DblClick(nullptr); // 010.000.000.002 in force
            w.Ch_Box_Conf_IP->setChecked(true);
            setAddress(w.Ed_0, "127.0.0.99"); // typed while identifier mode is on
            s.close();
            QVERIFY(!w.Ch_Box_Conf_IP->isChecked());
        }
        QCOMPARE(value(path, "0/1"), QString("192"));
        QCOMPARE(value(path, "0/4"), QString("005"));
    }
};

QTEST_MAIN(TestSettings)
#include "test_settings.moc"
