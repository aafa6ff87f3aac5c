#include "gui/fleet_window/fleet_window.h"

#include "fleet/fleet_filter.h"
#include "fleet/fleet_jobs.h"
#include "fleet/fleet_survey.h"
#include "fleet/fleet_texts.h"
#include "fleet/fleet_wording.h"
#include "gui/app/app_icon.h"
#include "gui/app/language.h"
#include "gui/app/texts.h"
#include "gui/fleet_window/fleet_dialogs.h"
#include "gui/fleet_window/repaint_pacer.h"
#include "wire/text_escapes.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QShowEvent>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace talvik {

namespace ft = fleet::texts;

namespace {
constexpr int RepaintMs = 100; // the table's repaints while rows stream in: ten a second

template <typename W> W* named(W* widget, const char* name, const QString& accessibleName = {})
{
    widget->setObjectName(QLatin1String(name));
    if (!accessibleName.isEmpty())
        widget->setAccessibleName(accessibleName);
    return widget;
}

// A label whose text is a value: a screen reader reads the value as its name.
void showValue(QLabel* label, const QString& text)
{
    label->setText(text);
    label->setAccessibleName(text);
}
} // namespace

FleetWindow::FleetWindow(fleet::FleetModel& model, fleet::FleetSurvey& survey, fleet::FleetJobs& jobs,
                         FleetDialogs& dialogs, const SettingsLocation& settings, QWidget* parent)
    : QWidget(parent, Qt::Window), networks(fleet::myNetworks), model_(model), survey_(survey), jobs_(jobs),
      dialogs_(dialogs), settings_(settings)
{
    setObjectName(QStringLiteral("FleetWindow"));
    setWindowTitle(ft::WindowTitle());
    setWindowIcon(appIcon());
    setAttribute(Qt::WA_QuitOnClose, false); // closing it leaves the configurator running

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildSurveyGroup());

    auto* filterRow = new QHBoxLayout;
    auto* filterLabel = new QLabel(ft::Filter());
    filter = named(new QLineEdit, "filter", ft::Filter());
    filter->setPlaceholderText(ft::FilterHint());
    filter->setClearButtonEnabled(true);
    for (QToolButton* clear : filter->findChildren<QToolButton*>())
        clear->setAccessibleName(ft::ClearFilter());
    filterLabel->setBuddy(filter);
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(filter, 1);
    summary = named(new QLabel, "summary");
    summary->hide(); // until a comparison has something to say
    filterRow->addWidget(summary);
    layout->addLayout(filterRow);

    shown = new fleet::FleetFilter(model_, this);
    table = named(new QTableView, "table", ft::TableName());
    table->setModel(shown);
    table->setSortingEnabled(true);
    table->sortByColumn(fleet::Address, Qt::AscendingOrder);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setAlternatingRowColors(true);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setStretchLastSection(true);
    // Shown beside the address, where a glance finds the boards that did not answer, and
    // its site; the model, its exports and the settings keep the columns in talvikctl's order.
    table->horizontalHeader()->moveSection(fleet::State, 1);
    table->horizontalHeader()->moveSection(fleet::Site, 2);
    const int widths[fleet::ColumnCount] = {105, 115, 60,  105, 105, 105, 130, 45, 80,
                                            105, 45,  105, 105, 100, 300, 110, 140};
    for (int c = 0; c < fleet::ColumnCount; ++c)
        table->setColumnWidth(c, widths[c]);
    layout->addWidget(table, 1);
    pacer_ = new RepaintPacer(table->viewport(), RepaintMs);
    connect(&model_, &QAbstractItemModel::rowsInserted, pacer_, &RepaintPacer::changed);
    connect(&model_, &QAbstractItemModel::dataChanged, pacer_, &RepaintPacer::changed);
    layout->addWidget(buildActions());

    bindActions();
    addLanguageMenu(this, settings_, [this](const QString& text) { dialogs_.message(this, text); });
    setBusy(false);
    first->setFocus(); // the range is typed first
    resize(1240, 680);
}

QWidget* FleetWindow::buildSurveyGroup()
{
    auto* group = named(new QGroupBox(ft::SurveyGroup()), "surveyGroup");
    auto* grid = new QGridLayout(group);

    fromRange = named(new QRadioButton(ft::FromRange()), "fromRange");
    fromRange->setChecked(true);
    first = named(new QLineEdit(QStringLiteral("192.168.1.1")), "first", ft::FirstAddress());
    last = named(new QLineEdit(QStringLiteral("192.168.1.254")), "last", ft::LastAddress());
    for (QLineEdit* e : {first, last})
        e->setMaximumWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("0000.0000.0000.0000")));
    auto* range = new QHBoxLayout;
    range->addWidget(first);
    range->addWidget(new QLabel(ft::RangeDash()));
    range->addWidget(last);
    range->addStretch(1);
    grid->addWidget(fromRange, 0, 0);
    grid->addLayout(range, 0, 1, 1, 2);

    fromList = named(new QRadioButton(ft::FromList()), "fromList");
    list = named(new QPlainTextEdit, "list", ft::FromList());
    list->setPlaceholderText(ft::ListHint());
    list->setTabChangesFocus(true);
    list->setFixedHeight(list->fontMetrics().height() * 3 + 12);
    hostsFile = named(new QPushButton(ft::HostsFile()), "hostsFile");
    hostsFile->setToolTip(ft::ChooseHosts());
    grid->addWidget(fromList, 1, 0, Qt::AlignTop);
    grid->addWidget(list, 1, 1);
    grid->addWidget(hostsFile, 1, 2, Qt::AlignTop);

    fromMyNetworks = named(new QRadioButton(ft::FromMyNetworks()), "fromMyNetworks");
    myNetworks = named(new QLabel, "myNetworks");
    grid->addWidget(fromMyNetworks, 2, 0);
    grid->addWidget(myNetworks, 2, 1, 1, 2);

    fromSite = named(new QRadioButton(ft::FromSite()), "fromSite");
    site = named(new QComboBox, "site", ft::FromSite());
    site->setMinimumContentsLength(24);
    site->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    saveAsSite = named(new QPushButton(ft::SaveAsSite()), "saveAsSite");
    auto* sites = new QHBoxLayout;
    sites->addWidget(site);
    sites->addWidget(saveAsSite);
    sites->addStretch(1);
    grid->addWidget(fromSite, 3, 0);
    grid->addLayout(sites, 3, 1, 1, 2);

    bothMemories = named(new QCheckBox(ft::BothMemories()), "bothMemories");
    grid->addWidget(bothMemories, 4, 0, 1, 3);

    search = named(new QPushButton(ft::Search()), "search");
    search->setDefault(true);
    cancel = named(new QPushButton(ft::Cancel()), "cancel");
    progress = named(new QProgressBar, "progress", ft::Progress());
    progress->setFormat(ft::ProgressFormat());
    progress->setRange(0, 1);
    progress->setValue(0);
    progress->setTextVisible(false); // until something runs
    status = named(new QLabel, "status");
    status->setAccessibleDescription(ft::Status());
    status->hide(); // until a survey has something to say
    status->setWordWrap(true);
    auto* run = new QHBoxLayout;
    run->addWidget(search);
    run->addWidget(cancel);
    run->addWidget(progress, 1);
    grid->addLayout(run, 5, 0, 1, 3);
    grid->addWidget(status, 6, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    return group;
}

QWidget* FleetWindow::buildActions()
{
    auto* box = new QWidget;
    auto* rows = new QVBoxLayout(box);
    rows->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;
    open = named(new QPushButton(ft::Open()), "open");
    reboot = named(new QPushButton(ft::Reboot()), "reboot");
    saveBackups = named(new QPushButton(ft::SaveBackups()), "saveBackups");
    applyBackups = named(new QPushButton(ft::ApplyBackups()), "applyBackups");
    exportTable = named(new QPushButton(ft::Export()), "exportTable");
    compare = named(new QPushButton(ft::Compare()), "compare");
    compare->setToolTip(ft::CompareTip());
    changeFields = named(new QPushButton(ft::ChangeFields()), "changeFields");
    history = named(new QPushButton(ft::History()), "history");
    replaceBoard = named(new QPushButton(ft::ReplaceBoard()), "replaceBoard");
    retryFailed = named(new QPushButton(ft::RetryFailed()), "retryFailed");
    retryFailed->setToolTip(ft::RetryFailedTip());
    compareReference = named(new QPushButton(ft::CompareWithReference()), "compareReference");
    compareReference->setToolTip(ft::CompareWithReferenceTip());
    // Where the backups or the rows come from is chosen on the button's menu.
    auto* applyMenu = new QMenu(applyBackups);
    applyMenu->addAction(ft::FromFolder(), this, [this] { applyBackupsFrom(true); });
    applyMenu->addAction(ft::FromFiles(), this, [this] { applyBackupsFrom(false); });
    applyBackups->setMenu(applyMenu);
    auto* exportMenu = new QMenu(exportTable);
    exportMenu->addAction(ft::ExportAll(), this, [this] { exportRows(true); });
    exportMenu->addAction(ft::ExportShown(), this, [this] { exportRows(false); });
    exportTable->setMenu(exportMenu);
    // Two rows, so that the window fits a 1024 px screen: what is done to boards, then files.
    for (QPushButton* b : {open, reboot, changeFields, history, replaceBoard, retryFailed})
        row->addWidget(b);
    row->addSpacing(12);
    row->addWidget(compareReference);
    row->addStretch(1);
    auto* files = new QHBoxLayout;
    for (QPushButton* b : {saveBackups, applyBackups, exportTable, compare})
        files->addWidget(b);
    files->addStretch(1);
    rows->addLayout(row);
    rows->addLayout(files);
    return box;
}

void FleetWindow::bindActions()
{
    connect(search, &QPushButton::clicked, this, &FleetWindow::startSearch);
    for (QLineEdit* e : {first, last}) // Enter in the range searches it
        connect(e, &QLineEdit::returnPressed, this, [this] {
            if (search->isEnabled())
                startSearch();
        });
    // A job's boards under way finish and are verified; pressed again, it ends at once.
    connect(cancel, &QPushButton::clicked, this, [this] {
        survey_.cancel();
        if (!jobs_.running())
            return;
        jobs_.stop();
        if (jobs_.stopping())
            showStatus(ft::Stopping());
    });
    connect(&jobs_, &fleet::FleetJobs::started, this, [this] { showStatus({}); });
    connect(hostsFile, &QPushButton::clicked, this, &FleetWindow::chooseHostsFile);
    connect(open, &QPushButton::clicked, this, &FleetWindow::openSelected);
    connect(reboot, &QPushButton::clicked, this, &FleetWindow::rebootSelected);
    connect(saveBackups, &QPushButton::clicked, this, &FleetWindow::saveSelectedBackups);
    connect(compare, &QPushButton::clicked, this, &FleetWindow::compareWithEarlier);
    connect(changeFields, &QPushButton::clicked, this, &FleetWindow::changeSelectedFields);
    connect(history, &QPushButton::clicked, this, &FleetWindow::showSelectedHistory);
    connect(replaceBoard, &QPushButton::clicked, this, &FleetWindow::replaceSelected);
    connect(compareReference, &QPushButton::clicked, this, &FleetWindow::compareWithReference);
    connect(saveAsSite, &QPushButton::clicked, this, &FleetWindow::saveRangesAsSite);
    connect(site, &QComboBox::activated, fromSite, [this] { fromSite->setChecked(true); });
    connect(retryFailed, &QPushButton::clicked, this, [this] {
        setBusy(true);
        jobs_.retryFailed();
    });
    connect(table, &QTableView::activated, this, &FleetWindow::openSelected); // Enter, a double click
    connect(filter, &QLineEdit::textChanged, shown, &fleet::FleetFilter::setText);
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        filter->setFocus(Qt::ShortcutFocusReason);
        filter->selectAll();
    });
    connect(fromMyNetworks, &QRadioButton::toggled, this, &FleetWindow::showMyNetworks);
    // Typing into a way of finding boards chooses it.
    connect(first, &QLineEdit::textEdited, fromRange, [this] { fromRange->setChecked(true); });
    connect(last, &QLineEdit::textEdited, fromRange, [this] { fromRange->setChecked(true); });
    connect(list, &QPlainTextEdit::textChanged, fromList, [this] {
        if (list->hasFocus())
            fromList->setChecked(true);
    });
    progressPacer_ = new RepaintPacer(progress, RepaintMs); // a survey moves it hundreds of times a second
    const auto showProgress = [this](int done, int total) {
        progressPacer_->changed();
        progress->setTextVisible(true);
        progress->setRange(0, qMax(total, 1));
        progress->setValue(done);
    };
    connect(&survey_, &fleet::FleetSurvey::progress, this, showProgress);
    connect(&jobs_, &fleet::FleetJobs::progress, this, showProgress);
    connect(&survey_, &fleet::FleetSurvey::finished, this, [this] {
        pacer_->flush();
        progressPacer_->flush();
        setBusy(jobs_.running());
        const quint64 lost = survey_.lostToOverload();
        showStatus(lost > 0 ? ft::lostToOverload(qint64(lost)) : QString());
    });
    connect(&jobs_, &fleet::FleetJobs::finished, this, [this] {
        pacer_->flush();
        progressPacer_->flush();
        setBusy(survey_.running());
        showStatus(fleet::summaryText(jobs_.lastSummary()));
    });
    connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { setBusy(survey_.running() || jobs_.running()); });
}

void FleetWindow::setBusy(bool busy)
{
    const bool selected = table->selectionModel()->hasSelection();
    search->setEnabled(!busy);
    cancel->setEnabled(busy);
    open->setEnabled(selected);
    for (QPushButton* b : {reboot, saveBackups, changeFields, history, replaceBoard, compareReference})
        b->setEnabled(selected && !busy);
    applyBackups->setEnabled(!busy);
    retryFailed->setEnabled(!busy && jobs_.canRetry());
}

void FleetWindow::showStatus(const QString& text)
{
    showValue(status, text);
    status->setVisible(!text.isEmpty());
}

void FleetWindow::showMyNetworks()
{
    const QList<AddressRange> found = networks();
    QStringList names;
    qint64 addresses = 0;
    for (const AddressRange& r : found) {
        names.append(dottedText(r.first & 0xFFFFFF00u) + QStringLiteral("/24"));
        addresses += r.size();
    }
    showValue(myNetworks, found.isEmpty() ? ft::NoNetworks() : ft::addressesIn(addresses, names));
}

void FleetWindow::showEvent(QShowEvent* event)
{
    // A size remembered on a larger screen, or the designed one, shrunk to fit this one
    // with room for the window's frame.
    if (const QScreen* on = screen(); on && !event->spontaneous()) {
        const QSize room = on->availableGeometry().size() - QSize(16, 48);
        if (width() > room.width() || height() > room.height())
            resize(size().boundedTo(room));
    }
    QWidget::showEvent(event);
    showMyNetworks();
    loadSites();
}

void FleetWindow::loadSites()
{
    SitesFile file(sitesFileBeside(settings_.writePath));
    QString why;
    if (!file.read(&why)) {
        dialogs_.message(this, ft::SitesUnreadable().arg(why));
        return;
    }
    sites_ = file.sites();
    const QString chosen = site->currentData().toString();
    site->clear();
    for (const Site& s : sites_) // a name is any text: shown with its control characters escaped
        site->addItem(escapeControls(s.name), s.name);
    if (sites_.isEmpty())
        site->setPlaceholderText(ft::NoSites());
    const int at = site->findData(chosen);
    site->setCurrentIndex(at >= 0             ? at
                          : site->count() > 0 ? 0
                                              : -1); // with a placeholder none is chosen by itself
    fromSite->setEnabled(!sites_.isEmpty());
    model_.setSites(SiteIndex(sites_));
}

QList<BoardAddress> FleetWindow::selectedBoards() const
{
    QList<int> rows;
    for (const QModelIndex& i : table->selectionModel()->selectedRows())
        rows.append(i.row());
    std::sort(rows.begin(), rows.end());
    QList<BoardAddress> boards;
    for (int row : rows)
        boards.append(model_.rowAt(shown->mapToSource(shown->index(row, 0)).row()).address);
    return boards;
}

void FleetWindow::closeEvent(QCloseEvent* event)
{
    QString why;
    if (!saveSettings(&why))
        dialogs_.message(this, texts::SettingsNotSaved().arg(settings_.writePath) + u'\n' + why);
    event->accept();
}

} // namespace talvik
