// The rest of the platform: the application object, files, registry, clipboard, shell,
// icons and system-wide hotkeys. Every path, name and text is UTF-8; file contents are bytes.
#pragma once
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/types.h"

namespace pw {

// The user's decimal separator as the system reports it (platform/win32/Locale.cpp).
std::string UserDecimalSeparator();

// The application object: who we are, where we live, and the process.
class IApp {
public:
    virtual ~IApp() = default;
    virtual std::string Path() const = 0;        // program folder (ends with "\" only at a drive root)
    virtual std::string ExeName() const = 0;     // executable base name, without ".exe"
    virtual std::string Title() const = 0;       // application title, "Pagewick"
    virtual std::string Command() const = 0;     // the command-line argument text
    virtual bool PrevInstance() = 0;             // a copy of this executable (same folder) runs already
    virtual void SetTaskVisible(bool visible) = 0;
    virtual bool InitCommonControlsEx(unsigned size, unsigned classes) = 0;
    virtual void InitCommonControls() = 0;
    // Starts a program with its window shown normally and focused.
    virtual bool Launch(const std::string& exePath, const std::string& args) = 0;
    // Ends the process. A fake records the code and returns; callers return right after.
    virtual void ExitProcess(int code) = 0;
    virtual std::string Environ(const std::string& name) const = 0;
    // The user's desktop folder as the shell knows it (a redirected or synced one too), without
    // a final backslash; "" when the system cannot say.
    virtual std::string DesktopFolder() const { return ""; }
    // The user's decimal separator (the locale's LOCALE_SDECIMAL), "." or "," or another.
    virtual std::string DecimalSeparator() const { return UserDecimalSeparator(); }
    // The local time without seconds and the date, each in the user's short format, read
    // from one look at the clock ("10:35 AM" and "12/10/2026" in the US). UTF-8.
    virtual void ShortTimeAndDate(std::string& time, std::string& date) const {
        const std::time_t now = std::time(nullptr);
        char t[32] = "", d[32] = "";
        if (const std::tm* local = std::localtime(&now)) {
            std::strftime(t, sizeof t, "%H:%M", local);
            std::strftime(d, sizeof d, "%m/%d/%Y", local);
        }
        time = t;
        date = d;
    }
    // The local date and time as "2026-12-09 131500", for names of kept files.
    virtual std::string TimeStamp() const {
        const std::time_t now = std::time(nullptr);
        char buf[32] = "";
        if (const std::tm* t = std::localtime(&now)) std::strftime(buf, sizeof buf, "%Y-%m-%d %H%M%S", t);
        return buf;
    }
};

// One failed file operation: what the system said.
struct FileError {
    bool failed = false;
    std::string reason;      // the system's message, e.g. "Access is denied."
};

// What a file's entry says: enough to see that the file changed since it was last looked at.
struct FileStamp {
    bool exists = false;        // a file (not a folder) of that name is there
    long long size = 0;
    std::uint64_t written = 0;  // the time of its last write, in the system's units
    bool readOnly = false;
    bool operator==(const FileStamp& o) const {
        return exists == o.exists && size == o.size && written == o.written && readOnly == o.readOnly;
    }
    bool operator!=(const FileStamp& o) const { return !(*this == o); }
};

class IFileSystem {
public:
    virtual ~IFileSystem() = default;
    virtual bool FileExists(const std::string& path) = 0;
    virtual bool FileReadable(const std::string& path) = 0;     // opens for reading and closes again
    virtual FileError ReadAll(const std::string& path, std::string& data) = 0;
    // Creates or overwrites the file in place.
    virtual FileError WriteFile(const std::string& path, const std::string& data) = 0;
    // Writes a temporary file beside the target, then replaces the target with it, so the old
    // file survives any failure. The temporary files take names no other file has (a file
    // of the user's called "<name>.part" or "<name>.new" is never touched). When path is a
    // link (a symbolic link or junction), the file it leads to is replaced and the link stays.
    virtual FileError WriteReplace(const std::string& path, const std::string& data) = 0;
    // Creates a file that is not there yet; fails, touching nothing, when the name is taken.
    // A write that fails half-way leaves no file behind.
    virtual FileError WriteNew(const std::string& path, const std::string& data) = 0;
    // The file's size, time of last write and read-only mark; exists false when there is none.
    virtual FileStamp Stamp(const std::string& path) {
        FileStamp s;
        s.exists = FileExists(path);
        s.size = s.exists ? FileSize(path) : 0;
        return s;
    }
    // Where the file really lies: the file a link leads to, or path itself.
    virtual std::string FinalPath(const std::string& path) { return path; }
    // True when both paths lead to one file, however they are spelt.
    virtual bool SameFile(const std::string& a, const std::string& b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            char x = a[i], y = b[i];
            if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
            if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
            if (x != y) return false;
        }
        return true;
    }
    virtual bool SetAttributes(const std::string& path, unsigned attributes) = 0;  // 1 read-only, 2 hidden
    virtual long long FileSize(const std::string& path) = 0;     // -1 when it cannot be read
    // Deletes a file; false when it is not there or cannot be deleted.
    virtual bool RemoveFile(const std::string& path) { (void)path; return false; }
    // Gives a file a new name; fails when the new name exists already.
    virtual FileError Rename(const std::string& from, const std::string& to) {
        (void)from; (void)to;
        return {true, "Renaming files is not supported."};
    }
    // True when the file system holding `path` keeps named streams ("file:stream").
    virtual bool KeepsStreams(const std::string& path) { (void)path; return false; }
};

// Changes in a folder, made by this or any other program: files created, written, renamed,
// deleted or marked read-only. A watch lasts as long as its IWatching.
class IWatching {
public:
    virtual ~IWatching() = default;
};
class IFolderWatch {
public:
    virtual ~IFolderWatch() = default;
    // changed is called on the user-interface thread, from its message loop (never from
    // inside Watch), once after one or more changes. Null when the folder cannot be watched.
    virtual std::unique_ptr<IWatching> Watch(const std::string& folder, std::function<void()> changed) = 0;
};

// The registry as the platform offers it: keys opened and closed by the caller, values
// queried and written as raw bytes. Every call returns the platform's registry status code
// (0 for success, 2 for a missing key or value, 234 for a buffer that is too small). Key paths
// and value names are UTF-8, and so is the data of a string value (REG_SZ) as it travels here,
// terminating null included: the registry itself holds it as UTF-16, so a value written in any
// script reads back as it was.
class IRegistry {
public:
    virtual ~IRegistry() = default;
    // RegOpenKeyEx of an existing key below a root (a predefined key such as 0x80000001).
    virtual long OpenKey(Handle root, const std::string& path, unsigned long access, Handle& key) = 0;
    // RegQueryValueEx. With data null only the type and the size are asked for; otherwise
    // size is the buffer's size on entry and the size of the data on return (for REG_SZ, in
    // UTF-8 bytes).
    virtual long QueryValue(Handle key, const std::string& name, unsigned long& type, unsigned char* data,
                            unsigned long& size) = 0;
    // RegSetValueEx with size bytes of data.
    virtual long SetValue(Handle key, const std::string& name, unsigned long type, const unsigned char* data,
                          unsigned long size) = 0;
    virtual long DeleteValue(Handle key, const std::string& name) = 0;   // RegDeleteValue
    virtual long CloseKey(Handle key) = 0;                                // RegCloseKey
};

// Everything the clipboard held, format by format (the format's number and its data as bytes),
// to be put back later. Only the clipboard that made it reads it.
struct ClipboardContents {
    struct Format {
        unsigned id = 0;
        std::string data;
    };
    std::vector<Format> formats;
};

class IClipboard {
public:
    virtual ~IClipboard() = default;
    // Text available (Unicode or ANSI). Asked without opening the clipboard, so it answers
    // even while another program holds the clipboard open.
    virtual bool HasText() = 0;
    // The clipboard's text, in UTF-8. False when there is none or it cannot be read (another program
    // holds the clipboard open); text is then empty.
    virtual bool ReadText(std::string& text) = 0;
    // Empties the clipboard and puts the text (UTF-8) on it as Unicode text. False when the clipboard cannot be
    // opened or does not take the text.
    virtual bool SetText(const std::string& text) = 0;
    // Copies every format the clipboard holds (none when it is empty). False when the clipboard
    // cannot be opened or a format cannot be copied.
    virtual bool Save(ClipboardContents& contents) = 0;
    // Empties the clipboard and puts back exactly the formats saved. False when it cannot be
    // opened or a format is not taken.
    virtual bool Restore(const ClipboardContents& contents) = 0;
    // The text, or "" when there is none or it cannot be read.
    std::string GetText() {
        std::string text;
        ReadText(text);
        return text;
    }
};

// Icons, the notification area and the shell.
class IShell {
public:
    virtual ~IShell() = default;
    // Shell_NotifyIconA with an 88-byte NOTIFYICONDATAA record.
    virtual bool NotifyIcon(unsigned message, const unsigned char* record88) = 0;
    virtual Handle LoadResourceIcon(const std::string& name, int width, int height) = 0;  // LR_SHARED
    virtual Handle LoadFileIcon(const std::string& path, int width, int height) = 0;      // 0x1010
    virtual Handle GetOwner(Handle window) = 0;                  // GetWindow(GW_OWNER)
    virtual int SystemMetric(int index) = 0;
    virtual void SendSetIcon(Handle window, int which, Handle icon) = 0;   // WM_SETICON
    virtual void ShellOpen(const std::string& target) = 0;       // ShellExecuteA "open", SW_SHOWNORMAL
    virtual unsigned RegisterMessage(const std::string& name) = 0;  // RegisterWindowMessageA
    // ShellExecuteA(no owner, "open", file, no parameters, folder, SW_SHOWNORMAL): its result
    // (above 32 when it worked).
    virtual long ShellOpenIn(const std::string& file, const std::string& folder) {
        (void)file; (void)folder;
        return 0;
    }
};

// Modifier bits for a system-wide hotkey (MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4, MOD_WIN 8).
class IHotkeys {
public:
    virtual ~IHotkeys() = default;
    // Arms the combination on a window; returns 0 or the system's error code.
    virtual unsigned long Register(Handle window, int id, unsigned modifiers, unsigned vkey) = 0;
    virtual void Unregister(Handle window, int id) = 0;
};

}  // namespace pw
