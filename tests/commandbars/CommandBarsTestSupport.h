#pragma once
#include "BarHost.h"
#include "TkControl.h"
#include "TkControlPopup.h"
#include "TkControls.h"

#include "mfc.h"

#include <gtest/gtest.h>

#include <vector>

// Every control test starts from a hidden recording site, a hub attached to it and a toolbar with a
// hidden window owned by the site; the stand-in bars of tests/support record what the controls ask.
class BarFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    CTkControls* Controls() const { return m_pBar->GetControls(); }
    // A control of the type made by the collection's factory, appended.
    CTkControl* Add(int nType, int nId);
    CTkControlPopup* AddPopup(int nType, int nId) { return static_cast<CTkControlPopup*>(Add(nType, nId)); }
    // A popup bar of the hub with a window, not yet any control's sub bar (one reference, the caller's).
    CTkPopupBar* MakePopupBar();

    CRecordingSite* m_pSite = nullptr;  // deletes itself with its window
    CTkCommandBars* m_pCommandBars = nullptr;
    CTkCommandBar* m_pBar = nullptr;
};

// The bytes a routine writes through an archive property exchange (schema 33).
std::vector<BYTE> ExchangedBytes(void (*store)(CTkPropExchange* pPX, void* pContext), void* pContext);
