// The tooltips of a bar's controls.

#include "TkCommandBar.h"

#include "TkCommandBars.h"
#include "TkControl.h"
#include "TkControls.h"
#include "TkMouseManager.h"
#include "TkShortcutManager.h"
#include "TkToolTipContext.h"

INT_PTR CTkCommandBar::OnToolHitTest(CPoint point, TOOLINFO* pToolInfo) const {
    if (m_nTrackingMode == kTrackingPopup && m_nPosition != kBarPopup)
        return -1;
    for (int i = 0; i < GetControlCount(); ++i) {
        if (GetControl(i)->IsPopupOpen())
            return -1;
    }
    const CTkMouseManager* pMouseManager = CreateMouseManager();
    const int nTracked = pMouseManager->GetTrackedCount();
    if (nTracked > 1 || (nTracked == 1 && pMouseManager->GetLastTrackedBar() != this))
        return -1;
    CTkCommandBars* pCommandBars = GetCommandBars();
    const CTkCommandBarsOptions* pOptions = pCommandBars != nullptr ? pCommandBars->GetCommandBarsOptions() : nullptr;
    if (pOptions != nullptr && !pOptions->m_bToolBarScreenTips)
        return -1;
    CTkControl* pControl = m_pControls->HitTest(point);
    if (pControl == nullptr)
        return -1;
    if (m_nType == kBarTypePopup && !(pOptions != nullptr && pOptions->m_bShowPopupBarToolTips) &&
        (pControl->GetFlags() & kControlFlagPopupTooltip) == 0)
        return -1;
    const INT_PTR nOwnHit = pControl->HitTestToolTip(point, pToolInfo);
    if (nOwnHit != -1)
        return pToolInfo != nullptr && pToolInfo->hwnd == m_hWnd ? nOwnHit : -1;

    CString strTip = pControl->GetTooltip();
    if (strTip.IsEmpty())
        return -1;
    if (pOptions != nullptr && pOptions->m_bToolBarAccelTips) {
        CString strShortcut = pControl->GetShortcutText();
        if (strShortcut.IsEmpty())
            pCommandBars->GetShortcutManager()->FindShortcutText(pControl->GetId(), strShortcut);
        // A tip in markup ("<...") is shown as written.
        if (!strShortcut.IsEmpty() && strTip[0] != L'<')
            strTip += L" (" + strShortcut + L")";
    }
    const int nIconId = pControl->GetIconId();
    FillToolInfoEx(pToolInfo, m_hWnd, pControl->GetRect(), static_cast<UINT_PTR>(nIconId), strTip, strTip,
                   pControl->GetDescription(), GetImageManager());
    return nIconId != 0 ? nIconId : -1;
}
