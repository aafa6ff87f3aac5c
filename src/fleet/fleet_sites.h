#pragma once
// The sites file as the fleet window keeps it: read when asked, and again within a second of
// any change to it (by talvikctl, an editor or the window itself) once it has stopped
// changing, so that a file being written is read whole.

#include "store/sites_file.h"

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <functional>
#include <optional>

namespace talvik::fleet {

class SitesWatch : public QObject {
    Q_OBJECT
  public:
    explicit SitesWatch(const QString& path, QObject* parent = nullptr);
    QString path() const { return path_; }

    // Reads the file now, and says changed().
    void read();
    // The sites of the last read that could read the file.
    const QList<talvik::Site>& sites() const { return sites_; }
    // Why the last read could not read the file (its sites are those of the read before).
    const std::optional<FileProblem>& unreadable() const { return unreadable_; }
    // The entries of the last read that name no board; the rest of their sites counts.
    const QList<SiteEntryProblem>& badEntries() const { return badEntries_; }
    // The networks of the adapters, for which addresses are boards' (board_address.h: boardsOf).
    std::function<int(quint32)> prefixOf;

    static constexpr int SettleMs = 200; // a file unchanged this long is taken as whole

  signals:
    void changed();

  private:
    struct Stamp {
        bool exists = false;
        qint64 size = -1;
        QDateTime modified;
        bool operator==(const Stamp& o) const
        {
            return exists == o.exists && size == o.size && modified == o.modified;
        }
    };
    Stamp stamp() const;
    void touched();
    void settled();

    QString path_;
    QFileSystemWatcher watcher_;
    QTimer settle_;
    std::optional<Stamp> seen_; // when the file was last looked at while settling
    Stamp read_;                // when it was last read
    QList<talvik::Site> sites_;
    std::optional<FileProblem> unreadable_;
    QList<SiteEntryProblem> badEntries_;
};

} // namespace talvik::fleet
