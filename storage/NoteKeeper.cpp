#include "storage/NoteKeeper.h"

#include "storage/NoteFile.h"
#include "storage/NoteLimits.h"
#include "storage/ReadWithin.h"

namespace pw {

void NoteKeeper::Keep(Guard why) {
    // A note that was not loaded is renamed whole; any other reason copies the bytes.
    if (guard_ == Guard::None || why == Guard::NotLoaded) guard_ = why;
}

bool NoteKeeper::Load(std::string& text, std::string& why) {
    text.clear();
    why.clear();
    damage_.clear();
    guard_ = Guard::None;
    known_ = FileStamp();
    knownMark_ = ContentMark();
    if (!fs_.FileExists(path_)) return true;
    // Look at the size first: a file far beyond the limit is not read into memory at all. The
    // limit counts characters of the box, the file's bytes may be more.
    const long long size = fs_.FileSize(path_);
    if (size > kMaxNoteFileBytes) {
        NoteFit fit;
        fit.kind = NoteFit::TooLarge;
        fit.size = static_cast<std::size_t>(size);
        why = WhyItDoesNotFit(fit);
        guard_ = Guard::NotLoaded;
        return false;
    }
    std::string bytes;
    const FileError err = fs_.ReadAll(path_, bytes);
    if (err.failed) {
        why = "it could not be read: " + err.reason;
        guard_ = Guard::NotLoaded;
        return false;
    }
    if (!TakeFromDisk(bytes, text, why)) {
        std::string().swap(text);
        return false;
    }
    return true;
}

bool NoteKeeper::TakeFromDisk(const std::string& bytes, std::string& text, std::string& why) {
    why.clear();
    Know(bytes);
    const TextEncoding enc = DecodeNoteFile(bytes, cp_, text);
    const NoteFit fit = CheckNoteFits(text);
    if (!fit.fits()) {
        why = WhyItDoesNotFit(fit);
        text.clear();
        Keep(Guard::NotLoaded);
        return false;
    }
    encoding_ = enc;
    damage_ = DamageOf(bytes, enc, cp_, text);
    if (!damage_.empty()) Keep(Guard::Damaged);
    return true;
}

void NoteKeeper::Know(const std::string& bytes) {
    known_ = fs_.Stamp(path_);
    knownMark_ = MarkOf(bytes);
}

NoteKeeper::Disk NoteKeeper::Look(bool quick, std::string& bytes, std::string& why) {
    bytes.clear();
    why.clear();
    const FileStamp now = fs_.Stamp(path_);
    if (!now.exists) return known_.exists ? Disk::Missing : Disk::Same;
    if (quick && now == known_) return Disk::Same;
    switch (ReadWithin(fs_, path_, kMaxNoteFileBytes, bytes, why)) {
        case ReadOutcome::Read: break;
        case ReadOutcome::Missing: return known_.exists ? Disk::Missing : Disk::Same;
        case ReadOutcome::TooLarge: return Disk::TooLarge;
        case ReadOutcome::Failed: return Disk::Unreadable;
    }
    if (known_.exists && MarkOf(bytes) == knownMark_) {
        known_ = now;   // written again with the same bytes, or only touched
        return Disk::Same;
    }
    return Disk::Changed;
}

NoteKeeper::Step NoteKeeper::BeforeSave(bool boxEmpty, const std::string& disk, const std::string& stamp,
                                        std::string& keptAs, std::string& why) {
    keptAs.clear();
    why.clear();
    kept_ = Guard::None;
    if (guard_ == Guard::None || !fs_.FileExists(path_)) return Step::Write;
    if (guard_ == Guard::NotLoaded) {
        if (boxEmpty) return Step::Skip;
        const std::string kept = KeptPath(stamp);
        const FileError err = fs_.Rename(path_, kept);
        if (err.failed) {
            why = err.reason;
            return Step::Failed;
        }
        keptAs = kept;
    } else if (!disk.empty() && !KeepCopy(disk, stamp, keptAs, why)) {
        return Step::Failed;
    }
    kept_ = keptAs.empty() ? Guard::None : guard_;
    guard_ = Guard::None;   // the old note is safe; the name is free for the new one
    return Step::Write;
}

bool NoteKeeper::KeepCopy(const std::string& bytes, const std::string& stamp, std::string& keptAs, std::string& why) {
    why.clear();
    // A name taken between the look and the write is skipped on the next round.
    for (int round = 0; round < 3; ++round) {
        keptAs = KeptPath(stamp);
        const FileError err = fs_.WriteNew(keptAs, bytes);
        if (!err.failed) return true;
        why = err.reason;
        if (!fs_.FileExists(keptAs)) break;
    }
    keptAs.clear();
    return false;
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
