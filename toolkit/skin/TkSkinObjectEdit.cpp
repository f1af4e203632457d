#include "TkSkinObjectEdit.h"

IMPLEMENT_DYNCREATE(CTkSkinObjectEdit, CTkSkinObjectUser32Control)

namespace {

// The width of the strip an attached up-down control lays over its buddy.
constexpr int kBuddyOverlap = 2;

}  // namespace

CTkSkinObjectEdit::CTkSkinObjectEdit() {
    m_strClassName = L"EDIT";
}

UINT CTkSkinObjectEdit::GetCtlColorMessage() const {
    return !IsWindowEnabled() || (GetStyle() & ES_READONLY) != 0 ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
}

void CTkSkinObjectEdit::PaintFrame(CDC* pDC) {
    const CScopedSaveDC save(pDC->GetSafeHdc());
    if (HWND hNext = ::GetWindow(m_hWnd, GW_HWNDNEXT)) {
        CRect rcWindow;
        CRect rcNext;
        GetWindowRect(&rcWindow);
        ::GetWindowRect(hNext, &rcNext);
        CRect rcOverlap;
        if (rcOverlap.IntersectRect(rcWindow, rcNext) && rcOverlap.Width() == kBuddyOverlap) {
            rcOverlap.OffsetRect(-rcWindow.left, -rcWindow.top);
            pDC->ExcludeClipRect(&rcOverlap);
        }
    }
    CTkSkinObjectUser32Control::PaintFrame(pDC);
}
