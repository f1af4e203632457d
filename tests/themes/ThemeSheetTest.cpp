// A picture of the default look in the system's colours, for a person to look at: a toolbar with its
// gripper, buttons in every state, separators, split buttons and fields, a menu bar item, and a popup
// menu with its items, marks, arrows, tear-off strip and resize dots. Written beside the test program
// and to the machine's temporary folder.

#include "ThemeTestSupport.h"
#include "TkControls.h"
#include "TkImageManager.h"

#include <vector>

namespace {

constexpr UINT kSheetIcon = 7401;

// A 16 x 16 icon: a blue square with a yellow middle inside a transparent border.
void RegisterSheetIcon() {
    CDC screenDC;
    screenDC.CreateCompatibleDC(nullptr);
    CClientDC desktopDC(nullptr);
    CBitmap colour;
    colour.CreateCompatibleBitmap(&desktopDC, 16, 16);
    CBitmap mask;
    WORD maskBits[16];
    // Rows of a monochrome bitmap are words of bytes, the leftmost pixel in the high bit of the first.
    for (int y = 0; y < 16; ++y)
        maskBits[y] = (y < 2 || y > 13) ? 0xFFFF : 0x03C0;
    mask.CreateBitmap(16, 16, 1, 1, maskBits);
    {
        CDC dc;
        dc.CreateCompatibleDC(&screenDC);
        CScopedSelectObject select(dc.GetSafeHdc(), colour.GetSafeHandle());
        dc.FillSolidRect(0, 0, 16, 16, RGB(0, 0, 0));
        dc.FillSolidRect(2, 2, 12, 12, RGB(30, 80, 200));
        dc.FillSolidRect(5, 5, 6, 6, RGB(250, 210, 40));
    }
    ICONINFO info{TRUE, 0, 0, static_cast<HBITMAP>(mask.GetSafeHandle()), static_cast<HBITMAP>(colour.GetSafeHandle())};
    HICON hIcon = ::CreateIconIndirect(&info);
    IconStateImage image;
    image.WrapIcon(hIcon, TRUE);
    GetImageManager()->SetIcon(image, kSheetIcon, 16, 16, ImageStateNormal);
    image.Clear();
    ::DestroyIcon(hIcon);
}

class ThemeSheet : public ThemeFixture {
protected:
    void SetUp() override {
        ThemeFixture::SetUp();
        // The system's colours, the pinned font.
        m_pLook = new CTkDefaultTheme;
        const LOGFONTW lf = PinnedFont();
        m_pLook->SetRegularFont(&lf, FALSE);
        m_pLook->RefreshMetrics();
        SetHubPaintManager(m_pCommandBars, m_pLook);
        RegisterSheetIcon();
    }
    void TearDown() override {
        SetHubPaintManager(m_pCommandBars, nullptr);
        m_pLook->InternalRelease();
        ThemeFixture::TearDown();
    }

    CTkControlButton* Add(int nType, LPCWSTR pszCaption, int nStyle, BOOL bIcon) {
        CTkControlButton* pControl = AddButton(nType, pszCaption, nStyle);
        if (bIcon)
            pControl->SetIconId(kSheetIcon);
        return pControl;
    }

    // The bar's background, gripper, separators and controls into a DC of its window's size, copied onto
    // the sheet at (x, y).
    void PaintBar(CScopedMemDC& sheet, int x, int y) {
        CRect rcClient;
        m_pBar->GetClientRect(&rcClient);
        CScopedMemDC dc(rcClient.Width(), rcClient.Height());
        m_pLook->FillBarBackground(&dc, m_pBar);
        m_pLook->PaintBarGripper(&dc, m_pBar, TRUE);
        for (int i = 0; i < m_pBar->GetControlCount(); ++i) {
            CTkControl* pControl = m_pBar->GetControl(i);
            if (pControl->GetBeginGroup())
                m_pLook->PaintControlSeparator(&dc, m_pBar, pControl, TRUE);
            pControl->Draw(&dc);
        }
        sheet.BitBlt(x, y, rcClient.Width(), rcClient.Height(), &dc, 0, 0, SRCCOPY);
    }

    // Places the bar's controls in a row (toolbars) or a column (popups), after nStart.
    void PlaceControls(BOOL bColumn, int nStart) {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        int nAt = nStart;
        for (int i = 0; i < m_pBar->GetControlCount(); ++i) {
            CTkControl* pControl = m_pBar->GetControl(i);
            if (pControl->GetBeginGroup())
                nAt += bColumn ? 8 : 6;
            const CSize size = pControl->GetSize(&dc);
            const CRect rc = bColumn ? CRect(3, nAt, 297, nAt + size.cy) : CRect(nAt, 3, nAt + size.cx, 3 + size.cy);
            pControl->SetRect(rc);
            pControl->SetRowRect(bColumn ? CRect(3, 3, 297, 500) : CRect(nAt, 3, nAt + size.cx, 37));
            nAt += bColumn ? size.cy : size.cx;
        }
    }

    CTkDefaultTheme* m_pLook = nullptr;
};

TEST_F(ThemeSheet, TheDefaultLookInItsStates) {
    CScopedMemDC sheet(620, 470);
    sheet.FillSolidRect(0, 0, 620, 470, RGB(96, 104, 112));
    const auto resizeBar = [&](int cx, int cy) {
        m_pBar->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    };

    // A toolbar: buttons idle, hot, pressed, checked, checked and hot, disabled; caption buttons; split
    // buttons idle, hot on their drop-down half, and with that half disabled.
    resizeBar(600, 40);
    Add(kControlButton, L"Idle", kButtonIcon, TRUE);
    Add(kControlButton, L"Hot", kButtonIcon, TRUE)->SetSelected(1);
    CTkControlButton* pPressed = Add(kControlButton, L"Pressed", kButtonIcon, TRUE);
    pPressed->SetSelected(1);
    pPressed->SetPressed(1);
    Add(kControlButton, L"Checked", kButtonIcon, TRUE)->SetChecked(1);
    CTkControlButton* pCheckedHot = Add(kControlButton, L"Checked hot", kButtonIcon, TRUE);
    pCheckedHot->SetChecked(1);
    pCheckedHot->SetSelected(1);
    Add(kControlButton, L"Disabled", kButtonIcon, TRUE)->SetEnabled(0);
    Add(kControlButton, L"&Open", kButtonIconAndCaption, TRUE)->SetBeginGroup(TRUE);
    Add(kControlButton, L"Caption", kButtonCaption, FALSE)->SetSelected(1);
    Add(kControlSplitButtonPopup, L"Split", kButtonIcon, TRUE)->SetBeginGroup(TRUE);
    Add(kControlSplitButtonPopup, L"Split hot", kButtonIcon, TRUE)->SetSelected(5);
    CTkControlButton* pHalf = Add(kControlSplitButtonPopup, L"Half", kButtonIcon, TRUE);
    pHalf->SetEnabled(4);
    pHalf->SetSelected(1);
    PlaceControls(FALSE, 8);
    PaintBar(sheet, 10, 10);

    // A second toolbar: a check box and fields (an edit with a label, spin buttons, combo boxes).
    m_pBar->GetControls()->RemoveAll();
    Add(kControlCheckBox, L"&Wrap", kButtonCaption, FALSE)->SetChecked(1);
    auto* pEdit = Append(new CTestFieldControl);
    pEdit->SetType(kControlEdit);
    pEdit->SetCaption(L"Find");
    pEdit->SetStyle(kButtonCaption);
    pEdit->SetWidth(110);
    pEdit->SetBeginGroup(TRUE);
    auto* pSpin = Append(new CTestFieldControl);
    pSpin->SetType(kControlEdit);
    pSpin->SetWidth(60);
    pSpin->SetSelected(1);
    pSpin->SetPressed(5);
    auto* pCombo = Append(new CTestFieldControl);
    pCombo->SetType(kControlComboBox);
    pCombo->SetWidth(80);
    pCombo->SetSelected(1);
    auto* pDropped = Append(new CTestFieldControl);
    pDropped->SetType(kControlComboBox);
    pDropped->SetWidth(80);
    pDropped->SetSelected(1);
    pDropped->m_bDropped = TRUE;
    auto* pIdleCombo = Append(new CTestFieldControl);
    pIdleCombo->SetType(kControlComboBox);
    pIdleCombo->SetWidth(80);
    PlaceControls(FALSE, 8);
    const CRect rcSpin = pSpin->GetRect();
    pSpin->m_rcSpin = CRect(rcSpin.right - 18, rcSpin.top + 1, rcSpin.right - 1, rcSpin.bottom - 1);
    PaintBar(sheet, 10, 60);

    // A large button on a toolbar, and a menu bar.
    m_pBar->GetControls()->RemoveAll();
    resizeBar(120, 80);
    Add(kControlButton, L"Paste Special", kButtonIconAndCaptionBelow, TRUE)->SetSelected(1);
    PlaceControls(FALSE, 8);
    PaintBar(sheet, 10, 110);
    m_pBar->GetControls()->RemoveAll();
    SetBar(kBarTypeMenuBar, kBarTop);
    resizeBar(200, 26);
    Add(kControlPopup, L"&File", kButtonAutomatic, FALSE);
    Add(kControlPopup, L"&Edit", kButtonAutomatic, FALSE)->SetSelected(1);
    CTkControlButton* pOpenMenu = Add(kControlPopup, L"&View", kButtonAutomatic, FALSE);
    pOpenMenu->SetSelected(1);
    pOpenMenu->SetPressed(1);
    PlaceControls(FALSE, 8);
    PaintBar(sheet, 140, 110);

    // A popup menu with a tear-off strip and resize dots.
    m_pBar->GetControls()->RemoveAll();
    SetBar(kBarTypePopup, kBarPopup);
    resizeBar(300, 250);
    Add(kControlButton, L"&New\tCtrl+N", kButtonAutomatic, TRUE);
    Add(kControlButton, L"&Open...\tCtrl+O", kButtonAutomatic, TRUE)->SetSelected(1);
    Add(kControlButton, L"Word &wrap", kButtonAutomatic, FALSE)->SetChecked(1);
    Add(kControlButton, L"Show &icons", kButtonAutomatic, TRUE)->SetChecked(1);
    Add(kControlRadioButton, L"&Large", kButtonAutomatic, FALSE)->SetChecked(1);
    Add(kControlButton, L"&Disabled", kButtonAutomatic, TRUE)->SetEnabled(0);
    Add(kControlPopup, L"&Recent files", kButtonAutomatic, FALSE)->SetBeginGroup(TRUE);
    Add(kControlSplitButtonPopup, L"&Send to", kButtonAutomatic, FALSE)->SetSelected(1);
    Add(kControlButton, L"E&xit", kButtonAutomatic, FALSE)->SetBeginGroup(TRUE);
    PlaceControls(TRUE, 3 + 8);
    CRect rcClient;
    m_pBar->GetClientRect(&rcClient);
    CScopedMemDC popup(rcClient.Width(), rcClient.Height());
    m_pLook->FillBarBackground(&popup, m_pBar);
    m_pLook->PaintTearOffStrip(&popup, CRect(3, 3, rcClient.Width() - 3, 11), FALSE, TRUE);
    for (int i = 0; i < m_pBar->GetControlCount(); ++i) {
        CTkControl* pControl = m_pBar->GetControl(i);
        if (pControl->GetBeginGroup())
            m_pLook->PaintControlSeparator(&popup, m_pBar, pControl, TRUE);
        pControl->Draw(&popup);
    }
    m_pLook->PaintPopupResizeGripper(&popup, CRect(3, 3, rcClient.Width() - 3, rcClient.Height() - 3), 0);
    sheet.BitBlt(10, 200, rcClient.Width(), rcClient.Height(), &popup, 0, 0, SRCCOPY);

    // Grippers of a floating bar (its title strip) and of a bar docked at the left.
    m_pBar->GetControls()->RemoveAll();
    SetBar(kBarTypeNormal, kBarFloating);
    resizeBar(200, 40);
    m_pBar->SetTitle(L"Standard");
    PaintBar(sheet, 330, 200);
    SetBar(kBarTypeNormal, kBarLeft);
    resizeBar(30, 120);
    PaintBar(sheet, 330, 260);

    ASSERT_TRUE(WritePng(sheet, L"default_theme_sheet.png"));
    WritePng(sheet, L"Z:\\tmp\\default_theme_sheet.png");
}

}  // namespace
