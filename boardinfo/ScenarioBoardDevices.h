// ScenarioBoardDevices.h - the boards of the simulated driver's scenario, seen as devices.
//
// A program folder that runs on the simulated driver has no board devices. There the library
// reads the boards from the scenario the driver reads (sections Board0, Board1, ... with the
// keys Type and SerialNo; see platform/qskern/README.md), so the board list and the default
// configuration describe the boards the driver simulates.
#pragma once

#include "BoardDevice.h"

#include <string>
#include <vector>

// The scenario of this process, found as the driver finds it: the file named by
// QSKERN_SCENARIO (relative to the current folder), else qskern.ini beside the program when it
// exists; empty when there is none.
std::string FindScenarioFile();

class CScenarioBoardDevices : public CBoardDeviceBackend {
public:
    // Reads the boards of `path`; false when the file does not exist.
    bool Load(const std::string& path);

    HANDLE Open(int board) override;
    bool Query(HANDLE device, DWORD code, DWORD& value) override;
    void Close(HANDLE device) override {}

private:
    struct Board {
        DWORD type;
        DWORD serial;
    };
    std::vector<Board> m_boards;
};
