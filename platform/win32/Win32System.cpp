#include "platform/win32/Win32System.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <vector>

#include "platform/SingleInstance.h"
#include "platform/win32/ComDlg.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Ui.h"

namespace pw::win32 {

namespace {

FileError Failure(DWORD code) { return {true, LastErrorText(code)}; }

// The argument text behind the program name, as the command line holds it.
std::string ArgumentText() {
    const wchar_t* p = ::GetCommandLineW();
    if (*p == L'"') {
        ++p;
        while (*p && *p != L'"') ++p;
        if (*p == L'"') ++p;
    } else {
        while (*p && *p != L' ' && *p != L'\t') ++p;
    }
    while (*p == L' ' || *p == L'\t') ++p;
    return Utf8(p);
}

// The running executable's full path, however long.
std::string ModulePath(HINSTANCE instance) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(instance, &path[0], static_cast<DWORD>(path.size()));
        if (n < path.size() || path.size() >= 32768) return Utf8(path.data(), n);
        path.resize(path.size() * 2);
    }
}

}  // namespace

// ---------------------------------------------------------------- application

Win32App::Win32App(HINSTANCE instance, Win32Ui& ui) : ui_(ui) {
    exe_ = ModulePath(instance);
    size_t slash = exe_.find_last_of('\\');
    folder_ = slash == std::string::npos ? std::string() : exe_.substr(0, slash);
    if (folder_.size() == 2 && folder_[1] == ':') folder_ += "\\";  // a drive root keeps its backslash
    std::string file = slash == std::string::npos ? exe_ : exe_.substr(slash + 1);
    size_t dot = file.find_last_of('.');
    base_ = dot == std::string::npos ? file : file.substr(0, dot);
    command_ = ArgumentText();
}

namespace {

// The program folder as the file system knows it: volume serial and file index, and its
// final path with links resolved.
FolderIdentity IdentifyFolder(const std::string& folder) {
    FolderIdentity id;
    id.path = folder;
    HANDLE h = ::CreateFileW(Wide(folder).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return id;
    BY_HANDLE_FILE_INFORMATION info;
    if (::GetFileInformationByHandle(h, &info) && (info.nFileIndexHigh || info.nFileIndexLow)) {
        id.hasFileId = true;
        id.volumeSerial = info.dwVolumeSerialNumber;
        id.fileIndex = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    }
    using FinalPathFn = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);
    auto fn = reinterpret_cast<FinalPathFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "GetFinalPathNameByHandleW")));
    if (fn) {
        std::vector<wchar_t> buf(32768);
        DWORD n = fn(h, buf.data(), static_cast<DWORD>(buf.size()), 0);
        if (n > 0 && n < buf.size()) id.finalPath = Utf8(buf.data(), n);
    }
    ::CloseHandle(h);
    return id;
}

}  // namespace

bool Win32App::PrevInstance() {
    const std::string name = InstanceObjectName(IdentifyFolder(folder_));
    mutex_ = ::CreateMutexA(nullptr, FALSE, name.c_str());
    return mutex_ && ::GetLastError() == ERROR_ALREADY_EXISTS;
}

void Win32App::SetTaskVisible(bool visible) { ui_.SetTaskVisible(visible); }

bool Win32App::InitCommonControlsEx(unsigned size, unsigned classes) {
    INITCOMMONCONTROLSEX icc;
    icc.dwSize = size;
    icc.dwICC = classes;
    return ::InitCommonControlsEx(&icc) != FALSE;
}

void Win32App::InitCommonControls() { ::InitCommonControls(); }

bool Win32App::Launch(const std::string& exePath, const std::string& args) {
    std::wstring cmd = L"\"" + Wide(exePath) + L"\"";
    if (!args.empty()) cmd += L" " + Wide(args);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(Wide(exePath).c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return true;
}

std::string Win32App::Environ(const std::string& name) const {
    const std::wstring wname = Wide(name);
    std::wstring value(MAX_PATH, L'\0');
    DWORD n = ::GetEnvironmentVariableW(wname.c_str(), &value[0], static_cast<DWORD>(value.size()));
    if (n >= value.size() && n <= 32767) {   // the size it needs, null included
        value.assign(n, L'\0');
        n = ::GetEnvironmentVariableW(wname.c_str(), &value[0], n);
    }
    return n && n < value.size() ? Utf8(value.data(), n) : std::string();
}

std::string Win32App::DesktopFolder() const {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, path))) return "";
    std::string folder = Utf8(path);
    while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    return folder;
}

// ---------------------------------------------------------------- files

bool Win32FileSystem::FileExists(const std::string& path) {
    DWORD a = ::GetFileAttributesW(Wide(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::FileReadable(const std::string& path) {
    HANDLE f = ::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(f);
    return true;
}

FileError Win32FileSystem::ReadAll(const std::string& path, std::string& data) {
    HANDLE f = ::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (f == INVALID_HANDLE_VALUE) return Failure(::GetLastError());
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(f, &size) || size.QuadPart > 0x7FFFFFFF / 2) {
        DWORD e = ::GetLastError();
        ::CloseHandle(f);
        return e ? Failure(e) : FileError{true, "The file is too large."};
    }
    data.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < data.size()) {
        DWORD got = 0;
        DWORD want = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1u << 24));
        if (!::ReadFile(f, &data[done], want, &got, nullptr)) {
            DWORD e = ::GetLastError();
            ::CloseHandle(f);
            return Failure(e);
        }
        if (got == 0) break;
        done += got;
    }
    data.resize(done);
    ::CloseHandle(f);
    return {};
}

FileError Win32FileSystem::WriteFile(const std::string& path, const std::string& data) {
    HANDLE f = ::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                             nullptr);
    if (f == INVALID_HANDLE_VALUE) return Failure(::GetLastError());
    size_t done = 0;
    while (done < data.size()) {
        DWORD put = 0;
        DWORD want = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1u << 24));
        if (!::WriteFile(f, data.data() + done, want, &put, nullptr) || put == 0) {
            DWORD e = ::GetLastError();
            ::CloseHandle(f);
            return Failure(e ? e : ERROR_DISK_FULL);
        }
        done += put;
    }
    if (!::CloseHandle(f)) return Failure(::GetLastError());
    return {};
}

bool Win32FileSystem::RemoveFile(const std::string& path) { return ::DeleteFileW(Wide(path).c_str()) != 0; }

FileError Win32FileSystem::Rename(const std::string& from, const std::string& to) {
    if (!::MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_WRITE_THROUGH)) return Failure(::GetLastError());
    return {};
}

bool Win32FileSystem::KeepsStreams(const std::string& path) {
    // The volume's own word: Wine's drives, for one, say no (a "file:stream" name there would
    // become a file of its own).
    wchar_t root[MAX_PATH];
    DWORD flags = 0;
    return ::GetVolumePathNameW(Wide(path).c_str(), root, MAX_PATH) &&
           ::GetVolumeInformationW(root, nullptr, 0, nullptr, nullptr, &flags, nullptr, 0) &&
           (flags & FILE_NAMED_STREAMS) != 0;
}

bool Win32FileSystem::SetAttributes(const std::string& path, unsigned attributes) {
    return ::SetFileAttributesW(Wide(path).c_str(), attributes) != 0;
}

long long Win32FileSystem::FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA d;
    if (!::GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &d)) return -1;
    return (static_cast<long long>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
}

// ---------------------------------------------------------------- ANSI code page

std::string Win32CodePage::ToUtf8(const std::string& ansi) const {
    if (ansi.empty()) return {};
    const int n = static_cast<int>(ansi.size());
    const int units = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), n, nullptr, 0);
    if (units <= 0) return Windows1252().ToUtf8(ansi);
    std::u16string wide(static_cast<size_t>(units), u'\0');
    ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), n, reinterpret_cast<wchar_t*>(&wide[0]), units);
    return Utf16ToUtf8(wide);
}

bool Win32CodePage::ToAnsi(const std::string& utf8, std::string& ansi) const {
    ansi.clear();
    if (utf8.empty()) return true;
    if (::GetACP() == CP_UTF8) {   // the system's "ANSI" is UTF-8 itself
        ansi = StrictUtf8(utf8);
        return ansi == utf8;
    }
    const std::u16string wide = Utf8ToUtf16(utf8);
    const wchar_t* w = reinterpret_cast<const wchar_t*>(wide.data());
    const int n = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    const int bytes = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w, n, nullptr, 0, nullptr, &usedDefault);
    if (bytes <= 0) return false;
    ansi.assign(static_cast<size_t>(bytes), '\0');
    usedDefault = FALSE;
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w, n, &ansi[0], bytes, nullptr, &usedDefault);
    return !usedDefault;
}

// ---------------------------------------------------------------- shell and icons

bool Win32Shell::NotifyIcon(unsigned message, const unsigned char* record88) {
    // The record is the 88-byte layout of NOTIFYICONDATAA; copy it into an aligned buffer.
    NOTIFYICONDATAA data;
    std::memset(&data, 0, sizeof(data));
    std::memcpy(&data, record88, 88);
    return ::Shell_NotifyIconA(message, &data) != FALSE;
}

Handle Win32Shell::LoadResourceIcon(const std::string& name, int width, int height) {
    return reinterpret_cast<Handle>(::LoadImageA(instance_, name.c_str(), IMAGE_ICON, width, height, LR_SHARED));
}

Handle Win32Shell::LoadFileIcon(const std::string& path, int width, int height) {
    return reinterpret_cast<Handle>(
        ::LoadImageW(instance_, Wide(path).c_str(), IMAGE_ICON, width, height, LR_LOADFROMFILE | LR_LOADMAP3DCOLORS));
}

Handle Win32Shell::GetOwner(Handle window) {
    return reinterpret_cast<Handle>(::GetWindow(reinterpret_cast<HWND>(window), GW_OWNER));
}

void Win32Shell::SendSetIcon(Handle window, int which, Handle icon) {
    ::SendMessageA(reinterpret_cast<HWND>(window), WM_SETICON, static_cast<WPARAM>(which), static_cast<LPARAM>(icon));
}

void Win32Shell::ShellOpen(const std::string& target) {
    ::ShellExecuteW(nullptr, L"open", Wide(target).c_str(), L"", L"", SW_SHOWNORMAL);
}

long Win32Shell::ShellOpenIn(const std::string& file, const std::string& folder) {
    return static_cast<long>(reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(nullptr, L"open", Wide(file).c_str(), L"", Wide(folder).c_str(), SW_SHOWNORMAL)));
}

// ---------------------------------------------------------------- hotkeys

unsigned long Win32Hotkeys::Register(Handle window, int id, unsigned modifiers, unsigned vkey) {
    if (::RegisterHotKey(reinterpret_cast<HWND>(window), id, modifiers, vkey)) return 0;
    DWORD e = ::GetLastError();
    return e ? e : ERROR_HOTKEY_ALREADY_REGISTERED;
}

void Win32Hotkeys::Unregister(Handle window, int id) { ::UnregisterHotKey(reinterpret_cast<HWND>(window), id); }

// ---------------------------------------------------------------- common dialogs

namespace {

// "Text (*.txt)|*.txt" -> "Text (*.txt)\0*.txt\0\0"
std::wstring FilterList(const std::string& filter) {
    std::wstring s = Wide(filter);
    for (wchar_t& ch : s)
        if (ch == L'|') ch = L'\0';
    s.push_back(L'\0');
    s.push_back(L'\0');
    return s;
}

bool FileDialog(Handle owner, const std::string& filter, std::string& fileName, bool save) {
    std::vector<wchar_t> name(32768, L'\0');
    const std::wstring given = Wide(fileName);
    given.copy(name.data(), std::min(given.size(), name.size() - 1));
    const std::wstring filters = FilterList(filter);
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = reinterpret_cast<HWND>(owner);
    ofn.lpstrFilter = filters.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    // A name that is taken is confirmed in the system's own "already exists" question.
    ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_PATHMUSTEXIST | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    BOOL ok = save ? comdlg::SaveFile(&ofn) : comdlg::OpenFile(&ofn);
    if (!ok) return false;
    fileName = Utf8(name.data());
    return true;
}

}  // namespace

bool Win32Dialogs::OpenFile(Handle owner, const std::string& filter, std::string& fileName) {
    return FileDialog(owner, filter, fileName, false);
}

bool Win32Dialogs::SaveFile(Handle owner, const std::string& filter, std::string& fileName) {
    return FileDialog(owner, filter, fileName, true);
}

bool Win32Dialogs::PickFont(Handle owner, unsigned flags, FontSpec& font) {
    HDC dc = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(dc, LOGPIXELSY);
    ::ReleaseDC(nullptr, dc);
    LOGFONTA lf = {};
    lf.lfHeight = -static_cast<LONG>(std::lround(font.size * dpi / 72.0));
    lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font.italic ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, font.name.c_str(), LF_FACESIZE);
    CHOOSEFONTA cf = {};
    cf.lStructSize = sizeof(cf);
    cf.hwndOwner = reinterpret_cast<HWND>(owner);
    cf.lpLogFont = &lf;
    cf.iPointSize = static_cast<INT>(std::lround(font.size * 10));
    cf.Flags = flags | CF_INITTOLOGFONTSTRUCT;
    if (!comdlg::PickFont(&cf)) return false;
    font.name = lf.lfFaceName;
    font.size = cf.iPointSize > 0 ? static_cast<float>(cf.iPointSize) / 10.0f
                                  : static_cast<float>(std::abs(lf.lfHeight)) * 72.0f / static_cast<float>(dpi);
    font.bold = lf.lfWeight >= FW_BOLD;
    font.italic = lf.lfItalic != 0;
    return true;
}

}  // namespace pw::win32
