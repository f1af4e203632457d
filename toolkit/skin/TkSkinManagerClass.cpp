#include "TkSkinManagerClass.h"

#include "TkSkinManager.h"
#include "TkSkinManagerSchema.h"

#include <algorithm>
#include <uxtheme.h>
#include <vssym32.h>

CTkSkinManagerClass::CTkSkinManagerClass(CTkSkinManager* pManager) : m_pManager(pManager) {
    m_mapProperties.InitHashTable(199);
}

CTkSkinManagerClass::~CTkSkinManagerClass() = default;

void CTkSkinManagerClass::SetClass(const CString& strClassName, int nClassId) {
    m_strClassName = strClassName;
    m_nClassId = nClassId;
}

CTkSkinManagerSchemaProperty* CTkSkinManagerClass::FindProperty(int nType, int nPartId, int nStateId, int nPropertyId) {
    const UINT nKey =
        static_cast<UINT>(nStateId) << 20 | static_cast<UINT>(nPartId) << 14 | static_cast<UINT>(nPropertyId);
    CTkSkinManagerSchemaProperty* pProperty = nullptr;
    if (m_mapProperties.Lookup(nKey, pProperty))
        return pProperty;
    const CTkSkinManagerSchema* pSchema = m_pManager->GetSchema();
    if (pSchema == nullptr)
        return nullptr;
    pProperty = pSchema->FindProperty(m_nClassId, nPartId, nStateId, nPropertyId);
    // An absent property is remembered as absent; a property of another type is not cached, so a query
    // with its own type still finds it.
    if (pProperty != nullptr && pProperty->m_nType != nType)
        return nullptr;
    m_mapProperties.SetAt(nKey, pProperty);
    return pProperty;
}

CString CTkSkinManagerClass::GetStringProperty(int nPartId, int nStateId, int nPropertyId, LPCWSTR pszDefault) {
    const auto* pProperty = FindProperty(tkSkinValueString, nPartId, nStateId, nPropertyId);
    return pProperty != nullptr ? pProperty->m_strValue : CString(pszDefault);
}

int CTkSkinManagerClass::GetIntProperty(int nPartId, int nStateId, int nPropertyId, int nDefault) {
    const auto* pProperty = FindProperty(tkSkinValueInt, nPartId, nStateId, nPropertyId);
    return pProperty != nullptr ? pProperty->m_nValue : nDefault;
}

BOOL CTkSkinManagerClass::GetBoolProperty(int nPartId, int nStateId, int nPropertyId, BOOL bDefault) {
    const auto* pProperty = FindProperty(tkSkinValueBool, nPartId, nStateId, nPropertyId);
    return pProperty != nullptr ? pProperty->m_bValue : bDefault;
}

COLORREF CTkSkinManagerClass::GetColorProperty(int nPartId, int nStateId, int nPropertyId, COLORREF clrDefault) {
    const auto* pProperty = FindProperty(tkSkinValueColor, nPartId, nStateId, nPropertyId);
    if (pProperty == nullptr)
        return clrDefault;
    COLORREF clr = pProperty->m_clrValue;
    m_pManager->ApplyColorFilters(clr);
    return clr;
}

RECT CTkSkinManagerClass::GetRectProperty(int nPartId, int nStateId, int nPropertyId, int nLeft, int nTop, int nRight,
                                          int nBottom) {
    const auto* pProperty = FindProperty(tkSkinValueRect, nPartId, nStateId, nPropertyId);
    return pProperty != nullptr ? pProperty->m_rcValue : RECT{nLeft, nTop, nRight, nBottom};
}

int CTkSkinManagerClass::GetEnumProperty(int nPartId, int nStateId, int nPropertyId, int nDefault) {
    const auto* pProperty = FindProperty(tkSkinValueEnum, nPartId, nStateId, nPropertyId);
    return pProperty != nullptr ? pProperty->m_nValue : nDefault;
}

POINT CTkSkinManagerClass::GetPositionProperty(int nPartId, int nStateId, int nPropertyId, int x, int y) {
    const auto* pProperty = FindProperty(tkSkinValuePosition, nPartId, nStateId, nPropertyId);
    return pProperty != nullptr ? pProperty->m_ptValue : POINT{x, y};
}

CString CTkSkinManagerClass::GetBackgroundImageFile(int nPartId, int nStateId) {
    if (GetEnumProperty(nPartId, nStateId, TMT_IMAGESELECTTYPE, 0) == 0 ||
        GetEnumProperty(nPartId, nStateId, TMT_GLYPHTYPE, 0) != 0)
        return GetStringProperty(nPartId, nStateId, TMT_IMAGEFILE);
    const CString strImage = GetStringProperty(nPartId, nStateId, TMT_IMAGEFILE1);
    return strImage.IsEmpty() ? GetStringProperty(nPartId, nStateId, TMT_IMAGEFILE) : strImage;
}

BOOL CTkSkinManagerClass::DrawBackground(CDC* pDC, int nPartId, int nStateId, const RECT* pRect) {
    CTkSkinManagerSchema* pSchema = m_pManager->GetSchema();
    return pSchema != nullptr && pSchema->DrawThemeBackground(pDC, this, nPartId, nStateId, pRect);
}

BOOL CTkSkinManagerClass::DrawText(CDC* pDC, int nPartId, int nStateId, const CString& strText, DWORD dwTextFlags,
                                   const RECT* pRect) {
    pDC->SetBkMode(TRANSPARENT);
    // Caption margins move the text's sides only.
    const RECT rcMargins = GetRectProperty(nPartId, nStateId, TMT_CAPTIONMARGINS, 0, 0, 0, 0);
    RECT rcText = *pRect;
    rcText.left += rcMargins.left;
    rcText.right -= rcMargins.right;
    if (GetEnumProperty(nPartId, nStateId, TMT_CONTENTALIGNMENT, 0) == 1)
        dwTextFlags |= DT_CENTER;
    pDC->SetTextColor(GetColorProperty(nPartId, nStateId, TMT_TEXTCOLOR, pDC->GetTextColor()));
    const POINT ptShadow = GetPositionProperty(nPartId, nStateId, TMT_TEXTSHADOWOFFSET, 0, 0);
    if (GetEnumProperty(nPartId, nStateId, TMT_TEXTSHADOWTYPE, 0) == 1 && (ptShadow.x != 0 || ptShadow.y != 0)) {
        const COLORREF clrText =
            pDC->SetTextColor(GetColorProperty(nPartId, nStateId, TMT_TEXTSHADOWCOLOR, static_cast<COLORREF>(-1)));
        RECT rcShadow = rcText;
        ::OffsetRect(&rcShadow, ptShadow.x, ptShadow.y);
        pDC->DrawText(strText, &rcShadow, dwTextFlags);
        pDC->SetTextColor(clrText);
    }
    pDC->DrawText(strText, &rcText, dwTextFlags);
    return TRUE;
}

BOOL CTkSkinManagerClass::GetPartSize(int nPartId, int nStateId, const RECT* pRect, int nSizeKind, SIZE* pSize) {
    if (GetEnumProperty(nPartId, nStateId, TMT_BGTYPE, 0) != 0)
        return FALSE;
    const CString strImage = GetBackgroundImageFile(nPartId, nStateId);
    if (strImage.IsEmpty())
        return FALSE;
    const CTkSkinImage* pImage = m_images.GetImage(m_pManager->GetResourceFile(), strImage);
    if (pImage == nullptr)
        return FALSE;

    const RECT rcCell = GetSkinImageCell(pImage->GetExtent(), GetIntProperty(nPartId, nStateId, TMT_IMAGECOUNT, 1),
                                         GetEnumProperty(nPartId, nStateId, TMT_IMAGELAYOUT, 1) == 1, 0);
    const CSize sizeCell(rcCell.right - rcCell.left, rcCell.bottom - rcCell.top);

    if (nSizeKind == TS_TRUE) {
        *pSize = sizeCell;
    } else if (nSizeKind == TS_DRAW) {
        if (GetEnumProperty(nPartId, nStateId, TMT_SIZINGTYPE, 1) == 0) {
            *pSize = sizeCell;
        } else {
            *pSize = pRect != nullptr ? SIZE{pRect->right - pRect->left, pRect->bottom - pRect->top} : SIZE{0, 0};
            if (GetBoolProperty(nPartId, nStateId, TMT_UNIFORMSIZING, FALSE))
                pSize->cx = sizeCell.cy > 0 ? ::MulDiv(pSize->cy, sizeCell.cx, sizeCell.cy) : 0;
        }
    }
    return TRUE;
}
