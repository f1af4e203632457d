// Under Wine's own visual style ("Light"): the theme's file and scheme names, the kind they stand for,
// and the TREEVIEW border colour that becomes slot 57.

#include "FoundationTestSupport.h"
#include "TkColorManager.h"
#include "TkWinThemeWrapper.h"
#include "VisualStyleChild.h"

namespace {

constexpr char kChildVariable[] = "TESS_VISUAL_STYLE_ON";

TEST(VisualStyleOn, LightStyleIsClassicWithItsTreeViewBorder) {
    DWORD exitCode = 1;
    ASSERT_TRUE(RunVisualStyleChild(kChildVariable, L"VisualStyleChild.*", exitCode));
    EXPECT_EQ(exitCode, 0u) << "the child case failed; its output is above";
}

TEST(VisualStyleChild, LightStyleAnswers) {
    if (!IsVisualStyleChild(kChildVariable))
        GTEST_SKIP() << "runs as the child of VisualStyleOn";
    CTkWinThemeWrapper wrapper(TRUE);
    EXPECT_TRUE(wrapper.IsThemeActive());
    EXPECT_FALSE(wrapper.IsThemeActiveForControls()) << "Wine's common controls answer 5.81";
    wchar_t szFile[MAX_PATH] = {};
    wchar_t szColor[MAX_PATH] = {};
    wchar_t szSize[MAX_PATH] = {};
    ASSERT_EQ(wrapper.GetCurrentThemeName(szFile, MAX_PATH, szColor, MAX_PATH, szSize, MAX_PATH), S_OK);
    EXPECT_STREQ(szFile, L"C:\\windows\\resources\\themes\\light\\light.msstyles");
    EXPECT_STREQ(szColor, L"Blue");
    EXPECT_STREQ(szSize, L"NormalSize");

    CTkColorManager manager;
    EXPECT_EQ(manager.GetDetectedSystemTheme(), 0) << "Light is none of the recognised styles";
    EXPECT_EQ(manager.GetColor(57), RGB(0xAE, 0xAE, 0xAE)) << "the TREEVIEW border colour";
}

}  // namespace
