#include "wire/input_file.h"

#include "wire/text_escapes.h"

#include <QFile>
#include <QFileInfo>

namespace talvik {

namespace {
std::optional<QByteArray> fail(FileProblem* problem, FileProblem what)
{
    if (problem)
        *problem = std::move(what);
    return std::nullopt;
}

std::optional<QByteArray> readOpen(QFile& file, const QString& name, qint64 most, FileProblem* problem)
{
    QByteArray bytes = file.read(most + 1); // grown since it was looked at: still bounded
    if (bytes.size() > most)
        return fail(problem, {FileProblem::TooLarge, name, bytes.size(), most, {}});
    if (file.error() != QFileDevice::NoError)
        return fail(problem, {FileProblem::Unreadable, name, 0, 0, file.errorString()});
    return bytes;
}
} // namespace

QString fileProblemText(const FileProblem& p, const QString& kind)
{
    const QString file = quoted(p.file, 4096);
    switch (p.kind) {
    case FileProblem::Missing:
        return QStringLiteral("%1: no such file").arg(file);
    case FileProblem::NotRegular:
        return QStringLiteral("%1: not a regular file (a folder, a FIFO or a device), so not %2")
            .arg(file, kind);
    case FileProblem::TooLarge:
        return QStringLiteral("%1: %2 bytes or more, more than %3 may hold (%4 bytes)")
            .arg(file)
            .arg(p.size)
            .arg(kind)
            .arg(p.most);
    case FileProblem::Unreadable:
        break;
    }
    return QStringLiteral("%1: %2").arg(file, p.systemError);
}

std::optional<QByteArray> readInputFile(const QString& path, qint64 most, FileProblem* problem)
{
    const QFileInfo info(path);
    if (!info.exists())
        return fail(problem, {FileProblem::Missing, path, 0, 0, {}});
    // Checked before it is opened: opening a FIFO waits for a writer.
    if (!info.isFile())
        return fail(problem, {FileProblem::NotRegular, path, 0, 0, {}});
    if (info.size() > most)
        return fail(problem, {FileProblem::TooLarge, path, info.size(), most, {}});
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(problem, {FileProblem::Unreadable, path, 0, 0, file.errorString()});
    return readOpen(file, path, most, problem);
}

std::optional<QByteArray> readInputFile(const QString& path, qint64 most, const QString& kind, QString* why)
{
    FileProblem problem;
    auto bytes = readInputFile(path, most, &problem);
    if (!bytes && why)
        *why = fileProblemText(problem, kind);
    return bytes;
}

std::optional<QByteArray> readBounded(QFile& file, const QString& name, qint64 most, const QString& kind,
                                      QString* why)
{
    FileProblem problem;
    auto bytes = readOpen(file, name, most, &problem);
    if (!bytes && why)
        *why = fileProblemText(problem, kind);
    return bytes;
}

} // namespace talvik
