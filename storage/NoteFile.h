// The note, pagewick.txt in the program folder: the text of the box, in the encoding
// storage/NoteEncoding.h chooses.
#pragma once
#include <string>

#include "platform/system.h"
#include "storage/NoteEncoding.h"
#include "platform/ui.h"

namespace pw {

std::string NotePath(const std::string& folder);
// The folder part of a path ("C:\\a\\b.txt" -> "C:\\a"); "" when it has none.
std::string FolderOf(const std::string& path);

// Reads the note's text and the encoding it was stored in. The edit control cannot hold NUL
// characters, so each one is shown as a space instead of cutting the note there. A missing
// file gives present = false and no error.
FileError ReadNote(IFileSystem& fs, const std::string& path, const ICodePage& cp, std::string& text,
                   bool& present, TextEncoding& encoding);

// Writes the box's text (safely: the old note survives a failed write) in the encoding the
// note was read in, or UTF-8 when ANSI cannot hold it; encoding becomes the one written. An
// empty note is stored as a 0-byte file, and the box then holds one line break, which the
// next save writes. written (when given) gets the bytes the file now holds.
FileError SaveNote(IFileSystem& fs, const std::string& path, const ICodePage& cp, IControl& box,
                   TextEncoding& encoding, std::string* written = nullptr);

}  // namespace pw
