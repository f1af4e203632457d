#include "TkMarkupInlineUIContainer.h"

#include "TkMarkupBuilder.h"
#include "TkMarkupType.h"
#include "TkMarkupUIElement.h"

namespace {

// The child is measured as if it had the room of a large page.
constexpr int kChildRoom = 32000;

}  // namespace

CTkMarkupInlineUIContainer::~CTkMarkupInlineUIContainer() {
    SetChild(nullptr);
}

void CTkMarkupInlineUIContainer::SetChild(CTkMarkupUIElement* pChild) {
    if (pChild != nullptr)
        pChild->SetLogicalParent(this);
    if (CTkMarkupUIElement* pPrevious = std::exchange(m_pChild, pChild)) {
        if (pPrevious->GetLogicalParent() == this)
            pPrevious->SetLogicalParent(nullptr);
        pPrevious->Release();
    }
}

int CTkMarkupInlineUIContainer::GetLogicalChildrenCount() const {
    return m_pChild != nullptr ? 1 : 0;
}

CTkMarkupObject* CTkMarkupInlineUIContainer::GetLogicalChild(int nIndex) const {
    return nIndex == 0 ? m_pChild : nullptr;
}

void CTkMarkupInlineUIContainer::SetContentObject(CTkMarkupBuilder* /*pBuilder*/, CTkMarkupObject* pContent) {
    auto content = CTkMarkupPtr<CTkMarkupObject>::Adopt(pContent);
    if (!content || !content->IsKindOf(CTkMarkupUIElement::GetClassType()))
        ThrowMarkupError(L"'%ls' object cannot be added to '%ls'. Object cannot be converted to type '%ls'",
                         content ? content->GetType()->GetClassName() : L"", GetType()->GetClassName(),
                         CTkMarkupUIElement::GetClassType()->GetClassName());
    SetChild(static_cast<CTkMarkupUIElement*>(content.Detach()));
}

CTkMarkupInputElement* CTkMarkupInlineUIContainer::HitTest(int x, int y) {
    if (m_pChild != nullptr) {
        if (CTkMarkupInputElement* pHit = m_pChild->HitTest(x, y))
            return pHit;
    }
    return this;
}

int CTkMarkupInlineUIContainer::GetFirstPosition() const {
    return m_pChild != nullptr ? 0 : kNoPosition;
}

void CTkMarkupInlineUIContainer::GetNextPosition(int& nPosition) const {
    nPosition = nPosition == 0 ? 1 : kNoPosition;
}

BOOL CTkMarkupInlineUIContainer::IsWordBreakPosition(int nPosition) const {
    return nPosition == 0 || nPosition == 1;
}

void CTkMarkupInlineUIContainer::ArrangeInline(const CRect& rc, int nFrom, int /*nTo*/) {
    if (m_pChild != nullptr && nFrom == 0)
        m_pChild->Arrange(rc);
}

CSize CTkMarkupInlineUIContainer::MeasureInline(CTkMarkupDrawingContext* pDC, int nFrom, int /*nTo*/) {
    if (m_pChild == nullptr || nFrom != 0)
        return CSize(0, 0);
    m_pChild->Measure(pDC, kChildRoom, kChildRoom);
    return m_pChild->GetDesiredSize();
}

void CTkMarkupInlineUIContainer::RenderInline(CTkMarkupDrawingContext* pDC, const CRect& /*rc*/, int nFrom,
                                              int /*nTo*/) {
    if (m_pChild != nullptr && nFrom == 0)
        m_pChild->Render(pDC);
}
