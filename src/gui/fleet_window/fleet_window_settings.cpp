// The fleet window's size, its column widths and the last range searched, in a section of
// its own in TalvikCom.ini, through the store that keeps every other byte of the file.

#include "fleet/fleet_jobs.h"
#include "fleet/fleet_model.h"
#include "gui/app/save_failure.h"
#include "gui/fleet_window/fleet_dialogs.h"
#include "gui/fleet_window/fleet_window.h"
#include "store/ini_store.h"
#include "store/settings_keys.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>

namespace talvik {

namespace keys = settings::fleet_window;
using settings::FleetWindowSection;

namespace {
// The columns' widths are kept in the order the table once had, so that a settings file
// keeps its meaning across versions.
constexpr fleet::Column KeptOrder[] = {
    fleet::Address,  fleet::Ident,   fleet::Version, fleet::Ip,         fleet::Mask,   fleet::Router,
    fleet::Mac,      fleet::Dhcp,    fleet::Console, fleet::Dispatcher, fleet::Branch, fleet::Reserve1,
    fleet::Reserve2, fleet::Pending, fleet::State,   fleet::LastSeen,   fleet::Site,   fleet::AdapterColumn};
static_assert(std::size(KeptOrder) == fleet::ColumnCount);
} // namespace

void FleetWindow::loadSettings()
{
    const IniStore store(settings_);
    bool wide = false, high = false;
    const int w = store.read(FleetWindowSection, keys::Width, {}).toInt(&wide);
    const int h = store.read(FleetWindowSection, keys::Height, {}).toInt(&high);
    if (wide && high && w >= 200 && h >= 150 && w <= 16384 && h <= 16384)
        resize(w, h);
    const QStringList widths = store.read(FleetWindowSection, keys::Columns, {}).split(u',');
    for (int i = 0; i < fleet::ColumnCount && i < widths.size(); ++i) {
        bool ok = false;
        const int width = widths[i].trimmed().toInt(&ok);
        if (ok && width > 0 && width <= 4096)
            table->setColumnWidth(KeptOrder[i], width);
    }
    first->setText(store.read(FleetWindowSection, keys::First, first->text()));
    last->setText(store.read(FleetWindowSection, keys::Last, last->text()));
    backupFolder = store.read(FleetWindowSection, keys::BackupFolder, {});
    jobs_.operatorName = store.read(FleetWindowSection, keys::Operator, {}).trimmed();
    chosenAdapter_ = store.read(FleetWindowSection, keys::Adapter, {}).trimmed();
}

void FleetWindow::askOperator()
{
    const QString name = dialogs_.text(
        this, tr("Оператор"),
        tr("Ваше ім'я для журналу робіт (поруч із користувачем системи й комп'ютером):"), jobs_.operatorName);
    if (name.trimmed().isEmpty()) // cancelled, or nothing given: the name stays
        return;
    jobs_.operatorName = name.trimmed().left(MostOperatorName);
    QString failure;
    if (!saveSettings(&failure))
        dialogs_.message(this, failure);
}

bool FleetWindow::saveSettings(QString* failure)
{
    IniStore store(settings_);
    store.write(FleetWindowSection, keys::Width, QString::number(width()));
    store.write(FleetWindowSection, keys::Height, QString::number(height()));
    QStringList widths;
    for (fleet::Column c : KeptOrder)
        widths.append(QString::number(table->columnWidth(c)));
    store.write(FleetWindowSection, keys::Columns, widths.join(u','));
    store.write(FleetWindowSection, keys::First, first->text().trimmed());
    store.write(FleetWindowSection, keys::Last, last->text().trimmed());
    if (!backupFolder.isEmpty())
        store.write(FleetWindowSection, keys::BackupFolder, backupFolder);
    store.write(FleetWindowSection, keys::Operator, jobs_.operatorName);
    store.write(FleetWindowSection, keys::Adapter, chosenAdapter_);
    const ProfileFile::SaveResult result = store.flush();
    if (failure)
        *failure = saveFailureText(result, store.systemError());
    return result == ProfileFile::SaveResult::Saved;
}

} // namespace talvik
