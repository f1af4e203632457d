#include "SkinAppFrame.h"

#include "SkinAppResources.h"
#include "TkSkinManager.h"

namespace {

// The list panes' toolbar: 32 pixels high, window id 0xE800, text beside 24 x 24 images.
constexpr UINT kPaneToolBarId = 0xE800;
constexpr int kPaneToolBarHeight = 32;
constexpr int kListRows = 60;

const wchar_t* const kColumns[] = {L"Channel",  L"Caller", L"Number", L"Start time",
                                   L"Duration", L"Type",   L"Notes",  L"Recording file"};

// A 24 x 24 image on white (the mask colour): a coloured disc with a darker rim.
HBITMAP MakeToolImage(COLORREF clrFill, COLORREF clrRim) {
    CScopedMemDC dc(24, 24);
    dc.FillSolidRect(0, 0, 24, 24, RGB(255, 255, 255));
    CBrush brush(clrFill);
    CPen pen(PS_SOLID, 2, clrRim);
    const CScopedSelectObject selectBrush(dc.GetSafeHdc(), brush.GetSafeHandle());
    const CScopedSelectObject selectPen(dc.GetSafeHdc(), pen.GetSafeHandle());
    dc.Ellipse(3, 3, 21, 21);
    return dc.DetachBitmap();
}

}  // namespace

// ---- The list pane

CSkinAppPane::CSkinAppPane() : CDialog(IDD_SKIN_APP_PANE) {}

BEGIN_MESSAGE_MAP(CSkinAppPane, CDialog)
    ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CSkinAppPane::OnInitDialog() {
    CDialog::OnInitDialog();
    m_toolBar.Create(
        WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
        CRect(0, 0, 300, kPaneToolBarHeight), this, kPaneToolBarId);
    m_toolBar.SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    m_toolImages.Create(24, 24, ILC_COLOR24 | ILC_MASK, 3, 0);
    const COLORREF looks[][2] = {{RGB(90, 170, 90), RGB(30, 110, 30)},
                                 {RGB(90, 140, 220), RGB(30, 70, 160)},
                                 {RGB(220, 90, 80), RGB(150, 30, 20)}};
    for (const auto& look : looks) {
        CBitmap image;
        image.Attach(MakeToolImage(look[0], look[1]));
        m_toolImages.Add(&image, RGB(255, 255, 255));
    }
    m_toolBar.SetImageList(&m_toolImages);
    TBBUTTON buttons[] = {
        {0, ID_APP_REFRESH, TBSTATE_ENABLED, BTNS_BUTTON | BTNS_AUTOSIZE, {}, 0, reinterpret_cast<INT_PTR>(L"Refresh")},
        {1, ID_APP_EXPORT, TBSTATE_ENABLED, BTNS_BUTTON | BTNS_AUTOSIZE, {}, 0, reinterpret_cast<INT_PTR>(L"Export")},
        {0, 0, 0, BTNS_SEP, {}, 0, 0},
        {2, ID_APP_DELETE, 0, BTNS_BUTTON | BTNS_AUTOSIZE, {}, 0, reinterpret_cast<INT_PTR>(L"Delete")},
    };
    m_toolBar.AddButtons(static_cast<int>(std::size(buttons)), buttons);

    m_list.SubclassDlgItem(IDC_APP_LIST, this);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT);
    m_listImages.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 0);
    for (const COLORREF clr : {RGB(60, 160, 60), RGB(200, 60, 50)}) {
        CScopedMemDC dc(16, 16);
        dc.FillSolidRect(0, 0, 16, 16, RGB(255, 255, 255));
        dc.FillSolidRect(4, 4, 8, 8, clr);
        CBitmap image;
        image.Attach(dc.DetachBitmap());
        m_listImages.Add(&image, RGB(255, 255, 255));
    }
    m_list.SetImageList(&m_listImages, LVSIL_SMALL);
    for (int nColumn = 0; nColumn < static_cast<int>(std::size(kColumns)); ++nColumn)
        m_list.InsertColumn(nColumn, kColumns[nColumn], LVCFMT_LEFT, 110);
    for (int nRow = 0; nRow < kListRows; ++nRow) {
        CString strText;
        strText.Format(L"Line %02d", nRow % 16 + 1);
        m_list.InsertItem(nRow, strText, nRow % 2);
        strText.Format(L"Caller %d", nRow + 1);
        m_list.SetItemText(nRow, 1, strText);
        strText.Format(L"0755%07d", 8810000 + nRow * 37);
        m_list.SetItemText(nRow, 2, strText);
        strText.Format(L"2026-12-10 %02d:%02d", 8 + nRow / 6, nRow * 7 % 60);
        m_list.SetItemText(nRow, 3, strText);
        strText.Format(L"%d s", 30 + nRow * 11);
        m_list.SetItemText(nRow, 4, strText);
        m_list.SetItemText(nRow, 5, nRow % 3 == 0 ? L"Outgoing" : L"Incoming");
    }
    return TRUE;
}

void CSkinAppPane::OnSize(UINT /*nType*/, int cx, int cy) {
    if (m_toolBar.m_hWnd != nullptr)
        m_toolBar.MoveWindow(0, 0, cx, kPaneToolBarHeight);
    if (m_list.m_hWnd != nullptr)
        m_list.MoveWindow(0, kPaneToolBarHeight + 1, cx, cy - kPaneToolBarHeight - 1);
}

// ---- The two views of the splitter

IMPLEMENT_DYNCREATE(CSkinAppTreeView, CView)
BEGIN_MESSAGE_MAP(CSkinAppTreeView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

int CSkinAppTreeView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                  CRect(0, 0, 0, 0), this, 100);
    HTREEITEM hRoot = m_tree.InsertItem(L"Tesselon Server");
    m_tree.InsertItem(L"Channels", hRoot);
    HTREEITEM hRecords = m_tree.InsertItem(L"Call records", hRoot);
    for (LPCWSTR pszKind : {L"All calls", L"Incoming", L"Outgoing", L"Missed", L"Voice activated"})
        m_tree.InsertItem(pszKind, hRecords);
    for (LPCWSTR pszPane : {L"Statistics", L"System log", L"Phone book", L"Clients"})
        m_tree.InsertItem(pszPane, hRoot);
    m_tree.Expand(hRoot, TVE_EXPAND);
    m_tree.Expand(hRecords, TVE_EXPAND);
    m_tree.SelectItem(hRecords);
    return 0;
}

void CSkinAppTreeView::OnSize(UINT /*nType*/, int cx, int cy) {
    if (m_tree.m_hWnd != nullptr)
        m_tree.MoveWindow(0, 0, cx, cy);
}

IMPLEMENT_DYNCREATE(CSkinAppPaneView, CView)
BEGIN_MESSAGE_MAP(CSkinAppPaneView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

int CSkinAppPaneView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CView::OnCreate(lpCreateStruct) == -1 || !m_pane.Create(IDD_SKIN_APP_PANE, this))
        return -1;
    m_pane.ShowWindow(SW_SHOW);
    return 0;
}

void CSkinAppPaneView::OnSize(UINT /*nType*/, int cx, int cy) {
    if (m_pane.m_hWnd != nullptr)
        m_pane.MoveWindow(0, 0, cx, cy);
}

// ---- The settings dialog

CSkinAppDialog::CSkinAppDialog() : CDialog(IDD_SKIN_APP_DIALOG) {}

BOOL CSkinAppDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    CheckDlgButton(IDC_APP_CHECK, BST_CHECKED);
    CheckDlgButton(IDC_APP_RADIO_VOLTAGE, BST_CHECKED);
    SendDlgItemMessage(IDC_APP_SPIN, UDM_SETRANGE32, 0, 20);
    SendDlgItemMessage(IDC_APP_SPIN, UDM_SETPOS32, 0, 3);
    for (LPCWSTR pszItem : {L"IMA ADPCM", L"A-law", L"u-law", L"MP3"})
        SendDlgItemMessage(IDC_APP_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pszItem));
    SendDlgItemMessage(IDC_APP_COMBO, CB_SETCURSEL, 1);
    // The format is chosen from the list only.
    COMBOBOXINFO info = {sizeof(info)};
    if (::GetComboBoxInfo(GetDlgItem(IDC_APP_COMBO)->m_hWnd, &info))
        ::SendMessageW(info.hwndItem, EM_SETREADONLY, TRUE, 0);
    SendDlgItemMessage(IDC_APP_DATETIME, DTM_SETSYSTEMTIME, GDT_NONE, 0);
    SendDlgItemMessage(IDC_APP_PROGRESS, PBM_SETRANGE32, 0, 100);
    SendDlgItemMessage(IDC_APP_PROGRESS, PBM_SETPOS, 60);
    return TRUE;
}

// ---- The frame

BEGIN_MESSAGE_MAP(CSkinAppFrame, CFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

int CSkinAppFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    // As the program's main frame does: the skin first, so that everything made below is skinned.
    CTkSkinManager* pManager = GetSkinManager();
    pManager->SetSkinningOptions(tkSkinApplyMetrics | tkSkinApplyFrame | tkSkinApplyColors);
    m_bSkinOpened = pManager->OpenSkin(m_skinPath.c_str(), nullptr);

    const UINT indicators[] = {0, 10000, 10001};
    if (!m_statusBar.Create(this) || !m_statusBar.SetIndicators(indicators, 3))
        return -1;
    m_statusBar.SetPaneInfo(1, 10000, SBPS_STRETCH, 200);
    m_statusBar.SetPaneInfo(2, 10001, SBPS_STRETCH, 200);
    m_statusBar.SetPaneText(0, L"Ready");
    m_statusBar.SetPaneText(1, L"Channels: 16, recording: 2");
    m_statusBar.SetPaneText(2, L"Started 2026-12-10 08:00");

    if (!m_splitter.CreateStatic(this, 1, 2) ||
        !m_splitter.CreateView(0, 0, RUNTIME_CLASS(CSkinAppTreeView), CSize(180, 0), nullptr) ||
        !m_splitter.CreateView(0, 1, RUNTIME_CLASS(CSkinAppPaneView), CSize(0, 0), nullptr))
        return -1;
    return 0;
}

CSkinAppTreeView* CSkinAppFrame::GetTreeView() const {
    return static_cast<CSkinAppTreeView*>(m_splitter.GetPane(0, 0));
}

CSkinAppPane& CSkinAppFrame::GetPane() const {
    return static_cast<CSkinAppPaneView*>(m_splitter.GetPane(0, 1))->m_pane;
}
