#pragma once
// The fleet window's place beside the configurator: one process, one socket. Its requests
// go out over the configurator's link, from port 6767, as the configurator's own do; an
// answer they wait for fills the fleet table and not the configurator's read-back group
// (it is still counted and its sender shown there); every datagram with an identifier
// adds or refreshes its sender's row. F3 in the configurator opens the window; closing
// the configurator closes it too.

#include "client/board_client.h"
#include "fleet/fleet_jobs.h"
#include "fleet/fleet_model.h"
#include "fleet/fleet_survey.h"

#include <QObject>
#include <memory>

namespace talvik {

class FleetDialogs;
class FleetWindow;
class TForm1_Config_UDP;

class FleetWindowHost : public QObject {
    Q_OBJECT
  public:
    // `dialogs`: nullptr for the platform's.
    explicit FleetWindowHost(TForm1_Config_UDP& configurator, FleetDialogs* dialogs = nullptr);
    ~FleetWindowHost() override;

    FleetWindow& window(); // made when first needed
    void open();           // shown, in front, active
    fleet::FleetModel& model() { return model_; }
    fleet::FleetSurvey& survey() { return survey_; }
    BoardClient& client() { return client_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void openInConfigurator(BoardAddress board);

    TForm1_Config_UDP& configurator_;
    std::unique_ptr<FleetDialogs> ownDialogs_;
    FleetDialogs* dialogs_;
    BoardClient client_;
    fleet::FleetModel model_;
    fleet::FleetSurvey survey_;
    fleet::FleetJobs jobs_;
    fleet::Discovery discovery_;
    std::unique_ptr<FleetWindow> window_;
};

} // namespace talvik
