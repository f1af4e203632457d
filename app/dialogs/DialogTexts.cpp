#include "dialogs/DialogTexts.h"

#include "settings/LangText.h"

void SetDialogTexts(CWnd* dialog, const wchar_t* captionKey, std::span<const ControlText> texts) {
    if (captionKey)
        dialog->SetWindowText(LangText(captionKey).c_str());
    for (const ControlText& text : texts)
        dialog->SetDlgItemText(text.Id, LangText(text.Key).c_str());
}

void FillComboTexts(CWnd* dialog, int comboId, std::span<const wchar_t* const> keys) {
    dialog->SendDlgItemMessage(comboId, CB_RESETCONTENT);
    for (const wchar_t* key : keys)
        dialog->SendDlgItemMessage(comboId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LangText(key).c_str()));
}

int ShowLangMessage(CWnd* dialog, const wchar_t* textKey, const wchar_t* captionKey, UINT type) {
    return dialog->MessageBox(LangText(textKey).c_str(), LangText(captionKey).c_str(), type);
}
