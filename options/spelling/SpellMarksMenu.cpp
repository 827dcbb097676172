// The marked word's menu: the suggestions, Ignore All, Add to Dictionary, then the box's
// usual entries.
#include <algorithm>

#include "options/spelling/SpellMarks.h"
#include "platform/MenuIds.h"
#include "platform/WinNumbers.h"

namespace pw {

bool SpellMarks::WordAt(long line, long offset, Mark& out) {
    IControl& box = *txtNote_;
    const long start = box.Send(EM_LINEINDEX_, static_cast<unsigned long>(line), 0);
    if (start < 0) return false;
    const std::u16string text = box.LineText(static_cast<int>(line));
    for (const WordSpan& w : lines_->Check(text)) {
        if (offset < static_cast<long>(w.start) || offset > static_cast<long>(w.start + w.length)) continue;
        out.at = start + static_cast<long>(w.start);
        out.length = static_cast<long>(w.length);
        out.word = text.substr(w.start, w.length);
        return true;
    }
    return false;
}

bool SpellMarks::StillThere(const Mark& m) {
    if (txtNote_->TextFrom(m.at, m.length) != m.word) return false;
    // Whole: no letter joined it on either side.
    const std::u16string around = txtNote_->TextFrom(m.at > 0 ? m.at - 1 : 0, m.length + 2);
    const std::string view = LineView(around);
    WordSpan w;
    const std::size_t from = m.at > 0 ? 1 : 0;
    return NextWordToCheck(view, from, w) && w.start == from && w.length == static_cast<std::size_t>(m.length);
}

bool SpellMarks::ContextMenu(int x, int y, bool atPoint) {
    if (!on_ || !txtNote_ || !Ready()) return false;
    IControl& box = *txtNote_;
    Mark word;
    if (atPoint) {
        // A word marked on screen, and still there (typing may have moved it since).
        const auto hit = std::find_if(marks_.begin(), marks_.end(), [&](const Mark& m) {
            return x >= m.area.left && x < m.area.right && y >= m.area.top && y < m.area.bottom;
        });
        if (hit == marks_.end() || !StillThere(*hit) || !lines_->Wrong(LineView(hit->word))) return false;
        word = *hit;
    } else {
        // The keyboard: the word the caret is in.
        const long caret = box.SelStartUnits();
        const long line = box.Send(EM_LINEFROMCHAR_, static_cast<unsigned long>(caret), 0);
        const long start = box.Send(EM_LINEINDEX_, static_cast<unsigned long>(line), 0);
        if (start < 0 || !WordAt(line, caret - start, word)) return false;
        const long r = box.Send(EM_POSFROMCHAR_, static_cast<unsigned long>(word.at), 0);
        if (r == -1) return false;
        x = static_cast<short>(r & 0xFFFF);
        y = static_cast<short>((static_cast<unsigned long>(r) >> 16) & 0xFFFF) + lineHeight_;
    }
    RunMenu(word, x, y);
    return true;
}

void SpellMarks::RunMenu(const Mark& word, int x, int y) {
    IControl& box = *txtNote_;
    const std::string typed = LineView(word.word);
    std::vector<std::string> suggestions = checker_->Suggest(typed, kSuggestions);
    std::vector<PopupEntry> entries;
    for (const std::string& s : suggestions) entries.push_back({Windows1252().ToUtf8(s), true});
    const std::size_t ignoreAll = entries.size();
    entries.push_back({"Ignore All", true});
    entries.push_back({"Add to Dictionary", true});
    entries.push_back({"-", true});
    const bool selection = box.SelLength() > 0;
    static const int kEdit[] = {mnuEditUndo, mnuEditCut, mnuEditCopy, mnuEditPaste, mnuEditDelete, 0, mnuEditSelectAll};
    const std::size_t edits = entries.size();
    entries.push_back({"Undo", box.CanUndo()});
    entries.push_back({"Cut", selection});
    entries.push_back({"Copy", selection});
    entries.push_back({"Paste", p_.clipboard.HasText()});
    entries.push_back({"Delete", selection});
    entries.push_back({"-", true});
    entries.push_back({"Select All", true});

    const int chosen = box.PopupMenu(entries, x, y);
    if (chosen < 0 || static_cast<std::size_t>(chosen) >= entries.size()) return;
    const std::size_t c = static_cast<std::size_t>(chosen);
    if (c < ignoreAll) {
        // The word replaced by the suggestion, as one step Undo takes back.
        box.Send(EM_SETSEL_, static_cast<unsigned long>(word.at), word.at + word.length);
        box.SetSelText(entries[c].caption);
        return;
    }
    if (c == ignoreAll || c == ignoreAll + 1) {
        if (c == ignoreAll) {
            lines_->Ignore(typed);
        } else {
            if (!userWords_->Add(typed)) return;   // the user has been told
            checker_->AddWord(typed);
            lines_->Forget();
        }
        box.PaintOverlay();
        return;
    }
    if (c >= edits && kEdit[c - edits] != 0) RunEditCommand(kEdit[c - edits]);
}

void SpellMarks::RunEditCommand(int id) {
    if (EditCommand) return EditCommand(id);
    IControl& box = *txtNote_;
    switch (id) {
        case mnuEditUndo: box.Undo(); break;
        case mnuEditCut: box.Cut(); break;
        case mnuEditCopy: box.Copy(); break;
        case mnuEditPaste: box.Paste(); break;
        case mnuEditDelete: box.Clear(); break;
        case mnuEditSelectAll: box.Send(EM_SETSEL_, 0, -1); break;
        default: break;
    }
}

}  // namespace pw
