// What the driver and the hook DLL agree on: the registered query message and its flags.
#pragma once

namespace probe {

constexpr char kQueryName[] = "PagewickE2E.Query";
constexpr unsigned kInitPopups = 1;   // send WM_INITMENUPOPUP to each drop-down before reading it
constexpr unsigned kOpenPopups = 2;   // read the pop-up menus open right now
constexpr unsigned kSelection = 4;    // the Edit child's selection
constexpr unsigned kPing = 8;         // nothing: the answer says the queue got this far
constexpr unsigned kSetText = 16;     // set the Edit text from a file
constexpr unsigned kIcons = 32;       // big and small icons of the window posted to
constexpr unsigned kLayered = 64;     // extended style and layered attributes of the window posted to
constexpr unsigned kLayout = 128;     // the window's DPI, icon sizes and every child's place and text needs

}  // namespace probe
