// DefaultBoardDevices.cpp - the real devices, or the simulated driver's boards where the
// driver has created no device.
#include "DefaultBoardDevices.h"

#include "ScenarioBoardDevices.h"
#include "Win32BoardDevices.h"

namespace {

bool AnyDeviceOpens(CBoardDeviceBackend& devices) {
    for (int board = 0; board < kMaxBoards; ++board) {
        const HANDLE device = devices.Open(board);
        if (device != INVALID_HANDLE_VALUE) {
            devices.Close(device);
            return true;
        }
    }
    return false;
}

}  // namespace

// Chosen once, at the first probe, as the driver reads its scenario once at load.
CBoardDeviceBackend& DefaultBoardDevices() {
    static CWin32BoardDevices devices;
    static CScenarioBoardDevices simulated;
    static const bool useScenario = !AnyDeviceOpens(devices) && simulated.Load(FindScenarioFile());
    if (useScenario)
        return simulated;
    return devices;
}
