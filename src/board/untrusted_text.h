#pragma once
// Text that came from a board or a file, on its way out of the program: to a terminal, a
// table cell, a screen reader, a backup's comment line, a CSV cell or a message. Any UDP
// sender can answer as a board, and any file can hold anything, so every such text
// passes here first; talvikctl and the fleet window use the same rules.

#include <QList>
#include <QString>
#include <QStringList>

namespace talvik {

// Control characters (C0, DEL, C1) and the backslash written as \r \n \t \e \\ and \xHH:
// the text stays on one line and cannot steer a terminal. unescapeControls() undoes it.
QString escapeControls(const QString& text);
QString unescapeControls(const QString& text);

// For a message that quotes a file or a board: control characters escaped (a backslash
// stays as it is, a Windows path reads as one), at most `most` characters, "…" when cut.
QString quoted(const QString& text, int most = 100);

// One CSV line (RFC 4180): every cell escaped as above, a cell that would begin with
// = + - @ TAB CR or ' given a leading ' (so that no spreadsheet runs it as a formula),
// quoted where it holds a comma or a quote. Addresses and numbers the program writes
// never begin so, and are unchanged.
QString csvLine(const QStringList& cells);
// CSV text back into cells, undoing exactly what csvLine() did. Quoted cells may also
// hold raw line breaks, as other programs write them.
QList<QStringList> parseCsv(const QString& text);

} // namespace talvik
