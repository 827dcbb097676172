// The Help Topics window: four fixed topics on the tabs of a tab strip, shown one at a time
// in a read-only text box. Modeless, owned by the main window; made anew at every opening.
#pragma once
#include <memory>

#include "platform/OwnedWindows.h"

namespace pw {

class frmHelp : public OwnedForm {
public:
    enum ControlId : int { kTabStrip1 = 1, kTxthelp = 2 };

    explicit frmHelp(Platform& platform);
    ~frmHelp() override;

    // Creates, loads and shows the window owned by `owner`; when it is already open, only
    // brings it to the front.
    void Open(Handle owner);

    IForm* form() { return Loaded() ? form_.get() : nullptr; }

    void Form_Load();
    void Form_Unload() override;
    void Changed(int id) override;
    void TabStrip1_Click();

private:
    IControl* tabStrip1_ = nullptr;
    IControl* txthelp_ = nullptr;
};

}  // namespace pw
