// The four help topics shown on the tabs of the Help Topics window, in the ANSI code page
// (the bullet is byte 0x95), lines separated by CR LF.
#pragma once
#include <string>

namespace pw {

constexpr int kHelpTopicCount = 4;

// Caption of tab 1 to 4; empty for any other index.
const char* HelpTopicCaption(int index);

// Text of topic 1 to 4; empty for any other index.
const std::string& HelpTopicText(int index);

}  // namespace pw
