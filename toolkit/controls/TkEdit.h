#pragma once
#include "mfc.h"

// CTkEdit: the edit window of the command-bar edit and combo-box controls, a child of the bar. It is a
// rich edit when a rich-edit library loads (once per process, kept until exit), else a plain edit, and
// reads and writes its text the same way either way. While it has the focus the hub routes the frame's
// Cut, Copy and Paste commands to it (GetFocusedBarEdit finds it by InPlaceEditQueryMessage, which it
// answers 1, as the tooltips expect). Its context menu is a command-bar popup. UI thread.

class CTkCommandBar;

class CTkControl;

class CTkEdit : public CEdit {
    DECLARE_DYNAMIC(CTkEdit)
public:
    // 2 for "RichEdit20W", 1 for "RICHEDIT", 0 for a plain "EDIT": the library found on the first call.
    static int GetRichEditVersion();

    // Makes the window with the class of GetRichEditVersion; a rich edit reports changes (ENM_CHANGE) and
    // holds plain text with a single undo level.
    BOOL CreateEdit(DWORD dwStyle, const RECT& rc, CWnd* pParent, UINT nId);

    // The whole text, sized by the window's own length answer however long it is.
    CString GetEditText() const;
    // Sets the text under the setting-text switch, so change handlers can tell it from typing.
    void SetEditText(LPCWSTR pszText);
    BOOL IsSettingText() const { return m_bSettingText; }

    // The text and background colour of the whole text, and the background of the window.
    void SetTextFormat(COLORREF clrText, COLORREF clrBack);

    // An input-method composition is running.
    BOOL IsComposing() const { return m_bComposing; }
    // After each paint the client area is made opaque (an edit over a glass caption).
    void SetOpaquePaint(BOOL bOpaque) { m_bOpaquePaint = bOpaque; }

    // Shown exactly while its control is visible in a collection on a bar whose window is visible.
    void FollowControlVisibility(const CTkControl& control);

    // The Cut, Copy and Paste popup at the screen point, tracked by the bar's hub; the chosen command
    // runs. Nothing without the string of ID_EDIT_CUT or without a hub. The bar is repainted afterwards.
    void ShowContextMenu(CPoint ptScreen);

    // Whether the standard edit command is available now: copy and cut need a selection, cut and paste
    // a writable, enabled window, paste text on the clipboard.
    BOOL IsCommandEnabled(UINT nId) const;

protected:
    // The command bar the edit lies in, or NULL.
    CTkCommandBar* GetParentBar() const;

    afx_msg void OnEditCommand(UINT nId);
    afx_msg void OnEditPaste();
    afx_msg void OnUpdateEditCommand(CCmdUI* pCmdUI);
    afx_msg LRESULT OnInPlaceEditQuery(WPARAM, LPARAM);
    afx_msg LRESULT OnStartComposition(WPARAM, LPARAM);
    afx_msg LRESULT OnEndComposition(WPARAM, LPARAM);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

    BOOL m_bComposing = FALSE;
    BOOL m_bOpaquePaint = FALSE;
    BOOL m_bSettingText = FALSE;
};
