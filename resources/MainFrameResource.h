// Resource ids of the application and its main frame (MainFrame.rc): menus, icons, the OLE string, the About
// dialog and the two information dialogs the frame creates.
#pragma once

// The English menu, the application icon (window and tray) and the frame's resource for LoadFrame.
#define IDR_MAINFRAME 128
#define IDR_MENU_ENGLISH 128
#define IDR_MENU_SIMPLIFIED 132
#define IDR_MENU_TRADITIONAL 160
// The caption icons of the navigation tree and of the right-hand view.
#define IDI_TREE_CAPTION 153
#define IDI_VIEW_CAPTION 154

#define IDS_OLE_INIT_FAILED 100

// About dialog.
#define IDD_ABOUTBOX 100
#define IDC_ABOUT_PRODUCT 1002
#define IDC_ABOUT_COPYRIGHT 1003
#define IDC_ABOUT_NAME_LABEL 1004
#define IDC_ABOUT_ADDRESS_LABEL 1005
#define IDC_ABOUT_TEL_LABEL 1006
#define IDC_ABOUT_FAX_LABEL 1007
#define IDC_ABOUT_WEB_LABEL 1008
#define IDC_ABOUT_EMAIL_LABEL 1009
#define IDC_ABOUT_NAME 1010
#define IDC_ABOUT_VERSION 1011
#define IDC_ABOUT_EMAIL 1015
#define IDC_ABOUT_ADDRESS 1025
#define IDC_ABOUT_TEL 1026
#define IDC_ABOUT_FAX 1027
#define IDC_ABOUT_WEB 1028

// PCM link dialog.
#define IDD_PCM_LINKER 167
#define IDC_PCM_LINK_LIST 1001

// Search progress dialog.
#define IDD_SEARCH_DB_INFO 168
#define IDC_SEARCH_DAY_LABEL 1002
#define IDC_SEARCH_PROGRESS_LABEL 1003
#define IDC_SEARCH_DAY 1043
#define IDC_SEARCH_PROGRESS 1052

// Commands of the menus and the main frame.
#define ID_SETTINGS 32772
#define ID_SERVER_ACCOUNTS 32809
#define ID_CLIENT_ACCOUNTS 32811
#define ID_LOGIN 32814
#define ID_CLIENT_SETTINGS 32839
#define ID_SHOW_WINDOW 32854
#define ID_LOGOUT 32856
#define ID_TOGGLE_LEFT_PANE 32860
#define ID_BLACKLIST 32866
#define ID_DATABASE_PATH 32874  // no handler: the item stays grey
#ifdef RC_INVOKED
// The layer's own command ids (AfxConstants.h), which the compiler sees as constants.
#define ID_APP_ABOUT 57664
#define ID_APP_EXIT 57665
#endif
