// The resource manager: strings from the module's string blocks (an empty entry fails), the language
// table and its fallback, right-to-left message boxes, narrow text in the language's code page, the
// language a module's resources carry, and every kind of resource loaded from a resource DLL made the
// layer's resource module.

#include "FoundationTestSupport.h"
#include "TkResourceManager.h"
#include "fixtures/ResourceDllIds.h"

namespace {

TEST(Resources, StringsFromTheBlockAndAnEmptyEntryFails) {
    CString str;
    EXPECT_EQ(CTkResourceManager::LoadStringFromModule(AfxGetResourceHandle(), 1000, str), 5);
    EXPECT_STREQ(str, L"first");
    EXPECT_EQ(CTkResourceManager::LoadStringFromModule(AfxGetResourceHandle(), 1001, str), 0);
    EXPECT_TRUE(str.IsEmpty());
    EXPECT_EQ(CTkResourceManager::LoadStringFromModule(AfxGetResourceHandle(), 1015, str), 0) << "past the last";
    BOOL bFailed = FALSE;
    EXPECT_STREQ(GetResourceManager()->LoadString(1002, &bFailed), L"third");
    EXPECT_FALSE(bFailed);
    GetResourceManager()->LoadString(4000, &bFailed);
    EXPECT_TRUE(bFailed) << "no such block";
}

TEST(Resources, LanguageTableAndFallback) {
    CTkResourceManager manager;
    EXPECT_EQ(manager.GetLanguage(), 0x0409);
    EXPECT_EQ(manager.GetLanguageInfo()->nCodePage, 0u) << "US English converts with the ANSI code page";
    manager.SetLanguage(0x0C04);
    EXPECT_EQ(manager.GetLanguage(), 0x0409) << "a language the table lacks selects US English";
    manager.SetLanguage(0x0422);
    EXPECT_STREQ(manager.GetLanguageInfo()->pszLanguage, L"Ukrainian ");
    EXPECT_EQ(FindLanguageInfo(0x0804)->nCharSet, 134);
    EXPECT_EQ(FindLanguageInfo(0x0C04), nullptr);
}

TEST(Resources, NarrowTextFollowsTheLanguagesCodePage) {
    CTkResourceManager* pManager = GetResourceManager();
    pManager->SetLanguage(0x0419);  // Russian, code page 1251
    EXPECT_STREQ(ToolkitNarrowString(L"\x0416"), "\xC6");
    pManager->SetLanguage(0x0409);  // code page 0: the system's ANSI page
    EXPECT_STREQ(ToolkitNarrowString(L"abc"), "abc");
    EXPECT_STREQ(ToolkitNarrowString(L""), "");
}

TEST(Resources, MenuItemTextAndModuleLanguage) {
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 1, L"&Open file");
    CString str;
    EXPECT_EQ(CTkResourceManager::GetMenuItemText(&menu, 0, str, MF_BYPOSITION), 10);
    EXPECT_STREQ(str, L"&Open file");
    EXPECT_EQ(CTkResourceManager::GetMenuItemText(nullptr, 0, str, MF_BYPOSITION), 0);
    // This program's resources: the manifest (when present) in US English, the strings in Chinese (PRC).
    EXPECT_EQ(CTkResourceManager::DetectResourceLanguage(AfxGetInstanceHandle()), 0x0804);
}

TEST(Resources, EveryKindLoadsFromTheCurrentResourceModule) {
    CTkResourceManager* pManager = GetResourceManager();
    CString html;
    {
        CResourceModuleScope dll(L"ResourcesZh.dll");
        ASSERT_NE(dll.Get(), nullptr);
        BOOL bFailed = TRUE;
        EXPECT_STREQ(pManager->LoadString(IDS_DLL_FIRST, &bFailed), L"\x7B2C\x4E00");
        EXPECT_FALSE(bFailed);
        pManager->LoadString(IDS_DLL_EMPTY, &bFailed);
        EXPECT_TRUE(bFailed) << "an empty entry fails";
        EXPECT_STREQ(pManager->LoadString(IDS_DLL_THIRD), L"third") << "the entry after the empty one";

        EXPECT_TRUE(pManager->LoadHtml(&html, IDR_DLL_PAGE));
        EXPECT_STREQ(html, L"<html><body>page</body></html>");
        EXPECT_FALSE(pManager->LoadHtml(nullptr, IDR_DLL_PAGE));
        EXPECT_FALSE(pManager->LoadHtml(&html, IDR_DLL_PAGE + 1));

        CMenu menu;
        ASSERT_TRUE(pManager->LoadMenu(&menu, IDR_DLL_MENU));
        CString text;
        CTkResourceManager::GetMenuItemText(menu.GetSubMenu(0), ID_DLL_OPEN, text, MF_BYCOMMAND);
        EXPECT_STREQ(text, L"&Open");
        CMenu missing;
        EXPECT_FALSE(pManager->LoadMenu(&missing, IDR_DLL_MENU + 1));

        // The group holds a red 16 x 16 and a blue 32 x 32 image: each size is taken from its own.
        const struct {
            int nSize;
            COLORREF color;
        } icons[] = {{16, RGB(255, 0, 0)}, {32, RGB(0, 0, 255)}};
        for (const auto& icon : icons) {
            HICON hIcon = pManager->CreateIconFromResourceModule(dll.Get(), MAKEINTRESOURCEW(IDI_DLL_ICON), icon.nSize,
                                                                 icon.nSize);
            ASSERT_NE(hIcon, nullptr) << icon.nSize;
            CScopedMemDC dc(icon.nSize, icon.nSize);
            ::DrawIconEx(dc.GetSafeHdc(), 0, 0, hIcon, icon.nSize, icon.nSize, 0, nullptr, DI_NORMAL);
            EXPECT_EQ(PixelAt(dc, icon.nSize / 2, icon.nSize / 2), icon.color) << icon.nSize;
            ::DestroyIcon(hIcon);
        }
        EXPECT_EQ(pManager->CreateIconFromResourceModule(dll.Get(), MAKEINTRESOURCEW(IDI_DLL_ICON + 1), 16, 16),
                  nullptr);
        HICON hLoaded = pManager->LoadIconById(IDI_DLL_ICON, 16, 16);
        EXPECT_NE(hLoaded, nullptr);
        ::DestroyIcon(hLoaded);
    }
    EXPECT_FALSE(pManager->LoadHtml(&html, IDR_DLL_PAGE)) << "the program's own resources are back";
}

TEST(Resources, ModuleLanguageIsTheFirstOtherThanUsEnglish) {
    const struct {
        LPCWSTR pszDll;
        LANGID wExpected;
    } rows[] = {
        {L"ResourcesZh.dll", 0x0804},
        {L"ResourcesEnJa.dll", 0x0411},  // English resources come first in the enumeration
    };
    for (const auto& row : rows) {
        CResourceModuleScope dll(row.pszDll);
        ASSERT_NE(dll.Get(), nullptr) << row.pszDll;
        EXPECT_EQ(CTkResourceManager::DetectResourceLanguage(dll.Get()), row.wExpected) << row.pszDll;
    }
}

}  // namespace
