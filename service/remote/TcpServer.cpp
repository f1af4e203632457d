#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h
#include "TcpServer.h"

#include "ServerThreads.h"
#include "ServiceView.h"
#include "settings/SettingValues.h"

#include <process.h>

namespace {

// How long StopTcpServer waits for each server thread.
constexpr DWORD kThreadStopWaitMs = 2000;

ListeningControl g_control;
HANDLE g_acceptThread = nullptr;
HANDLE g_keepAliveThread = nullptr;

HANDLE StartServerThread(unsigned(__stdcall* thread)(void*)) {
    return reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, thread, &g_control, 0, nullptr));
}

// The keep-alive thread may be inside a view call (a client timed out), which the stopping UI thread must serve.
void WaitAndClose(HANDLE& thread) {
    if (!thread)
        return;
    WaitForServiceThread(thread, kThreadStopWaitMs);
    CloseHandle(thread);
    thread = nullptr;
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
    g_acceptThread = StartServerThread(AcceptThread);
    g_keepAliveThread = StartServerThread(KeepAliveThread);
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
    const bool wasStarted = g_acceptThread || g_keepAliveThread;
    WaitAndClose(g_acceptThread);
    WaitAndClose(g_keepAliveThread);
    if (wasStarted)
        WSACleanup();
    return 1;
}
