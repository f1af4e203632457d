#pragma once
#include "TkControlButton.h"

#include <functional>

// The placeholders: buttons that stand in a bar (most often a menu) for a list that exists only at run
// time. Before every layout of its bar a placeholder removes the items of its last expansion, which sit
// directly behind it, inserts fresh temporary items built from the live state and hides itself; in
// customisation it shows as a plain button, so that the user moves or deletes the list as one item. The
// factory and the menu import make them from their command ids.

class CRecentFileList;
class CView;

// The caption of a numbered item: every '&' doubled so that a title shows its ampersands, then "&1 " to
// "&9 ", "1&0 " or "11 " and on (mnemonics for the first ten) before it; number 0 adds no number.
CString FormatNumberedMenuText(const CString& strText, int nNumber);

// The open MDI child windows of the site frame (35000): one checked item for the active child.
class CTkControlWindowList : public CTkControlButton {
    DECLARE_SERIAL(CTkControlWindowList)
public:
    void PrepareForLayout(DWORD dwLayoutMode) override;
    BOOL CanDropOnBar(CTkCommandBar* pTarget, CPoint pt, int& nDropEffect) override;

    // The control id of the first MDI child; rebased by the first active child whose id shows that the
    // frame numbers its children from 0x8000 or from 1, and kept so for the rest of the process.
    static UINT m_nFirstChildId;
    // The most items the list inserts.
    static int m_nMaxWindowItems;
};

// The toolbars of the command bars that may be closed (0xE800): one checked item per toolbar.
class CTkControlToolbars : public CTkControlButton {
    DECLARE_SERIAL(CTkControlToolbars)
public:
    // An item of the list: shows or hides the toolbar whose index in the command bars is its Tag.
    // Temporary, so never saved or copied: it needs no run-time class of its own.
    class CTkControlToolbar : public CTkControlButton {
    public:
        void Execute() override;
    };

    void PrepareForLayout(DWORD dwLayoutMode) override;
    BOOL CanDropOnBar(CTkCommandBar* pTarget, CPoint pt, int& nDropEffect) override;

    // Inserts an item for each toolbar with a context-menu entry that may be closed into pBar's controls
    // from nInsertAt on; with bAddCustomize, and when the command bars allow customisation, the customise
    // command after them.
    static void AddToolbarItems(CTkCommandBar* pBar, int nInsertAt, int nId, BOOL bAddCustomize, BOOL bBeginGroup);
};

// The verbs of the OLE item selected in the active view (0xE210 under the caption "<<OLE VERBS GO
// HERE>>"): one popup holding the verb menu.
class CTkControlOleItems : public CTkControlButton {
    DECLARE_SERIAL(CTkControlOleItems)
public:
    void PrepareForLayout(DWORD dwLayoutMode) override;
    BOOL CanDropOnBar(CTkCommandBar* pTarget, CPoint pt, int& nDropEffect) override;

protected:
    // Fills pMenu with the verbs of the item selected in pView when the view's document is an OLE
    // container and its item is not active in place; FALSE otherwise. The framework has no OLE container
    // documents, so the base answers FALSE.
    virtual BOOL FillVerbMenu(CView* pView, CMenu* pMenu);
};

// The recent files of the application (35003, and 0xE110 in menus): one numbered item per file.
class CTkControlRecentFileList : public CTkControlButton {
    DECLARE_SERIAL(CTkControlRecentFileList)
public:
    void PrepareForLayout(DWORD dwLayoutMode) override;
    BOOL CanDropOnBar(CTkCommandBar* pTarget, CPoint pt, int& nDropEffect) override;

    // The list shown: the application's; NULL when it keeps none.
    virtual CRecentFileList* GetRecentFileList();
    // The command of the first entry.
    virtual int GetFirstMruId();

    // The directory the display names are made relative to, with a trailing backslash, from what the
    // system wrote into a buffer of nBufferSize characters and the length it answered: a directory that did
    // not fit (or none) is empty, and the names are shown whole.
    static CString MakeDirectoryPrefix(LPCWSTR pszBuffer, DWORD nAnswered, DWORD nBufferSize);
};

// The commands of the MDI tab workspace (35002): the new-group and move-to-group commands available for
// the active tab. It shows as itself wherever the site is no tab workspace, in customisation too.
class CTkControlWorkspaceActions : public CTkControlButton {
    DECLARE_SERIAL(CTkControlWorkspaceActions)
public:
    void PrepareForLayout(DWORD dwLayoutMode) override;
};

// The question the placeholder asks the MDI tab workspace: FALSE when hWndMDIClient is no tab client;
// otherwise TRUE, with bEnabled telling whether workspace command nId is available. The tab manager
// registers it; without one no site is a tab workspace.
using WorkspaceActionQuery = BOOL (*)(HWND hWndMDIClient, UINT nId, BOOL& bEnabled);
void RegisterWorkspaceActionQuery(WorkspaceActionQuery pfnQuery);

// Removes the temporary controls directly behind pPlaceholder while they match.
void RemovePlaceholderItems(CTkControl* pPlaceholder, const std::function<BOOL(CTkControl*)>& matches);
// The placeholders but the workspace actions may only be dropped on popup bars in customisation.
BOOL AcceptPopupBarsOnly(CTkCommandBar* pTarget, int& nDropEffect);
