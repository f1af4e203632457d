#pragma once
// CMidnightReset: empties the seven call-record panes shortly before midnight, so the new day starts with empty
// lists; every row's record is freed with its row. The other panes keep their rows.
//
// Owned by the frame's housekeeping, which starts it from the UI thread and stops it there before the frame goes.
// Each pane is emptied as one message on the UI thread, so the operator never acts on a row whose record is gone.

#include "WorkerThread.h"

#include "mfc.h"

class CRightView;

class CMidnightReset {
public:
    // True while the thread runs; a thread that has ended is let go, so it may run again.
    bool IsRunning();
    // Starts the thread over the panes unless it runs already.
    void Start(CRightView* panes);
    // Asks the thread to end after the pane it is on and waits for it with a bound, serving its messages.
    void Stop();

private:
    static unsigned __stdcall MidnightResetThread(void* reset);
    void Run();

    CRightView* m_panes = nullptr;  // not owned
    WorkerThread m_thread{L"MidnightResetThread"};
};
