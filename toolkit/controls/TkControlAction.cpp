#include "TkControlAction.h"

#include "TkCommandBars.h"
#include "TkControl.h"
#include "TkResourceManager.h"

#include <algorithm>

BOOL LoadCommandString(int nId, CString& str) {
    if (nId < 1 || nId > 0xFFFF)
        return FALSE;
    return GetResourceManager()->LoadString(str, static_cast<UINT>(nId));
}

BOOL ApplyPromptTexts(LPCWSTR pszPrompt, CString& strTooltip, CString& strDescription, CString& strKeyboardTip) {
    if (pszPrompt == nullptr || *pszPrompt == 0)
        return FALSE;
    if (std::wcschr(pszPrompt, L'\n') != nullptr) {
        AfxExtractSubString(strTooltip, pszPrompt, 1);
        AfxExtractSubString(strDescription, pszPrompt, 0);
    } else {
        strTooltip = strDescription = pszPrompt;
    }
    if (strKeyboardTip.IsEmpty())
        AfxExtractSubString(strKeyboardTip, pszPrompt, 3);
    return TRUE;
}

// ---- CTkControlAction

CTkControlAction::CTkControlAction(CTkControlActions* pOwner) : m_pOwner(pOwner) {}

CTkControlAction::~CTkControlAction() {
    DetachAllControls();
    SetItems(nullptr);
}

BOOL CTkControlAction::GetEnabled() const {
    CTkCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != nullptr && pCommandBars->IsCustomizeMode())
        return TRUE;
    return m_bEnabled;
}

CString CTkControlAction::GetCaption() const {
    return !m_strCaption.IsEmpty() ? m_strCaption : m_strTooltipText;
}

void CTkControlAction::SetCaption(LPCWSTR pszCaption) {
    CString strCaption = pszCaption != nullptr ? pszCaption : L"";
    int nTab = strCaption.Find(L'\t');
    if (nTab >= 0)
        strCaption = strCaption.Left(nTab);
    if (strCaption == m_strCaption)
        return;
    NotifyChanging(kActionPropertyCaption);
    m_strCaption = strCaption;
    NotifyChanged(kActionPropertyCaption);
    DelayLayoutControls();
}

void CTkControlAction::SetPrompt(LPCWSTR pszPrompt) {
    ApplyPromptTexts(pszPrompt, m_strTooltipText, m_strDescriptionText, m_strKeyboardTip);
}

void CTkControlAction::SetItems(CCmdTarget* pItems) {
    if (pItems != nullptr)
        pItems->InternalAddRef();
    if (m_pItems != nullptr)
        m_pItems->InternalRelease();
    m_pItems = pItems;
}

CTkCommandBars* CTkControlAction::GetCommandBars() const {
    return m_pOwner != nullptr ? m_pOwner->GetCommandBars() : nullptr;
}

int CTkControlAction::AttachControl(CTkControl* pControl) {
    auto found = std::find(m_controls.begin(), m_controls.end(), pControl);
    if (found != m_controls.end())
        return static_cast<int>(found - m_controls.begin());
    m_controls.push_back(pControl);
    pControl->m_nEnabled = -1;
    pControl->m_nChecked = -1;
    pControl->m_nId = m_nId;
    pControl->m_strCaption.Empty();
    pControl->m_strTooltipText.Empty();
    pControl->m_strDescriptionText.Empty();
    pControl->m_strCategory.Empty();
    pControl->m_strShortcutText.Empty();
    pControl->m_strKeyboardTip.Empty();
    return static_cast<int>(m_controls.size()) - 1;
}

void CTkControlAction::DetachControl(CTkControl* pControl) {
    auto found = std::find(m_controls.begin(), m_controls.end(), pControl);
    if (found == m_controls.end())
        return;
    m_controls.erase(found);
    pControl->m_nEnabled = 1;
    pControl->m_nChecked = 0;
}

void CTkControlAction::DetachAllControls() {
    while (!m_controls.empty())
        m_controls.front()->SetAction(nullptr);
}

void CTkControlAction::NotifyChanging(int nProperty) {
    // A control may unbind itself while it is told: walk a copy.
    const std::vector<CTkControl*> controls = m_controls;
    for (CTkControl* pControl : controls)
        pControl->OnActionChanging(nProperty);
}

void CTkControlAction::NotifyChanged(int nProperty) {
    const std::vector<CTkControl*> controls = m_controls;
    for (CTkControl* pControl : controls)
        pControl->OnActionChanged(nProperty);
}

void CTkControlAction::DelayLayoutControls() {
    for (CTkControl* pControl : m_controls)
        pControl->DelayLayoutParent();
}

// ---- CTkControlActions

CTkControlActions::~CTkControlActions() {
    RemoveAll();
}

CTkControlAction* CTkControlActions::GetAt(int nIndex) const {
    if (nIndex < 0 || nIndex >= GetCount())
        AfxThrowInvalidArgException();
    return m_actions[static_cast<size_t>(nIndex)];
}

CTkControlAction* CTkControlActions::FindAction(int nId) const {
    if (!IsActionId(nId))
        return nullptr;
    auto found = std::lower_bound(m_actions.begin(), m_actions.end(), nId,
                                  [](const CTkControlAction* pAction, int nKey) { return pAction->m_nId < nKey; });
    return found != m_actions.end() && (*found)->m_nId == nId ? *found : nullptr;
}

CTkControlAction* CTkControlActions::Add(int nId) {
    if (CTkControlAction* pAction = FindAction(nId))
        return pAction;
    return AddWithId(nId, new CTkControlAction(this));
}

CTkControlAction* CTkControlActions::AddWithId(int nId, CTkControlAction* pAction) {
    pAction->m_nId = nId;
    CString strPrompt;
    if (LoadCommandString(nId, strPrompt))
        pAction->SetPrompt(strPrompt);
    InsertSorted(pAction);
    return pAction;
}

void CTkControlActions::InsertSorted(CTkControlAction* pAction) {
    auto before = std::upper_bound(m_actions.begin(), m_actions.end(), pAction->m_nId,
                                   [](int nKey, const CTkControlAction* pOther) { return nKey < pOther->m_nId; });
    m_actions.insert(before, pAction);
}

void CTkControlActions::RemoveAll() {
    for (CTkControlAction* pAction : m_actions) {
        pAction->DetachAllControls();
        pAction->InternalRelease();
    }
    m_actions.clear();
}
