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
    // Creates and loads the main window; false when the load step ended the process.
    bool Start() {
        main = std::make_unique<frmPagewick>(f.platform);
        return main->Load();
    }
};

}  // namespace pw::fake
