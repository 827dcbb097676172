// The Help Topics window: four fixed topics on the tabs of a tab strip, shown one at a time
// in a read-only text box. Modeless, owned by the main window; made anew at every opening.
#pragma once
#include <memory>

#include "platform/platform.h"

namespace pw {

class frmHelp : public FormEvents {
public:
    enum ControlId : int { kTabStrip1 = 1, kTxthelp = 2 };

    explicit frmHelp(Platform& platform);
    ~frmHelp() override;

    // Creates, loads and shows the window owned by `owner`; when it is already open, only
    // brings it to the front.
    void Open(Handle owner);
    bool Loaded() const { return form_ && form_->hWnd() != 0; }
    // Closes an open window by program (the unload step runs); does nothing otherwise.
    void Close();

    IForm* form() { return Loaded() ? form_.get() : nullptr; }
    IControl& TabStrip1() { return *tabStrip1_; }
    IControl& txthelp() { return *txthelp_; }

    void Form_Load();
    void Form_Unload() override;
    void Changed(int id) override;
    void TabStrip1_Click();

private:
    Platform& p_;
    std::unique_ptr<IForm> form_;
    IControl* tabStrip1_ = nullptr;
    IControl* txthelp_ = nullptr;
};

}  // namespace pw
