// A main window loaded on fakes, for the tests of its handlers.
#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "app/frmPagewick.h"
#include "fakes/fake_platform.h"

namespace pw::fake {

class MainWindowTest : public ::testing::Test {
protected:
    Fakes f;
    std::unique_ptr<frmPagewick> main;
    // Creates and loads the main window and lets its first timers come (the tray icon goes to
    // the tray once the shown window has painted); false when the load step ended the process.
    bool Start() {
        main = std::make_unique<frmPagewick>(f.platform);
        if (!main->Load()) return false;
        static_cast<Form&>(main->form()).FireTimer(Tray::kTrayIconTimer);
        return true;
    }
};

}  // namespace pw::fake
