#include "TkThemeManagerStyle.h"

BOOL CTkThemeManagerStyle::TakeSnapshot(CWnd* pControl) {
    CWnd* pParent = pControl->GetParent();
    if (pParent == nullptr || !::IsWindow(pParent->GetSafeHwnd()))
        return FALSE;
    m_snapshot.DeleteObject();

    CRect rect;
    pControl->GetWindowRect(&rect);
    pParent->ScreenToClient(&rect);
    // The rectangle is in the parent's client coordinates, so the copy is read from its client DC.
    CClientDC parentDC(pParent);
    CDC memDC;
    if (!m_snapshot.CreateCompatibleBitmap(&parentDC, rect.Width(), rect.Height()) ||
        !memDC.CreateCompatibleDC(&parentDC)) {
        m_snapshot.DeleteObject();
        return FALSE;
    }
    CScopedSelectObject selected(memDC, m_snapshot);
    memDC.BitBlt(0, 0, rect.Width(), rect.Height(), &parentDC, rect.left, rect.top, SRCCOPY);
    return TRUE;
}

BOOL CTkThemeManagerStyle::DrawTransparentBack(CDC* pDC, CWnd* pControl) {
    if ((pControl->GetExStyle() & WS_EX_TRANSPARENT) == 0 || !TakeSnapshot(pControl))
        return FALSE;
    CRect client;
    pControl->GetClientRect(&client);
    CDC memDC;
    if (!memDC.CreateCompatibleDC(pDC))
        return FALSE;
    CScopedSelectObject selected(memDC, m_snapshot);
    pDC->BitBlt(0, 0, client.Width(), client.Height(), &memDC, 0, 0, SRCCOPY);
    return TRUE;
}
