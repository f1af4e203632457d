#include "settings/Folders.h"
#include "settings/LangText.h"

#include "TestFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

// Restores the start-up language after a test changed it.
struct LanguageGuard {
    int saved = LanguageNumber;
    ~LanguageGuard() { LanguageNumber = saved; }
};

// The text numbers the recording service shows or stores.
const wchar_t* const kServiceTextKeys[] = {
    L"0136", L"0137", L"0138", L"0139", L"0140", L"0141", L"0142", L"0143", L"0144", L"0145", L"0146", L"0147", L"0148",
    L"0149", L"0150", L"0151", L"0152", L"0153", L"0154", L"0155", L"0156", L"0157", L"0158", L"0159", L"0160", L"0161",
    L"0162", L"0163", L"0186", L"0292", L"0317", L"0342", L"0345", L"0386", L"0393", L"0435", L"0436", L"0437", L"0438",
    L"0439", L"0440", L"0441", L"0442", L"0443", L"0444", L"0445", L"0446", L"0447", L"0448", L"0449", L"0450", L"0451",
    L"0452", L"0454", L"0455", L"0456", L"0457", L"0458", L"0459", L"0460", L"0461", L"0462", L"5081", L"5085", L"5086",
};

}  // namespace

TEST(LangText, LanguageNumberSelectsTheFile) {
    struct Row {
        int language;
        const wchar_t* text;
    } rows[] = {{0, L"chs"}, {1, L"cht"}, {2, L"en"}, {5, L"chs"}, {-1, L"chs"}};
    TestFolder folder;
    LanguageGuard guard;
    WriteUtf16File(folder.ProgramFolder() + L"\\Lang\\CHS.ini", L"[Language]\r\n0393=chs\r\n");
    WriteUtf16File(folder.ProgramFolder() + L"\\Lang\\CHT.ini", L"[Language]\r\n0393=cht\r\n");
    WriteUtf16File(folder.ProgramFolder() + L"\\Lang\\EN.ini", L"[Language]\r\n0393=en\r\n");
    for (const Row& row : rows) {
        LanguageNumber = row.language;
        EXPECT_EQ(row.text, LangText(L"0393")) << row.language;
    }
}

TEST(LangText, MissingFileOrKeyGivesEmptyText) {
    TestFolder folder;
    LanguageGuard guard;
    LanguageNumber = kLanguageEnglish;
    EXPECT_EQ(L"", LangText(L"0393"));  // no file
    WriteUtf16File(folder.ProgramFolder() + L"\\Lang\\EN.ini", L"[Language]\r\n10016=five digits\r\n");
    EXPECT_EQ(L"", LangText(L"0393"));
    EXPECT_EQ(L"five digits", LangText(L"10016"));
}

TEST(LangText, ShippedLanguageFilesHoldEveryServiceText) {
    TestFolder folder;
    LanguageGuard guard;
    SetExeFolderOverride(TESS_LANGUAGE_PROGRAM_DIR);
    for (int language : {kLanguageChineseSimplified, kLanguageChineseTraditional, kLanguageEnglish}) {
        LanguageNumber = language;
        for (const wchar_t* key : kServiceTextKeys)
            EXPECT_NE(L"", LangText(key)) << LanguageFilePath(language) << " " << key;
    }
}
