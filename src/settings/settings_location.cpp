#include "settings_location.h"

#include "settings/ini_store.h"
#include "settings/settings_keys.h"
#include "ui/number_edit.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace talvik {

namespace {
bool folderIsWritable(const QString& folder)
{
    QTemporaryFile probe(folder + QStringLiteral("/.talvikcom-probe-XXXXXX"));
    return probe.open();
}
} // namespace

QString resolveSettingsPath(const QString& explicitPath)
{
    if (!explicitPath.isEmpty())
        return explicitPath;
    return settingsPathIn(QCoreApplication::applicationDirPath(),
                          QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

QString settingsPathIn(const QString& besideExecutable, const QString& userFolder)
{
    const QString fileName = QLatin1String(settings::FileName);
    if (folderIsWritable(besideExecutable))
        return QDir(besideExecutable).filePath(fileName);
    QDir().mkpath(userFolder);
    return QDir(userFolder).filePath(fileName);
}

void loadNumber(const IniStore& store, const char* section, int key, NumberEdit* editor)
{
    const QString def = QLatin1String(settings::OctetDefault);
    if (!editor->setValueText(store.read(section, key, def)))
        editor->setValueText(def);
}

} // namespace talvik
