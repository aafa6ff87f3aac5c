#pragma once
// A window's widget tree as data: the Qt class of each control (the nearest one Qt has),
// its texts, font, size constraints and layouts, nested as in the window. The start-up
// floor builds a window of plain Qt from it, with the same controls laid out the same way.

#include <QJsonObject>

class QWidget;

namespace bench {

QJsonObject describeTree(const QWidget& window);
// The window again, plain Qt, not shown; the application font and style are set from it.
QWidget* buildTree(const QJsonObject& description);

} // namespace bench
