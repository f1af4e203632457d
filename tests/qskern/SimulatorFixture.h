// SimulatorFixture.h - driving the simulated driver from a test: commands, scenarios, the events
// it delivers, and waiting for a condition with a deadline.
#pragma once

#include "QsSimControl.h"
#include "TempFolder.h"
#include "WaitUntil.h"
#include "qskern.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

// One control command; the reply without its final line break.
std::string Sim(const std::string& command);
// The key=value fields of a reply ("OK channel=3 volts=48 ..."); quoted values unquoted.
std::map<std::string, std::string> Fields(const std::string& reply);
// The `show` fields of a channel.
std::map<std::string, std::string> Show(int channel);

struct RecordedEvent {
    WORD event;
    int channel;
    WORD parameter;
    DWORD thread;

    bool operator==(const RecordedEvent& other) const {
        return event == other.event && channel == other.channel && parameter == other.parameter;
    }
};
void PrintTo(const RecordedEvent& event, std::ostream* out);

// Every test gets a fresh folder and a freshly loaded driver; the boards are stopped and the
// callbacks let go of before the test's buffers go away.
class CSimulatorTest : public testing::Test {
protected:
    void TearDown() override;

    std::string Folder() const { return m_folder.Path(); }
    std::string WriteFile(const std::string& name, const std::string& content);
    // Loads the scenario text; with `start`, starts the boards and registers the event recorder.
    void Load(const std::string& scenario, bool start = true);

    static std::vector<RecordedEvent> Events();
    static size_t EventCount();
    static bool WaitForEvents(size_t count);

private:
    CTempFolder m_folder;
};

// One analogue board of 8 lines (types 6, 7, 8, 6 ...) and one E1 board of 2 trunks (30 circuits):
// channels 0..7 are lines, channels 8..37 spy channels of circuits 0..29.
extern const char kMixedScenario[];
