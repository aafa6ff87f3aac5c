#pragma once
// A settings file read and written as the platform's private-profile functions do it:
// a write changes the one value it writes and every other byte of the file stays as
// it was: other sections and keys, comments, blank lines, order, the letter case of
// names, values the program does not own, bytes that are not text, line endings, the
// encoding (Windows-1251; UTF-16LE or UTF-8 when the file starts with that byte order
// mark).
//
// Only the sections the program owns are indexed, in one pass over the file, so a
// large or damaged file costs its own size in memory and one read; nothing is written
// unless a value changed. A save never leaves the file half written: it is written
// beside the old one, checked, and renamed over it, keeping its owner and mode.

#include <QByteArray>
#include <QHash>
#include <QIODevice>
#include <QList>
#include <QString>
#include <optional>

namespace talvik {

class ProfileFile {
  public:
    enum class Encoding { Windows1251, Utf8, Utf16Le };
    enum class SaveResult {
        Saved,
        Unreadable,   // the file exists but could not be read: it is not overwritten
        ReadOnly,     // its mode lets no one write it
        OwnerNotKept, // the replacement could not be given the file's owner and mode
        WriteFailed,  // a write, the flush or the rename failed (a full disk, say)
    };

    // Reads `readPath` (a missing file reads as empty) and writes to `writePath`:
    // the same file, or a copy in another folder when the first cannot be written.
    ProfileFile(const QString& readPath, const QString& writePath, const QList<QByteArray>& sections);

    // The text after the first "=" of the first such key in the first such section
    // (names compared without regard to letter case), blanks around it dropped and one
    // pair of double or single quotes taken off; nullopt when the section or key is missing.
    std::optional<QString> value(const QByteArray& section, const QByteArray& key) const;
    // A value equal to the present one changes nothing.
    void setValue(const QByteArray& section, const QByteArray& key, const QString& value);

    bool isChanged() const { return changed_; }
    Encoding encoding() const { return encoding_; }
    // Writes the file with every change. Anything but Saved leaves the file as it was.
    SaveResult save();
    // The system's words for the last WriteFailed or OwnerNotKept.
    QString systemError() const { return systemError_; }

  private:
    struct Entry {
        qsizetype valueStart = 0; // after the "=", in bytes
        qsizetype valueEnd = 0;   // before the line ending
        std::optional<QString> replacement;
    };
    struct Section {
        QByteArray name;
        bool present = false;
        qsizetype insertAt = 0;                   // after the section's last line that is not blank
        QHash<QString, Entry> keys;               // by lower-case name, as in the file
        QList<QPair<QString, QString>> addedKeys; // new keys, in the order written
        int firstAdded = 0; // a section the file lacks goes after those written to before it
    };

    void read();
    void index();
    char16_t unitAt(qsizetype at) const;
    qsizetype findUnit(char16_t unit, qsizetype from, qsizetype to) const;
    QString text(qsizetype from, qsizetype to) const; // decoded, blanks around it dropped
    QByteArray encoded(const QString& text) const;
    Section* find(const QString& name);
    const Section* find(const QString& name) const;
    QString storedValue(const Entry& entry) const;
    bool writeWithChanges(QIODevice& out) const;

    QString readPath_;
    QString writePath_;
    QList<QByteArray> names_;
    QByteArray content_;
    bool unreadable_ = false;
    Encoding encoding_ = Encoding::Windows1251;
    int width_ = 1;           // bytes per code unit
    qsizetype textStart_ = 0; // after a byte order mark
    qsizetype textEnd_ = 0;   // whole code units only
    QByteArray eol_;          // a new file is written as the Windows program writes it: CRLF
    QList<Section> sections_;
    int additions_ = 0;
    bool changed_ = false;
    QString systemError_;
};

} // namespace talvik
