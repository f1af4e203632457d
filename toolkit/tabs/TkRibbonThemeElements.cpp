// CTkRibbonTheme: the ribbon's element painters: backgrounds, groups, the caption strip with the
// quick-access area and the context headers, the system button, the small buttons and popup frames, all
// from the look's images. A missing image draws nothing unless a fallback is named.
#include "TkRibbonTheme.h"

#include "TkControls.h"
#include "TkWindowFunctions.h"
#include "TkDCWrappers.h"
#include "TkImageManagerIcon.h"
#include "TkMeasureDC.h"
#include "TkOffice2007Drawing.h"
#include "TkOffice2007Image.h"
#include "TkPopupBar.h"
#include "TkRibbonBar.h"
#include "TkRibbonGroup.h"
#include "TkRibbonGroups.h"
#include "TkRibbonControls.h"
#include "TkRibbonTab.h"
#include "TkRibbonTabContextHeader.h"
#include "TkTabColorSet.h"
#include "TkTabPaintManager.h"
#include "TkTextFunctions.h"
#include "TkThemedFrameHook.h"

#include <algorithm>

namespace {

// How an image goes onto the DC.
enum class ImageMode {
    kPlain,        // copied, or blended when it has alpha
    kKeyed,        // magenta pixels left out
    kAlpha,        // keyed, blended
    kAlphaOpaque,  // keyed, the drawn area made opaque (on a glass caption)
};

const CRect kNoMargins(0, 0, 0, 0);
const CRect kFrameCaptionMargins(0, 5, 0, 3);
constexpr int kFrameCaptionStates = 2;  // active, inactive
constexpr int kGroupButtonStates = 3;   // normal, hot, popped up
constexpr int kQuickAccessButtonStates = 4;
constexpr int kOptionButtonStates = 4;
constexpr int kScrollButtonStates = 3;
constexpr int kSystemButtonStates = 3;
constexpr int kSystemButtonLargeImageMin = 55;  // both sides, for the large system-button image
constexpr int kCollapsedButtonMinWidth = 42;
constexpr int kCollapsedButtonRows = 3;
constexpr int kSmallIconFramed = 20;          // icons lower than this get a frame on a collapsed group
constexpr int kQuickAccessAreaOverhang = 15;  // the quick-access area reaches left of its row
constexpr int kContextHeaderTextIndent = 6;
constexpr int kCaptionIconLeft = 10;
constexpr int kFrameLargeIconSize = 32;
// The group strip of a tab popup shows through a margin in the ribbon's blue (RGB 191, 219, 255).
constexpr COLORREF kTabPopupFace = RGB(191, 219, 255);
constexpr int kTabPopupOverlap = 3;

// State nState of nStates of the image over rcDest; FALSE when the look has no such image.
BOOL DrawImage(CDC* pDC, CTkOffice2007Image* pImage, const CRect& rcDest, int nState, int nStates,
               const CRect& rcMargins, ImageMode mode) {
    if (pImage == nullptr)
        return FALSE;
    const CRect rcSrc = pImage->GetSource(nState, nStates);
    switch (mode) {
        case ImageMode::kPlain:
            pImage->DrawImage(pDC, rcDest, rcSrc, rcMargins);
            break;
        case ImageMode::kKeyed:
            pImage->DrawImageKeyed(pDC, rcDest, rcSrc, rcMargins, kLookKeyColor);
            break;
        case ImageMode::kAlpha:
        case ImageMode::kAlphaOpaque:
            pImage->DrawImageWithAlpha(pDC, rcDest, rcSrc, rcMargins, kLookKeyColor,
                                       mode == ImageMode::kAlphaOpaque ? CTkOffice2007Image::kOpaqueOnAlphaSurface : 0);
            break;
    }
    return TRUE;
}

// The alpha mode of a control's image: opaque where the control lies on a glass caption.
ImageMode AlphaModeOf(const CTkControl* pControl) {
    return pControl->IsInGlassCaption() ? ImageMode::kAlphaOpaque : ImageMode::kAlpha;
}

// 2 popped up, else 1 selected, else 0: the states of the ribbon's small buttons.
int ButtonState(const CTkControl* pControl) {
    if (pControl->IsPopupOpen())
        return 2;
    return pControl->GetSelected() != 0 ? 1 : 0;
}

// The context colour name of the tab that shows the group; empty for a plain tab or none.
CString GetGroupColorName(const CTkRibbonGroup* pGroup) {
    const CTkRibbonGroups* pGroups = pGroup != nullptr ? pGroup->GetGroups() : nullptr;
    const CTkRibbonTab* pTab = pGroups != nullptr ? pGroups->GetParentTab() : nullptr;
    return pTab != nullptr ? CTkRibbonTheme::GetContextColorName(pTab->GetContextColor()) : CString();
}

CString FormatColorImageName(LPCWSTR pszFormat, const CString& strColor) {
    CString strName;
    strName.Format(pszFormat, strColor.GetString());
    return strName;
}

// The quick-access toolbar stands in the caption strip and shows at least one control.
BOOL HasQuickAccessInCaption(const CTkRibbonBar* pRibbonBar) {
    if (!pRibbonBar->IsQuickAccessVisible() || pRibbonBar->IsQuickAccessBelowRibbon())
        return FALSE;
    const CTkControls* pControls = pRibbonBar->GetQuickAccessControls();
    for (int i = 0; i < pControls->GetCount(); ++i) {
        if (pControls->GetAt(i)->IsVisible())
            return TRUE;
    }
    return FALSE;
}

}  // namespace

// ---- Backgrounds

void CTkRibbonTheme::FillRibbonBar(CDC* pDC, CTkRibbonBar* pRibbonBar) {
    CRect rc;
    pRibbonBar->GetClientRect(&rc);
    // The frame caption above is the caption painter's.
    if (pRibbonBar->GetFrameHook() != nullptr)
        rc.top += GetFrameCaptionHeight();
    // The tab strip and everything below share the ribbon face.
    if (m_clrRibbonFace != kColorUnset)
        pDC->FillSolidRect(rc, m_clrRibbonFace);
    if (pRibbonBar->IsQuickAccessBelowRibbon()) {
        if (pRibbonBar->IsQuickAccessVisible())
            DrawImage(pDC, LoadImage(L"RIBBONQUICKACCESSFRAME"), pRibbonBar->GetQuickAccessRect(), 0, 1,
                      CRect(3, 3, 3, 3), ImageMode::kPlain);
        return;
    }
    // A ribbon without groups ends in a shadow line and a highlight line.
    if (pRibbonBar->GetGroupsHeight() == 0) {
        if (m_clrMinimizedEdgeShadow != kColorUnset)
            pDC->FillSolidRect(rc.left, rc.bottom - 2, rc.Width(), 1, m_clrMinimizedEdgeShadow);
        if (m_clrMinimizedEdgeHighlight != kColorUnset)
            pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, m_clrMinimizedEdgeHighlight);
    }
}

void CTkRibbonTheme::FillGroupsArea(CDC* pDC, CTkRibbonTab* pTab, CRect rc) {
    const CString strColor = pTab != nullptr ? GetContextColorName(pTab->GetContextColor()) : CString();
    const CString strName =
        strColor.IsEmpty() ? CString(L"RIBBONGROUPS") : FormatColorImageName(L"CONTEXTTAB%sCLIENT", strColor);
    DrawImage(pDC, LoadImage(strName), rc, 0, 1, CRect(8, 8, 8, 8), ImageMode::kPlain);
}

void CTkRibbonTheme::FillTabPopupArea(CDC* pDC, CTkRibbonTab* pTab, CTkPopupBar* pPopupBar) {
    pDC->SetBkMode(TRANSPARENT);
    CRect rc;
    pPopupBar->GetClientRect(&rc);
    pDC->FillSolidRect(rc, kTabPopupFace);
    rc.InflateRect(kTabPopupOverlap, kTabPopupOverlap);
    FillGroupsArea(pDC, pTab, rc);
}

void CTkRibbonTheme::FillTabPopupBar(CDC* pDC, CTkPopupBar* pPopupBar) {
    CRect rc;
    pPopupBar->GetClientRect(&rc);
    if (m_clrRibbonFace != kColorUnset)
        pDC->FillSolidRect(rc, m_clrRibbonFace);
}

void CTkRibbonTheme::FillPopupFrame(CDC* pDC, CTkPopupBar* pPopupBar) {
    CRect rc;
    pPopupBar->GetClientRect(&rc);
    CTkOffice2007Image* pImage = LoadImage(L"MOREPOPUPBARFRAME");
    if (pImage == nullptr)
        pImage = LoadImage(L"POPUPBARFRAME");
    DrawImage(pDC, pImage, rc, 0, 1, CRect(4, 4, 4, 4), ImageMode::kPlain);
}

// ---- Groups

void CTkRibbonTheme::DrawGroup(CDC* pDC, CTkRibbonGroup* pGroup) {
    // A collapsed group is its popup button.
    if (pGroup->IsReduced())
        return;
    const CRect& rc = pGroup->GetRect();
    const CRect rcClient(rc.left, rc.top, rc.right, rc.bottom - m_nGroupCaptionHeight);
    const CRect rcCaption(rc.left, rc.bottom - m_nGroupCaptionHeight, rc.right, rc.bottom);
    const BOOL bContext = !GetGroupColorName(pGroup).IsEmpty();
    const int nState = pGroup->IsHighlighted() ? 1 : 0;
    const CRect rcMargins(5, 5, 5, 5);
    DrawImage(pDC, LoadImage(bContext ? L"CONTEXTTABGROUPCLIENT" : L"RIBBONGROUPCLIENT"), rcClient, nState, 2,
              rcMargins, ImageMode::kPlain);
    DrawImage(pDC, LoadImage(bContext ? L"CONTEXTTABGROUPCAPTION" : L"RIBBONGROUPCAPTION"), rcCaption, nState, 2,
              rcMargins, ImageMode::kPlain);

    CString strCaption = pGroup->GetCaption();
    RemoveMnemonicMarkers(strCaption);
    CRect rcText = rcCaption;
    rcText.OffsetRect(0, -1);
    if (pGroup->IsOptionButtonVisible())
        rcText.right -= m_nGroupCaptionHeight + 1;
    rcText.DeflateRect(2, 2);
    CTkFontDC font(pDC, &m_fntRibbon);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(m_clrGroupCaptionText);
    pDC->DrawText(strCaption, &rcText, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

CSize CTkRibbonTheme::DrawGroupOptionButton(CDC* pDC, CTkControl* pControl, BOOL bDraw) {
    if (bDraw) {
        const int nState = pControl->GetPressed() != 0 ? 2 : pControl->GetSelected() != 0 ? 1 : 0;
        DrawImage(pDC, LoadImage(L"RIBBONOPTIONBUTTON"), pControl->GetRect(), nState, kOptionButtonStates,
                  CRect(3, 2, 2, 2), ImageMode::kKeyed);
    }
    return CSize(15, 14);
}

CSize CTkRibbonTheme::DrawGroupPopupButton(CDC* pDC, CTkRibbonGroupControlPopup* pControl, BOOL bDraw) {
    const int nState = ButtonState(pControl);
    // A group's own button is linked to its group; a copy (in the quick-access toolbar) only knows the group's id,
    // and is a toolbar button on the group-button face.
    CTkRibbonGroup* pGroup = pControl->GetRibbonGroup();
    if (pControl->CTkControl::GetRibbonGroup() == nullptr || pGroup == nullptr) {
        if (bDraw)
            DrawImage(pDC, LoadImage(L"RIBBONGROUPQUICKACCESS"), pControl->GetRect(), nState, kGroupButtonStates,
                      CRect(2, 2, 2, 2), AlphaModeOf(pControl));
        return PaintBarControl(pDC, pControl, bDraw);
    }

    CTkMeasureDC measureDC(pDC);
    CDC* pTextDC = measureDC.Get();
    if (pTextDC == nullptr)
        return CSize(0, 0);
    CTkFontDC font(pTextDC, GetControlFont(pControl));
    CSize size(std::max(2 * GetControlHeight() - 3, kCollapsedButtonMinWidth),
               kCollapsedButtonRows * m_nControlRowHeight);
    size.cx = std::max<LONG>(size.cx, PaintTwoLineCaption(pTextDC, pControl, CRect(), FALSE).cx + 5);
    if (!bDraw)
        return size;

    const CRect& rc = pControl->GetRect();
    const CString strColor = GetGroupColorName(pGroup);
    CTkOffice2007Image* pFace =
        strColor.IsEmpty() ? nullptr : LoadImage(FormatColorImageName(L"CONTEXTTAB%sGROUPBUTTON", strColor));
    if (pFace == nullptr)
        pFace = LoadImage(L"RIBBONGROUPBUTTON");
    DrawImage(pDC, pFace, rc, nState, kGroupButtonStates, CRect(5, 5, 5, 5), ImageMode::kPlain);

    const CSize szIcon = pControl->GetIconSize();
    if (CTkImageManagerIcon* pIcon = pControl->GetImage(szIcon.cx)) {
        CPoint pt(rc.left + (rc.Width() - szIcon.cx) / 2, rc.top + 4);
        if (szIcon.cy < kSmallIconFramed) {
            // A small icon sits in a round frame.
            if (CTkOffice2007Image* pFrame = LoadImage(L"RIBBONGROUPBUTTONICON")) {
                const CSize szFrame = pFrame->GetSource(0, 1).Size();
                const CPoint ptFrame(rc.left + (rc.Width() - szFrame.cx) / 2, rc.top + 2);
                DrawImage(pDC, pFrame, CRect(ptFrame, szFrame), 0, 1, kNoMargins, ImageMode::kPlain);
            }
            pt.y = rc.top + 9;
        }
        PaintControlIcon(pDC, pt, szIcon, pIcon, pControl->GetSelected(), pControl->GetPressed(),
                         pControl->GetEnabled() != 0, pControl->GetChecked(), pControl->IsPopupOpen(), TRUE);
    }
    pDC->SetTextColor(GetControlTextColor(pControl));
    const int nBandBottom = rc.bottom - m_nGroupCaptionHeight - 2;
    PaintTwoLineCaption(pDC, pControl, CRect(rc.left, nBandBottom - GetSplitDropDownExtent(), rc.right, nBandBottom),
                        TRUE);
    return size;
}

// ---- Caption strip

void CTkRibbonTheme::DrawFrameCaption(CDC* pDC, CTkRibbonBar* pRibbonBar, BOOL bActive) {
    CTkThemedFrameHook* pFrameHook = pRibbonBar->GetFrameHook();
    if (pFrameHook == nullptr)
        return;
    const CRect& rcCaption = pRibbonBar->GetCaptionRect();
    const BOOL bGlass = IsRectInGlassCaption(pRibbonBar, rcCaption);
    if (bGlass) {
        // Black is what the composition shows through.
        pDC->FillSolidRect(rcCaption, RGB(0, 0, 0));
    } else {
        const int nState = bActive ? 0 : 1;
        CTkOffice2007Image* pLeft = LoadImage(L"FRAMETOPLEFT");
        CTkOffice2007Image* pRight = LoadImage(L"FRAMETOPRIGHT");
        const int cxLeft = pLeft != nullptr ? pLeft->GetExtent().cx : 0;
        const int cxRight = pRight != nullptr ? pRight->GetExtent().cx : 0;
        DrawImage(pDC, pLeft, CRect(rcCaption.left, rcCaption.top, rcCaption.left + cxLeft, rcCaption.bottom), nState,
                  kFrameCaptionStates, kFrameCaptionMargins, ImageMode::kKeyed);
        DrawImage(pDC, pRight, CRect(rcCaption.right - cxRight, rcCaption.top, rcCaption.right, rcCaption.bottom),
                  nState, kFrameCaptionStates, kFrameCaptionMargins, ImageMode::kPlain);
        DrawImage(pDC, LoadImage(L"FRAMETOPCENTER"),
                  CRect(rcCaption.left + cxLeft, rcCaption.top, rcCaption.right - cxRight, rcCaption.bottom), nState,
                  kFrameCaptionStates, kFrameCaptionMargins, ImageMode::kPlain);
    }

    if (HasQuickAccessInCaption(pRibbonBar)) {
        const CRect& rcQuickAccess = pRibbonBar->GetQuickAccessRect();
        const int yTop = rcQuickAccess.top + 2;
        const CRect rcArea(rcQuickAccess.left - kQuickAccessAreaOverhang, yTop, rcQuickAccess.right,
                           yTop + pRibbonBar->GetQuickAccessHeight());
        CTkOffice2007Image* pArea = LoadImage(IsRectInGlassCaption(pRibbonBar, rcArea) ? L"RIBBONQUICKACCESSAREADWM"
                                                                                       : L"RIBBONQUICKACCESSAREA");
        if (pArea != nullptr)
            pArea->SetMirrorOnRightToLeft(TRUE);
        DrawImage(pDC, pArea, rcArea, 0, 1, CRect(16, 3, 16, 3), ImageMode::kPlain);
    }

    const HWND hwndFrame = pFrameHook->GetFrameWindow();
    if (pRibbonBar->GetSystemButton() == nullptr) {
        if (HICON hIcon = GetFrameSmallIcon(hwndFrame)) {
            const int cx = ::GetSystemMetrics(SM_CXSMICON);
            const int cy = ::GetSystemMetrics(SM_CYSMICON);
            ::DrawIconEx(pDC->GetSafeHdc(), rcCaption.left + kCaptionIconLeft,
                         (rcCaption.bottom - cy - rcCaption.top) / 2, hIcon, cx, cy, 0, nullptr, DI_NORMAL);
        }
    }

    if (!pRibbonBar->GetContextHeaders().empty())
        DrawContextHeaders(pDC, pRibbonBar, pRibbonBar->GetContextHeaders());

    // The title, centred in its rectangle when it fits.
    const CString strTitle = GetWindowTextFromHandle(hwndFrame);
    CTkFontDC font(pDC, &m_fntCaption);
    CRect rcTitle = pRibbonBar->GetCaptionTextRect();
    const int nFree = rcTitle.Width() - pDC->GetTextExtent(strTitle).cx;
    if (nFree > 0)
        rcTitle.left += nFree / 2;
    if ((pFrameHook->GetFrameStyle(FALSE) & WS_MAXIMIZE) != 0)
        rcTitle.OffsetRect(0, pFrameHook->GetFrameBorder() / 2);
    if (bGlass)
        DrawGlassCaptionText(pDC, rcTitle, strTitle, CWnd::FromHandle(hwndFrame), bActive);
    else
        PaintFrameCaptionText(pDC, rcTitle, pFrameHook, bActive);
}

void CTkRibbonTheme::FillCaptionBar(CDC* pDC, CTkRibbonBar* pRibbonBar) {
    CRect rcCaption = pRibbonBar->GetCaptionRect();
    rcCaption.top -= 1;
    DrawImage(pDC, LoadImage(L"FRAMETOPCENTER"), rcCaption, 0, kFrameCaptionStates, kFrameCaptionMargins,
              ImageMode::kPlain);
    if (HasQuickAccessInCaption(pRibbonBar)) {
        const CRect& rcQuickAccess = pRibbonBar->GetQuickAccessRect();
        CTkOffice2007Image* pArea = LoadImage(L"RIBBONQUICKACCESSAREA");
        if (pArea != nullptr)
            pArea->SetMirrorOnRightToLeft(TRUE);
        DrawImage(pDC, pArea,
                  CRect(rcQuickAccess.left - kQuickAccessAreaOverhang, 0, rcQuickAccess.right,
                        pRibbonBar->GetQuickAccessHeight()),
                  0, 1, CRect(16, 3, 16, 3), ImageMode::kPlain);
    }
    if (!pRibbonBar->GetContextHeaders().empty())
        DrawContextHeaders(pDC, pRibbonBar, pRibbonBar->GetContextHeaders());
}

void CTkRibbonTheme::DrawContextHeaders(CDC* pDC, CTkRibbonBar* pRibbonBar,
                                        const std::vector<CTkRibbonTabContextHeader*>& headers) {
    if (headers.empty())
        return;
    CTkThemedFrameHook* pFrameHook = pRibbonBar->GetFrameHook();
    const int nBorder = pFrameHook != nullptr ? pFrameHook->GetFrameBorder() : 0;
    CTkFontDC font(pDC, m_pTabPaintManager->GetFont(FALSE, FALSE));
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(m_pTabPaintManager->GetColorSet()->m_clrNormalText.GetEffective());
    for (const CTkRibbonTabContextHeader* pHeader : headers) {
        // Headers are drawn in order up to the first whose colour the look lacks.
        CTkOffice2007Image* pImage =
            LoadImage(FormatColorImageName(L"ContextTab%sHeader", GetContextColorName(pHeader->m_nColor)));
        if (pImage == nullptr)
            break;
        DrawImage(pDC, pImage, pHeader->m_rcHeader, 0, 1, CRect(1, 1, 1, 1), ImageMode::kPlain);
        CRect rcText = pHeader->m_rcHeader;
        rcText.left += kContextHeaderTextIndent;
        rcText.top += nBorder - 2;
        if (IsRectInGlassCaption(pRibbonBar, pHeader->m_rcHeader))
            DrawGlassCaptionText(pDC, rcText, pHeader->m_strCaption, CWnd::FromHandle(pFrameHook->GetFrameWindow()),
                                 pFrameHook->IsFrameActive());
        else
            pDC->DrawText(pHeader->m_strCaption, &rcText, DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
}

// ---- Buttons

void CTkRibbonTheme::DrawSystemButton(CDC* pDC, CTkControl* pControl, CRect rc) {
    CTkCommandBar* pBar = pControl->GetParent();
    auto* pRibbonBar = pBar != nullptr && pBar->IsRibbonBar() ? static_cast<CTkRibbonBar*>(pBar) : nullptr;
    if (pRibbonBar == nullptr || !pRibbonBar->IsCaptionVisible() || !pRibbonBar->IsTabsVisible()) {
        PaintBarControl(pDC, pControl, TRUE);
        return;
    }
    const int nButtonState = ButtonState(pControl);
    // The icon's state image: 4 pressed, 2 hot, 0 normal.
    const int nIconState = nButtonState * 2;
    CTkImageManagerIcon* pIcon = pControl->GetImage(kFrameLargeIconSize);
    const CSize szIcon = pIcon != nullptr ? pIcon->GetNormalImageSize() : CSize(0, 0);
    auto drawIcon = [&](CPoint pt) {
        const BOOL bComposited = pIcon->m_bDrawComposited;
        pIcon->m_bDrawComposited = pControl->IsInGlassCaption();
        pIcon->Draw(pDC, pt, pIcon->GetStateImage(nIconState), szIcon.cx, szIcon.cy);
        pIcon->m_bDrawComposited = bComposited;
    };
    // A picture wider than the round face is the whole button.
    if (pIcon != nullptr && szIcon.cx > kFrameLargeIconSize) {
        drawIcon(CPoint(rc.left + (rc.Width() - szIcon.cx) / 2, rc.top + (rc.Height() - szIcon.cy) / 2));
        return;
    }

    CTkOffice2007Image* pFace = nullptr;
    if (rc.Width() >= kSystemButtonLargeImageMin && rc.Height() >= kSystemButtonLargeImageMin)
        pFace = LoadImage(L"FRAMESYSTEMBUTTON52");
    if (pFace == nullptr)
        pFace = LoadImage(L"FRAMESYSTEMBUTTON");
    if (pFace != nullptr) {
        // The face at its size, centred; a part above the DC's top (the system menu redraws the button
        // where it overlaps) is cut off rather than moved, so the face stays where the button is.
        CRect rcSrc = pFace->GetSource(nButtonState, kSystemButtonStates);
        CRect rcFace(CPoint(rc.left + (rc.Width() - rcSrc.Width()) / 2, rc.top + (rc.Height() - rcSrc.Height()) / 2),
                     rcSrc.Size());
        if (rcFace.top < 0) {
            rcSrc.top -= rcFace.top;
            rcFace.top = 0;
        }
        pFace->DrawImage(pDC, rcFace, rcSrc, kNoMargins);
    }
    if (pIcon != nullptr) {
        drawIcon(CPoint((rc.left + rc.right - szIcon.cx) / 2, (rc.top + rc.bottom - szIcon.cy + 1) / 2));
        return;
    }
    CWnd* pFrame = pRibbonBar->GetSiteFrame();
    if (HICON hIcon = GetFrameLargeIcon(pFrame != nullptr ? pFrame->GetSafeHwnd() : nullptr))
        ::DrawIconEx(pDC->GetSafeHdc(), (rc.left + rc.right - 33) / 2, (rc.top + rc.bottom - 31) / 2, hIcon,
                     kFrameLargeIconSize, kFrameLargeIconSize, 0, nullptr, DI_NORMAL);
}

void CTkRibbonTheme::DrawQuickAccessCustomizeButton(CDC* pDC, CTkControl* pControl) {
    DrawImage(pDC, LoadImage(L"RIBBONQUICKACCESSBUTTON"), pControl->GetRect(), ButtonState(pControl),
              kQuickAccessButtonStates, CRect(2, 2, 2, 2), AlphaModeOf(pControl));
}

void CTkRibbonTheme::DrawQuickAccessMoreButton(CDC* pDC, CTkControl* pControl) {
    DrawImage(pDC, LoadImage(L"RIBBONQUICKACCESSMORE"), pControl->GetRect(), ButtonState(pControl),
              kQuickAccessButtonStates, CRect(2, 2, 2, 2), AlphaModeOf(pControl));
}

void CTkRibbonTheme::DrawGroupsScrollButton(CDC* pDC, CTkControl* pControl, BOOL bScrollLeft) {
    const int nState = pControl->GetPressed() != 0 ? 2 : pControl->GetSelected() != 0 ? 1 : 0;
    const CRect& rc = pControl->GetRect();
    CTkOffice2007Image* pFace = LoadImage(bScrollLeft ? L"RIBBONGROUPSSCROLLLEFT" : L"RIBBONGROUPSSCROLLRIGHT");
    if (pFace != nullptr)
        pFace->SetMirrorOnRightToLeft(TRUE);
    DrawImage(pDC, pFace, rc, nState, kScrollButtonStates, CRect(4, 6, 3, 6), ImageMode::kKeyed);
    CTkOffice2007Image* pGlyph =
        LoadImage(bScrollLeft ? L"RIBBONGROUPSSCROLLLEFTGLYPH" : L"RIBBONGROUPSSCROLLRIGHTGLYPH");
    if (pGlyph == nullptr)
        return;
    const CSize szGlyph = pGlyph->GetSource(nState, kScrollButtonStates).Size();
    const CPoint pt(rc.left + (rc.Width() - szGlyph.cx) / 2, rc.top + (rc.Height() - szGlyph.cy) / 2);
    DrawImage(pDC, pGlyph, CRect(pt, szGlyph), nState, kScrollButtonStates, kNoMargins, ImageMode::kKeyed);
}
