#include "dialogs/RegisterChannelDialogs.h"

#include "ChannelDialogsResource.h"
#include "common/OperatorDialogs.h"
#include "dialogs/ChannelParamSetDialog.h"
#include "dialogs/ComputerDialDialog.h"
#include "dialogs/MonitorTalkDialog.h"
#include "dialogs/RecFileInforDialog.h"
#include "dialogs/SearchRecDialog.h"

void RegisterChannelDialogs() {
    OperatorDialogRegistry& dialogs = OperatorDialogs();

    // The channel-parameter dialog has no parent: its owner is the main window.
    dialogs.ChannelParams.Register([](CWnd*, int channel, ChannelParamFields& fields) {
        CChannelParamSetDialog dialog(channel);
        static_cast<ChannelParamFields&>(dialog) = fields;
        const INT_PTR result = dialog.DoModal();
        if (result == IDOK)
            fields = dialog;
        return result;
    });

    dialogs.Dial.Register([](CWnd* parent, int presetChannel, int dialChannel) {
        CComputerDialDialog dialog(parent);
        dialog.PresetChannel = presetChannel;
        dialog.DialChannel = dialChannel;
        return dialog.DoModal();
    });

    dialogs.RecordDetails.Register([](CWnd* parent, const CallRecord& record) {
        CRecFileInforDialog dialog(parent);
        dialog.Record = record;
        return dialog.DoModal();
    });

    dialogs.RecordSearch.Register([](CWnd* parent, int category, RecordSearchQuery& query) {
        CSearchRecDialog dialog(static_cast<unsigned>(category), parent);
        const INT_PTR result = dialog.DoModal();
        if (result == IDOK)
            query = {dialog.FromDate,      dialog.ToDate, dialog.FromTime, dialog.ToTime,
                     dialog.UseTimeWindow, dialog.Query,  dialog.Channels};
        return result;
    });

    dialogs.Monitor.Register(&MonitorTalkDialog(), IDD_MONITOR_TALK);
    dialogs.Monitor.ShowBlock.Register(
        [](int audioFmt, const uint8_t* data, int length) { MonitorTalkDialog().ShowBlock(audioFmt, data, length); });
}
