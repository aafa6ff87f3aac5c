#include "sites.h"

#include "store/settings_location.h"
#include "wire/text_escapes.h"

#include <QCoreApplication>
#include <QSet>

namespace talvik::ctl {

namespace {
const QString SiteOption = QStringLiteral("site");
const QString SitesFileOption = QStringLiteral("sites-file");

// The sites named by --site, in the order given; a name the file lacks is a usage error.
QList<Site> chosenSites(const CommandLine& line, const SitesFile& file)
{
    QList<Site> out;
    for (const QString& name : line.parser.values(SiteOption)) {
        const Site* site = file.find(name);
        if (!site) {
            const QStringList known = file.names();
            throw UsageError{QStringLiteral("no site %1 in %2; %3")
                                 .arg(quoted(name), quoted(file.path(), 4096),
                                      known.isEmpty() ? QStringLiteral("it names none (talvikctl sites add)")
                                                      : QStringLiteral("the sites are: ") +
                                                            quoted(known.join(QStringLiteral(", ")), 2000))};
        }
        out.append(*site);
    }
    return out;
}
} // namespace

void addSiteOptions(CommandLine& line)
{
    line.parser.addOptions({
        {SiteOption,
         QStringLiteral("Also the boards of this site (talvikctl sites); more than one may be given."),
         QStringLiteral("name")},
        {SitesFileOption,
         QStringLiteral("The sites file (default: TalvikCom-sites.txt beside the settings file)."),
         QStringLiteral("file")},
    });
}

SitesFile sitesFile(const CommandLine& line)
{
    QString path = line.value(SitesFileOption);
    if (path.isEmpty())
        path = sitesFileBeside(resolveSettingsLocation({}, QCoreApplication::applicationDirPath()).writePath);
    SitesFile file(path);
    if (QString why; !file.read(&why))
        throw UsageError{why};
    return file;
}

QList<BoardAddress> boardsArgument(const CommandLine& line, const QString& hostsFile)
{
    const bool sites = line.isSet(SiteOption);
    QList<BoardAddress> boards;
    if (!line.positional().isEmpty() || !hostsFile.isEmpty() || !sites)
        boards = targetsArgument(line.positional(), hostsFile);
    if (!sites)
        return boards;
    QSet<BoardAddress> seen(boards.begin(), boards.end());
    for (BoardAddress b : siteBoards(line))
        if (!seen.contains(b)) {
            seen.insert(b);
            boards.append(b);
        }
    if (boards.size() > MostBoards)
        throw UsageError{QStringLiteral("more than %1 boards").arg(MostBoards)};
    return boards;
}

QList<BoardAddress> siteBoards(const CommandLine& line)
{
    if (!line.isSet(SiteOption))
        return {};
    const SitesFile file = sitesFile(line);
    QString why;
    const auto boards = boardsOfSites(chosenSites(line, file), file.path(), &why);
    if (!boards)
        throw UsageError{why};
    return *boards;
}

QStringList targetsOf(const CommandLine& line)
{
    QStringList targets = line.positional();
    if (line.isSet(SiteOption))
        for (const Site& site : chosenSites(line, sitesFile(line)))
            targets += site.entries;
    return targets;
}

SiteIndex siteIndex(const CommandLine& line)
{
    try {
        return SiteIndex(sitesFile(line).sites());
    }
    catch (const UsageError&) { // a sites file that cannot be read names no site on the rows
        return {};
    }
}

} // namespace talvik::ctl
