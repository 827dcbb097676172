#include "options/spelling/SpellCommand.h"

#include "options/spelling/SpellChecker.h"
#include "options/spelling/SpellSession.h"
#include "options/spelling/UserDictionary.h"
#include "options/spelling/frmSpelling.h"
#include "platform/TextEdits.h"

namespace pw {

namespace {

const char* const kNeedsWord = "Sorry, the spellcheck feature requires Microsoft Word.";

}  // namespace

void ReplaceAllAsOneUndo(IControl& box, const std::string& before, const std::string& after) {
    // The box's text as it was, then what differs replaced: Undo brings back "before". Only
    // the stretches that differ are touched, so the box lays out as little as it can.
    const std::string now = box.Text();
    if (now != before) ReplaceDifference(box, now, before);
    ReplaceDifference(box, before, after);
}

WordResult CheckWithWord(Platform& p, IControl& box) {
    if (!p.automation) return WordResult::NotAvailable;
    std::unique_ptr<IAutoObject> word = p.automation->Create("Word.Application");
    if (!word) return WordResult::NotAvailable;
    // Any failure from here on ends the sequence: the note keeps the text it has then, the
    // clipboard is not restored and Word is left as it is.
    const auto fail = [&] {
        p.ui.MsgBox(kNeedsWord, vbOKOnly, p.app.Title());
        return WordResult::Failed;
    };
    // What the user had on the clipboard, every format of it, to be put back afterwards. When
    // it cannot be kept aside (another program holds the clipboard open) the check would lose
    // it, so it does not begin.
    ClipboardContents saved;
    if (!p.clipboard.Save(saved)) {
        word->Call("Quit");
        return fail();
    }
    if (!word->PutBool("Visible", false)) return fail();
    std::unique_ptr<IAutoObject> documents = word->GetObject("Documents");
    if (!documents || !documents->Call("Add")) return fail();
    const std::string before = box.Text();
    // A clipboard that another program holds open takes nothing: Word would check (and hand
    // back) whatever was on it before instead of the note.
    if (!p.clipboard.SetText(before)) return fail();
    std::unique_ptr<IAutoObject> selection = word->GetObject("Selection");
    if (!selection || !selection->Call("Paste")) return fail();
    std::unique_ptr<IAutoObject> document = word->GetObject("ActiveDocument");
    if (!document || !document->Call("CheckSpelling")) return fail();
    if (!word->PutBool("Visible", false)) return fail();
    document = word->GetObject("ActiveDocument");
    if (!document || !document->Call("Select")) return fail();
    selection = word->GetObject("Selection");
    if (!selection || !selection->Call("Cut")) return fail();
    // No text on the clipboard now, or none that can be read, means the checked text never
    // arrived (another program took the clipboard, or holds it open): the note stays as it
    // is rather than become empty.
    std::string checked;
    if (!p.clipboard.ReadText(checked)) return fail();
    if (checked != before) ReplaceAllAsOneUndo(box, before, checked);
    document = word->GetObject("ActiveDocument");
    if (!document || !document->Call("Close", {{"SaveChanges", 0}})) return fail();
    if (!word->Call("Quit")) return fail();
    word.reset();
    p.clipboard.Restore(saved);
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
    int edits = 0;
    if (session.Next()) {
        frmSpelling dialog(p, box, session, userWords, owner);
        completed = dialog.Run();
        edits = dialog.EditsMade();
    }
    if (session.Changed()) {
        // A check that made one edit in the box (one Change, or one Change All) is one Undo
        // step already; more are made one.
        const std::string after = session.Text();
        if (edits != 1 || box.Text() != after) ReplaceAllAsOneUndo(box, before, after);
    }
    box.SetSelStart(static_cast<int>(session.Position()));
    if (completed) p.ui.MsgBox("The spelling check is complete.", vbInformation, p.app.Title());
    return true;
}

void SpellCheck(Platform& p, IControl& box, Handle owner) {
    if (box.Text().empty()) return;
    if (CheckWithWord(p, box) != WordResult::NotAvailable) return;
    // No Word: the built-in checker, which leaves the clipboard alone.
    if (!CheckBuiltIn(p, box, owner)) p.ui.MsgBox(kNeedsWord, vbOKOnly, p.app.Title());
}

}  // namespace pw
