// CTkPaintManager: the fonts (regular, bold, vertical and the system-following ones) and the control
// height measured from them.
#include "TkPaintManager.h"

#include "OSVersionInfo.h"
#include "TkAuxData.h"
#include "TkCommandBar.h"
#include "TkControl.h"
#include "TkMeasureDC.h"
#include "TkResourceManager.h"
#include "TkTextFunctions.h"

namespace {

constexpr BYTE kClearTypeQuality = 5;       // CLEARTYPE_QUALITY
constexpr LONG kVerticalEscapement = 2700;  // text runs top-down
constexpr LONG kVerticalOrientation = 900;

void CopyFaceName(LOGFONTW& lf, LPCWSTR pszFace) {
    wcsncpy_s(lf.lfFaceName, pszFace, _TRUNCATE);
}

// A system font is made again from its description, unless an application set one of its own.
void RefreshFollower(CTkPaintManagerFont& font, LOGFONTW lf, BYTE nCharSet, BOOL bClearType) {
    if (!font.m_bFollowSystem && font.GetSafeHandle() != nullptr)
        return;
    lf.lfCharSet = nCharSet;
    if (bClearType)
        lf.lfQuality = kClearTypeQuality;
    font.DeleteObject();
    font.CreateFontIndirect(&lf);
}

}  // namespace

BOOL CTkPaintManager::IsClearTypeApplied() const {
    return m_bClearType && GetOSVersionInfo()->IsWinXPOrLater();
}

void CTkPaintManager::RefreshFonts() {
    NONCLIENTMETRICSW metrics;
    MakeNonClientMetrics(metrics);
    LOGFONTW lfIconTitle{};
    ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(lfIconTitle), &lfIconTitle, 0);
    const BYTE nCharSet =
        m_bResourceCharset ? GetResourceManager()->GetLanguageInfo()->nCharSet : metrics.lfMenuFont.lfCharSet;
    const BOOL bClearType = IsClearTypeApplied();
    if (m_bUseStandardFont) {
        const LOGFONTW& menu = metrics.lfMenuFont;
        LOGFONTW lf{};
        lf.lfHeight = NormalizeMenuFontHeight(menu.lfHeight);
        lf.lfWeight = menu.lfWeight;
        lf.lfItalic = menu.lfItalic;
        lf.lfUnderline = menu.lfUnderline;
        lf.lfStrikeOut = menu.lfStrikeOut;
        lf.lfCharSet = nCharSet;
        lf.lfQuality = bClearType ? kClearTypeQuality : menu.lfQuality;
        CopyFaceName(lf, menu.lfFaceName);
        SetRegularFont(&lf, TRUE);
    }
    RefreshFollower(m_fntSmallCaption, metrics.lfSmCaptionFont, nCharSet, bClearType);
    RefreshFollower(m_fntIconTitle, lfIconTitle, nCharSet, bClearType);
    LOGFONTW lfIconTitleBold = lfIconTitle;
    lfIconTitleBold.lfWeight = FW_BOLD;
    RefreshFollower(m_fntIconTitleBold, lfIconTitleBold, nCharSet, bClearType);
    RefreshFollower(m_fntStatus, metrics.lfStatusFont, nCharSet, bClearType);
}

void CTkPaintManager::SetRegularFont(const LOGFONTW* pLogFont, BOOL bUseStandardFont) {
    m_bUseStandardFont = bUseStandardFont;
    if (pLogFont == nullptr)
        return;
    LOGFONTW lf = *pLogFont;
    if (IsClearTypeApplied())
        lf.lfQuality = kClearTypeQuality;
    m_fntRegular.DeleteObject();
    m_fntRegularBold.DeleteObject();
    m_fntVertical.DeleteObject();
    m_fntVerticalBold.DeleteObject();
    m_fntIconTitleBold.DeleteObject();
    if (_wcsicmp(lf.lfFaceName, m_strVerticalFaceName) == 0)
        m_bRegularIsVerticalFace = TRUE;
    if (bUseStandardFont && m_bRegularIsVerticalFace && DoesFontFaceExist(m_strVerticalFaceName))
        CopyFaceName(lf, m_strVerticalFaceName);

    m_fntRegular.CreateFontIndirect(&lf);
    LOGFONTW lfBold = lf;
    lfBold.lfWeight = FW_BOLD;
    m_fntRegularBold.CreateFontIndirect(&lfBold);
    LOGFONTW lfVertical = lf;
    lfVertical.lfEscapement = kVerticalEscapement;
    lfVertical.lfOrientation = kVerticalOrientation;
    CString strFace;
    GetDefaultFontFace(strFace, m_bRegularIsVerticalFace);
    CopyFaceName(lfVertical, strFace);
    m_fntVertical.CreateFontIndirect(&lfVertical);
    lfVertical.lfWeight = FW_BOLD;
    m_fntVerticalBold.CreateFontIndirect(&lfVertical);

    CTkMeasureDC dc(nullptr);
    if (dc.Get() != nullptr)
        m_nControlHeight = GetSpaceHeight(dc.Get(), &m_fntRegular) + 6;
    m_nControlRowHeight = m_nControlHeight;
}

CFont* CTkPaintManager::GetControlFont(CTkControl* pControl) {
    const BOOL bDefault = pControl->IsDefaultItem();
    if (GetTextOrientation(pControl) == 1)
        return bDefault ? &m_fntVerticalBold : &m_fntVertical;
    return bDefault ? &m_fntRegularBold : &m_fntRegular;
}

CFont* CTkPaintManager::GetBarFont(CTkCommandBar* pBar) {
    if (pBar->GetTextOrientation() != 0)
        return pBar->GetTextOrientation() == 1 ? &m_fntVertical : &m_fntRegular;
    const int nPosition = pBar->GetPosition();
    return nPosition == kBarLeft || nPosition == kBarRight ? &m_fntVertical : &m_fntRegular;
}

int CTkPaintManager::GetTextOrientation(CTkControl* pControl) {
    CTkCommandBar* pBar = pControl->GetParent();
    if (pBar == nullptr)
        return 2;
    if (pBar->GetTextOrientation() != 0)
        return pBar->GetTextOrientation();
    const int nPosition = pBar->GetPosition();
    return nPosition == kBarLeft || nPosition == kBarRight ? 1 : 2;
}
