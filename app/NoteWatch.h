// Another program may write the note while Pagewick holds it (an editor, a sync client, a
// second PC running the exe from a shared folder) or delete it. The note's folder is watched,
// and once changes rest the file is compared with the version the box agrees with:
// - nothing typed since that version: the box takes the new one in one step that Undo takes
//   back, the caret stays near where it was, and the next save writes it;
// - typed meanwhile: nothing is decided silently. The user is asked which to keep, as soon as
//   the window is shown and free; the other is kept beside the note under a new name, and a
//   message names it.
// Before every write the same comparison runs again (BeforeWrite): a change the watcher
// missed is handled the same way, except that Exit and shutdown keep the other version aside
// without asking; a deleted note is written again.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/TimerIds.h"
#include "platform/NoteWindow.h"
#include "storage/NoteKeeper.h"
#include "storage/Recovery.h"

namespace pw {

class NoteWatch : private NoteWindow {
public:
    static constexpr int kWatchTimer = timerNoteWatch;
    static constexpr unsigned kSettleMs = 300;       // changes come in bursts: look once they rest
    static constexpr unsigned kWaitShownMs = 1000;   // a question waiting for the window looks again

    NoteWatch(const NoteWindow& window, NoteKeeper& keeper, Recovery& recovery);
    ~NoteWatch();

    // Starts watching the note's folder (and the one a link leads to), before the note is read.
    void Begin();
    // The box holds, or is about to hold, the text of the version on disk; from now on the
    // watcher acts on changes.
    void Agree(const ContentMark& text);

    // The watcher's timer; false for any other message. saveNow: the user chose to keep the
    // window's text, which is to be saved at once (the other version is kept aside by it).
    bool TimerMessage(unsigned msg, unsigned long wParam, bool& saveNow);

    enum class Before { Write, Agreed, Stop };
    // The comparison before the box is written to the note file. exiting: Exit or shutdown,
    // nothing is asked. Write: go on (disk holds the file's bytes, for the copy kept aside);
    // Agreed: the box took the version on disk, nothing to write; Stop: nothing may be
    // written (the user has been told).
    Before BeforeWrite(bool exiting, std::string& disk);

    // A save or a question of the program's own is under way: the watcher waits for its end.
    void SetBusy(bool busy) { busy_ = busy; }

private:
    void Changed();
    void Wait(unsigned ms);
    bool Untouched() const;
    bool Shown() const;
    // The version on disk into the box.
    void Take(const std::string& bytes);
    // The user's question; true for "keep the window's text".
    bool AskKeepWindow();
    // The window's text kept beside the note, then the version on disk taken; false (the user
    // told) when the copy could not be written.
    bool KeepWindowThenTake(const std::string& bytes);

    NoteKeeper& keeper_;
    Recovery& recovery_;
    std::vector<std::unique_ptr<IWatching>> watches_;
    ContentMark agreed_;          // the box's text as the version on disk gives it
    ContentMark unresolved_;      // a version whose question could not be settled: not asked again
    bool armed_ = false, busy_ = false;
};

}  // namespace pw
