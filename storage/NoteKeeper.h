// The note file between start and save, and the rules that keep a version of it aside under a
// new name before the box's text replaces it: a note that start-up did not put into the box
// (it could not be read, or it is more than the box can hold) is never overwritten; while
// the box stays empty a save leaves it alone, once the box holds text the old file is first
// renamed. A note whose bytes were not all text, a note a restored recovery copy took the
// place of, and a version another program saved while the box held other typing are copied
// aside, bytes unchanged, before the first save replaces them.
//
// It also knows the version of the file the box agrees with (the one loaded, taken or saved
// last: its size, time of writing and a hash of its bytes), so another program's change, a
// delete or a replacement is seen before any write.
#pragma once
#include <string>

#include "platform/system.h"
#include "storage/ContentMark.h"
#include "storage/NoteEncoding.h"

namespace pw {

class NoteKeeper {
public:
    NoteKeeper(IFileSystem& fs, std::string notePath, const ICodePage& cp = Windows1252())
        : fs_(fs), path_(std::move(notePath)), cp_(cp) {}

    const std::string& path() const { return path_; }
    const ICodePage& codePage() const { return cp_; }
    // The encoding the note file was read in, then the one it was last written in.
    TextEncoding& encoding() { return encoding_; }
    TextEncoding encoding() const { return encoding_; }

    // Why the version on disk is kept aside before the box's text replaces it.
    enum class Guard { None, NotLoaded, Damaged, Restored, ChangedElsewhere };
    Guard guard() const { return guard_; }
    bool loaded() const { return guard_ != Guard::NotLoaded; }
    // Sets a reason to keep the version on disk aside (a stronger one already set stays).
    void Keep(Guard why);
    // What of the bytes read last was not text ("" when all was): the user is told.
    const std::string& damage() const { return damage_; }

    // Reads the note for the box (NULs as spaces). False when the file exists but is not to be
    // loaded: text is then empty and why says the reason ("it could not be read: ...", "it is
    // 150 MB, more than ..."). A missing file loads as an empty note.
    bool Load(std::string& text, std::string& why);

    // The file against the version the box agrees with.
    enum class Disk { Same, Missing, Changed, TooLarge, Unreadable };
    // quick: an unchanged size and time of writing count as the same file (for the watcher's
    // many looks); otherwise the bytes are read and compared. bytes holds them for Same (when
    // read) and Changed; why says what is wrong for TooLarge and Unreadable. Missing: the
    // file the box agreed with is gone (a file that was never there is Same).
    Disk Look(bool quick, std::string& bytes, std::string& why);
    // The file holds these bytes now (just read from it or written to it): the box agrees.
    void Know(const std::string& bytes);
    // The box is to take the version on disk (bytes): its text for the box, its encoding
    // noted, and a copy kept before the next save when its bytes were not all text. False,
    // with why, when it does not fit the box: the file then counts as one that was not loaded.
    bool TakeFromDisk(const std::string& bytes, std::string& text, std::string& why);

    // What a save of the box's text may do with the file.
    enum class Step { Write, Skip, Failed };
    // Before the box's text is written; disk: the file's bytes as the last Look read them.
    // A note that was not loaded: Skip while the box is empty (nothing is written), else the
    // old file is renamed to KeptPath(stamp). Any other reason to keep it: its bytes are
    // copied to a new file of that name. keptAs names it (and the reason was kept() before);
    // Failed when that failed (why: the system's reason), and then nothing may be written.
    Step BeforeSave(bool boxEmpty, const std::string& disk, const std::string& stamp, std::string& keptAs,
                    std::string& why);
    // Why the last BeforeSave kept a file aside.
    Guard kept() const { return kept_; }
    // The note file now holds the box's text.
    void Saved() { guard_ = Guard::None; }

    // Writes bytes to a new file beside the note (KeptPath, the next free name when taken
    // meanwhile): keptAs names it. False with why when it could not be written.
    bool KeepCopy(const std::string& bytes, const std::string& stamp, std::string& keptAs, std::string& why);
    // "<folder>\pagewick 2026-12-09 131500.txt", or with " (2)", " (3)" ... when taken.
    std::string KeptPath(const std::string& stamp);

private:
    IFileSystem& fs_;
    std::string path_;
    const ICodePage& cp_;
    TextEncoding encoding_ = TextEncoding::Ansi;
    Guard guard_ = Guard::None, kept_ = Guard::None;
    std::string damage_;
    FileStamp known_;       // the file the box agrees with, as its entry said then
    ContentMark knownMark_;
};

}  // namespace pw
