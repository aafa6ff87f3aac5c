// TalvikCom.ini: what a start reads, what a close writes, and what a damaged file does.

#include "store/settings_location.h"
#include "window_fixture.h"

#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QtTest>
#include <csignal>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

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

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString value(const QString& path, const QString& key)
{
    return QSettings(path, QSettings::IniFormat).value(key).toString();
}

QByteArray utf16(const QByteArray& ascii) // as Windows' profile functions write a Unicode file
{
    QByteArray out("\xFF\xFE");
    for (const char c : ascii)
        out.append(c).append('\0');
    return out;
}

struct stat stampOf(const QString& path)
{
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st;
}

// A disk too full for the save, as far as this process's writes go.
struct FullDisk {
    rlimit old{};
    FullDisk()
    {
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead of ending the process
        ::getrlimit(RLIMIT_FSIZE, &old);
        const rlimit tiny{16, old.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &tiny);
    }
    ~FullDisk() { ::setrlimit(RLIMIT_FSIZE, &old); }
};

// A real full file system (ctest mounts one in a namespace of its own): fill what is left.
void fill(const QString& folder)
{
    QFile filler(folder + "/filler");
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    while (filler.write(QByteArray(512, '\0')) == 512) {
    }
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
        QTest::newRow("octet in quotes") << QByteArray("[0]\r\n1=\"12\"\r\n") << "012" << false;
        QTest::newRow("octet in single quotes") << QByteArray("[0]\r\n1='12'\r\n") << "012" << false;
        QTest::newRow("UTF-8 byte order mark") << QByteArray("\xEF\xBB\xBF[0]\r\n1=11\r\n") << "011" << false;
        QTest::newRow("UTF-16LE") << utf16("[0]\r\n1=11\r\n[1d]\r\n1=1\r\n") << "011" << true;
        QTest::newRow("a comment line is no key") << QByteArray("[0]\n;1=12\n1=7\n") << "007" << false;
        QTest::newRow("names in any case") << QByteArray("[1D]\r\n1=1\r\n") << "000" << true;
        QTest::newRow("the first of two sections") << QByteArray("[0]\n1=1\n[0]\n1=2\n") << "001" << false;
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

    // The operator's file is theirs: a save changes the program's own values and no
    // other byte. {L} {T} {W} {H} stand for the window's bounds, which every start writes.
    void theOperatorsFileIsKeptByteForByte_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QString>("condition");
        const QByteArray windows = "[0]\r\n1=192\r\n2=168\r\n3=001\r\n4=020\r\n"
                                   "[1]\r\n1=000\r\n2=000\r\n3=000\r\n4=000\r\n"
                                   "[11]\r\n1=000\r\n2=000\r\n3=000\r\n4=000\r\n"
                                   "[12]\r\n1=000\r\n2=000\r\n3=000\r\n4=000\r\n"
                                   "[2]\r\n1=192\r\n2=168\r\n3=001\r\n4=020\r\n"
                                   "[3]\r\n1=255\r\n2=255\r\n3=255\r\n4=000\r\n"
                                   "[4]\r\n1=192\r\n2=168\r\n3=001\r\n4=001\r\n"
                                   "[5]\r\n1=00\r\n2=1e\r\n3=C0\r\n4=A8\r\n5=01\r\n6=14\r\n"
                                   "[6]\r\n1={L}\r\n2={T}\r\n3={W}\r\n4={H}\r\n"
                                   "[7]\r\n1=000\r\n2=000\r\n3=000\r\n4=000\r\n"
                                   "[8]\r\n1=000\r\n[9]\r\n1=\r\n[10]\r\n1=0\r\n[1d]\r\n1=0\r\n";
        const QByteArray changed = QByteArray(windows).replace("4=020\r\n[1]", "4=003\r\n[1]");
        QTest::newRow("as the Windows program writes it") << windows << changed << "";
        QTest::newRow("UTF-16LE, as Windows writes a Unicode file") << windows << changed << "utf-16";
        // Not written at all: the same inode and time of change.
        QTest::newRow("nothing changed") << changed << changed << "unchanged";
        // Kept byte for byte, no temporary file left; one message at close, none at start.
        QTest::newRow("a full disk") << windows << windows << "full disk";
        QTest::newRow("read-only for everyone, even for root") << windows << windows << "read-only";
        QTest::newRow("a file that cannot be read") << windows << windows << "unreadable";
        QTest::newRow("another user's file keeps its owner") << windows << changed << "another owner";
        QTest::newRow("a mode of its own") << windows << changed << "own mode";

        // A comment, notes in Windows-1251, a path, a semicolon, a list, a MAC text of
        // three characters, the program's sections out of order and partly missing.
        const QByteArray foreign =
            "; kept by the dispatch office\r\n"
            "[\xcf\xf0\xe8\xec\xb3\xf2\xea\xe0]\r\n\xd2\xe5\xea\xf1\xf2=\xcb\xb3\xf4\xf2 \xb9"
            "1\r\n"
            "Path=C:\\Program Files\\Talvik\r\nSemi=12;34\r\nList=a,b,c\r\nQuoted=\"x\"\r\n"
            "\r\n"
            "[5]\r\n1=00\r\n2=ABC\r\n\r\n"
            "[0]\r\n1=192\r\n2=168\r\n3=001\r\n4=020\r\n"
            "[6]\r\n1={L}\r\n2={T}\r\n3={W}\r\n4={H}\r\n";
        QTest::newRow("foreign content")
            << foreign
            << QByteArray(foreign)
                   .replace("2=ABC\r\n", "2=ABC\r\n3=00\r\n4=00\r\n5=00\r\n6=00\r\n")
                   .replace("4=020\r\n", "4=003\r\n")
                   .append("[1]\r\n1=000\r\n2=000\r\n3=000\r\n4=000\r\n"
                           "[11]\r\n1=000\r\n2=000\r\n3=000\r\n4=000\r\n"
                           "[12]\r\n1=000\r\n2=000\r\n3=000\r\n4=000\r\n"
                           "[2]\r\n1=000\r\n2=000\r\n3=000\r\n4=000\r\n"
                           "[3]\r\n1=000\r\n2=000\r\n3=000\r\n4=000\r\n"
                           "[4]\r\n1=000\r\n2=000\r\n3=000\r\n4=000\r\n"
                           "[7]\r\n1=000\r\n2=000\r\n3=000\r\n4=000\r\n"
                           "[8]\r\n1=000\r\n[9]\r\n1=\r\n[10]\r\n1=0\r\n[1d]\r\n1=0\r\n")
            << "";

        const QByteArray lf =
            "[0]\n1=192\n2=168\n3=001\n4=020\n[Other]\nKey=v\n[6]\n1={L}\n2={T}\n3={W}\n4={H}";
        QTest::newRow("line feeds stay line feeds, a last line without one")
            << lf
            << QByteArray(lf)
                   .replace("4=020", "4=003")
                   .append("\n[1]\n1=000\n2=000\n3=000\n4=000\n[11]\n1=000\n2=000\n3=000\n4=000\n"
                           "[12]\n1=000\n2=000\n3=000\n4=000\n[2]\n1=000\n2=000\n3=000\n4=000\n"
                           "[3]\n1=000\n2=000\n3=000\n4=000\n[4]\n1=000\n2=000\n3=000\n4=000\n"
                           "[5]\n1=00\n2=1E\n3=00\n4=00\n5=00\n6=00\n[7]\n1=000\n2=000\n3=000\n4=000\n"
                           "[8]\n1=000\n[9]\n1=\n[10]\n1=0\n[1d]\n1=0\n")
            << "";
    }
    void theOperatorsFileIsKeptByteForByte()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QFETCH(QString, condition);
        QByteArray written, expected;
        {
            Start probe(dir.filePath("bounds.ini")); // where this platform puts the window
            const auto& w = *probe.window;
            const auto bounds = [&](QByteArray text) {
                text.replace("{L}", QByteArray::number(w.x()))
                    .replace("{T}", QByteArray::number(w.y()))
                    .replace("{W}", QByteArray::number(w.width()))
                    .replace("{H}", QByteArray::number(w.height()));
                return condition == "utf-16" ? utf16(text) : text;
            };
            written = bounds(before);
            expected = bounds(after);
        }
        const QString realFullDisk = qEnvironmentVariable("TALVIK_FULL_DISK");
        if (condition == "full disk" && !realFullDisk.isEmpty())
            path = realFullDisk + "/TalvikCom.ini";
        writeFile(path, written);
        const bool root = ::geteuid() == 0;
        if ((condition == "another owner" && !root) || (condition == "unreadable" && root))
            QSKIP(
                "needs root to give the file away; as root every file can be read (ctest runs it as nobody)");
        if (condition == "another owner")
            QCOMPARE(::chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
        const mode_t mode = condition == "read-only"       ? 0444
                            : condition == "unreadable"    ? 0200
                            : condition == "another owner" ? 0640
                            : condition == "own mode"      ? 0600
                                                           : 0644;
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode), 0);
        if (condition == "full disk" && !realFullDisk.isEmpty())
            fill(realFullDisk);
        const struct stat was = stampOf(path);
        const QStringList files = QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden);
        const bool fails = written == expected && condition != "unchanged";
        {
            std::optional<FullDisk> full;
            if (condition == "full disk" && realFullDisk.isEmpty())
                full.emplace();
            Start s(path);
            if (condition != "unreadable")
                QCOMPARE(readFile(path), written); // the start wrote the bounds the file already held
            QVERIFY(s.messages.messages.isEmpty());
            if (condition != "unchanged")
                setAddress(s.window->Ed_0, "192.168.1.3");
            s.close();
            QCOMPARE(s.messages.messages.size(), fails ? 1 : 0);
            if (fails)
                QVERIFY(s.messages.messages[0].contains(path));
        }
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode | 0400), 0);
        QCOMPARE(readFile(path), expected);
        const struct stat now = stampOf(path);
        QCOMPARE(now.st_uid, was.st_uid);
        QCOMPARE(now.st_gid, was.st_gid);
        QCOMPARE(now.st_mode, was.st_mode | 0400);
        if (written == expected) { // not even written over with the same bytes
            QCOMPARE(now.st_ino, was.st_ino);
            QCOMPARE(now.st_mtim.tv_sec, was.st_mtim.tv_sec);
            QCOMPARE(now.st_mtim.tv_nsec, was.st_mtim.tv_nsec);
        }
        QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden), files);
    }

    void aStoredMacTextIsKeptUnchanged()
    {
        writeFile(path, "[5]\r\n1=ABC\r\n2=1e\r\n");
        {
            Start s(path);
            QCOMPARE(s.window->ED_5->texts().mid(0, 2), QStringList({"ABC", "1e"}));
            s.close();
        }
        QVERIFY(readFile(path).startsWith("[5]\r\n1=ABC\r\n2=1e\r\n"));
    }

    // Garbage that is not INI is the operator's too: it stays, costs nothing at close
    // and the file does not grow from one run to the next.
    void aGarbageFileStaysAndStopsGrowing()
    {
        QByteArray garbage(1 << 20, '\0');
        for (int i = 0; i < garbage.size(); ++i)
            garbage[i] = char((qint64(i) * 7919) % 251); // some '[', '=' and line ends among them
        writeFile(path, garbage);
        qint64 size = 0;
        for (int run = 0; run < 3; ++run) {
            Start s(path);
            setAddress(s.window->Ed_0, "127.0.0.7");
            s.close();
            QVERIFY(s.messages.messages.isEmpty());
            const QByteArray now = readFile(path);
            QVERIFY(now.startsWith(garbage.left(garbage.lastIndexOf('\n'))));
            if (run > 0)
                QCOMPARE(now.size(), size);
            size = now.size();
        }
        Start s(path);
        QCOMPARE(s.window->Ed_0->texts(), QStringList({"127", "000", "000", "007"}));
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

    // An installed copy keeps its settings in the user's folder, and finds the file the
    // operator kept beside the executable until its first save.
    void whereAnInstalledCopyKeepsItsSettings_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("besideHasFile");
        QTest::addColumn<bool>("userHasFile");
        QTest::addColumn<QString>("reads");
        QTest::addColumn<QString>("writes");
        QTest::newRow("a folder of its own") << false << true << true << "beside"
                                             << "beside";
        QTest::newRow("installed, the user's file") << true << true << true << "user"
                                                    << "user";
        QTest::newRow("installed, the file beside it") << true << true << false << "beside"
                                                       << "user";
        QTest::newRow("installed, no file yet") << true << false << false << "user"
                                                << "user";
    }
    void whereAnInstalledCopyKeepsItsSettings()
    {
        QFETCH(bool, installed);
        QFETCH(bool, besideHasFile);
        QFETCH(bool, userHasFile);
        QFETCH(QString, reads);
        QFETCH(QString, writes);
        QTemporaryDir root;
        const QString exe = root.filePath("bin"), user = root.filePath("user");
        QDir().mkpath(exe);
        QDir().mkpath(user);
        if (besideHasFile)
            writeFile(exe + "/TalvikCom.ini", "[0]\r\n1=1\r\n");
        if (userHasFile)
            writeFile(user + "/TalvikCom.ini", "[0]\r\n1=2\r\n");
        const SettingsLocation at = settingsLocationIn(exe, user, installed);
        const auto file = [&](const QString& where) {
            return (where == "user" ? user : exe) + "/TalvikCom.ini";
        };
        QCOMPARE(at.readPath, file(reads));
        QCOMPARE(at.writePath, file(writes));
        QVERIFY(isInstalledFolder("/usr/bin"));
        QVERIFY(!isInstalledFolder(exe));
    }

    // Run by ctest as a user who cannot write to the folder (as nobody when ctest is root).
    void aReadOnlyExecutableFolder()
    {
        if (::geteuid() == 0)
            QSKIP("root writes anywhere; ctest runs this as another user");
        QTemporaryDir root;
        const QString exe = root.filePath("bin"), user = root.filePath("user");
        QDir().mkpath(exe);
        const QByteArray operators = "[0]\r\n1=192\r\n2=168\r\n3=001\r\n4=020\r\n[Notes]\r\nA=b\r\n";
        writeFile(exe + "/TalvikCom.ini", operators);
        QVERIFY(QFile::setPermissions(exe, QFile::ReadOwner | QFile::ExeOwner));
        {
            WindowFixture f(WindowSetup().folders(exe, user));
            QCOMPARE(f.window->Ed_0->texts(), QStringList({"192", "168", "001", "020"}));
            setAddress(f.window->Ed_0, "192.168.1.21");
            f.close();
            QVERIFY(f.messages.messages.isEmpty());
        }
        QCOMPARE(readFile(exe + "/TalvikCom.ini"), operators);
        QVERIFY(readFile(user + "/TalvikCom.ini")
                    .startsWith("[0]\r\n1=192\r\n2=168\r\n3=001\r\n4=021\r\n[Notes]"));
        WindowFixture again(WindowSetup().folders(exe, user)); // the latest save wins
        QCOMPARE(again.window->Ed_0->texts(), QStringList({"192", "168", "001", "021"}));
        QFile::setPermissions(exe, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
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
