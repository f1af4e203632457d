#include "FoundationTestSupport.h"
#include "SkinTestSupport.h"
#include "TkSkinManagerClass.h"
#include "TkSkinManagerModuleList.h"
#include "TkSkinManagerResourceFile.h"
#include "TkSkinManagerSchema.h"

#include <set>
#include <uxtheme.h>
#include <vssym32.h>

namespace {

// Adds a number to the red channel, so the order of filters shows.
class AddRedFilter : public CTkSkinManagerColorFilter {
public:
    explicit AddRedFilter(int n) : m_n(n) {}
    void ApplyColorFilter(COLORREF& clr) override {
        clr = RGB(GetRValue(clr) * 2 + m_n, GetGValue(clr), GetBValue(clr));
    }

private:
    int m_n;
};

}  // namespace

TEST(SkinManager, ClassesAreMadeOnceByNameAndDroppedWithTheSkin) {
    SkinFromText skin("[BUTTON]\nBORDERSIZE=3\n[SYSMETRICS]\nFLATMENUS=TRUE\n");
    CTkSkinManager& manager = skin.Manager();
    CTkSkinManagerClass* pButton = manager.GetSkinClass(L"button");
    ASSERT_NE(pButton, nullptr);
    EXPECT_EQ(pButton->GetName(), L"BUTTON");
    EXPECT_EQ(pButton->GetClassId(), 7);
    EXPECT_EQ(manager.GetSkinClass(L"BUTTON"), pButton);
    EXPECT_EQ(manager.GetSkinClass(L"Menu"), nullptr) << "the menu class has no id";
    EXPECT_EQ(manager.GetSkinClass(L"Explorer::TreeView"), nullptr);
    EXPECT_EQ(manager.ValidateSkinClass(pButton), pButton);
    EXPECT_EQ(manager.ValidateSkinClass(reinterpret_cast<CTkSkinManagerClass*>(&manager)), nullptr);
    EXPECT_TRUE(manager.ReadSysMetricsBool(TMT_FLATMENUS));
    EXPECT_FALSE(manager.ReadSysMetricsBool(TMT_AUTOSIZE));

    ASSERT_TRUE(skin.Reload("[BUTTON]\nBORDERSIZE=4\n"));
    EXPECT_EQ(manager.ValidateSkinClass(pButton), nullptr) << "a new skin drops the classes";
    EXPECT_EQ(manager.GetSkinClass(L"BUTTON")->GetIntProperty(0, 0, TMT_BORDERSIZE, 0), 4);
}

TEST(SkinManager, ColourFiltersApplyInTheOrderAdded) {
    CTkSkinManager manager;
    EXPECT_FALSE(manager.HasColorFilters());
    manager.AddColorFilter(new AddRedFilter(1));
    manager.AddColorFilter(new AddRedFilter(3));
    EXPECT_TRUE(manager.HasColorFilters());
    COLORREF clr = RGB(10, 5, 6);
    manager.ApplyColorFilters(clr);
    EXPECT_EQ(clr, RGB((10 * 2 + 1) * 2 + 3, 5, 6));
    manager.RemoveColorFilters();
    EXPECT_FALSE(manager.HasColorFilters());
}

// A class asks the schema once per key: an absent property is remembered as absent, a property of
// another type is not remembered, so its own type still finds it.
TEST(SkinClass, PropertiesAreCachedButNeverMistyped) {
    SkinFromText skin(
        "[BUTTON]\nFILLCOLOR=1 2 3\nCONTENTMARGINS=1,2,3,4\nOFFSET=5,6\nBGTYPE=NONE\n"
        "[BUTTON.PUSHBUTTON(HOT)]\nTEXT=Hot\n");
    CTkSkinManagerClass* pButton = skin.Manager().GetSkinClass(L"BUTTON");
    EXPECT_EQ(pButton->GetIntProperty(0, 0, TMT_FILLCOLOR, 77), 77);
    EXPECT_EQ(pButton->GetColorProperty(0, 0, TMT_FILLCOLOR, 0), RGB(1, 2, 3));
    const RECT rc = pButton->GetRectProperty(0, 0, TMT_CONTENTMARGINS, 9, 9, 9, 9);
    EXPECT_TRUE(rc.left == 1 && rc.top == 3 && rc.right == 2 && rc.bottom == 4);
    const POINT pt = pButton->GetPositionProperty(1, 2, TMT_OFFSET, 0, 0);
    EXPECT_TRUE(pt.x == 5 && pt.y == 6);
    EXPECT_EQ(pButton->GetEnumProperty(1, 0, TMT_BGTYPE, 0), 2);
    EXPECT_EQ(pButton->GetStringProperty(1, 2, TMT_TEXT), L"HOT");
    EXPECT_EQ(pButton->GetStringProperty(1, 3, TMT_TEXT, L"none"), L"none");
    EXPECT_FALSE(pButton->GetBoolProperty(0, 0, TMT_TRANSPARENT, FALSE));
    EXPECT_EQ(pButton->GetColorProperty(0, 0, TMT_BORDERCOLOR, 0x123456), 0x123456u);

    // The schema gains the absent property (a reread in place); the class keeps its answer until the
    // manager makes it anew.
    CTkSkinManagerResourceFile source;
    WriteBytes(skin.Folder() + L"\\skin.ini", "[BUTTON]\nTRANSPARENT=TRUE\n", 26);
    ASSERT_TRUE(source.Open(skin.Folder().c_str(), L"skin.ini"));
    skin.Manager().GetSchema()->ReadSchema(&source);
    EXPECT_FALSE(pButton->GetBoolProperty(0, 0, TMT_TRANSPARENT, FALSE));
}

TEST(SkinClass, PartSizesComeFromTheImageCell) {
    SkinFromText skin(
        "[BUTTON.PUSHBUTTON]\nIMAGEFILE=cells.bmp\nIMAGECOUNT=4\nIMAGELAYOUT=VERTICAL\n"
        "[BUTTON.RADIOBUTTON]\nIMAGEFILE=cells.bmp\nIMAGECOUNT=2\nSIZINGTYPE=TRUESIZE\n"
        "[BUTTON.CHECKBOX]\nIMAGEFILE=cells.bmp\nIMAGEFILE1=small.bmp\nIMAGESELECTTYPE=SIZE\n"
        "UNIFORMSIZING=TRUE\nIMAGELAYOUT=VERTICAL\n"
        "[BUTTON.GROUPBOX]\nBGTYPE=BORDERFILL\nIMAGEFILE=cells.bmp\n"
        "[BUTTON.USERBUTTON]\nIMAGEFILE=missing.bmp\n");
    WriteBmpFile(skin.Folder() + L"\\cells.bmp", MakeDib(20, 40, 24, std::vector<DWORD>(800, 0x808080)));
    WriteBmpFile(skin.Folder() + L"\\small.bmp", MakeDib(6, 3, 24, std::vector<DWORD>(18, 0x808080)));
    CTkSkinManagerClass* pButton = skin.Manager().GetSkinClass(L"BUTTON");
    const RECT rc = {0, 0, 50, 30};
    struct Row {
        int nPart;
        int nSizeKind;
        BOOL bResult;
        SIZE size;
    };
    const Row rows[] = {
        {BP_PUSHBUTTON, TS_TRUE, TRUE, {20, 10}},   // four cells stacked
        {BP_PUSHBUTTON, TS_DRAW, TRUE, {50, 30}},   // stretched to the rectangle
        {BP_PUSHBUTTON, TS_MIN, TRUE, {-1, -1}},    // left as the caller filled it
        {BP_RADIOBUTTON, TS_TRUE, TRUE, {10, 40}},  // cells side by side when no layout is given
        {BP_RADIOBUTTON, TS_DRAW, TRUE, {10, 40}},  // true size
        {BP_CHECKBOX, TS_DRAW, TRUE, {60, 30}},     // IMAGEFILE1, uniform: 30 x 6 / 3
        {BP_GROUPBOX, TS_TRUE, FALSE, {-1, -1}},    // a border fill has no image
        {BP_USERBUTTON, TS_TRUE, FALSE, {-1, -1}},  // the image does not load
    };
    for (const Row& row : rows) {
        SIZE size = {-1, -1};
        EXPECT_EQ(pButton->GetPartSize(row.nPart, 1, &rc, row.nSizeKind, &size), row.bResult) << row.nPart;
        EXPECT_TRUE(size.cx == row.size.cx && size.cy == row.size.cy)
            << row.nPart << "/" << row.nSizeKind << ": " << size.cx << " x " << size.cy;
    }
    SIZE size = {-1, -1};
    EXPECT_TRUE(pButton->GetPartSize(BP_PUSHBUTTON, 1, nullptr, TS_DRAW, &size));
    EXPECT_TRUE(size.cx == 0 && size.cy == 0);
}

// Caption margins move the text's sides only; the part's text colour stays set.
TEST(SkinClass, TextKeepsToItsSideMarginsAndLeavesItsColourSet) {
    SkinFromText skin("[WINDOW.CAPTION]\nCAPTIONMARGINS=40,10,50,50\nTEXTCOLOR=200 0 0\n");
    CTkSkinManagerClass* pWindow = skin.Manager().GetSkinClass(L"WINDOW");
    CScopedMemDC dc(120, 30);
    dc.FillSolidRect(0, 0, 120, 30, RGB(255, 255, 255));
    const RECT rc = {0, 0, 120, 30};
    EXPECT_TRUE(pWindow->DrawText(&dc, 1, 1, L"WWWWWWWWWWWWWWWWWWWW", DT_SINGLELINE | DT_VCENTER, &rc));
    EXPECT_EQ(dc.GetTextColor(), RGB(200, 0, 0));
    EXPECT_EQ(dc.GetBkMode(), TRANSPARENT);
    int nInk = 0;
    bool bInkInTheRows = false;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 120; ++x) {
            if (PixelAt(dc, x, y) == RGB(255, 255, 255))
                continue;
            ++nInk;
            EXPECT_TRUE(x >= 40 && x < 110) << "ink at " << x;
            bInkInTheRows = bInkInTheRows || (y > 5 && y < 25);
        }
    }
    EXPECT_GT(nInk, 0);
    EXPECT_TRUE(bInkInTheRows) << "the top and bottom margins are not applied";
}

// The modules of this process, walked both ways.
TEST(SkinModuleList, PsapiAndToolHelpFindTheSameModules) {
    ASSERT_TRUE(CTkSkinManagerModuleList::IsModuleEnumerationAvailable());
    CTkSkinManagerModuleList list(::GetCurrentProcessId());
    std::set<HMODULE> listed;
    for (HMODULE h = list.GetFirstModule(); h != nullptr; h = list.GetNextModule())
        listed.insert(h);
    EXPECT_EQ(listed.count(::GetModuleHandleW(nullptr)), 1u);
    EXPECT_EQ(listed.count(::GetModuleHandleW(L"user32.dll")), 1u);
    EXPECT_EQ(list.GetNextModule(), nullptr) << "the walk stays at its end";

    CToolHelpModuleEnumerator toolHelp(::GetCurrentProcessId());
    std::set<HMODULE> walked;
    for (HMODULE h = toolHelp.GetFirstModule(); h != nullptr; h = toolHelp.GetNextModule())
        walked.insert(h);
    EXPECT_EQ(walked, listed);

    MODULEINFO info{};
    HMODULE hUser = ::GetModuleHandleW(L"user32.dll");
    ASSERT_TRUE(list.GetModuleInformation(hUser, &info));
    EXPECT_EQ(info.lpBaseOfDll, hUser);
    MODULEINFO walkedInfo{};
    ASSERT_TRUE(toolHelp.GetModuleInformation(hUser, &walkedInfo));
    EXPECT_EQ(walkedInfo.lpBaseOfDll, hUser);
    EXPECT_EQ(walkedInfo.SizeOfImage, info.SizeOfImage);
    EXPECT_GT(info.SizeOfImage, 0u);
    EXPECT_FALSE(list.GetModuleInformation(nullptr, &info));
    EXPECT_FALSE(toolHelp.GetModuleInformation(reinterpret_cast<HMODULE>(0x10000), &info));
}
