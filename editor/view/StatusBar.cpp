#include "editor/view/StatusBar.h"

#include <algorithm>

#include "editor/NoteLines.h"
#include "platform/MenuIds.h"
#include "platform/WinNumbers.h"

namespace pw {

namespace {

// Panel widths from the right end, twips: the encoding, the zoom, the caret's place.
constexpr float kEncodingWidth = 1800, kZoomWidth = 900, kCaretWidth = 2250;

}  // namespace

const char* EncodingName(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Ansi: return "ANSI";
        case TextEncoding::Utf8: return "UTF-8 with BOM";
        case TextEncoding::Utf16LE: return "UTF-16 LE";
        case TextEncoding::Utf16BE: return "UTF-16 BE";
    }
    return "";
}

void StatusBar::SetVisible(bool visible) {
    visible_ = visible;
    form_->SetMenuChecked(mnuViewStatusBar, visible);
    if (visible && !bar_) bar_ = &form_->AddControl({kBarId, ControlKind::StatusBar, "", 0, 0, 0, 0, 0});
    if (bar_) bar_->SetVisible(visible);
    Layout();   // the panels first: a bar drops the text of a panel it does not have yet
    if (visible) {
        for (std::string& s : shown_) s.clear();
        Refresh();
    }
}

void StatusBar::Layout() {
    const float width = form_->ScaleWidth(), height = form_->ScaleHeight();
    float boxHeight = height;
    if (Showing()) {
        const float barHeight = bar_->Height();
        bar_->Move(0, std::max(0.0f, height - barHeight), width, barHeight);
        boxHeight = std::max(0.0f, height - barHeight);
        const float encoding = std::max(0.0f, width - kEncodingWidth);
        const float zoom = std::max(0.0f, encoding - kZoomWidth);
        const float caret = std::max(0.0f, zoom - kCaretWidth);
        bar_->SetPanels({caret, zoom, encoding});
    }
    txtNote_->Move(0, 0, width, boxHeight);
}

void StatusBar::CaretMoved() {
    if (!Showing()) return;
    // In the box's own units: no conversion of the whole text at every key.
    const LineColumn at = LineColumnAt(txtNote_->Utf16Text(), static_cast<size_t>(txtNote_->SelStartUnits()));
    Show(pnlCaret, "Ln " + std::to_string(at.line) + ", Col " + std::to_string(at.column));
}

void StatusBar::TextChanged() {
    if (Showing()) form_->StartTimer(kEncodingTimer, kEncodingPauseMs);
}

bool StatusBar::TimerMessage(unsigned msg, unsigned long wParam) {
    if (msg != WM_TIMER_ || wParam != kEncodingTimer) return false;
    form_->StopTimer(kEncodingTimer);
    ShowEncoding();
    return true;
}

void StatusBar::ZoomChanged(int percent) {
    zoom_ = percent;
    if (Showing()) Show(pnlZoom, std::to_string(percent) + "%");
}

void StatusBar::Refresh() {
    if (!Showing()) return;
    CaretMoved();
    ZoomChanged(zoom_);
    ShowEncoding();
}

void StatusBar::Show(int panel, const std::string& text) {
    if (shown_[panel] == text) return;
    shown_[panel] = text;
    bar_->SetPanelText(panel, text);
}

void StatusBar::ShowEncoding() {
    if (!Showing()) return;
    Show(pnlEncoding, EncodingName(EncodingToWrite(txtNote_->Text(), savedEncoding_(), p_.CodePage())));
}

}  // namespace pw
