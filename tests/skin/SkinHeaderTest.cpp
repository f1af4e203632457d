// Headers under the state-coded skin: items in display order in their state (pressed only while the mouse
// stays over the pressed item), the rest of the header as the class's own part, owner-drawn items through
// the parent, and a filter bar's row left to the system.

#include "SkinTestSupport.h"
#include "TestSkins.h"
#include "TkSkinObjectHeader.h"

#include <vector>
#include <vssym32.h>

namespace {

constexpr RECT kHeaderRect = {0, 0, 300, 24};

HWND AddHeader(RecorderParent& parent, DWORD dwStyle, const RECT& rc, int nFormat = HDF_STRING | HDF_LEFT) {
    HWND hHeader = parent.AddChild(WC_HEADERW, L"", HDS_BUTTONS | HDS_HORZ | dwStyle, rc);
    for (int nItem = 0; nItem < 3; ++nItem) {
        HDITEMW item{};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.cxy = 80;
        item.fmt = nFormat;
        item.pszText = const_cast<LPWSTR>(L"Col");
        ::SendMessageW(hHeader, HDM_INSERTITEMW, nItem, reinterpret_cast<LPARAM>(&item));
    }
    return hHeader;
}

}  // namespace

TEST(SkinHeader, ItemsInTheirStatesAndWhatIsLeftToOthers) {
    OpenStateCodedSkin();
    RecorderParent parent;
    HWND hHeader = AddHeader(parent, 0, kHeaderRect);
    auto* pObject = dynamic_cast<CTkSkinObjectHeader*>(GetSkinManager()->FindSkinObject(hHeader));
    ASSERT_NE(pObject, nullptr);
    SkinCanvas dc(300, 24);
    // Item n's left part (its text starts 9 pixels in) and the header beyond the items.
    auto itemAt = [&](int nItem) { return CellAt(dc, nItem * 80 + 3, 12); };
    const std::string normal = CellName(kHeader, HP_HEADERITEM, HIS_NORMAL);
    const std::string hot = CellName(kHeader, HP_HEADERITEM, HIS_HOT);
    const std::string pressed = CellName(kHeader, HP_HEADERITEM, HIS_PRESSED);

    PrintInto(dc, hHeader);
    EXPECT_EQ(itemAt(0), normal);
    EXPECT_EQ(itemAt(1), normal);
    EXPECT_EQ(CellAt(dc, 280, 12), CellName(kHeader, 0, 0));

    // Hot under the mouse; pressed while the mouse stays over the item pressed; normal when it leaves.
    ::SendMessageW(hHeader, WM_MOUSEMOVE, 0, MAKELPARAM(120, 12));
    EXPECT_EQ(pObject->GetHotItem(), 1);
    PrintInto(dc, hHeader);
    EXPECT_EQ(itemAt(1), hot);
    ::SendMessageW(hHeader, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(120, 12));
    EXPECT_TRUE(pObject->IsPressed());
    PrintInto(dc, hHeader);
    EXPECT_EQ(itemAt(1), pressed);
    ::SendMessageW(hHeader, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(280, 12));
    PrintInto(dc, hHeader);
    EXPECT_EQ(itemAt(1), normal);
    ::SendMessageW(hHeader, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(120, 12));
    PrintInto(dc, hHeader);
    EXPECT_EQ(itemAt(1), pressed);
    ::SendMessageW(hHeader, WM_LBUTTONUP, 0, MAKELPARAM(120, 12));
    EXPECT_FALSE(pObject->IsPressed());
    ::SendMessageW(hHeader, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(pObject->GetHotItem(), -1);
    ::ReleaseCapture();

    // Owner-drawn items go to the parent in display order; an item it does not draw keeps the skin's part.
    const int order[] = {2, 0, 1};
    ::SendMessageW(hHeader, HDM_SETORDERARRAY, 3, reinterpret_cast<LPARAM>(order));
    for (int nItem = 0; nItem < 3; ++nItem) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        item.fmt = HDF_OWNERDRAW;
        ::SendMessageW(hHeader, HDM_SETITEMW, nItem, reinterpret_cast<LPARAM>(&item));
    }
    parent.Log().clear();
    PrintInto(dc, hHeader);
    std::vector<DWORD_PTR> drawn;
    for (const ParentMessage& logged : parent.Log())
        if (logged.message == WM_DRAWITEM)
            drawn.push_back(logged.dwItemSpec);
    EXPECT_EQ(drawn, (std::vector<DWORD_PTR>{2, 0, 1}));
    EXPECT_EQ(itemAt(0), normal);
    ::DestroyWindow(hHeader);

    // A sorted item shows its arrow in the skin's shadow colour, unless it shows an image.
    HWND hSorted = AddHeader(parent, 0, kHeaderRect, HDF_STRING | HDF_LEFT | HDF_SORTUP);
    HIMAGELIST hImages = ::ImageList_Create(16, 16, ILC_COLOR24, 1, 0);
    ::ImageList_SetImageCount(hImages, 1);
    ::SendMessageW(hSorted, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(hImages));
    HDITEMW imaged{};
    imaged.mask = HDI_FORMAT | HDI_IMAGE;
    imaged.fmt = HDF_STRING | HDF_LEFT | HDF_SORTUP | HDF_IMAGE;
    imaged.iImage = 0;
    ::SendMessageW(hSorted, HDM_SETITEMW, 1, reinterpret_cast<LPARAM>(&imaged));
    PrintInto(dc, hSorted);
    auto shadowPixels = [&](int nItem) {
        int nCount = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = nItem * 80; x < nItem * 80 + 80; ++x)
                nCount += dc.At(x, y) == TestSkinSysColor(COLOR_BTNSHADOW) ? 1 : 0;
        return nCount;
    };
    EXPECT_GT(shadowPixels(0), 10);
    EXPECT_EQ(shadowPixels(1), 0);
    ::DestroyWindow(hSorted);
    ::ImageList_Destroy(hImages);

    // A filter bar's row stays the system's; the skin draws the items above it.
    HWND hFiltered = AddHeader(parent, HDS_FILTERBAR, {0, 0, 300, 40});
    SkinCanvas dcFiltered(300, 40);
    PrintInto(dcFiltered, hFiltered);
    EXPECT_EQ(CellAt(dcFiltered, 3, 5), normal);
    EXPECT_NE(CellAt(dcFiltered, 3, 35), normal);
}
