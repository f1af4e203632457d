// The caption popup with real focus changes (a serial run: the active window and the focus are the
// screen's): it borrows the registered child under its title line, stays open while the focus is
// anywhere inside it, closes when the focus goes elsewhere or by its close button, gives the child back
// and tells the caption's owner exactly once.

#include "CaptionTestSupport.h"
#include "TkCaptionPopupWnd.h"
#include "WaitUntil.h"

#include <memory>

namespace {

constexpr int kPaneWidth = 240;
constexpr int kPaneHeight = 180;
constexpr int kCaptionHeight = 25;

// A plain child window of the layer's default class.
std::unique_ptr<CWnd> MakeChild(CWnd* pParent, const CRect& rect) {
    auto pChild = std::make_unique<CWnd>();
    pChild->Create(AfxRegisterWndClass(0, nullptr, ::GetSysColorBrush(COLOR_WINDOW)), L"", WS_VISIBLE, rect, pParent,
                   0);
    return pChild;
}

// A pane on the host with a text-button caption along its top and a list below it, with an edit inside;
// the list is the caption's popup child and the host is told of the popup closing.
class CaptionPopupFocus : public ::testing::Test {
protected:
    void SetUp() override {
        m_pPane = MakeChild(&m_host, CRect(10, 10, 10 + kPaneWidth, 10 + kPaneHeight));
        ASSERT_TRUE(m_caption.CreateCaption(m_pPane.get(), L"Channels", kCaptionRaisedEdge, WS_VISIBLE,
                                            CRect(0, 0, kPaneWidth, kCaptionHeight), 7));
        m_pList = MakeChild(m_pPane.get(), CRect(0, kCaptionHeight, kPaneWidth, kPaneHeight));
        m_edit.Create(WS_VISIBLE | WS_BORDER, CRect(5, 5, 100, 25), m_pList.get(), 1);
        m_caption.SetPopupChild(m_pList.get(), &m_host);
    }

    HWND PopupOfList() const {
        const HWND hParent = ::GetParent(m_pList->GetSafeHwnd());
        return hParent != m_pPane->GetSafeHwnd() ? hParent : nullptr;
    }
    // Lets the popup's focus timer run a few times.
    void PumpFor(int nMs) {
        PumpUntil([] { return false; }, nMs);
    }

    CResourceModuleScope m_resources{L"CaptionResources.dll"};
    CCaptionHost m_host{CRect(40, 40, 300, 240)};
    CCaptionHost m_elsewhere{CRect(320, 40, 420, 140)};
    std::unique_ptr<CWnd> m_pPane;
    CTkCaption m_caption;
    std::unique_ptr<CWnd> m_pList;
    CEdit m_edit;
};

TEST_F(CaptionPopupFocus, FocusElsewhereClosesThePopupAndGivesTheChildBack) {
    EXPECT_TRUE(m_caption.GetButton().IsWindowVisible()) << "a registered child shows the button";
    ASSERT_TRUE(m_caption.ShowPopup());
    const HWND hPopup = PopupOfList();
    ASSERT_NE(hPopup, nullptr);
    EXPECT_TRUE(::IsWindowVisible(hPopup));
    EXPECT_NE(m_caption.GetButton().GetState() & BST_PUSHED, 0u);
    EXPECT_TRUE(m_caption.ShowPopup()) << "already open";

    // Anywhere inside the popup, the child's own controls included, keeps it open.
    for (HWND hFocus : {m_pList->GetSafeHwnd(), m_edit.GetSafeHwnd()}) {
        ::SetFocus(hFocus);
        PumpFor(60);
        EXPECT_TRUE(::IsWindow(hPopup));
    }
    EXPECT_EQ(m_host.Count(kCaptionPopupFocusLostMessage), 0);

    ::SetFocus(m_elsewhere.GetSafeHwnd());
    ASSERT_TRUE(PumpUntil([this] { return m_host.Count(kCaptionPopupFocusLostMessage) > 0; }, 2000));
    EXPECT_FALSE(::IsWindow(hPopup));
    EXPECT_EQ(::GetParent(m_pList->GetSafeHwnd()), m_pPane->GetSafeHwnd());
    EXPECT_EQ(m_caption.GetButton().GetState() & BST_PUSHED, 0u);
    EXPECT_TRUE(m_caption.GetButton().IsWindowVisible()) << "the child stays registered";
    PumpFor(60);
    EXPECT_EQ(m_host.Count(kCaptionPopupFocusLostMessage), 1);
    EXPECT_EQ(m_host.Count(kCaptionPopupClosedMessage), 0);

    // It opens again, on a new popup.
    ASSERT_TRUE(m_caption.ShowPopup());
    EXPECT_NE(PopupOfList(), nullptr);
    m_caption.HidePopup();
    EXPECT_EQ(::GetParent(m_pList->GetSafeHwnd()), m_pPane->GetSafeHwnd());
}

TEST_F(CaptionPopupFocus, CloseButtonPutsTheChildBackInItsPlaceAndTellsTheOwnerOnce) {
    ASSERT_TRUE(m_caption.ShowPopup());
    const HWND hPopup = PopupOfList();
    ASSERT_NE(hPopup, nullptr);
    const HWND hClose = ::GetDlgItem(hPopup, 100);
    ASSERT_NE(hClose, nullptr);
    // A click, through the button's own procedure, which is still running when the popup goes.
    ::SendMessageW(hClose, BM_CLICK, 0, 0);

    EXPECT_FALSE(::IsWindow(hPopup));
    EXPECT_EQ(m_host.Count(kCaptionPopupClosedMessage), 1);
    EXPECT_EQ(::GetParent(m_pList->GetSafeHwnd()), m_pPane->GetSafeHwnd());
    CRect rcList;
    m_pList->GetWindowRect(&rcList);
    m_pPane->ScreenToClient(&rcList);
    EXPECT_EQ(rcList, CRect(0, kCaptionHeight, kPaneWidth, kPaneHeight)) << "below the room above it";
    EXPECT_FALSE(m_caption.GetButton().IsWindowVisible());
    PumpFor(60);
    EXPECT_EQ(m_host.Count(kCaptionPopupClosedMessage), 1);
    EXPECT_EQ(m_host.Count(kCaptionPopupFocusLostMessage), 0);
}

TEST_F(CaptionPopupFocus, TitleLineAndChildShareTheClientArea) {
    ASSERT_TRUE(m_caption.ShowPopup());
    auto* pPopup = static_cast<CTkCaptionPopupWnd*>(CWnd::FromHandlePermanent(PopupOfList()));
    ASSERT_NE(pPopup, nullptr);
    CRect rcWindow(0, 0, 200, 200);
    ::AdjustWindowRectEx(&rcWindow, pPopup->GetStyle(), FALSE, pPopup->GetExStyle());
    pPopup->SetWindowPos(nullptr, 0, 0, rcWindow.Width(), rcWindow.Height(), SWP_NOMOVE | SWP_NOZORDER);
    pPopup->RecalcLayout();

    auto rectIn = [pPopup](HWND hWnd) {
        CRect rect;
        ::GetWindowRect(hWnd, &rect);
        pPopup->ScreenToClient(&rect);
        return rect;
    };
    EXPECT_EQ(rectIn(m_pList->GetSafeHwnd()), CRect(2, 21, 198, 198));
    EXPECT_EQ(rectIn(::GetDlgItem(pPopup->GetSafeHwnd(), 0xFFFF)), CRect(2, 2, 198, 21));
    EXPECT_EQ(rectIn(::GetDlgItem(pPopup->GetSafeHwnd(), 100)), CRect(180, 4, 196, 19));

    // A picture of the popup as the screen shows it, for a person to look at.
    pPopup->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    CScopedMemDC picture(rcWindow.Width(), rcWindow.Height());
    CWindowDC screen(pPopup);
    picture.BitBlt(0, 0, rcWindow.Width(), rcWindow.Height(), &screen, 0, 0, SRCCOPY);
    WritePng(picture, L"caption_popup.png");
    m_caption.HidePopup();
}

TEST_F(CaptionPopupFocus, NoPopupWithoutTheChildsParent) {
    CTkCaption unregistered;
    ASSERT_TRUE(unregistered.CreateCaption(m_pPane.get(), L"Other", 0, 0, CRect(0, 0, 10, 10), 8));
    EXPECT_FALSE(unregistered.ShowPopup());

    // The parent recorded at registration is gone: the child is not taken.
    auto pOtherPane = MakeChild(&m_host, CRect(0, 0, 50, 50));
    auto pChild = MakeChild(pOtherPane.get(), CRect(0, 0, 10, 10));
    unregistered.SetPopupChild(pChild.get(), nullptr);
    ::SetParent(pChild->GetSafeHwnd(), m_pPane->GetSafeHwnd());
    pOtherPane->DestroyWindow();
    EXPECT_FALSE(unregistered.ShowPopup());
    EXPECT_EQ(::GetParent(pChild->GetSafeHwnd()), m_pPane->GetSafeHwnd());
}

}  // namespace
