#include "TkRibbonSystemPopupBarControls.h"

#include "TkCommandBar.h"
#include "TkControlDefs.h"
#include "TkControlPlaceholders.h"
#include "TkControls.h"
#include "TkDCWrappers.h"
#include "TkOffice2007Image.h"
#include "TkOffice2007Images.h"
#include "TkPaintManager.h"
#include "TkRibbonSystemPopupBar.h"
#include "TkRibbonTheme.h"

#include <commdlg.h>

IMPLEMENT_SERIAL(CTkRibbonControlSystemPopupBarButton, CTkControlButton, VERSIONABLE_SCHEMA | 33)
IMPLEMENT_SERIAL(CTkRibbonControlSystemPopupBarListItem, CTkControlButton, VERSIONABLE_SCHEMA | 33)
IMPLEMENT_SERIAL(CTkRibbonControlSystemPopupBarListCaption, CTkControl, VERSIONABLE_SCHEMA | 33)
IMPLEMENT_SERIAL(CTkRibbonControlSystemRecentFileList, CTkRibbonControlSystemPopupBarListCaption,
                 VERSIONABLE_SCHEMA | 33)

namespace {

const CSize kPushButtonSize(22, 22);
const CSize kPushButtonIconSize(16, 16);
const CSize kListItemSize(300, 21);
const CSize kListCaptionSize(300, 27);
// Texts of the list column start this far from the left.
constexpr int kListTextIndent = 7;
// The files numbered with a mnemonic.
constexpr int kNumberedFiles = 9;
constexpr COLORREF kNoColor = static_cast<COLORREF>(-1);
constexpr COLORREF kMagentaKey = RGB(255, 0, 255);

CTkRibbonTheme* RibbonThemeOf(CTkPaintManager* pPaintManager) {
    return pPaintManager != nullptr && pPaintManager->GetThemeNumber() == kThemeRibbon
               ? static_cast<CTkRibbonTheme*>(pPaintManager)
               : nullptr;
}

// A colour of the look's "Ribbon" section under the ribbon theme; kNoColor otherwise or when missing.
COLORREF RibbonLookColor(CTkPaintManager* pPaintManager, LPCWSTR pszKey) {
    CTkRibbonTheme* pTheme = RibbonThemeOf(pPaintManager);
    return pTheme != nullptr ? pTheme->GetImages()->GetColor(L"Ribbon", pszKey) : kNoColor;
}

// A one-pixel line across the rectangle at y; nothing for a missing colour.
void DrawEdgeLine(CDC* pDC, const CRect& rc, int y, COLORREF clr) {
    if (clr != kNoColor)
        pDC->FillSolidRect(rc.left, y, rc.Width(), 1, clr);
}

}  // namespace

// ---- Push button

CTkRibbonControlSystemPopupBarButton::CTkRibbonControlSystemPopupBarButton() {
    m_szIcon = kPushButtonIconSize;
}

CTkRibbonSystemPopupBar* CTkRibbonControlSystemPopupBarButton::GetSystemPopupBar() const {
    return DYNAMIC_DOWNCAST(CTkRibbonSystemPopupBar, m_pParent);
}

CSize CTkRibbonControlSystemPopupBarButton::GetButtonSize() const {
    return kPushButtonSize;
}

BOOL CTkRibbonControlSystemPopupBarButton::SuppressesButtonFace() const {
    return GetSystemPopupBar() != nullptr;
}

CSize CTkRibbonControlSystemPopupBarButton::GetSize(CDC* pDC) {
    CTkPaintManager* pPaintManager = GetPaintManager();
    if (GetSystemPopupBar() == nullptr || pPaintManager == nullptr)
        return CTkControlButton::GetSize(pDC);
    return pPaintManager->PaintBarControl(pDC, this, FALSE);
}

void CTkRibbonControlSystemPopupBarButton::Draw(CDC* pDC) {
    CTkPaintManager* pPaintManager = GetPaintManager();
    if (GetSystemPopupBar() == nullptr || pPaintManager == nullptr) {
        CTkControlButton::Draw(pDC);
        return;
    }
    CTkRibbonTheme* pTheme = RibbonThemeOf(pPaintManager);
    if (CTkOffice2007Image* pImage = pTheme != nullptr ? pTheme->LoadImage(L"RIBBONSYSTEMMENUBUTTON") : nullptr) {
        const int nState = GetSelected() != 0 ? 1 : 0;
        pImage->DrawImageKeyed(pDC, m_rcControl, pImage->GetSource(nState, 2), CRect(2, 2, 2, 2), kMagentaKey);
    }
    pPaintManager->PaintBarControl(pDC, this, TRUE);
}

// ---- List item

CTkRibbonControlSystemPopupBarListItem::CTkRibbonControlSystemPopupBarListItem() {
    m_nWidth = kListItemSize.cx;
    m_nHeight = kListItemSize.cy;
}

CSize CTkRibbonControlSystemPopupBarListItem::GetSize(CDC*) {
    return CSize(m_nWidth, m_nHeight);
}

void CTkRibbonControlSystemPopupBarListItem::Draw(CDC* pDC) {
    CTkPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager == nullptr)
        return;
    pPaintManager->PaintControlBackground(pDC, this);
    CScopedSaveDC saved(pDC->GetSafeHdc());
    pDC->SetTextColor(pPaintManager->GetControlTextColor(this));
    pDC->SetBkMode(TRANSPARENT);
    CRect rcText = m_rcControl;
    rcText.left += kListTextIndent;
    CString strCaption = GetCaption();
    // "&n ": the number, underlined as its mnemonic, in a column of its own.
    if (m_bNumbered && strCaption.GetLength() >= 3 && strCaption[0] == L'&' && iswdigit(strCaption[1]) &&
        strCaption[2] == L' ') {
        pDC->DrawText(strCaption.Left(2), &rcText, DT_SINGLELINE | DT_VCENTER);
        strCaption = strCaption.Mid(3);
        rcText.left += pDC->GetTextExtent(L"0", 1).cx + kListTextIndent;
    }
    pDC->DrawText(strCaption, &rcText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
}

// ---- List caption

CTkRibbonControlSystemPopupBarListCaption::CTkRibbonControlSystemPopupBarListCaption() {
    m_dwFlags |= kControlFlagNoKeyboard | kControlFlagNoUpdate | kControlFlagNoMove | kControlFlagNewRow;
    m_nWidth = kListCaptionSize.cx;
    m_nHeight = kListCaptionSize.cy;
}

CSize CTkRibbonControlSystemPopupBarListCaption::GetSize(CDC*) {
    return CSize(m_nWidth, m_nHeight);
}

void CTkRibbonControlSystemPopupBarListCaption::Draw(CDC* pDC) {
    CTkPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager == nullptr)
        return;
    const CRect& rc = m_rcControl;
    {
        CScopedSaveDC saved(pDC->GetSafeHdc());
        CTkFontDC font(pDC, &pPaintManager->m_fntRegularBold);
        pDC->SetTextColor(pPaintManager->GetControlTextColor(this));
        pDC->SetBkMode(TRANSPARENT);
        CRect rcText(rc.left + kListTextIndent, rc.top + 4, rc.right, rc.bottom - 5);
        pDC->DrawText(GetCaption(), &rcText, DT_SINGLELINE);
    }
    DrawEdgeLine(pDC, rc, rc.bottom - 6, RibbonLookColor(pPaintManager, L"RecentFileListEdgeShadow"));
    DrawEdgeLine(pDC, rc, rc.bottom - 5, RibbonLookColor(pPaintManager, L"RecentFileListEdgeHighLight"));
}

// ---- Recent files

CTkRibbonControlSystemRecentFileList::CControlFileItem::CControlFileItem() {
    m_bNumbered = TRUE;
}

CTkRibbonControlSystemRecentFileList::CTkRibbonControlSystemRecentFileList() = default;

CString CTkRibbonControlSystemRecentFileList::FormatFileCaption(const CString& strTitle, int nPosition) {
    CString strEscaped = strTitle;
    strEscaped.Replace(L"&", L"&&");
    if (nPosition > kNumberedFiles)
        return strEscaped;
    CString strCaption;
    strCaption.Format(L"&%i %s", nPosition, strEscaped.GetString());
    return strCaption;
}

CString CTkRibbonControlSystemRecentFileList::GetFileTitleOf(const CString& strPath) {
    wchar_t szTitle[MAX_PATH] = {};
    if (::GetFileTitleW(strPath, szTitle, MAX_PATH) == 0)
        return szTitle;
    const int nSlash = std::max(strPath.ReverseFind(L'\\'), strPath.ReverseFind(L'/'));
    return strPath.Mid(nSlash + 1);
}

void CTkRibbonControlSystemRecentFileList::PrepareForLayout(DWORD) {
    CWinApp* pApp = AfxGetApp();
    CRecentFileList* pList = pApp != nullptr ? pApp->m_pRecentFileList : nullptr;
    if (pList == nullptr || pList->m_arrNames == nullptr || m_pControls == nullptr)
        return;
    const int nCount = pList->GetSize();
    RemovePlaceholderItems(this, [nCount](CTkControl* pItem) {
        return pItem->GetId() >= kFirstFileId && pItem->GetId() <= kFirstFileId + nCount;
    });
    if (IsCustomizeMode()) {
        SetHideFlags(0);
        SetEnabled(1);
        return;
    }
    for (int i = 0; i < nCount && !pList->m_arrNames[i].IsEmpty(); ++i) {
        const CString& strPath = pList->m_arrNames[i];
        auto* pItem = new CControlFileItem;
        m_pControls->Add(pItem, kFirstFileId + i, nullptr, m_nIndex + 1 + i, TRUE);
        pItem->SetCaption(FormatFileCaption(GetFileTitleOf(strPath), i + 1));
        pItem->SetFlags(kControlFlagPopupTooltip | kControlFlagNoUpdate);
        pItem->SetTooltip(strPath);
        pItem->SetDescription(L"");
    }
}
