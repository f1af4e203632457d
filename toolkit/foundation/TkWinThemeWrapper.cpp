#include "TkWinThemeWrapper.h"

#include "OSVersionInfo.h"

namespace {

using Table = UxThemeFunctionTable;

// The exported names of the slots, in slot order.
constexpr const char* kEntryNames[Table::kSlotCount] = {
    "DrawThemeBackground", "CloseThemeData",     "OpenThemeData",    "IsThemeActive",
    "IsAppThemed",         "GetThemeSysBool",    "GetThemeInt",      "GetThemeColor",
    "GetCurrentThemeName", "BeginBufferedPaint", "EndBufferedPaint", "DrawThemeTextEx"};

constexpr char kModuleName[] = "UXTHEME.DLL";

using PFNOPENTHEMEDATA = HTHEME(WINAPI*)(HWND, LPCWSTR);
using PFNCLOSETHEMEDATA = HRESULT(WINAPI*)(HTHEME);
using PFNDRAWTHEMEBACKGROUND = HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, const RECT*);
using PFNDRAWTHEMETEXTEX = HRESULT(WINAPI*)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, RECT*, const DTTOPTS*);
using PFNGETTHEMECOLOR = HRESULT(WINAPI*)(HTHEME, int, int, int, COLORREF*);
using PFNGETTHEMEINT = HRESULT(WINAPI*)(HTHEME, int, int, int, int*);
using PFNGETTHEMESYSBOOL = BOOL(WINAPI*)(HTHEME, int);
using PFNGETCURRENTTHEMENAME = HRESULT(WINAPI*)(LPWSTR, int, LPWSTR, int, LPWSTR, int);
using PFNBOOLQUERY = BOOL(WINAPI*)();
using PFNBEGINBUFFEREDPAINT = HPAINTBUFFER(WINAPI*)(HDC, const RECT*, BP_BUFFERFORMAT, BP_PAINTPARAMS*, HDC*);
using PFNENDBUFFEREDPAINT = HRESULT(WINAPI*)(HPAINTBUFFER, BOOL);

}  // namespace

UxThemeFunctionTable::UxThemeFunctionTable()
    : m_hModule(::LoadLibraryW(L"UXTHEME.DLL")), m_dwComCtlVersion(OSVersionInfo::GetComCtlVersion()) {}

FARPROC UxThemeFunctionTable::GetEntry(Slot slot) {
    if (m_entries[slot] == nullptr && m_hModule != nullptr)
        m_entries[slot] = ::GetProcAddress(m_hModule, kEntryNames[slot]);
    return m_entries[slot];
}

void UxThemeFunctionTable::Rebind() {
    HMODULE hModule = ::GetModuleHandleA(kModuleName);
    if (hModule == m_hModule)
        return;
    m_hModule = hModule;
    for (FARPROC& entry : m_entries)
        entry = nullptr;
}

UxThemeFunctionTable* GetUxThemeFunctionTable(BOOL bFollow) {
    // Never destroyed: wrappers in static objects may still close their themes at exit.
    static UxThemeFunctionTable* const s_pPlain = new UxThemeFunctionTable;
    static UxThemeFunctionTable* const s_pFollowing = new UxThemeFunctionTable;
    return bFollow ? s_pFollowing : s_pPlain;
}

CTkWinThemeWrapper::CTkWinThemeWrapper(BOOL bFollowModule) : m_bFollowModule(bFollowModule) {}

CTkWinThemeWrapper::~CTkWinThemeWrapper() {
    CloseTheme();
}

void CTkWinThemeWrapper::Rebind() const {
    if (m_bFollowModule)
        GetTable()->Rebind();
}

void CTkWinThemeWrapper::OpenTheme(HWND hWnd, LPCWSTR pszClassList) {
    Rebind();
    CloseTheme();
    m_hTheme = Call<PFNOPENTHEMEDATA>(Table::kOpenThemeData, HTHEME(nullptr), hWnd, pszClassList);
}

void CTkWinThemeWrapper::CloseTheme() {
    if (m_hTheme != nullptr)
        Call<PFNCLOSETHEMEDATA>(Table::kCloseThemeData, E_FAIL, m_hTheme);
    m_hTheme = nullptr;
}

HRESULT CTkWinThemeWrapper::DrawBackground(HDC hDC, int nPartId, int nStateId, const RECT* pRect,
                                           const RECT* pClipRect) {
    return Call<PFNDRAWTHEMEBACKGROUND>(Table::kDrawThemeBackground, E_FAIL, m_hTheme, hDC, nPartId, nStateId, pRect,
                                        pClipRect);
}

HRESULT CTkWinThemeWrapper::DrawTextEx(HDC hDC, int nPartId, int nStateId, LPCWSTR pszText, int nLength, DWORD dwFlags,
                                       RECT* pRect, const DTTOPTS* pOptions) {
    return Call<PFNDRAWTHEMETEXTEX>(Table::kDrawThemeTextEx, E_FAIL, m_hTheme, hDC, nPartId, nStateId, pszText, nLength,
                                    dwFlags, pRect, pOptions);
}

HRESULT CTkWinThemeWrapper::GetColor(int nPartId, int nStateId, int nPropId, COLORREF* pColor) {
    return Call<PFNGETTHEMECOLOR>(Table::kGetThemeColor, E_FAIL, m_hTheme, nPartId, nStateId, nPropId, pColor);
}

HRESULT CTkWinThemeWrapper::GetInt(int nPartId, int nStateId, int nPropId, int* pValue) {
    return Call<PFNGETTHEMEINT>(Table::kGetThemeInt, E_FAIL, m_hTheme, nPartId, nStateId, nPropId, pValue);
}

BOOL CTkWinThemeWrapper::GetSysBool(int nBoolId) {
    return Call<PFNGETTHEMESYSBOOL>(Table::kGetThemeSysBool, FALSE, m_hTheme, nBoolId);
}

HRESULT CTkWinThemeWrapper::GetCurrentThemeName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff,
                                                int cchMaxColorChars, LPWSTR pszSizeBuff, int cchMaxSizeChars) {
    Rebind();
    return Call<PFNGETCURRENTTHEMENAME>(Table::kGetCurrentThemeName, E_FAIL, pszThemeFileName, cchMaxNameChars,
                                        pszColorBuff, cchMaxColorChars, pszSizeBuff, cchMaxSizeChars);
}

BOOL CTkWinThemeWrapper::IsAppThemed() {
    if (m_hTheme == nullptr)
        return FALSE;
    return Call<PFNBOOLQUERY>(Table::kIsAppThemed, FALSE);
}

BOOL CTkWinThemeWrapper::IsThemeActive() {
    if (m_hTheme == nullptr)
        Rebind();
    return Call<PFNBOOLQUERY>(Table::kIsThemeActive, FALSE);
}

BOOL CTkWinThemeWrapper::IsThemeActiveForControls() {
    if (!IsThemeActive())
        return FALSE;
    const UxThemeFunctionTable* pTable = GetTable();
    return pTable->m_hModule == SkinnedUxThemeHandle || HIWORD(pTable->m_dwComCtlVersion) >= 6;
}

HPAINTBUFFER CTkWinThemeWrapper::BeginBufferedPaint(HDC hdcTarget, const RECT* prcTarget, BP_BUFFERFORMAT dwFormat,
                                                    BP_PAINTPARAMS* pPaintParams, HDC* phdc) {
    return Call<PFNBEGINBUFFEREDPAINT>(Table::kBeginBufferedPaint, HPAINTBUFFER(nullptr), hdcTarget, prcTarget,
                                       dwFormat, pPaintParams, phdc);
}

void CTkWinThemeWrapper::EndBufferedPaint(HPAINTBUFFER hBufferedPaint, BOOL fUpdateTarget) {
    Call<PFNENDBUFFEREDPAINT>(Table::kEndBufferedPaint, E_FAIL, hBufferedPaint, fUpdateTarget);
}
