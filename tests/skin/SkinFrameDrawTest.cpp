#include "FoundationTestSupport.h"
#include "MultiMonitorHelper.h"
#include "SkinTestSupport.h"
#include "TestSkins.h"
#include "TkSkinManagerClass.h"
#include "TkSkinManagerMetrics.h"
#include "TkSkinManagerSchemaDefault.h"
#include "TkSkinScrollBar.h"

#include <vector>

namespace {

constexpr int kWindow = 6;  // the state-coded skin's class ids
constexpr int kScrollBar = 21;
constexpr int kEdit = 22;

// A hidden top-level window of a class without icons; the schema reads its styles, size and text.
class TestWindow {
public:
    TestWindow(DWORD dwStyle, DWORD dwExStyle, int cx = 200, int cy = 150) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TkSkinTestFrame";
        ::RegisterClassW(&wc);
        m_hWnd = ::CreateWindowExW(dwExStyle, wc.lpszClassName, L"", dwStyle & ~WS_VISIBLE, 0, 0, cx, cy, nullptr,
                                   nullptr, wc.hInstance, nullptr);
        EXPECT_NE(m_hWnd, nullptr);
    }
    ~TestWindow() { ::DestroyWindow(m_hWnd); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    CWnd* Wnd() const { return CWnd::FromHandle(m_hWnd); }
    HWND Handle() const { return m_hWnd; }

private:
    HWND m_hWnd = nullptr;
};

CTkSkinManagerSchemaDefault* SchemaOf(CTkSkinManager& manager) {
    return static_cast<CTkSkinManagerSchemaDefault*>(manager.GetSchema());
}

// The cases that draw with the state-coded skin.
class SkinFrameDraw : public ::testing::Test {
protected:
    LoadedSkin m_skin{kStateCodedModule};
    CTkSkinManagerSchemaDefault* m_pSchema = SchemaOf(m_skin.Manager());
};

// The frame of a window as its frame object would describe it.
SKINFRAMEINFO FrameOf(CTkSkinManagerSchemaDefault* pSchema, const TestWindow& window, BOOL bActive = TRUE) {
    SKINFRAMEINFO frame;
    frame.pWnd = window.Wnd();
    frame.bActive = bActive;
    frame.strClassName = L"WINDOW";
    pSchema->GetFrameBorders(&frame.rcBorders, frame.pWnd);
    return frame;
}

}  // namespace

// Frame widths by style: caption (small for tool windows), window edges and frames counted in borders, the
// client edge; a maximized captioned window keeps the system's frame width around the skin's caption.
TEST_F(SkinFrameDraw, FrameBordersFollowTheStyles) {
    const CTkSkinManagerMetrics* pMetrics = m_skin.Manager().GetMetrics();
    ASSERT_EQ(pMetrics->GetBorderWidth(), 1);
    ASSERT_EQ(pMetrics->GetBorderMultiplier(), 1);
    const int cyCaption = pMetrics->GetCaptionHeight();  // 25: the skin's 24 and the line it leaves out
    const int cySmall = pMetrics->GetSmallCaptionHeight();
    const int cxEdge = pMetrics->GetEdgeWidth();
    RECT rcMaximized = {0, 0, 100, 100};
    ::AdjustWindowRectEx(&rcMaximized, WS_OVERLAPPEDWINDOW | WS_MAXIMIZE, FALSE, WS_EX_WINDOWEDGE);
    const int b = -rcMaximized.left;
    const struct {
        const char* pszName;
        DWORD dwStyle;
        DWORD dwExStyle;
        RECT rcBorders;
        int nWindowBorders;  // with the client edge counted
    } rows[] = {
        {"overlapped", WS_OVERLAPPEDWINDOW, WS_EX_WINDOWEDGE, {4, cyCaption + 4, 4, 4}, 4},
        {"tool window", WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW, {1, cySmall + 1, 1, 1}, 1},
        {"static edge and dialog frame", WS_POPUP | WS_DLGFRAME, WS_EX_STATICEDGE, {2, 2, 2, 2}, 2},
        {"bordered child with a client edge",
         WS_CHILD | WS_BORDER,
         WS_EX_CLIENTEDGE,
         {1 + cxEdge, 1 + cxEdge, 1 + cxEdge, 1 + cxEdge},
         3},
        {"modal frame", WS_POPUP, WS_EX_DLGMODALFRAME, {1, 1, 1, 1}, 1},
        {"nothing", WS_POPUP, 0, {0, 0, 0, 0}, 0},
        {"maximized", WS_OVERLAPPEDWINDOW | WS_MAXIMIZE, WS_EX_WINDOWEDGE, {b, cyCaption + b, b, b}, 4},
        {"maximized child", WS_CHILD | WS_CAPTION | WS_MAXIMIZE, 0, {1, cyCaption + 1, 1, 1}, 1},
    };
    for (const auto& row : rows) {
        RECT rc;
        m_pSchema->CalcFrameBorders(&rc, row.dwStyle, row.dwExStyle);
        EXPECT_TRUE(::EqualRect(&rc, &row.rcBorders))
            << row.pszName << ": " << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
        EXPECT_EQ(m_pSchema->GetWindowBorders(row.dwStyle, row.dwExStyle, TRUE, TRUE), row.nWindowBorders)
            << row.pszName;
    }
}

// Caption buttons sit at the right end of the caption, square for tool windows, as high as the caption
// minus the window's borders and 5 (2 less with a client edge); a close button image wider than high gives
// wider buttons in its proportion.
TEST_F(SkinFrameDraw, CaptionButtonsAreLaidOutByStyle) {
    const struct {
        const char* pszName;
        DWORD dwStyle;
        DWORD dwExStyle;
        int nTop;
        RECT rcFirst;
    } rows[] = {
        {"overlapped", WS_OVERLAPPEDWINDOW, WS_EX_WINDOWEDGE, 29, {174, 6, 194, 26}},
        {"overlapped with a client edge",
         WS_OVERLAPPEDWINDOW,
         WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE,
         31,
         {174, 6, 194, 26}},
        {"tool window", WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW, 18, {185, 3, 197, 15}},
        {"tool window with a client edge",
         WS_CAPTION | WS_SYSMENU,
         WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE,
         20,
         {185, 3, 197, 15}},
        {"dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE, 29, {174, 5, 195, 26}},
    };
    for (const auto& row : rows) {
        const RECT rc = m_pSchema->CalcCaptionButtonRect(row.dwStyle, row.dwExStyle, 200, row.nTop);
        EXPECT_TRUE(::EqualRect(&rc, &row.rcFirst))
            << row.pszName << ": " << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
    }

    SkinFromText wide("[WINDOW.CLOSEBUTTON]\nBGTYPE = IMAGEFILE\nIMAGEFILE = CLOSE.BMP\n");
    WriteBmpFile(wide.Folder() + L"\\CLOSE.BMP", MakeDib(24, 16, 24, std::vector<DWORD>(24 * 16, 0x808080)));
    wide.Manager().GetMetrics()->RefreshMetrics();
    CTkSkinManagerClass* pWindow = wide.Manager().GetSkinClass(L"WINDOW");
    const SIZE size = SchemaOf(wide.Manager())->GetCaptionButtonSize(pWindow, 20);
    EXPECT_EQ(size.cx, 2 + 30);  // (24 - 16) * 4 / 16 + 24 * 20 / 16
    EXPECT_EQ(size.cy, 20);
}

// The frame of a captioned window: sides and bottom, caption and buttons in the frame's state, small parts
// for tool windows; a client edge takes two pixels of the borders and shows the control's border fill.
TEST_F(SkinFrameDraw, FramesDrawSidesCaptionAndButtonsInTheirStates) {
    struct Row {
        const char* pszName;
        DWORD dwStyle;
        DWORD dwExStyle;
        BOOL bActive;
        int nPartOffset;  // 3 for the small parts of tool windows
        int nCloseButton;
    };
    const Row rows[] = {
        {"active", WS_OVERLAPPEDWINDOW, WS_EX_WINDOWEDGE, TRUE, 0, 18},
        {"inactive", WS_OVERLAPPEDWINDOW, WS_EX_WINDOWEDGE, FALSE, 0, 18},
        {"tool window", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW, TRUE, 3, 19},
    };
    for (const Row& row : rows) {
        TestWindow window(row.dwStyle, row.dwExStyle);
        SKINFRAMEINFO frame = FrameOf(m_pSchema, window, row.bActive);
        frame.buttons = {{row.nCloseButton, 2}, {17, 1}, {15, 4 + (row.bActive ? 0 : 4)}};
        SkinCanvas dc(200, 150);
        m_pSchema->DrawFrame(&dc, &frame);
        const int nState = row.bActive ? 1 : 2;
        const RECT& b = frame.rcBorders;
        EXPECT_EQ(DecodedCell(dc.At(b.left - 1, 75)), CellName(kWindow, 7 + row.nPartOffset, nState)) << row.pszName;
        EXPECT_EQ(DecodedCell(dc.At(199 - b.right + 1, 75)), CellName(kWindow, 8 + row.nPartOffset, nState))
            << row.pszName;
        EXPECT_EQ(DecodedCell(dc.At(100, 149)), CellName(kWindow, 9 + row.nPartOffset, nState)) << row.pszName;
        EXPECT_EQ(DecodedCell(dc.At(100, b.top - 1)), CellName(kWindow, row.nPartOffset == 0 ? 1 : 2, nState))
            << row.pszName;
        EXPECT_EQ(dc.At(100, b.top), kCanvasBackground) << row.pszName;
        int nRight = 200;
        for (const SKINCAPTIONBUTTON& button : frame.buttons) {
            const RECT& rc = button.rc;
            EXPECT_LT(rc.right, nRight) << row.pszName;
            EXPECT_GT(rc.bottom, rc.top) << row.pszName;
            EXPECT_EQ(DecodedCell(dc.At((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2)),
                      CellName(kWindow, button.nPartId, button.nStateId))
                << row.pszName;
            nRight = rc.left;
        }
    }

    TestWindow edged(WS_OVERLAPPEDWINDOW, WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE);
    SKINFRAMEINFO frame = FrameOf(m_pSchema, edged);
    frame.strClassName = L"EDIT";
    CBrush brush;
    brush.CreateSolidBrush(RGB(0, 200, 0));
    frame.hClientBackground = brush;
    SkinCanvas dc(200, 150);
    m_pSchema->DrawFrame(&dc, &frame);
    const RECT& b = frame.rcBorders;
    EXPECT_EQ(DecodedCell(dc.At(b.left - 3, 75)), CellName(kWindow, 7, 1));
    EXPECT_EQ(DecodedCell(dc.At(b.left - 2, 75)), CellName(kEdit, 0, 0));
    EXPECT_EQ(dc.At(b.left - 1, 75), RGB(0, 200, 0));
    EXPECT_EQ(DecodedCell(dc.At(100, b.top - 3)), CellName(kWindow, 1, 1));
    EXPECT_EQ(DecodedCell(dc.At(100, b.top - 2)), CellName(kEdit, 0, 0));
}

// Windows without a caption: a one-pixel frame in the window-frame colour (the face colour for dialog
// frames and edged windows), a thick frame in the face colour, and a client edge: sunken in the edge
// colours, or the border fill of a control class.
TEST_F(SkinFrameDraw, CaptionlessWindowsDrawTheirBordersAndClientEdge) {
    const COLORREF clrGreen = RGB(0, 200, 0);
    struct Row {
        const char* pszName;
        DWORD dwStyle;
        DWORD dwExStyle;
        const wchar_t* pszClass;
        std::vector<COLORREF> ring;  // the pixels from the left edge inwards
    };
    const Row rows[] = {
        {"bordered", WS_POPUP | WS_BORDER, 0, L"WINDOW", {TestSkinSysColor(COLOR_WINDOWFRAME), kCanvasBackground}},
        {"bordered with a sunken client edge",
         WS_POPUP | WS_BORDER,
         WS_EX_CLIENTEDGE,
         L"WINDOW",
         {TestSkinSysColor(COLOR_BTNFACE), TestSkinSysColor(COLOR_3DSHADOW), TestSkinSysColor(COLOR_3DDKSHADOW),
          kCanvasBackground}},
        {"edit's client edge",
         WS_POPUP,
         WS_EX_CLIENTEDGE,
         L"EDIT",
         {TestSkinCellColor(kEdit, 0, 0), clrGreen, kCanvasBackground}},
    };
    CBrush brush;
    brush.CreateSolidBrush(clrGreen);
    for (const Row& row : rows) {
        TestWindow window(row.dwStyle, row.dwExStyle);
        ASSERT_EQ(window.Wnd()->GetExStyle() & (WS_EX_WINDOWEDGE | WS_EX_STATICEDGE), 0u) << row.pszName;
        SKINFRAMEINFO frame = FrameOf(m_pSchema, window);
        frame.strClassName = row.pszClass;
        frame.hClientBackground = brush;
        SkinCanvas dc(200, 150);
        m_pSchema->DrawFrame(&dc, &frame);
        for (size_t x = 0; x < row.ring.size(); ++x) {
            EXPECT_EQ(dc.At(static_cast<int>(x), 75), row.ring[x]) << row.pszName << " at " << x;
            EXPECT_EQ(dc.At(100, static_cast<int>(x)), row.ring[x]) << row.pszName << " at " << x;
        }
    }
}

// Only windows with a system menu and a caption of their own show an icon: the window's, the class's, or
// (but for dialog frames) the one it drags, else the system's.
TEST_F(SkinFrameDraw, CaptionIconsComeFromTheWindowOrTheSystem) {
    const struct {
        const char* pszName;
        DWORD dwStyle;
        DWORD dwExStyle;
        bool bIcon;
    } rows[] = {
        {"overlapped", WS_OVERLAPPEDWINDOW, 0, true},
        {"no system menu", WS_OVERLAPPED | WS_CAPTION, 0, false},
        {"tool window", WS_OVERLAPPEDWINDOW, WS_EX_TOOLWINDOW, false},
        {"dialog frame", WS_POPUP | WS_DLGFRAME | WS_SYSMENU, 0, false},
        {"modal frame", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, false},
    };
    for (const auto& row : rows) {
        TestWindow window(row.dwStyle, row.dwExStyle);
        EXPECT_EQ(m_pSchema->GetFrameIcon(window.Wnd()) != nullptr, row.bIcon) << row.pszName;
    }
    HICON hIcon = ::LoadIconW(nullptr, IDI_INFORMATION);
    TestWindow modal(WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME);
    ::SendMessageW(modal.Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));
    EXPECT_EQ(m_pSchema->GetFrameIcon(modal.Wnd()), hIcon);
}

// The region leaves out the caption image's transparent corners: six pixels at each top corner of the
// state-coded caption.
TEST_F(SkinFrameDraw, RegionsCutTheCaptionCornersOff) {
    TestWindow window(WS_OVERLAPPEDWINDOW, WS_EX_WINDOWEDGE);
    const SKINFRAMEINFO frame = FrameOf(m_pSchema, window);
    for (int nPass = 0; nPass < 2; ++nPass) {  // built, then from the cache
        CRgn rgn;
        rgn.Attach(m_pSchema->GetFrameRegion(frame, 200, 150));
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 5; ++x) {
                const bool bCorner = x + y < 3;
                EXPECT_EQ(rgn.PtInRegion(x, y) != FALSE, !bCorner) << x << "," << y;
                EXPECT_EQ(rgn.PtInRegion(199 - x, y) != FALSE, !bCorner) << 199 - x << "," << y;
            }
        }
        EXPECT_TRUE(rgn.PtInRegion(100, 0));
        EXPECT_TRUE(rgn.PtInRegion(199, 149));
        EXPECT_FALSE(rgn.PtInRegion(200, 100));
    }
}

// A window narrower than the caption's two ends gets an outline scanned for it alone: a wider window of the
// same caption height afterwards still gets its own, with the caption's empty top row cut off.
TEST(SkinFrameOutline, NarrowWindowsGetATemporaryOutline) {
    SkinFromText skin(
        "[WINDOW.CAPTION]\nBGTYPE = IMAGEFILE\nIMAGEFILE = CAP.BMP\nTRANSPARENT = TRUE\n"
        "SIZINGMARGINS = 2, 2, 1, 0\nSIZINGTYPE = STRETCH\n");
    std::vector<DWORD> pixels(8 * 4, 0xC00000);
    for (int x = 0; x < 8; ++x)
        pixels[x] = 0xFF00FF;
    for (int y = 1; y < 4; ++y)
        pixels[y * 8] = 0xFF00FF;
    WriteBmpFile(skin.Folder() + L"\\CAP.BMP", MakeDib(8, 4, 24, pixels));
    skin.Manager().GetMetrics()->RefreshMetrics();
    CTkSkinManagerSchemaDefault* pSchema = SchemaOf(skin.Manager());
    TestWindow window(WS_OVERLAPPEDWINDOW, WS_EX_WINDOWEDGE);
    SKINFRAMEINFO frame = FrameOf(pSchema, window);
    frame.rcBorders.top = 10;
    const struct {
        int nWidth;
        std::vector<POINT> outside;
        std::vector<POINT> inside;
    } rows[] = {
        {3, {{0, 0}, {1, 0}, {2, 0}, {0, 5}}, {{1, 5}, {2, 5}}},
        {200, {{0, 0}, {100, 0}, {199, 0}, {0, 5}}, {{1, 5}, {100, 1}, {199, 5}}},
        {3, {{0, 0}, {2, 0}, {0, 5}}, {{1, 5}, {2, 5}}},
    };
    for (const auto& row : rows) {
        CRgn rgn;
        rgn.Attach(pSchema->GetFrameRegion(frame, row.nWidth, 50));
        for (const POINT& pt : row.outside)
            EXPECT_FALSE(rgn.PtInRegion(pt)) << row.nWidth << ": " << pt.x << "," << pt.y;
        for (const POINT& pt : row.inside)
            EXPECT_TRUE(rgn.PtInRegion(pt)) << row.nWidth << ": " << pt.x << "," << pt.y;
    }
}

// A maximized window's region is its client part inside the frame width; exactly as wide as the work area
// it reaches past the window's far edges.
TEST_F(SkinFrameDraw, MaximizedWindowsGetARectangleInsideTheirBorders) {
    TestWindow window(WS_OVERLAPPEDWINDOW, WS_EX_WINDOWEDGE);
    ::SetWindowLongPtrW(window.Handle(), GWL_STYLE, window.Wnd()->GetStyle() | WS_MAXIMIZE);
    SKINFRAMEINFO frame = FrameOf(m_pSchema, window);
    const int l = frame.rcBorders.left;
    const int nWork = GetMultiMonitorHelper()->GetWorkAreaOfWnd(window.Wnd()).Width();
    const struct {
        int nWidth;
        RECT rcBox;
    } rows[] = {{nWork, {l, l, nWork + 2 * l, 300 + 2 * l}}, {nWork - 10, {l, l, nWork - 10 - l, 300 - l}}};
    for (const auto& row : rows) {
        CRgn rgn;
        rgn.Attach(m_pSchema->GetFrameRegion(frame, row.nWidth, 300));
        RECT rcBox;
        rgn.GetRgnBox(&rcBox);
        EXPECT_TRUE(::EqualRect(&rcBox, &row.rcBox)) << row.nWidth;
    }
}

// Scroll-bar parts in the states that hot part and tracking give them: the hot part shows hot, the tracked
// part pressed while the mouse is on it (the thumb all through its drag), 20-cell arrows show their hover
// cells while the mouse is over the bar; a bar that cannot scroll shows every part disabled, its track
// unbroken.
TEST_F(SkinFrameDraw, ScrollBarPartsShowHotPressedHoverAndDisabled) {
    TestWindow window(WS_POPUP, 0);
    TestWindow disabled(WS_POPUP | WS_DISABLED, 0);
    // Tracking of this bar with the mouse inside the tracked part, outside it, or dragging the thumb; or
    // tracking of another bar.
    enum Tracking { kNone, kInside, kOutside, kDragging, kOther };
    struct Sample {
        int y;
        int nPart;
        int nState;
    };
    struct Row {
        const char* pszName;
        UINT nPage;
        int nHot;
        Tracking tracking;
        bool bDisabledControl;
        std::vector<Sample> samples;  // up arrow, lower track, thumb, upper track, down arrow
    };
    const Row rows[] = {
        {"idle", 10, 0, kNone, false, {{5, 1, 1}, {30, 6, 1}, {50, 3, 1}, {70, 7, 1}, {95, 1, 5}}},
        {"hot thumb", 10, 64, kNone, false, {{5, 1, 17}, {30, 6, 1}, {50, 3, 2}, {70, 7, 1}, {95, 1, 18}}},
        {"hot page after", 10, 63, kNone, false, {{5, 1, 17}, {30, 6, 1}, {50, 3, 1}, {70, 7, 2}, {95, 1, 18}}},
        {"up arrow held", 10, 60, kInside, false, {{5, 1, 3}, {30, 6, 1}, {50, 3, 1}, {70, 7, 1}, {95, 1, 18}}},
        {"page held, mouse off it", 10, 62, kOutside, false, {{5, 1, 17}, {30, 6, 1}, {50, 3, 1}, {95, 1, 18}}},
        {"thumb dragged away", 10, 64, kDragging, false, {{50, 3, 3}, {95, 1, 18}}},
        {"another bar tracked", 10, 64, kOther, false, {{5, 1, 1}, {50, 3, 1}, {95, 1, 5}}},
        {"page covers the range", 100, 64, kNone, false, {{5, 1, 4}, {30, 6, 4}, {50, 6, 4}, {70, 6, 4}, {95, 1, 8}}},
        {"disabled control", 10, 0, kNone, true, {{5, 1, 4}, {30, 6, 4}, {50, 6, 4}, {95, 1, 8}}},
        {"long thumb with gripper", 50, 0, kNone, false, {{60, 9, 1}, {83, 7, 1}}},
    };
    for (const Row& row : rows) {
        SCROLLBARPOSITION bar;
        bar.bVertical = TRUE;
        bar.bVisible = TRUE;
        bar.nBar = row.bDisabledControl ? SB_CTL : SB_VERT;
        const SCROLLINFO info = {sizeof(info), SIF_ALL, 0, 99, row.nPage, 45, 0};
        CalcScrollBarLayout(&bar, {0, 0, 15, 100}, info, m_skin.Manager().GetMetrics());
        bar.nHotPart = row.nHot;
        SCROLLBARPOSITION other;
        SCROLLBARTRACKING tracking;
        tracking.pBar = row.tracking == kOther ? &other : &bar;
        tracking.bInside = row.tracking == kInside || row.tracking == kOther;
        tracking.bThumbDrag = row.tracking == kDragging;
        SKINFRAMEINFO frame = FrameOf(m_pSchema, row.bDisabledControl ? disabled : window);
        frame.pTracking = row.tracking == kNone ? nullptr : &tracking;
        SkinCanvas dc(15, 100);
        m_pSchema->DrawScrollBar(&dc, frame, &bar);
        for (const Sample& sample : row.samples)
            EXPECT_EQ(DecodedCell(dc.At(7, sample.y)), CellName(kScrollBar, sample.nPart, sample.nState))
                << row.pszName << " at " << sample.y;
    }
}

// A horizontal bar draws left and right arrows and the horizontal parts; a bar without thickness draws
// nothing.
TEST_F(SkinFrameDraw, HorizontalAndFlatScrollBars) {
    TestWindow window(WS_POPUP, 0);
    const SKINFRAMEINFO frame = FrameOf(m_pSchema, window);
    SCROLLBARPOSITION bar;
    bar.bVisible = TRUE;
    const SCROLLINFO info = {sizeof(info), SIF_ALL, 0, 99, 10, 45, 0};
    CalcScrollBarLayout(&bar, {0, 0, 100, 19}, info, m_skin.Manager().GetMetrics());  // thumb 46..55
    SkinCanvas dc(100, 19);
    m_pSchema->DrawScrollBar(&dc, frame, &bar);
    const struct {
        int x;
        int nPart;
        int nState;
    } samples[] = {{5, 1, 9}, {30, 4, 1}, {50, 2, 1}, {70, 5, 1}, {95, 1, 13}};
    for (const auto& sample : samples)
        EXPECT_EQ(DecodedCell(dc.At(sample.x, 9)), CellName(kScrollBar, sample.nPart, sample.nState)) << sample.x;

    CalcScrollBarLayout(&bar, {0, 0, 100, 0}, info, m_skin.Manager().GetMetrics());
    SkinCanvas flat(100, 19);
    m_pSchema->DrawScrollBar(&flat, frame, &bar);
    EXPECT_EQ(flat.At(50, 0), kCanvasBackground);
}

// The program's skin on three frames (active, inactive, tool window) with their caption buttons and both
// scroll bars in a few states, clipped to their regions: a picture for a person to look at
// (skin_program_frames.png).
TEST(SkinProgramSkin, DrawsFramesAndScrollBars) {
    LoadedSkin skin(kProgramSkin);
    CTkSkinManagerSchemaDefault* pSchema = SchemaOf(skin.Manager());
    const CTkSkinManagerMetrics* pMetrics = skin.Manager().GetMetrics();
    constexpr int cx = 260;
    constexpr int cy = 170;
    struct Row {
        DWORD dwStyle;
        DWORD dwExStyle;
        BOOL bActive;
        std::vector<SKINCAPTIONBUTTON> buttons;
        int nVertHot;
        int nHorzHot;
    };
    const Row rows[] = {
        {WS_OVERLAPPEDWINDOW, WS_EX_WINDOWEDGE, TRUE, {{18, 2}, {17, 1}, {15, 1}}, 64, 0},
        {WS_OVERLAPPEDWINDOW, WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE, FALSE, {{18, 5}, {21, 5}, {15, 8}}, 0, 61},
        {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_EX_TOOLWINDOW, TRUE, {{19, 3}}, 60, 63},
    };
    SkinCanvas sheet(static_cast<int>(std::size(rows)) * (cx + 10) + 10, cy + 20);
    sheet.FillSolidRect(0, 0, sheet.GetWidth(), sheet.GetHeight(), RGB(128, 128, 128));
    CBrush white;
    white.CreateSolidBrush(RGB(255, 255, 255));
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row& row = rows[i];
        TestWindow window(row.dwStyle, row.dwExStyle, cx, cy);
        ::SetWindowTextW(window.Handle(), L"Tesselon Server");
        SKINFRAMEINFO frame = FrameOf(pSchema, window, row.bActive);
        frame.buttons = row.buttons;
        frame.strClassName = row.dwExStyle & WS_EX_CLIENTEDGE ? L"LISTVIEW" : L"WINDOW";
        frame.hClientBackground = white;
        SkinCanvas dc(cx, cy);
        pSchema->DrawFrame(&dc, &frame);
        const RECT& b = frame.rcBorders;
        EXPECT_NE(dc.At(cx / 2, 1), kCanvasBackground);
        for (const SKINCAPTIONBUTTON& button : frame.buttons)
            EXPECT_TRUE(button.rc.top >= 0 && button.rc.bottom <= b.top && button.rc.right <= cx) << i;

        const RECT rcClient = {b.left, b.top, cx - b.right, cy - b.bottom};
        ::FillRect(dc, &rcClient, white);
        SCROLLBARPOSITION vert;
        vert.bVertical = TRUE;
        vert.bVisible = TRUE;
        vert.nBar = SB_VERT;
        const int cxBar = pMetrics->GetVScrollWidth();
        const int cyBar = pMetrics->GetHScrollHeight();
        CalcScrollBarLayout(&vert, {rcClient.right - cxBar, rcClient.top, rcClient.right, rcClient.bottom - cyBar},
                            {sizeof(SCROLLINFO), SIF_ALL, 0, 99, 20, 30, 0}, pMetrics);
        vert.nHotPart = row.nVertHot;
        pSchema->DrawScrollBar(&dc, frame, &vert);
        SCROLLBARPOSITION horz;
        horz.bVisible = TRUE;
        horz.nBar = SB_HORZ;
        CalcScrollBarLayout(&horz, {rcClient.left, rcClient.bottom - cyBar, rcClient.right - cxBar, rcClient.bottom},
                            {sizeof(SCROLLINFO), SIF_ALL, 0, 9, i == 2 ? 10u : 3u, 2, 0}, pMetrics);
        horz.nHotPart = row.nHorzHot;
        pSchema->DrawScrollBar(&dc, frame, &horz);
        const RECT rcBox = {rcClient.right - cxBar, rcClient.bottom - cyBar, rcClient.right, rcClient.bottom};
        skin.Manager().GetSkinClass(L"SCROLLBAR")->DrawBackground(&dc, 10, 1, &rcBox);

        const int x = 10 + static_cast<int>(i) * (cx + 10);
        CRgn rgn;
        rgn.Attach(pSchema->GetFrameRegion(frame, cx, cy));
        rgn.OffsetRgn(x, 10);
        sheet.SelectObject(&rgn);
        sheet.BitBlt(x, 10, cx, cy, &dc, 0, 0, SRCCOPY);
        sheet.SelectClipRgn(nullptr);
    }
    WritePng(sheet, L"skin_program_frames.png");
}
