// The ribbon group: its controls in the displaying bar, its option and popup buttons, copying, its place
// and its picture. The layout is in TkRibbonGroupLayout.cpp, persistence in TkRibbonGroupExchange.cpp.

#include "TkRibbonGroup.h"

#include "TkCommandBar.h"
#include "TkCommandBars.h"
#include "TkControl.h"
#include "TkControlAction.h"
#include "TkControlDefs.h"
#include "TkControls.h"
#include "TkDCWrappers.h"
#include "TkPaintManager.h"
#include "TkRibbonBar.h"
#include "TkRibbonGroups.h"
#include "TkRibbonScrollableBar.h"
#include "TkRibbonTab.h"
#include "TkRibbonTheme.h"

IMPLEMENT_SERIAL(CTkRibbonGroup, CCmdTarget, VERSIONABLE_SCHEMA | 33)

namespace {

// The option button's inset from the group's right and bottom.
constexpr int kOptionButtonInset = 3;
// Where ArrangeInRow starts, right of the group's left.
constexpr int kRowArrangeIndent = 4;

// Sets or clears hide flags on a control.
void SetControlHideFlag(CTkControl* pControl, DWORD dwFlag, BOOL bSet) {
    const DWORD dwFlags = pControl->GetHideFlags();
    pControl->SetHideFlags(bSet ? dwFlags | dwFlag : dwFlags & ~dwFlag);
}

}  // namespace

CTkRibbonGroup::CTkRibbonGroup()
    : m_pControlGroupOption(new CTkRibbonGroupOption), m_pControlGroupPopup(new CTkRibbonGroupControlPopup(this)) {
    m_pControlGroupPopup->SetAssignedStyle(kButtonIconAndCaptionBelow);
    // The bar draws neither button: they belong to the group, which draws them after its controls.
    m_pControlGroupOption->SetRibbonGroup(this);
    m_pControlGroupPopup->SetRibbonGroup(this);
}

CTkRibbonGroup::~CTkRibbonGroup() {
    for (CTkControl* pControl : m_controls) {
        pControl->SetRibbonGroup(nullptr);
        pControl->InternalRelease();
    }
    m_pControlGroupOption->SetRibbonGroup(nullptr);
    m_pControlGroupPopup->SetRibbonGroup(nullptr);
    m_pControlGroupPopup->ReleaseGroup();
    m_pControlGroupOption->InternalRelease();
    m_pControlGroupPopup->InternalRelease();
    delete m_pLayoutInfo;
}

// ---- Controls

CTkControls* CTkRibbonGroup::GetBarControls() const {
    return m_pParent != nullptr ? m_pParent->GetControls() : nullptr;
}

CTkControl* CTkRibbonGroup::GetAt(int nIndex) const {
    return nIndex >= 0 && nIndex < GetCount() ? m_controls[static_cast<size_t>(nIndex)] : nullptr;
}

int CTkRibbonGroup::IndexOf(const CTkControl* pControl) const {
    for (int i = 0; i < GetCount(); ++i) {
        if (m_controls[static_cast<size_t>(i)] == pControl)
            return i;
    }
    return -1;
}

int CTkRibbonGroup::GetBarIndexAt(int nIndex) const {
    CTkControls* pControls = GetBarControls();
    const CTkControl* pNext = nIndex < GetCount() ? GetAt(nIndex) : m_pControlGroupOption;
    if (pControls == nullptr || pNext->GetControls() != pControls)
        return -1;
    return pNext->GetIndex();
}

void CTkRibbonGroup::AdoptControl(CTkControl* pControl, int nIndex) {
    pControl->InternalAddRef();
    m_controls.insert(m_controls.begin() + nIndex, pControl);
    pControl->SetRibbonGroup(this);
    SetControlHideFlag(pControl, kHideRibbonReduced, !IsVisibleInRibbon());
}

CTkControl* CTkRibbonGroup::Add(int nType, int nId, LPCWSTR pszParameter, int nBefore, BOOL bTemporary) {
    CTkControls* pControls = GetBarControls();
    if (pControls == nullptr)
        return nullptr;
    if (nBefore < 0 || nBefore > GetCount())
        nBefore = GetCount();
    CTkControl* pControl = pControls->Add(nType, nId, pszParameter, GetBarIndexAt(nBefore), bTemporary);
    if (pControl != nullptr)
        AdoptControl(pControl, nBefore);
    return pControl;
}

CTkControl* CTkRibbonGroup::InsertControl(CTkControl* pTemplate, int nIndex, BOOL bRecursive) {
    CTkControls* pControls = GetBarControls();
    if (pTemplate == nullptr || pControls == nullptr)
        return nullptr;
    CObject* pObject = pTemplate->GetRuntimeClass()->CreateObject();
    auto* pControl = DYNAMIC_DOWNCAST(CTkControl, pObject);
    if (pControl == nullptr) {
        delete pObject;
        return nullptr;
    }
    if (nIndex < 0 || nIndex > GetCount())
        nIndex = GetCount();
    pControls->InsertAt(pControl, GetBarIndexAt(nIndex));
    pControl->CopyFrom(pTemplate, bRecursive);
    AdoptControl(pControl, nIndex);
    return pControl;
}

void CTkRibbonGroup::RemoveControl(int nIndex) {
    CTkControl* pControl = GetAt(nIndex);
    if (pControl == nullptr)
        return;
    pControl->SetRibbonGroup(nullptr);
    m_controls.erase(m_controls.begin() + nIndex);
    if (CTkControls* pControls = pControl->GetControls())
        pControls->Remove(pControl);
    pControl->InternalRelease();
}

void CTkRibbonGroup::RemoveControl(CTkControl* pControl) {
    RemoveControl(IndexOf(pControl));
}

void CTkRibbonGroup::RemoveAll() {
    while (!m_controls.empty())
        RemoveControl(GetCount() - 1);
}

// ---- State

BOOL CTkRibbonGroup::IsVisibleInRibbon() const {
    if (m_pParent != nullptr && m_pParent != static_cast<CTkCommandBar*>(m_pRibbonBar))
        return m_bVisible;
    if (!m_bVisible || m_pRibbonBar == nullptr || m_pGroups == nullptr)
        return FALSE;
    return m_pGroups->GetParentTab() == m_pRibbonBar->GetSelectedTab();
}

BOOL CTkRibbonGroup::IsHighlighted() const {
    const auto* pScrollable = dynamic_cast<const CTkRibbonScrollableBar*>(m_pParent);
    return pScrollable != nullptr && pScrollable->GetHotGroup() == this;
}

int CTkRibbonGroup::GetGroupCaptionHeight() const {
    const CTkRibbonTheme* pTheme = m_pRibbonBar != nullptr ? m_pRibbonBar->GetRibbonTheme() : nullptr;
    return pTheme != nullptr ? pTheme->m_nGroupCaptionHeight : 0;
}

CRect CTkRibbonGroup::GetCaptionRect() const {
    return CRect(m_rcGroup.left, m_rcGroup.bottom - GetGroupCaptionHeight(), m_rcGroup.right, m_rcGroup.bottom);
}

BOOL CTkRibbonGroup::IsOptionButtonVisible() const {
    return m_bShowOptionButton && !m_bReduced;
}

void CTkRibbonGroup::SetVisible(BOOL bVisible) {
    m_bVisible = bVisible;
}

// ---- Virtual operations

void CTkRibbonGroup::OnAdded() {
    CTkControls* pControls = GetBarControls();
    if (pControls == nullptr)
        return;
    m_pControlGroupOption->SetId(m_nId);
    m_pControlGroupOption->InternalAddRef();
    pControls->Append(m_pControlGroupOption);
    // A copy of the popup button on another ribbon finds its group there by this id.
    m_pControlGroupPopup->SetId(m_nId);
    m_pControlGroupPopup->SetCaption(m_strCaption);
    m_pControlGroupPopup->SetDescription(L"");
    m_pControlGroupPopup->InternalAddRef();
    pControls->Append(m_pControlGroupPopup);
    CTkCommandBars* pCommandBars = m_pParent->GetCommandBars();
    if (pCommandBars == nullptr || !pCommandBars->IsActionsEnabled())
        return;
    if (CTkControlAction* pAction = pCommandBars->GetOrCreateAction(m_nId)) {
        if (pAction->GetCaption().IsEmpty())
            pAction->SetCaption(m_strCaption);
        m_pControlGroupOption->SetAction(pAction);
        m_pControlGroupPopup->SetAction(pAction);
    }
}

void CTkRibbonGroup::OnRemoved() {
    RemoveAll();
    // Unlinked first: the ribbon's controls keep a group's buttons in place while they belong to it.
    m_pControlGroupOption->SetRibbonGroup(nullptr);
    m_pControlGroupPopup->SetRibbonGroup(nullptr);
    m_pControlGroupPopup->ReleaseGroup();
    if (m_pRibbonBar != nullptr && m_pParent == static_cast<CTkCommandBar*>(m_pRibbonBar)) {
        if (CTkControls* pControls = m_pControlGroupPopup->GetControls())
            pControls->Remove(m_pControlGroupPopup);
        if (m_pRibbonBar->GetHotGroup() == this)
            m_pRibbonBar->SetHotGroup(nullptr);
    }
    if (CTkControls* pControls = m_pControlGroupOption->GetControls())
        pControls->Remove(m_pControlGroupOption);
}

void CTkRibbonGroup::Copy(CTkRibbonGroup* pSource) {
    m_nId = pSource->m_nId;
    m_nIconId = pSource->m_nIconId;
    m_bShowOptionButton = pSource->m_bShowOptionButton;
    m_strCaption = pSource->m_strCaption;
    // A copy in a collection keeps its own; a free-standing copy (a popup's) answers for the source's tab.
    if (m_pGroups == nullptr)
        m_pGroups = pSource->m_pGroups;
    m_bControlsGrouping = pSource->m_bControlsGrouping;
    m_bControlsCentering = pSource->m_bControlsCentering;
    m_bVisible = pSource->m_bVisible;
    CTkControls* pControls = GetBarControls();
    if (pControls != nullptr) {
        for (CTkControl* pSourceControl : pSource->m_controls) {
            CTkControl* pControl = pControls->AddCopy(pSourceControl, GetBarIndexAt(GetCount()));
            if (pControl == nullptr)
                continue;
            SetControlHideFlag(pControl, kHideRibbonReduced, FALSE);
            pControl->InternalAddRef();
            m_controls.push_back(pControl);
            pControl->SetRibbonGroup(this);
        }
    }
    m_pControlGroupOption->CopyFrom(pSource->m_pControlGroupOption, FALSE);
    SetControlHideFlag(m_pControlGroupOption, kHideRibbonReduced, FALSE);
    // The group's own button stays bound to this group: only the source's look and action are copied.
    m_pControlGroupPopup->CopyFrom(pSource->m_pControlGroupPopup, FALSE);
    SetControlHideFlag(m_pControlGroupPopup, kHideRibbonReduced, FALSE);
}

int CTkRibbonGroup::GetCaptionWidth(CDC* pDC) {
    CTkRibbonTheme* pTheme = m_pRibbonBar != nullptr ? m_pRibbonBar->GetRibbonTheme() : nullptr;
    if (pTheme == nullptr)
        return 0;
    CScopedSelectObject font(pDC->GetSafeHdc(), pTheme->GetRibbonFont()->GetSafeHandle());
    int nWidth = pDC->GetTextExtent(m_strCaption).cx;
    if (m_bShowOptionButton)
        nWidth += pTheme->m_nGroupCaptionHeight;
    return nWidth;
}

void CTkRibbonGroup::SetRect(CRect rc) {
    m_rcGroup = rc;
    if (m_bReduced) {
        SetControlHideFlag(m_pControlGroupPopup, kHideWrap, FALSE);
        m_pControlGroupPopup->SetRect(rc);
        m_pControlGroupPopup->SetWrap(TRUE);
    } else {
        SetControlHideFlag(m_pControlGroupPopup, kHideWrap, TRUE);
    }
    if (!m_bShowOptionButton) {
        SetControlHideFlag(m_pControlGroupOption, kHideGeneric, TRUE);
        return;
    }
    SetControlHideFlag(m_pControlGroupOption, kHideGeneric, FALSE);
    SetControlHideFlag(m_pControlGroupOption, kHideWrap, m_bReduced);
    if (!m_bReduced) {
        const int nCaptionHeight = GetGroupCaptionHeight();
        m_pControlGroupOption->SetRect(CRect(rc.right - nCaptionHeight - 1, rc.bottom - nCaptionHeight,
                                             rc.right - kOptionButtonInset, rc.bottom - kOptionButtonInset));
    }
}

void CTkRibbonGroup::Draw(CDC* pDC, CRect rcClip) {
    if (CTkRibbonTheme* pTheme = m_pRibbonBar != nullptr ? m_pRibbonBar->GetRibbonTheme() : nullptr)
        pTheme->DrawGroup(pDC, this);
    CTkPaintManager* pPaintManager = m_pParent != nullptr ? m_pParent->GetPaintManager() : nullptr;
    BOOL bFirst = TRUE;
    for (CTkControl* pControl : m_controls) {
        CRect rcShown;
        if (!pControl->IsVisible() || !rcShown.IntersectRect(pControl->GetRect(), rcClip))
            continue;
        if (!bFirst && !m_bControlsGrouping && pControl->GetBeginGroup() && pPaintManager != nullptr)
            pPaintManager->PaintControlSeparator(pDC, m_pParent, pControl, TRUE);
        pControl->Draw(pDC);
        bFirst = FALSE;
    }
    if (m_pControlGroupPopup->IsVisible())
        m_pControlGroupPopup->Draw(pDC);
    if (m_pControlGroupOption->IsVisible())
        m_pControlGroupOption->Draw(pDC);
}

void CTkRibbonGroup::ArrangeInRow(CDC* pDC) {
    int x = m_rcGroup.left + kRowArrangeIndent;
    const int y = m_rcGroup.top + GetGroupCaptionHeight();
    for (CTkControl* pControl : m_controls) {
        if (!pControl->IsVisible())
            continue;
        const CSize sz = pControl->GetSize(pDC);
        pControl->SetRect(CRect(x, y, x + sz.cx, y + sz.cy));
        x += sz.cx;
    }
}
