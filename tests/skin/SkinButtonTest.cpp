// Buttons under the state-coded skin: each kind of button prints the BUTTON part of its state, the system's
// procedure keeps the logic without painting, and owner-drawn buttons keep the application's drawing.

#include "SkinTestSupport.h"
#include "TestSkins.h"
#include "TkSkinObjectButton.h"

#include <functional>
#include <vssym32.h>

namespace {

constexpr RECT kButtonRect = {10, 10, 90, 34};  // 80 x 24
// Where a push button's part shows, and the middle of a check box's or radio button's 13 x 13 glyph at the
// left of the client area, centred vertically.
constexpr POINT kPushProbe = {40, 12};
constexpr POINT kGlyphProbe = {kGlyphCell / 2, 12};

struct ButtonRow {
    const char* pszCase;
    DWORD dwStyle;
    std::function<void(HWND)> setup;
    POINT ptProbe;
    int nPart;
    int nState;
};

void Hover(HWND hWnd) {
    ::SendMessageW(hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
}

}  // namespace

// One table of (button, what was done to it) -> the part and state it prints; and the cases that check what
// the skin leaves alone.
TEST(SkinButton, PrintsThePartOfItsStateAndLeavesTheSystemsPaintingOut) {
    OpenStateCodedSkin();
    RecorderParent parent;
    const auto none = [](HWND) {};
    const auto disable = [](HWND hWnd) { ::EnableWindow(hWnd, FALSE); };
    const auto press = [](HWND hWnd) { ::SendMessageW(hWnd, BM_SETSTATE, TRUE, 0); };
    const auto check = [](int nCheck) { return [nCheck](HWND hWnd) { ::SendMessageW(hWnd, BM_SETCHECK, nCheck, 0); }; };
    const ButtonRow rows[] = {
        {"push", BS_PUSHBUTTON, none, kPushProbe, BP_PUSHBUTTON, PBS_NORMAL},
        {"push hovered", BS_PUSHBUTTON, Hover, kPushProbe, BP_PUSHBUTTON, PBS_HOT},
        {"push pressed", BS_PUSHBUTTON, press, kPushProbe, BP_PUSHBUTTON, PBS_PRESSED},
        {"push disabled", BS_PUSHBUTTON, disable, kPushProbe, BP_PUSHBUTTON, PBS_DISABLED},
        {"default push", BS_DEFPUSHBUTTON, none, kPushProbe, BP_PUSHBUTTON, PBS_DEFAULTED},
        {"default push hovered", BS_DEFPUSHBUTTON, Hover, kPushProbe, BP_PUSHBUTTON, PBS_HOT},
        {"push-like check box checked", BS_AUTOCHECKBOX | BS_PUSHLIKE, check(BST_CHECKED), kPushProbe, BP_PUSHBUTTON,
         PBS_PRESSED},
        {"check box", BS_AUTOCHECKBOX, none, kGlyphProbe, BP_CHECKBOX, CBS_UNCHECKEDNORMAL},
        {"check box hovered", BS_AUTOCHECKBOX, Hover, kGlyphProbe, BP_CHECKBOX, CBS_UNCHECKEDHOT},
        {"check box pressed", BS_AUTOCHECKBOX, press, kGlyphProbe, BP_CHECKBOX, CBS_UNCHECKEDPRESSED},
        {"check box checked", BS_AUTOCHECKBOX, check(BST_CHECKED), kGlyphProbe, BP_CHECKBOX, CBS_CHECKEDNORMAL},
        {"check box checked, disabled", BS_AUTOCHECKBOX,
         [](HWND hWnd) {
             ::SendMessageW(hWnd, BM_SETCHECK, BST_CHECKED, 0);
             ::EnableWindow(hWnd, FALSE);
         },
         kGlyphProbe, BP_CHECKBOX, CBS_CHECKEDDISABLED},
        {"three-state box mixed", BS_AUTO3STATE, check(BST_INDETERMINATE), kGlyphProbe, BP_CHECKBOX, CBS_MIXEDNORMAL},
        {"three-state box mixed, hovered", BS_3STATE,
         [](HWND hWnd) {
             ::SendMessageW(hWnd, BM_SETCHECK, BST_INDETERMINATE, 0);
             Hover(hWnd);
         },
         kGlyphProbe, BP_CHECKBOX, CBS_MIXEDHOT},
        {"glyph on the right",
         BS_AUTOCHECKBOX | BS_LEFTTEXT,
         none,
         {80 - kGlyphCell / 2 - 1, 12},
         BP_CHECKBOX,
         CBS_UNCHECKEDNORMAL},
        {"radio button", BS_AUTORADIOBUTTON, none, kGlyphProbe, BP_RADIOBUTTON, RBS_UNCHECKEDNORMAL},
        {"radio button checked", BS_AUTORADIOBUTTON, check(BST_CHECKED), kGlyphProbe, BP_RADIOBUTTON,
         RBS_CHECKEDNORMAL},
        {"radio button hovered", BS_RADIOBUTTON, Hover, kGlyphProbe, BP_RADIOBUTTON, RBS_UNCHECKEDHOT},
        {"group box", BS_GROUPBOX, none, {40, 20}, BP_GROUPBOX, GBS_NORMAL},
        {"group box disabled", BS_GROUPBOX, disable, {40, 20}, BP_GROUPBOX, GBS_DISABLED},
    };
    for (const ButtonRow& row : rows) {
        HWND hButton = parent.AddChild(L"Button", L"", row.dwStyle, kButtonRect);
        auto* pObject = dynamic_cast<CTkSkinObjectButton*>(GetSkinManager()->FindSkinObject(hButton));
        ASSERT_NE(pObject, nullptr) << row.pszCase;
        row.setup(hButton);
        SkinCanvas dc(80, 24);
        PrintInto(dc, hButton);
        EXPECT_EQ(CellAt(dc, row.ptProbe.x, row.ptProbe.y), CellName(kButton, row.nPart, row.nState)) << row.pszCase;
        ::DestroyWindow(hButton);
    }

    // The mouse leaving takes the hot look away.
    HWND hPush = parent.AddChild(L"Button", L"", BS_PUSHBUTTON, kButtonRect);
    Hover(hPush);
    ::SendMessageW(hPush, WM_MOUSELEAVE, 0, 0);
    SkinCanvas dc(80, 24);
    PrintInto(dc, hPush);
    EXPECT_EQ(CellAt(dc, 40, 12), CellName(kButton, BP_PUSHBUTTON, PBS_NORMAL));

    // A visible button does not let the system paint on BM_SETSTATE: the system's painting asks the parent
    // for its colours, and here nobody does.
    parent.Log().clear();
    ::SendMessageW(hPush, BM_SETSTATE, TRUE, 0);
    ::SendMessageW(hPush, BM_SETSTATE, FALSE, 0);
    EXPECT_EQ(parent.Count(WM_CTLCOLORBTN), 0);
    EXPECT_TRUE(::IsWindowVisible(hPush));

    // A focused button without text, bitmap or icon shows no focus rectangle: every pixel is the part's.
    ::SetFocus(hPush);
    ASSERT_EQ(::GetFocus(), hPush);
    auto otherPixels = [&] {
        PrintInto(dc, hPush);
        int nOther = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 80; ++x)
                nOther += CellAt(dc, x, y) != CellName(kButton, BP_PUSHBUTTON, PBS_NORMAL) ? 1 : 0;
        return nOther;
    };
    EXPECT_EQ(otherPixels(), 0);
    // With a text the same button shows its text and the focus rectangle around it.
    ::SetWindowTextW(hPush, L"Go");
    EXPECT_GT(otherPixels(), 0);
    ::DestroyWindow(hPush);

    // An owner-drawn button keeps the application's drawing.
    parent.SetScript([](UINT message, WPARAM, LPARAM lParam, LRESULT* pResult) {
        if (message != WM_DRAWITEM)
            return FALSE;
        const auto* pItem = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        ::SetBkColor(pItem->hDC, RGB(200, 0, 0));
        ::ExtTextOutW(pItem->hDC, 0, 0, ETO_OPAQUE, &pItem->rcItem, nullptr, 0, nullptr);
        *pResult = TRUE;
        return TRUE;
    });
    HWND hOwnerDrawn = parent.AddChild(L"Button", L"", BS_OWNERDRAW, kButtonRect);
    parent.Log().clear();
    PrintInto(dc, hOwnerDrawn);
    EXPECT_EQ(parent.Count(WM_DRAWITEM), 1);
    EXPECT_EQ(dc.At(40, 12), RGB(200, 0, 0));
    ::DestroyWindow(hOwnerDrawn);
}
