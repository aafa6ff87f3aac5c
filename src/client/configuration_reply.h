#pragma once
// Which datagram a read request takes for its reply: a configuration reply carrying at
// least what the caller needs (the whole block, or the block and a version).

#include "wire/datagram.h"

#include <QHash>
#include <QString>
#include <functional>

namespace talvik {

// A reply that falls short is not taken (a better one may still come); `shortOf`, when
// given, notes per board what it lacked, to name when nothing better came.
std::function<bool(quint32, const QByteArray&)> acceptConfiguration(Completeness needed,
                                                                    QHash<quint32, QString>* shortOf);

} // namespace talvik
