#pragma once
// CSearchPhoneBookDialog: the modal phone-book search (template IDD_SEARCH_PHONE_BOOK). It offers the last text
// searched for (setting SearchPhoneKey) and remembers the new one on OK; the phone-book pane then lists the
// contacts that hold it, or all of them for an empty text. The template has no cancel button: the close box and
// Escape cancel. One stack object per showing, UI thread.

#include "mfc.h"

class CSearchPhoneBookDialog : public CDialog {
public:
    explicit CSearchPhoneBookDialog(CWnd* pParent = nullptr);

    // After IDOK: the text searched for, at most 30 characters.
    const wchar_t* SearchKey() const { return m_searchKey; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    wchar_t m_searchKey[32] = {};
};
