// The TCP server's own threads: the accept loop when accepting fails, and stopping the server while a view call
// waits for the stopping thread.

#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h
#include "RemoteServerTest.h"

#include "SentMessageWindow.h"
#include "clients/ClientSlot.h"
#include "remote/ServerThreads.h"
#include "remote/TcpServer.h"

#include <process.h>

namespace {

double CpuMsOf(HANDLE thread) {
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(thread, &created, &exited, &kernel, &user))
        return -1;
    auto ms = [](const FILETIME& t) { return (ULONGLONG(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 10000.0; };
    return ms(kernel) + ms(user);
}

}  // namespace

// An accept that fails at once every time (here: on a socket that was closed) is retried after a pause, not in a
// loop at full speed; the stop still ends the thread promptly.
TEST(ServerThreads, AcceptLoopPausesWhileAcceptingFails) {
    WSADATA data;
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
    ListeningControl control;
    control.Listener = socket(AF_INET, SOCK_STREAM, 0);
    closesocket(control.Listener);
    control.StopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    const HANDLE thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, AcceptThread, &control, 0, nullptr));
    ASSERT_TRUE(thread);

    Sleep(1500);
    const double cpuMs = CpuMsOf(thread);
    SetEvent(control.StopEvent);
    EXPECT_EQ(WaitForSingleObject(thread, 2000), WAIT_OBJECT_0);
    EXPECT_GE(cpuMs, 0);
    EXPECT_LT(cpuMs, 300) << "the accept loop spins";
    CloseHandle(thread);
    CloseHandle(control.StopEvent);
    WSACleanup();
}

namespace {

// A view whose client events are messages sent to the test's thread, as the GUI's view sends every call to the UI
// thread.
class SendingView : public ClientEventView {
public:
    void ClientEvent(const ClientEventRecord& event) override {
        UiThread.Send();
        ClientEventView::ClientEvent(event);
    }

    SentMessageWindow UiThread;
};

}  // namespace

// The keep-alive thread tells the view of a client that timed out, and waits inside that call for the UI thread,
// which is the thread that stops the server: the stop serves the call, so the thread ends before WinSock goes.
TEST_F(RemoteServerTest, StopServesTheViewCallOfTheKeepAliveThread) {
    AddAccount(L"alice", L"secret", RightsFor({1}));
    ConnectLoggedIn(L"alice", L"secret");
    SendingView view;
    SetServiceView(&view);
    ClientSlots()[0].SecondsSinceReceive = 59;  // silent for a minute at the next tick
    ASSERT_TRUE(WaitUntil([&] { return view.UiThread.Begun > 0; }));

    const auto start = std::chrono::steady_clock::now();
    StopTcpServer();
    const auto elapsed = std::chrono::steady_clock::now() - start;

    EXPECT_LT(elapsed, std::chrono::milliseconds(1500));
    EXPECT_EQ(view.UiThread.Begun.load(), view.UiThread.Ended.load()) << "the server stopped with its thread inside";
    SetServiceView(&m_view);
}
