// The Office and Office 2003 themes draw the real edit and combo box through their field seam: the
// field under the edit window, the spin buttons where the edit presses them, the drop-down button in the
// combo's width, with every colour entry of the theme pinned so that a pixel names the entry that drew it.

#include "BarFixtures.h"
#include "DibPixels.h"
#include "TkControlComboBox.h"
#include "TkControlComboBoxEditCtrl.h"
#include "TkControlEdit.h"
#include "TkOffice2003Theme.h"
#include "TkOfficeTheme.h"

#include <functional>
#include <memory>

namespace {

constexpr COLORREF kSentinel = RGB(1, 2, 3);  // the bar's background, in no pinned entry

COLORREF Pinned(int nEntry) {
    return RGB(nEntry * 4, 255 - nEntry * 3, 0x40 + nEntry);
}

int CountColor(const CScopedMemDC& dc, const CRect& rc, COLORREF clr) {
    int nCount = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            nCount += PixelAt(dc, x, y) == clr;
    return nCount;
}

CRect WindowRectInBar(CWnd* pWnd) {
    CRect rc;
    pWnd->GetWindowRect(rc);
    pWnd->GetParent()->ScreenToClient(rc);
    return rc;
}

class OfficeFieldsFixture : public BarFixture {
protected:
    void TearDown() override {
        SetHubPaintManager(m_pCommandBars, nullptr);
        BarFixture::TearDown();
    }
    // The hub paints with the theme, its colour entries pinned.
    void UseTheme(CTkPaintManager* pTheme) {
        for (int i = 0; i < CTkPaintManager::kColorCount; ++i)
            pTheme->m_colors[i].m_customValue = Pinned(i);
        pTheme->RefreshMetrics();
        SetHubPaintManager(m_pCommandBars, pTheme);
        pTheme->InternalRelease();
        Controls()->RemoveAll();
    }
    // The control drawn over the bar's background, saved for a person to look at.
    void Draw(CScopedMemDC& dc, CTkControl* pControl, const CString& strPng) {
        dc.FillSolidRect(0, 0, dc.GetWidth(), dc.GetHeight(), kSentinel);
        pControl->Draw(&dc);
        WritePng(dc, strPng);
    }
};

TEST_F(OfficeFieldsFixture, OfficeThemesDrawTheRealEditAndComboThroughTheFieldSeam) {
    const std::pair<const wchar_t*, std::function<CTkPaintManager*()>> themes[] = {
        {L"office", [] { return new CTkOfficeTheme; }},
        {L"office2003", [] { return new CTkOffice2003Theme; }},
    };
    for (const auto& [pszName, make] : themes) {
        SCOPED_TRACE(testing::Message() << CStringA(pszName).GetString());
        UseTheme(make());
        const CString strPrefix = CString(L"/tmp/controls-") + pszName;

        // The edit: a label, the edit window over the window-coloured field, spin buttons in their place.
        auto* pEdit = static_cast<CTkControlEdit*>(Add(kControlEdit, 300));
        pEdit->SetCaption(L"Find");
        pEdit->SetStyle(kButtonCaption);
        pEdit->SetWidth(140);
        pEdit->SetShowSpinButtons(TRUE);
        pEdit->GetSize(nullptr);
        const int nLabel = pEdit->GetLabelWidth();
        ASSERT_GT(nLabel, 0);
        pEdit->SetRect(CRect(0, 0, 140, 22));
        const CRect rcWindow = WindowRectInBar(pEdit->GetEditCtrl());
        EXPECT_EQ(rcWindow, CRect(nLabel + 4, 3, 120, 19));
        const CRect rcSpin = pEdit->GetSpinButtonsRect();
        EXPECT_EQ(rcSpin, CRect(122, 1, 139, 21));
        CScopedMemDC dc(140, 22);
        Draw(dc, pEdit, strPrefix + L"-edit.png");
        EXPECT_EQ(PixelAt(dc, nLabel, 0), kSentinel) << "no frame at rest on a toolbar";
        for (const CPoint& pt : {rcWindow.TopLeft(), CPoint(rcWindow.right - 1, rcWindow.bottom - 1)})
            EXPECT_EQ(PixelAt(dc, pt.x, pt.y), Pinned(COLOR_WINDOW)) << pt.x << "," << pt.y;
        EXPECT_GT(CountColor(dc, CRect(0, 0, nLabel, 22), Pinned(46)), 0) << "the label in the bar's text colour";
        EXPECT_EQ(PixelAt(dc, rcSpin.left, rcSpin.top), Pinned(COLOR_WINDOW)) << "the spin buttons' frame";
        const CPoint ptUpTip(rcSpin.CenterPoint().x, (rcSpin.top + rcSpin.CenterPoint().y) / 2);
        EXPECT_EQ(PixelAt(dc, ptUpTip.x, ptUpTip.y), Pinned(18));
        pEdit->SetSelected(1);
        pEdit->SetPressed(4);
        Draw(dc, pEdit, strPrefix + L"-edit-pressed.png");
        EXPECT_EQ(PixelAt(dc, nLabel, 0), Pinned(32)) << "the hot frame";
        EXPECT_EQ(PixelAt(dc, 139, 21), Pinned(32));
        EXPECT_EQ(PixelAt(dc, rcSpin.left + 3, rcSpin.top + 2), Pinned(33)) << "the pressed upper half";
        EXPECT_EQ(PixelAt(dc, rcSpin.left + 3, rcSpin.bottom - 2), Pinned(31)) << "the hot lower half";
        pEdit->SetPressed(0);
        pEdit->SetSelected(0);

        // The combo: its text in the window text colour, the drop-down button in its measured width.
        auto* pCombo = static_cast<CTkControlComboBox*>(Add(kControlComboBox, 301));
        pCombo->SetDropDown(FALSE);
        pCombo->AddString(L"Alpha");
        pCombo->SetCurSel(0);
        pCombo->GetSize(nullptr);
        pCombo->SetRect(CRect(0, 0, 120, 22));
        const int nButton = pCombo->GetDropButtonWidth();
        ASSERT_GE(nButton, 15);
        const CRect rcButton(120 - nButton, 0, 120, 22);
        CScopedMemDC comboDC(120, 22);
        Draw(comboDC, pCombo, strPrefix + L"-combo.png");
        EXPECT_EQ(PixelAt(comboDC, 0, 0), kSentinel);
        EXPECT_EQ(PixelAt(comboDC, 1, 1), Pinned(COLOR_WINDOW)) << "the field";
        EXPECT_EQ(PixelAt(comboDC, rcButton.left + 1, 1), Pinned(COLOR_WINDOW)) << "the inset button's frame";
        EXPECT_GT(CountColor(comboDC, rcButton, Pinned(46)), 3) << "the arrow";
        EXPECT_GT(CountColor(comboDC, CRect(3, 1, rcButton.left, 21), Pinned(COLOR_WINDOWTEXT)), 0) << "the text";
        pCombo->SetSelected(1);
        Draw(comboDC, pCombo, strPrefix + L"-combo-hot.png");
        EXPECT_EQ(PixelAt(comboDC, 0, 0), Pinned(32));
        EXPECT_EQ(PixelAt(comboDC, rcButton.left + 2, 3), Pinned(31)) << "the hot drop-down button";
        EXPECT_GT(CountColor(comboDC, rcButton, Pinned(45)), 3);
        pCombo->SetSelected(0);

        // An editable combo's edit window lies on the field, short of the button.
        pCombo->SetDropDown(TRUE);
        pCombo->SetRect(CRect(0, 0, 120, 22));
        const CRect rcComboEdit = WindowRectInBar(pCombo->GetEditCtrl());
        EXPECT_EQ(rcComboEdit, CRect(4, 3, rcButton.left - 3, 19));
        Draw(comboDC, pCombo, strPrefix + L"-combo-edit.png");
        EXPECT_EQ(PixelAt(comboDC, rcComboEdit.left, rcComboEdit.top), Pinned(COLOR_WINDOW));
        EXPECT_EQ(PixelAt(comboDC, rcComboEdit.right - 1, rcComboEdit.bottom - 1), Pinned(COLOR_WINDOW));
    }
}

}  // namespace
