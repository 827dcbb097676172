// The line rules of Open... and Save As...
#pragma once
#include <string>

namespace pw {

// The note a file's bytes give: lines end at CR LF or a lone CR and are joined by CR LF; a
// lone LF stays inside its line; the break after the last line is dropped.
std::string TextFromFile(const std::string& data);

// What Save As... writes: the text and one CR LF.
inline std::string FileFromText(const std::string& text) { return text + "\r\n"; }

// What Open... puts into the box for a file's bytes: NULs shown as spaces, then the line
// rules of TextFromFile.
std::string NoteFromFile(std::string data);

// Files larger than this are not even read by Open...: their text could not fit the note (a
// file of lone CRs grows by half as its lines are joined with CR LF).
constexpr long long kMaxOpenBytes = (10ll << 20) + 2;

}  // namespace pw
