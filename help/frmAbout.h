// The About window: name, version and rights notice, a link to the author's site and a
// credit with link for the icon site. Modeless, no buttons; made anew at every opening.
#pragma once
#include <memory>
#include <string>

#include "platform/OwnedWindows.h"
#include "platform/Palette.h"

namespace pw {

// The author's site (the text of its link) and the site that drew the program's icons.
extern const char* const kAuthorSiteUrl;
extern const char* const kIconSiteUrl;

// The looks of the link labels and of the window, as the palette in force shows them.
constexpr Color kLinkColor = InkColor(Ink::Link);
constexpr Color kPressedColor = InkColor(Ink::LinkPressed);
constexpr Color kNormalColor = SystemColor(COLOR_WINDOWTEXT_INDEX);
constexpr Color kAboutBackColor = InkColor(Ink::Panel);

class frmAbout : public OwnedForm {
public:
    enum ControlId : int {
        kImage1 = 1, kImgPagewick, kLblProduct, kLblRights, kLblVelmorUrl, kImgBrask,
        kLblBraskTxt, kLblBraskUrl,
    };

    explicit frmAbout(Platform& platform);
    ~frmAbout() override;

    // Creates, loads and shows the window owned by `owner`; when it is already open, only
    // brings it to the front.
    void Open(Handle owner);

    IForm* form() { return Loaded() ? form_.get() : nullptr; }

    void Form_Load();
    void Form_Unload() override;
    void Command(int id) override;
    void MouseMove(int id, int button) override;
    void MouseDown(int id, int button) override;

    // Opens an address in the user's browser; a failure shows nothing.
    void Navigate(std::string NavTo);

    void lblVelmorUrl_Click();
    void lblBraskUrl_Click();
    void imgBrask_Click();
    void lblVelmorUrl_MouseMove();
    void lblVelmorUrl_MouseDown();
    void lblBraskUrl_MouseMove();
    void imgBrask_MouseMove();
    void Form_MouseMove();

private:
    IControl* lblVelmorUrl_ = nullptr;
    IControl* lblBraskUrl_ = nullptr;
};

}  // namespace pw
