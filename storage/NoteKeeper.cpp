#include "storage/NoteKeeper.h"

#include "storage/NoteFile.h"
#include "storage/NoteLimits.h"

namespace pw {

bool NoteKeeper::Load(std::string& text, std::string& why) {
    text.clear();
    why.clear();
    loaded_ = true;
    if (!fs_.FileExists(path_)) return true;
    // Look at the size first: a file far beyond the limit is not read into memory at all. The
    // limit counts characters of the box, the file's bytes may be more.
    const long long size = fs_.FileSize(path_);
    if (size > kMaxNoteFileBytes) {
        NoteFit fit;
        fit.kind = NoteFit::TooLarge;
        fit.size = static_cast<std::size_t>(size);
        why = WhyItDoesNotFit(fit);
        loaded_ = false;
        return false;
    }
    bool present = false;
    const FileError err = ReadNote(fs_, path_, cp_, text, present, encoding_);
    if (err.failed) {
        why = "it could not be read: " + err.reason;
        text.clear();
        loaded_ = false;
        return false;
    }
    const NoteFit fit = CheckNoteFits(text);
    if (!fit.fits()) {
        why = WhyItDoesNotFit(fit);
        std::string().swap(text);
        loaded_ = false;
        return false;
    }
    return true;
}

NoteKeeper::Step NoteKeeper::BeforeSave(bool boxEmpty, const std::string& stamp, std::string& keptAs,
                                        std::string& why) {
    keptAs.clear();
    why.clear();
    if (loaded_ || !fs_.FileExists(path_)) return Step::Write;
    if (boxEmpty) return Step::Skip;
    const std::string kept = KeptPath(stamp);
    const FileError err = fs_.Rename(path_, kept);
    if (err.failed) {
        why = err.reason;
        return Step::Failed;
    }
    keptAs = kept;
    loaded_ = true;   // the old note is safe; the name is free for the new one
    return Step::Write;
}

std::string NoteKeeper::KeptPath(const std::string& stamp) {
    std::string base = path_;
    std::string ext;
    const std::size_t dot = base.find_last_of('.');
    const std::size_t slash = base.find_last_of('\\');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
        ext = base.substr(dot);
        base.resize(dot);
    }
    base += " " + (stamp.empty() ? std::string("kept") : stamp);
    std::string candidate = base + ext;
    for (int n = 2; fs_.FileExists(candidate) && n < 1000; ++n) candidate = base + " (" + std::to_string(n) + ")" + ext;
    return candidate;
}

}  // namespace pw
