// The placeholders' shared parts, the window list and the toolbar list.

#include "TkControlPlaceholders.h"

#include "TkCommandBar.h"
#include "TkCommandBars.h"
#include "TkControls.h"
#include "TkResourceManager.h"
#include "TkTextFunctions.h"
#include "TkToolBar.h"

IMPLEMENT_SERIAL(CTkControlWindowList, CTkControlButton, VERSIONABLE_SCHEMA | 33)
IMPLEMENT_SERIAL(CTkControlToolbars, CTkControlButton, VERSIONABLE_SCHEMA | 33)

namespace {

const wchar_t kToolbarItemParameter[] = L"CTkControlToolbar";
// The help id of the window items, and the string resource of their prompt.
constexpr int kWindowItemHelpId = 0xEF1F;
// Active-child ids by which a frame shows that it numbers its children from 0x8000 or from 1.
constexpr UINT kHighFirstChildId = 0x8000;
constexpr UINT kHighLastActiveId = 0x802E;
constexpr UINT kLowFirstChildId = 1;
constexpr UINT kLowLastActiveId = 46;

void SetFirstItemPlace(CTkControl* pItem, const CTkControl* pPlaceholder, BOOL bBeginGroup) {
    pItem->SetBeginGroup(bBeginGroup);
    if ((pPlaceholder->GetFlags() & kControlFlagNewRow) != 0)
        pItem->SetFlags(pItem->GetFlags() | kControlFlagNewRow);
}

}  // namespace

CString FormatNumberedMenuText(const CString& strText, int nNumber) {
    CString strEscaped = strText;
    strEscaped.Replace(L"&", L"&&");
    CString strResult;
    if (nNumber <= 0)
        strResult = strEscaped;
    else if (nNumber < 10)
        strResult.Format(L"&%i %s", nNumber, strEscaped.GetString());
    else if (nNumber == 10)
        strResult.Format(L"1&0 %s", strEscaped.GetString());
    else
        strResult.Format(L"%i %s", nNumber, strEscaped.GetString());
    return strResult;
}

void RemovePlaceholderItems(CTkControl* pPlaceholder, const std::function<BOOL(CTkControl*)>& matches) {
    CTkControls* pControls = pPlaceholder->GetControls();
    if (pControls == nullptr)
        return;
    // Only the temporary items of an expansion: a control the user put behind the list stays, whatever
    // its id.
    for (CTkControl* pNext = pControls->GetAt(pPlaceholder->GetIndex() + 1);
         pNext != nullptr && pNext->IsTemporary() && matches(pNext);
         pNext = pControls->GetAt(pPlaceholder->GetIndex() + 1))
        pControls->Remove(pNext);
}

BOOL AcceptPopupBarsOnly(CTkCommandBar* pTarget, int& nDropEffect) {
    if (pTarget != nullptr && pTarget->GetType() == kBarTypePopup)
        return TRUE;
    nDropEffect = DROPEFFECT_NONE;
    return FALSE;
}

// ---- Window list

UINT CTkControlWindowList::m_nFirstChildId = AFX_IDM_FIRST_MDICHILD;
int CTkControlWindowList::m_nMaxWindowItems = 9;

void CTkControlWindowList::PrepareForLayout(DWORD dwLayoutMode) {
    RemovePlaceholderItems(this,
                           [](CTkControl* pItem) { return static_cast<UINT>(pItem->GetId()) >= m_nFirstChildId; });
    auto* pFrame = m_pParent != nullptr ? DYNAMIC_DOWNCAST(CMDIFrameWnd, m_pParent->GetSite()) : nullptr;
    const HWND hWndClient = pFrame != nullptr ? pFrame->m_hWndMDIClient : nullptr;
    if (hWndClient == nullptr || IsCustomizeMode()) {
        SetHideFlags(0);
        return;
    }
    SetHideFlags(m_dwHideFlags | kHideGeneric);
    const HWND hWndActive = reinterpret_cast<HWND>(::SendMessageW(hWndClient, WM_MDIGETACTIVE, 0, 0));
    if (hWndActive != nullptr) {
        const UINT nActiveId = static_cast<UINT>(::GetDlgCtrlID(hWndActive));
        if (nActiveId >= kHighFirstChildId && nActiveId <= kHighLastActiveId)
            m_nFirstChildId = kHighFirstChildId;
        else if (nActiveId >= kLowFirstChildId && nActiveId <= kLowLastActiveId)
            m_nFirstChildId = kLowFirstChildId;
    }
    CString strPrompt;
    if (!GetResourceManager()->LoadString(strPrompt, kWindowItemHelpId))
        strPrompt.Empty();
    int nItems = 0;
    // The children are numbered without gaps: the first missing id ends the list.
    for (UINT nId = m_nFirstChildId; nItems < m_nMaxWindowItems; ++nId) {
        const HWND hWndChild = ::GetDlgItem(hWndClient, static_cast<int>(nId));
        if (hWndChild == nullptr)
            break;
        if (!::IsWindowVisible(hWndChild))
            continue;
        ++nItems;
        CTkControl* pItem = m_pControls->Add(kControlButton, static_cast<int>(nId), nullptr, m_nIndex + nItems, TRUE);
        if (pItem == nullptr)
            break;
        CString strTitle;
        GetWindowTextDirect(hWndChild, strTitle);
        pItem->SetCaption(FormatNumberedMenuText(strTitle, nItems));
        pItem->SetFlags(kControlFlagNoUpdate);
        pItem->SetChecked(hWndChild == hWndActive ? 1 : 0);
        pItem->SetHelpId(kWindowItemHelpId);
        if (nItems == 1)
            SetFirstItemPlace(pItem, this, TRUE);
        if (!strPrompt.IsEmpty())
            pItem->SetPrompt(strPrompt);
    }
}

BOOL CTkControlWindowList::CanDropOnBar(CTkCommandBar* pTarget, CPoint pt, int& nDropEffect) {
    return AcceptPopupBarsOnly(pTarget, nDropEffect);
}

// ---- Toolbar list

void CTkControlToolbars::CTkControlToolbar::Execute() {
    CTkCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr)
        return;
    pCommandBars->ClosePopups();
    pCommandBars->ToggleBarVisible(static_cast<int>(GetTag()));
}

void CTkControlToolbars::PrepareForLayout(DWORD dwLayoutMode) {
    RemovePlaceholderItems(this, [](CTkControl* pItem) { return pItem->GetParameter() == kToolbarItemParameter; });
    if (IsCustomizeMode()) {
        SetHideFlags(0);
        return;
    }
    SetHideFlags(m_dwHideFlags | kHideGeneric);
    AddToolbarItems(m_pParent, m_nIndex + 1, m_nId, FALSE, m_bBeginGroup);
}

BOOL CTkControlToolbars::CanDropOnBar(CTkCommandBar* pTarget, CPoint pt, int& nDropEffect) {
    return AcceptPopupBarsOnly(pTarget, nDropEffect);
}

void CTkControlToolbars::AddToolbarItems(CTkCommandBar* pBar, int nInsertAt, int nId, BOOL bAddCustomize,
                                         BOOL bBeginGroup) {
    CTkCommandBars* pCommandBars = pBar != nullptr ? pBar->GetCommandBars() : nullptr;
    if (pCommandBars == nullptr)
        return;
    CTkControls* pControls = pBar->GetControls();
    BOOL bFirst = TRUE;
    for (int i = 0; i < pCommandBars->GetCount(); ++i) {
        auto* pToolBar = DYNAMIC_DOWNCAST(CTkToolBar, pCommandBars->GetAt(i));
        if (pToolBar == nullptr || !pToolBar->IsContextMenuPresent() || !pToolBar->IsCloseable())
            continue;
        CTkControl* pItem =
            pControls->InitAddedControl(new CTkControlToolbar, nId, kToolbarItemParameter, nInsertAt++, TRUE);
        pItem->SetTag(i);
        pItem->SetBeginGroup(bFirst ? bBeginGroup : FALSE);
        bFirst = FALSE;
        pItem->SetCaption(FormatNumberedMenuText(pToolBar->GetTitle(), 0));
        pItem->SetFlags(kControlFlagNoUpdate);
        pItem->SetChecked(pToolBar->IsVisible() ? 1 : 0);
    }
    if (bAddCustomize && pCommandBars->IsCustomizationAllowed())
        pControls->Add(kControlButton, kIdCustomize, nullptr, -1, FALSE)->SetBeginGroup(TRUE);
}
