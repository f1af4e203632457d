// The ribbon's system menu on the test host: the system button's double click and popup anchor, the
// menu's borders and push buttons, its background from the look (and nothing without the look), the part
// of the button it covers, its pages, and the recent files of the application.

#include "DibPixels.h"
#include "RibbonHost.h"
#include "RibbonMessageLog.h"
#include "RibbonTestSupport.h"
#include "TkCommandBars.h"
#include "TkControls.h"
#include "TkPaintManager.h"
#include "TkRibbonBar.h"
#include "TkRibbonSystemButton.h"
#include "TkRibbonSystemPopupBar.h"
#include "TkRibbonSystemPopupBarControls.h"

#include <gtest/gtest.h>

namespace {

// The colours of the look's system-menu image and recent-file column (fixtures/RibbonLook.rc).
constexpr COLORREF kSystemMenuFace = RGB(70, 130, 180);
constexpr COLORREF kRecentFileListBackground = RGB(250, 245, 230);
constexpr COLORREF kSentinel = RGB(17, 34, 51);

using CPushButton = CTkRibbonControlSystemPopupBarButton;
using CListItem = CTkRibbonControlSystemPopupBarListItem;
using CRecentFiles = CTkRibbonControlSystemRecentFileList;

// The host ribbon's system button with a system menu as its sub bar (the button holds the menu).
CTkRibbonSystemPopupBar* AddSystemMenu(const CRibbonHost& host) {
    CTkRibbonControlSystemButton* pButton = host.Ribbon()->AddSystemButton(4700);
    auto* pMenu = new CTkRibbonSystemPopupBar;
    pMenu->SetCommandBars(host.CommandBars());
    pButton->SetCommandBar(pMenu);
    pMenu->InternalRelease();
    return pMenu;
}

template <class TControl>
TControl* AddControl(CTkCommandBar* pBar, int nId, LPCWSTR pszCaption) {
    auto* pControl = new TControl;
    pBar->GetControls()->Add(pControl, nId);
    pControl->SetCaption(pszCaption);
    return pControl;
}

// The application's recent files for a scope.
class CRecentFilesScope {
public:
    explicit CRecentFilesScope(std::initializer_list<LPCWSTR> paths) : m_files(12) {
        int i = 0;
        for (LPCWSTR pszPath : paths)
            m_files[i++] = pszPath;
        m_app.m_pRecentFileList = &m_files;
    }
    ~CRecentFilesScope() { m_app.m_pRecentFileList = nullptr; }
    CRecentFilesScope(const CRecentFilesScope&) = delete;
    CRecentFilesScope& operator=(const CRecentFilesScope&) = delete;

private:
    CWinApp m_app{L"ribbon_test"};
    CRecentFileList m_files;
};

TEST(RibbonSystemMenu, PushButtonsSitInTheBottomBorderFromTheRightOutsideTheColumns) {
    CRibbonHost host;
    CTkRibbonSystemPopupBar* pMenu = AddSystemMenu(host);
    CListItem* pItem = AddControl<CListItem>(pMenu, 4701, L"&New");
    CPushButton* pFirst = AddControl<CPushButton>(pMenu, 4710, L"Options");
    CPushButton* pSecond = AddControl<CPushButton>(pMenu, 4711, L"Exit");
    pFirst->SetWidth(40);
    pSecond->SetWidth(50);
    pMenu->SetMRUWidth(400);

    const CSize size = pMenu->CalcDynamicSize(0, 0);
    EXPECT_EQ(pMenu->GetBorders(), CRect(6, 18, 6, 29));
    // The column holds the item alone: the push buttons take no room in it.
    EXPECT_EQ(size, CSize(400, 18 + 21 + 29));
    EXPECT_EQ(pItem->GetRect(), CRect(6, 18, 394, 39));
    EXPECT_EQ(pSecond->GetRect(), CRect(345, size.cy - 25, 395, size.cy - 3));
    EXPECT_EQ(pFirst->GetRect(), CRect(299, size.cy - 25, 339, size.cy - 3));
    EXPECT_TRUE(pFirst->IsVisible());
    EXPECT_TRUE(pFirst->SuppressesButtonFace());
    EXPECT_FALSE(pItem->IsNumbered());
}

TEST(RibbonSystemMenu, RecentFilesAreNumberedToNineWithTheirAmpersandsShown) {
    CRibbonHost host;
    CTkRibbonSystemPopupBar* pMenu = AddSystemMenu(host);
    CRecentFilesScope files({L"C:\\docs\\Report", L"C:\\docs\\R&D notes", L"C:\\docs\\file3", L"C:\\docs\\file4",
                             L"C:\\docs\\file5", L"C:\\docs\\file6", L"C:\\docs\\file7", L"C:\\docs\\file8",
                             L"C:\\docs\\file9", L"C:\\docs\\file10", L"C:\\docs\\file11"});
    CRecentFiles* pRecent = AddControl<CRecentFiles>(pMenu, 4720, L"Recent Documents");
    AddControl<CPushButton>(pMenu, 4710, L"Exit");
    // Every layout replaces the files of the last one.
    pRecent->PrepareForLayout(0);
    pRecent->PrepareForLayout(0);

    const LPCWSTR expected[] = {L"&1 Report", L"&2 R&&D notes", L"&3 file3", L"&4 file4", L"&5 file5", L"&6 file6",
                                L"&7 file7",  L"&8 file8",      L"&9 file9", L"file10",   L"file11"};
    ASSERT_EQ(pMenu->GetControlCount(), 1 + 11 + 1);
    for (int i = 0; i < 11; ++i) {
        SCOPED_TRACE(i);
        auto* pFile = dynamic_cast<CRecentFiles::CControlFileItem*>(pMenu->GetControl(1 + i));
        ASSERT_NE(pFile, nullptr);
        EXPECT_EQ(pFile->GetCaption(), expected[i]);
        EXPECT_EQ(pFile->GetId(), CRecentFiles::kFirstFileId + i);
        EXPECT_TRUE(pFile->IsTemporary());
        EXPECT_TRUE(pFile->IsNumbered());
        EXPECT_EQ(pFile->GetFlags(), static_cast<DWORD>(kControlFlagPopupTooltip | kControlFlagNoUpdate));
    }
    EXPECT_EQ(pMenu->GetControl(2)->GetTooltip(), L"C:\\docs\\R&D notes");
    EXPECT_EQ(pRecent->GetFlags(), static_cast<DWORD>(kControlFlagNoKeyboard | kControlFlagNoUpdate |
                                                      kControlFlagNoMove | kControlFlagNewRow));
}

TEST(RibbonSystemMenu, TheButtonClosesTheFrameOnADoubleClickAndTheMenuOverlapsItUnderACaption) {
    CRibbonHost host;
    CTkRibbonBar* pRibbon = host.Ribbon();
    ASSERT_NE(pRibbon, nullptr);
    CTkRibbonSystemPopupBar* pMenu = AddSystemMenu(host);
    CTkRibbonControlSystemButton* pButton = pRibbon->GetSystemButton();
    // A double click on the button, as the ribbon hears it, closes the frame.
    host.RecalcLayout();
    {
        CRibbonMessageLog log(host.Frame()->GetSafeHwnd(), {WM_SYSCOMMAND}, {WM_SYSCOMMAND});
        const CPoint pt = pButton->GetRect().CenterPoint();
        ASSERT_EQ(pRibbon->GetControls()->HitTest(pt), pButton);
        pRibbon->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        ASSERT_EQ(log.Count(WM_SYSCOMMAND), 1);
        EXPECT_EQ(log.Entries()[0].wParam, static_cast<WPARAM>(0xF063));
    }

    struct Row {
        BOOL bCaptionBar;
        BOOL bTabsVisible;
        BOOL bSystemMenu;
        BOOL bOverlaps;
    };
    const Row rows[] = {
        {TRUE, TRUE, TRUE, TRUE},
        {FALSE, TRUE, TRUE, FALSE},
        {TRUE, FALSE, TRUE, FALSE},
        {TRUE, TRUE, FALSE, FALSE},
    };
    CTkPopupBar* pPlainMenu = CTkPopupBar::CreatePopupBar(host.CommandBars());
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.bCaptionBar << row.bTabsVisible << row.bSystemMenu);
        pRibbon->ShowCaptionBar(row.bCaptionBar);
        pRibbon->SetTabsVisible(row.bTabsVisible);
        pButton->SetCommandBar(row.bSystemMenu ? static_cast<CTkPopupBar*>(pMenu) : pPlainMenu);
        const CRect rcButton(0, 0, 60, 60);
        CRect rcPlain = rcButton;
        pRibbon->GetPaintManager()->AdjustControlRect(rcPlain, pButton, FALSE);
        CRect rc = rcButton;
        pButton->AdjustPopupRect(rc, FALSE);
        EXPECT_EQ(rc, row.bOverlaps ? CRect(0, 0, 60, 42) : rcPlain);
    }
    pPlainMenu->InternalRelease();
}

TEST(RibbonSystemMenu, TheOpenMenuDrawsTheLookLetsClicksThroughToTheButtonAndHoldsItsPages) {
    CRibbonHost host(CSize(800, 600), TRUE);
    CTkRibbonBar* pRibbon = host.Ribbon();
    ASSERT_NE(pRibbon, nullptr);
    CTkRibbonSystemPopupBar* pMenu = AddSystemMenu(host);
    CTkRibbonControlSystemButton* pButton = pRibbon->GetSystemButton();
    CRecentFilesScope files({L"C:\\docs\\Quarterly report", L"C:\\docs\\R&D notes", L"C:\\docs\\Calls of May"});
    AddControl<CListItem>(pMenu, 4701, L"&New");
    AddControl<CListItem>(pMenu, 4702, L"&Open");
    auto* pSaveAs = static_cast<CTkControlPopup*>(pMenu->GetControls()->Add(kControlPopup, 4703));
    pSaveAs->SetCaption(L"Save &As");
    auto* pPage = new CTkRibbonSystemPopupBarPage;
    pPage->SetCommandBars(host.CommandBars());
    pSaveAs->SetCommandBar(pPage);
    pPage->InternalRelease();
    AddControl<CListItem>(pPage, 4704, L"Recording");
    CRecentFiles* pRecent = AddControl<CRecentFiles>(pMenu, 4720, L"Recent Documents");
    AddControl<CPushButton>(pMenu, 4710, L"Options");
    AddControl<CPushButton>(pMenu, 4711, L"E&xit");
    pButton->SetRect(CRect(0, 0, 40, 40));

    ASSERT_TRUE(pRibbon->PopupControl(pButton->GetIndex()));
    ASSERT_NE(pMenu->GetSafeHwnd(), nullptr);
    CRect rcClient;
    pMenu->GetClientRect(&rcClient);
    CScopedMemDC dc(rcClient.Width(), rcClient.Height());
    ASSERT_TRUE(dc.IsValid());
    dc.FillSolidRect(&rcClient, kSentinel);
    pMenu->SendMessage(WM_PRINT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_TRUE(WritePng(dc, L"Z:\\tmp\\rb146-system-menu.png"));

    // The look's image in the borders (the theme's icon band covers the left one); the recent-file column
    // below its last file.
    EXPECT_EQ(PixelAt(dc, rcClient.Width() / 2, 2), kSystemMenuFace);
    EXPECT_EQ(PixelAt(dc, rcClient.right - 2, rcClient.bottom - 2), kSystemMenuFace);
    const CRect& rcColumn = pRecent->GetRowRect();
    EXPECT_TRUE(pRecent->GetWrap());
    EXPECT_EQ(PixelAt(dc, rcColumn.right - 2, rcColumn.bottom - 2), kRecentFileListBackground);

    // Over the button the menu lets the click through; elsewhere it is the menu's.
    CRect rcButton = pButton->GetRect();
    pRibbon->ClientToScreen(&rcButton);
    const CPoint ptButton = rcButton.CenterPoint();
    EXPECT_EQ(pMenu->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptButton.x, ptButton.y)), HTTRANSPARENT);
    CRect rcMenu;
    pMenu->GetWindowRect(&rcMenu);
    const CPoint ptMenu = rcMenu.CenterPoint();
    EXPECT_EQ(pMenu->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptMenu.x, ptMenu.y)), HTCLIENT);

    // A page opens level with the top of the columns, one pixel wider, and as tall as them.
    pPage->SetControlPopup(pSaveAs);
    CRect rcAnchor(6, 60, 200, 81);
    pPage->AdjustControlRect(rcAnchor, TRUE);
    EXPECT_EQ(rcAnchor, CRect(6, 19, 201, 81));
    EXPECT_EQ(pPage->CalcDynamicSize(0, 0).cy, rcClient.Height() - 18 - 29 - 2);

    // Without the look the background draws nothing at all.
    {
        CRibbonLook noLook(FALSE);
        dc.FillSolidRect(&rcClient, kSentinel);
        pMenu->FillBackground(&dc);
        for (int y = 0; y < rcClient.Height(); y += 3) {
            for (int x = 0; x < rcClient.Width(); x += 3)
                ASSERT_EQ(PixelAt(dc, x, y), kSentinel) << x << ", " << y;
        }
    }
    host.CommandBars()->ClosePopups();
}

}  // namespace
