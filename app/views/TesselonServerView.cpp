#include "views/TesselonServerView.h"

#include "MainFrameResource.h"
#include "MainViewResource.h"
#include "common/OemLogo.h"
#include "common/OperatorDialogs.h"
#include "common/OperatorSession.h"
#include "common/SysLogNow.h"
#include "settings/LangText.h"
#include "storage/RecordFields.h"
#include "storage/SysLogStore.h"
#include "views/LeftView.h"
#include "views/PaneToolBar.h"
#include "views/RightView.h"

namespace {

constexpr int kToolImageSize = 32;
constexpr int kToolBarHeight = 45;
constexpr int kLogoStripWidth = 72;  // right of the toolbar

constexpr const wchar_t* kToolBitmaps[] = {L"Settingsbig.bmp", L"About.bmp",  L"send-user.bmp",
                                           L"lock green.bmp",  L"unlock.bmp", L"Cursor_V_split.bmp"};

constexpr int kToggleButton = 3;
constexpr const wchar_t* kHideNavigationKey = L"0415";
constexpr const wchar_t* kShowNavigationKey = L"0416";

constexpr ToolBarButton kToolButtons[] = {
    {0, ID_SETTINGS, L"0011"},  {3, ID_LOGOUT, L"0390"},
    {4, ID_LOGIN, L"0391"},     {5, ID_TOGGLE_LEFT_PANE, kHideNavigationKey},
    {1, ID_APP_ABOUT, L"0012"},
};

// The navigation column: its width at the start and when shown again, and the least it is dragged to.
constexpr int kNavigationWidth = 248;
constexpr int kNavigationMinWidth = 100;

constexpr const wchar_t* kLogoutRowNameKey = L"0186";

}  // namespace

BEGIN_MESSAGE_MAP(CTesselonServerView, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_COMMAND(ID_SETTINGS, OnSettings)
    ON_COMMAND(ID_CLIENT_SETTINGS, OnClientSettings)
    ON_COMMAND(ID_LOGIN, OnLogin)
    ON_UPDATE_COMMAND_UI(ID_LOGIN, OnUpdateLogin)
    ON_COMMAND(ID_LOGOUT, OnLogout)
    ON_COMMAND(ID_TOGGLE_LEFT_PANE, OnToggleLeftPane)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

BOOL CTesselonServerView::PreCreateWindow(CREATESTRUCT& cs) {
    if (!CWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style &= ~WS_BORDER;
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW),
                                       reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), nullptr);
    return cs.lpszClass != nullptr;
}

int CTesselonServerView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!CreateImageToolBar(this, m_toolBar, m_toolBarImages, kToolImageSize, kToolBitmaps, kToolButtons,
                            ToolBarSecondImages::Disabled))
        return -1;
    CreateSplitter();
    return 0;
}

BOOL CTesselonServerView::CreateSplitter() {
    if (!m_splitter.CreateStatic(this, 1, 2, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
        return FALSE;
    if (!m_splitter.CreateView(0, 0, RUNTIME_CLASS(CLeftView), CSize(0, 0), nullptr) ||
        !m_splitter.CreateView(0, 1, RUNTIME_CLASS(CRightView), CSize(0, 0), nullptr)) {
        m_splitter.DestroyWindow();
        return FALSE;
    }
    m_pLeftView = STATIC_DOWNCAST(CLeftView, m_splitter.GetPane(0, 0));
    m_pRightView = STATIC_DOWNCAST(CRightView, m_splitter.GetPane(0, 1));
    m_pLeftView->BuildTree();
    m_splitter.SetColumnInfo(0, kNavigationWidth, kNavigationMinWidth);
    // The frame asks its active view first for the state of the panes' toolbar buttons: whatever the operator
    // clicks first, the pane column answers.
    if (CFrameWnd* frame = GetParentFrame())
        frame->SetActiveView(m_pRightView, FALSE);
    return TRUE;
}

void CTesselonServerView::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    if (m_toolBar.GetSafeHwnd())
        m_toolBar.MoveWindow(0, 0, cx - kLogoStripWidth, kToolBarHeight);
    if (m_splitter.GetSafeHwnd())
        m_splitter.MoveWindow(0, kToolBarHeight, cx, cy - kToolBarHeight);
}

BOOL CTesselonServerView::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CTesselonServerView::OnPaint() {
    CPaintDC dc(this);
    AfxPaintBuffered(this, dc, [this](CDC* pDC, const CRect& rcClient) { Draw(pDC, rcClient); });
}

LRESULT CTesselonServerView::OnPrintClient(WPARAM wParam, LPARAM) {
    AfxPaintBuffered(this, reinterpret_cast<HDC>(wParam),
                     [this](CDC* pDC, const CRect& rcClient) { Draw(pDC, rcClient); });
    return 0;
}

void CTesselonServerView::Draw(CDC* pDC, const CRect& rcClient) {
    pDC->FillSolidRect(rcClient, ::GetSysColor(COLOR_WINDOW));
    HBITMAP logo = OemBitmap();
    if (!logo)
        return;
    const int width = rcClient.Width();
    CPen white(PS_SOLID, 1, RGB(255, 255, 255));
    CScopedSelectObject pen(pDC->GetSafeHdc(), white.GetSafeHandle());
    CScopedSelectObject brush(pDC->GetSafeHdc(), ::GetStockObject(WHITE_BRUSH));
    pDC->Rectangle(width - kLogoStripWidth, 2, width - 2, kToolBarHeight);
    CDC logoDC;
    logoDC.CreateCompatibleDC(pDC);
    CScopedSelectObject bitmap(logoDC.GetSafeHdc(), logo);
    pDC->BitBlt(width - kLogoStripWidth + 1, 3, kLogoStripWidth - 1, kToolBarHeight, &logoDC, 0, 0, SRCCOPY);
}

// ---- Commands

void CTesselonServerView::OnSettings() {
    OperatorDialogs().Settings.Run(this);
}

void CTesselonServerView::OnClientSettings() {
    OperatorDialogs().ClientSettings.Run(this);
}

void CTesselonServerView::OnLogin() {
    if (OperatorLoggedIn)
        return;
    OperatorLoggedIn = OperatorDialogs().Login.Run(this) == IDOK ? 1 : 0;
}

void CTesselonServerView::OnUpdateLogin(CCmdUI* pCmdUI) {
    pCmdUI->Enable(OperatorLoggedIn == 0);
}

void CTesselonServerView::OnLogout() {
    if (OperatorLoggedIn) {
        SysLogRow row{};
        row.SysLog_Cmd = kSysLogOperatorLogout;
        CopyToField(row.Name, LangText(kLogoutRowNameKey).c_str());
        CopyToField(row.Notes, CurrentOperator.UserName);
        WriteSysLogNow(row);
    }
    OperatorLoggedIn = 0;
    // Back only through the tray icon or a second start of the program.
    if (CWnd* mainWindow = GetTopLevelParent())
        mainWindow->ShowWindow(SW_HIDE);
}

void CTesselonServerView::OnToggleLeftPane() {
    m_bNavigationShown = !m_bNavigationShown;
    if (m_bNavigationShown)
        m_splitter.SetColumnInfo(0, kNavigationWidth, kNavigationMinWidth);
    else
        m_splitter.SetColumnInfo(0, 0, 0);
    m_splitter.RecalcLayout();
    m_toolBar.SetButtonText(kToggleButton,
                            LangText(m_bNavigationShown ? kHideNavigationKey : kShowNavigationKey).c_str());
}

void CTesselonServerView::OnAppAbout() {
    // The toolbar reports its clicks to this view, and the About box is the application's command.
    if (CWinApp* app = AfxGetApp())
        app->OnCmdMsg(ID_APP_ABOUT, CN_COMMAND, nullptr, nullptr);
}
