#include "store/file_lock.h"

#include <QElapsedTimer>
#include <QThread>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <sys/file.h>
#endif

namespace talvik {

namespace {
#ifdef Q_OS_WIN
HANDLE handleOf(QFileDevice& file)
{
    return reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
}
// A byte no file reaches: appends and reads of the file itself are never in the way.
OVERLAPPED farByte()
{
    OVERLAPPED at{};
    at.Offset = 0xFFFFFFFEu;
    at.OffsetHigh = 0x7FFFFFFFu;
    return at;
}

// True when taken; false with `busy` when another program has it, else with the system's words.
bool tryTake(QFileDevice& file, bool* busy, QString* why)
{
    OVERLAPPED at = farByte();
    if (LockFileEx(handleOf(file), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at))
        return true;
    const DWORD error = GetLastError();
    *busy = error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING;
    *why = QStringLiteral("LockFileEx failed (%1)").arg(error);
    return false;
}

void release(QFileDevice& file)
{
    OVERLAPPED at = farByte();
    UnlockFileEx(handleOf(file), 0, 1, 0, &at);
}
#else
bool tryTake(QFileDevice& file, bool* busy, QString* why)
{
    if (::flock(file.handle(), LOCK_EX | LOCK_NB) == 0)
        return true;
    *busy = errno == EWOULDBLOCK || errno == EINTR;
    *why = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

void release(QFileDevice& file)
{
    ::flock(file.handle(), LOCK_UN);
}
#endif
} // namespace

FileLock::FileLock(QFileDevice& file, int waitMs) : file_(file)
{
    QElapsedTimer waited;
    waited.start();
    for (int pause = 1;; pause = qMin(2 * pause, 50)) {
        bool busy = false;
        if (tryTake(file_, &busy, &why_)) {
            locked_ = true;
            return;
        }
        if (!busy)
            return;
        if (waited.elapsed() >= waitMs) {
            why_ = QStringLiteral("another program has held it for %1 s").arg(waitMs / 1000);
            return;
        }
        QThread::msleep(ulong(pause));
    }
}

FileLock::~FileLock()
{
    if (locked_)
        release(file_);
}

} // namespace talvik
