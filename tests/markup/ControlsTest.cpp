#include "MarkupTestSupport.h"
#include "TkColorFunctions.h"
#include "TkMarkup.h"
#include "TkMarkupControls.h"
#include "TkMarkupDependencyProperty.h"
#include "TkMarkupTextBlock.h"
#include "TkMarkupValues.h"

#include <vsstyle.h>

namespace {

using Toggle = CTkMarkupToggleButton;

class Controls : public MarkupContextTest {
protected:
    void SetUp() override {
        MarkupContextTest::SetUp();
        m_pContext = CreateMarkupContext(nullptr);
    }
    void TearDown() override {
        m_root.Reset();
        ReleaseMarkupContext(m_pContext);
        MarkupContextTest::TearDown();
    }
    void Lay(LPCWSTR lpszMarkup, int cx, int cy) {
        m_root = CTkMarkupPtr<CTkMarkupUIElement>::Adopt(ParseMarkupText(m_pContext, lpszMarkup));
        ASSERT_TRUE(m_root) << m_pContext->GetLastParseError();
        MeasureMarkupElement(m_root.Get(), cx, cy);
        m_root->Arrange(CRect(0, 0, cx, cy));
    }
    template <class T = CTkMarkupUIElement>
    T* Named(LPCWSTR lpszName) const {
        return static_cast<T*>(FindNamed(m_root.Get(), lpszName));
    }
    CRect Placed(LPCWSTR lpszName) const {
        const auto* p = Named(lpszName);
        return p != nullptr ? CRect(p->GetVisualOffset(), p->GetRenderSize()) : CRect(-1, -1, -1, -1);
    }

    CTkMarkupContext* m_pContext = nullptr;
    CTkMarkupPtr<CTkMarkupUIElement> m_root;
};

TEST_F(Controls, PartsAndStates) {
    EXPECT_EQ(PBS_NORMAL, MarkupButtonState(FALSE, FALSE));
    EXPECT_EQ(PBS_HOT, MarkupButtonState(FALSE, TRUE));
    EXPECT_EQ(PBS_PRESSED, MarkupButtonState(TRUE, TRUE));
    EXPECT_EQ(PBS_PRESSED, MarkupButtonState(TRUE, FALSE));
    struct Row {
        int nBase, nChecked;
        int nCheckState, nRadioState;
        UINT nCheckFlags, nRadioFlags;  // not pressed
    };
    const Row rows[] = {
        {1, 0, CBS_UNCHECKEDNORMAL, RBS_UNCHECKEDNORMAL, DFCS_BUTTONCHECK, DFCS_BUTTONRADIO},
        {2, 1, CBS_CHECKEDHOT, RBS_CHECKEDHOT, DFCS_BUTTONCHECK | DFCS_CHECKED, DFCS_BUTTONRADIO | DFCS_CHECKED},
        {3, 2, CBS_MIXEDPRESSED, RBS_CHECKEDPRESSED, DFCS_BUTTON3STATE | DFCS_CHECKED, DFCS_BUTTONRADIO | DFCS_CHECKED},
        {1, 5, CBS_UNCHECKEDNORMAL, RBS_CHECKEDNORMAL, DFCS_BUTTONCHECK, DFCS_BUTTONRADIO | DFCS_CHECKED},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.nChecked);
        EXPECT_EQ(row.nCheckState, MarkupCheckBoxState(row.nBase, row.nChecked));
        EXPECT_EQ(row.nRadioState, MarkupRadioButtonState(row.nBase, row.nChecked));
        EXPECT_EQ(row.nCheckFlags, MarkupCheckBoxFrameFlags(row.nChecked, FALSE));
        EXPECT_EQ(row.nRadioFlags, MarkupRadioButtonFrameFlags(row.nChecked, FALSE));
        EXPECT_EQ(row.nCheckFlags | DFCS_PUSHED, MarkupCheckBoxFrameFlags(row.nChecked, TRUE));
        EXPECT_EQ(row.nRadioFlags | DFCS_PUSHED, MarkupRadioButtonFrameFlags(row.nChecked, TRUE));
    }
}

TEST_F(Controls, EdgeColoursOfABackground) {
    for (COLORREF clr : {RGB(200, 40, 40), RGB(128, 128, 128), RGB(10, 200, 90)}) {
        COLORREF clrLight = 0, clrShadow = 0, clrDark = 0;
        MarkupButtonEdgeColors(clr, clrLight, clrShadow, clrDark);
        const DWORD nLuminance = (RgbToHls(clr) >> 16) & 0xFF;
        EXPECT_NEAR(static_cast<int>((nLuminance + 240) / 2), static_cast<int>((RgbToHls(clrLight) >> 16) & 0xFF), 1);
        EXPECT_NEAR(static_cast<int>((nLuminance * 2 + 1) / 3), static_cast<int>((RgbToHls(clrShadow) >> 16) & 0xFF),
                    1);
        EXPECT_EQ(RGB(GetRValue(clrShadow) / 2, GetGValue(clrShadow) / 2, GetBValue(clrShadow) / 2), clrDark);
    }
}

TEST_F(Controls, MeasureAndArrangeAroundTheContent) {
    // A button: the content inside the padding and 4 pixels of chrome on each side.
    Lay(L"<Button x:Name='b' Padding='1,2,3,4' HorizontalAlignment='Left' VerticalAlignment='Top'>"
        L"<Rectangle x:Name='r' Width='30' Height='10'/></Button>",
        200, 100);
    EXPECT_EQ(CSize(30 + 4 + 8, 10 + 6 + 8), m_root->GetDesiredSize());
    EXPECT_EQ(CRect(5, 6, 35, 16), Placed(L"r"));
    Lay(L"<Button/>", 200, 100);
    EXPECT_EQ(CSize(8, 8), m_root->GetDesiredSize());

    // Check box and radio button: a 16-pixel glyph column; without content the check box is as high as its
    // padding and the radio button at least 13.
    Lay(L"<CheckBox Padding='2'><Rectangle x:Name='r' Width='30' Height='5' HorizontalAlignment='Left'/></CheckBox>",
        200, 100);
    EXPECT_EQ(CSize(30 + 4 + 16, 13), m_root->GetDesiredSize());
    EXPECT_EQ(18, Placed(L"r").left);
    Lay(L"<CheckBox/>", 200, 100);
    EXPECT_EQ(CSize(16, 0), m_root->GetDesiredSize());
    Lay(L"<RadioButton/>", 200, 100);
    EXPECT_EQ(CSize(16, 13), m_root->GetDesiredSize());
    Lay(L"<RadioButton Padding='0,20,0,0'/>", 200, 100);
    EXPECT_EQ(CSize(16, 20), m_root->GetDesiredSize());

    // Text content becomes a text block; the control with a tag lays out its one child.
    Lay(L"<Button x:Name='b'>OK</Button>", 200, 100);
    const auto* pButton = static_cast<CTkMarkupContentControl*>(m_root.Get());
    ASSERT_NE(nullptr, pButton->GetContent());
    EXPECT_TRUE(pButton->GetContent()->IsKindOf(CTkMarkupTextBlock::GetClassType()));
}

TEST_F(Controls, IsCheckedFromTextAndTheToggleCycles) {
    Lay(L"<StackPanel><CheckBox x:Name='t' IsChecked='tRUe'/><CheckBox x:Name='i' IsChecked=''/>"
        L"<CheckBox x:Name='two'/><CheckBox x:Name='three' IsThreeState='True'/></StackPanel>",
        100, 100);
    EXPECT_EQ(kMarkupChecked, Named<Toggle>(L"t")->GetChecked());
    EXPECT_EQ(kMarkupIndeterminate, Named<Toggle>(L"i")->GetChecked());
    EXPECT_EQ(nullptr, ParseMarkupText(m_pContext, L"<CheckBox IsChecked='yes'/>"));

    std::vector<CString> log;
    auto cycle = [](Toggle* pToggle) {
        std::vector<int> states;
        for (int i = 0; i < 3; i++) {
            pToggle->OnClick();
            states.push_back(pToggle->GetChecked());
        }
        return states;
    };
    Toggle* pTwo = Named<Toggle>(L"two");
    Toggle* pThree = Named<Toggle>(L"three");
    for (Toggle* p : {pTwo, pThree}) {
        for (CTkMarkupRoutedEvent* pEvent : {Toggle::s_pCheckedEvent, Toggle::s_pUncheckedEvent,
                                             Toggle::s_pIndeterminateEvent, CTkMarkupButtonBase::s_pClickEvent})
            p->AddHandler(pEvent, new CRecordingDelegate(&log, pEvent->GetName()));
    }
    EXPECT_EQ((std::vector<int>{1, 0, 1}), cycle(pTwo));
    EXPECT_EQ((std::vector<CString>{L"Checked:two", L"Click:two", L"Unchecked:two", L"Click:two", L"Checked:two",
                                    L"Click:two"}),
              log);
    log.clear();
    EXPECT_EQ((std::vector<int>{1, 2, 0}), cycle(pThree));
    EXPECT_EQ((std::vector<CString>{L"Checked:three", L"Click:three", L"Indeterminate:three", L"Click:three",
                                    L"Unchecked:three", L"Click:three"}),
              log);
}

TEST_F(Controls, RadioButtonsOfOneParentFormAGroup) {
    Lay(L"<StackPanel><StackPanel><RadioButton x:Name='a' IsChecked='True'/><RadioButton x:Name='b'/>"
        L"<CheckBox x:Name='box' IsChecked='True'/></StackPanel>"
        L"<StackPanel><RadioButton x:Name='c' IsChecked='True'/></StackPanel></StackPanel>",
        100, 100);
    std::vector<CString> log;
    for (LPCWSTR lpszName : {L"a", L"b", L"c"}) {
        Named(lpszName)->AddHandler(Toggle::s_pCheckedEvent, new CRecordingDelegate(&log, L"Checked"));
        Named(lpszName)->AddHandler(Toggle::s_pUncheckedEvent, new CRecordingDelegate(&log, L"Unchecked"));
    }
    Named<Toggle>(L"b")->OnClick();
    EXPECT_EQ(kMarkupUnchecked, Named<Toggle>(L"a")->GetChecked());
    EXPECT_EQ(kMarkupChecked, Named<Toggle>(L"b")->GetChecked());
    EXPECT_EQ(kMarkupChecked, Named<Toggle>(L"c")->GetChecked()) << "another parent, another group";
    EXPECT_EQ(kMarkupChecked, Named<Toggle>(L"box")->GetChecked()) << "check boxes are no radio buttons";
    EXPECT_EQ((std::vector<CString>{L"Unchecked:a", L"Checked:b"}), log);
    // Clicking a checked radio button keeps it checked: Checked again, no Unchecked.
    log.clear();
    Named<Toggle>(L"b")->OnClick();
    EXPECT_EQ(kMarkupChecked, Named<Toggle>(L"b")->GetChecked());
    EXPECT_EQ((std::vector<CString>{L"Checked:b"}), log);
}

// Presses through a hidden host: the button clicks only from pressed-inside.
TEST_F(Controls, ClicksComeOnlyFromAPressInside) {
    CMarkupHostWindow host(
        L"<StackPanel Background='White'><Button x:Name='b' Width='60' Height='24' "
        L"HorizontalAlignment='Left'>OK</Button></StackPanel>",
        CRect(0, 0, 100, 100));
    auto* pButton = host.Find<CTkMarkupButtonBase>(L"b");
    ASSERT_NE(nullptr, pButton);
    std::vector<CString> clicks;
    pButton->AddHandler(CTkMarkupButtonBase::s_pClickEvent, new CRecordingDelegate(&clicks, L"Click"));

    // Press, out, back in, release: one click.
    host.PressAt(10, 10);
    EXPECT_TRUE(pButton->IsPressedValue());
    EXPECT_EQ(host.GetHwnd(), ::GetCapture());
    host.MoveTo(80, 50);
    EXPECT_FALSE(pButton->IsPressedValue()) << "pressed outside: not shown pressed";
    EXPECT_EQ(host.GetHwnd(), ::GetCapture()) << "the capture is kept";
    host.MoveTo(20, 10);
    EXPECT_TRUE(pButton->IsPressedValue());
    host.ReleaseAt(20, 10);
    EXPECT_EQ(1u, clicks.size());
    EXPECT_FALSE(pButton->IsPressedValue());
    EXPECT_EQ(nullptr, ::GetCapture());

    // Press, out, release: no click, and the mouse is no longer over it.
    host.PressAt(10, 10);
    host.MoveTo(80, 50);
    host.ReleaseAt(80, 50);
    EXPECT_EQ(1u, clicks.size());
    EXPECT_FALSE(pButton->IsMouseOverValue());

    // A capture taken away leaves the pressed state without a click.
    host.PressAt(10, 10);
    ::SendMessageW(host.GetHwnd(), WM_CAPTURECHANGED, 0, 0);
    EXPECT_FALSE(pButton->IsPressedValue());
    host.ReleaseAt(10, 10);
    EXPECT_EQ(1u, clicks.size());
    ::ReleaseCapture();
}

// Unthemed drawing (the test prefix has Wine's style off), checked by pixels.
TEST_F(Controls, ClassicButtonAndGlyphs) {
    const DWORD face = ::GetSysColor(COLOR_BTNFACE);
    auto dib = [](COLORREF clr) {
        return static_cast<DWORD>((GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr));
    };
    CScopedMemDC mem(60, 30);
    auto pixel = [&mem](int x, int y) { return mem.GetBits()[y * 60 + x] & 0xFFFFFF; };
    auto render = [&](LPCWSTR lpszMarkup) {
        std::fill(mem.GetBits(), mem.GetBits() + 60 * 30, 0x123456u);
        Lay(lpszMarkup, 60, 30);
        RenderMarkupElement(m_root.Get(), mem.GetSafeHdc(), CRect(0, 0, 60, 30));
        ::GdiFlush();
    };
    render(L"<Button/>");
    EXPECT_EQ(dib(face), pixel(30, 15));
    EXPECT_EQ(dib(::GetSysColor(COLOR_WINDOW)), pixel(10, 0)) << "light along the top";
    EXPECT_EQ(dib(::GetSysColor(COLOR_WINDOW)), pixel(0, 10)) << "and the left";
    EXPECT_EQ(dib(::GetSysColor(COLOR_BTNSHADOW)), pixel(10, 28));
    EXPECT_EQ(dib(::GetSysColor(COLOR_BTNSHADOW)), pixel(58, 10));
    EXPECT_EQ(dib(::GetSysColor(COLOR_3DDKSHADOW)), pixel(10, 29));
    EXPECT_EQ(dib(::GetSysColor(COLOR_3DDKSHADOW)), pixel(59, 10));

    // Pressed: a frame in the window-frame colour and one in the shadow colour inside it.
    render(L"<Button IsPressed='True' Background='#808080'/>");
    EXPECT_EQ(dib(::GetSysColor(COLOR_WINDOWFRAME)), pixel(0, 0));
    EXPECT_EQ(dib(::GetSysColor(COLOR_WINDOWFRAME)), pixel(59, 29));
    COLORREF clrLight = 0, clrShadow = 0, clrDark = 0;
    MarkupButtonEdgeColors(RGB(128, 128, 128), clrLight, clrShadow, clrDark);
    EXPECT_EQ(dib(clrShadow), pixel(1, 1));
    EXPECT_EQ(dib(clrShadow), pixel(58, 28));
    EXPECT_EQ(0x808080u, pixel(30, 15));

    // The check box's glyph is the platform's frame control, 13 x 13 centred on the height.
    auto glyphMatches = [&](UINT nFlags) {
        CScopedMemDC reference(60, 30);
        std::fill(reference.GetBits(), reference.GetBits() + 60 * 30, 0x123456u);
        CRect rc(0, 15 - 6, 13, 15 + 7);
        ::DrawFrameControl(reference.GetSafeHdc(), &rc, DFC_BUTTON, nFlags);
        ::GdiFlush();
        for (int y = 0; y < 30; y++) {
            for (int x = 0; x < 16; x++) {
                if ((reference.GetBits()[y * 60 + x] & 0xFFFFFF) != pixel(x, y))
                    return false;
            }
        }
        return true;
    };
    render(L"<CheckBox IsChecked='True'/>");
    EXPECT_TRUE(glyphMatches(DFCS_BUTTONCHECK | DFCS_CHECKED));
    render(L"<CheckBox IsChecked=''/>");
    EXPECT_TRUE(glyphMatches(DFCS_BUTTON3STATE | DFCS_CHECKED));
    render(L"<RadioButton IsChecked='True'/>");
    EXPECT_TRUE(glyphMatches(DFCS_BUTTONRADIO | DFCS_CHECKED));
    render(L"<RadioButton IsPressed='True'/>");
    EXPECT_TRUE(glyphMatches(DFCS_BUTTONRADIO | DFCS_PUSHED));
}

TEST_F(Controls, PressedUnthemedContentShiftsOnePixel) {
    Lay(L"<Button><Rectangle x:Name='r' Width='10' Height='10' HorizontalAlignment='Left' "
        L"VerticalAlignment='Top'/></Button>",
        60, 30);
    EXPECT_EQ(CPoint(4, 4), Named(L"r")->GetVisualOffset());
    m_root->SetValue(CTkMarkupButtonBase::s_pIsPressedProperty, CTkMarkupBool::CreateValue(TRUE));
    EXPECT_EQ(CPoint(5, 5), Named(L"r")->GetVisualOffset());
}

}  // namespace
