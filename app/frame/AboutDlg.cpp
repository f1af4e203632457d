#include "frame/AboutDlg.h"

#include "MainFrameResource.h"
#include "common/OemLogo.h"
#include "settings/LangText.h"
#include "settings/Settings.h"

namespace {

struct TextOfControl {
    int Control;
    const wchar_t* Key;
};

// Product, copyright, the six field labels and the OK button.
constexpr TextOfControl kLanguageTexts[] = {
    {IDC_ABOUT_PRODUCT, L"0362"},       {IDC_ABOUT_COPYRIGHT, L"0363"}, {IDC_ABOUT_NAME_LABEL, L"0102"},
    {IDC_ABOUT_ADDRESS_LABEL, L"0103"}, {IDC_ABOUT_TEL_LABEL, L"0104"}, {IDC_ABOUT_EMAIL_LABEL, L"0105"},
    {IDC_ABOUT_FAX_LABEL, L"0106"},     {IDC_ABOUT_WEB_LABEL, L"0107"}, {IDOK, L"0108"},
};

// The read-only fields and their keys in section Settings of the OEM file.
constexpr TextOfControl kOemTexts[] = {
    {IDC_ABOUT_NAME, L"CompanyName"}, {IDC_ABOUT_ADDRESS, L"CompanyAddr"}, {IDC_ABOUT_TEL, L"CompanyTel"},
    {IDC_ABOUT_FAX, L"CompanyFax"},   {IDC_ABOUT_EMAIL, L"CompanyEmail"},  {IDC_ABOUT_WEB, L"CompanyWeb"},
};

constexpr wchar_t kVersionText[] = L"Ver1.30(20190426)(服务器)";

}  // namespace

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(LangText(L"0001").c_str());
    for (const TextOfControl& text : kLanguageTexts)
        SetDlgItemText(text.Control, LangText(text.Key).c_str());
    SetDlgItemText(IDC_ABOUT_VERSION, kVersionText);
    for (const TextOfControl& text : kOemTexts)
        SetDlgItemText(text.Control, ReadOemString(L"Settings", text.Key).c_str());
    return TRUE;
}

void CAboutDlg::OnPaint() {
    PaintOemLogo(this);
}

// A printed dialog (WM_PRINT with PRF_CLIENT) shows the logo as the screen does.
LRESULT CAboutDlg::OnPrintClient(WPARAM wParam, LPARAM) {
    Default();
    DrawOemLogo(reinterpret_cast<HDC>(wParam));
    return 0;
}
