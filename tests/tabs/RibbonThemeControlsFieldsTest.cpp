// The ribbon theme's fields on the tests' look: edit and combo-box fills and frames by state, the combo's
// drop-down button states, the spin buttons and their glyphs, the edit back colour, and the text colours
// of controls (bar types, the menu bar, controls outside groups on a ribbon). A sample of painted
// controls goes to /tmp/ribbon_controls.png.

#include "RibbonControlsTestSupport.h"
#include "TkControlComboBox.h"
#include "TkControlEdit.h"

namespace {

constexpr COLORREF kNothing = kControlSentinel;

class CStateEdit : public CTkControlEdit {
public:
    int GetSelected() const override { return m_nTestSelected; }
    int GetPressed() const override { return m_nTestPressed; }
    CRect GetSpinButtonsRect() const override { return m_bSpin ? CRect(0, 0, 1, 1) : CRect(); }
    int m_nTestSelected = 0;
    int m_nTestPressed = 0;
    BOOL m_bSpin = TRUE;
};

class CStateCombo : public CTkControlComboBox {
public:
    int GetSelected() const override { return m_nTestSelected; }
    BOOL IsDropped() const override { return m_bTestDropped; }
    BOOL IsEditable() const override { return m_bTestEditable; }
    BOOL IsEditFocused() const override { return FALSE; }
    int m_nTestSelected = 0;
    BOOL m_bTestDropped = FALSE;
    BOOL m_bTestEditable = FALSE;
};

class RibbonFields : public RibbonControls {
protected:
    template <class T>
    T* MakeField(const CRect& rc) {
        T* pField = new T;
        pField->SetRect(rc);
        pField->SetCaption(L"");
        m_controls.push_back(pField);
        return pField;
    }
    // The field's rectangle after a paint (the label measured).
    static CRect FieldRect(CTkControl* pControl) {
        CRect rc = pControl->GetRect();
        rc.left += GetControlField(pControl)->GetLabelWidth();
        return rc;
    }
};

TEST_F(RibbonFields, EditFieldsAndSpinButtonsFollowTheirStates) {
    CStateEdit* pEdit = MakeField<CStateEdit>(CRect(10, 10, 130, 32));
    const COLORREF clrFace = m_theme->LookupColor(COLOR_BTNFACE);
    const COLORREF clrWindow = m_theme->LookupColor(COLOR_WINDOW);
    const COLORREF clrKeyboardFrame = m_theme->LookupColor(32);
    struct Row {
        int nEnabled, nSelected, nPressed;
        COLORREF clrFill, clrFrame;
        int nUp, nDown;  // spin button states
        int nUpGlyph, nDownGlyph;
    };
    const Row rows[] = {
        {1, 0, 0, kLookEditFace, kLookFieldBorder, 0, 5, 0, 4}, {1, 1, 0, clrWindow, kLookFieldBorder, 1, 6, 1, 5},
        {1, 4, 0, clrWindow, kLookFieldBorder, 2, 6, 2, 5},     {1, 4, 4, clrWindow, kLookFieldBorder, 3, 6, 2, 5},
        {1, 5, 5, clrWindow, kLookFieldBorder, 1, 8, 1, 6},     {1, 5, 0, clrWindow, kLookFieldBorder, 1, 7, 1, 6},
        {0, 0, 0, clrFace, kLookFieldBorder, 4, 9, 3, 7},       {0, 2, 0, clrFace, clrKeyboardFrame, 4, 9, 3, 7},
    };
    for (const Row& row : rows) {
        Clear();
        pEdit->SetEnabled(row.nEnabled);
        pEdit->m_nTestSelected = row.nSelected;
        pEdit->m_nTestPressed = row.nPressed;
        EXPECT_EQ(m_theme->PaintEditControl(&m_dc, pEdit, TRUE), CSize(0, 0));
        const CRect rc = FieldRect(pEdit);
        const std::string strRow =
            std::to_string(row.nEnabled) + std::to_string(row.nSelected) + std::to_string(row.nPressed);
        EXPECT_EQ(At(rc.left, rc.top + 5), row.clrFrame) << strRow;
        EXPECT_EQ(At(rc.left + 1, rc.top + 1), row.clrFill) << strRow;
        // Upper button from top + 1 to the middle, lower from the middle to bottom - 1, at right - 18.
        const int nMiddle = (rc.top + rc.bottom) / 2;
        const CRect rcUp(rc.right - 18, rc.top + 1, rc.right - 1, nMiddle);
        const CRect rcDown(rc.right - 18, nMiddle, rc.right - 1, rc.bottom - 1);
        EXPECT_EQ(At(rcUp.right - 2, rcUp.top + 1), LookColor(kImageSpinButtons, row.nUp)) << strRow;
        EXPECT_EQ(At(rcDown.left + 1, rcDown.bottom - 1), LookColor(kImageSpinButtons, row.nDown)) << strRow;
        EXPECT_EQ(At(rcUp.left, rcUp.top), row.clrFill) << strRow;  // keyed
        // Buttons under 13 pixels take the small glyphs, centred.
        EXPECT_EQ(At(rcUp.CenterPoint().x, rcUp.CenterPoint().y), LookColor(kImageSpinGlyphs, row.nUpGlyph)) << strRow;
        EXPECT_EQ(At(rcDown.CenterPoint().x, rcDown.CenterPoint().y), LookColor(kImageSpinGlyphs, row.nDownGlyph))
            << strRow;
    }

    // Taller buttons take the scroll glyphs; without spin buttons the field runs to its frame.
    pEdit->SetRect(CRect(10, 10, 130, 50));
    pEdit->SetEnabled(1);
    pEdit->m_nTestSelected = 0;
    Clear();
    m_theme->PaintEditControl(&m_dc, pEdit, TRUE);
    const CRect rcTall = FieldRect(pEdit);
    const CRect rcUp(rcTall.right - 18, rcTall.top + 1, rcTall.right - 1, (rcTall.top + rcTall.bottom) / 2);
    EXPECT_EQ(At(rcUp.CenterPoint().x, rcUp.CenterPoint().y), LookColor(kImageScrollGlyphs, 0));
    pEdit->m_bSpin = FALSE;
    Clear();
    m_theme->PaintEditControl(&m_dc, pEdit, TRUE);
    EXPECT_EQ(At(rcUp.left + 1, rcUp.top + 1), kLookEditFace);
}

TEST_F(RibbonFields, ComboFieldsAndDropDownButtonFollowTheirStates) {
    CStateCombo* pCombo = MakeField<CStateCombo>(CRect(10, 10, 130, 32));
    const COLORREF clrFace = m_theme->LookupColor(COLOR_BTNFACE);
    const COLORREF clrWindow = m_theme->LookupColor(COLOR_WINDOW);
    struct Row {
        int nEnabled, nSelected;
        BOOL bDropped, bEditable;
        COLORREF clrFill;
        int nButton, nGlyph;
    };
    const Row rows[] = {
        {1, 0, FALSE, FALSE, kLookEditFace, 0, 0}, {1, 1, FALSE, FALSE, clrWindow, 2, 1},
        {1, 2, FALSE, TRUE, clrWindow, 2, 1},      {1, 1, FALSE, TRUE, clrWindow, 1, 1},
        {1, 1, TRUE, FALSE, clrWindow, 3, 1},      {0, 0, FALSE, FALSE, clrFace, 4, 3},
    };
    for (const Row& row : rows) {
        Clear();
        pCombo->SetEnabled(row.nEnabled);
        pCombo->m_nTestSelected = row.nSelected;
        pCombo->m_bTestDropped = row.bDropped;
        pCombo->m_bTestEditable = row.bEditable;
        EXPECT_EQ(m_theme->PaintComboBoxControl(&m_dc, pCombo, TRUE), CSize(0, 0));
        const CRect rc = FieldRect(pCombo);
        const CRect rcButton(rc.right - pCombo->GetDropButtonWidth(), rc.top + 1, rc.right, rc.bottom - 1);
        const std::string strRow = std::to_string(row.nEnabled) + std::to_string(row.nSelected) +
                                   std::to_string(row.bDropped) + std::to_string(row.bEditable);
        EXPECT_EQ(At(rc.left, rc.top + 5), kLookFieldBorder) << strRow;
        EXPECT_EQ(At(rc.left + 1, rc.top + 1), row.clrFill) << strRow;
        EXPECT_EQ(At(rcButton.left + 1, rcButton.top + 1), LookColor(kImageComboDropDown, row.nButton)) << strRow;
        EXPECT_EQ(At(rcButton.CenterPoint().x, rcButton.CenterPoint().y), LookColor(kImageDropDownGlyph, row.nGlyph))
            << strRow;
    }
    // Measuring is the base's: the field's height, not the empty size of drawing.
    EXPECT_GT(m_theme->PaintComboBoxControl(nullptr, pCombo, FALSE).cy, 0);
}

TEST_F(RibbonFields, TextAndBackColoursFollowBarAndState) {
    struct Row {
        BOOL bSelected, bPressed, bEnabled, bChecked, bPopuped;
        int nBarType;
        int nExpected;  // a colour entry, or -2 for the look's menu-bar text
    };
    const Row rows[] = {
        {1, 0, 1, 0, 0, kBarTypePopup, 44},   {0, 0, 0, 0, 0, kBarTypePopup, 35},
        {0, 0, 1, 0, 0, kBarTypeMenuBar, -2}, {1, 0, 1, 0, 0, kBarTypeMenuBar, 46},
        {0, 0, 1, 1, 0, kBarTypeMenuBar, 46}, {0, 0, 0, 0, 0, kBarTypeMenuBar, 60},
        {0, 0, 1, 0, 0, kBarTypeNormal, 46},  {0, 1, 0, 0, 1, kBarTypeRibbon, 60},
    };
    for (const Row& row : rows) {
        const COLORREF clrExpected = row.nExpected == -2 ? kLookMenuBarText : m_theme->LookupColor(row.nExpected);
        EXPECT_EQ(m_theme->GetStateTextColor(row.bSelected, row.bPressed, row.bEnabled, row.bChecked, row.bPopuped,
                                             row.nBarType, kBarTop),
                  clrExpected)
            << row.nBarType << " " << row.bSelected << row.bEnabled << row.bChecked;
    }
    EXPECT_EQ(m_theme->LookupColor(60), RGB(141, 141, 141));

    // Controls outside groups on a ribbon: the ribbon's text while idle (popups, check boxes and radio
    // buttons whatever their state), grey when disabled; in a group, or on another bar, the base's.
    CRibbonTestBar* pRibbon = new CRibbonTestBar;
    SetBarKind(pRibbon, kBarTypeRibbon, kBarTop);
    const COLORREF clrBarText = m_theme->LookupColor(46);
    int nGroup = 0;
    struct ControlRow {
        int nType, nEnabled, nSelected;
        void* pGroup;
        COLORREF clrExpected;
    };
    const ControlRow controls[] = {
        {kControlButton, 1, 0, nullptr, kLookRibbonText},   {kControlButton, 0, 0, nullptr, kLookRibbonGrayText},
        {kControlButton, 1, 1, nullptr, clrBarText},        {kControlPopup, 1, 1, nullptr, kLookRibbonText},
        {kControlCheckBox, 1, 1, nullptr, kLookRibbonText}, {kControlButton, 1, 0, &nGroup, clrBarText},
    };
    for (const ControlRow& row : controls) {
        CStateControl* pControl = MakeControl(row.nType, CRect(0, 0, 20, 20));
        pControl->SetParent(pRibbon);
        pControl->SetRibbonGroup(row.pGroup);
        pControl->SetStates(row.nEnabled, row.nSelected, 0, FALSE, 0);
        EXPECT_EQ(m_theme->GetControlTextColor(pControl), row.clrExpected)
            << row.nType << row.nEnabled << row.nSelected;
        pControl->SetParent(nullptr);
    }
    pRibbon->InternalRelease();

    // The edit's back colour.
    CStateEdit* pEdit = MakeField<CStateEdit>(CRect(0, 0, 80, 20));
    EXPECT_EQ(m_theme->GetEditBackColor(pEdit), kLookEditFace);
    pEdit->m_nTestSelected = 1;
    EXPECT_EQ(m_theme->GetEditBackColor(pEdit), m_theme->LookupColor(COLOR_WINDOW));
    pEdit->SetEnabled(0);
    EXPECT_EQ(m_theme->GetEditBackColor(pEdit), m_theme->LookupColor(COLOR_BTNFACE));
    pEdit->SetEnabled(1);
    pEdit->m_nTestSelected = 0;
    SetBarKind(m_pBar, kBarTypePopup, kBarPopup);
    pEdit->SetParent(m_pBar);
    EXPECT_EQ(m_theme->GetEditBackColor(pEdit), RGB(250, 250, 250));
    pEdit->SetParent(nullptr);
}

// Split buttons in each state, a combo, an edit with spin buttons and check boxes, for a person to see.
TEST_F(RibbonFields, SampleOfPaintedControls) {
    CScopedMemDC dc(360, 120);
    dc.FillSolidRect(0, 0, 360, 120, RGB(191, 219, 255));
    const struct {
        int nEnabled, nSelected, nPressed;
        BOOL bPopuped;
        int nChecked;
    } splits[] = {{1, 0, 0, FALSE, 0}, {1, 1, 0, FALSE, 0}, {1, 4, 0, FALSE, 0}, {1, 5, 0, FALSE, 0},
                  {1, 1, 1, FALSE, 0}, {1, 1, 0, TRUE, 0},  {1, 0, 0, FALSE, 1}, {0, 2, 0, FALSE, 0}};
    int x = 4;
    for (const auto& split : splits) {
        CStateControl* pSplit = MakeControl(kControlSplitButtonPopup, CRect(x, 4, x + 38, 26));
        pSplit->SetStyle(kButtonIcon);
        pSplit->SetStates(split.nEnabled, split.nSelected, split.nPressed, split.bPopuped, split.nChecked);
        m_theme->PaintSplitButton(&dc, pSplit, pSplit->GetRect());
        x += 44;
    }
    CStateCombo* pCombo = MakeField<CStateCombo>(CRect(4, 40, 150, 62));
    pCombo->m_nTestSelected = 1;
    m_theme->PaintComboBoxControl(&dc, pCombo, TRUE);
    CStateEdit* pEdit = MakeField<CStateEdit>(CRect(160, 40, 300, 62));
    pEdit->m_nTestSelected = 4;
    m_theme->PaintEditControl(&dc, pEdit, TRUE);
    for (int nChecked = 0; nChecked < 3; ++nChecked)
        m_theme->PaintCheckBoxMark(&dc, CRect(4 + 20 * nChecked, 80, 17 + 20 * nChecked, 93), TRUE, nChecked == 2,
                                   FALSE, TRUE, nChecked);
    EXPECT_TRUE(WritePng(dc, L"Z:\\tmp\\ribbon_controls.png"));
}

}  // namespace
