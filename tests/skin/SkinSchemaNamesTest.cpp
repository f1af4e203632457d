#include "TkSkinSchemaNames.h"

#include <gtest/gtest.h>

#include <set>

// The tables decide which sections and properties a skin may use; first match wins, in any letter case.
TEST(SkinSchemaNames, ClassesPartsAndStatesAnswerTheirNumbersInAnyCase) {
    struct Row {
        int nKind;  // 0 class, 1 part, 2 state
        const wchar_t* pszOwner;
        const wchar_t* pszName;
        int nExpected;
    };
    const Row rows[] = {
        {0, nullptr, L"Globals", 1},
        {0, nullptr, L"window", 6},
        {0, nullptr, L"MENUBAND", 30},
        {0, nullptr, L"Menu", 0},  // the row "Menu" (0) comes before "MENU" (11)
        {0, nullptr, L"MENU", 0},
        {0, nullptr, L"Explorer", 0},
        {1, L"WINDOW", L"CAPTION", 1},
        {1, L"window", L"closebutton", 18},
        {1, L"WINDOW", L"SMALLFRAMEBOTTOMSIZINGTEMPLATE", 37},
        {1, L"PAGE", L"DOWNHORZ", 4},
        {1, L"TAB", L"TABITEMBOTHEDGE", 4},
        {1, L"MENUBAND", L"SEPERATOR", 2},
        {1, L"MENU", L"MENUITEM", 1},
        {1, L"BUTTON", L"CAPTION", 0},
        {1, L"GLOBALS", L"CAPTION", 0},
        {2, L"CHECKBOX", L"MIXEDDISABLED", 12},
        {2, L"RADIOBUTTON", L"MIXEDNORMAL", 0},
        {2, L"ARROWBTN", L"RIGHTDISABLED", 16},
        {2, L"CLOSEBUTTON", L"pushed", 3},
        {2, L"THUMBLEFT", L"FOCUSED", 4},
        {2, L"TOOLBAR", L"HOTCHECKED", 6},
        {2, L"TOPTABITEMBOTHEDGES", L"FOCUSED", 5},
        {2, L"TABITEMBOTHEDGE", L"HOT", 0},  // the state group carries an S that the part lacks
        {2, L"BUTTON", L"HOT", 0},
    };
    for (const Row& row : rows) {
        const int nActual = row.nKind == 0   ? SchemaClassId(row.pszName)
                            : row.nKind == 1 ? SchemaPartId(row.pszOwner, row.pszName)
                                             : SchemaStateId(row.pszOwner, row.pszName);
        EXPECT_EQ(nActual, row.nExpected) << (row.pszOwner != nullptr ? row.pszOwner : L"") << " " << row.pszName;
    }
}

TEST(SkinSchemaNames, PropertiesCarryTheirTypesAndEnumerationsTheirValues) {
    struct Row {
        const wchar_t* pszName;
        int nId;
        int nType;
    };
    const Row rows[] = {
        {L"STRING", 201, tkSkinValueString},
        {L"IntList", 211, tkSkinValueIntList},
        {L"CHARSET", 403, tkSkinValueInt},
        {L"ICONTITLEFONT", 806, tkSkinValueFont},
        {L"MENUBAR", 1631, tkSkinValueColor},
        {L"SOURCESHRINK", 2213, tkSkinValueBool},
        {L"MINDPI5", 2424, tkSkinValueInt},
        {L"STOCKIMAGEFILE", 3007, tkSkinValueString},
        {L"NORMALSIZE", 3409, tkSkinValuePosition},
        {L"sizingmargins", 3601, tkSkinValueRect},
        {L"ACCENTCOLORHINT", 3823, tkSkinValueColor},
        {L"TRUESIZESCALINGTYPE", 4015, tkSkinValueEnum},
        {L"DEFAULTPANESIZE", 5002, tkSkinValueRect},
        {L"BLENDCOLOR", 5003, tkSkinValueColor},
    };
    for (const Row& row : rows) {
        int nType = -1;
        EXPECT_EQ(SchemaPropertyId(row.pszName, &nType), row.nId) << row.pszName;
        EXPECT_EQ(nType, row.nType) << row.pszName;
    }
    int nType = -1;
    EXPECT_EQ(SchemaPropertyId(L"GLOWINTENSITY", &nType), 0);
    EXPECT_EQ(nType, -1) << "an unknown name leaves the type alone";

    EXPECT_EQ(std::size(kSkinPropertyNames), 192u);
    std::set<int> ids;
    for (const TkSkinPropertyName& name : kSkinPropertyNames)
        EXPECT_TRUE(ids.insert(name.nId).second) << name.pszName;

    EXPECT_EQ(SchemaEnumValue(L"BGTYPE", L"BORDERFILL"), 1);
    EXPECT_EQ(SchemaEnumValue(L"contentalignment", L"right"), 2);
    EXPECT_EQ(SchemaEnumValue(L"GLYPHFONTSIZINGTYPE", L"DPI"), 2);
    EXPECT_EQ(SchemaEnumValue(L"OFFSETTYPE", L"BELOWLASTBUTTON"), 13);
    EXPECT_EQ(SchemaEnumValue(L"IMAGELAYOUT", L"VERTICAL"), 0);
    EXPECT_EQ(SchemaEnumValue(L"BGTYPE", L"PURPLE"), -1);
    EXPECT_EQ(SchemaEnumValue(L"IMAGEFILE", L"NONE"), -1);
}
