// Find and Replace: the modeless system dialogs over the main window, the procedure put in
// front of the main window's to receive their registered message, and the searches they run
// on the note. One set of state for the whole run.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "editor/TextSearch.h"
#include "platform/platform.h"

namespace pw {

class FindReplace : public FindProcTarget {
public:
    static constexpr unsigned kBufferSize = 1025;   // announced to the dialog as 1024
    static constexpr unsigned short kAnnounced = 1024;

    explicit FindReplace(Platform& platform);
    ~FindReplace() override;
    FindReplace(const FindReplace&) = delete;
    FindReplace& operator=(const FindReplace&) = delete;

    // Open the dialog for the box; owner is the box's form (the main window). An open dialog
    // is closed first, so there is only ever one, showing the current selection.
    void ShowFind(IControl& textBox, Handle owner);
    void ShowReplace(IControl& textBox, Handle owner);
    void ShowFindReplace(IControl& textBox, Handle owner, bool replace);

    unsigned FindReplaceMsg();
    long FindReplaceProc(Handle window, unsigned msg, unsigned long wParam, long lParam) override;
    // The registered message's work, for a record that reached the window another way.
    void Notify(long lParam);

    // Searches on the target box, as the dialog's buttons run them.
    void FindDown(const std::string& find, bool wholeWord, bool matchCase);
    void FindUp(const std::string& find, bool wholeWord, bool matchCase);
    void ReplaceFound(const std::string& find, const std::string& replace, bool wholeWord,
                      bool matchCase, bool all);
    // Text of one of our dialog buffers (UTF-8), cut at its first NUL; anything else reads as empty.
    std::string BufferToString(const char16_t* address, unsigned length) const;
    // False, after telling the user, when replacing text[start, end) by insert would take the
    // note past what the box can hold.
    bool FitsAfter(const std::string& text, size_t start, size_t end, const std::string& insert, const char* what);

    // For the Edit menu and tests.
    void SetTarget(IControl& textBox) { target_ = &textBox; }
    Handle Dialog() const { return dialog_; }
    std::uintptr_t PreviousProc() const { return previousProc_; }
    const std::string& FindText() const { return findText_; }
    const std::string& ReplaceText() const { return replaceText_; }
    const std::vector<char16_t>& FindBuffer() const { return findBuffer_; }
    const std::vector<char16_t>& ReplaceBuffer() const { return replaceBuffer_; }

private:
    SearchRules Rules(bool wholeWord, bool matchCase);
    void CloseDialog();

    Platform& p_;
    IControl* target_ = nullptr;
    Handle owner_ = 0;                 // the window our procedure is installed on
    std::uintptr_t previousProc_ = 0;
    unsigned message_ = 0;
    std::string findText_, replaceText_;
    std::vector<char16_t> findBuffer_, replaceBuffer_;
    FindRecord record_;
    Handle dialog_ = 0;
};

}  // namespace pw
