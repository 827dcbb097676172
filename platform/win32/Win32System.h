// Win32 adapters for the application object, files, registry, clipboard, shell, hotkeys
// and the common dialogs. Paths and names arrive as UTF-8 and reach the W functions.
#pragma once
#include <windows.h>

#include <string>

#include "platform/dialogs.h"
#include "platform/TextCodec.h"
#include "platform/system.h"

namespace pw::win32 {

class Win32Ui;

class Win32App : public IApp {
public:
    Win32App(HINSTANCE instance, Win32Ui& ui);
    std::string Path() const override { return folder_; }
    std::string ExeName() const override { return base_; }
    std::string Title() const override { return "Pagewick"; }
    std::string Command() const override { return command_; }
    bool PrevInstance() override;
    void SetTaskVisible(bool visible) override;
    bool InitCommonControlsEx(unsigned size, unsigned classes) override;
    void InitCommonControls() override;
    bool Launch(const std::string& exePath, const std::string& args) override;
    void ExitProcess(int code) override { ::ExitProcess(static_cast<UINT>(code)); }
    std::string Environ(const std::string& name) const override;
    std::string DesktopFolder() const override;
    void ShortTimeAndDate(std::string& time, std::string& date) const override;   // Locale.cpp

private:
    Win32Ui& ui_;
    std::string exe_, folder_, base_, command_;
    HANDLE mutex_ = nullptr;
};

class Win32FileSystem : public IFileSystem {
public:
    bool FileExists(const std::string& path) override;
    bool FileReadable(const std::string& path) override;
    FileError ReadAll(const std::string& path, std::string& data) override;
    FileError WriteFile(const std::string& path, const std::string& data) override;
    FileError WriteReplace(const std::string& path, const std::string& data) override;   // Win32SafeFiles.cpp
    FileError WriteNew(const std::string& path, const std::string& data) override;
    FileStamp Stamp(const std::string& path) override;
    std::string FinalPath(const std::string& path) override;
    bool SameFile(const std::string& a, const std::string& b) override;
    bool SetAttributes(const std::string& path, unsigned attributes) override;
    long long FileSize(const std::string& path) override;
    bool RemoveFile(const std::string& path) override;
    FileError Rename(const std::string& from, const std::string& to) override;
    bool KeepsStreams(const std::string& path) override;
};

// The clipboard's Unicode text (the system makes the ANSI form for programs that ask for it),
// and all it holds, saved and put back (Win32Clipboard.cpp).
class Win32Clipboard : public IClipboard {
public:
    bool HasText() override {
        return ::IsClipboardFormatAvailable(CF_UNICODETEXT) != 0 || ::IsClipboardFormatAvailable(CF_TEXT) != 0;
    }
    bool ReadText(std::string& text) override;
    bool SetText(const std::string& text) override;
    bool Save(ClipboardContents& contents) override;
    bool Restore(const ClipboardContents& contents) override;
};

// The system's ANSI code page (CP_ACP).
class Win32CodePage : public ICodePage {
public:
    std::string ToUtf8(const std::string& ansi) const override;
    bool ToAnsi(const std::string& utf8, std::string& ansi) const override;
};

class Win32Shell : public IShell {
public:
    explicit Win32Shell(HINSTANCE instance) : instance_(instance) {}
    bool NotifyIcon(unsigned message, const unsigned char* record88) override;
    Handle LoadResourceIcon(const std::string& name, int width, int height) override;
    Handle LoadFileIcon(const std::string& path, int width, int height) override;
    Handle GetOwner(Handle window) override;
    int SystemMetric(int index) override { return ::GetSystemMetrics(index); }
    void SendSetIcon(Handle window, int which, Handle icon) override;
    void ShellOpen(const std::string& target) override;
    unsigned RegisterMessage(const std::string& name) override { return ::RegisterWindowMessageA(name.c_str()); }
    long ShellOpenIn(const std::string& file, const std::string& folder) override;

private:
    HINSTANCE instance_;
};

class Win32Hotkeys : public IHotkeys {
public:
    unsigned long Register(Handle window, int id, unsigned modifiers, unsigned vkey) override;
    void Unregister(Handle window, int id) override;
};

class Win32Dialogs : public IDialogs {
public:
    bool OpenFile(Handle owner, const std::string& filter, std::string& fileName) override;
    bool SaveFile(Handle owner, const std::string& filter, std::string& fileName) override;
    bool PickFont(Handle owner, unsigned flags, FontSpec& font) override;
    bool PickPrinter(Handle owner, PrinterChoice& printer) override;   // PrintDialog.cpp
};

}  // namespace pw::win32
