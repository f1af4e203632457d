// Resource ids of the main view's forms and the channel pane (MainView.rc), and the commands of the channel pane's
// toolbar. The main view's own commands and the caption icons are the main frame's (MainFrameResource.h).
#pragma once

#define IDD_LEFT_VIEW 103
#define IDD_RIGHT_VIEW 104
#define IDD_CARD_VIEW 130

// Left view: the navigation tree; a second tree and five buttons the form keeps hidden.
#define IDC_NAV_TREE 1000
#define IDC_SPARE_TREE 1001
#define IDC_LEFT_BUTTON1 1037
#define IDC_LEFT_BUTTON2 1038
#define IDC_LEFT_BUTTON3 1039
#define IDC_LEFT_BUTTON4 1040
#define IDC_LEFT_BUTTON5 1041

// Channel pane.
#define IDC_CHANNEL_LIST 1001

// The channel pane's toolbar.
#define ID_CHANNEL_LISTEN 32774
#define ID_CHANNEL_STOP_LISTEN 32776
#define ID_CHANNEL_PARAMS 32778
#define ID_CHANNEL_DIAL 32858
#define ID_CHANNEL_PCM_STATUS 32872
