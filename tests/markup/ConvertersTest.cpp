#include "MarkupTestSupport.h"

#include "TkMarkupConverters.h"
#include "TkMarkupSystemColors.h"
#include "TkMarkupValueText.h"
#include "TkMarkupValues.h"

namespace {

using ObjectPtr = CTkMarkupPtr<CTkMarkupObject>;
using ConvertersTest = MarkupTest;
using Converter = CTkMarkupObject* (*)(CTkMarkupContext*, CTkMarkupObject*);

ObjectPtr ConvertText(Converter pfnConvert, LPCWSTR lpszText) {
    const ObjectPtr text = ObjectPtr::Adopt(CTkMarkupString::CreateValue(lpszText));
    return ObjectPtr::Adopt(pfnConvert(nullptr, text.Get()));
}

const Converter kEnumConverters[] = {
    ConvertVisibility,        ConvertScrollBarVisibility, ConvertHorizontalAlignment,
    ConvertVerticalAlignment, ConvertTextWrapping,        ConvertTextTrimming,
    ConvertTextAlignment,     ConvertOrientation,         ConvertBaselineAlignment,
    ConvertStretch,           ConvertFontStyle,           ConvertFontWeight,
    ConvertTextDecorations,   ConvertFontQuality,         ConvertTabNavigation,
    ConvertIsChecked,
};

constexpr int kNoValue = -1;

}  // namespace

TEST_F(ConvertersTest, EnumerationNamesAreWholeWordsInAnyCase) {
    const struct {
        Converter pfnConvert;
        LPCWSTR lpszText;
        int nValue;
    } cases[] = {
        {ConvertVisibility, L"hidden", 1},
        {ConvertVisibility, L"Collapsed", 2},
        {ConvertVisibility, L"Hide", kNoValue},
        {ConvertVisibility, L"Visible ", kNoValue},
        {ConvertScrollBarVisibility, L"auto", 1},
        {ConvertScrollBarVisibility, L"Visible", 2},
        {ConvertHorizontalAlignment, L"STRETCH", 3},
        {ConvertVerticalAlignment, L"Bottom", 2},
        {ConvertVerticalAlignment, L"Left", kNoValue},
        {ConvertTextWrapping, L"wrap", 1},
        {ConvertTextTrimming, L"WordEllipsis", 2},
        {ConvertTextAlignment, L"Justify", 3},
        {ConvertOrientation, L"vertical", 1},
        {ConvertBaselineAlignment, L"Superscript", 7},
        {ConvertStretch, L"UniformToFill", 3},
        {ConvertStretch, L"Uniform", 2},
        {ConvertFontStyle, L"Italic", 1},
        {ConvertFontWeight, L"ExtraBlack", 950},
        {ConvertFontWeight, L"Bold", 700},
        {ConvertFontWeight, L"regular", 400},
        {ConvertFontWeight, L"700", kNoValue},
        {ConvertTextDecorations, L"", 0},
        {ConvertTextDecorations, L"Strikethrough", 2},
        {ConvertFontQuality, L"ClearType", 5},
        {ConvertTabNavigation, L"Local", 5},
        {ConvertTabNavigation, L"None", 3},
        {ConvertIsChecked, L"TRUE", 1},
        {ConvertIsChecked, L"false", 0},
        {ConvertIsChecked, L"", 2},
        {ConvertIsChecked, L"yes", kNoValue},
    };
    for (const auto& c : cases) {
        const ObjectPtr value = ConvertText(c.pfnConvert, c.lpszText);
        ASSERT_EQ(c.nValue != kNoValue, static_cast<bool>(value)) << c.lpszText;
        if (value) {
            ASSERT_TRUE(value->IsKindOf(CTkMarkupEnum::GetClassType())) << c.lpszText;
            EXPECT_EQ(c.nValue, static_cast<CTkMarkupEnum*>(value.Get())->GetEnum()) << c.lpszText;
        }
    }
    // Small values are the shared instances; a weight is a new object each time.
    EXPECT_EQ(ConvertText(ConvertVisibility, L"Hidden").Get(), ConvertText(ConvertVisibility, L"hidden").Get());
    EXPECT_NE(ConvertText(ConvertFontWeight, L"Bold").Get(), ConvertText(ConvertFontWeight, L"Bold").Get());
}

TEST_F(ConvertersTest, ConvertersTakeOnlyStrings) {
    const ObjectPtr number = ObjectPtr::Adopt(new CTkMarkupInt(1));
    for (Converter pfnConvert : kEnumConverters) {
        EXPECT_EQ(nullptr, ObjectPtr::Adopt(pfnConvert(nullptr, number.Get())).Get());
        EXPECT_EQ(nullptr, ObjectPtr::Adopt(pfnConvert(nullptr, nullptr)).Get());
    }
    for (Converter pfnConvert : {ConvertCursor, ConvertLength}) {
        EXPECT_EQ(nullptr, ObjectPtr::Adopt(pfnConvert(nullptr, number.Get())).Get());
        EXPECT_EQ(nullptr, ObjectPtr::Adopt(pfnConvert(nullptr, nullptr)).Get());
    }
}

TEST_F(ConvertersTest, CursorsAreTheSystemCursorsOfTheSameName) {
    const struct {
        LPCWSTR lpszText;
        LPCWSTR lpszCursor;  // NULL: "None", the value 0
        bool bConverts;
    } cases[] = {
        {L"Arrow", IDC_ARROW, true},
        {L"ibeam", IDC_IBEAM, true},
        {L"Wait", IDC_WAIT, true},
        {L"Cross", IDC_CROSS, true},
        {L"UpArrow", IDC_UPARROW, true},
        {L"SizeNWSE", IDC_SIZENWSE, true},
        {L"SizeNESW", IDC_SIZENESW, true},
        {L"SizeWE", IDC_SIZEWE, true},
        {L"SizeNS", IDC_SIZENS, true},
        {L"SizeAll", IDC_SIZEALL, true},
        {L"No", IDC_NO, true},
        {L"Hand", IDC_HAND, true},
        {L"AppStarting", IDC_APPSTARTING, true},
        {L"NONE", nullptr, true},
        {L"Help", nullptr, false},
    };
    for (const auto& c : cases) {
        const ObjectPtr value = ConvertText(ConvertCursor, c.lpszText);
        ASSERT_EQ(c.bConverts, static_cast<bool>(value)) << c.lpszText;
        if (value) {
            EXPECT_EQ(static_cast<int>(reinterpret_cast<ULONG_PTR>(c.lpszCursor)),
                      static_cast<CTkMarkupInt*>(value.Get())->GetInt())
                << c.lpszText;
        }
    }
    EXPECT_NE(ConvertText(ConvertCursor, L"Hand").Get(), ConvertText(ConvertCursor, L"Hand").Get());
}

TEST_F(ConvertersTest, LengthsReadUnitsAt96PixelsPerInch) {
    const struct {
        LPCWSTR lpszText;
        bool bConverts;
        int nPixels;
    } cases[] = {
        {L"Auto", true, 0x7FFFFFFF},
        {L"AUTO", true, 0x7FFFFFFF},
        {L"10pt", true, 13},
        {L"-10pt", true, -13},
        {L"3PT", true, 4},
        {L"2in", true, 192},
        {L"1.5in", true, 96},  // fractions are not read
        {L"1cm", true, 37},
        {L"-1cm", true, -37},
        {L"12px", true, 12},
        {L"12", true, 12},
        {L" +7", true, 7},
        {L"abc", true, 0},
        {L"0in", true, 0},
        {L"pt", true, 0},
        {L"22369621in", true, 2147483616},
        {L"22369622in", false, 0},  // beyond 32 bits: no value rather than a wrapped one
        {L"2147483647pt", false, 0},
        {L"99999999999", false, 0},
    };
    for (const auto& c : cases) {
        const ObjectPtr value = ConvertText(ConvertLength, c.lpszText);
        ASSERT_EQ(c.bConverts, static_cast<bool>(value)) << c.lpszText;
        if (value) {
            EXPECT_EQ(c.nPixels, static_cast<CTkMarkupInt*>(value.Get())->GetInt()) << c.lpszText;
        }
    }
}

// The public keyword table is the judge of all 140 colours, in both cases.
TEST_F(ConvertersTest, NamedColoursAreTheWebColours) {
    const struct {
        LPCWSTR lpszName;
        int r, g, b;
    } keywords[] = {
#include "fixtures/CssColorKeywords.inc"
    };
    ASSERT_EQ(140u, std::size(keywords));
    for (const auto& keyword : keywords) {
        COLORREF clr = 0x01020304;
        ASSERT_TRUE(LookupNamedColor(keyword.lpszName, clr)) << keyword.lpszName;
        EXPECT_EQ(RGB(keyword.r, keyword.g, keyword.b), clr) << keyword.lpszName;
        const CString strUpper = CString(keyword.lpszName).MakeUpper();
        EXPECT_TRUE(LookupNamedColor(strUpper, clr)) << keyword.lpszName;
    }
    for (LPCWSTR lpszName : {L"Transparent", L"grey", L"DarkSlateGrey", L"RebeccaPurple", L"Redd", L"Re"}) {
        COLORREF clr = 0x01020304;
        EXPECT_FALSE(LookupNamedColor(lpszName, clr)) << lpszName;
        EXPECT_EQ(0x01020304u, clr) << lpszName;
    }
}

TEST_F(ConvertersTest, SystemColourNamesMatchByTheirBeginning) {
    const struct {
        LPCWSTR lpszName;
        int nIndex;  // -1: no match
    } cases[] = {
        {L"ActiveBorder", 10},
        {L"ActiveCaption", 2},
        {L"ActiveCaptionText", 9},
        {L"AppWorkspace", 12},
        {L"Control", 15},
        {L"ControlDark", 16},
        {L"ControlDarkDark", 21},
        {L"ControlLight", 22},
        {L"ControlLightLight", 20},
        {L"ControlText", 18},
        {L"Desktop", 1},
        {L"GradientActiveCaption", 27},
        {L"GradientInactiveCaption", 28},
        {L"GrayText", 17},
        {L"Highlight", 13},
        {L"HighlightText", 14},
        {L"HotTrack", 26},
        {L"InactiveBorder", 11},
        {L"InactiveCaption", 3},
        {L"InactiveCaptionText", 19},
        {L"Info", 24},
        {L"InfoText", 23},
        {L"Menu", 4},
        {L"MenuBar", 30},
        {L"MenuHighlight", 29},
        {L"MenuText", 7},
        {L"ScrollBar", 0},
        {L"Window", 5},
        {L"WindowFrame", 6},
        {L"WindowText", 8},
        {L"Act", 10},  // the beginning of a name selects the first name it begins
        {L"Men", 4},
        {L"control", -1},
        {L"ControlX", -1},
        {L"", -1},
    };
    for (const auto& c : cases) {
        int nIndex = -2;
        const BOOL bFound = LookupSystemColorIndex(c.lpszName, static_cast<int>(wcslen(c.lpszName)), nIndex);
        EXPECT_EQ(c.nIndex >= 0, bFound != FALSE) << c.lpszName;
        if (bFound) {
            EXPECT_EQ(c.nIndex, nIndex) << c.lpszName;
        }
    }
}

TEST_F(ConvertersTest, StaticMembersNameASystemColourAndAKind) {
    using Member = MarkupSystemColorsMember;
    const struct {
        LPCWSTR lpszText;
        bool bFound;
        Member member;
        int nIndex;
    } cases[] = {
        {L"SystemColors.ScrollBarColor", true, Member::color, 0},
        {L"SystemColors.WindowTextBrush", true, Member::brush, 8},
        {L"SystemColors.ControlColorKey", true, Member::colorKey, 15},
        {L"SystemColors.WindowTextBrushKey", true, Member::brushKey, 8},
        {L"SystemColors.ActColor", true, Member::color, 10},
        {L"SystemColors.MenuColour", false, Member::color, 0},
        {L"SystemColors.MenuKey", false, Member::color, 0},
        {L"systemColors.MenuColor", false, Member::color, 0},
        {L"SystemColors.color", false, Member::color, 0},     // shorter than any member
        {L"SystemColors.ColorKey", false, Member::color, 0},  // no name at all
        {L"SystemColors.WindowsColor", false, Member::color, 0},
    };
    for (const auto& c : cases) {
        Member member = Member::color;
        int nIndex = -1;
        ASSERT_EQ(c.bFound, ParseSystemColorsMember(c.lpszText, member, nIndex) != FALSE) << c.lpszText;
        if (c.bFound) {
            EXPECT_EQ(c.member, member) << c.lpszText;
            EXPECT_EQ(c.nIndex, nIndex) << c.lpszText;
        }
    }
}

TEST_F(ConvertersTest, ParseNumberNeverOverflows) {
    double dValue = 0;
    LPCWSTR p = L"123456789012345678901234567890";
    ASSERT_TRUE(ParseNumber(p, dValue, 0, TRUE));
    EXPECT_DOUBLE_EQ(1.2345678901234568e29, dValue);
    const CString strHuge(L'9', 400);
    p = strHuge;
    EXPECT_FALSE(ParseNumber(p, dValue, 0, TRUE));
}
