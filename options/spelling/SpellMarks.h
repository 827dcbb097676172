// Spelling as you type: the unknown words of the lines on screen get a red wavy line under
// them, drawn over the note box once typing pauses, and a right click on one offers the
// checker's suggestions, Ignore All and Add to Dictionary before the box's usual entries.
// File > Check Spelling As You Type turns it on and off. The words are judged as Check
// Spelling's built-in checker judges them, with the same word list and the user's words.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "options/spelling/SpellChecker.h"
#include "options/spelling/SpellLines.h"
#include "options/spelling/UserDictionary.h"
#include "platform/NoteWindow.h"
#include "platform/TimerIds.h"

namespace pw {

class SpellMarks : private NoteWindow, public IBoxOverlay {
public:
    static constexpr int kTimer = timerSpellMarks;
    static constexpr unsigned kPauseMs = 400;      // typing paused this long: the marks again
    static constexpr std::size_t kSuggestions = 5; // at most, in the word's menu
    // The text read from the box at a paint: first this much, more while it holds fewer lines
    // than the box shows, up to the most.
    static constexpr std::size_t kFirstRead = 16384, kMostRead = 1u << 20;

    // A marked word on screen.
    struct Mark {
        PixelRect area;          // the word's box on screen, a line high; the wave at its bottom
        long at = 0;             // the word in the box: its first character and its length
        long length = 0;
        std::u16string word;
    };

    explicit SpellMarks(const NoteWindow& window);
    ~SpellMarks() override;

    bool On() const { return on_; }
    // Checks the menu entry; on, the note box shows the marks; off, they go.
    void SetOn(bool on);
    void Toggle() { SetOn(!on_); }
    // The note box was replaced (word wrap): the marks move to the new one.
    void Attach(IControl& box);
    // The note's text changed: the marks once typing pauses.
    void TextChanged();
    bool TimerMessage(unsigned msg, unsigned long wParam);
    // Check Spelling may have added words to the user's list.
    void UserWordsChanged();

    // The box's menu commands the word's menu ends with; the main window's Edit commands
    // (menu ids), or the box's own when unset.
    std::function<void(int id)> EditCommand;

    const std::vector<Mark>& marks() const { return marks_; }
    // The line texts checked and kept.
    std::size_t CheckedLines() const { return lines_ ? lines_->CachedLines() : 0; }

    // The box's overlay.
    void Painted(IBoxCanvas& canvas) override;
    void Drawn(IBoxCanvas& canvas) override;
    bool ContextMenu(int x, int y, bool atPoint) override;

private:
    // The word list and the user's words, once; false when the list cannot be had.
    bool Ready();
    // The marks of the lines on screen, as the box shows them now; and where the first line
    // shown is (its number, the x of its start).
    std::vector<Mark> LayOut(IBoxCanvas& canvas, long& first, int& firstX);
    void Draw(IBoxCanvas& canvas) const;
    // Where the box's first line shown starts on screen (it moves when the box scrolls).
    void ScrolledTo(long& line, int& x) const;
    // The old marks' places moved as the box scrolled since they were laid out.
    std::vector<Mark> Scrolled(std::vector<Mark> old, long first, int firstX) const;
    // The old marks' places painted again, where no mark stays (old: where they are now).
    void Erase(const std::vector<Mark>& old, const std::vector<Mark>& now);
    // The unknown word at `offset` of the box's line, if any.
    bool WordAt(long line, long offset, Mark& out);
    // The mark is still on its word (typing may have moved the word since).
    bool StillThere(const Mark& m);
    void RunMenu(const Mark& word, int x, int y);
    void RunEditCommand(int id);

    bool on_ = true;
    bool attached_ = false;
    bool typing_ = false;       // the text changed since the marks were laid out
    bool failed_ = false;       // the word list could not be loaded
    bool loadAsked_ = false;    // a paint asked for the list to be loaded at the next pause
    bool selectionShown_ = false;   // the box showed a selection when the marks were last drawn
    int lineHeight_ = 16;
    long firstLine_ = -1;       // the box's first line shown, and where its start was drawn,
    int firstX_ = 0;            // when the marks were laid out
    std::unique_ptr<WordList> words_;
    std::unique_ptr<SpellChecker> checker_;
    std::unique_ptr<SpellLines> lines_;
    std::unique_ptr<UserDictionary> userWords_;
    std::vector<Mark> marks_;
};

}  // namespace pw
