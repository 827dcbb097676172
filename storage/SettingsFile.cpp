#include "storage/SettingsFile.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace pw {

namespace {

const char* const kCrLf = "\r\n";

std::string Trim(const std::string& t) {
    size_t b = 0, e = t.size();
    while (b < e && (t[b] == ' ' || t[b] == '\t')) ++b;
    while (e > b && (t[e - 1] == ' ' || t[e - 1] == '\t')) --e;
    return t.substr(b, e - b);
}

// Lines end with CR LF, or with a lone CR or LF from a hand edit; the text after the last
// line end is one more line when it is not empty.
std::vector<std::string> SplitLines(const std::string& data) {
    std::vector<std::string> lines;
    std::string cur;
    for (size_t i = 0; i < data.size(); ++i) {
        const char c = data[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(cur);
            cur.clear();
            if (c == '\r' && i + 1 < data.size() && data[i + 1] == '\n') ++i;
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) lines.push_back(cur);
    return lines;
}

// Plain decimal text with '.' as separator: [sign] digits [. digits] [e [sign] digits],
// at least one digit in the mantissa. Returns false for anything else.
bool ParseDecimal(const std::string& raw, const std::string& sep, double& out) {
    std::string t = Trim(raw);
    if (!sep.empty() && sep != ".") {
        const size_t at = t.find(sep);
        if (at != std::string::npos) t.replace(at, sep.size(), ".");
    }
    // Written where the decimal separator is the other one of "." and ",".
    if (t.find('.') == std::string::npos) {
        const size_t comma = t.find(',');
        if (comma != std::string::npos) t[comma] = '.';
    }
    if (t.empty() || t.size() > 64) return false;
    size_t i = 0;
    if (t[i] == '+' || t[i] == '-') ++i;
    size_t digits = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        size_t ed = 0;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++ed;
        if (ed == 0) return false;
    }
    if (i != t.size()) return false;
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(t.c_str(), &end);
    if (errno == ERANGE && std::fabs(v) > 1) return false;
    if (!std::isfinite(v)) return false;
    out = v;
    return true;
}

bool EqualsNoCase(const std::string& a, const char* b) {
    if (a.size() != std::strlen(b)) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

}  // namespace

std::string SettingsPath(const std::string& folder) {
    if (!folder.empty() && folder.back() == '\\') return folder + "pagewick.ini";
    return folder + "\\pagewick.ini";
}

std::string FormatNumber(float value, const std::string& sep) {
    if (value == 0 || !std::isfinite(value)) return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.7g", static_cast<double>(value));
    std::string s = buf;
    const size_t e = s.find('e');
    if (e != std::string::npos) {
        const int exp = std::atoi(s.c_str() + e + 1);
        if (exp > 0 && exp < 15) {
            // Large whole numbers in full, from the 7 significant digits: 12345680.
            std::snprintf(buf, sizeof buf, "%.0f", std::strtod(s.c_str(), nullptr));
            s = buf;
        } else {
            // 1.5E+20, 1E-05
            std::string mant = s.substr(0, e);
            char ebuf[16];
            std::snprintf(ebuf, sizeof ebuf, "E%c%02d", exp < 0 ? '-' : '+', exp < 0 ? -exp : exp);
            s = mant + ebuf;
        }
    }
    const size_t dot = s.find('.');
    if (dot != std::string::npos) s.replace(dot, 1, sep.empty() ? "." : sep);
    return s;
}

std::string FormatBool(bool value) { return value ? "-1" : "0"; }

bool ParseSingle(const std::string& text, const std::string& sep, float& out) {
    double v = 0;
    if (!ParseDecimal(text, sep, v)) return false;
    if (std::fabs(v) > FLT_MAX) return false;
    out = static_cast<float>(v);
    return true;
}

bool ParseBool(const std::string& text, const std::string& sep, bool& out) {
    const std::string t = Trim(text);
    if (EqualsNoCase(t, "true")) return out = true, true;
    if (EqualsNoCase(t, "false")) return out = false, true;
    double v = 0;
    if (!ParseDecimal(t, sep, v)) return false;
    out = v != 0;
    return true;
}

bool ParseLong(const std::string& text, const std::string& sep, long& out) {
    double v = 0;
    if (!ParseDecimal(text, sep, v)) return false;
    const double r = std::nearbyint(v);   // the default rounding mode: halves to even
    if (r < -2147483648.0 || r > 2147483647.0) return false;
    out = static_cast<long>(r);
    return true;
}

std::string SoundTransparency(const std::string& text, const std::string& sep) {
    constexpr double kMost = 90;   // the slider's left end: 10% opacity
    double v = 0;
    if (!ParseDecimal(text, sep, v) || !std::isfinite(v) || v <= 0) return "0";
    return std::to_string(static_cast<long>(v >= kMost ? kMost : std::nearbyint(v)));
}

std::string FormatSettings(const Settings& s, const std::string& sep) {
    const std::string lines[kSettingsFileLines] = {
        "Window Position",
        FormatNumber(s.top, sep),
        FormatNumber(s.left, sep),
        FormatNumber(s.height, sep),
        FormatNumber(s.width, sep),
        "",
        "Font Settings",
        FormatNumber(s.font.size, sep),
        s.font.name,
        FormatBool(s.font.bold),
        FormatBool(s.font.italic),
        "",
        "Transparency",
        s.transparency,
        "",
        "Global Hotkey",
        FormatBool(s.altkey),
        FormatBool(s.ctrlkey),
        FormatBool(s.enabled),
        FormatBool(s.shiftkey),
        std::to_string(s.vkey),
        FormatBool(s.winkey),
        FormatBool(s.statusBar),
        FormatBool(s.wordWrap),
        FormatBool(s.spellAsYouType),
    };
    std::string out;
    for (const std::string& line : lines) out += line + kCrLf;
    return out;
}

int ParseSettings(const std::string& data, const std::string& sep, Settings& s) {
    const std::vector<std::string> lines = SplitLines(data);
    int sound = 0;
    for (int n = 0; n < kSettingsFileLines && n < static_cast<int>(lines.size()); ++n) {
        const std::string& t = lines[n];
        // Work on a copy so a bad line leaves its field untouched.
        Settings r = s;
        bool ok = true;
        switch (n + 1) {
            case 2: ok = ParseSingle(t, sep, r.top); break;
            case 3: ok = ParseSingle(t, sep, r.left); break;
            case 4: ok = ParseSingle(t, sep, r.height); break;
            case 5: ok = ParseSingle(t, sep, r.width); break;
            case 8: {
                float size = 0;
                // A size of 0 or less, or beyond what a font can be, draws no readable text.
                ok = ParseSingle(t, sep, size) && size > 0 && size <= 2048;
                if (ok) r.font.size = size;
                break;
            }
            case 9: r.font.name = t; break;
            case 10: ok = ParseBool(t, sep, r.font.bold); break;
            case 11: ok = ParseBool(t, sep, r.font.italic); break;
            case 14:
                // An edited value never stops the reading: it is held to what the program
                // itself would write (a whole 0 to 90; not a number: 0).
                r.transparency = SoundTransparency(t, sep);
                break;
            case 17: ok = ParseBool(t, sep, r.altkey); break;
            case 18: ok = ParseBool(t, sep, r.ctrlkey); break;
            case 19: ok = ParseBool(t, sep, r.enabled); break;
            case 20: ok = ParseBool(t, sep, r.shiftkey); break;
            case 21: ok = ParseLong(t, sep, r.vkey); break;
            case 22: ok = ParseBool(t, sep, r.winkey); break;
            case 23: ok = ParseBool(t, sep, r.statusBar); break;
            case 24: ok = ParseBool(t, sep, r.wordWrap); break;
            case 25: ok = ParseBool(t, sep, r.spellAsYouType); break;
            default: break;   // section and empty lines
        }
        if (!ok) continue;   // this line falls back alone
        s = r;
        ++sound;
    }
    return sound;
}

}  // namespace pw
