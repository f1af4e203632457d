// Toolbars under the state-coded skin: buttons print the TOOLBAR part of their state, the parent gets the
// control's custom-draw notifications in their order and its answers count, hidden buttons draw nothing,
// disabled images are embossed, and texts of any length are read whole.

#include "SkinTestSupport.h"
#include "TestSkins.h"
#include "TkSkinObjectToolBar.h"

#include <functional>
#include <string>
#include <vector>
#include <vssym32.h>

namespace {

constexpr RECT kToolBarRect = {0, 0, 400, 40};
enum : int { kOne = 1, kTwo = 2, kHidden = 3, kFour = 4, kLong = 5, kDropDown = 6 };

// A flat list-style toolbar: One, Two, a hidden button, a separator and a disabled Four, 16 x 16 images.
class ToolBarOnParent {
public:
    explicit ToolBarOnParent(RecorderParent& parent) {
        m_hWnd = parent.AddChild(TOOLBARCLASSNAMEW, L"",
                                 TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
                                 kToolBarRect);
        ::SendMessageW(m_hWnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        m_hImages = ::ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 3, 0);
        for (COLORREF clr : {RGB(250, 0, 0), RGB(0, 250, 0), RGB(20, 20, 250)}) {
            CScopedMemDC image(16, 16);
            image.FillSolidRect(0, 0, 16, 16, RGB(255, 255, 255));
            image.FillSolidRect(3, 3, 10, 10, clr);
            HBITMAP hBitmap = image.DetachBitmap();
            ::ImageList_AddMasked(m_hImages, hBitmap, RGB(255, 255, 255));
            ::DeleteObject(hBitmap);
        }
        ::SendMessageW(m_hWnd, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_hImages));
        TBBUTTON buttons[] = {
            {0, kOne, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, reinterpret_cast<INT_PTR>(L"One")},
            {1, kTwo, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, reinterpret_cast<INT_PTR>(L"Two")},
            {2, kHidden, TBSTATE_ENABLED | TBSTATE_HIDDEN, BTNS_BUTTON, {}, 0, reinterpret_cast<INT_PTR>(L"Hidden")},
            {0, 0, 0, BTNS_SEP, {}, 0, 0},
            {2, kFour, 0, BTNS_BUTTON, {}, 0, reinterpret_cast<INT_PTR>(L"Four")},
        };
        ::SendMessageW(m_hWnd, TB_ADDBUTTONSW, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
    }
    ~ToolBarOnParent() {
        ::DestroyWindow(m_hWnd);
        ::ImageList_Destroy(m_hImages);
    }
    ToolBarOnParent(const ToolBarOnParent&) = delete;
    ToolBarOnParent& operator=(const ToolBarOnParent&) = delete;

    CRect ItemRect(int nIndex) const {
        CRect rc;
        ::SendMessageW(m_hWnd, TB_GETITEMRECT, nIndex, reinterpret_cast<LPARAM>(&rc));
        return rc;
    }
    // An enabled button's state with the extra bits.
    void SetState(int nCommand, BYTE nState) const {
        ::SendMessageW(m_hWnd, TB_SETSTATE, nCommand, MAKELONG(TBSTATE_ENABLED | nState, 0));
    }
    // One and Two back to plain enabled buttons, none hot.
    void Reset() const {
        SetState(kOne, 0);
        SetState(kTwo, 0);
        ::SendMessageW(m_hWnd, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
    }

    HWND m_hWnd = nullptr;
    HIMAGELIST m_hImages = nullptr;
};

int CountColor(const SkinCanvas& dc, const CRect& rc, COLORREF clr) {
    int nCount = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            nCount += dc.At(x, y) == clr ? 1 : 0;
    return nCount;
}

}  // namespace

TEST(SkinToolBar, ButtonsAndTheParentsCustomDrawAnswers) {
    OpenStateCodedSkin();
    RecorderParent parent;
    ToolBarOnParent toolBar(parent);
    HWND hToolBar = toolBar.m_hWnd;
    auto* pObject = dynamic_cast<CTkSkinObjectToolBar*>(GetSkinManager()->FindSkinObject(hToolBar));
    ASSERT_NE(pObject, nullptr);
    SkinCanvas dc(400, 40);

    // The button's part in its state, read at the button's corner (no image or text there).
    struct Row {
        const char* pszCase;
        std::function<void()> setup;
        int nIndex;
        int nPart;
        int nState;
    };
    const Row rows[] = {
        {"normal", [] {}, 0, TP_BUTTON, TS_NORMAL},
        {"hot", [&] { ::SendMessageW(hToolBar, TB_SETHOTITEM, 0, 0); }, 0, TP_BUTTON, TS_HOT},
        {"pressed", [&] { toolBar.SetState(kOne, TBSTATE_PRESSED); }, 0, TP_BUTTON, TS_PRESSED},
        {"checked", [&] { toolBar.SetState(kTwo, TBSTATE_CHECKED); }, 1, TP_BUTTON, TS_CHECKED},
        {"checked and hot",
         [&] {
             toolBar.SetState(kTwo, TBSTATE_CHECKED);
             ::SendMessageW(hToolBar, TB_SETHOTITEM, 1, 0);
         },
         1, TP_BUTTON, TS_CHECKED},
        {"disabled", [] {}, 4, TP_BUTTON, TS_DISABLED},
    };
    for (const Row& row : rows) {
        toolBar.Reset();
        row.setup();
        PrintInto(dc, hToolBar);
        const CRect rc = toolBar.ItemRect(row.nIndex);
        EXPECT_EQ(CellAt(dc, rc.left + 1, rc.top + 1), CellName(kToolBar, row.nPart, row.nState)) << row.pszCase;
    }
    toolBar.Reset();
    PrintInto(dc, hToolBar);
    EXPECT_EQ(CellAt(dc, toolBar.ItemRect(3).CenterPoint().x, toolBar.ItemRect(3).CenterPoint().y),
              CellName(kToolBar, TP_SEPARATOR, 0));

    // A disabled button without a disabled image list is embossed from its normal image: its shape in the
    // skin's highlight and shadow, none of the image's own colour.
    const CRect rcFour = toolBar.ItemRect(4);
    EXPECT_GT(CountColor(dc, rcFour, TestSkinSysColor(COLOR_BTNSHADOW)), 0);
    EXPECT_GT(CountColor(dc, rcFour, TestSkinSysColor(COLOR_BTNHIGHLIGHT)), 0);
    EXPECT_EQ(CountColor(dc, rcFour, RGB(20, 20, 250)), 0);
    EXPECT_GT(CountColor(dc, toolBar.ItemRect(0), RGB(250, 0, 0)), 0);

    // The stages in the control's order; the hidden button and the separator get none and hidden draws
    // nothing.
    parent.SetScript([](UINT message, WPARAM, LPARAM lParam, LRESULT* pResult) {
        if (message != WM_NOTIFY)
            return FALSE;
        const DWORD dwStage = reinterpret_cast<NMCUSTOMDRAW*>(lParam)->dwDrawStage;
        *pResult = dwStage == CDDS_PREPAINT ? CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT : CDRF_NOTIFYPOSTPAINT;
        return TRUE;
    });
    parent.Log().clear();
    PrintInto(dc, hToolBar);
    const std::vector<DWORD> expectedStages = {CDDS_PREPAINT,      CDDS_ITEMPREPAINT,  CDDS_ITEMPOSTPAINT,
                                               CDDS_ITEMPREPAINT,  CDDS_ITEMPOSTPAINT, CDDS_ITEMPREPAINT,
                                               CDDS_ITEMPOSTPAINT, CDDS_POSTPAINT};
    EXPECT_EQ(parent.Stages(), expectedStages);
    std::vector<DWORD_PTR> items;
    for (const ParentMessage& logged : parent.Log())
        if (logged.dwStage == CDDS_ITEMPREPAINT)
            items.push_back(logged.dwItemSpec);
    EXPECT_EQ(items, (std::vector<DWORD_PTR>{kOne, kTwo, kFour}));

    // A parent that skips the default drawing leaves the skin's face colour and hears of no item.
    parent.SetScript([](UINT message, WPARAM, LPARAM lParam, LRESULT* pResult) {
        if (message != WM_NOTIFY || reinterpret_cast<NMCUSTOMDRAW*>(lParam)->dwDrawStage != CDDS_PREPAINT)
            return FALSE;
        *pResult = CDRF_SKIPDEFAULT;
        return TRUE;
    });
    parent.Log().clear();
    PrintInto(dc, hToolBar);
    EXPECT_EQ(parent.Stages(), std::vector<DWORD>{CDDS_PREPAINT});
    EXPECT_EQ(CountColor(dc, CRect(0, 0, 400, 40), TestSkinSysColor(COLOR_BTNFACE)), 400 * 40);

    // The item state as the parent leaves it: a pressed button shown unpressed; no edges at all.
    for (const bool bNoEdges : {false, true}) {
        parent.SetScript([bNoEdges](UINT message, WPARAM, LPARAM lParam, LRESULT* pResult) {
            auto* pDraw = reinterpret_cast<NMCUSTOMDRAW*>(lParam);
            if (message != WM_NOTIFY || pDraw->dwDrawStage != CDDS_ITEMPREPAINT || pDraw->dwItemSpec != kOne)
                return FALSE;
            pDraw->uItemState &= ~CDIS_SELECTED;
            *pResult = bNoEdges ? TBCDRF_NOEDGES : CDRF_DODEFAULT;
            return TRUE;
        });
        toolBar.Reset();
        toolBar.SetState(kOne, TBSTATE_PRESSED);
        PrintInto(dc, hToolBar);
        const CRect rcOne = toolBar.ItemRect(0);
        if (bNoEdges)
            EXPECT_EQ(dc.At(rcOne.left + 1, rcOne.top + 1), TestSkinSysColor(COLOR_BTNFACE));
        else
            EXPECT_EQ(CellAt(dc, rcOne.left + 1, rcOne.top + 1), CellName(kToolBar, TP_BUTTON, TS_NORMAL));
    }
    parent.SetScript(nullptr);

    // A whole drop-down button shows its arrow in the skin's text colour at its right end, moved with a press.
    TBBUTTON dropDown = {0, kDropDown, TBSTATE_ENABLED, BTNS_WHOLEDROPDOWN, {}, 0, reinterpret_cast<INT_PTR>(L"More")};
    ::SendMessageW(hToolBar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&dropDown));
    const CRect rcDropDown = toolBar.ItemRect(5);
    const COLORREF clrText = TestSkinSysColor(COLOR_BTNTEXT);
    PrintInto(dc, hToolBar);
    EXPECT_EQ(dc.At(rcDropDown.right - 6, rcDropDown.CenterPoint().y), clrText);
    EXPECT_NE(dc.At(rcDropDown.right - 6, rcDropDown.CenterPoint().y + 2), clrText);
    toolBar.SetState(kDropDown, TBSTATE_PRESSED);
    PrintInto(dc, hToolBar);
    EXPECT_EQ(dc.At(rcDropDown.right - 5, rcDropDown.CenterPoint().y + 2), clrText);
    ::SendMessageW(hToolBar, TB_DELETEBUTTON, 5, 0);

    // A text of 400 characters is read whole (the control's message takes no buffer size) and drawn.
    std::wstring longText;
    for (int i = 0; i < 400; ++i)
        longText += static_cast<wchar_t>(L'a' + i % 26);
    TBBUTTON longButton = {
        I_IMAGENONE, kLong, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, reinterpret_cast<INT_PTR>(longText.c_str())};
    ::SendMessageW(hToolBar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&longButton));
    EXPECT_EQ(pObject->GetButtonText(kLong), CString(longText.c_str()));
    toolBar.Reset();
    PrintInto(dc, hToolBar);
    EXPECT_EQ(CellAt(dc, toolBar.ItemRect(0).left + 1, toolBar.ItemRect(0).top + 1),
              CellName(kToolBar, TP_BUTTON, TS_NORMAL));
}
