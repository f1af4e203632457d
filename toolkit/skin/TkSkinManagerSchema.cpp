#include "TkSkinManagerSchema.h"

#include "TkSkinManager.h"
#include "TkSkinManagerMetrics.h"
#include "TkSkinManagerResourceFile.h"

#include <cstdio>
#include <algorithm>
#include <cwchar>
#include <vssym32.h>

namespace {

// The font of "FACE, points, style": the size in points at the screen's resolution, bold for the style
// word BOLD, the screen's character set.
void ParseFont(const CString& strValue, LOGFONTW* pFont) {
    wchar_t szFace[32] = {};
    long nPoints = 0;
    wchar_t szStyle[50] = {};
    std::swscanf(strValue, L"%31l[^,], %ld, %49ls", szFace, &nPoints, szStyle);
    *pFont = LOGFONTW{};
    HWND hDesktop = ::GetDesktopWindow();
    HDC hDC = ::GetDC(hDesktop);
    pFont->lfHeight = -::MulDiv(nPoints, ::GetDeviceCaps(hDC, LOGPIXELSY), 72);
    pFont->lfCharSet = static_cast<BYTE>(::GetTextCharsetInfo(hDC, nullptr, 0));
    ::ReleaseDC(hDesktop, hDC);
    pFont->lfWeight = _wcsicmp(szStyle, L"BOLD") == 0 ? FW_BOLD : FW_NORMAL;
    wcscpy_s(pFont->lfFaceName, szFace);
}

}  // namespace

UINT MakeSchemaKey(int nClassId, int nPartId, int nStateId, int nPropertyId) {
    const UINT nSection = (static_cast<UINT>(nClassId) & 0xFFFFFF) + (static_cast<UINT>(nStateId) & 0xFF) * 4096 +
                          (static_cast<UINT>(nPartId) & 0xFFFF) * 64;
    return nSection * 16384 + static_cast<UINT>(nPropertyId);
}

UINT ParseSchemaSectionKey(const CString& strSection) {
    if (strSection.Find(L':') >= 0)
        return 0;
    CString strName = strSection;
    strName.Remove(L' ');
    CString strState;
    const int nOpen = strName.Find(L'(');
    if (nOpen >= 0) {
        // Up to the last character, taken to be ')'.
        strState = strName.Mid(nOpen + 1, std::max(0, strName.GetLength() - nOpen - 2));
        strName = strName.Left(nOpen);
    }
    CString strClass = strName;
    CString strPart;
    const int nDot = strName.Find(L'.');
    if (nDot >= 0) {
        strClass = strName.Left(nDot);
        strPart = strName.Mid(nDot + 1);
    }
    int nPartId = 0;
    if (!strPart.IsEmpty() && (nPartId = SchemaPartId(strClass, strPart)) == 0)
        return 0;
    int nStateId = 0;
    if (!strState.IsEmpty() && (nStateId = SchemaStateId(strPart.IsEmpty() ? strClass : strPart, strState)) == 0)
        return 0;
    const int nClassId = SchemaClassId(strClass);
    if (nClassId == 0)
        return 0;
    return MakeSchemaKey(nClassId, nPartId, nStateId, 0);
}

BOOL ParseSchemaValue(const CString& strName, int nType, const CString& strValue,
                      CTkSkinManagerSchemaProperty* pProperty) {
    pProperty->m_nType = nType;
    switch (nType) {
        case tkSkinValueString:
            pProperty->m_strValue = strValue;
            return TRUE;
        case tkSkinValueInt:
            pProperty->m_nValue = static_cast<int>(std::wcstol(strValue, nullptr, 10));
            return TRUE;
        case tkSkinValueBool:
            pProperty->m_bValue = strValue.CompareNoCase(L"TRUE") == 0;
            return TRUE;
        case tkSkinValueColor: {
            int nRed = 0, nGreen = 0, nBlue = 0;
            std::swscanf(strValue, L"%i %i %i", &nRed, &nGreen, &nBlue);
            pProperty->m_clrValue = RGB(nRed & 0xFF, nGreen & 0xFF, nBlue & 0xFF);
            return TRUE;
        }
        case tkSkinValueRect: {
            // Written left, right, top, bottom.
            long nLeft = 0, nRight = 0, nTop = 0, nBottom = 0;
            std::swscanf(strValue, L"%ld,%ld,%ld,%ld", &nLeft, &nRight, &nTop, &nBottom);
            pProperty->m_rcValue = {nLeft, nTop, nRight, nBottom};
            return TRUE;
        }
        case tkSkinValueFont:
            ParseFont(strValue, &pProperty->m_lfValue);
            return TRUE;
        case tkSkinValueEnum:
            pProperty->m_nValue = SchemaEnumValue(strName, strValue);
            return TRUE;
        case tkSkinValuePosition: {
            int x = 0, y = 0;
            std::swscanf(strValue, L"%i,%i", &x, &y);
            pProperty->m_ptValue = {x, y};
            return TRUE;
        }
        default:
            return FALSE;
    }
}

CTkSkinManagerSchema::CTkSkinManagerSchema(CTkSkinManager* pManager)
    : m_pManager(pManager), m_nGlobalsClassId(SchemaClassId(L"GLOBALS")) {
    m_mapProperties.InitHashTable(199);
}

CTkSkinManagerSchema::~CTkSkinManagerSchema() {
    RemoveAllProperties();
}

BOOL CTkSkinManagerSchema::DrawThemeBackground(CDC*, CTkSkinManagerClass*, int, int, const RECT*) {
    return FALSE;
}

void CTkSkinManagerSchema::DrawFrame(CDC*, CTkSkinObjectFrame*) {}

RECT* CTkSkinManagerSchema::CalcFrameBorders(RECT* pBorders, DWORD, DWORD) {
    ::SetRectEmpty(pBorders);
    return pBorders;
}

RECT* CTkSkinManagerSchema::GetFrameBorders(RECT* pBorders, CWnd*) {
    ::SetRectEmpty(pBorders);
    return pBorders;
}

HRGN CTkSkinManagerSchema::GetFrameRegion(CTkSkinObjectFrame*, int, int) {
    return nullptr;
}

void CTkSkinManagerSchema::FreeFrameRegions() {}

void CTkSkinManagerSchema::DrawScrollBar(CDC*, CTkSkinObjectFrame*, SCROLLBARPOSITION*) {}

COLORREF CTkSkinManagerSchema::GetScrollBarSizeBoxColor(CTkSkinObjectFrame*) {
    return GetMetricsColor(COLOR_3DFACE);
}

HRESULT CTkSkinManagerSchema::ReadSchema(CTkSkinManagerResourceFile* pResourceFile) {
    RemoveAllProperties();
    m_bPremultipliedAlpha = TRUE;
    UINT nSectionKey = 0;
    CString strLine;
    while (pResourceFile->ReadLine(strLine))
        ReadLine(strLine, &nSectionKey);
    // A skin whose images are premultiplied already says so in its documentation (or its globals).
    int nAlphaLevel = 0;
    if (GetIntProperty(SchemaClassId(L"DOCUMENTATION"), 0, 0, TMT_ALPHALEVEL, &nAlphaLevel) == S_OK &&
        nAlphaLevel == 255)
        m_bPremultipliedAlpha = FALSE;
    return S_OK;
}

void CTkSkinManagerSchema::ReadLine(CString strLine, UINT* pnSectionKey) {
    strLine.TrimLeft();
    const int nComment = strLine.Find(L';');
    if (nComment >= 0)
        strLine = strLine.Left(nComment);
    if (strLine.IsEmpty())
        return;
    strLine.MakeUpper();
    if (strLine[0] == L'[') {
        // The last character closes the name, whatever it is.
        *pnSectionKey = ParseSchemaSectionKey(strLine.Mid(1, std::max(0, strLine.GetLength() - 2)));
        return;
    }
    const int nEquals = strLine.Find(L'=');
    if (*pnSectionKey == 0 || nEquals < 1)
        return;
    CString strName = strLine.Left(nEquals);
    strName.TrimRight();
    int nType = tkSkinValueNone;
    const int nPropertyId = SchemaPropertyId(strName, &nType);
    if (nPropertyId == 0 || nType == tkSkinValueNone)
        return;
    CString strValue = strLine.Mid(nEquals + 1);
    strValue.Trim();

    const UINT nKey = *pnSectionKey + static_cast<UINT>(nPropertyId);
    CTkSkinManagerSchemaProperty* pOld = nullptr;
    if (m_mapProperties.Lookup(nKey, pOld)) {
        m_mapProperties.RemoveKey(nKey);
        delete pOld;
    }
    auto* pProperty = new CTkSkinManagerSchemaProperty;
    pProperty->m_nPropertyId = nPropertyId;
    if (!ParseSchemaValue(strName, nType, strValue, pProperty)) {
        delete pProperty;
        return;
    }
    m_mapProperties.SetAt(nKey, pProperty);
}

void CTkSkinManagerSchema::RemoveAllProperties() {
    POSITION pos = m_mapProperties.GetStartPosition();
    while (pos != nullptr) {
        UINT nKey = 0;
        CTkSkinManagerSchemaProperty* pProperty = nullptr;
        m_mapProperties.GetNextAssoc(pos, nKey, pProperty);
        delete pProperty;
    }
    m_mapProperties.RemoveAll();
}

CTkSkinManagerSchemaProperty* CTkSkinManagerSchema::FindProperty(int nClassId, int nPartId, int nStateId,
                                                                 int nPropertyId) const {
    CTkSkinManagerSchemaProperty* pProperty = nullptr;
    if (nStateId != 0 && m_mapProperties.Lookup(MakeSchemaKey(nClassId, nPartId, nStateId, nPropertyId), pProperty))
        return pProperty;
    if (m_mapProperties.Lookup(MakeSchemaKey(nClassId, nPartId, 0, nPropertyId), pProperty) ||
        m_mapProperties.Lookup(MakeSchemaKey(nClassId, 0, 0, nPropertyId), pProperty) ||
        m_mapProperties.Lookup(MakeSchemaKey(m_nGlobalsClassId, 0, 0, nPropertyId), pProperty))
        return pProperty;
    return nullptr;
}

const CTkSkinManagerSchemaProperty* CTkSkinManagerSchema::FindTypedProperty(int nClassId, int nPartId, int nStateId,
                                                                            int nPropertyId, int nType,
                                                                            HRESULT* phr) const {
    const CTkSkinManagerSchemaProperty* pProperty = FindProperty(nClassId, nPartId, nStateId, nPropertyId);
    if (pProperty == nullptr) {
        *phr = E_FAIL;
        return nullptr;
    }
    if (pProperty->m_nType != nType) {
        *phr = E_INVALIDARG;
        return nullptr;
    }
    *phr = S_OK;
    return pProperty;
}

HRESULT CTkSkinManagerSchema::GetIntProperty(int nClassId, int nPartId, int nStateId, int nPropertyId,
                                             int* pnValue) const {
    HRESULT hr;
    if (const auto* pProperty = FindTypedProperty(nClassId, nPartId, nStateId, nPropertyId, tkSkinValueInt, &hr))
        *pnValue = pProperty->m_nValue;
    return hr;
}

HRESULT CTkSkinManagerSchema::GetBoolProperty(int nClassId, int nPartId, int nStateId, int nPropertyId,
                                              BOOL* pbValue) const {
    HRESULT hr;
    if (const auto* pProperty = FindTypedProperty(nClassId, nPartId, nStateId, nPropertyId, tkSkinValueBool, &hr))
        *pbValue = pProperty->m_bValue;
    return hr;
}

HRESULT CTkSkinManagerSchema::GetColorProperty(int nClassId, int nPartId, int nStateId, int nPropertyId,
                                               COLORREF* pclrValue) const {
    HRESULT hr;
    if (const auto* pProperty = FindTypedProperty(nClassId, nPartId, nStateId, nPropertyId, tkSkinValueColor, &hr)) {
        COLORREF clr = pProperty->m_clrValue;
        m_pManager->ApplyColorFilters(clr);
        *pclrValue = clr;
    }
    return hr;
}

HRESULT CTkSkinManagerSchema::GetFontProperty(int nClassId, int nPartId, int nStateId, int nPropertyId,
                                              LOGFONTW* plfValue) const {
    HRESULT hr;
    if (const auto* pProperty = FindTypedProperty(nClassId, nPartId, nStateId, nPropertyId, tkSkinValueFont, &hr))
        *plfValue = pProperty->m_lfValue;
    return hr;
}

COLORREF CTkSkinManagerSchema::GetMetricsColor(int nIndex) const {
    return m_pManager->GetMetrics()->GetColor(nIndex);
}
