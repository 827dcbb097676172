// The recovery copy: pagewick.recover beside the note holds the box's text while it differs
// from the note file, so a killed or crashed program loses seconds of typing, not the day. It
// is written by replacement when typing pauses and when the window hides, only when the text
// changed, and removed after every successful save of the note. A complete pagewick.txt.new
// left by a save that was cut off counts as such a copy too. The copy is written as the note
// would be: ANSI while the text fits the code page, else UTF-8 with its mark.
#pragma once
#include <cstdint>
#include <string>

#include "platform/system.h"
#include "platform/TextCodec.h"

namespace pw {

class Recovery {
public:
    Recovery(IFileSystem& fs, const std::string& notePath, const ICodePage& cp = Windows1252());

    const std::string& path() const { return path_; }

    // At start: the text a previous run left behind, when it differs from the note that was
    // loaded. A copy equal to the note is removed quietly.
    bool Pending(const std::string& note, std::string& text);
    // Removes what a previous run left (the copy and a cut-off save's ".new").
    void Discard();

    // The user took text back from a previous run's copy: it becomes this run's copy (one
    // file, pagewick.recover), until the next save of the note removes it.
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
    struct Mark {
        std::uint64_t hash = 0;
        std::size_t size = 0;
        bool operator==(const Mark& o) const { return hash == o.hash && size == o.size; }
    };
    static Mark MarkOf(const std::string& text);

    IFileSystem& fs_;
    const ICodePage& cp_;
    std::string path_, cutOffSave_;
    Mark kept_;
    bool copyOnDisk_ = false;
    bool armed_ = false;
    int writes_ = 0;
};

}  // namespace pw
