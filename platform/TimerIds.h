// The main window's timers. Every room that starts one on the main window takes its id from
// this list, so two rooms never share an id (a shared id stops or fires the other's timer).
#pragma once

namespace pw {

enum MainTimerId : int {
    timerRecoveryCopy = 13,   // NoteSafety: typing paused, write the recovery copy
    timerTrayIcon,            // Tray: the icon goes to the tray after the first paint
    timerStatusEncoding,      // StatusBar: the encoding panel after typing paused
    timerNoteWatch,           // NoteWatch: the note's folder settled after a change
    timerSpellMarks,          // SpellMarks: typing paused, the lines on screen checked again
};

}  // namespace pw
