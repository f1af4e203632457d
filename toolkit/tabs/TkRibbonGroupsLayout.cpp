// The layout of a tab's groups across the group strip: every group measures itself, groups reduce one
// step at a time from the last one while the strip is too narrow, one group may grow into spare room,
// the scroll offset is clamped to what the groups overflow, and the groups are placed side by side.

#include "TkRibbonGroups.h"

#include "TkRibbonGroup.h"
#include "TkRibbonGroupArrange.h"
#include "TkRibbonScrollableBar.h"

namespace {

// Pixels between two groups.
constexpr int kGroupGap = 7;
// The steps Reduce knows, tried in this order.
constexpr int kReductionSteps = 4;

// The widths side by side, a gap after each non-empty one but the last.
int SumWithGaps(const std::vector<int>& widths) {
    int nTotal = 0;
    for (size_t i = 0; i < widths.size(); ++i)
        nTotal += widths[i] + (widths[i] > 0 && i + 1 < widths.size() ? kGroupGap : 0);
    return nTotal;
}

}  // namespace

BOOL CTkRibbonGroups::ReduceOnce(CDC* pDC, const std::vector<CTkRibbonGroup*>& groups, std::vector<int>& widths,
                                 int nExcess) {
    for (int nStep = 0; nStep < kReductionSteps; ++nStep) {
        for (size_t i = groups.size(); i-- > 0;) {
            if (groups[i]->Reduce(pDC, nStep, nExcess)) {
                widths[i] = groups[i]->CalcWidth(pDC);
                return TRUE;
            }
        }
    }
    return FALSE;
}

void CTkRibbonGroups::Layout(CDC* pDC, CTkRibbonScrollableBar* pScrollable, int nWidth, const CRect& rcMargins) {
    std::vector<CTkRibbonGroup*> groups;
    for (CTkRibbonGroup* pGroup : m_groups) {
        if (pGroup->IsVisibleInRibbon())
            groups.push_back(pGroup);
    }
    if (groups.empty()) {
        if (pScrollable != nullptr)
            pScrollable->ShowScrollButtons(FALSE, FALSE);
        return;
    }
    std::vector<int> widths;
    for (CTkRibbonGroup* pGroup : groups) {
        pGroup->BeginLayout(pDC);
        widths.push_back(pGroup->CalcWidth(pDC));
    }
    const int nAvailable = nWidth - rcMargins.left - rcMargins.right;
    // Each success starts again at the gentlest step from the last group.
    int nTotal = SumWithGaps(widths);
    while (nTotal > nAvailable && ReduceOnce(pDC, groups, widths, nTotal - nAvailable))
        nTotal = SumWithGaps(widths);
    if (nTotal < nAvailable) {
        for (size_t i = groups.size(); i-- > 0;) {
            if (groups[i]->Expand(pDC, nAvailable - nTotal)) {
                widths[i] = groups[i]->CalcWidth(pDC);
                break;
            }
        }
    }
    const RibbonScrollState scroll =
        CalcRibbonScroll(SumWithGaps(widths), nAvailable, pScrollable != nullptr ? pScrollable->GetScrollOffset() : 0);
    m_nScrollOffset = scroll.nOffset;
    if (pScrollable != nullptr)
        pScrollable->ShowScrollButtons(scroll.bBack, scroll.bForward);
    int x = rcMargins.left - m_nScrollOffset;
    for (size_t i = 0; i < groups.size(); ++i) {
        groups[i]->Reposition(x, rcMargins.top, widths[i]);
        x += widths[i] + (widths[i] > 0 ? kGroupGap : 0);
    }
    for (CTkRibbonGroup* pGroup : groups)
        pGroup->EndLayout(pDC);
}
