// talvikctl sites: the sites list, a site added, renamed, given new addresses or removed. The file stays the
// operator's: comments and order kept, a change touching its own lines, a save never half done.

#include "arguments.h"
#include "commands.h"
#include "output.h"
#include "sites.h"
#include "wire/board_address.h"
#include "wire/text_escapes.h"

#include <QJsonArray>

namespace talvik::ctl {

namespace {
void list(const SitesFile& file, bool json)
{
    Table table(
        {{QStringLiteral("SITE"), 28}, {QStringLiteral("BOARDS"), 8}, {QStringLiteral("ADDRESSES"), 0}});
    for (const Site& site : file.sites()) {
        const qsizetype boards = boardsOf(site.entries, nullptr).value_or(QList<BoardAddress>()).size();
        if (json)
            printJson({{QStringLiteral("name"), site.name},
                       {QStringLiteral("addresses"), QJsonArray::fromStringList(site.entries)},
                       {QStringLiteral("boards"), int(boards)}});
        else
            table.row({site.name, QString::number(boards), site.entries.join(QLatin1Char(' '))});
    }
}

int save(SitesFile& file)
{
    QString why;
    if (file.save(&why) == ReplaceResult::Saved)
        return Success;
    err() << "talvikctl: " << quoted(file.path(), 4096) << " was not saved (" << why << "); it is as it was"
          << Qt::endl;
    return SaveFailed;
}
} // namespace

int runSites(const QStringList& args)
{
    CommandLine line(
        QStringLiteral("sites"),
        QStringLiteral("Lists the sites: the boards of a building or district under a name, kept in a "
                       "text file beside the settings file that the fleet window, talvikctl and the "
                       "exporter share (--site NAME wherever boards are given). 'sites add NAME "
                       "ADDRESS|RANGE...' adds a site, or addresses to one; 'sites set NAME "
                       "ADDRESS|RANGE...' gives a site exactly these; 'sites rename NAME NEW' renames "
                       "it; 'sites remove NAME' removes it. Comments and order in the file are kept."),
        Output);
    line.parser.addPositionalArgument(
        QStringLiteral("[add|set NAME ADDRESS|RANGE...|rename NAME NEW|remove NAME]"),
        QStringLiteral("A change; none lists the sites."));
    line.parser.addOption(
        {QStringLiteral("sites-file"),
         QStringLiteral("The sites file (default: TalvikCom-sites.txt beside the settings file)."),
         QStringLiteral("file")});
    line.parse(args);
    SitesFile file = sitesFile(line);
    const QStringList words = line.positional();
    const QString verb = words.value(0);
    if (verb.isEmpty()) {
        list(file, line.common().json);
        return Success;
    }
    const QString name = words.value(1);
    if (verb == QLatin1String("add")) {
        if (name.isEmpty() || words.size() < 3)
            throw UsageError{QStringLiteral("sites add takes NAME and its ADDRESS|RANGE...")};
        targetsArgument(words.mid(2)); // every address and range checked before the file changes
        file.add(name, words.mid(2));
        return save(file);
    }
    const auto noSite = [&] {
        return UsageError{QStringLiteral("no site %1; the sites are: %2")
                              .arg(quoted(name), quoted(file.names().join(QStringLiteral(", ")), 2000))};
    };
    if (verb == QLatin1String("set")) {
        if (name.isEmpty() || words.size() < 3)
            throw UsageError{QStringLiteral("sites set takes NAME and its ADDRESS|RANGE...")};
        targetsArgument(words.mid(2));
        if (!file.setEntries(name, words.mid(2)))
            throw noSite();
        return save(file);
    }
    if (verb == QLatin1String("rename")) {
        if (words.size() != 3 || words[2].trimmed().isEmpty())
            throw UsageError{QStringLiteral("sites rename takes NAME and NEW")};
        if (!file.find(name))
            throw noSite();
        if (!file.rename(name, words[2]))
            throw UsageError{QStringLiteral("there is a site %1 already").arg(quoted(words[2]))};
        return save(file);
    }
    if (verb == QLatin1String("remove")) {
        if (words.size() != 2)
            throw UsageError{QStringLiteral("sites remove takes NAME")};
        if (!file.remove(name))
            throw noSite();
        return save(file);
    }
    throw UsageError{
        QStringLiteral("sites takes add, set, rename, remove or nothing, not %1").arg(quoted(verb))};
}

} // namespace talvik::ctl
