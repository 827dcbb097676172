// The controls of the generic form host: text boxes, labels, buttons, lists, sliders, pictures.
#include "platform/win32/Win32Ui.h"

#include "platform/TextCodec.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace pw::win32 {



Win32Control::Win32Control(Win32Form& form, const ControlDef& def, HWND hwnd)
    : form_(form), def_(def), hwnd_(hwnd), fore_(SystemColor(COLOR_WINDOWTEXT_INDEX)) {
    font_ = form.def_.font;
    if (def.style & csUnderline) SetFont(font_);
    else ::SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(form.font()), TRUE);
}

FormEvents& Win32Control::Events() { return form_.events_; }

Win32Control::~Win32Control() {
    if (hfont_) ::DeleteObject(hfont_);
    if (bitmap_) ::DeleteObject(bitmap_);
}

std::u16string Win32Control::WideText() const {
    int n = static_cast<int>(::SendMessageW(hwnd_, WM_GETTEXTLENGTH, 0, 0));
    std::u16string s(static_cast<size_t>(n) + 1, u'\0');
    n = static_cast<int>(::SendMessageW(hwnd_, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(&s[0])));
    s.resize(static_cast<size_t>(std::max(0, n)));
    return s;
}

std::string Win32Control::Text() const {
    if (unicode()) return Utf16ToUtf8(WideText());
    int n = static_cast<int>(::SendMessageA(hwnd_, WM_GETTEXTLENGTH, 0, 0));
    std::string s(static_cast<size_t>(n) + 1, '\0');
    n = static_cast<int>(::SendMessageA(hwnd_, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(&s[0])));
    s.resize(static_cast<size_t>(std::max(0, n)));
    return s;
}

void Win32Control::SetText(const std::string& text) {
    if (unicode()) {
        const std::u16string wide = Utf8ToUtf16(text);
        ::SendMessageW(hwnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
        return;
    }
    ::SendMessageA(hwnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    // A caption that changes on a shown window gets room for itself as the first one did.
    if (form_.shownOnce_ && (def_.kind == ControlKind::Label || def_.kind == ControlKind::CheckBox ||
                             def_.kind == ControlKind::Button))
        form_.FitToText();
}

int Win32Control::Value() const {
    switch (def_.kind) {
        case ControlKind::CheckBox:
            return ::SendMessageA(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
        case ControlKind::TabStrip:
            return static_cast<int>(::SendMessageA(hwnd_, TCM_GETCURSEL, 0, 0)) + 1;
        case ControlKind::Slider:
            return static_cast<int>(::SendMessageA(hwnd_, TBM_GETPOS, 0, 0));
        case ControlKind::ComboBox:
            return static_cast<int>(::SendMessageA(hwnd_, CB_GETCURSEL, 0, 0));
        case ControlKind::ListBox:
            return static_cast<int>(::SendMessageA(hwnd_, LB_GETCURSEL, 0, 0));
        default:
            return 0;
    }
}

void Win32Control::SetValue(int value) {
    switch (def_.kind) {
        case ControlKind::CheckBox:
            ::SendMessageA(hwnd_, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        case ControlKind::TabStrip:
            ::SendMessageA(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(value - 1), 0);
            break;
        case ControlKind::Slider:
            ::SendMessageA(hwnd_, TBM_SETPOS, TRUE, value);
            break;
        case ControlKind::ComboBox:
            ::SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(value), 0);
            break;
        case ControlKind::ListBox:
            ::SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(value), 0);
            break;
        default:
            break;
    }
}

void Win32Control::AddItem(const std::string& item) {
    if (def_.kind == ControlKind::ComboBox) {
        ::SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    } else if (def_.kind == ControlKind::ListBox) {
        ::SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    } else if (def_.kind == ControlKind::TabStrip) {
        TCITEMA tab = {};
        tab.mask = TCIF_TEXT;
        tab.pszText = const_cast<char*>(item.c_str());
        int n = static_cast<int>(::SendMessageA(hwnd_, TCM_GETITEMCOUNT, 0, 0));
        ::SendMessageA(hwnd_, TCM_INSERTITEMA, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(&tab));
    }
}

int Win32Control::ItemCount() const {
    if (def_.kind == ControlKind::ComboBox) return static_cast<int>(::SendMessageA(hwnd_, CB_GETCOUNT, 0, 0));
    if (def_.kind == ControlKind::TabStrip) return static_cast<int>(::SendMessageA(hwnd_, TCM_GETITEMCOUNT, 0, 0));
    if (def_.kind == ControlKind::ListBox) return static_cast<int>(::SendMessageA(hwnd_, LB_GETCOUNT, 0, 0));
    return 0;
}

void Win32Control::ClearItems() {
    if (def_.kind == ControlKind::ComboBox) ::SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0);
    if (def_.kind == ControlKind::ListBox) ::SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0);
}

std::string Win32Control::Item(int index) const {
    char buf[256] = {};
    if (def_.kind == ControlKind::ComboBox) {
        if (::SendMessageA(hwnd_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0) < static_cast<LRESULT>(sizeof(buf)))
            ::SendMessageA(hwnd_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buf));
    } else if (def_.kind == ControlKind::ListBox) {
        if (::SendMessageA(hwnd_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0) < static_cast<LRESULT>(sizeof(buf)))
            ::SendMessageA(hwnd_, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buf));
    } else if (def_.kind == ControlKind::TabStrip) {
        TCITEMA tab = {};
        tab.mask = TCIF_TEXT;
        tab.pszText = buf;
        tab.cchTextMax = sizeof(buf);
        ::SendMessageA(hwnd_, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&tab));
    }
    return buf;
}

void Win32Control::SetFont(const FontSpec& font) {
    font_ = font;
    FontSpec shown = font;
    shown.size = font.size * static_cast<float>(scale_) / 100.0f;
    HFONT f = CreateFontFor(shown, (def_.style & csUnderline) != 0);
    ::SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(f), TRUE);
    if (hfont_) ::DeleteObject(hfont_);
    hfont_ = f;
}

void Win32Control::SetForeColor(Color color) {
    fore_ = color;
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void Win32Control::SetBackColor(Color color) {
    back_ = color;
    hasBack_ = true;
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

HBRUSH Win32Control::CtlColor(HDC dc) {
    const bool dark = CurrentPalette().dark;
    if (dark && DrawnBySystem(def_.kind)) {
        // Drawn in the system's light colours, then carried into the palette as a whole.
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        return ::GetSysColorBrush(COLOR_BTNFACE);
    }
    ::SetTextColor(dc, ToColorRef(fore_));
    if (hasBack_) {
        ::SetBkColor(dc, ToColorRef(back_));
        return SolidBrush(ToColorRef(back_));
    }
    // Fields take the window colours: an editable text box always (the system's own in light),
    // list and combo boxes in dark (in light they look as they always have).
    const bool field = (def_.kind == ControlKind::TextBox && !(def_.style & csReadOnly)) ||
                       (dark && (def_.kind == ControlKind::ListBox || def_.kind == ControlKind::ComboBox));
    if (field) {
        if (!dark) return nullptr;   // the system's own, as ever
        ::SetBkColor(dc, ToColorRef(SystemColor(COLOR_WINDOW)));
        return SolidBrush(ToColorRef(SystemColor(COLOR_WINDOW)));
    }
    if (def_.kind == ControlKind::Label && form_.HasBackdrop()) {
        // The window's background with its pictures, lined up with this label.
        RECT r;
        ::GetWindowRect(hwnd_, &r);
        ::MapWindowPoints(nullptr, form_.hwnd_, reinterpret_cast<POINT*>(&r), 2);
        ::SetBkMode(dc, TRANSPARENT);
        ::SetBrushOrgEx(dc, -r.left, -r.top, nullptr);
        if (HBRUSH b = form_.BackdropBrush()) return b;
    }
    ::SetBkColor(dc, form_.backColor());
    return form_.backBrush();
}

void Win32Control::PaletteChanged() {
    if (!image_.empty()) SetImage(image_);
    if (Scrolls(def_.kind)) ApplyScrollBars(hwnd_, CurrentLooks());
}

void Win32Control::SetToolTip(const std::string& tip) {
    if (!form_.tooltip_) {
        form_.tooltip_ = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                           form_.hwnd_, nullptr, form_.ui().instance(), nullptr);
    }
    TOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = form_.hwnd_;
    ti.uId = reinterpret_cast<UINT_PTR>(hwnd_);
    ti.lpszText = const_cast<char*>(tip.c_str());
    ::SendMessageA(form_.tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    ::SendMessageA(form_.tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

void Win32Control::SetImage(const std::string& resourceName) {
    image_ = resourceName;
    // The picture drawn for the palette in force, where there is one.
    std::string name = resourceName + CurrentPalette().pictures;
    if (!::FindResourceA(form_.ui().instance(), name.c_str(), reinterpret_cast<LPCSTR>(RT_BITMAP))) name = resourceName;
    HBITMAP bmp = LoadBitmapForDpi(form_.ui().instance(), name, form_.ui().Dpi());
    ::SendMessageA(hwnd_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bmp));
    if (bitmap_) ::DeleteObject(bitmap_);
    bitmap_ = bmp;
    if (form_.backdropBrush_) {
        ::DeleteObject(form_.backdropBrush_);
        form_.backdropBrush_ = nullptr;
    }
}

void Win32Control::SetHandCursor(const std::string& resourceName) {
    cursor_ = static_cast<HCURSOR>(
        ::LoadImageA(form_.ui().instance(), resourceName.c_str(), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    if (!cursor_) cursor_ = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
}

void Win32Control::Move(float left, float top, float width, float height) {
    Win32Ui& ui = form_.ui();
    if (def_.kind == ControlKind::StatusBar) {
        ::SendMessageA(hwnd_, WM_SIZE, 0, 0);   // it takes its own height at its window's bottom
        return;
    }
    int h = ui.ToPxY(height);
    if (def_.kind == ControlKind::ComboBox) h += 200;  // room for the drop-down list
    ::MoveWindow(hwnd_, ui.ToPxX(left), ui.ToPxY(top), ui.ToPxX(width), h, TRUE);
}

void Win32Control::SetRange(int lo, int hi) { ::SendMessageA(hwnd_, TBM_SETRANGE, TRUE, MAKELPARAM(lo, hi)); }

float Win32Control::Height() const {
    RECT r = {};
    ::GetWindowRect(hwnd_, &r);
    return static_cast<float>(r.bottom - r.top) * form_.ui().TwipsPerPixelY();
}

void Win32Control::SetFontScale(int percent) {
    scale_ = percent;
    SetFont(font_);
}

void Win32Control::SetPanels(const std::vector<float>& rightEdges) {
    std::vector<int> edges;
    for (float twips : rightEdges) edges.push_back(form_.ui().ToPxX(twips));
    edges.push_back(-1);
    ::SendMessageA(hwnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void Win32Control::SetPanelText(int panel, const std::string& text) {
    ::SendMessageA(hwnd_, SB_SETTEXTA, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(text.c_str()));
}

// A Unicode box's positions are UTF-16 units inside and UTF-8 byte offsets outside.
int Win32Control::SelStart() const {
    DWORD start = 0, end = 0;
    Msg(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (!unicode() || start == 0) return static_cast<int>(start);
    const std::u16string w = WideText();
    return static_cast<int>(Utf8OffsetOfUnits(w.data(), w.size(), start));
}

long Win32Control::SelStartUnits() const {
    DWORD start = 0, end = 0;
    Msg(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<long>(start);
}

void Win32Control::SetSelStart(int start) {
    if (unicode() && start > 0) {
        const std::u16string w = WideText();
        start = static_cast<int>(UnitsOfUtf8Offset(w.data(), w.size(), static_cast<size_t>(start)));
    }
    Msg(EM_SETSEL, static_cast<WPARAM>(start), start);
    Msg(EM_SCROLLCARET, 0, 0);
}

int Win32Control::SelLength() const {
    DWORD start = 0, end = 0;
    Msg(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (!unicode() || end <= start) return static_cast<int>(end - start);
    const std::u16string w = WideText();
    return static_cast<int>(Utf8OffsetOfUnits(w.data(), w.size(), end) - Utf8OffsetOfUnits(w.data(), w.size(), start));
}

void Win32Control::SetSelLength(int length) {
    DWORD start = 0, end = 0;
    Msg(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    DWORD last = start + static_cast<DWORD>(length);
    if (unicode()) {
        const std::u16string w = WideText();
        const size_t from = Utf8OffsetOfUnits(w.data(), w.size(), start);
        last = static_cast<DWORD>(UnitsOfUtf8Offset(w.data(), w.size(), from + static_cast<size_t>(length)));
    }
    Msg(EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(last));
}

std::string Win32Control::SelText() const {
    DWORD start = 0, end = 0;
    Msg(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (end <= start) return {};
    if (unicode()) {
        const std::u16string w = WideText();
        if (end > w.size()) end = static_cast<DWORD>(w.size());
        if (end <= start) return {};
        return Utf16ToUtf8(w.data() + start, end - start);
    }
    return Text().substr(start, end - start);
}

void Win32Control::SetSelText(const std::string& text) {
    if (unicode()) {
        const std::u16string wide = Utf8ToUtf16(text);
        ::SendMessageW(hwnd_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
        return;
    }
    Msg(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

long Win32Control::Send(unsigned msg, unsigned long wParam, long lParam) {
    if (unicode()) return static_cast<long>(::SendMessageW(hwnd_, msg, wParam, lParam));
    return static_cast<long>(::SendMessageA(hwnd_, msg, wParam, lParam));
}

}  // namespace pw::win32
