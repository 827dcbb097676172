#include "storage/NoteFile.h"

namespace pw {

std::string NotePath(const std::string& folder) { return folder + "\\pagewick.txt"; }

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

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
                   TextEncoding& encoding, std::string* written) {
    const std::string text = box.Text();
    std::string bytes;
    const TextEncoding enc = EncodeText(text, encoding, cp, bytes);
    FileError err = fs.WriteReplace(path, bytes);
    if (!err.failed) encoding = enc;
    if (text.empty()) box.SetText("\r\n");
    if (written && !err.failed) written->swap(bytes);
    return err;
}

}  // namespace pw
