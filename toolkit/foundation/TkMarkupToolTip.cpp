#include "TkMarkupToolTip.h"

#include "TkMarkupEntryFunctions.h"

namespace {

constexpr int kUnlimitedHeight = 0x7FFFFFFF;

}  // namespace

BEGIN_MESSAGE_MAP(CTkToolTipContext::CMarkupToolTip, CTkToolTipContextToolTip)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CTkToolTipContext::CMarkupToolTip::CMarkupToolTip(CTkToolTipContext* pContext)
    : CTkToolTipContextToolTip(pContext), m_pEngine(GetMarkupEntryFunctions()) {
    if (m_pEngine != nullptr)
        m_pMarkupContext = m_pEngine->pfnCreateMarkupContext(nullptr);
}

CTkToolTipContext::CMarkupToolTip::~CMarkupToolTip() {
    // The window first, while OnDestroy can still release the tree made with the context.
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
    ReleaseElement();
    if (m_pMarkupContext != nullptr)
        m_pEngine->pfnReleaseMarkupContext(m_pMarkupContext);
}

void CTkToolTipContext::CMarkupToolTip::ReleaseElement() {
    if (m_pElement != nullptr)
        m_pEngine->pfnReleaseMarkupElement(m_pElement);
}

CSize CTkToolTipContext::CMarkupToolTip::CalcContentSize(TOOLITEM& tool) {
    ReleaseElement();
    if (tool.strText.IsEmpty())
        return CSize(0, 0);
    if (m_pMarkupContext != nullptr) {
        m_pEngine->pfnSetMarkupDefaultFont(m_pMarkupContext, *m_pContext->GetFont(), m_pContext->GetTextColor());
        m_pElement = m_pEngine->pfnParseMarkupText(m_pMarkupContext, tool.strText);
    }
    if (m_pElement == nullptr)
        return CTkToolTipContextToolTip::CalcContentSize(tool);
    return GetWindowSize(m_pEngine->pfnMeasureMarkupElement(m_pElement, GetAvailableWidth(), kUnlimitedHeight));
}

void CTkToolTipContext::CMarkupToolTip::DrawContent(CDC* pDC, TOOLITEM& tool, CRect rc) {
    if (m_pElement == nullptr) {
        CTkToolTipContextToolTip::DrawContent(pDC, tool, rc);
        return;
    }
    const CRect rcContent = GetContentRect(rc);
    m_pEngine->pfnRenderMarkupElement(m_pElement, pDC->GetSafeHdc(), &rcContent);
}

void CTkToolTipContext::CMarkupToolTip::OnDestroy() {
    ReleaseElement();
    CTkToolTipContextToolTip::OnDestroy();
}
