// The skin manager's window side: the process's manager, the creation hooks, the window-to-object map,
// the window-class table, and telling windows about skin changes.

#include "TkSkinManager.h"

#include "OSVersionInfo.h"
#include "TkSkinManagerApiHook.h"
#include "TkSkinManagerMetrics.h"
#include "TkSkinManagerResourceFile.h"
#include "TkSkinManagerSchema.h"
#include "TkSkinObjectButton.h"
#include "TkSkinObjectComboBox.h"
#include "TkSkinObjectDateTime.h"
#include "TkSkinObjectEdit.h"
#include "TkSkinObjectFrame.h"
#include "TkSkinObjectHeader.h"
#include "TkSkinObjectList.h"
#include "TkSkinObjectMDIClient.h"
#include "TkSkinObjectMenu.h"
#include "TkSkinObjectProgress.h"
#include "TkSkinObjectScrollBar.h"
#include "TkSkinObjectSpin.h"
#include "TkSkinObjectStatusBar.h"
#include "TkSkinObjectTab.h"
#include "TkSkinObjectToolBar.h"
#include "TkSkinObjectTrackBar.h"

#include <cwchar>
#include <new>
#include <utility>

namespace {

// The per-thread record of the framework: the thread's creation hook, removed when the thread ends.
struct TK_SKINAMANGER_THREAD_STATE : public CNoTrackObject {
    ~TK_SKINAMANGER_THREAD_STATE() override {
        if (m_hHook != nullptr)
            ::UnhookWindowsHookEx(m_hHook);
    }
    HHOOK m_hHook = nullptr;
};

CThreadLocal<TK_SKINAMANGER_THREAD_STATE> g_skinThreadState;

class SkinManagerHolder {
public:
    SkinManagerHolder() {
        try {
            m_pManager = new CTkSkinManager;
        } catch (CException* e) {
            e->Delete();
        } catch (...) {
        }
    }
    ~SkinManagerHolder() {
        // Code that runs while the manager goes finds no manager rather than a half-destroyed one.
        CTkSkinManager* pManager = m_pManager;
        m_pManager = nullptr;
        delete pManager;
    }
    CTkSkinManager* Get() const { return m_pManager; }

private:
    CTkSkinManager* m_pManager = nullptr;
};

LRESULT CALLBACK SkinCbtHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
    // A hook procedure is a callback boundary: nothing thrown may pass it.
    HHOOK hHook = nullptr;
    try {
        hHook = g_skinThreadState.GetData()->m_hHook;
    } catch (CException* e) {
        e->Delete();
    }
    const LRESULT lResult = ::CallNextHookEx(hHook, nCode, wParam, lParam);
    // A creation that an older hook cancelled has no window to skin.
    if (nCode != HCBT_CREATEWND || lResult != 0)
        return lResult;
    CTkSkinManager* pManager = GetSkinManager();
    if (pManager == nullptr || !pManager->IsSkinNewWindows())
        return lResult;
    auto hWnd = reinterpret_cast<HWND>(wParam);
    wchar_t szClass[50] = L"";
    if (::GetClassNameW(hWnd, szClass, _countof(szClass)) == 0)
        return lResult;
    try {
        pManager->CreateSkinObjectForWindow(hWnd, szClass, reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs, 1);
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return lResult;
}

void CALLBACK SkinWinEventProc(HWINEVENTHOOK, DWORD dwEvent, HWND hWnd, LONG idObject, LONG, DWORD, DWORD) {
    if (dwEvent != EVENT_OBJECT_REORDER || idObject != OBJID_WINDOW)
        return;
    CTkSkinManager* pManager = GetSkinManager();
    if (pManager == nullptr || !pManager->IsSkinEnabled() || (pManager->GetApplyOptions() & tkSkinApplyFrame) == 0)
        return;
    constexpr DWORD kFrameStyles = WS_HSCROLL | WS_VSCROLL | WS_DLGFRAME | WS_BORDER;
    if (pManager->FindSkinObject(hWnd) != nullptr &&
        (static_cast<DWORD>(::GetWindowLongW(hWnd, GWL_STYLE)) & kFrameStyles) != 0)
        ::SetTimer(hWnd, kSkinStyleRefreshTimer, 1000, nullptr);
}

BOOL CALLBACK PostSysColorChange(HWND hWnd, LPARAM) {
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcessId);
    if (dwProcessId == ::GetCurrentProcessId())
        ::PostMessageW(hWnd, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}

bool Contains(const CString& strText, LPCWSTR pszPart) {
    return strText.Find(pszPart) >= 0;
}

}  // namespace

CTkSkinManager* GetSkinManager() {
    static SkinManagerHolder s_holder;
    return s_holder.Get();
}

CTkSkinManager::CTkSkinManager()
    : m_pMetrics(std::make_unique<CTkSkinManagerMetrics>(this)),
      m_pResourceFile(std::make_unique<CTkSkinManagerResourceFile>()) {
    m_pResourceFile->SetManager(this);
    RegisterSkinClasses();
    m_dwComCtlVersion = OSVersionInfo::GetComCtlVersion();
    m_bWin9x = GetOSVersionInfo()->IsWin9x();
    GetSkinApiHook();
    if (HMODULE hUser = ::GetModuleHandleW(L"USER32")) {
        m_pfnSetWinEventHook = reinterpret_cast<PFNSETWINEVENTHOOK>(::GetProcAddress(hUser, "SetWinEventHook"));
        m_pfnUnhookWinEvent = reinterpret_cast<PFNUNHOOKWINEVENT>(::GetProcAddress(hUser, "UnhookWinEvent"));
        if (m_pfnSetWinEventHook != nullptr && m_pfnUnhookWinEvent != nullptr)
            m_hWinEventHook =
                m_pfnSetWinEventHook(EVENT_OBJECT_REORDER, EVENT_OBJECT_REORDER, nullptr, &SkinWinEventProc,
                                     ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    }
    InstallCreateHook();
}

void CTkSkinManager::InstallCreateHook() {
    TK_SKINAMANGER_THREAD_STATE* pState = g_skinThreadState.GetData();
    if (pState->m_hHook == nullptr)
        pState->m_hHook = ::SetWindowsHookExW(WH_CBT, &SkinCbtHookProc, nullptr, ::GetCurrentThreadId());
}

// ---- Skin changes

void CTkSkinManager::OnSkinChanged(BOOL bPrevState, BOOL bNewState) {
    ::EnumWindows(&PostSysColorChange, 0);
    // The objects are told outside the lock (they send messages), on a snapshot that holds a reference on
    // each: other threads create and destroy windows meanwhile.
    std::vector<std::pair<HWND, CTkSkinObject*>> objects;
    {
        const ToolkitLockGuard guard(m_lock);
        objects.reserve(m_skinObjects.size());
        for (const auto& entry : m_skinObjects) {
            entry.second->InternalAddRef();
            objects.push_back(entry);
        }
    }
    for (const auto& [hWnd, pObject] : objects) {
        if (::IsWindow(hWnd))
            pObject->OnSkinChanged(bPrevState, bNewState);
        else
            RemoveSkinObject(hWnd, FALSE);
        pObject->InternalRelease();
    }
}

// ---- The map

CTkSkinObject* CTkSkinManager::FindSkinObject(HWND hWnd) {
    const ToolkitLockGuard guard(m_lock);
    const auto it = m_skinObjects.find(hWnd);
    return it != m_skinObjects.end() ? it->second : nullptr;
}

CTkSkinObject* CTkSkinManager::TakeSkinObject(HWND hWnd) {
    const ToolkitLockGuard guard(m_lock);
    const auto it = m_skinObjects.find(hWnd);
    if (it == m_skinObjects.end())
        return nullptr;
    CTkSkinObject* pObject = it->second;
    m_skinObjects.erase(it);
    return pObject;
}

void CTkSkinManager::RemoveSkinObject(HWND hWnd, BOOL bDestroying) {
    if (CTkSkinObject* pObject = TakeSkinObject(hWnd)) {
        pObject->DetachFromWindow(bDestroying);
        pObject->InternalRelease();
    }
}

void CTkSkinManager::DetachAll(BOOL bDetach) {
    std::unordered_map<HWND, CTkSkinObject*> objects;
    {
        const ToolkitLockGuard guard(m_lock);
        objects.swap(m_skinObjects);
    }
    for (const auto& entry : objects) {
        if (bDetach)
            entry.second->DetachFromWindow(FALSE);
        entry.second->InternalRelease();
    }
}

// ---- New windows

CTkSkinObject* CTkSkinManager::CreateSkinObjectForWindow(HWND hWnd, LPCWSTR pszClassName, LPCREATESTRUCT lpcs,
                                                         int nFlag) {
    // Tool tips draw themselves over every other window; the input-method windows belong to the system.
    if (std::wcscmp(pszClassName, L"tooltips_class32") == 0 || _wcsicmp(pszClassName, L"IME") == 0)
        return nullptr;
    const CString strClass(pszClassName);
    CTkSkinObject* pObject = nullptr;
    if (Contains(strClass, L"WindowsForms")) {
        // "WindowsForms10.BUTTON.app.0.1" is a BUTTON. Such windows keep their procedures: the framework
        // behind them does not tolerate a replaced one, so they are skinned through the default procedures.
        const int nFirst = strClass.Find(L'.');
        const int nNext = nFirst >= 0 ? strClass.Find(L'.', nFirst + 1) : -1;
        if (nNext > nFirst + 1) {
            if (CTkSkinObjectClassInfo* pInfo = FindSkinObjectClass(strClass.Mid(nFirst + 1, nNext - nFirst - 1)))
                pObject = pInfo->CreateObject(pszClassName, lpcs);
        }
        if (pObject == nullptr)
            pObject = new CTkSkinObjectFrame;
        pObject->SetPassive(TRUE);
    } else if (CTkSkinObjectClassInfo* pInfo = FindSkinObjectClass(strClass)) {
        pObject = pInfo->CreateObject(pszClassName, lpcs);
        if (pObject == nullptr)
            return nullptr;
    } else {
        // Browser and COM windows host foreign rendering.
        if (Contains(strClass, L"Internet Explorer") || Contains(strClass, L"OleMainThread"))
            return nullptr;
        pObject = new CTkSkinObjectFrame;
    }
    if (strClass == L"#32770") {
        if (auto* pFrame = dynamic_cast<CTkSkinObjectFrame*>(pObject))
            pFrame->SetWindowKind(IsPropertySheetPage(lpcs) ? CTkSkinObjectFrame::kPropertyPage
                                                            : CTkSkinObjectFrame::kDialog);
    }
    pObject->SetManager(this);
    CTkSkinObject* pStale = nullptr;
    {
        const ToolkitLockGuard guard(m_lock);
        CTkSkinObject*& pEntry = m_skinObjects[hWnd];
        // A handle reused after its window died unnoticed: the old object has no window left to detach from.
        pStale = pEntry;
        pEntry = pObject;
    }
    if (pStale != nullptr)
        pStale->InternalRelease();
    pObject->AttachToWindow(hWnd, lpcs, nFlag);
    return pObject;
}

BOOL CTkSkinManager::IsPropertySheetPage(LPCREATESTRUCT lpcs) {
    if (lpcs == nullptr || lpcs->hwndParent == nullptr)
        return FALSE;
    constexpr LONG kPageStyle = DS_CONTROL | WS_CHILD;
    if ((lpcs->style & kPageStyle) != kPageStyle)
        return FALSE;
    // A dialog inside a page belongs to the page.
    if (auto* pParent = dynamic_cast<CTkSkinObjectFrame*>(FindSkinObject(lpcs->hwndParent));
        pParent != nullptr && pParent->GetWindowKind() == CTkSkinObjectFrame::kPropertyPage)
        return TRUE;
    // A property sheet answers with its tab control. A wizard has one too, but hidden: its pages are
    // drawn as plain dialogs.
    auto hTab = reinterpret_cast<HWND>(::SendMessageW(lpcs->hwndParent, PSM_GETTABCONTROL, 0, 0));
    return ::IsWindow(hTab) && (::GetWindowLongW(hTab, GWL_STYLE) & WS_VISIBLE) != 0;
}

// ---- The window-class table

void CTkSkinManager::RegisterSkinClasses() {
    // Window classes with skin objects of their own come first, then their aliases and the names other
    // frameworks give the same controls, then the popup menus and the classes that keep the system's look.
    static const std::pair<LPCWSTR, CRuntimeClass*> kClasses[] = {
        {L"ComboBox", RUNTIME_CLASS(CTkSkinObjectComboBox)},
        {L"Edit", RUNTIME_CLASS(CTkSkinObjectEdit)},
        {L"SysDateTimePick32", RUNTIME_CLASS(CTkSkinObjectDateTime)},
        {L"SysMonthCal32", RUNTIME_CLASS(CTkSkinObjectMonthCal)},
        {L"ListBox", RUNTIME_CLASS(CTkSkinObjectListBox)},
        {L"ScrollBar", RUNTIME_CLASS(CTkSkinObjectScrollBar)},
        {L"SysListView32", RUNTIME_CLASS(CTkSkinObjectListView)},
        {L"SysHeader32", RUNTIME_CLASS(CTkSkinObjectHeader)},
        {L"msctls_statusbar32", RUNTIME_CLASS(CTkSkinObjectStatusBar)},
        {L"SysTreeView32", RUNTIME_CLASS(CTkSkinObjectTreeView)},
        {L"msctls_progress32", RUNTIME_CLASS(CTkSkinObjectProgress)},
        {L"msctls_trackbar32", RUNTIME_CLASS(CTkSkinObjectTrackBar)},
        {L"SysTabControl32", RUNTIME_CLASS(CTkSkinObjectTab)},
        {L"MDIClient", RUNTIME_CLASS(CTkSkinObjectMDIClient)},
        {L"msctls_updown32", RUNTIME_CLASS(CTkSkinObjectSpin)},
        {L"ToolbarWindow32", RUNTIME_CLASS(CTkSkinObjectToolBar)},
        {L"Button", RUNTIME_CLASS(CTkSkinObjectButton)},
    };
    for (const auto& [pszClass, pClass] : kClasses)
        AddSkinObjectClass(pszClass, pClass);
    // A combo box's drop-down list is a list box.
    AddSkinObjectAlias(L"ComboLBox", L"ListBox");
    AddSkinObjectAlias(L"ATL:ScrollBar", L"ScrollBar");
    static const std::pair<LPCWSTR, LPCWSTR> kAliases[] = {
        {L"TButton", L"Button"},
        {L"TEdit", L"Edit"},
        {L"TMemo", L"Edit"},
        {L"TNewProgressBar", L"msctls_progress32"},
        {L"TRichEditViewer", L"Edit"},
        {L"TRadioButton", L"Button"},
        {L"TCheckBox", L"Button"},
        {L"TComboBox", L"ComboBox"},
        {L"TGroupBox", L"Button"},
        {L"TScrollBar", L"ScrollBar"},
        {L"TProgressBar", L"msctls_progress32"},
        {L"TTrackBar", L"msctls_trackbar32"},
        {L"TTabControl", L"SysTabControl32"},
        {L"TTreeView", L"SysTreeView32"},
        {L"TListView", L"SysListView32"},
        {L"TListBox", L"ListBox"},
    };
    for (const auto& [pszAlias, pszTarget] : kAliases)
        AddSkinObjectAlias(pszAlias, pszTarget);
    // Popup menus of Windows 95 and NT 4.0 keep the system's look.
    const OSVersionInfo* pVersion = GetOSVersionInfo();
    const bool bOldMenus = pVersion->IsWindows95() || pVersion->IsWindowsNT4();
    AddSkinObjectClass(L"#32768", bOldMenus ? nullptr : RUNTIME_CLASS(CTkSkinObjectMenu));
    AddSkinObjectClass(L"SysPager", nullptr);
}

void CTkSkinManager::AddSkinObjectClass(LPCWSTR pszClass, CRuntimeClass* pClass) {
    CString strKey(pszClass);
    strKey.MakeUpper();
    void* pExisting = nullptr;
    if (m_classTable.Lookup(strKey, pExisting))
        return;
    auto* pInfo = new CTkSkinObjectClassInfo(pClass);
    pInfo->SetOwner(this);
    m_classTable.SetAt(strKey, pInfo);
}

void CTkSkinManager::AddSkinObjectAlias(LPCWSTR pszAlias, LPCWSTR pszTarget) {
    CString strKey(pszAlias);
    strKey.MakeUpper();
    void* pExisting = nullptr;
    if (m_classTable.Lookup(strKey, pExisting))
        return;
    CTkSkinObjectClassInfo* pInfo = FindSkinObjectClass(pszTarget);
    if (pInfo == nullptr)
        return;
    pInfo->InternalAddRef();
    m_classTable.SetAt(strKey, pInfo);
}

CTkSkinObjectClassInfo* CTkSkinManager::FindSkinObjectClass(CString strClass) const {
    strClass.MakeUpper();
    void* pInfo = nullptr;
    return m_classTable.Lookup(strClass, pInfo) ? static_cast<CTkSkinObjectClassInfo*>(pInfo) : nullptr;
}

void CTkSkinManager::ReleaseSkinClassTable() {
    POSITION pos = m_classTable.GetStartPosition();
    while (pos != nullptr) {
        CString strName;
        void* pInfo = nullptr;
        m_classTable.GetNextAssoc(pos, strName, pInfo);
        static_cast<CTkSkinObjectClassInfo*>(pInfo)->InternalRelease();
    }
    m_classTable.RemoveAll();
}
