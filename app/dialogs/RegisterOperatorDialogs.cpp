#include "common/OperatorDialogs.h"

#include "OperatorDialogsResource.h"
#include "dialogs/BlackListDlg.h"
#include "dialogs/ClientSettingsDialog.h"
#include "dialogs/FtpParamDlg.h"
#include "dialogs/LoadDriverDlg.h"
#include "dialogs/LoginServerAccountDlg.h"
#include "dialogs/LoginServerDialog.h"
#include "dialogs/PhoneBookDialog.h"
#include "dialogs/PopupDialog.h"
#include "dialogs/RegisterChannelDialogs.h"
#include "dialogs/SearchChartDialog.h"
#include "dialogs/SearchPhoneBookDialog.h"
#include "dialogs/SearchSysLogDialog.h"
#include "dialogs/SelectChannlDialog.h"
#include "dialogs/SettingsDlg.h"
#include "dialogs/UpdateRecDialog.h"

namespace {

// The dialogs that take nothing and give nothing back: their result only.
template <class Dialog>
INT_PTR RunModal(CWnd* parent) {
    Dialog dialog(parent);
    return dialog.DoModal();
}

}  // namespace

void RegisterOperatorDialogs() {
    OperatorDialogRegistry& dialogs = OperatorDialogs();
    dialogs.Login.Register(RunModal<CLoginServerDialog>);
    dialogs.Settings.Register(RunModal<CSettingsDlg>);
    dialogs.ClientSettings.Register(RunModal<CClientSettingsDialog>);
    dialogs.Blacklist.Register(RunModal<CBlackListDlg>);
    dialogs.FtpSettings.Register(RunModal<CFtpParamDlg>);
    dialogs.Accounts.Register([](CWnd* parent, AccountsMode mode) {
        CLoginServerAccountDlg dialog(mode, parent);
        return dialog.DoModal();
    });
    dialogs.Contact.Register([](CWnd* parent, ContactRecord& contact) {
        CPhoneBookDialog dialog(contact, parent);
        const INT_PTR result = dialog.DoModal();
        if (result == IDOK)
            contact = dialog.Contact();
        return result;
    });
    dialogs.PhoneBookSearch.Register([](CWnd* parent, std::wstring& key) {
        CSearchPhoneBookDialog dialog(parent);
        const INT_PTR result = dialog.DoModal();
        if (result == IDOK)
            key = dialog.SearchKey();
        return result;
    });
    dialogs.Notes.Register([](CWnd* parent, std::wstring& notes) {
        CUpdateRecDialog dialog(notes.c_str(), parent);
        const INT_PTR result = dialog.DoModal();
        if (result == IDOK)
            notes = dialog.Notes();
        return result;
    });
    dialogs.ChartSearch.Register([](CWnd* parent, ChartSearchQuery& query) {
        CSearchChartDialog dialog(parent);
        const INT_PTR result = dialog.DoModal();
        if (result == IDOK)
            query = {dialog.Form().FromDate, dialog.Form().ToDate, dialog.Form().Channels};
        return result;
    });
    dialogs.SysLogSearch.Register([](CWnd* parent, SysLogSearchQuery& query) {
        CSearchSysLogDialog dialog(parent);
        const INT_PTR result = dialog.DoModal();
        if (result == IDOK)
            query = dialog.Query();
        return result;
    });
    dialogs.ChannelPicker.Register([](CWnd* parent, ChannelMask& mask) {
        CSelectChannlDialog dialog(mask, parent);
        const INT_PTR result = dialog.DoModal();
        if (result == IDOK)
            mask = dialog.Mask();
        return result;
    });

    dialogs.Startup.Register(&LoadDriverDialog(), IDD_LOAD_DRIVER);
    dialogs.Startup.ShowProgress.Register([](int done, int total) {
        if (LoadDriverDialog().GetSafeHwnd())
            LoadDriverDialog().ShowProgress(done, total);
    });
    dialogs.Popup.Register(&PopupDialog(), IDD_POPUP);
    dialogs.Popup.ShowIncomingCall.Register([](const char* number, const ContactRecord& contact) {
        CPopupDialog& popup = PopupDialog();
        if (!popup.GetSafeHwnd() || !number)
            return;
        popup.ShowIncomingCall(number, contact);
        popup.ShowWindow(SW_SHOW);
    });
    dialogs.Popup.ShowContact.Register([](const ContactRecord& contact) {
        CPopupDialog& popup = PopupDialog();
        if (!popup.GetSafeHwnd())
            return;
        popup.ShowContactInPopup(contact);
        popup.ShowWindow(SW_SHOW);
    });

    RegisterChannelDialogs();
}
