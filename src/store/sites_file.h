#pragma once
// The sites of a dispatch network, the boards of one building or district under a name,
// in a text file beside the settings file, shared by the fleet window, talvikctl and the
// exporter, and the operator's to edit:
//
//   # comments and blank lines stay where they are
//   [вул. Шевченка, 12]
//   192.168.1.1-40       # an address or range a line, as in a hosts file
//   192.168.1.100
//
// A name is any text, read back exactly: control characters and the backslash are
// written escaped in the file (\n, \x07, \\). A change touches its own lines alone, and a
// save writes the whole file anew beside it before it replaces it (file_replacement.h):
// a full disk or a crash leaves the file as it was.

#include "store/file_replacement.h"
#include "wire/board_address.h"
#include "wire/input_file.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace talvik {

struct Site {
    QString name;
    QStringList entries; // addresses and ranges, as written
    int line = 0;        // of its name in the file
    QList<int> lines;    // of each entry
};

// An entry of a site that names no board, at its line of the file.
struct SiteEntryProblem {
    QString site;
    int line = 0;
    BoardsProblem problem;
};

class SitesFile {
  public:
    static constexpr qint64 MostBytes = 16 << 20;
    static constexpr const char* FileName = "TalvikCom-sites.txt";

    explicit SitesFile(const QString& path);
    QString path() const { return path_; }
    // A missing file reads as no site. False, with why, when it cannot be read.
    bool read(FileProblem& problem);
    bool read(QString* why); // why in talvikctl's words
    const QList<Site>& sites() const { return sites_; }
    const Site* find(const QString& name) const;
    QStringList names() const;

    // The entries go at the end of the site's lines; a new site goes at the end of the file.
    void add(const QString& name, const QStringList& entries);
    // Its name line and its lines, up to the next site; false when there is no such site.
    bool remove(const QString& name);
    // The name line alone; false when there is no such site or the new name is taken.
    bool rename(const QString& name, const QString& newName);
    // The site's addresses become `entries`: the lines of those it keeps stay as they are
    // (with their comments), those it drops go, the new ones follow its last. False when
    // there is no such site.
    bool setEntries(const QString& name, const QStringList& entries);
    // The entries that name no board; every other entry of the file is good. `prefixOf`: the
    // networks as the adapters show them (board_address.h: boardsOf).
    QList<SiteEntryProblem> badEntries(const std::function<int(quint32)>& prefixOf = {}) const;
    ReplaceResult save(QString* why);

  private:
    void parse();
    QString path_;
    QList<QByteArray> lines_; // each with its line ending, as read
    QByteArray eol_ = "\n";
    QList<Site> sites_;
};

// Where the sites file is: beside the settings file, in the folder its saves go to.
QString sitesFileBeside(const QString& settingsWritePath);

// The boards of sites, each once, in order; nullopt, with the file's line and what is
// wrong, when an entry names no board.
std::optional<QList<BoardAddress>> boardsOfSites(const QList<Site>& sites, const QString& file, QString* why,
                                                 const std::function<int(quint32)>& prefixOf = {});
// Which sites each board belongs to (a board may be in several), built once; an entry that
// names no board is left out, the rest of its site kept.
class SiteIndex {
  public:
    SiteIndex() = default;
    explicit SiteIndex(const QList<Site>& sites, const std::function<int(quint32)>& prefixOf = {});
    QStringList of(BoardAddress board) const { return of_.value(board); } // in the file's order
    QString label(BoardAddress board) const { return of(board).join(QStringLiteral("; ")); }
    bool isEmpty() const { return of_.isEmpty(); }

  private:
    QHash<BoardAddress, QStringList> of_;
};

} // namespace talvik
