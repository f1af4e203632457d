#include "ThreadState.h"

AFX_THREAD_STATE* AfxGetThreadState() {
    // Never destroyed: window objects that are globals still dispatch messages while the process's
    // other globals are being destroyed.
    static CThreadLocal<AFX_THREAD_STATE>* pThreadState = new CThreadLocal<AFX_THREAD_STATE>;
    return pThreadState->GetData();
}
