// The note file between start and save, and the one rule for a note that start-up did not put
// into the box (it could not be read, or it is more than the box can hold): it is never
// overwritten. While the box stays empty, a save leaves the file alone; once the box holds
// text, the old file is first kept beside it under a new name, then the new note is written.
#pragma once
#include <string>

#include "platform/system.h"
#include "storage/NoteEncoding.h"

namespace pw {

class NoteKeeper {
public:
    NoteKeeper(IFileSystem& fs, std::string notePath, const ICodePage& cp = Windows1252())
        : fs_(fs), path_(std::move(notePath)), cp_(cp) {}

    const std::string& path() const { return path_; }
    bool loaded() const { return loaded_; }
    const ICodePage& codePage() const { return cp_; }
    // The encoding the note file was read in, then the one it was last written in.
    TextEncoding& encoding() { return encoding_; }
    TextEncoding encoding() const { return encoding_; }

    // Reads the note for the box (NULs as spaces). False when the file exists but is not to be
    // loaded: text is then empty and why says the reason ("it could not be read: ...", "it is
    // 150 MB, more than ..."). A missing file loads as an empty note.
    bool Load(std::string& text, std::string& why);

    // What a save of the box's text may do with the file.
    enum class Step { Write, Skip, Failed };
    // For a note that was not loaded: Skip while the box is empty (nothing is written); else
    // the old file is renamed to KeptPath(stamp) (keptAs) and Write follows; Failed when that
    // rename failed (why: the system's reason), and then nothing may be written.
    Step BeforeSave(bool boxEmpty, const std::string& stamp, std::string& keptAs, std::string& why);
    // The note file now holds the box's text.
    void Saved() { loaded_ = true; }

    // "<folder>\pagewick 2026-12-09 131500.txt", or with " (2)", " (3)" ... when taken.
    std::string KeptPath(const std::string& stamp);

private:
    IFileSystem& fs_;
    std::string path_;
    const ICodePage& cp_;
    TextEncoding encoding_ = TextEncoding::Ansi;
    bool loaded_ = true;
};

}  // namespace pw
