#include "TkRibbonBar.h"

#include "TkCommandBars.h"
#include "TkControl.h"
#include "TkPaintManager.h"
#include "TkRibbonControlTab.h"
#include "TkRibbonGroup.h"
#include "TkRibbonGroups.h"
#include "TkRibbonTab.h"
#include "TkRibbonTheme.h"
#include "TkTabPaintManager.h"
#include "TkThemedFrameHook.h"

// The ribbon's picture: background, caption, groups, tab strip and the controls outside groups.

namespace {

BOOL Meets(const CRect& rc, const CRect& rcClip) {
    CRect rcBoth;
    return rcBoth.IntersectRect(&rc, &rcClip);
}

}  // namespace

void CTkRibbonBar::DrawCommandBar(CDC* pDC, CRect rcClip) {
    CTkRibbonTheme* pTheme = GetRibbonTheme();
    if (pTheme == nullptr) {
        // Another paint manager knows nothing of ribbons: the bar draws as a menu bar.
        CTkMenuBar::DrawCommandBar(pDC, rcClip);
        return;
    }
    CScopedSaveDC saved(pDC->GetSafeHdc());
    pDC->SetBkMode(TRANSPARENT);
    CScopedSelectObject font(pDC->GetSafeHdc(), pTheme->GetBarFont(this)->GetSafeHandle());

    pTheme->FillRibbonBar(pDC, this);
    if (m_pFrameHook != nullptr) {
        if (Meets(m_rcCaption, rcClip))
            pTheme->DrawFrameCaption(pDC, this, m_pFrameHook->IsFrameActive());
    } else if (m_bShowCaptionAlways) {
        pTheme->FillCaptionBar(pDC, this);
    }
    CTkRibbonTab* pSelected = GetSelectedTab();
    const BOOL bGroups = GetGroupsHeight() > 0 && pSelected != nullptr;
    if (bGroups)
        pTheme->FillGroupsArea(pDC, pSelected, m_rcGroups);

    CTkTabPaintManager* pTabPaintManager = pTheme->GetTabPaintManager();
    pTabPaintManager->m_bStripMnemonics = !IsKeyboardCuesVisible();
    if (m_bTabsVisible && Meets(m_rcTabControl, rcClip))
        pTabPaintManager->PaintTabControl(m_pControlTab, pDC, m_rcTabControl);

    if (bGroups) {
        CTkRibbonGroups* pGroups = pSelected->GetGroups();
        for (int i = 0; i < pGroups->GetCount(); ++i) {
            CTkRibbonGroup* pGroup = pGroups->GetAt(i);
            if (pGroup->IsVisible() && Meets(pGroup->GetRect(), rcClip))
                pGroup->Draw(pDC, rcClip);
        }
    }

    BOOL bFirst = TRUE;
    for (int i = 0; i < GetControlCount(); ++i) {
        CTkControl* pControl = GetControl(i);
        if (pControl->GetRibbonGroup() != nullptr || !pControl->IsVisible() || !Meets(pControl->GetRect(), rcClip))
            continue;
        if (pControl->GetBeginGroup() && !bFirst)
            pTheme->PaintControlSeparator(pDC, this, pControl, TRUE);
        pControl->Draw(pDC);
        bFirst = FALSE;
    }

    DrawCustomizeMarks(pDC);
}
