#include "update/UpdateConfig.h"

#include <cctype>
#include <cstdio>

namespace pw {

namespace {

std::string Trim(const std::string& s) {
    std::size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return "";
    std::size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

UpdateConfig ParseUpdateConfig(const std::string& text) {
    UpdateConfig c;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t cr = text.find('\r', pos);
        std::string line = text.substr(pos, cr == std::string::npos ? std::string::npos : cr - pos);
        if (cr == std::string::npos) {
            pos = text.size();
        } else {
            pos = cr + 1;
            if (pos < text.size() && text[pos] == '\n') ++pos;
        }
        ++c.lines;
        if (c.lines == 4 && cr != std::string::npos) c.signedBytes = pos;
        switch (c.lines) {
            case 1: c.updateName = line; break;
            case 2: c.webVersion = line; break;
            case 3: {
                c.installerUrl = line;
                std::size_t slash = line.rfind('/');
                c.installerFile = slash == std::string::npos ? line : line.substr(slash + 1);
                break;
            }
            case 4: c.sha256 = line; break;
            case 5: c.signature = line; break;
            default: break;
        }
    }
    return c;
}

bool ParseVersion(const std::string& text, std::vector<unsigned long>& parts) {
    parts.clear();
    const std::string t = Trim(text);
    if (t.empty()) return false;
    std::size_t i = 0;
    while (true) {
        std::size_t start = i;
        unsigned long v = 0;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
            if (i - start >= 9) return false;
            v = v * 10 + static_cast<unsigned long>(t[i] - '0');
            ++i;
        }
        if (i == start) return false;
        parts.push_back(v);
        if (i == t.size()) return true;
        if (t[i] != '.') return false;
        ++i;
    }
}

int CompareVersions(const std::vector<unsigned long>& a, const std::vector<unsigned long>& b) {
    const std::size_t n = a.size() > b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        unsigned long x = i < a.size() ? a[i] : 0, y = i < b.size() ? b[i] : 0;
        if (x != y) return x < y ? -1 : 1;
    }
    return 0;
}

bool IsNewerVersion(const std::string& current, const std::string& web) {
    std::vector<unsigned long> cur, w;
    if (!ParseVersion(current, cur) || !ParseVersion(web, w)) return false;
    return CompareVersions(w, cur) > 0;
}

std::string InstallerNameProblem(const std::string& name) {
    if (name.empty()) return "the update names no installer file";
    for (char ch : name) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c < 32 || c == 127) return "it holds control characters";
        if (ch == '\\' || ch == '/') return "it names a folder";
        if (ch == ':') return "it holds a colon";
        if (std::string("<>\"|?*").find(ch) != std::string::npos) return "it holds characters a file name cannot have";
    }
    if (name.find("..") != std::string::npos) return "it holds \"..\"";
    const std::string lower = Lower(name);
    if (!EndsWith(lower, ".exe") && !EndsWith(lower, ".msi")) return "it is not an .exe or .msi file";
    if (name.size() == 4 || name[0] == ' ' || name[0] == '.') return "it has no proper name before its extension";
    // Windows treats these as devices whatever extension follows.
    std::string base = lower.substr(0, lower.find('.'));
    base = base.substr(0, base.find_last_not_of(' ') + 1);
    static const char* const kDevices[] = {"con", "prn", "aux", "nul", "clock$", "conin$", "conout$"};
    for (const char* d : kDevices)
        if (base == d) return "it is a device name";
    if (base.size() == 4 && (base.compare(0, 3, "com") == 0 || base.compare(0, 3, "lpt") == 0) &&
        base[3] >= '0' && base[3] <= '9')
        return "it is a device name";
    return "";
}

std::string NumberedName(const std::string& path, int n) {
    const std::size_t slash = path.find_last_of("\\/");
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot <= nameStart) dot = path.size();
    return path.substr(0, dot) + " (" + std::to_string(n) + ")" + path.substr(dot);
}

std::string Format00(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f", value + (value >= 0 ? 1e-9 : -1e-9));
    return buf;
}

bool ParseSha256Hex(const std::string& line, std::string& hex) {
    const std::string t = Lower(Trim(line));
    if (t.size() != 64) return false;
    for (char c : t)
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    hex = t;
    return true;
}

}  // namespace pw
