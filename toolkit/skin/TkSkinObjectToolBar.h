#pragma once
#include "TkSkinObjectFrame.h"

// CTkSkinObjectToolBar: repaints common-control toolbars ("ToolbarWindow32") with the skin class "TOOLBAR".
// It draws every button itself from what the control reports (buttons, rectangles, image lists, texts,
// padding, hot item) and still sends the parent the NM_CUSTOMDRAW notifications the control would send,
// honouring its answers: a skipped default drawing, a changed item state (read back after the item's
// notification), no edges, no pressed offset. Checked wins over hot; disabled buttons without a disabled
// image list are drawn greyed (alpha lists) or embossed from the normal list; drop-down buttons that are not
// split get a small arrow at their right end.
//
// Runs on the thread that owns the toolbar.
class CTkSkinObjectToolBar : public CTkSkinObjectFrame {
    DECLARE_DYNCREATE(CTkSkinObjectToolBar)
public:
    CTkSkinObjectToolBar();

    // The whole toolbar into the DC through a buffer.
    void DrawToolBar(CDC* pDC);
    void DrawToolBarButton(CDC* pDC, int nIndex);
    // The button's image at (x, y) from the list its state asks for.
    void DrawToolBarButtonImage(CDC* pDC, int x, int y, const TBBUTTON& button, UINT nItemState);
    // The button's text, however long.
    CString GetButtonText(int nCommand);

protected:
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    // Sends NM_CUSTOMDRAW for a stage with the record's other fields; answers the parent's reply.
    LRESULT NotifyCustomDraw(NMTBCUSTOMDRAW* pRecord, DWORD dwStage);
    // A disabled image from the normal list: greyed for a 32-bit alpha list, embossed otherwise.
    void DrawDisabledImage(CDC* pDC, HIMAGELIST hImageList, int nImage, int x, int y);
};
