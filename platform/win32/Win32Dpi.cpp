// The form host at any DPI: pictures redrawn for the screen's DPI, controls widened where
// their text outgrows them, and labels that show the backdrop picture around their text.
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/FitLayout.h"
#include "platform/win32/Win32Ui.h"

#include <commctrl.h>

namespace pw::win32 {

namespace {

// How far right the text's pixels actually reach when drawn. Glyphs may be drawn wider than
// the font's metrics say (Wine's renderer at some sizes does), so the metrics alone would
// leave the last letter cut off.
int InkWidth(HDC like, const char* text, const RECT& calc) {
    const int w = calc.right - calc.left + 32, h = calc.bottom - calc.top + 4;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bmp = ::CreateDIBSection(like, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bmp) return 0;
    HDC dc = ::CreateCompatibleDC(like);
    HGDIOBJ oldBmp = ::SelectObject(dc, bmp);
    HGDIOBJ oldFont = ::SelectObject(dc, ::GetCurrentObject(like, OBJ_FONT));
    RECT r = {0, 0, w, h};
    ::FillRect(dc, &r, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkMode(dc, TRANSPARENT);
    ::DrawTextA(dc, text, -1, &r, DT_EXPANDTABS | DT_NOCLIP);
    ::GdiFlush();
    int right = 0;
    const auto* px = static_cast<const DWORD*>(bits);
    for (int y = 0; y < h; ++y)
        for (int x = w - 1; x >= right; --x)
            if ((px[y * w + x] & 0xFFFFFF) != 0xFFFFFF) {
                right = x + 1;
                break;
            }
    ::SelectObject(dc, oldFont);
    ::SelectObject(dc, oldBmp);
    ::DeleteDC(dc);
    ::DeleteObject(bmp);
    return right;
}

int CheckBoxRoom(int dpi) { return ::MulDiv(12, dpi, 96) + 1 + ::MulDiv(4, dpi, 96); }

// What a control's caption needs in pixels with the control's own font; 0 x 0 for kinds
// whose text the host does not fit.
SIZE TextNeed(HWND hwnd, ControlKind kind, int dpi) {
    SIZE need = {0, 0};
    if (kind == ControlKind::TabStrip) {
        // The row of tabs, as wide as their captions make them.
        const int n = static_cast<int>(::SendMessageA(hwnd, TCM_GETITEMCOUNT, 0, 0));
        RECT last = {};
        if (n > 0 && ::SendMessageA(hwnd, TCM_GETITEMRECT, static_cast<WPARAM>(n - 1), reinterpret_cast<LPARAM>(&last)))
            need.cx = last.right + ::MulDiv(2, dpi, 96);
        return need;
    }
    if (kind != ControlKind::Label && kind != ControlKind::CheckBox && kind != ControlKind::Button) return need;
    char text[1024] = {};
    ::GetWindowTextA(hwnd, text, sizeof(text));
    if (!text[0]) return need;
    HDC dc = ::GetDC(hwnd);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(hwnd, WM_GETFONT, 0, 0)));
    RECT box;
    ::GetClientRect(hwnd, &box);
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(dc, &tm);
    RECT r = {0, 0, 0, 0};
    if (kind == ControlKind::Label && box.bottom >= 2 * tm.tmHeight) {
        // A label made for several lines wraps its text at its width, as it shows it: it
        // needs the height of the wrapped text (and more width only for a word longer than
        // a line).
        r.right = box.right;
        ::DrawTextA(dc, text, -1, &r, DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK | DT_NOCLIP);
        need.cx = r.right - r.left;
    } else {
        // One line, or the caption's own lines, none wrapped.
        ::DrawTextA(dc, text, -1, &r, DT_CALCRECT | DT_EXPANDTABS | DT_NOCLIP);
        need.cx = std::max(static_cast<int>(r.right - r.left), InkWidth(dc, text, r));
    }
    need.cy = r.bottom - r.top;
    ::SelectObject(dc, old);
    ::ReleaseDC(hwnd, dc);
    if (kind == ControlKind::CheckBox) {
        // The check mark's box and the gap before the text.
        need.cx += CheckBoxRoom(dpi);
    } else if (kind == ControlKind::Button) {
        need.cx += ::MulDiv(12, dpi, 96);
        need.cy += ::MulDiv(6, dpi, 96);
    }
    return need;
}

}  // namespace

int Win32Ui::Dpi() const { return static_cast<int>(std::lround(1440.0f / tppY_)); }

HBITMAP LoadBitmapForDpi(HINSTANCE instance, const std::string& name, int dpi) {
    auto src = static_cast<HBITMAP>(::LoadImageA(instance, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!src || dpi == 96) return src;
    BITMAP bm = {};
    ::GetObjectA(src, sizeof(bm), &bm);
    const int w = ::MulDiv(bm.bmWidth, dpi, 96), h = ::MulDiv(bm.bmHeight, dpi, 96);
    HDC screen = ::GetDC(nullptr);
    HDC from = ::CreateCompatibleDC(screen);
    HDC to = ::CreateCompatibleDC(screen);
    HBITMAP out = ::CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ oldFrom = ::SelectObject(from, src);
    HGDIOBJ oldTo = ::SelectObject(to, out);
    // Averaging instead of dropping or doubling pixels keeps the drawings smooth.
    ::SetStretchBltMode(to, HALFTONE);
    ::SetBrushOrgEx(to, 0, 0, nullptr);
    ::StretchBlt(to, 0, 0, w, h, from, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    ::SelectObject(from, oldFrom);
    ::SelectObject(to, oldTo);
    ::DeleteDC(from);
    ::DeleteDC(to);
    ::ReleaseDC(nullptr, screen);
    ::DeleteObject(src);
    return out;
}

void Win32Form::FitToText() {
    const int dpi = ui_.Dpi();
    std::vector<FitBox> boxes;
    std::vector<HWND> windows;
    for (auto& c : controls_) {
        RECT r;
        ::GetWindowRect(c->hwnd(), &r);
        ::MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
        SIZE need = TextNeed(c->hwnd(), c->def().kind, dpi);
        boxes.push_back({r.left, r.top, r.right - r.left, r.bottom - r.top, static_cast<int>(need.cx),
                         static_cast<int>(need.cy)});
        windows.push_back(c->hwnd());
    }
    std::vector<FitBox> fitted = boxes;
    FitBoxesToText(fitted);
    int right = 0, bottom = 0, fittedRight = 0, fittedBottom = 0;
    for (size_t i = 0; i < fitted.size(); ++i) {
        const FitBox& a = boxes[i];
        const FitBox& b = fitted[i];
        if (a.left != b.left || a.width != b.width || a.height != b.height)
            ::MoveWindow(windows[i], b.left, b.top, b.width, b.height, TRUE);
        right = std::max(right, a.left + a.width);
        bottom = std::max(bottom, a.top + a.height);
        fittedRight = std::max(fittedRight, b.left + b.width);
        fittedBottom = std::max(fittedBottom, b.top + b.height);
    }
    // Controls pushed past the window's edge: the window grows by as much, so they keep the
    // margin the design gave them.
    RECT client;
    ::GetClientRect(hwnd_, &client);
    const int growX = fittedRight > client.right ? fittedRight - std::max(right, static_cast<int>(client.right)) : 0;
    const int growY = fittedBottom > client.bottom ? fittedBottom - std::max(bottom, static_cast<int>(client.bottom)) : 0;
    if (growX > 0 || growY > 0) {
        RECT outer;
        ::GetWindowRect(hwnd_, &outer);
        ::SetWindowPos(hwnd_, nullptr, 0, 0, outer.right - outer.left + std::max(0, growX),
                       outer.bottom - outer.top + std::max(0, growY), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

bool Win32Form::HasBackdrop() const {
    for (auto& c : controls_)
        if ((c->def().style & csBackdrop) && c->bitmap_) return true;
    return false;
}

HBRUSH Win32Form::BackdropBrush() {
    if (backdropBrush_) return backdropBrush_;
    RECT client;
    ::GetClientRect(hwnd_, &client);
    if (client.right <= 0 || client.bottom <= 0) return nullptr;
    HDC screen = ::GetDC(nullptr);
    HDC to = ::CreateCompatibleDC(screen);
    HDC from = ::CreateCompatibleDC(screen);
    if (backdropBitmap_) ::DeleteObject(backdropBitmap_);
    backdropBitmap_ = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ oldTo = ::SelectObject(to, backdropBitmap_);
    ::FillRect(to, &client, backBrush());
    for (auto& c : controls_) {
        if (!(c->def().style & csBackdrop) || !c->bitmap_) continue;
        RECT r;
        ::GetWindowRect(c->hwnd(), &r);
        ::MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
        BITMAP bm = {};
        ::GetObjectA(c->bitmap_, sizeof(bm), &bm);
        HGDIOBJ oldFrom = ::SelectObject(from, c->bitmap_);
        ::BitBlt(to, r.left, r.top, bm.bmWidth, bm.bmHeight, from, 0, 0, SRCCOPY);
        ::SelectObject(from, oldFrom);
    }
    ::SelectObject(to, oldTo);
    ::DeleteDC(from);
    ::DeleteDC(to);
    ::ReleaseDC(nullptr, screen);
    backdropBrush_ = ::CreatePatternBrush(backdropBitmap_);
    return backdropBrush_;
}

}  // namespace pw::win32
