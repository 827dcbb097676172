// The recovery copy: pagewick.recover beside the note holds the box's text while it differs
// from the note file, so a killed or crashed program loses seconds of typing, not the day. It
// is written by replacement when typing pauses and when the window hides, only when the text
// changed, and removed after every successful save of the note. A complete pagewick.txt.new
// left by a save that was cut off counts as such a copy too, and so does a complete
// pagewick.recover.new left by a copy cut off between its two renames. The copy is written as
// the note would be: ANSI while the text fits the code page, else UTF-8 with its mark.
#pragma once
#include <cstdint>
#include <string>

#include "platform/system.h"
#include "platform/TextCodec.h"
#include "storage/ContentMark.h"

namespace pw {

class Recovery {
public:
    Recovery(IFileSystem& fs, const std::string& notePath, const ICodePage& cp = Windows1252());

    const std::string& path() const { return path_; }

    // At start: true when a previous run left text behind that differs from the note that
    // was loaded; text holds it. A copy equal to the note is removed quietly. A copy that
    // cannot be offered (it cannot be read, or it does not fit the note's limits) also gives
    // true, with text empty and why saying what is wrong: KeepPending moves it out of the way
    // of this run's copies, and Pending then looks at what else is left.
    bool Pending(const std::string& note, std::string& text, std::string& why);
    // Renames the copy Pending found to `to`. False (why: the system's reason) when that
    // failed: this run then writes no copy of its own and removes none, so it stays whole.
    bool KeepPending(const std::string& to, std::string& why);
    const std::string& pendingPath() const { return pending_; }
    // Removes the copy Pending found (the one offered and declined); Pending then looks at
    // what else a previous run left.
    void DiscardPending();

    // The user took text back from a previous run's copy: it becomes this run's copy (one
    // file, pagewick.recover), until the next save of the note removes it. The files it
    // came from are removed only once that copy is written.
    void Restored(const std::string& text);
    // The box now holds text that the note file (or the copy) already has: no copy needed.
    void Baseline(const std::string& text);
    // Writes the copy when text differs from the last one kept (nothing before the first
    // Baseline). False when writing failed.
    bool Update(const std::string& text);
    // The note file was written with text: the copy goes.
    void Saved(const std::string& text);

    int writes() const { return writes_; }

private:
    IFileSystem& fs_;
    const ICodePage& cp_;
    std::string path_, cutOffSave_, cutOffCopy_;
    std::string pending_;   // the file Pending found last
    ContentMark kept_;
    bool copyOnDisk_ = false;
    bool armed_ = false;
    bool held_ = false;     // a previous run's copy could not be moved aside: leave it alone
    int writes_ = 0;
};

}  // namespace pw
