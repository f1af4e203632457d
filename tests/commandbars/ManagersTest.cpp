// The thread's keyboard and mouse managers: the order sinks hear keys in, and the tracked bars.

#include "BarFixtures.h"
#include "TkKeyboardManager.h"
#include "TkMouseManager.h"

#include <string>

namespace {

// A sink that answers as told and writes down that it was asked.
class CRecordingSink : public CTkHookManagerHookAble {
public:
    CRecordingSink(std::string* pLog, char chName, int nAnswer) : m_pLog(pLog), m_chName(chName), m_nAnswer(nAnswer) {}
    int OnHookMessage(HWND, UINT, WPARAM&, LPARAM&, LRESULT&) override {
        *m_pLog += m_chName;
        return m_nAnswer;
    }
    std::string* m_pLog;
    char m_chName;
    int m_nAnswer;
};

TEST(KeyboardManager, SinksHearKeysNewestFirstUntilOneAnswers) {
    CTkKeyboardManager* pManager = CreateKeyboardManager();
    ASSERT_FALSE(pManager->HasSinks());
    // Nobody to ask: the key is swallowed.
    EXPECT_TRUE(pManager->DispatchToSinks(WM_KEYDOWN, 'A', 0));

    struct Row {
        int nAnswers[3];  // oldest first
        const char* pszAsked;
        BOOL bSwallowed;
    };
    const Row rows[] = {
        {{kHookNotHandled, kHookNotHandled, kHookNotHandled}, "cba", TRUE},  // nobody answers: swallowed
        {{kHookNotHandled, kHookHandled, kHookNotHandled}, "cb", TRUE},
        {{kHookHandled, kHookNotHandled, kHookStop}, "c", FALSE},
        {{kHookStop, kHookNotHandled, kHookNotHandled}, "cba", FALSE},
    };
    for (const Row& row : rows) {
        std::string strAsked;
        CRecordingSink a(&strAsked, 'a', row.nAnswers[0]);
        CRecordingSink b(&strAsked, 'b', row.nAnswers[1]);
        CRecordingSink c(&strAsked, 'c', row.nAnswers[2]);
        for (CRecordingSink* pSink : {&a, &b, &c, &a})  // a sink is held once
            pManager->AddSink(pSink);
        EXPECT_EQ(pManager->DispatchToSinks(WM_KEYDOWN, 'A', 0), row.bSwallowed) << row.pszAsked;
        EXPECT_EQ(strAsked, row.pszAsked);
        for (CRecordingSink* pSink : {&a, &b, &c})
            pManager->RemoveSink(pSink);
        EXPECT_FALSE(pManager->HasSinks());
    }
}

TEST_F(BarFixture, TheMouseManagerKnowsWhichBarsTrack) {
    CTkMouseManager* pManager = CreateMouseManager();
    CTkCommandBar* pOther = MakePopupBar();
    EXPECT_FALSE(pManager->IsTrackingOtherBar(nullptr));
    EXPECT_FALSE(pManager->IsTrackingOtherBar(m_pBar));

    m_pBar->SetTrackingMode(kTrackingMenu, FALSE, TRUE);
    EXPECT_TRUE(pManager->IsTrackingOtherBar(nullptr));
    EXPECT_TRUE(pManager->IsTrackingOtherBar(pOther));
    EXPECT_FALSE(pManager->IsTrackingOtherBar(m_pBar));
    EXPECT_EQ(pManager->GetLastTrackedBar(), m_pBar);

    // A recursive popup above: the bars below are locked and count as other bars.
    pManager->LockTrackedBars(TRUE);
    pOther->SetTrackingMode(kTrackingMenu, FALSE, TRUE);
    EXPECT_TRUE(pManager->IsTrackingOtherBar(m_pBar));
    EXPECT_FALSE(pManager->IsTrackingOtherBar(pOther));
    pManager->CloseUnlockedPopups();
    EXPECT_EQ(pOther->GetTrackingMode(), kTrackingNone);
    EXPECT_EQ(m_pBar->GetTrackingMode(), kTrackingMenu);
    pManager->LockTrackedBars(FALSE);
    EXPECT_EQ(m_pBar->GetLockCount(), 0);

    // Entering a menu takes the hover highlight from the bar that had it.
    m_pBar->EndTracking();
    CTkControl* pControl = Add(kControlButton, 1);
    m_pBar->SetSelected(0, kSelectByMouse);
    EXPECT_EQ(pManager->GetHotBar(), m_pBar);
    pOther->SetTrackingMode(kTrackingMenu, FALSE, TRUE);
    EXPECT_EQ(m_pBar->GetSelectedIndex(), -1);
    EXPECT_EQ(pControl->GetSelected(), 0);

    pManager->CloseAllTracked();
    EXPECT_EQ(pManager->GetTrackedCount(), 0);
    // A popup bar's window goes when its menu closes, and a bar without a window selects nothing.
    EXPECT_EQ(pOther->GetSafeHwnd(), nullptr);
    ASSERT_TRUE(CreateBarWindow(pOther, m_pSite));
    // A bar that goes is forgotten.
    pOther->GetControls()->Add(kControlButton, 2);
    pOther->SetSelected(0, kSelectByMouse);
    EXPECT_EQ(pManager->GetHotBar(), pOther);
    pOther->InternalRelease();
    EXPECT_EQ(pManager->GetHotBar(), nullptr);
}

}  // namespace
