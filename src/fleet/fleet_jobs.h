#pragma once
// Actions on the boards of the fleet table, each row showing how it goes: the
// configurator's reboot sequence board after board, backups of the permanent memory into a
// folder, and backups written back, each verified as talvikctl verifies it.

#include "client/board_client.h"
#include "fleet/fleet_model.h"

#include <QObject>
#include <QQueue>
#include <functional>

namespace talvik::fleet {

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
    void cancel();
    bool running() const { return running_; }

    Timing timing; // each reply; the reboot's wait is its own
    int rebootWaitSeconds = 30;

  signals:
    void progress(int done, int total);
    void finished();

  private:
    using Step = std::function<void(std::function<void()> next)>;
    void run(QList<Step> steps);
    void step();
    void rebootOne(quint32 board, const std::function<void()>& next);
    void applyOne(const BoardConfig& backup, const std::function<void()>& next);

    BoardClient& client_;
    FleetModel& model_;
    QQueue<Step> steps_;
    bool running_ = false;
    int done_ = 0, total_ = 0;
    quint64 generation_ = 0;
};

} // namespace talvik::fleet
