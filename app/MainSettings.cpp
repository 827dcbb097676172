#include "app/MainSettings.h"

#include "app/NoteSafety.h"
#include "app/WindowGeometry.h"
#include "app/tray/Tray.h"
#include "editor/view/StatusBar.h"
#include "editor/view/WordWrap.h"
#include "options/hotkey/VBHotKey.h"
#include "options/spelling/SpellMarks.h"
#include "options/transparency/Transparency.h"
#include "storage/ReadWithin.h"
#include "storage/SettingsFile.h"

namespace pw {

void MainSettings::ReadSettingsOrDefaults() {
    VBHotKey1.HotkeyPressed = [this] { tray_.VBHotKey1_HotkeyPressed(); };
    VBHotKey1.HotkeyWarning = [this](const std::string& a, const std::string& b) {
        tray_.VBHotKey1_HotkeyWarning(a, b);
    };

    // The defaults first: centred with the design size, then the default size. A settings
    // file then overrides as many values as it holds in sound form.
    CenterOnScreen(*form_, p_.ui);
    form_->Move(form_->Left(), form_->Top(), 8445, 7245);
    transparency_.set("0");
    const Settings defaults;
    statusBar_.SetVisible(defaults.statusBar);
    wordWrap_.SetOn(defaults.wordWrap);
    marks_.SetOn(defaults.spellAsYouType);

    const std::string path = SettingsPath(p_.app.Path());
    std::string data, why;
    switch (ReadWithin(p_.fs, path, kMaxSettingsBytes, data, why)) {
        case ReadOutcome::Read: {
            // Each line that does not read keeps the default the window holds now.
            Settings s = CurrentSettings();
            ParseSettings(data, p_.app.DecimalSeparator(), s);
            ApplySettings(s);
            break;
        }
        case ReadOutcome::TooLarge:
        case ReadOutcome::Failed:
            p_.ui.MsgBox("The settings file " + path + " was not read: " + why +
                             (why.back() == '.' ? "" : ".") +
                             "\r\n\r\nIt is left as it is for now, and Pagewick starts with its default settings. "
                             "They are written over it when the settings are next saved.",
                         vbExclamation, p_.app.Title());
            break;
        case ReadOutcome::Missing:
            break;
    }
    // Armed now, with the final combination only.
    VBHotKey1.SetWindow(form_->hWnd());
}

Settings MainSettings::CurrentSettings() const {
    Settings s;
    s.top = form_->Top();
    s.left = form_->Left();
    s.height = form_->Height();
    s.width = form_->Width();
    s.font = txtNote_->Font();
    s.transparency = transparency_.value();
    s.altkey = VBHotKey1.altkey();
    s.ctrlkey = VBHotKey1.ctrlkey();
    s.enabled = VBHotKey1.enabled();
    s.shiftkey = VBHotKey1.shiftkey();
    s.vkey = VBHotKey1.vkey();
    s.winkey = VBHotKey1.winkey();
    s.statusBar = statusBar_.Visible();
    s.wordWrap = wordWrap_.On();
    s.spellAsYouType = marks_.On();
    return s;
}

void MainSettings::ApplySettings(const Settings& s) {
    // Top, Left, Height, Width in one move; a value that would make the window unusable
    // keeps the default the form holds now.
    const WindowBounds now{form_->Left(), form_->Top(), form_->Width(), form_->Height()};
    const WindowBounds b = SanitizeBounds({s.left, s.top, s.width, s.height}, now, p_.ui.TwipsPerPixelX(),
                                          p_.ui.TwipsPerPixelY());
    if (b.left != now.left || b.top != now.top || b.width != now.width || b.height != now.height)
        form_->Move(b.left, b.top, b.width, b.height);
    if (!(s.font == txtNote_->Font())) txtNote_->SetFont(s.font);
    transparency_.set(s.transparency);
    VBHotKey1.BeginUpdate();
    VBHotKey1.set_altkey(s.altkey);
    VBHotKey1.set_ctrlkey(s.ctrlkey);
    VBHotKey1.set_enabled(s.enabled);
    VBHotKey1.set_shiftkey(s.shiftkey);
    VBHotKey1.set_vkey(s.vkey);
    VBHotKey1.set_winkey(s.winkey);
    VBHotKey1.EndUpdate();
    // The View lines too: the parser kept the default of each one it could not read.
    statusBar_.SetVisible(s.statusBar);
    wordWrap_.SetOn(s.wordWrap);
    marks_.SetOn(s.spellAsYouType);
}

bool MainSettings::WriteSettings() {
    const Settings s = CurrentSettings();
    const std::string path = SettingsPath(p_.app.Path());
    const FileError err = p_.fs.WriteReplace(path, FormatSettings(s, p_.app.DecimalSeparator()));
    if (err.failed) {
        std::string text = "The settings could not be saved to " + path + ":\r\n" + err.reason;
        // The note is safe: settings alone never keep the program from ending.
        if (safety_.NoteSavedOnExit())
            text += "\r\n\r\nThe note was saved. Pagewick ends without saving its settings; the next start "
                    "uses those saved before.";
        p_.ui.MsgBox(text, vbExclamation, p_.app.Title());
        return false;
    }
    return true;
}

}  // namespace pw
