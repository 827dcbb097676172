// The note, pagewick.txt in the program folder: exactly the bytes of the text box.
#pragma once
#include <string>

#include "platform/system.h"
#include "platform/ui.h"

namespace pw {

std::string NotePath(const std::string& folder);

// Reads the note's text. The edit control cannot hold NUL characters, so each one is shown
// as a space instead of cutting the note there. A missing file gives present = false and no
// error.
FileError ReadNote(IFileSystem& fs, const std::string& path, std::string& text, bool& present);

// Writes the box's text (safely: the old note survives a failed write). An empty note is
// stored as a 0-byte file, and the box then holds one line break, which the next save writes.
FileError SaveNote(IFileSystem& fs, const std::string& path, IControl& box);

// Replaces each NUL byte with a space.
void NulsToSpaces(std::string& text);

}  // namespace pw
