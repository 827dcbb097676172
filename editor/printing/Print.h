// File > Print...: the note, or its selection, on the printer the user picks.
#pragma once
#include "editor/CommonDialog.h"
#include "platform/NoteWindow.h"

namespace pw {

class PrintCommand : private NoteWindow {
public:
    // dialog: the main window's one common dialog, which Open and Save As share.
    PrintCommand(const NoteWindow& window, CommonDialog& dialog) : NoteWindow(window), CommonDialog_(dialog) {}
    void Print();

private:
    CommonDialog& CommonDialog_;
};

}  // namespace pw
