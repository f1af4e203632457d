// The tooltip context: the tool records it is handed, and the tooltip-control messages it sends a tip
// window (recorded by a system tooltip control made through the context's own CreateToolTipWindow) for
// moves within and between tools, moved tools, held buttons, clicks and keys, titles, mnemonics, styles
// and owners.

#include "FoundationTestSupport.h"
#include "ImageTestSupport.h"
#include "TkImageManager.h"
#include "ToolTipTestSupport.h"

#include <cstdlib>
#include <algorithm>
#include <string>
#include <utility>

namespace {

using Calls = std::vector<std::wstring>;

std::wstring TextOf(LPCWSTR psz) {
    if (psz == LPSTR_TEXTCALLBACKW)
        return L"(callback)";
    return psz != nullptr ? psz : L"-";
}

// One line per message the context sends the tip window.
std::wstring Describe(UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* pInfo = reinterpret_cast<const TOOLINFO*>(lParam);
    switch (message) {
        case WM_SETFONT:
            return L"SETFONT";
        case TTM_SETMAXTIPWIDTH:
            return L"MAXWIDTH " + std::to_wstring(lParam);
        case TTM_SETMARGIN:
            return L"MARGIN";
        case TTM_SETTIPBKCOLOR:
            return L"BKCOLOR";
        case TTM_SETTIPTEXTCOLOR:
            return L"TEXTCOLOR";
        case TTM_SETDELAYTIME:
            return L"DELAY " + std::to_wstring(wParam) + L" " + std::to_wstring(LOWORD(lParam));
        case TTM_ACTIVATE:
            return L"ACTIVATE " + std::to_wstring(wParam);
        case TTM_ADDTOOLW: {
            std::wstring line = L"ADD " + std::to_wstring(pInfo->uId) + L" " + TextOf(pInfo->lpszText);
            if (pInfo->uFlags != 0)
                line += L" flags " + std::to_wstring(pInfo->uFlags);
            return line;
        }
        case TTM_DELTOOLW:
            return L"DEL " + std::to_wstring(pInfo->uId);
        case TTM_UPDATETIPTEXTW:
            return L"TEXT " + std::to_wstring(pInfo->uId) + L" " + TextOf(pInfo->lpszText);
        case TTM_SETTITLEW:
            return L"TITLE " + std::to_wstring(wParam) + L" " + TextOf(reinterpret_cast<LPCWSTR>(lParam));
        case TTM_WINDOWFROMPOINT:
            return L"WFP";
        case TTM_RELAYEVENT:
            return L"RELAY " + std::to_wstring(reinterpret_cast<const MSG*>(lParam)->message);
        case kToolTipSetIconMessage:
            return lParam != 0 ? L"ICON set" : L"ICON none";
        default:
            return std::wstring();
    }
}

// A system tooltip control that writes down every message of the context's protocol it gets.
class CRecordingTip : public CTkToolTipContext::CStandardToolTip {
public:
    explicit CRecordingTip(Calls* pCalls) : m_pCalls(pCalls) {}

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        std::wstring line = Describe(message, wParam, lParam);
        if (!line.empty())
            m_pCalls->push_back(line);
        return CStandardToolTip::WindowProc(message, wParam, lParam);
    }

private:
    Calls* m_pCalls;  // not owned
};

class CRecordingContext : public CTkToolTipContext {
public:
    CRecordingContext() { m_dwComCtlVersion = 0x50051; }
    CWnd* CreateToolTipWindow(CWnd*) override { return new CRecordingTip(&m_calls); }

    // What the tip window got since the last call.
    Calls TakeCalls() { return std::exchange(m_calls, Calls()); }

    Calls m_calls;
};

// Sets or clears the thread's left-button state, as GetKeyState reads it.
void SetLeftButtonHeld(bool bHeld) {
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_LBUTTON] = bHeld ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

const CRect kOwnerRect(300, 300, 500, 400);
const Calls kConfigure = {L"SETFONT", L"MAXWIDTH " + std::to_wstring(::GetSystemMetrics(SM_CXSCREEN) / 2), L"MARGIN",
                          L"ACTIVATE 0"};

Calls Join(Calls first, const Calls& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

TEST(ToolTipContext, RelaysMovesAndSwapsToolsAsTheCursorMoves) {
    CScriptedOwner owner(kOwnerRect, FALSE);
    owner.m_tools = {{CRect(0, 0, 100, 100), 1, L"Open"}, {CRect(100, 0, 200, 100), 2, L"Save"}};
    CRecordingContext context;
    auto relay = [&](UINT message, CPoint pt) {
        MSG msg = OwnerMessage(&owner, message, pt);
        context.RelayToolTipMessage(&owner, &msg);
        return context.TakeCalls();
    };
    const Calls kRelayMove = {L"WFP", L"RELAY 512"};

    // The first move makes and sets up the window, then adds the tool; the owner is not active.
    EXPECT_EQ(relay(WM_MOUSEMOVE, CPoint(10, 10)), Join(kConfigure, Join({L"ADD 1 Open", L"TITLE 0 -"}, kRelayMove)));
    EXPECT_EQ(relay(WM_MOUSEMOVE, CPoint(20, 30)), kRelayMove) << "within one tool";
    EXPECT_EQ(relay(WM_LBUTTONUP, CPoint(20, 30)), (Calls{L"WFP", L"RELAY 514"}));

    // Nothing while a button is held.
    SetLeftButtonHeld(true);
    EXPECT_EQ(relay(WM_MOUSEMOVE, CPoint(150, 10)), Calls());
    SetLeftButtonHeld(false);

    // Another tool is added before the old one goes.
    EXPECT_EQ(relay(WM_MOUSEMOVE, CPoint(150, 10)), Join({L"ADD 2 Save", L"TITLE 0 -"}, Join(kRelayMove, {L"DEL 1"})));
    // The same tool at another place is deleted and added again, once.
    owner.m_tools[1].rect.bottom = 90;
    EXPECT_EQ(relay(WM_MOUSEMOVE, CPoint(150, 20)), Join({L"DEL 2", L"ADD 2 Save", L"TITLE 0 -"}, kRelayMove));
    // Off every tool: the tip goes.
    EXPECT_EQ(relay(WM_MOUSEMOVE, CPoint(150, 95)), Join({L"ACTIVATE 0"}, Join(kRelayMove, {L"DEL 2"})));
    EXPECT_EQ(relay(WM_MOUSEMOVE, CPoint(160, 95)), Calls()) << "still no tool";

    // Clicks and keys cancel; other messages are ignored.
    const struct {
        UINT message;
        Calls calls;
    } others[] = {
        {WM_LBUTTONDOWN, {L"ACTIVATE 0"}},
        {WM_RBUTTONDBLCLK, {L"ACTIVATE 0"}},
        {WM_NCMBUTTONDOWN, {L"ACTIVATE 0"}},
        {WM_KEYDOWN, {L"ACTIVATE 0"}},
        {WM_SYSCHAR, {L"ACTIVATE 0"}},
        {WM_MOUSEWHEEL, {}},
        {WM_SETFOCUS, {}},
    };
    for (const auto& other : others)
        EXPECT_EQ(relay(other.message, CPoint(10, 10)), other.calls) << other.message;

    // A tool that shows while its owner is inactive activates the tip; the toolkit's flag bits stay here.
    owner.m_tools[0].uFlags = kToolTipShowInactive | TTF_CENTERTIP;
    EXPECT_EQ(relay(WM_MOUSEMOVE, CPoint(10, 10)),
              Join({L"ADD 1 Open flags " + std::to_wstring(TTF_CENTERTIP), L"TITLE 0 -", L"ACTIVATE 1"},
                   Join(kRelayMove, {L"DEL 0"})));
}

TEST(ToolTipContext, TitlesMnemonicsAndImagesOfTheToolRecord) {
    CScriptedOwner owner(kOwnerRect, FALSE);
    CTkImageManager images;
    IconStateImage image;
    image.AttachBitmap(MakeDib(16, 16, [](int, int) { return 0xFF0000FFu; }));
    images.SetIcon(image, 107, 0, 0, ImageStateNormal);

    struct Case {
        LPCWSTR pszText;
        LPCWSTR pszTitle;
        LPCWSTR pszDescription;
        BOOL bStripMnemonics;
        BOOL bImages;
        Calls calls;  // after the configuration
    };
    const Case cases[] = {
        {L"Open", L"Open", L"Opens a file", FALSE, FALSE, {L"ADD 7 Open", L"TITLE 1 Open", L"TEXT 7 Opens a file"}},
        // A title equal to the description gives a tip without title.
        {L"Open", L"Open", L"Open", FALSE, FALSE, {L"ADD 7 Open", L"TITLE 0 -"}},
        {L"Open", L"Open", L"", FALSE, FALSE, {L"ADD 7 Open", L"TITLE 0 -"}},
        // Mnemonic markers stay under TTS_NOPREFIX and go without it, in the text and the title.
        {L"&Open a&&b", L"&File", L"Opens", FALSE, FALSE, {L"ADD 7 &Open a&&b", L"TITLE 1 &File", L"TEXT 7 Opens"}},
        {L"&Open a&&b", L"&File", L"Opens", TRUE, FALSE, {L"ADD 7 Open a&b", L"TITLE 1 File", L"TEXT 7 Opens"}},
        {L"&Open", nullptr, nullptr, TRUE, FALSE, {L"ADD 7 Open", L"TITLE 0 -"}},
        // The image is the icon of offset + hit.
        {L"Open", nullptr, nullptr, FALSE, TRUE, {L"ADD 7 Open", L"TITLE 0 -", L"ICON set"}},
    };
    for (const Case& c : cases) {
        owner.m_tools = {{CRect(0, 0, 200, 100), 7, c.pszText, c.pszTitle, c.pszDescription}};
        owner.m_pImageManager = &images;
        CRecordingContext context;
        context.m_bShowTitleAndDescription = c.pszTitle != nullptr;
        context.m_bShowImage = c.bImages;
        context.m_nImageIdOffset = 100;
        if (c.bStripMnemonics)
            context.ModifyToolTipStyle(TTS_NOPREFIX, 0);
        MSG msg = OwnerMessage(&owner, WM_MOUSEMOVE, CPoint(10, 10));
        context.RelayToolTipMessage(&owner, &msg);
        EXPECT_EQ(context.TakeCalls(), Join(kConfigure, Join(c.calls, {L"WFP", L"RELAY 512"}))) << c.pszText;
    }

    // Without an image manager the icon is none.
    owner.m_pImageManager = nullptr;
    owner.m_tools = {{CRect(0, 0, 200, 100), 7, L"Open"}};
    CRecordingContext context;
    context.m_bShowImage = TRUE;
    MSG msg = OwnerMessage(&owner, WM_MOUSEMOVE, CPoint(10, 10));
    context.RelayToolTipMessage(&owner, &msg);
    EXPECT_EQ(context.TakeCalls(), Join(kConfigure, {L"ADD 7 Open", L"TITLE 0 -", L"ICON none", L"WFP", L"RELAY 512"}));
}

TEST(ToolTipContext, StylesDecideTitlesAndTheWindow) {
    CScriptedOwner owner(kOwnerRect, FALSE);
    owner.m_tools = {{CRect(0, 0, 200, 100), 7, L"Open"}};

    // Titles go to every style but the rich, HTML and markup tips, and to the standard control only
    // from common controls 5.80 on.
    const struct {
        int nStyle;
        DWORD dwVersion;
        bool bTitle;
    } styles[] = {
        {kToolTipStandard, 0x5004F, false}, {kToolTipStandard, 0x50050, true}, {kToolTipOffice, 0x5004F, true},
        {kToolTipRichText, 0x60000, false}, {kToolTipHTML, 0x60000, false},    {kToolTipMarkup, 0x60000, false},
        {kToolTipLuna, 0x5004F, true},
    };
    for (const auto& s : styles) {
        CRecordingContext context;
        context.m_dwComCtlVersion = s.dwVersion;
        context.SetStyle(s.nStyle);
        MSG msg = OwnerMessage(&owner, WM_MOUSEMOVE, CPoint(10, 10));
        context.RelayToolTipMessage(&owner, &msg);
        const Calls calls = context.TakeCalls();
        EXPECT_EQ(std::count(calls.begin(), calls.end(), L"TITLE 0 -"), s.bTitle ? 1 : 0) << s.nStyle;
    }

    // Style bits follow the style; the balloon needs 5.80 and keeps the previous style before it.
    CRecordingContext context;
    context.SetStyle(kToolTipOffice);
    EXPECT_EQ(context.m_dwTipStyle, TTS_NOPREFIX | kTipStyleOffice);
    context.SetStyle(kToolTipOffice2007);
    EXPECT_EQ(context.m_dwTipStyle, TTS_NOPREFIX | kTipStyleOffice2007);
    context.SetStyle(kToolTipStandard);
    EXPECT_EQ(context.m_dwTipStyle, static_cast<DWORD>(TTS_NOPREFIX));

    MSG msg = OwnerMessage(&owner, WM_MOUSEMOVE, CPoint(10, 10));
    context.RelayToolTipMessage(&owner, &msg);
    CWnd* pTip = context.GetToolTipWindow();
    ASSERT_NE(pTip, nullptr);
    context.m_dwComCtlVersion = 0x5004F;
    context.SetStyle(kToolTipBalloon);
    EXPECT_EQ(context.GetStyle(), kToolTipStandard);
    EXPECT_EQ(context.GetToolTipWindow(), pTip) << "a refused style keeps the window";
    context.m_dwComCtlVersion = 0x50050;
    context.SetStyle(kToolTipBalloon);
    EXPECT_EQ(context.GetStyle(), kToolTipBalloon);
    EXPECT_EQ(context.GetToolTipWindow(), nullptr);
    context.RelayToolTipMessage(&owner, &msg);
    ASSERT_NE(context.GetToolTipWindow(), nullptr);
    EXPECT_NE(context.GetToolTipWindow()->GetStyle() & TTS_BALLOON, 0u);
    context.ModifyToolTipStyle(0, 0);
    EXPECT_NE(context.GetToolTipWindow(), nullptr) << "unchanged bits keep the window";
}

TEST(ToolTipContext, SettingsReachTheWindowAndANewOwnerGetsANewOne) {
    CScriptedOwner first(kOwnerRect, FALSE);
    CScriptedOwner second(kOwnerRect, FALSE);
    first.m_tools = second.m_tools = {{CRect(0, 0, 200, 100), 7, L"Open"}};
    CRecordingContext context;
    context.m_nMaxTipWidth = 300;
    context.m_clrBack = RGB(1, 2, 3);
    context.m_clrText = RGB(4, 5, 6);
    context.m_nInitialDelay = 700;
    context.m_nAutoPopDelay = 0x12345;
    MSG msg = OwnerMessage(&first, WM_MOUSEMOVE, CPoint(10, 10));
    context.RelayToolTipMessage(&first, &msg);
    const Calls configured = {L"SETFONT",
                              L"MAXWIDTH 300",
                              L"MARGIN",
                              L"BKCOLOR",
                              L"TEXTCOLOR",
                              L"DELAY " + std::to_wstring(TTDT_INITIAL) + L" 700",
                              L"DELAY " + std::to_wstring(TTDT_AUTOPOP) + L" " + std::to_wstring(0x2345),
                              L"ACTIVATE 0"};
    EXPECT_EQ(context.TakeCalls(), Join(configured, {L"ADD 7 Open", L"TITLE 0 -", L"WFP", L"RELAY 512"}));
    CWnd* pTip = context.GetToolTipWindow();
    const HWND hWndFirst = pTip->GetSafeHwnd();
    EXPECT_EQ(::GetWindow(hWndFirst, GW_OWNER), first.GetSafeHwnd());

    // The same object makes a window for the other owner; the tool is new there.
    msg = OwnerMessage(&second, WM_MOUSEMOVE, CPoint(10, 10));
    context.RelayToolTipMessage(&second, &msg);
    EXPECT_EQ(context.TakeCalls(), Join(configured, {L"ADD 7 Open", L"TITLE 0 -", L"WFP", L"RELAY 512"}));
    EXPECT_EQ(context.GetToolTipWindow(), pTip);
    EXPECT_FALSE(::IsWindow(hWndFirst));
    EXPECT_EQ(::GetWindow(pTip->GetSafeHwnd(), GW_OWNER), second.GetSafeHwnd());
}

TEST(ToolTipContext, FillToolInfoFillsOnlyRecordsLargeEnough) {
    const CRect rect(1, 2, 3, 4);
    CTkImageManager* const pImages = reinterpret_cast<CTkImageManager*>(0x1000);
    struct Case {
        UINT cbSize;
        bool bExtra;
        LPCWSTR pszTitle;
        LPCWSTR pszDescription;
        bool bFilled;
        bool bStrings;
        bool bImages;
    };
    const Case cases[] = {
        {0, false, nullptr, nullptr, false, false, false},
        {AFX_TOOLINFO_V1_SIZE - 1, true, L"T", L"D", false, false, false},
        {AFX_TOOLINFO_V1_SIZE, true, L"T", L"D", true, false, false},
        {AFX_TOOLINFO_V2_SIZE, false, L"T", L"D", true, false, false},
        {AFX_TOOLINFO_V2_SIZE, true, L"T", L"D", true, true, true},
        {AFX_TOOLINFO_V2_SIZE, true, L"T", L"", true, false, true},
        {AFX_TOOLINFO_V2_SIZE, true, nullptr, L"D", true, false, true},
    };
    for (const Case& c : cases) {
        ToolTipExtraInfo extra = {};
        TOOLINFO info = {};
        info.cbSize = c.cbSize;
        info.uFlags = TTF_SUBCLASS;
        if (c.bExtra)
            info.lParam = reinterpret_cast<LPARAM>(&extra);
        const HWND hWnd = reinterpret_cast<HWND>(0x10);
        FillToolInfoEx(&info, hWnd, rect, 9, L"Text", c.pszTitle, c.pszDescription, pImages);
        EXPECT_EQ(info.hwnd == hWnd, c.bFilled) << c.cbSize;
        EXPECT_EQ(info.uFlags, static_cast<UINT>(TTF_SUBCLASS)) << "flags are the caller's";
        if (c.bFilled) {
            EXPECT_EQ(CRect(info.rect), rect);
            EXPECT_EQ(info.uId, 9u);
            EXPECT_STREQ(info.lpszText, L"Text");
        }
        EXPECT_EQ(extra.pszTitle != nullptr, c.bStrings);
        EXPECT_EQ(extra.pszDescription != nullptr, c.bStrings);
        if (c.bStrings) {
            EXPECT_STREQ(extra.pszTitle, L"T");
            EXPECT_STREQ(extra.pszDescription, L"D");
        }
        EXPECT_EQ(extra.pImageManager == pImages, c.bImages);
        std::free(info.lpszText);
        std::free(extra.pszTitle);
        std::free(extra.pszDescription);
    }
    FillToolInfo(nullptr, nullptr, rect, 1, L"x");  // nothing to fill

    TOOLINFO info = {};
    info.cbSize = AFX_TOOLINFO_V1_SIZE;
    FillToolInfo(&info, nullptr, rect, 1, nullptr);
    EXPECT_STREQ(info.lpszText, L"") << "no text is an empty copy";
    std::free(info.lpszText);
    FillToolInfo(&info, nullptr, rect, 1, LPSTR_TEXTCALLBACKW);
    EXPECT_EQ(info.lpszText, LPSTR_TEXTCALLBACKW);
}

// A child that stands for its parent, as the in-place edits of command-bar controls do.
class CInPlaceEdit : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kToolTipUseParentMessage)
            return m_bStandsForParent ? 1 : 0;
        return CWnd::WindowProc(message, wParam, lParam);
    }
    BOOL m_bStandsForParent = TRUE;
};

// It reads the shared screen (WindowFromPoint), so it runs alone with the pointer cases.
TEST(ToolTipPointer, InPlaceEditsStandForTheirParent) {
    CScriptedOwner owner(CRect(620, 620, 700, 660));
    CInPlaceEdit edit;
    edit.CreateEx(0, AfxRegisterWndClass(0), L"", WS_CHILD | WS_VISIBLE, CRect(10, 10, 40, 30), &owner, 1);
    EXPECT_EQ(ResolveToolTipWindow(edit.GetSafeHwnd()), owner.GetSafeHwnd());
    EXPECT_EQ(ResolveToolTipWindow(owner.GetSafeHwnd()), owner.GetSafeHwnd()) << "top-level windows are not asked";
    EXPECT_EQ(ResolveToolTipWindow(nullptr), nullptr);

    // The standard tip answers the parent for a point over the edit.
    CTkToolTipContext::CStandardToolTip tip;
    ASSERT_TRUE(tip.Create(&owner, TTS_ALWAYSTIP));
    POINT pt = {645, 645};
    ASSERT_EQ(::WindowFromPoint(pt), edit.GetSafeHwnd());
    EXPECT_EQ(reinterpret_cast<HWND>(tip.SendMessage(TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&pt))),
              owner.GetSafeHwnd());
    edit.m_bStandsForParent = FALSE;
    EXPECT_EQ(reinterpret_cast<HWND>(tip.SendMessage(TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&pt))),
              edit.GetSafeHwnd());
}

}  // namespace
