// The control side: the journal of driver calls, injected failures, the control entry's reply
// buffer, and the same commands over the loopback control port.
#include <winsock2.h>

#include "SimulatorFixture.h"

#include <windows.h>

namespace {

class ControlTest : public CSimulatorTest {
protected:
    void SetUp() override {
        CSimulatorTest::SetUp();
        Load(kMixedScenario);
    }
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return lines;
}

TEST_F(ControlTest, JournalShowsEveryCallWithArgumentsThreadAndResult) {
    char number[QSD_NUMBER_BYTES] = {};
    ASSERT_EQ(Sim("ring 0 1 5551234"), "OK");
    QsdChl_CallerNumberGet(0, number);
    QsdVox_SetFlag(0, 7, 1);
    QsdChl_GetType(99);

    const std::vector<std::string> lines = Lines(Sim("journal"));
    ASSERT_EQ(lines.size(), 6u);
    const uint64_t first = std::stoull(lines[1]);
    EXPECT_EQ(lines[0], "OK 5 " + std::to_string(first + 4));
    const std::string thread = " " + std::to_string(GetCurrentThreadId()) + " ";
    const char* const calls[] = {"QsdSys_EnableBoardEx(\"qscfg.ini\", \"prompt.ini\") = 0", "QsdEvt_ModeSet({2, ",
                                 "QsdChl_CallerNumberGet(0, \"5551234\") = 7", "QsdVox_SetFlag(0, 7, 1) = 0",
                                 "QsdChl_GetType(99) = -1"};
    for (size_t i = 0; i < std::size(calls); ++i) {
        EXPECT_NE(lines[i + 1].find(thread + calls[i]), std::string::npos) << lines[i + 1];
        EXPECT_EQ(std::stoull(lines[i + 1]), first + i) << lines[i + 1];
    }

    // Read on from a sequence number, and by function prefix.
    const std::vector<std::string> since = Lines(Sim("journal " + std::to_string(first + 2)));
    ASSERT_EQ(since.size(), 3u);
    EXPECT_NE(since[1].find("QsdVox_SetFlag"), std::string::npos);
    EXPECT_EQ(Lines(Sim("journal 0 QsdChl_")).size(), 3u);
    ASSERT_EQ(Sim("journal clear"), "OK");
    QsdChl_GetType(0);
    const std::vector<std::string> cleared = Lines(Sim("journal"));
    ASSERT_EQ(cleared.size(), 2u);
    EXPECT_EQ(std::stoull(cleared[1]), first + 5);  // numbers go on across a clear
}

TEST_F(ControlTest, InjectedFailuresRefuseTheNextCallsOnly) {
    ASSERT_EQ(Sim("fail QsdChl_Pickup 2"), "OK");
    EXPECT_EQ(QsdChl_Pickup(0), QSD_ERR);
    EXPECT_EQ(QsdChl_Pickup(0), QSD_ERR);
    EXPECT_EQ(Show(0)["board"], "on");  // a refused call changes nothing
    EXPECT_EQ(QsdChl_Pickup(0), QSD_OK);
    EXPECT_EQ(Show(0)["board"], "off");
    EXPECT_EQ(Lines(Sim("journal 0 \"QsdChl_Pickup(0) = -1\"")).size(), 3u);

    ASSERT_EQ(Sim("fail QsdVox_RecordMemBlock 5"), "OK");
    ASSERT_EQ(Sim("fail QsdVox_RecordMemBlock 0"), "OK");
    BYTE buffer[16];
    EXPECT_EQ(QsdVox_RecordMemBlock(0, QSD_CODEC_ALAW, buffer, sizeof buffer, nullptr, 0), QSD_OK);
    EXPECT_EQ(QsdVox_StopRec(0), QSD_OK);
    EXPECT_EQ(Sim("fail QsdNothing").rfind("ERR no driver function", 0), 0u);
}

TEST_F(ControlTest, ControlEntryReportsTheFullReplyLength) {
    const std::string full = Sim("status");
    char small[8];
    const int length = QsSim_Command("status", small, sizeof small);
    EXPECT_EQ(length, static_cast<int>(full.size() + 1));  // with its line break
    EXPECT_STREQ(small, full.substr(0, 7).c_str());
    EXPECT_EQ(Sim("nonsense").rfind("ERR unknown command", 0), 0u);
    EXPECT_EQ(Sim(""), "ERR empty command");
}

// A minimal client of the control port: one command, the reply up to its "." line.
class CControlClient {
public:
    explicit CControlClient(int port) {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        m_socket = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<u_short>(port));
        m_connected = connect(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }
    ~CControlClient() {
        closesocket(m_socket);
        WSACleanup();
    }
    bool Connected() const { return m_connected; }

    std::string Ask(const std::string& command) {
        const std::string line = command + "\r\n";
        send(m_socket, line.data(), static_cast<int>(line.size()), 0);
        for (;;) {
            const size_t end = m_pending.find("\n.\n");
            if (end != std::string::npos) {
                std::string reply = m_pending.substr(0, end);
                m_pending.erase(0, end + 3);
                return reply;
            }
            char chunk[4096];
            const int count = recv(m_socket, chunk, sizeof chunk, 0);
            if (count <= 0)
                return "(connection closed)";
            m_pending.append(chunk, static_cast<size_t>(count));
        }
    }

private:
    SOCKET m_socket = INVALID_SOCKET;
    bool m_connected = false;
    std::string m_pending;
};

int ControlPort() {
    static const int port = [] {
        const std::string reply = Sim("listen 0");
        return reply.rfind("OK ", 0) == 0 ? std::stoi(reply.substr(3)) : 0;
    }();
    return port;
}

TEST_F(ControlTest, CommandsWorkOverTheLoopbackControlPort) {
    ASSERT_NE(ControlPort(), 0);
    CControlClient client(ControlPort());
    ASSERT_TRUE(client.Connected());
    EXPECT_EQ(client.Ask("ring 1 1 4321"), "OK");
    // The event reached the callback before the reply was sent.
    EXPECT_EQ(EventCount(), 2u);
    EXPECT_EQ(QsdVox_GetRingCount(1), 1);

    CControlClient second(ControlPort());  // another connection alongside
    ASSERT_TRUE(second.Connected());
    EXPECT_EQ(Fields(second.Ask("status"))["port"], std::to_string(ControlPort()));

    QsdVox_GetRingCount(1);
    const std::vector<std::string> journal = Lines(client.Ask("journal 0 QsdVox_GetRingCount"));
    ASSERT_EQ(journal.size(), 3u);
    EXPECT_NE(journal[2].find("QsdVox_GetRingCount(1) = 1"), std::string::npos);
    EXPECT_EQ(client.Ask("bogus").rfind("ERR unknown command", 0), 0u);
    EXPECT_EQ(Sim("listen 0").rfind("ERR already listening", 0), 0u);
}

}  // namespace
