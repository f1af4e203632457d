#pragma once
// What the list panes of the right column share: the layout of their toolbar above their list, and the key
// filter that keeps Enter and Escape from closing a pane, which is a modeless dialog that such a key would end
// (and so hide). UI thread.

#include "mfc.h"

constexpr int kPaneToolBarHeight = 32;

// The pane's WM_SIZE: the toolbar across the top, 32 high, and the list below it, 2 pixels in from each side;
// either is left alone while its window does not exist.
void LayoutListPane(CWnd& toolBar, CWnd& list, int cx, int cy);

// The panes' message pre-filter: TRUE (swallowed) for the key-down of Enter or Escape.
BOOL OnPaneKeyFilter(const MSG* pMsg);
