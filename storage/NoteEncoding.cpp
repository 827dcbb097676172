#include "storage/NoteEncoding.h"

#include <algorithm>

namespace pw {

namespace {

const char kUtf8Mark[] = "\xEF\xBB\xBF";

std::string FromUtf16(const std::string& bytes, std::size_t from, bool bigEndian) {
    std::u16string units;
    units.reserve((bytes.size() - from) / 2 + 1);
    std::size_t i = from;
    for (; i + 1 < bytes.size(); i += 2) {
        const unsigned char a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
        units += static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    }
    if (i < bytes.size()) units += u'\xFFFD';   // half a character at the end: kept visible
    return Utf16ToUtf8(units);
}

void ToUtf16(const std::string& text, bool bigEndian, std::string& bytes) {
    const std::u16string units = Utf8ToUtf16(text);
    bytes.reserve(bytes.size() + units.size() * 2);
    for (char16_t u : units) {
        const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        bytes += bigEndian ? hi : lo;
        bytes += bigEndian ? lo : hi;
    }
}

}  // namespace

TextEncoding EncodingOfMark(const std::string& bytes, std::size_t& markLength) {
    markLength = 0;
    if (bytes.compare(0, 3, kUtf8Mark) == 0) {
        markLength = 3;
        return TextEncoding::Utf8;
    }
    if (bytes.size() >= 2) {
        const unsigned char a = static_cast<unsigned char>(bytes[0]), b = static_cast<unsigned char>(bytes[1]);
        markLength = 2;
        if (a == 0xFF && b == 0xFE) return TextEncoding::Utf16LE;
        if (a == 0xFE && b == 0xFF) return TextEncoding::Utf16BE;
        markLength = 0;
    }
    return TextEncoding::Ansi;
}

std::string DecodeText(const std::string& bytes, TextEncoding enc, const ICodePage& cp) {
    std::size_t mark = 0;
    if (EncodingOfMark(bytes, mark) != enc) mark = 0;
    std::string text;
    switch (enc) {
        case TextEncoding::Ansi: text = cp.ToUtf8(bytes); break;
        case TextEncoding::Utf8: text = StrictUtf8(bytes.substr(mark)); break;   // U+FFFD for a bad byte
        case TextEncoding::Utf16LE: text = FromUtf16(bytes, mark, false); break;
        case TextEncoding::Utf16BE: text = FromUtf16(bytes, mark, true); break;
    }
    std::replace(text.begin(), text.end(), '\0', ' ');
    return text;
}

TextEncoding DecodeNoteFile(const std::string& bytes, const ICodePage& cp, std::string& text) {
    std::size_t mark = 0;
    const TextEncoding enc = EncodingOfMark(bytes, mark);
    text = DecodeText(bytes, enc, cp);
    return enc;
}

TextEncoding DecodeOpenedFile(const std::string& bytes, const ICodePage& cp, std::string& text) {
    std::size_t mark = 0;
    TextEncoding enc = EncodingOfMark(bytes, mark);
    if (enc == TextEncoding::Ansi && !IsAscii(bytes) && IsValidUtf8(bytes)) enc = TextEncoding::Utf8;
    text = DecodeText(bytes, enc, cp);
    return enc;
}

TextEncoding EncodingToWrite(const std::string& text, TextEncoding was, const ICodePage& cp, std::string* ansi) {
    if (was != TextEncoding::Ansi) return was;
    if (!ansi && IsAscii(text)) return TextEncoding::Ansi;   // every ANSI code page holds ASCII
    std::string local;
    std::string& out = ansi ? *ansi : local;
    if (cp.ToAnsi(text, out)) return TextEncoding::Ansi;
    out.clear();
    return TextEncoding::Utf8;
}

TextEncoding EncodeText(const std::string& text, TextEncoding was, const ICodePage& cp, std::string& bytes) {
    bytes.clear();
    const TextEncoding enc = EncodingToWrite(text, was, cp, &bytes);
    if (enc == TextEncoding::Ansi || text.empty()) return enc;
    switch (enc) {
        case TextEncoding::Utf8:
            bytes = kUtf8Mark;
            bytes += StrictUtf8(text);
            break;
        case TextEncoding::Utf16LE:
            bytes = "\xFF\xFE";
            ToUtf16(text, false, bytes);
            break;
        case TextEncoding::Utf16BE:
            bytes = "\xFE\xFF";
            ToUtf16(text, true, bytes);
            break;
        case TextEncoding::Ansi: break;
    }
    return enc;
}

namespace {

std::string Count(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::string DamageOf(const std::string& bytes, TextEncoding enc, const ICodePage& cp, const std::string& text) {
    std::string again;
    EncodeText(text, enc, cp, again);
    if (again == bytes) return "";
    std::size_t mark = 0;
    if (EncodingOfMark(bytes, mark) != enc) mark = 0;
    if (mark == bytes.size()) return "";   // a mark alone: an empty note, nothing lost
    std::string parts;
    const auto add = [&parts](const std::string& part) { parts += (parts.empty() ? "" : "; ") + part; };
    const bool utf16 = enc == TextEncoding::Utf16LE || enc == TextEncoding::Utf16BE;
    std::size_t nuls = 0;
    if (utf16) {
        for (std::size_t i = mark; i + 1 < bytes.size(); i += 2)
            if (bytes[i] == '\0' && bytes[i + 1] == '\0') ++nuls;
    } else {
        for (std::size_t i = mark; i < bytes.size(); ++i)
            if (bytes[i] == '\0') ++nuls;
    }
    if (nuls) add(Count(nuls, utf16 ? "NUL character" : "NUL byte", utf16 ? "NUL characters" : "NUL bytes") +
                  ", shown as spaces");
    if (enc == TextEncoding::Utf8) {
        std::size_t bad = 0;
        for (std::size_t i = mark; i < bytes.size();) {
            std::uint32_t c = 0;
            const std::size_t len = DecodeUtf8At(bytes.data(), bytes.size(), i, c);
            if ((c == 0xFFFD && len == 1) || (c >= 0xD800 && c <= 0xDFFF)) bad += len;
            i += len;
        }
        if (bad) add(Count(bad, "byte that is", "bytes that are") + " not UTF-8 after its UTF-8 mark, shown as "
                                                                  "the replacement character");
    } else if (utf16 && (bytes.size() - mark) % 2) {
        add("an odd number of bytes for UTF-16: the last byte is half a character, shown as the replacement "
            "character");
    } else if (enc == TextEncoding::Ansi) {
        std::string spaced = bytes;
        std::replace(spaced.begin(), spaced.end(), '\0', ' ');
        if (again != spaced) add("bytes that are no characters of the system's code page, shown as others");
    }
    if (parts.empty()) parts = "bytes that would not come back the same when the note is saved";
    return parts;
}

}  // namespace pw
