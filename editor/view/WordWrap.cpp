#include "editor/view/WordWrap.h"

#include <string>

#include "editor/view/StatusBar.h"
#include "editor/view/TopLine.h"
#include "platform/MenuIds.h"
#include "platform/WinNumbers.h"

namespace pw {

ControlDef NoteBoxDef(int id, float width, float height, bool wrap) {
    return {id, ControlKind::TextBox, "", 0, 0, width, height,
            csMultiLine | csVScroll | csTabStop | csUnicode | (wrap ? 0u : csHScroll)};
}

void WordWrap::SetOn(bool on) {
    form_->SetMenuChecked(mnuViewWordWrap, on);
    if (on == on_) return;
    on_ = on;
    ReplaceBox();
}

void WordWrap::ReplaceBox() {
    IControl& old = *txtNote_;
    p_.ui.SetBusyCursor(true);
    const std::string text = old.Text();
    const int start = old.SelStart(), length = old.SelLength();
    const long top = TopChar(old);
    const long modified = old.Send(EM_GETMODIFY_, 0, 0);
    const long limit = old.Send(EM_GETLIMITTEXT_, 0, 0);
    const bool focused = old.Focused();
    old.SetVisible(false);

    // The new box takes the old one's place before the text goes in, so that its lines are
    // laid out once, at the width they will be shown at.
    IControl& box = form_->AddControl(NoteBoxDef(kNoteBoxId, 0, 0, on_));
    box.SetFont(old.Font());
    box.SetFontScale(old.FontScale());
    box.Send(EM_SETLIMITTEXT_, static_cast<unsigned long>(limit), 0);
    txtNote_ = &box;
    status_.Layout();
    if (!text.empty()) box.SetText(text);
    box.SetSelStart(start);
    box.SetSelLength(length);
    ScrollToTop(box, top);
    box.Send(EM_SETMODIFY_, modified != 0 ? 1 : 0, 0);
    form_->RemoveControl(old);
    if (focused) box.SetFocus();
    status_.Refresh();
    p_.ui.SetBusyCursor(false);
    if (BoxReplaced) BoxReplaced(box);
}

}  // namespace pw
