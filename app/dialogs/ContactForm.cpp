#include "dialogs/ContactForm.h"

#include "OperatorDialogsResource.h"
#include "dialogs/DialogTexts.h"

#include <span>
#include <string>

namespace {

constexpr ControlText kLabels[] = {
    {IDC_CONTACT_NAME_LABEL, L"0040"},    {IDC_CONTACT_MOBILE_LABEL, L"0041"},  {IDC_CONTACT_TEL_LABEL, L"0042"},
    {IDC_CONTACT_COMPANY_LABEL, L"0043"}, {IDC_CONTACT_ADDRESS_LABEL, L"0044"}, {IDC_CONTACT_FAX_LABEL, L"0045"},
    {IDC_CONTACT_HOME_LABEL, L"0046"},    {IDC_CONTACT_EMAIL_LABEL, L"0047"},   {IDC_CONTACT_NOTES_LABEL, L"0048"},
    {IDC_CONTACT_OTHER_LABEL, L"0049"},
};

// An edit and the contact field it shows.
struct ContactEdit {
    int Id;
    std::span<wchar_t> (*Field)(ContactRecord&);
};

constexpr ContactEdit kEdits[] = {
    {IDC_CONTACT_NAME, [](ContactRecord& c) { return std::span<wchar_t>(c.UserName); }},
    {IDC_CONTACT_MOBILE, [](ContactRecord& c) { return std::span<wchar_t>(c.UserMobile); }},
    {IDC_CONTACT_TEL, [](ContactRecord& c) { return std::span<wchar_t>(c.CompanyTel); }},
    {IDC_CONTACT_COMPANY, [](ContactRecord& c) { return std::span<wchar_t>(c.CompanyName); }},
    {IDC_CONTACT_ADDRESS, [](ContactRecord& c) { return std::span<wchar_t>(c.CompanyAddress); }},
    {IDC_CONTACT_FAX, [](ContactRecord& c) { return std::span<wchar_t>(c.CompanyFax); }},
    {IDC_CONTACT_HOME, [](ContactRecord& c) { return std::span<wchar_t>(c.HomeTel); }},
    {IDC_CONTACT_EMAIL, [](ContactRecord& c) { return std::span<wchar_t>(c.UserEmail); }},
    {IDC_CONTACT_NOTES, [](ContactRecord& c) { return std::span<wchar_t>(c.UserNotes); }},
    {IDC_CONTACT_OTHER1, [](ContactRecord& c) { return std::span<wchar_t>(c.OtherTel1); }},
    {IDC_CONTACT_OTHER2, [](ContactRecord& c) { return std::span<wchar_t>(c.OtherTel2); }},
    {IDC_CONTACT_OTHER3, [](ContactRecord& c) { return std::span<wchar_t>(c.OtherTel3); }},
};

}  // namespace

void SetContactLabels(CWnd* dialog) {
    SetDialogTexts(dialog, nullptr, kLabels);
}

void ShowContactFields(CWnd* dialog, const ContactRecord& contact) {
    ContactRecord shown = contact;
    for (const ContactEdit& edit : kEdits) {
        const std::span<wchar_t> field = edit.Field(shown);
        dialog->SetDlgItemText(edit.Id, std::wstring(field.data(), wcsnlen(field.data(), field.size())).c_str());
    }
}

void ReadContactFields(CWnd* dialog, ContactRecord& contact) {
    for (const ContactEdit& edit : kEdits) {
        const std::span<wchar_t> field = edit.Field(contact);
        dialog->GetDlgItemText(edit.Id, field.data(), static_cast<int>(field.size()) - 1);
    }
}

bool CheckContactNameAndMobile(CWnd* dialog, const ContactRecord& contact) {
    const wchar_t* missing = !contact.UserName[0] ? L"0058" : !contact.UserMobile[0] ? L"0059" : nullptr;
    if (!missing)
        return true;
    ShowLangMessage(dialog, missing, L"0057", MB_ICONEXCLAMATION | MB_OK);
    return false;
}
