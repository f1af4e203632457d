#include "DwmApiFunctions.h"

namespace {

const DwmApiFunctions* GetDwmApiFunctions() {
    static const DwmApiFunctions functions;
    return &functions;
}

}  // namespace

DwmApiFunctions::DwmApiFunctions() : m_hModule(::LoadLibraryW(L"dwmapi.dll")) {
    if (m_hModule == nullptr)
        return;
    m_pfnDwmDefWindowProc =
        reinterpret_cast<decltype(m_pfnDwmDefWindowProc)>(::GetProcAddress(m_hModule, "DwmDefWindowProc"));
    m_pfnDwmExtendFrameIntoClientArea = reinterpret_cast<decltype(m_pfnDwmExtendFrameIntoClientArea)>(
        ::GetProcAddress(m_hModule, "DwmExtendFrameIntoClientArea"));
}

HRESULT CallDwmDefWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* plResult) {
    const DwmApiFunctions* pDwm = GetDwmApiFunctions();
    if (pDwm->m_pfnDwmDefWindowProc == nullptr)
        return E_FAIL;
    return pDwm->m_pfnDwmDefWindowProc(hWnd, message, wParam, lParam, plResult);
}

HRESULT CallDwmExtendFrameIntoClientArea(HWND hWnd, int cxLeft, int cyTop, int cxRight, int cyBottom) {
    const DwmApiFunctions* pDwm = GetDwmApiFunctions();
    if (pDwm->m_pfnDwmExtendFrameIntoClientArea == nullptr)
        return E_FAIL;
    const MARGINS margins = {cxLeft, cxRight, cyTop, cyBottom};
    return pDwm->m_pfnDwmExtendFrameIntoClientArea(hWnd, &margins);
}
