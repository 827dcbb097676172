#include "storage/NoteLimits.h"

#include <algorithm>

namespace pw {

namespace {

// Walks the pieces as one text, counting characters of the box (UTF-16 units: the bytes that
// start a character, twice for one past U+FFFF) and the longest CR LF-delimited line.
class LineMeter {
public:
    void Feed(const char* p, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) {
            const char c = p[i];
            const unsigned char b = static_cast<unsigned char>(c);
            if (b >= 0x80) {
                if ((b & 0xC0) == 0x80) continue;   // the rest of a character
                const std::size_t units = b >= 0xF0 ? 2 : 1;
                size_ += units;
                current_ += units;
                lastWasCr_ = false;
                continue;
            }
            ++size_;
            if (c == '\n' && lastWasCr_) {
                // The CR was counted into the line: take it back out, then close the line.
                Close(current_ - 1);
                current_ = 0;
                lastWasCr_ = false;
                continue;
            }
            ++current_;
            lastWasCr_ = c == '\r';
        }
    }
    NoteFit Result() {
        Close(current_);
        NoteFit f;
        f.size = size_;
        f.longestLine = longest_;
        f.lineNumber = longestAt_;
        f.layoutMs = layoutMs_;
        if (size_ > kMaxNoteBytes) f.kind = NoteFit::TooLarge;
        else if (longest_ > kMaxLineChars) f.kind = NoteFit::LineTooLong;
        else if (layoutMs_ > kMaxLayoutMs) f.kind = NoteFit::TooSlow;
        return f;
    }

private:
    void Close(std::size_t length) {
        ++lines_;
        layoutMs_ += LineLayoutMs(length);
        if (length > longest_ || lines_ == 1) {
            longest_ = length;
            longestAt_ = lines_;
        }
    }
    std::size_t size_ = 0, current_ = 0, longest_ = 0, longestAt_ = 0, lines_ = 0;
    bool lastWasCr_ = false;
    double layoutMs_ = 0;
};

// 5242880 -> "5,242,880"
std::string Grouped(unsigned long long n) {
    std::string s = std::to_string(n);
    for (int i = static_cast<int>(s.size()) - 3; i > 0; i -= 3) s.insert(static_cast<std::size_t>(i), ",");
    return s;
}

}  // namespace

std::string Megabytes(unsigned long long bytes) {
    if (bytes < (1u << 20)) return Grouped((bytes + 1023) / 1024) + " KB";
    return Grouped((bytes + (1u << 20) - 1) >> 20) + " MB";
}

double LineLayoutMs(std::size_t n) {
    // Microseconds per character for lines of a given length, measured under Wine with the
    // box's font and width (bench/README.md); linear in between, the last slope beyond.
    // Notes made of lines of one length: 70 -> 0.6, 1,000 -> 4.5, 4,000 -> 12.5, 10,000 ->
    // 14.7, 20,000 -> more than 40; one line of 40,000: 64.
    static const double kLength[] = {0, 70, 1000, 4000, 10000, 20000, 40000};
    static const double kMicros[] = {0.6, 0.6, 4.5, 12.5, 14.7, 45, 64};
    const double len = static_cast<double>(n);
    std::size_t i = 1;
    while (i + 1 < sizeof kLength / sizeof kLength[0] && len > kLength[i]) ++i;
    const double t = (len - kLength[i - 1]) / (kLength[i] - kLength[i - 1]);
    const double perChar = kMicros[i - 1] + t * (kMicros[i] - kMicros[i - 1]);
    return len * perChar / 1000.0;
}

NoteFit CheckNoteFits(const std::string& text) {
    LineMeter m;
    m.Feed(text.data(), text.size());
    return m.Result();
}

NoteFit CheckSplicedFits(const std::string& text, std::size_t start, std::size_t end, const std::string& insert) {
    start = std::min(start, text.size());
    end = std::min(std::max(end, start), text.size());
    LineMeter m;
    m.Feed(text.data(), start);
    m.Feed(insert.data(), insert.size());
    m.Feed(text.data() + end, text.size() - end);
    return m.Result();
}

std::string WhyItDoesNotFit(const NoteFit& fit) {
    if (fit.kind == NoteFit::TooLarge)
        return "it is " + Megabytes(fit.size) + ", more than the " + Megabytes(kMaxNoteBytes) +
               " the note can hold";
    if (fit.kind == NoteFit::LineTooLong)
        return "its line " + Grouped(fit.lineNumber) + " is " + Grouped(fit.longestLine) +
               " characters long, more than the " + Grouped(kMaxLineChars) + " one line of the note can hold";
    if (fit.kind == NoteFit::TooSlow)
        return "its long lines would take the window about " +
               Grouped(static_cast<std::size_t>(fit.layoutMs / 1000 + 0.5)) + " seconds to lay out, more than the " +
               Grouped(static_cast<std::size_t>(kMaxLayoutMs / 1000)) + " it may take";
    return std::string();
}

}  // namespace pw
