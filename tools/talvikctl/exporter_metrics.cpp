#include "exporter_metrics.h"

#include "board/untrusted_text.h"
#include "wire/board_address.h"

namespace talvik::ctl {

QString labelValue(const QString& text)
{
    QString out;
    const QString visible = escapeControls(text);
    out.reserve(visible.size());
    for (const QChar c : visible) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('"'))
            out += QLatin1Char('\\');
        out += c; // no line feed is left: escapeControls made it "\n"
    }
    return out;
}

namespace {
// The page is written as bytes: ten thousand boards make some 4 MB, and a text stream over a
// QString cost five times as much as the bytes themselves.
void family(QByteArray& s, const char* name, const char* type, const char* help)
{
    s.append("# HELP ").append(name).append(' ').append(help);
    s.append("\n# TYPE ").append(name).append(' ').append(type).append('\n');
}

void number(QByteArray& s, qint64 value)
{
    s.append(QByteArray::number(value));
}

void seconds(QByteArray& s, qint64 ms)
{
    s.append(QByteArray::number(double(ms) / 1000.0, 'f', 3));
}

// The labels that name a board's series, without braces.
QByteArray addressLabel(const BoardState& b)
{
    QByteArray out = "address=\"" + dottedText(b.address).toLatin1() + '"';
    if (b.site)
        out += ",site=\"" + labelValue(*b.site).toUtf8() + '"';
    return out;
}

QByteArray infoLabels(const BoardState& b, const QByteArray& address)
{
    const BoardConfig& c = b.shown;
    QByteArray out = address;
    out += ",ident=\"" + QByteArray::number(c.fields.ident) + '"';
    out += ",version=\"" + labelValue(c.version.value_or(QString())).toUtf8() + '"';
    for (const auto& [name, text] : fieldTexts(c))
        if (name != QLatin1String("ident"))
            out += ',' + name.toLatin1() + "=\"" + labelValue(text).toUtf8() + '"';
    return out;
}

// One series of every board `has` picks, valued by `value`.
template <typename Has, typename Value>
void series(QByteArray& s, const char* name, const QList<BoardState>& boards, const QList<QByteArray>& labels,
            Has has, Value value)
{
    for (qsizetype i = 0; i < boards.size(); ++i)
        if (has(boards[i])) {
            s.append(name).append('{').append(labels[i]).append("} ");
            value(s, boards[i]);
            s.append('\n');
        }
}
} // namespace

QByteArray boardsPage(const ExporterState& state)
{
    QByteArray s;
    if (!state.surveyed)
        return s;
    const QList<BoardState>& boards = state.boards;
    QList<QByteArray> labels;
    labels.reserve(boards.size());
    for (const BoardState& b : boards)
        labels.append(addressLabel(b));
    s.reserve(qsizetype(boards.size()) * 420);
    const auto always = [](const BoardState&) { return true; };
    const auto up = [](const BoardState& b) { return b.up; };

    family(s, "talvik_board_up", "gauge",
           "Whether the board answered the last survey with its configuration.");
    series(s, "talvik_board_up", boards, labels, always,
           [](QByteArray& out, const BoardState& b) { out.append(b.up ? '1' : '0'); });
    family(s, "talvik_board_info", "gauge", "The configuration a board answered the last survey with.");
    for (qsizetype i = 0; i < boards.size(); ++i)
        if (boards[i].up)
            s.append("talvik_board_info{").append(infoLabels(boards[i], labels[i])).append("} 1\n");
    family(s, "talvik_board_config_differs", "gauge",
           "Whether the permanent memory differs from the working configuration (written, not rebooted).");
    series(
        s, "talvik_board_config_differs", boards, labels,
        [&](const BoardState& b) { return up(b) && b.differs.has_value(); },
        [](QByteArray& out, const BoardState& b) { out.append(*b.differs ? '1' : '0'); });
    family(s, "talvik_board_backup_differs", "gauge",
           "Whether the working configuration differs from the board's file in the backup folder.");
    series(
        s, "talvik_board_backup_differs", boards, labels,
        [&](const BoardState& b) { return up(b) && b.differsFromBackup.has_value(); },
        [](QByteArray& out, const BoardState& b) { out.append(*b.differsFromBackup ? '1' : '0'); });
    family(s, "talvik_board_backup_changed_timestamp_seconds", "gauge",
           "When the board's file in the backup folder last changed.");
    series(
        s, "talvik_board_backup_changed_timestamp_seconds", boards, labels,
        [](const BoardState& b) { return b.backupSinceMs > 0; },
        [](QByteArray& out, const BoardState& b) { seconds(out, b.backupSinceMs); });
    family(s, "talvik_board_last_seen_timestamp_seconds", "gauge", "When the board last answered a survey.");
    series(
        s, "talvik_board_last_seen_timestamp_seconds", boards, labels,
        [](const BoardState& b) { return b.lastSeenMs > 0; },
        [](QByteArray& out, const BoardState& b) { seconds(out, b.lastSeenMs); });

    qint64 upCount = 0;
    for (const BoardState& b : boards)
        upCount += b.up ? 1 : 0;
    family(s, "talvik_survey_duration_seconds", "gauge", "How long the last survey took.");
    s.append("talvik_survey_duration_seconds ")
        .append(QByteArray::number(state.lastSurveySeconds, 'f', 6))
        .append('\n');
    family(s, "talvik_survey_boards", "gauge", "Boards of the last survey, by state.");
    s.append("talvik_survey_boards{state=\"up\"} ");
    number(s, upCount);
    s.append("\ntalvik_survey_boards{state=\"down\"} ");
    number(s, boards.size() - upCount);
    s.append('\n');
    return s;
}

QByteArray countersPage(const ExporterState& state)
{
    QByteArray s;
    family(s, "talvik_exporter_build_info", "gauge",
           "The exporter's version and the Qt it runs on, as labels; always 1.");
    s.append("talvik_exporter_build_info{version=\"" TALVIK_VERSION "\",qt=\"")
        .append(qVersion())
        .append("\"} 1\n");
    family(s, "talvik_surveys_total", "counter", "Surveys made.");
    s.append("talvik_surveys_total ");
    number(s, qint64(state.surveys));
    family(s.append('\n'), "talvik_replies_lost_total", "counter",
           "Datagrams this PC dropped under overload during surveys (their boards were asked again).");
    s.append("talvik_replies_lost_total ");
    number(s, qint64(state.repliesLost));
    family(s.append('\n'), "talvik_survey_skipped_total", "counter",
           "Surveys not made: port 6767 was held by another program, or the last survey was still running.");
    s.append("talvik_survey_skipped_total ");
    number(s, qint64(state.skipped));
    s.append('\n');
    return s;
}

} // namespace talvik::ctl
