// The label bound to a dialog's static control: its font follows the setters whatever the dialog's font was, and
// it draws its text in its colour.

#include "views/Label.h"

#include "DibPixels.h"
#include "ViewsTestSupport.h"

#include <gtest/gtest.h>

TEST(Label, BoldThenNotBoldGivesWeight400AndTheTextTakesItsColour) {
    TestFolder folder;
    PrepareEchoLanguage(folder);
    CWnd parent;
    ASSERT_TRUE(
        parent.CreateEx(0, AfxRegisterWndClass(0), L"label", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
    const HWND control = ::CreateWindowExW(0, L"STATIC", L"Label text", WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 10, 200,
                                           40, parent.GetSafeHwnd(), reinterpret_cast<HMENU>(1045), nullptr, nullptr);
    ASSERT_TRUE(control);
    // The dialog's font is bold already.
    LOGFONT bold{};
    bold.lfHeight = -16;
    bold.lfWeight = FW_BOLD;
    ::lstrcpyW(bold.lfFaceName, L"Arial");
    CFont dialogFont;
    dialogFont.CreateFontIndirect(&bold);
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont.GetSafeHandle()), FALSE);

    CLabel label;
    ASSERT_TRUE(label.SubclassWindow(control));
    EXPECT_EQ(FW_BOLD, label.GetLogFont().lfWeight);  // read from the control
    EXPECT_STREQ(L"Arial", label.GetLogFont().lfFaceName);
    label.SetFontBold(TRUE).SetFontBold(FALSE);
    EXPECT_EQ(400, label.GetLogFont().lfWeight);

    const COLORREF blue = RGB(0, 0, 255);
    label.SetTextColor(blue);
    CScopedMemDC dc(200, 40);
    ASSERT_TRUE(dc.IsValid());
    label.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), PRF_CLIENT);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), PixelAt(dc, 199, 39));
    bool blueText = false;
    for (int y = 0; y < 40 && !blueText; ++y) {
        for (int x = 0; x < 200 && !blueText; ++x)
            blueText = PixelAt(dc, x, y) == blue;
    }
    EXPECT_TRUE(blueText);

    EXPECT_FALSE(label.GetExStyle() & WS_EX_TRANSPARENT);
    label.SetTransparent(TRUE);
    EXPECT_TRUE(label.GetExStyle() & WS_EX_TRANSPARENT);

    label.UnsubclassWindow();
    parent.DestroyWindow();
}
