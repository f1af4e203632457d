// The group's part of a strip layout: BeginLayout measures the controls into the scratch, CalcWidth
// arranges them, Reduce and Expand change the arrangement a step at a time, Reposition moves them to the
// group's place and EndLayout writes the result into the controls.

#include "TkRibbonGroup.h"

#include "TkCommandBar.h"
#include "TkControl.h"
#include "TkControlDefs.h"
#include "TkControlGallery.h"
#include "TkGalleryItem.h"
#include "TkImageManager.h"
#include "TkPaintManager.h"
#include "TkRibbonBar.h"
#include "TkRibbonGroupArrange.h"
#include "TkRibbonTheme.h"

#include <algorithm>

namespace {

// Below this content width a group gives no caption width away.
constexpr int kMinShrinkableContent = 16;
// The popup button of a collapsed group stands this much wider than the width the strip counts.
constexpr int kPopupButtonOverhang = 5;
// Room the groups height keeps free around the controls (columns and rows), and around a column when
// centring; the rows reductions count with.
constexpr int kControlAreaMargin = 9;
constexpr int kCenteringMargin = 3;
constexpr int kReductionRowsMargin = 2;
// The content starts this far from the group's left and top.
constexpr int kContentOffset = 2;
// The group box is taller than the strip's controls by this much less than the groups height.
constexpr int kGroupHeightMargin = 7;

BOOL IsGallery(const CTkControl* pControl) {
    return pControl->GetType() == kControlGallery;
}

}  // namespace

int CTkRibbonGroup::GetControlAreaHeight() const {
    return m_pRibbonBar->CalcGroupsHeight() - GetGroupCaptionHeight() - kControlAreaMargin;
}

void CTkRibbonGroup::BeginLayout(CDC* pDC) {
    delete m_pLayoutInfo;
    m_pLayoutInfo = nullptr;
    if (m_pRibbonBar == nullptr || !IsVisibleInRibbon())
        return;
    const CSize szLargeIcon = m_pRibbonBar->GetLargeIconSize();
    CTkImageManager* pImageManager = m_pRibbonBar->GetImageManager();
    m_pLayoutInfo = new TK_RIBBON_GROUP_LAYOUT;
    m_pLayoutInfo->nCaptionWidth = GetCaptionWidth(pDC);
    m_pLayoutInfo->bReducedAtStart = m_bReduced;
    for (CTkControl* pControl : m_controls) {
        if (!pControl->IsVisible(kHideWrap))
            continue;
        pControl->SetAssignedStyle(kButtonAutomatic);
        if (!m_bControlsGrouping && pControl->GetStyle() == kButtonAutomatic && !IsGallery(pControl)) {
            const int nIconId = pControl->GetIconId();
            if (nIconId > 0) {
                const BOOL bLarge =
                    pImageManager != nullptr && pImageManager->HasIcon(static_cast<UINT>(nIconId), szLargeIcon.cx);
                pControl->SetAssignedStyle(bLarge ? kButtonIconAndCaptionBelow : kButtonIconAndCaption);
            }
        }
        TK_RIBBON_CONTROL_LAYOUT item;
        item.pControl = pControl;
        item.rcControl = pControl->GetRect();
        const CSize sz = pControl->GetSize(pDC);
        item.nWidth = sz.cx;
        item.nHeight = sz.cy;
        item.bBeginGroup = pControl->GetBeginGroup();
        item.bRowBreak = (pControl->GetFlags() & kControlFlagNewRow) != 0;
        item.bBlockStart = item.bBeginGroup || item.bRowBreak;
        item.bGallery = IsGallery(pControl);
        item.nStyle = pControl->GetStyle();
        m_pLayoutInfo->items.push_back(item);
    }
    m_bReduced = FALSE;
    m_nRowMode = 2;
}

int CTkRibbonGroup::CalcWidth(CDC* pDC) {
    if (m_pLayoutInfo == nullptr)
        return 0;
    if (m_bReduced)
        return m_pControlGroupPopup->GetSize(pDC).cx - kPopupButtonOverhang;
    RibbonLayoutItems& items = m_pLayoutInfo->items;
    if (m_bControlsGrouping)
        m_pLayoutInfo->nContentWidth =
            ArrangeRibbonRows(items, GetControlAreaHeight(), GetControlRowHeight(), m_nRowMode);
    else
        m_pLayoutInfo->nContentWidth = ArrangeRibbonColumns(items, GetControlAreaHeight());
    return std::max(m_pLayoutInfo->nCaptionWidth, m_pLayoutInfo->nContentWidth);
}

BOOL CTkRibbonGroup::Reduce(CDC* pDC, int nStep, int nExcess) {
    if (m_pLayoutInfo == nullptr || m_bReduced || nStep >= m_nAllowedReductionSteps)
        return FALSE;
    TK_RIBBON_GROUP_LAYOUT& layout = *m_pLayoutInfo;
    if (layout.nContentWidth < layout.nCaptionWidth) {
        // A caption wider than the controls gives its excess away first, down to the controls' width.
        if (nStep != 2 || layout.nContentWidth <= kMinShrinkableContent)
            return FALSE;
        const int nCaptionWidth = std::max(layout.nCaptionWidth - nExcess, layout.nContentWidth);
        if (nCaptionWidth == layout.nCaptionWidth)
            return FALSE;
        layout.nCaptionWidth = nCaptionWidth;
        return TRUE;
    }
    const int nButtonHeight = m_pRibbonBar->GetButtonSize().cy;
    const int nRows =
        nButtonHeight > 0
            ? (m_pRibbonBar->CalcGroupsHeight() - GetGroupCaptionHeight() - kReductionRowsMargin) / nButtonHeight
            : 0;
    switch (nStep) {
        case 0:
            return !m_bControlsGrouping && nRows > 1 &&
                   RestyleItems(pDC, FindRibbonLargeRun(layout.items, nRows), nRows, kButtonIconAndCaption);
        case 1:
            if (m_bControlsGrouping) {
                if (m_nRowMode != 2)
                    return FALSE;
                m_nRowMode = 3;
                return TRUE;
            }
            return nRows > 1 &&
                   RestyleItems(pDC, FindRibbonLargeWindow(layout.items, nRows), nRows, kButtonIconAndCaption);
        case 2: {
            if (m_bControlsGrouping)
                return FALSE;
            // A group that is no more than one column keeps its captions: it collapses instead.
            if (nRows > 1 && GetCount() > nRows &&
                RestyleItems(pDC, FindRibbonSmallColumn(layout.items, nRows), nRows, kButtonIcon))
                return TRUE;
            return RestyleItems(pDC, FindRibbonUnshrunkGallery(layout.items), 1, kButtonIconAndCaptionBelow);
        }
        case 3:
            if (layout.items.size() <= 1)
                return FALSE;
            m_bReduced = TRUE;
            for (TK_RIBBON_CONTROL_LAYOUT& item : layout.items)
                item.bHidden = TRUE;
            return TRUE;
        default:
            return FALSE;
    }
}

BOOL CTkRibbonGroup::RestyleItems(CDC* pDC, int nFirst, int nCount, int nStyle) {
    if (nFirst < 0)
        return FALSE;
    for (int i = nFirst; i < nFirst + nCount; ++i) {
        TK_RIBBON_CONTROL_LAYOUT& item = m_pLayoutInfo->items[static_cast<size_t>(i)];
        // The search reads the item's style, so a control with a style of its own cannot be found again.
        item.nStyle = nStyle;
        item.pControl->SetAssignedStyle(nStyle);
        const CSize sz = item.pControl->GetSize(pDC);
        item.nWidth = sz.cx;
        item.nHeight = sz.cy;
    }
    return TRUE;
}

BOOL CTkRibbonGroup::Expand(CDC*, int nSpare) {
    if (m_pLayoutInfo == nullptr || m_bReduced)
        return FALSE;
    RibbonLayoutItems& items = m_pLayoutInfo->items;
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        auto* pGallery = DYNAMIC_DOWNCAST(CTkControlGallery, it->pControl);
        const BOOL bInline = it->nStyle != kButtonIcon && it->nStyle != kButtonIconAndCaptionBelow;
        if (pGallery == nullptr || !bInline || pGallery->GetItemCount() == 0 || pGallery->GetResizable() == 0)
            continue;
        const CTkGalleryItemCollection* pItems = pGallery->GetItems();
        const int nItemWidth = pItems->m_nItemWidth;
        if (nItemWidth <= 0 || nItemWidth > nSpare)
            return FALSE;
        int nShown = 0;
        for (int i = 0; i < pItems->GetItemCount(); ++i) {
            if (!pItems->GetItem(i)->m_bLabel)
                ++nShown;
        }
        const CRect rcBorders = pGallery->GetBorders();
        const int nFullWidth = nShown * nItemWidth + rcBorders.left + rcBorders.right;
        const int nWidth = std::min(it->nWidth + nSpare / nItemWidth * nItemWidth, nFullWidth);
        if (nWidth <= it->nWidth)
            return FALSE;
        it->nWidth = nWidth;
        return TRUE;
    }
    return FALSE;
}

void CTkRibbonGroup::Reposition(int x, int y, int nWidth) {
    if (m_pLayoutInfo == nullptr)
        return;
    const TK_RIBBON_GROUP_LAYOUT& layout = *m_pLayoutInfo;
    const int nHeight = m_pRibbonBar->CalcGroupsHeight() - kGroupHeightMargin;
    const int nCaptionHeight = GetGroupCaptionHeight();
    int nOffset = kContentOffset;
    if (m_bControlsCentering && layout.nContentWidth < layout.nCaptionWidth && nWidth == layout.nCaptionWidth)
        nOffset += (layout.nCaptionWidth - layout.nContentWidth) / 2;
    const CRect rcRow(x, y, x + nWidth, y + nHeight - nCaptionHeight);
    for (TK_RIBBON_CONTROL_LAYOUT& item : m_pLayoutInfo->items) {
        if (item.bHidden)
            continue;
        item.rcControl.OffsetRect(x + nOffset, y + kContentOffset);
        item.rcRow = rcRow;
    }
    if (m_bControlsCentering && !m_bControlsGrouping)
        CenterRibbonColumns(m_pLayoutInfo->items, nHeight - nCaptionHeight - kCenteringMargin);
    SetRect(CRect(x, y, x + nWidth + kPopupButtonOverhang, y + nHeight));
}

void CTkRibbonGroup::EndLayout(CDC*) {
    if (m_pLayoutInfo == nullptr)
        return;
    RibbonLayoutItems& items = m_pLayoutInfo->items;
    if (!items.empty())
        items.front().bWrap = TRUE;
    for (const TK_RIBBON_CONTROL_LAYOUT& item : items) {
        const DWORD dwFlags = item.pControl->GetHideFlags();
        item.pControl->SetHideFlags(item.bHidden ? dwFlags | kHideWrap : dwFlags & ~kHideWrap);
        item.pControl->SetRowRect(item.rcRow);
        if (!item.bHidden)
            item.pControl->SetRect(item.rcControl);
        item.pControl->SetWrap(item.bWrap);
    }
    if (m_pLayoutInfo->bReducedAtStart && !m_bReduced)
        m_pRibbonBar->SetPendingCommandUpdate(TRUE);
    delete m_pLayoutInfo;
    m_pLayoutInfo = nullptr;
}

int CTkRibbonGroup::GetControlRowHeight() const {
    const CTkPaintManager* pPaintManager = m_pRibbonBar->GetPaintManager();
    return pPaintManager != nullptr ? pPaintManager->m_nControlRowHeight : 0;
}
