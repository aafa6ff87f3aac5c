// The fleet table without a window: what its rows show, how they sort and filter, the
// exports in talvikctl's formats, and the comparison with an earlier survey.

#include "board/backup_file.h"
#include "fleet/fleet_files.h"
#include "fleet/fleet_filter.h"
#include "fleet/fleet_survey.h"
#include "fleet/mark_colours.h"
#include "wire/board_address.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace talvik;
using namespace talvik::fleet;

namespace {
using Interfaces = QList<QPair<quint32, int>>; // address, prefix length

BoardAddress at(const char* dotted)
{
    return BoardAddress(*parseDottedDecimal(QLatin1String(dotted)));
}

BoardConfig board(const char* address, int ident, const char* mask = "255.255.255.0")
{
    BoardConfig c;
    c.address = at(address);
    c.fields.ip = octetsOf(c.address.ipv4());
    c.fields.mask = octetsOf(at(mask).ipv4());
    c.fields.gateway = {192, 168, 1, 1};
    c.fields.mac = {0x00, 0x1E, 0xC0, 0xA8, 0x01, quint8(c.address.ipv4())};
    c.fields.ident = quint16(ident);
    c.fields.consoleDynamic = true;
    c.version = QStringLiteral("2.17");
    c.memory = Memory::Working;
    return c;
}

QString cell(const FleetModel& m, BoardAddress address, Column c)
{
    return m.rowAt(m.rowOf(address)).cells.at(c);
}

// A link that only hands over what a test gives it.
struct QuietLink : Link {
    bool openListener() override { return true; }
    void closeListener() override {}
    bool isListening() const override { return true; }
    bool sendFromListener(const QHostAddress&, quint16, const QByteArray&) override { return false; }
    bool sendFromClient(const QHostAddress&, quint16, const QByteArray&) override { return false; }
};

void write(const QString& path, const QByteArray& text)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}
} // namespace

class TestFleetModel : public QObject {
    Q_OBJECT
  private slots:
    // Each way a board shows up gives its row; the cells read as the operator reads them.
    void rowsShowWhatWasLearned()
    {
        FleetModel m;
        BoardConfig dhcp = board("192.168.1.20", 7);
        dhcp.fields.boardDhcp = true;
        m.answered(at("192.168.1.20"), dhcp);
        m.noAnswer(at("192.168.1.21"), QStringLiteral("a short reply (12 bytes)"));
        m.seen(at("192.168.1.22"), 42);
        BoardConfig permanent = board("192.168.1.20", 7, "255.255.0.0");
        permanent.fields.boardDhcp = true;
        permanent.fields.branch = 3; // Луч too: the board takes it at its next reboot
        m.permanentRead(at("192.168.1.20"), permanent);

        QCOMPARE(m.rowCount(), 3);
        QCOMPARE(cell(m, at("192.168.1.20"), Dhcp), QString("так"));
        QCOMPARE(cell(m, at("192.168.1.20"), Console), QString("динамічна"));
        QCOMPARE(cell(m, at("192.168.1.20"), Column::Mac), QString("00:1E:C0:A8:01:14"));
        QCOMPARE(cell(m, at("192.168.1.20"), Pending), QString("так: Маска, Луч"));
        QCOMPARE(cell(m, at("192.168.1.20"), State), QString("відповіла"));
        QCOMPARE(cell(m, at("192.168.1.21"), State), QString("не відповідає (a short reply (12 bytes))"));
        QCOMPARE(cell(m, at("192.168.1.22"), Ident), QString("42"));
        QCOMPARE(cell(m, at("192.168.1.22"), State), QString("на зв'язку"));
        QVERIFY(!cell(m, at("192.168.1.22"), LastSeen).isEmpty());
        QCOMPARE(m.headerData(Pending, Qt::Horizontal, Qt::DisplayRole).toString(), QString("Пост. ≠ роб."));
    }

    void sortAndFilter_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<Showing>("showing");
        QTest::addColumn<QStringList>("shown"); // addresses, in the order shown
        QTest::newRow("addresses as numbers")
            << int(Address) << "" << Showing::All << QStringList{"10.0.0.9", "10.0.0.10", "10.0.0.100"};
        QTest::newRow("identifiers as numbers")
            << int(Ident) << "" << Showing::All << QStringList{"10.0.0.100", "10.0.0.9", "10.0.0.10"};
        QTest::newRow("any cell, any case")
            << int(Address) << "01:0a" << Showing::All << QStringList{"10.0.0.10"};
        QTest::newRow("did not answer") << int(Address) << "" << Showing::Silent << QStringList{"10.0.0.100"};
        QTest::newRow("new or missing since the earlier table")
            << int(Address) << "" << Showing::Compared << QStringList{"10.0.0.10", "10.0.0.100"};
        QTest::newRow("waiting for a reboot")
            << int(Address) << "" << Showing::AtReboot << QStringList{"10.0.0.9"};
        QTest::newRow("a state and a text")
            << int(Address) << "10.0.0.1" << Showing::Compared << QStringList{"10.0.0.10", "10.0.0.100"};
        QTest::newRow("nothing in the state")
            << int(Address) << "" << Showing::FromReference << QStringList{};
    }
    void sortAndFilter()
    {
        QFETCH(int, column);
        QFETCH(QString, filter);
        QFETCH(Showing, showing);
        QFETCH(QStringList, shown);
        FleetModel m;
        m.answered(at("10.0.0.10"), board("10.0.0.10", 20));
        m.answered(at("10.0.0.9"), board("10.0.0.9", 3));
        BoardConfig permanent = board("10.0.0.9", 3, "255.255.0.0");
        permanent.memory = Memory::Permanent;
        m.permanentRead(at("10.0.0.9"), permanent);
        m.noAnswer(at("10.0.0.100"), {});
        m.compareWith({{at("10.0.0.100"), recordOf(board("10.0.0.100", 1))},
                       {at("10.0.0.9"), recordOf(board("10.0.0.9", 3))}});
        m.setState(at("10.0.0.100"), {});
        FleetFilter f(m);
        f.sort(column);
        f.setText(filter);
        f.setShowing(showing);
        QStringList order;
        for (const Row* r : f.shownRows())
            order.append(dottedText(r->address));
        QCOMPARE(order, shown);
    }

    // Byte for byte what talvikctl's survey writes, so that either reads the other's files.
    void exportsInTalvikctlFormats_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("CSV") << int(Format::Csv)
                             << QByteArray(
                                    "address,ip,mask,router,mac,dhcp,console,dispatcher,ident,reserve1,"
                                    "reserve2,branch,version,error,site\n"
                                    "192.168.1.20,192.168.1.20,255.255.255.0,192.168.1.1,"
                                    "00:1E:C0:A8:01:14,0,dynamic,0.0.0.0,7,0.0.0.0,0.0.0.0,0,2.17,,\n"
                                    "192.168.1.21,,,,,,,,,,,,,\"не відповідає (a, b)\",\n");
        QTest::newRow("JSON Lines")
            << int(Format::JsonLines)
            << QByteArray(
                   "{\"address\":\"192.168.1.20\",\"branch\":0,\"console\":\"dynamic\",\"dhcp\":false,"
                   "\"dispatcher\":\"0.0.0.0\",\"ident\":7,\"ip\":\"192.168.1.20\",\"mac\":"
                   "\"00:1E:C0:A8:01:14\",\"mask\":\"255.255.255.0\",\"memory\":\"working\",\"reserve1\":"
                   "\"0.0.0.0\",\"reserve2\":\"0.0.0.0\",\"router\":\"192.168.1.1\",\"version\":\"2.17\"}\n"
                   "{\"address\":\"192.168.1.21\",\"error\":\"не відповідає (a, b)\"}\n");
    }
    void exportsInTalvikctlFormats()
    {
        QFETCH(int, format);
        QFETCH(QByteArray, text);
        FleetModel m;
        m.answered(at("192.168.1.20"), board("192.168.1.20", 7));
        m.noAnswer(at("192.168.1.21"), QStringLiteral("a, b"));
        const QList<const Row*> rows{&m.rowAt(0), &m.rowAt(1)};
        QCOMPARE(exportText(rows, Format(format)), text);
    }

    // What a board may call its version reaches no file raw: the CSV holds no control byte and
    // no cell a spreadsheet runs, the backup none either, the table shows the escapes; and a
    // comparison reads back exactly what the board sent.
    void hostileVersions_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("shown");   // in the table
        QTest::addColumn<QByteArray>("cell"); // in the CSV
        QTest::newRow("=HYPERLINK") << "=HYPERLINK(\"x\",1)"
                                    << "=HYPERLINK(\"x\",1)" << QByteArray("\"'=HYPERLINK(\"\"x\"\",1)\"");
        QTest::newRow("+") << "+1-2"
                           << "+1-2" << QByteArray("'+1-2");
        QTest::newRow("-") << "-2+3"
                           << "-2+3" << QByteArray("'-2+3");
        QTest::newRow("@") << "@SUM(1)"
                           << "@SUM(1)" << QByteArray("'@SUM(1)");
        QTest::newRow("a quote first") << "'x"
                                       << "'x" << QByteArray("''x");
        QTest::newRow("BEL, ESC") << "1\a\x1b[1m"
                                  << "1\\x07\\e[1m" << QByteArray("1\\x07\\e[1m");
        QTest::newRow("TAB, CR LF") << "\t1\r\n2"
                                    << "\\t1\\r\\n2" << QByteArray("\\t1\\r\\n2");
        QTest::newRow("a backslash") << "a\\b"
                                     << "a\\\\b" << QByteArray("a\\\\b");
        QTest::newRow("C1 and DEL") << QString("a\u0085\u007f") << "a\\x85\\x7f" << QByteArray("a\\x85\\x7f");
    }
    void hostileVersions()
    {
        QFETCH(QString, version);
        QFETCH(QString, shown);
        QFETCH(QByteArray, cell);
        FleetModel m;
        BoardConfig c = board("192.168.1.20", 7);
        c.version = version;
        m.answered(c.address, c);
        QCOMPARE(m.data(m.index(0, Version), Qt::DisplayRole).toString(), shown);
        const QByteArray csv = exportText({&m.rowAt(0)}, Format::Csv);
        QVERIFY2(csv.contains(',' + cell + ",,\n"), csv.constData()); // no error, no site
        c.memory = Memory::Permanent;
        const QByteArray backup = backupText(c);
        for (const QByteArray& text : {csv, backup})
            for (char ch : text)
                QVERIFY2(uchar(ch) >= 0x20 || ch == '\n', text.constData());
        QTemporaryDir dir;
        write(dir.filePath("survey.csv"), csv);
        QString why;
        const auto earlier = loadEarlier(dir.filePath("survey.csv"), &why);
        QVERIFY2(earlier, qPrintable(why));
        QCOMPARE(earlier->value(c.address).value("version"), version);
    }

    // The same earlier survey as an export of either format or a folder of backups: one
    // board new, one gone, one with a changed mask (and only that cell marked).
    void comparesWithAnEarlierSurvey_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("CSV") << "survey.csv";
        QTest::newRow("JSON Lines") << "survey.jsonl";
        QTest::newRow("backups") << "backups";
    }
    void comparesWithAnEarlierSurvey()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        FleetModel earlier;
        earlier.answered(at("192.168.1.20"), board("192.168.1.20", 1));
        earlier.answered(at("192.168.1.21"), board("192.168.1.21", 2, "255.255.0.0"));
        earlier.answered(at("192.168.1.22"), board("192.168.1.22", 3));
        earlier.noAnswer(at("192.168.1.30"), {}); // silent then: not in the comparison
        QString path = dir.filePath(kind);
        if (kind == QLatin1String("backups")) {
            QVERIFY(QDir(dir.path()).mkdir(kind));
            for (int r = 0; r < 3; ++r) {
                BoardConfig c = *earlier.rowAt(r).working;
                c.memory = Memory::Permanent;
                write(path + u'/' + dottedText(c.address) + QStringLiteral(".conf"), backupText(c));
            }
        }
        else {
            QList<const Row*> rows;
            for (int r = 0; r < earlier.rowCount(); ++r)
                rows.append(&earlier.rowAt(r));
            QString why;
            QVERIFY2(exportRows(rows, path, &why), qPrintable(why));
        }

        FleetModel now;
        now.answered(at("192.168.1.20"), board("192.168.1.20", 1));
        now.answered(at("192.168.1.21"), board("192.168.1.21", 2));
        now.answered(at("192.168.1.23"), board("192.168.1.23", 4));
        QString why;
        const auto loaded = loadEarlier(path, &why);
        QVERIFY2(loaded, qPrintable(why));
        const FleetModel::Summary s = now.compareWith(*loaded);
        QCOMPARE((QList<qint64>{s.added, s.missing, s.changed}), (QList<qint64>{1, 1, 1}));
        QCOMPARE(now.rowAt(now.rowOf(at("192.168.1.21"))).changed, QSet<int>{Mask});
        QCOMPARE(now.rowAt(now.rowOf(at("192.168.1.23"))).mark, Mark::New);
        const Row& gone = now.rowAt(now.rowOf(at("192.168.1.22")));
        QCOMPARE(gone.mark, Mark::Missing);
        QCOMPARE(gone.cells.at(Ip), QString("192.168.1.22")); // what it was
        QCOMPARE(now.data(now.index(now.rowOf(at("192.168.1.21")), Mask), Qt::ToolTipRole).toString(),
                 QString("змінена, було: 255.255.0.0"));
    }

    // Every mark's colour is a tint of the palette's base under which its text keeps 4.5:1,
    // and shows (differs from the base); the selection keeps 4.5:1 under its text too. Light,
    // dark and high-contrast palettes, as the systems give them.
    void marksReadInEveryPalette_data()
    {
        QTest::addColumn<QColor>("base");
        QTest::addColumn<QColor>("text");
        QTest::addColumn<QColor>("highlight");
        QTest::addColumn<QColor>("highlightedText");
        QTest::newRow("light (Fusion)")
            << QColor(Qt::white) << QColor(Qt::black) << QColor("#308cc6") << QColor(Qt::white);
        QTest::newRow("dark") << QColor("#2a2a2a") << QColor("#e6e6e6") << QColor("#2a82da")
                              << QColor(Qt::white);
        QTest::newRow("Windows' high contrast black")
            << QColor(Qt::black) << QColor(Qt::white) << QColor("#1aebff") << QColor(Qt::black);
        QTest::newRow("high contrast white")
            << QColor(Qt::white) << QColor(Qt::black) << QColor("#37006e") << QColor(Qt::white);
    }
    void marksReadInEveryPalette()
    {
        QFETCH(QColor, base);
        QFETCH(QColor, text);
        QFETCH(QColor, highlight);
        QFETCH(QColor, highlightedText);
        for (Tint t : {Tint::Reference, Tint::Changed, Tint::New, Tint::Missing}) {
            const QColor c = markBackground(t, base, text);
            QVERIFY2(contrast(text, c) >= 4.5, qPrintable(c.name()));
            QVERIFY2(c != base, qPrintable(c.name()));
        }
        QVERIFY(contrast(highlightedText, readableHighlight(highlight, highlightedText)) >= 4.5);
        FleetModel m; // and as the table shows them: no fixed text colour over the tint
        m.setColours(base, text);
        m.answered(at("192.168.1.20"), board("192.168.1.20", 1));
        m.compareWith({});
        const QModelIndex cell = m.index(0, Address);
        QCOMPARE(m.rowAt(0).mark, Mark::New);
        QCOMPARE(m.data(cell, Qt::BackgroundRole).value<QColor>(), markBackground(Tint::New, base, text));
        QVERIFY(!m.data(cell, Qt::ForegroundRole).isValid());
    }

    // Datagrams with an identifier add rows by themselves: from a board's address only,
    // and no more than the table may hold, whoever the senders claim to be.
    void boardsShowThemselves()
    {
        QuietLink link;
        FleetModel m;
        BoardClient client(link, {8026}, 8026);
        Discovery discovery(client, m, 6767, 3);
        const QByteArray ident = QByteArray("..iden") + char(0x39) + char(0x30); // 12345
        const QByteArray ownWrite = buildWriteFrame({});
        emit link.datagramsArrived(
            {{ident, at("192.168.1.20").ipv4(), 8026},
             {ident, at("192.168.1.255").ipv4(), 8026},
             {"no identifier", at("192.168.1.21").ipv4(), 8026},
             {ident, at("127.0.0.1").ipv4(), 6767},      // this program's own port
             {ownWrite, at("192.168.1.2").ipv4(), 8026}, // a frame of its own, come back
             {"iden", at("192.168.1.22").ipv4(), 8026},  // a tag and no identifier
             {ident, at("192.168.1.23").ipv4(), 8026},
             {ident, at("192.168.1.24").ipv4(), 8026}});
        QTRY_COMPARE(m.rowCount(), 3);
        QTest::qWait(2 * Discovery::IntervalMs);
        QCOMPARE(m.rowCount(), 3);
        QCOMPARE(cell(m, at("192.168.1.20"), Ident), QString("12345"));
        QCOMPARE(cell(m, at("192.168.1.22"), Ident), QString());
        QCOMPARE(m.rowOf(at("192.168.1.255")), -1);
        QCOMPARE(m.rowOf(at("127.0.0.1")), -1);
    }

    void aFileThatIsNoSurvey()
    {
        QTemporaryDir dir;
        write(dir.filePath("notes.csv"), "just,some\ncells,here\n");
        QString why;
        QVERIFY(!loadEarlier(dir.filePath("notes.csv"), &why));
        QVERIFY(!why.isEmpty());
    }

    // Each adapter's network once, with its own prefix, around the PC's own address;
    // loopback, link-local, host and point-to-point addresses are no network of boards.
    void myNetworks_data()
    {
        QTest::addColumn<Interfaces>("addresses");
        QTest::addColumn<QString>("only");
        QTest::addColumn<QStringList>("hosts");
        QTest::newRow("the test's namespace") << Interfaces{{at("127.0.0.1").ipv4(), 8},
                                                            {at("192.168.1.1").ipv4(), 24},
                                                            {at("10.0.0.2").ipv4(), 32}}
                                              << QString() << QStringList{"192.168.1.2-192.168.1.254"};
        QTest::newRow("a /26 lift network, the PC in its middle")
            << Interfaces{{at("192.168.10.30").ipv4(), 26}} << QString()
            << QStringList{"192.168.10.1-192.168.10.29", "192.168.10.31-192.168.10.62"};
        QTest::newRow("a /23 is whole, across its /24s")
            << Interfaces{{at("10.1.0.1").ipv4(), 23}} << QString() << QStringList{"10.1.0.2-10.1.1.254"};
        QTest::newRow("a /16 whole; link-local left out")
            << Interfaces{{at("10.7.3.9").ipv4(), 16}, {at("169.254.3.3").ipv4(), 16}} << QString()
            << QStringList{"10.7.0.1-10.7.3.8", "10.7.3.10-10.7.255.254"};
        QTest::newRow("two addresses in one network: it once")
            << Interfaces{{at("192.168.5.10").ipv4(), 24}, {at("192.168.5.11").ipv4(), 24}} << QString()
            << QStringList{"192.168.5.1-192.168.5.9", "192.168.5.11-192.168.5.254"};
        QTest::newRow("one adapter chosen")
            << Interfaces{{at("10.20.0.2").ipv4(), 24}, {at("192.168.10.1").ipv4(), 26}} << QString("if1")
            << QStringList{"192.168.10.2-192.168.10.62"};
    }
    void myNetworks()
    {
        QFETCH(Interfaces, addresses);
        QFETCH(QString, only);
        QFETCH(QStringList, hosts);
        QList<Adapter> list;
        for (const auto& [address, prefix] : addresses) {
            Adapter a{QString("if%1").arg(list.size()), int(list.size()) + 1, address, prefix};
            a.loopback = isLoopback(address);
            list.append(a);
        }
        QCOMPARE(hostsOf(networksOf(list, only)), hosts);
    }
};

QTEST_GUILESS_MAIN(TestFleetModel)
#include "test_fleet_model.moc"
