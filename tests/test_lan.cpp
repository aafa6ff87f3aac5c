// talvikctl on a PC with three adapters, as a dispatch PC has them: the office LAN with the
// default route, a lift network /26 and a lift network /23, boards behind each (TAPs of a
// network namespace of this test's own; support/fake_lan.h).

#include "ctl_fleet.h"
#include "fake_lan.h"
#include "fleet/fleet_survey.h"
#include "net/adapters.h"
#include "wire/board_address.h"

#include <QJsonArray>
#include <QSet>
#include <QtTest>

#include <unistd.h>

using namespace talvik;
using namespace talvik::sim;

namespace {
const QList<LanAdapter> Adapters{
    {"office0", "10.20.0.2/24"}, {"lift0", "192.168.10.1/26"}, {"lift1", "10.1.0.1/23"}};

QSet<QString> addressesIn(const QList<QJsonObject>& lines, const QString& key = "address")
{
    QSet<QString> out;
    for (const QJsonObject& o : lines)
        if (!o.contains("error") && o.contains(key))
            out.insert(o[key].toString());
    return out;
}
} // namespace

class TestLan : public QObject {
    Q_OBJECT
    std::unique_ptr<FakeLan> lan;
    QTemporaryDir dataHome;
    QSet<QString> officeBoards{"10.20.0.7", "10.20.0.8"};
    QSet<QString> lift0Boards{"192.168.10.5", "192.168.10.62"};
    QSet<QString> lift1Boards{"10.1.0.255", "10.1.1.0", "10.1.1.254"};

    Run ctl(const QStringList& args) { return runCtl(args, dataHome.path()); }

  private slots:
    void initTestCase()
    {
        if (qgetenv("TALVIK_FAKE_LAN") != "1")
            QSKIP("needs a network namespace of its own where TAPs can be made");
        QString error;
        lan = std::make_unique<FakeLan>(Adapters, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(lan->addBoards("office0", "10.20.0.7-8,version=2.17", &error));
        QVERIFY(lan->addBoards("lift0", "192.168.10.5,version=2.17", &error));
        QVERIFY(lan->addBoards("lift0", "192.168.10.62,version=2.17", &error));
        QVERIFY(lan->addBoards("lift1", "10.1.0.255-10.1.1.0,version=2.17", &error));
        QVERIFY(lan->addBoards("lift1", "10.1.1.254,version=2.17", &error));
    }
    void init()
    {
        lan->seen.clear();
        lan->asked.clear();
    }

    void adaptersAreListed()
    {
        const Run run = ctl({"adapters", "--json"});
        QCOMPARE(run.exit, 0);
        QMap<QString, QJsonObject> byName;
        for (const QJsonObject& o : run.json())
            byName.insert(o["name"].toString(), o);
        const auto is = [&](const char* name, const char* address, int prefix, const QJsonValue& broadcast,
                            bool loopback) {
            const QJsonObject o = byName.value(name);
            QCOMPARE(o["address"].toString(), QString(address));
            QCOMPARE(o["prefix"].toInt(), prefix);
            QCOMPARE(o["broadcast"], broadcast);
            QCOMPARE(o["loopback"].toBool(), loopback);
        };
        is("office0", "10.20.0.2", 24, "10.20.0.255", false);
        is("lift0", "192.168.10.1", 26, "192.168.10.63", false);
        is("lift1", "10.1.0.1", 23, "10.1.1.255", false);
        is("lo", "127.0.0.1", 8, "127.255.255.255", true);
    }

    // Through one adapter: its boards alone answer, each tagged with it, and not a frame
    // leaves by the others (the limited broadcast too goes out of the one chosen).
    void aBroadcastGoesOutOfTheAdapterChosen_data()
    {
        QTest::addColumn<QString>("adapter");
        QTest::newRow("the lift network /26") << "lift0";
        QTest::newRow("the lift network /23") << "lift1";
        QTest::newRow("by its address") << "10.1.0.1";
    }
    void aBroadcastGoesOutOfTheAdapterChosen()
    {
        QFETCH(QString, adapter);
        const QString name = adapter == "10.1.0.1" ? "lift1" : adapter;
        const Run run = ctl({"survey", "--broadcast", "--interface", adapter, "--json"});
        QCOMPARE(run.exit, 0);
        QCOMPARE(addressesIn(run.json()), name == "lift0" ? lift0Boards : lift1Boards);
        QCOMPARE(addressesIn(run.json(), "adapter"), QSet<QString>{name});
        QVERIFY(lan->framesOutOf(name) >= 2); // the directed broadcast and 255.255.255.255
        for (const LanAdapter& other : Adapters)
            if (other.name != name)
                QCOMPARE(lan->framesOutOf(other.name), 0);
    }

    // Without an adapter: out of every one, each board tagged with the adapter it is on.
    void aBroadcastGoesOutOfEveryAdapter()
    {
        const Run run = ctl({"survey", "--broadcast", "--json"});
        QCOMPARE(run.exit, 0);
        QCOMPARE(addressesIn(run.json()), officeBoards | lift0Boards | lift1Boards);
        for (const QJsonObject& o : run.json())
            if (o.contains("address"))
                QCOMPARE(o["adapter"].toString(), o["address"].toString().startsWith("192.168.10.") ? "lift0"
                                                  : o["address"].toString().startsWith("10.1.")     ? "lift1"
                                                                                                : "office0");
        for (const LanAdapter& a : Adapters) {
            QSet<quint32> to;
            for (const SeenFrame& f : lan->seen)
                if (f.adapter == a.name)
                    to.insert(f.to);
            QVERIFY2(to.contains(0xFFFFFFFFu), qPrintable(a.name));
        }
    }

    // Each network whole with its own prefix, the PC's own address left out: .255 and .0
    // inside a /23 are boards' addresses.
    void myNetworksHaveTheirOwnPrefixes_data()
    {
        QTest::addColumn<QString>("adapter");
        QTest::addColumn<int>("asked");
        QTest::newRow("/26") << "lift0" << 61;
        QTest::newRow("/23") << "lift1" << 509;
    }
    void myNetworksHaveTheirOwnPrefixes()
    {
        QFETCH(QString, adapter);
        QFETCH(int, asked);
        const Run run = ctl({"survey", "--my-networks", "--interface", adapter, "--json", "--retries", "0"});
        QVERIFY2(run.exit == 4, run.err.constData()); // most addresses are silent
        QCOMPARE(addressesIn(run.json()), adapter == "lift0" ? lift0Boards : lift1Boards);
        QCOMPARE(int(lan->asked.value(adapter).size()), asked);
        QCOMPARE(lan->framesOutOf("office0"), 0);
        QVERIFY(run.err.contains(adapter.toUtf8()));
    }

    void rangesAndAddressesByTheirNetwork()
    {
        QCOMPARE(ctl({"read", "10.1.0.255"}).exit, 0);
        const Run across = ctl({"survey", "10.1.0.250-10.1.1.5", "--json"});
        QCOMPARE(addressesIn(across.json()), (QSet<QString>{"10.1.0.255", "10.1.1.0"}));
        const Run cidr = ctl({"survey", "10.1.0.0/23", "--json", "--retries", "0"});
        QCOMPARE(addressesIn(cidr.json()), lift1Boards);
        QCOMPARE(ctl({"read", "10.1.1.255"}).exit, 2);    // the /23's broadcast
        QCOMPARE(ctl({"read", "192.168.10.63"}).exit, 2); // the /26's
    }

    // Frames from the adapter's address; a write through it is written and verified.
    void readAndWriteThroughAnAdapter_data()
    {
        QTest::addColumn<QString>("adapter");
        QTest::newRow("by name") << "lift0";
        QTest::newRow("by address") << "192.168.10.1";
    }
    void readAndWriteThroughAnAdapter()
    {
        QFETCH(QString, adapter);
        QCOMPARE(ctl({"read", "192.168.10.5", "--interface", adapter}).exit, 0);
        const QString mask = adapter == "lift0" ? "255.255.255.192" : "255.255.255.128";
        const Run write = ctl({"write", "192.168.10.5", "--mask", mask, "--interface", adapter});
        QVERIFY2(write.exit == 0, write.err.constData());
        QCOMPARE(dottedText(lan->board("192.168.10.5")->permanent().mask), mask);
        QVERIFY(!lan->seen.isEmpty());
        for (const SeenFrame& f : lan->seen)
            QCOMPARE(dottedText(f.from), QString("192.168.10.1"));
    }

    void anUnknownAdapterIsRefused()
    {
        const Run run = ctl({"read", "192.168.10.5", "--interface", "lift9"});
        QCOMPARE(run.exit, 2);
        for (const char* name : {"office0", "lift0", "lift1"})
            QVERIFY2(run.err.contains(name), run.err.constData());
        QVERIFY(lan->seen.isEmpty());
    }

    // 2 boards at once and 40 a good half second late, in one range: all 42 found in one
    // survey, with no option given.
    void aMixedNetworkIsFoundWhole()
    {
        QString error;
        QVERIFY(lan->addBoards("lift1", "10.1.1.10-11,version=2.17", &error));
        QVERIFY(lan->addBoards("lift1", "10.1.1.20-59,version=2.17,delay=600", &error));
        const Run run = ctl({"survey", "10.1.1.1-10.1.1.254", "--json"});
        QSet<QString> found = addressesIn(run.json());
        found.remove("10.1.1.0");
        found.remove("10.1.1.254");
        QCOMPARE(found.size(), 42);
    }

    // What the fleet window's "my networks" offers: each network named with its adapter.
    void theWindowsNetworksAreTheAdapters()
    {
        QStringList names;
        for (const Adapter& a : fleet::networksOf(adapters()))
            names.append(a.networkText());
        QCOMPARE(names,
                 (QStringList{"10.20.0.0/24 · office0", "192.168.10.0/26 · lift0", "10.1.0.0/23 · lift1"}));
        QCOMPARE(fleet::hostCount(fleet::networksOf(adapters())), 253 + 61 + 509);
    }
};

// Run inside a network namespace of its own, made here, so that the adapters made are
// this test's alone; skipped (77) where none can be made.
int main(int argc, char** argv)
{
    if (qgetenv("TALVIK_FAKE_LAN") != "1" && ::access("/dev/net/tun", R_OK | W_OK) == 0) {
        qputenv("TALVIK_FAKE_LAN", "1");
        QByteArrayList args{"unshare", "-n", argv[0]};
        for (int i = 1; i < argc; ++i)
            args.append(argv[i]);
        std::vector<char*> raw;
        for (QByteArray& a : args)
            raw.push_back(a.data());
        raw.push_back(nullptr);
        if (std::system("unshare -n true 2>/dev/null") == 0)
            execvp("unshare", raw.data());
        qunsetenv("TALVIK_FAKE_LAN");
    }
    if (qgetenv("TALVIK_FAKE_LAN") != "1") {
        fprintf(stderr, "test_lan: no network namespace with TAPs here; skipped\n");
        return 77;
    }
    QCoreApplication app(argc, argv);
    TestLan test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_lan.moc"
