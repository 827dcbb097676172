// Win32 windows and controls behind IUi / IForm / IControl.
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/appearance.h"
#include "platform/ui.h"

namespace pw::win32 {

class Win32Ui;
class Win32Form;

HFONT CreateFontFor(const FontSpec& font, bool underline);
// A colour as the system draws it, in the palette in force (system colours and inks resolved).
COLORREF ToColorRef(Color c);
// The palette and the system's looks every window is painted with now.
const Palette& CurrentPalette();
const SystemLooks& CurrentLooks();
// A solid brush of that colour, kept for the rest of the process (the program uses a handful).
HBRUSH SolidBrush(COLORREF color);
// The system's parts of a window in the looks in force (Win32Appearance.cpp): the title bar of
// a form, the scroll bars of a scrolling control.
void ApplyTitleBar(HWND window, const SystemLooks& looks);
void ApplyScrollBars(HWND control, const SystemLooks& looks);
// The controls with scroll bars of the system's (text, list and combo boxes).
inline bool Scrolls(ControlKind kind) {
    return kind == ControlKind::TextBox || kind == ControlKind::ListBox || kind == ControlKind::ComboBox;
}
// Controls the system draws in its own light colours (buttons, check boxes, frames, the tab
// strip, the slider, the status bar): under a dark palette they are drawn as usual into a
// bitmap and carried into the palette pixel by pixel (Win32DarkPaint.cpp).
bool DrawnBySystem(ControlKind kind);
void PaintDarkWhenAsked(HWND control);
// A bitmap resource drawn for `dpi`: as stored at 96 dpi, smoothly rescaled otherwise. The
// caller owns it.
HBITMAP LoadBitmapForDpi(HINSTANCE instance, const std::string& name, int dpi);
std::string LastErrorText(DWORD code);   // the system's message for an error code, in UTF-8

class Win32Control : public IControl {
public:
    Win32Control(Win32Form& form, const ControlDef& def, HWND hwnd);
    ~Win32Control() override;
    Handle hWnd() const override { return reinterpret_cast<Handle>(hwnd_); }
    std::string Text() const override;
    void SetText(const std::string& text) override;
    int Value() const override;
    void SetValue(int value) override;
    void AddItem(const std::string& item) override;
    int ItemCount() const override;
    std::string Item(int index) const override;
    FontSpec Font() const override { return font_; }
    void SetFont(const FontSpec& font) override;
    void SetForeColor(Color color) override;
    Color ForeColor() const override { return fore_; }
    void SetBackColor(Color color) override;
    void SetToolTip(const std::string& tip) override;
    void SetImage(const std::string& resourceName) override;
    void SetHandCursor(const std::string& resourceName) override;
    void Move(float left, float top, float width, float height) override;
    void SetFocus() override { ::SetFocus(hwnd_); }
    bool Focused() const override { return ::GetFocus() == hwnd_; }
    void SetRange(int lo, int hi) override;
    float Height() const override;
    void SetFontScale(int percent) override;
    int FontScale() const override { return scale_; }
    void SetPanels(const std::vector<float>& rightEdges) override;
    void SetPanelText(int panel, const std::string& text) override;
    int SelStart() const override;
    void SetSelStart(int start) override;
    int SelLength() const override;
    void SetSelLength(int length) override;
    std::string SelText() const override;
    std::u16string Utf16Text() const override { return WideText(); }
    long SelStartUnits() const override;
    void SetSelText(const std::string& text) override;
    long Send(unsigned msg, unsigned long wParam, long lParam) override;
    void SetVisible(bool visible) override;
    bool Visible() const override;
    void SetEnabled(bool enabled) override;
    bool Enabled() const override;
    void ClearItems() override;
    // A text box's overlay and what it asks of the box (Win32TextBox.cpp).
    void SetOverlay(IBoxOverlay* overlay) override { overlay_ = overlay; }
    std::u16string LineText(int line) const override;
    std::u16string TextFrom(long start, long count) const override;
    bool HasSelection() const override;
    PixelRect ClientPixels() const override;
    void PaintOverlay() override;
    void Invalidate(const PixelRect& area) override;
    int PopupMenu(const std::vector<PopupEntry>& entries, int x, int y) override;
    IBoxOverlay* overlay() const { return overlay_; }

    const ControlDef& def() const { return def_; }
    HWND hwnd() const { return hwnd_; }
    // WM_CTLCOLOR*: colours for this control; returns the brush or 0 for the default.
    HBRUSH CtlColor(HDC dc);
    HCURSOR cursor() const { return cursor_; }
    FormEvents& Events();   // its form's
    // The palette changed: the brush and the picture follow it.
    void PaletteChanged();

private:
    bool unicode() const { return (def_.style & csUnicode) != 0; }
    std::u16string WideText() const;
    LRESULT Msg(UINT msg, WPARAM wParam, LPARAM lParam) const {
        return unicode() ? ::SendMessageW(hwnd_, msg, wParam, lParam) : ::SendMessageA(hwnd_, msg, wParam, lParam);
    }

    Win32Form& form_;
    ControlDef def_;
    HWND hwnd_;
    FontSpec font_;
    int scale_ = 100;            // per cent of font_'s size shown on screen
    HFONT hfont_ = nullptr;
    Color fore_;
    Color back_ = 0xFFFFFFFFu;   // none: the form's background
    bool hasBack_ = false;
    std::string image_;          // a picture's resource name, as the form gave it
    HCURSOR cursor_ = nullptr;
    HBITMAP bitmap_ = nullptr;   // a picture's image, drawn for the screen's DPI
    IBoxOverlay* overlay_ = nullptr;
    friend class Win32Form;
};

class Win32Form : public IForm {
public:
    Win32Form(Win32Ui& ui, const FormDef& def, FormEvents& events, HWND owner);
    ~Win32Form() override;
    Handle hWnd() const override { return reinterpret_cast<Handle>(hwnd_); }
    IControl& AddControl(const ControlDef& def) override;
    IControl* Control(int id) override;
    void RemoveControl(IControl& control) override;
    void SetMenu(const std::vector<MenuItem>& items) override;
    void SetMenuEnabled(int id, bool enabled) override;
    bool MenuEnabled(int id) const override;
    void SetMenuChecked(int id, bool checked) override;
    bool MenuChecked(int id) const override;
    void PopupMenu(int id) override;
    std::string Caption() const override;
    void SetCaption(const std::string& caption) override;
    int State() const override;
    void SetState(int state) override;
    bool Visible() const override;
    bool Enabled() const override { return ::IsWindowEnabled(hwnd_) != FALSE; }
    void Show() override;
    void Hide() override;
    void BringToFront() override;
    float Left() const override;
    float Top() const override;
    float Width() const override;
    float Height() const override;
    void Move(float left, float top, float width, float height) override;
    float ScaleWidth() const override;
    float ScaleHeight() const override;
    void SetZOrder(long insertAfter) override;
    void SetOpacity(bool layered, int alpha) override;
    void SendSetIcon(int which, Handle icon) override;
    void Destroy() override;
    void StartTimer(int id, unsigned ms) override;
    void StopTimer(int id) override;

    HWND hwnd() const { return hwnd_; }
    HACCEL accelerators() const { return accel_; }
    // True when the key message is the shortcut of a greyed menu entry: it then goes to the
    // focused control instead of the command.
    bool IsGreyedShortcut(const MSG& msg) const;
    // Enter or Esc pressed in this window (not the main one): true when handled here
    // (Win32DialogKeys.cpp); false leaves the key to the focused control.
    bool DialogKey(const MSG& msg);
    Win32Ui& ui() { return ui_; }
    HFONT font() const { return font_; }
    COLORREF backColor() const;
    HBRUSH backBrush() const { return SolidBrush(backColor()); }
    // The palette or the system's looks changed: brushes, pictures and the title bar follow,
    // and the whole window repaints (its controls keep their text, selection and scroll place).
    void LooksChanged();
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // A text box's messages (Win32TextBox.cpp): its caret moves and Ctrl with the wheel go
    // to the form's events.
    static void WatchTextBox(Win32Control& box);

private:
    LRESULT Handle_(UINT msg, WPARAM wParam, LPARAM lParam);
    // A group box erases its inside with the form's background (it leaves it as it was).
    void PrepareFrame(HWND frame);
    Win32Control* ByHwnd(HWND h);
    void Dispatch(WPARAM wParam, LPARAM lParam);
    // WM_ACTIVATE: Form_Activate, and a dialog's focus kept (Win32UiFocus.cpp). True when it
    // set the focus itself.
    bool Activate(WPARAM wParam, LPARAM lParam);
    RECT PixelsRect() const;

    Win32Ui& ui_;
    FormDef def_;
    FormEvents& events_;
    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;
    HMENU menuBar_ = nullptr;
    HACCEL accel_ = nullptr;
    std::vector<ACCEL> accelList_;
    std::map<int, HMENU> dropDowns_;   // menu id -> its drop-down or pop-up
    std::vector<std::unique_ptr<Win32Control>> controls_;
    HWND tooltip_ = nullptr;
    int state_ = vbNormal;             // the state while hidden
    bool shownOnce_ = false;
    bool inCreate_ = true;
    HWND lastFocus_ = nullptr;         // a dialog's focused control when it was last deactivated
    // DPI support (Win32Dpi.cpp): text that outgrows its control at this DPI widens it, and
    // labels over a backdrop picture paint the window's composed background around their text.
    void FitToText();
    HBRUSH BackdropBrush();
    bool HasBackdrop() const;
    HBRUSH backdropBrush_ = nullptr;
    HBITMAP backdropBitmap_ = nullptr;
    friend class Win32Control;
    friend class Win32Ui;
};

class Win32Ui : public IUi {
public:
    explicit Win32Ui(HINSTANCE instance);
    std::unique_ptr<IForm> CreateForm(const FormDef& def, FormEvents& events, Handle owner) override;
    float ScreenWidth() const override;
    float ScreenHeight() const override;
    float TwipsPerPixelX() const override { return tppX_; }
    float TwipsPerPixelY() const override { return tppY_; }
    void SetBusyCursor(bool busy) override;
    void Beep() override { ::MessageBeep(0); }
    int MsgBox(const std::string& text, int style, const std::string& title) override;
    void AddModeless(Handle dialog) override;
    void RemoveModeless(Handle dialog) override;
    void RunModal(IForm& form) override;
    std::vector<Area> Monitors() const override;

    // The message loop: runs until the last form is gone.
    int Run();
    // Keyboard routing before dispatch: modeless dialogs, then the main window's accelerators.
    bool PreTranslate(MSG& msg);
    void SetTaskVisible(bool visible);
    HINSTANCE instance() const { return instance_; }
    HWND appWindow();
    int ToPxX(float twips) const;
    int ToPxY(float twips) const;
    void FormCreated(Win32Form* f);
    void FormGone(Win32Form* f);
    Win32Form* mainForm() const { return main_; }
    int Dpi() const;   // the screen's dots per inch, which the twips are converted at
    // Every window, open and to come, takes this palette and these looks.
    void SetLooks(const Palette& palette, const SystemLooks& looks);

private:
    HINSTANCE instance_;
    HWND app_ = nullptr;
    float tppX_ = 15, tppY_ = 15;
    std::vector<HWND> modeless_;
    std::vector<Win32Form*> forms_;
    Win32Form* main_ = nullptr;
    int live_ = 0;
};

}  // namespace pw::win32
