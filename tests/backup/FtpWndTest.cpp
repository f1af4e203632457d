// The FTP log pane in a plain test window: its list and toolbar, its rows and their limit, its layout, and the
// upload thread it runs, whose rows reach it through the service view.

#include "views/FtpWnd.h"

#include "BackupTestSupport.h"
#include "FtpResource.h"
#include "PaneTestSupport.h"
#include "common/AppIcons.h"
#include "storage/FtpQueueStore.h"
#include "storage/StoragePaths.h"
#include "storage/Stores.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class FtpWnd : public ::testing::Test {
protected:
    void SetUp() override {
        PrepareProgramFolder(folder);
        ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), L"test frame", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600,
                                   nullptr, nullptr));
        ASSERT_TRUE(icons.Create(kAppIconSize, kAppIconSize, ILC_COLOR32 | ILC_MASK, kAppIconCount, 0));
        ImageList_SetImageCount(icons.GetSafeHandle(), kAppIconCount);
    }
    void TearDown() override {
        if (pane && pane->GetSafeHwnd())
            pane->DestroyWindow();
        frame.DestroyWindow();
    }

    void CreatePane(const FtpBackupTiming& timing = {}) {
        pane = std::make_unique<CFtpWnd>(&icons, timing);
        ASSERT_TRUE(pane->Create(IDD_FTP_LOG, &frame));
        list = ::GetDlgItem(pane->GetSafeHwnd(), IDC_FTP_LOG_LIST);
        toolBar = ::GetDlgItem(pane->GetSafeHwnd(), AFX_IDW_TOOLBAR);
    }

    void AddRow(const std::wstring& path, int status) { pane->AddStatusRow(MakeJob(path, Now()), status); }

    TestFolder folder;
    CWnd frame;
    CImageList icons;
    std::unique_ptr<CFtpWnd> pane;
    HWND list = nullptr;
    HWND toolBar = nullptr;
};

std::wstring PathNumber(int i) {
    return L"C:\\rec\\" + std::to_wstring(i) + L".wav";
}

}  // namespace

TEST_F(FtpWnd, ShowsTheLogColumnsAndTheToolBarAndRunsTheUploadThread) {
    CreatePane();
    ASSERT_TRUE(list);
    const std::pair<const wchar_t*, int> columns[] = {
        {L"No.", 80}, {L"Time", 180}, {L"Status", 150}, {L"Recording file", 500}};
    for (int i = 0; i < 4; ++i) {
        wchar_t title[64] = {};
        LVCOLUMNW column{LVCF_TEXT | LVCF_WIDTH};
        column.pszText = title;
        column.cchTextMax = 64;
        ASSERT_TRUE(::SendMessageW(list, LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(&column)));
        EXPECT_STREQ(columns[i].first, title);
        EXPECT_EQ(columns[i].second, column.cx);
    }
    EXPECT_EQ(static_cast<DWORD>(LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES | LVS_EX_GRIDLINES),
              ::SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    EXPECT_EQ(reinterpret_cast<LRESULT>(icons.GetSafeHandle()), ::SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));

    ASSERT_TRUE(toolBar);
    ASSERT_EQ(2, ::SendMessageW(toolBar, TB_BUTTONCOUNT, 0, 0));
    const std::pair<int, const wchar_t*> buttons[] = {{ID_FTP_SETTINGS, L"FTP Settings"},
                                                      {ID_FTP_CLEAR_LOG, L"Clear Log"}};
    for (int i = 0; i < 2; ++i) {
        TBBUTTON button{};
        ::SendMessageW(toolBar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        EXPECT_EQ(buttons[i].first, button.idCommand);
        EXPECT_EQ(i, button.iBitmap);
        EXPECT_TRUE(button.fsState & TBSTATE_ENABLED);
        wchar_t text[64] = {};
        ::SendMessageW(toolBar, TB_GETBUTTONTEXTW, button.idCommand, reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(buttons[i].second, text);
    }
    const auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(toolBar, TB_GETIMAGELIST, 0, 0));
    EXPECT_EQ(2, ImageList_GetImageCount(images));  // both bitmaps were found and loaded
    EXPECT_EQ(reinterpret_cast<LRESULT>(images), ::SendMessageW(toolBar, TB_GETHOTIMAGELIST, 0, 0));

    EXPECT_TRUE(pane->Backup().IsRunning());
    pane->DestroyWindow();
    EXPECT_FALSE(pane->Backup().IsRunning());
}

TEST_F(FtpWnd, RowsShowNumberTimeStatusAndPath) {
    CreatePane();
    const std::pair<const wchar_t*, int> looks[] = {{L"Uploading", kIconForward},
                                                    {L"Uploaded", kIconOk},
                                                    {L"Upload failed", kIconLockRed},
                                                    {L"Local file not found", kIconLockRed}};
    for (int status = 0; status < 4; ++status)
        AddRow(PathNumber(status), status);
    AddRow(PathNumber(9), 9);  // no such status: no row
    ASSERT_EQ(4, RowCount(list));
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(std::to_wstring(row + 1), CellText(list, row, 0));
        EXPECT_EQ(looks[row].second, RowImage(list, row));
        const std::wstring time = CellText(list, row, 1);
        ASSERT_EQ(19u, time.size()) << row;
        EXPECT_EQ(L"-- ::",
                  time.substr(4, 1) + time.substr(7, 1) + time.substr(10, 1) + time.substr(13, 1) + time.substr(16, 1));
        EXPECT_EQ(looks[row].first, CellText(list, row, 2));
        EXPECT_EQ(PathNumber(row), CellText(list, row, 3));
    }

    pane->SendMessage(WM_COMMAND, ID_FTP_CLEAR_LOG);
    EXPECT_EQ(0, RowCount(list));
}

TEST_F(FtpWnd, TheLogDropsItsOldest500RowsWhenItHolds2000) {
    CreatePane();
    for (int i = 0; i < 2000; ++i)
        AddRow(PathNumber(i), kFtpUploadDone);
    ASSERT_EQ(2000, RowCount(list));
    AddRow(PathNumber(2000), kFtpUploadDone);
    ASSERT_EQ(1501, RowCount(list));
    EXPECT_EQ(L"501", CellText(list, 0, 0));
    EXPECT_EQ(PathNumber(500), CellText(list, 0, 3));
    EXPECT_EQ(L"1501", CellText(list, 1500, 0));  // numbered by the rows the log holds
    EXPECT_EQ(PathNumber(2000), CellText(list, 1500, 3));
}

TEST_F(FtpWnd, ToolBarAndListFollowThePaneSize) {
    CreatePane();
    pane->MoveWindow(0, 0, 600, 400);
    EXPECT_EQ(CRect(2, 0, 598, 32), RectInParent(toolBar));
    EXPECT_EQ(CRect(2, 33, 598, 398), RectInParent(list));
}

TEST_F(FtpWnd, UploadRowsReachThePaneAndDestroyingItEndsTheThread) {
    // The GUI's service view hands each FTP row to the pane.
    class PaneView : public RecordingServiceView {
    public:
        explicit PaneView(std::unique_ptr<CFtpWnd>& pane) : m_pane(pane) {}
        void FtpLogRow(const FtpJob& job, FtpStatus status) override { m_pane->AddStatusRow(job, status); }

    private:
        std::unique_ptr<CFtpWnd>& m_pane;  // made before its window, whose initialisation starts the thread
    };
    PaneView view(pane);
    ScopedServiceView installed(view);
    ASSERT_TRUE(TheFtpQueueStore().Open(StoreFilePath(kFtpQueueDbName).c_str()));
    WriteFtpLogin(21);
    FtpJob job = MakeJob(folder.ProgramFolder() + L"\\not-yet.mp3", Now());  // kept and reported at every refill
    ASSERT_TRUE(TheFtpQueueStore().InsertJob(job));

    CreatePane({10, 10, 10});
    ASSERT_TRUE(PumpUntil([&] { return RowCount(list) >= 3; }));
    EXPECT_EQ(L"Local file not found", CellText(list, 0, 2));

    // The thread keeps adding rows, each one waiting for this thread, while the pane is destroyed.
    const auto before = std::chrono::steady_clock::now();
    pane->DestroyWindow();
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(1500));  // ended, not killed
    EXPECT_FALSE(pane->Backup().IsRunning());
    TheFtpQueueStore().Close();
}
