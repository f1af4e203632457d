// The tab paint manager's settings, its two factories, its fonts and the rows it notifies.

#include "TkTabPaintManager.h"

#include "TkDCWrappers.h"
#include "OSVersionInfo.h"
#include "TkColorManager.h"
#include "TkTabAppearanceSet.h"
#include "TkTabColorSet.h"
#include "TkTextFunctions.h"

#include <algorithm>

namespace {

const COLORREF kAutomaticColors[kAutomaticTabColorCount] = {
    RGB(138, 168, 228), RGB(255, 219, 117), RGB(189, 205, 159), RGB(240, 158, 159),
    RGB(186, 166, 225), RGB(154, 191, 180), RGB(247, 182, 131), RGB(216, 171, 192),
};

// Vertical text runs downward: the face must be one that turns, and tiny heights read badly on end.
constexpr LONG kVerticalFontMinHeight = -11;

}  // namespace

CTkTabPaintManager::CTkTabPaintManager() {
    EnableAutomation();
    SetAppearance(kTabAppearancePropertyPage);
    RefreshMetrics();
}

CTkTabPaintManager::~CTkTabPaintManager() {
    delete m_pColorSet;
    delete m_pAppearanceSet;
}

// ---- Sets

CTkTabPaintManager::CAppearanceSet* CTkTabPaintManager::SetAppearance(int nAppearanceId) {
    m_nAppearanceId = nAppearanceId;
    CAppearanceSet* pSet = nullptr;
    switch (nAppearanceId) {
        case kTabAppearancePropertyPageSelected:
            pSet = new CAppearanceSetPropertyPageSelected;
            break;
        case kTabAppearancePropertyPageFlat:
            pSet = new CAppearanceSetPropertyPageFlat;
            break;
        case kTabAppearancePropertyPage2003:
            pSet = new CAppearanceSetPropertyPage2003;
            break;
        case kTabAppearanceStateButtons:
            pSet = new CAppearanceSetStateButtons;
            break;
        case kTabAppearanceVisualStudio:
            pSet = new CAppearanceSetVisualStudio;
            break;
        case kTabAppearanceFlat:
            pSet = new CAppearanceSetFlat;
            break;
        case kTabAppearanceExcel:
            pSet = new CAppearanceSetExcel;
            break;
        case kTabAppearanceVisio:
            pSet = new CAppearanceSetVisio;
            break;
        case kTabAppearanceVisualStudio2005:
            pSet = new CAppearanceSetVisualStudio2005;
            break;
        case kTabAppearancePropertyPage2007:
            pSet = new CAppearanceSetPropertyPage2007;
            break;
        case kTabAppearancePropertyPageAccess2007:
            pSet = new CAppearanceSetPropertyPageAccess2007;
            break;
        default:
            pSet = new CAppearanceSetPropertyPage;
            break;
    }
    return SetAppearanceSet(pSet);
}

CTkTabPaintManager::CAppearanceSet* CTkTabPaintManager::SetAppearanceSet(CAppearanceSet* pSet) {
    if (pSet != nullptr) {
        delete m_pAppearanceSet;
        m_pAppearanceSet = pSet;
        pSet->m_pPaintManager = this;
        pSet->RefreshMetrics();
        SetColor(pSet->GetPreferredColorSet());
    }
    NotifyAttachedRows();
    return m_pAppearanceSet;
}

CTkTabPaintManager::CColorSet* CTkTabPaintManager::SetColor(int nColorSetId) {
    m_nColorSetId = nColorSetId;
    CColorSet* pSet = nullptr;
    switch (nColorSetId) {
        case kTabColorSetVisualStudio:
            pSet = new CColorSetVisualStudio;
            break;
        case kTabColorSetOffice2003:
            pSet = new CColorSetOffice2003;
            break;
        case kTabColorSetWinXP:
            pSet = new CColorSetWinXP;
            break;
        case kTabColorSetWhidbey:
            pSet = new CColorSetWhidbey;
            break;
        case kTabColorSetOffice2007:
            pSet = new CColorSetOffice2007;
            break;
        case kTabColorSetVisualStudio2008:
            pSet = new CColorSetVisualStudio2008;
            break;
        case kTabColorSetAccess2007:
            pSet = new CColorSetAccess2007;
            break;
        default:
            pSet = new CColorSetDefault;
            break;
    }
    return SetColorSet(pSet);
}

CTkTabPaintManager::CColorSet* CTkTabPaintManager::SetColorSet(CColorSet* pSet) {
    if (pSet != nullptr) {
        delete m_pColorSet;
        m_pColorSet = pSet;
        pSet->m_pPaintManager = this;
        pSet->RefreshMetrics();
    }
    NotifyAttachedRows();
    return m_pColorSet;
}

// ---- Settings

void CTkTabPaintManager::SetLayout(int nLayout) {
    m_nLayout = nLayout;
    NotifyAttachedRows();
}

void CTkTabPaintManager::SetPosition(int nPosition) {
    m_nPosition = nPosition;
    NotifyAttachedRows();
}

BOOL CTkTabPaintManager::IsSystemThemeIgnored() const {
    return m_bIgnoreSystemTheme || GetColorManager()->IsSystemThemeIgnored();
}

COLORREF CTkTabPaintManager::GetAutomaticColor(int n) {
    return kAutomaticColors[((n % kAutomaticTabColorCount) + kAutomaticTabColorCount) % kAutomaticTabColorCount];
}

COLORREF CTkTabPaintManager::TakeNewTabColor() {
    return kAutomaticTabColor + static_cast<COLORREF>(m_nNewTabColor++ % kAutomaticTabColorCount);
}

// ---- Fonts

void CTkTabPaintManager::SetFontIndirect(const LOGFONT* pLogFont, BOOL bUseSystemFont) {
    m_bUseSystemFont = bUseSystemFont;
    if (pLogFont == nullptr)
        return;
    LOGFONT lf = *pLogFont;
    if (m_bClearType && GetOSVersionInfo()->IsWinXPOrLater())
        lf.lfQuality = CLEARTYPE_QUALITY;
    const LONG nNormalWeight = m_bBoldNormal ? FW_BOLD : FW_NORMAL;
    m_fontNormal.DeleteObject();
    m_fontBold.DeleteObject();
    m_fontVerticalNormal.DeleteObject();
    m_fontVerticalBold.DeleteObject();
    lf.lfWeight = nNormalWeight;
    m_fontNormal.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fontBold.CreateFontIndirect(&lf);
    CString strFace;
    GetDefaultFontFace(strFace, FALSE);
    wcsncpy(lf.lfFaceName, strFace.GetString(), LF_FACESIZE - 1);
    lf.lfFaceName[LF_FACESIZE - 1] = L'\0';
    lf.lfOrientation = 900;
    lf.lfEscapement = 2700;
    if (lf.lfHeight < 0 && lf.lfHeight > kVerticalFontMinHeight)
        lf.lfHeight = kVerticalFontMinHeight;
    lf.lfWeight = nNormalWeight;
    m_fontVerticalNormal.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fontVerticalBold.CreateFontIndirect(&lf);
}

CFont* CTkTabPaintManager::GetFont(BOOL bBold, BOOL bVertical) {
    if (bVertical)
        return bBold ? &m_fontVerticalBold : &m_fontVerticalNormal;
    return bBold ? &m_fontBold : &m_fontNormal;
}

CFont* CTkTabPaintManager::GetItemFont(const CTkTabManagerItem* pItem, BOOL bVertical) {
    const CTkTabManager* pManager = pItem->GetTabManager();
    const BOOL bBold = m_bBoldSelected && pItem->IsSelected() && pManager != nullptr && pManager->IsActive();
    return GetFont(bBold, bVertical);
}

// ---- Rows and refreshes

void CTkTabPaintManager::AttachRow(CTkTabManagerAtom* pRow) {
    if (std::find(m_attachedRows.begin(), m_attachedRows.end(), pRow) == m_attachedRows.end())
        m_attachedRows.push_back(pRow);
}

void CTkTabPaintManager::DetachRow(CTkTabManagerAtom* pRow) {
    m_attachedRows.erase(std::remove(m_attachedRows.begin(), m_attachedRows.end(), pRow), m_attachedRows.end());
}

void CTkTabPaintManager::NotifyAttachedRows() {
    // A row may detach itself while it repositions: walk a copy.
    const std::vector<CTkTabManagerAtom*> rows = m_attachedRows;
    for (CTkTabManagerAtom* pRow : rows) {
        if (std::find(m_attachedRows.begin(), m_attachedRows.end(), pRow) != m_attachedRows.end())
            pRow->OnPaintManagerChanged();
    }
}

void CTkTabPaintManager::RefreshMetrics() {
    if (m_bUseSystemFont) {
        LOGFONT lf = {};
        if (::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0))
            SetFontIndirect(&lf, TRUE);
    }
    if (m_pColorSet != nullptr)
        m_pColorSet->RefreshMetrics();
    if (m_pAppearanceSet != nullptr)
        m_pAppearanceSet->RefreshMetrics();
}

// ---- Geometry

void CTkTabPaintManager::InflateByPosition(CRect& rc, int nStart, int nNear, int nEnd, int nFar, int nPosition) {
    switch (nPosition) {
        case kTabPositionLeft:
            rc.top -= nStart;
            rc.left -= nNear;
            rc.bottom += nEnd;
            rc.right += nFar;
            break;
        case kTabPositionBottom:
            rc.left -= nStart;
            rc.bottom += nNear;
            rc.right += nEnd;
            rc.top -= nFar;
            break;
        case kTabPositionRight:
            rc.top -= nStart;
            rc.right += nNear;
            rc.bottom += nEnd;
            rc.left -= nFar;
            break;
        default:
            rc.left -= nStart;
            rc.top -= nNear;
            rc.right += nEnd;
            rc.bottom += nFar;
            break;
    }
}

int CTkTabPaintManager::ClampTabLength(int nLength) const {
    nLength += m_rcButtonMargin.left + m_rcButtonMargin.right;
    if (m_nMinTabLength > 0)
        nLength = std::max(nLength, m_nMinTabLength);
    if (m_nMaxTabLength > 0)
        nLength = std::min(nLength, m_nMaxTabLength);
    return nLength;
}

// ---- Virtual operations

void CTkTabPaintManager::PaintTabControl(CTkTabManager* pManager, CDC* pDC, CRect rcControl) {
    m_pAppearanceSet->PaintControl(pManager, pDC, rcControl);
}

void CTkTabPaintManager::AdjustClientRect(CTkTabManager* pManager, CRect& rcClient) {
    if (pManager->IsDrawStaticFrame())
        DeflateByPosition(rcClient, 2, 1, 2, 2, pManager->GetPosition());
    if (pManager->GetItemCount() > 0)
        m_pAppearanceSet->DeflateToClient(pManager, rcClient);
}

void CTkTabPaintManager::RepositionTabControl(CTkTabManager* pManager, CDC* pDC, CRect rcControl) {
    pManager->GetControlRect() = rcControl;
    pManager->GetClientRect() = rcControl;
    pManager->GetHeaderRect().SetRectEmpty();
    pManager->ResetRows(1);
    for (int i = 0; i < pManager->GetItemCount(); ++i)
        pManager->GetItem(i)->m_nRow = 0;
    m_pAppearanceSet->LayoutTabs(pManager, pDC, rcControl);
    AdjustClientRect(pManager, pManager->GetClientRect());
}

void CTkTabPaintManager::DrawNavigateButton(CDC* pDC, CTkTabManagerNavigateButton* pButton, CRect rc) {
    m_pColorSet->FillNavigateButton(pDC, pButton, rc);
    const COLORREF clrGlyph = pDC->GetTextColor();
    CTkPenDC pen(pDC->GetSafeHdc(), clrGlyph);
    CBrush brush;
    if (pButton->IsEnabled())
        brush.CreateSolidBrush(clrGlyph);
    CScopedSelectObject selectBrush(pDC->GetSafeHdc(), pButton->IsEnabled()
                                                           ? static_cast<HGDIOBJ>(brush.GetSafeHandle())
                                                           : ::GetStockObject(NULL_BRUSH));
    pButton->DrawEntry(pDC, rc);
}

void CTkTabPaintManager::DrawFocusRect(CDC* pDC, CTkTabManagerItem*, CRect rc) {
    if (!m_bDrawFocusRect)
        return;
    rc.DeflateRect(3, 3);
    pDC->SetTextColor(RGB(0, 0, 0));
    pDC->SetBkColor(RGB(255, 255, 255));
    pDC->DrawFocusRect(rc);
}
