// The command-bar edit: its edit window laid out over the field, text and hint, focus and the mouse
// manager's lock, spin steps and the spin loop (messages posted to the bar before the press, a fake clock
// advanced by the site), keys, and the factory.

#include "BarFixtures.h"
#include "DibPixels.h"
#include "TkPaintManager.h"
#include "TkColorManager.h"
#include "TkControlEdit.h"
#include "TkMouseManager.h"

#include <string>
#include <vector>

namespace {

struct SpinNotification {
    UINT nCode;
    int nDelta;
};

// What a spin notification carries after its record.
struct SpinRecord {
    ControlNotifyRecord record;
    int nDelta;
};

DWORD s_dwClock = 0;
DWORD FakeClock() {
    return s_dwClock;
}

std::wstring Str(const CString& str) {
    return std::wstring(str.GetString());
}

class EditFixture : public BarFixture {
protected:
    void SetUp() override {
        BarFixture::SetUp();
        m_pEdit = static_cast<CTkControlEdit*>(Add(kControlEdit, 100));
        ASSERT_NE(m_pEdit, nullptr);
        m_nLock = CreateMouseManager()->m_nLock;
        m_pSite->m_onNotify = [this](ControlNotifyRecord* pRecord) -> LRESULT {
            const UINT nCode = pRecord->hdr.code;
            if (nCode == 0x1010 || nCode == 0x1011) {
                m_spins.push_back({nCode, reinterpret_cast<SpinRecord*>(pRecord)->nDelta});
                s_dwClock += m_dwClockStep;
                return m_nSpinAnswer;
            }
            return 0;
        };
    }
    void TearDown() override {
        CTkControlEdit::s_pfnTickCount = ::GetTickCount;
        BarFixture::TearDown();
    }
    std::vector<UINT> Codes() const {
        std::vector<UINT> codes;
        for (const auto& notification : m_pSite->m_notifications)
            codes.push_back(notification.nCode);
        return codes;
    }
    void PostToBar(UINT message, WPARAM wParam, CPoint pt) {
        ::PostMessageW(m_pBar->GetSafeHwnd(), message, wParam, MAKELPARAM(pt.x, pt.y));
    }

    CTkControlEdit* m_pEdit = nullptr;
    int m_nLock = 0;
    std::vector<SpinNotification> m_spins;
    LRESULT m_nSpinAnswer = 0;
    DWORD m_dwClockStep = 0;
};

TEST_F(EditFixture, SpinStepsSnapToTheStepSaturateAndYieldToTheSite) {
    EXPECT_EQ(m_pEdit->GetWidth(), 100);
    struct Row {
        LPCWSTR pszText;
        int nStep;
        int nDirection;
        LPCWSTR pszResult;
    };
    const Row rows[] = {
        {L"7", 5, 1, L"15"},
        {L"7", 5, -1, L"0"},
        {L"7", 1, 1, L"8"},
        {L"7", 1, -1, L"6"},
        {L"-7", 5, -1, L"-15"},
        {L"abc", 1, 1, L"1"},
        {L"", 20, -1, L"-20"},
        {L" 12x", 1, 1, L"13"},
        // The int range saturates instead of wrapping.
        {L"2147483647", 1, 1, L"2147483647"},
        {L"-2147483648", 1, -1, L"-2147483648"},
        {L"99999999999", 5, -1, L"2147483640"},
        {L"2147483646", 20, 1, L"2147483647"},
    };
    for (const Row& row : rows) {
        m_pEdit->SetEditText(row.pszText);
        m_spins.clear();
        m_pSite->m_notifications.clear();
        m_pEdit->SpinStep(row.nStep, row.nDirection);
        EXPECT_EQ(Str(m_pEdit->GetEditText()), row.pszResult) << row.pszText << " " << row.nStep * row.nDirection;
        ASSERT_EQ(m_spins.size(), 1u);
        EXPECT_EQ(m_spins[0].nCode, row.nDirection > 0 ? 0x1010u : 0x1011u);
        EXPECT_EQ(m_spins[0].nDelta, row.nStep * row.nDirection);
        EXPECT_EQ(Codes().back(), 100u) << "the change is reported";
    }
    // A site that takes the step leaves the field alone.
    m_nSpinAnswer = 1;
    m_pEdit->SetEditText(L"7");
    m_pSite->m_notifications.clear();
    m_pEdit->SpinStep(5, 1);
    EXPECT_EQ(Str(m_pEdit->GetEditText()), L"7");
    EXPECT_EQ(Codes(), (std::vector<UINT>{0x1010}));
}

TEST_F(EditFixture, TheEditWindowLiesOverTheFieldAndTheHintShowsWhileEmpty) {
    m_pEdit->SetShowSpinButtons(TRUE);
    m_pEdit->SetLabelWidth(30);
    m_pEdit->SetRect(CRect(10, 0, 160, 22));
    CTkControlEditCtrl* pCtrl = m_pEdit->GetEditCtrl();
    ASSERT_NE(pCtrl, nullptr);
    ASSERT_NE(pCtrl->GetSafeHwnd(), nullptr);
    EXPECT_EQ(pCtrl->GetParent(), m_pBar);
    EXPECT_EQ(pCtrl->SendMessage(InPlaceEditQueryMessage), 1) << "known as a bar's in-place edit";
    CRect rcWindow;
    pCtrl->GetWindowRect(rcWindow);
    m_pBar->ScreenToClient(rcWindow);
    EXPECT_EQ(rcWindow, CRect(10 + 30 + 4, 3, 160 - 20, 19));
    EXPECT_EQ(m_pEdit->GetSpinButtonsRect(), CRect(142, 1, 159, 21));
    EXPECT_FALSE(pCtrl->IsWindowVisible()) << "the bar's window is hidden";
    m_pEdit->SetShowSpinButtons(FALSE);
    m_pEdit->OnMetricsChanged();
    m_pEdit->SetRect(CRect(10, 0, 160, 22));
    pCtrl->GetWindowRect(rcWindow);
    m_pBar->ScreenToClient(rcWindow);
    EXPECT_EQ(rcWindow.right, 160 - 3);
    EXPECT_TRUE(m_pEdit->GetSpinButtonsRect().IsRectEmpty());

    // The hint is the text while the field is empty, grey, and never read as text.
    m_pEdit->SetEditHint(L"Search");
    EXPECT_EQ(Str(m_pEdit->GetEditText()), L"Search");
    EXPECT_EQ(Str(pCtrl->GetEditText()), L"Search");
    EXPECT_EQ(Str(m_pEdit->GetEditTextNoHint()), L"");
    COLORREF clrText = 0;
    COLORREF clrBack = 0;
    m_pEdit->GetEditTextFormat(clrText, clrBack);
    EXPECT_EQ(clrText, GetColorManager()->GetColor(COLOR_GRAYTEXT));
    m_pEdit->SetEditTextOrHint(L"abc");
    EXPECT_EQ(Str(m_pEdit->GetEditTextNoHint()), L"abc");
    m_pEdit->GetEditTextFormat(clrText, clrBack);
    EXPECT_EQ(clrText, GetColorManager()->GetColor(COLOR_WINDOWTEXT));
    m_pEdit->SetEditTextOrHint(L"");
    EXPECT_EQ(Str(m_pEdit->GetEditText()), L"Search");

    // Text typed into the window is read back whole however long it is.
    const CString strLong(L'x', 5000);
    pCtrl->SetWindowText(strLong);
    EXPECT_EQ(m_pEdit->GetEditText().GetLength(), 5000);
    // The window goes with the control's bar, keeping the text.
    m_pEdit->SetParent(nullptr);
    EXPECT_EQ(m_pEdit->GetEditCtrl(), nullptr);
    EXPECT_EQ(m_pEdit->GetEditText().GetLength(), 5000);
}

TEST_F(EditFixture, FocusHoldsTheMouseLockOnceAndEveryWayOutReleasesIt) {
    m_pEdit->SetRect(CRect(0, 0, 120, 22));
    m_pEdit->SetFocused(TRUE);
    m_pEdit->SetFocused(TRUE);
    EXPECT_EQ(CreateMouseManager()->m_nLock, m_nLock + 1);
    EXPECT_TRUE(m_pEdit->IsFocused());
    m_pEdit->SetFocused(FALSE);
    m_pEdit->SetFocused(FALSE);
    EXPECT_EQ(CreateMouseManager()->m_nLock, m_nLock);
    EXPECT_EQ(Codes(), (std::vector<UINT>{0x100, 0x200}));

    // Escape restores the text the focus found: handled in popup bars, left to a toolbar.
    for (const auto& [nBarType, nAnswer] : {std::pair(kBarTypeNormal, 0), std::pair(kBarTypePopup, 1)}) {
        SetBarKind(m_pBar, nBarType, nBarType == kBarTypePopup ? kBarPopup : kBarTop);
        m_pEdit->SetEditText(L"before");
        m_pEdit->OnEditFocusGained(nullptr);
        m_pEdit->SetEditText(L"typed");
        EXPECT_EQ(m_pEdit->HandleFocusedKey(VK_ESCAPE), nAnswer) << nBarType;
        EXPECT_EQ(Str(m_pEdit->GetEditText()), L"before");
        EXPECT_FALSE(m_pEdit->IsFocused());
    }
    SetBarKind(m_pBar, kBarTypeNormal, kBarTop);
    // Up and Down step a spinning field by one; a read-only one passes them on.
    m_pEdit->SetShowSpinButtons(TRUE);
    m_pEdit->SetFocused(TRUE);
    m_pEdit->SetEditText(L"4");
    EXPECT_EQ(m_pEdit->HandleFocusedKey(VK_UP), 1);
    EXPECT_EQ(m_pEdit->HandleFocusedKey(VK_UP), 1);
    EXPECT_EQ(m_pEdit->HandleFocusedKey(VK_DOWN), 1);
    EXPECT_EQ(Str(m_pEdit->GetEditText()), L"5");
    EXPECT_EQ(m_pEdit->HandleFocusedKey(VK_RETURN), 0);
    m_pEdit->SetReadOnly(TRUE);
    EXPECT_EQ(m_pEdit->HandleFocusedKey(VK_UP), 2);

    // A focused edit removed from its bar, or destroyed, gives the lock back.
    EXPECT_EQ(CreateMouseManager()->m_nLock, m_nLock + 1);
    m_pEdit->InternalAddRef();
    Controls()->Remove(m_pEdit);
    EXPECT_EQ(CreateMouseManager()->m_nLock, m_nLock);
    m_pEdit->InternalRelease();
    auto* pOther = static_cast<CTkControlEdit*>(Add(kControlEdit, 101));
    pOther->SetRect(CRect(0, 0, 120, 22));
    pOther->SetFocused(TRUE);
    ASSERT_EQ(CreateMouseManager()->m_nLock, m_nLock + 1);
    Controls()->RemoveAll();
    EXPECT_EQ(CreateMouseManager()->m_nLock, m_nLock);
}

TEST_F(EditFixture, HoldingASpinButtonRepeatsAndAcceleratesByTheClock) {
    CTkControlEdit::s_pfnTickCount = FakeClock;
    s_dwClock = 0;
    m_dwClockStep = 1000;  // each step takes a second of the fake clock
    m_pEdit->SetShowSpinButtons(TRUE);
    m_pEdit->SetRect(CRect(0, 0, 120, 22));
    m_pEdit->SetEditText(L"0");
    const CRect rcSpin = m_pEdit->GetSpinButtonsRect();
    const CPoint ptUp(rcSpin.CenterPoint().x, rcSpin.top + 2);
    // Hovering a selected edit selects the spin half under the pointer, and leaving it the field again.
    m_pEdit->SetSelected(1);
    const std::pair<CPoint, int> hovers[] = {
        {ptUp, 4}, {CPoint(ptUp.x, rcSpin.bottom - 2), 5}, {CPoint(5, 5), 1}, {CPoint(5, 6), 1}};
    for (const auto& [pt, nSelected] : hovers) {
        m_pEdit->HandleMouseMove(pt);
        EXPECT_EQ(m_pEdit->GetSelected(), nSelected) << pt.x << "," << pt.y;
    }
    m_pEdit->SetSelected(0);
    const WPARAM kTick = CTkControlEdit::kSpinTimer;
    // Each step takes a second, so the ticks come 0 to 6 s after the press: steps of 1 below 2048 ms, of
    // 5 below 5120 ms, then of 20.
    for (int i = 0; i < 7; ++i)
        PostToBar(WM_TIMER, kTick, CPoint());
    // Outside the pressed half nothing steps; coming back restarts the clock.
    PostToBar(WM_MOUSEMOVE, MK_LBUTTON, CPoint(5, 5));
    PostToBar(WM_TIMER, kTick, CPoint());
    PostToBar(WM_MOUSEMOVE, MK_LBUTTON, ptUp);
    PostToBar(WM_TIMER, kTick, CPoint());
    PostToBar(WM_LBUTTONUP, 0, ptUp);
    m_pEdit->HandleClick(FALSE, ptUp);
    std::vector<int> deltas;
    for (const SpinNotification& spin : m_spins)
        deltas.push_back(spin.nDelta);
    EXPECT_EQ(deltas, (std::vector<int>{1, 1, 1, 1, 5, 5, 5, 20, 1}));
    EXPECT_EQ(Str(m_pEdit->GetEditText()), L"41");
    EXPECT_EQ(m_pEdit->GetPressed(), 0);
    EXPECT_NE(::GetCapture(), m_pBar->GetSafeHwnd());

    // A quit ends the loop and goes back to the queue; a read-only field does not spin.
    m_spins.clear();
    ::PostQuitMessage(3);
    m_pEdit->HandleClick(FALSE, ptUp);
    EXPECT_EQ(m_spins.size(), 1u) << "the press";
    MSG msg{};
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
    m_pEdit->SetReadOnly(TRUE);
    m_spins.clear();
    m_pEdit->HandleClick(FALSE, ptUp);
    EXPECT_TRUE(m_spins.empty());
}

TEST_F(EditFixture, TheDefaultThemeDrawsTheFieldUnderTheEditWindowAndTheSpinButtonsWhereTheyAct) {
    CTkPaintManager* pTheme = m_pEdit->GetPaintManager();
    ASSERT_EQ(pTheme->GetThemeNumber(), kThemeDefault);
    m_pEdit->SetCaption(L"Find");
    m_pEdit->SetStyle(kButtonCaption);
    m_pEdit->SetWidth(120);
    m_pEdit->SetShowSpinButtons(TRUE);
    const CSize size = m_pEdit->GetSize(nullptr);
    EXPECT_EQ(size.cx, 120);
    const int nLabel = m_pEdit->GetLabelWidth();
    EXPECT_GT(nLabel, 0) << "measured by the theme";
    const CRect rc(0, 0, 120, 22);
    m_pEdit->SetRect(rc);
    CRect rcWindow;
    m_pEdit->GetEditCtrl()->GetWindowRect(rcWindow);
    m_pBar->ScreenToClient(rcWindow);
    EXPECT_EQ(rcWindow, CRect(nLabel + 4, 3, 100, 19));
    const CRect rcSpin = m_pEdit->GetSpinButtonsRect();
    EXPECT_EQ(rcSpin, CRect(102, 1, 119, 21));

    const COLORREF clrSentinel = RGB(1, 2, 3);
    CScopedMemDC dc(120, 22);
    dc.FillSolidRect(0, 0, 120, 22, clrSentinel);
    m_pEdit->Draw(&dc);
    WritePng(dc, L"/tmp/controls-edit-default.png");
    const COLORREF clrWindow = pTheme->LookupColor(COLOR_WINDOW);
    const COLORREF clrFace = pTheme->LookupColor(COLOR_BTNFACE);
    EXPECT_EQ(PixelAt(dc, nLabel, 0), clrSentinel) << "idle: no outer frame";
    EXPECT_EQ(PixelAt(dc, nLabel + 1, 1), clrFace);
    // The white field is under every corner of the edit window.
    for (const CPoint& pt : {rcWindow.TopLeft(), CPoint(rcWindow.right - 1, rcWindow.bottom - 1)})
        EXPECT_EQ(PixelAt(dc, pt.x, pt.y), clrWindow) << pt.x << "," << pt.y;
    // The spin buttons are drawn in the rectangle the control presses.
    EXPECT_EQ(PixelAt(dc, rcSpin.left + 1, rcSpin.top + 2), clrWindow);
    EXPECT_EQ(PixelAt(dc, rcSpin.left + 3, rcSpin.top + 4), clrFace);
    m_pEdit->SetSelected(1);
    m_pEdit->SetPressed(4);
    m_pEdit->Draw(&dc);
    EXPECT_EQ(PixelAt(dc, rcSpin.left + 1, rcSpin.top + 1), pTheme->LookupColor(COLOR_BTNSHADOW)) << "upper pressed";
    EXPECT_EQ(PixelAt(dc, rcSpin.right - 2, rcSpin.bottom - 2), pTheme->LookupColor(COLOR_BTNSHADOW)) << "lower raised";
    m_pEdit->SetPressed(0);
}

TEST_F(EditFixture, ClonesCopyTheFieldAndCustomizationKeepsALabelMinimum) {
    m_pEdit->SetEditText(L"42");
    m_pEdit->SetReadOnly(TRUE);
    m_pEdit->SetShowSpinButtons(TRUE);
    m_pEdit->SetEditHint(L"n");
    m_pEdit->SetLabelWidth(25);
    EXPECT_EQ(m_pEdit->GetCustomizeMinWidth(), 35);
    EXPECT_EQ(m_pEdit->CanCustomizeResize(), 1);
    auto* pClone = static_cast<CTkControlEdit*>(m_pEdit->Clone(FALSE));
    EXPECT_EQ(Str(pClone->GetEditText()), L"42");
    EXPECT_TRUE(pClone->GetReadOnly());
    EXPECT_EQ(Str(pClone->GetEditHint()), L"n");
    EXPECT_TRUE(pClone->IsSameAs(m_pEdit));
    pClone->InternalRelease();
}

}  // namespace
