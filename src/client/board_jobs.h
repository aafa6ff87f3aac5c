#pragma once
// One engine for every operation on boards: reads (a survey), writes verified and
// journaled, reboots. talvikctl, the fleet window and the exporter run their jobs through
// it and only word and show what it reports, board by board.
//
// A read goes to every board at once, at the request client's pace. Writes and reboots go
// in waves in address order: 1 board, then 2, 4, 8 and so on up to MostInAWave; a wave
// ends before the next starts, and between waves the failure limit is checked (see
// FailureLimit): once it is reached no new board is started and the rest are reported
// as not tried. Every write is decided by decide() against the board's permanent memory,
// read first, and journaled before its frame leaves.

#include "client/board_client.h"
#include "client/job_result.h"
#include "journal/journal.h"
#include "wire/datagram.h"

#include <QObject>
#include <memory>
#include <vector>

namespace talvik {

class Journal;

struct JobOptions {
    // How long a reboot waited for is waited for, unless a front end is told otherwise.
    static constexpr int RebootWaitSeconds = 30;

    Timing timing;
    bool verify = true; // read the permanent memory back after a write
    bool force = false; // write also what the rules let a force through
    // An undo or a retry: write also over another's change since (the operator's own force;
    // a job run again keeps its `force`, never this).
    bool overwriteOthers = false;
    // Decide, and report what would be sent, board by board (BoardResult::frames): a write
    // reads each board's permanent memory as its base (a read changes nothing) and sends
    // nothing else; a reboot sends nothing.
    bool dryRun = false;
    // Send nothing to a board whose permanent memory holds the values already (Unchanged).
    bool skipUnchanged = false;
    FailureLimit limit;
    int rebootWaitSeconds = 0; // a reboot: read until the board answers, at most this long (0: no wait)
    QString by;                // what writes, as the journal records it ("talvikctl write")
    QString operatorName;      // who, where the front end was told (the system's user is the journal's)
    // What the journal's line of the job says beside what its targets say: what an undo
    // takes back (a job, or single writes), and the job a retry runs again.
    QString undoes;
    QStringList undoesWrites;
    QString retryOf;
    // An undo or a retry: a write refused when another job wrote its board meanwhile, checked
    // as its line is journaled (not with `force`).
    std::optional<JournalGuard> guard;
};

struct ReadSpec {
    Memory memory = Memory::Working;
    Completeness needed = Completeness::Block;
    bool permanentToo = false; // once a board answered, its permanent memory too
    Completeness permanentNeeded = Completeness::Block;
    bool dryRun = false; // report each board's frames, and send nothing
};

struct WriteTarget {
    BoardAddress board;
    WritePlan plan;
    // What the board works with, when the front end knows it: a write takes effect at its
    // next reboot where it differs. Without it the board is taken to work with what its
    // permanent memory held before the write.
    std::optional<BoardConfig> working = {};
};

// Where a broadcast read goes: an address, and the adapter it leaves through when a
// limited broadcast (255.255.255.255) must leave through one (its address and index).
struct BroadcastTarget {
    quint32 address = 0;
    quint32 source = 0;
    int adapterIndex = 0;
};

struct RebootTarget {
    BoardAddress board;
    std::optional<BoardAddress> waitAt; // where it answers after the reboot, when not at `board`
};

class BoardJobs : public QObject {
    Q_OBJECT
  public:
    static constexpr int MostInAWave = BoardClient::PaceBurst;
    // A write whose board another job wrote since its base was read reads it again, so often.
    static constexpr int MostBaseReads = 3;

    // `journal`: where writes are recorded before they are sent; without one nothing is written.
    BoardJobs(BoardClient& client, Journal* journal, QObject* parent = nullptr);
    ~BoardJobs() override;

    // One job at a time: each ends with finished(), every board of it reported once.
    void read(const QList<BoardAddress>& boards, const ReadSpec& spec, const Timing& timing);
    // One read to broadcast addresses (a network's, each of several adapters', or
    // 255.255.255.255 through one adapter), sent again each timeout as many times as the
    // retries; every board that answers with a configuration is reported, with its
    // permanent memory once all have answered when the spec asks for it. The link must be
    // allowed to broadcast.
    void readBroadcast(const QList<BroadcastTarget>& targets, const ReadSpec& spec, const Timing& timing);
    void readBroadcast(quint32 broadcast, const ReadSpec& spec, const Timing& timing)
    {
        readBroadcast({BroadcastTarget{broadcast}}, spec, timing);
    }
    void write(const QList<WriteTarget>& targets, const JobOptions& options);
    void reboot(const QList<RebootTarget>& targets, const JobOptions& options);

    // The targets whose plans are refused whatever their boards hold (a backup, or a change
    // on a file's fields: decided on the plan alone), as a write would report them. A front
    // end that writes all or nothing asks this before it starts the job.
    static QList<BoardResult> refusedBeforehand(const QList<WriteTarget>& targets, bool force);
    // No new frame that changes a board leaves: boards already sent a write finish and are
    // read back (a reboot sent is waited for), those still being read for their base (or
    // between a reboot's words) and those not started are reported cancelled.
    void stop();
    // Everything ends now: the boards under way and those not started are reported cancelled.
    void cancel();
    bool running() const { return job_ != nullptr; }
    // The running job's id in the journal, once its line is there (empty otherwise).
    QString jobId() const;
    void setJournal(Journal* journal) { journal_ = journal; }
    BoardClient& client() { return client_; }

  signals:
    void boardStarted(BoardAddress board);
    void boardDone(const BoardResult& result);
    void progress(int done, int total);
    void finished(const JobSummary& summary);

  private:
    struct Job;
    struct Task;
    using Answer = std::function<void(const std::optional<BoardReply>& reply, Reason why, qsizetype bytes)>;

    void begin(int total, JobKind kind);
    // The job's line in the journal, before its first frame; false when a write job may not start.
    bool journalJob();
    void reportPlanned(QList<BoardResult> planned);
    void broadcastRound();
    void ask(BoardAddress board, Memory memory, Completeness needed, const Timing& timing,
             const Answer& then);
    // Reads.
    void readDone(BoardAddress board, const std::optional<BoardReply>& reply, Reason why, qsizetype bytes);
    void flushPermanent();
    // Waves of writes and reboots, in address order.
    void startWaves(int kind, std::vector<std::unique_ptr<Task>> tasks, const JobOptions& options);
    void nextWave();
    void startTask(Task& task);
    void taskDone(Task& task);
    void writeBase(Task& task);
    void writeDecided(Task& task, const BoardConfig& now);
    void verify(Task& task, const QByteArray& frame, int read = 1);
    void rebootWords(Task& task);
    void sendReboot(Task& task);
    void report(BoardResult result);
    void end(Reason stoppedBy);
    bool alive(quint64 generation) const { return job_ && generation == generation_; }

    BoardClient& client_;
    Journal* journal_;
    std::unique_ptr<Job> job_;
    quint64 generation_ = 0;
};

} // namespace talvik
