#include "dialogs/PhoneBookDialog.h"

#include "OperatorDialogsResource.h"
#include "dialogs/ContactForm.h"
#include "dialogs/DialogTexts.h"

namespace {

constexpr ControlText kTexts[] = {
    {IDC_CONTACT_REC_METHOD_LABEL, L"0050"},
    {IDOK, L"0051"},
    {IDCANCEL, L"0052"},
};

// RecMethod 0 to 3.
constexpr const wchar_t* kRecMethodKeys[] = {L"0053", L"0054", L"0055", L"0056"};

}  // namespace

CPhoneBookDialog::CPhoneBookDialog(const ContactRecord& contact, CWnd* pParent)
    : CDialog(IDD_PHONE_BOOK, pParent), m_contact(contact) {}

BOOL CPhoneBookDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDialogTexts(this, L"0057", kTexts);
    SetContactLabels(this);
    ShowContactFields(this, m_contact);
    FillComboTexts(this, IDC_CONTACT_REC_METHOD, kRecMethodKeys);
    SendDlgItemMessage(IDC_CONTACT_REC_METHOD, CB_SETCURSEL, static_cast<WPARAM>(m_contact.RecMethod));
    return TRUE;
}

void CPhoneBookDialog::OnOK() {
    m_contact = {};
    ReadContactFields(this, m_contact);
    if (!CheckContactNameAndMobile(this, m_contact))
        return;
    CDialog::OnOK();
}
