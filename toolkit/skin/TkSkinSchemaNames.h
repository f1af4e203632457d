#pragma once
#include <cstddef>
#include <span>

// The vocabulary of skin INI files: the names of visual-style classes, parts, states, properties and
// enumeration values, and the numbers the skin stores them under. The numbers are those of the
// system's visual-styles schema, so a skin class pointer can stand in for a visual-styles theme handle.
//
// Every lookup compares names without regard to case and takes the first row that matches, in table
// order; that order is part of the format (the class row "Menu" answers 0 before "MENU" is reached, so
// sections of the menu class are never read). Skin files and the tools that write them read this
// header as the list of names a skin may use. Constant data: any thread.

// The type of a property's value; the reader builds one value of this type from the INI text.
enum TkSkinValueType {
    tkSkinValueNone = 0,
    tkSkinValueString = 1,
    tkSkinValueInt = 2,
    tkSkinValueBool = 3,
    tkSkinValueColor = 4,
    tkSkinValueRect = 5,  // written left, right, top, bottom
    tkSkinValueFont = 6,
    tkSkinValueIntList = 7,  // known by name but never stored
    tkSkinValueEnum = 8,
    tkSkinValuePosition = 9,
};

struct TkSkinClassName {
    const wchar_t* pszName;
    int nId;  // 0: the class is known by name but never read
};

// A list of names numbered from 1 in order, owned by a class (its parts), a state group (its states)
// or an enumeration (its values, numbered from 0).
struct TkSkinNameList {
    const wchar_t* pszOwner;
    std::span<const wchar_t* const> names;
};

struct TkSkinPropertyName {
    const wchar_t* pszName;
    int nId;
    TkSkinValueType nType;
};

// ---- Classes, in lookup order
inline constexpr TkSkinClassName kSkinClassNames[] = {
    {L"Globals", 1},     {L"Documentation", 2}, {L"SysMetrics", 3}, {L"ListBox", 4},     {L"Dialog", 5},
    {L"Menu", 0},        {L"WINDOW", 6},        {L"BUTTON", 7},     {L"REBAR", 8},       {L"TOOLBAR", 9},
    {L"STATUS", 10},     {L"MENU", 11},         {L"LISTVIEW", 12},  {L"HEADER", 13},     {L"PROGRESS", 14},
    {L"TAB", 15},        {L"TRACKBAR", 16},     {L"TOOLTIP", 17},   {L"TREEVIEW", 18},   {L"SPIN", 19},
    {L"PAGE", 20},       {L"SCROLLBAR", 21},    {L"EDIT", 22},      {L"COMBOBOX", 23},   {L"CLOCK", 24},
    {L"TRAYNOTIFY", 25}, {L"TASKBAR", 26},      {L"TASKBAND", 27},  {L"STARTPANEL", 28}, {L"EXPLORERBAR", 29},
    {L"MENUBAND", 30},
};

// ---- Parts of each class, numbered from 1; a class not listed has none
inline constexpr const wchar_t* kSkinPartsWindow[] = {
    L"CAPTION",
    L"SMALLCAPTION",
    L"MINCAPTION",
    L"SMALLMINCAPTION",
    L"MAXCAPTION",
    L"SMALLMAXCAPTION",
    L"FRAMELEFT",
    L"FRAMERIGHT",
    L"FRAMEBOTTOM",
    L"SMALLFRAMELEFT",
    L"SMALLFRAMERIGHT",
    L"SMALLFRAMEBOTTOM",
    L"SYSBUTTON",
    L"MDISYSBUTTON",
    L"MINBUTTON",
    L"MDIMINBUTTON",
    L"MAXBUTTON",
    L"CLOSEBUTTON",
    L"SMALLCLOSEBUTTON",
    L"MDICLOSEBUTTON",
    L"RESTOREBUTTON",
    L"MDIRESTOREBUTTON",
    L"HELPBUTTON",
    L"MDIHELPBUTTON",
    L"HORZSCROLL",
    L"HORZTHUMB",
    L"VERTSCROLL",
    L"VERTTHUMB",
    L"DIALOG",
    L"CAPTIONSIZINGTEMPLATE",
    L"SMALLCAPTIONSIZINGTEMPLATE",
    L"FRAMELEFTSIZINGTEMPLATE",
    L"SMALLFRAMELEFTSIZINGTEMPLATE",
    L"FRAMERIGHTSIZINGTEMPLATE",
    L"SMALLFRAMERIGHTSIZINGTEMPLATE",
    L"FRAMEBOTTOMSIZINGTEMPLATE",
    L"SMALLFRAMEBOTTOMSIZINGTEMPLATE",
};
inline constexpr const wchar_t* kSkinPartsButton[] = {
    L"PUSHBUTTON", L"RADIOBUTTON", L"CHECKBOX", L"GROUPBOX", L"USERBUTTON",
};
inline constexpr const wchar_t* kSkinPartsRebar[] = {
    L"GRIPPER", L"GRIPPERVERT", L"BAND", L"CHEVRON", L"CHEVRONVERT",
};
inline constexpr const wchar_t* kSkinPartsToolbar[] = {
    L"BUTTON", L"DROPDOWNBUTTON", L"SPLITBUTTON", L"SPLITBUTTONDROPDOWN", L"SEPARATOR", L"SEPARATORVERT",
};
inline constexpr const wchar_t* kSkinPartsStatus[] = {
    L"PANE",
    L"GRIPPERPANE",
    L"GRIPPER",
};
inline constexpr const wchar_t* kSkinPartsMenu[] = {
    L"MENUITEM", L"MENUDROPDOWN", L"MENUBARITEM", L"MENUBARDROPDOWN", L"CHEVRON", L"SEPARATOR",
};
inline constexpr const wchar_t* kSkinPartsListview[] = {
    L"LISTITEM", L"LISTGROUP", L"LISTDETAIL", L"LISTSORTEDDETAIL", L"EMPTYTEXT",
};
inline constexpr const wchar_t* kSkinPartsHeader[] = {
    L"HEADERITEM",
    L"HEADERITEMLEFT",
    L"HEADERITEMRIGHT",
    L"HEADERSORTARROW",
};
inline constexpr const wchar_t* kSkinPartsProgress[] = {
    L"BAR",
    L"BARVERT",
    L"CHUNK",
    L"CHUNKVERT",
};
inline constexpr const wchar_t* kSkinPartsTab[] = {
    L"TABITEM",
    L"TABITEMLEFTEDGE",
    L"TABITEMRIGHTEDGE",
    L"TABITEMBOTHEDGE",
    L"TOPTABITEM",
    L"TOPTABITEMLEFTEDGE",
    L"TOPTABITEMRIGHTEDGE",
    L"TOPTABITEMBOTHEDGE",
    L"PANE",
    L"BODY",
};
inline constexpr const wchar_t* kSkinPartsTrackbar[] = {
    L"TRACK",     L"TRACKVERT", L"THUMB",      L"THUMBBOTTOM", L"THUMBTOP",
    L"THUMBVERT", L"THUMBLEFT", L"THUMBRIGHT", L"TICS",        L"TICSVERT",
};
inline constexpr const wchar_t* kSkinPartsTooltip[] = {
    L"STANDARD", L"STANDARDTITLE", L"BALLOON", L"BALLOONTITLE", L"CLOSE",
};
inline constexpr const wchar_t* kSkinPartsTreeview[] = {
    L"TREEITEM",
    L"GLYPH",
    L"BRANCH",
};
inline constexpr const wchar_t* kSkinPartsSpin[] = {
    L"UP",
    L"DOWN",
    L"UPHORZ",
    L"DOWNHORZ",
};
inline constexpr const wchar_t* kSkinPartsScrollbar[] = {
    L"ARROWBTN",       L"THUMBBTNHORZ",   L"THUMBBTNVERT", L"LOWERTRACKHORZ", L"UPPERTRACKHORZ",
    L"LOWERTRACKVERT", L"UPPERTRACKVERT", L"GRIPPERHORZ",  L"GRIPPERVERT",    L"SIZEBOX",
};
inline constexpr const wchar_t* kSkinPartsEdit[] = {
    L"EDITTEXT",
    L"CARET",
};
inline constexpr const wchar_t* kSkinPartsCombobox[] = {
    L"DROPDOWNBUTTON",
};
inline constexpr const wchar_t* kSkinPartsClock[] = {
    L"TIME",
};
inline constexpr const wchar_t* kSkinPartsTraynotify[] = {
    L"BACKGROUND",
    L"ANIMBACKGROUND",
};
inline constexpr const wchar_t* kSkinPartsTaskbar[] = {
    L"BACKGROUNDBOTTOM", L"BACKGROUNDRIGHT", L"BACKGROUNDTOP", L"BACKGROUNDLEFT",
    L"SIZINGBARBOTTOM",  L"SIZINGBARRIGHT",  L"SIZINGBARTOP",  L"SIZINGBARLEFT",
};
inline constexpr const wchar_t* kSkinPartsTaskband[] = {
    L"GROUPCOUNT",
    L"FLASHBUTTON",
    L"FLASHBUTTONGROUPMENU",
};
inline constexpr const wchar_t* kSkinPartsStartpanel[] = {
    L"USERPANE",
    L"MOREPROGRAMS",
    L"MOREPROGRAMSARROW",
    L"PROGLIST",
    L"PROGLISTSEPARATOR",
    L"PLACESLIST",
    L"PLACESLISTSEPARATOR",
    L"LOGOFF",
    L"LOGOFFBUTTONS",
    L"USERPICTURE",
    L"PREVIEW",
};
inline constexpr const wchar_t* kSkinPartsExplorerbar[] = {
    L"HEADERBACKGROUND",       L"HEADERCLOSE",          L"HEADERPIN",          L"IEBARMENU",
    L"NORMALGROUPBACKGROUND",  L"NORMALGROUPCOLLAPSE",  L"NORMALGROUPEXPAND",  L"NORMALGROUPHEAD",
    L"SPECIALGROUPBACKGROUND", L"SPECIALGROUPCOLLAPSE", L"SPECIALGROUPEXPAND", L"SPECIALGROUPHEAD",
};
inline constexpr const wchar_t* kSkinPartsMenuband[] = {
    L"NEWAPPBUTTON",
    L"SEPERATOR",
};
inline constexpr TkSkinNameList kSkinPartLists[] = {
    {L"WINDOW", kSkinPartsWindow},
    {L"BUTTON", kSkinPartsButton},
    {L"REBAR", kSkinPartsRebar},
    {L"TOOLBAR", kSkinPartsToolbar},
    {L"STATUS", kSkinPartsStatus},
    {L"MENU", kSkinPartsMenu},
    {L"LISTVIEW", kSkinPartsListview},
    {L"HEADER", kSkinPartsHeader},
    {L"PROGRESS", kSkinPartsProgress},
    {L"TAB", kSkinPartsTab},
    {L"TRACKBAR", kSkinPartsTrackbar},
    {L"TOOLTIP", kSkinPartsTooltip},
    {L"TREEVIEW", kSkinPartsTreeview},
    {L"SPIN", kSkinPartsSpin},
    {L"PAGE", kSkinPartsSpin},
    {L"SCROLLBAR", kSkinPartsScrollbar},
    {L"EDIT", kSkinPartsEdit},
    {L"COMBOBOX", kSkinPartsCombobox},
    {L"CLOCK", kSkinPartsClock},
    {L"TRAYNOTIFY", kSkinPartsTraynotify},
    {L"TASKBAR", kSkinPartsTaskbar},
    {L"TASKBAND", kSkinPartsTaskband},
    {L"STARTPANEL", kSkinPartsStartpanel},
    {L"EXPLORERBAR", kSkinPartsExplorerbar},
    {L"MENUBAND", kSkinPartsMenuband},
};

// ---- States, numbered from 1, of each state group; a group is named by a part or, for the states of a
// class without a part, by the class. TABITEMBOTHEDGES and TOPTABITEMBOTHEDGES carry an S that the part
// names lack, so those two parts have no states.
inline constexpr const wchar_t* kSkinStatesFrame[] = {
    L"ACTIVE",
    L"INACTIVE",
};
inline constexpr const wchar_t* kSkinStatesCaption[] = {
    L"ACTIVE",
    L"INACTIVE",
    L"DISABLED",
};
inline constexpr const wchar_t* kSkinStatesHorzscroll[] = {
    L"NORMAL",
    L"HOT",
    L"PUSHED",
    L"DISABLED",
};
inline constexpr const wchar_t* kSkinStatesPushbutton[] = {
    L"NORMAL", L"HOT", L"PRESSED", L"DISABLED", L"DEFAULTED",
};
inline constexpr const wchar_t* kSkinStatesRadiobutton[] = {
    L"UNCHECKEDNORMAL", L"UNCHECKEDHOT", L"UNCHECKEDPRESSED", L"UNCHECKEDDISABLED",
    L"CHECKEDNORMAL",   L"CHECKEDHOT",   L"CHECKEDPRESSED",   L"CHECKEDDISABLED",
};
inline constexpr const wchar_t* kSkinStatesCheckbox[] = {
    L"UNCHECKEDNORMAL", L"UNCHECKEDHOT", L"UNCHECKEDPRESSED", L"UNCHECKEDDISABLED",
    L"CHECKEDNORMAL",   L"CHECKEDHOT",   L"CHECKEDPRESSED",   L"CHECKEDDISABLED",
    L"MIXEDNORMAL",     L"MIXEDHOT",     L"MIXEDPRESSED",     L"MIXEDDISABLED",
};
inline constexpr const wchar_t* kSkinStatesGroupbox[] = {
    L"NORMAL",
    L"DISABLED",
};
inline constexpr const wchar_t* kSkinStatesChevron[] = {
    L"NORMAL",
    L"HOT",
    L"PRESSED",
};
inline constexpr const wchar_t* kSkinStatesToolbar[] = {
    L"NORMAL", L"HOT", L"PRESSED", L"DISABLED", L"CHECKED", L"HOTCHECKED",
};
inline constexpr const wchar_t* kSkinStatesMenu[] = {
    L"NORMAL",
    L"SELECTED",
    L"DEMOTED",
};
inline constexpr const wchar_t* kSkinStatesListitem[] = {
    L"NORMAL", L"HOT", L"SELECTED", L"DISABLED", L"SELECTEDNOTFOCUS",
};
inline constexpr const wchar_t* kSkinStatesHeadersortarrow[] = {
    L"SORTEDUP",
    L"SORTEDDOWN",
};
inline constexpr const wchar_t* kSkinStatesTabitem[] = {
    L"NORMAL", L"HOT", L"SELECTED", L"DISABLED", L"FOCUSED",
};
inline constexpr const wchar_t* kSkinStatesTrackbar[] = {
    L"NORMAL",
};
inline constexpr const wchar_t* kSkinStatesThumb[] = {
    L"NORMAL", L"HOT", L"PRESSED", L"FOCUSED", L"DISABLED",
};
inline constexpr const wchar_t* kSkinStatesStandard[] = {
    L"NORMAL",
    L"LINK",
};
inline constexpr const wchar_t* kSkinStatesGlyph[] = {
    L"CLOSED",
    L"OPENED",
};
inline constexpr const wchar_t* kSkinStatesUp[] = {
    L"NORMAL",
    L"HOT",
    L"PRESSED",
    L"DISABLED",
};
inline constexpr const wchar_t* kSkinStatesArrowbtn[] = {
    L"UPNORMAL",    L"UPHOT",        L"UPPRESSED",    L"UPDISABLED",    L"DOWNNORMAL",  L"DOWNHOT",
    L"DOWNPRESSED", L"DOWNDISABLED", L"LEFTNORMAL",   L"LEFTHOT",       L"LEFTPRESSED", L"LEFTDISABLED",
    L"RIGHTNORMAL", L"RIGHTHOT",     L"RIGHTPRESSED", L"RIGHTDISABLED",
};
inline constexpr const wchar_t* kSkinStatesScrollbar[] = {
    L"NORMAL", L"HOT", L"PRESSED", L"DISABLED", L"ACTIVE",
};
inline constexpr const wchar_t* kSkinStatesSizebox[] = {
    L"RIGHTALIGN",
    L"LEFTALIGN",
};
inline constexpr const wchar_t* kSkinStatesEdittext[] = {
    L"NORMAL", L"HOT", L"SELECTED", L"DISABLED", L"FOCUSED", L"READONLY", L"ASSIST",
};
inline constexpr const wchar_t* kSkinStatesHeaderpin[] = {
    L"NORMAL", L"HOT", L"PRESSED", L"SELECTEDNORMAL", L"SELECTEDHOT", L"SELECTEDPRESSED",
};
inline constexpr TkSkinNameList kSkinStateLists[] = {
    {L"FRAME", kSkinStatesFrame},
    {L"CAPTION", kSkinStatesCaption},
    {L"MAXCAPTION", kSkinStatesCaption},
    {L"MINCAPTION", kSkinStatesCaption},
    {L"HORZSCROLL", kSkinStatesHorzscroll},
    {L"HORZTHUMB", kSkinStatesHorzscroll},
    {L"VERTSCROLL", kSkinStatesHorzscroll},
    {L"VERTTHUMB", kSkinStatesHorzscroll},
    {L"SYSBUTTON", kSkinStatesHorzscroll},
    {L"MINBUTTON", kSkinStatesHorzscroll},
    {L"MAXBUTTON", kSkinStatesHorzscroll},
    {L"RESTOREBUTTON", kSkinStatesHorzscroll},
    {L"HELPBUTTON", kSkinStatesHorzscroll},
    {L"CLOSEBUTTON", kSkinStatesHorzscroll},
    {L"PUSHBUTTON", kSkinStatesPushbutton},
    {L"RADIOBUTTON", kSkinStatesRadiobutton},
    {L"CHECKBOX", kSkinStatesCheckbox},
    {L"GROUPBOX", kSkinStatesGroupbox},
    {L"CHEVRON", kSkinStatesChevron},
    {L"HEADERITEM", kSkinStatesChevron},
    {L"HEADERITEMLEFT", kSkinStatesChevron},
    {L"HEADERITEMRIGHT", kSkinStatesChevron},
    {L"CLOSE", kSkinStatesChevron},
    {L"MOREPROGRAMSARROW", kSkinStatesChevron},
    {L"LOGOFFBUTTONS", kSkinStatesChevron},
    {L"HEADERCLOSE", kSkinStatesChevron},
    {L"IEBARMENU", kSkinStatesChevron},
    {L"NORMALGROUPCOLLAPSE", kSkinStatesChevron},
    {L"NORMALGROUPEXPAND", kSkinStatesChevron},
    {L"SPECIALGROUPCOLLAPSE", kSkinStatesChevron},
    {L"SPECIALGROUPEXPAND", kSkinStatesChevron},
    {L"TOOLBAR", kSkinStatesToolbar},
    {L"MENUBAND", kSkinStatesToolbar},
    {L"MENU", kSkinStatesMenu},
    {L"LISTITEM", kSkinStatesListitem},
    {L"TREEITEM", kSkinStatesListitem},
    {L"HEADERSORTARROW", kSkinStatesHeadersortarrow},
    {L"TABITEM", kSkinStatesTabitem},
    {L"TABITEMLEFTEDGE", kSkinStatesTabitem},
    {L"TABITEMRIGHTEDGE", kSkinStatesTabitem},
    {L"TABITEMBOTHEDGES", kSkinStatesTabitem},
    {L"TOPTABITEM", kSkinStatesTabitem},
    {L"TOPTABITEMLEFTEDGE", kSkinStatesTabitem},
    {L"TOPTABITEMRIGHTEDGE", kSkinStatesTabitem},
    {L"TOPTABITEMBOTHEDGES", kSkinStatesTabitem},
    {L"TRACKBAR", kSkinStatesTrackbar},
    {L"TRACK", kSkinStatesTrackbar},
    {L"TRACKVERT", kSkinStatesTrackbar},
    {L"TICS", kSkinStatesTrackbar},
    {L"TICSVERT", kSkinStatesTrackbar},
    {L"CLOCK", kSkinStatesTrackbar},
    {L"THUMB", kSkinStatesThumb},
    {L"THUMBBOTTOM", kSkinStatesThumb},
    {L"THUMBTOP", kSkinStatesThumb},
    {L"THUMBVERT", kSkinStatesThumb},
    {L"THUMBLEFT", kSkinStatesThumb},
    {L"THUMBRIGHT", kSkinStatesThumb},
    {L"STANDARD", kSkinStatesStandard},
    {L"BALLOON", kSkinStatesStandard},
    {L"GLYPH", kSkinStatesGlyph},
    {L"UP", kSkinStatesUp},
    {L"DOWN", kSkinStatesUp},
    {L"UPHORZ", kSkinStatesUp},
    {L"DOWNHORZ", kSkinStatesUp},
    {L"ARROWBTN", kSkinStatesArrowbtn},
    {L"SCROLLBAR", kSkinStatesScrollbar},
    {L"SIZEBOX", kSkinStatesSizebox},
    {L"EDITTEXT", kSkinStatesEdittext},
    {L"COMBOBOX", kSkinStatesUp},
    {L"HEADERPIN", kSkinStatesHeaderpin},
};

// ---- Properties, with their value types (192 names)
inline constexpr TkSkinPropertyName kSkinPropertyNames[] = {
    {L"STRING", 201, tkSkinValueString},
    {L"INT", 202, tkSkinValueInt},
    {L"BOOL", 203, tkSkinValueBool},
    {L"COLOR", 204, tkSkinValueColor},
    {L"MARGINS", 205, tkSkinValueRect},
    {L"FILENAME", 206, tkSkinValueString},
    {L"SIZE", 207, tkSkinValueInt},
    {L"POSITION", 208, tkSkinValuePosition},
    {L"RECT", 209, tkSkinValueRect},
    {L"FONT", 210, tkSkinValueFont},
    {L"INTLIST", 211, tkSkinValueIntList},
    {L"COLORSCHEMES", 401, tkSkinValueString},
    {L"SIZES", 402, tkSkinValueString},
    {L"CHARSET", 403, tkSkinValueInt},
    {L"DISPLAYNAME", 601, tkSkinValueString},
    {L"TOOLTIP", 602, tkSkinValueString},
    {L"COMPANY", 603, tkSkinValueString},
    {L"AUTHOR", 604, tkSkinValueString},
    {L"COPYRIGHT", 605, tkSkinValueString},
    {L"URL", 606, tkSkinValueString},
    {L"VERSION", 607, tkSkinValueString},
    {L"DESCRIPTION", 608, tkSkinValueString},
    {L"CAPTIONFONT", 801, tkSkinValueFont},
    {L"SMALLCAPTIONFONT", 802, tkSkinValueFont},
    {L"MENUFONT", 803, tkSkinValueFont},
    {L"STATUSFONT", 804, tkSkinValueFont},
    {L"MSGBOXFONT", 805, tkSkinValueFont},
    {L"ICONTITLEFONT", 806, tkSkinValueFont},
    {L"FLATMENUS", 1001, tkSkinValueBool},
    {L"SIZINGBORDERWIDTH", 1201, tkSkinValueInt},
    {L"SCROLLBARWIDTH", 1202, tkSkinValueInt},
    {L"SCROLLBARHEIGHT", 1203, tkSkinValueInt},
    {L"CAPTIONBARWIDTH", 1204, tkSkinValueInt},
    {L"CAPTIONBARHEIGHT", 1205, tkSkinValueInt},
    {L"SMCAPTIONBARWIDTH", 1206, tkSkinValueInt},
    {L"SMCAPTIONBARHEIGHT", 1207, tkSkinValueInt},
    {L"MENUBARWIDTH", 1208, tkSkinValueInt},
    {L"MENUBARHEIGHT", 1209, tkSkinValueInt},
    {L"MINCOLORDEPTH", 1301, tkSkinValueInt},
    {L"CSSNAME", 1401, tkSkinValueString},
    {L"XMLNAME", 1402, tkSkinValueString},
    {L"SCROLLBAR", 1601, tkSkinValueColor},
    {L"BACKGROUND", 1602, tkSkinValueColor},
    {L"ACTIVECAPTION", 1603, tkSkinValueColor},
    {L"INACTIVECAPTION", 1604, tkSkinValueColor},
    {L"MENU", 1605, tkSkinValueColor},
    {L"WINDOW", 1606, tkSkinValueColor},
    {L"WINDOWFRAME", 1607, tkSkinValueColor},
    {L"MENUTEXT", 1608, tkSkinValueColor},
    {L"WINDOWTEXT", 1609, tkSkinValueColor},
    {L"CAPTIONTEXT", 1610, tkSkinValueColor},
    {L"ACTIVEBORDER", 1611, tkSkinValueColor},
    {L"INACTIVEBORDER", 1612, tkSkinValueColor},
    {L"APPWORKSPACE", 1613, tkSkinValueColor},
    {L"HIGHLIGHT", 1614, tkSkinValueColor},
    {L"HIGHLIGHTTEXT", 1615, tkSkinValueColor},
    {L"BTNFACE", 1616, tkSkinValueColor},
    {L"BTNSHADOW", 1617, tkSkinValueColor},
    {L"GRAYTEXT", 1618, tkSkinValueColor},
    {L"BTNTEXT", 1619, tkSkinValueColor},
    {L"INACTIVECAPTIONTEXT", 1620, tkSkinValueColor},
    {L"BTNHIGHLIGHT", 1621, tkSkinValueColor},
    {L"DKSHADOW3D", 1622, tkSkinValueColor},
    {L"LIGHT3D", 1623, tkSkinValueColor},
    {L"INFOTEXT", 1624, tkSkinValueColor},
    {L"INFOBK", 1625, tkSkinValueColor},
    {L"BUTTONALTERNATEFACE", 1626, tkSkinValueColor},
    {L"HOTTRACKING", 1627, tkSkinValueColor},
    {L"GRADIENTACTIVECAPTION", 1628, tkSkinValueColor},
    {L"GRADIENTINACTIVECAPTION", 1629, tkSkinValueColor},
    {L"MENUHILIGHT", 1630, tkSkinValueColor},
    {L"MENUBAR", 1631, tkSkinValueColor},
    {L"FROMHUE1", 1801, tkSkinValueInt},
    {L"FROMHUE2", 1802, tkSkinValueInt},
    {L"FROMHUE3", 1803, tkSkinValueInt},
    {L"FROMHUE4", 1804, tkSkinValueInt},
    {L"FROMHUE5", 1805, tkSkinValueInt},
    {L"TOHUE1", 1806, tkSkinValueInt},
    {L"TOHUE2", 1807, tkSkinValueInt},
    {L"TOHUE3", 1808, tkSkinValueInt},
    {L"TOHUE4", 1809, tkSkinValueInt},
    {L"TOHUE5", 1810, tkSkinValueInt},
    {L"FROMCOLOR1", 2001, tkSkinValueColor},
    {L"FROMCOLOR2", 2002, tkSkinValueColor},
    {L"FROMCOLOR3", 2003, tkSkinValueColor},
    {L"FROMCOLOR4", 2004, tkSkinValueColor},
    {L"FROMCOLOR5", 2005, tkSkinValueColor},
    {L"TOCOLOR1", 2006, tkSkinValueColor},
    {L"TOCOLOR2", 2007, tkSkinValueColor},
    {L"TOCOLOR3", 2008, tkSkinValueColor},
    {L"TOCOLOR4", 2009, tkSkinValueColor},
    {L"TOCOLOR5", 2010, tkSkinValueColor},
    {L"TRANSPARENT", 2201, tkSkinValueBool},
    {L"AUTOSIZE", 2202, tkSkinValueBool},
    {L"BORDERONLY", 2203, tkSkinValueBool},
    {L"COMPOSITED", 2204, tkSkinValueBool},
    {L"BGFILL", 2205, tkSkinValueBool},
    {L"GLYPHTRANSPARENT", 2206, tkSkinValueBool},
    {L"GLYPHONLY", 2207, tkSkinValueBool},
    {L"ALWAYSSHOWSIZINGBAR", 2208, tkSkinValueBool},
    {L"MIRRORIMAGE", 2209, tkSkinValueBool},
    {L"UNIFORMSIZING", 2210, tkSkinValueBool},
    {L"INTEGRALSIZING", 2211, tkSkinValueBool},
    {L"SOURCEGROW", 2212, tkSkinValueBool},
    {L"SOURCESHRINK", 2213, tkSkinValueBool},
    {L"IMAGECOUNT", 2401, tkSkinValueInt},
    {L"ALPHALEVEL", 2402, tkSkinValueInt},
    {L"BORDERSIZE", 2403, tkSkinValueInt},
    {L"ROUNDCORNERWIDTH", 2404, tkSkinValueInt},
    {L"ROUNDCORNERHEIGHT", 2405, tkSkinValueInt},
    {L"GRADIENTRATIO1", 2406, tkSkinValueInt},
    {L"GRADIENTRATIO2", 2407, tkSkinValueInt},
    {L"GRADIENTRATIO3", 2408, tkSkinValueInt},
    {L"GRADIENTRATIO4", 2409, tkSkinValueInt},
    {L"GRADIENTRATIO5", 2410, tkSkinValueInt},
    {L"PROGRESSCHUNKSIZE", 2411, tkSkinValueInt},
    {L"PROGRESSSPACESIZE", 2412, tkSkinValueInt},
    {L"SATURATION", 2413, tkSkinValueInt},
    {L"TEXTBORDERSIZE", 2414, tkSkinValueInt},
    {L"ALPHATHRESHOLD", 2415, tkSkinValueInt},
    {L"WIDTH", 2416, tkSkinValueInt},
    {L"HEIGHT", 2417, tkSkinValueInt},
    {L"GLYPHINDEX", 2418, tkSkinValueInt},
    {L"TRUESIZESTRETCHMARK", 2419, tkSkinValueInt},
    {L"MINDPI1", 2420, tkSkinValueInt},
    {L"MINDPI2", 2421, tkSkinValueInt},
    {L"MINDPI3", 2422, tkSkinValueInt},
    {L"MINDPI4", 2423, tkSkinValueInt},
    {L"MINDPI5", 2424, tkSkinValueInt},
    {L"GLYPHFONT", 2601, tkSkinValueFont},
    {L"IMAGEFILE", 3001, tkSkinValueString},
    {L"IMAGEFILE1", 3002, tkSkinValueString},
    {L"IMAGEFILE2", 3003, tkSkinValueString},
    {L"IMAGEFILE3", 3004, tkSkinValueString},
    {L"IMAGEFILE4", 3005, tkSkinValueString},
    {L"IMAGEFILE5", 3006, tkSkinValueString},
    {L"STOCKIMAGEFILE", 3007, tkSkinValueString},
    {L"GLYPHIMAGEFILE", 3008, tkSkinValueString},
    {L"TEXT", 3201, tkSkinValueString},
    {L"OFFSET", 3401, tkSkinValuePosition},
    {L"TEXTSHADOWOFFSET", 3402, tkSkinValuePosition},
    {L"MINSIZE", 3403, tkSkinValuePosition},
    {L"MINSIZE1", 3404, tkSkinValuePosition},
    {L"MINSIZE2", 3405, tkSkinValuePosition},
    {L"MINSIZE3", 3406, tkSkinValuePosition},
    {L"MINSIZE4", 3407, tkSkinValuePosition},
    {L"MINSIZE5", 3408, tkSkinValuePosition},
    {L"NORMALSIZE", 3409, tkSkinValuePosition},
    {L"SIZINGMARGINS", 3601, tkSkinValueRect},
    {L"CONTENTMARGINS", 3602, tkSkinValueRect},
    {L"CAPTIONMARGINS", 3603, tkSkinValueRect},
    {L"BORDERCOLOR", 3801, tkSkinValueColor},
    {L"FILLCOLOR", 3802, tkSkinValueColor},
    {L"TEXTCOLOR", 3803, tkSkinValueColor},
    {L"EDGELIGHTCOLOR", 3804, tkSkinValueColor},
    {L"EDGEHIGHLIGHTCOLOR", 3805, tkSkinValueColor},
    {L"EDGESHADOWCOLOR", 3806, tkSkinValueColor},
    {L"EDGEDKSHADOWCOLOR", 3807, tkSkinValueColor},
    {L"EDGEFILLCOLOR", 3808, tkSkinValueColor},
    {L"TRANSPARENTCOLOR", 3809, tkSkinValueColor},
    {L"GRADIENTCOLOR1", 3810, tkSkinValueColor},
    {L"GRADIENTCOLOR2", 3811, tkSkinValueColor},
    {L"GRADIENTCOLOR3", 3812, tkSkinValueColor},
    {L"GRADIENTCOLOR4", 3813, tkSkinValueColor},
    {L"GRADIENTCOLOR5", 3814, tkSkinValueColor},
    {L"SHADOWCOLOR", 3815, tkSkinValueColor},
    {L"GLOWCOLOR", 3816, tkSkinValueColor},
    {L"TEXTBORDERCOLOR", 3817, tkSkinValueColor},
    {L"TEXTSHADOWCOLOR", 3818, tkSkinValueColor},
    {L"GLYPHTEXTCOLOR", 3819, tkSkinValueColor},
    {L"GLYPHTRANSPARENTCOLOR", 3820, tkSkinValueColor},
    {L"FILLCOLORHINT", 3821, tkSkinValueColor},
    {L"BORDERCOLORHINT", 3822, tkSkinValueColor},
    {L"ACCENTCOLORHINT", 3823, tkSkinValueColor},
    {L"BGTYPE", 4001, tkSkinValueEnum},
    {L"BORDERTYPE", 4002, tkSkinValueEnum},
    {L"FILLTYPE", 4003, tkSkinValueEnum},
    {L"SIZINGTYPE", 4004, tkSkinValueEnum},
    {L"HALIGN", 4005, tkSkinValueEnum},
    {L"CONTENTALIGNMENT", 4006, tkSkinValueEnum},
    {L"VALIGN", 4007, tkSkinValueEnum},
    {L"OFFSETTYPE", 4008, tkSkinValueEnum},
    {L"ICONEFFECT", 4009, tkSkinValueEnum},
    {L"TEXTSHADOWTYPE", 4010, tkSkinValueEnum},
    {L"IMAGELAYOUT", 4011, tkSkinValueEnum},
    {L"GLYPHTYPE", 4012, tkSkinValueEnum},
    {L"IMAGESELECTTYPE", 4013, tkSkinValueEnum},
    {L"GLYPHFONTSIZINGTYPE", 4014, tkSkinValueEnum},
    {L"TRUESIZESCALINGTYPE", 4015, tkSkinValueEnum},
    {L"USERPICTURE", 5001, tkSkinValueBool},
    {L"DEFAULTPANESIZE", 5002, tkSkinValueRect},
    {L"BLENDCOLOR", 5003, tkSkinValueColor},
};

// ---- Enumerations, named by the property that takes them; values numbered from 0
inline constexpr const wchar_t* kSkinEnumBgtype[] = {
    L"IMAGEFILE",
    L"BORDERFILL",
    L"NONE",
};
inline constexpr const wchar_t* kSkinEnumImagelayout[] = {
    L"VERTICAL",
    L"HORIZONTAL",
};
inline constexpr const wchar_t* kSkinEnumBordertype[] = {
    L"RECT",
    L"ROUNDRECT",
    L"ELLIPSE",
};
inline constexpr const wchar_t* kSkinEnumFilltype[] = {
    L"SOLID", L"VERTGRADIENT", L"HORZGRADIENT", L"RADIALGRADIENT", L"TILEIMAGE",
};
inline constexpr const wchar_t* kSkinEnumSizingtype[] = {
    L"TRUESIZE",
    L"STRETCH",
    L"TILE",
};
inline constexpr const wchar_t* kSkinEnumHalign[] = {
    L"LEFT",
    L"CENTER",
    L"RIGHT",
};
inline constexpr const wchar_t* kSkinEnumValign[] = {
    L"TOP",
    L"CENTER",
    L"BOTTOM",
};
inline constexpr const wchar_t* kSkinEnumOffsettype[] = {
    L"TOPLEFT",          L"TOPRIGHT",          L"TOPMIDDLE",       L"BOTTOMLEFT",      L"BOTTOMRIGHT",
    L"BOTTOMMIDDLE",     L"MIDDLELEFT",        L"MIDDLERIGHT",     L"LEFTOFCAPTION",   L"RIGHTOFCAPTION",
    L"LEFTOFLASTBUTTON", L"RIGHTOFLASTBUTTON", L"ABOVELASTBUTTON", L"BELOWLASTBUTTON",
};
inline constexpr const wchar_t* kSkinEnumIconeffect[] = {
    L"NONE", L"GLOW", L"SHADOW", L"PULSE", L"ALPHA",
};
inline constexpr const wchar_t* kSkinEnumTextshadowtype[] = {
    L"NONE",
    L"SINGLE",
    L"CONTINUOUS",
};
inline constexpr const wchar_t* kSkinEnumGlyphtype[] = {
    L"NONE",
    L"IMAGEGLYPH",
    L"FONTGLYPH",
};
inline constexpr const wchar_t* kSkinEnumImageselecttype[] = {
    L"NONE",
    L"SIZE",
    L"DPI",
};
inline constexpr TkSkinNameList kSkinEnumLists[] = {
    {L"BGTYPE", kSkinEnumBgtype},
    {L"IMAGELAYOUT", kSkinEnumImagelayout},
    {L"BORDERTYPE", kSkinEnumBordertype},
    {L"FILLTYPE", kSkinEnumFilltype},
    {L"SIZINGTYPE", kSkinEnumSizingtype},
    {L"HALIGN", kSkinEnumHalign},
    {L"CONTENTALIGNMENT", kSkinEnumHalign},
    {L"VALIGN", kSkinEnumValign},
    {L"OFFSETTYPE", kSkinEnumOffsettype},
    {L"ICONEFFECT", kSkinEnumIconeffect},
    {L"TEXTSHADOWTYPE", kSkinEnumTextshadowtype},
    {L"GLYPHTYPE", kSkinEnumGlyphtype},
    {L"IMAGESELECTTYPE", kSkinEnumImageselecttype},
    {L"TRUESIZESCALINGTYPE", kSkinEnumImageselecttype},
    {L"GLYPHFONTSIZINGTYPE", kSkinEnumImageselecttype},
};

// ---- Lookups (TkSkinSchemaNames.cpp); names compare without regard to case, the first row wins.
// The class id of a name; 0 for a name not listed (or listed with 0).
int SchemaClassId(const wchar_t* pszClass);
// The part id of a part of the named class; 0 when the class has no such part.
int SchemaPartId(const wchar_t* pszClass, const wchar_t* pszPart);
// The state id in the group named by a part or a class; 0 when the group has no such state.
int SchemaStateId(const wchar_t* pszGroup, const wchar_t* pszState);
// The property id of a name and its type in *pType; 0 for a name not listed, *pType then untouched.
int SchemaPropertyId(const wchar_t* pszProperty, int* pType);
// The number of a value of the enumeration that the property names; -1 when it is not one of them.
int SchemaEnumValue(const wchar_t* pszEnumeration, const wchar_t* pszValue);
