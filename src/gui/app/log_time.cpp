#include "gui/app/log_time.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTime>

namespace talvik {

namespace {
QString clockFormat()
{
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*t+")))
        .remove(QLatin1Char('('))
        .remove(QLatin1Char(')'));
    return format.trimmed();
}
} // namespace

QString longTimeNow()
{
    static const QString format = clockFormat(); // the system's format is read once
    return QTime::currentTime().toString(format);
}

} // namespace talvik
