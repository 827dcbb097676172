// The main window's menu bar, in order, as one table.
#pragma once
#include <vector>

#include "platform/ui.h"

namespace pw {

const std::vector<MenuItem>& MainMenu();

}  // namespace pw
