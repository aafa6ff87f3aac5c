#include "store/ini_store.h"

#include "store/settings_keys.h"

namespace talvik {

namespace {
QList<QByteArray> ownSections()
{
    QList<QByteArray> out;
    for (const char* section : settings::Sections)
        out.append(QByteArray(section));
    return out;
}

QByteArray keyName(int key)
{
    return QByteArray::number(key);
}
} // namespace

IniStore::IniStore(const SettingsLocation& location)
    : file_(location.readPath, location.writePath, ownSections())
{
}

QString IniStore::read(const char* section, int key, const QString& fallback) const
{
    return file_.value(section, keyName(key)).value_or(fallback);
}

void IniStore::write(const char* section, int key, const QString& value)
{
    file_.setValue(section, keyName(key), value);
}

std::optional<bool> parseFlag(const QString& text)
{
    const QString t = text.trimmed();
    bool ok = false;
    qlonglong n = 0;
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        n = t.mid(2).toLongLong(&ok, 16);
    else
        n = t.toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return n != 0;
}

bool IniStore::readFlag(const char* section, int key, bool fallback) const
{
    const auto value = file_.value(section, keyName(key));
    return value ? parseFlag(*value).value_or(fallback) : fallback;
}

void IniStore::writeFlag(const char* section, int key, bool value)
{
    write(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

ProfileFile::SaveResult IniStore::flush()
{
    return file_.save();
}

} // namespace talvik
