// The main window's commands, in menu order, as one table: each row is a menu entry (or a
// shortcut alone) and the main window's handler that runs it.
#pragma once
#include <vector>

#include "platform/ui.h"

namespace pw {

class frmPagewick;

struct MainCommand {
    MenuItem entry;
    void (frmPagewick::*click)() = nullptr;   // none for menus and separators
};

const std::vector<MainCommand>& MainCommands();
// The entries of MainCommands, as the form builds its menu bar and shortcuts from them.
std::vector<MenuItem> MainMenu();

}  // namespace pw
