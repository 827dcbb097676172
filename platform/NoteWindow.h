// What a feature of the main window works on: the system, the window and its note box. The
// window and the box come into being when the main window loads; a feature holds these
// references from the start and reaches through them only from its commands.
#pragma once
#include <memory>

#include "platform/platform.h"

namespace pw {

struct NoteWindow {
    Platform& p_;
    std::unique_ptr<IForm>& form_;
    IControl*& txtNote_;
};

}  // namespace pw
