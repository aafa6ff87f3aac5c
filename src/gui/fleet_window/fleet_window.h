#pragma once
// The fleet window "Мережа плат": the boards of a dispatch network in one table, found by
// a survey or by what the network shows by itself, and actions on the selected rows. It
// lives beside the configurator, over its socket; see fleet.h.

#include "board/board_rules.h"
#include "client/board_jobs.h"
#include "client/job_result.h"
#include "net/adapters.h"
#include "store/settings_location.h"
#include "store/sites_file.h"
#include "wire/board_address.h"

#include <QElapsedTimer>
#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTableView;

namespace talvik {

namespace fleet {
class FleetFilter;
class FleetJobs;
class FleetModel;
class FleetSurvey;
class SitesWatch;
} // namespace fleet

class FleetDialogs;
class HistoryDialog;
class RepaintPacer;
class WritePreviewDialog;
struct JobPlan;

class FleetWindow : public QWidget {
    Q_OBJECT
  public:
    FleetWindow(fleet::FleetModel& model, fleet::FleetSurvey& survey, fleet::FleetJobs& jobs,
                FleetDialogs& dialogs, const SettingsLocation& settings, QWidget* parent = nullptr);

    // --- finding boards
    QRadioButton* fromRange;
    QLineEdit* first;
    QLineEdit* last;
    QRadioButton* fromList;
    QPlainTextEdit* list;
    QPushButton* hostsFile;
    QRadioButton* fromMyNetworks;
    QLabel* myNetworks; // what "my networks" are, before they are searched
    QComboBox* adapter; // "усі", or the adapter whose network "my networks" are; its data: the name
    QRadioButton* fromSite;
    QComboBox* site;         // the saved sites; the item's data is the name as the file keeps it
    QPushButton* saveAsSite; // the range or list under a name
    QPushButton* editSite;   // the chosen site renamed, its addresses changed, or removed
    QLabel* sitesProblem;    // what is wrong in the sites file, if anything
    QCheckBox* bothMemories;
    QPushButton* search;
    QPushButton* cancel;
    QProgressBar* progress;
    QLabel* status; // what the last survey lost to overload, or what the last job came to

    // --- the table
    QLineEdit* filter;
    QComboBox* showing; // the rows in a state (fleet::Showing), or all
    QLabel* shownCount; // "Показано 5 з 21 плати"
    QTableView* table = nullptr;
    fleet::FleetFilter* shown;

    // --- actions on the selected rows
    QPushButton* open;
    QPushButton* reboot;
    QPushButton* saveBackups;
    QPushButton* applyBackups;
    QPushButton* exportTable;
    QPushButton* compare;
    QPushButton* changeFields;
    QPushButton* history;
    QPushButton* replaceBoard;
    QPushButton* retryFailed;      // the last job again, on its boards that did not succeed
    QPushButton* compareReference; // the selected row as the reference of its site
    QLabel* summary;               // the last comparison

    // Where "open in configurator" takes a board.
    std::function<void(BoardAddress board)> openInConfigurator;
    // Calls back with whether the socket the answers come to is open (opened again if need
    // be, waiting a moment for a program that holds the port).
    std::function<void(const std::function<void(bool open)>&)> whenListening = [](const auto& done) {
        done(true);
    };
    // This machine's adapters (tests give their own), as adaptersNow() keeps them.
    std::function<QList<Adapter>()> adaptersHere;
    // Those, looked up again at most every AdapterLookupMs: what each row's adapter, the
    // address rules and the request client's waits follow.
    static constexpr int AdapterLookupMs = 10000;
    const QList<Adapter>& adaptersNow();
    Timing timing; // of each survey read
    // The folder of backups last compared with: when git keeps it, "Історія…" shows its commits too.
    QString backupFolder;

    // The boards of the selected rows, in the order shown.
    QList<BoardAddress> selectedBoards() const;

    // fleet_actions.cpp: one per button
    void startSearch();
    void chooseHostsFile();
    void openSelected();
    void rebootSelected();
    void saveSelectedBackups();
    void applyBackupsFrom(bool wholeFolder);
    void exportRows(bool allRows);
    void compareWithEarlier();
    void compareWithReference();
    // fleet_site_actions.cpp
    void saveRangesAsSite();
    void renameSite();
    void editSiteAddresses();
    void removeSite();
    // The sites file beside the settings file, read again: the choice and the column.
    void loadSites();
    // fleet_write_actions.cpp
    void changeSelectedFields();
    void showSelectedHistory();
    void replaceSelected();

    // fleet_window_settings.cpp: size, column widths, the last range and the operator, in TalvikCom.ini
    void loadSettings();
    bool saveSettings(QString* failure = nullptr);
    // "Оператор…": who runs the window's jobs, asked and kept.
    void askOperator();
    static constexpr int MostOperatorName = 100;

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override; // the system's colours changed: the marks follow
    void followPalette();
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* buildSurveyGroup();
    QWidget* buildFilterRow();
    QWidget* buildActions();
    void bindActions();
    // fleet_window_keys.cpp: the window by keyboard
    void bindKeys();
    void buildRowMenu();
    void showRowMenu(const QPoint& at, bool fromKeyboard); // `at` in the table's viewport
    void moveFocusRegion(int step);                        // F6, Ctrl+Tab: the next part of the window
    QWidget* focusTarget(QWidget* region) const;
    void showSites();
    void showShownCount();
    // The sites file read afresh for a change by the window; false (and said) when it cannot be.
    bool readSitesFile(SitesFile& file);
    bool saveSitesFile(SitesFile& file);
    void showMyNetworks();
    void showAdapters();
    void setBusy(bool busy);
    void showStatus(const QString& text); // empty: hidden
    // Every write of the window but a change of fields: a preview dialog over `over` with the
    // engine's dry run of the targets; "Записати" asks of that preview (askForce) and calls
    // `write` with the force chosen.
    WritePreviewDialog* previewThenWrite(QWidget* over, const QString& title, const QString& heading,
                                         const QList<WriteTarget>& targets,
                                         const std::function<void(bool force)>& write);
    // Where the rules refuse only what a force lets through: one question (over `asking`)
    // naming per board what will not be as planned. False when the operator said no.
    bool askForce(QWidget* asking, const QList<BoardResult>& planned, bool* force);
    // Writes what was planned, after askForce(). False when the operator said no.
    bool writePlanned(QWidget* asking, const QList<WriteTarget>& targets, const QList<BoardResult>& planned,
                      const QString& by, const QStringList& undone = {});
    // A job of the journal undone or retried: its preview, then the job.
    void runJobPlan(QWidget* over, const JobPlan& plan, const QString& question);
    void showKeptChanges(HistoryDialog* dialog, const QList<BoardAddress>& boards);
    std::optional<QList<BoardAddress>> boardsToSearch();

    fleet::FleetModel& model_;
    fleet::FleetSurvey& survey_;
    fleet::FleetJobs& jobs_;
    FleetDialogs& dialogs_;
    SettingsLocation settings_;
    fleet::SitesWatch* sites_ = nullptr;
    QList<Adapter> adapters_;
    QString chosenAdapter_; // by name; kept while that adapter is away (a cable out)
    QElapsedTimer adaptersAge_;
    QWidget* surveyBox_ = nullptr;
    QWidget* filterBox_ = nullptr;
    QWidget* actionsBox_ = nullptr;
    QMenu* rowMenu_ = nullptr;
    RepaintPacer* pacer_ = nullptr;
    RepaintPacer* progressPacer_ = nullptr;
};

} // namespace talvik
