#include "TkMarkupScrollViewer.h"

#include "TkMarkupConverters.h"
#include "TkMarkupDependencyProperty.h"
#include "TkMarkupScrollBar.h"
#include "TkMarkupTextElement.h"
#include "TkMarkupValues.h"

using Metadata = CTkMarkupPropertyMetadata;

CTkMarkupDependencyProperty* CTkMarkupScrollViewer::s_pVerticalScrollBarVisibilityProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupScrollViewer::s_pHorizontalScrollBarVisibilityProperty = nullptr;

namespace {

constexpr int kLineStep = 16;

// Releases an owned element the viewer lets go of.
template <class T>
void ReleaseOwned(T*& pElement, CTkMarkupObject* pOwner) {
    if (T* p = std::exchange(pElement, nullptr)) {
        if (p->GetLogicalParent() == pOwner)
            p->SetLogicalParent(nullptr);
        p->Release();
    }
}

}  // namespace

int MarkupScrollTarget(int nCommand, int nCurrent, int nPage, int nLargest, int nPosition) {
    switch (nCommand) {
        case SB_LINEUP:
            return nCurrent < kLineStep + 1 ? 0 : nCurrent - kLineStep;
        case SB_LINEDOWN:
            return SaturatedInt(std::min<INT64>(static_cast<INT64>(nCurrent) + kLineStep, nLargest));
        case SB_PAGEUP:
            return SaturatedInt(std::max<INT64>(static_cast<INT64>(nCurrent) - nPage, 0));
        case SB_PAGEDOWN:
            return SaturatedInt(std::min<INT64>(static_cast<INT64>(nCurrent) + nPage, nLargest));
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            return nPosition;
        case SB_TOP:
            return 0;
        case SB_BOTTOM:
            return nLargest;
        default:
            return nCurrent;
    }
}

int MarkupLargestScrollOffset(const SCROLLINFO& info) {
    const INT64 nPage = static_cast<INT64>(info.nPage) >= 2 ? static_cast<INT64>(info.nPage) - 1 : 0;
    return SaturatedInt(std::max<INT64>(static_cast<INT64>(info.nMax) - nPage, 0));
}

CTkMarkupScrollViewer::CTkMarkupScrollViewer() {
    SetValue(s_pClipToBoundsProperty, CTkMarkupBool::CreateValue(TRUE));
}

CTkMarkupScrollViewer::~CTkMarkupScrollViewer() {
    ReleaseOwned(m_pGripper, this);
    ReleaseOwned(m_pHorizontalBar, this);
    ReleaseOwned(m_pVerticalBar, this);
}

void CTkMarkupScrollViewer::RegisterProperties() {
    CTkMarkupType* pType = GetClassType();
    auto visibility = [pType](LPCWSTR lpszName) {
        return CTkMarkupDependencyProperty::Register(
            lpszName, CTkMarkupEnum::GetClassType(), pType,
            new Metadata(nullptr, &ConvertScrollBarVisibility, Metadata::flagAffectsMeasure));
    };
    s_pVerticalScrollBarVisibilityProperty = visibility(L"VerticalScrollBarVisibility");
    s_pHorizontalScrollBarVisibilityProperty = visibility(L"HorizontalScrollBarVisibility");
}

CTkMarkupScrollBar* CTkMarkupScrollViewer::GetScrollBar(int nOrientation) const {
    return nOrientation == 1 ? m_pVerticalBar : m_pHorizontalBar;
}

int CTkMarkupScrollViewer::GetOffset(int nOrientation) const {
    return nOrientation == 1 ? m_nVerticalOffset : m_nHorizontalOffset;
}

int CTkMarkupScrollViewer::GetLargestOffset(int nOrientation) const {
    const CTkMarkupScrollBar* pBar = GetScrollBar(nOrientation);
    return pBar != nullptr ? MarkupLargestScrollOffset(pBar->GetScrollInfo()) : 0;
}

void CTkMarkupScrollViewer::SetOffset(int nOrientation, int nOffset) {
    const int nClamped = std::clamp(nOffset, 0, GetLargestOffset(nOrientation));
    int& nCurrent = nOrientation == 1 ? m_nVerticalOffset : m_nHorizontalOffset;
    if (nClamped == nCurrent)
        return;
    nCurrent = nClamped;
    InvalidateArrange();
}

void CTkMarkupScrollViewer::Scroll(int nOrientation, int nCommand, int nPosition) {
    const CTkMarkupScrollBar* pBar = GetScrollBar(nOrientation);
    if (pBar == nullptr)
        return;
    const SCROLLINFO& info = pBar->GetScrollInfo();
    SetOffset(nOrientation, MarkupScrollTarget(nCommand, info.nPos, static_cast<int>(info.nPage),
                                               GetLargestOffset(nOrientation), nPosition));
}

void CTkMarkupScrollViewer::OnMouseWheel(CTkMarkupMouseWheelEventArgs* pArgs) {
    if (pArgs->nDelta < 0)
        SetOffset(1, SaturatedInt(static_cast<INT64>(m_nVerticalOffset) + kWheelStep));
    else if (pArgs->nDelta > 0)
        SetOffset(1, m_nVerticalOffset - kWheelStep);
    pArgs->bHandled = TRUE;
}

int CTkMarkupScrollViewer::GetVisualChildrenCount() const {
    return (GetContent() != nullptr ? 1 : 0) + (m_pVerticalBar != nullptr ? 1 : 0) +
           (m_pHorizontalBar != nullptr ? 1 : 0) + (m_pGripper != nullptr ? 1 : 0);
}

CTkMarkupVisual* CTkMarkupScrollViewer::GetVisualChild(int nIndex) const {
    CTkMarkupVisual* const children[] = {GetContent(), m_pVerticalBar, m_pHorizontalBar, m_pGripper};
    for (CTkMarkupVisual* pChild : children) {
        if (pChild == nullptr)
            continue;
        if (nIndex-- == 0)
            return pChild;
    }
    return nullptr;
}

CTkMarkupScrollBar* CTkMarkupScrollViewer::ShowBar(int nOrientation) {
    CTkMarkupScrollBar*& pBar = BarSlot(nOrientation);
    if (pBar == nullptr) {
        pBar = static_cast<CTkMarkupScrollBar*>(
            CreateMarkupObjectOf(GetMarkupContext(), CTkMarkupScrollBar::GetClassType()));
        pBar->SetOrientation(nOrientation);
        pBar->SetLogicalParent(this);
    }
    return pBar;
}

void CTkMarkupScrollViewer::HideBar(int nOrientation) {
    ReleaseOwned(BarSlot(nOrientation), this);
    (nOrientation == 1 ? m_nVerticalOffset : m_nHorizontalOffset) = 0;
}

void CTkMarkupScrollViewer::UpdateGripper() {
    if (m_pVerticalBar == nullptr || m_pHorizontalBar == nullptr) {
        ReleaseOwned(m_pGripper, this);
    } else if (m_pGripper == nullptr) {
        m_pGripper = static_cast<CTkMarkupScrollBarGripper*>(
            CreateMarkupObjectOf(GetMarkupContext(), CTkMarkupScrollBarGripper::GetClassType()));
        m_pGripper->SetLogicalParent(this);
    }
}

CSize CTkMarkupScrollViewer::MeasureOverride(CTkMarkupDrawingContext* pDC, int nWidth, int nHeight) {
    CTkMarkupUIElement* pContent = GetContent();
    if (pContent == nullptr)
        return CSize(0, 0);
    int nVertical = MarkupEnumOr(GetValue(s_pVerticalScrollBarVisibilityProperty), kMarkupScrollVisible);
    int nHorizontal = MarkupEnumOr(GetValue(s_pHorizontalScrollBarVisibilityProperty), kMarkupScrollDisabled);
    int cw = nHorizontal != kMarkupScrollDisabled ? kMarkupUnbounded : nWidth;
    int ch = nHeight;
    if (nVertical != kMarkupScrollDisabled) {
        ch = kMarkupUnbounded;
        if (nVertical == kMarkupScrollAuto) {
            pContent->Measure(pDC, cw, kMarkupUnbounded);
            nVertical = nHeight < pContent->GetDesiredSize().cy ? kMarkupScrollVisible : kMarkupScrollDisabled;
        }
    }
    int bw = 0;
    if (nVertical == kMarkupScrollVisible) {
        CTkMarkupScrollBar* pBar = ShowBar(1);
        pBar->Measure(pDC, nWidth, nHeight);
        bw = pBar->GetDesiredSize().cx;
        if (cw <= kMarkupUnboundedLimit)
            cw = std::max(cw - bw, 0);
    } else {
        HideBar(1);
    }
    if (nHorizontal == kMarkupScrollAuto) {
        pContent->Measure(pDC, cw, ch);
        nHorizontal = static_cast<INT64>(nWidth) - bw < pContent->GetDesiredSize().cx ? kMarkupScrollVisible
                                                                                      : kMarkupScrollDisabled;
    }
    int bh = 0;
    if (nHorizontal == kMarkupScrollVisible) {
        CTkMarkupScrollBar* pBar = ShowBar(0);
        pBar->Measure(pDC, nWidth, nHeight);
        bh = pBar->GetDesiredSize().cy;
        if (ch <= kMarkupUnboundedLimit)
            ch = std::max(ch - bh, 0);
    } else {
        HideBar(0);
    }
    UpdateGripper();
    pContent->Measure(pDC, cw, ch);
    const CSize szContent = pContent->GetDesiredSize();
    return CSize(SaturatedInt(std::min<INT64>(nWidth, static_cast<INT64>(bw) + szContent.cx)),
                 SaturatedInt(std::min<INT64>(nHeight, static_cast<INT64>(bh) + szContent.cy)));
}

CSize CTkMarkupScrollViewer::ArrangeOverride(int nWidth, int nHeight) {
    CTkMarkupUIElement* pContent = GetContent();
    if (pContent == nullptr)
        return CSize(nWidth, nHeight);
    const CSize szContent = pContent->GetDesiredSize();
    const int nBarWidth = m_pVerticalBar != nullptr ? m_pVerticalBar->GetDesiredSize().cx : 0;
    const int nBarHeight = m_pHorizontalBar != nullptr ? m_pHorizontalBar->GetDesiredSize().cy : 0;
    const int vw = nWidth - nBarWidth;
    const int vh = nHeight - nBarHeight;
    // Each bar gets the range of the content against the viewport; an offset the content no longer fills
    // snaps back.
    auto arrangeBar = [](CTkMarkupScrollBar* pBar, int nContent, int nViewport, int& nOffset, const CRect& rc) {
        if (nOffset > 0 && static_cast<INT64>(nContent) < static_cast<INT64>(nViewport) + nOffset)
            nOffset = std::max(nContent - nViewport, 0);
        SCROLLINFO info = {sizeof(SCROLLINFO), SIF_ALL};
        info.nMin = 0;
        info.nMax = nContent - 1;
        info.nPage = static_cast<UINT>(nViewport);
        info.nPos = nOffset;
        pBar->SetScrollInfo(info);
        pBar->Arrange(rc);
    };
    if (m_pVerticalBar != nullptr)
        arrangeBar(m_pVerticalBar, szContent.cy, vh, m_nVerticalOffset, CRect(nWidth - nBarWidth, 0, nWidth, vh));
    if (m_pHorizontalBar != nullptr)
        arrangeBar(m_pHorizontalBar, szContent.cx, vw, m_nHorizontalOffset,
                   CRect(0, nHeight - nBarHeight, vw, nHeight));
    if (m_pGripper != nullptr)
        m_pGripper->Arrange(CRect(nWidth - nBarWidth, nHeight - nBarHeight, nWidth, nHeight));
    CRect rcContent(0, 0, std::max<int>(szContent.cx, vw), std::max<int>(szContent.cy, vh));
    rcContent.OffsetRect(-m_nHorizontalOffset, -m_nVerticalOffset);
    pContent->Arrange(rcContent);
    return CSize(nWidth, nHeight);
}
