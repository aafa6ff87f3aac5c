// talvikctl diff: the boards of a site against a reference board, in the fields a site
// shares, as unified lines per board.

#include "arguments.h"
#include "client/configuration_reply.h"
#include "commands.h"
#include "job_report.h"
#include "output.h"
#include "session.h"
#include "sites.h"
#include "wire/board_address.h"

#include <QJsonArray>

namespace talvik::ctl {

int runDiff(const QStringList& args)
{
    CommandLine line(
        QStringLiteral("diff"),
        QStringLiteral(
            "Reads a reference board and the boards given (a site, ranges) and prints, for each "
            "board that differs from the reference in the fields the boards of a site share (mask, "
            "router, dispatcher, console, dhcp, reserve1, reserve2, branch; never the address, IP, "
            "MAC or identifier), unified lines: the reference's value after '-', the board's after "
            "'+'. Exits with 1 when any board differs, 0 when none does, 2 when the reference does "
            "not answer."),
        Output | Requests | Ports);
    line.parser.addPositionalArgument(QStringLiteral("[RANGE|ADDRESS...]"), QStringLiteral("The boards."));
    line.parser.addOption({QStringLiteral("reference"), QStringLiteral("The board the others should match."),
                           QStringLiteral("address")});
    addSiteOptions(line);
    line.parse(args);
    if (!line.isSet(QStringLiteral("reference")))
        throw UsageError{QStringLiteral("diff takes --reference ADDRESS")};
    const BoardAddress reference = boardArgument(line.value(QStringLiteral("reference")));
    QList<BoardAddress> boards = boardsArgument(line);
    boards.removeAll(reference);
    boards.prepend(reference);
    const CommonOptions options = line.common();
    const SiteIndex sites = siteIndex(line);

    Session session(options);
    QHash<BoardAddress, BoardResult> read;
    runJob(
        session,
        [&] {
            session.jobs().read(boards, ReadSpec{Memory::Working, Completeness::Complete, false, {}},
                                options.timing);
        },
        [&](const BoardResult& r) { read.insert(r.board, r); }, false);
    const BoardResult ref = read.value(reference);
    if (!ref.config) {
        err() << "talvikctl: the reference " << dottedText(reference) << " gave no configuration ("
              << noAnswerText(ref.reason, ref.replyBytes) << ")" << Qt::endl;
        return Usage;
    }
    int differing = 0, silent = 0;
    for (BoardAddress board : boards.mid(1)) {
        const BoardResult r = read.value(board);
        if (!r.config) {
            ++silent;
            err() << "talvikctl: " << dottedText(board) << ": " << noAnswerText(r.reason, r.replyBytes)
                  << Qt::endl;
            continue;
        }
        const QList<ChangedField> differ = differencesFromReference(*ref.config, *r.config);
        if (differ.isEmpty())
            continue;
        ++differing;
        if (options.json) {
            QJsonArray fields;
            for (const ChangedField& c : differ)
                fields.append(QJsonObject{{QStringLiteral("field"), c.field},
                                          {QStringLiteral("reference"), c.now},
                                          {QStringLiteral("board"), c.next}});
            QJsonObject o{{QStringLiteral("address"), dottedText(board)},
                          {QStringLiteral("reference"), dottedText(reference)},
                          {QStringLiteral("differences"), fields}};
            if (const QString site = sites.label(board); !site.isEmpty())
                o.insert(QStringLiteral("site"), site);
            printJson(o);
            continue;
        }
        Table table({}, false); // a board's site is text from a file: escaped like any
        const QString site = sites.label(board);
        table.row({QStringLiteral("--- %1 (reference)").arg(dottedText(reference))});
        table.row({QStringLiteral("+++ %1").arg(dottedText(board)) +
                   (site.isEmpty() ? QString() : QStringLiteral(" (") + site + u')')});
        for (const ChangedField& c : differ) {
            table.row({QStringLiteral("-%1=%2").arg(c.field, c.now)});
            table.row({QStringLiteral("+%1=%2").arg(c.field, c.next)});
        }
    }
    err() << differing << " of " << boards.size() - 1 - silent << " boards differ from "
          << dottedText(reference);
    if (silent > 0)
        err() << "; " << silent << " did not answer";
    err() << Qt::endl;
    constexpr int Differs = 1; // as diff(1) says it
    return differing > 0 ? Differs : Success;
}

} // namespace talvik::ctl
