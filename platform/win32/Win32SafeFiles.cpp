// The file operations that must never lose or clobber a file: replacing one through temporary
// files with names of their own, creating a file only where none is, and telling which file a
// path really leads to.
#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "platform/win32/Win32System.h"
#include "platform/win32/Win32Ui.h"
#include "platform/win32/WideText.h"

namespace pw::win32 {

namespace {

FileError Failure(DWORD code) { return {true, LastErrorText(code)}; }

bool Taken(DWORD error) { return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS; }

std::wstring FullPath(const std::wstring& path) {
    wchar_t buf[MAX_PATH];
    const DWORD n = ::GetFullPathNameW(path.c_str(), MAX_PATH, buf, nullptr);
    if (n > 0 && n < MAX_PATH) return std::wstring(buf, n);
    if (n == 0) return path;
    std::wstring big(n, L'\0');
    const DWORD m = ::GetFullPathNameW(path.c_str(), n, &big[0], nullptr);
    big.resize(m < n ? m : 0);
    return big.empty() ? path : big;
}

// The file's own path with every link on the way resolved (the system's final path), or the
// path as given when it is an ordinary file or cannot be opened.
std::wstring FileBehind(const std::wstring& path) {
    using FinalPathFn = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);
    static const auto final = reinterpret_cast<FinalPathFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleW")));
    if (!final) return path;
    HANDLE h = ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return path;
    std::wstring got(MAX_PATH, L'\0');
    DWORD n = final(h, &got[0], static_cast<DWORD>(got.size()), 0);
    if (n >= got.size()) {
        got.assign(n + 1, L'\0');
        n = final(h, &got[0], static_cast<DWORD>(got.size()), 0);
    }
    ::CloseHandle(h);
    if (n == 0 || n >= got.size()) return path;
    got.resize(n);
    if (got.compare(0, 8, L"\\\\?\\UNC\\") == 0) got = L"\\\\" + got.substr(8);
    else if (got.compare(0, 4, L"\\\\?\\") == 0) got = got.substr(4);
    return ::lstrcmpiW(got.c_str(), FullPath(path).c_str()) == 0 ? path : got;
}

// name, then name.2.ext, name.3.ext ...: the n-th candidate for a temporary file beside name.
std::wstring Candidate(const std::wstring& name, const wchar_t* ext, int n) {
    if (n == 1) return name + ext;
    std::wstring digits;
    for (; n > 0; n /= 10) digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + n % 10));
    return name + L"." + digits + ext;
}
constexpr int kCandidates = 100;

// Writes data into a file just created (f) and closes it, on the disk before it returns; a
// failed write deletes the file again.
FileError FillNewFile(HANDLE f, const std::wstring& path, const std::string& data) {
    size_t done = 0;
    DWORD error = 0;
    while (done < data.size() && !error) {
        DWORD put = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1u << 24));
        if (!::WriteFile(f, data.data() + done, want, &put, nullptr)) error = ::GetLastError();
        else if (put == 0) error = ERROR_DISK_FULL;
        else done += put;
    }
    if (!error && !::FlushFileBuffers(f)) error = ::GetLastError();
    if (!::CloseHandle(f) && !error) error = ::GetLastError();
    if (!error) return {};
    ::DeleteFileW(path.c_str());
    return Failure(error);
}

HANDLE CreateNewFile(const std::wstring& path) {
    return ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Writes data into a new file beside target under the first free name "<target><ext>", ...
FileError WriteFreshFile(const std::wstring& target, const wchar_t* ext, const std::string& data,
                         std::wstring& written) {
    HANDLE f = INVALID_HANDLE_VALUE;
    DWORD error = ERROR_FILE_EXISTS;
    for (int n = 1; n <= kCandidates && f == INVALID_HANDLE_VALUE && Taken(error); ++n) {
        written = Candidate(target, ext, n);
        f = CreateNewFile(written);
        if (f == INVALID_HANDLE_VALUE) error = ::GetLastError();
    }
    if (f == INVALID_HANDLE_VALUE) return Failure(error);
    return FillNewFile(f, written, data);
}

}  // namespace

FileError Win32FileSystem::WriteReplace(const std::string& path, const std::string& data) {
    // The file a link (symbolic link, junction) leads to is the one replaced, beside itself:
    // the link stays a link.
    const std::wstring target = FileBehind(Wide(path));
    // Refuse up front when the target itself cannot be replaced, so nothing is left behind.
    const DWORD a = ::GetFileAttributesW(target.c_str());
    if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY)) return Failure(ERROR_ACCESS_DENIED);
    // Written as ".part", named ".new" once complete and on the disk, then put in place: a
    // ".new" left behind by a cut-off save is always a whole copy. Neither ever takes the
    // name of a file that is there already: the next free one is used instead.
    std::wstring part;
    FileError err = WriteFreshFile(target, L".part", data, part);
    if (err.failed) return err;
    std::wstring fresh;
    DWORD error = ERROR_FILE_EXISTS;
    bool moved = false;
    for (int n = 1; n <= kCandidates && !moved && Taken(error); ++n) {
        fresh = Candidate(target, L".new", n);
        moved = ::MoveFileExW(part.c_str(), fresh.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
        if (!moved) error = ::GetLastError();
    }
    if (!moved) {
        ::DeleteFileW(part.c_str());
        return Failure(error);
    }
    if (!::MoveFileExW(fresh.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = ::GetLastError();
        ::DeleteFileW(fresh.c_str());
        return Failure(error);
    }
    return {};
}

FileError Win32FileSystem::WriteNew(const std::string& path, const std::string& data) {
    const std::wstring wide = Wide(path);
    HANDLE f = CreateNewFile(wide);
    if (f == INVALID_HANDLE_VALUE) return Failure(::GetLastError());
    return FillNewFile(f, wide, data);
}

FileStamp Win32FileSystem::Stamp(const std::string& path) {
    FileStamp s;
    WIN32_FILE_ATTRIBUTE_DATA d;
    if (!::GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &d)) return s;
    if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return s;
    s.exists = true;
    s.size = (static_cast<long long>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
    s.written = (static_cast<std::uint64_t>(d.ftLastWriteTime.dwHighDateTime) << 32) | d.ftLastWriteTime.dwLowDateTime;
    s.readOnly = (d.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    return s;
}

bool Win32FileSystem::SameFile(const std::string& a, const std::string& b) {
    const std::wstring wa = Wide(a), wb = Wide(b);
    BY_HANDLE_FILE_INFORMATION ia, ib;
    bool opened[2] = {false, false};
    BY_HANDLE_FILE_INFORMATION* infos[2] = {&ia, &ib};
    const std::wstring* paths[2] = {&wa, &wb};
    for (int i = 0; i < 2; ++i) {
        HANDLE h = ::CreateFileW(paths[i]->c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (h == INVALID_HANDLE_VALUE) continue;
        opened[i] = ::GetFileInformationByHandle(h, infos[i]) != 0;
        ::CloseHandle(h);
    }
    if (opened[0] && opened[1])
        return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber && ia.nFileIndexHigh == ib.nFileIndexHigh &&
               ia.nFileIndexLow == ib.nFileIndexLow;
    if (opened[0] != opened[1]) return false;
    return ::lstrcmpiW(FullPath(wa).c_str(), FullPath(wb).c_str()) == 0;
}

std::string Win32FileSystem::FinalPath(const std::string& path) { return Utf8(FileBehind(Wide(path))); }

}  // namespace pw::win32
