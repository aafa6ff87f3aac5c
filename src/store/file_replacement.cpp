#include "store/file_replacement.h"

#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <io.h>
#include <windows.h>
#endif

namespace talvik {

bool isReadOnlyForEveryone(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() &&
           !(info.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
}

#ifdef Q_OS_UNIX
namespace {
bool failed(QString* why)
{
    if (why)
        *why = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}
} // namespace

// Qt's own setPermissions() on a file that is still a temporary one changes nothing
// here, so the mode is set on the open handle.
bool takeOwnerAndMode(QFileDevice& replacement, const QString& original, QString* why)
{
    struct stat want {
    }, have{};
    if (::stat(QFile::encodeName(original).constData(), &want) != 0 ||
        ::fstat(replacement.handle(), &have) != 0)
        return failed(why);
    if ((want.st_uid != have.st_uid || want.st_gid != have.st_gid) &&
        ::fchown(replacement.handle(), want.st_uid, want.st_gid) != 0)
        return failed(why);
    if (::fchmod(replacement.handle(), want.st_mode & 07777) != 0)
        return failed(why);
    return true;
}

bool syncToDisk(QFileDevice& file, QString* why)
{
    return ::fsync(file.handle()) == 0 || failed(why);
}
#else
bool takeOwnerAndMode(QFileDevice&, const QString&, QString*)
{
    return true;
}

// Qt's flush() empties its own buffer into the system's; FlushFileBuffers puts the system's
// onto the disk, as fsync does.
bool syncToDisk(QFileDevice& file, QString* why)
{
    if (!file.flush()) {
        if (why)
            *why = file.errorString();
        return false;
    }
    if (FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()))))
        return true;
    if (why)
        *why = QStringLiteral("FlushFileBuffers failed (%1)").arg(GetLastError());
    return false;
}
#endif

ReplaceResult replaceFile(const QString& path, const std::function<bool(QIODevice& out)>& write, QString* why)
{
    const bool replacing = QFileInfo::exists(path);
    if (replacing && isReadOnlyForEveryone(path))
        return ReplaceResult::ReadOnly;
    QSaveFile file(path);
    const auto failed = [&](ReplaceResult result, const QString& reason) {
        if (why)
            *why = reason;
        file.cancelWriting();
        return result;
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed(ReplaceResult::WriteFailed, file.errorString());
    if (!write(file) || file.error() != QFileDevice::NoError)
        return failed(ReplaceResult::WriteFailed, file.errorString());
    QString reason;
    if (replacing && !takeOwnerAndMode(file, path, &reason))
        return failed(ReplaceResult::OwnerNotKept, reason);
    if (!syncToDisk(file, &reason))
        return failed(ReplaceResult::WriteFailed, reason);
    if (!file.commit()) {
        if (why)
            *why = file.errorString();
        return ReplaceResult::WriteFailed;
    }
    return ReplaceResult::Saved;
}

} // namespace talvik
