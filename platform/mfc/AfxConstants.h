#pragma once
#include "AfxBase.h"

#include <commctrl.h>
#include <cstddef>

// Message numbers, command and window ids and style bits of the layer. Their values are fixed: the
// toolkit and the application send, store and compare them as numbers.

// Layer messages
constexpr UINT WM_SIZEPARENT = 0x0361;        // lParam: AFX_SIZEPARENTPARAMS*
constexpr UINT WM_SETMESSAGESTRING = 0x0362;  // wParam: string id, or lParam: text
constexpr UINT WM_IDLEUPDATECMDUI = 0x0363;   // wParam: disable commands without a handler
constexpr UINT WM_INITIALUPDATE = 0x0364;
constexpr UINT WM_COMMANDHELP = 0x0365;
constexpr UINT WM_HELPHITTEST = 0x0366;
constexpr UINT WM_KICKIDLE = 0x036A;     // never dispatched
constexpr UINT WM_FLOATSTATUS = 0x036D;  // wParam: FS_* bits
constexpr UINT WM_POPMESSAGESTRING = 0x0375;
constexpr UINT WM_SYSTIMER = 0x0118;  // the caret blink timer; not an idle-restarting message

// The one map entry (ON_WM_CTLCOLOR) of every WM_CTLCOLOR* message; windowsx.h defines it too.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

// Messages reflected to the child that sent them arrive at WM_REFLECT_BASE + the message.
constexpr UINT WM_REFLECT_BASE = 0xBC00;

// WM_FLOATSTATUS bits
constexpr UINT FS_SHOW = 0x01;
constexpr UINT FS_HIDE = 0x02;
constexpr UINT FS_ACTIVATE = 0x04;
constexpr UINT FS_DEACTIVATE = 0x08;
constexpr UINT FS_ENABLE = 0x10;
constexpr UINT FS_DISABLE = 0x20;
constexpr UINT FS_SYNCACTIVE = 0x40;

// Command codes of OnCmdMsg; other codes carry their message in the high word.
constexpr int CN_COMMAND = 0;
constexpr int CN_UPDATE_COMMAND_UI = -1;  // 0xFFFFFFFF

// Window ids
constexpr UINT AFX_IDW_TOOLBAR = 0xE800;
constexpr UINT AFX_IDW_STATUS_BAR = 0xE801;
constexpr UINT AFX_IDW_REBAR = 0xE804;
constexpr UINT AFX_IDW_DOCKBAR_TOP = 0xE81B;
constexpr UINT AFX_IDW_DOCKBAR_LEFT = 0xE81C;
constexpr UINT AFX_IDW_DOCKBAR_RIGHT = 0xE81D;
constexpr UINT AFX_IDW_DOCKBAR_BOTTOM = 0xE81E;
constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;  // splitter panes: 0xE900 + 16 * row + column
constexpr UINT AFX_IDW_PANE_LAST = 0xE9FF;

// Command and string ids
constexpr UINT ID_VIEW_TOOLBAR = 0xE800;
constexpr UINT ID_FILE_MRU_FILE1 = 0xE110;
constexpr UINT ID_EDIT_COPY = 0xE122;
constexpr UINT ID_EDIT_CUT = 0xE123;
constexpr UINT ID_EDIT_PASTE = 0xE125;
constexpr UINT ID_APP_ABOUT = 0xE140;
constexpr UINT ID_APP_EXIT = 0xE141;
constexpr UINT ID_HELP = 0xE146;
constexpr UINT ID_OLE_VERB_FIRST = 0xE210;
constexpr UINT AFX_IDS_APP_TITLE = 0xE000;
constexpr UINT AFX_IDS_IDLEMESSAGE = 0xE001;
constexpr UINT AFX_IDS_MDICHILD = 0xEF1F;
constexpr UINT AFX_IDM_FIRST_MDICHILD = 0xFF00;
constexpr UINT HID_BASE_COMMAND = 0x10000;
constexpr UINT HID_BASE_CONTROL = 0x50000;

// Control-bar styles
constexpr DWORD CBRS_SIZE_DYNAMIC = 0x0004;
constexpr DWORD CBRS_TOOLTIPS = 0x0010;
constexpr DWORD CBRS_FLYBY = 0x0020;
constexpr DWORD CBRS_BORDER_LEFT = 0x0100;
constexpr DWORD CBRS_BORDER_TOP = 0x0200;
constexpr DWORD CBRS_BORDER_RIGHT = 0x0400;
constexpr DWORD CBRS_BORDER_BOTTOM = 0x0800;
constexpr DWORD CBRS_ALIGN_LEFT = 0x1000;
constexpr DWORD CBRS_ALIGN_TOP = 0x2000;
constexpr DWORD CBRS_ALIGN_RIGHT = 0x4000;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000;
constexpr DWORD CBRS_ALIGN_ANY = 0xF000;
constexpr DWORD CBRS_LEFT = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;
constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
constexpr DWORD CBRS_RIGHT = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;
constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
constexpr DWORD CBRS_ALL = 0x0040FFFF;

// Status-bar pane styles
constexpr UINT SBPS_DISABLED = 0x04000000;
constexpr UINT SBPS_STRETCH = 0x08000000;

// Frame styles and window-object flags
constexpr DWORD FWS_ADDTOTITLE = 0x8000;
constexpr DWORD MFS_SYNCACTIVE = 0x100;
constexpr UINT WF_STAYACTIVE = 0x20;  // CWnd::m_nFlags: keep the caption active

// Frame idle flags (CFrameWnd::m_nIdleFlags)
constexpr UINT idleMenu = 1;
constexpr UINT idleTitle = 2;
constexpr UINT idleNotify = 4;
constexpr UINT idleLayout = 8;

// TOOLINFO record sizes: the first form (up to lpszText) and the form with lParam. Every tooltip user
// takes them from here, as the record grows with the word size.
constexpr UINT AFX_TOOLINFO_V1_SIZE = offsetof(TTTOOLINFOW, lpszText) + sizeof(TTTOOLINFOW::lpszText);
constexpr UINT AFX_TOOLINFO_V2_SIZE = offsetof(TTTOOLINFOW, lParam) + sizeof(TTTOOLINFOW::lParam);
