#include "TkMarkupUIElement.h"

#include "TkMarkupConverters.h"

#include "TkMarkupContext.h"
#include "TkMarkupDependencyProperty.h"
#include "TkMarkupDrawingContext.h"
#include "TkMarkupType.h"
#include "TkMarkupValues.h"

CTkMarkupDependencyProperty* CTkMarkupUIElement::s_pClipToBoundsProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupUIElement::s_pVisibilityProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupUIElement::s_pFocusableProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupUIElement::s_pIsEnabledProperty = nullptr;

void CTkMarkupUIElement::RegisterProperties() {
    using Metadata = CTkMarkupPropertyMetadata;
    CTkMarkupType* pType = GetClassType();
    CTkMarkupType* pBool = CTkMarkupBool::GetClassType();
    s_pClipToBoundsProperty = CTkMarkupDependencyProperty::Register(L"ClipToBounds", pBool, pType);
    s_pVisibilityProperty =
        CTkMarkupDependencyProperty::Register(L"Visibility", CTkMarkupEnum::GetClassType(), pType,
                                              new Metadata(nullptr, &ConvertVisibility, Metadata::flagAffectsMeasure));
    s_pFocusableProperty = CTkMarkupDependencyProperty::Register(L"Focusable", pBool, pType,
                                                                 new Metadata(CTkMarkupBool::CreateValue(FALSE), 0));
    s_pIsEnabledProperty = CTkMarkupDependencyProperty::Register(L"IsEnabled", pBool, pType,
                                                                 new Metadata(CTkMarkupBool::CreateValue(TRUE), 0));
}

int CTkMarkupUIElement::GetVisibility() const {
    return MarkupEnumOr(GetValue(s_pVisibilityProperty), kMarkupVisible);
}

void CTkMarkupUIElement::Measure(CTkMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight) {
    const CSize szAvailable(nAvailableWidth, nAvailableHeight);
    if (GetVisibility() == kMarkupCollapsed) {
        m_szLastAvailable = szAvailable;
        m_bMeasureRequested = TRUE;
        m_bMeasureInvalid = FALSE;
        m_szDesired = CSize(0, 0);
        return;
    }
    if (!m_bMeasureRequested && !m_bMeasureInvalid && szAvailable == m_szLastAvailable && !pDC->IsLayoutForced())
        return;
    m_bArrangeInvalid = TRUE;
    m_bInMeasure = TRUE;
    m_bMeasureInvalid = FALSE;
    m_szDesired = MeasureCore(pDC, nAvailableWidth, nAvailableHeight);
    m_bInMeasure = FALSE;
    m_szLastAvailable = szAvailable;
    m_bMeasureRequested = pDC->IsLayoutForced();
}

void CTkMarkupUIElement::Arrange(const CRect& rc) {
    if (GetVisibility() == kMarkupCollapsed) {
        m_rcFinal = rc;
        m_bNeverArranged = FALSE;
        m_bArrangeInvalid = FALSE;
        return;
    }
    if (m_bMeasureInvalid) {
        CTkMarkupDrawingContext dc;
        Measure(&dc, rc.Width(), rc.Height());
    }
    if (m_bArrangeInvalid || m_bNeverArranged || rc != m_rcFinal) {
        m_bNeverArranged = FALSE;
        m_bInArrange = TRUE;
        ArrangeCore(rc);
        m_bInArrange = FALSE;
        UpdateBounds();
    }
    m_rcFinal = rc;
    m_bArrangeInvalid = FALSE;
}

void CTkMarkupUIElement::InvalidateArrange() {
    if (m_bInArrange || m_bNeverArranged)
        return;
    m_bArrangeInvalid = TRUE;
    Arrange(m_rcFinal);
    InvalidateVisual();
}

void CTkMarkupUIElement::InvalidateVisual() {
    if (CTkMarkupContext* pContext = GetMarkupContext())
        pContext->InvalidateElement(this);
}

void CTkMarkupUIElement::InvalidateMeasure() {
    CTkMarkupDrawingContext dc;
    InvalidateMeasureOverride(&dc);
}

void CTkMarkupUIElement::InvalidateMeasureOverride(CTkMarkupDrawingContext* pDC) {
    if (m_bInMeasure || m_bMeasureInvalid)
        return;
    const CSize szOld = m_szDesired;
    m_bMeasureRequested = TRUE;
    m_bArrangeInvalid = TRUE;
    Measure(pDC, m_szLastAvailable.cx, m_szLastAvailable.cy);
    if (m_szDesired == szOld) {
        Arrange(m_rcFinal);
        InvalidateVisual();
        return;
    }
    m_bMeasureRequested = TRUE;
    m_bArrangeInvalid = TRUE;
    CTkMarkupVisual* pParent = GetVisualParent();
    if (pParent == nullptr) {
        if (CTkMarkupContext* pContext = GetMarkupContext())
            pContext->InvalidateAll(this);
    } else if (pParent->IsKindOf(GetClassType())) {
        static_cast<CTkMarkupUIElement*>(pParent)->InvalidateMeasureOverride(pDC);
    }
}

void CTkMarkupUIElement::ArrangeCore(const CRect& rc) {
    m_szRender = rc.Size();
}

CSize CTkMarkupUIElement::MeasureCore(CTkMarkupDrawingContext* /*pDC*/, int /*nAvailableWidth*/,
                                      int /*nAvailableHeight*/) {
    return CSize(0, 0);
}

BOOL CTkMarkupUIElement::GetLayoutClip(CRect& rcClip) const {
    if (GetVisibility() == kMarkupVisible)
        return FALSE;
    rcClip.SetRectEmpty();
    return TRUE;
}
