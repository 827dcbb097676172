// frmSpelling, "Spelling": the built-in checker's dialog, modal, owned by the main window.
// It asks about one word at a time; the note follows every change at once, with the word
// in question selected and scrolled into view.
#pragma once
#include <memory>

#include "options/spelling/SpellSession.h"
#include "options/spelling/UserDictionary.h"
#include "platform/platform.h"

namespace pw {

class frmSpelling : public FormEvents {
public:
    enum Id {
        lblNotInDict = 31, txtNotInDict, lblChangeTo, txtChangeTo, lblSuggestions, lstSuggestions,
        cmdIgnore, cmdIgnoreAll, cmdChange, cmdChangeAll, cmdAdd, cmdCancel,
    };

    frmSpelling(Platform& p, IControl& note, SpellSession& session, UserDictionary& userWords, Handle owner);
    ~frmSpelling() override;

    // Shows the dialog on the session's current word and returns when the user is done:
    // true when the check went to the end, false when it was cancelled.
    bool Run();
    IForm* form() { return form_.get(); }
    // The edits the note's box has taken during the check.
    int EditsMade() const { return editsMade_; }

    void Form_QueryUnload(bool& cancel, int reason) override;
    void Form_Unload() override;
    void Command(int id) override;
    void Changed(int id) override;

    void cmdIgnore_Click();
    void cmdIgnoreAll_Click();
    void cmdChange_Click();
    void cmdChangeAll_Click();
    void cmdAdd_Click();
    void cmdCancel_Click();
    void lstSuggestions_Click();

private:
    void ShowWord();
    void NextWord();       // the next word, or the end of the check
    void ApplyEdits();     // the session's edits, made in the note
    void Finish(bool completed);
    IControl& C(int id) { return *controls_[id - lblNotInDict]; }

    Platform& p_;
    IControl& note_;
    SpellSession& session_;
    UserDictionary& userWords_;
    Handle owner_;
    std::unique_ptr<IForm> form_;
    IControl* controls_[12] = {};
    bool completed_ = false;
    bool finishing_ = false;
    int editsMade_ = 0;
};

}  // namespace pw
