// The binding of the settings file to the main window: load step 8 reads it (or keeps the
// defaults), Save Settings and Exit write it.
#pragma once
#include "platform/NoteWindow.h"

namespace pw {

class NoteSafety;
class StatusBar;
class Tray;
class TransparencyOption;
class VBHotKey;
class WordWrap;
class SpellMarks;
struct Settings;

class MainSettings : private NoteWindow {
public:
    MainSettings(const NoteWindow& window, VBHotKey& hotkey, Tray& tray, TransparencyOption& transparency,
                 const NoteSafety& safety, StatusBar& statusBar, WordWrap& wordWrap, SpellMarks& marks)
        : NoteWindow(window), VBHotKey1(hotkey), tray_(tray), transparency_(transparency), safety_(safety),
          statusBar_(statusBar), wordWrap_(wordWrap), marks_(marks) {}

    void ReadSettingsOrDefaults();
    // False when the file could not be written (the user has been told).
    bool WriteSettings();

private:
    Settings CurrentSettings() const;
    void ApplySettings(const Settings& s);

    VBHotKey& VBHotKey1;
    Tray& tray_;
    TransparencyOption& transparency_;
    const NoteSafety& safety_;
    StatusBar& statusBar_;
    WordWrap& wordWrap_;
    SpellMarks& marks_;
};

}  // namespace pw
