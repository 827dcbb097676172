// Controls whose looks the system keeps to itself (push buttons, check boxes, group boxes, the
// tab strip, the slider, the status bar) under a dark palette: each paints itself as usual,
// in the system's light colours, into a bitmap, which is carried into the palette pixel by
// pixel (PixelMap) and then shown. The same on every Windows and under Wine; under a light
// palette they paint as they always have.
#include "platform/win32/Win32Ui.h"

#include <commctrl.h>

namespace pw::win32 {

namespace {

PixelMap MapInForce() {
    PixelMap m;
    const Palette& p = CurrentPalette();
    auto grey = [](COLORREF c) { return (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100; };
    m.lightFace = grey(::GetSysColor(COLOR_BTNFACE));
    m.lightText = grey(::GetSysColor(COLOR_BTNTEXT));
    m.darkFace = grey(ToColorRef(p.system[kColorBtnFace]));
    m.darkText = grey(ToColorRef(p.system[kColorBtnText]));
    return m;
}

void PaintMapped(HWND h) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(h, &ps);
    RECT rc;
    ::GetClientRect(h, &rc);
    const int w = rc.right, ht = rc.bottom;
    if (w > 0 && ht > 0) {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -ht;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP bmp = ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bmp) {
            HDC mem = ::CreateCompatibleDC(dc);
            HGDIOBJ old = ::SelectObject(mem, bmp);
            ::FillRect(mem, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
            ::DefSubclassProc(h, WM_PAINT, reinterpret_cast<WPARAM>(mem), 0);
            ::GdiFlush();
            const PixelMap map = MapInForce();
            auto* px = static_cast<DWORD*>(bits);
            for (int i = 0, n = w * ht; i < n; ++i) px[i] = map.Map(px[i]);
            ::BitBlt(dc, 0, 0, w, ht, mem, 0, 0, SRCCOPY);
            ::SelectObject(mem, old);
            ::DeleteDC(mem);
            ::DeleteObject(bmp);
        }
    }
    ::EndPaint(h, &ps);
}

// Messages after which a control may have drawn a part of itself straight onto the screen
// (focus, a press, a check, a move of the thumb): it is painted again through the bitmap.
bool MayDrawDirectly(UINT msg) {
    switch (msg) {
        case WM_SETFOCUS: case WM_KILLFOCUS: case WM_ENABLE: case WM_SETTEXT:
        case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK: case WM_MOUSEMOVE: case WM_MOUSELEAVE:
        case WM_KEYDOWN: case WM_KEYUP: case WM_CAPTURECHANGED: case WM_UPDATEUISTATE:
        case BM_SETCHECK: case BM_SETSTATE: case BM_SETSTYLE: case BM_CLICK:
        case TBM_SETPOS: case TBM_SETRANGE: case TCM_SETCURSEL: case SB_SETTEXTA: case SB_SETTEXTW: case SB_SETPARTS:
            return true;
        default:
            return false;
    }
}

LRESULT CALLBACK DarkProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (!CurrentPalette().dark) return ::DefSubclassProc(h, msg, wParam, lParam);
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;   // the paint covers the whole control
        case WM_PAINT:
            if (wParam) break;   // a paint into a given surface: as asked
            PaintMapped(h);
            return 0;
        default:
            break;
    }
    const LRESULT r = ::DefSubclassProc(h, msg, wParam, lParam);
    if (MayDrawDirectly(msg) && ::IsWindow(h)) ::InvalidateRect(h, nullptr, FALSE);
    return r;
}

}  // namespace

bool DrawnBySystem(ControlKind kind) {
    switch (kind) {
        case ControlKind::Button: case ControlKind::CheckBox: case ControlKind::Frame:
        case ControlKind::TabStrip: case ControlKind::Slider: case ControlKind::StatusBar:
            return true;
        default:
            return false;
    }
}

void PaintDarkWhenAsked(HWND control) { ::SetWindowSubclass(control, &DarkProc, 2, 0); }

}  // namespace pw::win32
