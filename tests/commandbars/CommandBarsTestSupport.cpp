#include "CommandBarsTestSupport.h"

#include "SoundManager.h"
#include "TkPropExchange.h"

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
    }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ControlsEnvironment);

const std::function<void()>* s_pLater = nullptr;

void CALLBACK RunLaterTimer(HWND hWnd, UINT, UINT_PTR nId, DWORD) {
    ::KillTimer(hWnd, nId);
    if (s_pLater != nullptr)
        (*s_pLater)();
}

}  // namespace

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
    BarHost() = BarHostSettings();
    m_pSite = new CRecordingSite;
    ASSERT_TRUE(m_pSite->CreateHidden());
    m_pCommandBars = new CTkCommandBars;
    m_pCommandBars->AttachToSite(m_pSite);
    m_pBar = new CTkCommandBar;
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
