#pragma once
// Section/key access to TalvikCom.ini, opened for one load or one save; see
// profile_file.h for how the rest of the file is kept.

#include "store/profile_file.h"
#include "store/settings_location.h"

#include <optional>

namespace talvik {

class IniStore {
  public:
    explicit IniStore(const SettingsLocation& location);

    QString read(const char* section, int key, const QString& fallback) const;
    void write(const char* section, int key, const QString& value);
    // Whole number, decimal or "0x" hexadecimal; anything other than 0 is true.
    bool readFlag(const char* section, int key, bool fallback) const;
    void writeFlag(const char* section, int key, bool value);
    // Writes the changed values to disk; anything but Saved leaves the file as it was.
    ProfileFile::SaveResult flush();
    QString systemError() const { return file_.systemError(); }

  private:
    ProfileFile file_;
};

// Reads a stored flag text; nullopt when it is not a whole number.
std::optional<bool> parseFlag(const QString& text);

} // namespace talvik
