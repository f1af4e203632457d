// The replaced system functions, judged by what the system's own code and other modules see: the
// program's calls, a probe DLL that calls through its own import table, and the common controls.

#include "FoundationTestSupport.h"
#include "SkinTestSupport.h"
#include "TestSkins.h"
#include "TkSkinImportTable.h"
#include "TkSkinManagerApiHook.h"
#include "TkSkinManagerMetrics.h"
#include "TkWinThemeWrapper.h"

#include <filesystem>
#include <iterator>
#include <utility>
#include <vector>
#include <vssym32.h>

namespace {

using PFNCALLGETSYSCOLOR = DWORD (*)(int);

PFNCALLGETSYSCOLOR ProbeEntry(HMODULE hProbe) {
    return reinterpret_cast<PFNCALLGETSYSCOLOR>(::GetProcAddress(hProbe, "CallGetSysColor"));
}

// A copy of the probe DLL under another name, so that it loads as another module.
std::wstring CopyOfProbe(const CTempFolder& folder, LPCWSTR pszName) {
    const std::wstring path = folder.WidePath() + L"\\" + pszName;
    EXPECT_TRUE(::CopyFileW(ProgramFolderFile(kProbeDll).c_str(), path.c_str(), FALSE));
    return path;
}

COLORREF BrushColor(HBRUSH hBrush) {
    LOGBRUSH brush{};
    ::GetObjectW(hBrush, sizeof(brush), &brush);
    return brush.lbColor;
}

// The face colour of a common-controls status bar, printed.
COLORREF PrintedStatusBarFace() {
    HWND hParent = ::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 300, 100, nullptr, nullptr, nullptr, nullptr);
    HWND hStatus = ::CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 300, 24, hParent, nullptr,
                                     nullptr, nullptr);
    EXPECT_NE(hStatus, nullptr);
    // The bar paints only while it is visible.
    ::ShowWindow(hParent, SW_SHOWNOACTIVATE);
    RECT rc;
    ::GetClientRect(hStatus, &rc);
    CScopedMemDC dc(rc.right, rc.bottom);
    ::SendMessageW(hStatus, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), PRF_CLIENT | PRF_ERASEBKGND);
    const COLORREF clr = PixelAt(dc, rc.right / 3, rc.bottom / 2);
    ::DestroyWindow(hParent);
    return clr;
}

}  // namespace

// The program, a DLL loaded before the skin and one loaded while it is in force all read skin colours
// through their import tables; removing the hooks, or a skin that fails to open, gives them the system's.
TEST(SkinHooks, ModulesSeeSkinColoursOnlyWhileHooked) {
    CTempFolder folder;
    // Not the import the late load uses: the compiler may keep an import's address for later calls.
    HMODULE hEarly = ::LoadLibraryExW(ProgramFolderFile(kProbeDll).c_str(), nullptr, 0);
    ASSERT_NE(hEarly, nullptr);
    auto pfnSystem = reinterpret_cast<decltype(&::GetSysColor)>(SystemEntry(L"user32.dll", "GetSysColor"));

    CTkSkinManager* pManager = OpenStateCodedSkin();
    HMODULE hLate = ::LoadLibraryW(CopyOfProbe(folder, L"LateProbe.dll").c_str());
    ASSERT_NE(hLate, nullptr);
    const PFNCALLGETSYSCOLOR callers[] = {ProbeEntry(hEarly), ProbeEntry(hLate),
                                          [](int i) { return ::GetSysColor(i); }};
    for (int i = 0; i < CTkSkinManagerMetrics::kColorCount; ++i) {
        for (const auto& pfnCall : callers)
            EXPECT_EQ(pfnCall(i), TestSkinSysColor(i)) << "colour " << i << " caller " << (&pfnCall - callers);
    }
    EXPECT_EQ(::GetSysColor(31), pfnSystem(31)) << "past the table the system answers";

    GetSkinApiHook()->RemoveHooks();
    for (int i = 0; i < CTkSkinManagerMetrics::kColorCount; ++i) {
        for (const auto pfnCall : callers)
            EXPECT_EQ(pfnCall(i), pfnSystem(i)) << "colour " << i << " after the hooks are removed";
    }

    OpenStateCodedSkin();
    EXPECT_EQ(ProbeEntry(hLate)(COLOR_WINDOW), TestSkinSysColor(COLOR_WINDOW));
    EXPECT_FALSE(pManager->OpenSkin(L"C:\\no such folder\\skin.vardle", nullptr));
    EXPECT_FALSE(pManager->IsSkinEnabled());
    for (const auto pfnCall : callers)
        EXPECT_EQ(pfnCall(COLOR_WINDOW), pfnSystem(COLOR_WINDOW)) << "after a skin failed to open";
    ::FreeLibrary(hLate);
    ::FreeLibrary(hEarly);
}

TEST(SkinHooks, SkinBrushesStayAndStandInForColourValues) {
    OpenStateCodedSkin();
    HBRUSH hWindowBrush = ::GetSysColorBrush(COLOR_WINDOW);
    EXPECT_EQ(BrushColor(hWindowBrush), TestSkinSysColor(COLOR_WINDOW));
    EXPECT_FALSE(::DeleteObject(hWindowBrush)) << "nobody deletes a shared skin brush";
    EXPECT_EQ(::GetObjectType(hWindowBrush), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_EQ(::GetSysColorBrush(COLOR_WINDOW), hWindowBrush);
    auto pfnSystem = reinterpret_cast<decltype(&::GetSysColor)>(SystemEntry(L"user32.dll", "GetSysColor"));
    EXPECT_EQ(BrushColor(::GetSysColorBrush(COLOR_SCROLLBAR)), pfnSystem(COLOR_SCROLLBAR))
        << "brush 0 stays the system's";

    CScopedMemDC dc(4, 4);
    const RECT rc = {0, 0, 4, 4};
    ::FillRect(dc, &rc, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));
    EXPECT_EQ(PixelAt(dc, 2, 2), TestSkinSysColor(COLOR_WINDOW));
}

// Sizes and fonts are the skin's only while both metrics and colours are applied.
TEST(SkinHooks, SkinSizesAndFontsNeedMetricsAndColours) {
    CTkSkinManager* pManager = OpenStateCodedSkin();
    auto pfnSystemMetrics =
        reinterpret_cast<decltype(&::GetSystemMetrics)>(SystemEntry(L"user32.dll", "GetSystemMetrics"));
    struct Row {
        DWORD dwOptions;
        bool bSkin;
    };
    for (const Row& row : {Row{7, true}, Row{5, true}, Row{1, false}, Row{4, false}, Row{3, false}}) {
        pManager->SetSkinningOptions(row.dwOptions);
        EXPECT_EQ(::GetSystemMetrics(SM_CYCAPTION), row.bSkin ? kCaptionBarHeight + 1 : pfnSystemMetrics(SM_CYCAPTION))
            << "options " << row.dwOptions;
        EXPECT_EQ(::GetSystemMetrics(SM_CXVSCROLL), row.bSkin ? kScrollBarWidth : pfnSystemMetrics(SM_CXVSCROLL));
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = 500;
        ASSERT_TRUE(::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 500, &metrics, 0));
        EXPECT_EQ(CString(metrics.lfCaptionFont.lfFaceName) == kCaptionFont.face, row.bSkin)
            << "options " << row.dwOptions << ": " << CStringA(metrics.lfCaptionFont.lfFaceName).GetString();
    }
}

// The visual-styles library is the skin while colours are skinned: a following wrapper binds the skin's
// functions by name and draws the skin's cells; without the colour option the real library answers again.
TEST(SkinHooks, VisualStylesComeFromTheSkinOnlyWithColours) {
    CTkSkinManager* pManager = OpenStateCodedSkin();
    HMODULE hSkinned = ::GetModuleHandleA("uxtheme.DLL");
    EXPECT_EQ(hSkinned, SkinnedUxThemeHandle);
    FARPROC pfnOpen = ::GetProcAddress(hSkinned, "OpenThemeData");
    EXPECT_NE(pfnOpen, nullptr);
    HMODULE hReal = ::LoadLibraryW(L"uxtheme.dll");
    ASSERT_NE(hReal, nullptr);
    EXPECT_EQ(::GetProcAddress(hReal, "OpenThemeData"), SystemEntry(L"uxtheme.dll", "OpenThemeData"));
    EXPECT_NE(::GetProcAddress(hReal, "OpenThemeData"), pfnOpen);
    EXPECT_EQ(::GetProcAddress(hSkinned, "GetThemeInt"), nullptr) << "the skin serves no such function";
    EXPECT_EQ(::GetProcAddress(hSkinned, MAKEINTRESOURCEA(2)), nullptr);
    HMODULE hUser = ::GetModuleHandleW(L"user32.dll");
    EXPECT_EQ(::GetProcAddress(hUser, "GetSysColor"),
              GetSkinApiHook()->FindHookedReplacement("USER32.DLL", "GetSysColor"));
    EXPECT_EQ(::GetProcAddress(hUser, MAKEINTRESOURCEA(1)), SystemEntry(L"user32.dll", MAKEINTRESOURCEA(1)))
        << "ordinals are never redirected";

    CTkWinThemeWrapper theme(TRUE);
    theme.OpenTheme(nullptr, L"SysMetrics");
    ASSERT_TRUE(theme.IsThemeOpen());
    EXPECT_TRUE(theme.IsThemeActiveForControls());
    COLORREF clr = 0;
    EXPECT_EQ(theme.GetColor(0, 0, TMT_BTNFACE, &clr), S_OK);
    EXPECT_EQ(clr, TestSkinSysColor(COLOR_BTNFACE));
    EXPECT_EQ(theme.GetColor(0, 0, TMT_FILLCOLOR, &clr), E_FAIL) << "the skin sets no such colour";
    // Drawing with a clip rectangle leaves the DC's own clip region as it was.
    CScopedMemDC dc(20, 20);
    const RECT rc = {0, 0, 20, 20};
    const RECT clip = {0, 0, 10, 20};
    ::IntersectClipRect(dc, 2, 2, 18, 18);
    theme.OpenTheme(nullptr, L"Button");
    theme.DrawBackground(dc, BP_PUSHBUTTON, PBS_HOT, &rc, &clip);
    RECT box = {};
    EXPECT_EQ(::GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_TRUE(box.left == 2 && box.top == 2 && box.right == 18 && box.bottom == 18);
    theme.CloseTheme();

    pManager->SetSkinningOptions(tkSkinApplyMetrics | tkSkinApplyFrame);
    EXPECT_EQ(::GetModuleHandleA("UxTheme.dll"), hReal);
    theme.OpenTheme(nullptr, L"Button");
    EXPECT_FALSE(theme.IsThemeActiveForControls()) << "the prefix runs without visual styles";
    ::FreeLibrary(hReal);
}

// The colour-scheme name a skin reports is made from its INI file's name.
TEST(SkinHooks, ThemeNameFollowsTheIniFileName) {
    CTempFolder folder;
    const std::wstring path = folder.WidePath();
    struct Row {
        LPCWSTR pszIni;
        LPCWSTR pszColor;
    };
    const Row rows[] = {
        {L"NormalBlue.ini", L"normalcolor"},      {L"Metallic.ini", L"METALLIC.INI"},  // the word must not stand first
        {L"SilverMetallicBlue.ini", L"metallic"}, {L"LunaHomestead.ini", L"homestead"}, {L"Plain.ini", L"PLAIN.INI"},
    };
    CTkSkinManager* pManager = GetSkinManager();
    for (const Row& row : rows) {
        WriteBytes(path + L"\\" + row.pszIni, "[SYSMETRICS]\n", 13);
        ASSERT_TRUE(pManager->OpenSkin(path.c_str(), row.pszIni));
        wchar_t szFile[MAX_PATH] = L"";
        wchar_t szColor[32] = L"";
        wchar_t szSize[32] = L"untouched";
        CTkWinThemeWrapper theme(TRUE);
        ASSERT_EQ(theme.GetCurrentThemeName(szFile, MAX_PATH, szColor, 32, szSize, 32), S_OK);
        EXPECT_EQ(std::filesystem::path(szFile), std::filesystem::path(path));
        EXPECT_STREQ(szColor, row.pszColor);
        EXPECT_STREQ(szSize, L"untouched");
    }
    wchar_t szShort[4] = L"old";
    CTkWinThemeWrapper theme(TRUE);
    ASSERT_EQ(theme.GetCurrentThemeName(szShort, 4, nullptr, 0, nullptr, 0), S_OK);
    EXPECT_STREQ(szShort, L"old") << "a name that does not fit is not written";
}

// The status bar of the common controls fills its face with the brush it asks the system for.
TEST(SkinHooks, CommonControlsPaintWithTheSkin) {
    OpenStateCodedSkin();
    EXPECT_EQ(PrintedStatusBarFace(), TestSkinSysColor(COLOR_3DFACE));
}

// The common controls, a DLL loaded while the skin is in force and the program itself have their import
// entries patched, and RemoveHooks gives every one of them the system's function back: the status bar
// then paints in the system's face colour again.
TEST(SkinHooks, RemovingTheHooksRestoresEveryPatchedModule) {
    CTempFolder folder;
    OpenStateCodedSkin();
    HMODULE hLate = ::LoadLibraryW(CopyOfProbe(folder, L"LateProbe.dll").c_str());
    ASSERT_NE(hLate, nullptr);
    HMODULE hCommonControls = ::GetModuleHandleW(L"comctl32.dll");
    ASSERT_NE(hCommonControls, nullptr);
    struct Row {
        const char* pszModule;
        HMODULE hModule;
        int nSlot;
        LPCSTR pszFunction;
    };
    const Row rows[] = {
        {"common controls", hCommonControls, tkSlotGetSysColorBrush, "GetSysColorBrush"},
        {"late-loaded DLL", hLate, tkSlotGetSysColor, "GetSysColor"},
        {"program", ::GetModuleHandleW(nullptr), tkSlotGetSysColor, "GetSysColor"},
    };
    // Whether an import entry of the module holds the function (patched onto itself: nothing changes).
    auto holds = [](HMODULE hModule, FARPROC pfn) {
        return PatchModuleImports(hModule, "user32.dll", reinterpret_cast<const void*>(pfn),
                                  reinterpret_cast<const void*>(pfn)) != FALSE;
    };
    std::vector<std::pair<FARPROC, FARPROC>> functions;  // system, replacement
    for (const Row& row : rows) {
        FARPROC pfnSystem = GetSkinApiHook()->GetSystemFunction(row.nSlot);
        FARPROC pfnReplacement = GetSkinApiHook()->FindHookedReplacement("USER32.DLL", row.pszFunction);
        ASSERT_NE(pfnSystem, nullptr) << row.pszFunction;
        ASSERT_NE(pfnReplacement, nullptr) << row.pszFunction;
        functions.emplace_back(pfnSystem, pfnReplacement);
        EXPECT_TRUE(holds(row.hModule, pfnReplacement)) << row.pszModule << " is patched";
        EXPECT_FALSE(holds(row.hModule, pfnSystem)) << row.pszModule << " is patched";
    }

    GetSkinApiHook()->RemoveHooks();
    for (size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_TRUE(holds(rows[i].hModule, functions[i].first)) << rows[i].pszModule << " is restored";
        EXPECT_FALSE(holds(rows[i].hModule, functions[i].second)) << rows[i].pszModule << " is restored";
    }
    auto pfnSystemColor = reinterpret_cast<decltype(&::GetSysColor)>(SystemEntry(L"user32.dll", "GetSysColor"));
    EXPECT_EQ(PrintedStatusBarFace(), pfnSystemColor(COLOR_3DFACE));
    ::FreeLibrary(hLate);
}

// A class registered with the address of DefWindowProcW taken through a patched import gets the system's
// procedure, so its windows work once the hooks are gone.
TEST(SkinHooks, ClassesRegisteredWithAReplacementOutliveTheHooks) {
    OpenStateCodedSkin();
    WNDCLASSW wndClass = {};
    wndClass.lpfnWndProc = ::DefWindowProcW;
    EXPECT_EQ(reinterpret_cast<FARPROC>(wndClass.lpfnWndProc),
              GetSkinApiHook()->FindHookedReplacement("USER32.DLL", "DefWindowProcW"));
    wndClass.hInstance = ::GetModuleHandleW(nullptr);
    wndClass.lpszClassName = L"TesselonDefProcClass";
    ASSERT_NE(::RegisterClassW(&wndClass), 0);
    GetSkinApiHook()->RemoveHooks();
    WNDCLASSW registered = {};
    ASSERT_TRUE(::GetClassInfoW(wndClass.hInstance, wndClass.lpszClassName, &registered));
    EXPECT_EQ(reinterpret_cast<FARPROC>(registered.lpfnWndProc), SystemEntry(L"user32.dll", "DefWindowProcW"));
    HWND hWnd = ::CreateWindowExW(0, wndClass.lpszClassName, L"text", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  wndClass.hInstance, nullptr);
    ASSERT_NE(hWnd, nullptr);
    wchar_t szText[8] = L"";
    EXPECT_EQ(::GetWindowTextW(hWnd, szText, 8), 4);
    ::DestroyWindow(hWnd);
}

// Modules that are not sound images are never written to; a module loaded as data is not patched.
TEST(SkinHooks, DamagedAndDataModulesAreLeftAlone) {
    OpenStateCodedSkin();
    HMODULE hCorrupt =
        ::LoadLibraryExW(ProgramFolderFile(kCorruptImportsDll).c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(hCorrupt, nullptr);
    FARPROC pfnSystem = GetSkinApiHook()->GetSystemFunction(tkSlotGetSysColor);
    FARPROC pfnReplacement = GetSkinApiHook()->FindHookedReplacement("USER32.DLL", "GetSysColor");
    ASSERT_NE(pfnSystem, nullptr);
    EXPECT_FALSE(PatchModuleImports(hCorrupt, "USER32.DLL", reinterpret_cast<const void*>(pfnSystem),
                                    reinterpret_cast<const void*>(pfnReplacement)));

    CTempFolder folder;
    const std::wstring data = CopyOfProbe(folder, L"DataProbe.dll");
    HMODULE hDataW = ::LoadLibraryExW(data.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HMODULE hDataA = ::LoadLibraryExA(CStringA(data.c_str()), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(hDataW, nullptr);
    ASSERT_NE(hDataA, nullptr);
    EXPECT_FALSE(IsPatchableModuleHandle(hDataW));
    EXPECT_FALSE(PatchModuleImports(hDataW, "USER32.DLL", reinterpret_cast<const void*>(pfnSystem),
                                    reinterpret_cast<const void*>(pfnReplacement)));

    // A sound module is patched both ways, each entry found by its current value.
    HMODULE hProbe = ::LoadLibraryW(ProgramFolderFile(kProbeDll).c_str());
    EXPECT_TRUE(PatchModuleImports(hProbe, "user32.dll", reinterpret_cast<const void*>(pfnReplacement),
                                   reinterpret_cast<const void*>(pfnSystem)));
    EXPECT_NE(ProbeEntry(hProbe)(COLOR_WINDOW), TestSkinSysColor(COLOR_WINDOW));
    EXPECT_FALSE(PatchModuleImports(hProbe, "USER32.DLL", reinterpret_cast<const void*>(pfnReplacement),
                                    reinterpret_cast<const void*>(pfnSystem)))
        << "no entry holds the replacement any more";
    EXPECT_TRUE(PatchModuleImports(hProbe, "USER32.DLL", reinterpret_cast<const void*>(pfnSystem),
                                   reinterpret_cast<const void*>(pfnReplacement)));
    EXPECT_EQ(ProbeEntry(hProbe)(COLOR_WINDOW), TestSkinSysColor(COLOR_WINDOW));
}
