#include "platform/win32/Win32FindDialogs.h"
#include "platform/win32/ComDlg.h"

#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <string>

namespace pw::win32 {

namespace {

// One record for every dialog: the dialog reads and writes it for as long as it is open.
FINDREPLACEW g_record;
HWND g_dialog = nullptr;
FindProcTarget* g_target = nullptr;

// Wine's comdlg32 runs FindTextW's and ReplaceTextW's dialog with the ANSI functions and hands
// the fields over through the ANSI code page, so "привет" typed on a Western system would
// arrive as "??????". The fields' edit controls hold Unicode either way: where the dialog is
// not a Unicode window, the fields are filled and read here directly.
constexpr int kFindField = 0x480, kReplaceField = 0x481;

bool FieldsPassThroughAnsi() { return g_dialog && ::IsWindow(g_dialog) && !::IsWindowUnicode(g_dialog); }

LRESULT CALLBACK InstalledProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (g_target)
        return g_target->FindReplaceProc(reinterpret_cast<Handle>(hwnd), msg,
                                         static_cast<unsigned long>(wParam), static_cast<long>(lParam));
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND Hwnd(Handle h) { return reinterpret_cast<HWND>(h); }

}  // namespace

unsigned Win32FindDialogs::RegisterMessage() { return ::RegisterWindowMessageA(FINDMSGSTRINGA); }

std::uintptr_t Win32FindDialogs::InstallProc(Handle window, FindProcTarget& target) {
    g_target = &target;
    return static_cast<std::uintptr_t>(static_cast<ULONG>(
        ::SetWindowLongA(Hwnd(window), GWL_WNDPROC, static_cast<LONG>(reinterpret_cast<LONG_PTR>(&InstalledProc)))));
}

void Win32FindDialogs::RestoreProc(Handle window, std::uintptr_t previous) {
    if (::IsWindow(Hwnd(window)))
        ::SetWindowLongA(Hwnd(window), GWL_WNDPROC, static_cast<LONG>(previous));
    g_target = nullptr;
}

long Win32FindDialogs::CallPrevious(std::uintptr_t previous, Handle window, unsigned msg,
                                    unsigned long wParam, long lParam) {
    return static_cast<long>(::CallWindowProcA(reinterpret_cast<WNDPROC>(previous), Hwnd(window), msg,
                                               static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam)));
}

Handle Win32FindDialogs::Show(const FindRecord& r, bool replace) {
    ZeroMemory(&g_record, sizeof g_record);
    g_record.lStructSize = sizeof g_record;
    g_record.hwndOwner = Hwnd(r.owner);
    g_record.Flags = r.flags;
    g_record.lpstrFindWhat = reinterpret_cast<wchar_t*>(r.findWhat);
    g_record.wFindWhatLen = r.findWhatLen;
    g_record.lpstrReplaceWith = reinterpret_cast<wchar_t*>(r.replaceWith);
    g_record.wReplaceWithLen = r.replaceWithLen;
    HWND dialog = replace ? comdlg::ShowReplace(&g_record) : comdlg::ShowFind(&g_record);
    g_dialog = dialog;
    if (FieldsPassThroughAnsi()) {
        ::SetDlgItemTextW(dialog, kFindField, g_record.lpstrFindWhat);
        if (replace) ::SetDlgItemTextW(dialog, kReplaceField, g_record.lpstrReplaceWith);
    }
    return reinterpret_cast<Handle>(dialog);
}

unsigned long Win32FindDialogs::ExtendedError() { return comdlg::ExtendedError(); }

bool Win32FindDialogs::ReadRecord(long lParam, FindRecord& r) {
    if (reinterpret_cast<const FINDREPLACEW*>(static_cast<LONG_PTR>(lParam)) != &g_record) return false;
    if (FieldsPassThroughAnsi()) {
        if (g_record.lpstrFindWhat && g_record.wFindWhatLen)
            ::GetDlgItemTextW(g_dialog, kFindField, g_record.lpstrFindWhat, g_record.wFindWhatLen);
        if (g_record.lpstrReplaceWith && g_record.wReplaceWithLen && ::GetDlgItem(g_dialog, kReplaceField))
            ::GetDlgItemTextW(g_dialog, kReplaceField, g_record.lpstrReplaceWith, g_record.wReplaceWithLen);
    }
    FINDREPLACEW copy = g_record;
    r.owner = reinterpret_cast<Handle>(copy.hwndOwner);
    r.flags = copy.Flags;
    r.findWhat = reinterpret_cast<char16_t*>(copy.lpstrFindWhat);
    r.findWhatLen = copy.wFindWhatLen;
    r.replaceWith = reinterpret_cast<char16_t*>(copy.lpstrReplaceWith);
    r.replaceWithLen = copy.wReplaceWithLen;
    return true;
}

void Win32FindDialogs::Close(Handle dialog) {
    if (Hwnd(dialog) == g_dialog) g_dialog = nullptr;
    if (::IsWindow(Hwnd(dialog))) ::DestroyWindow(Hwnd(dialog));
}

namespace {

// The system's rules: its lowercase table (CharLowerBuffW, one unit for one), letters and
// digits of every script (GetStringTypeW), marks that belong to letters counted with them.
class SystemCharRules : public ICharRules {
public:
    void Lower(char16_t* s, std::size_t n) const override {
        if (n == 0) return;
        ::CharLowerBuffW(reinterpret_cast<wchar_t*>(s), static_cast<DWORD>(n));
    }
    bool IsWordChar(std::uint32_t cp) const override {
        if (cp < 0x80 || cp >= 0x10000) return ICharRules::IsWordChar(cp);
        const wchar_t c = static_cast<wchar_t>(cp);
        WORD type1 = 0, type3 = 0;
        ::GetStringTypeW(CT_CTYPE1, &c, 1, &type1);
        ::GetStringTypeW(CT_CTYPE3, &c, 1, &type3);
        if (type1 & (C1_ALPHA | C1_DIGIT)) return true;
        return (type3 & (C3_ALPHA | C3_NONSPACING | C3_VOWELMARK)) != 0 && !(type1 & (C1_PUNCT | C1_SPACE));
    }
};

}  // namespace

const ICharRules& Win32FindDialogs::CharRules() {
    static const SystemCharRules rules;
    return rules;
}

}  // namespace pw::win32
