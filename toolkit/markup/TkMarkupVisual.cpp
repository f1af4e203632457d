#include "TkMarkupVisual.h"

#include "TkMarkupDrawingContext.h"
#include "TkMarkupValues.h"

CTkMarkupVisual* CTkMarkupVisual::GetVisualParent() const {
    for (CTkMarkupObject* pNode = GetLogicalParent(); pNode != nullptr; pNode = pNode->GetLogicalParent()) {
        if (pNode->IsKindOf(GetClassType()))
            return static_cast<CTkMarkupVisual*>(pNode);
    }
    return nullptr;
}

int CTkMarkupVisual::GetVisualChildrenCount() const {
    return 0;
}

CTkMarkupVisual* CTkMarkupVisual::GetVisualChild(int /*nIndex*/) const {
    return nullptr;
}

BOOL CTkMarkupVisual::GetLayoutClip(CRect& /*rcClip*/) const {
    return FALSE;
}

void CTkMarkupVisual::OnRender(CTkMarkupDrawingContext* /*pDC*/) {}

void CTkMarkupVisual::OnRenderFocusVisual(CTkMarkupDrawingContext* /*pDC*/) {}

CTkMarkupInputElement* CTkMarkupVisual::InputHitTestOverride(int /*x*/, int /*y*/) {
    return this;
}

void CTkMarkupVisual::Render(CTkMarkupDrawingContext* pDC) {
    CRect rcVisible = pDC->GetClipBox();
    rcVisible.OffsetRect(-m_ptVisualOffset);
    CRect rcTest;
    if (!rcTest.IntersectRect(rcVisible, m_rcBounds))
        return;
    CRect rcClip;
    const BOOL bClip = GetLayoutClip(rcClip);
    if (bClip) {
        if (rcClip.IsRectEmpty() || !rcVisible.IntersectRect(rcVisible, rcClip) ||
            !rcTest.IntersectRect(rcVisible, m_rcBounds))
            return;
    }
    const POINT ptSaved = pDC->OffsetViewport(m_ptVisualOffset);
    HRGN hSavedClip = nullptr;
    if (bClip) {
        hSavedClip = pDC->SaveClipRegion();
        pDC->IntersectClipRect(rcClip);
    }
    OnRender(pDC);
    for (int i = 0; i < GetVisualChildrenCount(); i++) {
        if (CTkMarkupVisual* pChild = GetVisualChild(i))
            pChild->Render(pDC);
    }
    if (MarkupBoolOr(GetValue(s_pIsKeyboardFocusedProperty), FALSE))
        OnRenderFocusVisual(pDC);
    if (bClip)
        pDC->RestoreClipRegion(hSavedClip);
    pDC->RestoreViewport(ptSaved);
}

CTkMarkupInputElement* CTkMarkupVisual::HitTest(int x, int y) {
    const CPoint pt(x - m_ptVisualOffset.x, y - m_ptVisualOffset.y);
    if (!m_rcBounds.PtInRect(pt))
        return nullptr;
    CRect rcClip;
    if (GetLayoutClip(rcClip) && !rcClip.PtInRect(pt))
        return nullptr;
    for (int i = GetVisualChildrenCount() - 1; i >= 0; i--) {
        CTkMarkupVisual* pChild = GetVisualChild(i);
        if (CTkMarkupInputElement* pHit = pChild != nullptr ? pChild->HitTest(pt.x, pt.y) : nullptr)
            return pHit;
    }
    if (CRect(CPoint(0, 0), m_szRender).PtInRect(pt))
        return InputHitTestOverride(pt.x, pt.y);
    return nullptr;
}

void CTkMarkupVisual::UpdateBounds() {
    m_rcBounds.SetRect(0, 0, m_szRender.cx, m_szRender.cy);
    for (int i = 0; i < GetVisualChildrenCount(); i++) {
        CTkMarkupVisual* pChild = GetVisualChild(i);
        if (pChild == nullptr)
            continue;
        pChild->UpdateBounds();
        CRect rcChild = pChild->m_rcBounds;
        rcChild.OffsetRect(pChild->m_ptVisualOffset);
        m_rcBounds.UnionRect(m_rcBounds, rcChild);
    }
}
