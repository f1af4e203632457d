#pragma once
// CLoginServerDialog: the modal operator login at the server's own screen (template IDD_LOGIN_SERVER). It checks the
// typed name and password against the operator accounts (MyLoginServer.db) and ends with IDOK only when they match;
// the account has then become CurrentOperator, the login is in the system log and its user name is remembered for
// the next showing. Whether an operator is logged in is the opener's to set from the result. One stack object per
// showing, UI thread.

#include "mfc.h"

class CLoginServerDialog : public CDialog {
public:
    explicit CLoginServerDialog(CWnd* pParent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
};
