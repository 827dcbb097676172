// Loaded into the program under test by a WH_GETMESSAGE hook on its UI thread. Menus cannot be
// read from another process under Wine, so this DLL reads them in-process when the driver posts
// the registered query message to the main window, and sends the answer back with WM_COPYDATA.
//
// Query:  PostMessage(main, RegisterWindowMessage(kQueryName), reply_hwnd, (seq << 8) | flags)
// Answer: WM_COPYDATA to reply_hwnd with dwData = seq and text lines
//           "<depth>\t<position>\t<id>\t<flags>\t<caption>\n"
//         flags: P pop-up, S separator, G greyed/disabled, C checked, H highlighted, - none;
//         or, for the selection query, "sel\t<start>\t<end>\n"; nothing for the ping;
//         "icon\t<big>\t<small>\n" for the icon query (WM_GETICON does not cross processes
//         under Wine; the query may be posted to any window of the thread);
//         "layer\t<exstyle>\t<ok>\t<alpha>\t<flags>\n" for the layered query (hex, from
//         GetWindowLongA and GetLayeredWindowAttributes, which only answers in-process);
//         "layout" lines for the layout query (see LayoutOf; a status bar's caption is
//         "|panel 1|panel 2|...");
//         "set\t<length>\n" after setting the Edit text from the file
//         %TEMP%\pagewick-e2e-text-<seq>.txt (WM_SETTEXT of more than about 1 MB does not
//         cross processes under Wine).
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "ProbeProtocol.h"

namespace {

using namespace probe;
const UINT kMnGetHmenu = 0x01E1;  // MN_GETHMENU

UINT QueryMessage() {
  static UINT msg = RegisterWindowMessageA(kQueryName);
  return msg;
}

void DumpMenu(HMENU menu, int depth, bool init, HWND owner, std::string& out) {
  int n = GetMenuItemCount(menu);
  for (int i = 0; i < n; ++i) {
    char text[512] = {0};
    MENUITEMINFOA mii = {};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    mii.dwTypeData = text;
    mii.cch = sizeof text - 1;
    if (!GetMenuItemInfoA(menu, i, TRUE, &mii)) continue;
    std::string flags;
    if (mii.hSubMenu) flags += 'P';
    if (mii.fType & MFT_SEPARATOR) flags += 'S';
    if (mii.fState & (MFS_GRAYED | MFS_DISABLED)) flags += 'G';
    if (mii.fState & MFS_CHECKED) flags += 'C';
    if (mii.fState & MFS_HILITE) flags += 'H';
    if (flags.empty()) flags = "-";
    char head[64];
    std::snprintf(head, sizeof head, "%d\t%d\t%u\t", depth, i, mii.hSubMenu ? 0u : mii.wID);
    out += head;
    out += flags;
    out += '\t';
    for (const char* p = text; *p; ++p) out += (*p == '\n' || *p == '\r') ? ' ' : *p;
    out += '\n';
    if (mii.hSubMenu) {
      if (init) SendMessageA(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(mii.hSubMenu), MAKELPARAM(i, FALSE));
      DumpMenu(mii.hSubMenu, depth + 1, init, owner, out);
    }
  }
}

BOOL CALLBACK CollectPopup(HWND hwnd, LPARAM lp) {
  char cls[32];
  if (GetClassNameA(hwnd, cls, sizeof cls) && lstrcmpA(cls, "#32768") == 0 && IsWindowVisible(hwnd)) {
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(hwnd, kMnGetHmenu, 0, 0));
    if (menu) DumpMenu(menu, 0, false, nullptr, *reinterpret_cast<std::string*>(lp));
  }
  return TRUE;
}

BOOL CALLBACK FindEdit(HWND hwnd, LPARAM lp) {
  char cls[32];
  if (GetClassNameA(hwnd, cls, sizeof cls) && lstrcmpiA(cls, "Edit") == 0) {
    *reinterpret_cast<HWND*>(lp) = hwnd;
    return FALSE;
  }
  return TRUE;
}

int IconSize(HICON icon) {
  ICONINFO ii = {};
  if (!icon || !GetIconInfo(icon, &ii)) return 0;
  BITMAP bm = {};
  GetObjectA(ii.hbmColor ? ii.hbmColor : ii.hbmMask, sizeof bm, &bm);
  if (ii.hbmColor) DeleteObject(ii.hbmColor);
  if (ii.hbmMask) DeleteObject(ii.hbmMask);
  return bm.bmWidth;
}

// How far right the caption's pixels reach when drawn in that font (may exceed the metrics).
int InkWidth(HDC like, const char* text, const RECT& calc) {
  const int w = calc.right - calc.left + 32, h = calc.bottom - calc.top + 4;
  HDC dc = CreateCompatibleDC(like);
  HBITMAP bmp = CreateCompatibleBitmap(like, w, h);
  HGDIOBJ oldBmp = SelectObject(dc, bmp);
  HGDIOBJ oldFont = SelectObject(dc, GetCurrentObject(like, OBJ_FONT));
  RECT r = {0, 0, w, h};
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetBkMode(dc, TRANSPARENT);
  DrawTextA(dc, text, -1, &r, DT_EXPANDTABS | DT_NOCLIP);
  int right = 0;
  for (int y = 0; y < h; ++y)
    for (int x = w - 1; x >= right; --x)
      if ((GetPixel(dc, x, y) & 0xFFFFFF) != 0xFFFFFF) {
        right = x + 1;
        break;
      }
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBmp);
  DeleteObject(bmp);
  DeleteDC(dc);
  return right;
}

BOOL CALLBACK LayoutChild(HWND hwnd, LPARAM lp) {
  auto* out = reinterpret_cast<std::string*>(lp);
  if (!IsWindowVisible(hwnd)) return TRUE;   // only what the user sees (a wizard hides its other steps)
  HWND parent = GetParent(hwnd);
  char cls[64] = {}, text[1024] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  GetWindowTextA(hwnd, text, sizeof text);
  if (lstrcmpiA(cls, STATUSCLASSNAMEA) == 0) {
    // A status bar's caption is its panels' texts, each after a '|'.
    std::string panels;
    const int n = static_cast<int>(SendMessageA(hwnd, SB_GETPARTS, 0, 0));
    for (int i = 0; i < n && i < 16; ++i) {
      char part[256] = {};
      if (LOWORD(SendMessageA(hwnd, SB_GETTEXTLENGTHA, i, 0)) < sizeof part)
        SendMessageA(hwnd, SB_GETTEXTA, i, reinterpret_cast<LPARAM>(part));
      panels += '|';
      panels += part;
    }
    lstrcpynA(text, panels.c_str(), sizeof text);
  }
  RECT r;
  GetWindowRect(hwnd, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  // What the caption needs in the control's font, each line as written: the wider of its
  // metrics and the pixels it really covers.
  RECT need = {0, 0, 0, 0};
  if (text[0]) {
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
    TEXTMETRICA tm = {};
    GetTextMetricsA(dc, &tm);
    RECT box;
    GetClientRect(hwnd, &box);
    if (lstrcmpiA(cls, "Static") == 0 && box.bottom >= 2 * tm.tmHeight) {
      // A label with room for several lines wraps at its width.
      need.right = box.right;
      DrawTextA(dc, text, -1, &need, DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK | DT_NOCLIP);
    } else {
      DrawTextA(dc, text, -1, &need, DT_CALCRECT | DT_EXPANDTABS | DT_NOCLIP);
      const int ink = InkWidth(dc, text, need);
      if (ink > need.right - need.left) need.right = need.left + ink;
    }
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
  }
  if (lstrcmpiA(cls, "SysTabControl32") == 0) {
    // A tab strip needs the room of its row of tabs.
    const int n = static_cast<int>(SendMessageA(hwnd, TCM_GETITEMCOUNT, 0, 0));
    RECT last = {};
    if (n > 0 && SendMessageA(hwnd, TCM_GETITEMRECT, static_cast<WPARAM>(n - 1), reinterpret_cast<LPARAM>(&last)))
      need.right = need.left + last.right;
  }
  int bw = 0, bh = 0;
  LONG style = GetWindowLongA(hwnd, GWL_STYLE);
  if (lstrcmpiA(cls, "Static") == 0 && (style & SS_TYPEMASK) == SS_BITMAP) {
    HBITMAP bmp = reinterpret_cast<HBITMAP>(SendMessageA(hwnd, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP bm = {};
    if (bmp && GetObjectA(bmp, sizeof bm, &bm)) bw = bm.bmWidth, bh = bm.bmHeight;
  }
  RECT pc;
  GetClientRect(parent, &pc);
  for (char* p = text; *p; ++p)
    if (*p == '\r' || *p == '\n' || *p == '\t') *p = ' ';
  char line[1400];
  std::snprintf(line, sizeof line, "ctl\t%d\t%s\t%ld\t%ld\t%ld\t%ld\t%ld\t%ld\t%d\t%d\t%lx\t%s\n",
                GetDlgCtrlID(hwnd), cls, r.left, r.top, r.right - r.left, r.bottom - r.top,
                need.right - need.left, need.bottom - need.top, bw, bh, static_cast<unsigned long>(style), text);
  *out += line;
  return TRUE;
}

// "win\t<dpi>\t<client w>\t<client h>\t<big icon px>\t<small icon px>\n", then per child
// "ctl\t<id>\t<class>\t<x>\t<y>\t<w>\t<h>\t<text w>\t<text h>\t<bitmap w>\t<bitmap h>\t<style hex>\t<text>\n".
void LayoutOf(HWND target, std::string& out) {
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  RECT rc;
  GetClientRect(target, &rc);
  char head[128];
  std::snprintf(head, sizeof head, "win\t%d\t%ld\t%ld\t%d\t%d\n", dpi, rc.right, rc.bottom,
                IconSize(reinterpret_cast<HICON>(SendMessageA(target, WM_GETICON, ICON_BIG, 0))),
                IconSize(reinterpret_cast<HICON>(SendMessageA(target, WM_GETICON, ICON_SMALL, 0))));
  out = head;
  EnumChildWindows(target, LayoutChild, reinterpret_cast<LPARAM>(&out));
}

void Answer(HWND target, HWND reply, unsigned seq, unsigned flags) {
  std::string out;
  if (flags & kLayout) {
    LayoutOf(target, out);
  } else if (flags & kIcons) {
    char line[64];
    std::snprintf(line, sizeof line, "icon\t%lx\t%lx\n",
                  static_cast<unsigned long>(SendMessageA(target, WM_GETICON, ICON_BIG, 0)),
                  static_cast<unsigned long>(SendMessageA(target, WM_GETICON, ICON_SMALL, 0)));
    out = line;
  } else if (flags & kLayered) {
    BYTE alpha = 0;
    DWORD lwa = 0;
    COLORREF key = 0;
    const BOOL ok = GetLayeredWindowAttributes(target, &key, &alpha, &lwa);
    char line[96];
    std::snprintf(line, sizeof line, "layer\t%lx\t%d\t%x\t%lx\n",
                  static_cast<unsigned long>(GetWindowLongA(target, GWL_EXSTYLE)), ok ? 1 : 0, alpha,
                  static_cast<unsigned long>(lwa));
    out = line;
  } else if (flags & kSetText) {
    HWND edit = nullptr;
    EnumChildWindows(target, FindEdit, reinterpret_cast<LPARAM>(&edit));
    char tmp[MAX_PATH];
    GetTempPathA(sizeof tmp, tmp);
    char path[MAX_PATH + 64];
    std::snprintf(path, sizeof path, "%spagewick-e2e-text-%u.txt", tmp, seq);
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (edit && h != INVALID_HANDLE_VALUE) {
      DWORD size = GetFileSize(h, nullptr), got = 0;
      std::string text(size, '\0');
      if (size) ReadFile(h, &text[0], size, &got, nullptr);
      text.resize(got);
      SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
      char line[64];
      std::snprintf(line, sizeof line, "set\t%lu\n", static_cast<unsigned long>(got));
      out = line;
    }
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  } else if (flags & kPing) {
    // Nothing to report: the answer itself says the queue got this far.
  } else if (flags & kSelection) {
    HWND edit = nullptr;
    EnumChildWindows(target, FindEdit, reinterpret_cast<LPARAM>(&edit));
    DWORD start = 0, end = 0;
    if (edit) SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    char line[64];
    std::snprintf(line, sizeof line, "sel\t%lu\t%lu\n", static_cast<unsigned long>(start),
                  static_cast<unsigned long>(end));
    out = edit ? line : "";
  } else if (flags & kOpenPopups) {
    EnumThreadWindows(GetCurrentThreadId(), CollectPopup, reinterpret_cast<LPARAM>(&out));
  } else {
    HMENU bar = GetMenu(target);
    if (bar) DumpMenu(bar, 0, (flags & kInitPopups) != 0, target, out);
  }
  COPYDATASTRUCT cds;
  cds.dwData = seq;
  cds.cbData = static_cast<DWORD>(out.size());
  cds.lpData = out.empty() ? nullptr : &out[0];
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(reply, WM_COPYDATA, reinterpret_cast<WPARAM>(target), reinterpret_cast<LPARAM>(&cds),
                      SMTO_NORMAL, 5000, &ignored);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK PwGetMsgProc(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HC_ACTION && wparam == PM_REMOVE) {
    MSG* msg = reinterpret_cast<MSG*>(lparam);
    if (msg->message == QueryMessage() && msg->message != 0) {
      unsigned seq = static_cast<unsigned>(msg->lParam) >> 8;
      unsigned flags = static_cast<unsigned>(msg->lParam) & 0xFF;
      // A ping answers once the keys and clicks sent before it are worked through too: a
      // queue hands out posted messages before input, so the ping goes to the back again
      // while input is waiting (a bounded number of times).
      static unsigned deferredSeq = 0, deferrals = 0;
      if (flags == kPing && HIWORD(GetQueueStatus(QS_INPUT)) != 0) {
        if (deferredSeq != seq) deferredSeq = seq, deferrals = 0;
        if (++deferrals < 500 && PostMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam)) {
          msg->message = WM_NULL;
          return CallNextHookEx(nullptr, code, wparam, lparam);
        }
      }
      Answer(msg->hwnd, reinterpret_cast<HWND>(msg->wParam), seq, flags);
      msg->message = WM_NULL;  // the program never sees the query
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
