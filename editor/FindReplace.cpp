#include "editor/FindReplace.h"

#include "storage/NoteLimits.h"

#include <algorithm>

namespace pw {

FindReplace::FindReplace(Platform& platform) : p_(platform) {}

FindReplace::~FindReplace() {
    CloseDialog();
    // The window may outlive us: it must not keep handing its messages to a dead object.
    if (previousProc_ && p_.findDialogs) p_.findDialogs->RestoreProc(owner_, previousProc_);
}

unsigned FindReplace::FindReplaceMsg() {
    if (message_ == 0 && p_.findDialogs) message_ = p_.findDialogs->RegisterMessage();
    return message_;
}

void FindReplace::ShowFind(IControl& textBox, Handle owner) { ShowFindReplace(textBox, owner, false); }

void FindReplace::ShowReplace(IControl& textBox, Handle owner) { ShowFindReplace(textBox, owner, true); }

void FindReplace::CloseDialog() {
    if (!dialog_) return;
    const Handle dialog = dialog_;
    dialog_ = 0;
    p_.ui.RemoveModeless(dialog);
    if (p_.findDialogs) p_.findDialogs->Close(dialog);
}

void FindReplace::ShowFindReplace(IControl& textBox, Handle owner, bool replace) {
    findText_.assign(kAnnounced, '\0');
    replaceText_.assign(kAnnounced, '\0');
    if (FindReplaceMsg() == 0) {
        p_.ui.MsgBox("Cannot Find/Replace - Call to register message failed", vbOKOnly, p_.app.Title());
        return;
    }
    IFindDialogs& dialogs = *p_.findDialogs;
    // One dialog at a time: the record and the buffers are shared by every dialog.
    CloseDialog();
    if (previousProc_) dialogs.RestoreProc(owner_, previousProc_);
    target_ = &textBox;
    owner_ = owner;
    previousProc_ = dialogs.InstallProc(owner, *this);

    findText_ = textBox.SelText();
    findBuffer_.assign(kBufferSize, 0);
    if (replace) replaceBuffer_.assign(kBufferSize, 0);
    // The last character the dialog is told about stays NUL: a longer selection opens cut
    // short (never between the halves of a surrogate pair).
    const std::u16string wide = Utf8ToUtf16(findText_);
    size_t n = std::min<size_t>(wide.size(), kAnnounced - 1);
    if (n < wide.size() && n > 0 && wide[n - 1] >= 0xD800 && wide[n - 1] <= 0xDBFF) --n;
    std::copy(wide.begin(), wide.begin() + n, findBuffer_.begin());
    if (replace) std::copy(wide.begin(), wide.begin() + n, replaceBuffer_.begin());

    record_ = FindRecord{};
    record_.owner = owner;
    record_.flags = frDown;
    record_.findWhat = findBuffer_.data();
    record_.findWhatLen = kAnnounced;
    if (replace) {
        record_.replaceWith = replaceBuffer_.data();
        record_.replaceWithLen = kAnnounced;
    }
    const Handle dialog = dialogs.Show(record_, replace);
    if (!dialog) {
        if (dialogs.ExtendedError() != 0) dialogs.ExtendedError();
        return;
    }
    dialog_ = dialog;
    p_.ui.AddModeless(dialog);
}

long FindReplace::FindReplaceProc(Handle window, unsigned msg, unsigned long wParam, long lParam) {
    if (message_ == 0 || msg != message_) {
        if (!previousProc_ || !p_.findDialogs) return 0;
        return p_.findDialogs->CallPrevious(previousProc_, window, msg, wParam, lParam);
    }
    Notify(lParam);
    return 0;
}

void FindReplace::Notify(long lParam) {
    if (!p_.findDialogs) return;
    FindRecord rec;
    if (!p_.findDialogs->ReadRecord(lParam, rec)) return;
    if (rec.findWhatLen > 0) findText_ = BufferToString(rec.findWhat, rec.findWhatLen);
    if (rec.replaceWithLen > 0) replaceText_ = BufferToString(rec.replaceWith, rec.replaceWithLen);
    const bool wholeWord = (rec.flags & frWholeWord) != 0;
    const bool matchCase = (rec.flags & frMatchCase) != 0;
    if (rec.flags & frFindNext) {
        if (rec.flags & frDown) FindDown(findText_, wholeWord, matchCase);
        else FindUp(findText_, wholeWord, matchCase);
    } else if (rec.flags & frReplace) {
        ReplaceFound(findText_, replaceText_, wholeWord, matchCase, false);
    } else if (rec.flags & frReplaceAll) {
        ReplaceFound(findText_, replaceText_, wholeWord, matchCase, true);
    } else if (rec.flags & frDialogTerm) {
        // The dialog is going away by itself; the main loop must stop routing keys to it.
        if (dialog_) p_.ui.RemoveModeless(dialog_);
        dialog_ = 0;
    }
}

std::string FindReplace::BufferToString(const char16_t* address, unsigned length) const {
    if (!address) return std::string();
    const std::vector<char16_t>* buffer = nullptr;
    if (!findBuffer_.empty() && address == findBuffer_.data()) buffer = &findBuffer_;
    else if (!replaceBuffer_.empty() && address == replaceBuffer_.data()) buffer = &replaceBuffer_;
    if (!buffer) return std::string();
    const size_t n = std::min<size_t>(length, buffer->size());
    const char16_t* end = std::find(address, address + n, u'\0');
    return Utf16ToUtf8(address, static_cast<size_t>(end - address));
}

SearchRules FindReplace::Rules(bool wholeWord, bool matchCase) {
    SearchRules r;
    r.chars = p_.findDialogs ? &p_.findDialogs->CharRules() : &BuiltInCharRules();
    r.wholeWord = wholeWord;
    r.matchCase = matchCase;
    return r;
}

void FindReplace::FindDown(const std::string& find, bool wholeWord, bool matchCase) {
    if (!target_) return;
    const std::string text = target_->Text();
    const size_t p = SearchText(text, static_cast<size_t>(target_->SelStart()), find, Rules(wholeWord, matchCase));
    if (p == kNotFound) {
        p_.ui.Beep();
        return;
    }
    target_->SetSelStart(static_cast<int>(p));
    target_->SetSelLength(static_cast<int>(find.size()));
}

void FindReplace::FindUp(const std::string& find, bool wholeWord, bool matchCase) {
    if (!target_) return;
    const int start = target_->SelStart();
    if (start == 0) {
        p_.ui.Beep();
        return;
    }
    const std::string text = target_->Text();
    const size_t p = SearchLastBefore(text, static_cast<size_t>(start), find, Rules(wholeWord, matchCase));
    if (p == kNotFound) {
        p_.ui.Beep();
        return;
    }
    target_->SetSelStart(static_cast<int>(p));
    target_->SetSelLength(static_cast<int>(find.size()));
}

void FindReplace::ReplaceFound(const std::string& find, const std::string& replace, bool wholeWord,
                               bool matchCase, bool all) {
    if (!target_) return;
    const std::string text = target_->Text();
    const size_t from = static_cast<size_t>(target_->SelStart());
    const SearchRules rules = Rules(wholeWord, matchCase);
    if (!all) {
        const size_t p = SearchText(text, from, find, rules);
        if (p == kNotFound) {
            p_.ui.Beep();
            return;
        }
        if (!FitsAfter(text, p, p + find.size(), replace, "Replace")) return;
        target_->SetSelStart(static_cast<int>(p));
        target_->SetSelLength(static_cast<int>(find.size()));
        target_->SetSelText(replace);
        return;
    }
    // Every replacement at once, over the range from the first match to the end of the last:
    // the text comes out as replacing them one by one would make it, and Undo takes it back
    // in one step.
    ReplaceAllResult r;
    if (!ReplaceAllText(text, from, find, replace, rules, r)) {
        p_.ui.Beep();
        return;
    }
    if (!FitsAfter(text, r.start, r.end, r.text, "Replace All")) return;
    const bool busy = text.size() > (1u << 20);
    if (busy) p_.ui.SetBusyCursor(true);
    target_->SetSelStart(static_cast<int>(r.start));
    target_->SetSelLength(static_cast<int>(r.end - r.start));
    target_->SetSelText(r.text);
    if (busy) p_.ui.SetBusyCursor(false);
}

bool FindReplace::FitsAfter(const std::string& text, size_t start, size_t end, const std::string& insert,
                            const char* what) {
    const NoteFit fit = CheckSplicedFits(text, start, end, insert);
    if (fit.fits()) return true;
    p_.ui.MsgBox(std::string(what) + " was refused: with it the note would not fit the window, " +
                     WhyItDoesNotFit(fit) + ".\r\nThe note is unchanged.",
                 vbExclamation, p_.app.Title());
    return false;
}

}  // namespace pw
