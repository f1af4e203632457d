// Saving and loading bars: the keys of the bar base, the toolbar and the popup bar, the bars a save
// collects, the popup links a load restores, and a toolbar taking over a loaded one. The archive keeps
// values positionally, so the order of the keys and their schema conditions are the stored format.
#include "TkCommandBar.h"

#include "TkCommandBarAnimation.h"
#include "TkCommandBarList.h"
#include "TkCommandBars.h"
#include "TkControls.h"
#include "TkPopupBar.h"
#include "TkPropExchange.h"
#include "TkResourceManager.h"
#include "TkToolBar.h"

#include <memory>

namespace {

// Bars without an id of their own are numbered from here when saved; the popup controls store the number.
constexpr UINT kFirstSavedBarId = 0x1000000;
// Asks whether a toolbar whose built-in layout changed keeps that layout; the bar's title fills it in.
constexpr UINT kIdsKeepBuiltInLayout = 9177;

void ExchangeUInt(CTkPropExchange* pPX, LPCWSTR pszName, UINT& nValue) {
    int nStored = static_cast<int>(nValue);
    ExchangeInt(pPX, pszName, nStored, 0);
    nValue = static_cast<UINT>(nStored);
}

void ExchangeDword(CTkPropExchange* pPX, LPCWSTR pszName, DWORD& dwValue) {
    int nStored = static_cast<int>(dwValue);
    ExchangeInt(pPX, pszName, nStored, 0);
    dwValue = static_cast<DWORD>(nStored);
}

void ExchangeCSize(CTkPropExchange* pPX, LPCWSTR pszName, CSize& size) {
    SIZE value = size;
    ExchangeSize(pPX, pszName, value, SIZE{0, 0});
    size = value;
}

}  // namespace

// ---- The bar base

void CTkCommandBar::DoPropExchange(CTkPropExchange* pPX) {
    const BOOL bLoading = pPX->IsLoading();
    const int nSchema = pPX->m_nSchema;
    ExchangeInt(pPX, L"Type", m_nType, kBarTypeNormal);
    ExchangeInt(pPX, L"Position", m_nPosition, kBarTop);
    ExchangeUInt(pPX, L"BarID", m_nBarId);
    ExchangeDword(pPX, L"Flags", m_dwFlags);
    ExchangeDword(pPX, L"Style", m_dwStyle);
    ExchangeString(pPX, L"Title", m_strTitle, L"");
    ExchangeBool(pPX, L"Customizable", m_bCustomizable, TRUE);
    ExchangeInt(pPX, L"MRUWidth", m_nMRUWidth, 0);
    if (nSchema > 2)
        ExchangeCSize(pPX, L"IconSize", m_szIcons);
    if (bLoading) {
        const auto* pParam = static_cast<const BarsExchangeParam*>(pPX->m_pExchangeParam);
        if (pParam != nullptr)
            m_pCommandBars = pParam->pCommandBars;
    }
    if (nSchema > 17) {
        ExchangeCSize(pPX, L"ButtonSize", m_szButtons);
        ExchangeBool(pPX, L"ShowTextBelowIcons", m_nShowTextBelowIcons, 2);
        BOOL bAnimation = IsAnimationEnabled();
        ExchangeBool(pPX, L"EnableAnimation", bAnimation, FALSE);
        if (bLoading)
            SetAnimationEnabled(bAnimation);
    }
    if (nSchema > 18)
        ExchangeInt(pPX, L"DefaultButtonStyle", m_nDefaultButtonStyle, 0);
    std::unique_ptr<CTkPropExchange> pSection(pPX->GetSection(L"Controls"));
    m_pControls->ExchangeProperties(pSection.get());
}

void CTkCommandBar::CollectBarsForSave(int& nCounter, CTkCommandBarList* pList, BarsExchangeParam* pParam) {
    if (pList->Contains(this))
        return;
    InternalAddRef();
    pList->Add(this);
    // Toolbars keep their ids; popups are numbered so that their popup controls can name them.
    if (!IsKindOf(RUNTIME_CLASS(CTkToolBar)) && (m_nBarId == 0 || m_nBarId >= kFirstSavedBarId))
        m_nBarId = static_cast<UINT>(nCounter++);
    m_pControls->CollectBarsForSave(nCounter, pList, pParam);
}

void CTkCommandBar::RestorePopupLinks(CTkCommandBarList* pList) {
    m_pControls->RestorePopupLinks(pList);
}

// ---- Toolbars

void CTkToolBar::DoPropExchange(CTkPropExchange* pPX) {
    CTkCommandBar::DoPropExchange(pPX);
    const int nSchema = pPX->m_nSchema;
    ExchangeBool(pPX, L"BuiltIn", m_bBuiltIn, TRUE);
    ExchangeBool(pPX, L"TearOff", m_bTearOff, FALSE);
    if (nSchema > 6)
        ExchangeBool(pPX, L"Closeable", m_bCloseable, TRUE);
    if (nSchema > 7)
        ExchangeBool(pPX, L"ContextMenuPresent", m_bContextMenuPresent, TRUE);
    if (nSchema > 16)
        ExchangeBool(pPX, L"CustomizeDialogPresent", m_bCustomizeDialogPresent, TRUE);
    else if (pPX->IsLoading() && m_nType == kBarTypeMenuBar)
        m_bCloseable = FALSE;
}

BOOL CTkToolBar::ShouldSave() {
    return IsCustomizable() && m_pControls->IsChanged();
}

void CTkToolBar::MergeLoadedState(CTkToolBar* pLoaded, BOOL bSilent) {
    CTkControls* pLoadedControls = pLoaded->GetControls();
    const CTkOriginalControls* pLoadedOriginal = pLoadedControls->GetOriginalControls();
    const CTkOriginalControls* pLiveOriginal = m_pControls->GetOriginalControls();
    const BOOL bLayoutChanged =
        pLoadedOriginal != nullptr && pLiveOriginal != nullptr && !pLiveOriginal->IsSameAs(pLoadedOriginal);
    if (bLayoutChanged) {
        // Nothing to keep when the user had not customized the old layout.
        if (bSilent || !pLoadedControls->IsChanged())
            return;
        CTkResourceManager* pResources = GetResourceManager();
        BOOL bMissing = FALSE;
        const CString strFormat = pResources->LoadString(kIdsKeepBuiltInLayout, &bMissing);
        // Without its text the question cannot be asked: the new built-in layout stays, as a Yes would.
        if (bMissing || strFormat.IsEmpty())
            return;
        CString strText;
        strText.Format(strFormat, m_strTitle.GetString());
        if (pResources->ShowMessageBox(strText, MB_YESNO | MB_ICONQUESTION) != IDNO)
            return;
    }
    // The loaded bar's place is not where this bar's window is: the window stays and its place with it.
    const int nPosition = m_nPosition;
    CTkOriginalControls* pKeptOriginal = m_pControls->GetOriginalControls();
    const BOOL bKeepOriginal = bLayoutChanged || pLoadedOriginal == nullptr;
    if (bKeepOriginal && pKeptOriginal != nullptr)
        pKeptOriginal->InternalAddRef();
    Copy(pLoaded, FALSE);
    m_nPosition = nPosition;
    if (bKeepOriginal)
        m_pControls->SetOriginalControls(pKeptOriginal);
    DelayLayout();
}

// ---- Popup bars

void CTkPopupBar::DoPropExchange(CTkPropExchange* pPX) {
    CTkCommandBar::DoPropExchange(pPX);
    const int nSchema = pPX->m_nSchema;
    ExchangeBool(pPX, L"TearOffPopup", m_bTearOffPopup, FALSE);
    ExchangeString(pPX, L"TearOffCaption", m_strTearOffCaption, L"");
    ExchangeUInt(pPX, L"TearOffId", m_nTearOffId);
    ExchangeInt(pPX, L"TearOffWidth", m_nTearOffWidth, 0);
    if (nSchema > 3) {
        RECT rcBorders = m_rcBorders;
        ExchangeRect(pPX, L"Borders", rcBorders, RECT{2, 4, 2, 4});
        m_rcBorders = rcBorders;
        ExchangeBool(pPX, L"ShowShadow", m_bShowShadow, TRUE);
    }
    if (nSchema > 8)
        ExchangeBool(pPX, L"DoubleGripper", m_bDoubleGripper, FALSE);
    // Layouts older than the popup gripper style drew the gripper always.
    if (nSchema < 20)
        m_dwStyle |= kBarStyleGripper;
    if (nSchema > 18)
        ExchangeBool(pPX, L"ContextMenu", m_bContextMenu, FALSE);
}
