#pragma once
// Every section and key of TalvikCom.ini, with the default read when it is missing.

#include <QString>

namespace talvik::settings {

constexpr const char* FileName = "TalvikCom.ini";

constexpr const char* BoardAddress = "0";           // keys 1..4: Ed_0 octets
constexpr const char* Dispatcher = "1";             // keys 1..4: ED_1 octets
constexpr const char* Reserve1 = "11";              // keys 1..4: saved, never loaded
constexpr const char* Reserve2 = "12";              // keys 1..4: saved, never loaded
constexpr const char* BoardIp = "2";                // keys 1..4
constexpr const char* Mask = "3";                   // keys 1..4
constexpr const char* Gateway = "4";                // keys 1..4
constexpr const char* MacBytes = "5";               // keys 1..6: editor texts, unchanged
constexpr const char* Bounds = "6";                 // keys 1..4: left, top, width, height
constexpr const char* RangeFirst = "7";             // keys 1..4
constexpr const char* RangeCount = "8";             // key 1
constexpr const char* Identifier = "9";             // key 1: plain number, empty for 0
constexpr const char* ConsoleDynamic = "10";        // key 1: flag of CheckBox2
constexpr const char* BoardDhcp = "1d";             // key 1: flag of CheckBox4
constexpr const char* FleetWindowSection = "Fleet"; // the fleet window's (the name files have), keys below
constexpr const char* LanguageSection = "Language"; // the windows' language, key below

namespace fleet_window {
constexpr int Width = 1; // the window's size
constexpr int Height = 2;
constexpr int Columns = 3; // the table's column widths, comma-separated
constexpr int First = 4;   // the last range searched
constexpr int Last = 5;
constexpr int BackupFolder = 6; // the folder of backups last compared with (its git history in "Історія…")
constexpr int Operator = 7; // who runs the window's jobs, for the journal
constexpr int Adapter = 8;  // the adapter whose networks "my networks" are; empty for all
} // namespace fleet_window

namespace language {
constexpr int Code = 1; // "uk" or "en"
} // namespace language

// Every section the program owns; the rest of the file is the operator's.
constexpr const char* Sections[] = {BoardAddress,   Dispatcher, Reserve1,       Reserve2,  Bounds,
                                    BoardIp,        Mask,       Gateway,        MacBytes,  RangeFirst,
                                    RangeCount,     Identifier, ConsoleDynamic, BoardDhcp, FleetWindowSection,
                                    LanguageSection};

constexpr const char* OctetDefault = "0";
constexpr const char* MacDefaults[6] = {"00", "1E", "00", "00", "00", "00"};
constexpr const char* BoundsDefaults[4] = {"0", "0", "774", "492"};

} // namespace talvik::settings
