// The sites from the fleet window: the range or list saved as a site, a site renamed, its
// addresses changed, or removed. Each change reads the file afresh and touches only its own
// lines (store/sites_file.h); the window shows the file as it then is.

#include "fleet/fleet_sites.h"
#include "fleet/fleet_wording.h"
#include "gui/fleet_window/fleet_dialogs.h"
#include "gui/fleet_window/fleet_window.h"
#include "wire/text_escapes.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace talvik {

namespace {
// The addresses and ranges typed, one a line; why not, when one names no board.
std::optional<QStringList> entriesIn(const QString& text, const std::function<int(quint32)>& prefixOf,
                                     QString* why)
{
    const QStringList entries = hostLines(text.toUtf8());
    BoardsProblem problem;
    if (const auto boards = boardsOf(entries, &problem, MostBoards, prefixOf); !boards || boards->isEmpty()) {
        *why = boards ? FleetWindow::tr("Не задано жодної плати.") : fleet::boardsProblemText(problem);
        return std::nullopt;
    }
    return entries;
}
} // namespace

bool FleetWindow::readSitesFile(SitesFile& file)
{
    FileProblem problem;
    if (file.read(problem))
        return true;
    dialogs_.message(this, tr("Файл об'єктів не прочитано: %1").arg(fleet::fileProblemText(problem)));
    return false;
}

bool FleetWindow::saveSitesFile(SitesFile& file)
{
    QString why;
    const bool saved = file.save(&why) == ReplaceResult::Saved;
    if (!saved)
        dialogs_.message(this, tr("Файл об'єктів %1 не збережено (%2); він лишився як був.")
                                   .arg(quoted(file.path(), 4096), escapeControls(why)));
    sites_->read(); // shown at once, not a moment later when the watch sees it
    return saved;
}

// The addresses and ranges of the range or the list, under a name in the sites file.
void FleetWindow::saveRangesAsSite()
{
    const QString to = last->text().trimmed();
    const QString typed = fromList->isChecked()
                              ? list->toPlainText()
                              : first->text().trimmed() + (to.isEmpty() ? QString() : u'-' + to);
    QString why;
    const std::optional<QStringList> entries = entriesIn(typed, prefixesOf(adaptersNow()), &why);
    if (!entries)
        return dialogs_.message(this, why);
    const QString name = dialogs_.text(this, tr("Назва об'єкта"), tr("Назва об'єкта для цих адрес:"));
    if (name.trimmed().isEmpty())
        return;
    SitesFile file(sites_->path());
    if (!readSitesFile(file))
        return;
    file.add(name, *entries);
    if (!saveSitesFile(file))
        return;
    site->setCurrentIndex(site->findData(name));
    fromSite->setChecked(true);
}

void FleetWindow::renameSite()
{
    const QString name = site->currentData().toString();
    const QString newName = dialogs_.text(this, tr("Перейменувати об'єкт"),
                                          tr("Нова назва об'єкта «%1»:").arg(escapeControls(name)), name);
    if (newName.trimmed().isEmpty() || newName == name)
        return;
    SitesFile file(sites_->path());
    if (!readSitesFile(file))
        return;
    if (!file.find(name))
        return dialogs_.message(this, tr("Об'єкта «%1» у файлі вже немає.").arg(escapeControls(name)));
    if (!file.rename(name, newName))
        return dialogs_.message(this, tr("Об'єкт «%1» уже є.").arg(escapeControls(newName)));
    if (saveSitesFile(file))
        site->setCurrentIndex(site->findData(newName));
}

void FleetWindow::editSiteAddresses()
{
    const QString name = site->currentData().toString();
    SitesFile file(sites_->path());
    if (!readSitesFile(file))
        return;
    const Site* now = file.find(name);
    if (!now)
        return dialogs_.message(this, tr("Об'єкта «%1» у файлі вже немає.").arg(escapeControls(name)));
    const QString typed =
        dialogs_.lines(this, tr("Адреси об'єкта"),
                       tr("Адреси й діапазони об'єкта «%1», по одному в рядку:").arg(escapeControls(name)),
                       now->entries.join(u'\n'));
    if (typed.isEmpty())
        return; // cancelled
    QString why;
    const std::optional<QStringList> entries = entriesIn(typed, prefixesOf(adaptersNow()), &why);
    if (!entries)
        return dialogs_.message(this, why);
    file.setEntries(name, *entries);
    saveSitesFile(file);
}

void FleetWindow::removeSite()
{
    const QString name = site->currentData().toString();
    if (!dialogs_.confirm(
            this, tr("Видалити об'єкт «%1» з файлу об'єктів? Плати не зміняться.").arg(escapeControls(name)),
            tr("Видалити")))
        return;
    SitesFile file(sites_->path());
    if (!readSitesFile(file))
        return;
    if (file.remove(name))
        saveSitesFile(file);
}

} // namespace talvik
