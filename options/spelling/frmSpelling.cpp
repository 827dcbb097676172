#include "options/spelling/frmSpelling.h"

#include "platform/Icon32.h"
#include "platform/WinNumbers.h"

namespace pw {

frmSpelling::frmSpelling(Platform& p, IControl& note, SpellSession& session, UserDictionary& userWords, Handle owner)
    : p_(p), note_(note), session_(session), userWords_(userWords), owner_(owner) {}

frmSpelling::~frmSpelling() = default;

bool frmSpelling::Run() {
    FormDef def;
    def.caption = "Spelling";
    def.clientWidth = 5700;
    def.clientHeight = 3615;
    def.style = fsFixedDialog | fsNoTaskbar | fsCenterOwner;
    form_ = p_.ui.CreateForm(def, *this, owner_);
    // In tab order: the word, what to change it to, the list, then the buttons.
    const ControlDef defs[12] = {
        {lblNotInDict, ControlKind::Label, "Not in dictionary:", 120, 120, 3720, 255, 0},
        {txtNotInDict, ControlKind::TextBox, "", 120, 390, 3720, 315, csReadOnly | csTabStop},
        {lblChangeTo, ControlKind::Label, "Change to:", 120, 825, 3720, 255, 0},
        {txtChangeTo, ControlKind::TextBox, "", 120, 1095, 3720, 315, csTabStop},
        {lblSuggestions, ControlKind::Label, "Suggestions:", 120, 1530, 3720, 255, 0},
        {lstSuggestions, ControlKind::ListBox, "", 120, 1800, 3720, 1695, csVScroll | csTabStop},
        {cmdIgnore, ControlKind::Button, "Ignore", 3990, 390, 1590, 375, csTabStop},
        {cmdIgnoreAll, ControlKind::Button, "Ignore All", 3990, 855, 1590, 375, csTabStop},
        {cmdChange, ControlKind::Button, "Change", 3990, 1320, 1590, 375, csTabStop | csDefault},
        {cmdChangeAll, ControlKind::Button, "Change All", 3990, 1785, 1590, 375, csTabStop},
        {cmdAdd, ControlKind::Button, "Add to Dictionary", 3990, 2250, 1590, 375, csTabStop},
        {cmdCancel, ControlKind::Button, "Cancel", 3990, 3120, 1590, 375, csTabStop},
    };
    for (int i = 0; i < 12; ++i) controls_[i] = &form_->AddControl(defs[i]);
    SetWindowIconsOf(p_, form_->hWnd());
    ShowWord();
    p_.ui.RunModal(*form_);   // shows it; returns once it is gone
    // However the window went, what was changed so far stays in the note.
    if (!finishing_) Finish(false);
    return completed_;
}

void frmSpelling::ShowWord() {
    ApplyEdits();
    const WordSpan w = session_.Current();
    note_.SetSelStart(static_cast<int>(w.start));   // scrolls the word into view
    note_.SetSelLength(static_cast<int>(w.length));
    const std::string word = session_.Word();
    C(txtNotInDict).SetText(word);
    const std::vector<std::string> suggestions = session_.Suggestions();
    IControl& list = C(lstSuggestions);
    list.ClearItems();
    for (const std::string& s : suggestions) list.AddItem(s);
    C(txtChangeTo).SetText(suggestions.empty() ? word : suggestions.front());
    if (!suggestions.empty()) {
        list.SetValue(0);
        list.SetFocus();
    } else {
        C(txtChangeTo).SetFocus();
    }
}

void frmSpelling::ApplyEdits() {
    for (const TextEdit& e : session_.TakeEdits()) {
        note_.SetSelStart(static_cast<int>(e.start));
        note_.SetSelLength(static_cast<int>(e.length));
        note_.SetSelText(e.text);
        ++editsMade_;
    }
}

void frmSpelling::NextWord() {
    if (session_.Next()) ShowWord();
    else Finish(true);
}

void frmSpelling::Finish(bool completed) {
    if (finishing_) return;
    finishing_ = true;
    completed_ = completed;
    ApplyEdits();
    if (form_ && form_->hWnd()) RunClose(*this, *form_, vbFormCode);
}

void frmSpelling::Form_QueryUnload(bool& cancel, int reason) {
    (void)cancel;
    // The close box and Esc cancel the check; the changes made so far stay.
    if (reason != vbFormCode && !finishing_) {
        finishing_ = true;
        completed_ = false;
        ApplyEdits();
    }
}

void frmSpelling::Form_Unload() {}

void frmSpelling::Command(int id) {
    switch (id) {
        case cmdIgnore: cmdIgnore_Click(); break;
        case cmdIgnoreAll: cmdIgnoreAll_Click(); break;
        case cmdChange: cmdChange_Click(); break;
        case cmdChangeAll: cmdChangeAll_Click(); break;
        case cmdAdd: cmdAdd_Click(); break;
        case cmdCancel: cmdCancel_Click(); break;
        case lstSuggestions: cmdChange_Click(); break;   // a double click on a suggestion
        default: break;
    }
}

void frmSpelling::Changed(int id) {
    if (id == lstSuggestions) lstSuggestions_Click();
}

void frmSpelling::lstSuggestions_Click() {
    IControl& list = C(lstSuggestions);
    const int i = list.Value();
    if (i >= 0 && i < list.ItemCount()) C(txtChangeTo).SetText(list.Item(i));
}

void frmSpelling::cmdIgnore_Click() {
    session_.Ignore();
    NextWord();
}

void frmSpelling::cmdIgnoreAll_Click() {
    session_.IgnoreAll();
    NextWord();
}

void frmSpelling::cmdChange_Click() {
    session_.Change(C(txtChangeTo).Text());
    NextWord();
}

void frmSpelling::cmdChangeAll_Click() {
    session_.ChangeAll(C(txtChangeTo).Text());
    NextWord();
}

void frmSpelling::cmdAdd_Click() {
    // A failed write is reported by the list itself; the word is still accepted for now.
    userWords_.Add(session_.Word());
    session_.AddToDictionary();
    NextWord();
}

void frmSpelling::cmdCancel_Click() { Finish(false); }

}  // namespace pw
