#pragma once
// A world for random histories of jobs: simulated boards in this process, programs that run
// the engine's jobs on them as talvikctl's commands do (each with a socket of its own, all on
// one journal), and a model of what the boards hold and whose change each field is, checked
// against the boards, the frames that leave and the journal after every step.

#include "board_simulator.h"
#include "client/board_jobs.h"
#include "journal/journal.h"
#include "net/udp_link.h"

#include <QJsonObject>
#include <QTemporaryDir>
#include <memory>

namespace talvik::histories {

// A link that hands everything to the real one and shows each write frame before it leaves.
class TapLink : public Link {
    Q_OBJECT
  public:
    explicit TapLink(UdpLink& inner);
    std::function<void(BoardAddress board, const QByteArray& frame)> beforeWrite;

    bool openListener() override { return inner_.openListener(); }
    void closeListener() override { inner_.closeListener(); }
    bool isListening() const override { return inner_.isListening(); }
    bool sendFromListener(const QHostAddress& host, quint16 port, const QByteArray& datagram) override;
    int sendFromListener(const QHostAddress& host, const QList<quint16>& ports,
                         const QByteArray& datagram) override;
    int sendManyFromListener(const QList<Outgoing>& datagrams, const QList<quint16>& ports) override;
    bool sendFromClient(const QHostAddress& host, quint16 port, const QByteArray& datagram) override
    {
        return inner_.sendFromClient(host, port, datagram);
    }
    quint64 dropped() const override { return inner_.dropped(); }

  private:
    void watch(const QHostAddress& host, const QByteArray& datagram);
    UdpLink& inner_;
};

// One run of talvikctl: its socket, request client and engine, and the journal.
struct Program {
    Program(const QList<quint16>& ports, quint16 wordPort, const QString& journalFolder);
    UdpLink link;
    TapLink tap;
    BoardClient client;
    Journal journal;
    BoardJobs jobs;
};

// The journal's lines as the file has them, read without the journal's own code.
struct RawJournal {
    struct Line {
        int number = 0;
        QString kind;
        QJsonObject o;
    };
    QList<Line> lines;
    QString problem;           // a line, not the torn last one, that is no JSON object of a known kind
    QHash<QString, int> jobAt; // a job's line, by id

    static RawJournal read(const QString& path);
    QString rootOf(const QString& job) const;        // the job a retry retries, or the job itself
    QSet<QString> rollOut(const QString& job) const; // its root and every retry of it
    // Boards whose last line of the roll-out before `beforeLine` says they succeeded.
    QSet<quint32> succeededIn(const QSet<QString>& jobs, int beforeLine) const;
    QSet<quint32> refusedIn(const QSet<QString>& jobs, int beforeLine) const;
};

// What a step asks of a program: one of talvikctl's commands and how it is interrupted.
struct JobStep {
    enum Kind { Change, Apply, UndoJob, RetryJob, UndoBoard, Reboot, ConfiguratorWrite } kind = Change;
    QList<int> boards;
    FieldChange change;         // Change
    QList<WriteFields> backups; // Apply: one a board
    QString job;                // UndoJob, RetryJob: an id, or "last"
    bool force = false;
    bool defaultLimit = false; // the failure limit talvikctl has without --max-failures
    int stopAtMs = -1, cancelAtMs = -1, killAtMs = -1; // Ctrl-C once, twice; kill -9
    int journalRoom = -1; // the journal may grow by this many bytes only (-1: no limit)
    QString text() const;
};

class World : public QObject {
    Q_OBJECT
  public:
    static constexpr int TimeoutMs = 40;
    World(int boards, quint32 seed);
    ~World() override;

    int boardCount() const { return sim_.boardCount(); }
    BoardAddress address(int board) const;
    const WriteFields& permanent(int board) { return sim_.board(board).permanent(); }
    QString journalPath() const;
    QStringList jobIds() const; // the journal's, oldest first

    // A board's behaviour from now on.
    void setSilent(int board, bool on);
    void setIgnoresWrites(int board, bool on);
    void setLate(int board, bool on); // its answers come after the time-out
    // Someone else writes the board (another PC, the board's own console): no journal.
    void writeElsewhere(int board, const WriteFields& fields);

    // Runs the step's job (or two at once) to its end; the first fault found, if any.
    void run(const JobStep& step);
    void runTogether(const JobStep& a, const JobStep& b);
    // The checks of the journal after a step; the first fault found, if any.
    void checkJournal();
    QString fault() const { return faults_.value(0); }

  private:
    struct Author {
        QString job; // a job id, "elsewhere", or empty: what the board came with
        quint64 seq = 0;
    };
    struct Truth {
        QHash<QString, Author> byField;
        Author last; // the last write it stored, whoever sent it
        bool silent = false, ignoresWrites = false, late = false;
        bool healthy() const { return !silent && !ignoresWrites && !late; }
    };
    struct Running;

    bool start(Program& program, const JobStep& step);
    void interrupt(Program& program, const JobStep& step, Running& r);
    void afterJob(const JobStep& step, Running& r, bool alone);
    void onWrite(Running& r, BoardAddress board, const QByteArray& frame);
    void onStored(int board, const QByteArray& frame, const WriteFields& before);
    void noteStored(int board, const WriteFields& before, const QString& job);
    void checkOverwrite(const Running& r, int board, const WriteFields& now, const WriteFields& next);
    void checkUndone(const Running& r);
    void checkRetried(const Running& r);
    void checkCounts(const Running& r);
    void checkPlans(const Running& r);
    void fail(const QString& what);
    int indexOf(BoardAddress board) const;
    const RawJournal& raw();

    sim::BoardSimulator sim_;
    QTemporaryDir dir_;
    QList<Truth> truth_;
    quint64 seq_ = 0;
    QHash<QPair<int, QByteArray>, QString> sentBy_; // a write frame to a board: the job that sent it
    QHash<QString, quint64> startedAt_;             // a job's first step in `seq_`
    QSet<QString> journaled_;                       // "board frame-hex" of every write line so far
    qint64 journalRead_ = 0;
    RawJournal raw_;
    qint64 rawSize_ = -1;
    QStringList faults_;
};

} // namespace talvik::histories
