#include "ResourceHandle.h"

#include <atomic>

namespace {

std::atomic<HINSTANCE> g_hInstResource{nullptr};

}  // namespace

HINSTANCE AfxGetInstanceHandle() {
    return ::GetModuleHandleW(nullptr);
}

HINSTANCE AfxGetResourceHandle() {
    HINSTANCE hInstance = g_hInstResource.load(std::memory_order_acquire);
    return hInstance != nullptr ? hInstance : AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE hInstResource) {
    g_hInstResource.store(hInstResource, std::memory_order_release);
}

HINSTANCE AfxFindResourceHandle(LPCTSTR, LPCTSTR) {
    return AfxGetResourceHandle();
}

HINSTANCE AfxFindStringResourceHandle(UINT) {
    return AfxGetResourceHandle();
}
