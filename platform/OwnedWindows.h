// The windows the main window owns (About, Help Topics, Global Hotkey, Transparency, Live
// Update): what they share as forms, and the main window's set of them.
#pragma once
#include <memory>
#include <utility>
#include <vector>

#include "platform/Icon32.h"
#include "platform/platform.h"

namespace pw {

// The scaffold every owned window shares: its form, whether it is open, its close by
// program, the raise of an open window, and (for a modeless one) its place in the program's
// dialog-message loop.
class OwnedForm : public FormEvents {
public:
    explicit OwnedForm(Platform& p) : p_(p) {}
    ~OwnedForm() override = default;

    bool Loaded() const { return form_ && form_->hWnd() != 0; }
    // Closes an open window by program (the unload step runs); does nothing otherwise.
    void Close() {
        if (Loaded()) RunClose(*this, *form_, vbFormCode);
    }

protected:
    // An open window comes to the front (shown again first, with `show`): true. False when
    // it is not open and is to be made.
    bool Raise(bool show) {
        if (!Loaded()) return false;
        if (show) form_->Show();
        form_->BringToFront();
        return true;
    }
    // The program's icons, as every window but the main one has them.
    void SetIcons() { SetWindowIconsOf(p_, form_->hWnd()); }
    // Keyboard navigation of a modeless window: its messages go through the dialog loop.
    void JoinDialogLoop() { p_.ui.AddModeless(form_->hWnd()); }
    void LeaveDialogLoop() { p_.ui.RemoveModeless(form_->hWnd()); }

    Platform& p_;
    std::unique_ptr<IForm> form_;
};

// At most one window of each kind, kept until the main window unloads, when every open one
// is closed by program, in the order of the kinds given to Order.
class OwnedWindows {
public:
    // Fixes the closing order of these kinds; kinds not named follow in order of first use.
    template <class... W>
    void Order() {
        (Slot(KindOf<W>()), ...);
    }
    // The window of kind W kept from before, or a new one from make(), then kept.
    template <class W, class Make>
    std::shared_ptr<W> Reuse(Make make) {
        std::shared_ptr<OwnedForm>& slot = Slot(KindOf<W>());
        if (!slot) slot = make();
        return std::static_pointer_cast<W>(slot);
    }
    // The open window of kind W, or a new one from make() in place of one that was closed.
    template <class W, class Make>
    std::shared_ptr<W> OpenOrMake(Make make) {
        std::shared_ptr<OwnedForm>& slot = Slot(KindOf<W>());
        if (!slot || !slot->Loaded()) slot = make();
        return std::static_pointer_cast<W>(slot);
    }
    // The window of kind W, or null.
    template <class W>
    W* Find() {
        for (auto& s : slots_)
            if (s.first == KindOf<W>()) return static_cast<W*>(s.second.get());
        return nullptr;
    }
    // The unload step: every open window closes.
    void CloseAll() {
        for (auto& s : slots_)
            if (s.second) s.second->Close();
    }

private:
    template <class W>
    static const void* KindOf() {
        static const char tag = 0;
        return &tag;
    }
    std::shared_ptr<OwnedForm>& Slot(const void* kind) {
        for (auto& s : slots_)
            if (s.first == kind) return s.second;
        slots_.emplace_back(kind, nullptr);
        return slots_.back().second;
    }
    std::vector<std::pair<const void*, std::shared_ptr<OwnedForm>>> slots_;
};

}  // namespace pw
