#pragma once

#include <QString>

namespace talvik {

// Where TalvikCom.ini is read from and saved to.
struct SettingsLocation {
    QString readPath;
    QString writePath; // the same file, or where its first save goes
};

// The file beside the executable. An installed copy (its folder is a system bin folder,
// or cannot be written) keeps its settings in the user's configuration folder instead:
// the file there if there is one (it holds the latest saves); otherwise it reads the
// file beside the executable, if any, and its first save goes to the user's folder.
// An explicit path is used as given.
// Empty folders: the executable's own and the platform's configuration folder.
SettingsLocation resolveSettingsLocation(const QString& explicitPath, const QString& executableFolder = {},
                                         const QString& userFolder = {});
SettingsLocation settingsLocationIn(const QString& executableFolder, const QString& userFolder,
                                    bool installed);
// A system bin folder, or one this user cannot write to.
bool isInstalledFolder(const QString& executableFolder);

} // namespace talvik
