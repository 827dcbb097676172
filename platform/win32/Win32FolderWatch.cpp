#include "platform/win32/Win32FolderWatch.h"

#include "platform/win32/WideText.h"

namespace pw::win32 {

namespace {

constexpr UINT kFolderChanged = WM_APP + 2;
const wchar_t kWindowClass[] = L"PagewickFolderWatch";

class Watching : public IWatching {
public:
    std::function<void()> changed;
    HANDLE notification = INVALID_HANDLE_VALUE, stop = nullptr, thread = nullptr;
    HWND window = nullptr;
    volatile LONG posted = 0;   // a report waits in the window's queue

    ~Watching() override {
        if (thread) {
            ::SetEvent(stop);
            ::WaitForSingleObject(thread, INFINITE);
            ::CloseHandle(thread);
        }
        if (notification != INVALID_HANDLE_VALUE) ::FindCloseChangeNotification(notification);
        if (stop) ::CloseHandle(stop);
        if (window) ::DestroyWindow(window);
    }

    static DWORD WINAPI Wait(void* self) {
        auto* w = static_cast<Watching*>(self);
        const HANDLE handles[2] = {w->stop, w->notification};
        while (::WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
            // One report stands for every change until the window has handled it.
            if (::InterlockedExchange(&w->posted, 1) == 0) ::PostMessageW(w->window, kFolderChanged, 0, 0);
            if (!::FindNextChangeNotification(w->notification)) break;
        }
        return 0;
    }

    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == kFolderChanged) {
            auto* w = reinterpret_cast<Watching*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
            if (w) {
                ::InterlockedExchange(&w->posted, 0);
                if (w->changed) w->changed();
            }
            return 0;
        }
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
};

}  // namespace

std::unique_ptr<IWatching> Win32FolderWatch::Watch(const std::string& folder, std::function<void()> changed) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &Watching::WndProc;
        wc.hInstance = instance_;
        wc.lpszClassName = kWindowClass;
        registered = ::RegisterClassW(&wc) != 0;
    }
    auto w = std::make_unique<Watching>();
    w->changed = std::move(changed);
    // Names, sizes, times of writing and attributes (a note made read-only) of the folder's files.
    w->notification = ::FindFirstChangeNotificationW(
        Wide(folder).c_str(), FALSE,
        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE |
            FILE_NOTIFY_CHANGE_ATTRIBUTES);
    if (w->notification == INVALID_HANDLE_VALUE) return nullptr;
    w->stop = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    w->window = ::CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance_, nullptr);
    if (!w->stop || !w->window) return nullptr;
    ::SetWindowLongPtrW(w->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w.get()));
    w->thread = ::CreateThread(nullptr, 0, &Watching::Wait, w.get(), 0, nullptr);
    if (!w->thread) return nullptr;
    return w;
}

}  // namespace pw::win32
