// What a process has when the library loads: the scenario named by QSKERN_SCENARIO or found
// beside the program, and the control port of QSKERN_CONTROL_PORT or of the scenario. Each case
// runs a copy of this test program as a child, whose test checks what it got before any call.
#include <winsock2.h>

#include "SimulatorFixture.h"

#include <windows.h>

#include <functional>
#include <map>
#include <string>

namespace {

constexpr char kExpectVariable[] = "QSKERN_TEST_EXPECT";
constexpr DWORD kPortTaken = 75;  // the child's exit code when its port was no longer free
constexpr int kPortAttempts = 5;

int FreePort() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    closesocket(probe);
    WSACleanup();
    return ntohs(address.sin_port);
}

std::string ProgramPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

// Runs `program` on the child test with `expected` fields; answers its exit code.
DWORD RunChild(const std::string& program, const std::string& expected) {
    SetEnvironmentVariableA(kExpectVariable, expected.c_str());
    std::string command = "\"" + program + "\" --gtest_filter=LoadTimeChild.*";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    DWORD code = 999;
    if (CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process)) {
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    SetEnvironmentVariableA(kExpectVariable, nullptr);
    return code;
}

// Runs a child through `run` on a port that was free a moment ago. Another process may take the
// port before the child listens on it; the child then says so, and another port is tried.
DWORD RunChildOnFreePort(const std::function<DWORD(int port)>& run) {
    DWORD code = kPortTaken;
    for (int attempt = 0; attempt < kPortAttempts && code == kPortTaken; ++attempt)
        code = run(FreePort());
    return code;
}

class LoadTimeTest : public CSimulatorTest {};

TEST_F(LoadTimeTest, ScenarioAndControlPortFromTheEnvironment) {
    SetEnvironmentVariableA("QSKERN_SCENARIO", WriteFile("named.ini", kMixedScenario).c_str());
    const DWORD code = RunChildOnFreePort([](int port) {
        SetEnvironmentVariableA("QSKERN_CONTROL_PORT", std::to_string(port).c_str());
        return RunChild(ProgramPath(), "boards=2 channels=38 cics=30 port=" + std::to_string(port));
    });
    SetEnvironmentVariableA("QSKERN_SCENARIO", nullptr);
    SetEnvironmentVariableA("QSKERN_CONTROL_PORT", nullptr);
    EXPECT_EQ(code, 0u);
}

TEST_F(LoadTimeTest, ScenarioAndControlPortFromQskernIniBesideTheProgram) {
    const std::string program = ProgramPath();
    const std::string folder = program.substr(0, program.find_last_of('\\') + 1);
    const std::string copy = Folder() + "\\qskern_test.exe";
    ASSERT_TRUE(CopyFileA(program.c_str(), copy.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((folder + "qskern.dll").c_str(), (Folder() + "\\qskern.dll").c_str(), FALSE));
    const DWORD code = RunChildOnFreePort([&](int port) {
        WriteFile("qskern.ini", "[Simulator]\nControlPort=" + std::to_string(port) + "\n[Board0]\nType=294\n");
        return RunChild(copy, "boards=1 channels=16 cics=0 port=" + std::to_string(port));
    });
    EXPECT_EQ(code, 0u);
}

// The child: before any driver call the boards of the scenario exist and the port listens.
TEST(LoadTimeChild, BoardsAndControlPortAreThereBeforeTheFirstCall) {
    char expected[256] = {};
    if (GetEnvironmentVariableA(kExpectVariable, expected, sizeof expected) == 0)
        GTEST_SKIP() << "run as a child of the LoadTimeTest cases";
    const std::map<std::string, std::string> wanted = Fields(std::string("OK ") + expected);
    // The port is opened by the simulator thread, which starts once the loader lets go.
    ASSERT_TRUE(WaitUntil([&] {
        std::map<std::string, std::string> status = Fields(Sim("status"));
        return status["port"] == wanted.at("port") || status.count("error") != 0;
    })) << Sim("status");
    std::map<std::string, std::string> status = Fields(Sim("status"));
    if (status["error"].find("(error " + std::to_string(WSAEADDRINUSE) + ")") != std::string::npos)
        ExitProcess(kPortTaken);
    for (const auto& [key, value] : wanted)
        EXPECT_EQ(status[key], value) << key;
    EXPECT_EQ(QsdSys_EnableBoard(), QSD_OK);
}

}  // namespace
