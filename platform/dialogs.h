// The system's modal common dialogs (open, save, font). Each returns true when the user
// chose, false when the dialog was cancelled (or could not be shown).
#pragma once
#include <string>

#include "platform/types.h"

namespace pw {

class IDialogs {
public:
    virtual ~IDialogs() = default;
    // filter: description and pattern pairs joined by "|". fileName: in = initial, out = chosen.
    virtual bool OpenFile(Handle owner, const std::string& filter, std::string& fileName) = 0;
    virtual bool SaveFile(Handle owner, const std::string& filter, std::string& fileName) = 0;
    // The font dialog. font: in = initial choice, out = chosen. flags: CF_* (1 = CF_SCREENFONTS).
    virtual bool PickFont(Handle owner, unsigned flags, FontSpec& font) = 0;
};

}  // namespace pw
