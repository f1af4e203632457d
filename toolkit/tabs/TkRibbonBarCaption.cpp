#include "TkRibbonBar.h"

#include "TkRibbonTabContextHeader.h"
#include "TkThemedFrameHook.h"

// The ribbon's caption strip and its part in the frame's caption: height, hit tests, caption buttons,
// title and the headers of contextual tabs.

int CTkRibbonBar::GetCaptionHeight() const {
    return 0;
}

BOOL CTkRibbonBar::IsFrameCaptionDrawn() const {
    return FALSE;
}

BOOL CTkRibbonBar::AttachFrameHook() {
    return m_pFrameHook != nullptr;
}

int CTkRibbonBar::HitTestCaption(CPoint) const {
    return 0;
}

CTkRibbonTabContextHeader* CTkRibbonBar::HitTestContextHeader(CPoint) const {
    return nullptr;
}

void CTkRibbonBar::RepositionCaptionButtons() {}

void CTkRibbonBar::RepositionContextHeaders() {}

void CTkRibbonBar::RemoveContextHeaders() {
    for (CTkRibbonTabContextHeader* pHeader : m_contextHeaders)
        delete pHeader;
    m_contextHeaders.clear();
}

void CTkRibbonBar::CheckFrameTitle() {}

BOOL CTkRibbonBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    return CTkMenuBar::OnSetCursor(pWnd, nHitTest, message);
}

LRESULT CTkRibbonBar::OnNcHitTest(CPoint point) {
    return CTkMenuBar::OnNcHitTest(point);
}

// ---- Caption buttons

CTkRibbonBar::CControlCaptionButton::CControlCaptionButton(CTkThemedFrameHook* pFrameHook, int nId)
    : m_pFrameHook(pFrameHook) {
    m_nId = nId;
}

void CTkRibbonBar::CControlCaptionButton::Draw(CDC* pDC) {
    CTkControlButton::Draw(pDC);
}

void CTkRibbonBar::CControlCaptionButton::Execute() {}
