#include "TkMarkupPanels.h"

#include "TkMarkupBrush.h"
#include "TkMarkupConverters.h"
#include "TkMarkupDependencyProperty.h"
#include "TkMarkupDrawingContext.h"
#include "TkMarkupValues.h"

using Metadata = CTkMarkupPropertyMetadata;

CTkMarkupDependencyProperty* CTkMarkupPanel::s_pBackgroundProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupStackPanel::s_pOrientationProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupWrapPanel::s_pOrientationProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupWrapPanel::s_pItemHeightProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupWrapPanel::s_pItemWidthProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupCanvas::s_pTopProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupCanvas::s_pRightProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupCanvas::s_pLeftProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupCanvas::s_pBottomProperty = nullptr;

namespace {

CTkMarkupDependencyProperty* RegisterOrientation(CTkMarkupType* pOwner) {
    return CTkMarkupDependencyProperty::Register(
        L"Orientation", CTkMarkupEnum::GetClassType(), pOwner,
        new Metadata(nullptr, &ConvertOrientation, Metadata::flagAffectsMeasure));
}

// The panel's children in order (a collection holds no NULL entries, but the loops skip them all the same).
std::vector<CTkMarkupUIElement*> ChildrenOf(const CTkMarkupPanel* pPanel) {
    std::vector<CTkMarkupUIElement*> children;
    const CTkMarkupUIElementCollection* pChildren = pPanel->GetChildren();
    for (int i = 0; i < pChildren->GetCount(); i++) {
        if (CTkMarkupUIElement* pChild = pChildren->GetItem(i))
            children.push_back(pChild);
    }
    return children;
}

std::optional<int> OptionalInt(const CTkMarkupObject* pObject, CTkMarkupDependencyProperty* pProperty) {
    const CTkMarkupObject* pValue = pObject->GetValue(pProperty);
    if (pValue == nullptr || !pValue->IsKindOf(CTkMarkupInt::GetClassType()))
        return std::nullopt;
    return static_cast<const CTkMarkupInt*>(pValue)->GetInt();
}

// The wrap panel's view of a child: its extent along and across the lines, with "ItemWidth" and
// "ItemHeight" standing for the desired size where they are set.
CSize WrapExtent(const CTkMarkupWrapPanel* pPanel, const CTkMarkupUIElement* pChild) {
    const int cx = MarkupIntOr(pPanel->GetValue(CTkMarkupWrapPanel::s_pItemWidthProperty), pChild->GetDesiredSize().cx);
    const int cy =
        MarkupIntOr(pPanel->GetValue(CTkMarkupWrapPanel::s_pItemHeightProperty), pChild->GetDesiredSize().cy);
    return pPanel->GetOrientation() == kMarkupHorizontal ? CSize(cx, cy) : CSize(cy, cx);
}

}  // namespace

// ---- Panel

CTkMarkupPanel::CTkMarkupPanel() : m_pChildren(new CTkMarkupUIElementCollection) {
    m_pChildren->SetLogicalParent(this);
}

CTkMarkupPanel::~CTkMarkupPanel() {
    m_pChildren->SetLogicalParent(nullptr);
    m_pChildren->Release();
}

void CTkMarkupPanel::RegisterProperties() {
    s_pBackgroundProperty =
        CTkMarkupDependencyProperty::Register(L"Background", CTkMarkupBrush::GetClassType(), GetClassType(),
                                              new Metadata(nullptr, Metadata::flagAffectsRender));
}

void CTkMarkupPanel::SetContentObject(CTkMarkupBuilder* pBuilder, CTkMarkupObject* pContent) {
    m_pChildren->SetContentObject(pBuilder, pContent);
}

BOOL CTkMarkupPanel::HasContentObject() const {
    return m_pChildren->GetCount() > 0;
}

int CTkMarkupPanel::GetVisualChildrenCount() const {
    return m_pChildren->GetCount();
}

CTkMarkupVisual* CTkMarkupPanel::GetVisualChild(int nIndex) const {
    if (nIndex < 0 || nIndex >= m_pChildren->GetCount())
        return nullptr;
    return m_pChildren->GetItem(nIndex);
}

void CTkMarkupPanel::OnRender(CTkMarkupDrawingContext* pDC) {
    CTkMarkupObject* pBackground = GetValue(s_pBackgroundProperty);
    if (m_szRender.cx > 0 && m_szRender.cy > 0 && pBackground != nullptr)
        pDC->FillRectangle(static_cast<CTkMarkupBrush*>(pBackground), CRect(CPoint(0, 0), m_szRender));
}

CTkMarkupInputElement* CTkMarkupPanel::InputHitTestOverride(int /*x*/, int /*y*/) {
    return GetValue(s_pBackgroundProperty) != nullptr ? this : nullptr;
}

// ---- Stack panel

void CTkMarkupStackPanel::RegisterProperties() {
    s_pOrientationProperty = RegisterOrientation(GetClassType());
}

int CTkMarkupStackPanel::GetOrientation() const {
    return MarkupEnumOr(GetValue(s_pOrientationProperty), kMarkupVertical);
}

CSize CTkMarkupStackPanel::MeasureOverride(CTkMarkupDrawingContext* pDC, int nWidth, int nHeight) {
    const BOOL bVertical = GetOrientation() != kMarkupHorizontal;
    INT64 nAlong = 0;
    int nAcross = 0;
    for (CTkMarkupUIElement* pChild : ChildrenOf(this)) {
        if (bVertical)
            pChild->Measure(pDC, nWidth, kMarkupUnbounded);
        else
            pChild->Measure(pDC, kMarkupUnbounded, nHeight);
        const CSize szChild = pChild->GetDesiredSize();
        nAlong += bVertical ? szChild.cy : szChild.cx;
        nAcross = std::max<int>(nAcross, bVertical ? szChild.cx : szChild.cy);
    }
    return bVertical ? CSize(nAcross, SaturatedInt(nAlong)) : CSize(SaturatedInt(nAlong), nAcross);
}

CSize CTkMarkupStackPanel::ArrangeOverride(int nWidth, int nHeight) {
    const BOOL bVertical = GetOrientation() != kMarkupHorizontal;
    INT64 nOffset = 0;
    for (CTkMarkupUIElement* pChild : ChildrenOf(this)) {
        const CSize szChild = pChild->GetDesiredSize();
        const int nStart = SaturatedInt(nOffset);
        if (bVertical) {
            nOffset += szChild.cy;
            pChild->Arrange(CRect(0, nStart, std::max<int>(szChild.cx, nWidth), SaturatedInt(nOffset)));
        } else {
            nOffset += szChild.cx;
            pChild->Arrange(CRect(nStart, 0, SaturatedInt(nOffset), std::max<int>(szChild.cy, nHeight)));
        }
    }
    return CSize(nWidth, nHeight);
}

// ---- Wrap panel

std::vector<MarkupWrapLine> WrapMarkupItems(const std::vector<CSize>& extents, int nLimit) {
    std::vector<MarkupWrapLine> lines;
    MarkupWrapLine line;
    INT64 nLength = 0;
    for (int i = 0; i < static_cast<int>(extents.size()); i++) {
        const CSize& extent = extents[i];
        // A line is closed only when it holds something: an item too long for any line starts the walk
        // without an empty line before it.
        if (line.nEnd > line.nFirst && nLength + extent.cx > nLimit) {
            line.nLength = SaturatedInt(nLength);
            lines.push_back(line);
            line = MarkupWrapLine{i, i, 0, 0};
            nLength = 0;
        }
        nLength += extent.cx;
        line.nThickness = std::max<int>(line.nThickness, extent.cy);
        line.nEnd = i + 1;
    }
    if (line.nEnd > line.nFirst) {
        line.nLength = SaturatedInt(nLength);
        lines.push_back(line);
    }
    return lines;
}

void CTkMarkupWrapPanel::RegisterProperties() {
    CTkMarkupType* pType = GetClassType();
    s_pOrientationProperty = RegisterOrientation(pType);
    s_pItemHeightProperty = CTkMarkupDependencyProperty::Register(L"ItemHeight", CTkMarkupInt::GetClassType(), pType,
                                                                  new Metadata(nullptr, Metadata::flagAffectsMeasure));
    s_pItemWidthProperty = CTkMarkupDependencyProperty::Register(L"ItemWidth", CTkMarkupInt::GetClassType(), pType,
                                                                 new Metadata(nullptr, Metadata::flagAffectsMeasure));
}

int CTkMarkupWrapPanel::GetOrientation() const {
    return MarkupEnumOr(GetValue(s_pOrientationProperty), kMarkupHorizontal);
}

CSize CTkMarkupWrapPanel::MeasureOverride(CTkMarkupDrawingContext* pDC, int nWidth, int nHeight) {
    const int nItemWidth = MarkupIntOr(GetValue(s_pItemWidthProperty), nWidth);
    const int nItemHeight = MarkupIntOr(GetValue(s_pItemHeightProperty), nHeight);
    std::vector<CSize> extents;
    for (CTkMarkupUIElement* pChild : ChildrenOf(this)) {
        pChild->Measure(pDC, nItemWidth, nItemHeight);
        extents.push_back(WrapExtent(this, pChild));
    }
    const BOOL bHorizontal = GetOrientation() == kMarkupHorizontal;
    int nLongest = 0;
    INT64 nThickness = 0;
    for (const MarkupWrapLine& line : WrapMarkupItems(extents, bHorizontal ? nWidth : nHeight)) {
        nLongest = std::max(nLongest, line.nLength);
        nThickness += line.nThickness;
    }
    return bHorizontal ? CSize(nLongest, SaturatedInt(nThickness)) : CSize(SaturatedInt(nThickness), nLongest);
}

CSize CTkMarkupWrapPanel::ArrangeOverride(int nWidth, int nHeight) {
    const std::vector<CTkMarkupUIElement*> children = ChildrenOf(this);
    std::vector<CSize> extents;
    for (CTkMarkupUIElement* pChild : children)
        extents.push_back(WrapExtent(this, pChild));
    const BOOL bHorizontal = GetOrientation() == kMarkupHorizontal;
    INT64 nAcross = 0;
    for (const MarkupWrapLine& line : WrapMarkupItems(extents, bHorizontal ? nWidth : nHeight)) {
        const int nLineStart = SaturatedInt(nAcross);
        const int nLineEnd = SaturatedInt(nAcross + line.nThickness);
        INT64 nAlong = 0;
        for (int i = line.nFirst; i < line.nEnd; i++) {
            const int nStart = SaturatedInt(nAlong);
            nAlong += extents[i].cx;
            const int nEnd = SaturatedInt(nAlong);
            children[i]->Arrange(bHorizontal ? CRect(nStart, nLineStart, nEnd, nLineEnd)
                                             : CRect(nLineStart, nStart, nLineEnd, nEnd));
        }
        nAcross += line.nThickness;
    }
    return CSize(nWidth, nHeight);
}

// ---- Canvas

CPoint PlaceOnMarkupCanvas(std::optional<int> left, std::optional<int> top, std::optional<int> right,
                           std::optional<int> bottom, CSize szFinal, CSize szDesired) {
    auto place = [](std::optional<int> start, std::optional<int> end, int nFinal, int nDesired) {
        if (start)
            return *start;
        if (end)
            return SaturatedInt(static_cast<INT64>(nFinal) - *end - nDesired);
        return 0;
    };
    return CPoint(place(left, right, szFinal.cx, szDesired.cx), place(top, bottom, szFinal.cy, szDesired.cy));
}

void CTkMarkupCanvas::RegisterProperties() {
    CTkMarkupType* pType = GetClassType();
    CTkMarkupType* pInt = CTkMarkupInt::GetClassType();
    s_pTopProperty = CTkMarkupDependencyProperty::RegisterAttached(L"Top", pInt, pType);
    s_pRightProperty = CTkMarkupDependencyProperty::RegisterAttached(L"Right", pInt, pType);
    s_pLeftProperty = CTkMarkupDependencyProperty::RegisterAttached(L"Left", pInt, pType);
    s_pBottomProperty = CTkMarkupDependencyProperty::RegisterAttached(L"Bottom", pInt, pType);
}

CSize CTkMarkupCanvas::MeasureOverride(CTkMarkupDrawingContext* pDC, int /*nWidth*/, int /*nHeight*/) {
    for (CTkMarkupUIElement* pChild : ChildrenOf(this))
        pChild->Measure(pDC, kMarkupUnbounded, kMarkupUnbounded);
    return CSize(0, 0);
}

CSize CTkMarkupCanvas::ArrangeOverride(int nWidth, int nHeight) {
    for (CTkMarkupUIElement* pChild : ChildrenOf(this)) {
        const CSize szDesired = pChild->GetDesiredSize();
        const CPoint pt =
            PlaceOnMarkupCanvas(OptionalInt(pChild, s_pLeftProperty), OptionalInt(pChild, s_pTopProperty),
                                OptionalInt(pChild, s_pRightProperty), OptionalInt(pChild, s_pBottomProperty),
                                CSize(nWidth, nHeight), szDesired);
        pChild->Arrange(CRect(pt.x, pt.y, SaturatedInt(static_cast<INT64>(pt.x) + szDesired.cx),
                              SaturatedInt(static_cast<INT64>(pt.y) + szDesired.cy)));
    }
    return CSize(nWidth, nHeight);
}
