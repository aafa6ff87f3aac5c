#include "store/settings_location.h"

#include "store/settings_keys.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace talvik {

namespace {
// Where an installed copy keeps the operator's file: ~/.config/TalvikCom on Linux, and
// %APPDATA%\TalvikCom on Windows, where programs keep settings in the roaming profile.
QString userSettingsFolder()
{
#ifdef Q_OS_WIN
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
#else
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
#endif
}

bool folderIsWritable(const QString& folder)
{
    QTemporaryFile probe(folder + QStringLiteral("/.talvikcom-probe-XXXXXX"));
    return probe.open();
}
} // namespace

bool isInstalledFolder(const QString& executableFolder)
{
    const QString folder = QDir::cleanPath(QFileInfo(executableFolder).absoluteFilePath());
    // Even root, who may write there, keeps no settings among the system's programs.
    const QStringList systemFolders{QStringLiteral(TALVIK_INSTALL_BINDIR), QStringLiteral("/usr/bin"),
                                    QStringLiteral("/usr/local/bin"), QStringLiteral("/bin")};
    return systemFolders.contains(folder) || !folderIsWritable(folder);
}

SettingsLocation resolveSettingsLocation(const QString& explicitPath, const QString& executableFolder,
                                         const QString& userFolder)
{
    if (!explicitPath.isEmpty())
        return {explicitPath, explicitPath};
    const QString own =
        executableFolder.isEmpty() ? QCoreApplication::applicationDirPath() : executableFolder;
    const QString user = userFolder.isEmpty() ? userSettingsFolder() : userFolder;
    return settingsLocationIn(own, user, isInstalledFolder(own));
}

SettingsLocation settingsLocationIn(const QString& executableFolder, const QString& userFolder,
                                    bool installed)
{
    const QString fileName = QLatin1String(settings::FileName);
    const QString beside = QDir(executableFolder).filePath(fileName);
    if (!installed)
        return {beside, beside};
    QDir().mkpath(userFolder);
    const QString own = QDir(userFolder).filePath(fileName);
    if (QFileInfo::exists(own) || !QFileInfo::exists(beside))
        return {own, own};
    return {beside, own};
}

} // namespace talvik
