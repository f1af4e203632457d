// Controls measured and drawn through the pinned default theme: sizes by type, style and bar with GDI's
// text extents as the judge, the split button's halves, popup items, and edit and combo-box fields
// through a test control that carries the field mixin.

#include "ThemeTestSupport.h"
#include "TkTextFunctions.h"

namespace {

constexpr COLORREF kSentinel = RGB(1, 2, 3);  // in no pinned entry

CSize Caption(CFont* pFont, LPCWSTR pszCaption) {
    CString strStripped = pszCaption;
    RemoveMnemonicMarkers(strStripped);
    return TextExtent(pFont, strStripped);
}

// Draws the control at its rectangle's place into a fresh DC of the bar's client size.
class ControlPainting : public ThemeFixture {
protected:
    void Draw(CScopedMemDC& dc, CTkControl* pControl) {
        dc.FillSolidRect(0, 0, dc.GetWidth(), dc.GetHeight(), kSentinel);
        pControl->Draw(&dc);
    }
};

TEST_F(ControlPainting, ToolbarControlsMeasureTheirCaptionsAndButtons) {
    CFont* pRegular = &m_pTheme->m_fntRegular;
    const CSize szButton = m_pBar->GetButtonSize();
    const CSize szOpen = Caption(pRegular, L"&Open");
    const int nCaptionHeight = std::max<int>(szButton.cy, szOpen.cy + 6);
    struct Row {
        LPCSTR pszCase;
        int nType;
        int nStyle;
        LPCWSTR pszCaption;
        CSize expected;
    };
    const Row rows[] = {
        {"caption only", kControlButton, kButtonCaption, L"&Open", CSize(szOpen.cx + 8, nCaptionHeight)},
        {"icon style without an image", kControlButton, kButtonIcon, L"&Open", szButton},
        {"button popup, caption", kControlButtonPopup, kButtonCaption, L"&Open", CSize(szOpen.cx + 8, nCaptionHeight)},
        {"split button, caption", kControlSplitButtonPopup, kButtonCaption, L"&Open",
         CSize(szOpen.cx + 8 + 11, nCaptionHeight)},
        {"split button, no caption", kControlSplitButtonPopup, kButtonIcon, L"&Open", CSize(22 + 11, 22)},
        {"check box", kControlCheckBox, kButtonCaption, L"&Open", CSize(szOpen.cx + 8 + 13 + 5, nCaptionHeight)},
        {"text popup: room for the glyph", kControlPopup, kButtonAutomatic, L"&Open",
         CSize(szOpen.cx + 10 + 6, szOpen.cy + 6)},
        {"custom controls draw themselves", kControlCustom, kButtonCaption, L"&Open", CSize(0, 0)},
    };
    for (const Row& row : rows) {
        CTkControlButton* pControl = AddButton(row.nType, row.pszCaption, row.nStyle);
        EXPECT_EQ(pControl->GetSize(nullptr), row.expected) << row.pszCase;
    }
    // Narrow drop-down spacing leaves 8 for the glyph and draws captions beside icons a pixel later.
    m_pTheme->m_bNarrowDropDownSpacing = TRUE;
    EXPECT_EQ(AddButton(kControlPopup, L"&Open", kButtonAutomatic)->GetSize(nullptr),
              CSize(szOpen.cx + 8 + 6, szOpen.cy + 6));
    m_pTheme->m_bNarrowDropDownSpacing = FALSE;
    // An explicit width and height win; a vertical bar swaps them.
    CTkControlButton* pSized = AddButton(kControlButton, L"&Open", kButtonCaption);
    pSized->SetWidth(100);
    pSized->SetHeight(30);
    EXPECT_EQ(pSized->GetSize(nullptr), CSize(100, 30));
    SetBar(kBarTypeNormal, kBarLeft);
    EXPECT_EQ(pSized->GetSize(nullptr), CSize(30, 100));
}

TEST_F(ControlPainting, LargeButtonsAreAtLeast42WideAndSplitTheirCaption) {
    const int nExtent = m_pTheme->GetSplitDropDownExtent();
    const int nWidth = std::max(2 * m_pTheme->GetControlHeight() - 3, 42);
    const int nHeight = m_pBar->GetLargeIconSize().cy + nExtent + 7;
    CTkControlButton* pShort = AddButton(kControlButton, L"Go", kButtonIconAndCaptionBelow);
    EXPECT_EQ(pShort->GetSize(nullptr), CSize(nWidth, nHeight));
    // The longer line of a two-line caption widens the button.
    CTkControlButton* pLong = AddButton(kControlButton, L"Paste Specialities", kButtonIconAndCaptionBelow);
    const int nLine =
        std::max(Caption(&m_pTheme->m_fntRegular, L"Paste").cx, Caption(&m_pTheme->m_fntRegular, L"Specialities").cx);
    EXPECT_EQ(pLong->GetSize(nullptr), CSize(std::max(nWidth, nLine + 5), nHeight));
    // Without splitting, the whole caption is one line.
    m_pTheme->m_bSplitLargeCaptions = FALSE;
    EXPECT_EQ(pLong->GetSize(nullptr).cx,
              std::max(nWidth, static_cast<int>(Caption(&m_pTheme->m_fntRegular, L"Paste Specialities").cx) + 5));
    // An explicit control height makes it three rows high.
    m_pTheme->m_nExplicitControlHeight = 20;
    EXPECT_EQ(pShort->GetSize(nullptr).cy, 60);
    m_pTheme->m_nExplicitControlHeight = 0;
}

TEST_F(ControlPainting, MenuBarPopupsAreMeasuredWithTheirGlyphButDrawnWithout) {
    CTkControlButton* pControl = AddButton(kControlPopup, L"File", kButtonAutomatic);
    const CSize szText = Caption(&m_pTheme->m_fntRegular, L"File");
    // The glyph would stand 5 pixels after the caption, which starts 3 in.
    const CPoint ptGlyph(3 + szText.cx + 5, 0);
    for (int nBarType : {kBarTypeMenuBar, kBarTypeNormal}) {
        SetBar(nBarType, kBarTop);
        const CSize size = pControl->GetSize(nullptr);
        EXPECT_EQ(size, CSize(szText.cx + 16, szText.cy + 6));
        pControl->SetRect(CRect(CPoint(0, 0), size));
        CScopedMemDC dc(size.cx, size.cy);
        Draw(dc, pControl);
        const COLORREF glyph = PixelAt(dc, ptGlyph.x, size.cy / 2);
        if (nBarType == kBarTypeMenuBar)
            EXPECT_EQ(glyph, kSentinel);
        else
            EXPECT_EQ(glyph, PinnedColor(COLOR_BTNTEXT));
    }
}

TEST_F(ControlPainting, SplitButtonHalvesAndTheirGlyph) {
    CTkControlButton* pControl = AddButton(kControlSplitButtonPopup, L"", kButtonIcon);
    pControl->SetRect(CRect(0, 0, 34, 22));
    EXPECT_EQ(m_pTheme->GetSplitCommandRect(pControl), CRect(0, 0, 22, 22));
    pControl->SetSelected(1);
    struct Row {
        int nEnabled;
        COLORREF commandFace;  // the command part's top-left pixel
        COLORREF dropFace;     // the drop-down part's top-left pixel
        COLORREF glyph;
    };
    const Row rows[] = {
        {1, PinnedColor(COLOR_BTNHIGHLIGHT), PinnedColor(COLOR_BTNHIGHLIGHT), PinnedColor(COLOR_BTNTEXT)},
        // The drop-down half disabled: its glyph grey while the command part stays enabled.
        {4, PinnedColor(COLOR_BTNHIGHLIGHT), PinnedColor(COLOR_BTNHIGHLIGHT), PinnedColor(COLOR_GRAYTEXT)},
        // The command half disabled: drawn disabled but for the glyph.
        {5, kSentinel, kSentinel, PinnedColor(COLOR_BTNTEXT)},
    };
    CScopedMemDC dc(34, 22);
    for (const Row& row : rows) {
        pControl->SetEnabled(row.nEnabled);
        Draw(dc, pControl);
        EXPECT_EQ(PixelAt(dc, 0, 0), row.commandFace) << row.nEnabled;
        EXPECT_EQ(PixelAt(dc, 22, 0), row.dropFace) << row.nEnabled;
        EXPECT_EQ(PixelAt(dc, 27, 11), row.glyph) << row.nEnabled;
    }
    // On a popup bar the command part ends the popup split width before the right edge.
    SetBar(kBarTypePopup, kBarPopup);
    EXPECT_EQ(m_pTheme->GetSplitCommandRect(pControl), CRect(0, 0, 14, 22));
}

TEST_F(ControlPainting, PopupItemsMeasureCaptionShortcutAndColumn) {
    SetBar(kBarTypePopup, kBarPopup);
    const int nColumn = m_pTheme->GetPopupIconColumnWidth(m_pBar) - 1;
    EXPECT_EQ(nColumn, m_pBar->GetButtonSize().cx);
    CFont* pRegular = &m_pTheme->m_fntRegular;
    const int nRowHeight = m_pBar->GetButtonSize().cy;
    CTkControlButton* pOpen = AddButton(kControlButton, L"&Open\tCtrl+O", kButtonAutomatic);
    EXPECT_EQ(pOpen->GetSize(nullptr),
              CSize(Caption(pRegular, L"Open").cx + Caption(pRegular, L"Ctrl+O").cx + 4 + nColumn + 32, nRowHeight));
    CTkControlButton* pLabel = AddButton(kControlLabel, L"Recent", kButtonCaption);
    EXPECT_EQ(pLabel->GetSize(nullptr),
              CSize(Caption(pRegular, L"Recent").cx + 4 + nColumn + 32, m_pTheme->m_nControlHeight));
    // A label without an image and with label icons off has no icon column.
    m_pTheme->m_bLabelIcons = FALSE;
    EXPECT_EQ(pLabel->GetSize(nullptr).cx, Caption(pRegular, L"Recent").cx + 4 + 32);
    // A caption with a description line below it.
    CTkControlButton* pDescribed = AddButton(kControlButton, L"&Print", kButtonCaptionAndDescription);
    pDescribed->SetDescription(L"Send the document to the printer");
    const CSize szBold = Caption(&m_pTheme->m_fntRegularBold, L"Print");
    const CSize szDescription = Caption(pRegular, L"Send the document to the printer");
    EXPECT_EQ(pDescribed->GetSize(nullptr),
              CSize(std::max(4 + (szDescription.cx + 20) / 2 + nColumn + 32, szBold.cx + 4 + nColumn + 32),
                    std::max<int>(nRowHeight, szBold.cy + 2 * szDescription.cy + 19)));
    // Toolbars have no icon column.
    SetBar(kBarTypeNormal, kBarTop);
    EXPECT_EQ(m_pTheme->GetPopupIconColumnWidth(m_pBar), 0);
}

TEST_F(ControlPainting, PopupItemsHighlightTheTextAndMarkChecks) {
    SetBar(kBarTypePopup, kBarPopup);
    CTkControlButton* pItem = AddButton(kControlButton, L"&Open", kButtonAutomatic);
    pItem->SetRect(CRect(0, 0, 120, 22));
    CScopedMemDC dc(120, 22);
    Draw(dc, pItem);
    EXPECT_EQ(PixelAt(dc, 100, 1), kSentinel) << "idle items leave the row to the bar";
    pItem->SetSelected(1);
    Draw(dc, pItem);
    const int nCell = std::max(m_pTheme->m_nControlHeight, 16 + 4);
    EXPECT_EQ(PixelAt(dc, 100, 1), PinnedColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(PixelAt(dc, nCell, 1), PinnedColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(PixelAt(dc, nCell - 1, 1), kSentinel) << "the icon cell stays out of the highlight";
    // Checked: the cell sunken on the dithered face with a check mark, the text one pixel further on.
    pItem->SetSelected(0);
    pItem->SetChecked(1);
    Draw(dc, pItem);
    EXPECT_EQ(PixelAt(dc, 0, 0), PinnedColor(COLOR_BTNSHADOW));
    EXPECT_EQ(PixelAt(dc, nCell - 1, 21), PinnedColor(COLOR_BTNHIGHLIGHT));
    const CPoint ptCenter(nCell / 2, 11);
    EXPECT_EQ(PixelAt(dc, ptCenter.x, ptCenter.y - 1), PinnedColor(COLOR_BTNTEXT)) << "the tick";
    // A popup item ends with its sub-menu arrow.
    CTkControlButton* pSub = AddButton(kControlPopup, L"&Recent", kButtonAutomatic);
    pSub->SetRect(CRect(0, 0, 120, 22));
    Draw(dc, pSub);
    EXPECT_EQ(PixelAt(dc, 120 - 11 + 1, 11), PinnedColor(COLOR_BTNTEXT));
}

TEST_F(ControlPainting, EditFieldsMeasureTheirLabelAndDrawFrameAndSpinButtons) {
    auto* pEdit = Append(new CTestFieldControl);
    pEdit->SetType(kControlEdit);
    pEdit->SetCaption(L"Find");
    pEdit->SetStyle(kButtonCaption);
    pEdit->SetWidth(120);
    const int nIconTitle = TextExtent(&m_pTheme->m_fntIconTitle, L" ").cy + 7;
    const int nRegular = TextExtent(&m_pTheme->m_fntRegular, L" ").cy + 7;
    const int nHeight = std::max(nIconTitle, nRegular);
    EXPECT_EQ(pEdit->GetSize(nullptr), CSize(120, nHeight));
    const int nLabel = Caption(&m_pTheme->m_fntRegular, L"Find").cx + 5;
    EXPECT_EQ(pEdit->m_nLabelWidth, nLabel);
    // Without a visible caption there is no label; an explicit control height decides the height.
    pEdit->SetStyle(kButtonIcon);
    m_pTheme->m_nExplicitControlHeight = 26;
    EXPECT_EQ(pEdit->GetSize(nullptr), CSize(120, 26));
    EXPECT_EQ(pEdit->m_nLabelWidth, 0);
    m_pTheme->m_nExplicitControlHeight = 0;
    pEdit->SetStyle(kButtonCaption);
    pEdit->GetSize(nullptr);

    const CRect rc(0, 0, 120, 22);
    pEdit->SetRect(rc);
    pEdit->m_rcSpin = CRect(rc.right - 18, rc.top + 1, rc.right - 1, rc.bottom - 1);
    CScopedMemDC dc(120, 22);
    Draw(dc, pEdit);
    // Idle: the field white inside a face-coloured ring; the spin buttons framed in white.
    EXPECT_EQ(PixelAt(dc, nLabel, 0), kSentinel);
    EXPECT_EQ(PixelAt(dc, nLabel + 1, 1), PinnedColor(COLOR_BTNFACE));
    EXPECT_EQ(PixelAt(dc, nLabel + 2, 2), PinnedColor(COLOR_WINDOW));
    EXPECT_EQ(pEdit->m_rcText, CRect(nLabel + 3, 1, 117, 21));
    EXPECT_EQ(PixelAt(dc, 103, 3), PinnedColor(COLOR_WINDOW));
    EXPECT_EQ(PixelAt(dc, 105, 5), PinnedColor(COLOR_BTNFACE));
    // Hot with the upper spin button pressed: a sunken field, the upper half sunken, the lower raised.
    pEdit->SetSelected(1);
    pEdit->SetPressed(4);
    Draw(dc, pEdit);
    EXPECT_EQ(PixelAt(dc, nLabel, 0), PinnedColor(COLOR_BTNSHADOW));
    EXPECT_EQ(PixelAt(dc, 119, 21), PinnedColor(COLOR_BTNHIGHLIGHT));
    const int nMiddle = 11;
    EXPECT_EQ(PixelAt(dc, 103, 2), PinnedColor(COLOR_BTNSHADOW));              // upper half, top-left
    EXPECT_EQ(PixelAt(dc, 117, nMiddle - 1), PinnedColor(COLOR_WINDOW));       // upper half, bottom-right
    EXPECT_EQ(PixelAt(dc, 103, nMiddle), PinnedColor(COLOR_WINDOW));           // lower half, top-left
    EXPECT_EQ(PixelAt(dc, 117, 19), PinnedColor(COLOR_BTNSHADOW));             // lower half, bottom-right
    EXPECT_EQ(PixelAt(dc, 110, 6), PinnedColor(COLOR_BTNTEXT)) << "up arrow";  // (cx, cy) of the upper half
    pEdit->SetPressed(0);
    // Disabled: no fill; a highlight ring, or a shadow one while selected by the keyboard.
    pEdit->SetEnabled(0);
    pEdit->SetSelected(0);
    Draw(dc, pEdit);
    EXPECT_EQ(PixelAt(dc, nLabel + 1, 1), PinnedColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(PixelAt(dc, nLabel + 2, 2), kSentinel);
    pEdit->SetSelected(2);
    Draw(dc, pEdit);
    EXPECT_EQ(PixelAt(dc, nLabel + 1, 1), PinnedColor(COLOR_BTNSHADOW));
}

TEST_F(ControlPainting, ComboBoxesMeasureTheirButtonAndDrawItByState) {
    auto* pCombo = Append(new CTestFieldControl);
    pCombo->SetType(kControlComboBox);
    pCombo->SetStyle(kButtonIcon);
    pCombo->SetCaption(L"Zoom");
    pCombo->SetWidth(100);
    const int nHeight = std::max<int>(TextExtent(&m_pTheme->m_fntIconTitle, L" ").cy + 7, 20);
    EXPECT_EQ(pCombo->GetSize(nullptr), CSize(100, nHeight));
    EXPECT_EQ(pCombo->m_nLabelWidth, 0);
    EXPECT_EQ(pCombo->m_nDropButtonWidth, std::max(::MulDiv(nHeight, 9, 14) + 1, 15));
    struct Row {
        int nHeight;
        int nButton;
    };
    const Row rows[] = {{20, 15}, {22, 15}, {23, 16}, {24, 16}, {30, 20}, {42, 28}};
    for (const Row& row : rows) {
        m_pTheme->m_nExplicitControlHeight = row.nHeight;
        pCombo->GetSize(nullptr);
        EXPECT_EQ(pCombo->m_nDropButtonWidth, row.nButton) << row.nHeight;
    }
    m_pTheme->m_nExplicitControlHeight = 22;
    pCombo->GetSize(nullptr);

    const CRect rc(0, 0, 100, 22);
    pCombo->SetRect(rc);
    CScopedMemDC dc(100, 22);
    // The button (85..100) is drawn inset to (86, 2, 98, 20).
    struct StateRow {
        LPCSTR pszCase;
        int nSelected;
        BOOL bDropped;
        COLORREF topLeft;
        COLORREF bottomRight;
        COLORREF lineLeft;  // the column just left of the button's face
    };
    const StateRow states[] = {
        {"idle", 0, FALSE, PinnedColor(COLOR_BTNHIGHLIGHT), PinnedColor(COLOR_BTNHIGHLIGHT), PinnedColor(COLOR_WINDOW)},
        {"hot", 1, FALSE, PinnedColor(COLOR_BTNHIGHLIGHT), PinnedColor(COLOR_BTNSHADOW), PinnedColor(COLOR_BTNFACE)},
        {"dropped", 1, TRUE, PinnedColor(COLOR_BTNSHADOW), PinnedColor(COLOR_BTNHIGHLIGHT), PinnedColor(COLOR_BTNFACE)},
    };
    for (const StateRow& row : states) {
        pCombo->SetSelected(row.nSelected);
        pCombo->m_bDropped = row.bDropped;
        Draw(dc, pCombo);
        EXPECT_EQ(PixelAt(dc, 86, 2), row.topLeft) << row.pszCase;
        EXPECT_EQ(PixelAt(dc, 97, 19), row.bottomRight) << row.pszCase;
        EXPECT_EQ(PixelAt(dc, 85, 10), row.lineLeft) << row.pszCase;
        EXPECT_EQ(pCombo->m_rcText, CRect(3, 1, 86, 21)) << row.pszCase;
    }
    m_pTheme->m_nExplicitControlHeight = 0;
}

}  // namespace
