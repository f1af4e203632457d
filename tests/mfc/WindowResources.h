// Resource ids of the frame, dialog and form tests (WindowResources.rc).
#pragma once

#define IDR_TEST_FRAME 200     // icon, menu, accelerators and title of the test frame
#define IDS_TEST_PROMPT 201    // a message string with a tip after '\n'
#define ID_TEST_COMMAND 40001  // F5 in the accelerator table
#define ID_TEST_MENU_ITEM 40002

#define IDD_TEST_DIALOG 300  // popup dialog: an edit, a check box, OK and Cancel
#define IDD_TEST_FORM 301    // child form with a tree
#define IDD_TEST_PANE 302    // child dialog with an edit

#define IDC_TEST_TREE 1000
#define IDC_TEST_EDIT 1001
#define IDC_TEST_CHECK 1002
