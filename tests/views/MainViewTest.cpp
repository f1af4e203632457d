// The main view in a main frame: its toolbar and logo, the navigation tree and the views it switches, the
// navigation toggle, the toolbars' states after an idle round logged out and in, and the main view's commands.

#include "views/TesselonServerView.h"

#include "BitmapFile.h"
#include "MainFrameResource.h"
#include "MainViewResource.h"
#include "TestMainFrame.h"
#include "ViewsTestSupport.h"
#include "channels/ChannelTable.h"
#include "common/AppIcons.h"
#include "common/OemLogo.h"
#include "common/OperatorDialogs.h"
#include "common/OperatorSession.h"
#include "FtpResource.h"
#include "engine/CardEngineState.h"
#include "storage/RecordFields.h"
#include "storage/StoragePaths.h"
#include "storage/SysLogStore.h"
#include "views/LeftView.h"
#include "views/ViewIndex.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kLogoColor = RGB(200, 30, 60);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// The caption strip among a window's children.
CTkCaption* FindCaption(CWnd* parent) {
    for (HWND child = ::GetWindow(parent->GetSafeHwnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (CTkCaption* caption = DYNAMIC_DOWNCAST(CTkCaption, CWnd::FromHandlePermanent(child)))
            return caption;
    }
    return nullptr;
}

bool IsButtonEnabled(HWND toolBar, UINT command) {
    return ::SendMessageW(toolBar, TB_ISBUTTONENABLED, command, 0) != 0;
}

std::wstring ButtonText(HWND toolBar, UINT command) {
    wchar_t text[64] = {};
    ::SendMessageW(toolBar, TB_GETBUTTONTEXTW, command, reinterpret_cast<LPARAM>(text));
    return text;
}

std::vector<SysLogRow> TodaysSysLog() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    std::vector<SysLogRow> rows;
    SysLogStore store;
    if (store.Open(SysLogDayFile(now).c_str()))
        store.ForEachRow(L"select * from SysLog_Table", [&](const SysLogRow& row) { rows.push_back(row); });
    store.Close();
    return rows;
}

struct TreeLook {
    std::wstring Text;
    int Image;
    int View;
    int Depth;
};

// The tree's items in display order.
std::vector<TreeLook> TreeItems(CTreeCtrl& tree) {
    std::vector<TreeLook> items;
    std::function<void(HTREEITEM, int)> walk = [&](HTREEITEM item, int depth) {
        for (; item; item = tree.GetNextSiblingItem(item)) {
            TVITEMW info{};
            info.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
            info.hItem = item;
            tree.GetItem(&info);
            EXPECT_EQ(info.iImage, info.iSelectedImage);
            items.push_back(
                {tree.GetItemText(item).GetString(), info.iImage, static_cast<int>(tree.GetItemData(item)), depth});
            walk(tree.GetChildItem(item), depth + 1);
        }
    };
    walk(tree.GetRootItem(), 0);
    return items;
}

}  // namespace

TEST(MainView, ToolbarLogoTreeViewsToggleUpdatesAndCommands) {
    TestFolder folder;
    PrepareEchoLanguage(folder);
    CopyImages(folder);
    ::CreateDirectoryW((folder.ProgramFolder() + L"\\OEM").c_str(), nullptr);
    ASSERT_TRUE(WriteSolidBitmapFile(folder.ProgramFolder() + L"\\OEM\\OEM.bmp", 77, 48, kLogoColor));
    WriteUtf16File(folder.ProgramFolder() + L"\\OEM\\Server_oem.ini", L"[Settings]\r\nCompanyName=Northwind\r\n");
    LoadOemBitmap();
    EnsureAppIcons();
    OperatorDialogs() = {};
    int logins = 0, settings = 0, clientSettings = 0;
    OperatorDialogs().Login.Register([&](CWnd*) {
        ++logins;
        return static_cast<INT_PTR>(IDOK);
    });
    OperatorDialogs().Settings.Register([&](CWnd*) {
        ++settings;
        return static_cast<INT_PTR>(IDOK);
    });
    OperatorDialogs().ClientSettings.Register([&](CWnd*) {
        ++clientSettings;
        return static_cast<INT_PTR>(IDCANCEL);
    });
    OperatorLoggedIn = 0;

    CWinApp app(L"test");
    CTestMainFrame* frame = CreateTestMainFrame(app, 800, 600);
    ASSERT_TRUE(frame);
    const HWND frameWindow = frame->GetSafeHwnd();
    CTesselonServerView& view = frame->m_view;
    CRightView* right = frame->Right();
    CLeftView* left = view.GetLeftView();
    ASSERT_TRUE(right && left);

    // ---- Toolbar and logo at a width of 800: the toolbar leaves the logo 72 pixels.
    const HWND toolBar = ::GetDlgItem(view.GetSafeHwnd(), AFX_IDW_TOOLBAR);
    ASSERT_TRUE(toolBar);
    EXPECT_EQ(CRect(0, 0, 728, 45), RectInParent(toolBar));
    EXPECT_EQ(CRect(0, 45, 800, 600), RectInParent(::GetDlgItem(view.GetSafeHwnd(), AFX_IDW_PANE_FIRST)));
    struct Button {
        UINT Command;
        int Image;
        const wchar_t* Text;
    };
    const Button buttons[] = {{ID_SETTINGS, 0, L"T0011"},
                              {ID_LOGOUT, 3, L"T0390"},
                              {ID_LOGIN, 4, L"T0391"},
                              {ID_TOGGLE_LEFT_PANE, 5, L"T0415"},
                              {ID_APP_ABOUT, 1, L"T0012"}};
    ASSERT_EQ(5, ::SendMessageW(toolBar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < 5; ++i) {
        TBBUTTON button{};
        ::SendMessageW(toolBar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        EXPECT_EQ(static_cast<int>(buttons[i].Command), button.idCommand);
        EXPECT_EQ(buttons[i].Image, button.iBitmap);
        EXPECT_EQ(buttons[i].Text, ButtonText(toolBar, buttons[i].Command));
    }
    const auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(toolBar, TB_GETIMAGELIST, 0, 0));
    EXPECT_EQ(6, ImageList_GetImageCount(images));
    EXPECT_EQ(reinterpret_cast<LRESULT>(images), ::SendMessageW(toolBar, TB_GETDISABLEDIMAGELIST, 0, 0));
    {
        // The bitmaps were read from the Image folder: the green lock's body, white left transparent.
        CScopedMemDC dc(32, 32);
        ASSERT_TRUE(dc.IsValid());
        dc.FillSolidRect(0, 0, 32, 32, RGB(1, 2, 3));
        ImageList_Draw(images, 3, dc.GetSafeHdc(), 0, 0, ILD_NORMAL);
        EXPECT_EQ(RGB(40, 140, 60), PixelAt(dc, 10, 20));
        EXPECT_EQ(RGB(1, 2, 3), PixelAt(dc, 1, 1));
    }
    {
        CScopedMemDC dc(800, 600);
        ASSERT_TRUE(dc.IsValid());
        view.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), PRF_CLIENT);
        for (int y = 2; y <= 44; ++y)
            EXPECT_EQ(kWhite, PixelAt(dc, 728, y)) << y;  // the frame's left edge
        for (int x = 728; x <= 797; ++x)
            EXPECT_EQ(kWhite, PixelAt(dc, x, 2)) << x;  // its top edge
        EXPECT_EQ(kLogoColor, PixelAt(dc, 729, 3));     // the logo from (729, 3) to the right edge, 45 high
        EXPECT_EQ(kLogoColor, PixelAt(dc, 799, 47));
        EXPECT_EQ(::GetSysColor(COLOR_WINDOW), PixelAt(dc, 729, 48));
    }

    // ---- The tree: fifteen items, each item's data its view, the root expanded, nothing selected.
    CTreeCtrl& tree = left->NavigationTree();
    const std::vector<TreeLook> expected = {
        {L"T0001", kIconRoot, 0, 0},        {L"T0002", kIconTel, 1, 1},         {L"T0003", kIconGroup, 2, 1},
        {L"T5044", kIconAllRec, 3, 1},      {L"T0004", kIconAllRec, 3, 2},      {L"T0005", kIconOutbound, 4, 2},
        {L"T0006", kIconInbound, 5, 2},     {L"T0007", kIconMissed, 6, 2},      {L"T0008", kIconAutoAnswer, 7, 2},
        {L"T0009", kIconVoiceCalls, 8, 2},  {L"T0290", kIconSearchFiles, 9, 2}, {L"T0010", kIconChart, 10, 1},
        {L"T0129", kIconSearchFile, 11, 1}, {L"T0350", kIconSupport, 12, 1},    {L"T0453", kIconSearchFile, 13, 1},
    };
    const std::vector<TreeLook> items = TreeItems(tree);
    ASSERT_EQ(expected.size(), items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(expected[i].Text, items[i].Text) << i;
        EXPECT_EQ(expected[i].Image, items[i].Image) << i;
        EXPECT_EQ(expected[i].View, items[i].View) << i;
        EXPECT_EQ(expected[i].Depth, items[i].Depth) << i;
    }
    EXPECT_TRUE(tree.GetItemState(tree.GetRootItem(), TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(nullptr, tree.GetSelectedItem());
    EXPECT_EQ(reinterpret_cast<LRESULT>(AppIconList().GetSafeHandle()),
              tree.SendMessage(TVM_GETIMAGELIST, TVSIL_NORMAL));
    CTkCaption* leftCaption = FindCaption(left);
    ASSERT_TRUE(leftCaption);
    EXPECT_EQ(L"Northwind", std::wstring(leftCaption->GetCaptionText()));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(left->GetSafeHwnd(), IDC_SPARE_TREE)));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(left->GetSafeHwnd(), IDC_LEFT_BUTTON1)));
    EXPECT_EQ(L"T5029", WindowText(::GetDlgItem(left->GetSafeHwnd(), IDC_LEFT_BUTTON5)));

    // ---- WM_SHOWVIEW: views 1 to 13 show their pane (or none yet) and caption; 0 and 14 change nothing.
    CTkCaption* caption = FindCaption(right);
    ASSERT_TRUE(caption);
    CWnd& card = right->CardView();
    CWnd& ftp = right->FtpWnd();
    EXPECT_TRUE(card.IsWindowVisible());
    EXPECT_FALSE(ftp.IsWindowVisible());
    EXPECT_EQ(L"T0002", std::wstring(caption->GetCaptionText()));
    std::wstring shownCaption = L"T0002";
    bool cardShown = true, ftpShown = false;
    for (int view = 0; view <= 14; ++view) {
        frame->SendMessage(WM_SHOWVIEW, view, 0);
        if (IsPaneView(view)) {
            shownCaption = std::wstring(L"T") + kViewLooks[view].TextKey;
            cardShown = view == kViewChannels;
            ftpShown = view == kViewUploadLog;
        }
        EXPECT_EQ(shownCaption, std::wstring(caption->GetCaptionText())) << view;
        EXPECT_EQ(cardShown, card.IsWindowVisible() != FALSE) << view;
        EXPECT_EQ(ftpShown, ftp.IsWindowVisible() != FALSE) << view;
    }
    // Selecting tree items sends their views to the main window; the group shows all recordings.
    tree.SelectItem(tree.GetChildItem(tree.GetRootItem()));  // channels
    EXPECT_TRUE(card.IsWindowVisible());
    HTREEITEM group = tree.GetNextSiblingItem(tree.GetNextSiblingItem(tree.GetChildItem(tree.GetRootItem())));
    tree.SelectItem(group);
    EXPECT_EQ(L"T0004", std::wstring(caption->GetCaptionText()));
    EXPECT_FALSE(card.IsWindowVisible());
    tree.SelectItem(tree.GetRootItem());
    EXPECT_EQ(L"T0004", std::wstring(caption->GetCaptionText()));
    frame->SendMessage(WM_SHOWVIEW, kViewChannels, 0);

    // ---- The navigation toggle, twice.
    int width = 0, minimum = 0;
    CSplitterWnd* splitter = DYNAMIC_DOWNCAST(CSplitterWnd, left->GetParent());
    ASSERT_TRUE(splitter);
    splitter->GetColumnInfo(0, width, minimum);
    EXPECT_EQ(248, width);
    view.SendMessage(WM_COMMAND, MAKEWPARAM(ID_TOGGLE_LEFT_PANE, BN_CLICKED), reinterpret_cast<LPARAM>(toolBar));
    splitter->GetColumnInfo(0, width, minimum);
    EXPECT_EQ(0, width);
    EXPECT_FALSE(view.IsNavigationShown());
    EXPECT_EQ(L"T0416", ButtonText(toolBar, ID_TOGGLE_LEFT_PANE));
    view.SendMessage(WM_COMMAND, MAKEWPARAM(ID_TOGGLE_LEFT_PANE, BN_CLICKED), reinterpret_cast<LPARAM>(toolBar));
    splitter->GetColumnInfo(0, width, minimum);
    EXPECT_EQ(248, width);
    EXPECT_EQ(100, minimum);
    EXPECT_EQ(L"T0415", ButtonText(toolBar, ID_TOGGLE_LEFT_PANE));

    // ---- Idle updates, logged out and in, whichever column is the active view.
    EXPECT_EQ(right, frame->GetActiveView());
    const HWND cardBar = ::GetDlgItem(card.GetSafeHwnd(), AFX_IDW_TOOLBAR);
    const UINT loginCommands[] = {ID_CHANNEL_LISTEN, ID_CHANNEL_STOP_LISTEN, ID_CHANNEL_PARAMS, ID_CHANNEL_DIAL};
    for (CView* active : {static_cast<CView*>(right), static_cast<CView*>(left)}) {
        frame->SetActiveView(active, FALSE);
        for (const int loggedIn : {0, 1}) {
            OperatorLoggedIn = loggedIn;
            app.OnIdle(0);
            for (UINT command : loginCommands)
                EXPECT_EQ(loggedIn == 1, IsButtonEnabled(cardBar, command)) << command << " logged in " << loggedIn;
            EXPECT_TRUE(IsButtonEnabled(cardBar, ID_CHANNEL_PCM_STATUS));
            EXPECT_EQ(loggedIn == 0, IsButtonEnabled(toolBar, ID_LOGIN));
            EXPECT_EQ(loggedIn == 1, IsButtonEnabled(toolBar, ID_LOGOUT));
            EXPECT_EQ(loggedIn == 1, IsButtonEnabled(toolBar, ID_SETTINGS));
            EXPECT_TRUE(IsButtonEnabled(toolBar, ID_TOGGLE_LEFT_PANE));
        }
    }
    frame->SetActiveView(right, FALSE);
    frame->SendMessage(WM_SHOWVIEW, kViewUploadLog, 0);
    OperatorLoggedIn = 0;
    app.OnIdle(0);
    const HWND ftpBar = ::GetDlgItem(ftp.GetSafeHwnd(), AFX_IDW_TOOLBAR);
    EXPECT_TRUE(IsButtonEnabled(ftpBar, ID_FTP_SETTINGS));
    EXPECT_TRUE(IsButtonEnabled(ftpBar, ID_FTP_CLEAR_LOG));
    frame->SendMessage(WM_SHOWVIEW, kViewChannels, 0);

    // ---- Commands: settings, client settings; login only while logged out; logout logs only a logged-in operator
    // and hides the main window either way.
    auto command = [&](UINT id) {
        view.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(toolBar));
    };
    command(ID_SETTINGS);
    command(ID_CLIENT_SETTINGS);
    EXPECT_EQ(1, settings);
    EXPECT_EQ(1, clientSettings);
    command(ID_LOGIN);
    EXPECT_EQ(1, OperatorLoggedIn);
    command(ID_LOGIN);
    EXPECT_EQ(1, logins);
    CopyToField(CurrentOperator.UserName, L"anna");
    command(ID_LOGOUT);
    EXPECT_EQ(0, OperatorLoggedIn);
    EXPECT_FALSE(::IsWindowVisible(frameWindow));
    std::vector<SysLogRow> rows = TodaysSysLog();
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(kSysLogOperatorLogout, rows[0].SysLog_Cmd);
    EXPECT_EQ(std::wstring(L"T0186"), rows[0].Name);
    EXPECT_EQ(std::wstring(L"anna"), rows[0].Notes);
    frame->ShowWindow(SW_SHOWNA);
    command(ID_LOGOUT);
    EXPECT_FALSE(::IsWindowVisible(frameWindow));
    EXPECT_EQ(1u, TodaysSysLog().size());

    // A picture of the window with a few channels.
    frame->ShowWindow(SW_SHOWNA);
    EngineState.ChannelCount = 3;
    for (int channel = 0; channel < 3; ++channel) {
        ChannelTable[channel].LineType = QSD_CHTYPE_LINE_VOLTAGE;
        ChannelTable[channel].LineVoltage = 48;
        CopyToField(ChannelTable[channel].Name, (L"Line " + std::to_wstring(channel + 1)).c_str());
    }
    right->CardView().ChannelsReady(3);
    for (int channel = 0; channel < 3; ++channel)
        right->CardView().ChannelRowChanged(channel, ChannelRowChange::Idle);
    SaveScreenshot(frameWindow, L"Z:\\tmp\\views_main_view.png");
    EngineState.ChannelCount = 0;

    ::DestroyWindow(frameWindow);
    app.m_pMainWnd = nullptr;
    FreeOemBitmap();
    OperatorDialogs() = {};
}
