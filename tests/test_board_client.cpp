// The request client under talvikctl, on a recording link: what it sends, which reply it
// takes, and when it gives up.

#include "client/board_client.h"
#include "recording_link.h"
#include "wire/board_address.h"

#include <QElapsedTimer>
#include <QMap>
#include <QSignalSpy>
#include <QtTest>

using namespace talvik;
using namespace talvik::test;

namespace {
const BoardAddress Board(0x7F000302); // 127.0.3.2
const QString BoardText = QStringLiteral("127.0.3.2");

BoardAddress plus(BoardAddress board, quint32 n)
{
    return BoardAddress(board.ipv4() + n);
}

bool isAnswer(BoardAddress, const QByteArray& d)
{
    return d.startsWith("answer");
}

// One request to one board, its reply once it is given or given up.
std::optional<BoardReply> request(BoardClient& client, BoardAddress board, const QByteArray& frame,
                                  const Timing& timing)
{
    std::optional<BoardReply> result;
    bool over = false;
    client.requestMany(
        {board}, [&](BoardAddress) { return frame; }, isAnswer, timing,
        [&](BoardAddress, const std::optional<BoardReply>& reply) { result = reply; }, [&] { over = true; });
    if (!QTest::qWaitFor([&] { return over; }, 10000))
        qWarning("the request never ended");
    return result;
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
        const auto reply = request(client, Board, "frame", Timing{50, 2});
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
        QCOMPARE(request(client, Board, "first", Timing{500, 0})->datagram, QByteArray("answer old"));
        QTimer::singleShot(5, [&] { link.deliver("answer old", BoardText); }); // the other port's
        QTimer::singleShot(10, [&] { link.deliver("answer new", BoardText); });
        QCOMPARE(request(client, Board, "second", Timing{500, 0})->datagram, QByteArray("answer new"));
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
        QList<BoardAddress> done;
        int finished = 0;
        const auto frame = [](BoardAddress) { return QByteArray("frame"); };
        const auto note = [&](BoardAddress board, const std::optional<BoardReply>& reply) {
            if (reply)
                done << board;
        };
        client.requestMany({Board}, frame, isAnswer, Timing{1000, 0}, note, [&] { ++finished; });
        client.requestMany({Board, plus(Board, 1), Board}, frame, isAnswer, Timing{1000, 0}, note,
                           [&] { ++finished; });
        QTRY_COMPARE(finished, 2);
        std::sort(done.begin(), done.end());
        QCOMPARE(done, QList<BoardAddress>({Board, Board, plus(Board, 1)}));
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
        QMap<BoardAddress, int> sentTo;
        int seen = 0;
        QTimer boards; // each board answers its n-th frame, as the row says
        connect(&boards, &QTimer::timeout, [&] {
            for (; seen < link.sent.size(); ++seen) {
                const BoardAddress board(link.sent[seen].host.toIPv4Address());
                const int n = ++sentTo[board];
                if (n == framesTillAnswer.value(int(board.ipv4() - Board.ipv4())))
                    link.deliver("answer", link.sent[seen].host.toString());
            }
            if (seen >= framesTillAnswer.size())
                link.drops = drops;
        });
        boards.start(1);
        QList<BoardAddress> asked;
        for (int i = 0; i < framesTillAnswer.size(); ++i)
            asked << plus(Board, quint32(i));
        QMap<BoardAddress, bool> answered;
        bool finished = false;
        client.requestMany(
            asked, [](BoardAddress) { return QByteArray("frame"); }, isAnswer, Timing{400, retries},
            [&](BoardAddress board, const std::optional<BoardReply>& reply) {
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
        QTimer::singleShot(4 * BoardClient::FloorMs, [&] { link.deliver("answer", "127.0.3.3"); });
        QList<BoardAddress> found;
        bool finished = false;
        client.requestMany(
            {Board, plus(Board, 1)}, [](BoardAddress) { return QByteArray("frame"); }, isAnswer,
            Timing{5000, 2},
            [&](BoardAddress board, const std::optional<BoardReply>& reply) {
                if (reply)
                    found << board;
            },
            [&] { finished = true; });
        QTRY_VERIFY_WITH_TIMEOUT(finished, 10000);
        QCOMPARE(found, QList<BoardAddress>({Board, plus(Board, 1)}));
    }

    // How long a silent board is waited for: as long as its network needs once a board of it
    // answered (doubled on each try), and the whole time-out on its last try, so that a board
    // far slower than its neighbours still counts; with a fixed timing, the time-out each try.
    void waitsFollowTheNetwork_data()
    {
        QTest::addColumn<bool>("fixed");
        QTest::addColumn<int>("secondTryBeforeMs"); // the silent board's second frame, at the latest
        QTest::addColumn<int>("secondTryAfterMs");  // and at the earliest
        QTest::newRow("adaptive") << false << 150 << BoardClient::FloorMs;
        QTest::newRow("fixed") << true << 2000 << 290;
    }
    void waitsFollowTheNetwork()
    {
        QFETCH(bool, fixed);
        QFETCH(int, secondTryBeforeMs);
        QFETCH(int, secondTryAfterMs);
        RecordingLink link;
        link.openListener();
        BoardClient client(link, {8026}, 8026);
        const BoardAddress fast = Board, silent = plus(Board, 1), slow = plus(Board, 2);
        QElapsedTimer clock;
        clock.start();
        QList<qint64> toSilent;
        int seen = 0;
        qint64 lastToSlow = 0, slowAnswered = 0;
        const auto look = [&] {
            for (; seen < link.sent.size(); ++seen) {
                const BoardAddress to(link.sent[seen].host.toIPv4Address());
                if (to == fast)
                    link.deliver("answer", link.sent[seen].host.toString());
                else if (to == silent)
                    toSilent << clock.elapsed();
                else if (to == slow)
                    lastToSlow = clock.elapsed();
            }
        };
        QTimer boards;
        connect(&boards, &QTimer::timeout, look);
        boards.start(1);
        QTimer::singleShot(300, [&] { // to its first frame
            look();                   // every frame sent so far seen
            slowAnswered = clock.elapsed();
            link.deliver("answer", "127.0.3.4");
        });
        QMap<BoardAddress, bool> answered;
        bool finished = false;
        client.requestMany(
            {fast, silent, slow}, [](BoardAddress) { return QByteArray("frame"); }, isAnswer,
            Timing{fixed ? 300 : 1000, 2, fixed},
            [&](BoardAddress b, const std::optional<BoardReply>& reply) { answered[b] = reply.has_value(); },
            [&] { finished = true; });
        QTRY_VERIFY_WITH_TIMEOUT(finished, 10000);
        QCOMPARE(answered.value(slow), true);
        QCOMPARE(answered.value(silent), false);
        QCOMPARE(toSilent.size(), 3);
        QVERIFY2(toSilent[1] >= secondTryAfterMs && toSilent[1] < secondTryBeforeMs,
                 qPrintable(QString::number(toSilent[1])));
        QVERIFY(client.paceOf(fast).smoothedMs >= 0);
        // At least since its last try: the waits are never shorter.
        QVERIFY(client.paceOf(slow).neededMs >= slowAnswered - lastToSlow - 1);
        QVERIFY(slowAnswered - lastToSlow > 0);
    }

    // A burst goes out at once, the rest at the pace, every board once when all answer.
    void requestsGoOutAtThePace()
    {
        RecordingLink link;
        link.openListener();
        BoardClient client(link, {8026, 8024}, 8026);
        QList<BoardAddress> boards;
        for (quint32 i = 1; i <= 200; ++i)
            boards << BoardAddress(0x7F000400 | i);
        int done = 0;
        client.requestMany(
            boards, [](BoardAddress) { return QByteArray("frame"); }, isAnswer, Timing{1000, 0},
            [&](BoardAddress, const std::optional<BoardReply>& reply) { done += reply ? 1 : 0; }, {});
        QCOMPARE(link.sent.size(), 2 * BoardClient::PaceBurst); // two ports each
        QTRY_COMPARE(link.sent.size(), 2 * 200);
        for (const SentDatagram& s : link.sent)
            link.deliver("answer", s.host.toString());
        QCOMPARE(done, 200);
    }
};

QTEST_GUILESS_MAIN(TestBoardClient)
#include "test_board_client.moc"
