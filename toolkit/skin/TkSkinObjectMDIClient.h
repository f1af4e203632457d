#pragma once
#include "TkSkinObjectFrame.h"

// CTkSkinObjectMDIClient: the MDI client window ("MDIClient") of a frame. It registers with the frame's
// skin object, which then passes its activation on to the active skinned child; keeps the client's own
// scroll bars skinned; keeps a maximized skinned child sized so that its skinned borders and caption lie
// outside the client area; and repairs the children's frames after the system tiles, cascades or arranges
// them.
//
// Runs on the thread that owns the frame. Holds one reference on the frame's object while attached.
class CTkSkinObjectMDIClient : public CTkSkinObjectFrame {
    DECLARE_DYNCREATE(CTkSkinObjectMDIClient)
public:
    CTkSkinObjectMDIClient();

    void OnAttached(LPCREATESTRUCT lpCreateStruct, BOOL bCreating) override;
    void OnDetached(BOOL bDestroying) override;
    // Every message but the opt-out query reaches the handlers, whatever the client's procedure.
    BOOL BypassesHandlers(UINT message) override;
    CTkSkinObjectFrame* GetParentFrame() const { return m_pParentFrame; }

protected:
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg LRESULT OnCalcScroll(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnArrange(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bArranging = FALSE;                     // a tile, cascade or arrange is running
    CTkSkinObjectFrame* m_pParentFrame = nullptr;  // the frame window's object, one reference held
};
