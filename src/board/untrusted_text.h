#pragma once
// Text that came from a board or a file, on its way out of the program: to a terminal, a
// table cell, a screen reader, a backup's comment line, a CSV cell or a message. Any UDP
// sender can answer as a board, and any file can hold anything, so every such text
// passes here first; talvikctl and the fleet window use the same rules.

#include "wire/text_escapes.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace talvik {

// One CSV line (RFC 4180): every cell escaped as above, a cell that would begin with
// = + - @ TAB CR or ' given a leading ' (so that no spreadsheet runs it as a formula),
// quoted where it holds a comma or a quote. Addresses and numbers the program writes
// never begin so, and are unchanged.
QString csvLine(const QStringList& cells);
// CSV text back into cells, undoing exactly what csvLine() did. Quoted cells may also
// hold raw line breaks, as other programs write them.
QList<QStringList> parseCsv(const QString& text);

} // namespace talvik
