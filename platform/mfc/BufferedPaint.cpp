#include "BufferedPaint.h"
#include "Wnd.h"

void AfxPaintBuffered(CWnd* pWnd, HDC hDC, const AFX_PAINTPROC& draw) {
    CRect rcClient;
    pWnd->GetClientRect(&rcClient);
    CScopedMemDC memDC(rcClient.Width(), rcClient.Height());
    if (!memDC.IsValid()) {
        CScopedSaveDC save(hDC);
        draw(CDC::FromHandle(hDC), rcClient);
        return;
    }
    draw(&memDC, rcClient);
    ::BitBlt(hDC, 0, 0, rcClient.Width(), rcClient.Height(), memDC, 0, 0, SRCCOPY);
}
