// The collection's factory and menu import: controls made by ControlType, by reserved command id and
// from menu items, with the site offered a say in each.

#include "TkControls.h"

#include "TkCommandBar.h"
#include "TkCommandBars.h"
#include "TkControl.h"
#include "TkControlAction.h"
#include "TkControlPopup.h"
#include "TkPopupBar.h"
#include "TkResourceManager.h"
#include "TkTextFunctions.h"

namespace {

// The class of each ControlType (index = type). Classes are found by name: a kind whose class is not
// linked into the program answers NULL.
const char* const kTypeClassNames[] = {
    nullptr,           "CTkControlButton",   "CTkControlPopup",   "CTkControlPopup",
    "CTkControlPopup", "CTkControlComboBox", "CTkControlEdit",    "CTkControlCustom",
    "CTkControlLabel", "CTkControlCheckBox", "CTkControlGallery", "CTkControlRadioButton",
};

// Buttons of these ids are placeholders that expand into run-time lists; a placeholder whose class is
// not linked in is a plain button.
struct PlaceholderRow {
    UINT nId;
    const char* pszClassName;
};
const PlaceholderRow kFactoryPlaceholders[] = {
    {kIdWindowList, "CTkControlWindowList"},
    {kIdWorkspaceActions, "CTkControlWorkspaceActions"},
    {ID_VIEW_TOOLBAR, "CTkControlToolbars"},
    {kIdRecentFileList, "CTkControlRecentFileList"},
};
// The menu import knows the recent files by the framework's first recent-file command instead.
const PlaceholderRow kMenuPlaceholders[] = {
    {kIdWindowList, "CTkControlWindowList"},
    {kIdWorkspaceActions, "CTkControlWorkspaceActions"},
    {ID_VIEW_TOOLBAR, "CTkControlToolbars"},
    {ID_FILE_MRU_FILE1, "CTkControlRecentFileList"},
};
const wchar_t kOleVerbsText[] = L"<<OLE VERBS GO HERE>>";
// The command of the first child window in a window menu: the window list makes those items itself.
constexpr UINT kFirstMdiChildCommand = 0xFF00;
constexpr int kMaxMenuText = 1024;

// A new control of the named class; NULL when the class is missing or not a control (checked before
// anything is created).
CTkControl* CreateControlByName(const char* pszClassName) {
    if (pszClassName == nullptr)
        return nullptr;
    CRuntimeClass* pClass = CRuntimeClass::FromName(pszClassName);
    if (pClass == nullptr || !pClass->IsDerivedFrom(RUNTIME_CLASS(CTkControl)))
        return nullptr;
    return static_cast<CTkControl*>(pClass->CreateObject());
}

template <size_t N>
CTkControl* CreateButtonForId(const PlaceholderRow (&rows)[N], UINT nId) {
    for (const PlaceholderRow& row : rows) {
        if (row.nId == nId) {
            if (CTkControl* pControl = CreateControlByName(row.pszClassName))
                return pControl;
        }
    }
    return CreateControlByName(kTypeClassNames[kControlButton]);
}

BOOL IsReservedCommand(int nId) {
    const UINT nCommand = static_cast<UINT>(nId);
    return (nCommand >= kFirstToolkitCommand && nCommand <= kLastToolkitCommand) ||
           (nCommand >= kFirstPlaceholderId && nCommand <= kLastPlaceholderId);
}

// The first submenu of menu resource nId (with the text of the first item), or NULL.
HMENU LoadFirstSubMenu(CMenu& menu, int nId, CString* pTitle) {
    if (nId <= 0 || nId > 0xFFFF || !GetResourceManager()->LoadMenu(&menu, static_cast<UINT>(nId)))
        return nullptr;
    if (pTitle != nullptr)
        CTkResourceManager::GetMenuItemText(&menu, 0, *pTitle, MF_BYPOSITION);
    return ::GetSubMenu(menu.GetSafeHmenu(), 0);
}

// Offers the site the making of a popup's sub bar; the popup bar it made (its reference handed over), or
// NULL. The site may give another title.
CTkCommandBar* AskSiteForPopupBar(CWnd* pSite, CString& strTitle, int nId) {
    if (pSite == nullptr)
        return nullptr;
    CommandBarCreateRecord record;
    record.bPopup = TRUE;
    record.pszTitle = strTitle;
    record.nId = static_cast<UINT>(nId);
    pSite->SendMessage(CreateCommandBarMessage, 0, reinterpret_cast<LPARAM>(&record));
    CTkCommandBar* pBar = record.pCommandBar;
    if (pBar == nullptr)
        return nullptr;
    if (!pBar->IsPopupBar()) {
        pBar->InternalRelease();
        return nullptr;
    }
    if (record.pszTitle != nullptr)
        strTitle = record.pszTitle;
    return pBar;
}

}  // namespace

CTkControl* CTkControls::Add(int nType, int nId, LPCWSTR pszParameter, int nBefore, BOOL bTemporary) {
    if (nType < kControlButton || nType > kControlRadioButton)
        return nullptr;
    CTkControl* pControl = nType == kControlButton ? CreateButtonForId(kFactoryPlaceholders, static_cast<UINT>(nId))
                                                   : CreateControlByName(kTypeClassNames[nType]);
    if (pControl == nullptr)
        return nullptr;
    // A popup gets a sub bar unless it made its own (a combo box has its list).
    if (auto* pPopup = DYNAMIC_DOWNCAST(CTkControlPopup, pControl);
        pPopup != nullptr && pPopup->GetCommandBar() == nullptr) {
        CTkCommandBar* pSubBar = nullptr;
        CMenu menu;
        HMENU hSubMenu = nullptr;
        if (nId > 0) {
            CString strTitle;
            hSubMenu = LoadFirstSubMenu(menu, nId, &strTitle);
            CWnd* pSite = GetCommandBars() != nullptr ? GetCommandBars()->GetSite() : nullptr;
            if (pSite == nullptr && m_pParent != nullptr)
                pSite = m_pParent->GetOwnerWindow();
            pSubBar = AskSiteForPopupBar(pSite, strTitle, nId);
            pPopup->SetCaption(strTitle);
        }
        if (pSubBar == nullptr)
            pSubBar = CTkPopupBar::CreatePopupBar(GetCommandBars());
        if (pSubBar == nullptr) {
            pControl->InternalRelease();
            return nullptr;
        }
        if (hSubMenu != nullptr)
            pSubBar->LoadMenu(CMenu::FromHandle(hSubMenu), TRUE);
        pPopup->SetCommandBar(pSubBar);
        pSubBar->InternalRelease();
    }
    pControl->SetType(nType);
    return InitAddedControl(pControl, nId, pszParameter, nBefore, bTemporary);
}

CTkControl* CTkControls::InitAddedControl(CTkControl* pControl, int nId, LPCWSTR pszParameter, int nBefore,
                                          BOOL bTemporary) {
    if (pControl == nullptr)
        return nullptr;
    pControl->SetParameter(pszParameter != nullptr ? pszParameter : L"");
    pControl->SetTemporary(bTemporary);
    if (pControl->GetAction() == nullptr) {
        CTkCommandBars* pCommandBars = GetCommandBars();
        CTkControlAction* pAction = pCommandBars != nullptr ? pCommandBars->FindAction(nId) : nullptr;
        if (pAction == nullptr && pCommandBars != nullptr && pCommandBars->IsActionsEnabled() && IsActionId(nId) &&
            !IsReservedCommand(nId))
            pAction = pCommandBars->GetOrCreateAction(nId);
        if (pAction != nullptr)
            pControl->SetAction(pAction);
        else
            pControl->SetId(nId);
    }
    InsertAt(pControl, nBefore);
    return pControl;
}

CTkControl* CTkControls::AddMenuItem(CMenu* pMenu, int nPosition) {
    const HMENU hMenu = pMenu != nullptr ? pMenu->GetSafeHmenu() : nullptr;
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
    if (hMenu == nullptr || !::GetMenuItemInfoW(hMenu, static_cast<UINT>(nPosition), TRUE, &info))
        return nullptr;
    if (info.wID == kFirstMdiChildCommand)
        return nullptr;
    const HMENU hSubMenu = info.hSubMenu;
    // A submenu appended by handle reports the handle's low bits as its id: that is no command.
    int nId = hSubMenu != nullptr && info.wID == static_cast<UINT>(reinterpret_cast<UINT_PTR>(hSubMenu))
                  ? 0
                  : static_cast<int>(info.wID);
    const BOOL bDefault = static_cast<int>(::GetMenuDefaultItem(hMenu, TRUE, GMDI_USEDISABLED)) == nPosition;

    CString strText;
    CTkResourceManager::GetMenuItemText(pMenu, static_cast<UINT>(nPosition), strText, MF_BYPOSITION);
    strText = strText.Left(kMaxMenuText);
    // "Title\t1200": a submenu may carry its own command id after a tab.
    const int nTab = strText.Find(L'\t');
    if (hSubMenu != nullptr && nTab > 0) {
        const int nNumber = static_cast<int>(std::wcstol(strText.GetString() + nTab + 1, nullptr, 10));
        if (nNumber != 0) {
            nId = nNumber;
            strText = strText.Left(nTab);
        }
    }

    CTkCommandBars* pOwnCommandBars = m_pCommandBars;
    CWnd* pSite = pOwnCommandBars != nullptr ? pOwnCommandBars->GetSite()
                                             : (m_pParent != nullptr ? m_pParent->GetOwnerWindow() : nullptr);
    MenuItemCreateRecord record;
    record.nId = nId;
    record.nPosition = nPosition;
    record.hMenu = hMenu;
    record.pCommandBar = m_pParent;
    record.strCaption = strText;
    record.nType = hSubMenu != nullptr ? kControlPopup : kControlButton;
    record.nStyle = kButtonAutomatic;
    int nType = record.nType;
    int nStyle = kButtonAutomatic;
    CTkControl* pControl = nullptr;
    if (pSite != nullptr && pSite->SendMessage(CreateControlMessage, 0, reinterpret_cast<LPARAM>(&record)) != 0) {
        nType = record.nType;
        strText = record.strCaption;
        nStyle = record.nStyle;
        nId = record.nId;
        pControl = record.pControl;
    }

    if (pControl == nullptr) {
        if (nType == kControlButton) {
            pControl = static_cast<UINT>(nId) == ID_OLE_VERB_FIRST && strText == kOleVerbsText
                           ? CreateControlByName("CTkControlOleItems")
                           : nullptr;
            if (pControl == nullptr)
                pControl = CreateButtonForId(kMenuPlaceholders, static_cast<UINT>(nId));
        } else if (nType > kControlButton && nType <= kControlRadioButton && nType != kControlCustom) {
            pControl = CreateControlByName(kTypeClassNames[nType]);
        }
        if (pControl == nullptr)
            return nullptr;
        if (auto* pPopup = DYNAMIC_DOWNCAST(CTkControlPopup, pControl);
            pPopup != nullptr && pPopup->GetCommandBar() == nullptr) {
            CString strTitle = strText;
            RemoveMnemonicMarkers(strTitle);
            CTkCommandBar* pSubBar = AskSiteForPopupBar(pSite, strTitle, nId);
            if (pSubBar == nullptr)
                pSubBar = CTkPopupBar::CreatePopupBar(GetCommandBars());
            if (pSubBar == nullptr) {
                pControl->InternalRelease();
                return nullptr;
            }
            pSubBar->SetTitle(strTitle);
            if (hSubMenu != nullptr) {
                pSubBar->LoadMenu(CMenu::FromHandle(hSubMenu), FALSE);
            } else {
                CMenu menu;
                if (HMENU hResourceMenu = LoadFirstSubMenu(menu, nId, nullptr))
                    pSubBar->LoadMenu(CMenu::FromHandle(hResourceMenu), FALSE);
            }
            pPopup->SetCommandBar(pSubBar);
            pSubBar->InternalRelease();
        }
        pControl->SetType(nType);
        if (pControl->m_nStyle != nStyle) {
            pControl->SetStyle(nStyle);
            pControl->DelayLayoutParent();
        }
        pControl->SetTag(static_cast<INT_PTR>(info.dwItemData));
    }

    if (pControl->GetAction() == nullptr) {
        CTkCommandBars* pCommandBars = GetCommandBars();
        CTkControlAction* pAction = pCommandBars != nullptr ? pCommandBars->FindAction(nId) : nullptr;
        if (pAction == nullptr && pCommandBars != nullptr && pCommandBars->IsActionsEnabled() && IsActionId(nId))
            pAction = pCommandBars->GetOrCreateAction(nId);
        if (pAction != nullptr) {
            pControl->SetAction(pAction);
            if (pAction->GetCaptionText().IsEmpty())
                pAction->SetCaption(strText);
        } else {
            pControl->SetId(nId);
            pControl->SetCaption(strText);
        }
    }
    if (bDefault)
        pControl->SetDefaultItem(TRUE);
    Append(pControl);
    if (pSite != nullptr) {
        record.pControl = pControl;
        pSite->SendMessage(ControlCreatedMessage, 0, reinterpret_cast<LPARAM>(&record));
    }
    return pControl;
}
