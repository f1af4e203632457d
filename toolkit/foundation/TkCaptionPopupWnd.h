#pragma once
#include "TkCaption.h"
#include "TkCaptionButton.h"
#include "TkIconHandle.h"

// The popup a text-button caption (CTkCaption) opens from its drop button: it borrows the caption's
// registered child (re-parenting it into itself), shows it under a 19-pixel title line with a close
// button, and closes when the keyboard focus leaves it. It tells its caption only by message:
// kCaptionPopupClosedMessage from the close button, kCaptionPopupFocusLostMessage when a focus check
// (timer 1, every 10 ms) finds the focus outside. The caption destroys its window in answer; the child
// goes back to its previous parent when the window is destroyed.
//
// Made and owned by the caption; the child, its previous parent and the caption are not owned. The
// glyphs of the close button are owned here. UI thread only.

class CTkCaptionPopupWnd : public CWnd {
public:
    // Registers the window class "XTCaptionPopupWnd" when the module does not have it yet; a failed
    // registration throws the layer's resource exception.
    CTkCaptionPopupWnd();
    ~CTkCaptionPopupWnd() override;

    // Creates the popup over rect, owned by the caption's window, and takes the child into it; FALSE
    // unless both are windows, and when the window, the title line or the close button cannot be made.
    virtual BOOL Create(const RECT& rect, CTkCaption* pOwnerCaption, CWnd* pChild);
    // Inside a 2-pixel margin: the title line the top 19 pixels with the close button (16 wide) at its
    // right end, the child everything below.
    virtual void RecalcLayout();
    // Gives the child back to its previous parent; FALSE when either is gone.
    virtual BOOL RestoreChild();
    // 0 while the focus is in the popup (the child's own controls included); otherwise tells the
    // caption (kCaptionPopupFocusLostMessage) and answers 1.
    virtual int CheckFocus();

protected:
    afx_msg void OnDestroy();
    afx_msg void OnCloseButton();
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

private:
    CTkCaption* m_pOwnerCaption = nullptr;  // not owned
    HWND m_hChild = nullptr;
    HWND m_hChildPrevParent = nullptr;
    CTkCaption m_titleCaption;
    CTkCaptionButton m_closeButton;
    CTkIconHandle m_hotGlyph;
    CTkIconHandle m_normalGlyph;
};
