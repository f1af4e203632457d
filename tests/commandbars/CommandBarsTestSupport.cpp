#include "CommandBarsTestSupport.h"

#include "SoundManager.h"
#include "TkPropExchange.h"

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

}  // namespace

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
