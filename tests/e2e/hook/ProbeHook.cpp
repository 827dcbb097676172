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
//         "set\t<length>\n" after setting the Edit text from the file
//         %TEMP%\pagewick-e2e-text-<seq>.txt (WM_SETTEXT of more than about 1 MB does not
//         cross processes under Wine).
#include <windows.h>

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

void Answer(HWND target, HWND reply, unsigned seq, unsigned flags) {
  std::string out;
  if (flags & kIcons) {
    char line[64];
    std::snprintf(line, sizeof line, "icon\t%lx\t%lx\n",
                  static_cast<unsigned long>(SendMessageA(target, WM_GETICON, ICON_BIG, 0)),
                  static_cast<unsigned long>(SendMessageA(target, WM_GETICON, ICON_SMALL, 0)));
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
      Answer(msg->hwnd, reinterpret_cast<HWND>(msg->wParam), seq, flags);
      msg->message = WM_NULL;  // the program never sees the query
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
