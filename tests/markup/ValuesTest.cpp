#include "MarkupTestSupport.h"

#include "TkMarkupValueText.h"
#include "TkMarkupValues.h"

#include <cmath>

namespace {

using ObjectPtr = CTkMarkupPtr<CTkMarkupObject>;
using ValuesTest = MarkupTest;

// The conversion of text by a temporary instance of T, as the builder makes it.
template <class T>
ObjectPtr Convert(LPCWSTR lpszText) {
    const ObjectPtr instance = ObjectPtr::Adopt(new T);
    const ObjectPtr text = ObjectPtr::Adopt(CTkMarkupString::CreateValue(lpszText));
    return ObjectPtr::Adopt(instance->ConvertFrom(text.Get()));
}

}  // namespace

TEST_F(ValuesTest, IntegersReadTheLeadingDecimalNumber) {
    const struct {
        LPCWSTR lpszText;
        bool bConverts;
        int nValue;
    } cases[] = {
        {L"12", true, 12},
        {L"  -7px", true, -7},
        {L"+3", true, 3},
        {L"abc", true, 0},
        {L"", true, 0},
        {L"010", true, 10},  // decimal, not octal
        {L"2147483647", true, INT_MAX},
        {L"-2147483648", true, INT_MIN},
        {L"2147483648", false, 0},  // does not fit: no value rather than a wrapped one
        {L"999999999999999999999999999999", false, 0},
    };
    for (const auto& c : cases) {
        const ObjectPtr value = Convert<CTkMarkupInt>(c.lpszText);
        ASSERT_EQ(c.bConverts, static_cast<bool>(value)) << c.lpszText;
        if (value)
            EXPECT_EQ(c.nValue, static_cast<CTkMarkupInt*>(value.Get())->GetInt()) << c.lpszText;
    }
}

TEST_F(ValuesTest, DoublesAndPointsReadDecimalNumbers) {
    const struct {
        LPCWSTR lpszText;
        bool bConverts;
        double dValue;
    } doubles[] = {
        {L"1.5", true, 1.5},
        {L" -0.25 ", true, -0.25},
        {L"3.", true, 3.0},
        {L"1..2", false, 0},
        {L"1 2", false, 0},
        {L"1e3", false, 0},
        {L"", false, 0},
        {L"-", false, 0},
        {L"123456789012345678901234567890", true, 1.2345678901234568e29},
    };
    for (const auto& c : doubles) {
        const ObjectPtr value = Convert<CTkMarkupDouble>(c.lpszText);
        ASSERT_EQ(c.bConverts, static_cast<bool>(value)) << c.lpszText;
        if (value)
            EXPECT_NEAR(c.dValue, static_cast<CTkMarkupDouble*>(value.Get())->GetDouble(), std::abs(c.dValue) * 1e-12)
                << c.lpszText;
    }

    const struct {
        LPCWSTR lpszText;
        bool bConverts;
        double x, y;
    } points[] = {
        {L"1,2", true, 1, 2}, {L" -1.5 , 2", true, -1.5, 2}, {L"0.5 0.25", true, 0.5, 0.25},
        {L"1", false, 0, 0},  {L"1,2,3", false, 0, 0},       {L"1;2", false, 0, 0},
    };
    for (const auto& c : points) {
        const ObjectPtr value = Convert<CTkMarkupPoint>(c.lpszText);
        ASSERT_EQ(c.bConverts, static_cast<bool>(value)) << c.lpszText;
        if (value) {
            EXPECT_EQ(c.x, static_cast<CTkMarkupPoint*>(value.Get())->GetX()) << c.lpszText;
            EXPECT_EQ(c.y, static_cast<CTkMarkupPoint*>(value.Get())->GetY()) << c.lpszText;
        }
    }
}

TEST_F(ValuesTest, ParseNumberStopsAfterTheSeparator) {
    LPCWSTR lpszText = L" -1.5 , 2";
    LPCWSTR p = lpszText;
    double dValue = 0;
    ASSERT_TRUE(ParseNumber(p, dValue, L',', FALSE));
    EXPECT_EQ(-1.5, dValue);
    EXPECT_STREQ(L"2", p);
    p = L"1..2";
    EXPECT_FALSE(ParseNumber(p, dValue, 0, FALSE));
    EXPECT_STREQ(L"1..2", p);
}

TEST_F(ValuesTest, BooleansAreTheSharedValues) {
    const auto yes = CTkMarkupPtr<CTkMarkupBool>::Adopt(CTkMarkupBool::CreateValue(TRUE));
    const auto no = CTkMarkupPtr<CTkMarkupBool>::Adopt(CTkMarkupBool::CreateValue(FALSE));
    EXPECT_EQ(yes.Get(), Convert<CTkMarkupBool>(L"true").Get());
    EXPECT_EQ(yes.Get(), Convert<CTkMarkupBool>(L"TRUE").Get());
    EXPECT_EQ(no.Get(), Convert<CTkMarkupBool>(L"False").Get());
    EXPECT_FALSE(Convert<CTkMarkupBool>(L"yes"));
    EXPECT_FALSE(Convert<CTkMarkupBool>(L"1"));
}

TEST_F(ValuesTest, ColoursReadHexadecimalAndNames) {
    const struct {
        LPCWSTR lpszText;
        bool bConverts;
        COLORREF clr;
    } cases[] = {
        {L"#FF0000", true, RGB(255, 0, 0)},
        {L"#80FF0000", true, RGB(255, 0, 0)},  // alpha dropped
        {L"#0a0B0c", true, RGB(10, 11, 12)},
        {L"#F00", false, 0},
        {L"#FF00000", false, 0},
        {L"#GG0000", false, 0},
        {L"Red", true, RGB(255, 0, 0)},
        {L"red", true, RGB(255, 0, 0)},
        {L"RED", true, RGB(255, 0, 0)},
        {L"Tan", true, RGB(0xD2, 0xB4, 0x8C)},
        {L"LightSlateGray", true, RGB(0x77, 0x88, 0x99)},
        {L"Black", true, 0},
        {L"LightGoldenrodYellow", true, RGB(0xFA, 0xFA, 0xD2)},
        {L"transparent", false, 0},
        {L"Grey", false, 0},
        {L"1Red", false, 0},
        {L"", false, 0},
    };
    for (const auto& c : cases) {
        const ObjectPtr value = Convert<CTkMarkupColor>(c.lpszText);
        ASSERT_EQ(c.bConverts, static_cast<bool>(value)) << c.lpszText;
        if (value)
            EXPECT_EQ(c.clr, static_cast<CTkMarkupColor*>(value.Get())->GetColor()) << c.lpszText;
    }
}

TEST_F(ValuesTest, ColourContentReplacesTheColour) {
    const auto color = CTkMarkupPtr<CTkMarkupColor>::Adopt(new CTkMarkupColor);
    color->SetContentObject(nullptr, CTkMarkupString::CreateValue(L"#010203"));
    EXPECT_EQ(RGB(1, 2, 3), color->GetColor());
    EXPECT_EQ(CString(L"Cannot convert the string 'nothing' into a 'CTkMarkupColor' object"),
              MarkupErrorOf([&] { color->SetContentObject(nullptr, CTkMarkupString::CreateValue(L"nothing")); }));
}

TEST_F(ValuesTest, ThicknessesReadOneNumberOrFourCIntegers) {
    const struct {
        LPCWSTR lpszText;
        bool bConverts;
        RECT rc;
    } cases[] = {
        {L"5", true, {5, 5, 5, 5}},
        {L"1, 2, 3, 4", true, {1, 2, 3, 4}},
        {L"1,2,3,4", true, {1, 2, 3, 4}},
        {L"010, 0x10, -3, +4", true, {8, 16, -3, 4}},  // C integers: a leading 0 reads octal
        {L"1,2", false, {}},
        {L"1 ,2,3,4", false, {}},  // the comma must follow the number at once
        {L"1,2,3,4 and more", true, {1, 2, 3, 4}},
        {L"99999999999,1,1,1", false, {}},
        {L"x", true, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        const ObjectPtr value = Convert<CTkMarkupThickness>(c.lpszText);
        ASSERT_EQ(c.bConverts, static_cast<bool>(value)) << c.lpszText;
        if (value)
            EXPECT_TRUE(::EqualRect(&c.rc, &static_cast<CTkMarkupThickness*>(value.Get())->GetThickness()))
                << c.lpszText;
    }
}

TEST_F(ValuesTest, FrequentValuesAreShared) {
    auto same = [](CTkMarkupObject* pFirst, CTkMarkupObject* pSecond) {
        const bool bSame = pFirst == pSecond;
        pFirst->Release();
        pSecond->Release();
        return bSame;
    };
    EXPECT_TRUE(same(CTkMarkupEnum::CreateValue(0), CTkMarkupEnum::CreateValue(0)));
    EXPECT_TRUE(same(CTkMarkupEnum::CreateValue(7), CTkMarkupEnum::CreateValue(7)));
    EXPECT_FALSE(same(CTkMarkupEnum::CreateValue(8), CTkMarkupEnum::CreateValue(8)));
    EXPECT_FALSE(same(CTkMarkupEnum::CreateValue(-1), CTkMarkupEnum::CreateValue(-1)));
    EXPECT_TRUE(same(CTkMarkupThickness::CreateZero(), CTkMarkupThickness::CreateZero()));
    EXPECT_TRUE(same(CTkMarkupString::CreateValue(L" "), CTkMarkupString::CreateValue(L" x", 1)));
    EXPECT_TRUE(same(CTkMarkupString::CreateValue(L"\n"), CTkMarkupString::CreateValue(L"\n", -1)));
    EXPECT_TRUE(same(CTkMarkupString::CreateValue(nullptr), CTkMarkupString::CreateValue(L"abc", 0)));
    EXPECT_FALSE(same(CTkMarkupString::CreateValue(L"  "), CTkMarkupString::CreateValue(L"  ")));

    const auto part = CTkMarkupPtr<CTkMarkupString>::Adopt(CTkMarkupString::CreateValue(L"abcdef", 3));
    EXPECT_STREQ(L"abc", part->GetText());
    EXPECT_EQ(3, part->GetLength());
}

TEST_F(ValuesTest, KeysCompareByValueWhereTheClassSaysSo) {
    const ObjectPtr a = ObjectPtr::Adopt(CTkMarkupString::CreateValue(L"key"));
    const ObjectPtr b = ObjectPtr::Adopt(CTkMarkupString::CreateValue(L"key"));
    const ObjectPtr c = ObjectPtr::Adopt(CTkMarkupString::CreateValue(L"Key"));
    EXPECT_TRUE(a->IsEqual(b.Get()));
    EXPECT_EQ(a->GetHashKey(), b->GetHashKey());
    EXPECT_FALSE(a->IsEqual(c.Get()));
    const ObjectPtr p = ObjectPtr::Adopt(new CTkMarkupPoint(1, 2));
    const ObjectPtr q = ObjectPtr::Adopt(new CTkMarkupPoint(1, 2));
    EXPECT_FALSE(p->IsEqual(q.Get()));  // points compare by identity
    const ObjectPtr i = ObjectPtr::Adopt(new CTkMarkupInt(1));
    const ObjectPtr e = ObjectPtr::Adopt(new CTkMarkupEnum(1));
    EXPECT_FALSE(i->IsEqual(e.Get()));
    const ObjectPtr t1 = ObjectPtr::Adopt(new CTkMarkupThickness(1, 2, 3, 4));
    const ObjectPtr t2 = ObjectPtr::Adopt(new CTkMarkupThickness(1, 2, 3, 4));
    EXPECT_TRUE(t1->IsEqual(t2.Get()));
}

TEST_F(ValuesTest, DeflateRectNeverInverts) {
    const auto thickness = CTkMarkupPtr<CTkMarkupThickness>::Adopt(new CTkMarkupThickness(1, 2, 30, 40));
    EXPECT_EQ(CRect(11, 22, 20, 22), DeflateRect(CRect(10, 20, 50, 60), thickness.Get()));
    EXPECT_EQ(CRect(10, 20, 50, 60), DeflateRect(CRect(10, 20, 50, 60), nullptr));
}
