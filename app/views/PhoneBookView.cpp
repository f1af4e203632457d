#include "views/PhoneBookView.h"

#include "PanesResource.h"
#include "common/AppIcons.h"
#include "common/OperatorDialogs.h"
#include "common/OperatorSession.h"
#include "common/SysLogNow.h"
#include "settings/LangText.h"
#include "storage/ContactStore.h"
#include "storage/RecordFields.h"
#include "storage/Stores.h"
#include "storage/SysLogStore.h"
#include "views/ListPane.h"
#include "views/PaneToolBar.h"

#include <iterator>
#include <memory>
#include <string>

namespace {

constexpr PaneColumn kColumns[] = {{L"0030", 100}, {L"0031", 150}, {L"0032", 150}, {L"0033", 150}, {L"0034", 150},
                                   {L"0035", 150}, {L"0036", 150}, {L"0037", 180}, {L"0038", 300}, {L"0039", 500}};

constexpr int kToolImageSize = 24;
constexpr const wchar_t* kToolBitmaps[] = {L"addphonebook.bmp", L"editphonebook.bmp", L"deletephonebook.bmp",
                                           L"search.bmp", L"clear.bmp"};
constexpr ToolBarButton kToolButtons[] = {{0, ID_CONTACT_ADD, L"0026"},
                                          {1, ID_CONTACT_EDIT, L"0027"},
                                          {2, ID_CONTACT_DELETE, L"0028"},
                                          {3, ID_CONTACT_SEARCH, L"0029"},
                                          {4, ID_CONTACT_CLEAR, L"0339"}};

// "<0186> <operator>" and "<contact> <mobile>" under the event.
void WriteContactRow(int event, const ContactRecord& contact) {
    SysLogRow row{};
    row.SysLog_Cmd = event;
    FormatToField(row.Name, L"%ls %ls", LangText(L"0186").c_str(), CurrentOperator.UserName);
    FormatToField(row.Notes, L"%ls %ls", contact.UserName, contact.UserMobile);
    WriteSysLogNow(row);
}

}  // namespace

void AddContactRow(const ContactRecord& contact, CPhoneBookView* pane) {
    if (pane && pane->GetSafeHwnd() && pane->List().GetSafeHwnd())
        pane->AddRow(contact);
}

BEGIN_MESSAGE_MAP(CPhoneBookView, CDialog)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_COMMAND(ID_CONTACT_ADD, OnAddContact)
    ON_COMMAND(ID_CONTACT_EDIT, OnEditContact)
    ON_COMMAND(ID_CONTACT_DELETE, OnDeleteContact)
    ON_COMMAND(ID_CONTACT_SEARCH, OnSearchContact)
    ON_COMMAND(ID_CONTACT_CLEAR, OnClearPaneList)
    ON_NOTIFY(NM_DBLCLK, IDC_PHONE_BOOK_LIST, OnListDoubleClick)
END_MESSAGE_MAP()

CPhoneBookView::CPhoneBookView() : CDialog(IDD_PHONE_BOOK_VIEW) {}

void CPhoneBookView::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PHONE_BOOK_LIST, m_list);
}

BOOL CPhoneBookView::OnInitDialog() {
    CDialog::OnInitDialog();
    SetUpPaneList(m_list, kColumns);
    if (!CreateImageToolBar(this, m_toolBar, m_toolBarImages, kToolImageSize, kToolBitmaps, kToolButtons,
                            ToolBarSecondImages::Hot))
        return -1;
    return TRUE;
}

BOOL CPhoneBookView::PreTranslateMessage(MSG* pMsg) {
    return OnPaneKeyFilter(pMsg) || CDialog::PreTranslateMessage(pMsg);
}

void CPhoneBookView::OnSize(UINT nType, int cx, int cy) {
    CDialog::OnSize(nType, cx, cy);
    LayoutListPane(m_toolBar, m_list, cx, cy);
}

void CPhoneBookView::OnDestroy() {
    CDialog::OnDestroy();
    m_toolBarImages.DeleteImageList();
    ClearRows();
}

const ContactRecord* CPhoneBookView::RowRecord(int row) const {
    return reinterpret_cast<const ContactRecord*>(m_list.GetItemData(row));
}

void CPhoneBookView::ShowContact(int row, const ContactRecord& contact) {
    const wchar_t* const cells[] = {contact.UserName,   contact.CompanyName,    contact.UserMobile,
                                    contact.CompanyTel, contact.CompanyFax,     contact.HomeTel,
                                    contact.UserEmail,  contact.CompanyAddress, contact.UserNotes};
    for (int i = 0; i < static_cast<int>(std::size(cells)); ++i)
        m_list.SetItemText(row, i + 1, cells[i]);
}

void CPhoneBookView::AddRow(const ContactRecord& contact) {
    const int count = m_list.GetItemCount();
    CString number;
    number.Format(L"%d", count + 1);
    const int row = m_list.InsertItem(count, number, kIconGroup);
    if (row < 0)
        return;
    ShowContact(row, contact);
    std::unique_ptr<ContactRecord> copy(new (std::nothrow) ContactRecord(contact));
    if (copy && m_list.SetItemData(row, reinterpret_cast<DWORD_PTR>(copy.get())))
        copy.release();
}

void CPhoneBookView::DeleteRow(int row) {
    delete RowRecord(row);
    m_list.SetItemData(row, 0);
    m_list.DeleteItem(row);
}

void CPhoneBookView::ClearRows() {
    if (!m_list.GetSafeHwnd())
        return;
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        delete RowRecord(row);
        m_list.SetItemData(row, 0);
    }
    m_list.DeleteAllItems();
}

void CPhoneBookView::OnAddContact() {
    ContactRecord contact{};
    if (OperatorDialogs().Contact.Run(this, contact) != IDOK)
        return;
    if (!TheContactStore().InsertContact(contact))
        return;
    WriteContactRow(kSysLogContactAdded, contact);
    AddContactRow(contact, this);
}

void CPhoneBookView::OnEditContact() {
    const int row = m_list.GetNextItem(-1, LVNI_SELECTED);
    const ContactRecord* current = row >= 0 ? RowRecord(row) : nullptr;
    if (!current)
        return;
    ContactRecord edited = *current;
    if (OperatorDialogs().Contact.Run(this, edited) != IDOK)
        return;
    // The form cannot change which contact it edits.
    std::copy(std::begin(current->UserID), std::end(current->UserID), std::begin(edited.UserID));
    if (!TheContactStore().UpdateContact(edited))
        return;
    *const_cast<ContactRecord*>(current) = edited;
    WriteContactRow(kSysLogContactEdited, edited);
    ShowContact(row, edited);
}

void CPhoneBookView::OnListDoubleClick(NMHDR*, LRESULT* pResult) {
    *pResult = 0;
    // Nothing opens from the list while nobody is logged in (the window can be shown from the tray).
    if (OperatorLoggedIn)
        OnEditContact();
}

void CPhoneBookView::OnDeleteContact() {
    if (m_list.GetNextItem(-1, LVNI_SELECTED) < 0)
        return;
    if (MessageBox(LangText(L"0125").c_str(), LangText(L"0028").c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    for (int row = m_list.GetNextItem(-1, LVNI_SELECTED); row >= 0;) {
        const ContactRecord* contact = RowRecord(row);
        if (!contact) {
            row = m_list.GetNextItem(row, LVNI_SELECTED);
            continue;
        }
        WriteContactRow(kSysLogContactDeleted, *contact);
        TheContactStore().DeleteContact(contact->UserID);
        DeleteRow(row);
        row = m_list.GetNextItem(-1, LVNI_SELECTED);
    }
}

void CPhoneBookView::OnSearchContact() {
    std::wstring text;
    if (OperatorDialogs().PhoneBookSearch.Run(this, text) != IDOK)
        return;
    ClearRows();
    const auto add = [this](const ContactRecord& contact) { AddContactRow(contact, this); };
    if (text.empty())
        TheContactStore().ForEachContact(add);
    else
        TheContactStore().SearchContacts(add, text.c_str());
}

void CPhoneBookView::OnClearPaneList() {
    ClearRows();
}
