// A stand-in for the system's Find and Replace dialogs: it keeps the record it was shown,
// plays the user typing into the fields and pressing a button, and models the window
// procedure chain of the owner window.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "editor/TextSearch.h"
#include "platform/finddialogs.h"

namespace pw::fake {

class FindDialogs : public IFindDialogs {
public:
    static constexpr std::uintptr_t kWindowsOwnProc = 0x401000;   // the main window's procedure
    static constexpr std::uintptr_t kInstalledProc = 0x402000;    // the adapter's procedure
    static constexpr long kRecordAddress = 0x5A5A;                // lParam of a notification

    unsigned RegisterMessage() override {
        ++registerCalls;
        return failRegister ? 0 : message;
    }
    std::uintptr_t InstallProc(Handle w, FindProcTarget& t) override {
        log.push_back("install");
        target = &t;
        window = w;
        const std::uintptr_t replaced = proc;
        proc = kInstalledProc;
        return replaced;
    }
    void RestoreProc(Handle w, std::uintptr_t previous) override {
        log.push_back("restore");
        restoredOn.push_back(w);
        proc = previous;
        if (previous != kInstalledProc) target = nullptr;
    }
    long CallPrevious(std::uintptr_t previous, Handle, unsigned msg, unsigned long, long) override {
        passedOn.push_back(msg);
        passedTo.push_back(previous);
        return 77;
    }
    Handle Show(const FindRecord& r, bool replace) override {
        log.push_back(replace ? "show:replace" : "show:find");
        record = r;
        shownRecords.push_back(r);
        if (failShow) return 0;
        open = nextDialog++;
        return open;
    }
    unsigned long ExtendedError() override {
        ++extendedErrorCalls;
        return failShow && extendedErrorCalls == 1 ? 0xFFFF : 0;
    }
    bool ReadRecord(long lParam, FindRecord& r) override {
        if (lParam != kRecordAddress) return false;
        r = record;
        return true;
    }
    void Close(Handle d) override {
        log.push_back("close");
        closed.push_back(d);
        if (open == d) open = 0;
    }
    // The user types into the fields (UTF-8 here, UTF-16 in the buffers; the dialog keeps the
    // last character it announced for the NUL) and presses a button: flags as the dialog sets them.
    long Press(unsigned flags, const std::string& find, const std::string& replace = "") {
        Type(record.findWhat, record.findWhatLen, find);
        Type(record.replaceWith, record.replaceWithLen, replace);
        record.flags = flags;
        return Deliver(message);
    }
    // A message reaching the owner window through whatever procedure is installed.
    long Deliver(unsigned msg) {
        if (proc == kInstalledProc && target) return target->FindReplaceProc(window, msg, 0, kRecordAddress);
        passedOn.push_back(msg);
        passedTo.push_back(proc);
        return -1;   // reached the window's own procedure directly
    }

    unsigned message = 0xC123;
    bool failRegister = false, failShow = false;
    int registerCalls = 0, extendedErrorCalls = 0;
    std::uintptr_t proc = kWindowsOwnProc;
    FindProcTarget* target = nullptr;
    Handle window = 0;
    FindRecord record;
    std::vector<FindRecord> shownRecords;
    Handle open = 0, nextDialog = 0x9000;
    std::vector<Handle> closed, restoredOn;
    std::vector<unsigned> passedOn;
    std::vector<std::uintptr_t> passedTo;
    std::vector<std::string> log;

private:
    static void Type(char16_t* buffer, unsigned short length, const std::string& text) {
        if (!buffer || length == 0) return;
        const std::u16string wide = Utf8ToUtf16(text);
        const size_t n = std::min<size_t>(wide.size(), length - 1u);
        std::copy(wide.begin(), wide.begin() + n, buffer);
        buffer[n] = u'\0';
    }
};

}  // namespace pw::fake
