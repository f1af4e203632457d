#pragma once
#include "TkPaintManager.h"
#include "TkWinThemeWrapper.h"

#include "mfc.h"

class CTkProgressBase;

// CTkProgressPaintManager: draws a progress range (CTkProgressBase) as the visual style's chunks, or as
// a framed face with a highlight fill. Registered as the paint managers' progress painter; the owner
// makes, refreshes and deletes it. UI thread only.
class CTkProgressPaintManager : public CTkSubPaintManager {
public:
    explicit CTkProgressPaintManager(CTkPaintManager* pOwner);

    virtual void DrawProgress(CDC* pDC, CTkProgressBase* pProgress);
    // Reopens the "PROGRESS" style.
    void RefreshMetrics() override;

    static CTkSubPaintManager* Create(CTkPaintManager* pOwner) { return new CTkProgressPaintManager(pOwner); }

    CTkPaintManager* m_pOwner;  // not referenced: it owns this painter
    CTkWinThemeWrapper m_themeProgress;
    int m_nDefaultHeight = 16;
};
