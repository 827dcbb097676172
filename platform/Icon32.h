// Window icons: the built-in icon group for a window and its top owner, and the optional
// icon file beside the program that replaces a window's small icon.
#pragma once
#include <string>

#include "platform/platform.h"

namespace pw {

constexpr int ICON_SMALL_SLOT = 0;
constexpr int ICON_BIG_SLOT = 1;

// program folder + "\pagewick.ico".
std::string IconFilePath(const IApp& app);

// Gives the window (and, with setTopOwner, the last window of its owner chain) the resource
// icon `name` in the system's big and small icon sizes.
void SetIcon(IShell& shell, Handle window, const std::string& name, bool setTopOwner);

// The icon-file rule, run right after SetIcon in every window's load step: when
// pagewick.ico exists, it becomes the window's small icon. The main window passes the handle
// it already read from the file for the tray (TrayImage::fromFile, 0 for an unreadable file);
// every other window passes 0 and the file is loaded at 16 x 16.
void ApplyIconFile(Platform& p, Handle window, Handle trayIconOrZero);

// The tray's image. fromFile is pagewick.ico read at 16 x 16: 0 when the file is missing or
// cannot be read as an icon. shown is that image, or else the built-in group `name` at the
// system's small-icon size, so the program's tray entry is never blank.
struct TrayImage {
    Handle fromFile = 0;
    Handle shown = 0;
};
TrayImage LoadTrayImage(Platform& p, const std::string& name);

// Both steps with the usual arguments ("AAA", top owner too), for a window that is not the
// main window.
void SetWindowIconsOf(Platform& p, Handle window);

}  // namespace pw
