#include "dialogs/BlackListDlg.h"

#include "OperatorDialogsResource.h"
#include "common/AppIcons.h"
#include "dialogs/DialogTexts.h"
#include "dialogs/ListSelection.h"
#include "settings/LangText.h"
#include "storage/ContactStore.h"
#include "storage/RecordFields.h"
#include "storage/Stores.h"

#include <new>
#include <string>
#include <vector>

namespace {

constexpr ControlText kTexts[] = {
    {IDC_BLACKLIST_NUMBER_LABEL, L"0427"},
    {IDC_BLACKLIST_NOTE_LABEL, L"0428"},
    {IDC_BLACKLIST_ADD, L"0429"},
    {IDC_BLACKLIST_DELETE, L"0430"},
};

struct Column {
    const wchar_t* Key;
    int Width;  // pixels
};

constexpr Column kColumns[] = {{L"0431", 100}, {L"0432", 150}, {L"0433", 250}};

BlacklistRecord* RowEntry(const CListCtrl& list, int row) {
    return reinterpret_cast<BlacklistRecord*>(list.GetItemData(row));
}

std::wstring Text(std::wstring_view field) {
    return std::wstring(field);
}

}  // namespace

BEGIN_MESSAGE_MAP(CBlackListDlg, CDialog)
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_BLACKLIST_ADD, OnAdd)
    ON_BN_CLICKED(IDC_BLACKLIST_DELETE, OnDelete)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_BLACKLIST_LIST, OnItemChanged)
END_MESSAGE_MAP()

CBlackListDlg::CBlackListDlg(CWnd* pParent) : CDialog(IDD_BLACKLIST, pParent) {}

void CBlackListDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BLACKLIST_LIST, m_blacklist);
}

BOOL CBlackListDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDialogTexts(this, L"0426", kTexts);
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i)
        m_blacklist.InsertColumn(i, LangText(kColumns[i].Key).c_str(), LVCFMT_LEFT, kColumns[i].Width);
    m_blacklist.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT);
    m_blacklist.SetImageList(&AppIconList(), LVSIL_SMALL);
    TheContactStore().ForEachBlacklist(L"select * from Blacklist ",
                                       [this](const BlacklistRecord& entry) { AddBlacklistRow(entry); });
    return TRUE;
}

void CBlackListDlg::AddBlacklistRow(const BlacklistRecord& entry) {
    const int row = m_blacklist.InsertItem(m_blacklist.GetItemCount(), L"", kIconRoot);
    if (row < 0)
        return;
    m_blacklist.SetItemText(row, 1, Text(FieldText(entry.Number)).c_str());
    m_blacklist.SetItemText(row, 2, Text(FieldText(entry.NumberNotes)).c_str());
    if (BlacklistRecord* copy = new (std::nothrow) BlacklistRecord(entry))
        m_blacklist.SetItemData(row, reinterpret_cast<DWORD_PTR>(copy));
}

void CBlackListDlg::OnAdd() {
    BlacklistRecord entry{};
    GetDlgItemText(IDC_BLACKLIST_NUMBER, entry.Number, std::size(entry.Number) - 1);
    GetDlgItemText(IDC_BLACKLIST_NOTE, entry.NumberNotes, std::size(entry.NumberNotes) - 1);
    if (TheContactStore().InsertBlacklist(entry))
        AddBlacklistRow(entry);
}

void CBlackListDlg::OnDelete() {
    if (m_blacklist.GetNextItem(-1, LVNI_SELECTED) < 0)
        return;
    if (ShowLangMessage(this, L"0434", L"0430", MB_ICONQUESTION | MB_YESNO) != IDYES)
        return;
    // Every removal renumbers the rows below it, so each search starts again from the top; a row without an entry
    // stays, and the search goes on after it.
    int from = -1;
    for (int row = m_blacklist.GetNextItem(from, LVNI_SELECTED); row >= 0;
         row = m_blacklist.GetNextItem(from, LVNI_SELECTED)) {
        BlacklistRecord* entry = RowEntry(m_blacklist, row);
        if (!entry) {
            from = row;
            continue;
        }
        TheContactStore().DeleteBlacklist(entry->HeiMingDanID);
        m_blacklist.SetItemData(row, 0);
        delete entry;
        m_blacklist.DeleteItem(row);
        from = -1;
    }
}

void CBlackListDlg::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    if (!IsNewlySelected(*change))
        return;
    if (const BlacklistRecord* entry = RowEntry(m_blacklist, change->iItem)) {
        SetDlgItemText(IDC_BLACKLIST_NUMBER, Text(FieldText(entry->Number)).c_str());
        SetDlgItemText(IDC_BLACKLIST_NOTE, Text(FieldText(entry->NumberNotes)).c_str());
    }
}

void CBlackListDlg::OnDestroy() {
    CDialog::OnDestroy();
    std::vector<BlacklistRecord*> copies;
    for (int row = 0; row < m_blacklist.GetItemCount(); ++row)
        copies.push_back(RowEntry(m_blacklist, row));
    // The rows go first, so no notification of theirs meets a freed copy.
    m_blacklist.DeleteAllItems();
    for (BlacklistRecord* copy : copies)
        delete copy;
}
