#pragma once
// What the list panes of the right column share: the layout of their toolbar above their list, and the key
// filter that keeps Enter and Escape from closing a pane, which is a modeless dialog that such a key would end
// (and so hide). UI thread.

#include "mfc.h"

#include <functional>
#include <span>

constexpr int kPaneToolBarHeight = 32;

// A column of a pane's list: its title's text key and its width.
struct PaneColumn {
    const wchar_t* TitleKey;
    int Width;
};

// The pane's list as every pane shows it: the columns titled in the language, grid lines, images in any column,
// whole rows selected, and the application's icons.
void SetUpPaneList(CListCtrl& list, std::span<const PaneColumn> columns);

// The pane's WM_SIZE: the toolbar across the top, 32 high, and the list below it, 2 pixels in from each side;
// either is left alone while its window does not exist.
void LayoutListPane(CWnd& toolBar, CWnd& list, int cx, int cy);

// The date and time cell of a row: the system's short date and its time, as the operator reads them elsewhere.
CString PaneDateTimeText(const SYSTEMTIME& time);

// The panes' message pre-filter: TRUE (swallowed) for the key-down of Enter or Escape.
BOOL OnPaneKeyFilter(const MSG* pMsg);

// wParam: unused; lParam: the const std::function<void()>* to run. A pane whose rows other threads add handles it
// with ON_MESSAGE(WM_RUN_PANE_CALL, ...) calling RunPaneCall.
constexpr UINT WM_RUN_PANE_CALL = WM_APP + 0x40;

// Runs call on the pane's thread as one message, so that a whole change of a pane from another thread (a row
// inserted with its data, a trim) never interleaves with what the operator does meanwhile; on that thread, at once.
// The caller waits. Nothing runs when the pane has no window.
void RunOnPaneThread(CWnd& pane, const std::function<void()>& call);
LRESULT RunPaneCall(LPARAM lParam);
