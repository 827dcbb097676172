// The main window's one common dialog: the settings the open, save, font and printer
// dialogs share. Nothing resets them; each command finds them as the last one left them.
#pragma once
#include <string>

#include "platform/dialogs.h"

namespace pw {

class CommonDialog {
public:
    enum Result {
        Chosen,       // the user chose
        Cancelled,    // cancelled with the cancel-error switch off: nothing chosen
        CancelError,  // cancelled with the switch on: the caller treats it as an error
    };

    std::string FileName;         // never cleared by the program
    std::string Filter;           // "description|pattern|..."
    bool CancelError_ = false;    // the cancel-error switch
    unsigned Flags = 0;
    FontSpec Font;                // FontName, FontSize, FontBold, FontItalic
    int Copies = 1;

    // Open and save: on Chosen FileName holds the full path. A cancel with the switch off
    // makes FileName read as empty.
    Result ShowOpen(IDialogs& dialogs, Handle owner);
    Result ShowSave(IDialogs& dialogs, Handle owner);
    // Font: on a cancel Font keeps the values it was given.
    Result ShowFont(IDialogs& dialogs, Handle owner);
    // Printer: on Chosen Printer names the printer to print on and Copies holds the number of
    // copies entered, read as a 16-bit number.
    Result ShowPrinter(IDialogs& dialogs, Handle owner);
    PrinterChoice Printer;

private:
    Result Cancel(bool clearName);
};

}  // namespace pw
