// Resource ids of the main view's forms and the channel pane (MainView.rc), and the commands of their toolbars.
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

// The main view's toolbar.
#define ID_SETTINGS 32772
#define ID_LOGIN 32814
#define ID_CLIENT_SETTINGS 32839
#define ID_LOGOUT 32856
#define ID_TOGGLE_LEFT_PANE 32860

// The channel pane's toolbar.
#define ID_CHANNEL_LISTEN 32774
#define ID_CHANNEL_STOP_LISTEN 32776
#define ID_CHANNEL_PARAMS 32778
#define ID_CHANNEL_DIAL 32858
#define ID_CHANNEL_PCM_STATUS 32872

// Icons of the application's resources that the caption strips show: the navigation column's and the panes'.
#define IDI_NAVIGATION_CAPTION 153
#define IDI_PANE_CAPTION 154
