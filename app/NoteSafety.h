// The main window's side of keeping the note safe: the limits of the box, a note that start-up
// did not load or whose bytes were not all text, the recovery copy, another program's changes
// to the note (NoteWatch), and a window that must come up where it can be used.
#pragma once
#include <memory>
#include <string>

#include "platform/TimerIds.h"
#include "platform/NoteWindow.h"
#include "storage/NoteKeeper.h"
#include "storage/Recovery.h"

namespace pw {

class NoteWatch;

class NoteSafety : private NoteWindow {
public:
    static constexpr int kRecoveryTimer = timerRecoveryCopy;
    static constexpr unsigned kRecoveryPauseMs = 3000;   // typing paused this long: copy

    // unloaded: the main window's unload step has run (no copy is written after it).
    NoteSafety(const NoteWindow& window, const bool& unloaded);
    ~NoteSafety();

    const NoteKeeper& noteKeeper() const { return *noteKeeper_; }
    const Recovery& recovery() const { return *recovery_; }

    // Load step 5: the note's text for the box, or empty when it is not to be loaded (the
    // user is told), then the offer of a recovery copy a previous run left.
    std::string LoadNoteAtStart();
    // Writes the box to the note file under the note's rules; the outcome is kept for the
    // settings' message and for Exit.
    bool Save() { return noteSaved_ = SaveNoteFile(); }
    bool NoteSaved() const { return noteSaved_; }
    // Exit or a shutdown is saving: a failed settings write then says the note is safe.
    void SetExiting(bool exiting) {
        exiting_ = exiting;
        if (!exiting) sessionEnding_ = false;   // a shutdown held off by the note is over
    }
    bool NoteSavedOnExit() const { return exiting_ && noteSaved_; }
    // Windows is ending the session: what is kept aside is not announced in a message box.
    void SessionEnding() { sessionEnding_ = true; }
    // True when path leads to the note file (Save As... then saves the note instead).
    bool IsNoteFile(const std::string& path) const;
    // The box changed: the copy is written once typing rests.
    void TextChanged();
    // The pause timer and the note watcher's; false for any other message.
    bool TimerMessage(unsigned msg, unsigned long wParam);
    // Writes the recovery copy when the text changed since the last one.
    void KeepRecoveryCopy();
    // Puts the saved window bounds to use: unusable values replaced, brought on screen.
    void MakeWindowUsable();

private:
    bool SaveNoteFile();
    // The message for a version of the note kept aside before a save replaced it.
    std::string KeptText(NoteKeeper::Guard why, const std::string& keptAs) const;

    const bool& unloaded_;
    std::unique_ptr<NoteKeeper> noteKeeper_;
    std::unique_ptr<Recovery> recovery_;
    std::unique_ptr<NoteWatch> watch_;
    bool noteSaved_ = false;   // the last Save wrote (or rightly kept) the note
    bool exiting_ = false;     // SaveNoteAndSettings runs for Exit or a shutdown
    bool sessionEnding_ = false;
};

}  // namespace pw
