// Changes in a folder, reported by the system's change notifications (made by any program):
// one worker thread a watched folder waits for them and tells the user-interface thread
// through a message-only window.
#pragma once
#include <windows.h>

#include "platform/system.h"

namespace pw::win32 {

class Win32FolderWatch : public IFolderWatch {
public:
    explicit Win32FolderWatch(HINSTANCE instance) : instance_(instance) {}
    std::unique_ptr<IWatching> Watch(const std::string& folder, std::function<void()> changed) override;

private:
    HINSTANCE instance_;
};

}  // namespace pw::win32
