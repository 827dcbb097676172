#include "platform/TextCodec.h"

namespace pw {

namespace {

constexpr std::uint32_t kReplacement = 0xFFFD;

bool IsCont(unsigned char b) { return (b & 0xC0) == 0x80; }
bool IsSurrogate(std::uint32_t cp) { return cp >= 0xD800 && cp <= 0xDFFF; }

// 1, 2 or 4 units... UTF-8 bytes of one UTF-16 unit sequence starting at s[i].
std::size_t Utf8BytesAt(const char16_t* s, std::size_t n, std::size_t i, std::size_t& units) {
    const char16_t u = s[i];
    units = 1;
    if (u < 0x80) return 1;
    if (u < 0x800) return 2;
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < n && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
        units = 2;
        return 4;
    }
    return 3;
}

}  // namespace

std::size_t DecodeUtf8At(const char* s, std::size_t n, std::size_t i, std::uint32_t& cp) {
    const unsigned char b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
        cp = b;
        return 1;
    }
    std::size_t len;
    std::uint32_t min;
    if (b >= 0xC2 && b <= 0xDF) len = 2, cp = b & 0x1F, min = 0x80;
    else if (b >= 0xE0 && b <= 0xEF) len = 3, cp = b & 0x0F, min = 0x800;
    else if (b >= 0xF0 && b <= 0xF4) len = 4, cp = b & 0x07, min = 0x10000;
    else {
        cp = kReplacement;
        return 1;
    }
    if (i + len > n) {
        cp = kReplacement;
        return 1;
    }
    for (std::size_t k = 1; k < len; ++k) {
        const unsigned char c = static_cast<unsigned char>(s[i + k]);
        if (!IsCont(c)) {
            cp = kReplacement;
            return 1;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF) {
        cp = kReplacement;
        return 1;
    }
    return len;
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string Utf16ToUtf8(const char16_t* s, std::size_t n) {
    std::string out;
    out.reserve(n + n / 2);
    for (std::size_t i = 0; i < n;) {
        std::size_t units;
        Utf8BytesAt(s, n, i, units);
        std::uint32_t cp = s[i];
        if (units == 2) cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
        AppendUtf8(out, cp);
        i += units;
    }
    return out;
}

std::u16string Utf8ToUtf16(const std::string& s) {
    std::u16string out;
    out.reserve(s.size());
    const std::size_t n = s.size();
    for (std::size_t i = 0; i < n;) {
        std::uint32_t cp;
        i += DecodeUtf8At(s.data(), n, i, cp);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

bool IsAscii(const std::string& s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

bool IsValidUtf8(const std::string& s) {
    const std::size_t n = s.size();
    for (std::size_t i = 0; i < n;) {
        std::uint32_t cp;
        const std::size_t len = DecodeUtf8At(s.data(), n, i, cp);
        if (IsSurrogate(cp)) return false;
        // U+FFFD from one byte is a decoding failure unless the text really holds EF BF BD.
        if (cp == kReplacement && len == 1) return false;
        i += len;
    }
    return true;
}

std::string StrictUtf8(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    const std::size_t n = s.size();
    for (std::size_t i = 0; i < n;) {
        std::uint32_t cp;
        const std::size_t len = DecodeUtf8At(s.data(), n, i, cp);
        if (IsSurrogate(cp) || (cp == kReplacement && len == 1)) AppendUtf8(out, kReplacement);
        else out.append(s, i, len);
        i += len;
    }
    return out;
}

std::size_t Utf16Length(const std::string& text) {
    std::size_t units = 0;
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n;) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {   // the common case, without decoding
            ++units;
            ++i;
            continue;
        }
        std::uint32_t cp;
        i += DecodeUtf8At(text.data(), n, i, cp);
        units += cp >= 0x10000 ? 2 : 1;
    }
    return units;
}

std::size_t Utf8OffsetOfUnits(const char16_t* s, std::size_t n, std::size_t units) {
    if (units > n) units = n;
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < units;) {
        std::size_t u;
        const std::size_t b = Utf8BytesAt(s, n, i, u);
        if (i + u > units) break;   // inside a pair
        bytes += b;
        i += u;
    }
    return bytes;
}

std::size_t UnitsOfUtf8Offset(const char16_t* s, std::size_t n, std::size_t bytes) {
    std::size_t i = 0, at = 0;
    while (i < n) {
        std::size_t u;
        const std::size_t b = Utf8BytesAt(s, n, i, u);
        if (at + b > bytes) break;
        at += b;
        i += u;
    }
    return i;
}

namespace {

// Windows-1252's 0x80-0x9F; the five bytes it leaves undefined stand for the C1 controls of
// the same value, as the system's own table has them.
const char16_t k1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

class Cp1252 : public ICodePage {
public:
    std::string ToUtf8(const std::string& ansi) const override {
        std::string out;
        out.reserve(ansi.size());
        for (unsigned char c : ansi) {
            if (c < 0x80) out += static_cast<char>(c);
            else AppendUtf8(out, c < 0xA0 ? k1252High[c - 0x80] : c);
        }
        return out;
    }
    bool ToAnsi(const std::string& utf8, std::string& ansi) const override {
        ansi.clear();
        ansi.reserve(utf8.size());
        bool all = true;
        const std::size_t n = utf8.size();
        for (std::size_t i = 0; i < n;) {
            std::uint32_t cp;
            const std::size_t len = DecodeUtf8At(utf8.data(), n, i, cp);
            i += len;
            int code = -1;
            if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) code = static_cast<int>(cp);
            else
                for (int k = 0; k < 32; ++k)
                    if (k1252High[k] == cp) code = 0x80 + k;
            if (cp == kReplacement && len == 1) code = -1;
            if (code < 0) {
                all = false;
                code = '?';
            }
            ansi += static_cast<char>(code);
        }
        return all;
    }
};

}  // namespace

const ICodePage& Windows1252() {
    static const Cp1252 cp;
    return cp;
}

}  // namespace pw

namespace pw {

void ICharRules::Lower(char16_t* s, std::size_t n) const {
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t c = s[i];
        if (c < 0x80) {
            if (c >= 'A' && c <= 'Z') s[i] = static_cast<char16_t>(c + 32);
        } else if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {
            s[i] = static_cast<char16_t>(c + 32);
        } else if (c >= 0x100 && c <= 0x17F) {
            const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
            if (c == 0x178) s[i] = 0xFF;
            else if (c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x17F &&
                     ((c % 2 == 1) == oddUpper))
                s[i] = static_cast<char16_t>(c + 1);
        } else if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) {
            s[i] = static_cast<char16_t>(c + 0x20);
        } else if (c == 0x386) {
            s[i] = 0x3AC;
        } else if (c >= 0x388 && c <= 0x38A) {
            s[i] = static_cast<char16_t>(c + 0x25);
        } else if (c == 0x38C) {
            s[i] = 0x3CC;
        } else if (c == 0x38E || c == 0x38F) {
            s[i] = static_cast<char16_t>(c + 0x3F);
        } else if (c >= 0x410 && c <= 0x42F) {
            s[i] = static_cast<char16_t>(c + 0x20);
        } else if (c >= 0x400 && c <= 0x40F) {
            s[i] = static_cast<char16_t>(c + 0x50);
        }
    }
}

bool ICharRules::IsWordChar(std::uint32_t cp) const {
    if (cp < 0x80) return (cp >= '0' && cp <= '9') || (cp >= 'A' && cp <= 'Z') || (cp >= 'a' && cp <= 'z');
    if (cp < 0x100) return (cp >= 0xC0 && cp != 0xD7 && cp != 0xF7) || cp == 0xAA || cp == 0xB5 || cp == 0xBA;
    struct Range { std::uint32_t lo, hi; };
    // Punctuation, symbols, spaces and emoji of the scripts past Latin-1.
    static const Range kNotWord[] = {
        {0x2B9, 0x2FF},   {0x37E, 0x37E},   {0x384, 0x385},   {0x387, 0x387},   {0x55A, 0x55F},
        {0x589, 0x58A},   {0x5BE, 0x5BE},   {0x5C0, 0x5C0},   {0x5C3, 0x5C3},   {0x5F3, 0x5F4},
        {0x600, 0x60F},   {0x61B, 0x61F},   {0x66A, 0x66D},   {0x6D4, 0x6D4},   {0x964, 0x965},
        {0x970, 0x970},   {0xE3F, 0xE3F},   {0xE4F, 0xE4F},   {0xE5A, 0xE5B},   {0x10FB, 0x10FB},
        {0x1360, 0x1368}, {0x2000, 0x2BFF}, {0x2E00, 0x2E7F}, {0x3000, 0x3004}, {0x3008, 0x3020},
        {0x3030, 0x3030}, {0xD800, 0xF8FF}, {0xFD3E, 0xFD3F}, {0xFE10, 0xFE1F}, {0xFE30, 0xFE6F},
        {0xFF00, 0xFF0F}, {0xFF1A, 0xFF20}, {0xFF3B, 0xFF40}, {0xFF5B, 0xFF65}, {0xFFE0, 0xFFFF},
        {0x1F000, 0x1FAFF},
    };
    for (const Range& r : kNotWord)
        if (cp >= r.lo && cp <= r.hi) return false;
    return true;
}

const ICharRules& BuiltInCharRules() {
    static const ICharRules rules;
    return rules;
}

std::string FoldCase(const std::string& text, const ICharRules& rules) {
    std::string out(text);
    const std::size_t n = text.size();
    bool ascii = true;
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(out[i]);
        if (c >= 0x80) ascii = false;
        else if (c >= 'A' && c <= 'Z') out[i] = static_cast<char>(c + 32);
    }
    if (ascii) return out;
    std::u16string lower = Utf8ToUtf16(text);
    rules.Lower(&lower[0], lower.size());
    out.clear();
    std::size_t u = 0;
    for (std::size_t i = 0; i < n;) {
        std::uint32_t cp;
        const std::size_t len = DecodeUtf8At(text.data(), n, i, cp);
        std::uint32_t low = u < lower.size() ? lower[u] : cp;
        if (cp >= 0x10000) {
            low = (u + 1 < lower.size() && low >= 0xD800 && low <= 0xDBFF && lower[u + 1] >= 0xDC00 && lower[u + 1] <= 0xDFFF)
                      ? 0x10000 + ((low - 0xD800) << 10) + (lower[u + 1] - 0xDC00)
                      : cp;
            u += 2;
        } else {
            ++u;
        }
        const std::size_t before = out.size();
        AppendUtf8(out, low);
        if (out.size() - before != len || (cp == 0xFFFD && len == 1)) {
            out.resize(before);
            out.append(text, i, len);
        }
        i += len;
    }
    return out;
}

}  // namespace pw
