// Under Wine's own visual style ("Light"): the theme's file and scheme names, the kind they stand for,
// and the TREEVIEW border colour that becomes slot 57. Wine reads the style when uxtheme loads, so the
// parent case switches the prefix's style on, runs this program again for the child case, and puts the
// setting back. The prefix is shared with parallel tests: its registration runs alone.

#include "FoundationTestSupport.h"
#include "TkColorManager.h"
#include "TkWinThemeWrapper.h"

namespace {

constexpr wchar_t kThemeKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager";
constexpr char kChildVariable[] = "TESS_VISUAL_STYLE_ON";

void SetThemeActive(const wchar_t* pszValue) {
    HKEY hKey = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kThemeKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hKey, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(hKey, L"ThemeActive", 0, REG_SZ, reinterpret_cast<const BYTE*>(pszValue),
                     static_cast<DWORD>((::lstrlenW(pszValue) + 1) * sizeof(wchar_t)));
    ::RegCloseKey(hKey);
}

TEST(VisualStyleOn, LightStyleIsClassicWithItsTreeViewBorder) {
    wchar_t szProgram[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, szProgram, MAX_PATH);
    CString strCommand;
    strCommand.Format(L"\"%s\" --gtest_filter=VisualStyleChild.*", szProgram);
    SetThemeActive(L"1");
    ::SetEnvironmentVariableA(kChildVariable, "1");
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    const BOOL bStarted = ::CreateProcessW(nullptr, strCommand.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr,
                                           nullptr, &startup, &process);
    strCommand.ReleaseBuffer();
    DWORD dwExitCode = 1;
    if (bStarted) {
        ::WaitForSingleObject(process.hProcess, 120000);
        ::GetExitCodeProcess(process.hProcess, &dwExitCode);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    ::SetEnvironmentVariableA(kChildVariable, nullptr);
    SetThemeActive(L"0");
    ASSERT_TRUE(bStarted);
    EXPECT_EQ(dwExitCode, 0u) << "the child case failed; its output is above";
}

TEST(VisualStyleChild, LightStyleAnswers) {
    if (::GetEnvironmentVariableA(kChildVariable, nullptr, 0) == 0)
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
