#include "ControlsTestSupport.h"

#include "TkColorManager.h"

CPinnedColors::CPinnedColors(std::initializer_list<int> slots) : m_slots(slots) {
    for (int nSlot : m_slots)
        GetColorManager()->m_customColors[nSlot] = Of(nSlot);
}

CPinnedColors::~CPinnedColors() {
    for (int nSlot : m_slots)
        GetColorManager()->m_customColors[nSlot] = kColorUnset;
}

COLORREF CPinnedColors::Of(int nSlot) {
    return RGB(nSlot * 3 + 1, 200 - nSlot, nSlot * 5 + 7);
}

SuggestionWindow::SuggestionWindow() {
    const wchar_t kSuggestionClass[] = L"Auto-Suggest Dropdown";
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kSuggestionClass;
    ::RegisterClassW(&wc);
    m_hWnd = ::CreateWindowExW(WS_EX_TOOLWINDOW, kSuggestionClass, L"", WS_POPUP, 400, 400, 120, 90, nullptr, nullptr,
                               nullptr, nullptr);
    HWND hwndFirst =
        ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 120, 90, m_hWnd, nullptr, nullptr, nullptr);
    ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 1, 1, hwndFirst, nullptr, nullptr, nullptr);
    m_hwndList = ::CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE, 0, 0, 120, 90, hwndFirst, nullptr,
                                   nullptr, nullptr);
    for (LPCWSTR pszRow : {L"one", L"two", L"three"})
        ::SendMessageW(m_hwndList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pszRow));
    ::SendMessageW(m_hwndList, LB_SETCURSEL, 0, 0);
}

SuggestionWindow::~SuggestionWindow() {
    ::DestroyWindow(m_hWnd);
}

void SuggestionWindow::Show(BOOL bShow) {
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

int SuggestionWindow::GetListSelection() const {
    return static_cast<int>(::SendMessageW(m_hwndList, LB_GETCURSEL, 0, 0));
}
