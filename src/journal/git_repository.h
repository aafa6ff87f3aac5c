#pragma once
// A folder of backups kept as a git repository, through the git program, the engine that
// keeps it (found on PATH): created when missing, one commit of all that changed in it, and
// what the commits changed in one board's file. Every git run is bounded in time.

#include "board/board_config.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QStringList>

class QProcess;

namespace talvik {

class GitRepository {
  public:
    static constexpr int MostMs = 60000; // one git run
    explicit GitRepository(const QString& folder);

    // The git program on PATH; empty when there is none.
    static QString program();
    bool exists() const; // the folder is a repository's work tree
    bool create(QString* error);
    // One commit of every change in the folder, by `author` ("Name <address>"); an empty
    // `commit` when nothing changed. False with why when git could not.
    bool commitAll(const QString& message, const QString& author, QString* commit, QString* error);

    struct Commit {
        QString id;
        QDateTime time;
        QString subject;
        bool added = false;          // the commit made the file
        QList<ChangedField> changes; // each key of the file, before and after
    };
    // What the commits did to one file of the folder (a path inside it), newest first.
    QList<Commit> history(const QString& file, QString* error = nullptr) const;

    // What the commits did to each of several files, from `git log -p` over them.
    static QHash<QString, QList<Commit>> commitsOf(const QByteArray& log);
    QStringList logArguments(const QStringList& files) const;
    QString folder() const { return folder_; }

  private:
    bool run(const QStringList& args, const QByteArray& input, QByteArray* output, QString* error) const;
    QString folder_;
};

// What the commits of a repository did to some of its files, read by a git the program
// does not wait for: a window goes on meanwhile and may cancel. Bounded in time as every
// git run.
class GitHistory : public QObject {
    Q_OBJECT
  public:
    GitHistory(const GitRepository& repository, const QStringList& files, QObject* parent = nullptr);
    ~GitHistory() override;
    void start();
    void cancel(); // finished() comes no more
    bool running() const;

  signals:
    // By file (a path inside the folder, as given); `error` when git could not tell.
    void finished(const QHash<QString, QList<GitRepository::Commit>>& byFile, const QString& error);

  private:
    void ended(bool ok, const QString& why);
    GitRepository repository_;
    QStringList files_;
    QProcess* process_ = nullptr;
};

} // namespace talvik
