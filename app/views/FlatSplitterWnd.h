#pragma once
// CFlatSplitterWnd: the main view's two-column splitter with thin bars: 5-pixel bars and gaps, 1-pixel pane
// borders drawn as a sunken 3-D frame. UI thread only.

#include "mfc.h"

class CFlatSplitterWnd : public CSplitterWnd {
    DECLARE_DYNAMIC(CFlatSplitterWnd)
public:
    CFlatSplitterWnd();

protected:
    void OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect) override;
};
