#pragma once
// Actions on the boards of the fleet table, each row showing how it goes: the
// configurator's reboot sequence board after board, backups of the permanent memory into a
// folder, and writes (backups written back, one change on many boards, a board replaced,
// a write undone), each built on the board's permanent memory read first, journaled before
// its frame leaves, and verified as talvikctl verifies it.

#include "client/board_client.h"
#include "fleet/fleet_model.h"
#include "journal/journal.h"

#include <QObject>
#include <QQueue>
#include <functional>

namespace talvik::fleet {

// Who wrote, as the journal records it (beside "talvikctl write", "configurator").
namespace by {
inline const QString Apply = QStringLiteral("fleet window: apply");
inline const QString Change = QStringLiteral("fleet window: change fields");
inline const QString Replace = QStringLiteral("fleet window: replace board");
inline const QString Undo = QStringLiteral("fleet window: undo");
} // namespace by

class FleetJobs : public QObject {
    Q_OBJECT
  public:
    FleetJobs(BoardClient& client, FleetModel& model, QObject* parent = nullptr);

    // Board after board: the word frames "msi" and "vsi" twice, 100 ms apart, the reboot
    // frame; then its working configuration read each second until it answers (30 s).
    void reboot(const QList<quint32>& boards);
    // Each board's permanent memory (a whole reply, with a version) into folder/ADDRESS.conf.
    void saveBackups(const QList<quint32>& boards, const QString& folder);
    // Each backup to the board it names, then its permanent memory read back and compared;
    // a backup of the working configuration is not written.
    void applyBackups(const QList<BoardConfig>& backups);
    // Board after board: its permanent memory read, `change` applied to it, written. A
    // change that returns nothing leaves that board as it is (its row says why).
    using Change = std::function<std::optional<WriteFields>(const BoardConfig& now, QString* refused)>;
    void write(const QList<quint32>& boards, const Change& change, const QString& by);
    // Each board's permanent memory read, into the table, then `done` with what answered.
    void readPermanent(const QList<quint32>& boards,
                       const std::function<void(const QHash<quint32, BoardConfig>&)>& done);
    void cancel();
    bool running() const { return running_; }

    Timing timing; // each reply; the reboot's wait is its own
    int rebootWaitSeconds = 30;
    Journal* journal = nullptr; // where every write is recorded before it is sent

  signals:
    void progress(int done, int total);
    void finished();

  private:
    using Step = std::function<void(std::function<void()> next)>;
    void run(QList<Step> steps);
    void step();
    void rebootOne(quint32 board, const std::function<void()>& next);
    void readOnePermanent(quint32 board, const std::function<void(const std::optional<BoardConfig>&)>& then);
    void writeOne(quint32 board, const Change& change, const QString& by, const std::function<void()>& next);
    void sendAndVerify(quint32 board, const std::optional<BoardConfig>& before, const WriteFields& fields,
                       const QString& by, const std::function<void()>& next);

    BoardClient& client_;
    FleetModel& model_;
    QQueue<Step> steps_;
    bool running_ = false;
    int done_ = 0, total_ = 0;
    quint64 generation_ = 0;
};

} // namespace talvik::fleet
