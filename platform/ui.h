// Windows and controls as the program's forms see them. Coordinates are twips.
// A form class describes its window (FormDef), its controls (ControlDef) and its menu
// (MenuItem), receives events through FormEvents and acts through IForm / IControl.
#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/BoxOverlay.h"
#include "platform/TextCodec.h"
#include "platform/WinNumbers.h"
#include "platform/types.h"

namespace pw {

enum class ControlKind { TextBox, Label, Button, CheckBox, ComboBox, TabStrip, Picture, Slider, Frame, ListBox, StatusBar };

enum ControlStyle : unsigned {
    csMultiLine = 1u << 0,   // text box: several lines, wrapped at the box width
    csVScroll = 1u << 1,     // vertical scroll bar
    csReadOnly = 1u << 2,    // text box: locked against editing
    csUnderline = 1u << 3,   // label: underlined font
    csClickable = 1u << 4,   // label/picture: reports clicks and mouse moves
    csDropDown = 1u << 5,    // combo box: editable text field with a drop-down list
    csTabStop = 1u << 6,     // reachable with Tab
    csDefault = 1u << 7,     // button: the default push button (Enter)
    csBackdrop = 1u << 8,    // picture: part of the form's background, beneath every other
                             // control; labels over it show it around their text
    csUnicode = 1u << 9,     // text box: holds text of every script; its text and selection
                             // speak UTF-8 and byte offsets (others speak ANSI and characters)
    csHScroll = 1u << 10,    // multi-line text box: lines run on past the box's width, with a
                             // horizontal scroll bar, instead of wrapping
    csNumber = 1u << 11,     // text box: takes digits only
};

struct ControlDef {
    int id = 0;
    ControlKind kind = ControlKind::Label;
    std::string caption;
    float left = 0, top = 0, width = 0, height = 0;   // twips, in the client area
    unsigned style = 0;
};

// One control of a form. Methods that do not apply to a kind do nothing.
class IControl {
public:
    virtual ~IControl() = default;
    virtual Handle hWnd() const = 0;
    virtual std::string Text() const = 0;           // whole text, ANSI
    virtual void SetText(const std::string& text) = 0;
    virtual int Value() const = 0;                  // check box 0/1; tab strip: selected tab, 1-based; slider position
    virtual void SetValue(int value) = 0;
    virtual void AddItem(const std::string& item) = 0;  // combo list entry, tab caption
    virtual int ItemCount() const = 0;
    virtual std::string Item(int index) const = 0;
    virtual FontSpec Font() const = 0;
    virtual void SetFont(const FontSpec& font) = 0;
    virtual void SetForeColor(Color color) = 0;
    virtual Color ForeColor() const = 0;
    virtual void SetBackColor(Color color) = 0;
    virtual void SetToolTip(const std::string& tip) = 0;
    virtual void SetImage(const std::string& resourceName) = 0;  // picture: a bitmap resource
    virtual void SetHandCursor(const std::string& resourceName) = 0;  // pointer shown while over it
    virtual void Move(float left, float top, float width, float height) = 0;
    virtual void SetFocus() = 0;
    virtual bool Focused() const { return false; }   // it has the keyboard focus
    virtual void SetRange(int lo, int hi) = 0;   // slider
    // The outer height the control has on screen (a status bar chooses its own), twips.
    virtual float Height() const { return 0; }
    // A text box's font on screen, in per cent of Font()'s size; Font() and SetFont keep
    // speaking of the font itself, and a new font is shown at the same scale.
    virtual void SetFontScale(int percent) { (void)percent; }
    virtual int FontScale() const { return 100; }
    // A status bar's panels: the right edge of each, twips from the left, and one more panel
    // after the last edge to the right end. Then each panel's text.
    virtual void SetPanels(const std::vector<float>& rightEdges) { (void)rightEdges; }
    virtual void SetPanelText(int panel, const std::string& text) { (void)panel; (void)text; }

    // Text box selection; positions count characters from 0 (bytes of the UTF-8 text in a
    // csUnicode box).
    virtual int SelStart() const = 0;
    virtual void SetSelStart(int start) = 0;     // also collapses the selection
    virtual int SelLength() const = 0;
    virtual void SetSelLength(int length) = 0;
    virtual std::string SelText() const = 0;
    // A text box's text and selection start as the box holds them (UTF-16 units), for what
    // runs at every key and would otherwise convert the whole text each time.
    virtual std::u16string Utf16Text() const { return Utf8ToUtf16(Text()); }
    virtual long SelStartUnits() const {
        return static_cast<long>(Utf16Length(Text().substr(0, static_cast<size_t>(SelStart()))));
    }
    virtual void SetSelText(const std::string& text) = 0;  // replaces the selection, caret after it
    // Raw message to the control's window (WM_UNDO, EM_CANUNDO, ...); result as the control answers.
    virtual long Send(unsigned msg, unsigned long wParam = 0, long lParam = 0) = 0;
    // A text box's edit commands, as its own messages carry them out.
    bool CanUndo() { return Send(EM_CANUNDO_, 0, 0) != 0; }
    void Undo() { Send(WM_UNDO_, 0, 0); }
    void Cut() { Send(WM_CUT_, 0, 0); }
    void Copy() { Send(WM_COPY_, 0, 0); }
    void Paste() { Send(WM_PASTE_, 0, 0); }
    void Clear() { Send(WM_CLEAR_, 0, 0); }
    // Shown or hidden, enabled or greyed.
    virtual void SetVisible(bool visible) { (void)visible; }
    virtual bool Visible() const { return true; }
    virtual void SetEnabled(bool enabled) { (void)enabled; }
    virtual bool Enabled() const { return true; }
    // Empties a combo or list box's list.
    virtual void ClearItems() {}
    // A text box's overlay (null: none), told after each paint and asked before its menu.
    virtual void SetOverlay(IBoxOverlay* overlay) { (void)overlay; }
    // Line `line` of a text box as shown (a wrapped line is one), in UTF-16 units.
    virtual std::u16string LineText(int line) const { (void)line; return {}; }
    // count units of a text box's text from `start` (fewer at its end), read without a walk
    // over its lines.
    virtual std::u16string TextFrom(long start, long count) const {
        const std::u16string all = Utf16Text();
        if (start < 0 || static_cast<std::size_t>(start) >= all.size()) return {};
        return all.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(count));
    }
    // Some text is selected (cheaper than SelLength).
    virtual bool HasSelection() const { return SelLength() > 0; }
    // The client area's size, pixels.
    virtual PixelRect ClientPixels() const { return {}; }
    // The overlay laid out and drawn afresh now, as after a paint, without painting the box.
    virtual void PaintOverlay() {}
    // The part of the client area to paint again (the box erases and paints it).
    virtual void Invalidate(const PixelRect& area) { (void)area; }
    // A pop-up menu at a client point; the index of the entry chosen, or -1.
    virtual int PopupMenu(const std::vector<PopupEntry>& entries, int x, int y) {
        (void)entries; (void)x; (void)y;
        return -1;
    }
};

constexpr int kKeyOnly = -1;

struct MenuItem {
    int id = 0;                 // command id; 0 for separators
    int level = 0;              // 0 = menu bar, 1 = entry of the menu above, ...; kKeyOnly:
                                // no entry, only the shortcut, which runs the command id
    const char* caption = "";   // "-" is a separator
    const char* shortcut = "";  // "Ctrl+N", "F1", "Ctrl+Plus", "Ctrl+Num +", "Ctrl+Backspace", or ""
    bool visible = true;        // a hidden top-level menu is only used as a pop-up
};

enum FormStyle : unsigned {
    fsSizable = 1u << 0,        // sizable frame with minimise and maximise boxes
    fsFixedDialog = 1u << 1,    // fixed frame, no minimise/maximise boxes
    fsNoTaskbar = 1u << 2,      // no taskbar button
    fsCenterOwner = 1u << 3,    // centred on its owner when first shown
    fsCenterScreen = 1u << 4,
};

struct FormDef {
    std::string caption;
    float clientWidth = 0, clientHeight = 0;   // twips
    unsigned style = fsSizable;
    FontSpec font;                             // the form's font, inherited by its controls
    Color backColor = SystemColor(COLOR_BTNFACE_INDEX);
    std::string className = "PagewickForm";
};

// Events a form receives. Ids are control or menu command ids.
class FormEvents {
public:
    virtual ~FormEvents() = default;
    virtual void Form_Resize() {}
    // reason: CloseReason. Set cancel to keep the window.
    virtual void Form_QueryUnload(bool& cancel, int reason) { (void)cancel; (void)reason; }
    virtual void Form_Unload() {}
    // The window became the active one; fromThisProgram: another window of this program was
    // active before it (false when the user comes back from another program).
    virtual void Form_Activate(bool fromThisProgram) { (void)fromThisProgram; }
    virtual void Command(int id) { (void)id; }               // menu entry, button, check box click
    virtual void Changed(int id) { (void)id; }               // combo text edited or chosen, slider moved, tab changed
    virtual void MenuOpening(int id) { (void)id; }           // a drop-down menu is about to open
    // A text box's caret or selection may have moved: a key, a click, a change of its text or
    // of its selection by the program.
    virtual void SelChange(int id) { (void)id; }
    virtual void MouseMove(int id, int button) { (void)id; (void)button; }  // id 0: the form background
    virtual void MouseDown(int id, int button) { (void)id; (void)button; }
    // Any other message (registered messages, private callbacks). Return true when handled.
    virtual bool Message(unsigned msg, unsigned long wParam, long lParam, long& result) {
        (void)msg; (void)wParam; (void)lParam; (void)result;
        return false;
    }
};

class IForm {
public:
    virtual ~IForm() = default;
    virtual Handle hWnd() const = 0;
    virtual IControl& AddControl(const ControlDef& def) = 0;
    virtual IControl* Control(int id) = 0;
    // Destroys a control of this form; the reference is dead afterwards.
    virtual void RemoveControl(IControl& control) = 0;
    virtual void SetMenu(const std::vector<MenuItem>& items) = 0;
    virtual void SetMenuEnabled(int id, bool enabled) = 0;
    virtual bool MenuEnabled(int id) const = 0;
    virtual void SetMenuChecked(int id, bool checked) = 0;
    virtual bool MenuChecked(int id) const = 0;
    virtual void PopupMenu(int id) = 0;        // a hidden top-level menu, at the mouse, right button active

    virtual std::string Caption() const = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual int State() const = 0;             // WindowState
    virtual void SetState(int state) = 0;
    virtual bool Visible() const = 0;
    // False while a modal window (a dialog, a message box) keeps it from taking input.
    virtual bool Enabled() const { return true; }
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual void BringToFront() = 0;
    virtual float Left() const = 0;            // outer window, twips, screen coordinates
    virtual float Top() const = 0;
    virtual float Width() const = 0;
    virtual float Height() const = 0;
    virtual void Move(float left, float top, float width, float height) = 0;
    virtual float ScaleWidth() const = 0;      // client area, twips
    virtual float ScaleHeight() const = 0;
    // SetWindowPos with an insert-after of HWND_TOPMOST (-1) or HWND_NOTOPMOST (-2), SWP_NOSIZE|SWP_NOMOVE.
    virtual void SetZOrder(long insertAfter) = 0;
    // SetLayeredWindowAttributes-style opacity, 0-255; 255 with layered false removes it.
    virtual void SetOpacity(bool layered, int alpha) = 0;
    virtual void SendSetIcon(int which, Handle icon) = 0;   // WM_SETICON to this window
    // Destroys the window without asking (the unload step already ran).
    virtual void Destroy() = 0;
    // A timer of the window: after ms, and every ms until stopped, the form's Message
    // receives WM_TIMER (0x0113) with the id as wParam. Starting a running id restarts it.
    virtual void StartTimer(int id, unsigned ms) { (void)id; (void)ms; }
    virtual void StopTimer(int id) { (void)id; }
};

class IUi {
public:
    virtual ~IUi() = default;
    // Creates a hidden window; owner 0 means none (the main window).
    virtual std::unique_ptr<IForm> CreateForm(const FormDef& def, FormEvents& events, Handle owner) = 0;
    virtual float ScreenWidth() const = 0;     // twips
    virtual float ScreenHeight() const = 0;
    virtual float TwipsPerPixelX() const = 0;
    virtual float TwipsPerPixelY() const = 0;
    virtual void SetBusyCursor(bool busy) = 0;
    virtual void Beep() = 0;
    // Message boxes owned by the active window; returns MsgBoxResult.
    virtual int MsgBox(const std::string& text, int style, const std::string& title) = 0;
    // Lets the main loop route keyboard navigation (Tab, Enter, Esc) to a modeless dialog.
    virtual void AddModeless(Handle dialog) = 0;
    virtual void RemoveModeless(Handle dialog) = 0;
    // Shows `form` modally over its owner: the owner takes no input until the form is gone,
    // and the call returns only then. A fake may show it and return at once.
    virtual void RunModal(IForm& form) { form.Show(); }
    // The work areas of the monitors, twips, in virtual-screen coordinates.
    struct Area { float left = 0, top = 0, width = 0, height = 0; };
    virtual std::vector<Area> Monitors() const { return {Area{0, 0, ScreenWidth(), ScreenHeight()}}; }
};

}  // namespace pw

namespace pw {

// The close sequence every form goes through, whoever asks: the query (which may cancel),
// then the unload step, then the window goes. Returns true when the form was unloaded.
inline bool RunClose(FormEvents& events, IForm& form, int reason) {
    bool cancel = false;
    events.Form_QueryUnload(cancel, reason);
    if (cancel) return false;
    events.Form_Unload();
    form.Destroy();
    return true;
}

}  // namespace pw
