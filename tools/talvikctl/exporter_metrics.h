#pragma once
// What the exporter knows of its boards after each survey, and the metrics page it
// serves from it in Prometheus' text format (version 0.0.4).

#include "board/board_config.h"

#include <QByteArray>
#include <QList>
#include <optional>

namespace talvik::ctl {

struct BoardState {
    BoardAddress address;
    std::optional<QString> site; // with --site: the sites it is in ("" for none), a label of every series
    bool up = false;             // answered the last survey with its configuration
    BoardConfig shown;           // what it answered then, when up
    std::optional<bool> differs; // permanent memory other than the working configuration
    std::optional<bool> differsFromBackup; // --backups: the working configuration other than its file
    qint64 backupSinceMs = 0;              // --backups: when its file last changed (0: none)
    qint64 lastSeenMs = 0;                 // since the epoch; 0: never
};

struct ExporterState {
    QList<BoardState> boards; // in the order given
    bool surveyed = false;    // a survey has ended
    double lastSurveySeconds = 0;
    quint64 surveys = 0;
    quint64 repliesLost = 0; // dropped under overload on this PC, all surveys
    quint64 skipped = 0;     // surveys not made: port 6767 taken, or the last still running
};

// The page in two parts: the boards' series change only when a survey ends and are
// rendered then, once; the counters change between surveys and are rendered per scrape.
QByteArray boardsPage(const ExporterState& state);
QByteArray countersPage(const ExporterState& state);

// A label's value as the format wants it: backslash, double quote and line feed escaped.
// Board texts have their control characters made visible first, as everywhere else.
QString labelValue(const QString& text);

} // namespace talvik::ctl
