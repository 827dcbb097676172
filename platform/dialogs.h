// The system's modal common dialogs (open, save, font, printer). Each returns true when the user
// chose, false when the dialog was cancelled (or could not be shown).
#pragma once
#include <string>

#include "platform/printer.h"
#include "platform/types.h"

namespace pw {

class IDialogs {
public:
    virtual ~IDialogs() = default;
    // filter: description and pattern pairs joined by "|". fileName: in = initial, out = chosen.
    virtual bool OpenFile(Handle owner, const std::string& filter, std::string& fileName) = 0;
    // The save dialog asks before a file that exists is chosen (the system's "already exists"
    // question); answering No keeps the dialog open.
    virtual bool SaveFile(Handle owner, const std::string& filter, std::string& fileName) = 0;
    // The font dialog. font: in = initial choice, out = chosen. flags: CF_* (1 = CF_SCREENFONTS).
    virtual bool PickFont(Handle owner, unsigned flags, FontSpec& font) = 0;
    // The printer dialog: printer in = the one chosen last (empty: the default printer),
    // out = the printer and the number of copies chosen. False on a cancel, and when there is
    // no printer (the dialog has told the user then).
    virtual bool PickPrinter(Handle owner, PrinterChoice& printer) { (void)owner; (void)printer; return false; }
};

}  // namespace pw
