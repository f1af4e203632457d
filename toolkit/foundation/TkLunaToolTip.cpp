#include "TkLunaToolTip.h"

#include "TkColorManager.h"
#include "TkDrawHelpers.h"

namespace {

constexpr COLORREF kLunaTop = 0x97D4FF;
constexpr COLORREF kLunaBottom = 0xC8F2FF;

// The frame of each visual style, or -1 for none.
COLORREF LunaFrameColor(SystemThemeKind nTheme) {
    switch (nTheme) {
        case 2:  // olive
            return 0x385D3F;
        case 3:  // silver
            return 0x6F4B4B;
        case 1:
        case 4:
        case 5:
            return 0x800000;
        default:
            return CLR_NONE;
    }
}

}  // namespace

void CTkToolTipContext::CLunaToolTip::DrawBackground(CDC* pDC, TOOLITEM&, CRect rc) {
    const COLORREF clrFrame = LunaFrameColor(GetColorManager()->GetCurrentSystemTheme());
    if (clrFrame != CLR_NONE) {
        GetDrawHelpers()->FillGradient(pDC, &rc, kLunaTop, kLunaBottom, FALSE);
        pDC->Draw3dRect(&rc, clrFrame, clrFrame);
    } else {
        GetDrawHelpers()->FillGradient(pDC, &rc, m_pContext->GetBackColor(), RGB(255, 255, 255), FALSE);
        pDC->Draw3dRect(&rc, RGB(0, 0, 0), RGB(0, 0, 0));
    }
}
