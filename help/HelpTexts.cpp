#include "help/HelpTexts.h"

namespace pw {

namespace {

// Each topic is written line by line: NL ends a line, GAP leaves two empty lines after it,
// B starts a bullet line.
#define NL "\r\n"
#define GAP "\r\n\r\n\r\n"
#define B "\x95  "

const std::string kGeneral =
    "Pagewick is a text editor that can be used to take simple notes, or as a replacement for "
    "Microsoft's Notepad application.  When not in use, Pagewick resides in the system tray." GAP
    "Pagewick will automatically save the text you have written upon exit and restore it when "
    "restarted." GAP
    "Pagewick incorporates all the standard features expected from a text editor, plus a few "
    "extras." GAP
    "Features include:" NL
    B "Open, Save & Print capability for text files" NL
    B "Spell checker" NL
    B "Global Hotkey Assignment" NL
    B "Transparency" NL
    B "Ability to stay on top of other windows" NL
    B "Ability to load when Windows starts" NL
    B "Live Update over the Internet";

const std::string kFeatures =
    "Pagewick includes Spell Checking for your convenience, utilizing the Spell Checker from "
    "Microsoft Word.  The interface for this feature is identical to that of Microsoft Word.  "
    "If you do not have Microsoft Word installed, this feature is not available." GAP
    "A global hotkey has been established.  By default, the key combination is CTRL+ALT+A.  "
    "When that key combination is pressed, Pagewick will be minimized or restored, depending "
    "on the current state of the window.  This hotkey will work even if Pagewick is not the "
    "currently focused window." GAP
    "Pagewick supports transparency for the main window.  By default, this feature is turned "
    "off." GAP
    "If you want Pagewick to automatically run whenever Windows starts, simply check the "
    "'Run at Startup' item in the File menu." GAP
    "If you wish for Pagewick to always reside on top of other windows, check the "
    "'Always on Top' item in the file menu." GAP
    "Live Update will check if you have the latest version of Pagewick.  If not, the latest "
    "installer will download to the desktop.";

const std::string kCustomization =
    "Transparency on the main window can be adjusted from 0% (default) all the way down to "
    "90% transparency.  Use the 'Transparency...' item in the File menu to configure." GAP
    "The global hotkey is customizable.  Use the 'Global Hotkey...' item in the File menu to "
    "configure settings for the hotkey." GAP
    "The icon in the system tray and window icons can be changed by simply replacing the "
    "pagewick.ico file with any of your choosing.  The new icon will be displayed next time "
    "the application is started.";

const std::string kRevisionHistory =
    "v 1.4" NL
    B "All window icons can now be loaded from a file, like the system tray icon" NL
    B "'Save Preferences' menu item added to write settings immediately" NL
    B "XP theme inheritance streamlined" GAP
    "v 1.3" NL
    B "'Always on Top' functionality added." NL
    B "Transparency option for main window added" NL
    B "Global Hotkey added" NL
    B "Ability to print from within Pagewick added" NL
    B "Ablility to open pre-existing text files added" NL
    B "Live Update functionality added" GAP
    "v 1.2" NL
    B "Better support for Large Fonts (120 dpi and above)." GAP
    "v 1.1" NL
    B "Text now saved automatically when Windows shuts down." NL
    B "Fully functional Edit menu added." NL
    B "Font selection added." NL
    B "Config file stores font and window settings, restoring them when program is restarted." NL
    B "Pagewick now shows an error when MS Word is not installed and spellcheck invoked "
      "instead of crashing." NL
    B "Find/Restore menu items added.";

#undef NL
#undef GAP
#undef B

const std::string kNone;

}  // namespace

const char* HelpTopicCaption(int index) {
    switch (index) {
        case 1: return "General";
        case 2: return "Features";
        case 3: return "Customization";
        case 4: return "Revision History";
        default: return "";
    }
}

const std::string& HelpTopicText(int index) {
    switch (index) {
        case 1: return kGeneral;
        case 2: return kFeatures;
        case 3: return kCustomization;
        case 4: return kRevisionHistory;
        default: return kNone;
    }
}

}  // namespace pw
