#include "TkSkinObjectStatusBar.h"

IMPLEMENT_DYNCREATE(CTkSkinObjectStatusBar, CTkSkinObjectFrame)

CTkSkinObjectStatusBar::CTkSkinObjectStatusBar() {
    m_strClassName = L"STATUSBAR";
}

void CTkSkinObjectStatusBar::RefreshMetrics() {
    CTkSkinObjectFrame::RefreshMetrics();
    ::PostMessageW(m_hWnd, WM_WININICHANGE, 0, 0);
}

BEGIN_MESSAGE_MAP(CTkSkinObjectStatusBar, CTkSkinObjectFrame)
    ON_WM_CREATE()
END_MESSAGE_MAP()

int CTkSkinObjectStatusBar::OnCreate(LPCREATESTRUCT /*lpCreateStruct*/) {
    if (Default() == -1)
        return -1;
    SendMessage(WM_WININICHANGE, 0, 0);
    return 0;
}
