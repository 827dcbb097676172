#include "app/NoteWatch.h"

#include "platform/TextEdits.h"
#include "platform/WinNumbers.h"
#include "storage/NoteFile.h"

namespace pw {

NoteWatch::NoteWatch(const NoteWindow& window, NoteKeeper& keeper, Recovery& recovery)
    : NoteWindow(window), keeper_(keeper), recovery_(recovery) {}

NoteWatch::~NoteWatch() = default;

void NoteWatch::Begin() {
    if (!p_.folderWatch) return;
    // A note that is a link changes where its target lies.
    std::vector<std::string> folders{FolderOf(keeper_.path())};
    const std::string behind = FolderOf(p_.fs.FinalPath(keeper_.path()));
    if (!behind.empty() && !p_.fs.SameFile(behind, folders[0])) folders.push_back(behind);
    for (const std::string& f : folders)
        if (auto w = p_.folderWatch->Watch(f, [this] { Changed(); })) watches_.push_back(std::move(w));
}

void NoteWatch::Agree(const ContentMark& text) {
    agreed_ = text;
    armed_ = true;
}

void NoteWatch::Changed() {
    // Every change restarts the wait: a program writing in pieces is looked at once it is done.
    if (form_) form_->StartTimer(kWatchTimer, kSettleMs);
}

void NoteWatch::Wait(unsigned ms) { form_->StartTimer(kWatchTimer, ms); }

bool NoteWatch::Untouched() const { return MarkOf(txtNote_->Text()) == agreed_; }

bool NoteWatch::Shown() const { return form_->Visible() && form_->State() != vbMinimized; }

bool NoteWatch::TimerMessage(unsigned msg, unsigned long wParam, bool& saveNow) {
    saveNow = false;
    if (msg != WM_TIMER_ || wParam != kWatchTimer) return false;
    form_->StopTimer(kWatchTimer);
    if (!keeper_.loaded()) return true;   // a note that was not loaded is kept aside whole at the next save
    // Start-up still under way, a save or question of ours, or a modal window over the box
    // (the spelling check holds positions in it): later.
    if (!armed_ || busy_ || !form_->Enabled()) {
        Wait(kSettleMs);
        return true;
    }
    std::string bytes, why;
    switch (keeper_.Look(true, bytes, why)) {
        case NoteKeeper::Disk::Changed: break;
        case NoteKeeper::Disk::TooLarge:
            keeper_.Keep(NoteKeeper::Guard::NotLoaded);   // more than the box holds: renamed aside at the next save
            return true;
        default:
            return true;   // the same, deleted (written again at the next save), or not readable now
    }
    if (Untouched()) {
        Take(bytes);
        return true;
    }
    if (MarkOf(bytes) == unresolved_) return true;
    // Hidden in the tray: the question waits until the window is shown.
    if (!Shown()) {
        Wait(kWaitShownMs);
        return true;
    }
    if (AskKeepWindow()) {
        keeper_.Know(bytes);
        keeper_.Keep(NoteKeeper::Guard::ChangedElsewhere);
        saveNow = true;
    } else if (!KeepWindowThenTake(bytes)) {
        unresolved_ = MarkOf(bytes);
    }
    return true;
}

NoteWatch::Before NoteWatch::BeforeWrite(bool exiting, std::string& disk) {
    disk.clear();
    if (!keeper_.loaded()) return Before::Write;   // the rule for a note that was not loaded applies
    for (;;) {
        std::string why;
        switch (keeper_.Look(false, disk, why)) {
            case NoteKeeper::Disk::Same: return Before::Write;
            case NoteKeeper::Disk::Missing: return Before::Write;   // deleted meanwhile: written again
            case NoteKeeper::Disk::TooLarge:
                keeper_.Keep(NoteKeeper::Guard::NotLoaded);
                disk.clear();
                return Before::Write;
            case NoteKeeper::Disk::Unreadable:
                p_.ui.MsgBox("The note " + keeper_.path() + " could not be read to see whether another program "
                                 "changed it: " + why + "\r\n\r\nNothing was overwritten. Your text is still in "
                                 "the window; save again once the file can be read.",
                             vbExclamation, p_.app.Title());
                return Before::Stop;
            case NoteKeeper::Disk::Changed: break;
        }
        if (Untouched()) {
            Take(disk);
            return Before::Agreed;
        }
        // Exit and shutdown ask nothing, nor does a save while the window is in the tray.
        if (exiting || !Shown() || AskKeepWindow()) {
            keeper_.Know(disk);
            keeper_.Keep(NoteKeeper::Guard::ChangedElsewhere);
            if (exiting || !Shown()) return Before::Write;
            continue;   // looked at once more: a change during the question is asked about too
        }
        return KeepWindowThenTake(disk) ? Before::Agreed : Before::Stop;
    }
}

void NoteWatch::Take(const std::string& bytes) {
    std::string text, why;
    // More than the box holds: it stays on disk, and is kept aside whole at the next save.
    if (!keeper_.TakeFromDisk(bytes, text, why)) return;
    const std::string now = txtNote_->Text();
    const std::size_t caret = static_cast<std::size_t>(txtNote_->SelStart());
    const TextDifference d = ReplaceDifference(*txtNote_, now, text);
    txtNote_->SetSelStart(static_cast<int>(CaretAfter(caret, d)));
    agreed_ = MarkOf(text);
    recovery_.Saved(text);   // the file holds the box's text: no copy needed
}

bool NoteWatch::AskKeepWindow() {
    busy_ = true;
    const int answer = p_.ui.MsgBox(
        "The note " + keeper_.path() + " has been changed by another program, and the text in this window "
        "was changed too since the note was last loaded or saved.\r\n\r\nKeep the text in this window?\r\n\r\n"
        "Yes: it is saved as the note, and the other program's version is kept beside it under a new name.\r\n"
        "No: the window takes the other program's version (Undo brings your text back), and your text is kept "
        "beside the note under a new name.",
        vbYesNo + vbQuestion, p_.app.Title());
    busy_ = false;
    return answer == vbYes;
}

bool NoteWatch::KeepWindowThenTake(const std::string& bytes) {
    std::string mine, keptAs, why;
    EncodeText(txtNote_->Text(), keeper_.encoding(), keeper_.codePage(), mine);
    busy_ = true;
    if (!keeper_.KeepCopy(mine, p_.app.TimeStamp(), keptAs, why)) {
        p_.ui.MsgBox("The text in the window could not be kept under a new name beside the note:\r\n" + why +
                         "\r\n\r\nNothing was changed: your text is still in the window, and the other program's "
                         "version is still " + keeper_.path() + ".",
                     vbExclamation, p_.app.Title());
        busy_ = false;
        return false;
    }
    Take(bytes);
    p_.ui.MsgBox("Your text has been kept as " + keptAs + ".\r\nThe window now holds the version another program "
                     "saved as " + keeper_.path() + "; Undo brings your text back.",
                 vbInformation, p_.app.Title());
    busy_ = false;
    return true;
}

}  // namespace pw
