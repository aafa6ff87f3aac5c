#include "journal/git_repository.h"

#include "board/untrusted_text.h"

#include <QDir>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace talvik {

namespace {
// Each line a diff took away or added, by its key ("mask=255.0.0.0", "# program version 2.17").
// The line that says when a backup was read changes with every write and says nothing.
void noteLine(const QByteArray& line, QMap<QString, QString>& into)
{
    const QString text = QString::fromUtf8(line.mid(1));
    if (text.startsWith(QLatin1String("# talvikctl backup of")))
        return;
    const QString version = QStringLiteral("# program version ");
    const qsizetype eq = text.indexOf(u'=');
    if (text.startsWith(version))
        into.insert(QStringLiteral("version"), text.mid(version.size()));
    else if (eq > 0)
        into.insert(text.left(eq), text.mid(eq + 1));
}

GitRepository::Commit commitOf(const QByteArray& record)
{
    GitRepository::Commit c;
    const QList<QByteArray> lines = record.split('\n');
    const QList<QByteArray> head = lines.value(0).split('\x1f');
    c.id = QString::fromLatin1(head.value(0));
    c.time = QDateTime::fromString(QString::fromLatin1(head.value(1)), Qt::ISODate);
    c.subject = QString::fromUtf8(head.value(2));
    QMap<QString, QString> before, after;
    for (const QByteArray& line : lines.mid(1)) {
        if (line.startsWith("--- /dev/null"))
            c.added = true;
        else if (line.startsWith("---") || line.startsWith("+++"))
            continue;
        else if (line.startsWith('-'))
            noteLine(line, before);
        else if (line.startsWith('+'))
            noteLine(line, after);
    }
    QStringList keys = before.keys() + after.keys();
    keys.removeDuplicates();
    for (const QString& key : keys)
        if (before.value(key) != after.value(key))
            c.changes.append({key, before.value(key), after.value(key)});
    return c;
}
} // namespace

GitRepository::GitRepository(const QString& folder) : folder_(folder) {}

QString GitRepository::program()
{
    return QStandardPaths::findExecutable(QStringLiteral("git"));
}

namespace {
const QString NoGit = QStringLiteral("no git program on PATH (Debian: apt install git)");

// A git run in the folder, never asking at a terminal, in git's own words.
void prepare(QProcess& process, const QString& folder)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("GIT_TERMINAL_PROMPT"), QStringLiteral("0"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process.setProcessEnvironment(environment);
    process.setProgram(GitRepository::program());
    process.setArguments({QStringLiteral("-C"), folder, QStringLiteral("-c"),
                          QStringLiteral("core.quotepath=off"), QStringLiteral("-c"),
                          QStringLiteral("commit.gpgsign=false")});
}
} // namespace

bool GitRepository::run(const QStringList& args, const QByteArray& input, QByteArray* output,
                        QString* error) const
{
    if (program().isEmpty()) {
        if (error)
            *error = NoGit;
        return false;
    }
    QProcess process;
    prepare(process, folder_);
    process.setArguments(process.arguments() + args);
    process.start();
    process.write(input);
    process.closeWriteChannel();
    const bool ended = process.waitForFinished(MostMs);
    if (!ended)
        process.kill();
    if (output)
        *output = process.readAllStandardOutput();
    if (ended && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return true;
    if (error)
        *error =
            QStringLiteral("git %1: %2")
                .arg(args.value(0),
                     ended ? quoted(QString::fromLocal8Bit(process.readAllStandardError()).trimmed(), 400)
                           : QStringLiteral("no answer in %1 s").arg(MostMs / 1000));
    return false;
}

bool GitRepository::exists() const
{
    return QDir(folder_).exists(QStringLiteral(".git"));
}

bool GitRepository::create(QString* error)
{
    return QDir().mkpath(folder_) &&
           run({QStringLiteral("init"), QStringLiteral("-q"), QStringLiteral("-b"), QStringLiteral("main")},
               {}, nullptr, error);
}

bool GitRepository::commitAll(const QString& message, const QString& author, QString* commit, QString* error)
{
    commit->clear();
    QByteArray status;
    if (!run({QStringLiteral("add"), QStringLiteral("-A"), QStringLiteral(".")}, {}, nullptr, error) ||
        !run({QStringLiteral("status"), QStringLiteral("--porcelain")}, {}, &status, error))
        return false;
    if (status.trimmed().isEmpty())
        return true; // nothing changed: no commit
    const QString name = author.section(QStringLiteral(" <"), 0, 0);
    const QString address = author.section(QStringLiteral(" <"), 1).chopped(1);
    QByteArray id;
    if (!run({QStringLiteral("-c"), QStringLiteral("user.name=") + name, QStringLiteral("-c"),
              QStringLiteral("user.email=") + address, QStringLiteral("commit"), QStringLiteral("-q"),
              QStringLiteral("--no-verify"), QStringLiteral("--author=") + author, QStringLiteral("-F"),
              QStringLiteral("-")},
             message.toUtf8(), nullptr, error) ||
        !run({QStringLiteral("rev-parse"), QStringLiteral("HEAD")}, {}, &id, error))
        return false;
    *commit = QString::fromLatin1(id.trimmed());
    return true;
}

QStringList GitRepository::logArguments(const QStringList& files) const
{
    QStringList args{QStringLiteral("log"),
                     QStringLiteral("--no-color"),
                     QStringLiteral("-p"),
                     QStringLiteral("--unified=0"),
                     QStringLiteral("--format=%x1e%H%x1f%aI%x1f%s"),
                     QStringLiteral("--")};
    for (const QString& file : files)
        args.append(QDir(folder_).relativeFilePath(file));
    return args;
}

QHash<QString, QList<GitRepository::Commit>> GitRepository::commitsOf(const QByteArray& log)
{
    // A commit's record: its head line, then each file's diff from its "diff --git" line.
    QHash<QString, QList<Commit>> out;
    for (const QByteArray& record : log.split('\x1e')) {
        if (record.trimmed().isEmpty())
            continue;
        const qsizetype firstDiff = record.indexOf("\ndiff --git ");
        const QByteArray head = firstDiff < 0 ? record : record.left(firstDiff);
        const QList<QByteArray> diffs =
            firstDiff < 0 ? QList<QByteArray>{} : record.mid(firstDiff + 1).split('\n');
        QByteArray part;
        QString file;
        const auto take = [&] {
            if (!file.isEmpty())
                out[file].append(commitOf(head + '\n' + part));
            part.clear();
        };
        for (const QByteArray& line : diffs) {
            if (line.startsWith("diff --git ")) {
                take();
                // "diff --git a/NAME b/NAME": the name after " b/" (names here have no spaces)
                file = QString::fromUtf8(line.mid(line.lastIndexOf(" b/") + 3));
                continue;
            }
            part += line + '\n';
        }
        take();
    }
    return out;
}

QList<GitRepository::Commit> GitRepository::history(const QString& file, QString* error) const
{
    QByteArray log;
    if (!exists() || !run(logArguments({file}), {}, &log, error))
        return {};
    return commitsOf(log).value(QDir(folder_).relativeFilePath(file));
}

GitHistory::GitHistory(const GitRepository& repository, const QStringList& files, QObject* parent)
    : QObject(parent), repository_(repository), files_(files)
{
}

GitHistory::~GitHistory()
{
    cancel();
}

bool GitHistory::running() const
{
    return process_ != nullptr;
}

void GitHistory::start()
{
    if (GitRepository::program().isEmpty())
        return QTimer::singleShot(0, this, [this] { emit finished({}, NoGit); });
    process_ = new QProcess(this);
    prepare(*process_, repository_.folder());
    process_->setArguments(process_->arguments() + repository_.logArguments(files_));
    connect(process_, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        ended(status == QProcess::NormalExit && code == 0,
              quoted(QString::fromLocal8Bit(process_->readAllStandardError()).trimmed(), 400));
    });
    connect(process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            ended(false, process_->errorString());
    });
    auto* limit = new QTimer(process_);
    limit->setSingleShot(true);
    connect(limit, &QTimer::timeout, this,
            [this] { ended(false, QStringLiteral("no answer in %1 s").arg(GitRepository::MostMs / 1000)); });
    limit->start(GitRepository::MostMs);
    process_->start();
    process_->closeWriteChannel();
}

void GitHistory::ended(bool ok, const QString& why)
{
    QProcess* process = std::exchange(process_, nullptr);
    if (!process)
        return;
    process->disconnect(this);
    const QByteArray log = ok ? process->readAllStandardOutput() : QByteArray();
    process->kill();
    process->waitForFinished(1000); // killed: it ends at once
    process->deleteLater();
    emit finished(ok ? GitRepository::commitsOf(log) : QHash<QString, QList<GitRepository::Commit>>{},
                  ok ? QString() : QStringLiteral("git log: ") + why);
}

void GitHistory::cancel()
{
    QProcess* process = std::exchange(process_, nullptr);
    if (!process)
        return;
    process->disconnect(this);
    process->kill();
    process->waitForFinished(1000);
    delete process;
}

} // namespace talvik
