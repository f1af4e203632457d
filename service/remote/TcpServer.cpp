#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h
#include "remote/TcpServer.h"

#include "remote/ServerThreads.h"
#include "WorkerThread.h"
#include "settings/SettingValues.h"

namespace {

// How long StopTcpServer waits for each server thread.
constexpr DWORD kThreadStopWaitMs = 2000;

ListeningControl g_control;
WorkerThread g_acceptThread{L"AcceptThread"};
WorkerThread g_keepAliveThread{L"KeepAliveThread"};

// The keep-alive thread may be inside a view call (a client timed out), which the stopping UI thread must serve.
void WaitAndClose(WorkerThread& thread) {
    thread.Stop(kThreadStopWaitMs, WorkerThread::Wait::ServingSentMessages, WorkerThread::Overrun::LeaveRunning);
}

}  // namespace

int StartTcpServer() {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) {
        WSACleanup();
        return 0;
    }
    const SOCKET listener = socket(AF_INET, SOCK_STREAM, 0);
    if (listener == INVALID_SOCKET) {
        WSACleanup();
        return 0;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    address.sin_port = htons(static_cast<u_short>(Startup.NetPort.load()));
    if (bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == SOCKET_ERROR ||
        listen(listener, SOMAXCONN) == SOCKET_ERROR) {
        closesocket(listener);
        WSACleanup();
        return 0;
    }

    g_control.Listener = listener;
    if (!g_control.StopEvent)
        g_control.StopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ResetEvent(g_control.StopEvent);
    g_acceptThread.Start(AcceptThread, &g_control);
    g_keepAliveThread.Start(KeepAliveThread, &g_control);
    return 1;
}

int StopTcpServer() {
    // The accept thread leaves once its accept fails on the closed socket; the keep-alive thread at its next tick.
    if (g_control.StopEvent)
        SetEvent(g_control.StopEvent);
    if (g_control.Listener != INVALID_SOCKET) {
        closesocket(g_control.Listener);
        g_control.Listener = INVALID_SOCKET;
    }
    const bool wasStarted = g_acceptThread.IsStarted() || g_keepAliveThread.IsStarted();
    WaitAndClose(g_acceptThread);
    WaitAndClose(g_keepAliveThread);
    if (wasStarted)
        WSACleanup();
    return 1;
}
