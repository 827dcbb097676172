#include "storage/NoteFile.h"

#include <algorithm>

namespace pw {

std::string NotePath(const std::string& folder) { return folder + "\\pagewick.txt"; }

void NulsToSpaces(std::string& text) { std::replace(text.begin(), text.end(), '\0', ' '); }

FileError RestoreNote(IFileSystem& fs, const std::string& path, IControl& box) {
    if (!fs.FileExists(path)) return {};
    std::string data;
    FileError err = fs.ReadAll(path, data);
    if (err.failed) return err;
    if (data.empty()) return {};  // a 0-byte note leaves the box empty
    NulsToSpaces(data);
    box.SetText(data);
    return {};
}

FileError SaveNote(IFileSystem& fs, const std::string& path, IControl& box) {
    const std::string text = box.Text();
    FileError err = fs.WriteReplace(path, text);
    if (text.empty()) box.SetText("\r\n");
    return err;
}

}  // namespace pw
