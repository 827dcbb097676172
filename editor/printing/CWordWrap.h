// Lays plain text out on printer pages: lines broken between words inside the margins, line
// feeds and tabs honoured, a new page at the bottom margin, and every page framed by a centred
// header, the date and the page number. Lengths are twips.
#pragma once
#include <string>

#include "platform/printer.h"
#include "platform/ui.h"

namespace pw {

class CWordWrap {
public:
    CWordWrap(IPrinting& printing, IUi& ui) : printing_(printing), ui_(ui) {}

    const std::string& HeaderText() const { return headerText_; }
    void SetHeaderText(const std::string& text) { headerText_ = text; }
    float MarginLeft() const { return marginLeft_; }
    void SetMarginLeft(float v) { marginLeft_ = v; }
    float MarginTop() const { return marginTop_; }
    float MarginRight() const { return marginRight_; }
    void SetMarginRight(float v) { marginRight_ = v; }
    float MarginBottom() const { return marginBottom_; }

    // Prints the text as one job and ends the job. False when the printer refused it: the job
    // was thrown away and Failure() tells which printer and why.
    bool PrintText(const std::string& text);

    struct PrintFailure {
        std::string printer;
        std::string reason;
        bool cancelled = false;   // the user cancelled the job (a file printer's file-name prompt)
    };
    const PrintFailure& Failure() const { return failure_; }

private:
    void BeginPage(bool newPage);
    void LineEnd();
    void NextTabStop();
    bool Abort();   // throws the job away; always false

    IPrinting& printing_;
    IUi& ui_;
    std::string headerText_ = "CWordWrap Class";
    float marginLeft_ = 720;
    float marginTop_ = 1440;
    float marginRight_ = 720;
    float marginBottom_ = 1440;
    PrintFailure failure_;
};

}  // namespace pw
