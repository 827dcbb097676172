// The main window's side of keeping the note safe: the limits of the box, a note that start-up
// did not load or whose bytes were not all text, the recovery copy, another program's changes
// to the note, and a window that must come up where it can be used.
#include "app/NoteSafety.h"

#include "app/NoteWatch.h"
#include "app/WindowGeometry.h"
#include "platform/WinNumbers.h"
#include "storage/NoteFile.h"
#include "storage/NoteLimits.h"

namespace pw {

namespace {
const char* const kRecoveryQuestion = "Pagewick did not end normally last time. Restore the text it held then?";
// A reason as the end of a sentence: the system's own reasons end with a full stop already.
std::string Sentence(const std::string& why) { return !why.empty() && why.back() == '.' ? why : why + "."; }
}  // namespace

NoteSafety::NoteSafety(const NoteWindow& window, const bool& unloaded)
    : NoteWindow(window),
      unloaded_(unloaded),
      noteKeeper_(std::make_unique<NoteKeeper>(p_.fs, NotePath(p_.app.Path()), p_.CodePage())),
      recovery_(std::make_unique<Recovery>(p_.fs, NotePath(p_.app.Path()), p_.CodePage())),
      watch_(std::make_unique<NoteWatch>(window, *noteKeeper_, *recovery_)) {}

NoteSafety::~NoteSafety() = default;

std::string NoteSafety::LoadNoteAtStart() {
    const std::string& notePath = noteKeeper_->path();
    // Typing and pasting stop at the limit (the box counts characters, as the limit does);
    // whole texts are checked before they go in.
    txtNote_->Send(EM_SETLIMITTEXT_, static_cast<unsigned long>(kMaxNoteBytes), 0);

    // Watched before it is read, so no change in between goes unseen.
    watch_->Begin();
    std::string note, why;
    if (!noteKeeper_->Load(note, why)) {
        p_.ui.MsgBox("The note " + notePath + " was not loaded: " + why +
                         ".\r\n\r\nThe file stays as it is and the window starts empty. Should you write a "
                         "new note, the old file is kept beside it under a new name when the new one is saved.",
                     vbExclamation, p_.app.Title());
    } else if (!noteKeeper_->damage().empty()) {
        p_.ui.MsgBox("The note " + notePath + " holds bytes that are not text: " + noteKeeper_->damage() +
                         ".\r\n\r\nThe window shows the note with them replaced. The file stays as it is until "
                         "the note is next saved; before that save replaces it, it is kept beside it under a new "
                         "name with every byte as it was.",
                     vbExclamation, p_.app.Title());
    }
    const ContentMark onDisk = MarkOf(note);
    std::string copy;
    // A copy that cannot be offered is kept under a new name, out of the way of this run's
    // copies; then whatever else a previous run left is looked at (three files at most).
    for (int left = 3; left > 0 && recovery_->Pending(note, copy, why); --left) {
        if (why.empty()) {
            if (p_.ui.MsgBox(kRecoveryQuestion, vbYesNo + vbQuestion, p_.app.Title()) == vbYes) {
                // The note on disk (edited by hand after a crash, say) is kept aside before
                // the restored text replaces it.
                noteKeeper_->Keep(NoteKeeper::Guard::Restored);
                note.swap(copy);
                recovery_->Restored(note);
                break;
            }
            recovery_->DiscardPending();   // only the copy that was offered
            continue;
        }
        const std::string from = recovery_->pendingPath(), kept = noteKeeper_->KeptPath(p_.app.TimeStamp());
        std::string failed;
        if (recovery_->KeepPending(kept, failed)) {
            p_.ui.MsgBox("Pagewick did not end normally last time, but the text it held then could not be "
                         "restored: " + Sentence(why) + "\r\n\r\nIt has been kept as " + kept + ".",
                         vbExclamation, p_.app.Title());
            continue;
        }
        p_.ui.MsgBox("Pagewick did not end normally last time, but the text it held then could not be restored: " +
                         Sentence(why) + "\r\n\r\nIt could not be kept under a new name either (" + failed + "), so it stays as " +
                         from + ", and Pagewick keeps no recovery copy of its own until the next start.",
                     vbExclamation, p_.app.Title());
        break;
    }
    recovery_->Baseline(note);
    watch_->Agree(onDisk);
    return note;
}

bool NoteSafety::IsNoteFile(const std::string& path) const { return p_.fs.SameFile(path, noteKeeper_->path()); }

std::string NoteSafety::KeptText(NoteKeeper::Guard why, const std::string& keptAs) const {
    switch (why) {
        case NoteKeeper::Guard::Damaged:
            return "The note as it was on disk, with the bytes that were not text, has been kept as " + keptAs + ".";
        case NoteKeeper::Guard::Restored:
            return "The note that was on disk when the text of the last run was restored has been kept as " +
                   keptAs + ".";
        case NoteKeeper::Guard::ChangedElsewhere:
            return "The version of the note that another program saved has been kept as " + keptAs + ".";
        default:
            return "The note that was not loaded at start has been kept as " + keptAs + ".";
    }
}

bool NoteSafety::SaveNoteFile() {
    const std::string notePath = noteKeeper_->path();
    struct Busy {
        NoteWatch& w;
        explicit Busy(NoteWatch& watch) : w(watch) { w.SetBusy(true); }
        ~Busy() { w.SetBusy(false); }
    } busy(*watch_);
    // Another program's change, a delete or a file that cannot be read is seen before writing.
    std::string disk;
    switch (watch_->BeforeWrite(exiting_, disk)) {
        case NoteWatch::Before::Stop: return false;
        case NoteWatch::Before::Agreed: return true;   // the box took the version on disk
        case NoteWatch::Before::Write: break;
    }
    const std::string text = txtNote_->Text();
    std::string keptAs, why;
    switch (noteKeeper_->BeforeSave(text.empty(), disk, p_.app.TimeStamp(), keptAs, why)) {
        case NoteKeeper::Step::Skip:
            return true;   // the note on disk was never shown; an empty box must not replace it
        case NoteKeeper::Step::Failed:
            p_.ui.MsgBox(noteKeeper_->guard() == NoteKeeper::Guard::NotLoaded
                             ? "The note " + notePath + " was not loaded at start, and it could not be kept under a "
                                   "new name before saving the text in the window:\r\n" + why +
                                   "\r\n\r\nNothing was overwritten. Your text is still in the window."
                             : "The note " + notePath + " could not be kept under a new name before the text in the "
                                   "window replaces it:\r\n" + why +
                                   "\r\n\r\nNothing was overwritten. Your text is still in the window.",
                         vbExclamation, p_.app.Title());
            return false;
        case NoteKeeper::Step::Write:
            break;
    }
    std::string written;
    const FileError err = SaveNote(p_.fs, notePath, p_.CodePage(), *txtNote_, noteKeeper_->encoding(), &written);
    const std::string kept = keptAs.empty() ? "" : KeptText(noteKeeper_->kept(), keptAs);
    if (err.failed) {
        p_.ui.MsgBox("The note could not be saved to " + notePath + ":\r\n" + err.reason +
                         "\r\n\r\nYour text is still in the window. Free some space or make "
                         "the folder writable, then save again." + (kept.empty() ? "" : "\r\n\r\n" + kept),
                     vbExclamation, p_.app.Title());
        return false;
    }
    noteKeeper_->Know(written);
    noteKeeper_->Saved();
    watch_->Agree(MarkOf(txtNote_->Text()));   // an empty note's box now holds one line break
    recovery_->Saved(text);
    if (!kept.empty() && !sessionEnding_)
        p_.ui.MsgBox(kept + "\r\nThe text in the window is saved as " + notePath + ".", vbInformation, p_.app.Title());
    return true;
}

void NoteSafety::TextChanged() {
    // Every change restarts the pause; the copy is written once typing rests.
    form_->StartTimer(kRecoveryTimer, kRecoveryPauseMs);
}

bool NoteSafety::TimerMessage(unsigned msg, unsigned long wParam) {
    bool saveNow = false;
    if (watch_->TimerMessage(msg, wParam, saveNow)) {
        if (saveNow) Save();   // the user kept the window's text: it becomes the note
        return true;
    }
    if (msg != WM_TIMER_ || wParam != kRecoveryTimer) return false;
    form_->StopTimer(kRecoveryTimer);
    KeepRecoveryCopy();
    return true;
}

void NoteSafety::KeepRecoveryCopy() {
    if (!unloaded_) recovery_->Update(txtNote_->Text());
}

void NoteSafety::MakeWindowUsable() {
    // Unusable values were replaced as the settings were read (ApplySettings); here a window
    // that would lie wholly off every monitor comes back on the nearest.
    const WindowBounds now{form_->Left(), form_->Top(), form_->Width(), form_->Height()};
    const WindowBounds b = BringOnScreen(now, p_.ui.Monitors());
    if (b.left != now.left || b.top != now.top) form_->Move(b.left, b.top, b.width, b.height);
}

}  // namespace pw
