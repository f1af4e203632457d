#include "views/ListPane.h"

#include "common/AppIcons.h"
#include "settings/LangText.h"

#include <iterator>

namespace {

constexpr int kMargin = 2;

}  // namespace

void LayoutListPane(CWnd& toolBar, CWnd& list, int cx, int cy) {
    if (list.GetSafeHwnd())
        list.MoveWindow(kMargin, kPaneToolBarHeight + 1, cx - 2 * kMargin, cy - kPaneToolBarHeight - 3);
    if (toolBar.GetSafeHwnd())
        toolBar.MoveWindow(kMargin, 0, cx - 2 * kMargin, kPaneToolBarHeight);
}

void SetUpPaneList(CListCtrl& list, std::span<const PaneColumn> columns) {
    for (int i = 0; i < static_cast<int>(columns.size()); ++i)
        list.InsertColumn(i, LangText(columns[i].TitleKey).c_str(), LVCFMT_LEFT, columns[i].Width);
    list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT);
    list.SetImageList(&AppIconList(), LVSIL_SMALL);
}

CString PaneDateTimeText(const SYSTEMTIME& time) {
    wchar_t date[64] = {};
    wchar_t clock[64] = {};
    ::GetDateFormatW(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, static_cast<int>(std::size(date)));
    ::GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, 0, &time, nullptr, clock, static_cast<int>(std::size(clock)));
    CString text;
    text.Format(L"%s %s", date, clock);
    return text;
}

BOOL OnPaneKeyFilter(const MSG* pMsg) {
    return pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE);
}

void RunOnPaneThread(CWnd& pane, const std::function<void()>& call) {
    const HWND window = pane.GetSafeHwnd();
    if (!window)
        return;
    if (::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId())
        call();
    else
        ::SendMessageW(window, WM_RUN_PANE_CALL, 0, reinterpret_cast<LPARAM>(&call));
}

LRESULT RunPaneCall(LPARAM lParam) {
    (*reinterpret_cast<const std::function<void()>*>(lParam))();
    return 0;
}
