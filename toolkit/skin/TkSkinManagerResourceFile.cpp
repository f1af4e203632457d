#include "TkSkinManagerResourceFile.h"

#include "TkSkinImage.h"
#include "TkSkinManagerSchemaDefault.h"

#include <iterator>
#include <string_view>

namespace {

// A file that exists and is not a folder.
bool IsExistingFile(const CString& strPath) {
    const DWORD dwAttributes = ::GetFileAttributesW(strPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The UTF-16 text of a "TEXTFILE" resource: its whole bytes, an odd last byte dropped.
bool FindTextResource(HMODULE hModule, LPCWSTR pszName, const wchar_t** ppszBegin, const wchar_t** ppszEnd) {
    HRSRC hResource = ::FindResourceW(hModule, pszName, L"TEXTFILE");
    if (hResource == nullptr)
        return false;
    const DWORD dwSize = ::SizeofResource(hModule, hResource);
    HGLOBAL hData = ::LoadResource(hModule, hResource);
    const auto* pszText = hData != nullptr ? static_cast<const wchar_t*>(::LockResource(hData)) : nullptr;
    if (pszText == nullptr)
        return false;
    *ppszBegin = pszText;
    *ppszEnd = pszText + dwSize / sizeof(wchar_t);
    return true;
}

}  // namespace

CTkSkinManagerResourceFile::~CTkSkinManagerResourceFile() {
    Close();
}

BOOL CTkSkinManagerResourceFile::Open(LPCWSTR pszPath, LPCWSTR pszIniName) {
    Close();
    m_strResourcePath = pszPath != nullptr ? pszPath : L"";
    m_strIniFileName = pszIniName != nullptr ? pszIniName : L"";
    if (m_strResourcePath.IsEmpty())
        return FALSE;

    if (!m_strIniFileName.IsEmpty() && IsExistingFile(m_strResourcePath + L'\\' + m_strIniFileName)) {
        m_pIniFile = std::make_unique<CStdioFile>();
        if (m_pIniFile->Open(m_strResourcePath + L'\\' + m_strIniFileName,
                             CFile::modeRead | CFile::shareDenyWrite | CFile::typeText))
            return TRUE;
        m_pIniFile.reset();
        return FALSE;
    }

    // A data-file mapping: resources read the same, and nothing of the file runs in this process.
    m_hSkinModule = ::LoadLibraryExW(m_strResourcePath, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (m_hSkinModule == nullptr)
        return FALSE;
    if (m_strIniFileName.IsEmpty())
        m_strIniFileName = GetDefaultIniName();
    return OpenModuleText();
}

BOOL CTkSkinManagerResourceFile::OpenModuleText() {
    const wchar_t* pszBegin = nullptr;
    const wchar_t* pszEnd = nullptr;
    if (m_strIniFileName.IsEmpty() ||
        !FindTextResource(m_hSkinModule, MakeResourceName(m_strIniFileName), &pszBegin, &pszEnd))
        return FALSE;
    if (pszBegin < pszEnd && *pszBegin == 0xFEFF)
        ++pszBegin;
    m_pszTextPos = pszBegin;
    m_pszTextEnd = pszEnd;
    return TRUE;
}

BOOL CTkSkinManagerResourceFile::ReadLine(CString& strLine) {
    if (m_pIniFile != nullptr) {
        if (m_pIniFile->m_hFile == INVALID_HANDLE_VALUE)
            return FALSE;
        if (m_pIniFile->ReadString(strLine))
            return TRUE;
        m_pIniFile->Close();
        return FALSE;
    }
    if (m_pszTextPos == nullptr)
        return FALSE;
    // A line ends at CR; a last line without one is not part of the text.
    const wchar_t* pszCr = m_pszTextPos;
    while (pszCr < m_pszTextEnd && *pszCr != L'\r')
        ++pszCr;
    if (pszCr == m_pszTextEnd)
        return FALSE;
    strLine = CString(m_pszTextPos, static_cast<int>(pszCr - m_pszTextPos));
    m_pszTextPos = pszCr + 1;
    if (m_pszTextPos < m_pszTextEnd && *m_pszTextPos == L'\n')
        ++m_pszTextPos;
    return TRUE;
}

void CTkSkinManagerResourceFile::Close() {
    m_pIniFile.reset();
    if (m_hSkinModule != nullptr) {
        ::FreeLibrary(m_hSkinModule);
        m_hSkinModule = nullptr;
    }
    m_pszTextPos = nullptr;
    m_pszTextEnd = nullptr;
}

CTkSkinImage* CTkSkinManagerResourceFile::LoadImage(const CString& strImageFile) {
    auto pImage = std::make_unique<CTkSkinImage>(m_pManager);
    BOOL bLoaded = FALSE;
    if (m_pIniFile != nullptr) {
        const CString strPath = m_strResourcePath + L'\\' + strImageFile;
        bLoaded = IsExistingFile(strPath) && pImage->LoadFromFile(strPath);
    } else {
        bLoaded = pImage->LoadFromResource(m_hSkinModule, MakeResourceName(strImageFile));
    }
    return bLoaded ? pImage.release() : nullptr;
}

CTkSkinManagerSchema* CTkSkinManagerResourceFile::CreateSchema() {
    return new CTkSkinManagerSchemaDefault(m_pManager);
}

CString CTkSkinManagerResourceFile::GetDefaultIniName() const {
    const wchar_t* pszBegin = nullptr;
    const wchar_t* pszEnd = nullptr;
    if (m_hSkinModule == nullptr || !FindTextResource(m_hSkinModule, L"THEMES_INI", &pszBegin, &pszEnd))
        return CString();
    // The resource is not terminated: every search stays inside its bytes, and a "[File." that is not
    // closed by ']' names nothing.
    static constexpr wchar_t kSection[] = L"[File.";
    const size_t nSectionLength = std::size(kSection) - 1;
    const std::wstring_view text(pszBegin, static_cast<size_t>(pszEnd - pszBegin));
    const size_t nSection = text.find(std::wstring_view(kSection, nSectionLength));
    if (nSection == std::wstring_view::npos)
        return CString();
    const size_t nNameStart = nSection + nSectionLength;
    const size_t nClose = text.find(L']', nNameStart);
    if (nClose == std::wstring_view::npos)
        return CString();
    return CString(text.data() + nNameStart, static_cast<int>(nClose - nNameStart)) + L"_ini";
}

CString CTkSkinManagerResourceFile::MakeResourceName(const CString& strFileName) {
    CString strName = strFileName;
    strName.Replace(L'.', L'_');
    strName.Replace(L'\\', L'_');
    return strName;
}
