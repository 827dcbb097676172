#include "platform/win32/Win32Printer.h"

#include <cmath>
#include <cstddef>
#include <cwchar>
#include <vector>

#include "platform/TextCodec.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Ui.h"

namespace pw::win32 {

namespace {

// The name the print queue shows for our jobs.
const char kDocumentName[] = "Pagewick note";

int ToDevice(float twips, float twipsPerPixel) {
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

}  // namespace

Win32PrinterSurface::~Win32PrinterSurface() {
    if (inJob_) AbortDoc();
    CloseDc();
}

void Win32PrinterSurface::UsePrinter(const PrinterChoice& printer) {
    if (inJob_) return;   // the running job keeps its printer
    CloseDc();
    printer_ = printer;
    failed_ = false;
    reason_.clear();
}

// what: what the printer refused, as the user reads it, e.g. "A page could not be written".
void Win32PrinterSurface::Fail(const char* what) {
    if (failed_) return;
    const DWORD code = ::GetLastError();
    std::string said = code ? LastErrorText(code) : std::string();
    while (!said.empty() && (said.back() == '\n' || said.back() == '\r' || said.back() == ' ' || said.back() == '.'))
        said.pop_back();
    failed_ = true;
    // A printer that prints to a file asks for its name as the job starts; cancelling that
    // prompt fails the job with ERROR_CANCELLED.
    cancelled_ = code == ERROR_CANCELLED;
    reason_ = std::string(what) + (said.empty() ? "." : " (" + said + ").");
}

bool Win32PrinterSurface::OpenDc() {
    if (dc_) return true;
    if (failed_) return false;
    if (printer_.deviceName.empty()) {
        ::SetLastError(0);
        failed_ = true;
        reason_ = "No printer has been chosen.";
        return false;
    }
    // The dialog's settings, with the copies left to us: every copy is a job of its own.
    std::vector<char> devMode(printer_.devMode.begin(), printer_.devMode.end());
    DEVMODEA* dm = nullptr;
    constexpr size_t kThroughCollate = offsetof(DEVMODEA, dmCollate) + sizeof(short);
    if (devMode.size() >= kThroughCollate) {
        dm = reinterpret_cast<DEVMODEA*>(devMode.data());
        if (dm->dmSize < kThroughCollate || size_t{dm->dmSize} + dm->dmDriverExtra > devMode.size()) {
            dm = nullptr;   // not a whole record: the printer's own defaults then
        } else {
            dm->dmCopies = 1;
            dm->dmCollate = DMCOLLATE_FALSE;
        }
    }
    ::SetLastError(0);
    dc_ = ::CreateDCA("WINSPOOL", Utf8ToAnsi(printer_.deviceName).c_str(), nullptr, dm);
    if (!dc_) {
        Fail("The printer could not be opened");
        return false;
    }
    const int dpiX = ::GetDeviceCaps(dc_, LOGPIXELSX), dpiY = ::GetDeviceCaps(dc_, LOGPIXELSY);
    twipsX_ = dpiX > 0 ? 1440.0f / static_cast<float>(dpiX) : 1;
    twipsY_ = dpiY > 0 ? 1440.0f / static_cast<float>(dpiY) : 1;
    scaleWidth_ = static_cast<float>(::GetDeviceCaps(dc_, HORZRES)) * twipsX_;
    scaleHeight_ = static_cast<float>(::GetDeviceCaps(dc_, VERTRES)) * twipsY_;
    ::SetMapMode(dc_, MM_TEXT);
    ::SetBkMode(dc_, TRANSPARENT);
    ::SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    ApplyFont();
    return true;
}

void Win32PrinterSurface::ApplyFont() {
    if (!dc_) return;
    Flush();
    measured_.clear();
    const float dpiY = 1440.0f / twipsY_;
    HFONT font = ::CreateFontA(-static_cast<int>(std::lround(fontSize_ * dpiY / 72.0f)), 0, 0, 0, FW_NORMAL,
                               FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                               DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, fontName_.c_str());
    if (!font) return;   // the DC keeps the font it had
    HGDIOBJ previous = ::SelectObject(dc_, font);
    if (!oldFont_) oldFont_ = previous;
    if (font_) ::DeleteObject(font_);
    font_ = font;
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(dc_, &tm);
    haveCharWidths_ = ::GetCharWidth32A(dc_, 0, 255, charWidths_) != FALSE;
    // A font that overhangs or kerns is measured text by text instead.
    if (tm.tmOverhang != 0) haveCharWidths_ = false;
    lineHeight_ = static_cast<float>(tm.tmHeight + tm.tmExternalLeading) * twipsY_;
}

void Win32PrinterSurface::CloseDc() {
    if (!dc_) return;
    if (oldFont_) ::SelectObject(dc_, oldFont_);
    oldFont_ = nullptr;
    if (font_) ::DeleteObject(font_);
    font_ = nullptr;
    ::DeleteDC(dc_);
    dc_ = nullptr;
}

bool Win32PrinterSurface::StartJob() {
    if (failed_) return false;
    if (inJob_) return true;
    if (!OpenDc()) return false;
    DOCINFOA info = {};
    info.cbSize = sizeof(info);
    info.lpszDocName = kDocumentName;
    ::SetLastError(0);
    if (::StartDocA(dc_, &info) <= 0) {
        Fail("The printer did not accept the print job");
        return false;
    }
    inJob_ = true;
    page_ = 1;
    ::SetLastError(0);
    if (::StartPage(dc_) <= 0) {
        Fail("A page could not be started");
        return false;
    }
    ApplyFont();
    return true;
}

float Win32PrinterSurface::ScaleWidth() { return OpenDc() ? scaleWidth_ : 0; }
float Win32PrinterSurface::ScaleHeight() { return OpenDc() ? scaleHeight_ : 0; }

float Win32PrinterSurface::TextWidth(const std::string& text) {
    if (text.empty() || !OpenDc()) return 0;
    if (text == measured_) return measuredWidth_;
    long pixels = 0;
    // The text is UTF-8: ASCII is measured by the table, anything else by the system.
    if (haveCharWidths_ && IsAscii(text)) {
        for (unsigned char c : text) pixels += charWidths_[c];
    } else {
        const std::u16string wide = Utf8ToUtf16(text);
        SIZE size = {};
        ::GetTextExtentPoint32W(dc_, reinterpret_cast<const wchar_t*>(wide.data()), static_cast<int>(wide.size()), &size);
        pixels = size.cx;
    }
    measured_ = text;
    measuredWidth_ = static_cast<float>(pixels) * twipsX_;
    return measuredWidth_;
}

void Win32PrinterSurface::Flush() {
    if (run_.empty()) return;
    if (dc_) {
        const std::u16string wide = Utf8ToUtf16(run_);
        ::TextOutW(dc_, ToDevice(runX_, twipsX_), ToDevice(runY_, twipsY_), reinterpret_cast<const wchar_t*>(wide.data()),
                   static_cast<int>(wide.size()));
    }
    run_.clear();
}

float Win32PrinterSurface::TextHeight(const std::string&) { return OpenDc() ? lineHeight_ : 0; }

void Win32PrinterSurface::Print(const std::string& text) {
    if (!StartJob()) return;
    if (text.empty()) return;
    if (!run_.empty() && (y_ != runY_ || x_ != runEnd_)) Flush();
    if (run_.empty()) {
        runX_ = x_;
        runY_ = y_;
    }
    run_ += text;
    x_ += TextWidth(text);
    runEnd_ = x_;
}

void Win32PrinterSurface::PrintLineBreak() {
    if (!StartJob()) return;
    x_ = 0;
    y_ += lineHeight_;
}

void Win32PrinterSurface::NewPage() {
    if (!StartJob()) return;
    Flush();
    ::SetLastError(0);
    if (::EndPage(dc_) <= 0) return Fail("A page could not be written");
    ::SetLastError(0);
    if (::StartPage(dc_) <= 0) return Fail("A page could not be started");
    ApplyFont();
    ++page_;
    x_ = y_ = 0;
}

void Win32PrinterSurface::EndDoc() {
    if (failed_ || !inJob_) return;
    Flush();
    ::SetLastError(0);
    if (::EndPage(dc_) <= 0) return Fail("A page could not be written");
    ::SetLastError(0);
    if (::EndDoc(dc_) <= 0) return Fail("The print job could not be finished");
    inJob_ = false;
    page_ = 1;
    x_ = y_ = 0;
    CloseDc();   // the next job opens the printer afresh
}

void Win32PrinterSurface::AbortDoc() {
    run_.clear();
    if (dc_ && inJob_) ::AbortDoc(dc_);
    inJob_ = false;
    CloseDc();
    failed_ = false;
    reason_.clear();
    page_ = 1;
    x_ = y_ = 0;
}

void Win32PrinterSurface::SetFontName(const std::string& name) {
    fontName_ = name;
    ApplyFont();
}

void Win32PrinterSurface::SetFontSize(float points) {
    fontSize_ = points;
    ApplyFont();
}

std::string Win32Printing::ShortDate() {   // UTF-8, as the page draws text
    wchar_t buf[128] = {};
    if (::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, buf, 128) <= 0) return "";
    return Utf16ToUtf8(reinterpret_cast<const char16_t*>(buf), std::wcslen(buf));
}

}  // namespace pw::win32
