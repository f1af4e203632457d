// The program's skin on the controls the application-shaped frame does not show (tabs, trackbars, a hot
// combo box, a pressed up-down, a marquee bar), printed on one sheet for a person to look at
// (skin_program_controls.png).

#include "FoundationTestSupport.h"
#include "SkinTestSupport.h"
#include "TestSkins.h"

#include <vector>

TEST(SkinControlsPicture, ProgramSkinControlsArePrinted) {
    ASSERT_TRUE(GetSkinManager()->OpenSkin(ProgramFolderFile(kProgramSkin).c_str(), nullptr));
    RecorderParent parent(600, 400);
    HWND hTab = parent.AddChild(WC_TABCONTROLW, L"", 0, {10, 10, 290, 110});
    for (LPCWSTR pszCaption : {L"Channels", L"Records", L"Statistics"}) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<LPWSTR>(pszCaption);
        ::SendMessageW(hTab, TCM_INSERTITEMW, ::SendMessageW(hTab, TCM_GETITEMCOUNT, 0, 0),
                       reinterpret_cast<LPARAM>(&item));
    }
    ::SendMessageW(hTab, TCM_SETCURSEL, 1, 0);
    HWND hTrack = parent.AddChild(TRACKBAR_CLASSW, L"", TBS_AUTOTICKS | TBS_ENABLESELRANGE, {300, 10, 560, 50});
    ::SendMessageW(hTrack, TBM_SETRANGE, TRUE, MAKELPARAM(0, 20));
    ::SendMessageW(hTrack, TBM_SETPOS, TRUE, 8);
    ::SendMessageW(hTrack, TBM_SETSEL, TRUE, MAKELPARAM(4, 12));
    HWND hVertical = parent.AddChild(TRACKBAR_CLASSW, L"", TBS_VERT | TBS_BOTH, {300, 60, 340, 200});
    HWND hCombo = parent.AddChild(WC_COMBOBOXW, L"", CBS_DROPDOWNLIST, {360, 70, 520, 200});
    ::SendMessageW(hCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Hovered combo"));
    ::SendMessageW(hCombo, CB_SETCURSEL, 0, 0);
    ::SendMessageW(hCombo, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    HWND hSpin = parent.AddChild(UPDOWN_CLASSW, L"", 0, {360, 110, 380, 150});
    ::SendMessageW(hSpin, UDM_SETRANGE32, 0, 10);
    ::SendMessageW(hSpin, WM_MOUSEMOVE, 0, MAKELPARAM(10, 5));
    HWND hMarquee = parent.AddChild(PROGRESS_CLASSW, L"", PBS_MARQUEE, {10, 130, 290, 148});
    ::SendMessageW(hMarquee, PBM_SETMARQUEE, TRUE, 0);
    ::SendMessageW(hMarquee, PBM_STEPIT, 0, 0);

    SkinCanvas sheet(600, 220);
    sheet.FillSolidRect(0, 0, 600, 220, ::GetSysColor(COLOR_BTNFACE));
    for (HWND hWnd : {hTab, hTrack, hVertical, hCombo, hSpin, hMarquee}) {
        CRect rc;
        ::GetWindowRect(hWnd, &rc);
        ::MapWindowPoints(nullptr, parent.Hwnd(), reinterpret_cast<POINT*>(&rc), 2);
        SkinCanvas dc(rc.Width(), rc.Height());
        PrintInto(dc, hWnd, WM_PRINT, PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
        int nUnpainted = 0;
        for (int y = 0; y < rc.Height(); ++y)
            for (int x = 0; x < rc.Width(); ++x)
                nUnpainted += dc.At(x, y) == kCanvasBackground ? 1 : 0;
        EXPECT_EQ(nUnpainted, 0);
        sheet.BitBlt(rc.left, rc.top, rc.Width(), rc.Height(), &dc, 0, 0, SRCCOPY);
    }
    WritePng(sheet, L"skin_program_controls.png");
}
