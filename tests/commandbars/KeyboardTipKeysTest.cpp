// The keys of keyboard tips: from captions, and unique where several tips start alike.

#include "TkCommandBarKeyboardTip.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(KeyboardTipKeys, ACaptionGivesItsMarkedCharacterOrItsFirst) {
    const std::pair<LPCWSTR, LPCWSTR> rows[] = {
        {L"&FILE", L"F"}, {L"SAVE &AS", L"A"}, {L"R&&D &TOOLS", L"T"},  // "&&" is an ampersand
        {L"VIEW", L"V"},  {L"END&", L"E"},     {L"", L""},
    };
    for (const auto& [pszCaption, pszKeys] : rows)
        EXPECT_EQ(GetCaptionTipKeys(pszCaption), pszKeys) << CStringA(pszCaption);
}

TEST(KeyboardTipKeys, TipsStartingAlikeGetASecondKeyFromTheirCaptions) {
    std::vector<KeyboardTipText> tips = {
        {L"FILE", L"F"}, {L"FORMAT TEXT", L"F"}, {L"EDIT", L"E"}, {L"EXIT", L"EX"}, {L"VIEW", L"V"},
    };
    MakeKeyboardTipKeysUnique(tips);
    const LPCWSTR expected[] = {L"FI", L"FT", L"ED", L"EX", L"V"};
    for (size_t i = 0; i < tips.size(); ++i)
        EXPECT_EQ(tips[i].strKeys, expected[i]) << i;
}

TEST(KeyboardTipKeys, TwelveTipsWithoutUsableCaptionsGetTwelveDistinctKeys) {
    std::vector<KeyboardTipText> tips(12, KeyboardTipText{L"X", L"X"});
    MakeKeyboardTipKeysUnique(tips);
    std::set<CString> keys;
    for (const KeyboardTipText& tip : tips) {
        EXPECT_EQ(tip.strKeys.GetLength(), 2);
        keys.insert(tip.strKeys);
    }
    EXPECT_EQ(keys.size(), 12u);
    EXPECT_EQ(tips[0].strKeys, L"X1");
    EXPECT_EQ(tips[9].strKeys, L"XA");  // after the digits, letters: no second "X1"
}

}  // namespace
