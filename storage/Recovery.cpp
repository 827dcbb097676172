#include "storage/Recovery.h"

#include "storage/NoteEncoding.h"
#include "storage/NoteFile.h"
#include "storage/NoteLimits.h"
#include "storage/ReadWithin.h"

namespace pw {

Recovery::Recovery(IFileSystem& fs, const std::string& notePath, const ICodePage& cp)
    : fs_(fs),
      cp_(cp),
      path_(FolderOf(notePath) + "\\pagewick.recover"),
      cutOffSave_(notePath + ".new"),
      cutOffCopy_(path_ + ".new") {}

bool Recovery::Pending(const std::string& note, std::string& text, std::string& why) {
    text.clear();
    why.clear();
    pending_.clear();
    // A save cut off between writing its copy and putting it in place holds the newest text,
    // then a copy cut off the same way, then the copy.
    for (const std::string* candidate : {&cutOffSave_, &cutOffCopy_, &path_}) {
        std::string bytes, data;
        const ReadOutcome got = ReadWithin(fs_, *candidate, kMaxNoteFileBytes, bytes, why);
        if (got == ReadOutcome::Missing) continue;
        pending_ = *candidate;
        if (got == ReadOutcome::TooLarge) {
            // Said against what the window holds, as for the note itself.
            NoteFit fit;
            fit.kind = NoteFit::TooLarge;
            fit.size = static_cast<std::size_t>(fs_.FileSize(*candidate));
            why = WhyItDoesNotFit(fit);
        }
        if (got != ReadOutcome::Read) return true;
        DecodeNoteFile(bytes, cp_, data);
        if (data == note) {
            fs_.RemoveFile(*candidate);
            pending_.clear();
            continue;
        }
        const NoteFit fit = CheckNoteFits(data);
        if (!fit.fits()) {
            why = WhyItDoesNotFit(fit);
            return true;
        }
        text.swap(data);
        return true;
    }
    return false;
}

bool Recovery::KeepPending(const std::string& to, std::string& why) {
    why.clear();
    const FileError err = fs_.Rename(pending_, to);
    if (!err.failed) return true;
    why = err.reason;
    held_ = true;
    return false;
}

void Recovery::DiscardPending() {
    if (!pending_.empty()) fs_.RemoveFile(pending_);
    pending_.clear();
}

void Recovery::Restored(const std::string& text) {
    armed_ = true;
    kept_ = ContentMark();
    // Written (over pagewick.recover, by replacement) before the other files go: a failed
    // write leaves them for the next start.
    if (!Update(text)) return;
    fs_.RemoveFile(cutOffSave_);
    fs_.RemoveFile(cutOffCopy_);
}

void Recovery::Baseline(const std::string& text) {
    kept_ = MarkOf(text);
    armed_ = true;
}

bool Recovery::Update(const std::string& text) {
    // Nothing before start-up has settled what the box holds, nor over a previous run's copy
    // that had to stay where it is.
    if (!armed_ || held_) return true;
    const ContentMark now = MarkOf(text);
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
    if (!held_ && (copyOnDisk_ || fs_.FileExists(path_))) fs_.RemoveFile(path_);
    copyOnDisk_ = false;
}

}  // namespace pw
