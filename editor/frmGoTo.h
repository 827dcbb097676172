// frmGoTo, "Go To Line": asks for a line number and puts the note's caret at the start of
// that line, lines counted by line breaks. Modal, owned by the main window.
#pragma once
#include <memory>

#include "platform/OwnedWindows.h"

namespace pw {

class frmGoTo : public OwnedForm {
public:
    enum Id { lblLine = 51, txtLine, cmdGoTo, cmdCancel };
    static constexpr const char* kBeyondText = "The line number is beyond the total number of lines";
    static constexpr const char* kTitle = "Pagewick - Go To Line";

    explicit frmGoTo(Platform& p) : OwnedForm(p) {}
    ~frmGoTo() override;

    // Opens over `owner` on the caret's line of `note` and returns when it has been closed
    // (with a fake UI, as soon as it is shown).
    void ShowModal(Handle owner, IControl& note);
    IForm* form() { return Loaded() ? form_.get() : nullptr; }
    IControl& Ctl(int id) { return *controls_[id - lblLine]; }

    void Form_Load();
    void Form_Unload() override { note_ = nullptr; }
    void Command(int id) override;
    void cmdGoTo_Click();

private:
    IControl* note_ = nullptr;   // while the window is open
    IControl* controls_[4] = {};
};

// Edit > Go To...
void OpenGoTo(Platform& p, Handle owner, IControl& note, OwnedWindows& windows);

}  // namespace pw
