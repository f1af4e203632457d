#include "TkTextFunctions.h"

#include "OSVersionInfo.h"

namespace {

int CALLBACK FontFaceMatchProc(const LOGFONTW* pLogFont, const TEXTMETRICW*, DWORD, LPARAM lParam) {
    // 0 stops the enumeration: the face is there.
    return ::lstrcmpiW(pLogFont->lfFaceName, reinterpret_cast<LPCWSTR>(lParam)) == 0 ? 0 : 1;
}

}  // namespace

void RemoveMnemonicMarkers(CString& str) {
    for (int i = 0; i < str.GetLength(); ++i) {
        if (str[i] != L'&')
            continue;
        if (i + 1 < str.GetLength() && str[i + 1] == L'&')
            continue;
        // The character after a deleted marker moves to i and is not examined again.
        str.Delete(i);
    }
}

wchar_t* StripMnemonicMarkers(wchar_t* psz) {
    if (psz == nullptr || psz == reinterpret_cast<wchar_t*>(-1))
        return psz;
    wchar_t* pOut = psz;
    for (const wchar_t* pIn = psz; *pIn != L'\0'; ++pIn) {
        if (*pIn != L'&' || pIn[1] == L'&')
            *pOut++ = *pIn;
    }
    *pOut = L'\0';
    return psz;
}

void GetWindowTextDirect(HWND hWnd, CString& str) {
    const int nLength = static_cast<int>(::DefWindowProcW(hWnd, WM_GETTEXTLENGTH, 0, 0));
    ::DefWindowProcW(hWnd, WM_GETTEXT, nLength + 1, reinterpret_cast<LPARAM>(str.GetBuffer(nLength + 1)));
    str.ReleaseBuffer();
}

BOOL DoesFontFaceExist(LPCWSTR pszFace) {
    HDC hScreen = ::GetDC(nullptr);
    if (hScreen == nullptr)
        return FALSE;
    LOGFONTW logFont = {};
    logFont.lfCharSet = DEFAULT_CHARSET;
    const int nLast = ::EnumFontFamiliesExW(hScreen, &logFont, FontFaceMatchProc, reinterpret_cast<LPARAM>(pszFace), 0);
    ::ReleaseDC(nullptr, hScreen);
    return nLast == 0;
}

void GetDefaultFontFace(CString& strFace, BOOL bPreferTahoma) {
    LOGFONTW guiFont = {};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(guiFont), &guiFont);
    const bool bUseGuiFont = guiFont.lfCharSet > 2 && GetOSVersionInfo()->IsWin2000OrLater() &&
                             ::lstrcmpiW(guiFont.lfFaceName, L"MS Shell Dlg") != 0;
    strFace = L"Arial";
    if (bUseGuiFont || !DoesFontFaceExist(L"Arial"))
        strFace = guiFont.lfFaceName;
    else if (bPreferTahoma && DoesFontFaceExist(L"Tahoma"))
        strFace = L"Tahoma";
}
