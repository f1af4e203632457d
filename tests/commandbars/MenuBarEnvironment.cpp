// The menu-bar tests' process: the control classes registered as the application does, and menu
// sounds that go nowhere (there is no sound device here).

#include "SoundManager.h"
#include "TkControls.h"

#include <gtest/gtest.h>

namespace {

BOOL WINAPI PlayNothing(LPCWSTR, HMODULE, DWORD) {
    return TRUE;
}

class MenuBarEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        RegisterControlClasses();
        SoundManager::s_pfnPlaySound = PlayNothing;
    }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new MenuBarEnvironment);

}  // namespace
