// The request client under talvikctl, on a recording link: what it sends, which reply it
// takes, and when it gives up.

#include "client/board_client.h"
#include "client/field_change.h"
#include "client/write_checks.h"
#include "recording_link.h"
#include "wire/board_address.h"

#include <QMap>
#include <QSignalSpy>
#include <QtTest>

using namespace talvik;
using namespace talvik::test;

namespace {
const quint32 Board = 0x7F000302; // 127.0.3.2
const QString BoardText = QStringLiteral("127.0.3.2");

bool isAnswer(quint32, const QByteArray& d)
{
    return d.startsWith("answer");
}
} // namespace

class TestBoardClient : public QObject {
    Q_OBJECT
  private slots:
    // How many replies to drop before answering, and what the request gets.
    void retriesUntilAnswered_data()
    {
        QTest::addColumn<int>("silentAttempts");
        QTest::addColumn<bool>("answered");
        QTest::addColumn<int>("framesSent"); // 2 ports each attempt
        QTest::newRow("the first attempt") << 0 << true << 2;
        QTest::newRow("after a lost reply") << 1 << true << 4;
        QTest::newRow("never: 1 + 2 retries") << 3 << false << 6;
    }
    void retriesUntilAnswered()
    {
        QFETCH(int, silentAttempts);
        QFETCH(bool, answered);
        QFETCH(int, framesSent);
        RecordingLink link;
        link.openListener();
        BoardClient client(link, {8026, 8024}, 8026);
        int attempts = 0;
        QTimer board; // answers each attempt's first frame once the silent ones are over
        connect(&board, &QTimer::timeout, [&] {
            const int sentAttempts = int(link.sent.size()) / 2;
            if (sentAttempts > attempts) {
                attempts = sentAttempts;
                link.deliver("noise", BoardText);                   // not accepted
                link.deliver("answer from elsewhere", "127.0.3.9"); // another board
                if (attempts > silentAttempts)
                    link.deliver("answer " + QByteArray::number(attempts), BoardText);
            }
        });
        board.start(1);
        const auto reply = client.request(Board, "frame", isAnswer, Timing{50, 2});
        QCOMPARE(reply.has_value(), answered);
        QCOMPARE(link.sent.size(), framesSent);
        QCOMPARE(link.ports(), QList<quint16>({8026, 8024, 8026, 8024, 8026, 8024}).mid(0, framesSent));
        if (answered)
            QCOMPARE(reply->datagram, "answer " + QByteArray::number(silentAttempts + 1));
    }

    // A request went to two ports, so its second answer is still on its way when the
    // next request to that board starts: it must not be taken for the new reply.
    void aLateAnswerIsNotTheNextReply()
    {
        RecordingLink link;
        link.openListener();
        BoardClient client(link, {8026, 8024}, 8026);
        QTimer::singleShot(5, [&] { link.deliver("answer old", BoardText); });
        QCOMPARE(client.request(Board, "first", isAnswer, Timing{500, 0})->datagram,
                 QByteArray("answer old"));
        QTimer::singleShot(5, [&] { link.deliver("answer old", BoardText); }); // the other port's
        QTimer::singleShot(10, [&] { link.deliver("answer new", BoardText); });
        QCOMPARE(client.request(Board, "second", isAnswer, Timing{500, 0})->datagram,
                 QByteArray("answer new"));
        QCOMPARE(link.sent.last().data, QByteArray("second")); // sent after the old answer came in
    }

    // Each distinct board once: a board listed twice is asked once, and one another batch
    // is still waiting for waits its turn instead of being left out.
    void everyBoardIsReportedOnce()
    {
        RecordingLink link;
        link.openListener();
        BoardClient client(link, {8026}, 8026);
        QTimer boardsAnswer; // each frame is answered once
        int answered = 0;
        connect(&boardsAnswer, &QTimer::timeout, [&] {
            for (; answered < link.sent.size(); ++answered)
                link.deliver("answer", link.sent[answered].host.toString());
        });
        boardsAnswer.start(1);
        QList<quint32> done;
        int finished = 0;
        const auto frame = [](quint32) { return QByteArray("frame"); };
        const auto note = [&](quint32 board, const std::optional<BoardReply>& reply) {
            if (reply)
                done << board;
        };
        client.requestMany({Board}, frame, isAnswer, Timing{1000, 0}, note, [&] { ++finished; });
        client.requestMany({Board, Board + 1, Board}, frame, isAnswer, Timing{1000, 0}, note,
                           [&] { ++finished; });
        QTRY_COMPARE(finished, 2);
        std::sort(done.begin(), done.end());
        QCOMPARE(done, QList<quint32>({Board, Board, Board + 1}));
    }

    // Every board of a batch is asked at once (a burst, then at the pace); only those that
    // stay silent are asked again, each as long as it stays silent; an answer to an earlier
    // frame still counts; and a board whose answer this PC may have dropped is asked again
    // without using up a retry.
    void onlySilentBoardsAreAskedAgain_data()
    {
        QTest::addColumn<int>("retries");
        QTest::addColumn<quint64>("drops"); // counted by the link after the first frames
        // Per board: answered after its n-th frame (0: never), and the frames it got.
        QTest::addColumn<QList<int>>("framesTillAnswer");
        QTest::addColumn<QList<int>>("framesSent");
        QTest::newRow("answers at once, silent ones asked three times")
            << 2 << quint64(0) << QList<int>{1, 1, 0, 0} << QList<int>{1, 1, 3, 3};
        // A board that answered only when asked again shows loss: silent ones get twice the attempts.
        QTest::newRow("asked again until it answers")
            << 2 << quint64(0) << QList<int>{1, 2, 3, 0} << QList<int>{1, 2, 3, 6};
        QTest::newRow("no retry left, but answers were dropped")
            << 0 << quint64(5) << QList<int>{1, 2, 0, 0} << QList<int>{1, 2, 3, 3};
    }
    void onlySilentBoardsAreAskedAgain()
    {
        QFETCH(int, retries);
        QFETCH(quint64, drops);
        QFETCH(QList<int>, framesTillAnswer);
        QFETCH(QList<int>, framesSent);
        RecordingLink link;
        link.openListener();
        BoardClient client(link, {8026}, 8026);
        QMap<quint32, int> sentTo;
        int seen = 0;
        QTimer boards; // each board answers its n-th frame, as the row says
        connect(&boards, &QTimer::timeout, [&] {
            for (; seen < link.sent.size(); ++seen) {
                const quint32 board = link.sent[seen].host.toIPv4Address();
                const int n = ++sentTo[board];
                if (n == framesTillAnswer.value(int(board - Board)))
                    link.deliver("answer", link.sent[seen].host.toString());
            }
            if (seen >= framesTillAnswer.size())
                link.drops = drops;
        });
        boards.start(1);
        QList<quint32> asked;
        for (int i = 0; i < framesTillAnswer.size(); ++i)
            asked << Board + quint32(i);
        QMap<quint32, bool> answered;
        bool finished = false;
        client.requestMany(
            asked, [](quint32) { return QByteArray("frame"); }, isAnswer, Timing{2000, retries},
            [&](quint32 board, const std::optional<BoardReply>& reply) {
                answered[board] = reply.has_value();
            },
            [&] { finished = true; });
        QTRY_VERIFY_WITH_TIMEOUT(finished, 10000);
        for (int i = 0; i < asked.size(); ++i) {
            QCOMPARE(answered.value(asked[i]), framesTillAnswer[i] > 0);
            QCOMPARE(sentTo.value(asked[i]), framesSent[i]);
        }
    }

    // A board that answers after its first wait, to its first frame, is still found.
    void aLateAnswerIsFound()
    {
        RecordingLink link;
        link.openListener();
        BoardClient client(link, {8026}, 8026);
        QTimer::singleShot(1, [&] { link.deliver("answer", BoardText); }); // sets the wait short
        QTimer::singleShot(2 * BoardClient::WaitFloorMs, [&] { link.deliver("answer", "127.0.3.3"); });
        QList<quint32> found;
        bool finished = false;
        client.requestMany(
            {Board, Board + 1}, [](quint32) { return QByteArray("frame"); }, isAnswer, Timing{5000, 2},
            [&](quint32 board, const std::optional<BoardReply>& reply) {
                if (reply)
                    found << board;
            },
            [&] { finished = true; });
        QTRY_VERIFY_WITH_TIMEOUT(finished, 10000);
        QCOMPARE(found, QList<quint32>({Board, Board + 1}));
    }

    // A burst goes out at once, the rest at the pace, every board once when all answer.
    void requestsGoOutAtThePace()
    {
        RecordingLink link;
        link.openListener();
        BoardClient client(link, {8026, 8024}, 8026);
        QList<quint32> boards;
        for (quint32 i = 1; i <= 200; ++i)
            boards << (0x7F000400 | i);
        int done = 0;
        client.requestMany(
            boards, [](quint32) { return QByteArray("frame"); }, isAnswer, Timing{1000, 0},
            [&](quint32, const std::optional<BoardReply>& reply) { done += reply ? 1 : 0; }, {});
        QCOMPARE(link.sent.size(), 2 * BoardClient::PaceBurst); // two ports each
        QTRY_COMPARE(link.sent.size(), 2 * 200);
        for (const SentDatagram& s : link.sent)
            link.deliver("answer", s.host.toString());
        QCOMPARE(done, 200);
    }

    // An address and mask that would leave a board out of reach, before any write.
    void addressesNoBoardCanUse_data()
    {
        QTest::addColumn<QString>("ip");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("board"); // where the frame goes
        QTest::addColumn<bool>("dhcp");
        QTest::addColumn<QString>("problem"); // empty: none
        QTest::newRow("a usable one") << "10.1.2.3"
                                      << "255.255.255.0"
                                      << "10.1.2.3" << false << "";
        QTest::newRow("zero") << "0.0.0.0"
                              << "255.255.255.0"
                              << "10.1.2.3" << false << "no host's";
        QTest::newRow("zero on DHCP") << "0.0.0.0"
                                      << "0.0.0.0"
                                      << "10.1.2.3" << true << "";
        QTest::newRow("multicast") << "239.1.1.1"
                                   << "255.255.255.0"
                                   << "10.1.2.3" << false << "multicast";
        QTest::newRow("loopback for a board elsewhere") << "127.0.0.5"
                                                        << "255.0.0.0"
                                                        << "10.1.2.3" << false << "loopback";
        QTest::newRow("loopback for a simulated board") << "127.0.0.5"
                                                        << "255.0.0.0"
                                                        << "127.0.0.5" << false << "";
        QTest::newRow("the network of a /16") << "10.1.0.0"
                                              << "255.255.0.0"
                                              << "10.1.2.3" << false << "network";
        QTest::newRow("the broadcast of a /28") << "10.1.2.15"
                                                << "255.255.255.240"
                                                << "10.1.2.3" << false << "broadcast address of mask";
        QTest::newRow("a gap in the mask") << "10.1.2.3"
                                           << "255.0.255.0"
                                           << "10.1.2.3" << false << "gap";
    }
    void addressesNoBoardCanUse()
    {
        QFETCH(QString, ip);
        QFETCH(QString, mask);
        QFETCH(QString, board);
        QFETCH(bool, dhcp);
        QFETCH(QString, problem);
        WriteFields f;
        f.ip = octetsOf(*parseDottedDecimal(ip));
        f.mask = octetsOf(*parseDottedDecimal(mask));
        f.boardDhcp = dhcp;
        f.consoleDynamic = dhcp;
        QStringList found;
        for (IpProblem p : ipProblems(f, *parseDottedDecimal(board)))
            found.append(ipProblemText(p, f));
        QCOMPARE(found.size(), problem.isEmpty() ? 0 : 1);
        QVERIFY2(found.join(';').contains(problem), qPrintable(found.join(';')));
    }

    // The two address types move together, as in the configurator; what travels only with a
    // dynamic console is refused with a static one.
    void aChangeKeepsTheAddressTypesTogether_data()
    {
        QTest::addColumn<bool>("dhcpBefore");
        QTest::addColumn<bool>("dynamicBefore");
        QTest::addColumn<int>("dhcp");    // -1: not changed
        QTest::addColumn<int>("dynamic"); // -1: not changed
        QTest::addColumn<bool>("withIdent");
        QTest::addColumn<QString>("after"); // "dhcp dynamic", then the refused fields
        QTest::newRow("DHCP makes the console dynamic") << false << false << 1 << -1 << false << "1 1 ";
        QTest::newRow("a static console makes the board static")
            << true << true << -1 << 0 << false << "0 0 ";
        QTest::newRow("no DHCP leaves the console") << true << true << 0 << -1 << false << "0 1 ";
        QTest::newRow("an identifier with a static console")
            << false << false << -1 << -1 << true << "0 0 ident";
        QTest::newRow("an identifier made to travel") << false << false << -1 << 1 << true << "0 1 ";
    }
    void aChangeKeepsTheAddressTypesTogether()
    {
        QFETCH(bool, dhcpBefore);
        QFETCH(bool, dynamicBefore);
        QFETCH(int, dhcp);
        QFETCH(int, dynamic);
        QFETCH(bool, withIdent);
        QFETCH(QString, after);
        WriteFields before;
        before.boardDhcp = dhcpBefore;
        before.consoleDynamic = dynamicBefore;
        FieldChange change;
        if (dhcp >= 0)
            change.dhcp = dhcp == 1;
        if (dynamic >= 0)
            change.consoleDynamic = dynamic == 1;
        if (withIdent)
            change.ident = 7;
        const WriteFields f = withChange(before, change);
        QCOMPARE(QStringLiteral("%1 %2 %3")
                     .arg(int(f.boardDhcp))
                     .arg(int(f.consoleDynamic))
                     .arg(consoleOnlyGiven(f, change).join(',')),
                 after);
    }
};

QTEST_GUILESS_MAIN(TestBoardClient)
#include "test_board_client.moc"
