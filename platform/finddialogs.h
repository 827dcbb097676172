// The system's modeless Find and Replace dialogs, the registered message their buttons send
// to the owner, and the window procedure that receives it in front of the owner's own.
#pragma once
#include <cstdint>

#include "platform/TextCodec.h"
#include "platform/types.h"

namespace pw {

// Flags of the dialog record, as the system publishes them.
enum FindFlags : unsigned {
    frDown = 1, frWholeWord = 2, frMatchCase = 4, frFindNext = 8,
    frReplace = 16, frReplaceAll = 32, frDialogTerm = 64,
};

// The fields of the FINDREPLACEW record the program fills and reads. The buffers (UTF-16,
// lengths in characters) belong to the caller and must outlive the dialog.
struct FindRecord {
    Handle owner = 0;
    unsigned flags = 0;
    char16_t* findWhat = nullptr;
    unsigned short findWhatLen = 0;
    char16_t* replaceWith = nullptr;
    unsigned short replaceWithLen = 0;
};

// Receives every message of a window whose procedure was replaced by InstallProc.
class FindProcTarget {
public:
    virtual ~FindProcTarget() = default;
    virtual long FindReplaceProc(Handle window, unsigned msg, unsigned long wParam, long lParam) = 0;
};

class IFindDialogs {
public:
    virtual ~IFindDialogs() = default;
    // RegisterWindowMessageA("commdlg_FindReplace"); 0 on failure.
    virtual unsigned RegisterMessage() = 0;
    // SetWindowLongA(GWL_WNDPROC) with a procedure that hands every message of the window to
    // target. Returns the procedure it replaced (0 on failure).
    virtual std::uintptr_t InstallProc(Handle window, FindProcTarget& target) = 0;
    // SetWindowLongA(GWL_WNDPROC) back to an earlier procedure.
    virtual void RestoreProc(Handle window, std::uintptr_t previous) = 0;
    // CallWindowProcA.
    virtual long CallPrevious(std::uintptr_t previous, Handle window, unsigned msg,
                              unsigned long wParam, long lParam) = 0;
    // FindTextW / ReplaceTextW with one record kept for every dialog; 0 when no dialog came up.
    virtual Handle Show(const FindRecord& record, bool replace) = 0;
    virtual unsigned long ExtendedError() = 0;   // CommDlgExtendedError
    // The record a notification's lParam points at; false when it is not ours.
    virtual bool ReadRecord(long lParam, FindRecord& record) = 0;
    virtual void Close(Handle dialog) = 0;       // DestroyWindow
    // The case folding and the letters searches use (the underscore is added by the caller).
    virtual const ICharRules& CharRules() { return BuiltInCharRules(); }
};

}  // namespace pw
