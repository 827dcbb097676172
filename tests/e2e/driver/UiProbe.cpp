// Menus, selection and queue sync through the hook DLL (see hook/ProbeHook.cpp for the protocol).
#include "driver/Driver.h"
#include "hook/ProbeProtocol.h"

#include <cstdlib>
#include <map>

namespace e2e {
namespace {

using probe::kQueryName;
constexpr unsigned kSelectionQuery = probe::kSelection;
constexpr unsigned kIconsQuery = probe::kIcons;
constexpr unsigned kPingQuery = probe::kPing;
constexpr unsigned kSetTextQuery = probe::kSetText;
constexpr unsigned kLayeredQuery = probe::kLayered;

struct Replies {
  HWND window = nullptr;
  std::map<unsigned, std::string> by_seq;
};

Replies& ReplyState() {
  static Replies r;
  return r;
}

LRESULT CALLBACK ReplyProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COPYDATA) {
    const COPYDATASTRUCT* cds = reinterpret_cast<const COPYDATASTRUCT*>(lp);
    ReplyState().by_seq[static_cast<unsigned>(cds->dwData)] =
        cds->cbData ? std::string(static_cast<const char*>(cds->lpData), cds->cbData) : std::string();
    return TRUE;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

HWND ReplyWindow() {
  Replies& r = ReplyState();
  if (r.window) return r.window;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = ReplyProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "PagewickE2EReply";
  RegisterClassA(&wc);
  r.window = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  return r.window;
}

unsigned NextSeq() {
  static unsigned seq = 0;
  return ++seq & 0xFFFFFF;
}

std::string TextFileFor(unsigned seq) {
  char tmp[MAX_PATH];
  GetTempPathA(sizeof tmp, tmp);
  return std::string(tmp) + "pagewick-e2e-text-" + std::to_string(seq) + ".txt";
}

// Posts a query and waits for the hook's answer.
bool Query(HWND main, unsigned flags, DWORD timeout_ms, std::string* out, unsigned mine = NextSeq()) {
  HWND reply = ReplyWindow();
  if (!reply) return false;
  if (!PostMessageA(main, RegisterWindowMessageA(kQueryName), reinterpret_cast<WPARAM>(reply),
                    static_cast<LPARAM>((mine << 8) | flags)))
    return false;
  Replies& r = ReplyState();
  bool got = WaitFor([&] { return r.by_seq.count(mine) != 0; }, timeout_ms, 5);
  if (got) {
    *out = r.by_seq[mine];
    r.by_seq.erase(mine);
  }
  return got;
}

std::string CleanCaption(const std::string& raw, std::string* shortcut) {
  std::string text = raw, tail;
  size_t tab = text.find('\t');
  if (tab != std::string::npos) {
    tail = text.substr(tab + 1);
    text = text.substr(0, tab);
  }
  std::string clean;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&') {
      if (i + 1 < text.size() && text[i + 1] == '&') clean += '&', ++i;
      continue;
    }
    clean += text[i];
  }
  if (shortcut) *shortcut = tail;
  return clean;
}

std::vector<MenuEntry> Parse(const std::string& text) {
  std::vector<MenuEntry> out;
  std::vector<std::string> stack;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t nl = text.find('\n', pos);
    if (nl == std::string::npos) nl = text.size();
    std::string line = text.substr(pos, nl - pos);
    pos = nl + 1;
    std::vector<std::string> f;
    size_t s = 0;
    for (int k = 0; k < 4; ++k) {
      size_t t = line.find('\t', s);
      if (t == std::string::npos) break;
      f.push_back(line.substr(s, t - s));
      s = t + 1;
    }
    if (f.size() != 4) continue;
    f.push_back(line.substr(s));
    MenuEntry e;
    e.depth = std::atoi(f[0].c_str());
    e.position = std::atoi(f[1].c_str());
    e.id = static_cast<UINT>(std::strtoul(f[2].c_str(), nullptr, 10));
    e.popup = f[3].find('P') != std::string::npos;
    e.separator = f[3].find('S') != std::string::npos;
    e.enabled = f[3].find('G') == std::string::npos;
    e.checked = f[3].find('C') != std::string::npos;
    e.highlighted = f[3].find('H') != std::string::npos;
    e.caption = e.separator ? "-" : CleanCaption(f[4], &e.shortcut);
    stack.resize(e.depth);
    std::string path;
    for (const std::string& part : stack) path += part + "/";
    e.path = path + e.caption;
    stack.push_back(e.caption);
    out.push_back(e);
  }
  return out;
}

std::string JoinMenuPath(const std::vector<std::string>& parts) {
  std::string p;
  for (size_t i = 0; i < parts.size(); ++i) p += (i ? "/" : "") + parts[i];
  return p;
}

}  // namespace

UiProbe::UiProbe(HWND main_window) : main_(main_window) {
  std::string dll = GetEnv("PAGEWICK_E2E_HOOK", JoinPath(ThisExeFolder(), "pagewick_e2e_hook.dll"));
  dll_ = LoadLibraryA(ToWindowsPath(dll).c_str());
  if (!dll_) {
    error_ = "cannot load " + dll + ": " + LastErrorText();
    return;
  }
  HOOKPROC proc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(dll_, "PwGetMsgProc")));
  DWORD tid = GetWindowThreadProcessId(main_window, nullptr);
  if (!proc || !tid) {
    error_ = "no hook entry point or no such window";
    return;
  }
  hook_ = SetWindowsHookExA(WH_GETMESSAGE, proc, dll_, tid);
  if (!hook_) error_ = "SetWindowsHookExA failed: " + LastErrorText();
}

UiProbe::~UiProbe() {
  if (hook_) UnhookWindowsHookEx(hook_);
  if (dll_) FreeLibrary(dll_);
}

std::vector<MenuEntry> UiProbe::Read(unsigned flags, DWORD timeout_ms) {
  if (!hook_) return {};
  std::string text;
  if (!Query(main_, flags, timeout_ms, &text)) {
    error_ = "no answer from the menu hook";
    return {};
  }
  return Parse(text);
}

bool UiProbe::Find(const std::vector<std::string>& path, MenuEntry* out, bool init_popup) {
  std::string want = JoinMenuPath(path);
  for (const MenuEntry& e : Read(init_popup ? kMenuInitPopups : kMenuBar)) {
    if (e.path == want) {
      if (out) *out = e;
      return true;
    }
  }
  return false;
}

bool UiProbe::Choose(const std::vector<std::string>& path) {
  MenuEntry e;
  if (!Find(path, &e, true)) {
    error_ = "no menu entry " + JoinMenuPath(path);
    return false;
  }
  if (e.popup || e.separator || !e.enabled) {
    error_ = "menu entry " + e.path + " cannot be chosen";
    return false;
  }
  return PostMessageA(main_, WM_COMMAND, MAKEWPARAM(e.id, 0), 0) != 0;
}

bool UiProbe::ChooseInOpenPopup(const std::string& caption) {
  int steps = 0;
  bool found = false;
  for (const MenuEntry& e : Read(kMenuOpenPopups)) {
    if (e.depth != 0 || e.separator) continue;
    ++steps;
    if (e.caption == caption) {
      found = true;
      break;
    }
  }
  if (!found) {
    error_ = "no open pop-up entry " + caption;
    return false;
  }
  // The menu loop reads keys from the thread's queue whatever window they were posted to.
  for (int i = 0; i < steps; ++i) PostMessageA(main_, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(main_, WM_KEYDOWN, VK_RETURN, 0);
  return true;
}

bool UiProbe::SetEditText(const std::string& text, DWORD timeout_ms) {
  if (!hook_) return false;
  unsigned seq = NextSeq();
  std::string file = TextFileFor(seq);
  if (!WriteFileBytes(file, text)) return false;
  std::string answer;
  bool ok = Query(main_, kSetTextQuery, timeout_ms, &answer, seq) && answer == "set\t" + std::to_string(text.size()) + "\n";
  DeleteFileA(file.c_str());
  return ok;
}

bool UiProbe::Sync(DWORD timeout_ms) {
  std::string ignored;
  return hook_ && Query(main_, kPingQuery, timeout_ms, &ignored);
}

bool UiProbe::Selection(DWORD* start, DWORD* end) {
  std::string text;
  if (!hook_ || !Query(main_, kSelectionQuery, kWaitMs, &text) || text.compare(0, 4, "sel\t") != 0) return false;
  char* rest = nullptr;
  unsigned long s = std::strtoul(text.c_str() + 4, &rest, 10);
  unsigned long e = std::strtoul(rest, nullptr, 10);
  if (start) *start = s;
  if (end) *end = e;
  return true;
}

bool UiProbe::Icons(HWND window, uintptr_t* big, uintptr_t* small) {
  std::string text;
  if (!hook_ || !Query(window, kIconsQuery, kWaitMs, &text) || text.compare(0, 5, "icon\t") != 0) return false;
  char* rest = nullptr;
  unsigned long b = std::strtoul(text.c_str() + 5, &rest, 16);
  unsigned long s = std::strtoul(rest, nullptr, 16);
  if (big) *big = b;
  if (small) *small = s;
  return true;
}

bool UiProbe::Layered(HWND window, LayeredInfo* info) {
  std::string text;
  if (!hook_ || !Query(window, kLayeredQuery, kWaitMs, &text) || text.compare(0, 6, "layer\t") != 0) return false;
  char* rest = nullptr;
  LayeredInfo r;
  r.ex_style = std::strtoul(text.c_str() + 6, &rest, 16);
  r.has_attributes = std::strtoul(rest, &rest, 16) != 0;
  r.alpha = static_cast<BYTE>(std::strtoul(rest, &rest, 16));
  r.flags = std::strtoul(rest, nullptr, 16);
  if (info) *info = r;
  return true;
}

bool UiProbe::Layout(HWND window, WindowLayout* out) {
  std::string text;
  if (!hook_ || !Query(window, probe::kLayout, kWaitMs, &text) || text.compare(0, 4, "win\t") != 0) return false;
  *out = WindowLayout();
  size_t pos = 0;
  while (pos < text.size()) {
    size_t nl = text.find('\n', pos);
    if (nl == std::string::npos) nl = text.size();
    std::vector<std::string> f;
    std::string line = text.substr(pos, nl - pos);
    pos = nl + 1;
    size_t s = 0;
    for (;;) {
      size_t t = line.find('\t', s);
      f.push_back(line.substr(s, t == std::string::npos ? std::string::npos : t - s));
      if (t == std::string::npos) break;
      s = t + 1;
    }
    auto num = [&](size_t i) { return i < f.size() ? std::atol(f[i].c_str()) : 0L; };
    if (f[0] == "win" && f.size() >= 6) {
      out->dpi = static_cast<int>(num(1));
      out->client = {num(2), num(3)};
      out->big_icon = static_cast<int>(num(4));
      out->small_icon = static_cast<int>(num(5));
    } else if (f[0] == "ctl" && f.size() >= 13) {
      ControlLayout c;
      c.id = static_cast<int>(num(1));
      c.class_name = f[2];
      c.rect = {num(3), num(4), num(3) + num(5), num(4) + num(6)};
      c.text = {num(7), num(8)};
      c.bitmap = {num(9), num(10)};
      c.style = static_cast<LONG>(std::strtoul(f[11].c_str(), nullptr, 16));
      c.caption = f[12];
      for (size_t k = 13; k < f.size(); ++k) c.caption += " " + f[k];
      out->controls.push_back(c);
    }
  }
  return true;
}

const ControlLayout* WindowLayout::ById(int id) const {
  for (const ControlLayout& c : controls)
    if (c.id == id) return &c;
  return nullptr;
}

const ControlLayout* WindowLayout::ByCaption(const std::string& caption) const {
  for (const ControlLayout& c : controls)
    if (c.caption == caption) return &c;
  return nullptr;
}

std::string FormatMenu(const std::vector<MenuEntry>& entries) {
  std::string s;
  for (const MenuEntry& e : entries) {
    s += std::string(e.depth * 2, ' ') + e.caption;
    if (!e.shortcut.empty()) s += "  [" + e.shortcut + "]";
    if (e.id) s += "  #" + std::to_string(e.id);
    if (!e.enabled) s += "  (disabled)";
    if (e.checked) s += "  (checked)";
    s += "\n";
  }
  return s;
}

}  // namespace e2e
