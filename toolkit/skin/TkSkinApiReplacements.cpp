// The system functions the skin replaces, and the table of slots that InstallHooks walks.
//
// Each replacement first takes the system function of its slot and calls the function through the caller's
// own import when the slot is empty (an import only ever points at a replacement while its slot holds the
// system function, so that never loops). A replacement that does not serve a call passes its arguments to
// the system function and returns its result unchanged.

#include "TkSkinManagerApiHook.h"

#include "TkSkinDrawEdge.h"

#include "TkSkinImportTable.h"
#include "TkSkinManager.h"
#include "TkSkinManagerClass.h"
#include "TkSkinManagerMetrics.h"
#include "TkSkinManagerResourceFile.h"
#include "TkSkinManagerSchema.h"
#include "TkSkinObjectFrame.h"
#include "TkSkinSchemaNames.h"

#include <cstring>
#include <new>
#include <uxtheme.h>
#include <vssym32.h>

namespace {

template <class PFN>
PFN SystemFunction(int nSlot, PFN pfnImported) {
    FARPROC pfn = GetSkinApiHook()->GetSystemFunction(nSlot);
    return pfn != nullptr ? reinterpret_cast<PFN>(pfn) : pfnImported;
}

// The manager while a skin is in force, else NULL.
CTkSkinManager* SkinningManager() {
    CTkSkinManager* pManager = GetSkinManager();
    return pManager != nullptr && pManager->IsSkinEnabled() ? pManager : nullptr;
}

// The manager while it answers sizes and fonts: a skin in force with metrics and colours applied, and the
// metrics not reading the system's own values at the moment.
CTkSkinManager* MetricsManager() {
    CTkSkinManager* pManager = SkinningManager();
    constexpr DWORD kBoth = tkSkinApplyMetrics | tkSkinApplyColors;
    if (pManager == nullptr || (pManager->GetApplyOptions() & kBoth) != kBoth ||
        pManager->GetMetrics()->IsRefreshing() || pManager->GetSchema() == nullptr)
        return nullptr;
    return pManager;
}

// A cached class of the loaded skin when hTheme is one, else NULL.
CTkSkinManagerClass* ThemeClass(HTHEME hTheme) {
    CTkSkinManager* pManager = GetSkinManager();
    if (pManager == nullptr || hTheme == nullptr)
        return nullptr;
    return pManager->ValidateSkinClass(reinterpret_cast<CTkSkinManagerClass*>(hTheme));
}

// A DC lent to the class library's drawing for the duration of a call.
class BorrowedDC : public CDC {
public:
    explicit BorrowedDC(HDC hDC) { Attach(hDC); }
    ~BorrowedDC() override { Detach(); }
};

// Keeps the caller's last-error value across the skin's own work after a system call.
class KeepLastError {
public:
    KeepLastError() : m_dwError(::GetLastError()) {}
    ~KeepLastError() { ::SetLastError(m_dwError); }

private:
    DWORD m_dwError;
};

// ---- Default procedures

using PFNDEFPROC = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);

LRESULT DefProc(int nSlot, PFNDEFPROC pfnImported, int nKind, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    PFNDEFPROC pfnSystem = SystemFunction(nSlot, pfnImported);
    LRESULT lResult = 0;
    if (CTkSkinManagerApiHook::DispatchDefProc(hWnd, reinterpret_cast<FARPROC>(pfnSystem), nKind, nullptr, message,
                                               &wParam, &lParam, &lResult))
        return lResult;
    return pfnSystem(hWnd, message, wParam, lParam);
}

LRESULT WINAPI SkinDefWindowProcA(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefProc(tkSlotDefWindowProcA, &::DefWindowProcA, tkDefProcDefWindowProc, hWnd, message, wParam, lParam);
}
LRESULT WINAPI SkinDefWindowProcW(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefProc(tkSlotDefWindowProcW, &::DefWindowProcW, tkDefProcDefWindowProc, hWnd, message, wParam, lParam);
}
LRESULT WINAPI SkinDefDlgProcA(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefProc(tkSlotDefDlgProcA, &::DefDlgProcA, tkDefProcDefDlgProc, hWnd, message, wParam, lParam);
}
LRESULT WINAPI SkinDefDlgProcW(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefProc(tkSlotDefDlgProcW, &::DefDlgProcW, tkDefProcDefDlgProc, hWnd, message, wParam, lParam);
}
LRESULT WINAPI SkinDefMDIChildProcA(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefProc(tkSlotDefMDIChildProcA, &::DefMDIChildProcA, tkDefProcDefMDIChildProc, hWnd, message, wParam,
                   lParam);
}
LRESULT WINAPI SkinDefMDIChildProcW(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefProc(tkSlotDefMDIChildProcW, &::DefMDIChildProcW, tkDefProcDefMDIChildProc, hWnd, message, wParam,
                   lParam);
}

using PFNDEFFRAMEPROC = LRESULT(WINAPI*)(HWND, HWND, UINT, WPARAM, LPARAM);

LRESULT DefFrameProcWorker(int nSlot, PFNDEFFRAMEPROC pfnImported, HWND hWnd, HWND hMDIClient, UINT message,
                           WPARAM wParam, LPARAM lParam) {
    PFNDEFFRAMEPROC pfnSystem = SystemFunction(nSlot, pfnImported);
    LRESULT lResult = 0;
    if (CTkSkinManagerApiHook::DispatchDefProc(hWnd, reinterpret_cast<FARPROC>(pfnSystem), tkDefProcDefFrameProc,
                                               hMDIClient, message, &wParam, &lParam, &lResult))
        return lResult;
    return pfnSystem(hWnd, hMDIClient, message, wParam, lParam);
}

LRESULT WINAPI SkinDefFrameProcA(HWND hWnd, HWND hMDIClient, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefFrameProcWorker(tkSlotDefFrameProcA, &::DefFrameProcA, hWnd, hMDIClient, message, wParam, lParam);
}
LRESULT WINAPI SkinDefFrameProcW(HWND hWnd, HWND hMDIClient, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefFrameProcWorker(tkSlotDefFrameProcW, &::DefFrameProcW, hWnd, hMDIClient, message, wParam, lParam);
}

using PFNCALLWINDOWPROC = LRESULT(WINAPI*)(WNDPROC, HWND, UINT, WPARAM, LPARAM);

LRESULT CallWindowProcWorker(int nSlot, PFNCALLWINDOWPROC pfnImported, WNDPROC pfnPrevious, HWND hWnd, UINT message,
                             WPARAM wParam, LPARAM lParam) {
    PFNCALLWINDOWPROC pfnSystem = SystemFunction(nSlot, pfnImported);
    LRESULT lResult = 0;
    if (pfnPrevious != nullptr && CTkSkinManagerApiHook::DispatchDefProc(
                                      hWnd, reinterpret_cast<FARPROC>(pfnSystem), tkDefProcCallWindowProc,
                                      reinterpret_cast<void*>(pfnPrevious), message, &wParam, &lParam, &lResult))
        return lResult;
    return pfnSystem(pfnPrevious, hWnd, message, wParam, lParam);
}

LRESULT WINAPI SkinCallWindowProcA(WNDPROC pfnPrevious, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcWorker(tkSlotCallWindowProcA, &::CallWindowProcA, pfnPrevious, hWnd, message, wParam, lParam);
}
LRESULT WINAPI SkinCallWindowProcW(WNDPROC pfnPrevious, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcWorker(tkSlotCallWindowProcW, &::CallWindowProcW, pfnPrevious, hWnd, message, wParam, lParam);
}

// ---- Window classes

// A class registered with one of the default-procedure replacements as its procedure (code that took the
// address of DefWindowProc through a patched import) gets the system function instead, so the class keeps
// working after the hooks are gone.
template <class WNDCLASST>
ATOM RegisterClassWorker(int nSlot, ATOM(WINAPI* pfnImported)(const WNDCLASST*), const WNDCLASST* pWndClass,
                         const std::pair<WNDPROC, int>* pReplacements, size_t nReplacements) {
    auto pfnSystem = SystemFunction(nSlot, pfnImported);
    if (pWndClass != nullptr) {
        for (size_t i = 0; i < nReplacements; ++i) {
            FARPROC pfnDefault = GetSkinApiHook()->GetSystemFunction(pReplacements[i].second);
            if (pWndClass->lpfnWndProc == pReplacements[i].first && pfnDefault != nullptr) {
                WNDCLASST wndClass = *pWndClass;
                wndClass.lpfnWndProc = reinterpret_cast<WNDPROC>(pfnDefault);
                return pfnSystem(&wndClass);
            }
        }
    }
    return pfnSystem(pWndClass);
}

ATOM WINAPI SkinRegisterClassA(const WNDCLASSA* pWndClass) {
    static const std::pair<WNDPROC, int> kReplacements[] = {
        {&SkinDefWindowProcA, tkSlotDefWindowProcA},
        {reinterpret_cast<WNDPROC>(&SkinDefFrameProcA), tkSlotDefFrameProcA},
        {&SkinDefMDIChildProcA, tkSlotDefMDIChildProcA},
        {&SkinDefDlgProcA, tkSlotDefDlgProcA},
    };
    return RegisterClassWorker(tkSlotRegisterClassA, &::RegisterClassA, pWndClass, kReplacements,
                               _countof(kReplacements));
}

ATOM WINAPI SkinRegisterClassW(const WNDCLASSW* pWndClass) {
    static const std::pair<WNDPROC, int> kReplacements[] = {
        {&SkinDefWindowProcW, tkSlotDefWindowProcW},
        {reinterpret_cast<WNDPROC>(&SkinDefFrameProcW), tkSlotDefFrameProcW},
        {&SkinDefMDIChildProcW, tkSlotDefMDIChildProcW},
        {&SkinDefDlgProcW, tkSlotDefDlgProcW},
    };
    return RegisterClassWorker(tkSlotRegisterClassW, &::RegisterClassW, pWndClass, kReplacements,
                               _countof(kReplacements));
}

// ---- Loading modules and finding functions

HMODULE Loaded(HMODULE hModule, DWORD dwFlags) {
    const KeepLastError keepError;
    GetSkinApiHook()->HookLoadedModule(hModule, dwFlags);
    return hModule;
}

HMODULE WINAPI SkinLoadLibraryA(LPCSTR pszName) {
    return Loaded(SystemFunction(tkSlotLoadLibraryA, &::LoadLibraryA)(pszName), 0);
}
HMODULE WINAPI SkinLoadLibraryW(LPCWSTR pszName) {
    return Loaded(SystemFunction(tkSlotLoadLibraryW, &::LoadLibraryW)(pszName), 0);
}
// A module mapped as data is no image whose imports are ever called.
HMODULE WINAPI SkinLoadLibraryExA(LPCSTR pszName, HANDLE hFile, DWORD dwFlags) {
    return Loaded(SystemFunction(tkSlotLoadLibraryExA, &::LoadLibraryExA)(pszName, hFile, dwFlags), dwFlags);
}
HMODULE WINAPI SkinLoadLibraryExW(LPCWSTR pszName, HANDLE hFile, DWORD dwFlags) {
    return Loaded(SystemFunction(tkSlotLoadLibraryExW, &::LoadLibraryExW)(pszName, hFile, dwFlags), dwFlags);
}

HMODULE WINAPI SkinGetModuleHandleA(LPCSTR pszName) {
    if (pszName != nullptr && EqualsAsciiNoCase(pszName, "UxTheme.dll")) {
        CTkSkinManager* pManager = GetSkinManager();
        if (pManager != nullptr && (pManager->GetApplyOptions() & tkSkinApplyColors) != 0)
            return GetSkinnedUxThemeHandle();
    }
    return SystemFunction(tkSlotGetModuleHandleA, &::GetModuleHandleA)(pszName);
}

FARPROC WINAPI SkinGetProcAddress(HMODULE hModule, LPCSTR pszName) {
    auto pfnSystem = SystemFunction(tkSlotGetProcAddress, &::GetProcAddress);
    const bool bSkinnedUxTheme = hModule == GetSkinnedUxThemeHandle();
    // The skin's visual-styles module is no module at all: what the skin does not serve does not exist there.
    auto notFound = [] {
        ::SetLastError(ERROR_PROC_NOT_FOUND);
        return static_cast<FARPROC>(nullptr);
    };
    if (IS_INTRESOURCE(pszName))
        return bSkinnedUxTheme ? notFound() : pfnSystem(hModule, pszName);
    char szPath[MAX_PATH] = "";
    LPCSTR pszModule = "UXTHEME.DLL";
    if (!bSkinnedUxTheme) {
        const DWORD nLength = ::GetModuleFileNameA(hModule, szPath, MAX_PATH);
        if (nLength == 0 || nLength >= MAX_PATH)
            return pfnSystem(hModule, pszName);
        LPCSTR pszSlash = std::strrchr(szPath, '\\');
        pszModule = pszSlash != nullptr ? pszSlash + 1 : szPath;
        // The real visual-styles library answers with its own functions.
        if (EqualsAsciiNoCase(pszModule, "UxTheme.dll"))
            return pfnSystem(hModule, pszName);
    }
    if (FARPROC pfnReplacement = GetSkinApiHook()->FindHookedReplacement(pszModule, pszName))
        return pfnReplacement;
    return bSkinnedUxTheme ? notFound() : pfnSystem(hModule, pszName);
}

// ---- Threads

struct ThreadStart {
    LPTHREAD_START_ROUTINE pfnStart;
    LPVOID pParameter;
};

DWORD WINAPI SkinThreadStartTrampoline(LPVOID pRecord) {
    const ThreadStart start = *static_cast<ThreadStart*>(pRecord);
    delete static_cast<ThreadStart*>(pRecord);
    try {
        if (CTkSkinManager* pManager = GetSkinManager())
            pManager->InstallCreateHook();
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return start.pfnStart(start.pParameter);
}

HANDLE WINAPI SkinCreateThread(LPSECURITY_ATTRIBUTES pAttributes, SIZE_T nStackSize, LPTHREAD_START_ROUTINE pfnStart,
                               LPVOID pParameter, DWORD dwFlags, LPDWORD pdwThreadId) {
    auto pfnSystem = SystemFunction(tkSlotCreateThread, &::CreateThread);
    CTkSkinManager* pManager = SkinningManager();
    if (pManager != nullptr && pManager->IsSkinNewThreads() && pfnStart != nullptr) {
        if (auto* pRecord = new (std::nothrow) ThreadStart{pfnStart, pParameter}) {
            HANDLE hThread =
                pfnSystem(pAttributes, nStackSize, &SkinThreadStartTrampoline, pRecord, dwFlags, pdwThreadId);
            if (hThread == nullptr)
                delete pRecord;
            return hThread;
        }
    }
    return pfnSystem(pAttributes, nStackSize, pfnStart, pParameter, dwFlags, pdwThreadId);
}

// ---- Colours and brushes

DWORD WINAPI SkinGetSysColor(int nIndex) {
    if (CTkSkinManager* pManager = SkinningManager();
        pManager != nullptr && nIndex >= 0 && nIndex < CTkSkinManagerMetrics::kColorCount) {
        const COLORREF clr = pManager->GetMetrics()->GetColor(nIndex);
        if (clr != static_cast<COLORREF>(-1))
            return clr;
    }
    return SystemFunction(tkSlotGetSysColor, &::GetSysColor)(nIndex);
}

HBRUSH WINAPI SkinGetSysColorBrush(int nIndex) {
    // Index 0 (the scroll-bar colour) keeps the system's brush.
    if (CTkSkinManager* pManager = SkinningManager();
        pManager != nullptr && nIndex >= 1 && nIndex < CTkSkinManagerMetrics::kColorCount) {
        if (HBRUSH hBrush = pManager->GetMetrics()->GetBrush(nIndex))
            return hBrush;
    }
    return SystemFunction(tkSlotGetSysColorBrush, &::GetSysColorBrush)(nIndex);
}

int WINAPI SkinFillRect(HDC hDC, const RECT* pRect, HBRUSH hBrush) {
    // A brush value 1..30 stands for system colour value - 1.
    const auto nValue = reinterpret_cast<ULONG_PTR>(hBrush);
    if (nValue >= 1 && nValue < CTkSkinManagerMetrics::kColorCount) {
        CTkSkinManager* pManager = GetSkinManager();
        if (HBRUSH hSkinBrush =
                pManager != nullptr ? pManager->GetMetrics()->GetBrush(static_cast<int>(nValue) - 1) : nullptr)
            hBrush = hSkinBrush;
    }
    return SystemFunction(tkSlotFillRect, &::FillRect)(hDC, pRect, hBrush);
}

BOOL WINAPI SkinDeleteObject(HGDIOBJ hObject) {
    // The skin's colour brushes are shared like the system's: nobody else deletes them.
    CTkSkinManager* pManager = GetSkinManager();
    if (pManager != nullptr && pManager->GetMetrics()->IsSkinBrush(hObject))
        return FALSE;
    return SystemFunction(tkSlotDeleteObject, &::DeleteObject)(hObject);
}

// ---- Visual styles

HTHEME WINAPI SkinOpenThemeData(HWND, LPCWSTR pszClassList) {
    CTkSkinManager* pManager = SkinningManager();
    if (pManager == nullptr || pszClassList == nullptr)
        return nullptr;
    return reinterpret_cast<HTHEME>(pManager->GetSkinClass(pszClassList));
}

HRESULT WINAPI SkinCloseThemeData(HTHEME) {
    return S_OK;
}

BOOL WINAPI SkinIsAppThemed() {
    return TRUE;
}

BOOL WINAPI SkinIsThemeActive() {
    return TRUE;
}

HRESULT WINAPI SkinDrawThemeBackground(HTHEME hTheme, HDC hDC, int nPartId, int nStateId, const RECT* pRect,
                                       const RECT* pClipRect) {
    CTkSkinManagerClass* pClass = ThemeClass(hTheme);
    if (pClass == nullptr || hDC == nullptr || pRect == nullptr)
        return E_FAIL;
    HRGN hSavedClip = nullptr;
    const bool bClip = pClipRect != nullptr && !::EqualRect(pClipRect, pRect);
    if (bClip) {
        hSavedClip = ::CreateRectRgn(0, 0, 0, 0);
        if (::GetClipRgn(hDC, hSavedClip) != 1) {
            ::DeleteObject(hSavedClip);
            hSavedClip = nullptr;
        }
        ::IntersectClipRect(hDC, pClipRect->left, pClipRect->top, pClipRect->right, pClipRect->bottom);
    }
    BorrowedDC dc(hDC);
    const BOOL bDrawn = pClass->DrawBackground(&dc, nPartId, nStateId, pRect);
    if (bClip) {
        ::ExtSelectClipRgn(hDC, hSavedClip, RGN_COPY);
        if (hSavedClip != nullptr)
            ::DeleteObject(hSavedClip);
    }
    return bDrawn ? S_OK : E_FAIL;
}

HRESULT WINAPI SkinGetThemeColor(HTHEME hTheme, int nPartId, int nStateId, int nPropId, COLORREF* pColor) {
    CTkSkinManagerClass* pClass = ThemeClass(hTheme);
    if (pClass == nullptr || pColor == nullptr)
        return E_FAIL;
    const COLORREF clr = pClass->GetColorProperty(nPartId, nStateId, nPropId, static_cast<COLORREF>(-1));
    if (clr == static_cast<COLORREF>(-1))
        return E_FAIL;
    *pColor = clr;
    return S_OK;
}

HRESULT WINAPI SkinGetThemePartSize(HTHEME hTheme, HDC, int nPartId, int nStateId, const RECT* pRect, THEMESIZE eSize,
                                    SIZE* pSize) {
    CTkSkinManagerClass* pClass = ThemeClass(hTheme);
    if (pClass == nullptr || pSize == nullptr)
        return E_FAIL;
    return pClass->GetPartSize(nPartId, nStateId, pRect, eSize, pSize) ? S_OK : E_FAIL;
}

BOOL WINAPI SkinGetThemeSysBool(HTHEME, int nBoolId) {
    CTkSkinManager* pManager = GetSkinManager();
    return pManager != nullptr && pManager->ReadSysMetricsBool(nBoolId);
}

COLORREF WINAPI SkinGetThemeSysColor(HTHEME, int nColorId) {
    CTkSkinManager* pManager = GetSkinManager();
    return pManager != nullptr ? pManager->GetSchemaSysColor(nColorId) : static_cast<COLORREF>(-1);
}

// The colour-scheme name the skin's INI file suggests, as the system's visual styles name theirs.
CString ColorSchemeName(const CString& strIniFile) {
    CString strName = strIniFile;
    strName.MakeUpper();
    if (strName.Find(L"METALLIC") > 0)
        return L"metallic";
    if (strName.Find(L"BLUE") > 0)
        return L"normalcolor";
    if (strName.Find(L"HOMESTEAD") > 0)
        return L"homestead";
    return strName;
}

HRESULT WINAPI SkinGetCurrentThemeName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff,
                                       int cchMaxColorChars, LPWSTR, int) {
    CTkSkinManager* pManager = GetSkinManager();
    const CTkSkinManagerResourceFile* pFile = pManager != nullptr ? pManager->GetResourceFile() : nullptr;
    if (pFile == nullptr)
        return E_FAIL;
    const CString& strPath = pFile->GetResourcePath();
    if (pszThemeFileName != nullptr && strPath.GetLength() < cchMaxNameChars)
        wcscpy_s(pszThemeFileName, static_cast<size_t>(cchMaxNameChars), strPath);
    const CString strColor = ColorSchemeName(pFile->GetIniFileName());
    if (pszColorBuff != nullptr && strColor.GetLength() < cchMaxColorChars)
        wcscpy_s(pszColorBuff, static_cast<size_t>(cchMaxColorChars), strColor);
    return S_OK;
}

// ---- Sizes and fonts

int WINAPI SkinGetSystemMetrics(int nIndex) {
    const int nSystem = SystemFunction(tkSlotGetSystemMetrics, &::GetSystemMetrics)(nIndex);
    CTkSkinManager* pManager = MetricsManager();
    if (pManager == nullptr)
        return nSystem;
    const CTkSkinManagerMetrics* pMetrics = pManager->GetMetrics();
    switch (nIndex) {
        case SM_CXVSCROLL:
            return pMetrics->GetVScrollWidth();
        case SM_CYHSCROLL:
            return pMetrics->GetHScrollHeight();
        case SM_CYCAPTION:
            return pMetrics->GetCaptionHeight();
        case SM_CXBORDER:
            return pMetrics->GetBorderWidth();
        case SM_CYBORDER:
            return pMetrics->GetBorderHeight();
        case SM_CYVSCROLL:
            return pMetrics->GetVScrollArrowHeight();
        case SM_CXHSCROLL:
            return pMetrics->GetHScrollArrowWidth();
        case SM_CYSMCAPTION:
            return pMetrics->GetSmallCaptionHeight();
        default:
            return nSystem;
    }
}

BOOL WINAPI SkinSystemParametersInfoW(UINT uiAction, UINT uiParam, PVOID pvParam, UINT fWinIni) {
    const BOOL bResult =
        SystemFunction(tkSlotSystemParametersInfoW, &::SystemParametersInfoW)(uiAction, uiParam, pvParam, fWinIni);
    CTkSkinManager* pManager = MetricsManager();
    if (!bResult || pvParam == nullptr || pManager == nullptr)
        return bResult;
    const CTkSkinManagerSchema* pSchema = pManager->GetSchema();
    const int nSysMetrics = SchemaClassId(L"SYSMETRICS");
    // Each font only when the skin defines it.
    auto readFont = [&](int nPropertyId, LOGFONTW* pFont) {
        LOGFONTW font;
        if (pSchema->GetFontProperty(nSysMetrics, 0, 0, nPropertyId, &font) == S_OK)
            *pFont = font;
    };
    // The sizes every Windows accepts: the replacement answers only those.
    if (uiAction == SPI_GETICONTITLELOGFONT && uiParam == sizeof(LOGFONTW)) {
        readFont(TMT_ICONTITLEFONT, static_cast<LOGFONTW*>(pvParam));
    } else if (uiAction == SPI_GETNONCLIENTMETRICS && uiParam == 500) {
        auto* pMetrics = static_cast<NONCLIENTMETRICSW*>(pvParam);
        readFont(TMT_MENUFONT, &pMetrics->lfMenuFont);
        readFont(TMT_STATUSFONT, &pMetrics->lfStatusFont);
        readFont(TMT_CAPTIONFONT, &pMetrics->lfCaptionFont);
    }
    return bResult;
}

BOOL WINAPI SkinAdjustWindowRectEx(LPRECT pRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle) {
    CTkSkinManager* pManager = SkinningManager();
    const bool bMetrics = pManager != nullptr && (pManager->GetApplyOptions() & tkSkinApplyMetrics) != 0 &&
                          pManager->GetSchema() != nullptr;
    constexpr DWORD kMaximizedCaption = WS_CAPTION | WS_MAXIMIZE;
    // A sizable frame is the skin's frame, unless it is a maximized captioned top-level window.
    if (pRect != nullptr && !bMenu && bMetrics && (dwStyle & WS_THICKFRAME) != 0 &&
        ((dwStyle & kMaximizedCaption) != kMaximizedCaption || (dwStyle & WS_CHILD) != 0)) {
        RECT borders = {};
        pManager->GetSchema()->CalcFrameBorders(&borders, dwStyle, dwExStyle);
        pRect->left -= borders.left;
        pRect->top -= borders.top;
        pRect->right += borders.right;
        pRect->bottom += borders.bottom;
        return TRUE;
    }
    const BOOL bResult =
        SystemFunction(tkSlotAdjustWindowRectEx, &::AdjustWindowRectEx)(pRect, dwStyle, bMenu, dwExStyle);
    if (bResult && pRect != nullptr && bMetrics && (dwStyle & WS_CAPTION) == WS_CAPTION) {
        const CTkSkinManagerMetrics* pMetrics = pManager->GetMetrics();
        const bool bTool = (dwExStyle & WS_EX_TOOLWINDOW) != 0;
        const int nSystem = bTool ? pMetrics->GetSystemSmallCaptionHeight() : pMetrics->GetSystemCaptionHeight();
        const int nSkin = bTool ? pMetrics->GetSmallCaptionHeight() : pMetrics->GetCaptionHeight();
        pRect->top += nSystem - nSkin;
    }
    return bResult;
}

// ---- Edges and frame controls

BOOL WINAPI SkinDrawEdgeHook(HDC hDC, LPRECT pRect, UINT nEdge, UINT nFlags) {
    if (CTkSkinManager* pManager = SkinningManager())
        return SkinDrawEdge(pManager, hDC, pRect, nEdge, nFlags);
    return SystemFunction(tkSlotDrawEdge, &::DrawEdge)(hDC, pRect, nEdge, nFlags);
}

BOOL WINAPI SkinDrawFrameControlHook(HDC hDC, LPRECT pRect, UINT nType, UINT nState) {
    CTkSkinManager* pManager = SkinningManager();
    if (pManager != nullptr && SkinDrawFrameControl(pManager, hDC, pRect, nType, nState))
        return TRUE;
    return SystemFunction(tkSlotDrawFrameControl, &::DrawFrameControl)(hDC, pRect, nType, nState);
}

// ---- Scroll bars: the system keeps the values, the window's frame object draws the bars.

CTkSkinObjectFrame* SkinFrameOf(HWND hWnd) {
    CTkSkinManager* pManager = SkinningManager();
    return pManager != nullptr ? dynamic_cast<CTkSkinObjectFrame*>(pManager->FindSkinObject(hWnd)) : nullptr;
}

int BarIndex(int nBar) {
    return nBar == SB_VERT ? 1 : 0;
}

int WINAPI SkinSetScrollInfo(HWND hWnd, int nBar, LPCSCROLLINFO pInfo, BOOL bRedraw) {
    const auto pfnSystem = SystemFunction(tkSlotSetScrollInfo, &::SetScrollInfo);
    CTkSkinObjectFrame* pFrame = nBar == SB_CTL || !bRedraw ? nullptr : SkinFrameOf(hWnd);
    if (pFrame == nullptr)
        return pfnSystem(hWnd, nBar, pInfo, bRedraw);
    const int nResult = pfnSystem(hWnd, nBar, pInfo, FALSE);
    pFrame->RedrawScrollBar(BarIndex(nBar));
    return nResult;
}

int WINAPI SkinSetScrollPos(HWND hWnd, int nBar, int nPos, BOOL bRedraw) {
    const auto pfnSystem = SystemFunction(tkSlotSetScrollPos, &::SetScrollPos);
    CTkSkinObjectFrame* pFrame = SkinFrameOf(hWnd);
    if (pFrame == nullptr)
        return pfnSystem(hWnd, nBar, nPos, bRedraw);
    const int nResult = pfnSystem(hWnd, nBar, nPos, FALSE);
    if (bRedraw && nBar == SB_CTL)
        ::InvalidateRect(hWnd, nullptr, FALSE);
    else if (bRedraw)
        pFrame->RedrawScrollBar(BarIndex(nBar));
    return nResult;
}

BOOL WINAPI SkinGetScrollInfo(HWND hWnd, int nBar, LPSCROLLINFO pInfo) {
    const BOOL bResult = SystemFunction(tkSlotGetScrollInfo, &::GetScrollInfo)(hWnd, nBar, pInfo);
    // While the skin drags a thumb the system knows nothing of the position under it.
    if (bResult && pInfo != nullptr && (pInfo->fMask & SIF_TRACKPOS) != 0) {
        const CTkSkinObjectFrame* pFrame = SkinFrameOf(hWnd);
        const SCROLLBARTRACKING* pTracking = pFrame != nullptr ? pFrame->GetScrollBarTracking() : nullptr;
        if (pTracking != nullptr && pTracking->nBar == nBar)
            pInfo->nTrackPos = pTracking->nNewPosition;
    }
    return bResult;
}

BOOL WINAPI SkinEnableScrollBar(HWND hWnd, UINT nBar, UINT nArrows) {
    const BOOL bResult = SystemFunction(tkSlotEnableScrollBar, &::EnableScrollBar)(hWnd, nBar, nArrows);
    if (CTkSkinObjectFrame* pFrame = SkinFrameOf(hWnd)) {
        if (nBar == SB_HORZ || nBar == SB_BOTH)
            pFrame->RedrawScrollBar(0);
        if (nBar == SB_VERT || nBar == SB_BOTH)
            pFrame->RedrawScrollBar(1);
    }
    return bResult;
}

// ---- The slot table

struct SlotRow {
    int nSlot;
    LPCSTR pszModule;
    LPCSTR pszFunction;
    FARPROC pfnReplacement;
    DWORD dwOption;  // the option bit that asks for the slot; 0: always
};

template <class PFN>
FARPROC Entry(PFN pfn) {
    return reinterpret_cast<FARPROC>(pfn);
}

// In the order InstallHooks hooks them.
const SlotRow kSlotRows[] = {
    {tkSlotLoadLibraryA, "KERNEL32.DLL", "LoadLibraryA", Entry(&SkinLoadLibraryA), 0},
    {tkSlotLoadLibraryW, "KERNEL32.DLL", "LoadLibraryW", Entry(&SkinLoadLibraryW), 0},
    {tkSlotLoadLibraryExA, "KERNEL32.DLL", "LoadLibraryExA", Entry(&SkinLoadLibraryExA), 0},
    {tkSlotLoadLibraryExW, "KERNEL32.DLL", "LoadLibraryExW", Entry(&SkinLoadLibraryExW), 0},
    {tkSlotGetProcAddress, "KERNEL32.DLL", "GetProcAddress", Entry(&SkinGetProcAddress), 0},
    {tkSlotGetModuleHandleA, "KERNEL32.DLL", "GetModuleHandleA", Entry(&SkinGetModuleHandleA), 0},
    {tkSlotCreateThread, "KERNEL32.DLL", "CreateThread", Entry(&SkinCreateThread), 0},
    {tkSlotRegisterClassA, "USER32.DLL", "RegisterClassA", Entry(&SkinRegisterClassA), 0},
    {tkSlotRegisterClassW, "USER32.DLL", "RegisterClassW", Entry(&SkinRegisterClassW), 0},
    {tkSlotGetSysColor, "USER32.DLL", "GetSysColor", Entry(&SkinGetSysColor), tkSkinApplyColors},
    {tkSlotGetSysColorBrush, "USER32.DLL", "GetSysColorBrush", Entry(&SkinGetSysColorBrush), tkSkinApplyColors},
    {tkSlotDrawEdge, "USER32.DLL", "DrawEdge", Entry(&SkinDrawEdgeHook), tkSkinApplyColors},
    {tkSlotDrawFrameControl, "USER32.DLL", "DrawFrameControl", Entry(&SkinDrawFrameControlHook), tkSkinApplyColors},
    {tkSlotSetScrollInfo, "USER32.DLL", "SetScrollInfo", Entry(&SkinSetScrollInfo), tkSkinApplyFrame},
    {tkSlotSetScrollPos, "USER32.DLL", "SetScrollPos", Entry(&SkinSetScrollPos), tkSkinApplyFrame},
    {tkSlotGetScrollInfo, "USER32.DLL", "GetScrollInfo", Entry(&SkinGetScrollInfo), tkSkinApplyFrame},
    {tkSlotEnableScrollBar, "USER32.DLL", "EnableScrollBar", Entry(&SkinEnableScrollBar), tkSkinApplyFrame},
    {tkSlotFillRect, "USER32.DLL", "FillRect", Entry(&SkinFillRect), tkSkinApplyColors},
    {tkSlotDeleteObject, "GDI32.DLL", "DeleteObject", Entry(&SkinDeleteObject), tkSkinApplyColors},
    {tkSlotOpenThemeData, "UXTHEME.DLL", "OpenThemeData", Entry(&SkinOpenThemeData), tkSkinApplyColors},
    {tkSlotDrawThemeBackground, "UXTHEME.DLL", "DrawThemeBackground", Entry(&SkinDrawThemeBackground),
     tkSkinApplyColors},
    {tkSlotCloseThemeData, "UXTHEME.DLL", "CloseThemeData", Entry(&SkinCloseThemeData), tkSkinApplyColors},
    {tkSlotGetThemeColor, "UXTHEME.DLL", "GetThemeColor", Entry(&SkinGetThemeColor), tkSkinApplyColors},
    {tkSlotIsAppThemed, "UXTHEME.DLL", "IsAppThemed", Entry(&SkinIsAppThemed), tkSkinApplyColors},
    {tkSlotIsThemeActive, "UXTHEME.DLL", "IsThemeActive", Entry(&SkinIsThemeActive), tkSkinApplyColors},
    {tkSlotGetCurrentThemeName, "UXTHEME.DLL", "GetCurrentThemeName", Entry(&SkinGetCurrentThemeName),
     tkSkinApplyColors},
    {tkSlotGetThemeSysBool, "UXTHEME.DLL", "GetThemeSysBool", Entry(&SkinGetThemeSysBool), tkSkinApplyColors},
    {tkSlotGetThemeSysColor, "UXTHEME.DLL", "GetThemeSysColor", Entry(&SkinGetThemeSysColor), tkSkinApplyColors},
    {tkSlotGetThemePartSize, "UXTHEME.DLL", "GetThemePartSize", Entry(&SkinGetThemePartSize), tkSkinApplyColors},
    {tkSlotSystemParametersInfoW, "USER32.DLL", "SystemParametersInfoW", Entry(&SkinSystemParametersInfoW),
     tkSkinApplyMetrics},
    {tkSlotAdjustWindowRectEx, "USER32.DLL", "AdjustWindowRectEx", Entry(&SkinAdjustWindowRectEx), tkSkinApplyMetrics},
    {tkSlotGetSystemMetrics, "USER32.DLL", "GetSystemMetrics", Entry(&SkinGetSystemMetrics), tkSkinApplyMetrics},
    {tkSlotDefWindowProcA, "USER32.DLL", "DefWindowProcA", Entry(&SkinDefWindowProcA), 0},
    {tkSlotDefWindowProcW, "USER32.DLL", "DefWindowProcW", Entry(&SkinDefWindowProcW), 0},
    {tkSlotDefFrameProcA, "USER32.DLL", "DefFrameProcA", Entry(&SkinDefFrameProcA), 0},
    {tkSlotDefFrameProcW, "USER32.DLL", "DefFrameProcW", Entry(&SkinDefFrameProcW), 0},
    {tkSlotDefDlgProcA, "USER32.DLL", "DefDlgProcA", Entry(&SkinDefDlgProcA), 0},
    {tkSlotDefDlgProcW, "USER32.DLL", "DefDlgProcW", Entry(&SkinDefDlgProcW), 0},
    {tkSlotDefMDIChildProcA, "USER32.DLL", "DefMDIChildProcA", Entry(&SkinDefMDIChildProcA), 0},
    {tkSlotDefMDIChildProcW, "USER32.DLL", "DefMDIChildProcW", Entry(&SkinDefMDIChildProcW), 0},
    {tkSlotCallWindowProcA, "USER32.DLL", "CallWindowProcA", Entry(&SkinCallWindowProcA), 0},
    {tkSlotCallWindowProcW, "USER32.DLL", "CallWindowProcW", Entry(&SkinCallWindowProcW), 0},
};

}  // namespace

void CTkSkinManagerApiHook::InstallHooks() {
    if (m_bInstalled)
        return;
    RefreshExcludedModules(FALSE);
    CTkSkinManager* pManager = GetSkinManager();
    const DWORD dwOptions = pManager != nullptr ? pManager->GetApplyOptions() : 0;
    for (const SlotRow& row : kSlotRows) {
        if (row.dwOption == 0 || (dwOptions & row.dwOption) != 0)
            HookFunction(row.nSlot, row.pszModule, row.pszFunction, row.pfnReplacement);
    }
    m_bInstalled = TRUE;
}

FARPROC CTkSkinManagerApiHook::FindHookedReplacement(LPCSTR pszModule, LPCSTR pszFunction) const {
    for (const SlotRow& row : kSlotRows) {
        if (m_hooked[row.nSlot] && EqualsAsciiNoCase(row.pszModule, pszModule) &&
            EqualsAsciiNoCase(row.pszFunction, pszFunction))
            return row.pfnReplacement;
    }
    return nullptr;
}
