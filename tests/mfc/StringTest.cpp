#include "TestPrinters.h"
#include "mfc.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cwchar>

namespace {

CString Formatted(LPCWSTR format, ...) {
    va_list args;
    va_start(args, format);
    CString text;
    text.FormatV(format, args);
    va_end(args);
    return text;
}

constexpr int kStringPresent = 1;  // "Present" in the test program's string table
constexpr int kStringEmpty = 2;    // an empty entry
constexpr int kStringMissing = 3;

TEST(StringTest, FormatFollowsMicrosoftWideRules) {
    struct Row {
        CString actual;
        LPCWSTR expected;
    };
    const Row rows[] = {
        {Formatted(L"[%s|%S|%d]", L"wide", "narrow", 42), L"[wide|narrow|42]"},
        {Formatted(L"%ls/%hs", L"wide", "narrow"), L"wide/narrow"},
        {Formatted(L"%c%C", L'\x00E9', 'a'),
         L"\x00E9"
         L"a"},
        {Formatted(L"%d %i %ld", -7, 8, 9L), L"-7 8 9"},
        {Formatted(L"%02d:%03d:%04d", 5, 6, 7), L"05:006:0007"},
        {Formatted(L"[%-2d]", 3), L"[3 ]"},
        {Formatted(L"%08d", -42), L"-0000042"},
        {Formatted(L"%x %2x %0.2x", 255, 10, 10), L"ff  a 0a"},
        {Formatted(L"%02X %08X", 10, 0xBEEFu), L"0A 0000BEEF"},
        {Formatted(L"%hx", 0x12345), L"2345"},
        // An OLE date prints with six decimals; the stores build SQL text from it.
        {Formatted(L"%f", 45000.5), L"45000.500000"},
        {Formatted(L"%.2f", 2.345), L"2.35"},
        {Formatted(L"%s", L""), L""},
        {Formatted(L"100%%"), L"100%"},
    };
    for (const Row& row : rows)
        EXPECT_STREQ(row.actual, row.expected);
}

TEST(StringTest, FormatNeverCutsLongOutput) {
    CString longText(L'x', 5000);
    CString text;
    text.Format(L"<%s>", longText.GetString());
    EXPECT_EQ(text.GetLength(), 5002);
    EXPECT_EQ(text.Right(2), L"x>");
}

TEST(StringTest, AppendFormatKeepsTheText) {
    CString text(L"a=");
    text.AppendFormat(L"%d;", 1);
    text.AppendFormat(L"%S", "b");
    EXPECT_EQ(text, L"a=1;b");
}

TEST(StringTest, NarrowFormatTakesOtherWidthWithCapitalS) {
    CStringA text;
    text.Format("%s/%S/%d", "narrow", L"wide", 5);
    EXPECT_STREQ(text, "narrow/wide/5");
}

TEST(StringTest, FormatRejectsNullFormat) {
    CString text;
    try {
        text.Format(nullptr);
        FAIL() << "no exception";
    } catch (CInvalidArgException* e) {
        e->Delete();
    }
}

// Scanning goes through the runtime's Microsoft form, _snwscanf: %s is wide there too.
TEST(StringTest, ScanFollowsMicrosoftWideRules) {
    const wchar_t* input = L"Tahoma,8 064 1f";
    wchar_t face[32] = {};
    int size = 0;
    int octal = 0;
    unsigned hex = 0;
    ASSERT_EQ(_snwscanf(input, wcslen(input), L"%[^,],%i %i %2x", face, &size, &octal, &hex), 4);
    EXPECT_STREQ(face, L"Tahoma");
    EXPECT_EQ(size, 8);
    EXPECT_EQ(octal, 52);  // a leading 0 reads octal
    EXPECT_EQ(hex, 0x1Fu);

    wchar_t word[16] = {};
    ASSERT_EQ(_snwscanf(L"abc def", 7, L"%s", word), 1);
    EXPECT_STREQ(word, L"abc");
}

TEST(StringTest, PartsClampOutOfRangeArguments) {
    const CString text(L"abcdef");
    struct Row {
        CString actual;
        LPCWSTR expected;
    };
    const Row rows[] = {
        {text.Left(2), L"ab"},   {text.Left(-1), L""},        {text.Left(99), L"abcdef"}, {text.Mid(2), L"cdef"},
        {text.Mid(2, 2), L"cd"}, {text.Mid(5, 9), L"f"},      {text.Mid(-3, 2), L"ab"},   {text.Mid(9), L""},
        {text.Right(2), L"ef"},  {text.Right(99), L"abcdef"},
    };
    for (const Row& row : rows)
        EXPECT_STREQ(row.actual, row.expected);
}

TEST(StringTest, SearchAnswersIndexOrMinusOne) {
    const CString text(L"a.b.c");
    EXPECT_EQ(text.Find(L'.'), 1);
    EXPECT_EQ(text.Find(L'.', 2), 3);
    EXPECT_EQ(text.Find(L'.', 9), -1);
    EXPECT_EQ(text.Find(L"b.c"), 2);
    EXPECT_EQ(text.Find(L"x"), -1);
    EXPECT_EQ(text.ReverseFind(L'.'), 3);
    EXPECT_EQ(text.FindOneOf(L"cb"), 2);
    EXPECT_EQ(text.FindOneOf(L"xyz"), -1);
}

TEST(StringTest, EditingReturnsCountsAndLengths) {
    CString text(L"a-b-c");
    EXPECT_EQ(text.Replace(L'-', L'+'), 2);
    EXPECT_EQ(text, L"a+b+c");
    EXPECT_EQ(text.Replace(L"+", L"++"), 2);
    EXPECT_EQ(text, L"a++b++c");
    EXPECT_EQ(text.Replace(L"", L"x"), 0);
    EXPECT_EQ(text.Remove(L'+'), 4);
    EXPECT_EQ(text.Insert(1, L"--"), 5);
    EXPECT_EQ(text.Insert(99, L'!'), 6);
    EXPECT_EQ(text, L"a--bc!");
    EXPECT_EQ(text.Delete(1, 2), 4);
    EXPECT_EQ(text.Delete(3, 9), 3);
    EXPECT_EQ(text, L"abc");
}

TEST(StringTest, CaseRulesFoldAsciiOnly) {
    CString text(L"Ab\x00E9\x00C9z");
    text.MakeUpper();
    EXPECT_EQ(text, L"AB\x00E9\x00C9Z");
    text.MakeLower();
    EXPECT_EQ(text, L"ab\x00E9\x00C9z");
    EXPECT_EQ(CString(L"ABC").CompareNoCase(L"abc"), 0);
    EXPECT_NE(CString(L"\x00E9").CompareNoCase(L"\x00C9"), 0);
    EXPECT_LT(CString(L"abc").CompareNoCase(L"ABD"), 0);
    EXPECT_GT(CString(L"abc").Compare(L"ab"), 0);
    EXPECT_LT(CString(L"a"), CString(L"b"));
}

TEST(StringTest, TrimRemovesWhiteSpaceOrGivenCharacters) {
    CString text(L" \t x y \r\n");
    EXPECT_EQ(CString(text).Trim(), L"x y");
    EXPECT_EQ(CString(text).TrimLeft(), L"x y \r\n");
    EXPECT_EQ(CString(text).TrimRight(), L" \t x y");
    EXPECT_EQ(CString(L"--x--").Trim(L'-'), L"x");
    EXPECT_EQ(CString(L"-+x+-").TrimRight(L"+-"), L"-+x");
    EXPECT_EQ(CString(L"   ").Trim(), L"");
}

TEST(StringTest, BufferReleaseTakesLengthFromTerminator) {
    CString text(L"abc");
    wchar_t* buffer = text.GetBuffer(10);
    wcscpy(buffer, L"hello");
    text.ReleaseBuffer();
    EXPECT_EQ(text, L"hello");
    text.GetBufferSetLength(2);
    text.ReleaseBuffer(2);
    EXPECT_EQ(text, L"he");
    text.GetBuffer(8);
    text.ReleaseBuffer();
    EXPECT_EQ(text, L"he");
}

TEST(StringTest, ConvertsWithExplicitCodePage) {
    const CString text(L"caf\x00E9 \x20AC");
    CStringA utf8 = AfxW2A(text, CP_UTF8);
    EXPECT_STREQ(utf8, "caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(AfxA2W(utf8, CP_UTF8), text);
    EXPECT_STREQ(AfxW2A(L"\x00E9", 1252), "\xE9");
    EXPECT_EQ(AfxA2W("\xE9", 1252), L"\x00E9");
    EXPECT_STREQ(AfxW2A(nullptr), "");
    // The other width converts with the ANSI code page on construction.
    EXPECT_EQ(CString("abc"), L"abc");
    EXPECT_STREQ(CStringA(L"abc"), "abc");
}

TEST(StringTest, ExtractSubStringSplitsAtSeparator) {
    struct Row {
        int index;
        BOOL found;
        LPCWSTR part;
    };
    const Row rows[] = {{0, TRUE, L"description"}, {1, TRUE, L""}, {2, TRUE, L"caption"}, {3, FALSE, L""}};
    for (const Row& row : rows) {
        CString part(L"stale");
        EXPECT_EQ(AfxExtractSubString(part, L"description\n\ncaption", row.index, L'\n'), row.found) << row.index;
        EXPECT_EQ(part, row.part) << row.index;
    }
}

TEST(StringTest, LoadStringFailsForMissingAndEmptyEntries) {
    CString text(L"stale");
    EXPECT_TRUE(text.LoadString(kStringPresent));
    EXPECT_EQ(text, L"Present");
    EXPECT_FALSE(text.LoadString(kStringEmpty));
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_FALSE(text.LoadString(kStringMissing));
    CStringA narrow;
    EXPECT_TRUE(narrow.LoadString(kStringPresent));
    EXPECT_STREQ(narrow, "Present");
}

TEST(StringTest, IndexOutOfRangeThrowsInvalidArgument) {
    CString text(L"ab");
    EXPECT_EQ(text[1], L'b');
    try {
        text.GetAt(2);
        FAIL() << "no exception";
    } catch (CInvalidArgException* e) {
        e->Delete();
    }
}

}  // namespace
