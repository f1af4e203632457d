#include "TkRibbonGroup.h"

#include "TkControl.h"
#include "TkControlDefs.h"

IMPLEMENT_SERIAL(CTkRibbonGroup, CCmdTarget, VERSIONABLE_SCHEMA | 33)
IMPLEMENT_SERIAL(CTkRibbonGroupOption, CTkControlButton, VERSIONABLE_SCHEMA | 33)
IMPLEMENT_SERIAL(CTkRibbonGroupControlPopup, CTkControlPopup, VERSIONABLE_SCHEMA | 33)

// ---- The group

CTkRibbonGroup::CTkRibbonGroup()
    : m_pControlGroupOption(new CTkRibbonGroupOption), m_pControlGroupPopup(new CTkRibbonGroupControlPopup(this)) {
    m_pControlGroupPopup->SetAssignedStyle(kButtonIconAndCaptionBelow);
}

CTkRibbonGroup::~CTkRibbonGroup() {
    for (CTkControl* pControl : m_controls)
        pControl->InternalRelease();
    m_pControlGroupOption->InternalRelease();
    m_pControlGroupPopup->InternalRelease();
    delete m_pLayoutInfo;
}

void CTkRibbonGroup::SetRect(CRect rc) {
    m_rcGroup = rc;
}

void CTkRibbonGroup::Copy(CTkRibbonGroup*) {}

void CTkRibbonGroup::Draw(CDC*, CRect) {}

void CTkRibbonGroup::DoPropExchange(CTkPropExchange*) {}

void CTkRibbonGroup::ArrangeInRow(CDC*) {}

void CTkRibbonGroup::OnAdded() {}

void CTkRibbonGroup::OnRemoved() {}

int CTkRibbonGroup::GetCaptionWidth(CDC*) {
    return 0;
}

void CTkRibbonGroup::BeginLayout(CDC*) {}

void CTkRibbonGroup::EndLayout(CDC*) {}

int CTkRibbonGroup::CalcWidth(CDC*) {
    return 0;
}

BOOL CTkRibbonGroup::Reduce(CDC*, int, int) {
    return FALSE;
}

BOOL CTkRibbonGroup::Expand(CDC*, int) {
    return FALSE;
}

CTkControl* CTkRibbonGroup::GetAt(int nIndex) const {
    return nIndex >= 0 && nIndex < GetCount() ? m_controls[static_cast<size_t>(nIndex)] : nullptr;
}

int CTkRibbonGroup::IndexOf(const CTkControl*) const {
    return -1;
}

CTkControl* CTkRibbonGroup::Add(int, int, LPCWSTR, int, BOOL) {
    return nullptr;
}

CTkControl* CTkRibbonGroup::InsertControl(CTkControl*, int, BOOL) {
    return nullptr;
}

void CTkRibbonGroup::RemoveControl(int) {}

void CTkRibbonGroup::RemoveControl(CTkControl*) {}

void CTkRibbonGroup::RemoveAll() {}

BOOL CTkRibbonGroup::IsVisibleInRibbon() const {
    return FALSE;
}

BOOL CTkRibbonGroup::IsHighlighted() const {
    return FALSE;
}

CRect CTkRibbonGroup::GetCaptionRect() const {
    return m_rcGroup;
}

BOOL CTkRibbonGroup::IsOptionButtonVisible() const {
    return m_bShowOptionButton && !m_bReduced;
}

void CTkRibbonGroup::SetVisible(BOOL bVisible) {
    m_bVisible = bVisible;
}

// ---- The option button

CTkRibbonGroupOption::CTkRibbonGroupOption() = default;

CSize CTkRibbonGroupOption::GetSize(CDC* pDC) {
    return CTkControlButton::GetSize(pDC);
}

void CTkRibbonGroupOption::Draw(CDC* pDC) {
    CTkControlButton::Draw(pDC);
}

// ---- The collapsed group's button

CTkRibbonGroupControlPopup::CTkRibbonGroupControlPopup(CTkRibbonGroup* pGroup) : m_pGroup(pGroup) {}

CSize CTkRibbonGroupControlPopup::GetSize(CDC* pDC) {
    return CTkControlPopup::GetSize(pDC);
}

void CTkRibbonGroupControlPopup::Draw(CDC* pDC) {
    CTkControlPopup::Draw(pDC);
}

BOOL CTkRibbonGroupControlPopup::IsVisible(DWORD dwSkipHideFlags) const {
    return CTkControlPopup::IsVisible(dwSkipHideFlags);
}

BOOL CTkRibbonGroupControlPopup::SetPopupOpen(BOOL bOpen) {
    return CTkControlPopup::SetPopupOpen(bOpen);
}

void CTkRibbonGroupControlPopup::CopyFrom(CTkControl* pSource, BOOL bRecursive) {
    CTkControlPopup::CopyFrom(pSource, bRecursive);
}

CTkRibbonBar* CTkRibbonGroupControlPopup::GetRibbonBar() const {
    return nullptr;
}
