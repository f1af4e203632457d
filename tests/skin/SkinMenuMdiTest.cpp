// Popup menus and MDI clients under the state-coded skin: a tracked popup prints its skinned border and
// the system's items; an MDI client registers with its frame's object and keeps a maximized skinned
// child's caption above its client area.

#include "FoundationTestSupport.h"
#include "SkinTestSupport.h"
#include "TestSkins.h"
#include "TkSkinObjectMDIClient.h"
#include "TkSkinObjectMenu.h"

#include <set>

namespace {

struct MenuPrint {
    bool bFound = false;
    bool bMenuObject = false;
    int nColors = 0;
    COLORREF clrCorner = 0;
    COLORREF clrInside = 0;
    bool bVisibleAfterSelect = false;
    bool bInvalidAfterSelect = false;
};
MenuPrint g_menuPrint;

// Runs inside the menu's modal loop: prints the popup, moves its selection and closes it.
void CALLBACK PrintOpenMenu(HWND hWnd, UINT, UINT_PTR nId, DWORD) {
    ::KillTimer(hWnd, nId);
    HWND hMenu = FindThreadWindow(L"#32768");
    g_menuPrint.bFound = hMenu != nullptr && ::IsWindowVisible(hMenu);
    if (g_menuPrint.bFound) {
        g_menuPrint.bMenuObject = dynamic_cast<CTkSkinObjectMenu*>(GetSkinManager()->FindSkinObject(hMenu)) != nullptr;
        CRect rc;
        ::GetWindowRect(hMenu, &rc);
        SkinCanvas dc(rc.Width(), rc.Height());
        PrintInto(dc, hMenu, WM_PRINT, PRF_NONCLIENT | PRF_CLIENT);
        std::set<COLORREF> colors;
        for (int y = 0; y < rc.Height(); ++y)
            for (int x = 0; x < rc.Width(); ++x)
                colors.insert(dc.At(x, y));
        g_menuPrint.nColors = static_cast<int>(colors.size());
        g_menuPrint.clrCorner = dc.At(0, 0);
        g_menuPrint.clrInside = dc.At(rc.Width() - 4, rc.Height() / 2);
        WritePng(dc, L"skin_state_coded_menu.png");
        ::ValidateRect(hMenu, nullptr);
        ::SendMessageW(hMenu, 0x01E5, 1, 0);  // MN_SELECTITEM
        g_menuPrint.bVisibleAfterSelect = ::IsWindowVisible(hMenu) != FALSE;
        g_menuPrint.bInvalidAfterSelect = ::GetUpdateRect(hMenu, nullptr, FALSE) != FALSE;
    }
    ::EndMenu();
}

LRESULT CALLBACK MdiFrameProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hClient = ::FindWindowExW(hWnd, nullptr, L"MDIClient", nullptr);
    return ::DefFrameProcW(hWnd, hClient, message, wParam, lParam);
}

}  // namespace

TEST(SkinMenu, PrintedPopupShowsItsBorderAndItems) {
    OpenStateCodedSkin();
    RecorderParent owner;
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuW(hMenu, MF_STRING, 1, L"First item");
    ::AppendMenuW(hMenu, MF_STRING, 2, L"Second item");
    ::AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(hMenu, MF_STRING | MF_GRAYED, 3, L"Third");
    ::SetForegroundWindow(owner.Hwnd());
    ::SetTimer(owner.Hwnd(), 1, 200, &PrintOpenMenu);
    ::TrackPopupMenu(hMenu, TPM_LEFTALIGN, 20, 20, 0, owner.Hwnd(), nullptr);
    ::DestroyMenu(hMenu);
    ASSERT_TRUE(g_menuPrint.bFound);
    EXPECT_TRUE(g_menuPrint.bMenuObject);
    // The skin's menu colour and the items' texts, separator and edges: more than a blank surface.
    EXPECT_GE(g_menuPrint.nColors, 3);
    EXPECT_NE(g_menuPrint.clrCorner, kCanvasBackground);
    EXPECT_NE(g_menuPrint.clrInside, kCanvasBackground);
    // The selection moved with the window's drawing held off, then the window is repainted whole.
    EXPECT_TRUE(g_menuPrint.bVisibleAfterSelect);
    EXPECT_TRUE(g_menuPrint.bInvalidAfterSelect);
}

TEST(SkinMdiClient, MaximizedChildKeepsItsCaptionAboveTheClient) {
    CTkSkinManager* pManager = OpenStateCodedSkin();
    WNDCLASSW frameClass{};
    frameClass.lpfnWndProc = &MdiFrameProc;
    frameClass.hInstance = ::GetModuleHandleW(nullptr);
    frameClass.lpszClassName = L"TesselonSkinMdiFrame";
    ::RegisterClassW(&frameClass);
    WNDCLASSW childClass{};
    childClass.lpfnWndProc = &::DefMDIChildProcW;
    childClass.hInstance = ::GetModuleHandleW(nullptr);
    childClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    childClass.lpszClassName = L"TesselonSkinMdiChild";
    ::RegisterClassW(&childClass);

    HWND hFrame = ::CreateWindowExW(0, frameClass.lpszClassName, L"Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500,
                                    400, nullptr, nullptr, frameClass.hInstance, nullptr);
    CLIENTCREATESTRUCT ccs = {nullptr, 1000};
    HWND hClient = ::CreateWindowExW(0, L"MDIClient", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 480, 340,
                                     hFrame, nullptr, frameClass.hInstance, &ccs);
    ASSERT_NE(hClient, nullptr);
    auto* pClient = dynamic_cast<CTkSkinObjectMDIClient*>(pManager->FindSkinObject(hClient));
    ASSERT_NE(pClient, nullptr);
    EXPECT_EQ(pClient->GetParentFrame(), pManager->FindSkinObject(hFrame));

    MDICREATESTRUCTW mcs = {childClass.lpszClassName, L"Child", frameClass.hInstance, 10, 10, 200, 150,
                            WS_OVERLAPPEDWINDOW,      0};
    auto hChild = reinterpret_cast<HWND>(::SendMessageW(hClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    ASSERT_NE(hChild, nullptr);
    auto* pChild = dynamic_cast<CTkSkinObjectFrame*>(pManager->FindSkinObject(hChild));
    ASSERT_NE(pChild, nullptr);
    ::SendMessageW(hClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(hChild), 0);
    ASSERT_TRUE(::IsZoomed(hChild));
    const RECT rcBorders = pChild->GetBorders();
    ASSERT_GT(rcBorders.top, 0);
    auto childInClient = [&] {
        CRect rc;
        ::GetWindowRect(hChild, &rc);
        ::MapWindowPoints(nullptr, hClient, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    };
    EXPECT_EQ(childInClient().top, -rcBorders.top);

    // Resizing keeps the caption hidden above the client, the borders outside it.
    ::MoveWindow(hClient, 0, 0, 400, 300, TRUE);
    CRect rcClient;
    ::GetClientRect(hClient, &rcClient);
    const CRect rcChild = childInClient();
    EXPECT_EQ(rcChild.top, -rcBorders.top);
    EXPECT_EQ(rcChild.left, -rcBorders.left);
    EXPECT_EQ(rcChild.right, rcClient.right + rcBorders.right);
    EXPECT_EQ(rcChild.bottom, rcClient.bottom + rcBorders.bottom);

    // Cascading restores the child to a skinned frame of its own.
    ::SendMessageW(hClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(hChild), 0);
    ::SendMessageW(hClient, WM_MDICASCADE, 0, 0);
    EXPECT_FALSE(::IsZoomed(hChild));
    EXPECT_EQ(pManager->FindSkinObject(hChild), pChild);
    ::DestroyWindow(hFrame);
}
