#include "MarkupTestSupport.h"
#include "TkMarkup.h"
#include "TkMarkupBuilder.h"
#include "TkMarkupDependencyProperty.h"
#include "TkMarkupFont.h"
#include "TkMarkupStyle.h"
#include "TkMarkupType.h"
#include "TkMarkupValues.h"

#include <windowsx.h>

namespace {

using Input = MarkupContextTest;
using Ie = CTkMarkupInputElement;

CTkMarkupRoutedEvent* BubblingEvent() {
    static CTkMarkupRoutedEvent* s_pEvent = CTkMarkupDependencyProperty::RegisterRoutedEvent(
        L"TestBubble", CTkMarkupPropertyMetadata::routingBubble, CTkMarkupInputElement::GetClassType());
    return s_pEvent;
}

TEST_F(Input, RoutedEvents) {
    std::vector<CString> log;
    CTkMarkupContext* pContext = CreateMarkupContext(nullptr);
    const auto parent = CTkMarkupPtr<CTestElement>::Adopt(MakeTestElement(pContext));
    CTestElement* pChild = parent->AddChild(MakeTestElement(pContext));
    SetName(parent.Get(), L"parent");
    SetName(pChild, L"child");
    pContext->AddContextHandler(BubblingEvent(), new CRecordingDelegate(&log, L"context"));

    // Direct: the element's handlers in order; "handled" does not stop the list.
    pChild->AddHandler(Ie::s_pMouseEnterEvent, new CRecordingDelegate(&log, L"a", TRUE));
    pChild->AddHandler(Ie::s_pMouseEnterEvent, new CRecordingDelegate(&log, L"b"));
    parent->AddHandler(Ie::s_pMouseEnterEvent, new CRecordingDelegate(&log, L"p"));
    CTkMarkupRoutedEventArgs args;
    args.pEvent = Ie::s_pMouseEnterEvent;
    Ie::RaiseEvent(pChild, &args);
    EXPECT_EQ((std::vector<CString>{L"a:child", L"b:child"}), log);

    // Bubbling: up to the parent, then the context.
    log.clear();
    parent->AddHandler(BubblingEvent(), new CRecordingDelegate(&log, L"p"));
    CTkMarkupRoutedEventArgs bubble;
    bubble.pEvent = BubblingEvent();
    Ie::RaiseEvent(pChild, &bubble);
    EXPECT_EQ((std::vector<CString>{L"p:parent", L"context:child"}), log);
    // Handled by the child: neither the parent nor the context sees it.
    log.clear();
    pChild->AddHandler(BubblingEvent(), new CRecordingDelegate(&log, L"c", TRUE));
    CTkMarkupRoutedEventArgs handled;
    handled.pEvent = BubblingEvent();
    Ie::RaiseEvent(pChild, &handled);
    EXPECT_EQ((std::vector<CString>{L"c:child"}), log);
    ReleaseMarkupContext(pContext);
}

TEST_F(Input, EventAttributesNameDelegates) {
    std::vector<CString> log;
    CTkMarkupContext* pContext = CreateMarkupContext(nullptr);
    CTkMarkupBuilder builder(pContext);
    const auto loose = CTkMarkupPtr<CTestElement>::Adopt(MakeTestElement(nullptr));
    EXPECT_EQ(L"Markup Context is NULL", MarkupErrorOf([&] {
                  loose->SetPropertyObject(&builder, Ie::s_pMouseEnterEvent, CTkMarkupString::CreateValue(L"x"));
              }));
    const auto element = CTkMarkupPtr<CTestElement>::Adopt(MakeTestElement(pContext));
    EXPECT_EQ(L"'OnEnter' delegate not found", MarkupErrorOf([&] {
                  element->SetPropertyObject(&builder, Ie::s_pMouseEnterEvent,
                                             CTkMarkupString::CreateValue(L"OnEnter"));
              }));
    pContext->RegisterDelegate(L"OnEnter", new CRecordingDelegate(&log, L"enter"));
    element->SetPropertyObject(&builder, Ie::s_pMouseEnterEvent, CTkMarkupString::CreateValue(L"OnEnter"));
    CTkMarkupRoutedEventArgs args;
    args.pEvent = Ie::s_pMouseEnterEvent;
    Ie::RaiseEvent(element.Get(), &args);
    EXPECT_EQ(1u, log.size());
    ReleaseMarkupContext(pContext);
}

TEST_F(Input, LocalValueLooksAtTriggersStyleAndDefaultStyle) {
    CTkMarkupType* pType = CTkMarkupFrameworkElement::GetClassType();
    auto* pDefault = new CTkMarkupStyle;
    pDefault->GetSetters()->Add(
        new CTkMarkupSetter(CTkMarkupUIElement::s_pFocusableProperty, CTkMarkupBool::CreateValue(TRUE)));
    pDefault->GetSetters()->Add(new CTkMarkupSetter(CTkMarkupFrameworkElement::s_pTagProperty, new CTkMarkupInt(4)));
    pType->SetDefaultStyle(pDefault);
    {
        const auto element = CTkMarkupPtr<CTkMarkupObject>::Adopt(pType->CreateObject());
        auto* pStyle = new CTkMarkupStyle;
        pStyle->GetSetters()->Add(new CTkMarkupSetter(CTkMarkupFrameworkElement::s_pTagProperty, new CTkMarkupInt(3)));
        element->SetValue(Ie::s_pStyleProperty, pStyle);
        EXPECT_EQ(3, MarkupIntOr(element->GetValue(CTkMarkupFrameworkElement::s_pTagProperty), 0));
        EXPECT_TRUE(MarkupBoolOr(element->GetValue(CTkMarkupUIElement::s_pFocusableProperty), FALSE));
        SetInt(element.Get(), CTkMarkupFrameworkElement::s_pTagProperty, 1);
        EXPECT_EQ(1, MarkupIntOr(element->GetValue(CTkMarkupFrameworkElement::s_pTagProperty), 0));
    }
    pType->SetDefaultStyle(nullptr);
}

// A hidden host window; messages go straight into HandleWindowMessage.
class InputHost : public Input {
protected:
    void SetUp() override {
        Input::SetUp();
        m_hWnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
        m_pContext = CreateMarkupContext(m_hWnd);
        m_root = CTkMarkupPtr<CTestElement>::Adopt(MakeTestElement(m_pContext, 100, 100));
        m_pChild = m_root->AddChild(MakeTestElement(m_pContext, 40, 40));
        SetName(m_root.Get(), L"root");
        SetName(m_pChild, L"child");
        ReleaseMarkupContext(m_pContext);  // the tree keeps it
        m_pContext = m_root->GetMarkupContext();
        m_root->Arrange(CRect(0, 0, 100, 100));
        for (CTestElement* p : {m_root.Get(), m_pChild}) {
            for (CTkMarkupRoutedEvent* pEvent : {Ie::s_pMouseEnterEvent, Ie::s_pMouseLeaveEvent,
                                                 Ie::s_pMouseLeftButtonDownEvent, Ie::s_pMouseLeftButtonUpEvent}) {
                p->AddHandler(pEvent, new CRecordingDelegate(&m_log, pEvent->GetName()));
            }
        }
    }
    void TearDown() override {
        Send(WM_DESTROY);
        m_root.Reset();
        ::DestroyWindow(m_hWnd);
        Input::TearDown();
    }
    BOOL Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        LRESULT result = 0;
        return m_pContext->HandleWindowMessage(m_root.Get(), message, wParam, lParam, &result);
    }
    BOOL Move(int x, int y) { return Send(WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
    BOOL IsMouseOver(CTkMarkupObject* p) { return MarkupBoolOr(p->GetValue(Ie::s_pIsMouseOverProperty), FALSE); }

    HWND m_hWnd = nullptr;
    CTkMarkupContext* m_pContext = nullptr;  // borrowed from the tree
    CTkMarkupPtr<CTestElement> m_root;
    CTestElement* m_pChild = nullptr;
    std::vector<CString> m_log;
};

TEST_F(InputHost, HotTrackingLeavesOnlyWhatItLeaves) {
    Move(10, 10);
    EXPECT_EQ((std::vector<CString>{L"MouseEnter:child", L"MouseEnter:root"}), m_log);
    EXPECT_TRUE(IsMouseOver(m_pChild));
    EXPECT_TRUE(IsMouseOver(m_root.Get()));
    m_log.clear();
    Move(60, 60);  // child to parent: the parent is a common ancestor
    EXPECT_EQ((std::vector<CString>{L"MouseLeave:child"}), m_log);
    EXPECT_FALSE(IsMouseOver(m_pChild));
    EXPECT_EQ(m_root.Get(), m_pContext->GetHotElement());
    m_log.clear();
    Send(WM_MOUSELEAVE);
    EXPECT_EQ((std::vector<CString>{L"MouseLeave:root"}), m_log);
    EXPECT_EQ(nullptr, m_pContext->GetHotElement());
    EXPECT_EQ(nullptr, m_pContext->GetActiveRoot());
}

TEST_F(InputHost, ButtonsGoToTheCaptureAndDoubleClicksArePresses) {
    Move(10, 10);
    m_log.clear();
    Send(WM_LBUTTONDBLCLK, 0, MAKELPARAM(10, 10));
    EXPECT_EQ((std::vector<CString>{L"MouseLeftButtonDown:child", L"MouseLeftButtonDown:root"}), m_log);
    m_pChild->CaptureMouse();
    m_log.clear();
    Move(60, 60);  // outside the captured child: nothing is hot
    EXPECT_EQ(nullptr, m_pContext->GetHotElement());
    EXPECT_FALSE(IsMouseOver(m_pChild));
    m_log.clear();
    Send(WM_LBUTTONUP, 0, MAKELPARAM(60, 60));
    EXPECT_EQ((std::vector<CString>{L"MouseLeftButtonUp:child", L"MouseLeftButtonUp:root"}), m_log);
    m_pChild->ReleaseMouseCapture();
    EXPECT_EQ(nullptr, m_pContext->GetCapturedElement());
}

TEST_F(InputHost, CursorAndWheel) {
    SetInt(m_root.Get(), Ie::s_pCursorProperty, 32649);  // IDC_HAND
    SetInt(m_pChild, Ie::s_pCursorProperty, 32513);      // IDC_IBEAM: the nearest wins
    Move(10, 10);
    EXPECT_TRUE(Send(WM_SETCURSOR));
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_IBEAM), ::GetCursor());
    m_pChild->SetValue(Ie::s_pCursorProperty, nullptr);
    Move(60, 60);
    EXPECT_TRUE(Send(WM_SETCURSOR));
    m_root->SetValue(Ie::s_pCursorProperty, nullptr);
    EXPECT_FALSE(Send(WM_SETCURSOR)) << "without a cursor the window's own processing goes on";
    EXPECT_FALSE(Send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA)));
    EXPECT_FALSE(Send(WM_KEYDOWN, VK_TAB));
}

TEST_F(InputHost, ToolTipsComeFromTheNearestElementWithText) {
    Move(10, 10);
    m_root->SetValue(Ie::s_pToolTipProperty, CTkMarkupString::CreateValue(L"root tip"));
    m_pChild->SetValue(Ie::s_pToolTipProperty, new CTkMarkupInt(5));  // not a string: passed over
    TOOLINFO info = {};
    info.cbSize = AFX_TOOLINFO_V1_SIZE;
    const INT_PTR nHit =
        m_pContext->GetToolTipContext()->OnToolHitTest(CWnd::FromHandle(m_hWnd), CPoint(10, 10), &info);
    EXPECT_EQ(reinterpret_cast<INT_PTR>(m_root.Get()), nHit);
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(m_root.Get()), info.uId);
    EXPECT_EQ(CRect(0, 0, 100, 100), CRect(info.rect));
    EXPECT_STREQ(L"root tip", info.lpszText);
    free(info.lpszText);
    Send(WM_MOUSELEAVE);
    EXPECT_EQ(-1, m_pContext->GetToolTipContext()->OnToolHitTest(CWnd::FromHandle(m_hWnd), CPoint(10, 10), &info));
}

TEST_F(Input, HotElementAndContextFreedAfterDestroy) {
    HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    CTkMarkupContext* pContext = CreateMarkupContext(hWnd);
    CTkMarkupUIElement* pRoot = MakeTestElement(pContext, 50, 50);
    pRoot->Arrange(CRect(0, 0, 50, 50));
    LRESULT result = 0;
    pContext->HandleWindowMessage(pRoot, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), &result);
    EXPECT_EQ(pRoot, pContext->GetHotElement());
    EXPECT_EQ(1u, ReleaseMarkupElement(pRoot)) << "the context holds its hot element";
    pContext->HandleWindowMessage(pContext->GetActiveRoot(), WM_DESTROY, 0, 0, &result);
    ReleaseMarkupContext(pContext);
    ::DestroyWindow(hWnd);
    // The live-object and context counts of the fixture show that both are gone.
}

TEST_F(Input, FontCacheComparesHeightWeightItalicAndFace) {
    CTkMarkupContext* pContext = CreateMarkupContext(nullptr);
    LOGFONTW lf = pContext->GetDefaultFont();
    CTkMarkupFont* pFirst = pContext->GetFont(lf);
    lf.lfUnderline = TRUE;
    lf.lfCharSet = SYMBOL_CHARSET;
    CTkMarkupFont* pSame = pContext->GetFont(lf);
    lf.lfWeight = FW_BOLD;
    CTkMarkupFont* pBold = pContext->GetFont(lf);
    EXPECT_EQ(pFirst, pSame);
    EXPECT_NE(pFirst, pBold);
    ReleaseMarkupContext(pContext);  // fonts may outlive the context
    pFirst->Release();
    pSame->Release();
    pBold->Release();
}

TEST_F(Input, MessagesWithoutHostAreLeft) {
    CTkMarkupContext* pContext = CreateMarkupContext(nullptr);
    const auto root = CTkMarkupPtr<CTestElement>::Adopt(MakeTestElement(pContext, 10, 10));
    LRESULT result = 0;
    EXPECT_FALSE(pContext->HandleWindowMessage(root.Get(), WM_MOUSEMOVE, 0, 0, &result));
    EXPECT_EQ(nullptr, pContext->GetHotElement());
    ReleaseMarkupContext(pContext);
}

}  // namespace
