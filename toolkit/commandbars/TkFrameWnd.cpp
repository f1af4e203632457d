#include "TkFrameWnd.h"

#include "TkCommandBars.h"
#include "TkShortcutManager.h"

namespace {

BOOL IsKeyMessage(UINT nMessage) {
    return nMessage >= WM_KEYFIRST && nMessage <= WM_KEYLAST;
}

}  // namespace

// ---- CTkCommandBarsSiteBase

template <class TBase>
CTkCommandBarsSiteBase<TBase>::~CTkCommandBarsSiteBase() {
    if (m_pCommandBars != nullptr)
        m_pCommandBars->InternalRelease();
}

template <class TBase>
BOOL CTkCommandBarsSiteBase<TBase>::PreTranslateMessage(MSG* pMsg) {
    if (IsKeyMessage(pMsg->message) && pMsg->wParam != VK_RETURN && pMsg->wParam != VK_TAB &&
        pMsg->wParam != VK_ESCAPE && GetFocusedBarEdit() != nullptr)
        return FALSE;
    if (TBase::PreTranslateMessage(pMsg))
        return TRUE;
    return m_pCommandBars != nullptr && m_pCommandBars->PreTranslateFrameMessage(pMsg);
}

template <class TBase>
BOOL CTkCommandBarsSiteBase<TBase>::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (m_pCommandBars != nullptr && m_pCommandBars->OnFrameMessage(message, wParam, lParam, pResult))
        return TRUE;
    return TBase::OnWndMsg(message, wParam, lParam, pResult);
}

// ---- CTkFrameWndBase

template <class TBase>
BOOL CTkFrameWndBase<TBase>::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                                       CCreateContext* pContext) {
    // A failed load has deleted the frame: nothing of it may be touched.
    if (!TBase::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    if (this->m_pCommandBars != nullptr && this->m_pCommandBars->GetShortcutManager()->HasAccelerators())
        this->m_hAccelTable = nullptr;
    return TRUE;
}

template <class TBase>
void CTkFrameWndBase<TBase>::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) {
    if (this->m_pCommandBars != nullptr)
        this->m_pCommandBars->SetPreviewMode(bPreview);
    TBase::OnSetPreviewMode(bPreview, pState);
}

template class CTkCommandBarsSiteBase<CFrameWnd>;
template class CTkFrameWndBase<CFrameWnd>;

// ---- CTkFrameWnd

IMPLEMENT_DYNCREATE(CTkFrameWnd, CFrameWnd)

CTkFrameWnd::CTkFrameWnd() = default;
