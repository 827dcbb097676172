// Finding windows of another process, their text, keys, message boxes, shell and session
// messages.
#include "driver/Driver.h"

namespace e2e {

std::string ClassOf(HWND hwnd) {
  char buf[256];
  int n = GetClassNameA(hwnd, buf, sizeof buf);
  return std::string(buf, n > 0 ? n : 0);
}

DWORD ProcessOf(HWND hwnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  return pid;
}

bool IsShown(HWND hwnd) { return IsWindow(hwnd) && IsWindowVisible(hwnd); }

static std::string CaptionOf(HWND hwnd) {
  // Top-level captions are kept by the window manager side: GetWindowTextA works across
  // processes for them without sending anything.
  char buf[1024];
  int n = GetWindowTextA(hwnd, buf, sizeof buf);
  return std::string(buf, n > 0 ? n : 0);
}

static bool Matches(HWND hwnd, const WindowQuery& q) {
  if (q.pid && ProcessOf(hwnd) != q.pid) return false;
  if (!q.class_name.empty() && ClassOf(hwnd) != q.class_name) return false;
  if (q.visibility == Visibility::Visible && !IsWindowVisible(hwnd)) return false;
  if (q.visibility == Visibility::Hidden && IsWindowVisible(hwnd)) return false;
  if (q.owner && GetWindow(hwnd, GW_OWNER) != q.owner) return false;
  if (!q.caption.empty() && CaptionOf(hwnd) != q.caption) return false;
  return true;
}

namespace {
struct TopCtx {
  const WindowQuery* q;
  std::vector<HWND> found;
};
BOOL CALLBACK CollectTop(HWND hwnd, LPARAM lp) {
  TopCtx* c = reinterpret_cast<TopCtx*>(lp);
  if (Matches(hwnd, *c->q)) c->found.push_back(hwnd);
  return TRUE;
}
struct ChildCtx {
  const std::string* cls;
  const std::string* cap;
  HWND found;
};
BOOL CALLBACK FirstChild(HWND hwnd, LPARAM lp) {
  ChildCtx* c = reinterpret_cast<ChildCtx*>(lp);
  if (!c->cls->empty() && ClassOf(hwnd) != *c->cls) return TRUE;
  if (!c->cap->empty() && GetText(hwnd, 2000) != *c->cap) return TRUE;
  c->found = hwnd;
  return FALSE;
}
}  // namespace

std::vector<HWND> FindTopWindows(const WindowQuery& q) {
  TopCtx ctx{&q, {}};
  EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&ctx));
  return ctx.found;
}

HWND FindTopWindow(const WindowQuery& q) {
  std::vector<HWND> all = FindTopWindows(q);
  return all.empty() ? nullptr : all.front();
}

HWND WaitTopWindow(const WindowQuery& q, DWORD timeout_ms) {
  HWND found = nullptr;
  WaitFor([&] { return (found = FindTopWindow(q)) != nullptr; }, timeout_ms, 10);
  return found;
}

bool WaitNoTopWindow(const WindowQuery& q, DWORD timeout_ms) {
  return WaitFor([&] { return FindTopWindow(q) == nullptr; }, timeout_ms, 10);
}

std::vector<HWND> TopWindowsOfProcess(DWORD pid, Visibility v) {
  WindowQuery q;
  q.pid = pid;
  q.visibility = v;
  return FindTopWindows(q);
}

HWND FindChild(HWND parent, const std::string& class_name, const std::string& caption) {
  ChildCtx ctx{&class_name, &caption, nullptr};
  EnumChildWindows(parent, FirstChild, reinterpret_cast<LPARAM>(&ctx));
  return ctx.found;
}

size_t GetTextLength(HWND hwnd, DWORD timeout_ms) {
  DWORD_PTR len = 0;
  if (!SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, timeout_ms, &len)) return 0;
  return len;
}

std::string GetText(HWND hwnd, DWORD timeout_ms) {
  size_t len = GetTextLength(hwnd, timeout_ms);
  std::string s(len + 1, '\0');
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(&s[0]), SMTO_NORMAL, timeout_ms,
                           &got))
    return std::string();
  s.resize(got < len ? got : len);
  return s;
}

bool SetText(HWND hwnd, const std::string& text, DWORD timeout_ms) {
  DWORD_PTR r = 0;
  return SendMessageTimeoutA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL, timeout_ms,
                             &r) &&
         r;
}

bool TypeText(HWND hwnd, const std::string& text) {
  for (char c : text) {
    WPARAM ch = static_cast<unsigned char>(c == '\n' ? '\r' : c);
    if (!PostMessageA(hwnd, WM_CHAR, ch, 1)) return false;
  }
  return true;
}

bool GetSelection(HWND edit, DWORD* start, DWORD* end) {
  // The return value packs both positions into 16 bits each (out-parameters cannot cross
  // processes), so this serves notes up to 65535 characters.
  DWORD_PTR r = 0;
  if (!SendMessageTimeoutA(edit, EM_GETSEL, 0, 0, SMTO_NORMAL, kWaitMs, &r)) return false;
  if (start) *start = LOWORD(r);
  if (end) *end = HIWORD(r);
  return true;
}

bool PressKeys(const std::vector<WORD>& keys) {
  std::vector<INPUT> in;
  for (WORD k : keys) {
    INPUT i = {};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = k;
    in.push_back(i);
  }
  for (size_t n = keys.size(); n-- > 0;) {
    INPUT i = {};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = keys[n];
    i.ki.dwFlags = KEYEVENTF_KEYUP;
    in.push_back(i);
  }
  return SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT)) == in.size();
}

namespace {

INPUT MouseInput(DWORD flags, DWORD data = 0) {
  INPUT i = {};
  i.type = INPUT_MOUSE;
  i.mi.dwFlags = flags;
  i.mi.mouseData = data;
  return i;
}

}  // namespace

bool ClickAt(HWND hwnd, POINT client) {
  POINT screen = client;
  if (!ClientToScreen(hwnd, &screen) || !SetCursorPos(screen.x, screen.y)) return false;
  INPUT in[2] = {MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP)};
  return SendInput(2, in, sizeof(INPUT)) == 2;
}

bool TurnWheelWithCtrl(HWND hwnd, int notches) {
  RECT r;
  if (!GetClientRect(hwnd, &r)) return false;
  POINT middle = {r.right / 2, r.bottom / 2};
  if (!ClientToScreen(hwnd, &middle) || !SetCursorPos(middle.x, middle.y)) return false;
  INPUT in[3] = {};
  in[0].type = INPUT_KEYBOARD;
  in[0].ki.wVk = VK_CONTROL;
  in[1] = MouseInput(MOUSEEVENTF_WHEEL, static_cast<DWORD>(notches * WHEEL_DELTA));
  in[2].type = INPUT_KEYBOARD;
  in[2].ki.wVk = VK_CONTROL;
  in[2].ki.dwFlags = KEYEVENTF_KEYUP;
  return SendInput(3, in, sizeof(INPUT)) == 3;
}

bool BringToFront(HWND hwnd) {
  SetForegroundWindow(hwnd);
  return WaitFor([&] { return GetForegroundWindow() == hwnd; }, 2000, 10);
}

std::string GetDialogItemText(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  return item ? GetText(item) : std::string();
}

bool SetDialogItemText(HWND dialog, int id, const std::string& text) {
  HWND item = GetDlgItem(dialog, id);
  return item && SetText(item, text);
}

std::vector<MessageBoxInfo> MessageBoxesOf(DWORD pid) {
  WindowQuery q;
  q.pid = pid;
  q.class_name = "#32770";
  q.visibility = Visibility::Visible;
  std::vector<MessageBoxInfo> out;
  for (HWND h : FindTopWindows(q)) {
    MessageBoxInfo m;
    m.hwnd = h;
    m.title = CaptionOf(h);
    m.text = GetDialogItemText(h, 0xFFFF);
    out.push_back(m);
  }
  return out;
}

MessageBoxInfo FindMessageBox(DWORD pid, const std::string& title, const std::string& text_part) {
  for (const MessageBoxInfo& m : MessageBoxesOf(pid)) {
    if (!title.empty() && m.title != title) continue;
    if (!text_part.empty() && m.text.find(text_part) == std::string::npos) continue;
    return m;
  }
  return MessageBoxInfo();
}

MessageBoxInfo WaitMessageBox(DWORD pid, const std::string& title, const std::string& text_part,
                              DWORD timeout_ms) {
  MessageBoxInfo m;
  WaitFor([&] { return (m = FindMessageBox(pid, title, text_part)).hwnd != nullptr; }, timeout_ms, 10);
  return m;
}

bool ClickDialogButton(HWND dialog, int id, DWORD timeout_ms) {
  HWND button = GetDlgItem(dialog, id);
  // Posted, not sent: the click may open the next modal window, and a sent message would wait
  // for that window's whole life.
  if (button) PostMessageA(button, BM_CLICK, 0, 0);
  else PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
  return WaitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, timeout_ms, 10);
}

bool PostTrayNotification(HWND hwnd, UINT callback_message, UINT icon_id, UINT mouse_message) {
  return PostMessageA(hwnd, callback_message, icon_id, mouse_message) != 0;
}

bool SendEndSession(HWND hwnd, LRESULT* query_answer, DWORD timeout_ms) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(hwnd, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP, SMTO_NORMAL, timeout_ms, &answer))
    return false;
  if (query_answer) *query_answer = static_cast<LRESULT>(answer);
  if (!answer) return true;
  DWORD_PTR ignored = 0;
  // The program may end inside WM_ENDSESSION: a send that never returns is fine then.
  SendMessageTimeoutA(hwnd, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP, SMTO_NORMAL, timeout_ms, &ignored);
  return true;
}

}  // namespace e2e
