// Scroll-bar controls under the skin: the class table gives them their own object, which paints the
// control in the skin's cells and tracks it, notifying the parent as the system's control does.

#include "FoundationTestSupport.h"
#include "SkinTestSupport.h"
#include "TestSkins.h"
#include "TkSkinObjectScrollBar.h"

#include <utility>
#include <vector>
#include <vssym32.h>

namespace {

std::vector<ScrollNotification> g_notifications;  // the track position as the control answers it
std::vector<LPARAM> g_lParams;

LRESULT CALLBACK ParentProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_VSCROLL || message == WM_HSCROLL) {
        SCROLLINFO info = {sizeof(info), SIF_TRACKPOS};
        ::SendMessageW(reinterpret_cast<HWND>(lParam), SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&info));
        g_notifications.push_back({LOWORD(wParam), static_cast<short>(HIWORD(wParam)), info.nTrackPos});
        g_lParams.push_back(lParam);
        return 0;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

// A hidden parent with one scroll-bar control of the given styles, 19 x 100 (vertical) or 100 x 19, range
// 0..99, page 10.
class ControlOnParent {
public:
    explicit ControlOnParent(DWORD dwStyle, LPCWSTR pszClass = L"ScrollBar") {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TkSkinScrollBarParent";
        ::RegisterClassW(&wc);
        m_hParent = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                      wc.hInstance, nullptr);
        const bool bVert = (dwStyle & SBS_VERT) != 0;
        m_hWnd = ::CreateWindowExW(0, pszClass, L"", WS_CHILD | WS_VISIBLE | dwStyle, 0, 0, bVert ? 19 : 100,
                                   bVert ? 100 : 19, m_hParent, nullptr, wc.hInstance, nullptr);
        EXPECT_NE(m_hWnd, nullptr);
        const SCROLLINFO info = {sizeof(info), SIF_ALL, 0, 99, 10, 0, 0};
        ::SetScrollInfo(m_hWnd, SB_CTL, &info, TRUE);
        g_notifications.clear();
        g_lParams.clear();
    }
    ~ControlOnParent() { ::DestroyWindow(m_hParent); }
    ControlOnParent(const ControlOnParent&) = delete;
    ControlOnParent& operator=(const ControlOnParent&) = delete;

    CTkSkinObjectScrollBar* Object() const {
        return dynamic_cast<CTkSkinObjectScrollBar*>(GetSkinManager()->FindSkinObject(m_hWnd));
    }
    void Print(SkinCanvas& dc) const {
        dc.FillSolidRect(0, 0, dc.GetWidth(), dc.GetHeight(), kCanvasBackground);
        ::SendMessageW(m_hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), PRF_CLIENT);
    }
    void Post(UINT message, int x, int y, WPARAM wParam = MK_LBUTTON) const {
        ::PostMessageW(m_hWnd, message, wParam, MAKELPARAM(x, y));
    }

    HWND m_hParent = nullptr;
    HWND m_hWnd = nullptr;
};

std::vector<std::pair<int, int>> Sent() {
    std::vector<std::pair<int, int>> sent;
    for (const ScrollNotification& n : g_notifications)
        sent.emplace_back(n.nCommand, n.nPosition);
    return sent;
}

}  // namespace

// The system's class, the names other frameworks give it and a class of the program's own under the same
// name all get the scroll-bar object, which draws with the SCROLLBAR class.
TEST(SkinScrollBarControl, TheClassTableNamesItsObject) {
    OpenStateCodedSkin();
    for (LPCWSTR pszClass : {L"ScrollBar", L"ATL:ScrollBar", L"TScrollBar"}) {
        WNDCLASSW wc{};
        if (!::GetClassInfoW(nullptr, pszClass, &wc)) {
            wc.lpfnWndProc = ::DefWindowProcW;
            wc.hInstance = ::GetModuleHandleW(nullptr);
            wc.lpszClassName = pszClass;
            EXPECT_NE(::RegisterClassW(&wc), 0);
        }
        ControlOnParent control(SBS_VERT, pszClass);
        CTkSkinObjectScrollBar* pObject = control.Object();
        ASSERT_NE(pObject, nullptr) << CStringA(pszClass).GetString();
        EXPECT_EQ(pObject->GetRuntimeClass(), RUNTIME_CLASS(CTkSkinObjectScrollBar));
        EXPECT_EQ(pObject->GetVisualStyleClass(), L"SCROLLBAR");
    }
}

// The control prints the skin's cells in its state: normal, hot under the mouse, disabled, horizontal;
// a size grip shows the skin's size box on the parent's background.
TEST(SkinScrollBarControl, PrintsTheSkinsCellsInItsState) {
    OpenStateCodedSkin();
    {
        ControlOnParent control(SBS_VERT);
        SkinCanvas dc(19, 100);
        control.Print(dc);
        const SCROLLBARPOSITION& bar = control.Object()->GetControlBar();
        ASSERT_TRUE(bar.bVertical);
        EXPECT_EQ(bar.nBar, SB_CTL);
        const int yThumb = (bar.nThumbStart + bar.nThumbEnd) / 2;
        auto expect = [&](const char* pszCase, int nUp, int nThumb, int nDown) {
            EXPECT_EQ(DecodedCell(dc.At(9, 5)), CellName(kScrollBar, SBP_ARROWBTN, nUp)) << pszCase;
            EXPECT_EQ(DecodedCell(dc.At(9, yThumb)), CellName(kScrollBar, nThumb, SCRBS_NORMAL)) << pszCase;
            EXPECT_EQ(DecodedCell(dc.At(9, 95)), CellName(kScrollBar, SBP_ARROWBTN, nDown)) << pszCase;
        };
        expect("idle", ABS_UPNORMAL, SBP_THUMBBTNVERT, ABS_DOWNNORMAL);
        EXPECT_EQ(DecodedCell(dc.At(9, 50)), CellName(kScrollBar, SBP_UPPERTRACKVERT, SCRBS_NORMAL));

        ::SendMessageW(control.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(9, 95));
        control.Print(dc);
        EXPECT_EQ(DecodedCell(dc.At(9, 95)), CellName(kScrollBar, SBP_ARROWBTN, ABS_DOWNHOT));
        ::SendMessageW(control.m_hWnd, WM_MOUSELEAVE, 0, 0);
        control.Print(dc);
        EXPECT_EQ(DecodedCell(dc.At(9, 95)), CellName(kScrollBar, SBP_ARROWBTN, ABS_DOWNNORMAL));

        ::EnableWindow(control.m_hWnd, FALSE);
        control.Print(dc);
        EXPECT_EQ(DecodedCell(dc.At(9, 5)), CellName(kScrollBar, SBP_ARROWBTN, ABS_UPDISABLED));
        EXPECT_EQ(DecodedCell(dc.At(9, 95)), CellName(kScrollBar, SBP_ARROWBTN, ABS_DOWNDISABLED));
    }
    {
        ControlOnParent control(SBS_HORZ);
        SkinCanvas dc(100, 19);
        control.Print(dc);
        EXPECT_EQ(DecodedCell(dc.At(5, 9)), CellName(kScrollBar, SBP_ARROWBTN, ABS_LEFTNORMAL));
        EXPECT_EQ(DecodedCell(dc.At(95, 9)), CellName(kScrollBar, SBP_ARROWBTN, ABS_RIGHTNORMAL));
    }
    {
        ControlOnParent control(SBS_SIZEGRIP);
        SkinCanvas dc(100, 19);
        control.Print(dc);
        EXPECT_EQ(DecodedCell(dc.At(50, 9)), CellName(kScrollBar, SBP_SIZEBOX, SZB_RIGHTALIGN));
        // A size grip keeps the system's mouse handling: no hot part, no tracking.
        ::SendMessageW(control.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 9));
        EXPECT_EQ(control.Object()->GetControlBar().nHotPart, tkSkinScrollNone);
    }
}

// Pressing an arrow steps once and ends; dragging the thumb tells the parent each new position, which
// the control also answers as its track position, then the last position and the end.
TEST(SkinScrollBarControl, TracksAndNotifiesTheParent) {
    OpenStateCodedSkin();
    ControlOnParent control(SBS_VERT);
    SkinCanvas dc(19, 100);
    control.Print(dc);  // lays the bar out
    const auto lParamControl = reinterpret_cast<LPARAM>(control.m_hWnd);

    control.Post(WM_LBUTTONUP, 9, 95, 0);
    ::SendMessageW(control.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(9, 95));
    EXPECT_EQ(Sent(), (std::vector<std::pair<int, int>>{{SB_LINEDOWN, 0}, {SB_ENDSCROLL, 0}}));
    for (const LPARAM lParam : g_lParams)
        EXPECT_EQ(lParam, lParamControl);

    g_notifications.clear();
    const SCROLLBARPOSITION& bar = control.Object()->GetControlBar();
    const int yPress = bar.nThumbStart + 2;
    control.Post(WM_MOUSEMOVE, 9, yPress + 30);
    control.Post(WM_LBUTTONUP, 9, yPress + 30, 0);
    ::SendMessageW(control.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(9, yPress));
    const int nDragged = ExpectThumbDrag(g_notifications, 0);
    EXPECT_GT(nDragged, 30);
    EXPECT_LT(nDragged, 90);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(control.Object()->GetScrollBarTracking(), nullptr);
}

// The program's skin on scroll-bar controls, for the eye.
TEST(SkinScrollBarControl, ProgramSkinControlsArePrinted) {
    ASSERT_TRUE(GetSkinManager()->OpenSkin(ProgramFolderFile(kProgramSkin).c_str(), nullptr));
    SkinCanvas sheet(170, 130);
    sheet.FillSolidRect(0, 0, sheet.GetWidth(), sheet.GetHeight(), RGB(128, 128, 128));
    const struct {
        DWORD dwStyle;
        int x;
        int y;
    } items[] = {{SBS_VERT, 10, 10}, {SBS_HORZ, 40, 10}, {SBS_SIZEGRIP, 40, 40}};
    for (const auto& item : items) {
        ControlOnParent control(item.dwStyle);
        const SCROLLINFO info = {sizeof(info), SIF_POS, 0, 0, 0, 30, 0};
        ::SetScrollInfo(control.m_hWnd, SB_CTL, &info, TRUE);
        CRect rc;
        ::GetClientRect(control.m_hWnd, &rc);
        SkinCanvas dc(rc.Width(), rc.Height());
        control.Print(dc);
        EXPECT_NE(dc.At(rc.Width() / 2, rc.Height() / 2), kCanvasBackground);
        sheet.BitBlt(item.x, item.y, rc.Width(), rc.Height(), &dc, 0, 0, SRCCOPY);
    }
    WritePng(sheet, L"skin_scrollbar_control.png");
}
