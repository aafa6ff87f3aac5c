#pragma once
// A folder of backups kept as a git repository, through the git program, the engine that
// keeps it (found on PATH): created when missing, one commit of all that changed in it, and
// what the commits changed in one board's file. Every git run is bounded in time.

#include "board/board_config.h"

#include <QDateTime>
#include <QStringList>

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

  private:
    bool run(const QStringList& args, const QByteArray& input, QByteArray* output, QString* error) const;
    QString folder_;
};

} // namespace talvik
