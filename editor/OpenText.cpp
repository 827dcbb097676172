// The text Open... makes of a file's bytes; kept apart from the window so the fuzz target
// (tests/fuzz/open_fuzz.cpp) can build it alone.
#include "editor/FileCommands.h"

namespace pw {

std::string TextFromFile(const std::string& data) {
    std::string text;
    text.reserve(data.size() + data.size() / 64);
    const size_t n = data.size();
    size_t pos = 0;
    while (pos < n) {
        size_t cr = data.find('\r', pos);
        if (cr == std::string::npos) cr = n;
        text.append(data, pos, cr - pos);
        if (cr == n) break;
        text += "\r\n";   // a lone CR ends its line as CR LF does
        pos = cr + 1;
        if (pos < n && data[pos] == '\n') ++pos;
    }
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) text.resize(text.size() - 2);
    return text;
}

std::string NoteFromFile(const std::string& data, const ICodePage& cp) {
    // The text box ends its text at a NUL: decoding shows each as a space rather than cut the file.
    std::string text;
    DecodeOpenedFile(data, cp, text);
    return TextFromFile(text);
}

std::string FileBytesFromText(const std::string& text, const ICodePage& cp) {
    std::string bytes;
    EncodeText(FileFromText(text), TextEncoding::Ansi, cp, bytes);
    return bytes;
}

}  // namespace pw
