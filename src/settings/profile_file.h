#pragma once
// A settings file read and written as the platform's private-profile functions do it:
// a write changes the one value it writes and every other byte of the file stays as
// it was: other sections and keys, comments, blank lines, order, the letter case of
// names, values the program does not own, bytes that are not text, line endings.
//
// Only the sections the program owns are indexed, in one pass over the file, so a
// large or damaged file costs its own size in memory and one read; nothing is written
// unless a value changed.

#include <QByteArray>
#include <QHash>
#include <QIODevice>
#include <QList>
#include <QString>
#include <optional>

namespace talvik {

class ProfileFile {
  public:
    // Reads `readPath` (a missing file reads as empty) and writes to `writePath`:
    // the same file, or a copy in another folder when the first cannot be written.
    ProfileFile(const QString& readPath, const QString& writePath, const QList<QByteArray>& sections);

    // The text after the first "=" of the first such key in the first such section
    // (names compared without regard to letter case), blanks around it dropped and one
    // pair of double quotes taken off; nullopt when the section or key is missing.
    std::optional<QByteArray> value(const QByteArray& section, const QByteArray& key) const;
    // A value equal to the present one changes nothing.
    void setValue(const QByteArray& section, const QByteArray& key, const QByteArray& value);

    bool isChanged() const { return changed_; }
    // Writes the file with every change, beside it and then renamed over it. False
    // when that fails, or when an existing file could not be read (it is left alone).
    bool save();

  private:
    struct Entry {
        qsizetype valueStart = 0; // after the "="
        qsizetype valueEnd = 0;   // before the line ending
        std::optional<QByteArray> replacement;
    };
    struct Section {
        QByteArray name;
        bool present = false;
        qsizetype insertAt = 0;                         // after the section's last line that is not blank
        QHash<QByteArray, Entry> keys;                  // by lower-case name, as in the file
        QList<QPair<QByteArray, QByteArray>> addedKeys; // new keys, in the order written
        int firstAdded = 0; // a section the file lacks goes after those written to before it
    };

    void index();
    Section* find(const QByteArray& name);
    const Section* find(const QByteArray& name) const;
    QByteArray storedValue(const Entry& entry) const;
    bool writeWithChanges(QIODevice& out) const;

    QString readPath_;
    QString writePath_;
    QByteArray content_;
    bool unreadable_ = false;
    QByteArray eol_ = "\r\n"; // a new file is written as the Windows program writes it
    QList<Section> sections_;
    int additions_ = 0;
    bool changed_ = false;
};

} // namespace talvik
