// The scroll bar's tracking loop under real input: the pointer is moved and pressed with SendInput, so
// these cases run alone.

#include "MarkupTestSupport.h"
#include "MouseInput.h"
#include "TkMarkupScrollBar.h"
#include "TkMarkupScrollViewer.h"

#include "WaitUntil.h"

namespace {

constexpr UINT_PTR kReleaseTimer = 1;

class ScrollPointer : public MarkupContextTest {
protected:
    void SetUp() override {
        MarkupContextTest::SetUp();
        m_host = std::make_unique<CMarkupHostWindow>(
            L"<ScrollViewer x:Name='v'><Rectangle Height='1000' Fill='Red'/></ScrollViewer>", CRect(100, 100, 200, 300),
            TRUE);
        ::SetForegroundWindow(m_host->GetHwnd());
        ASSERT_TRUE(PumpUntil([this] { return ::GetForegroundWindow() == m_host->GetHwnd(); }, 2000));
        m_pViewer = m_host->Find<CTkMarkupScrollViewer>(L"v");
        ASSERT_NE(nullptr, m_pViewer);
        m_pBar = m_pViewer->GetScrollBar(1);
        ASSERT_NE(nullptr, m_pBar);
        m_x = 200 - ::GetSystemMetrics(SM_CXVSCROLL) / 2;
    }
    void TearDown() override {
        SendMouseInput(MOUSEEVENTF_LEFTUP);
        m_host.reset();
        MarkupContextTest::TearDown();
    }

    std::unique_ptr<CMarkupHostWindow> m_host;
    CTkMarkupScrollViewer* m_pViewer = nullptr;
    CTkMarkupScrollBar* m_pBar = nullptr;
    int m_x = 0;
};

TEST_F(ScrollPointer, ADragMovesTheThumbAndScrolls) {
    const ScrollBarGeometry& g = m_pBar->GetGeometry();
    const int y = 100 + (g.nThumbStart + g.nThumbEnd) / 2;
    SendMouseInput(0, CPoint(m_x, y));
    SendMouseInput(MOUSEEVENTF_LEFTDOWN);
    SendMouseInput(0, CPoint(m_x, y + 20));
    SendMouseInput(0, CPoint(m_x, y + 40));
    SendMouseInput(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil([this] { return m_pViewer->GetOffset(1) > 0 && !m_pBar->IsTracking(); }, 5000));
    EXPECT_EQ(MarkupScrollPositionFromPixel(m_pBar->GetGeometry(), 17 + 40), m_pViewer->GetOffset(1));
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(ScrollPointer, AHeldArrowRepeats) {
    // Held on the down arrow until four lines have gone by, then released from a timer the loop dispatches.
    const DWORD dwStart = ::GetTickCount();
    DWORD dwFirstRepeat = 0;
    m_host->onTimer = [this, dwStart, &dwFirstRepeat](UINT_PTR nTimer) {
        if (nTimer != kReleaseTimer)
            return;
        if (dwFirstRepeat == 0 && m_pViewer->GetOffset(1) > 16)
            dwFirstRepeat = ::GetTickCount();
        if (m_pViewer->GetOffset(1) >= 64 || ::GetTickCount() - dwStart > 5000) {
            ::KillTimer(m_host->GetHwnd(), kReleaseTimer);
            SendMouseInput(MOUSEEVENTF_LEFTUP);
        }
    };
    ::SetTimer(m_host->GetHwnd(), kReleaseTimer, 10, nullptr);
    SendMouseInput(0, CPoint(m_x, 295));
    SendMouseInput(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(PumpUntil([this] { return m_pViewer->GetOffset(1) >= 64 && !m_pBar->IsTracking(); }, 8000));
    EXPECT_EQ(0, m_pViewer->GetOffset(1) % 16);
    EXPECT_GE(dwFirstRepeat - dwStart, ::GetDoubleClickTime() * 4 / 5 - 20) << "the first repeat waits";
    EXPECT_EQ(nullptr, ::GetCapture());
}

}  // namespace
