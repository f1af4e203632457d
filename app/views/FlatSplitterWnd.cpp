#include "views/FlatSplitterWnd.h"

namespace {

constexpr int kBarSize = 5;
constexpr int kGapSize = 5;
constexpr int kBorderSize = 1;

}  // namespace

IMPLEMENT_DYNAMIC(CFlatSplitterWnd, CSplitterWnd)

CFlatSplitterWnd::CFlatSplitterWnd() {
    m_cxSplitter = m_cySplitter = kBarSize;
    m_cxBorderShare = m_cyBorderShare = 0;
    m_cxSplitterGap = m_cySplitterGap = kGapSize;
    m_cxBorder = m_cyBorder = kBorderSize;
}

void CFlatSplitterWnd::OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect) {
    if (nType != splitBorder || !pDC) {
        CSplitterWnd::OnDrawSplitter(pDC, nType, rect);
        return;
    }
    pDC->Draw3dRect(rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
}
