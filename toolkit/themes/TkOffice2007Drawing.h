#pragma once
#include "mfc.h"

// Drawing the named bitmaps of the look resources (GetOffice2007Images): an image is a vertical strip
// of equal states; a missing image draws nothing. Keyed drawing leaves magenta pixels out.

constexpr COLORREF kLookKeyColor = RGB(255, 0, 255);

// The size of one state of nStates of the named image; (0, 0) when it is missing.
CSize GetLookImageStateSize(LPCTSTR lpszName, int nStates = 1);
// State nState of nStates of the named image over rcDest with sizing margins; FALSE when it is missing.
BOOL DrawLookImage(CDC* pDC, LPCTSTR lpszName, const CRect& rcDest, int nState, int nStates,
                   const CRect& rcMargins = CRect(0, 0, 0, 0), BOOL bKeyed = FALSE);
// Keyed and centred in rc at the size of one state.
BOOL DrawLookImageCentered(CDC* pDC, LPCTSTR lpszName, const CRect& rc, int nState, int nStates);
