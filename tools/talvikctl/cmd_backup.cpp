// talvikctl backup: every board's configuration kept over time in a folder, its file
// rewritten only when the board changed; with --git one commit for each run that changed
// anything, and with --on-change a command told of it.

#include "arguments.h"
#include "board/untrusted_text.h"
#include "commands.h"
#include "job_report.h"
#include "journal/backup_folder.h"
#include "journal/git_repository.h"
#include "output.h"
#include "session.h"
#include "sites.h"
#include "wire/board_address.h"

#include <QDateTime>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QSysInfo>

namespace talvik::ctl {

namespace {
constexpr int HookMostMs = 60000;

QJsonObject keptJson(const KeptBackup& k, const BackupFolder& folder)
{
    QJsonArray changes;
    for (const ChangedField& c : k.changes)
        changes.append(QJsonObject{{QStringLiteral("field"), c.field},
                                   {QStringLiteral("old"), c.now},
                                   {QStringLiteral("new"), c.next}});
    return {{QStringLiteral("address"), dottedText(k.board)},
            {QStringLiteral("memory"), memoryText(k.memory)},
            {QStringLiteral("status"), keptStatusKey(k.status)},
            {QStringLiteral("changes"), changes},
            {QStringLiteral("file"), k.hasFile ? folder.fileOf(k.board, k.memory) : QJsonValue()}};
}

QString keptText(const KeptBackup& k)
{
    QStringList changes;
    for (const ChangedField& c : k.changes)
        changes.append(QStringLiteral("%1 %2 -> %3").arg(c.field, c.now, c.next));
    if (k.status == KeptBackup::Silent)
        changes.append(k.hasFile ? QStringLiteral("(its last backup kept)")
                                 : QStringLiteral("(no backup yet)"));
    return changes.join(QLatin1String("; "));
}

// The program and the PC, as a commit's author: "talvikctl on dispatch-3 <talvikctl@dispatch-3>".
QString author()
{
    QString host = QSysInfo::machineHostName();
    host.remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]")));
    if (host.isEmpty())
        host = QStringLiteral("localhost");
    return QStringLiteral("talvikctl on %1 <talvikctl@%1>").arg(host);
}

// The command, with the run's JSON on its standard input; why it failed, or empty.
QString runHook(const QString& command, const QByteArray& input)
{
    QProcess hook;
#ifdef Q_OS_WIN
    hook.start(QStringLiteral("cmd.exe"), {QStringLiteral("/c"), command});
#else
    hook.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command});
#endif
    if (!hook.waitForStarted())
        return QStringLiteral("it did not start: %1").arg(hook.errorString());
    hook.write(input);
    hook.closeWriteChannel();
    if (!hook.waitForFinished(HookMostMs)) {
        hook.kill();
        hook.waitForFinished();
        return QStringLiteral("it did not end in %1 s and was ended").arg(HookMostMs / 1000);
    }
    if (hook.exitStatus() != QProcess::NormalExit || hook.exitCode() != 0)
        return QStringLiteral("it ended with %1").arg(hook.exitCode());
    return {};
}
} // namespace

int runBackup(const QStringList& args)
{
    CommandLine line(
        QStringLiteral("backup"),
        QStringLiteral(
            "Reads every board and keeps its working configuration (with --permanent-too its "
            "permanent memory too, in permanent/) in DIR, one backup file per board named by its "
            "address, in the format apply reads. A file is rewritten only when the board's "
            "configuration changed; a silent board keeps its last file. With --git, DIR is a git "
            "repository (made when missing) and a run that changed anything makes one commit that "
            "names each board and field changed. With --on-change, COMMAND runs once a run changed "
            "something, the run's JSON on its standard input."),
        Output | Requests | Ports);
    line.parser.addPositionalArgument(QStringLiteral("ADDRESS|RANGE..."), QStringLiteral("The boards."));
    line.parser.addOptions({
        {QStringLiteral("into"), QStringLiteral("The folder of the backups."), QStringLiteral("dir")},
        {QStringLiteral("hosts"),
         QStringLiteral("Also the boards of a file, one address or range per line, '#' comments."),
         QStringLiteral("file")},
        {QStringLiteral("git"),
         QStringLiteral("Keep the folder as a git repository: a commit for each change.")},
        {QStringLiteral("on-change"),
         QStringLiteral("Run this command (by the shell) when the run changed something, the run's JSON on "
                        "its standard input; it is ended after 60 s."),
         QStringLiteral("command")},
        {QStringLiteral("permanent-too"), QStringLiteral("Also keep each board's permanent memory.")},
    });
    addSiteOptions(line);
    line.parse(args);
    const QString into = line.value(QStringLiteral("into"));
    if (into.isEmpty())
        throw UsageError{QStringLiteral("backup takes --into DIR, the folder of the backups")};
    const QList<BoardAddress> boards =
        targetsArgument(line.positional(), line.value(QStringLiteral("hosts")));
    const bool git = line.isSet(QStringLiteral("git")),
               permanentToo = line.isSet(QStringLiteral("permanent-too"));
    if (git && GitRepository::program().isEmpty())
        throw UsageError{QStringLiteral("--git needs the git program, and there is none on PATH (Debian: apt "
                                        "install git)")};
    if (!QDir().mkpath(into))
        throw UsageError{QStringLiteral("cannot create the folder %1").arg(quoted(into, 4096))};
    const CommonOptions options = line.common();

    Session session(options);
    BackupFolder folder(into);
    QList<KeptBackup> kept;
    QJsonArray lines;
    int answered = 0, notWritten = 0;
    Table table({{QStringLiteral("ADDRESS"), 16},
                 {QStringLiteral("MEMORY"), 10},
                 {QStringLiteral("STATUS"), 10},
                 {QStringLiteral("CHANGES"), 0}});
    const auto note = [&](const KeptBackup& k) {
        kept.append(k);
        const QJsonObject o = keptJson(k, folder);
        lines.append(o);
        options.json
            ? printJson(o)
            : table.row({dottedText(k.board), memoryText(k.memory), keptStatusKey(k.status), keptText(k)});
    };
    const auto keep = [&](const std::optional<BoardConfig>& config, BoardAddress board, Memory memory) {
        if (!config)
            return note(folder.silent(board, memory));
        QString why;
        if (const auto k = folder.keep(*config, &why))
            return note(*k);
        ++notWritten;
        err() << "talvikctl: " << dottedText(board) << ": " << why << Qt::endl;
    };
    Progress progress(QStringLiteral("backup"), int(boards.size()));
    runJob(
        session,
        [&] {
            session.jobs().read(
                boards, ReadSpec{Memory::Working, Completeness::Block, permanentToo, Completeness::Complete},
                options.timing);
        },
        [&](const BoardResult& r) {
            progress.step();
            answered += r.config ? 1 : 0;
            keep(r.config, r.board, Memory::Working);
            if (permanentToo)
                keep(r.permanent, r.board, Memory::Permanent);
        },
        false);
    progress.clear();

    const bool changed = std::any_of(kept.begin(), kept.end(), [](const KeptBackup& k) {
        return k.status == KeptBackup::New || k.status == KeptBackup::Changed;
    });
    QString commit, why;
    if (git) {
        GitRepository repository(into);
        const QString message = changeSubject(kept) + QStringLiteral("\n\n") + changeBody(kept) + u'\n';
        if ((!repository.exists() && !repository.create(&why)) ||
            (changed && !repository.commitAll(message, author(), &commit, &why))) {
            err() << "talvikctl: " << into << ": " << why << Qt::endl;
            return SaveFailed;
        }
    }
    err() << answered << " of " << boards.size() << " boards answered; "
          << (changed ? changeSubject(kept) : QStringLiteral("nothing changed"))
          << (commit.isEmpty() ? QString() : QStringLiteral("; commit ") + commit.left(12)) << Qt::endl;
    if (line.common().json) // for a script: whether the run changed anything, and its commit
        printJson({{QStringLiteral("summary"),
                    QJsonObject{
                        {QStringLiteral("answered"), answered},
                        {QStringLiteral("boards"), int(boards.size())},
                        {QStringLiteral("changed"), changed},
                        {QStringLiteral("commit"), commit.isEmpty() ? QJsonValue() : QJsonValue(commit)}}}});
    if (changed && line.isSet(QStringLiteral("on-change"))) {
        const QJsonObject run{{QStringLiteral("time"), QDateTime::currentDateTimeUtc().toString(Qt::ISODate)},
                              {QStringLiteral("folder"), QDir(into).absolutePath()},
                              {QStringLiteral("subject"), changeSubject(kept)},
                              {QStringLiteral("commit"), commit.isEmpty() ? QJsonValue() : commit},
                              {QStringLiteral("boards"), lines}};
        if (const QString failed =
                runHook(line.value(QStringLiteral("on-change")), QJsonDocument(run).toJson());
            !failed.isEmpty()) {
            err() << "talvikctl: the --on-change command failed: " << failed << "; the backup is kept"
                  << Qt::endl;
            return HookFailed;
        }
    }
    if (notWritten > 0)
        return SaveFailed;
    return answered > 0 ? Success : NoReply;
}

} // namespace talvik::ctl
