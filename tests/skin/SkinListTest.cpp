// List-type controls: tree and list views made while a skin is in force take the skin's colours, and get
// their own defaults back when a skin fails to load; list boxes and combo lists get the list box object.

#include "SkinTestSupport.h"
#include "TestSkins.h"
#include "TkSkinObjectList.h"

namespace {

constexpr RECT kListRect = {0, 0, 200, 120};

template <class T>
T* ObjectOf(HWND hWnd) {
    return dynamic_cast<T*>(GetSkinManager()->FindSkinObject(hWnd));
}

}  // namespace

TEST(SkinList, TreeAndListColoursFollowTheSkin) {
    CTkSkinManager* pManager = OpenStateCodedSkin();
    RecorderParent parent;
    HWND hTree = parent.AddChild(WC_TREEVIEWW, L"", TVS_HASLINES, kListRect);
    HWND hList = parent.AddChild(WC_LISTVIEWW, L"", LVS_REPORT, kListRect);
    HWND hListBox = parent.AddChild(L"ListBox", L"", 0, kListRect);
    EXPECT_NE(ObjectOf<CTkSkinObjectTreeView>(hTree), nullptr);
    EXPECT_NE(ObjectOf<CTkSkinObjectListView>(hList), nullptr);
    EXPECT_NE(ObjectOf<CTkSkinObjectListBox>(hListBox), nullptr);

    const COLORREF clrWindow = TestSkinSysColor(COLOR_WINDOW);
    const COLORREF clrText = TestSkinSysColor(COLOR_WINDOWTEXT);
    EXPECT_EQ(::SendMessageW(hTree, TVM_GETBKCOLOR, 0, 0), static_cast<LRESULT>(clrWindow));
    EXPECT_EQ(::SendMessageW(hTree, TVM_GETTEXTCOLOR, 0, 0), static_cast<LRESULT>(clrText));
    EXPECT_EQ(::SendMessageW(hList, LVM_GETBKCOLOR, 0, 0), static_cast<LRESULT>(clrWindow));
    EXPECT_EQ(::SendMessageW(hList, LVM_GETTEXTBKCOLOR, 0, 0), static_cast<LRESULT>(clrWindow));
    EXPECT_EQ(::SendMessageW(hList, LVM_GETTEXTCOLOR, 0, 0), static_cast<LRESULT>(clrText));

    // A skin that cannot be opened leaves the program unskinned: the controls' own defaults are back.
    EXPECT_FALSE(pManager->OpenSkin(L"C:\\no such folder\\none.vardle", nullptr));
    EXPECT_EQ(static_cast<COLORREF>(::SendMessageW(hTree, TVM_GETBKCOLOR, 0, 0)), CLR_NONE);
    EXPECT_EQ(static_cast<COLORREF>(::SendMessageW(hTree, TVM_GETTEXTCOLOR, 0, 0)), CLR_NONE);
    EXPECT_EQ(static_cast<COLORREF>(::SendMessageW(hTree, TVM_GETLINECOLOR, 0, 0)), CLR_DEFAULT);
    EXPECT_EQ(::SendMessageW(hList, LVM_GETBKCOLOR, 0, 0), static_cast<LRESULT>(::GetSysColor(COLOR_WINDOW)));
    EXPECT_EQ(::SendMessageW(hList, LVM_GETTEXTCOLOR, 0, 0), static_cast<LRESULT>(::GetSysColor(COLOR_WINDOWTEXT)));
    EXPECT_NE(::GetSysColor(COLOR_WINDOW), clrWindow);

    // And the skin coming back brings its colours.
    OpenStateCodedSkin();
    EXPECT_EQ(::SendMessageW(hList, LVM_GETBKCOLOR, 0, 0), static_cast<LRESULT>(clrWindow));
    EXPECT_EQ(::SendMessageW(hTree, TVM_GETLINECOLOR, 0, 0), static_cast<LRESULT>(TestSkinSysColor(COLOR_GRAYTEXT)));
}
