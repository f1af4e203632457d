#include "views/FtpWnd.h"

#include "FtpResource.h"
#include "common/AppIcons.h"
#include "common/OperatorDialogs.h"
#include "settings/Folders.h"
#include "settings/LangText.h"

#include <iterator>

namespace {

struct LogColumn {
    const wchar_t* TitleKey;
    int Width;
};

// Number, time, status, recording path.
constexpr LogColumn kLogColumns[] = {{L"0454", 80}, {L"0455", 180}, {L"0456", 150}, {L"0457", 500}};

struct StatusLook {
    int Icon;  // in the application's icon list
    const wchar_t* TextKey;
};

// By FtpStatus.
constexpr StatusLook kStatusLooks[] = {
    {kIconForward, L"0458"},  // started
    {kIconOk, L"0459"},       // done
    {kIconLockRed, L"0460"},  // failed
    {kIconLockRed, L"5081"},  // local file missing
};

// The log keeps fewer than kLogLimit rows: when it is full, the kLogTrim oldest rows make room.
constexpr int kLogLimit = 2000;
constexpr int kLogTrim = 500;

struct ToolButton {
    const wchar_t* Bitmap;  // in the program's Image folder
    UINT Command;
    const wchar_t* TextKey;
};

constexpr ToolButton kToolButtons[] = {
    {L"treeftp.bmp", ID_FTP_SETTINGS, L"0437"},
    {L"clear.bmp", ID_FTP_CLEAR_LOG, L"0461"},
};

constexpr int kToolImageSize = 24;
constexpr int kToolBarHeight = 32;
constexpr COLORREF kToolMaskColour = RGB(255, 255, 255);

}  // namespace

BEGIN_MESSAGE_MAP(CFtpWnd, CDialog)
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_COMMAND(ID_FTP_SETTINGS, OnFtpSettings)
    ON_COMMAND(ID_FTP_CLEAR_LOG, OnClearList)
END_MESSAGE_MAP()

CFtpWnd::CFtpWnd(CImageList* appIcons, const FtpBackupTiming& timing)
    : CDialog(IDD_FTP_LOG), m_appIcons(appIcons), m_backup(timing) {}

void CFtpWnd::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FTP_LOG_LIST, m_logList);
}

BOOL CFtpWnd::OnInitDialog() {
    CDialog::OnInitDialog();
    for (int i = 0; i < static_cast<int>(std::size(kLogColumns)); ++i)
        m_logList.InsertColumn(i, LangText(kLogColumns[i].TitleKey).c_str(), LVCFMT_LEFT, kLogColumns[i].Width);
    m_logList.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES | LVS_EX_GRIDLINES);
    if (m_appIcons)
        m_logList.SetImageList(m_appIcons, LVSIL_SMALL);
    CreateToolBar();
    m_backup.Start();
    return TRUE;
}

void CFtpWnd::CreateToolBar() {
    if (!m_toolBar.CreateEx(this, TBSTYLE_FLAT | TBSTYLE_LIST,
                            WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_TOOLTIPS | CBRS_FLYBY |
                                CBRS_SIZE_DYNAMIC,
                            CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR))
        return;

    m_toolBarImages.Create(kToolImageSize, kToolImageSize, ILC_COLOR32 | ILC_MASK, 0, 2);
    for (const ToolButton& button : kToolButtons) {
        const std::wstring path = GetExeFolder() + L"\\Image\\" + button.Bitmap;
        CBitmap bitmap;
        bitmap.Attach(::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
        m_toolBarImages.Add(&bitmap, kToolMaskColour);
    }
    CToolBarCtrl& control = m_toolBar.GetToolBarCtrl();
    control.SetImageList(&m_toolBarImages);
    control.SetHotImageList(&m_toolBarImages);

    TBBUTTON buttons[std::size(kToolButtons)] = {};
    for (int i = 0; i < static_cast<int>(std::size(kToolButtons)); ++i) {
        buttons[i].iBitmap = i;
        buttons[i].idCommand = static_cast<int>(kToolButtons[i].Command);
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = BTNS_AUTOSIZE;
    }
    control.AddButtons(static_cast<int>(std::size(buttons)), buttons);
    control.SetExtendedStyle(TBSTYLE_EX_DRAWDDARROWS);
    for (int i = 0; i < static_cast<int>(std::size(kToolButtons)); ++i)
        m_toolBar.SetButtonText(i, LangText(kToolButtons[i].TextKey).c_str());
}

void CFtpWnd::OnDestroy() {
    CDialog::OnDestroy();
    m_toolBarImages.DeleteImageList();
    // The thread's last log rows may be waiting for this thread: Stop serves them while it waits.
    m_backup.Stop();
}

void CFtpWnd::OnSize(UINT nType, int cx, int cy) {
    CDialog::OnSize(nType, cx, cy);
    if (m_toolBar.GetSafeHwnd())
        m_toolBar.MoveWindow(2, 0, cx - 4, kToolBarHeight);
    if (m_logList.GetSafeHwnd())
        m_logList.MoveWindow(2, kToolBarHeight + 1, cx - 4, cy - kToolBarHeight - 3);
}

void CFtpWnd::OnFtpSettings() {
    OperatorDialogs().FtpSettings.Run(this);
}

void CFtpWnd::OnClearList() {
    m_logList.DeleteAllItems();
}

void CFtpWnd::AddStatusRow(const FtpJob& job, int status) {
    if (status < 0 || status >= static_cast<int>(std::size(kStatusLooks)))
        return;
    if (m_logList.GetItemCount() >= kLogLimit) {
        for (int i = 0; i < kLogTrim; ++i)
            m_logList.DeleteItem(0);
    }

    const int row = m_logList.GetItemCount();
    CString number;
    number.Format(L"%d", row + 1);
    m_logList.InsertItem(row, number, kStatusLooks[status].Icon);
    m_logList.SetItemText(row, 2, LangText(kStatusLooks[status].TextKey).c_str());
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    CString time;
    time.Format(L"%04d-%02d-%02d %02d:%02d:%02d", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
    m_logList.SetItemText(row, 1, time);
    m_logList.SetItemText(row, 3, job.RecFilePath);
}
