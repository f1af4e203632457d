#include "SkinTestSupport.h"
#include "TkSkinImage.h"
#include "TkSkinManagerResourceFile.h"

#include <filesystem>

namespace {

std::vector<std::wstring> ReadAllLines(CTkSkinManagerResourceFile& file) {
    std::vector<std::wstring> lines;
    CString strLine;
    while (file.ReadLine(strLine))
        lines.emplace_back(strLine.GetString());
    return lines;
}

const std::vector<BYTE> kTinyDib = MakeDib(2, 2, 24, {0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000});

}  // namespace

// A module names its INI in THEMES_INI; the text is UTF-16, and a line ends at CR.
TEST(SkinResourceFile, ModuleTextIsSplitAtCarriageReturnsAndLosesAnUnendedLastLine) {
    struct Row {
        std::wstring text;
        std::vector<std::wstring> lines;
    };
    const Row rows[] = {
        {L"a\r\nb\r", {L"a", L"b"}},          {L"a\r\nb", {L"a"}},  {L"\xFEFF[Globals]\r\n", {L"[Globals]"}},
        {L"a\rb\r\n\r\n", {L"a", L"b", L""}}, {L"no line end", {}},
    };
    for (const Row& row : rows) {
        SkinModuleFile module;
        module.AddText(L"THEMES_INI", L"[File.Blue]\r\nColorSchemes=x\r\n");
        module.AddText(L"BLUE_INI", row.text);
        CTkSkinManagerResourceFile file;
        ASSERT_TRUE(file.Open(module.Commit().c_str(), L""));
        EXPECT_EQ(file.GetIniFileName(), L"Blue_ini");
        EXPECT_EQ(ReadAllLines(file), row.lines);
    }

    // An odd byte at the end is not half a character.
    SkinModuleFile odd;
    std::vector<BYTE> bytes = Utf16Bytes(L"x\r");
    bytes.push_back('y');
    odd.Add(L"TEXTFILE", L"ODD_INI", bytes);
    CTkSkinManagerResourceFile file;
    ASSERT_TRUE(file.Open(odd.Commit().c_str(), L"odd.ini"));
    EXPECT_EQ(ReadAllLines(file), std::vector<std::wstring>{L"x"});
}

TEST(SkinResourceFile, ModuleIniNamesComeFromThemesIniOrTheCaller) {
    struct Row {
        const wchar_t* pszThemes;  // NULL: no THEMES_INI
        const wchar_t* pszIniName;
        const wchar_t* pszResource;  // the INI resource the module holds
        BOOL bOpens;
        const wchar_t* pszDefaultName;
    };
    const Row rows[] = {
        {L"; themes\r\n[File.NormalBlue]\r\n", L"", L"NORMALBLUE_INI", TRUE, L"NormalBlue_ini"},
        // The resource is not terminated: a "[File." without ']' names nothing, so the open fails.
        {L"[File.Blue", L"", L"BLUE_INI", FALSE, L""},
        {L"[Section]", L"", L"BLUE_INI", FALSE, L""},
        {nullptr, L"", L"BLUE_INI", FALSE, L""},
        // A given name: '.' and '\' become '_'; a folder path whose INI file is missing opens as a module.
        {nullptr, L"Blue.ini", L"BLUE_INI", TRUE, L""},
        {nullptr, L"Sub\\Blue.ini", L"SUB_BLUE_INI", TRUE, L""},
        {nullptr, L"Green.ini", L"BLUE_INI", FALSE, L""},
    };
    for (const Row& row : rows) {
        SkinModuleFile module;
        if (row.pszThemes != nullptr)
            module.AddText(L"THEMES_INI", row.pszThemes);
        module.AddText(row.pszResource, L"[Globals]\r\n");
        module.Commit();
        CTkSkinManagerResourceFile file;
        EXPECT_EQ(file.Open(module.Path().c_str(), row.pszIniName), row.bOpens) << row.pszIniName;
        EXPECT_EQ(file.GetDefaultIniName(), row.pszDefaultName);
    }
}

TEST(SkinResourceFile, FolderModeNeedsAnIniNameAndReadsEightBitLines) {
    CTempFolder folder;
    const std::wstring path = folder.WidePath();
    const std::string text = "[Globals]\r\nAuthor=Jos\xE9\nlast line";
    WriteBytes(path + L"\\skin.ini", text.data(), text.size());
    std::filesystem::create_directory(folder.WidePath() + L"\\Blue");
    WriteBmpFile(path + L"\\Blue\\Button.bmp", kTinyDib);

    CTkSkinManagerResourceFile file;
    ASSERT_TRUE(file.Open(path.c_str(), L"skin.ini"));
    EXPECT_EQ(ReadAllLines(file), (std::vector<std::wstring>{L"[Globals]", L"Author=Jos\u00E9", L"last line"}));
    CString strLine;
    EXPECT_FALSE(file.ReadLine(strLine)) << "the file stays at its end";

    // Images are files beside the INI; a folder or a missing file is no image.
    std::unique_ptr<CTkSkinImage> pImage(file.LoadImage(L"Blue\\Button.bmp"));
    ASSERT_NE(pImage, nullptr);
    EXPECT_EQ(pImage->GetExtent(), CSize(2, 2));
    EXPECT_EQ(file.LoadImage(L"Blue"), nullptr);
    EXPECT_EQ(file.LoadImage(L"Blue\\Missing.bmp"), nullptr);

    // Without an INI name the folder is tried as a module, which it is not.
    EXPECT_FALSE(file.Open(path.c_str(), L""));
    EXPECT_FALSE(file.Open(path.c_str(), nullptr));
    EXPECT_FALSE(file.Open(L"", L"skin.ini"));
    EXPECT_FALSE(file.Open(nullptr, L"skin.ini"));
}

TEST(SkinResourceFile, ModuleImagesAreResourcesNamedLikeTheirFiles) {
    SkinModuleFile module;
    module.AddText(L"SKIN_INI", L"[Globals]\r\n");
    module.Add(RT_BITMAP, L"BLUE_BUTTON_BMP", kTinyDib);
    CTkSkinManagerResourceFile file;
    ASSERT_TRUE(file.Open(module.Commit().c_str(), L"skin.ini"));
    std::unique_ptr<CTkSkinImage> pImage(file.LoadImage(L"Blue\\Button.bmp"));
    ASSERT_NE(pImage, nullptr);
    EXPECT_EQ(pImage->GetExtent(), CSize(2, 2));
    EXPECT_EQ(file.LoadImage(L"Blue\\Other.bmp"), nullptr);

    file.Close();
    EXPECT_EQ(file.LoadImage(L"Blue\\Button.bmp"), nullptr) << "a closed source has no images";
}

// A skin is a data file in the program's Styles folder: opening one never runs code it carries.
TEST(SkinResourceFile, OpeningAModuleRunsNoneOfItsCode) {
    ::SetEnvironmentVariableW(L"SKIN_TEST_MODULE_CODE_RAN", nullptr);
    SkinModuleFile module(L"SideEffectModule.dll");
    module.AddText(L"THEMES_INI", L"[File.Blue]");
    module.AddText(L"BLUE_INI", L"[Globals]\r\n");
    CTkSkinManagerResourceFile file;
    ASSERT_TRUE(file.Open(module.Commit().c_str(), nullptr));
    EXPECT_EQ(::GetEnvironmentVariableW(L"SKIN_TEST_MODULE_CODE_RAN", nullptr, 0), 0u);
    file.Close();

    // The module's code does run when it is loaded as a library: the check above can fail.
    HMODULE hModule = ::LoadLibraryW(module.Path().c_str());
    ASSERT_NE(hModule, nullptr);
    EXPECT_GT(::GetEnvironmentVariableW(L"SKIN_TEST_MODULE_CODE_RAN", nullptr, 0), 0u);
    ::FreeLibrary(hModule);
}
