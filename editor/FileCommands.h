// The line rules of Open... and Save As...
#pragma once
#include <string>

#include "storage/NoteEncoding.h"

namespace pw {

// The note a file's bytes give: lines end at CR LF or a lone CR and are joined by CR LF; a
// lone LF stays inside its line; the break after the last line is dropped.
std::string TextFromFile(const std::string& data);

// What Save As... writes: the text and one CR LF.
inline std::string FileFromText(const std::string& text) { return text + "\r\n"; }
// The same as the file's bytes: ANSI when the code page holds every character, else UTF-8
// with its mark, as the note file is written.
std::string FileBytesFromText(const std::string& text, const ICodePage& cp);

// What Open... puts into the box for a file's bytes: the text by its mark, or UTF-8 without
// one, or ANSI (storage/NoteEncoding.h), NULs shown as spaces, then the line rules of
// TextFromFile.
std::string NoteFromFile(const std::string& data, const ICodePage& cp = Windows1252());

// Files larger than this are not even read by Open...: their text could not fit the note (a
// file of lone CRs grows by half as its lines are joined with CR LF; UTF-8 takes up to three
// bytes for one character of the box).
constexpr long long kMaxOpenBytes = 3 * ((10ll << 20) + 2) + 3;

}  // namespace pw
