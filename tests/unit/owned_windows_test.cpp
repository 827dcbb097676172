// The main window's own windows: one of each kind, raised when open, closed at unload.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "platform/OwnedWindows.h"

namespace pw {
namespace {

// A modeless window that notes its unload step in a shared log.
class Probe : public OwnedForm {
public:
    Probe(Platform& p, std::vector<std::string>& log, std::string name)
        : OwnedForm(p), log_(log), name_(std::move(name)) {}
    void Open(bool show) {
        if (Raise(show)) return;
        FormDef def;
        def.caption = name_;
        form_ = p_.ui.CreateForm(def, *this, 0);
        form_->Show();
        JoinDialogLoop();
    }
    void Form_Unload() override {
        log_.push_back(name_);
        LeaveDialogLoop();
    }
    Handle hWnd() const { return form_ ? form_->hWnd() : 0; }

private:
    std::vector<std::string>& log_;
    std::string name_;
};
struct ProbeA : Probe { using Probe::Probe; };
struct ProbeB : Probe { using Probe::Probe; };
struct ProbeC : Probe { using Probe::Probe; };

class OwnedWindowsTest : public ::testing::Test {
protected:
    fake::Fakes f;
    std::vector<std::string> log;
    OwnedWindows windows;
    template <class W>
    std::shared_ptr<W> Make(const char* name) {
        return std::make_shared<W>(f.platform, log, name);
    }
};

TEST_F(OwnedWindowsTest, UnloadClosesOnlyOpenWindowsInTheGivenOrderThenTheOrderOfFirstUse) {
    windows.Order<ProbeA, ProbeB>();
    windows.Reuse<ProbeC>([&] { return Make<ProbeC>("C"); })->Open(false);
    windows.Reuse<ProbeB>([&] { return Make<ProbeB>("B"); })->Open(false);
    windows.Reuse<ProbeA>([&] { return Make<ProbeA>("A"); })->Open(false);
    EXPECT_EQ(f.ui.modeless.size(), 3u);
    windows.Find<ProbeB>()->Close();
    log.clear();

    windows.CloseAll();
    EXPECT_EQ(log, (std::vector<std::string>{"A", "C"})) << "B was closed already";
    EXPECT_TRUE(f.ui.modeless.empty()) << "every window left the dialog loop";
    windows.CloseAll();
    EXPECT_EQ(log.size(), 2u) << "a second unload closes nothing";
}

TEST_F(OwnedWindowsTest, ReuseKeepsOneObjectWhileOpenOrMakeReplacesOnlyAClosedOne) {
    auto first = windows.Reuse<ProbeA>([&] { return Make<ProbeA>("A"); });
    first->Open(false);
    first->Close();
    EXPECT_EQ(windows.Reuse<ProbeA>([&] { return Make<ProbeA>("A2"); }), first) << "kept across closes";

    auto open = windows.OpenOrMake<ProbeB>([&] { return Make<ProbeB>("B"); });
    open->Open(true);
    const Handle window = open->hWnd();
    EXPECT_EQ(windows.OpenOrMake<ProbeB>([&] { return Make<ProbeB>("B2"); }), open) << "an open one is raised";
    open->Open(true);
    EXPECT_EQ(open->hWnd(), window) << "raised, not made again";
    open->Close();
    EXPECT_NE(windows.OpenOrMake<ProbeB>([&] { return Make<ProbeB>("B3"); }), open) << "a closed one is made anew";
    EXPECT_EQ(windows.Find<ProbeC>(), nullptr);
}

}  // namespace
}  // namespace pw
