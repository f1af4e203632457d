#include "ComboBox.h"

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

void CComboBox::GetLBText(int nIndex, CString& rString) const {
    rString.Empty();
    const int nLength = GetLBTextLen(nIndex);
    if (nLength == CB_ERR)
        return;
    const int nCopied = static_cast<int>(
        SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(rString.GetBuffer(nLength))));
    rString.ReleaseBuffer(nCopied == CB_ERR ? 0 : nCopied);
}
