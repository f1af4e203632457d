// The expand menu's list of a bar's buttons, each shown or hidden by its entry.

#include "TkCommandBar.h"

#include "TkCommandBars.h"
#include "TkControl.h"
#include "TkControlAction.h"
#include "TkControls.h"
#include "TkShortcutManager.h"
#include "TkToolBarButtons.h"

#include <algorithm>
#include <vector>

namespace {

// Hide flags that keep a control out of the list: generic, doc template and reduced-ribbon hiding.
constexpr DWORD kUnlistedHideFlags = kHideGeneric | kHideDocTemplate | kHideRibbonReduced;

BOOL IsSameButton(const CTkControl* pA, const CTkControl* pB) {
    return pA->GetId() == pB->GetId() && pA->GetType() == pB->GetType();
}

}  // namespace

void CTkCommandBar::BuildShowHideButtonsMenu(CTkCommandBar* pPopup) {
    CTkCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr)
        return;
    for (int i = GetControlCount() - 1; i >= 0; --i) {
        if ((GetControl(i)->GetHideFlags() & kHideCustomize) == 0)
            continue;
        m_pControls->RemoveAt(i);
        if (m_nSelected > i)
            --m_nSelected;
        if (m_nPopuped > i)
            --m_nPopuped;
    }
    CTkControls* pOriginal = m_pControls->GetOriginalControls();
    std::vector<CTkControl*> scratch;
    for (int i = 0; pOriginal != nullptr && i < pOriginal->GetCount(); ++i)
        scratch.push_back(pOriginal->GetAt(i));

    const auto addEntry = [&](CTkControl* pControl, BOOL bEnabled) {
        const int nId = pControl->GetId();
        CTkControlAction* pAction = pControl->GetAction();
        if (nId == kIdToolBarExpand || nId == kIdToolBarHide || (pAction != nullptr && !pAction->IsVisible()) ||
            (pControl->GetHideFlags() & kUnlistedHideFlags) != 0 || !pControl->CanCustomizeMove())
            return;
        auto* pEntry = new CTkToolBar::CControlButtonCustomize;
        pPopup->GetControls()->Add(pEntry, nId, nullptr, -1, TRUE);
        pEntry->SetCaption(pControl->GetCaption());
        if (pControl->GetType() >= kControlButton && pControl->GetType() <= kControlSplitButtonPopup)
            pEntry->SetIconId(pControl->GetIconId());
        CString strShortcut = pControl->GetShortcutText();
        if (strShortcut.IsEmpty())
            pCommandBars->GetShortcutManager()->FindShortcutText(nId, strShortcut);
        pEntry->SetShortcutText(strShortcut);
        pEntry->SetEnabled(bEnabled);
        pEntry->SetChecked((pControl->GetHideFlags() & kHideCustomize) == 0);
        pEntry->SetTargetControl(pControl);
    };
    const auto inScratch = [&scratch](const CTkControl* pControl, size_t nFrom) {
        return std::find_if(scratch.begin() + static_cast<std::ptrdiff_t>(nFrom), scratch.end(),
                            [pControl](const CTkControl* p) { return IsSameButton(p, pControl); });
    };

    int nBar = 0;
    size_t nOrig = 0;
    while (nBar < GetControlCount() || nOrig < scratch.size()) {
        if (nOrig < scratch.size()) {
            CTkControl* pNext = scratch[nOrig];
            int nFound = -1;
            for (int i = nBar; i < GetControlCount() && nFound == -1; ++i) {
                if (IsSameButton(GetControl(i), pNext))
                    nFound = i;
            }
            if (nFound == -1) {
                // An original button the bar lost comes back, hidden.
                CTkControl* pCopy = m_pControls->AddCopy(pNext, nBar, FALSE);
                pCopy->SetHideFlags(pCopy->GetHideFlags() | kHideCustomize);
                addEntry(pCopy, TRUE);
                ++nBar;
                ++nOrig;
                continue;
            }
            if (nFound == nBar) {
                addEntry(GetControl(nBar), TRUE);
                ++nBar;
                ++nOrig;
                continue;
            }
            auto it = inScratch(GetControl(nBar), nOrig + 1);
            if (it != scratch.end())
                scratch.erase(it);
        }
        CTkControl* pControl = GetControl(nBar);
        addEntry(pControl, inScratch(pControl, 0) != scratch.end());
        ++nBar;
    }

    auto* pToolBar = DYNAMIC_DOWNCAST(CTkToolBar, this);
    if (pOriginal != nullptr && pToolBar != nullptr && pToolBar->IsBuiltIn() && !pToolBar->IsTearOff()) {
        auto* pReset = new CTkToolBar::CControlButtonCustomize;
        pPopup->GetControls()->Add(pReset, kIdToolBarResetButtons, nullptr, -1, TRUE);
        pReset->SetFlags(kControlFlagNoUpdate);
        pReset->SetBeginGroup(TRUE);
        pReset->SetTargetBar(pToolBar);
    }
}
