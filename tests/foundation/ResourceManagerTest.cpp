// The resource manager: strings from the module's string blocks (an empty entry fails), the language
// table and its fallback, right-to-left message boxes, narrow text in the language's code page, and the
// language a module's resources carry.

#include "FoundationTestSupport.h"
#include "TkResourceManager.h"

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

}  // namespace
