#include "platform/win32/Win32Ui.h"

#include "platform/TextCodec.h"

#include "platform/win32/Win32MenuKeys.h"
#include "platform/win32/WideText.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace pw::win32 {

namespace {

const char* const kAppClass = "PagewickApp";
const char* const kOldProcProp = "PagewickOldProc";
const char* const kControlProp = "PagewickControl";

int ScreenDpi(int index) {
    HDC dc = ::GetDC(nullptr);
    int dpi = ::GetDeviceCaps(dc, index);
    ::ReleaseDC(nullptr, dc);
    return dpi > 0 ? dpi : 96;
}

void RegisterClasses(HINSTANCE inst) {
    static bool done = false;
    if (done) return;
    done = true;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &Win32Form::WndProc;
    wc.hInstance = inst;
    wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hIcon = static_cast<HICON>(::LoadImageA(inst, "AAA", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    wc.lpszClassName = "Pagewick";
    wc.style = CS_DBLCLKS;
    ::RegisterClassExA(&wc);
    wc.lpszClassName = "PagewickForm";
    ::RegisterClassExA(&wc);
    WNDCLASSEXA app = {};
    app.cbSize = sizeof(app);
    app.lpfnWndProc = &::DefWindowProcA;
    app.hInstance = inst;
    app.lpszClassName = kAppClass;
    ::RegisterClassExA(&app);
}

}  // namespace

namespace {

Palette& PaletteInForce() {
    static Palette palette = LightPalette();
    return palette;
}

SystemLooks& LooksInForce() {
    static SystemLooks looks;
    return looks;
}

}  // namespace

const Palette& CurrentPalette() { return PaletteInForce(); }
const SystemLooks& CurrentLooks() { return LooksInForce(); }

COLORREF ToColorRef(Color c) {
    c = CurrentPalette().Resolve(c);
    if (c & 0x80000000u) return ::GetSysColor(static_cast<int>(c & 0xFF));
    return static_cast<COLORREF>(c & 0xFFFFFF);
}

HBRUSH SolidBrush(COLORREF color) {
    static std::map<COLORREF, HBRUSH> brushes;
    HBRUSH& b = brushes[color];
    if (!b) b = ::CreateSolidBrush(color);
    return b;
}

std::string LastErrorText(DWORD code) {
    wchar_t buf[512] = {};
    DWORD n = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                               0, buf, 512, nullptr);
    while (n > 0 && (buf[n - 1] == L'\r' || buf[n - 1] == L'\n' || buf[n - 1] == L' ')) buf[--n] = 0;
    if (n == 0) return "System error " + std::to_string(static_cast<unsigned long>(code)) + ".";
    return Utf8(buf, n);
}

HFONT CreateFontFor(const FontSpec& font, bool underline) {
    LOGFONTA lf = {};
    lf.lfHeight = -std::max(1L, static_cast<LONG>(std::lround(font.size * ScreenDpi(LOGPIXELSY) / 72.0)));
    lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font.italic ? TRUE : FALSE;
    lf.lfUnderline = underline ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(lf.lfFaceName, font.name.c_str(), LF_FACESIZE);
    return ::CreateFontIndirectA(&lf);
}

// ---------------------------------------------------------------- forms

Win32Form::Win32Form(Win32Ui& ui, const FormDef& def, FormEvents& events, HWND owner)
    : ui_(ui), def_(def), events_(events) {
    font_ = CreateFontFor(def.font, false);
    DWORD style = WS_CLIPCHILDREN;
    DWORD ex = 0;
    if (def.style & fsFixedDialog) {
        style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        ex |= WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    } else {
        style |= WS_OVERLAPPEDWINDOW;
        ex |= WS_EX_CONTROLPARENT;
    }
    if (!(def.style & fsNoTaskbar)) ex |= WS_EX_APPWINDOW;
    RECT r = {0, 0, ui.ToPxX(def.clientWidth), ui.ToPxY(def.clientHeight)};
    ::AdjustWindowRectEx(&r, style, FALSE, ex);
    if (!owner) owner = ui.appWindow();
    ui.FormCreated(this);
    hwnd_ = ::CreateWindowExA(ex, def.className.c_str(), def.caption.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                              r.right - r.left, r.bottom - r.top, owner, nullptr, ui.instance(), this);
    if (hwnd_) ApplyTitleBar(hwnd_, CurrentLooks());
    inCreate_ = false;
}

Win32Form::~Win32Form() {
    if (hwnd_) ::DestroyWindow(hwnd_);
    if (backdropBrush_) ::DeleteObject(backdropBrush_);
    if (backdropBitmap_) ::DeleteObject(backdropBitmap_);
    if (font_) ::DeleteObject(font_);
    if (accel_) ::DestroyAcceleratorTable(accel_);
    for (auto& kv : dropDowns_)
        if (!menuBar_ || kv.first < 0) ::DestroyMenu(kv.second);
}

COLORREF Win32Form::backColor() const { return ToColorRef(def_.backColor); }

IControl& Win32Form::AddControl(const ControlDef& def) {
    const char* cls = "STATIC";
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD ex = 0;
    switch (def.kind) {
        case ControlKind::TextBox:
            cls = "EDIT";
            style |= ES_AUTOVSCROLL | ES_NOHIDESEL;
            if (def.style & csMultiLine) style |= ES_MULTILINE | ES_WANTRETURN;
            if (!(def.style & csMultiLine) || (def.style & csHScroll)) style |= ES_AUTOHSCROLL;
            if (def.style & csHScroll) style |= WS_HSCROLL;
            if (def.style & csVScroll) style |= WS_VSCROLL;
            if (def.style & csNumber) style |= ES_NUMBER;
            if (def.style & csReadOnly) style |= ES_READONLY;
            ex |= WS_EX_CLIENTEDGE;
            break;
        case ControlKind::Label:
            style |= SS_LEFT;
            if (def.style & csClickable) style |= SS_NOTIFY;
            break;
        case ControlKind::Picture:
            style |= SS_BITMAP;
            if (def.style & csClickable) style |= SS_NOTIFY;
            break;
        case ControlKind::Button:
            cls = "BUTTON";
            style |= (def.style & csDefault) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
            break;
        case ControlKind::CheckBox:
            cls = "BUTTON";
            style |= BS_AUTOCHECKBOX;
            break;
        case ControlKind::ComboBox:
            cls = "COMBOBOX";
            style |= WS_VSCROLL | ((def.style & csDropDown) ? CBS_DROPDOWN : CBS_DROPDOWNLIST) | CBS_AUTOHSCROLL;
            break;
        case ControlKind::TabStrip:
            cls = WC_TABCONTROLA;
            style |= WS_CLIPSIBLINGS;
            break;
        case ControlKind::Slider:
            cls = TRACKBAR_CLASSA;
            style |= TBS_HORZ | TBS_AUTOTICKS;
            break;
        case ControlKind::Frame:
            cls = "BUTTON";
            style |= BS_GROUPBOX | WS_CLIPSIBLINGS;   // never paints over the labels inside it
            break;
        case ControlKind::StatusBar:
            cls = STATUSCLASSNAMEA;
            style |= SBARS_SIZEGRIP;
            break;
        case ControlKind::ListBox:
            cls = "LISTBOX";
            style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_TABSTOP;
            if (def.style & csVScroll) style |= WS_VSCROLL;
            ex |= WS_EX_CLIENTEDGE;
            break;
    }
    if (def.style & csTabStop) style |= WS_TABSTOP;
    if (def.kind == ControlKind::Button || def.kind == ControlKind::CheckBox || def.kind == ControlKind::ComboBox ||
        def.kind == ControlKind::Slider || def.kind == ControlKind::TabStrip)
        style |= WS_TABSTOP;
    const char* text = def.kind == ControlKind::Picture ? "" : def.caption.c_str();
    HWND h;
    if (def.kind == ControlKind::TextBox && (def.style & csUnicode)) {
        // A Unicode edit control: it keeps every character typed or pasted into it.
        const std::u16string wide = Utf8ToUtf16(def.caption);
        h = ::CreateWindowExW(ex, L"EDIT", reinterpret_cast<const wchar_t*>(wide.c_str()), style, 0, 0, 0, 0,
                              hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(def.id)), ui_.instance(), nullptr);
    } else {
        h = ::CreateWindowExA(ex, cls, text, style, 0, 0, 0, 0, hwnd_,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(def.id)), ui_.instance(), nullptr);
    }
    if (def.kind == ControlKind::TextBox) ::SendMessageA(h, EM_SETLIMITTEXT, 0, 0);  // any size of note
    if (def.kind == ControlKind::TabStrip)  // tabs fit their strip
        ::SendMessageA(h, TCM_SETPADDING, 0, MAKELPARAM(::MulDiv(4, ui_.Dpi(), 96), ::MulDiv(3, ui_.Dpi(), 96)));
    if (def.style & csBackdrop) ::SetWindowLongA(h, GWL_STYLE, ::GetWindowLongA(h, GWL_STYLE) | WS_CLIPSIBLINGS);
    if (def.kind == ControlKind::Frame) PrepareFrame(h);
    if (DrawnBySystem(def.kind)) PaintDarkWhenAsked(h);
    if (Scrolls(def.kind)) ApplyScrollBars(h, CurrentLooks());
    controls_.push_back(std::make_unique<Win32Control>(*this, def, h));
    // A backdrop lies beneath every other control, also those made after it (a new child goes
    // to the bottom of the z-order): the controls over it, not the backdrop, take the mouse.
    for (auto& b : controls_)
        if (b->def().style & csBackdrop)
            ::SetWindowPos(b->hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Win32Control* c = controls_.back().get();
    c->Move(def.left, def.top, def.width, def.height);
    if (def.kind == ControlKind::TextBox) WatchTextBox(*c);
    if (def.style & csClickable) {
        ::SetPropA(h, kControlProp, c);
        ::SetPropA(h, kOldProcProp,
                   reinterpret_cast<HANDLE>(::SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlProc))));
    }
    return *c;
}

IControl* Win32Form::Control(int id) {
    for (auto& c : controls_)
        if (c->def().id == id) return c.get();
    return nullptr;
}

void Win32Form::RemoveControl(IControl& control) {
    for (auto it = controls_.begin(); it != controls_.end(); ++it) {
        if (it->get() != &control) continue;
        HWND h = (*it)->hwnd();
        if (lastFocus_ == h) lastFocus_ = nullptr;
        ::DestroyWindow(h);
        controls_.erase(it);
        return;
    }
}

Win32Control* Win32Form::ByHwnd(HWND h) {
    for (auto& c : controls_)
        if (c->hwnd() == h) return c.get();
    return nullptr;
}

std::string Win32Form::Caption() const {
    char buf[512] = {};
    ::GetWindowTextA(hwnd_, buf, sizeof(buf));
    return buf;
}

void Win32Form::SetCaption(const std::string& caption) { ::SetWindowTextA(hwnd_, caption.c_str()); }

RECT Win32Form::PixelsRect() const {
    RECT r = {};
    if (hwnd_) ::GetWindowRect(hwnd_, &r);
    return r;
}

float Win32Form::Left() const { return PixelsRect().left * ui_.TwipsPerPixelX(); }
float Win32Form::Top() const { return PixelsRect().top * ui_.TwipsPerPixelY(); }
float Win32Form::Width() const {
    RECT r = PixelsRect();
    return (r.right - r.left) * ui_.TwipsPerPixelX();
}
float Win32Form::Height() const {
    RECT r = PixelsRect();
    return (r.bottom - r.top) * ui_.TwipsPerPixelY();
}

void Win32Form::Move(float left, float top, float width, float height) {
    if (!hwnd_) return;
    ::SetWindowPos(hwnd_, nullptr, ui_.ToPxX(left), ui_.ToPxY(top), ui_.ToPxX(width), ui_.ToPxY(height),
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

float Win32Form::ScaleWidth() const {
    RECT r = {};
    if (hwnd_) ::GetClientRect(hwnd_, &r);
    return r.right * ui_.TwipsPerPixelX();
}

float Win32Form::ScaleHeight() const {
    RECT r = {};
    if (hwnd_) ::GetClientRect(hwnd_, &r);
    return r.bottom * ui_.TwipsPerPixelY();
}

void Win32Form::SetZOrder(long insertAfter) {
    ::SetWindowPos(hwnd_, reinterpret_cast<HWND>(static_cast<INT_PTR>(insertAfter)), 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE);
}

void Win32Form::SetOpacity(bool layered, int alpha) {
    LONG ex = ::GetWindowLongA(hwnd_, GWL_EXSTYLE);
    ::SetWindowLongA(hwnd_, GWL_EXSTYLE, layered ? (ex | WS_EX_LAYERED) : (ex & ~WS_EX_LAYERED));
    if (layered) ::SetLayeredWindowAttributes(hwnd_, RGB(255, 255, 0), static_cast<BYTE>(alpha), LWA_ALPHA);
}

void Win32Form::SendSetIcon(int which, Handle icon) {
    ::SendMessageA(hwnd_, WM_SETICON, static_cast<WPARAM>(which), static_cast<LPARAM>(icon));
}

void Win32Form::Destroy() {
    if (hwnd_) ::DestroyWindow(hwnd_);
}

void Win32Form::StartTimer(int id, unsigned ms) {
    if (hwnd_) ::SetTimer(hwnd_, static_cast<UINT_PTR>(id), ms, nullptr);
}

void Win32Form::StopTimer(int id) {
    if (hwnd_) ::KillTimer(hwnd_, static_cast<UINT_PTR>(id));
}

void Win32Form::Dispatch(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    HWND from = reinterpret_cast<HWND>(lParam);
    Win32Control* c = from ? ByHwnd(from) : nullptr;
    if (!c) {
        // Menu entries and accelerators. Enter and Esc never come this way: PreTranslate
        // handles them before the dialog manager could turn them into IDOK and IDCANCEL.
        events_.Command(id);
        return;
    }
    switch (c->def().kind) {
        case ControlKind::Button:
        case ControlKind::CheckBox:
            if (code == BN_CLICKED) events_.Command(id);
            break;
        case ControlKind::Label:
        case ControlKind::Picture:
            if (code == STN_CLICKED) events_.Command(id);
            break;
        case ControlKind::ComboBox:
            if (code == CBN_SELCHANGE || code == CBN_EDITCHANGE) events_.Changed(id);
            break;
        case ControlKind::ListBox:
            if (code == LBN_SELCHANGE) events_.Changed(id);
            if (code == LBN_DBLCLK) events_.Command(id);
            break;
        case ControlKind::TextBox:
            if (code == EN_CHANGE) events_.Changed(id);
            break;
        default:
            break;
    }
}

LRESULT CALLBACK Win32Form::ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* c = static_cast<Win32Control*>(::GetPropA(hwnd, kControlProp));
    auto old = reinterpret_cast<WNDPROC>(::GetPropA(hwnd, kOldProcProp));
    if (c) {
        Win32Form& f = c->form_;
        int button = (wParam & MK_LBUTTON) ? 1 : (wParam & MK_RBUTTON) ? 2 : 0;
        switch (msg) {
            case WM_MOUSEMOVE: f.events_.MouseMove(c->def().id, button); break;
            case WM_LBUTTONDOWN: f.events_.MouseDown(c->def().id, 1); break;
            case WM_RBUTTONDOWN: f.events_.MouseDown(c->def().id, 2); break;
            case WM_SETCURSOR:
                if (c->cursor()) {
                    ::SetCursor(c->cursor());
                    return TRUE;
                }
                break;
            case WM_NCDESTROY:
                ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
                ::RemovePropA(hwnd, kControlProp);
                ::RemovePropA(hwnd, kOldProcProp);
                break;
            default: break;
        }
    }
    return ::CallWindowProcA(old, hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK Win32Form::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Win32Form* f;
    if (msg == WM_NCCREATE) {
        f = static_cast<Win32Form*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        f->hwnd_ = hwnd;
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(f));
    } else {
        f = reinterpret_cast<Win32Form*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!f) return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    return f->Handle_(msg, wParam, lParam);
}

LRESULT Win32Form::Handle_(UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND h = hwnd_;
    switch (msg) {
        case WM_SIZE:
            if (!inCreate_) events_.Form_Resize();
            return 0;
        case WM_CLOSE:
            RunClose(events_, *this, vbFormControlMenu);
            return 0;
        case WM_QUERYENDSESSION:
            // The form saves and goes. One that is still here could not save its note: it
            // asks Windows to wait rather than let the note be lost.
            RunClose(events_, *this, vbAppWindows);
            return hwnd_ ? FALSE : TRUE;
        case WM_ENDSESSION:
            if (wParam) RunClose(events_, *this, vbAppWindows);
            return 0;
        case WM_COMMAND:
            Dispatch(wParam, lParam);
            return 0;
        case WM_NOTIFY: {
            auto* n = reinterpret_cast<NMHDR*>(lParam);
            if (n->code == static_cast<UINT>(TCN_SELCHANGE)) events_.Changed(static_cast<int>(n->idFrom));
            break;
        }
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (lParam) {
                if (Win32Control* c = ByHwnd(reinterpret_cast<HWND>(lParam))) {
                    events_.Changed(c->def().id);
                    return 0;
                }
            }
            break;
        case WM_INITMENUPOPUP:
            for (auto& kv : dropDowns_)
                if (kv.second == reinterpret_cast<HMENU>(wParam)) events_.MenuOpening(kv.first);
            return 0;
        case WM_MENUCHAR:
            return MenuCharAnswer(reinterpret_cast<HMENU>(lParam), wParam);
        case WM_MOUSEMOVE:
            events_.MouseMove(0, (wParam & MK_LBUTTON) ? 1 : 0);
            return 0;
        case WM_LBUTTONDOWN:
            events_.MouseDown(0, 1);
            return 0;
        case WM_ACTIVATE:
            if (Activate(wParam, lParam)) return 0;
            break;
        case WM_PRINTCLIENT:   // themed frames draw the form behind them through this
        case WM_ERASEBKGND: {
            RECT r;
            ::GetClientRect(h, &r);
            // Under a dark palette only controls drawn by the system ask for the form behind
            // them, in the system's light colours they are carried over from.
            const bool light = msg == WM_PRINTCLIENT && CurrentPalette().dark;
            ::FillRect(reinterpret_cast<HDC>(wParam), &r, light ? ::GetSysColorBrush(COLOR_BTNFACE) : backBrush());
            return 1;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
            if (Win32Control* c = ByHwnd(reinterpret_cast<HWND>(lParam))) {
                if (msg != WM_CTLCOLORLISTBOX || CurrentPalette().dark)
                    if (HBRUSH b = c->CtlColor(reinterpret_cast<HDC>(wParam))) return reinterpret_cast<LRESULT>(b);
            } else if ((msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX) && CurrentPalette().dark) {
                // The parts of a combo box (its edit field, its drop-down list).
                HDC dc = reinterpret_cast<HDC>(wParam);
                ::SetTextColor(dc, ToColorRef(SystemColor(COLOR_WINDOWTEXT)));
                ::SetBkColor(dc, ToColorRef(SystemColor(COLOR_WINDOW)));
                return reinterpret_cast<LRESULT>(SolidBrush(ToColorRef(SystemColor(COLOR_WINDOW))));
            }
            break;
        case WM_NCDESTROY: {
            hwnd_ = nullptr;
            ::SetWindowLongPtrA(h, GWLP_USERDATA, 0);
            LRESULT r = ::DefWindowProcA(h, msg, wParam, lParam);
            ui_.FormGone(this);
            return r;
        }
        default:
            break;
    }
    long result = 0;
    if (events_.Message(msg, static_cast<unsigned long>(wParam), static_cast<long>(lParam), result)) return result;
    return ::DefWindowProcA(h, msg, wParam, lParam);
}

void Win32Form::LooksChanged() {
    if (!hwnd_) return;
    if (backdropBrush_) {
        ::DeleteObject(backdropBrush_);
        backdropBrush_ = nullptr;
    }
    for (auto& c : controls_) c->PaletteChanged();
    ApplyTitleBar(hwnd_, CurrentLooks());
    ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

// ---------------------------------------------------------------- the UI

void Win32Ui::SetLooks(const Palette& palette, const SystemLooks& looks) {
    PaletteInForce() = palette;
    LooksInForce() = looks;
    for (Win32Form* f : forms_) f->LooksChanged();
}

Win32Ui::Win32Ui(HINSTANCE instance) : instance_(instance) {
    RegisterClasses(instance);
    InstallMenuKeyFilter();
    tppX_ = 1440.0f / static_cast<float>(ScreenDpi(LOGPIXELSX));
    tppY_ = 1440.0f / static_cast<float>(ScreenDpi(LOGPIXELSY));
}

HWND Win32Ui::appWindow() {
    if (!app_) {
        app_ = ::CreateWindowExA(WS_EX_TOOLWINDOW, kAppClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance_,
                                 nullptr);
    }
    return app_;
}

namespace {
// Twips to pixels; values beyond any screen (or not numbers) stop at the coordinate range
// instead of wrapping round to the other sign.
int ToPixels(float twips, float perPixel) {
    const double px = static_cast<double>(twips) / perPixel;
    if (!(px > -1e6)) return -1000000;
    if (px > 1e6) return 1000000;
    return static_cast<int>(std::lround(px));
}

}  // namespace

int Win32Ui::ToPxX(float twips) const { return ToPixels(twips, tppX_); }
int Win32Ui::ToPxY(float twips) const { return ToPixels(twips, tppY_); }

std::unique_ptr<IForm> Win32Ui::CreateForm(const FormDef& def, FormEvents& events, Handle owner) {
    auto f = std::make_unique<Win32Form>(*this, def, events, reinterpret_cast<HWND>(owner));
    if (!owner && !main_) main_ = f.get();
    return f;
}

void Win32Ui::FormCreated(Win32Form* f) {
    forms_.push_back(f);
    ++live_;
}

void Win32Ui::FormGone(Win32Form* f) {
    RemoveModeless(reinterpret_cast<Handle>(f->hwnd()));
    forms_.erase(std::remove(forms_.begin(), forms_.end(), f), forms_.end());
    if (f == main_) main_ = nullptr;
    // The process ends when no window of the program is left.
    if (--live_ == 0) ::PostQuitMessage(0);
}

float Win32Ui::ScreenWidth() const { return ::GetSystemMetrics(SM_CXSCREEN) * tppX_; }
float Win32Ui::ScreenHeight() const { return ::GetSystemMetrics(SM_CYSCREEN) * tppY_; }

void Win32Ui::SetBusyCursor(bool busy) {
    ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(busy ? IDC_WAIT : IDC_ARROW)));
}

int Win32Ui::MsgBox(const std::string& text, int style, const std::string& title) {
    HWND owner = ::GetActiveWindow();
    if (!owner && main_) owner = main_->hwnd();
    return ::MessageBoxW(owner, Wide(text).c_str(), Wide(title).c_str(), static_cast<UINT>(style));
}

void Win32Ui::SetTaskVisible(bool visible) {
    if (!main_ || !main_->hwnd()) return;
    HWND h = main_->hwnd();
    LONG ex = ::GetWindowLongA(h, GWL_EXSTYLE);
    ::SetWindowLongA(h, GWL_EXSTYLE, visible ? (ex | WS_EX_APPWINDOW) : (ex & ~WS_EX_APPWINDOW));
}

}  // namespace pw::win32
