#include "exporter_metrics.h"

#include "board/untrusted_text.h"
#include "wire/board_address.h"

#include <QTextStream>

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
void family(QTextStream& s, const char* name, const char* type, const char* help)
{
    s << "# HELP " << name << ' ' << help << "\n# TYPE " << name << ' ' << type << '\n';
}

QString addressLabel(const BoardState& b)
{
    const QString address = QStringLiteral("address=\"%1\"").arg(dottedText(b.address));
    return b.site ? address + QStringLiteral(",site=\"%1\"").arg(labelValue(*b.site)) : address;
}

QString infoLabels(const BoardState& b)
{
    QStringList labels{addressLabel(b)};
    const BoardConfig& c = b.shown;
    labels << QStringLiteral("ident=\"%1\"").arg(c.fields.ident)
           << QStringLiteral("version=\"%1\"").arg(labelValue(c.version.value_or(QString())));
    for (const auto& [name, text] : fieldTexts(c))
        if (name != QLatin1String("ident"))
            labels << QStringLiteral("%1=\"%2\"").arg(name, labelValue(text));
    return labels.join(QLatin1Char(','));
}
} // namespace

QByteArray metricsPage(const ExporterState& state)
{
    QString page;
    QTextStream s(&page);
    if (state.surveyed) {
        family(s, "talvik_board_up", "gauge",
               "Whether the board answered the last survey with its configuration.");
        for (const BoardState& b : state.boards)
            s << "talvik_board_up{" << addressLabel(b) << "} " << (b.up ? 1 : 0) << '\n';
        family(s, "talvik_board_info", "gauge", "The configuration a board answered the last survey with.");
        for (const BoardState& b : state.boards)
            if (b.up)
                s << "talvik_board_info{" << infoLabels(b) << "} 1\n";
        family(
            s, "talvik_board_config_differs", "gauge",
            "Whether the permanent memory differs from the working configuration (written, not rebooted).");
        for (const BoardState& b : state.boards)
            if (b.up && b.differs)
                s << "talvik_board_config_differs{" << addressLabel(b) << "} " << (*b.differs ? 1 : 0)
                  << '\n';
        family(s, "talvik_board_backup_differs", "gauge",
               "Whether the working configuration differs from the board's file in the backup folder.");
        for (const BoardState& b : state.boards)
            if (b.up && b.differsFromBackup)
                s << "talvik_board_backup_differs{" << addressLabel(b) << "} "
                  << (*b.differsFromBackup ? 1 : 0) << '\n';
        family(s, "talvik_board_backup_changed_timestamp_seconds", "gauge",
               "When the board's file in the backup folder last changed.");
        for (const BoardState& b : state.boards)
            if (b.backupSinceMs > 0)
                s << "talvik_board_backup_changed_timestamp_seconds{" << addressLabel(b) << "} "
                  << QString::number(double(b.backupSinceMs) / 1000.0, 'f', 3) << '\n';
        family(s, "talvik_board_last_seen_timestamp_seconds", "gauge",
               "When the board last answered a survey.");
        for (const BoardState& b : state.boards)
            if (b.lastSeenMs > 0)
                s << "talvik_board_last_seen_timestamp_seconds{" << addressLabel(b) << "} "
                  << QString::number(double(b.lastSeenMs) / 1000.0, 'f', 3) << '\n';
        int up = 0;
        for (const BoardState& b : state.boards)
            up += b.up ? 1 : 0;
        family(s, "talvik_survey_duration_seconds", "gauge", "How long the last survey took.");
        s << "talvik_survey_duration_seconds " << QString::number(state.lastSurveySeconds, 'f', 6) << '\n';
        family(s, "talvik_survey_boards", "gauge", "Boards of the last survey, by state.");
        s << "talvik_survey_boards{state=\"up\"} " << up << '\n';
        s << "talvik_survey_boards{state=\"down\"} " << state.boards.size() - up << '\n';
    }
    family(s, "talvik_surveys_total", "counter", "Surveys made.");
    s << "talvik_surveys_total " << state.surveys << '\n';
    family(s, "talvik_replies_lost_total", "counter",
           "Datagrams this PC dropped under overload during surveys (their boards were asked again).");
    s << "talvik_replies_lost_total " << state.repliesLost << '\n';
    family(s, "talvik_survey_skipped_total", "counter",
           "Surveys not made: port 6767 was held by another program, or the last survey was still running.");
    s << "talvik_survey_skipped_total " << state.skipped << '\n';
    s.flush();
    return page.toUtf8();
}

} // namespace talvik::ctl
