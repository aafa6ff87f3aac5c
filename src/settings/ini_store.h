#pragma once
// Section/key access to the settings file over QSettings in INI format.

#include <QSettings>
#include <optional>

namespace talvik {

class IniStore {
  public:
    explicit IniStore(const QString& path);

    QString read(const char* section, int key, const QString& fallback) const;
    void write(const char* section, int key, const QString& value);
    // Whole number, decimal or "0x" hexadecimal; anything other than 0 is true.
    bool readFlag(const char* section, int key, bool fallback) const;
    void writeFlag(const char* section, int key, bool value);
    // Writes pending values to disk (atomically); false when the file could not be written.
    bool flush();

  private:
    static QString keyOf(const char* section, int key);
    mutable QSettings settings_;
};

// Reads a stored flag text; nullopt when it is not a whole number.
std::optional<bool> parseFlag(const QString& text);

} // namespace talvik
