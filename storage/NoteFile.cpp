#include "storage/NoteFile.h"

#include <algorithm>

namespace pw {

std::string NotePath(const std::string& folder) { return folder + "\\pagewick.txt"; }

void NulsToSpaces(std::string& text) { std::replace(text.begin(), text.end(), '\0', ' '); }

FileError ReadNote(IFileSystem& fs, const std::string& path, std::string& text, bool& present) {
    present = fs.FileExists(path);
    text.clear();
    if (!present) return {};
    FileError err = fs.ReadAll(path, text);
    if (err.failed) return err;
    NulsToSpaces(text);
    return {};
}

FileError SaveNote(IFileSystem& fs, const std::string& path, IControl& box) {
    const std::string text = box.Text();
    FileError err = fs.WriteReplace(path, text);
    if (text.empty()) box.SetText("\r\n");
    return err;
}

}  // namespace pw
