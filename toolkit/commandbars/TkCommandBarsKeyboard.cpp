// The hub's keyboard aids: mnemonic underlines (keyboard cues), Alt+key mnemonics, and keyboard tips.

#include "TkCommandBars.h"

#include "TkCommandBar.h"
#include "TkCommandBarKeyboardTip.h"
#include "TkControl.h"
#include "TkControls.h"
#include "TkMouseManager.h"
#include "TkPaintManager.h"
#include "TkShortcutManager.h"
#include "TkToolTipContext.h"

#include <algorithm>

namespace {

constexpr int kTipMinHeight = 15;
constexpr int kTipMinWidth = 16;

// The keyboard-navigable controls of a bar in order, from its first.
std::vector<int> NavigableIndexes(CTkCommandBar* pBar) {
    std::vector<int> indexes;
    const int nFirst = pBar->GetControls()->GetNext(-1, 1);
    for (int i = nFirst; i != -1;) {
        indexes.push_back(i);
        i = pBar->GetControls()->GetNext(i, 1);
        if (i == nFirst)
            break;
    }
    return indexes;
}

}  // namespace

// ---- Cues

void CTkCommandBars::ShowKeyboardCues(BOOL bShow) {
    if (m_bCustomizeMode)
        bShow = TRUE;
    if (!m_bCuesHiddenUntilAlt || bShow == m_bKeyboardCuesVisible)
        return;
    m_bKeyboardCuesVisible = bShow;
    RedrawVisibleBars();
}

// ---- Mnemonics

BOOL CTkCommandBars::ActivateByMnemonic(UINT nKey) {
    if (m_pOptions->m_nKeyboardCuesUse == kCuesUseMnemonicsOff)
        return FALSE;
    const BOOL bKeypadDigit = nKey >= VK_NUMPAD0 && nKey <= VK_NUMPAD9;
    if (bKeypadDigit && !m_pOptions->m_bNumpadMnemonics)
        return FALSE;
    // The layout gives keypad digits no character of their own; KeyMatchesChar matches them to theirs.
    if (!bKeypadDigit && ::MapVirtualKeyW(nKey, MAPVK_VK_TO_CHAR) == 0)
        return FALSE;

    CTkCommandBar* pBar = nullptr;
    for (CTkCommandBar* pCandidate : m_bars) {
        if (pCandidate->GetTrackingMode() != kTrackingNone) {
            pBar = pCandidate;
            break;
        }
    }
    if (pBar == nullptr)
        pBar = FindVisibleMenuBar();
    if (pBar == nullptr && (m_pOptions->m_nKeyboardCuesUse & kCuesUseAllBars)) {
        const int nFirst = FindNextVisibleBar(-1, 1);
        pBar = GetAt(nFirst);
    }
    if (pBar == nullptr || !pBar->IsVisible())
        return FALSE;
    if (pBar->OnActivationKey(nKey))
        return TRUE;

    BOOL bAmbiguous = FALSE;
    CTkControl* pControl = FindControlByMnemonic(pBar, nKey, &bAmbiguous);
    if (pControl == nullptr)
        return FALSE;
    CTkCommandBar* pControlBar = pControl->GetParent();
    if (pControlBar->GetTrackingMode() == kTrackingNone)
        ClosePopups();
    ShowKeyboardCues(TRUE);
    m_nTipLevel = 1;
    pControlBar->SetTrackingMode(kTrackingMenu, FALSE, TRUE);
    pControlBar->SetSelected(pControl->GetIndex(), kSelectByMnemonic);
    if (!bAmbiguous)
        pControl->ActivateByKey();
    return TRUE;
}

std::vector<CTkControl*> CTkCommandBars::GetMnemonicCandidates(CTkCommandBar* pBar) const {
    const int nSelected = pBar->GetSelectedIndex();
    const std::vector<int> own = NavigableIndexes(pBar);
    std::vector<CTkControl*> candidates;
    for (int i : own) {
        if (i > nSelected)
            candidates.push_back(pBar->GetControl(i));
    }
    // The search goes on through the following visible bars before it comes round to the start.
    const int nBarIndex = IndexOf(pBar);
    if ((m_pOptions->m_nKeyboardCuesUse & kCuesUseAllBars) && nBarIndex != -1) {
        for (int nNext = FindNextVisibleBar(nBarIndex, 1); nNext != -1 && nNext != nBarIndex;
             nNext = FindNextVisibleBar(nNext, 1)) {
            CTkCommandBar* pNext = GetAt(nNext);
            for (int i : NavigableIndexes(pNext))
                candidates.push_back(pNext->GetControl(i));
        }
    }
    for (int i : own) {
        if (i <= nSelected)
            candidates.push_back(pBar->GetControl(i));
    }
    return candidates;
}

CTkControl* CTkCommandBars::FindControlByMnemonic(CTkCommandBar* pBar, UINT nKey, BOOL* pbAmbiguous) {
    *pbAmbiguous = FALSE;
    CTkControl* pExplicit = nullptr;
    CTkControl* pFirstLetter = nullptr;
    BOOL bFirstLetterAmbiguous = FALSE;
    const BOOL bFirstLetters = (m_pOptions->m_nKeyboardCuesUse & kCuesUseNoFirstLetter) == 0;
    for (CTkControl* pControl : GetMnemonicCandidates(pBar)) {
        if (!pControl->IsCaptionVisible() || !pControl->GetEnabled())
            continue;
        BOOL bExplicit = FALSE;
        const WCHAR ch = GetCaptionMnemonic(pControl->GetCaption(), &bExplicit);
        if (ch == 0 || !CTkShortcutManager::KeyMatchesChar(ch, nKey))
            continue;
        if (bExplicit) {
            if (pExplicit != nullptr) {
                *pbAmbiguous = TRUE;
                return pExplicit;
            }
            pExplicit = pControl;
            continue;
        }
        // A first letter counts on the menu bar, and on a bar the keyboard is in.
        CTkCommandBar* pControlBar = pControl->GetParent();
        if (!bFirstLetters ||
            (pControlBar->GetType() != kBarTypeMenuBar && pControlBar->GetTrackingMode() == kTrackingNone))
            continue;
        if (pFirstLetter != nullptr)
            bFirstLetterAmbiguous = TRUE;
        else
            pFirstLetter = pControl;
    }
    if (pExplicit != nullptr)
        return pExplicit;
    *pbAmbiguous = bFirstLetterAmbiguous;
    return pFirstLetter;
}

// ---- Keyboard tips

void CTkCommandBars::DestroyKeyboardTips() {
    for (CTkCommandBarKeyboardTip* pTip : m_keyboardTips) {
        if (pTip->GetSafeHwnd() != nullptr)
            pTip->DestroyWindow();
        delete pTip;
    }
    m_keyboardTips.clear();
    m_pTipOwner = nullptr;
    m_nTipLevel = 0;
    m_nTypedPrefix = 0;
}

void CTkCommandBars::ShowKeyboardTips(CWnd* pOwner, int nLevel) {
    if (!m_pOptions->m_bKeyboardTips || pOwner == nullptr || pOwner->GetSafeHwnd() == nullptr)
        return;
    DestroyKeyboardTips();
    m_pToolTipContext->CancelToolTips();
    pOwner->UpdateWindow();
    m_pTipOwner = pOwner;
    m_nTipLevel = nLevel;
    m_nTypedPrefix = 0;
    if (auto* pBar = DYNAMIC_DOWNCAST(CTkCommandBar, pOwner))
        pBar->CreateKeyboardTips();

    // Tips without keys go; the others get unique keys.
    for (auto it = m_keyboardTips.begin(); it != m_keyboardTips.end();) {
        if ((*it)->ChooseKeys()) {
            ++it;
            continue;
        }
        delete *it;
        it = m_keyboardTips.erase(it);
    }
    if (m_keyboardTips.empty()) {
        m_pTipOwner = nullptr;
        return;
    }
    std::vector<KeyboardTipText> texts;
    for (CTkCommandBarKeyboardTip* pTip : m_keyboardTips) {
        CString strCaption = pTip->GetCaption();
        texts.push_back({strCaption.MakeUpper(), pTip->GetKeys()});
    }
    MakeKeyboardTipKeysUnique(texts);

    CTkPaintManager* pPaintManager = GetPaintManager();
    CClientDC dc(nullptr);
    CScopedSelectObject font(dc.GetSafeHdc(), pPaintManager->GetKeyboardTipFont()->GetSafeHandle());
    for (size_t i = 0; i < m_keyboardTips.size(); ++i) {
        CTkCommandBarKeyboardTip* pTip = m_keyboardTips[i];
        pTip->SetKeys(texts[i].strKeys);
        if (!pTip->IsShown())
            continue;
        const CSize szText = dc.GetTextExtent(pTip->GetKeys());
        const CSize sz(std::max<int>(szText.cx + 6, kTipMinWidth), std::max<int>(szText.cy + 2, kTipMinHeight));
        CPoint pt = pTip->GetPoint();
        if (!pTip->GetTarget()->IsKindOf(RUNTIME_CLASS(CWnd)))
            pOwner->ClientToScreen(&pt);
        const UINT nAlign = pTip->GetAlignment();
        if (nAlign & CTkCommandBarKeyboardTip::kAlignCenter)
            pt.x -= sz.cx / 2;
        if ((nAlign & CTkCommandBarKeyboardTip::kAlignRight) || m_bRightToLeft)
            pt.x -= sz.cx;
        if (nAlign & CTkCommandBarKeyboardTip::kAlignVCenter)
            pt.y -= sz.cy / 2;
        if (nAlign & CTkCommandBarKeyboardTip::kAlignBottom)
            pt.y -= sz.cy;
        const BOOL bLayered = pPaintManager->m_pfnSetLayeredWindowAttributes != nullptr && !pTip->IsEnabled();
        if (!pTip->CreateTipWindow(CRect(pt, sz), bLayered))
            continue;
        pTip->SetWindowPos(&CWnd::wndTopMost, pt.x, pt.y, sz.cx, sz.cy, SWP_NOACTIVATE);
        CClientDC dcTip(pTip);
        pPaintManager->PaintKeyboardTip(&dcTip, pTip, TRUE);
    }
    // Shown together, once all are placed.
    for (CTkCommandBarKeyboardTip* pTip : m_keyboardTips) {
        if (pTip->GetSafeHwnd() != nullptr)
            pTip->SetWindowPos(
                nullptr, 0, 0, 0, 0,
                SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
    }
}

void CTkCommandBars::OnKeyboardTipKey(UINT nKey) {
    for (CTkCommandBarKeyboardTip* pTip : m_keyboardTips) {
        const CString& strKeys = pTip->GetKeys();
        if (m_nTypedPrefix >= strKeys.GetLength() || !CTkShortcutManager::KeyMatchesChar(strKeys[m_nTypedPrefix], nKey))
            continue;
        if (m_nTypedPrefix == strKeys.GetLength() - 1) {
            if (!pTip->IsEnabled()) {
                ::MessageBeep(0);
            } else if (auto* pOwner = DYNAMIC_DOWNCAST(CTkCommandBar, m_pTipOwner)) {
                pOwner->OnKeyboardTipSelected(pTip);
            }
            return;
        }
        ++m_nTypedPrefix;
        const CString strPrefix = strKeys.Left(m_nTypedPrefix);
        for (auto it = m_keyboardTips.begin(); it != m_keyboardTips.end();) {
            if ((*it)->GetKeys().Left(m_nTypedPrefix) == strPrefix) {
                ++it;
                continue;
            }
            if ((*it)->GetSafeHwnd() != nullptr)
                (*it)->DestroyWindow();
            delete *it;
            it = m_keyboardTips.erase(it);
        }
        return;
    }
    if (nKey != VK_SHIFT && nKey != VK_CONTROL)
        ::MessageBeep(0);
}
