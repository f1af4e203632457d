// SimulatorFixture.cpp - the test side of the control entry and the event recorder.
#include "SimulatorFixture.h"

#include <windows.h>

#include <mutex>
#include <ostream>

const char kMixedScenario[] =
    "[Simulator]\nRingIntervalMs=4000\n"
    "[Board0]\nType=297\nSerialNo=5001\nLineTypes=6,7,8\n"
    "[Board1]\nType=15\nSerialNo=5002\n";

namespace {

std::mutex g_eventsLock;
std::vector<RecordedEvent> g_events;

int WINAPI RecordEvent(WORD event, int channel, WORD parameter, DWORD_PTR) {
    std::lock_guard<std::mutex> guard(g_eventsLock);
    g_events.push_back({event, channel, parameter, GetCurrentThreadId()});
    return 0;
}

}  // namespace

std::string Sim(const std::string& command) {
    std::string reply(256, '\0');
    int length = QsSim_Command(command.c_str(), reply.data(), static_cast<int>(reply.size()));
    if (length >= static_cast<int>(reply.size())) {
        reply.assign(static_cast<size_t>(length) + 1, '\0');
        length = QsSim_Command(command.c_str(), reply.data(), static_cast<int>(reply.size()));
    }
    reply.resize(static_cast<size_t>(length));
    if (!reply.empty() && reply.back() == '\n')
        reply.pop_back();
    return reply;
}

std::map<std::string, std::string> Fields(const std::string& reply) {
    std::map<std::string, std::string> fields;
    size_t at = 0;
    while ((at = reply.find('=', at)) != std::string::npos) {
        const size_t keyStart = reply.rfind(' ', at) + 1;
        const std::string key = reply.substr(keyStart, at - keyStart);
        size_t end;
        std::string value;
        if (at + 1 < reply.size() && reply[at + 1] == '"') {
            end = reply.find('"', at + 2);
            value = reply.substr(at + 2, end - at - 2);
            ++end;
        } else {
            end = reply.find_first_of(" \n", at + 1);
            value = reply.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
        }
        fields[key] = value;
        if (end == std::string::npos)
            break;
        at = end;
    }
    return fields;
}

std::map<std::string, std::string> Show(int channel) {
    return Fields(Sim("show " + std::to_string(channel)));
}

void PrintTo(const RecordedEvent& event, std::ostream* out) {
    *out << "{" << event.event << ", " << event.channel << ", " << event.parameter << "}";
}

void CSimulatorTest::TearDown() {
    QsdSys_DisableBoard();
    const QSD_EVENT_MODE off = {QSD_EVENT_MODE_CALLBACK, nullptr};
    QsdEvt_ModeSet(&off);
    // Returns once anything already handed to the simulator thread has been delivered or dropped.
    Sim("status");
}

std::string CSimulatorTest::WriteFile(const std::string& name, const std::string& content) {
    const std::string path = m_folder.Path(name);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    return path;
}

void CSimulatorTest::Load(const std::string& scenario, bool start) {
    const std::string reply = Sim("load \"" + WriteFile("scenario.ini", scenario) + "\"");
    ASSERT_EQ(reply.rfind("OK", 0), 0u) << reply;
    {
        std::lock_guard<std::mutex> guard(g_eventsLock);
        g_events.clear();
    }
    if (!start)
        return;
    ASSERT_EQ(QsdSys_EnableBoardEx("qscfg.ini", "prompt.ini"), QSD_OK);
    const QSD_EVENT_MODE mode = {QSD_EVENT_MODE_CALLBACK, RecordEvent};
    ASSERT_EQ(QsdEvt_ModeSet(&mode), QSD_OK);
}

std::vector<RecordedEvent> CSimulatorTest::Events() {
    std::lock_guard<std::mutex> guard(g_eventsLock);
    return g_events;
}

size_t CSimulatorTest::EventCount() {
    return Events().size();
}

bool CSimulatorTest::WaitForEvents(size_t count) {
    return WaitUntil([&] { return EventCount() >= count; });
}
