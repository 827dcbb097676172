#include "options/spelling/SpellCommand.h"

#include "options/spelling/SpellChecker.h"
#include "options/spelling/SpellSession.h"
#include "options/spelling/UserDictionary.h"
#include "options/spelling/frmSpelling.h"

namespace pw {

namespace {

const char* const kNeedsWord = "Sorry, the spellcheck feature requires Microsoft Word.";

}  // namespace

void ReplaceAllAsOneUndo(IControl& box, const std::string& before, const std::string& after) {
    // The box's text as it was, then the whole of it replaced: Undo brings back "before".
    if (box.Text() != before) box.SetText(before);
    box.SetSelStart(0);
    box.SetSelLength(static_cast<int>(before.size()));
    box.SetSelText(after);
}

WordResult CheckWithWord(Platform& p, IControl& box, const std::string& savedClipboard) {
    if (!p.automation) return WordResult::NotAvailable;
    std::unique_ptr<IAutoObject> word = p.automation->Create("Word.Application");
    if (!word) return WordResult::NotAvailable;
    // Any failure from here on ends the sequence: the note keeps the text it has then, the
    // clipboard is not restored and Word is left as it is.
    const auto fail = [&] {
        p.ui.MsgBox(kNeedsWord, vbOKOnly, p.app.Title());
        return WordResult::Failed;
    };
    if (!word->PutBool("Visible", false)) return fail();
    std::unique_ptr<IAutoObject> documents = word->GetObject("Documents");
    if (!documents || !documents->Call("Add")) return fail();
    const std::string before = box.Text();
    p.clipboard.SetText(before);   // empties the clipboard and puts the note on it
    std::unique_ptr<IAutoObject> selection = word->GetObject("Selection");
    if (!selection || !selection->Call("Paste")) return fail();
    std::unique_ptr<IAutoObject> document = word->GetObject("ActiveDocument");
    if (!document || !document->Call("CheckSpelling")) return fail();
    if (!word->PutBool("Visible", false)) return fail();
    document = word->GetObject("ActiveDocument");
    if (!document || !document->Call("Select")) return fail();
    selection = word->GetObject("Selection");
    if (!selection || !selection->Call("Cut")) return fail();
    // No text on the clipboard now means the checked text never arrived (another program
    // took the clipboard): the note stays as it is rather than become empty.
    if (!p.clipboard.HasText()) return fail();
    const std::string checked = p.clipboard.GetText();
    if (checked != before) ReplaceAllAsOneUndo(box, before, checked);
    document = word->GetObject("ActiveDocument");
    if (!document || !document->Call("Close", {{"SaveChanges", 0}})) return fail();
    if (!word->Call("Quit")) return fail();
    word.reset();
    p.clipboard.SetText(savedClipboard);
    return WordResult::Done;
}

bool CheckBuiltIn(Platform& p, IControl& box, Handle owner) {
    std::string packed;
    WordList words;
    if (!p.resources || !p.resources->Data(kWordListResource, packed) || !words.Load(packed)) return false;
    packed = std::string();
    UserDictionary userWords(p);
    for (const std::string& w : userWords.Read()) words.Add(SpellChecker::NormalizeApostrophes(w));
    SpellChecker checker(words);
    const std::string before = box.Text();
    SpellSession session(checker, before);
    bool completed = true;
    if (session.Next()) {
        frmSpelling dialog(p, box, session, userWords, owner);
        completed = dialog.Run();
    }
    if (session.Changed()) ReplaceAllAsOneUndo(box, before, session.Text());
    box.SetSelStart(static_cast<int>(session.Position()));
    if (completed) p.ui.MsgBox("The spelling check is complete.", vbInformation, p.app.Title());
    return true;
}

void SpellCheck(Platform& p, IControl& box, Handle owner) {
    const std::string saved = p.clipboard.HasText() ? p.clipboard.GetText() : std::string();
    if (box.Text().empty()) return;
    if (CheckWithWord(p, box, saved) != WordResult::NotAvailable) return;
    // No Word: the built-in checker, which leaves the clipboard alone.
    if (!CheckBuiltIn(p, box, owner)) p.ui.MsgBox(kNeedsWord, vbOKOnly, p.app.Title());
}

}  // namespace pw
