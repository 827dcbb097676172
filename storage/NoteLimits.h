// How much text the note's box can take. Past these limits the multi-line edit control takes
// minutes to wrap the text, or runs out of memory and ends the program, so a text over them
// never goes into the box: not at start, not by Open..., Paste or Replace All. The figures
// and how to measure them again: bench/README.md ("Edit control limits").
#pragma once
#include <cstddef>
#include <string>

namespace pw {

// Characters of the whole note, as the box counts them (UTF-16 units; a CR LF counts two).
constexpr std::size_t kMaxNoteBytes = 10u << 20;
// Bytes of a file that may hold such a note: UTF-8 takes up to three bytes for one character
// of the box, and its mark three more.
constexpr long long kMaxNoteFileBytes = 3 * static_cast<long long>(kMaxNoteBytes) + 3;
// Characters of one line (between two CR LF pairs: the box breaks lines only there).
constexpr std::size_t kMaxLineChars = 20000;
// Long lines cost the box more per character than short ones: a note's layout time is
// estimated line by line from the measured cost, and may not pass this many milliseconds.
constexpr double kMaxLayoutMs = 8000;
// The estimated milliseconds the box takes to lay out one line of n characters.
double LineLayoutMs(std::size_t n);

struct NoteFit {
    enum Kind { Fits, TooLarge, LineTooLong, TooSlow } kind = Fits;
    std::size_t size = 0;          // characters of the text checked
    std::size_t longestLine = 0;   // characters of its longest line
    std::size_t lineNumber = 0;    // 1-based number of that line
    double layoutMs = 0;           // estimated time the box takes to lay it out
    bool fits() const { return kind == Fits; }
};

// Measures text against the limits.
NoteFit CheckNoteFits(const std::string& text);
// The same for the text that replacing text[start, end) by insert would give, without
// building it.
NoteFit CheckSplicedFits(const std::string& text, std::size_t start, std::size_t end, const std::string& insert);

// Sizes for people: "840 KB", "150 MB" (rounded up, so nothing over a limit reads as equal).
std::string Megabytes(unsigned long long bytes);

// Why a text does not fit, for a message: "it is 150 MB, more than the 10 MB the window can
// hold" or "its line 3 is 5,242,880 characters long, more than the 20,000 one line can hold".
std::string WhyItDoesNotFit(const NoteFit& fit);

}  // namespace pw
