#pragma once
#include "ScopedResources.h"

#include <functional>

// Double-buffered painting: one paint routine serves WM_PAINT and WM_PRINTCLIENT.
//
// A window that paints itself keeps one routine that draws its whole client area. Its OnPaint and its
// WM_PRINTCLIENT handler both pass that routine to AfxPaintBuffered with their DC. The routine always
// draws into a fresh memory DC of the client's size, which is then copied to the target in one BitBlt,
// so the screen does not flicker and WM_PRINT or WM_PRINTCLIENT into a DIB section (the pixel tests)
// read exactly what the screen shows. The window answers WM_ERASEBKGND with TRUE: the routine covers
// every pixel, and an erase would only flash between the two.
//
//   BEGIN_MESSAGE_MAP(CTkThing, CWnd)
//       ON_WM_PAINT()
//       ON_WM_ERASEBKGND()
//       ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
//   END_MESSAGE_MAP()
//
//   void CTkThing::OnPaint() {
//       CPaintDC dc(this);
//       AfxPaintBuffered(this, dc, [this](CDC* pDC, const CRect& rcClient) { Draw(pDC, rcClient); });
//   }
//   LRESULT CTkThing::OnPrintClient(WPARAM wParam, LPARAM) {
//       AfxPaintBuffered(this, reinterpret_cast<HDC>(wParam), [this](CDC* pDC, const CRect& rcClient) {
//           Draw(pDC, rcClient);
//       });
//       return 0;
//   }

class CWnd;

// The routine's DC starts in the default state with black pixels; rcClient is pWnd's client rectangle
// (origin 0,0).
using AFX_PAINTPROC = std::function<void(CDC* pDC, const CRect& rcClient)>;

// Runs draw on a memory DC of pWnd's client size and copies the result to hDC at its origin. When GDI
// cannot make the memory DC (an empty client area, no resources left), draw paints hDC directly, its
// state saved around the call. UI thread only.
void AfxPaintBuffered(CWnd* pWnd, HDC hDC, const AFX_PAINTPROC& draw);
