#pragma once
// ChannelPane: what the windows below the channel pane ask of it. The panes and dialogs that end local monitoring
// clear the monitor icons in the pane's rows without knowing the pane's class: the channel pane registers its
// fills here when it is created, and until then the calls do nothing. UI thread.

#include "common/OperatorDialogs.h"

struct ChannelPaneCalls {
    // Clears the picture in column 1 of the channel's row (the monitor icon).
    WindowFill<int /*channel*/> ClearMonitorIcon;
};

// The process's channel-pane calls; built on first use.
ChannelPaneCalls& ChannelPane();
