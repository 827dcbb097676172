// The printer as a drawing surface: a printer DC in twips from the edges of the printable
// area, with a current position, the job started by the first drawing after the last one ended.
#pragma once
#include <windows.h>

#include <string>

#include "platform/printer.h"

namespace pw::win32 {

class Win32PrinterSurface : public IPrinterSurface {
public:
    ~Win32PrinterSurface() override;
    void UsePrinter(const PrinterChoice& printer) override;
    float ScaleWidth() override;
    float ScaleHeight() override;
    float CurrentX() const override { return x_; }
    void SetCurrentX(float x) override { x_ = x; }
    float CurrentY() const override { return y_; }
    void SetCurrentY(float y) override { y_ = y; }
    float TextWidth(const std::string& text) override;
    float TextHeight(const std::string& text) override;
    void Print(const std::string& text) override;
    void PrintLineBreak() override;
    void NewPage() override;
    void EndDoc() override;
    int Page() const override { return page_; }
    std::string FontName() const override { return fontName_; }
    void SetFontName(const std::string& name) override;
    float FontSize() const override { return fontSize_; }
    void SetFontSize(float points) override;
    bool Failed() const override { return failed_; }
    bool Cancelled() const override { return failed_ && cancelled_; }
    std::string FailureReason() const override { return reason_; }
    std::string DeviceName() const override { return printer_.deviceName; }
    void AbortDoc() override;

private:
    bool OpenDc();            // the DC of the chosen printer, made on first use
    bool StartJob();          // StartDoc + StartPage unless a job runs
    void ApplyFont();
    void Fail(const char* what);
    void CloseDc();           // ends the DC, keeps the settings
    void Flush();             // draws the pending run of text

    PrinterChoice printer_;
    HDC dc_ = nullptr;
    HFONT font_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
    bool inJob_ = false;
    bool failed_ = false;
    bool cancelled_ = false;   // the failure was the user's cancel (ERROR_CANCELLED)
    std::string reason_;
    float twipsX_ = 1, twipsY_ = 1;     // twips per device pixel
    float scaleWidth_ = 0, scaleHeight_ = 0;
    float lineHeight_ = 0;
    float x_ = 0, y_ = 0;
    int page_ = 1;
    // Text drawn edge to edge on one line goes to the printer as one run: far fewer drawing
    // commands in the job than one per word and space.
    std::string run_;
    float runX_ = 0, runY_ = 0, runEnd_ = 0;
    // The last text measured, so drawing right after measuring does not measure again.
    std::string measured_;
    float measuredWidth_ = 0;
    // Advance widths of the 256 characters in the current font, in device pixels: the width
    // of a text is their sum (what GetTextExtentPoint32 gives), without a call per word.
    int charWidths_[256] = {};
    bool haveCharWidths_ = false;
    std::string fontName_ = "Arial";
    float fontSize_ = 10;
};

class Win32Printing : public IPrinting {
public:
    IPrinterSurface& Printer() override { return surface_; }
    std::string ShortDate() override;

private:
    Win32PrinterSurface surface_;
};

}  // namespace pw::win32
