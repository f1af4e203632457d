#include "TkControls.h"

#include "TkCommandBar.h"
#include "TkCommandBars.h"
#include "TkControl.h"
#include "TkControlBitmap.h"
#include "TkControlButton.h"
#include "TkControlCheckBox.h"
#include "TkControlComboBox.h"
#include "TkControlComboBoxGalleryPopupBar.h"
#include "TkControlCustom.h"
#include "TkControlEdit.h"
#include "TkControlGallery.h"
#include "TkControlGalleryPaintManager.h"
#include "TkControlHyperlink.h"
#include "TkControlLabel.h"
#include "TkControlMarkupLabel.h"
#include "TkControlPlaceholders.h"
#include "TkControlPopup.h"
#include "TkControlProgress.h"
#include "TkControlRadioButton.h"
#include "TkControlSelector.h"
#include "TkPaintManager.h"
#include "TkProgressPaintManager.h"
#include "TkPropExchange.h"
#include "TkPropExchangeItems.h"
#include "TkSliderPaintManager.h"

#include <memory>

IMPLEMENT_SERIAL(CTkControls, CCmdTarget, VERSIONABLE_SCHEMA | 33)
IMPLEMENT_SERIAL(CTkOriginalControls, CTkControls, VERSIONABLE_SCHEMA | 33)

void RegisterControlClasses() {
    // Referencing the run-time classes links them in, and with them their registration by name; kept
    // although nothing reads it, or the optimiser drops the references.
    [[gnu::used]] static const CRuntimeClass* const classes[] = {
        RUNTIME_CLASS(CTkControl),
        RUNTIME_CLASS(CTkControlButton),
        RUNTIME_CLASS(CTkControlPopup),
        RUNTIME_CLASS(CTkControls),
        RUNTIME_CLASS(CTkOriginalControls),
        RUNTIME_CLASS(CTkControlProgress),
        RUNTIME_CLASS(CTkControlEdit),
        RUNTIME_CLASS(CTkControlComboBox),
        RUNTIME_CLASS(CTkControlGallery),
        RUNTIME_CLASS(CTkControlComboBoxGalleryPopupBar),
        RUNTIME_CLASS(CTkControlCustom),
        RUNTIME_CLASS(CTkControlLabel),
        RUNTIME_CLASS(CTkControlBitmap),
        RUNTIME_CLASS(CTkControlMarkupLabel),
        RUNTIME_CLASS(CTkControlCheckBox),
        RUNTIME_CLASS(CTkControlRadioButton),
        RUNTIME_CLASS(CTkControlHyperlink),
        RUNTIME_CLASS(CTkControlSelector),
        RUNTIME_CLASS(CTkControlWindowList),
        RUNTIME_CLASS(CTkControlToolbars),
        RUNTIME_CLASS(CTkControlOleItems),
        RUNTIME_CLASS(CTkControlRecentFileList),
        RUNTIME_CLASS(CTkControlWorkspaceActions),
    };
    (void)classes;
    // Paint managers made from now on own a gallery, a slider and a progress painter.
    CTkPaintManager::RegisterSubPaintManagerCreator(kSubPaintGallery, CTkControlGalleryPaintManager::Create);
    CTkPaintManager::RegisterSubPaintManagerCreator(kSubPaintSlider, CTkSliderPaintManager::Create);
    CTkPaintManager::RegisterSubPaintManagerCreator(kSubPaintProgress, CTkProgressPaintManager::Create);
}

CTkOriginalControls::CTkOriginalControls() {
    m_bOriginal = TRUE;
}

CTkControls::CTkControls() = default;

CTkControls::~CTkControls() {
    // Protected controls too: nothing else would release them.
    while (!m_controls.empty()) {
        CTkControl* pControl = m_controls.back();
        m_controls.pop_back();
        pControl->m_pControls = nullptr;
        pControl->OnRemoved();
        pControl->SetParent(nullptr);
        pControl->InternalRelease();
    }
    SetOriginalControls(nullptr);
}

// ---- Relations

void CTkControls::SetParent(CTkCommandBar* pParent) {
    m_pParent = pParent;
    if (!m_controls.empty())
        RefreshIndexes();
}

CTkCommandBars* CTkControls::GetCommandBars() const {
    return m_pParent != nullptr ? m_pParent->GetCommandBars() : m_pCommandBars;
}

// ---- Contents

CTkControl* CTkControls::GetAt(int nIndex) const {
    return nIndex >= 0 && nIndex < GetCount() ? m_controls[static_cast<size_t>(nIndex)] : nullptr;
}

void CTkControls::InsertAt(CTkControl* pControl, int nBefore) {
    if (nBefore < 0 || nBefore >= GetCount())
        m_controls.push_back(pControl);
    else
        m_controls.insert(m_controls.begin() + nBefore, pControl);
    OnControlAdded(pControl);
}

CTkControl* CTkControls::Add(CTkControl* pControl, int nId, LPCWSTR pszParameter, int nBefore, BOOL bTemporary) {
    return InitAddedControl(pControl, nId, pszParameter, nBefore, bTemporary);
}

CTkControl* CTkControls::AddCopy(CTkControl* pControl, int nBefore, BOOL bRecursive) {
    auto* pCopy = static_cast<CTkControl*>(pControl->GetRuntimeClass()->CreateObject());
    InsertAt(pCopy, nBefore);
    pCopy->CopyFrom(pControl, bRecursive);
    return pCopy;
}

void CTkControls::Detach(CTkControl* pControl) {
    m_controls.erase(m_controls.begin() + pControl->m_nIndex);
    OnControlRemoved(pControl);
}

void CTkControls::Remove(CTkControl* pControl) {
    if (pControl == nullptr || pControl->m_pControls != this)
        return;
    if (m_pParent != nullptr && m_pParent->GetSelectedIndex() != -1 &&
        m_pParent->GetControl(m_pParent->GetSelectedIndex()) == pControl)
        m_pParent->SetSelected(-1);
    const int nIndex = pControl->m_nIndex;
    if (GetAt(nIndex) != pControl || IsProtected(pControl))
        return;
    Detach(pControl);
    pControl->SetParent(nullptr);
    pControl->InternalRelease();
}

void CTkControls::RemoveAt(int nIndex) {
    if (CTkControl* pControl = GetAt(nIndex))
        Remove(pControl);
}

void CTkControls::RemoveAll() {
    for (int i = GetCount() - 1; i >= 0; --i) {
        CTkControl* pControl = m_controls[static_cast<size_t>(i)];
        if (IsProtected(pControl))
            continue;
        pControl->m_nIndex = i;
        Detach(pControl);
        pControl->SetParent(nullptr);
        pControl->InternalRelease();
    }
}

CTkControl* CTkControls::SetControlTypeAt(int nIndex, int nType) {
    CTkControl* pControl = GetAt(nIndex);
    return pControl != nullptr ? SetControlType(pControl, nType) : nullptr;
}

CTkControl* CTkControls::SetControlType(CTkControl* pControl, int nType) {
    if (pControl == nullptr)
        return nullptr;
    if (IsPopupControlType(pControl->GetType()) && IsPopupControlType(nType)) {
        pControl->SetType(nType);
        return pControl;
    }
    CTkControl* pNew = Add(nType, 0, L"", pControl->GetIndex() + 1, FALSE);
    if (pNew == nullptr)
        return nullptr;
    // The base fields only: the new kind keeps its own (a new popup keeps its new sub bar).
    pNew->CTkControl::CopyFrom(pControl, FALSE);
    pNew->SetType(nType);
    Remove(pControl);
    return pNew;
}

// ---- Finding

CTkControl* CTkControls::FindControl(int nType, int nId, BOOL bVisibleOnly, BOOL bRecursive) const {
    for (CTkControl* pControl : m_controls) {
        if ((nType == 0 || pControl->GetType() == nType) && (nId == -1 || pControl->GetId() == nId) &&
            (!bVisibleOnly || pControl->IsVisible(0)))
            return pControl;
        if (!bRecursive)
            continue;
        CTkCommandBar* pSubBar = pControl->GetCommandBar();
        if (pSubBar == nullptr || pSubBar->GetControls() == nullptr)
            continue;
        if (CTkControl* pFound = pSubBar->GetControls()->FindControl(nType, nId, bVisibleOnly, TRUE))
            return pFound;
    }
    return nullptr;
}

CTkControl* CTkControls::HitTest(CPoint pt) const {
    for (CTkControl* pControl : m_controls) {
        if (pControl->IsVisible(0) && pControl->GetRect().PtInRect(pt))
            return pControl;
    }
    return nullptr;
}

int CTkControls::GetVisibleCount(BOOL bExcludeWrapped) const {
    const DWORD dwSkip = bExcludeWrapped ? 0u : static_cast<DWORD>(kHideWrap);
    int nCount = 0;
    for (CTkControl* pControl : m_controls)
        nCount += pControl->IsVisible(dwSkip) ? 1 : 0;
    return nCount;
}

CTkControl* CTkControls::GetVisibleAt(int nIndex, BOOL bExcludeWrapped) const {
    const DWORD dwSkip = bExcludeWrapped ? 0u : static_cast<DWORD>(kHideWrap);
    for (CTkControl* pControl : m_controls) {
        if (pControl->IsVisible(dwSkip) && nIndex-- == 0)
            return pControl;
    }
    return nullptr;
}

int CTkControls::GetNext(int nStart, int nStep, BOOL bSkipNoKeyboard, BOOL bSkipTemporary, BOOL bSkipRarelyUsed) const {
    const int nCount = GetCount();
    if (nCount == 0 || (nStep != 1 && nStep != -1))
        return -1;
    // Rarely used controls qualify only when the search does not skip them.
    const DWORD dwSkip =
        bSkipRarelyUsed ? static_cast<DWORD>(kHideByBar) : static_cast<DWORD>(kHideByBar | kHideRarelyUsed);
    auto qualifies = [&](const CTkControl* pControl) {
        return pControl->IsVisible(dwSkip) && !(bSkipNoKeyboard && (pControl->GetFlags() & kControlFlagNoKeyboard)) &&
               !(bSkipTemporary && pControl->IsTemporary());
    };
    const BOOL bFromEdge = nStart == -1;
    int nIndex = bFromEdge ? (nStep > 0 ? -1 : nCount) : nStart;
    int nWraps = 0;
    for (;;) {
        nIndex += nStep;
        if (nIndex < 0 || nIndex >= nCount) {
            // A search from the edge has nothing to wrap to; any other wraps once.
            if (bFromEdge || ++nWraps > 1)
                return -1;
            nIndex = nStep > 0 ? 0 : nCount - 1;
        }
        if (nIndex == nStart)
            return nStart;
        if (qualifies(m_controls[static_cast<size_t>(nIndex)]))
            return nIndex;
    }
}

// ---- Copies, comparison, originals

void CTkControls::CopyFrom(CTkControls* pOther, BOOL bRecursive) {
    RemoveAll();
    for (CTkControl* pControl : pOther->m_controls) {
        if (!pControl->IsTemporary())
            AddCopy(pControl, -1, bRecursive);
    }
    SetOriginalControls(pOther->m_pOriginalControls != nullptr
                            ? static_cast<CTkOriginalControls*>(pOther->m_pOriginalControls->Duplicate())
                            : nullptr);
}

CTkControls* CTkControls::Duplicate(BOOL bRecursive) const {
    auto* pDuplicate = static_cast<CTkControls*>(GetRuntimeClass()->CreateObject());
    for (CTkControl* pControl : m_controls) {
        if (!pControl->IsTemporary())
            pDuplicate->AddCopy(pControl, -1, bRecursive);
    }
    if (m_pOriginalControls != nullptr)
        pDuplicate->SetOriginalControls(static_cast<CTkOriginalControls*>(m_pOriginalControls->Duplicate()));
    return pDuplicate;
}

BOOL CTkControls::IsSameAs(const CTkControls* pOther) const {
    if (pOther == nullptr)
        return FALSE;
    auto next = [](const std::vector<CTkControl*>& controls, size_t& i) -> CTkControl* {
        while (i < controls.size() && controls[i]->IsTemporary())
            ++i;
        return i < controls.size() ? controls[i++] : nullptr;
    };
    size_t i = 0;
    size_t j = 0;
    for (;;) {
        CTkControl* pMine = next(m_controls, i);
        CTkControl* pTheirs = next(pOther->m_controls, j);
        if (pMine == nullptr || pTheirs == nullptr)
            return pMine == pTheirs;
        if (!pMine->IsSameAs(pTheirs))
            return FALSE;
    }
}

BOOL CTkControls::IsChanged() const {
    return m_pOriginalControls == nullptr || !m_pOriginalControls->IsSameAs(this);
}

void CTkControls::SaveOriginalControls() {
    auto* pOriginal = new CTkOriginalControls;
    for (CTkControl* pControl : m_controls) {
        if (!pControl->IsTemporary())
            pOriginal->AddCopy(pControl, -1, TRUE);
    }
    SetOriginalControls(pOriginal);
}

void CTkControls::SetOriginalControls(CTkOriginalControls* pOriginal) {
    if (m_pOriginalControls != nullptr)
        m_pOriginalControls->InternalRelease();
    m_pOriginalControls = pOriginal;
}

// ---- Saving

BOOL CTkControls::IsSavable(const CTkControl* pControl) const {
    return !pControl->IsTemporary();
}

void CTkControls::ExchangeProperties(CTkPropExchange* pPX) {
    const auto* pParam = static_cast<const BarsExchangeParam*>(pPX->m_pExchangeParam);
    if (!pPX->IsLoading()) {
        std::unique_ptr<CTkPropExchangeEnumerator> pEnumerator(pPX->GetEnumerator(L"Control"));
        std::vector<CTkControl*> savable;
        for (CTkControl* pControl : m_controls) {
            if (IsSavable(pControl))
                savable.push_back(pControl);
        }
        DWORD nPosition = pEnumerator->GetPosition(static_cast<DWORD>(savable.size()), FALSE);
        for (CTkControl* pControl : savable) {
            std::unique_ptr<CTkPropExchange> pSection(pEnumerator->GetNext(nPosition));
            CObject* pObject = pControl;
            pSection->ExchangeObjectInstance(&pObject, RUNTIME_CLASS(CTkControl));
            pControl->ExchangeProperties(pSection.get());
        }
        BOOL bOriginal = pParam != nullptr && pParam->bSaveOriginalControls && m_pOriginalControls != nullptr;
        ExchangeBool(pPX, L"OriginalControls", bOriginal, FALSE);
        if (bOriginal) {
            std::unique_ptr<CTkPropExchange> pSection(pPX->GetSection(L"OriginalControls"));
            m_pOriginalControls->ExchangeProperties(pSection.get());
        }
        BOOL bCustomized = FALSE;
        ExchangeBool(pPX, L"CustomizedControls", bCustomized, FALSE);
        return;
    }

    RemoveAll();
    LoadPropExchangeItems<CTkControl>(
        pPX, L"Control", RUNTIME_CLASS(CTkControl), this,
        [this](CTkControl* pControl, CTkPropExchange* pSection) {
            m_controls.push_back(pControl);
            pControl->m_nIndex = GetCount() - 1;
            pControl->m_pControls = this;
            // Loaded before it is announced, as the stored order of the keys expects.
            pControl->ExchangeProperties(pSection);
            OnControlAdded(pControl);
        },
        [this](CTkControl* pControl) {
            if (!m_controls.empty() && m_controls.back() == pControl)
                m_controls.pop_back();
            pControl->m_pControls = nullptr;
            pControl->InternalRelease();
        });
    RefreshIndexes();
    if (pPX->m_nSchema <= 2)
        return;
    BOOL bOriginal = FALSE;
    ExchangeBool(pPX, L"OriginalControls", bOriginal, FALSE);
    if (bOriginal) {
        auto* pOriginal = new CTkOriginalControls;
        SetOriginalControls(pOriginal);
        std::unique_ptr<CTkPropExchange> pSection(pPX->GetSection(L"OriginalControls"));
        pOriginal->ExchangeProperties(pSection.get());
    }
    BOOL bCustomized = FALSE;
    ExchangeBool(pPX, L"CustomizedControls", bCustomized, FALSE);
    if (bCustomized) {
        // Read to keep the stream aligned, then dropped, also when the read fails.
        struct Release {
            void operator()(CTkControls* pControls) const { pControls->InternalRelease(); }
        };
        std::unique_ptr<CTkControls, Release> pCustomized(new CTkControls);
        std::unique_ptr<CTkPropExchange> pSection(pPX->GetSection(L"CustomizedControls"));
        pCustomized->ExchangeProperties(pSection.get());
    }
}

void CTkControls::CollectBarsForSave(int& nCounter, CTkCommandBarList* pList, BarsExchangeParam* pParam) {
    for (const CTkControls* pControls = this; pControls != nullptr;
         pControls = pParam != nullptr && pParam->bSaveOriginalControls ? pControls->m_pOriginalControls : nullptr) {
        for (CTkControl* pControl : pControls->m_controls) {
            if (!pControl->IsTemporary())
                pControl->CollectSubBars(nCounter, pList, pParam);
        }
    }
}

void CTkControls::RestorePopupLinks(CTkCommandBarList* pList) {
    for (const CTkControls* pControls = this; pControls != nullptr; pControls = pControls->m_pOriginalControls) {
        for (CTkControl* pControl : pControls->m_controls)
            pControl->ResolveCommandBarId(pList);
    }
}

// ---- Notifications

void CTkControls::OnControlAdded(CTkControl* pControl) {
    RefreshIndexes();
}

void CTkControls::OnControlRemoved(CTkControl* pControl) {
    pControl->m_pControls = nullptr;
    pControl->OnRemoved();
    pControl->SetParent(nullptr);
    RefreshIndexes();
}

BOOL CTkControls::IsProtected(const CTkControl* pControl) const {
    return FALSE;
}

void CTkControls::RefreshIndexes() {
    for (int i = 0; i < GetCount(); ++i) {
        CTkControl* pControl = m_controls[static_cast<size_t>(i)];
        pControl->m_nIndex = i;
        pControl->m_pControls = this;
        pControl->SetParent(m_pParent);
    }
    if (m_pParent != nullptr)
        m_pParent->DelayLayout();
}
