// Filling a bar from an RT_TOOLBAR resource and from a list of command ids.

#include "TkCommandBar.h"

#include "TkControl.h"
#include "TkControlDefs.h"
#include "TkControls.h"
#include "TkImageManager.h"

#include <vector>

namespace {

// The resource type of toolbar button lists.
const LPCWSTR kToolBarResourceType = MAKEINTRESOURCEW(0xF1);

// The header of an RT_TOOLBAR resource; the item count's unsigned 16-bit command ids follow it.
struct ToolBarResourceHeader {
    WORD wVersion;
    WORD wWidth;
    WORD wHeight;
    WORD wItemCount;
};
static_assert(sizeof(ToolBarResourceHeader) == 8, "the resource header is four words");

// The icon width toolbars have unless their resource says otherwise.
constexpr int kStandardIconWidth = 16;

}  // namespace

BOOL CTkCommandBar::LoadToolBar(UINT nId, BOOL bLoadImages) {
    m_pControls->RemoveAll();
    if (LOWORD(nId) == 0)
        return FALSE;
    HINSTANCE hModule = AfxGetResourceHandle();
    if (hModule == nullptr)
        return FALSE;
    HRSRC hResource = ::FindResourceW(hModule, MAKEINTRESOURCEW(nId), kToolBarResourceType);
    if (hResource == nullptr)
        return FALSE;
    const DWORD cbResource = ::SizeofResource(hModule, hResource);
    HGLOBAL hData = ::LoadResource(hModule, hResource);
    const auto* pHeader = hData != nullptr ? static_cast<const ToolBarResourceHeader*>(::LockResource(hData)) : nullptr;
    if (pHeader == nullptr || cbResource < sizeof(ToolBarResourceHeader))
        return FALSE;
    // The count comes from the file: the ids it announces must lie inside the resource.
    const size_t nCount = pHeader->wItemCount;
    if (sizeof(ToolBarResourceHeader) + nCount * sizeof(WORD) > cbResource)
        return FALSE;
    const auto* pItems = reinterpret_cast<const WORD*>(pHeader + 1);
    std::vector<UINT> ids(pItems, pItems + nCount);
    SetButtons(ids.data(), static_cast<int>(ids.size()));
    if (!bLoadImages)
        return TRUE;
    if (!GetImageManager()->SetIconsFromBitmapResource(nId, ids.data(), static_cast<int>(ids.size()), pHeader->wWidth,
                                                       pHeader->wHeight, ImageStateNormal))
        return FALSE;
    if (pHeader->wWidth != kStandardIconWidth)
        m_szIcons = CSize(pHeader->wWidth, pHeader->wHeight);
    return TRUE;
}

BOOL CTkCommandBar::SetButtons(const UINT* pIds, int nCount) {
    CWnd* pSite = GetSite();
    if (pSite != nullptr && pSite->GetSafeHwnd() == nullptr)
        pSite = nullptr;
    BOOL bPendingGroup = FALSE;
    for (int i = 0; i < nCount; ++i) {
        if (pIds[i] == 0) {
            bPendingGroup = TRUE;
            continue;
        }
        MenuItemCreateRecord record;
        record.nId = static_cast<int>(pIds[i]);
        record.bToolBar = TRUE;
        record.nPosition = i;
        record.pCommandBar = this;
        record.strCaption = m_strTitle;
        record.nType = kControlButton;
        record.nStyle = kButtonAutomatic;
        CTkControl* pControl = nullptr;
        if (pSite != nullptr && pSite->SendMessage(CreateControlMessage, 0, reinterpret_cast<LPARAM>(&record)) != 0 &&
            record.pControl != nullptr) {
            pControl = m_pControls->InitAddedControl(record.pControl, record.nId, nullptr, -1, FALSE);
        } else {
            pControl = m_pControls->Add(record.nType, record.nId);
            if (pControl != nullptr && pControl->GetStyle() != record.nStyle) {
                pControl->SetStyle(record.nStyle);
                pControl->DelayLayoutParent();
            }
            if (pControl != nullptr && pControl->GetType() == kControlPopup && pControl->GetIconId() != record.nId)
                pControl->SetIconId(record.nId);
        }
        if (pControl == nullptr)
            continue;
        if (bPendingGroup) {
            pControl->SetBeginGroup(TRUE);
            bPendingGroup = FALSE;
        }
        if (pSite != nullptr) {
            record.pControl = pControl;
            pSite->SendMessage(ControlCreatedMessage, 0, reinterpret_cast<LPARAM>(&record));
        }
    }
    return TRUE;
}
