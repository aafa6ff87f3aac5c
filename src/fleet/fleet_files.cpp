#include "fleet/fleet_files.h"

#include "fleet/fleet_wording.h"

#include "board/backup_file.h"
#include "board/untrusted_text.h"
#include "wire/board_address.h"
#include "wire/input_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace talvik::fleet {

namespace {
const BoardConfig* configOf(const Row& r)
{
    return r.working ? &*r.working : r.permanent ? &*r.permanent : nullptr;
}

// A record's text as talvikctl writes it, from a JSON value.
QString textOf(const QJsonValue& v)
{
    if (v.isBool())
        return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    if (v.isDouble())
        return QString::number(qint64(v.toDouble()));
    return v.toString();
}

// A record of a board that answered, keyed by its address.
void keep(QHash<BoardAddress, Record>& records, Record record)
{
    if (!record.value(QStringLiteral("error")).isEmpty() || record.value(QStringLiteral("ip")).isEmpty())
        return;
    record.remove(QStringLiteral("error"));
    record.remove(QStringLiteral("memory"));
    record.remove(QStringLiteral("site")); // the sites file's, not the board's
    if (record.value(QStringLiteral("version")).isEmpty())
        record.remove(QStringLiteral("version")); // unknown: not compared
    if (const auto address = parseDottedDecimal(record.value(QStringLiteral("address"))))
        records.insert(BoardAddress(*address), record);
}
} // namespace

Format formatOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("jsonl") || suffix == QLatin1String("json") ? Format::JsonLines
                                                                               : Format::Csv;
}

QByteArray exportText(const QList<const Row*>& rows, Format format)
{
    QByteArray out;
    if (format == Format::Csv)
        out += csvLine(surveyHeader()).toUtf8() + '\n';
    for (const Row* r : rows) {
        const BoardConfig* config = configOf(*r);
        if (format == Format::Csv) {
            out += csvLine(config ? surveyCells(*config, {}, r->site)
                                  : silentCells(r->address, r->state, r->site))
                       .toUtf8() +
                   '\n';
            continue;
        }
        QJsonObject o = config ? toJson(*config)
                               : QJsonObject{{QStringLiteral("address"), dottedText(r->address)},
                                             {QStringLiteral("error"), r->state}};
        if (!r->site.isEmpty()) // as talvikctl survey --json writes it
            o.insert(QStringLiteral("site"), r->site);
        out += QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n';
    }
    return out;
}

bool exportRows(const QList<const Row*>& rows, const QString& path, QString* why)
{
    QSaveFile file(path);
    const QByteArray text = exportText(rows, formatOf(path));
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(text) == text.size() &&
        file.commit())
        return true;
    if (why)
        *why = file.errorString();
    return false;
}

std::optional<QHash<BoardAddress, Record>> loadEarlier(const QString& path, QString* why)
{
    QHash<BoardAddress, Record> records;
    const QFileInfo info(path);
    if (info.isDir() || info.suffix() == QLatin1String("conf")) { // a folder of backups
        const QDir folder(info.isDir() ? path : info.path());
        for (const QString& name : folder.entryList({QStringLiteral("*.conf")}, QDir::Files, QDir::Name)) {
            try {
                const BoardConfig config = readBackupFile(folder.filePath(name));
                records.insert(config.address, recordOf(config));
            }
            catch (const BackupError& e) {
                if (why)
                    *why = backupErrorText(e);
                return std::nullopt;
            }
        }
        return records;
    }
    FileProblem problem;
    const auto read = readInputFile(path, MostExportBytes, &problem);
    if (!read) {
        if (why)
            *why = fileProblemText(problem);
        return std::nullopt;
    }
    const QByteArray& text = *read;
    if (formatOf(path) == Format::JsonLines) {
        for (const QByteArray& line : text.split('\n')) {
            if (line.trimmed().isEmpty())
                continue;
            const QJsonObject o = QJsonDocument::fromJson(line).object();
            Record record;
            for (auto it = o.begin(); it != o.end(); ++it)
                if (!it.value().isNull())
                    record.insert(it.key(), textOf(it.value()));
            keep(records, record);
        }
        return records;
    }
    const QList<QStringList> rows = parseCsv(QString::fromUtf8(text));
    const QStringList header = rows.value(0);
    if (!header.contains(QStringLiteral("address")) || !header.contains(QStringLiteral("ip"))) {
        if (why)
            *why = QCoreApplication::translate("FleetWindow",
                                               "У %1 немає заголовка таблиці плат (address, ip, …).")
                       .arg(QStringLiteral("«%1»").arg(escapeControls(path)));
        return std::nullopt;
    }
    for (qsizetype i = 1; i < rows.size(); ++i) {
        Record record;
        for (qsizetype c = 0; c < header.size() && c < rows[i].size(); ++c)
            record.insert(header[c], rows[i][c]);
        keep(records, record);
    }
    return records;
}

} // namespace talvik::fleet
