#include "BarFixtures.h"

#include "SoundManager.h"
#include "TkPaintManager.h"
#include "TkPropExchange.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// No sound device here: the menu sounds go nowhere.
BOOL WINAPI PlayNothing(LPCWSTR, HMODULE, DWORD) {
    return TRUE;
}

class ControlsEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        RegisterControlClasses();
        SoundManager::s_pfnPlaySound = PlayNothing;
        CTkCommandBars::m_pPopupBarClass = RUNTIME_CLASS(CTestPopupBar);
    }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ControlsEnvironment);

const std::function<void()>* s_pLater = nullptr;

void CALLBACK RunLaterTimer(HWND hWnd, UINT, UINT_PTR nId, DWORD) {
    ::KillTimer(hWnd, nId);
    if (s_pLater != nullptr)
        (*s_pLater)();
}

void Log(const std::string& strEntry) {
    BarLog().push_back(strEntry);
}

// Reaches the protected fields of a bar from outside its members.
struct BarFields : CTkCommandBar {
    static constexpr int CTkCommandBar::*kType = &BarFields::m_nType;
    static constexpr int CTkCommandBar::*kPosition = &BarFields::m_nPosition;
    static constexpr DWORD CTkCommandBar::*kFlags = &BarFields::m_dwFlags;
    static constexpr UINT CTkCommandBar::*kBarId = &BarFields::m_nBarId;
    static constexpr CSize CTkCommandBar::*kIcons = &BarFields::m_szIcons;
};
struct HubFields : CTkCommandBars {
    static constexpr CTkPaintManager* CTkCommandBars::*kPaintManager = &HubFields::m_pPaintManager;
};

}  // namespace

std::vector<std::string>& BarLog() {
    static std::vector<std::string> log;
    return log;
}

int CountInBarLog(const std::string& strPrefix) {
    return static_cast<int>(std::count_if(BarLog().begin(), BarLog().end(), [&](const std::string& strEntry) {
        return strEntry.compare(0, strPrefix.size(), strPrefix) == 0;
    }));
}

// ---- Test bars

IMPLEMENT_DYNCREATE(CTestBar, CTkCommandBar)

BOOL CTestBar::SetSelected(int nIndex, int nOrigin) {
    if (nIndex != m_nSelected)
        Log("SetSelected " + std::to_string(nIndex) + " " + std::to_string(nOrigin));
    return CTkCommandBar::SetSelected(nIndex, nOrigin);
}

BOOL CTestBar::SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard) {
    Log("SetTrackingMode " + std::to_string(nMode));
    return CTkCommandBar::SetTrackingMode(nMode, bSelectFirst, bKeyboard);
}

void CTestBar::EndTracking() {
    Log("EndTracking");
    CTkCommandBar::EndTracking();
}

void CTestBar::OnControlSelected(BOOL bSelected, CTkControl* pControl) {
    Log("OnControlSelected " + std::to_string(bSelected));
    CTkCommandBar::OnControlSelected(bSelected, pControl);
}

int CTestBar::DelayLayout() {
    Log("DelayLayout");
    return CTkCommandBar::DelayLayout();
}

void CTestBar::RecalcLayout() {
    Log("RecalcLayout");
}

void CTestBar::Redraw(LPCRECT pRect, BOOL bAnimate) {
    Log("Redraw " + std::to_string(bAnimate));
    CTkCommandBar::Redraw(pRect, bAnimate);
}

IMPLEMENT_DYNCREATE(CTestPopupBar, CTkPopupBar)

BOOL CTestPopupBar::s_bPopupSucceeds = TRUE;

BOOL CTestPopupBar::Popup(CTkControl* pControl, BOOL bSelectFirst) {
    Log("Popup " + std::to_string(bSelectFirst));
    if (!s_bPopupSucceeds)
        return FALSE;
    SetControlPopup(pControl);
    SetTrackingMode(kTrackingMenu, bSelectFirst, bSelectFirst);
    return TRUE;
}

void CTestPopupBar::EndTracking() {
    Log("EndTracking");
    CTkPopupBar::EndTracking();
}

void CTestCommandBars::AddBar(CTkCommandBar* pBar) {
    pBar->SetCommandBars(this);
    m_bars.push_back(pBar);
}

void CTestCommandBars::SetDragTracker(CTkControlDragTracker* pTracker) {
    delete m_pDragTracker;
    m_pDragTracker = pTracker;
}

void SetBarKind(CTkCommandBar* pBar, int nType, int nPosition) {
    pBar->*BarFields::kType = nType;
    pBar->*BarFields::kPosition = nPosition;
}

void SetBarFlags(CTkCommandBar* pBar, DWORD dwFlags) {
    pBar->*BarFields::kFlags = dwFlags;
}

void SetBarId(CTkCommandBar* pBar, UINT nBarId) {
    pBar->*BarFields::kBarId = nBarId;
}

void SetBarIconSize(CTkCommandBar* pBar, CSize szIcons) {
    pBar->*BarFields::kIcons = szIcons;
}

void SetHubPaintManager(CTkCommandBars* pCommandBars, CTkPaintManager* pPaintManager) {
    if (pPaintManager != nullptr)
        pPaintManager->InternalAddRef();
    if (CTkPaintManager* pOld = pCommandBars->*HubFields::kPaintManager)
        pOld->InternalRelease();
    pCommandBars->*HubFields::kPaintManager = pPaintManager;
}

BOOL CreateBarWindow(CTkCommandBar* pBar, CWnd* pSite, const CRect& rc) {
    return pBar->CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_POPUP, rc.left, rc.top, rc.Width(), rc.Height(),
                          pSite->GetSafeHwnd(), nullptr);
}

// ---- The recording site

BEGIN_MESSAGE_MAP(CRecordingSite, CFrameWnd)
    ON_MESSAGE(ControlNotifyMessage, OnControlNotify)
    ON_MESSAGE(CreateControlMessage, OnCreateControl)
    ON_MESSAGE(ControlCreatedMessage, OnControlCreated)
    ON_MESSAGE(CreateCommandBarMessage, OnCreateCommandBar)
    ON_NOTIFY_EX(kControlNotifyExecute, CRecordingSite::kNotifyHandlerId, OnExecuteNotify)
    ON_MESSAGE(ControlHighlightedMessage, OnBarMessage)
    ON_MESSAGE(TrackingStartedMessage, OnBarMessage)
    ON_MESSAGE(BarVisibilityChangedMessage, OnBarMessage)
    ON_MESSAGE(BarResetMessage, OnBarMessage)
    ON_MESSAGE(ControlRightButtonUpMessage, OnBarMessage)
    ON_MESSAGE(TrackingKeyMessage, OnTrackingKey)
    ON_COMMAND_RANGE(1, CRecordingSite::kUnhandledFirstId - 1, OnAnyCommand)
    ON_UPDATE_COMMAND_UI_RANGE(1, CRecordingSite::kUnhandledFirstId - 1, OnUpdateAnyCommand)
END_MESSAGE_MAP()

BOOL CRecordingSite::CreateHidden() {
    return CreateEx(0, AfxRegisterWndClass(0), L"site", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr);
}

LRESULT CRecordingSite::OnControlNotify(WPARAM wParam, LPARAM lParam) {
    auto* pRecord = reinterpret_cast<ControlNotifyRecord*>(lParam);
    m_notifications.push_back({static_cast<UINT>(wParam), pRecord->hdr.code, pRecord->pControl});
    return m_onNotify ? m_onNotify(pRecord) : 0;
}

LRESULT CRecordingSite::OnCreateControl(WPARAM, LPARAM lParam) {
    return m_onCreateControl ? m_onCreateControl(reinterpret_cast<MenuItemCreateRecord*>(lParam)) : 0;
}

LRESULT CRecordingSite::OnControlCreated(WPARAM, LPARAM lParam) {
    m_created.push_back(*reinterpret_cast<MenuItemCreateRecord*>(lParam));
    return 0;
}

LRESULT CRecordingSite::OnCreateCommandBar(WPARAM, LPARAM lParam) {
    auto* pRecord = reinterpret_cast<CommandBarCreateRecord*>(lParam);
    m_barRequests.push_back(*pRecord);
    if (m_onCreateBar)
        m_onCreateBar(pRecord);
    return 0;
}

void CRecordingSite::OnAnyCommand(UINT nId) {
    m_commands.push_back(nId);
}

void CRecordingSite::OnUpdateAnyCommand(CCmdUI* pCmdUI) {
    if (dynamic_cast<CTestCmdUI*>(pCmdUI) == nullptr)
        m_updates.push_back(pCmdUI->m_nID);
    pCmdUI->Enable(m_disabledCommands.count(pCmdUI->m_nID) == 0);
}

LRESULT CRecordingSite::OnBarMessage(WPARAM wParam, LPARAM) {
    m_barMessages.emplace_back(GetCurrentMessage()->message, wParam);
    return 0;
}

LRESULT CRecordingSite::OnTrackingKey(WPARAM wParam, LPARAM lParam) {
    auto* pRecord = reinterpret_cast<TrackingKeyRecord*>(wParam);
    m_barMessages.emplace_back(TrackingKeyMessage, pRecord->nKey);
    if (m_onTrackingKey)
        m_onTrackingKey(pRecord, reinterpret_cast<CTkCommandBar*>(lParam));
    return 0;
}

BOOL CRecordingSite::OnExecuteNotify(UINT nId, NMHDR*, LRESULT* pResult) {
    if (!m_bNotifyHandlerTakes)
        return FALSE;
    m_notifyCommands.push_back(nId);
    *pResult = m_nNotifyHandlerResult;
    return TRUE;
}

// ---- The fixture

int CPoisonedButton::s_nDestroyed = 0;

void* CPoisonedButton::operator new(size_t nSize) {
    void* p = std::malloc(nSize);
    if (p == nullptr)
        throw std::bad_alloc();
    return p;
}

// The block is never freed: nothing can be placed where the control was.
void CPoisonedButton::operator delete(void* p, size_t nSize) {
    std::memset(p, 0xDD, nSize);
}

void RunLater(CWnd* pWnd, UINT nDelay, const std::function<void()>& fn) {
    s_pLater = &fn;
    ::SetTimer(pWnd->GetSafeHwnd(), 77, nDelay, RunLaterTimer);
}

void BarFixture::SetUp() {
    BarLog().clear();
    CTestPopupBar::s_bPopupSucceeds = TRUE;
    m_pSite = new CRecordingSite;
    ASSERT_TRUE(m_pSite->CreateHidden());
    m_pCommandBars = new CTestCommandBars;
    m_pCommandBars->AttachToSite(m_pSite);
    m_pBar = new CTestBar;
    m_pBar->SetCommandBars(m_pCommandBars);
    ASSERT_TRUE(CreateBarWindow(m_pBar, m_pSite));
}

void BarFixture::TearDown() {
    m_pBar->InternalRelease();
    m_pCommandBars->InternalRelease();
    m_pSite->DestroyWindow();
}

CTkControl* BarFixture::Add(int nType, int nId) {
    return Controls()->Add(nType, nId);
}

CTkPopupBar* BarFixture::MakePopupBar() {
    CTkPopupBar* pPopupBar = CTkPopupBar::CreatePopupBar(m_pCommandBars);
    CreateBarWindow(pPopupBar, m_pSite);
    return pPopupBar;
}

void BarFixture::HideCommand(UINT nId) {
    m_pCommandBars->GetCommandBarsOptions()->m_mapHiddenCommands.SetAt(nId, TRUE);
}

BOOL BarFixture::IsCommandUsed(UINT nId) const {
    BOOL bValue = FALSE;
    return m_pCommandBars->GetCommandBarsOptions()->m_mapUsedCommands.Lookup(nId, bValue);
}

std::vector<BYTE> ExchangedBytes(void (*store)(CTkPropExchange* pPX, void* pContext), void* pContext) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CTkPropExchangeArchive exchange(ar);
        store(&exchange, pContext);
        ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}
