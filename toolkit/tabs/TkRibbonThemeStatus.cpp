// CTkRibbonTheme: the status-bar parts (switches, pane separators, the size gripper, the bar's face),
// drawn on the rectangles the caller gives.
#include "TkRibbonTheme.h"

#include "TkImageManagerIcon.h"
#include "TkOffice2007Drawing.h"
#include "TkOffice2007Image.h"
#include "TkStatusBarParts.h"
#include "TkWindowFunctions.h"

#include <utility>

namespace {

constexpr int kSwitchWidth = 18;
constexpr int kEndSwitchWidth = 19;
// Columns of the switches image, by the switch's place in its row.
constexpr int kSwitchFirst = 0;
constexpr int kSwitchMiddle = 1;
constexpr int kSwitchLast = 2;
constexpr int kSwitchOnly = 3;
constexpr int kSwitchStates = 6;
constexpr int kSwitchChecked = 3;
// The gripper stands this far above the bar's bottom.
constexpr int kGripperLift = 4;

const CRect kNoMargins(0, 0, 0, 0);

int SwitchColumn(size_t nIndex, size_t nCount, BOOL bRightToLeft) {
    if (nCount == 1)
        return kSwitchOnly;
    BOOL bFirst = nIndex == 0;
    BOOL bLast = nIndex + 1 == nCount;
    if (bRightToLeft)
        std::swap(bFirst, bLast);
    return bFirst ? kSwitchFirst : bLast ? kSwitchLast : kSwitchMiddle;
}

}  // namespace

// Measuring (no DC) gives each switch its width; drawing draws each switch's cell of the image, the
// current switch checked, and its icon centred.
int CTkRibbonTheme::PaintStatusSwitches(CDC* pDC, CRect rc, CTkStatusBarPane* pPane) {
    const size_t nCount = pPane->switches.size();
    CTkOffice2007Image* pImage = pDC != nullptr ? LoadImage(L"STATUSBARSWITCHES") : nullptr;
    const BOOL bRightToLeft = pDC != nullptr && IsDCRightToLeft(pDC);
    int nWidth = 0;
    for (size_t i = 0; i < nCount; ++i) {
        CTkStatusBarSwitch& item = pPane->switches[i];
        if (pDC == nullptr) {
            item.nWidth = i == 0 || i + 1 == nCount ? kEndSwitchWidth : kSwitchWidth;
            nWidth += item.nWidth;
            continue;
        }
        const BOOL bChecked = static_cast<int>(i) == pPane->nCurrentSwitch;
        const CRect rcItem(rc.left + nWidth, rc.top, rc.left + nWidth + item.nWidth, rc.bottom);
        if (pImage != nullptr) {
            CRect rcSrc = pImage->GetSource(bChecked ? kSwitchChecked : 0, kSwitchStates);
            const int nCellWidth = rcSrc.Width() / 4;
            rcSrc.left += nCellWidth * SwitchColumn(i, nCount, bRightToLeft);
            rcSrc.right = rcSrc.left + nCellWidth;
            pImage->DrawImageKeyed(pDC, rcItem, rcSrc, CRect(2, 2, 2, 2), kLookKeyColor);
        }
        if (item.pIcon != nullptr) {
            IconStateImage* pIconImage = !item.bEnabled ? item.pIcon->GetDisabledImage()
                                         : bChecked     ? item.pIcon->GetCheckedImage()
                                                        : item.pIcon->GetNormalImage();
            item.pIcon->Draw(pDC, rcItem.left + (rcItem.Width() - item.pIcon->m_nWidth) / 2,
                             rcItem.top + (rcItem.Height() - item.pIcon->m_nHeight) / 2, pIconImage);
        }
        nWidth += item.nWidth;
    }
    return nWidth;
}

// A pane's frame is the separator image at its right edge.
void CTkRibbonTheme::PaintStatusPaneFrame(CDC* pDC, CRect rc, CTkStatusBarPane* pPane, BOOL) {
    if (pPane != nullptr && pPane->bNoBorders)
        return;
    PaintStatusPaneSeparator(pDC, rc.right, rc.top, rc.bottom);
}

void CTkRibbonTheme::PaintStatusPaneSeparator(CDC* pDC, int x, int nTop, int nBottom) {
    const CSize size = GetLookImageStateSize(L"STATUSBARSEPARATOR");
    DrawLookImage(pDC, L"STATUSBARSEPARATOR", CRect(x - size.cx, nTop, x, nBottom), 0, 1, CRect(0, 2, 0, 2), TRUE);
}

void CTkRibbonTheme::PaintSizeGripper(CDC* pDC, CRect rc) {
    const CSize size = GetLookImageStateSize(L"STATUSBARGRIPPER");
    const CPoint pt(rc.right - size.cx, rc.bottom - kGripperLift - size.cy);
    DrawLookImage(pDC, L"STATUSBARGRIPPER", CRect(pt, size), 0, 1, kNoMargins, TRUE);
}

// The light part runs to where the panes of the right end begin: without a list of panes, the width less
// the scroll-bar width; the divider follows at its own width, then the dark part.
void CTkRibbonTheme::FillStatusBar(CDC* pDC, CTkStatusBar* pStatusBar) {
    const CRect& rc = pStatusBar->m_rcClient;
    const int xDivider = rc.right - ::GetSystemMetrics(SM_CXVSCROLL);
    const int nDivider = GetLookImageStateSize(L"STATUSBARDEVIDER").cx;
    DrawLookImage(pDC, L"STATUSBARLIGHT", CRect(rc.left, rc.top, xDivider, rc.bottom), 0, 1, kNoMargins, TRUE);
    DrawLookImage(pDC, L"STATUSBARDEVIDER", CRect(xDivider, rc.top, xDivider + nDivider, rc.bottom), 0, 1, kNoMargins,
                  TRUE);
    DrawLookImage(pDC, L"STATUSBARDARK", CRect(xDivider + nDivider, rc.top, rc.right, rc.bottom), 0, 1, kNoMargins,
                  TRUE);
}
