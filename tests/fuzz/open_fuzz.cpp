// libFuzzer target for the Open... reader: any bytes must give a text the box can show (no
// NUL, every CR followed by LF), that Save As... and Open... give back unchanged, and whose
// measure against the box's limits agrees with a plain count, also when it is pasted in.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "editor/FileCommands.h"
#include "platform/TextCodec.h"
#include "storage/NoteLimits.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

// The longest line between CR LF pairs, counted the plain way in characters of the box.
std::size_t LongestLine(const std::string& utf8) {
    const std::u16string t = pw::Utf8ToUtf16(utf8);
    std::size_t longest = 0, start = 0;
    for (;;) {
        const std::size_t end = t.find(u"\r\n", start);
        const std::size_t len = (end == std::string::npos ? t.size() : end) - start;
        if (len > longest) longest = len;
        if (end == std::string::npos) return longest;
        start = end + 2;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = pw::NoteFromFile(bytes);
    Check(text.size() <= 3 * bytes.size());
    Check(text.find('\0') == std::string::npos);
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\r') Check(i + 1 < text.size() && text[i + 1] == '\n');
    // Save As... then Open... gives the same text back.
    Check(pw::TextFromFile(pw::FileFromText(text)) == text);

    const pw::NoteFit fit = pw::CheckNoteFits(text);
    Check(fit.size == pw::Utf16Length(text));
    Check(fit.longestLine == LongestLine(text));
    Check(fit.fits() == pw::WhyItDoesNotFit(fit).empty());
    // Now and then the text repeated past the line limit: the limits' own branches.
    if (size > 2 && data[size - 1] == 0xFF && !text.empty()) {
        std::string big;
        while (big.size() <= pw::kMaxLineChars) big += text;
        const pw::NoteFit b = pw::CheckNoteFits(big);
        Check(b.longestLine == LongestLine(big));
        Check((b.longestLine > pw::kMaxLineChars) == (b.kind == pw::NoteFit::LineTooLong));
        Check(b.fits() == pw::WhyItDoesNotFit(b).empty());
    }
    // The same text pasted into the middle of itself is judged as the whole would be.
    if (!text.empty()) {
        const std::size_t at = static_cast<std::size_t>(data[0]) % (text.size() + 1);
        const std::size_t to = at + (size > 1 ? data[1] % (text.size() - at + 1) : 0);
        const std::string whole = text.substr(0, at) + text + text.substr(to);
        const pw::NoteFit spliced = pw::CheckSplicedFits(text, at, to, text);
        const pw::NoteFit direct = pw::CheckNoteFits(whole);
        Check(spliced.size == direct.size && spliced.longestLine == direct.longestLine &&
              spliced.kind == direct.kind && spliced.lineNumber == direct.lineNumber);
    }
    return 0;
}
