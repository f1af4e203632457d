#pragma once
#include "TkSkinObjectFrame.h"

// CTkSkinObjectButton: the skin object of every window of class "Button" (and the names other frameworks
// give it). Push buttons, check boxes, three-state boxes, radio buttons and group boxes are painted from
// the skin class "BUTTON": the part in its state (hot under the mouse or while holding the capture,
// pressed, checked, mixed, defaulted, disabled), then the bitmap, icon or text aligned by the button
// styles, and the focus rectangle. The system's button procedure keeps the logic (clicks, checks,
// notifications); what would make it paint runs with the window made invisible or is followed by an
// invalidation, and the painting is done here. Owner-drawn buttons keep the application's drawing.
//
// Runs on the thread that owns the button.

class CTkSkinObjectButton : public CTkSkinObjectFrame {
    DECLARE_DYNCREATE(CTkSkinObjectButton)
public:
    // What CalcButtonRect lays out.
    enum ButtonRectKind {
        kCheckGlyph = 1,
        kRadioGlyph = 2,
        kCheckText = 3,
        kRadioText = 4,
        kGroupCaption = 5,
        kGroupFrame = 6,
        kPushContent = 7,
    };

    CTkSkinObjectButton();

    // ---- Skin object
    void OnSkinChanged(BOOL bPrevState, BOOL bNewState) override;
    BOOL OnHookMessage(UINT message, WPARAM* pwParam, LPARAM* plParam, LRESULT* pResult) override;
    BOOL OnHookDefProc(UINT message, WPARAM* pwParam, LPARAM* plParam, LRESULT* pResult) override;
    BOOL BypassesHandlers(UINT message) override;

    // ---- Painting
    // The whole button into the DC: through a buffer on the parent's background, a group box directly
    // (its inside shows what lies behind it).
    void DrawButton(CDC* pDC);
    // The part in its state, then the content.
    virtual void DrawButtonContent(CDC* pDC, const CRect& rcClient);
    // A rectangle of the button's layout (ButtonRectKind), from the client rectangle; the DC measures text.
    CRect CalcButtonRect(CDC* pDC, int nKind);
    // The bitmap, icon or text and the focus rectangle.
    void DrawButtonText(CDC* pDC);

    int GetButtonType() const { return static_cast<int>(GetStyle() & BS_TYPEMASK); }
    BOOL IsHot() const { return m_bHot; }
    BOOL IsPushed() const { return m_bPushed; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetState(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDefaultThenInvalidate(WPARAM wParam, LPARAM lParam);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg LRESULT OnUpdateUIState(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    BOOL IsPushLike() const;
    BOOL IsOwnerDrawn() const { return GetButtonType() > BS_PUSHBOX; }
    // The horizontal (BS_LEFT, BS_RIGHT, BS_CENTER) and vertical (BS_TOP, BS_BOTTOM, BS_VCENTER) alignment.
    DWORD GetButtonAlignment() const;
    // The glyph size of a check box or radio button part, 13 x 13 when the skin has none.
    CSize GetGlyphSize(int nPartId);

    BOOL m_bHot = FALSE;     // the mouse is over the button
    BOOL m_bPushed = FALSE;  // the last BM_SETSTATE state
};
