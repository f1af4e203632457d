// The recent-file and workspace-action placeholders.

#include "TkControlPlaceholders.h"

#include "TkCommandBar.h"
#include "TkControls.h"

IMPLEMENT_SERIAL(CTkControlRecentFileList, CTkControlButton, VERSIONABLE_SCHEMA | 33)
IMPLEMENT_SERIAL(CTkControlWorkspaceActions, CTkControlButton, VERSIONABLE_SCHEMA | 33)

namespace {

WorkspaceActionQuery s_pfnWorkspaceActionQuery = nullptr;

// In the order the items are listed.
constexpr UINT kWorkspaceActions[] = {kIdWorkspaceNewHorizontal, kIdWorkspaceNewVertical, kIdWorkspaceMovePrevious,
                                      kIdWorkspaceMoveNext};

CString CurrentDirectoryPrefix() {
    wchar_t szBuffer[MAX_PATH];
    const DWORD nAnswered = ::GetCurrentDirectoryW(MAX_PATH, szBuffer);
    return CTkControlRecentFileList::MakeDirectoryPrefix(szBuffer, nAnswered, MAX_PATH);
}

}  // namespace

// ---- Recent files

CRecentFileList* CTkControlRecentFileList::GetRecentFileList() {
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr ? pApp->m_pRecentFileList : nullptr;
}

int CTkControlRecentFileList::GetFirstMruId() {
    return ID_FILE_MRU_FILE1;
}

CString CTkControlRecentFileList::MakeDirectoryPrefix(LPCWSTR pszBuffer, DWORD nAnswered, DWORD nBufferSize) {
    // The system answers the size it would need when the directory does not fit, leaving the buffer
    // unwritten.
    if (nAnswered == 0 || nAnswered >= nBufferSize)
        return CString();
    CString strDirectory(pszBuffer, static_cast<int>(nAnswered));
    if (strDirectory.Right(1) != L"\\")
        strDirectory += L'\\';
    return strDirectory;
}

void CTkControlRecentFileList::PrepareForLayout(DWORD dwLayoutMode) {
    CRecentFileList* pList = GetRecentFileList();
    if (pList == nullptr || pList->m_arrNames == nullptr)
        return;
    const int nFirstId = GetFirstMruId();
    const int nCapacity = pList->GetSize();
    RemovePlaceholderItems(this, [nFirstId, nCapacity](CTkControl* pItem) {
        return pItem->GetId() >= nFirstId && pItem->GetId() <= nFirstId + nCapacity;
    });
    if (IsCustomizeMode()) {
        SetHideFlags(0);
        SetEnabled(1);
        return;
    }
    if (nCapacity <= 0 || pList->m_arrNames[0].IsEmpty()) {
        // The placeholder's own caption shows, disabled.
        SetHideFlags(0);
        SetEnabled(0);
        return;
    }
    SetHideFlags(m_dwHideFlags | kHideGeneric);
    const CString strDirectory = CurrentDirectoryPrefix();
    for (int i = 0; i < nCapacity; ++i) {
        CString strName;
        if (!pList->GetDisplayName(strName, i, strDirectory, strDirectory.GetLength(), TRUE))
            break;
        CTkControl* pItem = m_pControls->Add(kControlButton, nFirstId + i, nullptr, m_nIndex + 1 + i, TRUE);
        if (pItem == nullptr)
            break;
        pItem->SetCaption(FormatNumberedMenuText(strName, i + 1));
        pItem->SetFlags(kControlFlagNoUpdate);
        if (i == 0) {
            // No separator above the first file at the top of a menu.
            pItem->SetBeginGroup(m_nIndex != 0);
            if ((m_dwFlags & kControlFlagNewRow) != 0)
                pItem->SetFlags(pItem->GetFlags() | kControlFlagNewRow);
        }
    }
}

BOOL CTkControlRecentFileList::CanDropOnBar(CTkCommandBar* pTarget, CPoint pt, int& nDropEffect) {
    return AcceptPopupBarsOnly(pTarget, nDropEffect);
}

// ---- Workspace actions

void RegisterWorkspaceActionQuery(WorkspaceActionQuery pfnQuery) {
    s_pfnWorkspaceActionQuery = pfnQuery;
}

void CTkControlWorkspaceActions::PrepareForLayout(DWORD dwLayoutMode) {
    if (m_pParent == nullptr)
        return;
    RemovePlaceholderItems(this, [](CTkControl* pItem) {
        return pItem->GetId() >= static_cast<int>(kIdWorkspaceMovePrevious) &&
               pItem->GetId() <= static_cast<int>(kIdWorkspaceNewVertical);
    });
    auto* pFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, m_pParent->GetSite());
    const HWND hWndClient = pFrame != nullptr ? pFrame->m_hWndMDIClient : nullptr;
    if (hWndClient == nullptr || s_pfnWorkspaceActionQuery == nullptr)
        return;
    BOOL bEnabled[std::size(kWorkspaceActions)] = {};
    for (size_t i = 0; i < std::size(kWorkspaceActions); ++i) {
        // Not a tab workspace: the placeholder keeps its hide flags.
        if (!s_pfnWorkspaceActionQuery(hWndClient, kWorkspaceActions[i], bEnabled[i]))
            return;
    }
    SetHideFlags(m_dwHideFlags | kHideGeneric);
    int nBefore = m_nIndex + 1;
    CTkControl* pFirst = nullptr;
    for (size_t i = 0; i < std::size(kWorkspaceActions); ++i) {
        if (!bEnabled[i])
            continue;
        CTkControl* pItem =
            m_pControls->Add(kControlButton, static_cast<int>(kWorkspaceActions[i]), nullptr, nBefore++, TRUE);
        if (pItem == nullptr)
            continue;
        pItem->SetFlags(kControlFlagNoUpdate);
        if (pFirst == nullptr)
            pFirst = pItem;
    }
    if (pFirst != nullptr)
        pFirst->SetBeginGroup(m_bBeginGroup);
}
