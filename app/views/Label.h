#pragma once
// CLabel: a static text whose colour, font and background are set through chainable setters. Each setter
// repaints the label at once and then the part of its parent beneath it, so a transparent label shows the
// parent's new background. Bound to a dialog control (DDX_Control), it starts from that control's font.
// UI thread only.

#include "mfc.h"

class CLabel : public CStatic {
    DECLARE_DYNAMIC(CLabel)
public:
    CLabel();

    // ---- Setters (each repaints, and answers the label)
    virtual CLabel& SetTextColor(COLORREF clrText);
    // Weight 700 when bold, else 400.
    virtual CLabel& SetFontBold(BOOL bBold);
    using CStatic::SetFont;
    virtual CLabel& SetFont(LOGFONT logFont);
    // A transparent label paints no background: it draws its text straight over what its parent painted.
    virtual CLabel& SetTransparent(BOOL bTransparent);

    const LOGFONT& GetLogFont() const { return m_logFont; }

protected:
    void PreSubclassWindow() override;

    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSysColorChange();
    DECLARE_MESSAGE_MAP()

private:
    void RecreateFont();
    void Repaint();
    // Buffered, except for a transparent label.
    void PaintInto(HDC hDC);
    // The whole client area: background (unless transparent), then the text in the static's alignment.
    void Draw(CDC* pDC, const CRect& rcClient);
    UINT TextFormat(const CString& text) const;

    COLORREF m_clrText;
    CBrush m_backBrush;
    LOGFONT m_logFont = {};
    CFont m_font;
    BOOL m_bTransparent = FALSE;
};
