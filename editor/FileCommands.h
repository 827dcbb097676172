// The line rules of Open... and Save As...
#pragma once
#include <string>

namespace pw {

// The note a file's bytes give: lines end at CR LF or a lone CR and are joined by CR LF; a
// lone LF stays inside its line; the break after the last line is dropped.
std::string TextFromFile(const std::string& data);

// What Save As... writes: the text and one CR LF.
inline std::string FileFromText(const std::string& text) { return text + "\r\n"; }

// Files larger than this are refused by Open... with a message rather than half shown.
constexpr long long kMaxOpenBytes = 64ll << 20;

}  // namespace pw
