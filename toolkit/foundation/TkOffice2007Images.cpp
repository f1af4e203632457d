#include "TkOffice2007Images.h"

#include "NotificationConnection.h"
#include "TkBitmapFunctions.h"
#include "TkOffice2007Image.h"

#include <cstring>
#include <cwchar>

namespace {

const wchar_t kTextType[] = L"TEXTFILE";
const wchar_t kDefaultIniName[] = L"OFFICE2007BLUE_INI";
const wchar_t kImagesSection[] = L"Images";
constexpr UINT kImageCacheBuckets = 199;

// EnumResourceNames callback: the first resource listed, by name or number.
BOOL CALLBACK TakeFirstResource(HMODULE hModule, LPCWSTR lpszType, LPWSTR lpszName, LONG_PTR lParam) {
    *reinterpret_cast<HRSRC*>(lParam) = ::FindResourceW(hModule, lpszName, lpszType);
    return FALSE;
}

// One line of 8-bit text in the thread's ANSI code page.
CString WidenLine(const char* pBegin, const char* pEnd) {
    const int nBytes = static_cast<int>(pEnd - pBegin);
    if (nBytes <= 0)
        return CString();
    const int nChars = ::MultiByteToWideChar(CP_THREAD_ACP, 0, pBegin, nBytes, nullptr, 0);
    CString line;
    if (nChars > 0) {
        ::MultiByteToWideChar(CP_THREAD_ACP, 0, pBegin, nBytes, line.GetBuffer(nChars), nChars);
        line.ReleaseBuffer(nChars);
    }
    return line;
}

}  // namespace

CTkOffice2007Images::CTkOffice2007Images() {
    m_images.InitHashTable(kImageCacheBuckets);
    m_workDC.CreateCompatibleDC(nullptr);
    void* pBits = nullptr;
    if (m_workBitmap.Attach(CreateDibSection32(nullptr, kOffice2007WorkSize, -kOffice2007WorkSize, &pBits)))
        m_pWorkBits = static_cast<DWORD*>(pBits);
    SetResourceModule(AfxGetResourceHandle());
}

CTkOffice2007Images::~CTkOffice2007Images() {
    if (m_pConnection != nullptr)
        m_pConnection->InternalRelease();
    RemoveAllImages();
    if (m_hModule != nullptr && m_bFreeModule)
        ::FreeLibrary(m_hModule);
}

BOOL CTkOffice2007Images::SetResourceModule(HMODULE hModule, LPCTSTR lpszIniName, BOOL bFreeModule) {
    CString name = lpszIniName != nullptr && lpszIniName[0] != L'\0' ? lpszIniName : kDefaultIniName;
    name.Replace(L'.', L'_');
    BOOL bLoaded = FALSE;
    {
        // Other threads draw and look images up under the lock while the module changes.
        ToolkitLockGuard lock(m_lock);
        if (m_hModule != nullptr && m_bFreeModule)
            ::FreeLibrary(m_hModule);
        m_hModule = hModule;
        m_bFreeModule = bFreeModule;
        m_pTextBegin = m_pTextEnd = nullptr;
        RemoveAllImages();
        bLoaded = LoadText(name, lpszIniName == nullptr);
    }
    if (m_pConnection != nullptr)
        m_pConnection->SendEvent(kOffice2007ResourceChangedEvent, 0, 0, 0);
    return bLoaded;
}

BOOL CTkOffice2007Images::LoadText(LPCTSTR lpszName, BOOL bAnyText) {
    if (m_hModule == nullptr)
        return FALSE;
    HRSRC hResource = ::FindResourceW(m_hModule, lpszName, kTextType);
    if (hResource == nullptr && bAnyText)
        ::EnumResourceNamesW(m_hModule, kTextType, TakeFirstResource, reinterpret_cast<LONG_PTR>(&hResource));
    HGLOBAL hData = hResource != nullptr ? ::LoadResource(m_hModule, hResource) : nullptr;
    const char* pText = hData != nullptr ? static_cast<const char*>(::LockResource(hData)) : nullptr;
    if (pText == nullptr)
        return FALSE;
    m_pTextBegin = pText;
    m_pTextEnd = pText + ::SizeofResource(m_hModule, hResource);
    return TRUE;
}

NotificationConnection* CTkOffice2007Images::GetConnection() {
    if (m_pConnection == nullptr)
        m_pConnection = new NotificationConnection;
    return m_pConnection;
}

CString CTkOffice2007Images::GetIniValue(LPCTSTR lpszSection, LPCTSTR lpszKey) const {
    return FindIniValue(m_pTextBegin, m_pTextEnd, lpszSection, lpszKey);
}

CString CTkOffice2007Images::FindIniValue(const char* pBegin, const char* pEnd, LPCTSTR lpszSection, LPCTSTR lpszKey) {
    if (pBegin == nullptr || pEnd == nullptr)
        return CString();
    CString section(lpszSection);
    CString key(lpszKey);
    section.MakeUpper();
    key.MakeUpper();
    bool bInSection = false;
    const char* pLine = pBegin;
    while (pLine < pEnd) {
        const char* pCr = static_cast<const char*>(std::memchr(pLine, '\r', pEnd - pLine));
        if (pCr == nullptr)
            break;  // a last line without CR is not a line
        CString line = WidenLine(pLine, pCr);
        pLine = pCr + 1;
        if (pLine < pEnd && *pLine == '\n')
            ++pLine;

        line.TrimLeft();
        const int nComment = line.Find(L';');
        if (nComment >= 0)
            line = line.Left(nComment);
        if (line.IsEmpty())
            continue;
        line.MakeUpper();
        if (line[0] == L'[') {
            if (bInSection)
                return CString();
            bInSection = line.GetLength() >= 2 && line.Mid(1, line.GetLength() - 2) == section;
            continue;
        }
        const int nEquals = line.Find(L'=');
        if (!bInSection || nEquals < 1)
            continue;
        CString name = line.Left(nEquals);
        name.TrimRight();
        if (name == key) {
            CString value = line.Mid(nEquals + 1);
            return value.Trim();
        }
    }
    return CString();
}

COLORREF CTkOffice2007Images::GetColor(LPCTSTR lpszSection, LPCTSTR lpszKey) const {
    const CString value = GetIniValue(lpszSection, lpszKey);
    if (value.IsEmpty())
        return CLR_NONE;
    // As scanf's "%i %i %i": each number in its own base (0x, leading 0 or decimal), white space between,
    // the first that does not read ends the scan and the rest stay 0. wcstol clamps rather than
    // overflows.
    long components[3] = {0, 0, 0};
    const wchar_t* pNext = value.GetString();
    for (long& component : components) {
        wchar_t* pEnd = nullptr;
        const long nValue = std::wcstol(pNext, &pEnd, 0);
        if (pEnd == pNext)
            break;
        component = nValue;
        pNext = pEnd;
    }
    return RGB(components[0] & 0xFF, components[1] & 0xFF, components[2] & 0xFF);
}

CString CTkOffice2007Images::GetImageFile(LPCTSTR lpszName) const {
    CString file = GetIniValue(kImagesSection, lpszName);
    if (file.IsEmpty())
        file = lpszName;
    file.Replace(L'.', L'_');
    file.Replace(L'\\', L'_');
    return file;
}

CTkOffice2007Image* CTkOffice2007Images::LoadImage(LPCTSTR lpszName) {
    auto* pImage = new CTkOffice2007Image(this);
    if (!pImage->LoadFromResource(m_hModule, GetImageFile(lpszName))) {
        pImage->InternalRelease();
        return nullptr;
    }
    return pImage;
}

CTkOffice2007Image* CTkOffice2007Images::GetImage(LPCTSTR lpszName) {
    ToolkitLockGuard lock(m_lock);
    if (m_hModule == nullptr || lpszName == nullptr)
        return nullptr;
    CTkOffice2007Image* pImage = nullptr;
    if (m_images.Lookup(lpszName, pImage))
        return pImage;
    pImage = LoadImage(lpszName);
    if (pImage != nullptr)
        m_images.SetAt(lpszName, pImage);
    return pImage;
}

void CTkOffice2007Images::RemoveAllImages() {
    ToolkitLockGuard lock(m_lock);
    POSITION pos = m_images.GetStartPosition();
    while (pos != nullptr) {
        CString name;
        CTkOffice2007Image* pImage = nullptr;
        m_images.GetNextAssoc(pos, name, pImage);
        pImage->InternalRelease();
    }
    m_images.RemoveAll();
}

CTkOffice2007Images* GetOffice2007Images() {
    // Built on first use, destroyed at exit; its creator's reference is never released. No lock: the UI
    // thread makes the first call.
    static CTkOffice2007Images s_images;
    return &s_images;
}
