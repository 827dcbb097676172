// FindTextW / ReplaceTextW, the registered message, and the procedure put in front of the
// owner window's.
#pragma once
#include "platform/finddialogs.h"

namespace pw::win32 {

class Win32FindDialogs : public IFindDialogs {
public:
    unsigned RegisterMessage() override;
    std::uintptr_t InstallProc(Handle window, FindProcTarget& target) override;
    void RestoreProc(Handle window, std::uintptr_t previous) override;
    long CallPrevious(std::uintptr_t previous, Handle window, unsigned msg, unsigned long wParam,
                      long lParam) override;
    Handle Show(const FindRecord& record, bool replace) override;
    unsigned long ExtendedError() override;
    bool ReadRecord(long lParam, FindRecord& record) override;
    void Close(Handle dialog) override;
    const ICharRules& CharRules() override;
};

}  // namespace pw::win32
