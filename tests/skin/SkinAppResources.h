#pragma once

// Resource ids of the application-shaped frame (fixtures/SkinAppFrame.rc).
#define IDR_SKIN_APP_FRAME 200
#define IDR_SKIN_APP_POPUP 201
#define IDD_SKIN_APP_DIALOG 210
#define IDD_SKIN_APP_PANE 211
#define IDC_APP_LIST 1010
#define IDC_APP_GROUP 1001
#define IDC_APP_CHECK 1002
#define IDC_APP_RADIO_VOLTAGE 1003
#define IDC_APP_RADIO_VOICE 1004
#define IDC_APP_EDIT 1005
#define IDC_APP_SPIN 1006
#define IDC_APP_COMBO 1007
#define IDC_APP_DATETIME 1008
#define IDC_APP_PROGRESS 1009
#define ID_APP_REFRESH 32001
#define ID_APP_EXPORT 32002
#define ID_APP_DELETE 32003
#define ID_APP_DETAILS 32004
