#include "log_time.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTime>

namespace talvik {

QString longTimeNow()
{
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*t+")))
        .remove(QLatin1Char('('))
        .remove(QLatin1Char(')'));
    return QTime::currentTime().toString(format.trimmed());
}

} // namespace talvik
