#include "gui/fleet_window/fleet_window.h"

#include "fleet/fleet_filter.h"
#include "fleet/fleet_jobs.h"
#include "fleet/fleet_sites.h"
#include "fleet/fleet_survey.h"
#include "fleet/fleet_wording.h"
#include "fleet/mark_colours.h"
#include "gui/app/app_icon.h"
#include "gui/app/language.h"
#include "gui/fleet_window/fleet_dialogs.h"
#include "gui/fleet_window/repaint_pacer.h"
#include "wire/text_escapes.h"

#include <QAction>
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
#include <QRegularExpression>
#include <QScreen>
#include <QShortcut>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace talvik {

namespace {
constexpr int RepaintMs = 100; // the table's repaints while rows stream in: ten a second

template <typename W> W* named(W* widget, const char* name, const QString& accessibleName = {})
{
    widget->setObjectName(QLatin1String(name));
    if (!accessibleName.isEmpty())
        widget->setAccessibleName(accessibleName);
    return widget;
}

// A caption without its mnemonic's marker, as a screen reader names what it labels.
QString withoutMnemonic(QString text)
{
    return text.replace(QRegularExpression(QStringLiteral("&(.)")), QStringLiteral("\\1"));
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
    : QWidget(parent, Qt::Window), adaptersHere(adapters), model_(model), survey_(survey), jobs_(jobs),
      dialogs_(dialogs), settings_(settings)
{
    setObjectName(QStringLiteral("FleetWindow"));
    setWindowTitle(tr("Мережа плат"));
    setWindowIcon(appIcon());
    setAttribute(Qt::WA_QuitOnClose, false); // closing it leaves the configurator running

    sites_ = new fleet::SitesWatch(sitesFileBeside(settings_.writePath), this);
    sites_->prefixOf = livePrefixes();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(surveyBox_ = buildSurveyGroup());
    shown = new fleet::FleetFilter(model_, this);
    layout->addWidget(filterBox_ = buildFilterRow());

    table = named(new QTableView, "table", tr("Плати мережі"));
    table->setModel(shown);
    followPalette();
    table->setSortingEnabled(true);
    table->sortByColumn(fleet::Address, Qt::AscendingOrder);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setAlternatingRowColors(true);
    table->setTabKeyNavigation(false); // Tab leaves the table; the arrows move in it
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setStretchLastSection(true);
    const int widths[fleet::ColumnCount] = {105, 300, 140, 115, 60,  105, 105, 105, 130,
                                            45,  80,  105, 45,  105, 105, 100, 110};
    for (int c = 0; c < fleet::ColumnCount; ++c)
        table->setColumnWidth(c, widths[c]);
    layout->addWidget(table, 1);
    pacer_ = new RepaintPacer(table->viewport(), RepaintMs);
    connect(&model_, &QAbstractItemModel::rowsInserted, pacer_, &RepaintPacer::changed);
    connect(&model_, &QAbstractItemModel::dataChanged, pacer_, &RepaintPacer::changed);
    layout->addWidget(actionsBox_ = buildActions());

    bindActions();
    bindKeys();
    model_.setAdapterNames([this](BoardAddress board) {
        const std::optional<Adapter> a = adapterReaching(adaptersNow(), board.ipv4());
        return a ? a->name : QString();
    });
    auto* who = new QAction(tr("&Оператор…"), this);
    who->setObjectName(QStringLiteral("operator"));
    connect(who, &QAction::triggered, this, &FleetWindow::askOperator);
    addAction(who);
    addLanguageMenu(this, settings_, [this](const QString& text) { dialogs_.message(this, text); });
    setBusy(false);
    first->setFocus(); // the range is typed first
    resize(1240, 680);
}

QWidget* FleetWindow::buildFilterRow()
{
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    auto* filterLabel = new QLabel(tr("&Фільтр"));
    filter = named(new QLineEdit, "filter", withoutMnemonic(filterLabel->text()));
    filter->setPlaceholderText(tr("Фільтр за всіма стовпцями (Ctrl+F)"));
    filter->setClearButtonEnabled(true);
    for (QToolButton* clear : filter->findChildren<QToolButton*>())
        clear->setAccessibleName(tr("Очистити фільтр"));
    filterLabel->setBuddy(filter);
    auto* showingLabel = new QLabel(tr("Показ&ати"));
    showing = named(new QComboBox, "showing", withoutMnemonic(showingLabel->text()));
    showing->addItem(tr("Усі плати"), int(fleet::Showing::All));
    showing->addItem(tr("Не відповідають"), int(fleet::Showing::Silent));
    showing->addItem(tr("Відрізняються від еталона"), int(fleet::Showing::FromReference));
    showing->addItem(tr("Чекають перезавантаження (пост. ≠ роб.)"), int(fleet::Showing::AtReboot));
    showing->addItem(tr("Нові, зниклі й змінені після порівняння"), int(fleet::Showing::Compared));
    showingLabel->setBuddy(showing);
    shownCount = named(new QLabel, "shownCount");
    row->addWidget(filterLabel);
    row->addWidget(filter, 1);
    row->addWidget(showingLabel);
    row->addWidget(showing);
    row->addWidget(shownCount);
    summary = named(new QLabel, "summary");
    summary->hide(); // until a comparison has something to say
    row->addWidget(summary);
    return box;
}

QWidget* FleetWindow::buildSurveyGroup()
{
    auto* group = named(new QGroupBox(tr("Пошук плат")), "surveyGroup");
    auto* grid = new QGridLayout(group);

    fromRange = named(new QRadioButton(tr("&Діапазон")), "fromRange");
    fromRange->setChecked(true);
    first = named(new QLineEdit(QStringLiteral("192.168.1.1")), "first", tr("Перша адреса"));
    last = named(new QLineEdit(QStringLiteral("192.168.1.254")), "last", tr("Остання адреса"));
    for (QLineEdit* e : {first, last})
        e->setMaximumWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("0000.0000.0000.0000")));
    auto* range = new QHBoxLayout;
    range->addWidget(first);
    range->addWidget(new QLabel(tr("–")));
    range->addWidget(last);
    range->addStretch(1);
    grid->addWidget(fromRange, 0, 0);
    grid->addLayout(range, 0, 1, 1, 2);

    fromList = named(new QRadioButton(tr("&Список")), "fromList");
    list = named(new QPlainTextEdit, "list", withoutMnemonic(fromList->text()));
    list->setPlaceholderText(tr("Адреси й діапазони, по одному в рядку (# - коментар)"));
    list->setTabChangesFocus(true);
    list->setFixedHeight(list->fontMetrics().height() * 3 + 12);
    hostsFile = named(new QPushButton(tr("Фа&йл…")), "hostsFile");
    hostsFile->setToolTip(tr("Список адрес з файлу"));
    grid->addWidget(fromList, 1, 0, Qt::AlignTop);
    grid->addWidget(list, 1, 1);
    grid->addWidget(hostsFile, 1, 2, Qt::AlignTop);

    fromMyNetworks = named(new QRadioButton(tr("Мої &мережі")), "fromMyNetworks");
    myNetworks = named(new QLabel, "myNetworks");
    myNetworks->setWordWrap(true);
    adapter = named(new QComboBox, "adapter", tr("Адаптер"));
    adapter->setToolTip(tr("Мережі якого адаптера цього комп'ютера шукати"));
    auto* mine = new QHBoxLayout;
    mine->addWidget(adapter);
    mine->addWidget(myNetworks, 1);
    grid->addWidget(fromMyNetworks, 2, 0);
    grid->addLayout(mine, 2, 1, 1, 2);

    fromSite = named(new QRadioButton(tr("&Об'єкт")), "fromSite");
    site = named(new QComboBox, "site", withoutMnemonic(fromSite->text()));
    site->setMinimumContentsLength(24);
    site->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    saveAsSite = named(new QPushButton(tr("Зберегти як о&б'єкт…")), "saveAsSite");
    editSite = named(new QPushButton(tr("Змінити об'&єкт…")), "editSite");
    auto* siteMenu = new QMenu(editSite);
    siteMenu->addAction(tr("&Перейменувати…"), this, &FleetWindow::renameSite);
    siteMenu->addAction(tr("Змінити &адреси…"), this, &FleetWindow::editSiteAddresses);
    siteMenu->addAction(tr("Ви&далити…"), this, &FleetWindow::removeSite);
    editSite->setMenu(siteMenu);
    sitesProblem = named(new QLabel, "sitesProblem");
    sitesProblem->setWordWrap(true);
    sitesProblem->hide(); // until the sites file has something wrong
    auto* sites = new QHBoxLayout;
    sites->addWidget(site);
    sites->addWidget(saveAsSite);
    sites->addWidget(editSite);
    sites->addStretch(1);
    grid->addWidget(fromSite, 3, 0);
    grid->addLayout(sites, 3, 1, 1, 2);
    grid->addWidget(sitesProblem, 4, 1, 1, 2);

    bothMemories =
        named(new QCheckBox(tr("&Також постійна пам'ять (показує записане, але ще не завантажене)")),
              "bothMemories");
    grid->addWidget(bothMemories, 5, 0, 1, 3);

    search = named(new QPushButton(tr("&Шукати")), "search");
    search->setDefault(true);
    cancel = named(new QPushButton(tr("Скас&увати")), "cancel");
    progress = named(new QProgressBar, "progress", tr("Хід роботи"));
    progress->setFormat(tr("%v з %m"));
    progress->setRange(0, 1);
    progress->setValue(0);
    progress->setTextVisible(false); // until something runs
    status = named(new QLabel, "status");
    status->setAccessibleDescription(tr("Стан пошуку"));
    status->hide(); // until a survey has something to say
    status->setWordWrap(true);
    auto* run = new QHBoxLayout;
    run->addWidget(search);
    run->addWidget(cancel);
    run->addWidget(progress, 1);
    grid->addLayout(run, 6, 0, 1, 3);
    grid->addWidget(status, 7, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    return group;
}

QWidget* FleetWindow::buildActions()
{
    auto* box = new QWidget;
    auto* rows = new QVBoxLayout(box);
    rows->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;
    open = named(new QPushButton(tr("&Відкрити в конфігураторі")), "open");
    reboot = named(new QPushButton(tr("&Перезавантажити…")), "reboot");
    saveBackups = named(new QPushButton(tr("Збере&гти копії…")), "saveBackups");
    applyBackups = named(new QPushButton(tr("Застосуват&и копії…")), "applyBackups");
    exportTable = named(new QPushButton(tr("Е&кспорт…")), "exportTable");
    compare = named(new QPushButton(tr("Порівн&яти…")), "compare");
    compare->setToolTip(tr("З попереднім експортом (CSV, JSON Lines) або текою копій (*.conf)"));
    changeFields = named(new QPushButton(tr("&Змінити поля…")), "changeFields");
    history = named(new QPushButton(tr("&Історія…")), "history");
    replaceBoard = named(new QPushButton(tr("Замі&нити плату…")), "replaceBoard");
    retryFailed = named(new QPushButton(tr("Повто&рити невдалі")), "retryFailed");
    retryFailed->setToolTip(
        tr("Ще раз ту саму дію на платах, де вона не вдалася, не пробувалася або скасована"));
    compareReference = named(new QPushButton(tr("Порівняти з &еталоном…")), "compareReference");
    compareReference->setToolTip(
        tr("Позначити на платах того самого об'єкта поля, що відрізняються від вибраної плати"));
    // Where the backups or the rows come from is chosen on the button's menu.
    auto* applyMenu = new QMenu(applyBackups);
    applyMenu->addAction(tr("&Усі копії з теки…"), this, [this] { applyBackupsFrom(true); });
    applyMenu->addAction(tr("&Вибрані файли…"), this, [this] { applyBackupsFrom(false); });
    applyBackups->setMenu(applyMenu);
    auto* exportMenu = new QMenu(exportTable);
    exportMenu->addAction(tr("&Усі рядки…"), this, [this] { exportRows(true); });
    exportMenu->addAction(tr("&Лише рядки, що видно (за фільтром)…"), this, [this] { exportRows(false); });
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
    // Nothing new is sent; the boards already sent a write are verified. Pressed again, it ends at once.
    connect(cancel, &QPushButton::clicked, this, [this] {
        survey_.cancel();
        if (!jobs_.running())
            return;
        jobs_.stop();
        if (jobs_.stopping())
            showStatus(tr("Зупиняю: нічого нового не надсилаю; плати, яким уже надіслано запис, "
                          "перевіряються. Ще раз «Скасувати» — зупинити одразу, без перевірки."));
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
    connect(showing, &QComboBox::currentIndexChanged, shown,
            [this] { shown->setShowing(fleet::Showing(showing->currentData().toInt())); });
    for (auto changed : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(shown, changed, this, &FleetWindow::showShownCount);
    connect(shown, &QAbstractItemModel::modelReset, this, &FleetWindow::showShownCount);
    connect(shown, &QAbstractItemModel::layoutChanged, this, &FleetWindow::showShownCount);
    showShownCount();
    connect(sites_, &fleet::SitesWatch::changed, this, &FleetWindow::showSites);
    connect(site, &QComboBox::currentIndexChanged, this,
            [this] { editSite->setEnabled(site->currentIndex() >= 0); });
    connect(fromMyNetworks, &QRadioButton::toggled, this, &FleetWindow::showMyNetworks);
    connect(adapter, &QComboBox::activated, this, [this] {
        chosenAdapter_ = adapter->currentData().toString();
        fromMyNetworks->setChecked(true); // choosing an adapter chooses its networks
        showMyNetworks();
    });
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
        showStatus(
            lost > 0 ? tr("%n датаграм втрачено через перевантаження цього комп'ютера (плати запитано знову)",
                          nullptr, int(qMin<quint64>(lost, INT_MAX)))
                     : QString());
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

const QList<Adapter>& FleetWindow::adaptersNow()
{
    if (!adaptersAge_.isValid() || adaptersAge_.hasExpired(AdapterLookupMs)) {
        adapters_ = adaptersHere();
        adaptersAge_.start();
    }
    return adapters_;
}

void FleetWindow::showAdapters()
{
    const QSignalBlocker quiet(adapter);
    adapter->clear();
    adapter->addItem(tr("усі"), QString());
    for (const Adapter& a : adaptersNow())
        if (!isLoopback(a.address) && adapter->findData(a.name) < 0)
            adapter->addItem(QStringLiteral("%1 · %2").arg(a.name, networkText(a.address, a.prefix)), a.name);
    adapter->setCurrentIndex(qMax(0, adapter->findData(chosenAdapter_)));
}

void FleetWindow::showMyNetworks()
{
    adaptersAge_.invalidate(); // asked for now: as the PC is now
    showAdapters();
    const QList<Adapter> found = fleet::networksOf(adaptersNow(), adapter->currentData().toString());
    QStringList names;
    for (const Adapter& a : found)
        names.append(a.networkText());
    const int count = int(qMin<qint64>(fleet::hostCount(found), INT_MAX));
    showValue(myNetworks, found.isEmpty()
                              ? tr("у цього комп'ютера немає мережі плат, крім локальної (від /16 до /30)")
                              : tr("%n адрес: %1", nullptr, count).arg(names.join(QStringLiteral(", "))));
}

// The marks tinted from the palette's base under its text, and a selection whose text reads.
void FleetWindow::followPalette()
{
    QPalette p = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        p.setColor(group, QPalette::Highlight,
                   fleet::readableHighlight(p.color(group, QPalette::Highlight),
                                            p.color(group, QPalette::HighlightedText)));
    table->setPalette(p);
    model_.setColours(p.color(QPalette::Base), p.color(QPalette::Text));
}

void FleetWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange && table)
        followPalette();
    QWidget::changeEvent(event);
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
    sites_->read();
}

void FleetWindow::showSites()
{
    const QList<Site>& sites = sites_->sites();
    const QString chosen = site->currentData().toString();
    site->clear();
    for (const Site& s : sites) // a name is any text: shown with its control characters escaped
        site->addItem(escapeControls(s.name), s.name);
    if (sites.isEmpty())
        site->setPlaceholderText(tr("(об'єктів ще немає)"));
    const int at = site->findData(chosen);
    site->setCurrentIndex(at >= 0             ? at
                          : site->count() > 0 ? 0
                                              : -1); // with a placeholder none is chosen by itself
    fromSite->setEnabled(!sites.isEmpty());
    editSite->setEnabled(!sites.isEmpty());
    model_.setSites(SiteIndex(sites, prefixesOf(adaptersNow())));
    // What is wrong in the file, in a line under the choice: the rest of it is in use.
    QStringList problems;
    if (const auto& unreadable = sites_->unreadable())
        problems << tr("Файл об'єктів не прочитано: %1").arg(fleet::fileProblemText(*unreadable));
    const QList<SiteEntryProblem>& bad = sites_->badEntries();
    for (const SiteEntryProblem& line : bad.mid(0, 3))
        problems << fleet::sitesProblemText(sites_->path(), line);
    if (bad.size() > 3)
        problems << tr("…і ще %n рядків, що не називають плат", nullptr, int(bad.size() - 3));
    showValue(sitesProblem, problems.join(u'\n'));
    sitesProblem->setVisible(!problems.isEmpty());
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
        dialogs_.message(this, tr("Не вдалося записати файл налаштувань %1").arg(settings_.writePath) +
                                   u'\n' + why);
    event->accept();
}

} // namespace talvik
