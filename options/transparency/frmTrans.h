// frmTrans, "Transparency": a slider for the main window's opacity, modeless, owned by the
// main window. It keeps nothing: each time it becomes active it shows the stored value again.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "platform/OwnedWindows.h"

namespace pw {

class frmTrans : public OwnedForm {
public:
    enum Id { sliderTrans = 21, lblTrans, lblSlider, btnTrans };

    // The main window, and its transparency value as text ("0" to "90").
    struct Target {
        IForm* window = nullptr;
        std::function<std::string()> value;
        std::function<void(const std::string&)> setValue;
    };

    frmTrans(Platform& p, Target target);
    ~frmTrans() override;

    // Creates and shows the window (the load step), or shows the open one again.
    void Show();
    IForm* form() { return form_.get(); }
    IControl& Ctl(int id) { return *controls_[id - sliderTrans]; }

    void Form_Load();
    void Form_Activate(bool fromThisProgram) override;
    void Form_Unload() override;
    void Command(int id) override;
    void Changed(int id) override;
    void MouseMove(int id, int button) override;
    void sliderTrans_Change();
    void btnTrans_Click();

private:
    // The label and the slider show the stored transparency value.
    void ShowStoredValue();

    Target target_;
    IControl* controls_[4] = {};
};

}  // namespace pw
