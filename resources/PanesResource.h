// Resource ids of the list panes of the pane column besides the channel pane (Panes.rc): the call-record panes, and
// the commands of their toolbars.
#pragma once

#define IDD_REC_CALL_VIEW 134

// Call-record pane: the list, and a label the pane keeps hidden.
#define IDC_RECORD_LIST 1001
#define IDC_RECORD_LABEL 1045

// The call-record panes' toolbar.
#define ID_RECORD_PLAY 32791
#define ID_RECORD_EDIT 32792
#define ID_RECORD_DELETE 32793
#define ID_RECORD_SAVE_AS 32795
#define ID_RECORD_SEARCH 32797
#define ID_RECORD_EXPORT 32799
#define ID_RECORD_DETAILS 32818
#define ID_RECORD_TODAY 32820
#define ID_RECORD_WEEK 32822
#define ID_RECORD_MONTH 32824
#define ID_RECORD_CLEAR 32832
#define ID_RECORD_STOP_SEARCH 32862

#define IDD_SYSLOG_VIEW 138

// System-log pane.
#define IDC_SYSLOG_LIST 1001

// The system-log pane's toolbar.
#define ID_SYSLOG_SEARCH 32805
#define ID_SYSLOG_EXPORT 32807
#define ID_SYSLOG_TODAY 32825
#define ID_SYSLOG_WEEK 32826
#define ID_SYSLOG_MONTH 32827
#define ID_SYSLOG_CLEAR 32833

#define IDD_PHONE_BOOK_VIEW 132
#define IDD_NETWORK_VIEW 158

// Phone-book and clients panes.
#define IDC_PHONE_BOOK_LIST 1001
#define IDC_NETWORK_LIST 1001

// The phone-book pane's toolbar.
#define ID_CONTACT_ADD 32780
#define ID_CONTACT_EDIT 32782
#define ID_CONTACT_DELETE 32784
#define ID_CONTACT_SEARCH 32786
#define ID_CONTACT_CLEAR 32841

// The clients pane's toolbar.
#define ID_NETWORK_CLEAR 32843
#define ID_NETWORK_FORCE_OFFLINE 32845

#define IDD_CHART_VIEW 135

// Statistics pane.
#define IDC_CHART_LIST 1001

// The statistics pane's toolbar.
#define ID_CHART_CONDITION 32801
#define ID_CHART_EXPORT 32803
#define ID_CHART_TODAY 32828
#define ID_CHART_WEEK 32829
#define ID_CHART_MONTH 32830
#define ID_CHART_CLEAR 32840
#define ID_CHART_STOP 32864
