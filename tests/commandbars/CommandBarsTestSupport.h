#pragma once
#include "BarHost.h"
#include "TkControl.h"
#include "TkControlButton.h"
#include "TkControlPopup.h"
#include "TkControls.h"

#include "mfc.h"

#include <gtest/gtest.h>

#include <functional>
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

// A button whose freed memory is poisoned and never handed out again, so that a use after its last
// release reads garbage; counts its destructions.
class CPoisonedButton : public CTkControlButton {
public:
    ~CPoisonedButton() override { ++s_nDestroyed; }
    static void* operator new(size_t nSize);
    static void operator delete(void* p, size_t nSize);
    static int s_nDestroyed;
};

// Runs fn once, nDelay ms from now, from inside whatever message loop runs on this thread then (a timer
// of the window). fn must live until it ran.
void RunLater(CWnd* pWnd, UINT nDelay, const std::function<void()>& fn);

// The bytes a routine writes through an archive property exchange (schema 33).
std::vector<BYTE> ExchangedBytes(void (*store)(CTkPropExchange* pPX, void* pContext), void* pContext);
