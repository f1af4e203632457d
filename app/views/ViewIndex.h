#pragma once
// ViewIndex: which pane of the right column shows. It is the item data of the navigation tree's items and the
// wParam of WM_SHOWVIEW, which the tree (and the call-record panes' searches) send to the main window.

#include "mfc.h"

// wParam: the ViewIndex; lParam 0; result 0. Sent to the application's main window.
constexpr UINT WM_SHOWVIEW = WM_USER + 1;

enum ViewIndex {
    kViewRoot = 0,  // the tree's root: shows nothing new
    kViewChannels = 1,
    kViewPhoneBook = 2,
    kViewAllRecordings = 3,
    kViewOutgoingCalls = 4,
    kViewIncomingCalls = 5,
    kViewMissedCalls = 6,
    kViewAutoAnswered = 7,
    kViewVoiceRecordings = 8,
    kViewSearchResults = 9,
    kViewStatistics = 10,
    kViewSystemLog = 11,
    kViewClients = 12,
    kViewUploadLog = 13,
};

constexpr int kFirstPaneView = kViewChannels;
constexpr int kLastPaneView = kViewUploadLog;

// The caption and tree text of each view (by ViewIndex) and its tree icon (AppIcon).
struct ViewLook {
    const wchar_t* TextKey;
    int Icon;
};
extern const ViewLook kViewLooks[kLastPaneView + 1];

inline bool IsPaneView(int view) {
    return view >= kFirstPaneView && view <= kLastPaneView;
}
