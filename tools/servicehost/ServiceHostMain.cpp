// servicehost.exe: runs the recording service in a console, without its window, until Ctrl+C (or the console
// closing) asks it to stop; it then shuts the service down in the main window's order and exits with 0.
//
// The service reads everything from its program folder and the data folder, as the GUI program does; the host
// takes no arguments. With the simulated driver, the program folder's qskern.ini describes the boards.
#include "ConsoleServiceView.h"
#include "ServiceHost.h"

#include "settings/SettingValues.h"

#include "mfc.h"

#include <windows.h>

namespace {

// How long a closing console waits for the shutdown before the system ends the process anyway.
constexpr DWORD kCloseWaitMs = 10000;

HANDLE g_stopRequested = nullptr;  // manual reset: set by the console control handler
HANDLE g_stopped = nullptr;        // manual reset: set once the service has been shut down

// Runs on a thread of its own that the console makes for each event.
BOOL WINAPI OnConsoleControl(DWORD event) {
    ::SetEvent(g_stopRequested);
    // After a close, log-off or shutdown event returns, the process is ended: let the shutdown finish first.
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        ::WaitForSingleObject(g_stopped, kCloseWaitMs);
    return TRUE;
}

}  // namespace

int wmain() {
    ::SetConsoleOutputCP(CP_UTF8);
    g_stopRequested = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    g_stopped = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!g_stopRequested || !g_stopped || !::SetConsoleCtrlHandler(OnConsoleControl, TRUE))
        return 1;

    static CConsoleServiceView view;  // lives until the process ends: a late network thread may still call it
    LoadStartupSettings();
    SetServiceView(&view);
    CServiceHost host;
    view.WriteLine(L"service starting; Ctrl+C stops it");
    host.Start();
    CString started;
    started.Format(L"service started; client port %d", Startup.NetPort.load());
    view.WriteLine(started.GetString());

    ::WaitForSingleObject(g_stopRequested, INFINITE);
    view.WriteLine(L"service stopping");
    host.Stop();
    view.WriteLine(L"service stopped");
    SetServiceView(nullptr);
    ::SetEvent(g_stopped);
    return 0;
}
