// The themed push button's behaviour: the system never paints over it, hot tracking repaints once per
// change, images are replaced only when they load, private styles come only from the Office XP and flat
// bits, the owner-draw type is found on both creation paths, and the drawing state follows the window.
// The case that moves the pointer runs alone (ButtonPointer.*).

#include "ButtonTestSupport.h"
#include "FoundationTestSupport.h"
#include "TkButtonTheme.h"
#include "TkButtonThemeOfficeXP.h"
#include "TkColorManager.h"
#include "WaitUntil.h"

namespace {

constexpr UINT kRedIcon = 128;
constexpr UINT kGreenIcon = 129;
constexpr UINT kBlueIcon = 130;
constexpr UINT kMissingIcon = 131;

TEST(Button, SystemNeverPaintsOverTheOwnerDrawing) {
    CButtonParent parent;
    TestButton button;
    ASSERT_TRUE(button.CreateIn(&parent, L"&Save"));
    parent.UpdateWindow();
    parent.m_nDrawItems = 0;

    button.SendMessage(BM_SETSTATE, TRUE);
    EXPECT_TRUE(button.m_bPressed);
    button.SetWindowText(L"&Other");
    button.SendMessage(BM_SETSTATE, FALSE);
    EXPECT_FALSE(button.m_bPressed);
    EXPECT_EQ(parent.m_nDrawItems, 0) << "the system drew the owner-drawn button";
    EXPECT_TRUE(button.GetStyle() & WS_VISIBLE);
    EXPECT_EQ(button.GetButtonText(TRUE), CString(L"Other"));

    // A hidden button stays hidden.
    button.ShowWindow(SW_HIDE);
    button.SendMessage(BM_SETSTATE, TRUE);
    button.SetWindowText(L"Hidden");
    EXPECT_FALSE(button.GetStyle() & WS_VISIBLE);
    EXPECT_TRUE(button.m_bPressed);
}

TEST(Button, HotTrackingRepaintsOncePerChange) {
    CButtonParent parent;
    TestButton button;
    ASSERT_TRUE(button.CreateIn(&parent, L"Hot"));
    button.UpdateWindow();
    const int nStart = button.m_nPaints;
    const struct {
        UINT message;
        CPoint point;
        BOOL bHot;
        int nPaints;
    } steps[] = {
        {WM_MOUSEMOVE, CPoint(5, 5), TRUE, 1},   {WM_MOUSEMOVE, CPoint(6, 5), TRUE, 1},
        {WM_MOUSELEAVE, CPoint(0, 0), FALSE, 2}, {WM_MOUSEMOVE, CPoint(90, 5), FALSE, 2},
        {WM_MOUSEMOVE, CPoint(5, 5), TRUE, 3},   {WM_MOUSEMOVE, CPoint(90, 5), FALSE, 4},
    };
    for (const auto& step : steps) {
        button.SendMessage(step.message, 0, MAKELPARAM(step.point.x, step.point.y));
        button.UpdateWindow();
        EXPECT_EQ(button.m_bHot, step.bHot) << step.message << " at " << step.point.x;
        EXPECT_EQ(button.m_nPaints - nStart, step.nPaints) << step.message << " at " << step.point.x;
    }

    TestButton group;
    ASSERT_TRUE(group.CreateIn(&parent, L"Group", BS_GROUPBOX, 101));
    group.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(group.m_bHot) << "a group box is never hot";
}

// Alone on the machine: the pointer really enters and leaves.
TEST(ButtonPointer, EnteringAsksForOneLeaveAndLeavingRepaints) {
    CButtonParent parent;
    TestButton button;
    ASSERT_TRUE(button.CreateIn(&parent, L"Pointer"));
    ::SetCursorPos(250, 150);
    PumpUntil([] { return false; }, 100);
    button.UpdateWindow();
    const int nStart = button.m_nPaints;

    CRect rc;
    button.GetWindowRect(&rc);
    ::SetCursorPos(rc.CenterPoint().x, rc.CenterPoint().y);
    ASSERT_TRUE(PumpUntil([&] { return button.m_bHot != FALSE; }, 3000));
    button.UpdateWindow();
    EXPECT_EQ(button.m_nPaints - nStart, 1);
    TRACKMOUSEEVENT query = {sizeof(query), TME_QUERY, nullptr, 0};
    ASSERT_TRUE(::TrackMouseEvent(&query));
    EXPECT_EQ(query.hwndTrack, button.m_hWnd);
    EXPECT_TRUE(query.dwFlags & TME_LEAVE);

    ::SetCursorPos(250, 150);
    ASSERT_TRUE(PumpUntil([&] { return button.m_bHot == FALSE; }, 3000));
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(button.m_nPaints - nStart, 2);
}

TEST(Button, IconIsReplacedOnlyWhenEveryIconLoads) {
    CButtonParent parent;
    TestButton button;
    ASSERT_TRUE(button.CreateIn(&parent, L"Icon"));
    ASSERT_TRUE(button.SetIcon(CSize(16, 16), kRedIcon, kGreenIcon));
    CTkImageManagerIcon* pImage = button.GetImage();
    ASSERT_NE(pImage, nullptr);

    EXPECT_FALSE(button.SetIcon(CSize(16, 16), kBlueIcon, kMissingIcon)) << "missing hot icon";
    EXPECT_FALSE(button.SetIcon(CSize(16, 16), kMissingIcon, 0u)) << "missing normal icon";
    EXPECT_FALSE(button.SetBitmap(CSize(16, 16), 999));
    EXPECT_EQ(button.GetImage(), pImage);
    EXPECT_EQ(button.GetImageSize(), CSize(16, 16));

    // Icons given by handle stay the caller's; a 0 x 0 size takes the normal image's.
    HICON hIcon = static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kBlueIcon), IMAGE_ICON, 16, 16, 0));
    ASSERT_NE(hIcon, nullptr);
    ASSERT_TRUE(button.SetIcon(CSize(0, 0), hIcon));
    EXPECT_NE(button.GetImage(), pImage);
    EXPECT_EQ(button.GetImageSize(), CSize(16, 16));
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(hIcon, &info)) << "the caller's icon is alive";
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    ::DestroyIcon(hIcon);
}

TEST(Button, OnlyTheOfficeXPAndFlatBitsInstallAPrivateStyle) {
    CButtonParent parent;
    TestButton button;
    TestButton other;
    ASSERT_TRUE(button.CreateIn(&parent, L"One"));
    ASSERT_TRUE(other.CreateIn(&parent, L"Two", BS_OWNERDRAW, 101));
    CTkThemeManagerStyle* pShared = button.GetThemeStyle();
    ASSERT_NE(pShared, nullptr);
    EXPECT_EQ(other.GetThemeStyle(), pShared);
    EXPECT_TRUE(button.HasThemeStyle());

    EXPECT_EQ(button.SetXButtonStyle(kButtonFocusRect), static_cast<DWORD>(kButtonFlat | kButtonFocusRect));
    EXPECT_EQ(button.GetXButtonStyle(), static_cast<DWORD>(kButtonFocusRect));
    EXPECT_EQ(button.GetThemeStyle(), pShared) << "other bits keep the style";

    // SetOfficeXPColors reaches only an Office XP style.
    const COLORREF clrFace = button.GetFaceColor();
    button.SetOfficeXPColors(RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9));
    EXPECT_EQ(button.GetFaceColor(), clrFace);

    button.SetXButtonStyle(kButtonOfficeXP);
    auto* pOfficeXP = dynamic_cast<CTkButtonThemeOfficeXP*>(button.GetThemeStyle());
    ASSERT_NE(pOfficeXP, nullptr);
    EXPECT_EQ(pOfficeXP->GetTheme(), 1);
    EXPECT_EQ(other.GetThemeStyle(), pShared);
    button.SetOfficeXPColors(RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9));
    button.m_bHot = TRUE;
    CScopedMemDC dc(kButtonWidth, kButtonHeight);
    button.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), PRF_CLIENT);
    EXPECT_EQ(PixelAt(dc, 0, 0), RGB(1, 2, 3)) << "the border";
    EXPECT_EQ(PixelAt(dc, 2, 11), RGB(4, 5, 6)) << "the hot face";

    button.SetXButtonStyle(kButtonFlat);
    CTkThemeManagerStyle* pPrivate = button.GetThemeStyle();
    EXPECT_EQ(dynamic_cast<CTkButtonThemeOfficeXP*>(pPrivate), nullptr);
    EXPECT_NE(pPrivate, pShared);
    EXPECT_EQ(other.GetThemeStyle(), pShared);
}

TEST(Button, OwnerDrawTypeIsFoundOnBothCreationPaths) {
    CButtonParent parent;
    TestButton created;
    TestButton plain;
    ASSERT_TRUE(created.CreateIn(&parent, L"Made"));
    ASSERT_TRUE(plain.CreateIn(&parent, L"Plain", BS_PUSHBUTTON, 101));
    HWND hWnd = ::CreateWindowExW(0, L"BUTTON", L"Dialog item", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 10, 40, 75, 23,
                                  parent.m_hWnd, reinterpret_cast<HMENU>(102), nullptr, nullptr);
    TestButton subclassed;
    ASSERT_TRUE(subclassed.SubclassWindow(hWnd));

    EXPECT_TRUE(created.m_bOwnerDrawn);
    EXPECT_TRUE(subclassed.m_bOwnerDrawn);
    EXPECT_FALSE(plain.m_bOwnerDrawn);
    EXPECT_EQ(created.SendMessage(WM_GETDLGCODE), static_cast<LRESULT>(DLGC_BUTTON));
    EXPECT_EQ(subclassed.SendMessage(WM_GETDLGCODE), static_cast<LRESULT>(DLGC_BUTTON));
    EXPECT_EQ(plain.SendMessage(WM_GETDLGCODE), static_cast<LRESULT>(DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON))
        << "the system's answer";
    subclassed.DestroyWindow();
}

TEST(Button, DrawingStateFollowsTheWindow) {
    CButtonParent parent;
    TestButton button;
    ASSERT_TRUE(button.CreateIn(&parent, L"&State"));
    CScopedMemDC dc(kButtonWidth, kButtonHeight);
    const auto stateNow = [&] {
        button.DrawButton(&dc);
        return button.m_nLastState;
    };
    EXPECT_EQ(stateNow() & (ODS_SELECTED | ODS_DISABLED | ODS_NOACCEL | ODS_NOFOCUSRECT | ODS_FOCUS), 0u);
    button.SendMessage(BM_SETSTATE, TRUE);
    EXPECT_EQ(stateNow() & ODS_SELECTED, static_cast<UINT>(ODS_SELECTED));
    button.EnableWindow(FALSE);
    EXPECT_EQ(stateNow() & ODS_DISABLED, static_cast<UINT>(ODS_DISABLED));
    // Wine keeps no keyboard-cue state (WM_QUERYUISTATE answers 0): the button answers for it here.
    button.m_uiState = UISF_HIDEACCEL | UISF_HIDEFOCUS;
    EXPECT_EQ(stateNow() & (ODS_NOACCEL | ODS_NOFOCUSRECT), static_cast<UINT>(ODS_NOACCEL | ODS_NOFOCUSRECT));
    button.m_uiState = UISF_HIDEFOCUS;
    EXPECT_EQ(stateNow() & (ODS_NOACCEL | ODS_NOFOCUSRECT), static_cast<UINT>(ODS_NOFOCUSRECT));
}

COLORREF PinkButtonFace(int nIndex) {
    return nIndex == COLOR_BTNFACE ? RGB(250, 200, 210) : ::GetSysColor(nIndex);
}

TEST(Button, SystemColourChangeReachesTheStyleFirst) {
    CButtonParent parent;
    TestButton button;
    ASSERT_TRUE(button.CreateIn(&parent, L""));
    CTkColorManager* pColors = GetColorManager();
    pColors->m_pfnSysColorCallback = PinkButtonFace;
    button.SendMessage(WM_SYSCOLORCHANGE);
    CScopedMemDC dc(kButtonWidth, kButtonHeight);
    button.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), PRF_CLIENT);
    pColors->m_pfnSysColorCallback = nullptr;
    button.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(PixelAt(dc, 10, 10), RGB(250, 200, 210));
    EXPECT_EQ(button.GetFaceColor(), ::GetSysColor(COLOR_BTNFACE)) << "and back";
}

}  // namespace
