#include "dialogs/UpdateRecDialog.h"

#include "OperatorDialogsResource.h"
#include "storage/RecordFields.h"

#include <algorithm>
#include <iterator>

namespace {

// The notes are read with room for 249 characters and the terminator, so that they always fit the record's field.
constexpr int kNotesReadLength = 250;

}  // namespace

CUpdateRecDialog::CUpdateRecDialog(const wchar_t* notes, CWnd* pParent) : CDialog(IDD_UPDATE_NOTES, pParent) {
    CopyToField(m_notes, notes);
}

BOOL CUpdateRecDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_NOTES_TEXT, m_notes);
    return TRUE;
}

void CUpdateRecDialog::OnOK() {
    std::fill(std::begin(m_notes), std::end(m_notes), L'\0');
    GetDlgItemText(IDC_NOTES_TEXT, m_notes, kNotesReadLength);
    CDialog::OnOK();
}
