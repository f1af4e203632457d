#include "views/NetWorkView.h"

#include "PanesResource.h"
#include "clients/ClientPushes.h"
#include "common/AppIcons.h"
#include "settings/LangText.h"
#include "storage/RecordFields.h"
#include "views/ListPane.h"
#include "views/PaneToolBar.h"

#include <iterator>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr PaneColumn kColumns[] = {{L"0360", 100}, {L"0353", 180}, {L"0354", 150}, {L"0355", 150}, {L"0356", 180}};

constexpr int kToolImageSize = 24;
constexpr const wchar_t* kToolBitmaps[] = {L"deletephonebook.bmp", L"clear.bmp"};
constexpr ToolBarButton kToolButtons[] = {
    {0, ID_NETWORK_FORCE_OFFLINE, L"0352"}, {0, 0, nullptr}, {1, ID_NETWORK_CLEAR, L"0351"}};

// The list keeps at most this many rows.
constexpr int kRowLimit = 1999;

// By ClientEventCode.
constexpr const wchar_t* kEventKeys[] = {L"0357", L"0358", L"0359"};

}  // namespace

void AddClientRow(CNetWorkView* pane, const ClientEventRecord& event) {
    if (pane)
        RunOnPaneThread(*pane, [pane, &event] { pane->AddRow(event); });
}

BEGIN_MESSAGE_MAP(CNetWorkView, CDialog)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_RUN_PANE_CALL, OnRunPaneCall)
    ON_COMMAND(ID_NETWORK_FORCE_OFFLINE, OnForceOffline)
    ON_COMMAND(ID_NETWORK_CLEAR, OnClearPaneList)
END_MESSAGE_MAP()

CNetWorkView::CNetWorkView() : CDialog(IDD_NETWORK_VIEW) {}

void CNetWorkView::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_NETWORK_LIST, m_list);
}

BOOL CNetWorkView::OnInitDialog() {
    CDialog::OnInitDialog();
    SetUpPaneList(m_list, kColumns);
    if (!CreateImageToolBar(this, m_toolBar, m_toolBarImages, kToolImageSize, kToolBitmaps, kToolButtons,
                            ToolBarSecondImages::Hot))
        return -1;
    return TRUE;
}

BOOL CNetWorkView::PreTranslateMessage(MSG* pMsg) {
    return OnPaneKeyFilter(pMsg) || CDialog::PreTranslateMessage(pMsg);
}

void CNetWorkView::OnSize(UINT nType, int cx, int cy) {
    CDialog::OnSize(nType, cx, cy);
    LayoutListPane(m_toolBar, m_list, cx, cy);
}

void CNetWorkView::OnDestroy() {
    CDialog::OnDestroy();
    ClearRows();
    m_toolBarImages.DeleteImageList();
}

LRESULT CNetWorkView::OnRunPaneCall(WPARAM, LPARAM lParam) {
    return RunPaneCall(lParam);
}

const ClientEventRecord* CNetWorkView::RowRecord(int row) const {
    return reinterpret_cast<const ClientEventRecord*>(m_list.GetItemData(row));
}

void CNetWorkView::AddRow(const ClientEventRecord& event) {
    const int count = m_list.GetItemCount();
    CString number;
    number.Format(L"%d", count + 1);
    const int row = m_list.InsertItem(count, number, kIconSupport);
    if (row < 0)
        return;
    m_list.SetItemText(row, 1, PaneDateTimeText(event.Time));
    CString peer;
    peer.Format(L"%hs", std::string(event.PeerAddress, strnlen(event.PeerAddress, sizeof(event.PeerAddress))).c_str());
    m_list.SetItemText(row, 2, peer);
    m_list.SetItemText(row, 3, std::wstring(FieldText(event.UserName)).c_str());
    if (event.Event >= 0 && event.Event < static_cast<int>(std::size(kEventKeys)))
        m_list.SetItemText(row, 4, LangText(kEventKeys[event.Event]).c_str());
    std::unique_ptr<ClientEventRecord> copy(new (std::nothrow) ClientEventRecord(event));
    if (copy && m_list.SetItemData(row, reinterpret_cast<DWORD_PTR>(copy.get())))
        copy.release();
    if (m_list.GetItemCount() > kRowLimit)
        DeleteRow(0);
}

void CNetWorkView::DeleteRow(int row) {
    delete RowRecord(row);
    m_list.SetItemData(row, 0);
    m_list.DeleteItem(row);
}

void CNetWorkView::ClearRows() {
    if (!m_list.GetSafeHwnd())
        return;
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        delete RowRecord(row);
        m_list.SetItemData(row, 0);
    }
    m_list.DeleteAllItems();
}

void CNetWorkView::OnForceOffline() {
    const int row = m_list.GetNextItem(-1, LVNI_SELECTED);
    const ClientEventRecord* event = row >= 0 ? RowRecord(row) : nullptr;
    if (!event)
        return;
    const std::wstring user(FieldText(event->UserName));
    CString text;
    text.Format(L"%s\r\n%s", LangText(L"0361").c_str(), user.c_str());
    if (MessageBox(text, LangText(L"0362").c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    ForceClientOffline(user.c_str());
}

void CNetWorkView::OnClearPaneList() {
    ClearRows();
}
