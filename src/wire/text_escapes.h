#pragma once
// Text that came from a board or a file, made visible on one line: control characters
// (C0, DEL, C1) and the backslash written as \r \n \t \e \\ and \xHH, so that it cannot
// steer a terminal or split a line; and back.

#include <QString>

namespace talvik {

QString escapeControls(const QString& text);
QString unescapeControls(const QString& text);

// For a message that quotes a file or a board: control characters escaped (a backslash
// stays as it is, a Windows path reads as one), at most `most` characters, "…" when cut.
QString quoted(const QString& text, int most = 100);

} // namespace talvik
