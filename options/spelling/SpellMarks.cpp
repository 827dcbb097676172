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
    txtNote_->Invalidate(txtNote_->ClientPixels());   // the waves wherever they are now
    marks_.clear();
}

void SpellMarks::Attach(IControl& box) {
    marks_.clear();   // the old box's, gone with it
    firstLine_ = -1;
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

std::vector<SpellMarks::Mark> SpellMarks::LayOut(IBoxCanvas& canvas, long& first, int& firstX) {
    std::vector<Mark> out;
    IControl& box = *txtNote_;
    lineHeight_ = std::max(1, canvas.LineHeight());
    const PixelRect client = box.ClientPixels();
    first = box.Send(EM_GETFIRSTVISIBLELINE_, 0, 0);
    firstX = 0;
    const long start = box.Send(EM_LINEINDEX_, static_cast<unsigned long>(first), 0);
    if (start < 0) return out;
    int y0 = 0;
    PosOf(box, start, firstX, y0);
    // The text from the first line shown on: as many lines as the box shows (a wrapped line
    // shows as several), read in one piece. Asking the box line by line would cost it a walk
    // over its lines each time.
    const std::size_t shown = static_cast<std::size_t>((client.bottom - client.top) / lineHeight_ + 1);
    std::u16string text;
    for (std::size_t want = kFirstRead;; want *= 4) {
        text = box.TextFrom(start, static_cast<long>(want));
        if (text.size() < want || want >= kMostRead ||
            static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\n')) >= shown)
            break;
    }
    // A line of plain text narrower than the box shows on one row, and its words stand where
    // their text before them ends: no need to ask the box, whose answer costs it a walk over its
    // lines each time. Other lines (tabs, scripts drawn otherwise, lines that may wrap) ask it.
    const int clientWidth = client.right - client.left;
    const int slack = 2 * canvas.TextWidth(u"W") + 2 * std::max(firstX, 0);
    const int widest = std::max(1, canvas.WidestChar());
    std::vector<int> ends;
    int row = 0;              // the screen row of this line, counted from the first line shown
    bool rowKnown = true;     // false after a line that may take more rows than one
    std::size_t pos = 0;
    for (std::size_t n = 0; n < shown && pos < text.size(); ++n) {
        const std::size_t brk = text.find(u'\n', pos);
        const std::size_t next = brk == std::u16string::npos ? text.size() : brk + 1;
        std::size_t end = brk == std::u16string::npos ? text.size() : brk;
        if (end > pos && text[end - 1] == u'\r') --end;
        const std::u16string line = text.substr(pos, end - pos);
        const long lineAt = start + static_cast<long>(pos);
        if (!rowKnown) {
            int x = 0, y = 0;
            if (!PosOf(box, lineAt, x, y)) return out;
            row = (y - y0) / lineHeight_;
            rowKnown = true;
        }
        if (y0 + row * lineHeight_ >= client.bottom) return out;   // below the box: done
        const bool plain = std::all_of(line.begin(), line.end(), [](char16_t c) { return c >= u' ' && c < 0x0300; });
        const std::vector<WordSpan> words = lines_->Check(line);
        // Where each character ends, measured once for the line (or up to its last mark).
        ends.clear();
        bool oneRow = false;
        if (plain) {
            const std::size_t upTo = words.empty() ? 0 : words.back().start + words.back().length;
            if (static_cast<long long>(line.size()) * widest + slack <= clientWidth) {
                oneRow = true;   // narrower than the box whatever its letters
                if (upTo > 0) canvas.CharEnds(line.substr(0, upTo), ends);
            } else {
                canvas.CharEnds(line, ends);
                oneRow = !ends.empty() && ends.back() + slack <= clientWidth;
            }
            if (upTo > 0 && ends.size() < upTo) oneRow = false;   // not measured: ask the box
        }
        for (const WordSpan& w : words) {
            const long at = lineAt + static_cast<long>(w.start);
            int x = 0, y = 0, right = 0;
            if (oneRow) {
                x = firstX + (w.start > 0 ? ends[w.start - 1] : 0);
                right = firstX + ends[w.start + w.length - 1];
                y = y0 + row * lineHeight_;
            } else if (!PosOf(box, at, x, y) || y >= client.bottom) {
                return out;   // below the box: done
            }
            if (x >= client.right) break;   // the rest of the line lies further right
            Mark m;
            m.word = line.substr(w.start, w.length);
            if (!oneRow) right = x + canvas.TextWidth(m.word);
            if (right <= client.left) continue;
            m.area = {x, y, right, y + lineHeight_};
            m.at = at;
            m.length = static_cast<long>(w.length);
            out.push_back(std::move(m));
        }
        if (oneRow) ++row;
        else rowKnown = false;
        pos = next;
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
    const PixelRect client = txtNote_->ClientPixels();
    for (const Mark& m : old) {
        if (m.area.bottom <= client.top || m.area.top >= client.bottom || m.area.right <= client.left ||
            m.area.left >= client.right)
            continue;   // off the box
        const bool stays = std::any_of(now.begin(), now.end(), [&](const Mark& n) { return n.area == m.area; });
        if (!stays) txtNote_->Invalidate(m.area);
    }
}

std::vector<SpellMarks::Mark> SpellMarks::Scrolled(std::vector<Mark> old, long first, int firstX) const {
    if (firstLine_ < 0) return old;
    const int dy = static_cast<int>(firstLine_ - first) * lineHeight_, dx = firstX - firstX_;
    for (Mark& m : old) {
        m.area.left += dx;
        m.area.right += dx;
        m.area.top += dy;
        m.area.bottom += dy;
    }
    return old;
}

void SpellMarks::Painted(IBoxCanvas& canvas) {
    if (!on_ || !txtNote_) return;
    if (!lines_) {
        // The list is unpacked at the first pause rather than in the middle of a paint.
        if (!failed_ && !loadAsked_ && form_) form_->StartTimer(kTimer, kPauseMs);
        loadAsked_ = true;
        return;
    }
    // While typing goes on the box paints what it changed; the pause lays the marks out.
    if (typing_) return;
    long first = 0;
    int firstX = 0;
    std::vector<Mark> now = LayOut(canvas, first, firstX);
    // What scrolled moved its waves along with the text; what is no longer marked, or moved
    // by typing, is painted away.
    Erase(Scrolled(std::move(marks_), first, firstX), now);
    marks_ = std::move(now);
    firstLine_ = first;
    firstX_ = firstX;
    selectionShown_ = txtNote_->HasSelection();
    Draw(canvas);
}

void SpellMarks::Drawn(IBoxCanvas& canvas) {
    // After a change of the text the places are no longer known: the pause lays them out.
    if (!on_ || typing_ || !txtNote_ || marks_.empty()) return;
    // Only a selection, shown or taken away, draws over the waves; a caret alone does not.
    const bool selection = txtNote_->HasSelection();
    if (!selection && !selectionShown_) return;
    selectionShown_ = selection;
    // The box scrolled (a key, the mouse): the paint that follows lays the marks out anew.
    long line = 0;
    int x = 0;
    ScrolledTo(line, x);
    if (line != firstLine_ || x != firstX_) return;
    Draw(canvas);
}

}  // namespace pw
