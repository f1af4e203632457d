#include "TkResourceManager.h"

#include <vector>

namespace {

constexpr LANGID kUsEnglish = 0x0409;

// The Ukrainian name keeps the blank it is known by.
constexpr LanguageInfo kLanguages[] = {
    {0x0419, 1251, L"windows-1251", L"Russian", L"LANG_RUSSIAN", L"SUBLANG_DEFAULT", 204},
    {0x0411, 932, L"shift-jis", L"Japanese", L"LANG_JAPANESE", L"SUBLANG_DEFAULT", 128},
    {0x0401, 1256, L"windows-1256", L"Arabic (Saudi Arabia)", L"LANG_ARABIC", L"SUBLANG_ARABIC_SAUDI_ARABIA", 178},
    {0x0405, 1250, L"windows-1250", L"Czech", L"LANG_CZECH", L"SUBLANG_DEFAULT", 238},
    {0x0406, 1252, L"windows-1252", L"Danish", L"LANG_DANISH", L"SUBLANG_DEFAULT", 0},
    {0x0407, 1252, L"windows-1252", L"German (Germany)", L"LANG_GERMAN", L"SUBLANG_GERMAN", 0},
    {0x0408, 1253, L"windows-1253", L"Greek", L"LANG_GREEK", L"SUBLANG_DEFAULT", 161},
    {0x0409, 0, L"windows-1252", L"English (United States)", L"LANG_ENGLISH", L"SUBLANG_ENGLISH_US", 0},
    {0x0C0A, 1252, L"windows-1252", L"Spanish (Spain - Modern Sort)", L"LANG_SPANISH", L"SUBLANG_SPANISH_MODERN", 0},
    {0x0425, 1257, L"windows-1257", L"Estonian", L"LANG_ESTONIAN", L"SUBLANG_DEFAULT", 186},
    {0x040B, 1252, L"windows-1252", L"Finnish", L"LANG_FINNISH", L"SUBLANG_DEFAULT", 0},
    {0x040C, 1252, L"windows-1252", L"French (France)", L"LANG_FRENCH", L"SUBLANG_FRENCH", 0},
    {0x040D, 1255, L"windows-1255", L"Hebrew", L"LANG_HEBREW", L"SUBLANG_DEFAULT", 177},
    {0x041A, 1250, L"windows-1250", L"Croatian", L"LANG_CROATIAN", L"SUBLANG_DEFAULT", 238},
    {0x040E, 1250, L"windows-1250", L"Hungarian", L"LANG_HUNGARIAN", L"SUBLANG_DEFAULT", 238},
    {0x0410, 1252, L"windows-1252", L"Italian (Italy)", L"LANG_ITALIAN", L"SUBLANG_ITALIAN", 0},
    {0x0412, 949, L"ks_c_5601", L"Korean", L"LANG_KOREAN", L"SUBLANG_DEFAULT", 129},
    {0x0427, 1257, L"windows-1257", L"Lithuanian", L"LANG_LITHUANIAN", L"SUBLANG_LITHUANIAN", 186},
    {0x0426, 1257, L"windows-1257", L"Latvian", L"LANG_LATVIAN", L"SUBLANG_DEFAULT", 186},
    {0x0413, 1252, L"windows-1252", L"Dutch", L"LANG_DUTCH", L"SUBLANG_DUTCH", 0},
    {0x0414, 1252, L"windows-1252", L"Norwegian (Bokmal)", L"LANG_NORWEGIAN", L"SUBLANG_NORWEGIAN_BOKMAL", 0},
    {0x0415, 1250, L"windows-1250", L"Polish", L"LANG_POLISH", L"SUBLANG_DEFAULT", 238},
    {0x0816, 1252, L"windows-1252", L"Portuguese (Portugal)", L"LANG_PORTUGUESE", L"SUBLANG_PORTUGUESE", 0},
    {0x0416, 1252, L"windows-1252", L"Portuguese (Brazil)", L"LANG_PORTUGUESE", L"SUBLANG_PORTUGUESE_BRAZILIAN", 0},
    {0x0418, 1250, L"windows-1250", L"Romanian", L"LANG_ROMANIAN", L"SUBLANG_DEFAULT", 238},
    {0x041B, 1250, L"windows-1250", L"Slovak", L"LANG_SLOVAK", L"SUBLANG_DEFAULT", 238},
    {0x0424, 1250, L"windows-1250", L"Slovenian", L"LANG_SLOVENIAN", L"SUBLANG_DEFAULT", 238},
    {0x041D, 1252, L"windows-1252", L"Swedish", L"LANG_SWEDISH", L"SUBLANG_DEFAULT", 0},
    {0x041E, 874, L"windows-874", L"Thai", L"LANG_THAI", L"SUBLANG_DEFAULT", 222},
    {0x041F, 1254, L"windows-1254", L"Turkish", L"LANG_TURKISH", L"SUBLANG_DEFAULT", 162},
    {0x0422, 1251, L"windows-1251", L"Ukrainian ", L"LANG_UKRAINIAN", L"SUBLANG_DEFAULT", 204},
    {0x0402, 1251, L"windows-1251", L"Bulgarian", L"LANG_BULGARIAN", L"SUBLANG_DEFAULT", 204},
    {0x0804, 936, L"gb2312", L"Chinese (PRC)", L"LANG_CHINESE", L"SUBLANG_CHINESE_SIMPLIFIED", 134},
    {0x0404, 950, L"big5", L"Chinese (Taiwan)", L"LANG_CHINESE", L"SUBLANG_CHINESE_TRADITIONAL", 136},
};
static_assert(std::size(kLanguages) == 34);

// What the language enumeration found: the first language other than US English ends it.
struct LanguageSearch {
    LANGID wFound = 0;
};

BOOL CALLBACK ResourceLanguageProc(HMODULE, LPCWSTR, LPCWSTR, WORD wLanguage, LONG_PTR lParam) {
    auto* pSearch = reinterpret_cast<LanguageSearch*>(lParam);
    if (wLanguage != 0)
        pSearch->wFound = wLanguage;
    return pSearch->wFound == 0 || pSearch->wFound == kUsEnglish;
}

BOOL CALLBACK ResourceNameLanguageProc(HMODULE hModule, LPCWSTR pszType, LPWSTR pszName, LONG_PTR lParam) {
    ::EnumResourceLanguagesW(hModule, pszType, pszName, ResourceLanguageProc, lParam);
    const LANGID wFound = reinterpret_cast<LanguageSearch*>(lParam)->wFound;
    return wFound == 0 || wFound == kUsEnglish;
}

BOOL CALLBACK ResourceTypeLanguageProc(HMODULE hModule, LPWSTR pszType, LONG_PTR lParam) {
    ::EnumResourceNamesW(hModule, pszType, ResourceNameLanguageProc, lParam);
    const LANGID wFound = reinterpret_cast<LanguageSearch*>(lParam)->wFound;
    return wFound == 0 || wFound == kUsEnglish;
}

// The data of a resource, and its size; NULL when it is missing.
const BYTE* FindResourceData(HINSTANCE hModule, LPCWSTR pszName, LPCWSTR pszType, DWORD* pnSize) {
    HRSRC hResource = ::FindResourceW(hModule, pszName, pszType);
    HGLOBAL hData = hResource != nullptr ? ::LoadResource(hModule, hResource) : nullptr;
    *pnSize = hResource != nullptr ? ::SizeofResource(hModule, hResource) : 0;
    return hData != nullptr ? static_cast<const BYTE*>(::LockResource(hData)) : nullptr;
}

}  // namespace

const LanguageInfo* FindLanguageInfo(LANGID wLanguage) {
    for (const LanguageInfo& info : kLanguages) {
        if (info.wLanguage == wLanguage)
            return &info;
    }
    return nullptr;
}

CTkResourceManager::CTkResourceManager() : m_pLanguage(FindLanguageInfo(kUsEnglish)) {}

CTkResourceManager::~CTkResourceManager() {
    Close();
}

CString CTkResourceManager::LoadString(UINT nID, BOOL* pbFailed) {
    CString str;
    const BOOL bLoaded = LoadString(str, nID);
    if (pbFailed != nullptr)
        *pbFailed = !bLoaded;
    return str;
}

BOOL CTkResourceManager::LoadString(CString& str, UINT nID) {
    return LoadStringFromModule(AfxFindStringResourceHandle(nID), nID, str) > 0;
}

BOOL CTkResourceManager::LoadMenu(CMenu* pMenu, UINT nID) {
    return pMenu->Attach(::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nID)));
}

BOOL CTkResourceManager::LoadToolBar(CToolBar* pToolBar, UINT nID) {
    return pToolBar->LoadToolBar(nID);
}

BOOL CTkResourceManager::LoadBitmap(CBitmap* pBitmap, UINT nID) {
    return pBitmap->Attach(::LoadBitmapW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nID)));
}

HCURSOR CTkResourceManager::LoadCursor(UINT nID) {
    return ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nID));
}

LPCDLGTEMPLATE CTkResourceManager::LoadDialogTemplate(UINT nID) {
    HGLOBAL hTemplate = FindDialogTemplate(MAKEINTRESOURCEW(nID));
    return hTemplate != nullptr ? static_cast<LPCDLGTEMPLATE>(::LockResource(hTemplate)) : nullptr;
}

HGLOBAL CTkResourceManager::FindDialogTemplate(LPCWSTR pszName) {
    HINSTANCE hModule = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceW(hModule, pszName, RT_DIALOG);
    return hResource != nullptr ? ::LoadResource(hModule, hResource) : nullptr;
}

BOOL CTkResourceManager::LoadHtml(CString* pText, UINT nID) {
    DWORD nSize = 0;
    const BYTE* pData =
        pText != nullptr ? FindResourceData(AfxGetResourceHandle(), MAKEINTRESOURCEW(nID), RT_HTML, &nSize) : nullptr;
    if (pData == nullptr || nSize == 0)
        return FALSE;
    std::vector<wchar_t> buffer(2 * static_cast<size_t>(nSize) + 2, L'\0');
    if (::MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(pData), static_cast<int>(nSize), buffer.data(),
                              static_cast<int>(buffer.size())) == 0)
        return FALSE;
    *pText = buffer.data();  // up to the first zero
    return TRUE;
}

HICON CTkResourceManager::LoadIconById(UINT nID, int cx, int cy) {
    return LoadIcon(MAKEINTRESOURCEW(nID), cx, cy);
}

HICON CTkResourceManager::LoadIcon(LPCWSTR pszName, int cx, int cy) {
    return static_cast<HICON>(::LoadImageW(AfxGetResourceHandle(), pszName, IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR));
}

HICON CTkResourceManager::CreateIconFromResourceModule(HINSTANCE hModule, LPCWSTR pszName, int cx, int cy) {
    DWORD nSize = 0;
    const BYTE* pGroup = FindResourceData(hModule, pszName, RT_GROUP_ICON, &nSize);
    if (pGroup == nullptr)
        return nullptr;
    const int nIconId = ::LookupIconIdFromDirectoryEx(const_cast<BYTE*>(pGroup), TRUE, cx, cy, LR_DEFAULTCOLOR);
    const BYTE* pIcon = nIconId != 0 ? FindResourceData(hModule, MAKEINTRESOURCEW(nIconId), RT_ICON, &nSize) : nullptr;
    if (pIcon == nullptr)
        return nullptr;
    return ::CreateIconFromResourceEx(const_cast<BYTE*>(pIcon), nSize, TRUE, 0x30000, cx, cy, LR_DEFAULTCOLOR);
}

BOOL CTkResourceManager::Close() {
    if (m_hResourceLibrary == nullptr)
        return FALSE;
    const BOOL bFreed = ::FreeLibrary(m_hResourceLibrary);
    m_hResourceLibrary = nullptr;
    return bFreed;
}

void CTkResourceManager::SetLanguageFromResources() {
    SetLanguage(DetectResourceLanguage(AfxGetInstanceHandle()));
}

void CTkResourceManager::SetLanguage(LANGID wLanguage) {
    const LanguageInfo* pInfo = FindLanguageInfo(wLanguage);
    m_pLanguage = pInfo != nullptr ? pInfo : FindLanguageInfo(kUsEnglish);
}

int CTkResourceManager::ShowMessageBox(LPCWSTR pszText, UINT nType) {
    if (m_pLanguage->nCodePage == 1255 || m_pLanguage->nCodePage == 1256)
        nType |= MB_RTLREADING;
    return AfxMessageBox(pszText, nType);
}

int CTkResourceManager::GetMenuItemText(CMenu* pMenu, UINT nItem, CString& str, UINT nFlags) {
    str.Empty();
    if (pMenu == nullptr || pMenu->GetSafeHmenu() == nullptr)
        return 0;
    const int nLength = ::GetMenuStringW(pMenu->GetSafeHmenu(), nItem, nullptr, 0, nFlags);
    if (nLength <= 0)
        return nLength;
    ::GetMenuStringW(pMenu->GetSafeHmenu(), nItem, str.GetBuffer(nLength + 1), nLength + 1, nFlags);
    str.ReleaseBuffer();
    return nLength;
}

int CTkResourceManager::LoadStringFromModule(HINSTANCE hModule, UINT nID, CString& str) {
    str.Empty();
    DWORD nSize = 0;
    const BYTE* pBlock = FindResourceData(hModule, MAKEINTRESOURCEW(nID / 16 + 1), RT_STRING, &nSize);
    if (pBlock == nullptr)
        return 0;
    // Entries are a WORD length and that many characters; the walk never leaves the block.
    const WORD* pEntry = reinterpret_cast<const WORD*>(pBlock);
    const WORD* pEnd = reinterpret_cast<const WORD*>(pBlock + (nSize & ~1u));
    for (UINT i = 0; i < nID % 16; ++i) {
        if (pEntry >= pEnd || *pEntry >= pEnd - pEntry)
            return 0;
        pEntry += 1 + *pEntry;
    }
    if (pEntry >= pEnd || *pEntry == 0 || *pEntry >= pEnd - pEntry)
        return 0;
    str = CString(reinterpret_cast<const wchar_t*>(pEntry + 1), *pEntry);
    return *pEntry;
}

LANGID CTkResourceManager::DetectResourceLanguage(HINSTANCE hModule) {
    LanguageSearch search;
    ::EnumResourceTypesW(hModule, ResourceTypeLanguageProc, reinterpret_cast<LONG_PTR>(&search));
    return search.wFound;
}

CTkResourceManager* GetResourceManager() {
    static CTkResourceManager s_manager;
    return &s_manager;
}

ToolkitNarrowString::ToolkitNarrowString(LPCWSTR pszText) {
    const UINT nCodePage = GetResourceManager()->GetLanguageInfo()->nCodePage;
    const int nBytes = ::WideCharToMultiByte(nCodePage, 0, pszText, -1, nullptr, 0, nullptr, nullptr);
    if (nBytes <= 1)
        return;
    ::WideCharToMultiByte(nCodePage, 0, pszText, -1, m_text.GetBuffer(nBytes), nBytes, nullptr, nullptr);
    m_text.ReleaseBuffer();
}
