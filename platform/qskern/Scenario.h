// Scenario.h - the simulated installation: boards, their lines, and the simulator's settings.
#pragma once

#include <string>
#include <vector>

struct ScenarioBoard {
    int type = 0;
    int serialNo = 0;
    std::vector<int> lineTypes;  // analogue boards: per channel; missing entries are type 6
};

struct Scenario {
    std::vector<ScenarioBoard> boards;
    int controlPort = 0;            // loopback control port; 0: none
    double speed = 1;               // audio runs this many times faster than the clock
    int ringIntervalMs = 4000;      // from one ring of a call to the next
    std::string audio = "silence";  // every line's audio source, in the words of the audio command
    int boardStartFailures = 0;     // board starts refused before one succeeds
};

// Reads an INI scenario (format in README.md). False with `error` set when the file does not
// exist or a value is invalid; `scenario` is then unchanged.
bool ReadScenario(const std::string& path, Scenario& scenario, std::string& error);

// The scenario of this process: the file named by QSKERN_SCENARIO, else qskern.ini in the
// program's folder when it exists; empty when there is none.
std::string FindScenarioFile();
