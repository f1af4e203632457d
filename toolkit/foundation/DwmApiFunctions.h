#pragma once
#include "mfc.h"

#include <uxtheme.h>

// The two desktop-window-manager functions the toolkit uses, bound by name from "dwmapi.dll" (never
// linked), so frames draw on systems without composition. Each answers E_FAIL when unavailable.
// One process-wide record, built and bound on the first call; UI thread.

struct DwmApiFunctions {
    DwmApiFunctions();

    BOOL(WINAPI* m_pfnDwmDefWindowProc)(HWND, UINT, WPARAM, LPARAM, LRESULT*) = nullptr;
    HRESULT(WINAPI* m_pfnDwmExtendFrameIntoClientArea)(HWND, const MARGINS*) = nullptr;
    HMODULE m_hModule;  // NULL when dwmapi is absent; never freed
};

// DwmDefWindowProc's answer (non-zero when it handled the message, *plResult then set).
HRESULT CallDwmDefWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* plResult);
HRESULT CallDwmExtendFrameIntoClientArea(HWND hWnd, int cxLeft, int cyTop, int cxRight, int cyBottom);
