// Input controls under the state-coded skin: combo boxes (frame and button by state, pressed only while the
// list is dropped with the button held, the button on the left for right-aligned combos, the parent asked
// as for a static text when read-only), date-time pickers (the check box of one that may show no date, the
// drop-down button) and edits joined by an up-down control.

#include "SkinTestSupport.h"
#include "TestSkins.h"
#include "TkSkinObjectComboBox.h"
#include "TkSkinObjectDateTime.h"
#include "TkSkinObjectEdit.h"
#include "TkSkinObjectList.h"
#include "TkSkinObjectSpin.h"

#include <functional>
#include <vssym32.h>

namespace {

constexpr RECT kComboRect = {10, 10, 130, 210};
constexpr RECT kDateTimeRect = {10, 10, 160, 32};

// The left mouse button as GetKeyState sees it, for the scope.
class LeftButtonHeld {
public:
    LeftButtonHeld() {
        ::GetKeyboardState(m_keys);
        BYTE keys[256];
        ::memcpy(keys, m_keys, sizeof(keys));
        keys[VK_LBUTTON] = 0x80;
        ::SetKeyboardState(keys);
    }
    ~LeftButtonHeld() { ::SetKeyboardState(m_keys); }
    LeftButtonHeld(const LeftButtonHeld&) = delete;
    LeftButtonHeld& operator=(const LeftButtonHeld&) = delete;

private:
    BYTE m_keys[256] = {};
};

// The first control-colour request a control sent its parent while it was printed.
UINT FirstCtlColor(RecorderParent& parent) {
    for (const ParentMessage& logged : parent.Log())
        if (logged.message >= WM_CTLCOLORMSGBOX && logged.message <= WM_CTLCOLORSTATIC)
            return logged.message;
    return 0;
}

}  // namespace

TEST(SkinInput, ComboBoxesDateTimesAndJoinedEdits) {
    OpenStateCodedSkin();
    RecorderParent parent;
    CRect rcClient;

    // ---- Combo boxes: the frame (left edge) and the button (right end) in the combo's state.
    struct ComboRow {
        const char* pszCase;
        DWORD dwExStyle;
        std::function<void(HWND)> setup;
        int nState;
        bool bButtonLeft;
    };
    const ComboRow combos[] = {
        {"normal", 0, [](HWND) {}, CBXS_NORMAL, false},
        {"hovered", 0, [](HWND hWnd) { ::SendMessageW(hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); }, CBXS_HOT, false},
        {"disabled", 0, [](HWND hWnd) { ::EnableWindow(hWnd, FALSE); }, CBXS_DISABLED, false},
        {"dropped, button up", 0, [](HWND hWnd) { ::SendMessageW(hWnd, CB_SHOWDROPDOWN, TRUE, 0); }, CBXS_NORMAL,
         false},
        {"right-aligned", WS_EX_RIGHT, [](HWND) {}, CBXS_NORMAL, true},
    };
    for (const ComboRow& row : combos) {
        HWND hCombo = parent.AddChild(WC_COMBOBOXW, L"", CBS_DROPDOWNLIST, kComboRect, row.dwExStyle);
        ASSERT_NE(dynamic_cast<CTkSkinObjectComboBox*>(GetSkinManager()->FindSkinObject(hCombo)), nullptr);
        row.setup(hCombo);
        ::GetClientRect(hCombo, &rcClient);
        SkinCanvas dc(rcClient.Width(), rcClient.Height());
        PrintInto(dc, hCombo);
        const int yMiddle = rcClient.Height() / 2;
        const int xButton = row.bButtonLeft ? 4 : rcClient.right - 4;
        const int xFrame = row.bButtonLeft ? rcClient.right - 1 : 0;
        EXPECT_EQ(CellAt(dc, xFrame, yMiddle), CellName(kComboBox, 0, row.nState)) << row.pszCase;
        EXPECT_EQ(CellAt(dc, xButton, yMiddle), CellName(kComboBox, CP_DROPDOWNBUTTON, row.nState)) << row.pszCase;
        if (row.nState == CBXS_NORMAL && !row.bButtonLeft) {
            // Dropped with the left button held: pressed.
            ::SendMessageW(hCombo, CB_SHOWDROPDOWN, TRUE, 0);
            const LeftButtonHeld held;
            PrintInto(dc, hCombo);
            EXPECT_EQ(CellAt(dc, xButton, yMiddle), CellName(kComboBox, CP_DROPDOWNBUTTON, CBXS_PRESSED))
                << row.pszCase;
        }
        // The drop-down list is a list box to the skin.
        COMBOBOXINFO info = {sizeof(info)};
        ASSERT_TRUE(::GetComboBoxInfo(hCombo, &info));
        EXPECT_NE(dynamic_cast<CTkSkinObjectListBox*>(GetSkinManager()->FindSkinObject(info.hwndList)), nullptr);
        ::SendMessageW(hCombo, CB_SHOWDROPDOWN, FALSE, 0);
        ::DestroyWindow(hCombo);
    }

    // A drop-down combo asks its parent for an edit's colours; made read-only, for a static text's.
    HWND hDropDown = parent.AddChild(WC_COMBOBOXW, L"", CBS_DROPDOWN, kComboRect);
    ::GetClientRect(hDropDown, &rcClient);
    SkinCanvas dcCombo(rcClient.Width(), rcClient.Height());
    parent.Log().clear();
    PrintInto(dcCombo, hDropDown);
    EXPECT_EQ(FirstCtlColor(parent), static_cast<UINT>(WM_CTLCOLOREDIT));
    COMBOBOXINFO info = {sizeof(info)};
    ASSERT_TRUE(::GetComboBoxInfo(hDropDown, &info));
    ::SendMessageW(info.hwndItem, EM_SETREADONLY, TRUE, 0);
    parent.Log().clear();
    PrintInto(dcCombo, hDropDown);
    EXPECT_EQ(FirstCtlColor(parent), static_cast<UINT>(WM_CTLCOLORSTATIC));
    ::DestroyWindow(hDropDown);

    // ---- A date-time picker that may show no date: the BUTTON check box in front, the drop-down button
    // behind (this common-controls version draws none of its own).
    HWND hDateTime = parent.AddChild(DATETIMEPICK_CLASSW, L"", DTS_SHOWNONE, kDateTimeRect);
    ASSERT_NE(dynamic_cast<CTkSkinObjectDateTime*>(GetSkinManager()->FindSkinObject(hDateTime)), nullptr);
    ::GetClientRect(hDateTime, &rcClient);
    SkinCanvas dcDate(rcClient.Width(), rcClient.Height());
    const int yBox = rcClient.Height() / 2;
    const int xBox = 1 + (rcClient.Height() - 2) / 2;
    ::SendMessageW(hDateTime, DTM_SETSYSTEMTIME, GDT_NONE, 0);
    PrintInto(dcDate, hDateTime);
    EXPECT_EQ(CellAt(dcDate, xBox, yBox), CellName(kButton, BP_CHECKBOX, CBS_UNCHECKEDNORMAL));
    EXPECT_EQ(CellAt(dcDate, rcClient.right - 4, yBox), CellName(kComboBox, CP_DROPDOWNBUTTON, CBXS_NORMAL));
    SYSTEMTIME time{};
    ::GetLocalTime(&time);
    ::SendMessageW(hDateTime, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
    PrintInto(dcDate, hDateTime);
    EXPECT_EQ(CellAt(dcDate, xBox, yBox), CellName(kButton, BP_CHECKBOX, CBS_CHECKEDNORMAL));
    EXPECT_EQ(static_cast<COLORREF>(::SendMessageW(hDateTime, DTM_GETMCCOLOR, MCSC_MONTHBK, 0)),
              TestSkinSysColor(COLOR_WINDOW));
    ::DestroyWindow(hDateTime);

    // A calendar made while a skin is in force takes the skin's colours (a picker's drop-down one above).
    HWND hCalendar = parent.AddChild(MONTHCAL_CLASSW, L"", 0, {10, 40, 250, 220});
    ASSERT_NE(dynamic_cast<CTkSkinObjectMonthCal*>(GetSkinManager()->FindSkinObject(hCalendar)), nullptr);
    EXPECT_EQ(static_cast<COLORREF>(::SendMessageW(hCalendar, MCM_GETCOLOR, MCSC_MONTHBK, 0)),
              TestSkinSysColor(COLOR_WINDOW));
    EXPECT_EQ(static_cast<COLORREF>(::SendMessageW(hCalendar, MCM_GETCOLOR, MCSC_TITLEBK, 0)),
              TestSkinSysColor(COLOR_ACTIVECAPTION));
    ::DestroyWindow(hCalendar);

    // ---- An edit with an up-down control on its right: the edit's border leaves the strip the up-down
    // overlaps; the up-down carries on the edit's border around its buttons.
    HWND hEdit = parent.AddChild(WC_EDITW, L"12", ES_AUTOHSCROLL, {10, 50, 110, 72}, WS_EX_CLIENTEDGE, 101);
    HWND hSpin =
        parent.AddChild(UPDOWN_CLASSW, L"", UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS, {0, 0, 0, 0}, 0, 102);
    ::SendMessageW(hSpin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(hEdit), 0);
    ::SendMessageW(hSpin, UDM_SETRANGE32, 0, 100);
    auto* pEdit = dynamic_cast<CTkSkinObjectEdit*>(GetSkinManager()->FindSkinObject(hEdit));
    ASSERT_NE(pEdit, nullptr);
    ASSERT_NE(dynamic_cast<CTkSkinObjectSpin*>(GetSkinManager()->FindSkinObject(hSpin)), nullptr);
    CRect rcEdit;
    CRect rcSpin;
    ::GetWindowRect(hEdit, &rcEdit);
    ::GetWindowRect(hSpin, &rcSpin);
    ASSERT_EQ(rcEdit.right - rcSpin.left, 2) << "the up-down overlaps its buddy by 2 pixels";
    SkinCanvas dcEdit(rcEdit.Width(), rcEdit.Height());
    PrintInto(dcEdit, hEdit, WM_PRINT, PRF_NONCLIENT);
    const COLORREF clrBorder = TestSkinCellColor(kEdit, 0, 0);
    EXPECT_EQ(dcEdit.At(0, rcEdit.Height() / 2), clrBorder);
    EXPECT_EQ(dcEdit.At(rcEdit.Width() / 2, 0), clrBorder);
    EXPECT_EQ(dcEdit.At(rcEdit.Width() - 1, rcEdit.Height() / 2), kCanvasBackground);
    SkinCanvas dcSpin(rcSpin.Width(), rcSpin.Height());
    PrintInto(dcSpin, hSpin);
    EXPECT_EQ(dcSpin.At(rcSpin.Width() - 1, rcSpin.Height() / 2), clrBorder);
    EXPECT_EQ(dcSpin.At(rcSpin.Width() / 2, 0), clrBorder);
    EXPECT_EQ(dcSpin.At(rcSpin.Width() / 2, rcSpin.Height() - 1), clrBorder);
    EXPECT_EQ(CellAt(dcSpin, rcSpin.Width() / 2, 3), CellName(kSpin, SPNP_UP, UPS_NORMAL));

    // Read-only or disabled, the edit asks its parent as a static text.
    EXPECT_EQ(pEdit->GetCtlColorMessage(), static_cast<UINT>(WM_CTLCOLOREDIT));
    ::SendMessageW(hEdit, EM_SETREADONLY, TRUE, 0);
    EXPECT_EQ(pEdit->GetCtlColorMessage(), static_cast<UINT>(WM_CTLCOLORSTATIC));
}
