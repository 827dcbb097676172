#include "editor/printing/CWordWrap.h"

#include <cmath>

namespace pw {

namespace {
constexpr float kTabOrigin = 720;   // tab stops count from here whatever the left margin is
}  // namespace

void CWordWrap::BeginPage(bool newPage) {
    IPrinterSurface& p = printing_.Printer();
    if (newPage) p.NewPage();
    // Header, centred across the printable width and in the top margin.
    p.SetCurrentY((marginTop_ - p.TextHeight(headerText_)) / 2);
    p.SetCurrentX((p.ScaleWidth() - p.TextWidth(headerText_)) / 2);
    p.Print(headerText_);
    // Footer: the date at the left margin, the page number ending at the right margin, both
    // with their top halfway down the bottom margin.
    const float footerY = p.ScaleHeight() - marginBottom_ / 2;
    p.SetCurrentX(marginLeft_);
    p.SetCurrentY(footerY);
    p.Print(printing_.ShortDate());
    const std::string page = "Page " + std::to_string(p.Page());
    p.SetCurrentX(p.ScaleWidth() - (p.TextWidth(page) + marginRight_));
    p.SetCurrentY(footerY);
    p.Print(page);
    p.SetCurrentX(marginLeft_);
    p.SetCurrentY(marginTop_);
}

void CWordWrap::LineEnd() {
    IPrinterSurface& p = printing_.Printer();
    p.PrintLineBreak();
    if (p.CurrentY() > p.ScaleHeight() - marginBottom_) {
        BeginPage(true);
    } else {
        p.SetCurrentX(marginLeft_);
    }
}

void CWordWrap::NextTabStop() {
    IPrinterSurface& p = printing_.Printer();
    const float w = p.TextWidth("0");
    if (!(w > 0)) return;
    // Rounded half to even (the default rounding mode), remainder with the sign of n: the
    // next stop strictly beyond the rounded position.
    const long n = std::lrint((p.CurrentX() - kTabOrigin) / w);
    const long m = n + 10 - (n % 10);
    p.SetCurrentX(w * static_cast<float>(m) + kTabOrigin);
}

bool CWordWrap::Abort() {
    IPrinterSurface& p = printing_.Printer();
    failure_.printer = p.DeviceName();
    failure_.reason = p.FailureReason();
    failure_.cancelled = p.Cancelled();
    p.AbortDoc();
    ui_.SetBusyCursor(false);
    return false;
}

bool CWordWrap::PrintText(const std::string& text) {
    IPrinterSurface& p = printing_.Printer();
    failure_ = {};
    ui_.SetBusyCursor(true);
    BeginPage(false);
    if (p.Failed()) return Abort();
    const float right = p.ScaleWidth() - marginRight_;
    const size_t len = text.size();
    size_t i = 0;
    std::string word;
    while (i < len) {
        const size_t start = i;
        while (i < len && static_cast<unsigned char>(text[i]) > 32) ++i;
        word.assign(text, start, i - start);
        if (p.CurrentX() + p.TextWidth(word) > right) LineEnd();
        p.Print(word);
        while (i < len && static_cast<unsigned char>(text[i]) <= 32) {
            switch (text[i]) {
                case ' ': p.Print(" "); break;
                case '\n': LineEnd(); break;
                case '\t': NextTabStop(); break;
                default: break;   // CR and the other control characters print nothing
            }
            ++i;
        }
        if (p.Failed()) return Abort();
    }
    p.EndDoc();
    if (p.Failed()) return Abort();
    ui_.SetBusyCursor(false);
    return true;
}

}  // namespace pw
