#include "ServiceView.h"

#include <atomic>

namespace {

std::atomic<IServiceView*> installedView{nullptr};

}  // namespace

void SetServiceView(IServiceView* view) {
    installedView.store(view);
}

IServiceView* GetServiceView() {
    return installedView.load();
}

std::wstring CurrentOperatorName() {
    IServiceView* view = GetServiceView();
    return view ? view->OperatorName() : std::wstring();
}

bool WaitForServiceThread(HANDLE thread, DWORD timeoutMs) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        const ULONGLONG now = ::GetTickCount64();
        const DWORD left = now < deadline ? static_cast<DWORD>(deadline - now) : 0;
        const DWORD woken = ::MsgWaitForMultipleObjects(1, &thread, FALSE, left, QS_SENDMESSAGE);
        if (woken != WAIT_OBJECT_0 + 1)
            return woken == WAIT_OBJECT_0;
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);  // serves the sent messages
    }
}
