// The frame skin object: caption buttons by style and their tracking, the non-client messages that never
// reach the window's own procedure, the skin's answers to hit tests, backgrounds and control colours.

#include "FoundationTestSupport.h"
#include "SkinTestSupport.h"
#include "TestSkins.h"
#include "TkSkinManagerApiHook.h"
#include "TkSkinManagerMetrics.h"
#include "TkSkinManagerSchema.h"
#include "TkSkinObjectFrame.h"
#include "WaitUntil.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>
#include <vssym32.h>

namespace {

struct SeenMessage {
    UINT message;
    WPARAM wParam;
    DWORD dwStyle;  // the window's style when it arrived
};

std::vector<SeenMessage> g_seen;
// Run by the window's procedure for WM_APP (posted into the caption-button loop).
std::function<void()> g_onApp;
// What the window's procedure answers its parent's control-colour question with.
LRESULT g_nCtlColorReply = 0;

int CountSeen(UINT message) {
    int nCount = 0;
    for (const SeenMessage& seen : g_seen)
        nCount += seen.message == message ? 1 : 0;
    return nCount;
}

LRESULT CALLBACK FrameTestProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    g_seen.push_back({message, wParam, static_cast<DWORD>(::GetWindowLongW(hWnd, GWL_STYLE))});
    if (message == WM_APP && g_onApp)
        g_onApp();
    if (message == WM_SYSCOMMAND)
        return 0;  // the test only wants to know it came
    if (message == WM_CTLCOLORSTATIC && g_nCtlColorReply != 0)
        return g_nCtlColorReply;
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

// A window of this program's own procedure (so the skin meets it in the hooked default procedures).
HWND CreateFrameWindow(DWORD dwStyle, DWORD dwExStyle = 0, HWND hParent = nullptr, HBRUSH hBackground = nullptr) {
    const CString strClass = CString(L"TesselonFrame") + (hBackground != nullptr ? L"Brush" : L"");
    WNDCLASSW wndClass = {};
    HINSTANCE hInstance = ::GetModuleHandleW(nullptr);
    if (!::GetClassInfoW(hInstance, strClass, &wndClass)) {
        wndClass.lpfnWndProc = &FrameTestProc;
        wndClass.hInstance = hInstance;
        wndClass.hbrBackground = hBackground;
        wndClass.lpszClassName = strClass;
        EXPECT_NE(::RegisterClassW(&wndClass), 0);
    }
    return ::CreateWindowExW(dwExStyle, strClass, L"Frame", dwStyle, 10, 10, 300, 200, hParent, nullptr, hInstance,
                             nullptr);
}

CTkSkinObjectFrame* FrameOf(HWND hWnd) {
    return dynamic_cast<CTkSkinObjectFrame*>(GetSkinManager()->FindSkinObject(hWnd));
}

struct ButtonRow {
    int nPart;
    int nHitTest;
    UINT nCommand;
    BOOL bEnabled;
};

}  // namespace

// Which caption buttons a window gets, from its styles.
TEST(SkinFrame, CaptionButtonsFollowTheStyles) {
    OpenStateCodedSkin();
    constexpr DWORD kOverlapped = WS_OVERLAPPEDWINDOW;
    struct Row {
        const char* pszCase;
        DWORD dwStyle;
        DWORD dwExStyle;
        std::vector<ButtonRow> buttons;
    };
    const Row rows[] = {
        {"overlapped",
         kOverlapped,
         0,
         {{WP_CLOSEBUTTON, HTCLOSE, SC_CLOSE, TRUE},
          {WP_MAXBUTTON, HTMAXBUTTON, SC_MAXIMIZE, TRUE},
          {WP_MINBUTTON, HTMINBUTTON, SC_MINIMIZE, TRUE}}},
        {"no system menu", WS_CAPTION | WS_MINIMIZEBOX, 0, {}},
        {"no caption", WS_POPUP | WS_SYSMENU, 0, {}},
        {"tool window",
         kOverlapped,
         WS_EX_TOOLWINDOW | WS_EX_CONTEXTHELP,
         {{WP_SMALLCLOSEBUTTON, HTCLOSE, SC_CLOSE, TRUE}}},
        {"maximize only",
         WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX,
         WS_EX_CONTEXTHELP,
         {{WP_CLOSEBUTTON, HTCLOSE, SC_CLOSE, TRUE},
          {WP_MAXBUTTON, HTMAXBUTTON, SC_MAXIMIZE, TRUE},
          {WP_MINBUTTON, HTMINBUTTON, SC_MINIMIZE, FALSE},
          {WP_HELPBUTTON, HTHELP, SC_CONTEXTHELP, TRUE}}},
        {"maximized",
         kOverlapped | WS_MAXIMIZE,
         0,
         {{WP_CLOSEBUTTON, HTCLOSE, SC_CLOSE, TRUE},
          {WP_RESTOREBUTTON, HTMAXBUTTON, SC_RESTORE, TRUE},
          {WP_MINBUTTON, HTMINBUTTON, SC_MINIMIZE, TRUE}}},
        {"minimized",
         kOverlapped | WS_MINIMIZE,
         0,
         {{WP_CLOSEBUTTON, HTCLOSE, SC_CLOSE, TRUE},
          {WP_MAXBUTTON, HTMAXBUTTON, SC_MAXIMIZE, TRUE},
          {WP_RESTOREBUTTON, HTMINBUTTON, SC_RESTORE, TRUE}}},
    };
    for (const Row& row : rows) {
        HWND hWnd = CreateFrameWindow(row.dwStyle, row.dwExStyle);
        ASSERT_NE(hWnd, nullptr) << row.pszCase;
        // The styles as they are after creation (the system may add some).
        ::SetWindowLongW(hWnd, GWL_STYLE, static_cast<LONG>(row.dwStyle));
        CTkSkinObjectFrame* pFrame = FrameOf(hWnd);
        ASSERT_NE(pFrame, nullptr);
        pFrame->RebuildCaptionButtons();
        const auto& buttons = pFrame->GetCaptionButtons();
        ASSERT_EQ(buttons.size(), row.buttons.size()) << row.pszCase;
        for (size_t i = 0; i < buttons.size(); ++i) {
            EXPECT_EQ(buttons[i]->m_nPart, row.buttons[i].nPart) << row.pszCase << " button " << i;
            EXPECT_EQ(buttons[i]->m_nHitTest, row.buttons[i].nHitTest) << row.pszCase << " button " << i;
            EXPECT_EQ(buttons[i]->m_nCommand, row.buttons[i].nCommand) << row.pszCase << " button " << i;
            EXPECT_EQ(buttons[i]->m_bEnabled, row.buttons[i].bEnabled) << row.pszCase << " button " << i;
        }
        ::DestroyWindow(hWnd);
    }

    // A close item greyed in the system menu disables the button.
    HWND hWnd = CreateFrameWindow(kOverlapped);
    ::EnableMenuItem(::GetSystemMenu(hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    ::SetWindowLongW(hWnd, GWL_STYLE, static_cast<LONG>(kOverlapped | WS_VISIBLE));
    CTkSkinObjectFrame* pFrame = FrameOf(hWnd);
    pFrame->RebuildCaptionButtons();
    EXPECT_FALSE(pFrame->GetCaptionButtons().front()->m_bEnabled);
    ::DestroyWindow(hWnd);
}

// The skin lays the client area out itself: the window's procedure computes nothing, and the skin's
// scroll bars take their room inside the frame.
TEST(SkinFrame, TheSkinLaysOutTheClientArea) {
    CTkSkinManager* pManager = OpenStateCodedSkin();
    for (const DWORD dwExStyle : {0ul, static_cast<DWORD>(WS_EX_LEFTSCROLLBAR)}) {
        const DWORD dwStyle = WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL;
        HWND hWnd = CreateFrameWindow(dwStyle, dwExStyle);
        // The system adds its edge styles to an overlapped window.
        RECT rcBorders = {};
        pManager->GetSchema()->GetFrameBorders(&rcBorders, CWnd::FromHandle(hWnd));
        CRect rcWindow;
        ::GetWindowRect(hWnd, &rcWindow);
        CRect rcClient;
        ::GetClientRect(hWnd, &rcClient);
        ::MapWindowPoints(hWnd, nullptr, reinterpret_cast<POINT*>(&rcClient), 2);
        const bool bLeft = dwExStyle != 0;
        EXPECT_EQ(rcClient.left, rcWindow.left + rcBorders.left + (bLeft ? kScrollBarWidth : 0));
        EXPECT_EQ(rcClient.top, rcWindow.top + rcBorders.top);
        EXPECT_EQ(rcClient.right, rcWindow.right - rcBorders.right - (bLeft ? 0 : kScrollBarWidth));
        EXPECT_EQ(rcClient.bottom, rcWindow.bottom - rcBorders.bottom - kScrollBarHeight);
        ::DestroyWindow(hWnd);
    }
}

// The system's caption buttons lie elsewhere than the skin's: its HTCLOSE is a caption unless the skin's own
// button is under the point; the skin's scroll bar answers for itself.
TEST(SkinFrame, HitTestsAnswerWithTheSkinsButtons) {
    OpenStateCodedSkin();
    HWND hWnd = CreateFrameWindow(WS_CAPTION | WS_SYSMENU | WS_VSCROLL);
    CTkSkinObjectFrame* pFrame = FrameOf(hWnd);
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    // Where the system puts its close button: outside the client area (the skin's bar is there).
    const CPoint ptSystemClose(rc.right - 8, rc.top + 6);
    const CPoint ptBar(rc.right - 8, rc.bottom - 20);
    auto hitTest = [&](CPoint pt) { return ::SendMessageW(hWnd, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)); };
    EXPECT_EQ(hitTest(ptSystemClose), HTCAPTION);
    EXPECT_EQ(hitTest(ptBar), HTVSCROLL);
    pFrame->RebuildCaptionButtons();
    pFrame->GetCaptionButtons().front()->m_rcButton = CRect(rc.Width() - 12, 2, rc.Width() - 2, 12);
    EXPECT_EQ(hitTest(ptSystemClose), HTCLOSE);
    ::DestroyWindow(hWnd);
}

// Printing the non-client area alone paints the skin's frame without the window's default processing;
// with the client the default processing runs too.
TEST(SkinFrame, PrintingTheFrameAloneSkipsTheDefaultProcessing) {
    OpenStateCodedSkin();
    HWND hWnd = CreateFrameWindow(WS_OVERLAPPEDWINDOW);
    ::ShowWindow(hWnd, SW_SHOWNOACTIVATE);
    CScopedMemDC dc(300, 200);
    for (const LPARAM nFlags : {static_cast<LPARAM>(PRF_NONCLIENT), static_cast<LPARAM>(PRF_NONCLIENT | PRF_CLIENT)}) {
        g_seen.clear();
        ::SendMessageW(hWnd, WM_PRINT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), nFlags);
        EXPECT_EQ(CountSeen(WM_PRINTCLIENT), nFlags == PRF_NONCLIENT ? 0 : 1) << "flags " << nFlags;
    }
    ::DestroyWindow(hWnd);
}

// A skinned window printed alone shows the skin end to end: the caption in the window's activation, the
// close button normal, hot and disabled, and the window's scroll bar with its arrow and thumb.
TEST(SkinFrame, PrintedFramesShowTheSkinInTheWindowsState) {
    OpenStateCodedSkin();
    HWND hWnd = CreateFrameWindow(WS_OVERLAPPEDWINDOW | WS_VSCROLL);
    const SCROLLINFO info = {sizeof(info), SIF_ALL, 0, 99, 20, 30, 0};
    ::SetScrollInfo(hWnd, SB_VERT, &info, TRUE);
    CTkSkinObjectFrame* pFrame = FrameOf(hWnd);
    CRect rcWindow;
    ::GetWindowRect(hWnd, &rcWindow);
    SkinCanvas dc(rcWindow.Width(), rcWindow.Height());
    auto print = [&] {
        dc.FillSolidRect(0, 0, rcWindow.Width(), rcWindow.Height(), kCanvasBackground);
        ::SendMessageW(hWnd, WM_PRINT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), PRF_NONCLIENT);
    };
    auto closeCentre = [&] { return CRect(pFrame->GetCaptionButtons().front()->m_rcButton).CenterPoint(); };
    auto sampleCaption = [&] { return DecodedCell(dc.At(rcWindow.Width() / 2, pFrame->GetBorders().top - 1)); };
    auto sampleClose = [&] { return DecodedCell(dc.At(closeCentre().x, closeCentre().y)); };

    ::SendMessageW(hWnd, WM_NCACTIVATE, TRUE, 0);
    ::SendMessageW(hWnd, WM_NCPAINT, 1, 0);
    print();
    EXPECT_EQ(sampleCaption(), CellName(kWindow, WP_CAPTION, FS_ACTIVE));
    EXPECT_EQ(sampleClose(), CellName(kWindow, WP_CLOSEBUTTON, CBS_NORMAL));
    const SCROLLBARPOSITION& bar = pFrame->GetScrollBarPosition(1);
    ASSERT_TRUE(bar.bVisible);
    EXPECT_EQ(DecodedCell(dc.At(bar.rc.left + 1, bar.rc.top + 1)), CellName(kScrollBar, SBP_ARROWBTN, ABS_UPNORMAL));
    EXPECT_EQ(DecodedCell(dc.At(bar.rc.left + 1, bar.nFirstArrowEnd + 1)),
              CellName(kScrollBar, SBP_LOWERTRACKVERT, SCRBS_NORMAL));
    // The thumb, under its gripper.
    EXPECT_EQ(DecodedCell(dc.At(bar.rc.left + 1, bar.nThumbStart + 1)),
              CellName(kScrollBar, SBP_GRIPPERVERT, SCRBS_NORMAL));

    const CPoint ptClose = closeCentre() + rcWindow.TopLeft();
    ::SendMessageW(hWnd, WM_NCMOUSEMOVE, HTCLOSE, MAKELPARAM(ptClose.x, ptClose.y));
    print();
    EXPECT_EQ(sampleClose(), CellName(kWindow, WP_CLOSEBUTTON, CBS_HOT));

    ::EnableMenuItem(::GetSystemMenu(hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    ::SetWindowLongW(hWnd, GWL_STYLE, static_cast<LONG>(::GetWindowLongW(hWnd, GWL_STYLE) & ~WS_MAXIMIZEBOX));
    ::SendMessageW(hWnd, WM_NCACTIVATE, FALSE, 0);
    print();
    EXPECT_EQ(sampleCaption(), CellName(kWindow, WP_CAPTION, FS_INACTIVE));
    EXPECT_EQ(sampleClose(), CellName(kWindow, WP_CLOSEBUTTON, CBS_DISABLED + 4));
    ::DestroyWindow(hWnd);
}

// The program's skin on a window: active and inactive frames with both scroll bars, for the eye.
TEST(SkinFrame, ProgramSkinFramesArePrinted) {
    CTkSkinManager* pManager = GetSkinManager();
    ASSERT_TRUE(pManager->OpenSkin(ProgramFolderFile(kProgramSkin).c_str(), nullptr));
    HWND hWnd = CreateFrameWindow(WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL);
    ::SetWindowTextW(hWnd, L"Tesselon Server");
    const SCROLLINFO info = {sizeof(info), SIF_ALL, 0, 99, 20, 30, 0};
    ::SetScrollInfo(hWnd, SB_VERT, &info, TRUE);
    ::SetScrollInfo(hWnd, SB_HORZ, &info, TRUE);
    CRect rcWindow;
    ::GetWindowRect(hWnd, &rcWindow);
    const int cx = rcWindow.Width();
    const int cy = rcWindow.Height();
    SkinCanvas sheet(2 * cx + 30, cy + 20);
    sheet.FillSolidRect(0, 0, sheet.GetWidth(), sheet.GetHeight(), RGB(128, 128, 128));
    for (const BOOL bActive : {TRUE, FALSE}) {
        ::SendMessageW(hWnd, WM_NCACTIVATE, bActive, 0);
        SkinCanvas dc(cx, cy);
        ::SendMessageW(hWnd, WM_PRINT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), PRF_NONCLIENT);
        // The frame painted something of the skin's over the whole caption.
        EXPECT_NE(dc.At(cx / 2, 2), kCanvasBackground);
        const int x = bActive ? 10 : cx + 20;
        CRgn rgn;
        rgn.CreateRectRgn(0, 0, 0, 0);
        if (::GetWindowRgn(hWnd, rgn) == ERROR)
            rgn.SetRectRgn(0, 0, cx, cy);
        rgn.OffsetRgn(x, 10);
        sheet.SelectObject(&rgn);
        sheet.BitBlt(x, 10, cx, cy, &dc, 0, 0, SRCCOPY);
        sheet.SelectClipRgn(nullptr);
    }
    WritePng(sheet, L"skin_program_window.png");
    ::DestroyWindow(hWnd);
}

namespace {

// A frame window with its close button hot under the cursor, ready for a press.
struct CaptionPress {
    HWND hWnd = nullptr;
    CTkSkinObjectFrame* pFrame = nullptr;
    CPoint ptCursor;

    CaptionPress() {
        OpenStateCodedSkin();
        hWnd = CreateFrameWindow(WS_OVERLAPPEDWINDOW);
        pFrame = FrameOf(hWnd);
        pFrame->RebuildCaptionButtons();
        pFrame->RedrawFrame();  // the skin lays the buttons out
        ::GetCursorPos(&ptCursor);
        // The window moves its close button under the cursor, wherever that is.
        Cover(true);
        ::SendMessageW(hWnd, WM_NCMOUSEMOVE, HTCLOSE, MAKELPARAM(ptCursor.x, ptCursor.y));
        EXPECT_EQ(pFrame->GetHotButton(), pFrame->GetCaptionButtons().front().get());
        g_seen.clear();
    }
    ~CaptionPress() {
        g_onApp = nullptr;
        ::DestroyWindow(hWnd);
    }
    // Moves the window so that its close button lies under the cursor, or away from it.
    void Cover(bool bUnder) {
        const CPoint ptButton = CRect(pFrame->GetCaptionButtons().front()->m_rcButton).CenterPoint();
        const CPoint pt = ptCursor - ptButton + CPoint(bUnder ? 0 : 60, 0);
        ::SetWindowPos(hWnd, nullptr, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // Presses the hot button; the loop then handles what was posted before.
    void Press() { ::SendMessageW(hWnd, WM_NCLBUTTONDOWN, HTCLOSE, MAKELPARAM(ptCursor.x, ptCursor.y)); }
    void Post(UINT message) { ::PostMessageW(hWnd, message, 0, 0); }
};

}  // namespace

// Pressing a caption button, leaving it and releasing sends nothing; coming back over it first sends its
// command. A quit message or a lost capture ends the press without a command, and the quit stays queued.
TEST(SkinFrame, CaptionButtonsClickOnlyWhenReleasedOverThem) {
    struct Row {
        const char* pszCase;
        std::vector<bool> moves;  // before each move: the button under the cursor or not
        bool bClick;
    };
    const Row rows[] = {
        {"released over it", {true}, true},
        {"left and released elsewhere", {true, false}, false},
        {"left and come back", {false, true}, true},
    };
    for (const Row& row : rows) {
        CaptionPress press;
        for (const bool bUnder : row.moves) {
            g_onApp = [&press, bUnder] { press.Cover(bUnder); };
            press.Post(WM_APP);
            press.Post(WM_MOUSEMOVE);
        }
        press.Post(WM_LBUTTONUP);
        press.Press();
        EXPECT_EQ(CountSeen(WM_SYSCOMMAND), row.bClick ? 1 : 0) << row.pszCase;
        EXPECT_EQ(::GetCapture(), nullptr) << row.pszCase;
        EXPECT_EQ(press.pFrame->GetPressedButton(), nullptr) << row.pszCase;
    }

    {
        CaptionPress press;
        // The quit comes once the posted messages are gone: nothing but it ends this press.
        ::PostQuitMessage(7);
        press.Press();
        EXPECT_EQ(CountSeen(WM_SYSCOMMAND), 0);
        MSG msg;
        ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
        EXPECT_EQ(msg.wParam, 7u);
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    {
        CaptionPress press;
        g_onApp = [] { ::ReleaseCapture(); };
        press.Post(WM_APP);
        press.Press();
        EXPECT_EQ(CountSeen(WM_SYSCOMMAND), 0);
    }
}

// Activation is drawn by the skin: the answer is the skin's, a disabled window is drawn inactive, and a
// class-library window that stays active keeps its active caption.
TEST(SkinFrame, ActivationFollowsTheSkinsRules) {
    OpenStateCodedSkin();
    HWND hWnd = CreateFrameWindow(WS_OVERLAPPEDWINDOW);
    CTkSkinObjectFrame* pFrame = FrameOf(hWnd);
    EXPECT_TRUE(::SendMessageW(hWnd, WM_NCACTIVATE, TRUE, 0));
    EXPECT_TRUE(pFrame->IsActive());
    EXPECT_TRUE(::SendMessageW(hWnd, WM_NCACTIVATE, FALSE, 0));
    EXPECT_FALSE(pFrame->IsActive());
    ::EnableWindow(hWnd, FALSE);
    ::SendMessageW(hWnd, WM_NCACTIVATE, TRUE, 0);
    EXPECT_FALSE(pFrame->IsActive()) << "a disabled window is drawn inactive";
    ::EnableWindow(hWnd, TRUE);

    CWnd wnd;
    ASSERT_TRUE(wnd.Attach(hWnd));
    wnd.m_nFlags |= WF_STAYACTIVE;
    ::SendMessageW(hWnd, WM_NCACTIVATE, FALSE, 0);
    EXPECT_TRUE(pFrame->IsActive()) << "the window stays active";
    wnd.Detach();
    ::DestroyWindow(hWnd);
}

// When the z order of a skinned window changes, the skin lets its procedure forget the scroll bars and
// dialog frame it draws itself, a second later.
TEST(SkinFrame, ReorderedWindowsForgetTheirOwnScrollBars) {
    OpenStateCodedSkin();
    HWND hWnd = CreateFrameWindow(WS_OVERLAPPEDWINDOW | WS_VSCROLL);
    g_seen.clear();
    ::NotifyWinEvent(EVENT_OBJECT_REORDER, hWnd, OBJID_WINDOW, CHILDID_SELF);
    auto calculatedWithoutBar = [] {
        for (const SeenMessage& seen : g_seen) {
            if (seen.message == WM_NCCALCSIZE && (seen.dwStyle & WS_VSCROLL) == 0)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(PumpUntil(calculatedWithoutBar, 5000));
    EXPECT_NE(::GetWindowLongW(hWnd, GWL_STYLE) & WS_VSCROLL, 0) << "the style is given back";
    EXPECT_FALSE(::KillTimer(hWnd, kSkinStyleRefreshTimer)) << "the refresh timer is gone";
    ::DestroyWindow(hWnd);
}

// The corner between a window's two bars is a size box only where the window can be sized from it: a
// sizable window, or an uncaptioned child at the bottom-right of one. There it shows the skin's size box
// and answers the sizing hit test of its side.
TEST(SkinFrame, TheCornerBetweenTheBarsIsASizeBoxOfSizableWindows) {
    OpenStateCodedSkin();
    constexpr DWORD kBars = WS_VSCROLL | WS_HSCROLL;
    HWND hSizable = CreateFrameWindow(WS_OVERLAPPEDWINDOW);
    CRect rcParentClient;
    ::GetClientRect(hSizable, &rcParentClient);
    struct Row {
        const char* pszCase;
        DWORD dwStyle;
        DWORD dwExStyle;
        HWND hParent;
        CPoint ptChild;    // a child's position in its parent's client area
        LRESULT nHitTest;  // 0: no size box
    };
    const Row rows[] = {
        {"sizable window", WS_OVERLAPPEDWINDOW | kBars, 0, nullptr, {}, HTBOTTOMRIGHT},
        {"right-to-left window", WS_OVERLAPPEDWINDOW | kBars, WS_EX_LAYOUTRTL, nullptr, {}, HTBOTTOMLEFT},
        {"fixed window", WS_POPUP | WS_CAPTION | WS_SYSMENU | kBars, 0, nullptr, {}, 0},
        {"child in the sizable parent's corner", WS_CHILD | kBars, 0, hSizable,
         rcParentClient.BottomRight() - CSize(300, 200), HTBOTTOMRIGHT},
        {"child elsewhere in it", WS_CHILD | kBars, 0, hSizable, {-100, -100}, 0},
    };
    for (const Row& row : rows) {
        HWND hWnd = CreateFrameWindow(row.dwStyle, row.dwExStyle, row.hParent);
        if (row.hParent != nullptr)
            ::SetWindowPos(hWnd, nullptr, row.ptChild.x, row.ptChild.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        CTkSkinObjectFrame* pFrame = FrameOf(hWnd);
        CRect rcWindow;
        ::GetWindowRect(hWnd, &rcWindow);
        SkinCanvas dc(rcWindow.Width(), rcWindow.Height());
        ::SendMessageW(hWnd, WM_PRINT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), PRF_NONCLIENT);
        const CRect rcHorz = pFrame->GetScrollBarPosition(0).rc;
        const CRect rcVert = pFrame->GetScrollBarPosition(1).rc;
        const CPoint ptCorner((rcVert.left + rcVert.right) / 2, (rcHorz.top + rcHorz.bottom) / 2);
        const std::string sizeBox = CellName(kScrollBar, SBP_SIZEBOX, SZB_RIGHTALIGN);
        if (row.dwExStyle == 0) {
            EXPECT_EQ(DecodedCell(dc.At(ptCorner.x, ptCorner.y)) == sizeBox, row.nHitTest != 0) << row.pszCase;
        }
        const int xScreen = row.dwExStyle != 0 ? rcWindow.right - ptCorner.x : rcWindow.left + ptCorner.x;
        const LRESULT nHit = ::SendMessageW(hWnd, WM_NCHITTEST, 0, MAKELPARAM(xScreen, rcWindow.top + ptCorner.y));
        if (row.nHitTest != 0)
            EXPECT_EQ(nHit, row.nHitTest) << row.pszCase;
        else
            EXPECT_TRUE(nHit != HTBOTTOMRIGHT && nHit != HTBOTTOMLEFT) << row.pszCase << ": " << nHit;
        ::DestroyWindow(hWnd);
    }
    ::DestroyWindow(hSizable);
}

// A right click on the skin's scroll bar lets the window's own procedure lay its bars out for its scroll
// menu, asks for that menu, and hides the bars from the procedure again; elsewhere nothing of it happens.
TEST(SkinFrame, RightClicksOnTheBarsLetTheWindowOfferItsScrollMenu) {
    OpenStateCodedSkin();
    HWND hWnd = CreateFrameWindow(WS_CAPTION | WS_SYSMENU | WS_VSCROLL);
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    const CPoint ptBar(rc.right - 8, rc.bottom - 20);
    ASSERT_EQ(::SendMessageW(hWnd, WM_NCHITTEST, 0, MAKELPARAM(ptBar.x, ptBar.y)), HTVSCROLL);
    g_seen.clear();
    ::SendMessageW(hWnd, WM_NCRBUTTONUP, HTVSCROLL, MAKELPARAM(ptBar.x, ptBar.y));
    std::vector<std::pair<UINT, bool>> seen;  // message, with the bar in the style
    for (const SeenMessage& message : g_seen) {
        if (message.message == WM_NCCALCSIZE || message.message == WM_CONTEXTMENU)
            seen.emplace_back(message.message, (message.dwStyle & WS_VSCROLL) != 0);
    }
    const std::vector<std::pair<UINT, bool>> expected = {
        {WM_NCCALCSIZE, true}, {WM_CONTEXTMENU, true}, {WM_NCCALCSIZE, false}};
    EXPECT_EQ(seen, expected);
    EXPECT_NE(::GetWindowLongW(hWnd, GWL_STYLE) & WS_VSCROLL, 0) << "the style is given back";

    g_seen.clear();
    const CPoint ptCaption(rc.left + 20, rc.top + 6);
    ::SendMessageW(hWnd, WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(ptCaption.x, ptCaption.y));
    EXPECT_EQ(CountSeen(WM_NCCALCSIZE), 0);
    ::DestroyWindow(hWnd);
}

// A class background of a system colour value paints in the skin's colour; the class keeps its value.
TEST(SkinFrame, ClassBackgroundsOfSystemColoursPaintInSkinColours) {
    OpenStateCodedSkin();
    const auto hColourValue = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_INFOBK + 1));
    HWND hWnd = CreateFrameWindow(WS_POPUP, 0, nullptr, hColourValue);
    CScopedMemDC dc(300, 200);
    ::SendMessageW(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    EXPECT_EQ(PixelAt(dc, 20, 20), TestSkinSysColor(COLOR_INFOBK));
    EXPECT_EQ(::GetClassLongPtrW(hWnd, GCLP_HBRBACKGROUND), reinterpret_cast<ULONG_PTR>(hColourValue));
    ::DestroyWindow(hWnd);
}

// Dialog controls take the skin's colours, and a child's background follows its parent's answer.
TEST(SkinFrame, ControlColoursComeFromTheSkin) {
    OpenStateCodedSkin();
    CTkSkinManagerMetrics* pMetrics = GetSkinManager()->GetMetrics();
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
    reinterpret_cast<DLGTEMPLATE*>(words.data())->style = WS_POPUP | WS_CAPTION;
    HWND hDialog = ::CreateDialogIndirectParamW(
        nullptr, reinterpret_cast<DLGTEMPLATE*>(words.data()), nullptr,
        [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    HWND hEdit = ::CreateWindowExW(0, L"Edit", L"", WS_CHILD, 0, 0, 50, 20, hDialog, nullptr, nullptr, nullptr);
    HWND hStatic = ::CreateWindowExW(0, L"Static", L"", WS_CHILD, 0, 0, 50, 20, hDialog, nullptr, nullptr, nullptr);
    CScopedMemDC dc(4, 4);
    const auto wDC = reinterpret_cast<WPARAM>(dc.GetSafeHdc());
    EXPECT_EQ(::SendMessageW(hDialog, WM_CTLCOLOREDIT, wDC, reinterpret_cast<LPARAM>(hEdit)),
              reinterpret_cast<LRESULT>(pMetrics->GetBrush(COLOR_WINDOW)));
    EXPECT_EQ(dc.GetBkColor(), TestSkinSysColor(COLOR_WINDOW));
    EXPECT_EQ(dc.GetTextColor(), TestSkinSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(::SendMessageW(hDialog, WM_CTLCOLORSTATIC, wDC, reinterpret_cast<LPARAM>(hStatic)),
              reinterpret_cast<LRESULT>(pMetrics->GetBrush(COLOR_BTNFACE)));
    EXPECT_EQ(dc.GetTextColor(), TestSkinSysColor(COLOR_BTNTEXT));
    ::DestroyWindow(hDialog);

    HWND hParent = CreateFrameWindow(WS_POPUP);
    HWND hChild = CreateFrameWindow(WS_CHILD, 0, hParent);
    CTkSkinObjectFrame* pChild = FrameOf(hChild);
    HBRUSH hOwnBrush = ::CreateSolidBrush(RGB(1, 2, 3));
    struct Row {
        LRESULT nReply;
        HBRUSH hExpected;
    };
    const Row rows[] = {
        {reinterpret_cast<LRESULT>(hOwnBrush), hOwnBrush},
        {COLOR_INFOBK + 1, pMetrics->GetBrush(COLOR_INFOBK)},  // a system colour value
        {0, pMetrics->GetBrush(COLOR_BTNFACE)},                // no answer
    };
    for (const Row& row : rows) {
        g_nCtlColorReply = row.nReply;
        EXPECT_EQ(pChild->GetCtlColorBrush(&dc, WM_CTLCOLORSTATIC), row.hExpected) << "reply " << row.nReply;
    }
    g_nCtlColorReply = 0;
    ::DestroyWindow(hParent);
    ::DeleteObject(hOwnBrush);
}

// The paint DC of a skin object never throws: a DC handed over in wParam is used, and a window that cannot
// be painted gets no DC.
TEST(SkinFrame, PaintDCsUseTheGivenDCAndNeverThrow) {
    OpenStateCodedSkin();
    HWND hWnd = CreateFrameWindow(WS_POPUP);
    CTkSkinObjectFrame* pFrame = FrameOf(hWnd);
    CScopedMemDC dc(4, 4);
    {
        const CTkSkinCurrentMessage current(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
        CTkSkinObjectPaintDC paintDC(pFrame);
        EXPECT_EQ(paintDC.GetSafeHdc(), dc.GetSafeHdc());
    }
    EXPECT_NE(::GetObjectType(dc.GetSafeHdc()), 0u) << "the given DC is not deleted";
    CWnd dead;
    dead.m_hWnd = hWnd;
    ::DestroyWindow(hWnd);
    {
        const CTkSkinCurrentMessage current(hWnd, WM_PAINT, 0, 0);
        CTkSkinObjectPaintDC paintDC(&dead);
        EXPECT_EQ(paintDC.GetSafeHdc(), nullptr);
    }
    dead.m_hWnd = nullptr;
}
