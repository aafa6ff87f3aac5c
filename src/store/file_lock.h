#pragma once
// One writer at a time for a file that several programs append to (the journal): a lock
// the system holds for the program and lets go of when it ends, however it ends, so a
// program killed while it held the lock leaves none behind. Readers are never held up:
// on Windows the lock covers a byte far past any file's end.

#include <QFileDevice>
#include <QString>

namespace talvik {

class FileLock {
  public:
    static constexpr int WaitMs = 10000; // another program appends a line in milliseconds
    // Waits for the lock on `file` (open) up to `waitMs`; locked() tells whether it came.
    explicit FileLock(QFileDevice& file, int waitMs = WaitMs);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool locked() const { return locked_; }
    QString why() const { return why_; } // not locked: the system's words

  private:
    QFileDevice& file_;
    bool locked_ = false;
    QString why_;
};

} // namespace talvik
