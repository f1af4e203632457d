// Resource ids of the FTP backup's log pane and settings dialog (FtpBackup.rc).
#pragma once

#define IDD_FTP_PARAM 165
#define IDD_FTP_LOG 166

// Log pane.
#define IDC_FTP_LOG_LIST 1001

// Settings dialog.
#define IDC_FTP_SERVER_LABEL 1002
#define IDC_FTP_PORT_LABEL 1003
#define IDC_FTP_USER_LABEL 1004
#define IDC_FTP_PASSWORD_LABEL 1005
#define IDC_FTP_FROM_LABEL 1006
#define IDC_FTP_TO_LABEL 1007
#define IDC_FTP_USER 1030
#define IDC_FTP_PORT 1031
#define IDC_FTP_BACKUP 1033
#define IDC_FTP_ALLDAY_SUNDAY 1034
#define IDC_FTP_ALLDAY_SATURDAY 1035
#define IDC_FTP_ALLDAY_MONDAY 1036
#define IDC_FTP_ALLDAY_TUESDAY 1037
#define IDC_FTP_ALLDAY_WEDNESDAY 1038
#define IDC_FTP_FROM 1039
#define IDC_FTP_TO 1040
#define IDC_FTP_ALLDAY_THURSDAY 1041
#define IDC_FTP_ALLDAY_FRIDAY 1042
#define IDC_FTP_PASSWORD 1044
#define IDC_FTP_SERVER 1050

// Commands of the log pane's toolbar.
#define ID_FTP_SETTINGS 32868
#define ID_FTP_CLEAR_LOG 32870
