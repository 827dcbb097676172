// pagewick.ini: 22 fixed lines, then the lines later versions added (23 Status Bar, 24 Word
// Wrap, 25 Check Spelling As You Type), CR LF after each, values known only by their line. Numbers are written and read with
// the user's decimal separator, Booleans as -1 / 0.
#pragma once
#include <string>

#include "platform/types.h"

namespace pw {

struct Settings {
    float top = 0, left = 0, height = 0, width = 0;   // twips
    FontSpec font;
    std::string transparency = "0";
    bool altkey = false, ctrlkey = true, enabled = false, shiftkey = true;
    long vkey = 83;
    bool winkey = false;
    bool statusBar = false;   // View > Status Bar
    bool wordWrap = true;     // View > Word Wrap
    bool spellAsYouType = true;   // File > Check Spelling As You Type
};

constexpr int kSettingsLines = 22;   // the lines every version reads, in order
constexpr int kSettingsFileLines = 25;   // with the lines after them, each read on its own
// A sound file is a few hundred bytes; one past this is not read at all.
constexpr long long kMaxSettingsBytes = 8 << 10;

std::string SettingsPath(const std::string& folder);

// The whole file.
std::string FormatSettings(const Settings& s, const std::string& decimalSeparator);

// Reads the file's lines into s, each on its own: a line that is missing or does not convert
// leaves its field as s held it, and the reading goes on with the next. Returns the number
// of lines read soundly (25 for a sound file of this version, 22 for one of an older version;
// a section or empty line counts when it is there). Section and empty lines are skipped
// whatever they hold.
int ParseSettings(const std::string& data, const std::string& decimalSeparator, Settings& s);

// The transparency value as the program keeps and writes it, from line 14's text: a number
// is rounded to a whole one (halves to even) and held to 0..90; anything that is not a
// number counts as 0 (opaque). "30" -> "30", "12.5" -> "12", "250" -> "90", "-5" -> "0",
// "" -> "0".
std::string SoundTransparency(const std::string& text, const std::string& decimalSeparator);

// Conversions as the file uses them.
// A single-precision number with up to 7 significant digits, no float noise, no trailing
// zeros: 9.75f -> "9.75" (or "9,75"), 7245 -> "7245", -120 -> "-120".
std::string FormatNumber(float value, const std::string& decimalSeparator);
std::string FormatBool(bool value);   // "-1" / "0"
// Accept surrounding spaces; an exponent; as the decimal separator the user's, and also "."
// or "," (a file written where the other one is used: the file never holds a thousands
// separator).
bool ParseSingle(const std::string& text, const std::string& decimalSeparator, float& out);
// -1 / 0 / any number (non-zero is true), or True / False in any letter case.
bool ParseBool(const std::string& text, const std::string& decimalSeparator, bool& out);
// A whole 32-bit number; a fraction rounds to the nearest, halves to even.
bool ParseLong(const std::string& text, const std::string& decimalSeparator, long& out);

}  // namespace pw
