#include "editor/FileCommands.h"

#include "editor/Editor.h"
#include "storage/NoteFile.h"

namespace pw {

namespace {
const char* const kTextFilter = "Text (*.txt)|*.txt";
const char* const kSaveAsFilter = "Text (*.txt)|*.txt|All Files (*.*)|*.*";
}  // namespace

bool Editor::WriteNoteTo(const std::string& path) {
    if (IsNoteFile && SaveNoteFile && IsNoteFile(path)) return SaveNoteFile();
    // By replacement, as the note file is written: a full disk or a failure half-way leaves
    // the chosen file as it was, never cut short.
    const FileError err = p_.fs.WriteReplace(path, FileBytesFromText(txtNote_->Text(), p_.CodePage()));
    if (!err.failed) return true;
    p_.ui.MsgBox("The file " + path + " could not be saved:\r\n" + err.reason, vbExclamation, p_.app.Title());
    return false;
}

bool Editor::AskToSave(int& answer) {
    answer = p_.ui.MsgBox("Save current text to file?", vbYesNoCancel + vbQuestion, "Save Text?");
    if (answer == vbCancel) return false;
    if (answer != vbYes) return true;
    CommonDialog_.Filter = kTextFilter;
    // The cancel-error switch stays as the last command left it; either way of cancelling
    // writes nothing and stops the command.
    if (CommonDialog_.ShowSave(p_.dialogs, form_->hWnd()) != CommonDialog::Chosen) return false;
    if (CommonDialog_.FileName.empty()) return false;
    return WriteNoteTo(CommonDialog_.FileName);
}

void Editor::New() {
    if (txtNote_->Text().empty()) {
        txtNote_->SetText("");
        return;
    }
    int answer = vbCancel;
    if (!AskToSave(answer)) return;
    if (answer == vbNo) txtNote_->SetText("");
}

void Editor::Open() {
    if (!txtNote_->Text().empty()) {
        int answer = vbCancel;
        if (!AskToSave(answer)) return;
    }
    CommonDialog_.CancelError_ = true;
    CommonDialog_.Filter = kTextFilter;
    if (CommonDialog_.ShowOpen(p_.dialogs, form_->hWnd()) != CommonDialog::Chosen) return;
    const std::string path = CommonDialog_.FileName;
    if (path.empty()) return;

    // A file the box cannot hold is refused before the note is touched.
    const long long size = p_.fs.FileSize(path);
    if (size > static_cast<long long>(kMaxOpenBytes)) {
        NoteFit fit;
        fit.kind = NoteFit::TooLarge;
        fit.size = static_cast<size_t>(size);
        RefuseFile(path, fit);
        return;
    }
    p_.ui.SetBusyCursor(true);
    std::string data;
    const FileError err = p_.fs.ReadAll(path, data);
    if (err.failed) {
        p_.ui.SetBusyCursor(false);
        p_.ui.MsgBox("The file " + path + " could not be opened:\r\n" + err.reason, vbExclamation, p_.app.Title());
        return;
    }
    // A file of no bytes has no first line: the note stays as it is.
    if (!data.empty()) {
        std::string text = NoteFromFile(data, p_.CodePage());
        std::string().swap(data);
        const NoteFit fit = CheckNoteFits(text);
        if (!fit.fits()) {
            p_.ui.SetBusyCursor(false);
            RefuseFile(path, fit);
            return;
        }
        txtNote_->SetText(text);
    }
    p_.ui.SetBusyCursor(false);
}

void Editor::RefuseFile(const std::string& path, const NoteFit& fit) {
    p_.ui.MsgBox("The file " + path + " was not opened: " + WhyItDoesNotFit(fit) + ".\r\nThe note is unchanged.",
                 vbExclamation, p_.app.Title());
}

void Editor::SaveAs() {
    CommonDialog_.Filter = kSaveAsFilter;
    CommonDialog_.CancelError_ = false;
    if (CommonDialog_.ShowSave(p_.dialogs, form_->hWnd()) != CommonDialog::Chosen) return;
    if (CommonDialog_.FileName.empty()) return;
    WriteNoteTo(CommonDialog_.FileName);
}

}  // namespace pw
