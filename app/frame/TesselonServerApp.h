#pragma once
// CTesselonServerApp: the process's application object. It lets only one copy of the server run, loads what the
// whole window side shares (the OEM bitmap, GDI+, the application's icon list), reads the start-up settings the
// recording service needs before anything runs, and creates, loads and shows the main frame, whose creation
// starts the service. On exit it releases what it loaded. The program's one object is a global of the program's
// main file; its members run on the UI thread.

#include "mfc.h"

#include <memory>

// The named mutex that marks a running server.
constexpr wchar_t kInstanceMutexName[] = L"TESSELONINSTANCEGUARD";

class CTesselonServerApp : public CWinApp {
public:
    CTesselonServerApp();
    ~CTesselonServerApp() override;

    // The start-up; FALSE ends the program (another copy runs, OLE or the main frame failed).
    BOOL InitInstance() override;
    // Releases what InitInstance loaded; also after InitInstance answered FALSE.
    int ExitInstance() override;

    afx_msg void OnAppAbout();
    DECLARE_MESSAGE_MAP()

private:
    // True when another copy runs: its window is shown, normal and in front. Otherwise the mutex is now ours.
    bool AnotherInstanceRuns();

    CScopedKernelHandle m_instanceMutex{nullptr};
    std::unique_ptr<CScopedGdiPlus> m_gdiPlus;
};
