// Trackbars under the state-coded skin: every frequency-th of the control's tics and both end tics, the
// thumb part of the style and its state, the channel (also of a vertical bar), the custom-draw stages the
// parent hears of, and a short bar's short thumb.

#include "SkinTestSupport.h"
#include "TestSkins.h"
#include "TkSkinObjectTrackBar.h"

#include <set>
#include <vector>
#include <vssym32.h>

namespace {

CTkSkinObjectTrackBar* TrackBarOf(HWND hWnd) {
    return dynamic_cast<CTkSkinObjectTrackBar*>(GetSkinManager()->FindSkinObject(hWnd));
}

// The x of every column of tic colour along the row just below the track.
std::set<int> TicColumns(HWND hWnd) {
    CRect rcClient;
    ::GetClientRect(hWnd, &rcClient);
    SkinCanvas dc(rcClient.Width(), rcClient.Height());
    PrintInto(dc, hWnd);
    const int y = TrackBarOf(hWnd)->GetTrackRect().bottom + 2;
    std::set<int> columns;
    for (int x = 0; x < rcClient.Width(); ++x)
        if (dc.At(x, y) == TestSkinCellColor(kTrackBar, TKP_TICS, 1))
            columns.insert(x);
    return columns;
}

CPoint ThumbCentre(HWND hWnd) {
    CRect rc;
    ::SendMessageW(hWnd, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&rc));
    return rc.CenterPoint();
}

}  // namespace

TEST(SkinTrackBar, TicsThumbChannelAndCustomDraw) {
    OpenStateCodedSkin();
    RecorderParent parent;

    // Twenty tics with frequency 5: the fifth, tenth, fifteenth and twentieth, and both ends.
    HWND hBar = parent.AddChild(TRACKBAR_CLASSW, L"", TBS_HORZ, {0, 0, 240, 40});
    CTkSkinObjectTrackBar* pBar = TrackBarOf(hBar);
    ASSERT_NE(pBar, nullptr);
    ::SendMessageW(hBar, TBM_SETRANGE, TRUE, MAKELPARAM(0, 40));
    for (int nTic = 1; nTic <= 20; ++nTic)
        ::SendMessageW(hBar, TBM_SETTIC, 0, nTic);
    ::SendMessageW(hBar, TBM_SETTICFREQ, 5, 0);
    pBar->CalcTrackBarLayout();
    std::set<int> expected = {pBar->GetTrackRect().left, pBar->GetTrackRect().right - 1};
    for (int nPosition : {5, 10, 15, 20})
        expected.insert(pBar->TicPixel(nPosition));
    EXPECT_EQ(TicColumns(hBar), expected);
    ::DestroyWindow(hBar);

    // Five tics of the program's own are all drawn: the count comes from the control, not from the size of
    // its array's memory.
    hBar = parent.AddChild(TRACKBAR_CLASSW, L"", TBS_HORZ, {0, 0, 240, 40});
    ::SendMessageW(hBar, TBM_SETRANGE, TRUE, MAKELPARAM(0, 40));
    for (int nTic : {3, 11, 17, 26, 33})
        ::SendMessageW(hBar, TBM_SETTIC, 0, nTic);
    EXPECT_EQ(TicColumns(hBar).size(), 7u);

    // The stages: the bar, then tics, channel and thumb each framed when the parent asks for items.
    parent.SetScript([](UINT message, WPARAM, LPARAM lParam, LRESULT* pResult) {
        if (message != WM_NOTIFY)
            return FALSE;
        *pResult = reinterpret_cast<NMCUSTOMDRAW*>(lParam)->dwDrawStage == CDDS_PREPAINT
                       ? CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT
                       : CDRF_SKIPDEFAULT;
        return TRUE;
    });
    parent.Log().clear();
    SkinCanvas dc(240, 40);
    PrintInto(dc, hBar);
    std::vector<std::pair<DWORD, DWORD_PTR>> stages;
    for (const ParentMessage& logged : parent.Log())
        if (logged.message == WM_NOTIFY)
            stages.emplace_back(logged.dwStage, logged.dwItemSpec);
    const std::vector<std::pair<DWORD, DWORD_PTR>> expectedStages = {
        {CDDS_PREPAINT, 0},
        {CDDS_ITEMPREPAINT, TBCD_TICS},
        {CDDS_ITEMPOSTPAINT, TBCD_TICS},
        {CDDS_ITEMPREPAINT, TBCD_CHANNEL},
        {CDDS_ITEMPOSTPAINT, TBCD_CHANNEL},
        {CDDS_ITEMPREPAINT, TBCD_THUMB},
        {CDDS_ITEMPOSTPAINT, TBCD_THUMB},
        {CDDS_POSTPAINT, 0},
    };
    EXPECT_EQ(stages, expectedStages);
    // The answers to the items do not change the drawing.
    EXPECT_EQ(CellAt(dc, ThumbCentre(hBar).x, ThumbCentre(hBar).y), CellName(kTrackBar, TKP_THUMBBOTTOM, TUS_NORMAL));
    parent.SetScript(nullptr);

    // The thumb and its states.
    ::SendMessageW(hBar, WM_MOUSEMOVE, 0, MAKELPARAM(ThumbCentre(hBar).x, ThumbCentre(hBar).y));
    pBar = TrackBarOf(hBar);
    EXPECT_TRUE(pBar->IsHot());
    PrintInto(dc, hBar);
    EXPECT_EQ(CellAt(dc, ThumbCentre(hBar).x, ThumbCentre(hBar).y), CellName(kTrackBar, TKP_THUMBBOTTOM, TUS_HOT));
    ::SendMessageW(hBar, WM_MOUSELEAVE, 0, 0);
    ::EnableWindow(hBar, FALSE);
    PrintInto(dc, hBar);
    EXPECT_EQ(CellAt(dc, ThumbCentre(hBar).x, ThumbCentre(hBar).y), CellName(kTrackBar, TKP_THUMBBOTTOM, TUS_DISABLED));
    ::DestroyWindow(hBar);

    // The thumb part of each style, and the channel of horizontal and vertical bars.
    const struct {
        DWORD dwStyle;
        int nThumb;
    } styles[] = {
        {TBS_HORZ, TKP_THUMBBOTTOM}, {TBS_HORZ | TBS_TOP, TKP_THUMBTOP},   {TBS_HORZ | TBS_BOTH, TKP_THUMB},
        {TBS_VERT, TKP_THUMBRIGHT},  {TBS_VERT | TBS_LEFT, TKP_THUMBLEFT}, {TBS_VERT | TBS_BOTH, TKP_THUMBVERT},
    };
    for (const auto& style : styles) {
        const bool bVertical = (style.dwStyle & TBS_VERT) != 0;
        const RECT rc = bVertical ? RECT{0, 0, 40, 200} : RECT{0, 0, 200, 40};
        hBar = parent.AddChild(TRACKBAR_CLASSW, L"", style.dwStyle, rc);
        ::SendMessageW(hBar, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
        SkinCanvas dcStyle(rc.right, rc.bottom);
        PrintInto(dcStyle, hBar);
        EXPECT_EQ(CellAt(dcStyle, ThumbCentre(hBar).x, ThumbCentre(hBar).y),
                  CellName(kTrackBar, style.nThumb, TUS_NORMAL))
            << style.dwStyle;
        CRect rcChannel;
        ::SendMessageW(hBar, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&rcChannel));
        // Far from the thumb, in the middle of the channel as the control lays it out here.
        const CPoint ptChannel =
            bVertical ? CPoint(rcChannel.CenterPoint().x, 150) : CPoint(150, rcChannel.CenterPoint().y);
        EXPECT_EQ(CellAt(dcStyle, ptChannel.x, ptChannel.y),
                  CellName(kTrackBar, bVertical ? TKP_TRACKVERT : TKP_TRACK, TRS_NORMAL))
            << style.dwStyle;
        ::DestroyWindow(hBar);
    }

    // A bar 10 pixels high gets a thumb shorter than the usual one.
    hBar = parent.AddChild(TRACKBAR_CLASSW, L"", TBS_HORZ, {0, 0, 200, 10});
    TrackBarOf(hBar)->CalcTrackBarLayout();
    const int nShort = TrackBarOf(hBar)->GetThumbLength();
    HWND hTall = parent.AddChild(TRACKBAR_CLASSW, L"", TBS_HORZ, {0, 0, 200, 40});
    TrackBarOf(hTall)->CalcTrackBarLayout();
    EXPECT_LT(nShort, TrackBarOf(hTall)->GetThumbLength());
    EXPECT_LE(nShort, 10);
}
