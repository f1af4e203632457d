#include "views/LeftView.h"

#include "MainFrameResource.h"
#include "MainViewResource.h"
#include "common/AppIcons.h"
#include "settings/LangText.h"
#include "settings/Settings.h"
#include "common/WhiteCtlColor.h"
#include "views/RightView.h"
#include "views/ViewCaption.h"
#include "views/ViewIndex.h"

#include <iterator>

namespace {

constexpr const wchar_t* kOemSection = L"Settings";
constexpr const wchar_t* kOemCompanyName = L"CompanyName";

// The recordings group: its own item, whose data shows all recordings.
constexpr const wchar_t* kRecordingsGroupKey = L"5044";

// Where each item hangs, in insertion order: the root, then its children, the group's children in between.
enum class Parent { None, Root, Group };

struct TreeItem {
    int View;
    Parent Under;
    bool IsGroup;
};

constexpr TreeItem kTreeItems[] = {
    {kViewRoot, Parent::None, false},           {kViewChannels, Parent::Root, false},
    {kViewPhoneBook, Parent::Root, false},      {kViewAllRecordings, Parent::Root, true},
    {kViewAllRecordings, Parent::Group, false}, {kViewOutgoingCalls, Parent::Group, false},
    {kViewIncomingCalls, Parent::Group, false}, {kViewMissedCalls, Parent::Group, false},
    {kViewAutoAnswered, Parent::Group, false},  {kViewVoiceRecordings, Parent::Group, false},
    {kViewSearchResults, Parent::Group, false}, {kViewStatistics, Parent::Root, false},
    {kViewSystemLog, Parent::Root, false},      {kViewClients, Parent::Root, false},
    {kViewUploadLog, Parent::Root, false},
};

// The form's hidden buttons and their texts.
constexpr UINT kHiddenButtons[] = {IDC_LEFT_BUTTON1, IDC_LEFT_BUTTON2, IDC_LEFT_BUTTON3, IDC_LEFT_BUTTON4,
                                   IDC_LEFT_BUTTON5};
constexpr const wchar_t* kHiddenButtonKeys[] = {L"5015", L"5016", L"5017", L"5018", L"5029"};

}  // namespace

IMPLEMENT_DYNCREATE(CLeftView, CFormView)

BEGIN_MESSAGE_MAP(CLeftView, CFormView)
    ON_WM_SIZE()
    ON_WM_CTLCOLOR()
    ON_NOTIFY(TVN_SELCHANGED, IDC_NAV_TREE, OnTreeSelChanged)
END_MESSAGE_MAP()

CLeftView::CLeftView() : CFormView(IDD_LEFT_VIEW) {}

BOOL CLeftView::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style &= ~WS_BORDER;
    return CFormView::PreCreateWindow(cs);
}

void CLeftView::DoDataExchange(CDataExchange* pDX) {
    CFormView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_NAV_TREE, m_tree);
    DDX_Control(pDX, IDC_SPARE_TREE, m_spareTree);
}

void CLeftView::BuildTree() {
    if (!CreateViewCaption(m_caption, this, ReadOemString(kOemSection, kOemCompanyName).c_str(), IDI_TREE_CAPTION))
        return;
    m_tree.SetImageList(&AppIconList(), TVSIL_NORMAL);

    HTREEITEM root = nullptr;
    HTREEITEM group = nullptr;
    for (size_t i = 0; i < std::size(kTreeItems); ++i) {
        const TreeItem& item = kTreeItems[i];
        const ViewLook& look = kViewLooks[item.View];
        const std::wstring text = LangText(item.IsGroup ? kRecordingsGroupKey : look.TextKey);
        HTREEITEM parent = item.Under == Parent::Root ? root : (item.Under == Parent::Group ? group : TVI_ROOT);
        HTREEITEM inserted = m_tree.InsertItem(text.c_str(), look.Icon, look.Icon, parent, TVI_LAST);
        m_tree.SetItemData(inserted, static_cast<DWORD_PTR>(item.View));
        m_items[i] = inserted;
        if (item.Under == Parent::None)
            root = inserted;
        if (item.IsGroup)
            group = inserted;
    }
    m_tree.Expand(root, TVE_EXPAND);

    for (size_t i = 0; i < std::size(kHiddenButtons); ++i) {
        SetDlgItemText(kHiddenButtons[i], LangText(kHiddenButtonKeys[i]).c_str());
        if (CWnd* button = GetDlgItem(kHiddenButtons[i]))
            button->ShowWindow(SW_HIDE);
    }
    m_spareTree.ShowWindow(SW_HIDE);
}

void CLeftView::OnSize(UINT nType, int cx, int cy) {
    CFormView::OnSize(nType, cx, cy);
    if (m_caption.GetSafeHwnd())
        m_caption.MoveWindow(0, 0, cx, kViewCaptionHeight);
    if (m_tree.GetSafeHwnd())
        m_tree.MoveWindow(1, kViewCaptionHeight + 1, cx - 2, cy - kViewCaptionHeight - 2);
}

void CLeftView::OnTreeSelChanged(NMHDR*, LRESULT* pResult) {
    *pResult = 0;
    HTREEITEM caret = m_tree.GetSelectedItem();
    if (!caret)
        return;
    if (CWnd* mainWindow = AfxGetMainWnd())
        mainWindow->SendMessage(WM_SHOWVIEW, m_tree.GetItemData(caret), 0);
}

HBRUSH CLeftView::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    const HBRUSH base = CFormView::OnCtlColor(pDC, pWnd, nCtlColor);
    const HBRUSH white = CtlColorWhite(pDC, nCtlColor);
    return white ? white : base;
}

CRightView* CLeftView::RightView() const {
    CSplitterWnd* splitter = DYNAMIC_DOWNCAST(CSplitterWnd, GetParent());
    return splitter ? DYNAMIC_DOWNCAST(CRightView, splitter->GetPane(0, 1)) : nullptr;
}

BOOL CLeftView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CRightView* right = RightView(); right && right->RoutePaneCommand(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CFormView::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
