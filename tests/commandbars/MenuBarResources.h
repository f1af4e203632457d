// Resource ids of the menu-bar tests (MenuBarResources.rc).
#pragma once

#define IDR_MILESTONE_FRAME 4600  // menu (a copy of the application's English main menu) and title
#define IDR_MDI_FRAME 4601        // the MDI frame's own menu and title
#define IDR_MDI_CHILD 4602        // a child template's menu

#define ID_SETTINGS 32772
#define ID_DATABASE_PATH 32874
#define ID_SERVER_ACCOUNTS 32809
#define ID_CLIENT_ACCOUNTS 32811
#define ID_LOGOUT 32856
#define ID_LOGIN 32814
#define ID_BLACKLIST 32866
