// A bar as the target of a control dragged in customisation: where the control lands, the marker shown
// there, and what a drop changes.

#include "BarFixtures.h"
#include "DibPixels.h"

namespace {

class CRibbonLikeBar : public CTestBar {
public:
    BOOL IsRibbonBar() const override { return TRUE; }
};

class DropTarget : public BarFixture {
protected:
    void SetUp() override {
        BarFixture::SetUp();
        m_pCommandBars->SetCustomizeMode(TRUE);
    }
    // Buttons with ids 1, 2, ... at the rectangles; the wrap flags and the group starts as given.
    void Fill(CTkCommandBar* pBar, std::initializer_list<CRect> rects, std::initializer_list<int> wraps = {},
              std::initializer_list<int> groups = {}) {
        int nId = 1;
        for (const CRect& rc : rects) {
            CTkControl* pControl = pBar->GetControls()->Add(kControlButton, nId++);
            pControl->SetRect(rc);
        }
        for (int nIndex : wraps)
            pBar->GetControl(nIndex)->SetWrap(TRUE);
        for (int nIndex : groups)
            pBar->GetControl(nIndex)->SetBeginGroup(TRUE);
    }
    // The ids of the bar's controls in order, a '|' before each group start.
    static std::string Layout(CTkCommandBar* pBar) {
        std::string str;
        for (int i = 0; i < pBar->GetControlCount(); ++i) {
            if (pBar->GetControl(i)->GetBeginGroup())
                str += '|';
            str += std::to_string(pBar->GetControl(i)->GetId());
        }
        return str;
    }
    void Show() {
        m_pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                             SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
};

// The three buttons of a toolbar row: 10..40, 40..70 (starts a group), 70..100, from y 4 to 26.
const std::initializer_list<CRect> kRow = {CRect(10, 4, 40, 26), CRect(40, 4, 70, 26), CRect(70, 4, 100, 26)};

TEST_F(DropTarget, TheDropPositionFollowsTheNearestCentreAndItsMarkerTheGroupsRowsAndColumns) {
    struct Row {
        const char* pszCase;
        int nType;
        int nPosition;
        BOOL bMultiColumn;
        std::vector<CRect> rects;
        std::vector<int> wraps;
        CPoint pt;
        int nIndex;
        BOOL bAfter;
        CRect rcMarker;
    };
    const std::vector<CRect> row(kRow);
    // A row wrapped: 10..40 and 40..70 on top, 10..40 below from y 30.
    const std::vector<CRect> rows = {CRect(10, 4, 40, 26), CRect(40, 4, 70, 26), CRect(10, 30, 40, 52)};
    // A left-docked toolbar in two columns: 10..40 and 40..70 down the first, 10..40 down the second.
    const std::vector<CRect> columns = {CRect(0, 10, 30, 40), CRect(0, 40, 30, 70), CRect(30, 10, 60, 40)};
    const std::vector<CRect> menu = {CRect(0, 10, 100, 30), CRect(0, 30, 100, 50), CRect(100, 10, 200, 30)};
    const Row table[] = {
        {"before the first", kBarTypeNormal, kBarTop, FALSE, row, {}, {12, 10}, 0, FALSE, {10, 4, 16, 26}},
        {"after, the next starts a group", kBarTypeNormal, kBarTop, FALSE, row, {}, {30, 10}, 0, TRUE, {34, 4, 40, 26}},
        {"after, inside a group", kBarTypeNormal, kBarTop, FALSE, row, {}, {60, 10}, 1, TRUE, {70, 4, 76, 26}},
        {"after the last", kBarTypeNormal, kBarTop, FALSE, row, {}, {250, 10}, 2, TRUE, {94, 4, 100, 26}},
        {"the lower row", kBarTypeNormal, kBarTop, FALSE, rows, {2}, {65, 40}, 2, TRUE, {34, 30, 40, 52}},
        {"the row ends before a wrap", kBarTypeNormal, kBarTop, FALSE, rows, {2}, {65, 10}, 1, TRUE, {64, 4, 70, 26}},
        {"a vertical bar, before", kBarTypeNormal, kBarLeft, FALSE, columns, {2}, {15, 12}, 0, FALSE, {0, 10, 30, 16}},
        {"the first column", kBarTypeNormal, kBarLeft, FALSE, columns, {2}, {15, 65}, 1, TRUE, {0, 70, 30, 76}},
        {"the second column", kBarTypeNormal, kBarLeft, FALSE, columns, {2}, {45, 20}, 2, FALSE, {30, 10, 60, 16}},
        {"a popup's own column", kBarTypePopup, kBarPopup, TRUE, menu, {2}, {150, 28}, 2, TRUE, {100, 24, 200, 30}},
        {"a popup's first column", kBarTypePopup, kBarPopup, TRUE, menu, {2}, {50, 45}, 1, TRUE, {0, 50, 100, 56}},
    };
    for (const Row& r : table) {
        Controls()->RemoveAll();
        SetBarKind(m_pBar, r.nType, r.nPosition);
        m_pBar->SetMultiColumn(r.bMultiColumn);
        for (size_t i = 0; i < r.rects.size(); ++i)
            Add(kControlButton, static_cast<int>(i) + 1)->SetRect(r.rects[i]);
        for (int nIndex : r.wraps)
            m_pBar->GetControl(nIndex)->SetWrap(TRUE);
        if (r.nType == kBarTypeNormal && r.rects == row)
            m_pBar->GetControl(1)->SetBeginGroup(TRUE);
        const auto pos = m_pBar->FindDropPosition(nullptr, r.pt);
        EXPECT_EQ(pos.nIndex, r.nIndex) << r.pszCase;
        EXPECT_EQ(pos.bAfter, r.bAfter) << r.pszCase;
        EXPECT_EQ(pos.rcMarker, r.rcMarker) << r.pszCase;
        EXPECT_EQ(pos.bVertical, r.nPosition != kBarTop) << r.pszCase;
    }
    m_pBar->SetMultiColumn(FALSE);
    SetBarKind(m_pBar, kBarTypeNormal, kBarTop);

    // Over the dragged control itself: no marker.
    Controls()->RemoveAll();
    Fill(m_pBar, kRow);
    const auto self = m_pBar->FindDropPosition(m_pBar->GetControl(1), CPoint(50, 10));
    EXPECT_EQ(self.nIndex, 1);
    EXPECT_TRUE(self.rcMarker.IsRectEmpty());
    // Hidden controls and controls that may not move take no part.
    m_pBar->GetControl(0)->SetHideFlags(kHideGeneric);
    m_pBar->GetControl(1)->SetFlags(kControlFlagNoMove);
    EXPECT_EQ(m_pBar->FindDropPosition(nullptr, CPoint(12, 10)).nIndex, 2);

    // An empty bar: a marker at the client's left edge and an insertion at the start; a ribbon has none.
    Controls()->RemoveAll();
    const auto empty = m_pBar->FindDropPosition(nullptr, CPoint(150, 10));
    EXPECT_EQ(empty.nIndex, -1);
    EXPECT_TRUE(empty.bAfter);
    EXPECT_EQ(empty.rcMarker, CRect(2, 2, 8, 38));
    auto* pRibbon = new CRibbonLikeBar;
    pRibbon->SetCommandBars(m_pCommandBars);
    ASSERT_TRUE(CreateBarWindow(pRibbon, m_pSite));
    EXPECT_TRUE(pRibbon->FindDropPosition(nullptr, CPoint(150, 10)).rcMarker.IsRectEmpty());
    pRibbon->InternalRelease();
}

TEST_F(DropTarget, AHiddenOrNotCustomizableBarTakesNoDropAndAControlMayRefuseABar) {
    Fill(m_pBar, kRow, {}, {1});
    CTkControl* pDragged = m_pBar->GetControl(2);
    // The window is hidden.
    EXPECT_EQ(m_pBar->OnDragEnter(pDragged, CPoint(12, 10)), 0);
    EXPECT_TRUE(m_pBar->GetInsertionMarker().IsRectEmpty());
    Show();
    m_pBar->SetCustomizable(FALSE);
    EXPECT_EQ(m_pBar->OnDragEnter(pDragged, CPoint(12, 10)), 0);
    EXPECT_TRUE(m_pBar->GetInsertionMarker().IsRectEmpty());
    m_pBar->SetCustomizable(TRUE);
    EXPECT_EQ(m_pBar->OnDragEnter(pDragged, CPoint(12, 10)), -1);
    EXPECT_EQ(m_pBar->GetInsertionMarker(), CRect(10, 4, 16, 26));
    m_pBar->OnDragLeave();
    EXPECT_TRUE(m_pBar->GetInsertionMarker().IsRectEmpty());

    // A popup control does not go into its own menu; the marker stays where it was.
    CTkControlPopup* pPopup = AddPopup(kControlPopup, 9);
    CTkPopupBar* pMenu = MakePopupBar();
    pPopup->SetCommandBar(pMenu);
    EXPECT_EQ(m_pBar->OnDragOver(pPopup, CPoint(95, 10)), -1) << "another bar takes it";
    pMenu->ShowWindow(SW_SHOWNA);
    EXPECT_EQ(pMenu->OnDragEnter(pDragged, CPoint(5, 5)), -1);
    const CRect rcShown = pMenu->GetInsertionMarker();
    EXPECT_FALSE(rcShown.IsRectEmpty());
    EXPECT_EQ(pMenu->OnDragOver(pPopup, CPoint(5, 5)), 0);
    EXPECT_EQ(pMenu->GetInsertionMarker(), rcShown);
    pMenu->InternalRelease();
}

TEST_F(DropTarget, ADropInsertsACopyThatTakesOverTheGroupStartAndADropOnItselfOnlyMovesItsGroupStart) {
    Fill(m_pBar, kRow, {}, {1});
    CTkControl* pLast = m_pBar->GetControl(2);
    // Before the control that starts the group.
    int nEffect = kDragMoved;
    m_pBar->OnDrop(pLast, nEffect, CPoint(42, 10), CPoint(90, 10));
    EXPECT_EQ(nEffect, kDragMoved);
    EXPECT_EQ(Layout(m_pBar), "1|323");
    EXPECT_EQ(m_pCommandBars->GetCustomizeSelection(), m_pBar->GetControl(1));
    EXPECT_NE(m_pBar->GetControl(1), pLast);
    EXPECT_TRUE(m_pBar->GetInsertionMarker().IsRectEmpty());

    // On itself: within 4 pixels nothing changes; further, after its middle, it starts a group, and
    // before its middle it stops starting one.
    struct Row {
        CPoint pt;
        CPoint ptStart;
        const char* pszLayout;
    };
    Controls()->RemoveAll();
    Fill(m_pBar, kRow);
    const Row table[] = {
        {{90, 10}, {86, 14}, "123"},
        {{90, 10}, {84, 10}, "12|3"},
        {{80, 10}, {90, 10}, "123"},
    };
    for (const Row& r : table) {
        nEffect = kDragMoved;
        m_pBar->OnDrop(m_pBar->GetControl(2), nEffect, r.pt, r.ptStart);
        EXPECT_EQ(nEffect, kDragCancelled);
        EXPECT_EQ(Layout(m_pBar), r.pszLayout) << r.pt.x;
    }
    // The first control never starts a group.
    m_pBar->OnDrop(m_pBar->GetControl(0), nEffect, CPoint(35, 10), CPoint(15, 10));
    EXPECT_EQ(Layout(m_pBar), "123");

    // Onto an empty bar: at the start.
    auto* pOther = new CTestBar;
    pOther->SetCommandBars(m_pCommandBars);
    ASSERT_TRUE(CreateBarWindow(pOther, m_pSite));
    nEffect = kDragMoved;
    pOther->OnDrop(m_pBar->GetControl(1), nEffect, CPoint(150, 10), CPoint(0, 0));
    EXPECT_EQ(Layout(pOther), "2");
    m_pCommandBars->SetCustomizeSelection(nullptr);
    pOther->InternalRelease();
}

TEST_F(DropTarget, TheInsertionMarkIsAnIBeamDrawnOverTheBar) {
    SetBarKind(m_pBar, kBarTypeNormal, kBarTop);
    Fill(m_pBar, kRow, {}, {1});
    Show();
    m_pBar->OnDragEnter(m_pBar->GetControl(2), CPoint(30, 10));
    const CRect rc = m_pBar->GetInsertionMarker();
    ASSERT_EQ(rc, CRect(34, 4, 40, 26));
    CScopedMemDC dc(300, 40);
    ASSERT_TRUE(dc.IsValid());
    m_pBar->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), PRF_CLIENT);
    WritePng(dc, L"Z:\\tmp\\commandbar_insertion_mark.png");
    CScopedMemDC plain(300, 40);
    m_pBar->OnDragLeave();
    m_pBar->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(plain.GetSafeHdc()), PRF_CLIENT);
    // The stem and the serifs change the picture; beside the stem under the serifs it stays.
    EXPECT_NE(PixelAt(dc, rc.left, rc.top), PixelAt(plain, rc.left, rc.top));
    EXPECT_NE(PixelAt(dc, rc.left + 2, rc.top + 10), PixelAt(plain, rc.left + 2, rc.top + 10));
    EXPECT_NE(PixelAt(dc, rc.left + 3, rc.top + 10), PixelAt(plain, rc.left + 3, rc.top + 10));
    EXPECT_EQ(PixelAt(dc, rc.left, rc.top + 10), PixelAt(plain, rc.left, rc.top + 10));
    EXPECT_EQ(PixelAt(dc, rc.left + 5, rc.top + 10), PixelAt(plain, rc.left + 5, rc.top + 10));
    EXPECT_NE(PixelAt(dc, rc.right - 1, rc.bottom - 1), PixelAt(plain, rc.right - 1, rc.bottom - 1));
}

TEST_F(DropTarget, WhileTheCustomizeDialogIsOpenTheFrameStaysAndDragsCaptureOnTheDialog) {
    LRESULT lResult = 0;
    EXPECT_FALSE(m_pCommandBars->OnFrameMessage(WM_CLOSE, 0, 0, &lResult));
    auto* pDialog = new CRecordingSite;
    ASSERT_TRUE(pDialog->CreateHidden());
    CTkControlDragTracker* pTracker = m_pCommandBars->GetDragTracker();
    pTracker->SetCustomizeDialog(pDialog, nullptr);
    EXPECT_TRUE(m_pCommandBars->OnFrameMessage(WM_CLOSE, 0, 0, &lResult));

    Fill(m_pBar, kRow);
    HWND hwndCapture = nullptr;
    std::function<void()> look = [&] {
        hwndCapture = ::GetCapture();
        ::PostMessageW(pDialog->GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    };
    RunLater(m_pSite, 10, look);
    EXPECT_EQ(pTracker->DragControl(m_pBar->GetControl(0), FALSE), kDragCancelled);
    EXPECT_EQ(hwndCapture, pDialog->GetSafeHwnd());
    // Without a control menu the dialog shows none.
    pTracker->CustomizeDialogShowControlMenu(10, 10);

    pTracker->SetCustomizeDialog(nullptr, nullptr);
    EXPECT_FALSE(m_pCommandBars->OnFrameMessage(WM_CLOSE, 0, 0, &lResult));
    pDialog->DestroyWindow();
}

}  // namespace
