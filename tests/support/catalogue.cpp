#include "catalogue.h"

#include "gui/app/language.h"

#include <QFile>
#include <QXmlStreamReader>

namespace talvik::test {

QList<Message> catalogue(const QString& file)
{
    QFile ts(QStringLiteral(":/ts/") + file);
    if (!ts.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&ts);
    QList<Message> out;
    QString context;
    while (!xml.atEnd()) {
        if (!xml.readNextStartElement())
            continue;
        const auto name = xml.name();
        if (name == QLatin1String("name"))
            context = xml.readElementText();
        else if (name == QLatin1String("message"))
            out.append({context,
                        {},
                        {},
                        {},
                        {},
                        xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes")});
        else if (name == QLatin1String("source"))
            out.last().source = xml.readElementText();
        else if (name == QLatin1String("comment"))
            out.last().comment = xml.readElementText();
        else if (name == QLatin1String("translation")) {
            out.last().type = xml.attributes().value(QLatin1String("type")).toString();
            if (!out.last().counts)
                out.last().forms = QStringList{xml.readElementText()};
        }
        else if (name == QLatin1String("numerusform"))
            out.last().forms.append(xml.readElementText());
    }
    return out;
}

QString text(const char* source)
{
    static const QList<Message> english = catalogue(QStringLiteral("talvikcom_en.ts"));
    const QString wanted = QString::fromUtf8(source);
    for (const Message& m : english)
        if (m.source == wanted && !m.counts && m.type.isEmpty())
            return installedLanguage() == Language::English ? m.forms.value(0) : m.source;
    return QStringLiteral("(not in talvikcom_en.ts: %1)").arg(wanted);
}

} // namespace talvik::test
