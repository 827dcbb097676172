#include "platform/Icon32.h"

#include "platform/WinNumbers.h"

namespace pw {

namespace {

Handle TopOwner(IShell& shell, Handle window) {
    Handle current = window;
    // A cycle cannot happen with real windows; the bound only guards against a broken answer.
    for (int i = 0; i < 64; ++i) {
        Handle owner = shell.GetOwner(current);
        if (owner == 0) break;
        current = owner;
    }
    return current;
}

}  // namespace

std::string IconFilePath(const IApp& app) {
    std::string folder = app.Path();
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder + "pagewick.ico";
}

void SetIcon(IShell& shell, Handle window, const std::string& name, bool setTopOwner) {
    const Handle top = setTopOwner ? TopOwner(shell, window) : 0;

    const Handle big = shell.LoadResourceIcon(name, shell.SystemMetric(SM_CXICON_),
                                              shell.SystemMetric(SM_CYICON_));
    if (setTopOwner) shell.SendSetIcon(top, ICON_BIG_SLOT, big);
    shell.SendSetIcon(window, ICON_BIG_SLOT, big);

    const Handle small = shell.LoadResourceIcon(name, shell.SystemMetric(SM_CXSMICON_),
                                                shell.SystemMetric(SM_CYSMICON_));
    if (setTopOwner) shell.SendSetIcon(top, ICON_SMALL_SLOT, small);
    shell.SendSetIcon(window, ICON_SMALL_SLOT, small);
}

void ApplyIconFile(Platform& p, Handle window, Handle trayIconOrZero) {
    const std::string path = IconFilePath(p.app);
    if (!p.fs.FileExists(path)) return;
    const Handle icon = trayIconOrZero != 0 ? trayIconOrZero : p.shell.LoadFileIcon(path, 16, 16);
    // An unreadable file gives 0, which clears the small icon to the system default.
    p.shell.SendSetIcon(window, ICON_SMALL_SLOT, icon);
}

TrayImage LoadTrayImage(Platform& p, const std::string& name) {
    TrayImage image;
    const std::string path = IconFilePath(p.app);
    if (p.fs.FileExists(path)) image.fromFile = p.shell.LoadFileIcon(path, 16, 16);
    image.shown = image.fromFile != 0
                      ? image.fromFile
                      : p.shell.LoadResourceIcon(name, p.shell.SystemMetric(SM_CXSMICON_),
                                                 p.shell.SystemMetric(SM_CYSMICON_));
    return image;
}

void SetWindowIconsOf(Platform& p, Handle window) {
    SetIcon(p.shell, window, "AAA", true);
    ApplyIconFile(p, window, 0);
}

}  // namespace pw
