#include "storage/Recovery.h"

#include "storage/NoteEncoding.h"

namespace pw {

namespace {

std::string Folder(const std::string& path) {
    const std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

Recovery::Recovery(IFileSystem& fs, const std::string& notePath, const ICodePage& cp)
    : fs_(fs), cp_(cp), path_(Folder(notePath) + "\\pagewick.recover"), cutOffSave_(notePath + ".new") {}

Recovery::Mark Recovery::MarkOf(const std::string& text) {
    Mark m;
    m.size = text.size();
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char c : text) h = (h ^ c) * 1099511628211ull;
    m.hash = h;
    return m;
}

bool Recovery::Pending(const std::string& note, std::string& text) {
    text.clear();
    // A save cut off between writing its copy and putting it in place holds the newest text.
    for (const std::string* candidate : {&cutOffSave_, &path_}) {
        if (!fs_.FileExists(*candidate)) continue;
        std::string bytes, data;
        if (fs_.ReadAll(*candidate, bytes).failed) continue;
        DecodeNoteFile(bytes, cp_, data);
        if (data == note) {
            fs_.RemoveFile(*candidate);
            continue;
        }
        text.swap(data);
        return true;
    }
    return false;
}

void Recovery::Discard() {
    fs_.RemoveFile(path_);
    fs_.RemoveFile(cutOffSave_);
    copyOnDisk_ = false;
}

void Recovery::Restored(const std::string& text) {
    Discard();
    armed_ = true;
    kept_ = Mark();
    Update(text);
}

void Recovery::Baseline(const std::string& text) {
    kept_ = MarkOf(text);
    armed_ = true;
}

bool Recovery::Update(const std::string& text) {
    if (!armed_) return true;   // start-up has not settled what the box holds yet
    const Mark now = MarkOf(text);
    if (now == kept_) return true;
    std::string bytes;
    EncodeText(text, TextEncoding::Ansi, cp_, bytes);
    if (fs_.WriteReplace(path_, bytes).failed) return false;
    kept_ = now;
    copyOnDisk_ = true;
    ++writes_;
    return true;
}

void Recovery::Saved(const std::string& text) {
    kept_ = MarkOf(text);
    // Also a copy an earlier run left and the user chose to keep for now.
    if (copyOnDisk_ || fs_.FileExists(path_)) fs_.RemoveFile(path_);
    copyOnDisk_ = false;
}

}  // namespace pw
