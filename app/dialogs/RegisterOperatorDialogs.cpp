#include "common/OperatorDialogs.h"

#include "dialogs/FtpParamDlg.h"

void RegisterOperatorDialogs() {
    OperatorDialogRegistry& dialogs = OperatorDialogs();
    dialogs.FtpSettings.Register([](CWnd* parent) {
        CFtpParamDlg dialog(parent);
        return dialog.DoModal();
    });
}
