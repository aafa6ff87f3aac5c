#include "board/input_file.h"

#include "board/untrusted_text.h"

#include <QFile>
#include <QFileInfo>

namespace talvik {

namespace {
std::optional<QByteArray> fail(QString* why, const QString& text)
{
    if (why)
        *why = text;
    return std::nullopt;
}

QString tooLarge(const QString& name, qint64 size, qint64 most, const QString& kind)
{
    return QStringLiteral("%1: %2 bytes or more, more than %3 may hold (%4 bytes)")
        .arg(quoted(name, 4096))
        .arg(size)
        .arg(kind)
        .arg(most);
}
} // namespace

std::optional<QByteArray> readInputFile(const QString& path, qint64 most, const QString& kind, QString* why)
{
    const QFileInfo info(path);
    if (!info.exists())
        return fail(why, QStringLiteral("%1: no such file").arg(quoted(path, 4096)));
    // Checked before it is opened: opening a FIFO waits for a writer.
    if (!info.isFile())
        return fail(why, QStringLiteral("%1: not a regular file (a folder, a FIFO or a device), so not %2")
                             .arg(quoted(path, 4096), kind));
    if (info.size() > most)
        return fail(why, tooLarge(path, info.size(), most, kind));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(why, QStringLiteral("%1: %2").arg(quoted(path, 4096), file.errorString()));
    return readBounded(file, path, most, kind, why);
}

std::optional<QByteArray> readBounded(QFile& file, const QString& name, qint64 most, const QString& kind,
                                      QString* why)
{
    QByteArray bytes = file.read(most + 1); // grown since it was looked at: still bounded
    if (bytes.size() > most)
        return fail(why, tooLarge(name, bytes.size(), most, kind));
    if (file.error() != QFileDevice::NoError)
        return fail(why, QStringLiteral("%1: %2").arg(quoted(name, 4096), file.errorString()));
    return bytes;
}

} // namespace talvik
