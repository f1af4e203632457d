// The closing suite: markup texts parsed, measured and rendered through the entry functions into 32-bpp DIB
// sections, one family of elements after the other and then nested together, checked by the measured sizes
// and by pixels worked out by hand from the layout rules. Shapes have fixed sizes; text is only measured,
// never looked at. Each picture is also written as a PNG for a person to look at.

#include "MarkupTestSupport.h"
#include "TkMarkup.h"

#include "FoundationTestSupport.h"

namespace {

struct Probe {
    int x, y;
    DWORD rgb;  // 0xRRGGBB
};

struct Scene {
    const char* name;
    LPCWSTR lpszFile;
    LPCWSTR lpszMarkup;
    CSize size;  // the surface, also the available size
    CSize desired;
    std::vector<Probe> probes;
};

constexpr DWORD kWhite = 0xFFFFFF;
constexpr DWORD kRed = 0xFF0000;
constexpr DWORD kGreen = 0x00FF00;
constexpr DWORD kBlue = 0x0000FF;
constexpr DWORD kBlack = 0x000000;
constexpr DWORD kYellow = 0xFFFF00;

DWORD Dib(COLORREF clr) {
    return (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
}

// The centre pixel of a 13 x 13 frame-control glyph, as the platform draws it.
DWORD GlyphCentre(UINT nFlags) {
    CScopedMemDC mem(13, 13);
    CRect rc(0, 0, 13, 13);
    ::DrawFrameControl(mem.GetSafeHdc(), &rc, DFC_BUTTON, nFlags);
    ::GdiFlush();
    return mem.GetBits()[6 * 13 + 6] & 0xFFFFFF;
}

using RenderingSuite = MarkupContextTest;

TEST_F(RenderingSuite, EveryFamilyAndNestedMixes) {
    const DWORD face = Dib(::GetSysColor(COLOR_BTNFACE));
    const DWORD window = Dib(::GetSysColor(COLOR_WINDOW));
    const DWORD darkShadow = Dib(::GetSysColor(COLOR_3DDKSHADOW));
    const int bw = ::GetSystemMetrics(SM_CXVSCROLL);
    const Scene scenes[] = {
        // A row of two (red centred on the green's height), a wrap panel 60 wide wrapping its third child, and a
        // canvas 30 high with a black square in its bottom-right corner; all on a white stack panel.
        {"panels",
         L"markup_panels.png",
         L"<StackPanel Background='White'>"
         L"<StackPanel Orientation='Horizontal'><Rectangle Width='20' Height='10' Fill='#FF0000'/>"
         L"<Rectangle Width='30' Height='20' Fill='#00FF00'/></StackPanel>"
         L"<WrapPanel Width='60' HorizontalAlignment='Left'><Rectangle Width='25' Height='10' Fill='#0000FF'/>"
         L"<Rectangle Width='25' Height='10' Fill='#FF0000'/><Rectangle Width='25' Height='10' Fill='#00FF00'/>"
         L"</WrapPanel><Canvas Height='30'><Rectangle Canvas.Right='0' Canvas.Bottom='0' Width='10' Height='10' "
         L"Fill='Black'/></Canvas></StackPanel>",
         {100, 80},
         {60, 70},
         {{5, 8, kRed},
          {5, 2, kWhite},
          {30, 10, kGreen},
          {55, 10, kWhite},
          {10, 25, kBlue},
          {30, 25, kRed},
          {10, 35, kGreen},
          {30, 35, kWhite},
          {65, 25, kWhite},
          {95, 65, kBlack},
          {89, 65, kWhite},
          {95, 75, kWhite}}},
        {"shapes",
         L"markup_shapes.png",
         L"<Canvas Background='White'>"
         L"<Rectangle Canvas.Left='2' Canvas.Top='2' Width='20' Height='12' Fill='#0000FF' Stroke='#FF0000' "
         L"StrokeThickness='2'/>"
         L"<Ellipse Canvas.Left='30' Canvas.Top='2' Width='30' Height='20' Fill='#00FF00'/>"
         L"<Line Canvas.Top='30' X1='2' Y1='5' X2='60' Y2='5' Stroke='Black' StrokeThickness='3'/>"
         L"<Polygon Canvas.Left='64' Canvas.Top='2' Points='0,0 30,0 0,30' Fill='#FF0000'/>"
         L"<Polyline Canvas.Left='2' Canvas.Top='44' Points='0,0 40,0 40,10' Stroke='#0000FF'/>"
         L"</Canvas>",
         {100, 60},
         {0, 0},
         {{2, 2, kRed},
          {12, 8, kBlue},
          {21, 13, kRed},
          {23, 8, kWhite},
          {45, 12, kGreen},
          {30, 2, kWhite},
          {30, 35, kBlack},
          {30, 38, kWhite},
          {66, 4, kRed},
          {92, 28, kWhite},
          {20, 44, kBlue},
          {42, 50, kBlue}}},
        // Two push buttons, two check boxes and a radio button on a white stack panel.
        {"buttons",
         L"markup_buttons.png",
         L"<StackPanel Background='White'>"
         L"<Button Width='60' Height='24' HorizontalAlignment='Left'><Rectangle Width='10' Height='10' "
         L"Fill='#FF0000'/></Button>"
         L"<Button Width='60' Height='24' HorizontalAlignment='Left' Background='#0000FF'/>"
         L"<CheckBox IsChecked='True' Height='16'/><CheckBox IsChecked='' Height='16'/><RadioButton IsChecked='True'/>"
         L"</StackPanel>",
         {100, 100},
         {60, 24 + 24 + 16 + 16 + 13},
         {{30, 12, kRed},
          {10, 12, face},
          {0, 12, window},
          {59, 12, darkShadow},
          {80, 12, kWhite},
          {30, 36, kBlue},
          {6, 56, GlyphCentre(DFCS_BUTTONCHECK | DFCS_CHECKED)},
          {6, 72, GlyphCentre(DFCS_BUTTON3STATE | DFCS_CHECKED)},
          {6, 86, GlyphCentre(DFCS_BUTTONRADIO | DFCS_CHECKED)}}},
        // Content larger than the viewport both ways: two bars and the gripper; the content clipped to the viewer.
        {"scroll viewer",
         L"markup_scroll_viewer.png",
         L"<ScrollViewer Width='80' Height='60' HorizontalAlignment='Left' VerticalAlignment='Top' "
         L"HorizontalScrollBarVisibility='Visible'><StackPanel>"
         L"<Rectangle Width='150' Height='50' Fill='#FF0000'/><Rectangle Width='150' Height='50' Fill='#0000FF'/>"
         L"</StackPanel></ScrollViewer>",
         {100, 100},
         {80, 60},
         {{10, 10, kRed}, {80 - bw - 1, 60 - bw - 1, kRed}, {90, 30, kWhite}, {10, 70, kWhite}, {79, 59, face}}},
        // Columns Auto (10), one star (30) and two stars (60) of 100; rows 20 and the rest (40).
        {"grid",
         L"markup_grid.png",
         L"<Grid Background='White'><Grid.ColumnDefinitions><ColumnDefinition Width='Auto'/><ColumnDefinition/>"
         L"<ColumnDefinition Width='2*'/></Grid.ColumnDefinitions><Grid.RowDefinitions><RowDefinition Height='20'/>"
         L"<RowDefinition/></Grid.RowDefinitions>"
         L"<Rectangle Width='10' Fill='#FF0000'/>"
         L"<Rectangle Grid.Column='1' Fill='#00FF00'/><Rectangle Grid.Column='2' Fill='#0000FF'/>"
         L"<Rectangle Grid.Row='1' Grid.ColumnSpan='2' Fill='Yellow'/><Rectangle Grid.Row='1' Grid.Column='2' "
         L"Fill='Black'/></Grid>",
         {100, 60},
         {10, 20},
         {{5, 10, kRed},
          {11, 10, kGreen},
          {39, 19, kGreen},
          {40, 10, kBlue},
          {99, 0, kBlue},
          {0, 20, kYellow},
          {39, 59, kYellow},
          {40, 20, kBlack},
          {99, 59, kBlack}}},
        // A border around a grid of a fixed column (a stack of a bar and a button with an ellipse) and a star
        // column (a scroll viewer 40 high).
        {"nested",
         L"markup_nested.png",
         L"<Border BorderThickness='2' BorderBrush='Black' Background='White' Padding='3'>"
         L"<Grid><Grid.ColumnDefinitions><ColumnDefinition Width='40'/><ColumnDefinition/></Grid.ColumnDefinitions>"
         L"<StackPanel><Rectangle Height='10' Fill='#FF0000'/><Button Height='20'><Ellipse Width='8' Height='8' "
         L"Fill='#0000FF'/></Button></StackPanel>"
         L"<ScrollViewer Grid.Column='1' Height='40' VerticalAlignment='Top'><Rectangle Height='100' Fill='#00FF00'/>"
         L"</ScrollViewer></Grid></Border>",
         {100, 60},
         {40 + bw + 10, 40 + 10},
         {{0, 0, kBlack},
          {1, 59, kBlack},
          {2, 2, kWhite},
          {6, 6, kRed},
          {44, 14, kRed},
          {45, 6, kGreen},
          {95 - bw - 1, 44, kGreen},
          {80, 50, kWhite},
          {25, 25, kBlue},
          {10, 20, face}}},
    };
    for (const Scene& scene : scenes) {
        SCOPED_TRACE(scene.name);
        CTkMarkupContext* pContext = CreateMarkupContext(nullptr);
        CTkMarkupUIElement* pRoot = ParseMarkupText(pContext, scene.lpszMarkup);
        ASSERT_NE(nullptr, pRoot) << pContext->GetLastParseError();
        ReleaseMarkupContext(pContext);  // the tree keeps it
        EXPECT_EQ(scene.desired, CSize(MeasureMarkupElement(pRoot, scene.size.cx, scene.size.cy)));
        CScopedMemDC mem(scene.size.cx, scene.size.cy);
        std::fill(mem.GetBits(), mem.GetBits() + scene.size.cx * scene.size.cy, 0xFFFFFFu);
        const CRect rc(CPoint(0, 0), scene.size);
        EXPECT_TRUE(RenderMarkupElement(pRoot, mem.GetSafeHdc(), &rc));
        ::GdiFlush();
        for (const Probe& probe : scene.probes) {
            EXPECT_EQ(probe.rgb, mem.GetBits()[probe.y * scene.size.cx + probe.x] & 0xFFFFFF)
                << std::hex << "at " << std::dec << probe.x << "," << probe.y;
        }
        WritePng(mem, scene.lpszFile);
        ReleaseMarkupElement(pRoot);
    }
}

}  // namespace
