// A printer that records every drawing with its job, page and position. Every character is
// charWidth twips wide and a line is lineHeight twips high, so positions are easy to predict.
#pragma once
#include <string>
#include <vector>

#include "platform/printer.h"

namespace pw::fake {

class Printer : public IPrinterSurface {
public:
    struct Draw {
        int job, page;
        float x, y;
        std::string text;
    };
    struct Job {
        std::string printer, font;
        float fontSize = 0;
        int pages = 0;
        bool ended = false, aborted = false;
    };

    float scaleWidth = 12000, scaleHeight = 16000;
    float charWidth = 100, lineHeight = 240;
    int failAtDraw = -1;          // the printer refuses the drawing with this number (from 0)
    std::string failReason = "The printer is out of paper.";
    bool failIsCancel = false;    // that failure is the user cancelling the printer's file-name prompt

    std::vector<Draw> draws;      // every Print with non-empty text
    std::vector<Job> jobs;
    std::vector<PrinterChoice> used;

    void UsePrinter(const PrinterChoice& p) override { used.push_back(p); name_ = p.deviceName; }
    float ScaleWidth() override { return scaleWidth; }
    float ScaleHeight() override { return scaleHeight; }
    float CurrentX() const override { return x_; }
    void SetCurrentX(float x) override { x_ = x; }
    float CurrentY() const override { return y_; }
    void SetCurrentY(float y) override { y_ = y; }
    float TextWidth(const std::string& t) override { return charWidth * static_cast<float>(t.size()); }
    float TextHeight(const std::string&) override { return lineHeight; }
    void Print(const std::string& t) override {
        if (failed_) return;
        StartJob();
        if (drawCount_++ == failAtDraw) { failed_ = true; return; }
        if (!t.empty()) draws.push_back({static_cast<int>(jobs.size()), page_, x_, y_, t});
        x_ += TextWidth(t);
    }
    void PrintLineBreak() override {
        if (failed_) return;
        StartJob();
        x_ = 0;
        y_ += lineHeight;
    }
    void NewPage() override {
        if (failed_) return;
        StartJob();
        ++page_;
        ++jobs.back().pages;
        x_ = y_ = 0;
    }
    void EndDoc() override {
        if (failed_ || !inJob_) return;
        jobs.back().ended = true;
        inJob_ = false;
        x_ = y_ = 0;
    }
    int Page() const override { return page_; }
    std::string FontName() const override { return font_; }
    void SetFontName(const std::string& n) override { font_ = n; if (inJob_) jobs.back().font = n; }
    float FontSize() const override { return size_; }
    void SetFontSize(float s) override { size_ = s; if (inJob_) jobs.back().fontSize = s; }
    bool Failed() const override { return failed_; }
    bool Cancelled() const override { return failed_ && failIsCancel; }
    std::string FailureReason() const override { return failed_ ? failReason : ""; }
    std::string DeviceName() const override { return name_; }
    void AbortDoc() override {
        if (inJob_) jobs.back().aborted = true;
        inJob_ = failed_ = false;
        x_ = y_ = 0;
    }

    // Drawings of one job (1-based), in order, as "page:text".
    std::vector<Draw> Of(int job) const {
        std::vector<Draw> out;
        for (const auto& d : draws) if (d.job == job) out.push_back(d);
        return out;
    }

private:
    void StartJob() {
        if (inJob_) return;
        inJob_ = true;
        page_ = 1;
        jobs.push_back({name_, font_, size_, 1});
    }
    bool inJob_ = false, failed_ = false;
    int page_ = 1, drawCount_ = 0;
    float x_ = 0, y_ = 0;
    std::string name_ = "Fake Printer", font_ = "Arial";
    float size_ = 10;
};

class Printing : public IPrinting {
public:
    IPrinterSurface& Printer() override { return printer; }
    std::string ShortDate() override { return date; }
    fake::Printer printer;
    std::string date = "09/12/2026";
};

}  // namespace pw::fake
