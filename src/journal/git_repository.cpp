#include "journal/git_repository.h"

#include "board/untrusted_text.h"

#include <QDir>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>

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

bool GitRepository::run(const QStringList& args, const QByteArray& input, QByteArray* output,
                        QString* error) const
{
    const QString git = program();
    if (git.isEmpty()) {
        if (error)
            *error = QStringLiteral("no git program on PATH (Debian: apt install git)");
        return false;
    }
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("GIT_TERMINAL_PROMPT"), QStringLiteral("0"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process.setProcessEnvironment(environment);
    process.start(git, QStringList{QStringLiteral("-C"), folder_, QStringLiteral("-c"),
                                   QStringLiteral("core.quotepath=off"), QStringLiteral("-c"),
                                   QStringLiteral("commit.gpgsign=false")} +
                           args);
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

QList<GitRepository::Commit> GitRepository::history(const QString& file, QString* error) const
{
    QList<Commit> out;
    QByteArray log;
    if (!exists() || !run({QStringLiteral("log"), QStringLiteral("--no-color"), QStringLiteral("-p"),
                           QStringLiteral("--unified=0"), QStringLiteral("--format=%x1e%H%x1f%aI%x1f%s"),
                           QStringLiteral("--"), QDir(folder_).relativeFilePath(file)},
                          {}, &log, error))
        return out;
    for (const QByteArray& record : log.split('\x1e'))
        if (!record.trimmed().isEmpty())
            out.append(commitOf(record));
    return out;
}

} // namespace talvik
