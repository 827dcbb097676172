// How a text file's bytes become the note's text and back. The note file is read by its mark
// alone (UTF-8, UTF-16 LE or BE; no mark: ANSI, as it always was) and written the way it was
// read, except that an ANSI note whose text no longer fits the ANSI code page is written as
// UTF-8 with its mark. A file chosen for Open... may also be UTF-8 without a mark.
#pragma once
#include <string>

#include "platform/TextCodec.h"

namespace pw {

enum class TextEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

// The encoding a byte-order mark at the start of bytes names, and the mark's length; Ansi and
// 0 when there is none.
TextEncoding EncodingOfMark(const std::string& bytes, std::size_t& markLength);

// The text of bytes (mark included or not) read as enc. NULs come out as spaces, since the box
// cannot hold them.
std::string DecodeText(const std::string& bytes, TextEncoding enc, const ICodePage& cp);

// The note file: the mark decides, anything else is ANSI.
TextEncoding DecodeNoteFile(const std::string& bytes, const ICodePage& cp, std::string& text);
// A file for Open...: the mark, else valid UTF-8 that holds a non-ASCII byte, else ANSI.
TextEncoding DecodeOpenedFile(const std::string& bytes, const ICodePage& cp, std::string& text);

// The encoding text is written in, given the one its file was read in: UTF-8 and UTF-16 stay;
// ANSI stays while every character has a code in the code page, else UTF-8. bytes gets the
// file's content, with the mark for every encoding but ANSI. An empty text is an empty file.
// The encoding alone (ansi, when given, gets the ANSI bytes of a text written as ANSI).
TextEncoding EncodingToWrite(const std::string& text, TextEncoding was, const ICodePage& cp,
                             std::string* ansi = nullptr);
TextEncoding EncodeText(const std::string& text, TextEncoding was, const ICodePage& cp, std::string& bytes);

// What of a note file's bytes does not come back when the text read from them (as enc) is
// written again the same way: "" when every byte does; otherwise what was replaced, for a
// message ("2 NUL bytes, shown as spaces; 3 bytes that are not UTF-8 after its UTF-8 mark,
// shown as the replacement character"). A mark alone (an empty note) loses nothing.
std::string DamageOf(const std::string& bytes, TextEncoding enc, const ICodePage& cp, const std::string& text);

}  // namespace pw
