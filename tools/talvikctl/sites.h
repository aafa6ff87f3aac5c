#pragma once
// The sites file (store/sites_file.h) as talvikctl's commands take it: --site NAME wherever
// boards are given, the sites' names on every row, and `talvikctl sites`.

#include "arguments.h"
#include "store/sites_file.h"

namespace talvik::ctl {

// --site NAME (more than one) and --sites-file FILE, for a command that takes boards.
void addSiteOptions(CommandLine& line);
// The sites file a command uses: --sites-file, else the one beside the settings file.
SitesFile sitesFile(const CommandLine& line);
// The boards given: addresses and ranges, a hosts file's, and those of each --site; each
// once, in that order. An unknown site is a usage error naming the known ones.
QList<BoardAddress> boardsArgument(const CommandLine& line, const QString& hostsFile = {});
// The boards of each --site alone, each once.
QList<BoardAddress> siteBoards(const CommandLine& line);
// The targets a retry gives again: the positional ones and each --site's entries as they are now.
QStringList targetsOf(const CommandLine& line);
// Which sites each board is in, for the rows (empty without a sites file).
SiteIndex siteIndex(const CommandLine& line);

} // namespace talvik::ctl
