#include "dialogs/PopupDialog.h"

#include "OperatorDialogsResource.h"
#include "common/OperatorSession.h"
#include "common/SysLogNow.h"
#include "dialogs/ContactForm.h"
#include "dialogs/DialogTexts.h"
#include "settings/LangText.h"
#include "storage/ContactStore.h"
#include "storage/RecordFields.h"
#include "storage/Stores.h"
#include "storage/SysLogStore.h"

#include <string>

namespace {

constexpr ControlText kButtonTexts[] = {
    {IDC_POPUP_SAVE, L"0027"},
    {IDC_POPUP_ADD, L"0026"},
};

}  // namespace

BEGIN_MESSAGE_MAP(CPopupDialog, CDialog)
    ON_BN_CLICKED(IDC_POPUP_SAVE, OnSaveContact)
    ON_BN_CLICKED(IDC_POPUP_ADD, OnAddContact)
END_MESSAGE_MAP()

CPopupDialog::CPopupDialog() : CDialog(IDD_POPUP) {}

BOOL CPopupDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetContactLabels(this);
    SetDialogTexts(this, nullptr, kButtonTexts);
    return TRUE;
}

void CPopupDialog::ShowIncomingCall(const char* number, const ContactRecord& contact) {
    if (!number)
        return;
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    // The caption has never closed its parenthesis; the operators know it so.
    CString caption;
    caption.Format(L"%ls(%hs %04d-%02d-%02d %02d:%02d:%02d", LangText(L"0271").c_str(), number, now.wYear, now.wMonth,
                   now.wDay, now.wHour, now.wMinute, now.wSecond);
    SetWindowText(caption);

    ShowContactFields(this, contact);
    if (!contact.UserID[0]) {
        CString digits;
        digits.Format(L"%hs", number);
        SetDlgItemText(IDC_CONTACT_MOBILE, digits);
    }
    EnableFor(contact);
    m_contact = contact;
}

void CPopupDialog::ShowContactInPopup(const ContactRecord& contact) {
    SetWindowText(LangText(L"0304").c_str());
    ShowContactFields(this, contact);
    EnableFor(contact);
    m_contact = contact;
}

void CPopupDialog::EnableFor(const ContactRecord& contact) {
    const bool known = contact.UserID[0] != L'\0';
    GetDlgItem(IDC_POPUP_SAVE)->EnableWindow(known);
    GetDlgItem(IDC_POPUP_ADD)->EnableWindow(!known);
}

void CPopupDialog::OnSaveContact() {
    ContactRecord form{};
    ReadContactFields(this, form);
    if (!CheckContactNameAndMobile(this, form))
        return;
    CopyToField(form.UserID, m_contact.UserID);
    if (TheContactStore().UpdateContact(form))
        WriteContactLog(kSysLogContactEdited, form);
    Close();
}

void CPopupDialog::OnAddContact() {
    m_contact = {};
    ReadContactFields(this, m_contact);
    if (!CheckContactNameAndMobile(this, m_contact))
        return;
    if (TheContactStore().InsertContact(m_contact))
        WriteContactLog(kSysLogContactAdded, m_contact);
    Close();
}

void CPopupDialog::Close() {
    GetDlgItem(IDC_POPUP_SAVE)->EnableWindow(FALSE);
    GetDlgItem(IDC_POPUP_ADD)->EnableWindow(FALSE);
    ShowWindow(SW_HIDE);
}

void CPopupDialog::WriteContactLog(int code, const ContactRecord& form) const {
    const std::wstring name = LangText(L"0186") + L" " + std::wstring(FieldText(CurrentOperator.UserName));
    const std::wstring notes = std::wstring(FieldText(form.UserName)) + L" " + std::wstring(FieldText(form.UserMobile));
    WriteSysLogNow(MakeSysLogEvent(code, name.c_str(), notes.c_str()));
}

CPopupDialog& PopupDialog() {
    static CPopupDialog dialog;
    return dialog;
}
