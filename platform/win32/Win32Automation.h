// IDispatch late binding behind IAutomation, and RCDATA resources behind IResources.
#pragma once
#include <windows.h>

#include "platform/automation.h"

namespace pw::win32 {

class Win32Automation : public IAutomation {
public:
    ~Win32Automation() override;
    std::unique_ptr<IAutoObject> Create(const std::string& progId) override;

private:
    bool comReady_ = false;
};

class Win32Resources : public IResources {
public:
    explicit Win32Resources(HINSTANCE instance) : instance_(instance) {}
    bool Data(const std::string& name, std::string& bytes) override;

private:
    HINSTANCE instance_;
};

}  // namespace pw::win32
