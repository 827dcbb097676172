#include "storage/NoteFile.h"

namespace pw {

std::string NotePath(const std::string& folder) { return folder + "\\pagewick.txt"; }

FileError ReadNote(IFileSystem& fs, const std::string& path, const ICodePage& cp, std::string& text,
                   bool& present, TextEncoding& encoding) {
    present = fs.FileExists(path);
    text.clear();
    encoding = TextEncoding::Ansi;
    if (!present) return {};
    std::string bytes;
    FileError err = fs.ReadAll(path, bytes);
    if (err.failed) return err;
    encoding = DecodeNoteFile(bytes, cp, text);
    return {};
}

FileError SaveNote(IFileSystem& fs, const std::string& path, const ICodePage& cp, IControl& box,
                   TextEncoding& encoding) {
    const std::string text = box.Text();
    std::string bytes;
    const TextEncoding written = EncodeText(text, encoding, cp, bytes);
    FileError err = fs.WriteReplace(path, bytes);
    if (!err.failed) encoding = written;
    if (text.empty()) box.SetText("\r\n");
    return err;
}

}  // namespace pw
