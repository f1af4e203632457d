// The ribbon's tab strip control: its popup under a minimised ribbon, the selection as the site and
// accessibility clients hear it, its keys, its accessibility object and its saved tabs.

#include "DibPixels.h"
#include "FocusEvents.h"
#include "RibbonHost.h"
#include "TkCommandBarsDefs.h"
#include "TkControlDefs.h"
#include "TkControls.h"
#include "TkHookManager.h"
#include "TkPropExchange.h"
#include "TkRibbonBar.h"
#include "TkRibbonControlTab.h"
#include "TkRibbonPopupToolBars.h"
#include "TkRibbonTab.h"
#include "WaitUntil.h"

#include <gtest/gtest.h>

#include <oleacc.h>

#include <algorithm>
#include <vector>

namespace {

// ---- What the site and accessibility clients hear

std::vector<UINT> s_siteCodes;    // ControlNotifyMessage codes from the tab strip
BOOL s_bRefuseTabChange = FALSE;  // the site answers the changing notification with a refusal
WNDPROC s_pfnFrameProc = nullptr;
LRESULT CALLBACK RecordingFrameProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam) {
    if (nMessage == ControlNotifyMessage && wParam == static_cast<WPARAM>(kIdRibbonTabControl)) {
        const UINT nCode = reinterpret_cast<const NMHDR*>(lParam)->code;
        s_siteCodes.push_back(nCode);
        if (nCode == static_cast<UINT>(TCN_SELCHANGING) && s_bRefuseTabChange)
            return 1;
    }
    return ::CallWindowProcW(s_pfnFrameProc, hWnd, nMessage, wParam, lParam);
}

class RibbonTabControlFixture : public ::testing::Test {
protected:
    void SetUp() override {
        m_pRibbon = m_host.Ribbon();
        ASSERT_NE(m_pRibbon, nullptr);
        m_pTabs = m_pRibbon->GetControlTab();
        m_pHome = m_pRibbon->AddTab(L"&Home");
        m_pInsert = m_pRibbon->AddTab(L"Insert");
    }

    CRibbonHost m_host;
    CTkRibbonBar* m_pRibbon = nullptr;
    CTkRibbonControlTab* m_pTabs = nullptr;
    CTkRibbonTab* m_pHome = nullptr;
    CTkRibbonTab* m_pInsert = nullptr;
};

TEST_F(RibbonTabControlFixture, TheTabPopupOpensOnlyUnderAMinimisedRibbon) {
    m_pHome->Select();
    EXPECT_FALSE(m_pTabs->SetPopupOpen(TRUE));
    EXPECT_FALSE(m_pTabs->IsPopupOpen());
    EXPECT_EQ(m_pTabs->GetCommandBar(), nullptr);

    m_pRibbon->SetMinimized(TRUE);
    m_pTabs->SelectItem(nullptr);
    EXPECT_FALSE(m_pTabs->SetPopupOpen(TRUE)) << "no selected tab";

    m_pTabs->SelectItem(m_pInsert);
    ASSERT_TRUE(m_pTabs->SetPopupOpen(TRUE));
    EXPECT_TRUE(m_pTabs->IsPopupOpen());
    auto* pPopup = dynamic_cast<CTkRibbonTabPopupToolBar*>(m_pTabs->GetCommandBar());
    ASSERT_NE(pPopup, nullptr);
    EXPECT_EQ(pPopup->GetRibbonBar(), m_pRibbon);
    EXPECT_NE(pPopup->GetRibbonTab(), m_pInsert) << "a copy";
    EXPECT_EQ(pPopup->GetRibbonTab()->GetParent(), pPopup);
    EXPECT_FALSE(pPopup->IsCustomizable());
    EXPECT_TRUE(pPopup->GetFlags() & kBarFlagStacked);
    EXPECT_EQ(pPopup->GetCommandBars(), m_pRibbon->GetCommandBars());
    EXPECT_EQ(GetRibbonOfBar(pPopup), m_pRibbon);
    CRect rcPopup;
    pPopup->GetWindowRect(&rcPopup);
    CRect rcRibbon;
    m_pRibbon->GetWindowRect(&rcRibbon);
    EXPECT_EQ(rcPopup.Width(), rcRibbon.Width()) << "as wide as the ribbon";
    CScopedMemDC dc(std::max(1, rcPopup.Width()), std::max(1, rcPopup.Height()));
    pPopup->SendMessage(WM_PRINT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), PRF_CLIENT | PRF_ERASEBKGND);
    WritePng(dc, L"Z:\\tmp\\ribbon-tab-popup.png");

    CRect rcAnchor(0, 0, 100, 30);
    m_pTabs->AdjustPopupRect(rcAnchor, FALSE);
    EXPECT_EQ(rcAnchor, CRect(0, 0, 100, 29)) << "the popup overlaps the strip's last line";

    EXPECT_TRUE(m_pTabs->SetPopupOpen(FALSE));
    EXPECT_FALSE(m_pTabs->IsPopupOpen());
    EXPECT_EQ(pPopup->GetTrackingMode(), kTrackingNone);
}

TEST_F(RibbonTabControlFixture, ASelectionReachesTheSiteAndAccessibilityAndArrowsMoveAlongTheTabs) {
    const HWND hFrame = m_host.Frame()->GetSafeHwnd();
    s_pfnFrameProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hFrame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingFrameProc)));
    CFocusEventRecorder focus;
    ASSERT_TRUE(focus.IsHooked());
    const HWND hRibbon = m_pRibbon->GetSafeHwnd();
    s_siteCodes.clear();

    m_pTabs->SelectItem(m_pInsert);
    EXPECT_EQ(m_pRibbon->GetSelectedTab(), m_pInsert);
    EXPECT_EQ(std::count(s_siteCodes.begin(), s_siteCodes.end(), kControlNotifyExecute), 1);
    ASSERT_TRUE(PumpUntil([&] { return !focus.Events().empty(); }, 2000));
    EXPECT_EQ(focus.Events()[0].hWnd, hRibbon);
    EXPECT_EQ(focus.Events()[0].nObject, kIdRibbonTabControl);
    EXPECT_EQ(focus.Events()[0].nChild, 2) << "the tab's index + 1";

    // The same tab again: nothing.
    s_siteCodes.clear();
    m_pTabs->SelectItem(m_pInsert);
    EXPECT_TRUE(s_siteCodes.empty());

    // A site that refuses the change keeps the tab, and hears of no selection.
    s_bRefuseTabChange = TRUE;
    m_pTabs->SelectItem(m_pHome);
    s_bRefuseTabChange = FALSE;
    EXPECT_EQ(m_pRibbon->GetSelectedTab(), m_pInsert);
    EXPECT_EQ(s_siteCodes, (std::vector<UINT>{static_cast<UINT>(TCN_SELCHANGING)}));

    // Selected by keyboard the strip takes the focus, and clients hear of the selected tab.
    focus.Events().clear();
    EXPECT_EQ(m_pTabs->HandleFocusedKey(VK_LEFT), kHookNotHandled) << "keys only while focused";
    EXPECT_TRUE(m_pTabs->SetSelected(kSelectForward));
    EXPECT_TRUE(m_pTabs->IsFocused());
    ASSERT_TRUE(PumpUntil([&] { return !focus.Events().empty(); }, 2000));
    EXPECT_EQ(focus.Events()[0].nChild, 2);

    // Right on the last tab is the bar's; left goes to the tab before.
    EXPECT_EQ(m_pTabs->HandleFocusedKey(VK_RIGHT), kHookNotHandled);
    EXPECT_EQ(m_pTabs->HandleFocusedKey(VK_UP), kHookNotHandled);
    EXPECT_EQ(m_pTabs->HandleFocusedKey(VK_LEFT), kHookHandled);
    EXPECT_EQ(m_pRibbon->GetSelectedTab(), m_pHome);

    EXPECT_TRUE(m_pTabs->SetSelected(0));
    EXPECT_FALSE(m_pTabs->IsFocused());
    ::SetWindowLongPtrW(hFrame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(s_pfnFrameProc));
}

TEST_F(RibbonTabControlFixture, AccessibilityClientsSeeTheStripAndItsTabs) {
    CScopedComInit com;
    HMODULE hOleAcc = ::LoadLibraryW(L"oleacc.dll");
    ASSERT_NE(hOleAcc, nullptr);
    auto pfnFromWindow = reinterpret_cast<HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**)>(
        ::GetProcAddress(hOleAcc, "AccessibleObjectFromWindow"));
    ASSERT_NE(pfnFromWindow, nullptr);
    m_pInsert->Select();
    m_pRibbon->AddTab(L"Hidden")->m_bVisible = FALSE;

    // The object the focus events name: the bar's window and the strip's id.
    IAccessible* pAccessible = nullptr;
    ASSERT_EQ(pfnFromWindow(m_pRibbon->GetSafeHwnd(), static_cast<DWORD>(kIdRibbonTabControl), IID_IAccessible,
                            reinterpret_cast<void**>(&pAccessible)),
              S_OK);
    auto child = [](long n) {
        VARIANT var;
        var.vt = VT_I4;
        var.lVal = n;
        return var;
    };
    long nChildren = 0;
    EXPECT_EQ(pAccessible->get_accChildCount(&nChildren), S_OK);
    EXPECT_EQ(nChildren, 3);
    BSTR bstr = nullptr;
    ASSERT_EQ(pAccessible->get_accName(child(1), &bstr), S_OK);
    EXPECT_STREQ(bstr, L"Home") << "without its mnemonic mark";
    ::SysFreeString(bstr);
    ASSERT_EQ(pAccessible->get_accDefaultAction(child(2), &bstr), S_OK);
    EXPECT_STREQ(bstr, L"Switch");
    ::SysFreeString(bstr);

    struct Row {
        long nChild;
        long nRole;
        long nState;
    };
    const long nStripState =
        STATE_SYSTEM_FOCUSABLE | (m_pRibbon->IsVisible() && m_pTabs->IsVisible() ? 0 : STATE_SYSTEM_INVISIBLE);
    const long nTab = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    const Row rows[] = {
        {CHILDID_SELF, ROLE_SYSTEM_PAGETABLIST, nStripState},
        {1, ROLE_SYSTEM_PAGETAB, nTab},
        {2, ROLE_SYSTEM_PAGETAB, nTab | STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED},
        {3, ROLE_SYSTEM_PAGETAB, nTab | STATE_SYSTEM_INVISIBLE},
    };
    for (const Row& row : rows) {
        VARIANT var;
        ASSERT_EQ(pAccessible->get_accRole(child(row.nChild), &var), S_OK);
        EXPECT_EQ(var.lVal, row.nRole) << row.nChild;
        ASSERT_EQ(pAccessible->get_accState(child(row.nChild), &var), S_OK);
        EXPECT_EQ(var.lVal, row.nState) << row.nChild;
    }
    VARIANT var;
    EXPECT_EQ(pAccessible->get_accRole(child(4), &var), E_INVALIDARG);

    EXPECT_EQ(pAccessible->accDoDefaultAction(child(1)), S_OK);
    EXPECT_EQ(m_pRibbon->GetSelectedTab(), m_pHome);
    EXPECT_EQ(pAccessible->accSelect(SELFLAG_TAKESELECTION, child(2)), S_OK);
    EXPECT_EQ(m_pRibbon->GetSelectedTab(), m_pInsert);

    // Location and hit test in screen coordinates, over a strip the test places across the bar.
    CRect rcClient;
    m_pRibbon->GetClientRect(&rcClient);
    const int nBottom = rcClient.bottom;
    const int yMiddle = nBottom / 2;
    ASSERT_GT(nBottom, 2);
    m_pTabs->SetRect(CRect(10, 0, 300, nBottom));
    m_pTabs->GetControlRect() = m_pTabs->GetHeaderRect() = CRect(10, 0, 300, nBottom);
    m_pHome->SetRect(CRect(12, 0, 80, nBottom));
    m_pInsert->SetRect(CRect(80, 0, 150, nBottom));
    CPoint ptOrigin(0, 0);
    m_pRibbon->ClientToScreen(&ptOrigin);
    long x = 0, y = 0, cx = 0, cy = 0;
    EXPECT_EQ(pAccessible->accLocation(&x, &y, &cx, &cy, child(2)), S_OK);
    EXPECT_EQ(CRect(CPoint(x, y), CSize(cx, cy)), CRect(80, 0, 150, nBottom) + ptOrigin);
    EXPECT_EQ(pAccessible->accLocation(&x, &y, &cx, &cy, child(CHILDID_SELF)), S_OK);
    EXPECT_EQ(CRect(CPoint(x, y), CSize(cx, cy)), CRect(10, 0, 300, nBottom) + ptOrigin);
    ASSERT_EQ(pAccessible->accHitTest(ptOrigin.x + 100, ptOrigin.y + yMiddle, &var), S_OK);
    EXPECT_EQ(var.vt, VT_I4);
    EXPECT_EQ(var.lVal, 2);
    ASSERT_EQ(pAccessible->accHitTest(ptOrigin.x + 200, ptOrigin.y + yMiddle, &var), S_OK);
    EXPECT_EQ(var.lVal, CHILDID_SELF) << "the strip beside its tabs";
    EXPECT_EQ(pAccessible->accHitTest(ptOrigin.x + 5, ptOrigin.y + yMiddle, &var), S_FALSE) << "outside the strip";
    EXPECT_EQ(pAccessible->accHitTest(ptOrigin.x + 100, ptOrigin.y + nBottom + 5, &var), S_FALSE) << "outside the bar";
    pAccessible->Release();
    ::FreeLibrary(hOleAcc);
}

// A tab item of another kind than a ribbon tab, counting how often one is made.
class CCountedOtherTab : public CTkTabManagerItem {
    DECLARE_SERIAL(CCountedOtherTab)
public:
    CCountedOtherTab() { ++s_nMade; }
    static int s_nMade;
};
int CCountedOtherTab::s_nMade = 0;
IMPLEMENT_SERIAL(CCountedOtherTab, CTkTabManagerItem, 33)

TEST_F(RibbonTabControlFixture, SavedTabsComeBackAsRibbonTabsAndAnotherClassFailsBeforeItIsMade) {
    m_pTabs->SelectItem(m_pInsert);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CTkPropExchangeArchive exchange(ar);
        m_pTabs->ExchangeProperties(&exchange);
        ar.Close();
    }
    file.SeekToBegin();
    auto* pLoaded = new CTkRibbonControlTab;
    m_pRibbon->GetControls()->Append(pLoaded);
    {
        CArchive ar(&file, CArchive::load);
        CTkPropExchangeArchive exchange(ar);
        exchange.m_bLoading = TRUE;
        pLoaded->ExchangeProperties(&exchange);
    }
    ASSERT_EQ(pLoaded->GetItemCount(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(pLoaded->GetTab(i)->IsKindOf(RUNTIME_CLASS(CTkRibbonTab)));
        EXPECT_EQ(pLoaded->GetTab(i)->GetRibbonBar(), m_pRibbon);
        EXPECT_EQ(pLoaded->GetTab(i)->GetParent(), m_pRibbon);
    }
    EXPECT_EQ(pLoaded->GetSelectedTab(), pLoaded->GetTab(1)) << "selected though read before it was in the strip";

    CMemFile bad;
    {
        CArchive ar(&bad, CArchive::store);
        ar << 1;  // "Count" of the "Tab" enumeration
        ar << WORD(0xFFFF) << WORD(33) << WORD(16);
        ar.Write("CCountedOtherTab", 16);
        ar.Close();
    }
    bad.SeekToBegin();
    int nCause = -1;
    {
        CArchive ar(&bad, CArchive::load);
        CTkPropExchangeArchive exchange(ar);
        exchange.m_bLoading = TRUE;
        try {
            pLoaded->ExchangeProperties(&exchange);
        } catch (CArchiveException* e) {
            nCause = e->m_cause;
            e->Delete();
        }
    }
    EXPECT_EQ(nCause, CArchiveException::badClass);
    EXPECT_EQ(CCountedOtherTab::s_nMade, 0);
    EXPECT_EQ(pLoaded->GetItemCount(), 0) << "the load replaced the tabs before it failed";
}

}  // namespace
