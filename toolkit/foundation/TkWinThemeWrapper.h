#pragma once
#include "mfc.h"

#include <uxtheme.h>

// The visual-styles binding. The toolkit never links "UXTHEME.DLL": every function is bound by name
// on first use through a table, so the program starts and draws where visual styles are missing, and
// every call fails soft (E_FAIL, FALSE or 0, never a message).
//
// Two process-wide tables exist. The plain one keeps the module it loaded at first use. The following
// one is for wrappers made with the follow flag: before opening a theme and before the queries that
// decide whether styles are on, it asks which module answers for "UXTHEME.DLL" now, and when that
// changed it forgets every bound entry. While the skin framework skins, its replacements of
// GetModuleHandleA and GetProcAddress (patched into our import table) answer SkinnedUxThemeHandle and
// the skin's own functions; both are therefore called by name each time, never through a kept
// pointer. UI thread only.

// The pseudo module handle that the skin framework answers for the visual-styles library.
const HMODULE SkinnedUxThemeHandle = reinterpret_cast<HMODULE>(static_cast<ULONG_PTR>(0x21FFFF1));

struct UxThemeFunctionTable {
    // The entries the toolkit binds; only these are ever looked up.
    enum Slot {
        kDrawThemeBackground,
        kCloseThemeData,
        kOpenThemeData,
        kIsThemeActive,
        kIsAppThemed,
        kGetThemeSysBool,
        kGetThemeInt,
        kGetThemeColor,
        kGetCurrentThemeName,
        kBeginBufferedPaint,
        kEndBufferedPaint,
        kDrawThemeTextEx,
        kSlotCount
    };

    // Reads the common-controls version and loads the visual-styles library (NULL when absent).
    UxThemeFunctionTable();

    // The entry of slot, bound by name when the module is known and the slot still empty; NULL when
    // unavailable.
    FARPROC GetEntry(Slot slot);
    // Follows the module that answers for the library now: a different one clears every slot.
    void Rebind();

    FARPROC m_entries[kSlotCount] = {};
    HMODULE m_hModule = nullptr;  // not freed: the library stays for the process
    DWORD m_dwComCtlVersion = 0;  // major << 16 | minor
};

// The shared table of plain wrappers (bFollow FALSE) or of following ones (TRUE); built on first use.
UxThemeFunctionTable* GetUxThemeFunctionTable(BOOL bFollow);

// One theme handle and the visual-styles calls on it. Paint code makes one on the stack around a query;
// the destructor closes the held theme.
class CTkWinThemeWrapper {
public:
    explicit CTkWinThemeWrapper(BOOL bFollowModule = FALSE);
    virtual ~CTkWinThemeWrapper();
    CTkWinThemeWrapper(const CTkWinThemeWrapper&) = delete;
    CTkWinThemeWrapper& operator=(const CTkWinThemeWrapper&) = delete;

    // ---- The theme handle
    // Closes the held theme and opens the first class of pszClassList; the handle stays 0 when
    // unavailable.
    void OpenTheme(HWND hWnd, LPCWSTR pszClassList);
    void CloseTheme();
    BOOL IsThemeOpen() const { return m_hTheme != nullptr; }
    HTHEME GetThemeHandle() const { return m_hTheme; }

    // ---- Drawing and metrics of the held theme (E_FAIL when unavailable)
    HRESULT DrawBackground(HDC hDC, int nPartId, int nStateId, const RECT* pRect, const RECT* pClipRect);
    HRESULT DrawTextEx(HDC hDC, int nPartId, int nStateId, LPCWSTR pszText, int nLength, DWORD dwFlags, RECT* pRect,
                       const DTTOPTS* pOptions);
    HRESULT GetColor(int nPartId, int nStateId, int nPropId, COLORREF* pColor);
    HRESULT GetInt(int nPartId, int nStateId, int nPropId, int* pValue);
    BOOL GetSysBool(int nBoolId);  // 0 when unavailable
    HRESULT GetCurrentThemeName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff, int cchMaxColorChars,
                                LPWSTR pszSizeBuff, int cchMaxSizeChars);

    // ---- Whether styles are on (FALSE when unavailable)
    // FALSE also while no theme is open.
    BOOL IsAppThemed();
    BOOL IsThemeActive();
    // Styles are on, and the controls draw them: common controls 6 or later, or the skin's module.
    BOOL IsThemeActiveForControls();

    // ---- Buffered painting (0 and nothing when unavailable)
    HPAINTBUFFER BeginBufferedPaint(HDC hdcTarget, const RECT* prcTarget, BP_BUFFERFORMAT dwFormat,
                                    BP_PAINTPARAMS* pPaintParams, HDC* phdc);
    void EndBufferedPaint(HPAINTBUFFER hBufferedPaint, BOOL fUpdateTarget);

private:
    UxThemeFunctionTable* GetTable() const { return GetUxThemeFunctionTable(m_bFollowModule); }
    void Rebind() const;

    // Calls the entry of slot as PFN with args, inside a catch-all; unavailable when it cannot.
    template <class PFN, class R, class... Args>
    R Call(UxThemeFunctionTable::Slot slot, R unavailable, Args... args) const {
        auto pfn = reinterpret_cast<PFN>(GetTable()->GetEntry(slot));
        if (pfn == nullptr)
            return unavailable;
        try {
            return pfn(args...);
        } catch (...) {
            return unavailable;
        }
    }

    HTHEME m_hTheme = nullptr;
    BOOL m_bFollowModule;
};
