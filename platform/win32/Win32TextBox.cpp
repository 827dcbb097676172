// What a text box tells its form besides its own notifications: that its caret or selection
// may have moved (an edit control reports no such change), and Ctrl with the mouse wheel,
// which the form's events decide about. Its overlay paints after it and is asked before its
// context menu.
#include <windowsx.h>

#include <algorithm>

#include "platform/win32/Win32Ui.h"
#include "platform/win32/WideText.h"

namespace pw::win32 {

namespace {

const char* const kBoxProp = "PagewickTextBox";
const char* const kBoxOldProcProp = "PagewickTextBoxProc";

// Messages after which the caret may stand elsewhere: keys, the mouse, and the program's own
// changes of the text or the selection.
bool MayMoveCaret(UINT msg, WPARAM wParam) {
    switch (msg) {
        case WM_KEYDOWN: case WM_CHAR: case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
        case EM_SETSEL: case EM_REPLACESEL: case WM_SETTEXT: case WM_UNDO: case EM_UNDO:
        case WM_CUT: case WM_PASTE: case WM_CLEAR:
            return true;
        case WM_MOUSEMOVE:
            return (wParam & MK_LBUTTON) != 0;
        default:
            return false;
    }
}

// The box's client area, drawn on outside a paint, in the box's font; the device context is
// taken only when something is measured or drawn. The caret is hidden meanwhile (it is drawn
// inverted and would leave a trace).
class BoxCanvas : public IBoxCanvas {
public:
    // paint: the context of the box's paint (its caret hidden already), or none.
    explicit BoxCanvas(HWND box, HDC paint = nullptr) : box_(box), dc_(paint), own_(paint == nullptr) {
        if (dc_) UseBoxFont();
    }
    ~BoxCanvas() override {
        if (!dc_) return;
        if (old_) ::SelectObject(dc_, old_);
        if (pen_) ::DeleteObject(pen_);
        if (!own_) return;
        ::ReleaseDC(box_, dc_);
        ::ShowCaret(box_);
    }
    int LineHeight() override {
        TEXTMETRICW tm{};
        return ::GetTextMetricsW(Dc(), &tm) ? static_cast<int>(tm.tmHeight) : 16;
    }
    int TextWidth(const std::u16string& text) override {
        SIZE size{};
        ::GetTextExtentPoint32W(Dc(), reinterpret_cast<const wchar_t*>(text.c_str()), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    }
    void CharEnds(const std::u16string& text, std::vector<int>& ends) override {
        ends.assign(text.size(), 0);
        SIZE size{};
        if (text.empty() ||
            !::GetTextExtentExPointW(Dc(), reinterpret_cast<const wchar_t*>(text.c_str()), static_cast<int>(text.size()),
                                     0, nullptr, ends.data(), &size))
            ends.clear();
    }
    int WidestChar() override {
        TEXTMETRICW tm{};
        return ::GetTextMetricsW(Dc(), &tm) ? static_cast<int>(tm.tmMaxCharWidth) : 16;
    }
    void WavyLine(int x, int y, int width) override {
        if (width <= 0) return;
        HDC dc = Dc();
        if (!pen_) pen_ = ::CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
        HGDIOBJ old = ::SelectObject(dc, pen_);
        std::vector<POINT> points;
        for (int i = 0; i <= width; i += 2) points.push_back({x + i, (i / 2) % 2 ? y - 2 : y});
        ::Polyline(dc, points.data(), static_cast<int>(points.size()));
        ::SelectObject(dc, old);
    }

private:
    HDC Dc() {
        if (dc_) return dc_;
        dc_ = ::GetDC(box_);
        ::HideCaret(box_);
        UseBoxFont();
        return dc_;
    }
    void UseBoxFont() {
        if (HFONT font = reinterpret_cast<HFONT>(::SendMessageW(box_, WM_GETFONT, 0, 0))) old_ = ::SelectObject(dc_, font);
    }
    HWND box_;
    HDC dc_ = nullptr;
    bool own_ = true;
    HGDIOBJ old_ = nullptr;
    HPEN pen_ = nullptr;
};

// Messages after which the box may have drawn itself outside a paint.
bool MayDrawOutsidePaint(UINT msg, WPARAM wParam) {
    return MayMoveCaret(msg, wParam) || msg == WM_SETFOCUS || msg == WM_KILLFOCUS || msg == WM_KEYUP;
}

template <bool Wide>
LRESULT CALLBACK TextBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* box = static_cast<Win32Control*>(::GetPropA(hwnd, kBoxProp));
    auto old = reinterpret_cast<WNDPROC>(::GetPropA(hwnd, kBoxOldProcProp));
    const auto call = [&] {
        return Wide ? ::CallWindowProcW(old, hwnd, msg, wParam, lParam) : ::CallWindowProcA(old, hwnd, msg, wParam, lParam);
    };
    if (msg == WM_NCDESTROY || !box) {
        if (msg == WM_NCDESTROY) {
            if (Wide) ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
            else ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
            ::RemovePropA(hwnd, kBoxProp);
            ::RemovePropA(hwnd, kBoxOldProcProp);
        }
        return call();
    }
    if (msg == WM_MOUSEWHEEL && (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL)) {
        long result = 0;
        if (box->Events().Message(msg, static_cast<unsigned long>(wParam), static_cast<long>(lParam), result))
            return result;
    }
    if (msg == WM_CONTEXTMENU && box->overlay()) {
        const bool atPoint = lParam != -1;
        POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (atPoint) ::ScreenToClient(hwnd, &pt);
        if (box->overlay()->ContextMenu(pt.x, pt.y, atPoint)) return 0;
    }
    if (msg == WM_PAINT && wParam == 0 && box->overlay()) {
        // The box paints into this paint's context, and the overlay after it, before the
        // paint ends: the screen takes both at once, within what the paint covers.
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd, &ps);
        const WPARAM given = reinterpret_cast<WPARAM>(dc);
        const LRESULT r = Wide ? ::CallWindowProcW(old, hwnd, msg, given, lParam) : ::CallWindowProcA(old, hwnd, msg, given, lParam);
        if (IBoxOverlay* overlay = box->overlay()) {
            BoxCanvas canvas(hwnd, dc);
            overlay->Painted(canvas);
        }
        ::EndPaint(hwnd, &ps);
        return r;
    }
    const LRESULT r = call();
    if (IBoxOverlay* overlay = box->overlay()) {
        if (msg == WM_PAINT) {
            BoxCanvas canvas(hwnd);
            overlay->Painted(canvas);
        } else if (MayDrawOutsidePaint(msg, wParam)) {
            BoxCanvas canvas(hwnd);
            overlay->Drawn(canvas);
        }
    }
    if (MayMoveCaret(msg, wParam)) box->Events().SelChange(box->def().id);
    return r;
}

}  // namespace

void Win32Form::WatchTextBox(Win32Control& box) {
    HWND h = box.hwnd();
    ::SetPropA(h, kBoxProp, &box);
    LONG_PTR old;
    if (::IsWindowUnicode(h))
        old = ::SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TextBoxProc<true>));
    else
        old = ::SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TextBoxProc<false>));
    ::SetPropA(h, kBoxOldProcProp, reinterpret_cast<HANDLE>(old));
}

std::u16string Win32Control::LineText(int line) const {
    const LRESULT start = ::SendMessageW(hwnd_, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
    if (start < 0) return {};
    const LRESULT length = ::SendMessageW(hwnd_, EM_LINELENGTH, static_cast<WPARAM>(start), 0);
    // EM_GETLINE reads the buffer's size from its first unit.
    std::u16string text(static_cast<std::size_t>(length < 1 ? 1 : length) + 1, u'\0');
    text[0] = static_cast<char16_t>(text.size() > 0xFFFF ? 0xFFFF : text.size());
    const LRESULT got = ::SendMessageW(hwnd_, EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

std::u16string Win32Control::TextFrom(long start, long count) const {
    const long length = static_cast<long>(::SendMessageW(hwnd_, WM_GETTEXTLENGTH, 0, 0));
    if (start < 0 || start >= length || count <= 0) return {};
    count = std::min(count, length - start);
    // A multi-line box hands out its own buffer: the text without a copy of all of it.
    if (unicode() && (def_.style & csMultiLine)) {
        if (HLOCAL buffer = reinterpret_cast<HLOCAL>(::SendMessageW(hwnd_, EM_GETHANDLE, 0, 0))) {
            if (const auto* chars = static_cast<const char16_t*>(::LocalLock(buffer))) {
                std::u16string text(chars + start, chars + start + count);
                ::LocalUnlock(buffer);
                return text;
            }
        }
    }
    return WideText().substr(static_cast<std::size_t>(start), static_cast<std::size_t>(count));
}

bool Win32Control::HasSelection() const {
    DWORD start = 0, end = 0;
    Msg(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return end > start;
}

PixelRect Win32Control::ClientPixels() const {
    RECT r{};
    ::GetClientRect(hwnd_, &r);
    return {r.left, r.top, r.right, r.bottom};
}

void Win32Control::PaintOverlay() {
    if (!overlay_) return;
    BoxCanvas canvas(hwnd_);
    overlay_->Painted(canvas);
}

void Win32Control::Invalidate(const PixelRect& area) {
    const RECT r = {area.left, area.top, area.right, area.bottom};
    ::InvalidateRect(hwnd_, &r, TRUE);
}

int Win32Control::PopupMenu(const std::vector<PopupEntry>& entries, int x, int y) {
    HMENU menu = ::CreatePopupMenu();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].caption == "-") {
            ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        ::AppendMenuW(menu, MF_STRING | (entries[i].enabled ? 0u : MF_GRAYED), static_cast<UINT_PTR>(i + 1),
                      Wide(entries[i].caption).c_str());
    }
    POINT pt = {x, y};
    ::ClientToScreen(hwnd_, &pt);
    const int chosen = static_cast<int>(::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                                                         pt.x, pt.y, 0, hwnd_, nullptr));
    ::DestroyMenu(menu);
    return chosen - 1;
}

}  // namespace pw::win32
