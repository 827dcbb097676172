// The printer as a drawing surface with a current position, and the few other things a print
// command needs from the system. Every position and size is in twips (1440 to the inch),
// measured from the edges of the printable area.
#pragma once
#include <string>

namespace pw {

// The printer and the number of copies chosen in the printer dialog.
struct PrinterChoice {
    std::string deviceName;    // as the print queue lists it
    std::string devMode;       // the dialog's printer settings, as raw bytes (may be empty)
    int copies = 1;
};

class IPrinterSurface {
public:
    virtual ~IPrinterSurface() = default;
    // The printer the next job goes to (ends nothing that is running).
    virtual void UsePrinter(const PrinterChoice& printer) = 0;

    virtual float ScaleWidth() = 0;              // printable width
    virtual float ScaleHeight() = 0;             // printable height
    virtual float CurrentX() const = 0;
    virtual void SetCurrentX(float x) = 0;
    virtual float CurrentY() const = 0;
    virtual void SetCurrentY(float y) = 0;
    virtual float TextWidth(const std::string& text) = 0;
    virtual float TextHeight(const std::string& text) = 0;   // one line of the current font
    // Draws text at the current position and moves CurrentX past it. The first drawing after
    // the end of a job starts a new job.
    virtual void Print(const std::string& text) = 0;
    // Ends the line: CurrentX to 0, CurrentY down by one line of the current font.
    virtual void PrintLineBreak() = 0;
    virtual void NewPage() = 0;                  // ends the page, starts the next, Page + 1
    virtual void EndDoc() = 0;                   // ends the job and hands it to the spooler
    virtual int Page() const = 0;                // from 1 in each job
    virtual std::string FontName() const = 0;
    virtual void SetFontName(const std::string& name) = 0;
    virtual float FontSize() const = 0;          // points
    virtual void SetFontSize(float points) = 0;

    // Failures stick until the job ends: once the printer refused something, further drawing
    // does nothing and Failed() stays true. AbortDoc throws the running job away (nothing of
    // it stays in the spooler) and clears the failure.
    virtual bool Failed() const = 0;
    virtual std::string FailureReason() const = 0;   // the system's words
    virtual std::string DeviceName() const = 0;
    virtual void AbortDoc() = 0;
    // The failure is the user's cancel (a printer that prints to a file asks for the file's
    // name, and the user cancelled that): not an error to report.
    virtual bool Cancelled() const { return false; }
};

// The print command's view of the system besides the printer dialog.
class IPrinting {
public:
    virtual ~IPrinting() = default;
    virtual IPrinterSurface& Printer() = 0;
    // Today's date in the user's short date format.
    virtual std::string ShortDate() = 0;
};

}  // namespace pw
