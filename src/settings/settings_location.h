#pragma once

#include <QString>

namespace talvik {

class IniStore;
class NumberEdit;

// The settings file beside the executable; when that folder cannot be written (an
// installed program), the same file name in the user's configuration folder. An
// explicit path is used as given.
QString resolveSettingsPath(const QString& explicitPath);
// The file in the first folder that can be written: beside the executable, else the user's.
QString settingsPathIn(const QString& besideExecutable, const QString& userFolder);

// A stored number into a numeric editor; a text that is not a number keeps the
// key's default, so one bad value never costs the rest of the file.
void loadNumber(const IniStore& store, const char* section, int key, NumberEdit* editor);

} // namespace talvik
