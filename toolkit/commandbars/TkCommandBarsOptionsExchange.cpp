// Saving and loading the hub's options. The archive keeps values positionally: the order of the keys
// and the conditions on the stored "Schema" are the format, including the two options stored twice.
#include "TkCommandBars.h"

#include "TkPaintManager.h"
#include "TkPropExchange.h"

namespace {

constexpr int kCurrentSchema = 33;

// The ids of a command-id map as the archive's serialized map. A map that does not arrive whole leaves
// the rest of the stream unreadable: the load stops there.
void ExchangeCommandIdMap(CTkPropExchange* pPX, LPCWSTR pszName, CMap<UINT, UINT, BOOL, BOOL>& map) {
    if (pPX->IsLoading() || !pPX->CanOmitDefaults() || !map.IsEmpty()) {
        if (!ExchangeSerializedObject(pPX, pszName, &map) && pPX->IsLoading())
            AfxThrowArchiveException(CArchiveException::genericException);
    }
}

void ExchangeCSize(CTkPropExchange* pPX, LPCWSTR pszName, CSize& size) {
    SIZE value = size;
    ExchangeSize(pPX, pszName, value, SIZE{0, 0});
    size = value;
}

}  // namespace

void CTkCommandBarsOptions::DoPropExchange(CTkPropExchange* pPX, BOOL bUserOptionsOnly) {
    const BOOL bLoading = pPX->IsLoading();
    pPX->m_nReserved1 = 0;
    pPX->m_nReserved2 = 0;
    int nSchema = kCurrentSchema;
    ExchangeInt(pPX, L"Schema", nSchema, kCurrentSchema);
    ExchangeBool(pPX, L"AlwaysShowFullMenus", m_bAlwaysShowFullMenus, TRUE);
    ExchangeBool(pPX, L"ShowFullAfterDelay", m_bShowFullAfterDelay, TRUE);
    ExchangeBool(pPX, L"ToolBarScreenTips", m_bToolBarScreenTips, TRUE);
    ExchangeBool(pPX, L"ToolBarAccelTips", m_bToolBarAccelTips, FALSE);
    ExchangeBool(pPX, L"LargeIcons", m_bLargeIcons, FALSE);
    if (nSchema > 7)
        ExchangeCommandIdMap(pPX, L"UsedCommands", m_mapUsedCommands);
    if (nSchema > 7 || bUserOptionsOnly)
        ExchangeInt(pPX, L"Animation", m_nAnimationType, 0);
    if (bUserOptionsOnly)
        return;
    ExchangeBool(pPX, L"SyncFloatingBars", m_bSyncFloatingBars, TRUE);
    ExchangeBool(pPX, L"ShowExpandButtonAlways", m_bShowExpandButtonAlways, TRUE);
    ExchangeCSize(pPX, L"IconsSize", m_szIcons);
    ExchangeCSize(pPX, L"LargeIconsSize", m_szLargeIcons);
    ExchangeCommandIdMap(pPX, L"HiddenCommands", m_mapHiddenCommands);
    // The icon effects belong to the paint manager the hub draws with.
    CTkPaintManager* pPaintManager = m_pCommandBars->GetPaintManager();
    BOOL* pbEffects = pPaintManager->m_bIconEffects;
    ExchangeBool(pPX, L"IconsWithShadow", pbEffects[2], FALSE);
    ExchangeBool(pPX, L"UseDisabledIcons", pbEffects[1], TRUE);
    ExchangeBool(pPX, L"UseFadedIcons", pbEffects[0], TRUE);
    if (nSchema > 7) {
        // Stored a second time; the second copy is the one a load keeps.
        ExchangeBool(pPX, L"SyncFloatingBars", m_bSyncFloatingBars, TRUE);
        ExchangeBool(pPX, L"ShowExpandButtonAlways", m_bShowExpandButtonAlways, TRUE);
        ExchangeBool(pPX, L"DblClickFloat", m_bDblClickFloat, FALSE);
        ExchangeBool(pPX, L"ShowTextBelowIcons", m_bShowTextBelowIcons, FALSE);
        ExchangeBool(pPX, L"AltDragCustomization", m_bAltDragCustomization, TRUE);
        ExchangeBool(pPX, L"AutoHideUnusedPopups", m_bAutoHideUnusedPopups, TRUE);
        ExchangeCSize(pPX, L"PopupIconsSize", m_szPopupIcons);
    }
    if (nSchema > 8) {
        ExchangeInt(pPX, L"KeyboardCuesUse", m_nKeyboardCuesUse, kCuesUseAllBars);
        int nCuesShow = m_nKeyboardCuesShow;
        ExchangeInt(pPX, L"KeyboardCuesShow", nCuesShow, kCuesShowAlways);
        if (bLoading)
            SetKeyboardCuesShow(nCuesShow);
    }
}

void CTkCommandBarsOptions::Serialize(CArchive& ar) {
    CTkPropExchangeArchive exchange(ar);
    DoPropExchange(&exchange, FALSE);
}
