#pragma once
#include "mfc.h"

// The values that cross between the command bars, their controls and the paint managers: bar kinds
// and positions, the window messages a bar's site receives, the window timers that controls run on
// their bar's window, and the command ids the toolkit reserves. The values are fixed: sites, saved
// layouts and resources depend on them.

class CTkCommandBar;
class CTkCommandBars;

// ---- Bars

// The kind of a bar (saved as "Type").
enum TypeOfBar {
    kBarTypeMenuBar = 0,
    kBarTypeNormal = 1,  // toolbar (the default)
    kBarTypePopup = 2,
    kBarTypeRibbon = 3,
};

// Where a bar is shown (saved as "Position").
enum PositionOfBar {
    kBarTop = 0,
    kBarBottom = 1,
    kBarLeft = 2,
    kBarRight = 3,
    kBarFloating = 4,
    kBarPopup = 5,
    kBarList = 6,  // a drop-down list (the combo box's): not a drop target, otherwise like any undocked bar
    kBarNone = 7,  // not placed yet
};

// Tracking modes of a bar.
enum TrackingMode {
    kTrackingNone = 0,
    kTrackingMenu = 1,   // keyboard navigation and hot selection
    kTrackingPopup = 2,  // a control's popup is open
};

// Where a bar's selection came from (SetSelected).
enum SelectionOrigin {
    kSelectByMouse = 0,
    kSelectByMnemonic = 1,
    kSelectForward = 2,   // keyboard, moving forward
    kSelectBackward = 3,  // keyboard, moving backward
};

// What a bar's keyboard navigation is asked to do (NavigateByCode).
enum NavigationCode {
    kNavigateNext = 0,
    kNavigatePrevious = 1,
    kNavigateUp = 2,    // close the open popup, or go up a row
    kNavigateDown = 3,  // open the selected control's popup, or go down a row
    kNavigateEscape = 4,
    kNavigateExecute = 5,
    kNavigateFirst = 6,
    kNavigateLast = 7,
    kNavigatePreviousHorizontal = 8,  // as kNavigatePrevious
    kNavigateNextHorizontal = 9,      // as kNavigateNext
    kNavigateSystemMenu = 10,
};

// Bar Flags bit: the stacked large-button layout.
constexpr DWORD kBarFlagStacked = 0x200000;
// Bar Style bit: the bar shows a gripper.
constexpr DWORD kBarStyleGripper = 0x400000;

// ---- Messages to the site window (wParam and lParam as noted)
constexpr UINT kCommandBarsFirstMessage = 10325;
constexpr UINT BarVisibilityChangedMessage = 10325;  // the bar, the new visible state
constexpr UINT ControlHighlightedMessage = 10326;    // the control when selected, else 0
constexpr UINT CustomizeSelectionMessage = 10327;    // the customize selection changed
constexpr UINT TrackingStartedMessage = 10328;       // the menu bar that starts tracking
constexpr UINT ControlRightButtonUpMessage = 10329;  // POINT* in bar client coordinates, the control; 1 = handled
constexpr UINT TrackingKeyMessage = 10330;           // the key arguments, the bar
constexpr UINT PopupOpeningMessage = 10331;          // to the popup's owner window; lParam the popup bar
constexpr UINT ContextMenuBuiltMessage = 10332;      // the bar right-clicked (or NULL), the popup bar
constexpr UINT PopupClosedMessage = 10333;
constexpr UINT CreateControlMessage = 10334;     // 0, MenuItemCreateRecord*; non-zero = the site filled it
constexpr UINT ControlCreatedMessage = 10335;    // 0, MenuItemCreateRecord* with its control set
constexpr UINT IconRequestMessage = 10336;       // to an MDI child: its icon for the system-menu popup
constexpr UINT CreateCommandBarMessage = 10337;  // 0, CommandBarCreateRecord*
constexpr UINT ControlNotifyMessage = 10338;     // the control's id, ControlNotifyRecord*
constexpr UINT BarResetMessage = 10340;          // lParam the bar
constexpr UINT BarTornOffMessage = 10343;        // the torn-off bar, the popup
constexpr UINT kCommandBarsLastMessage = 10343;
// Posted to a combo box's edit window when the shell's auto-suggest list shows.
constexpr UINT AutoSuggestShownMessage = 10354;
// Asked of a child window under the cursor by the tooltips; the in-place edits of the edit and combo-box
// controls answer 1 ("ask my parent instead").
constexpr UINT InPlaceEditQueryMessage = 10824;

// The record TrackingKeyMessage points to: the key a tracking bar is about to handle. The site may change
// it before the bar goes on.
struct TrackingKeyRecord {
    UINT nKey;
    LPARAM lParam;
};

// The record of CreateCommandBarMessage: the site may make the bar itself. Sent by AddToolBar for a new
// toolbar and by the control factory and the menu import for the sub bar of a popup.
struct CommandBarCreateRecord {
    CTkCommandBar* pCommandBar = nullptr;  // out: the bar the site made (a popup bar when bPopup), or NULL
    BOOL bPopup = FALSE;                   // the word carrying the popup flag: a popup bar is asked for
    DWORD dwReserved1 = 0;
    DWORD dwReserved2 = 1;
    BOOL bTearOff = FALSE;
    LPCWSTR pszTitle = nullptr;  // in/out: a site that makes the bar may give it another title
    UINT nId = 0;
};

// The parameter record of a save or load of the bars (the property exchange's parameter pointer).
struct BarsExchangeParam {
    BOOL bSaveOnlyCustomized = FALSE;
    BOOL bSaveOriginalControls = FALSE;
    CTkCommandBars* pCommandBars = nullptr;  // the hub that loaded bars and controls belong to (not owned)
};

// ---- Window timers that controls set on their bar's window (they share the bar window's timer ids;
// the bar's own timer handling leaves them alone)
constexpr UINT_PTR kTimerButtonRepeat = 4269;      // a held button with an execute-on-press interval
constexpr UINT_PTR kTimerSpinRepeat = 435;         // a held spin button of an edit
constexpr UINT_PTR kTimerScrollRepeat = 23345;     // a held scroll-bar arrow
constexpr UINT_PTR kTimerScrollAnimation = 23346;  // an animated scroll
// The bar's own timers.
constexpr UINT_PTR kTimerHover = 112223;            // the mouse rested on the selected control
constexpr UINT_PTR kTimerExpand = 112224;           // an open popup shows its rarely used controls
constexpr UINT_PTR kTimerAnimation = 707907;        // a step of the bar's animation
constexpr UINT_PTR kTimerShowKeyboardTips = 52426;  // posted: a popup shows its first-level keyboard tips
// The mouse manager's stand-in for WM_MOUSELEAVE, set on the window it watches.
constexpr UINT_PTR kTimerMouseLeave = 113341;

// ---- Command ids the toolkit reserves
constexpr UINT kIdWindowList = 35000;        // placeholder: the MDI window list
constexpr UINT kIdCustomize = 35001;         // the customize command
constexpr UINT kIdWorkspaceActions = 35002;  // placeholder: the tab-workspace commands
constexpr UINT kIdRecentFileList = 35003;    // placeholder: the recent-file list
constexpr UINT kFirstPlaceholderId = 35000;
constexpr UINT kLastPlaceholderId = 35003;
// The toolkit's own commands: no action is ever made for them.
constexpr UINT kFirstToolkitCommand = 9100;
constexpr UINT kLastToolkitCommand = 9299;
// The tab-workspace commands.
constexpr UINT kIdWorkspaceMovePrevious = 9155;   // move the tab to the previous group
constexpr UINT kIdWorkspaceMoveNext = 9156;       // move the tab to the next group
constexpr UINT kIdWorkspaceNewHorizontal = 9157;  // a new stacked group
constexpr UINT kIdWorkspaceNewVertical = 9158;    // a new side-by-side group
constexpr UINT kIdWorkspaceCancel = 9159;
// The highest command id that can have an action.
constexpr UINT kLastActionId = 0x0FFFFFFE;

// ---- Resources
// The cursor shown over and while dragging a control's resizable edge (resources/ToolkitResources.rc).
constexpr UINT kIdResizeCursor = 9972;
