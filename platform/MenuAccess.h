// Keyboard access to menus whose captions carry no access-key ampersand: the first letter of
// a caption is its access key. Alt+letter opens a menu of the menu bar; inside an open menu a
// letter chooses the one enabled entry that begins with it, or moves the highlight to the
// next of several such entries. Greyed entries and separators are never reached this way.
#pragma once
#include <string>
#include <vector>

namespace pw {

struct MenuKeyEntry {
    std::string caption;      // as shown; a shortcut after a tab is ignored
    bool separator = false;
    bool enabled = true;
};

struct MenuKeyAnswer {
    enum Kind { Ignore, Execute, Select };
    Kind kind = Ignore;
    int index = -1;           // the entry to choose or highlight
};

// The access key of a caption: the character after an ampersand when the caption marks one,
// otherwise its first letter or digit; upper-cased; 0 when it has none.
char AccessKeyOf(const std::string& caption);

// What a typed key does in a menu whose entries are `entries` and whose highlighted entry is
// `current` (-1: none).
MenuKeyAnswer MenuKeyFor(const std::vector<MenuKeyEntry>& entries, char key, int current);

// How many presses of the Down arrow move the highlight from `current` (-1: none) to
// `target`: the arrow skips separators and wraps around at the end.
int DownStepsTo(const std::vector<MenuKeyEntry>& entries, int current, int target);

}  // namespace pw
