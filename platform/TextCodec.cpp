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
