#pragma once
// CLoginServerAccountDlg: the modal account management (template IDD_ACCOUNTS) over one of the two account stores:
// the operators of the server's own screen (kOperatorAccounts) or the remote clients (kClientAccounts), whose
// accounts also name a channel-rights file (ChannelRightsFile.h). Adding, modifying and deleting act on the store
// at once and write their system-log rows; the built-in account tovak is never deleted. One stack object per
// showing, UI thread.
//
// Each list row keeps a heap copy of its account as its item data, owned by the dialog and freed when the window
// is destroyed. Selecting a row loads its account into the form and its rights file into the channel mask.

#include "common/OperatorDialogs.h"
#include "records/StorageRecords.h"

#include "mfc.h"

class AccountStore;

class CLoginServerAccountDlg : public CDialog {
public:
    explicit CLoginServerAccountDlg(AccountsMode mode, CWnd* pParent = nullptr);

    // Appends a row for the account: its name, its four rights, the number of channels its rights file allows.
    void AddAccountRow(const AccountRecord& account);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnDestroy();
    afx_msg void OnAdd();
    afx_msg void OnModify();
    afx_msg void OnDelete();
    afx_msg void OnChannelRights();
    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    AccountStore& Store() const;
    bool IsClientMode() const { return m_mode == kClientAccounts; }
    // Reads the form into account (name, password and rights), checking it; false after a refusal's message.
    bool ReadForm(AccountRecord& account, const wchar_t* captionKey);
    // Columns 1-5 of a row: the rights and the allowed channel count.
    void ShowRights(int row, const AccountRecord& account, int allowedChannels);
    // A system-log row naming "<text 0186> <name>", in the mode's code.
    void WriteAccountLog(int operatorCode, int clientCode, const wchar_t* name, const wchar_t* notes) const;

    AccountsMode m_mode;
    ChannelMask m_channelMask{};    // the rights being edited, kept between actions of one showing
    AccountRecord m_formAccount{};  // the account last loaded from the list
    CListCtrl m_accountList;
};
