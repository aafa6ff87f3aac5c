#include "ini_store.h"

namespace talvik {

IniStore::IniStore(const QString& path) : settings_(path, QSettings::IniFormat) {}

QString IniStore::keyOf(const char* section, int key)
{
    return QLatin1String(section) + QLatin1Char('/') + QString::number(key);
}

QString IniStore::read(const char* section, int key, const QString& fallback) const
{
    const QVariant v = settings_.value(keyOf(section, key));
    if (!v.isValid())
        return fallback;
    // A value holding commas comes back as a list; take the text as it was written.
    return v.typeId() == QMetaType::QStringList ? v.toStringList().join(QLatin1Char(',')) : v.toString();
}

void IniStore::write(const char* section, int key, const QString& value)
{
    settings_.setValue(keyOf(section, key), value);
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
    const QVariant v = settings_.value(keyOf(section, key));
    if (!v.isValid())
        return fallback;
    return parseFlag(v.toString()).value_or(fallback);
}

void IniStore::writeFlag(const char* section, int key, bool value)
{
    write(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniStore::flush()
{
    settings_.sync();
    return settings_.status() == QSettings::NoError;
}

} // namespace talvik
