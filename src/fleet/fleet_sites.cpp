#include "fleet/fleet_sites.h"

#include <QFileInfo>

namespace talvik::fleet {

SitesWatch::SitesWatch(const QString& path, QObject* parent) : QObject(parent), path_(path)
{
    settle_.setSingleShot(true);
    settle_.setInterval(SettleMs);
    connect(&settle_, &QTimer::timeout, this, &SitesWatch::settled);
    // The folder too: a file saved by replacing it is a new file, and the watch of the old one ends.
    watcher_.addPath(QFileInfo(path_).absolutePath());
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &SitesWatch::touched);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &SitesWatch::touched);
}

SitesWatch::Stamp SitesWatch::stamp() const
{
    const QFileInfo info(path_);
    return info.exists() ? Stamp{true, info.size(), info.lastModified()} : Stamp{};
}

void SitesWatch::touched()
{
    if (!watcher_.files().contains(path_) && QFileInfo::exists(path_))
        watcher_.addPath(path_);
    seen_.reset();
    settle_.start();
}

// Read once the file looks the same twice, SettleMs apart; not when only its folder changed.
void SitesWatch::settled()
{
    const Stamp now = stamp();
    if (!seen_ || !(*seen_ == now)) {
        seen_ = now;
        settle_.start();
        return;
    }
    seen_.reset();
    if (!(now == read_))
        read();
}

void SitesWatch::read()
{
    read_ = stamp();
    SitesFile file(path_);
    FileProblem problem;
    if (file.read(problem)) {
        unreadable_.reset();
        sites_ = file.sites();
        badEntries_ = file.badEntries(prefixOf);
    }
    else {
        unreadable_ = problem;
    }
    if (!watcher_.files().contains(path_) && QFileInfo::exists(path_))
        watcher_.addPath(path_);
    emit changed();
}

} // namespace talvik::fleet
