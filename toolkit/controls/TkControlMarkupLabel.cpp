#include "TkControlMarkupLabel.h"

#include "TkCommandBar.h"
#include "TkMarkup.h"
#include "TkPaintManager.h"

IMPLEMENT_SERIAL(CTkControlMarkupLabel, CTkControlLabel, VERSIONABLE_SCHEMA | 33)

namespace {

constexpr int kUnbounded = 0x7FFFFFFF;
constexpr COLORREF kKeepTextColor = static_cast<COLORREF>(-1);

}  // namespace

CTkControlMarkupLabel::~CTkControlMarkupLabel() {
    ReleaseMarkupElement(m_pMarkupElement);
}

void CTkControlMarkupLabel::OnCaptionChanged() {
    ReleaseMarkupElement(m_pMarkupElement);
    // A context without a host window: the label only measures and renders. The element keeps it alive.
    CTkMarkupContext* pContext = CreateMarkupContext(nullptr);
    m_pMarkupElement = ParseMarkupText(pContext, GetCaption());
    ReleaseMarkupContext(pContext);
}

HFONT CTkControlMarkupLabel::GetLabelFont() const {
    CTkPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager != nullptr && pPaintManager->m_fntRegular.GetSafeHandle() != nullptr)
        return static_cast<HFONT>(pPaintManager->m_fntRegular.GetSafeHandle());
    return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

CSize CTkControlMarkupLabel::GetSize(CDC* pDC) {
    if (m_pMarkupElement == nullptr)
        return CTkControlLabel::GetSize(pDC);
    SetMarkupDefaultFont(GetMarkupElementContext(m_pMarkupElement), GetLabelFont(), kKeepTextColor);
    return MeasureMarkupElement(m_pMarkupElement, kUnbounded, kUnbounded);
}

void CTkControlMarkupLabel::Draw(CDC* pDC) {
    if (m_pMarkupElement == nullptr) {
        CTkControlLabel::Draw(pDC);
        return;
    }
    CTkPaintManager* pPaintManager = GetPaintManager();
    const COLORREF clrText =
        pPaintManager != nullptr
            ? pPaintManager->GetStateTextColor(FALSE, FALSE, GetEnabled() != 0, FALSE, FALSE,
                                               m_pParent != nullptr ? m_pParent->GetType() : kBarTypeNormal,
                                               m_pParent != nullptr ? m_pParent->GetPosition() : kBarTop)
            : ::GetSysColor(COLOR_BTNTEXT);
    SetMarkupDefaultFont(GetMarkupElementContext(m_pMarkupElement), GetLabelFont(), clrText);
    RenderMarkupElement(m_pMarkupElement, pDC->GetSafeHdc(), &m_rcControl);
}
