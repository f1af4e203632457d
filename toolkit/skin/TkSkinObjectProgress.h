#pragma once
#include "TkSkinObjectFrame.h"

// CTkSkinObjectProgress: progress bars ("msctls_progress32") painted wholly from the skin class "PROGRESS":
// the bar part, and chunks (or one smooth chunk) inside its sizing margins over the filled length. A
// marquee bar runs its own animation on timer 102: five chunks moving right, two steps per tick for
// intervals of 50 ms and below. The bar loses its static edge while a skin is loaded.
//
// Runs on the thread that owns the control.

// The marquee timer, in the bar's own timer space.
constexpr UINT_PTR kProgressMarqueeTimer = 102;

class CTkSkinObjectProgress : public CTkSkinObjectFrame {
    DECLARE_DYNCREATE(CTkSkinObjectProgress)
public:
    CTkSkinObjectProgress();

    void OnSkinChanged(BOOL bPrevState, BOOL bNewState) override;
    // The whole bar into the DC through a buffer.
    void DrawProgress(CDC* pDC);
    // Moves the marquee on by nSteps chunk widths (and spaces), back to the start past the right edge.
    void StepMarquee(int nSteps);
    int GetMarqueeOffset() const { return m_nMarqueeOffset; }
    int GetMarqueeInterval() const { return m_nMarqueeInterval; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnSetPos(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnStepIt(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetMarquee(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

private:
    BOOL IsMarquee() const { return (GetStyle() & PBS_MARQUEE) != 0; }
    // The skin's chunk size (nDefault when it has none) and the space between chunks (2), never negative:
    // a skin may give any number.
    int ReadChunkSize(int nDefault);
    int ReadSpaceSize();
    void DrawMarquee(CDC* pDC, CTkSkinManagerClass* pClass, int nChunkPart, const CRect& rcFill);
    void DrawChunks(CDC* pDC, CTkSkinManagerClass* pClass, int nChunkPart, const CRect& rcClient, const CRect& rcFill);

    int m_nMarqueeOffset = 0;    // pixels
    int m_nMarqueeInterval = 0;  // ms
};
