#include "options/spelling/SpellMarks.h"

#include <algorithm>

#include "options/spelling/SpellCommand.h"
#include "platform/MenuIds.h"
#include "platform/WinNumbers.h"

namespace pw {

namespace {

// EM_POSFROMCHAR's answer: the client point of a character, or false for none.
bool PosOf(IControl& box, long at, int& x, int& y) {
    const long r = box.Send(EM_POSFROMCHAR_, static_cast<unsigned long>(at), 0);
    if (r == -1) return false;
    x = static_cast<short>(r & 0xFFFF);
    y = static_cast<short>((static_cast<unsigned long>(r) >> 16) & 0xFFFF);
    return true;
}

}  // namespace

SpellMarks::SpellMarks(const NoteWindow& window) : NoteWindow(window) {}

SpellMarks::~SpellMarks() = default;

void SpellMarks::SetOn(bool on) {
    if (form_) form_->SetMenuChecked(mnuSpellAsYouType, on);
    on_ = on;
    if (!txtNote_) return;
    if (on) {
        Attach(*txtNote_);
        return;
    }
    if (form_) form_->StopTimer(kTimer);
    txtNote_->SetOverlay(nullptr);
    attached_ = false;
    Erase(marks_, {});
    marks_.clear();
}

void SpellMarks::Attach(IControl& box) {
    marks_.clear();   // the old box's, gone with it
    if (!on_) return;
    box.SetOverlay(this);
    attached_ = true;
    typing_ = false;
    // Without the list yet, a paint asks for it (at start the window's first paint does).
    if (lines_) box.PaintOverlay();
    else box.Invalidate(box.ClientPixels());
}

void SpellMarks::TextChanged() {
    if (!on_ || !attached_) return;
    typing_ = true;
    form_->StartTimer(kTimer, kPauseMs);   // again from now: typing goes on
}

bool SpellMarks::TimerMessage(unsigned msg, unsigned long wParam) {
    if (msg != WM_TIMER_ || wParam != static_cast<unsigned long>(kTimer)) return false;
    form_->StopTimer(kTimer);
    typing_ = false;
    if (on_ && attached_ && txtNote_ && Ready()) txtNote_->PaintOverlay();
    return true;
}

void SpellMarks::UserWordsChanged() {
    if (!lines_) return;
    for (const std::string& w : userWords_->Read()) checker_->AddWord(w);
    lines_->Forget();
    if (on_ && attached_ && txtNote_) txtNote_->PaintOverlay();
}

bool SpellMarks::Ready() {
    if (lines_) return true;
    if (failed_) return false;
    std::string packed;
    words_ = std::make_unique<WordList>();
    if (!p_.resources || !p_.resources->Data(kWordListResource, packed) || !words_->Load(packed)) {
        failed_ = true;   // no marks: Check Spelling tells the user why when it is chosen
        words_.reset();
        return false;
    }
    checker_ = std::make_unique<SpellChecker>(*words_);
    userWords_ = std::make_unique<UserDictionary>(p_);
    for (const std::string& w : userWords_->Read()) checker_->AddWord(w);
    lines_ = std::make_unique<SpellLines>(*checker_);
    return true;
}

std::size_t SpellMarks::CacheBytes() const {
    std::size_t bytes = marks_.capacity() * sizeof(Mark);
    for (const Mark& m : marks_) bytes += m.word.capacity() * sizeof(char16_t);
    return bytes + (lines_ ? lines_->CachedBytes() : 0);
}

std::vector<SpellMarks::Mark> SpellMarks::LayOut(IBoxCanvas& canvas) {
    std::vector<Mark> out;
    IControl& box = *txtNote_;
    lineHeight_ = std::max(1, canvas.LineHeight());
    const PixelRect client = box.ClientPixels();
    const long first = box.Send(EM_GETFIRSTVISIBLELINE_, 0, 0);
    const long count = box.Send(EM_GETLINECOUNT_, 0, 0);
    const long shown = (client.bottom - client.top) / lineHeight_ + 1;
    // While typing goes on, the word under the caret is left alone: it is not finished.
    const long caretLine = typing_ ? box.Send(EM_LINEFROMCHAR_, static_cast<unsigned long>(box.SelStartUnits()), 0) : -1;
    for (long line = first; line < count && line < first + shown; ++line) {
        if (line == caretLine) continue;
        const long start = box.Send(EM_LINEINDEX_, static_cast<unsigned long>(line), 0);
        if (start < 0) break;
        const std::u16string text = box.LineText(static_cast<int>(line));
        for (const WordSpan& w : lines_->Check(text)) {
            Mark m;
            int x = 0, y = 0;
            if (!PosOf(box, start + static_cast<long>(w.start), x, y)) continue;
            m.word = text.substr(w.start, w.length);
            const std::size_t end = w.start + w.length;
            int xe = 0, ye = 0;
            if (end < text.size() && PosOf(box, start + static_cast<long>(end), xe, ye) && ye == y && xe > x) {
            } else {
                xe = x + canvas.TextWidth(m.word);
            }
            m.area = {x, y, xe, y + lineHeight_};
            m.line = line;
            m.lineStart = start;
            m.span = w;
            out.push_back(std::move(m));
        }
    }
    return out;
}

void SpellMarks::ScrolledTo(long& line, int& x) const {
    IControl& box = *txtNote_;
    line = box.Send(EM_GETFIRSTVISIBLELINE_, 0, 0);
    int y = 0;
    x = 0;
    PosOf(box, box.Send(EM_LINEINDEX_, static_cast<unsigned long>(line), 0), x, y);
}

void SpellMarks::Draw(IBoxCanvas& canvas) const {
    for (const Mark& m : marks_) canvas.WavyLine(m.area.left, m.area.bottom - 1, m.area.right - m.area.left);
}

void SpellMarks::Erase(const std::vector<Mark>& old, const std::vector<Mark>& now) {
    if (!txtNote_) return;
    for (const Mark& m : old) {
        const bool stays = std::any_of(now.begin(), now.end(), [&](const Mark& n) { return n.area == m.area; });
        if (!stays) txtNote_->Invalidate(m.area);
    }
}

void SpellMarks::Painted(IBoxCanvas& canvas) {
    if (!on_ || !txtNote_) return;
    if (!lines_) {
        // The list is unpacked at the first pause rather than in the middle of a paint.
        if (!failed_ && !loadAsked_ && form_) form_->StartTimer(kTimer, kPauseMs);
        loadAsked_ = true;
        return;
    }
    std::vector<Mark> now = LayOut(canvas);
    ScrolledTo(firstLine_, firstX_);
    Erase(marks_, now);
    marks_ = std::move(now);
    Draw(canvas);
}

void SpellMarks::Drawn(IBoxCanvas& canvas) {
    // After a change of the text the places are no longer known: the pause lays them out.
    if (!on_ || typing_ || !txtNote_) return;
    // The box scrolled (a key, the mouse): the paint that follows lays the marks out anew.
    long line = 0;
    int x = 0;
    ScrolledTo(line, x);
    if (line != firstLine_ || x != firstX_) return;
    Draw(canvas);
}

}  // namespace pw
