// Which windows get which skin objects, how objects leave with their windows, and how messages reach them:
// the creation hooks, the window-class table, the opt-out protocol and the default-procedure bridge.

#include "SkinTestSupport.h"
#include "TestSkins.h"
#include "TkSkinManagerApiHook.h"
#include "TkSkinObjectFrame.h"
#include "WaitUntil.h"

#include <atomic>
#include <process.h>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace {

// A skin object of a test class: counts WM_GETTEXTLENGTH and answers it with the default answer + 100, so
// that a test sees both how often the handler ran and which default procedure Default() reached.
class CountingSkinObject : public CTkSkinObjectFrame {
    DECLARE_DYNCREATE(CountingSkinObject)
public:
    static int s_nCalls;

protected:
    LRESULT OnGetTextLength(WPARAM, LPARAM) {
        ++s_nCalls;
        return Default() + 100;
    }
    DECLARE_MESSAGE_MAP()
};

int CountingSkinObject::s_nCalls = 0;

IMPLEMENT_DYNCREATE(CountingSkinObject, CTkSkinObjectFrame)
BEGIN_MESSAGE_MAP(CountingSkinObject, CTkSkinObjectFrame)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
END_MESSAGE_MAP()

constexpr wchar_t kCountedClass[] = L"TesselonCounted";

// Messages the test windows' own procedure saw.
std::vector<UINT> g_ownMessages;

LRESULT CALLBACK OwnProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    g_ownMessages.push_back(message);
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

LRESULT CALLBACK OwnDialogLikeProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    g_ownMessages.push_back(message);
    return ::DefDlgProcW(hWnd, message, wParam, lParam);
}

int CountOwn(UINT message) {
    int nCount = 0;
    for (UINT seen : g_ownMessages)
        nCount += seen == message ? 1 : 0;
    return nCount;
}

// Registers a class of this program (once; a system class of the same name is hidden by it) and makes a
// hidden popup of it.
HWND CreateOfClass(LPCWSTR pszClass, WNDPROC pfnProc = &OwnProc, int nExtra = 0) {
    static std::mutex s_lock;  // threads of the thread test register too
    static std::set<std::wstring> s_registered;
    HINSTANCE hInstance = ::GetModuleHandleW(nullptr);
    const std::lock_guard<std::mutex> guard(s_lock);
    if (s_registered.insert(pszClass).second) {
        WNDCLASSW wndClass = {};
        wndClass.lpfnWndProc = pfnProc;
        wndClass.cbWndExtra = nExtra;
        wndClass.hInstance = hInstance;
        wndClass.lpszClassName = pszClass;
        EXPECT_NE(::RegisterClassW(&wndClass), 0) << CStringA(pszClass).GetString();
    }
    return ::CreateWindowExW(0, pszClass, L"abc", WS_POPUP, 0, 0, 100, 50, nullptr, nullptr, hInstance, nullptr);
}

// A dialog template in memory: no menu, class or title, no controls.
std::vector<WORD> DialogTemplate(DWORD dwStyle) {
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
    auto* pTemplate = reinterpret_cast<DLGTEMPLATE*>(words.data());
    pTemplate->style = dwStyle;
    pTemplate->cx = 100;
    pTemplate->cy = 60;
    return words;
}

INT_PTR CALLBACK EmptyDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

enum class Expect { None, Frame, Counted };

}  // namespace

// The class names decide: exact tool tips and any "ime" stay unskinned, framework windows are attached
// passively, browser and COM windows are left alone, the table (with aliases and 49-character names) names
// the object class, and everything else gets a frame.
TEST(SkinWindows, ClassNamesChooseTheSkinObject) {
    ::InitCommonControls();
    HWND hToolTip =
        ::CreateWindowExW(0, TOOLTIPS_CLASSW, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND hPager =
        ::CreateWindowExW(0, WC_PAGESCROLLERW, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hToolTip, nullptr);
    ASSERT_NE(hPager, nullptr);
    CTkSkinManager* pManager = GetSkinManager();
    const std::wstring longName = L"Tesselon" + std::wstring(52, L'x');  // 60 characters, read as 49
    pManager->AddSkinObjectClass(kCountedClass, RUNTIME_CLASS(CountingSkinObject));
    pManager->AddSkinObjectClass(longName.substr(0, 49).c_str(), RUNTIME_CLASS(CountingSkinObject));
    pManager->AddSkinObjectAlias(L"TesselonAlias", kCountedClass);
    pManager->AddSkinObjectAlias(L"TesselonOrphan", L"NoSuchClass");
    pManager->AddSkinObjectClass(L"tesselonCOUNTED", nullptr);  // the first entry stays
    EXPECT_EQ(pManager->FindSkinObjectClass(L"TesselonOrphan"), nullptr);
    EXPECT_EQ(pManager->FindSkinObjectClass(L"tesselonalias"), pManager->FindSkinObjectClass(kCountedClass));

    struct Row {
        LPCWSTR pszClass;  // NULL: the window made above
        HWND hWnd;
        Expect expect;
        BOOL bPassive;
    };
    Row rows[] = {
        {nullptr, hToolTip, Expect::None, FALSE},
        {nullptr, hPager, Expect::None, FALSE},
        {L"Tooltips_Class32", nullptr, Expect::Frame, FALSE},  // the exact name only
        {L"ime", nullptr, Expect::None, FALSE},
        {L"WindowsForms10.TesselonCounted.app.0.1", nullptr, Expect::Counted, TRUE},
        {L"WindowsForms10.Window.8.app.0.1", nullptr, Expect::Frame, TRUE},
        {L"WindowsForms10.Single", nullptr, Expect::Frame, TRUE},
        {L"Internet Explorer_Server", nullptr, Expect::None, FALSE},
        {L"TesselonOleMainThreadWnd", nullptr, Expect::None, FALSE},
        {L"tesselonalias", nullptr, Expect::Counted, FALSE},
        {longName.c_str(), nullptr, Expect::Counted, FALSE},
        {L"TesselonUnlisted", nullptr, Expect::Frame, FALSE},
    };
    for (Row& row : rows) {
        if (row.pszClass != nullptr)
            row.hWnd = CreateOfClass(row.pszClass);
        ASSERT_NE(row.hWnd, nullptr);
        const CString strName = row.pszClass != nullptr ? CString(row.pszClass) : CString(L"(system class)");
        CTkSkinObject* pObject = pManager->FindSkinObject(row.hWnd);
        switch (row.expect) {
            case Expect::None:
                EXPECT_EQ(pObject, nullptr) << CStringA(strName).GetString();
                break;
            case Expect::Frame:
                ASSERT_NE(pObject, nullptr) << CStringA(strName).GetString();
                EXPECT_EQ(pObject->GetRuntimeClass(), RUNTIME_CLASS(CTkSkinObjectFrame));
                break;
            case Expect::Counted:
                ASSERT_NE(pObject, nullptr) << CStringA(strName).GetString();
                EXPECT_EQ(pObject->GetRuntimeClass(), RUNTIME_CLASS(CountingSkinObject));
                break;
        }
        if (pObject != nullptr) {
            EXPECT_EQ(pObject->IsPassive(), row.bPassive) << CStringA(strName).GetString();
            EXPECT_EQ(pObject->GetVisualStyleClass(), L"WINDOW");
            // A passive object leaves the window's procedure as it was.
            const bool bSubclassed =
                ::GetWindowLongPtrW(row.hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&SkinSubclassWndProc);
            EXPECT_EQ(bSubclassed, !row.bPassive) << CStringA(strName).GetString();
        }
        ::DestroyWindow(row.hWnd);
    }
}

// Dialogs are of kind 2; the pages of a property sheet of kind 6; the pages of a wizard (whose tab control
// is hidden) of kind 2.
TEST(SkinWindows, DialogsKnowWhetherTheyArePropertyPages) {
    CTkSkinManager* pManager = GetSkinManager();
    std::vector<WORD> dialog = DialogTemplate(WS_POPUP | DS_MODALFRAME | WS_CAPTION);
    HWND hDialog = ::CreateDialogIndirectParamW(nullptr, reinterpret_cast<DLGTEMPLATE*>(dialog.data()), nullptr,
                                                &EmptyDialogProc, 0);
    ASSERT_NE(hDialog, nullptr);
    auto kindOf = [&](HWND hWnd) {
        auto* pFrame = dynamic_cast<CTkSkinObjectFrame*>(pManager->FindSkinObject(hWnd));
        return pFrame != nullptr ? pFrame->GetWindowKind() : 0;
    };
    EXPECT_EQ(kindOf(hDialog), CTkSkinObjectFrame::kDialog);
    ::DestroyWindow(hDialog);

    std::vector<WORD> page = DialogTemplate(WS_CHILD | DS_CONTROL);
    for (const bool bWizard : {false, true}) {
        PROPSHEETPAGEW pageInfo = {};
        pageInfo.dwSize = sizeof(pageInfo);
        pageInfo.dwFlags = PSP_DLGINDIRECT;
        pageInfo.pResource = reinterpret_cast<DLGTEMPLATE*>(page.data());
        pageInfo.pfnDlgProc = &EmptyDialogProc;
        PROPSHEETHEADERW header = {};
        header.dwSize = sizeof(header);
        header.dwFlags = PSH_MODELESS | PSH_PROPSHEETPAGE | (bWizard ? PSH_WIZARD : 0);
        header.pszCaption = L"Sheet";
        header.nPages = 1;
        header.ppsp = &pageInfo;
        auto hSheet = reinterpret_cast<HWND>(::PropertySheetW(&header));
        ASSERT_NE(hSheet, nullptr);
        HWND hPage = PropSheet_GetCurrentPageHwnd(hSheet);
        ASSERT_NE(hPage, nullptr);
        EXPECT_EQ(kindOf(hSheet), CTkSkinObjectFrame::kDialog);
        EXPECT_EQ(kindOf(hPage), bWizard ? CTkSkinObjectFrame::kDialog : CTkSkinObjectFrame::kPropertyPage)
            << (bWizard ? "wizard" : "property sheet");
        ::DestroyWindow(hSheet);
    }
}

// An object leaves the map with its window, and the window's own procedure still gets WM_NCDESTROY: with
// and without a skin, for subclassed and passive objects. A passive object whose window died while no hook
// could see it is dropped at the next skin change.
TEST(SkinWindows, DestroyedWindowsLeaveTheMap) {
    CTkSkinManager* pManager = GetSkinManager();
    auto destroy = [&](LPCWSTR pszClass, bool bGone) {
        g_ownMessages.clear();
        HWND hWnd = CreateOfClass(pszClass);
        EXPECT_NE(pManager->FindSkinObject(hWnd), nullptr);
        ::DestroyWindow(hWnd);
        EXPECT_EQ(CountOwn(WM_NCDESTROY), 1) << CStringA(pszClass).GetString();
        EXPECT_EQ(pManager->FindSkinObject(hWnd) == nullptr, bGone) << CStringA(pszClass).GetString();
        return hWnd;
    };
    destroy(L"TesselonPlain", true);
    HWND hUnseen = destroy(L"WindowsForms10.Window.8.app.0.1", false);  // no hooked default procedure yet
    OpenStateCodedSkin();
    EXPECT_EQ(pManager->FindSkinObject(hUnseen), nullptr) << "the skin change drops the dead window's object";
    destroy(L"TesselonPlain", true);
    destroy(L"WindowsForms10.Window.8.app.0.1", true);
    EXPECT_FALSE(pManager->OpenSkin(L"C:\\no such skin", nullptr));
    destroy(L"TesselonPlain", true);
}

// Each message reaches the object's handler once, wherever the window's procedure comes from, and the
// handler's Default() reaches the procedure the message was on its way to.
TEST(SkinWindows, HandlersRunOnceAndDefaultReachesTheRightProcedure) {
    CTkSkinManager* pManager = OpenStateCodedSkin();
    pManager->AddSkinObjectClass(L"TesselonCountedOwn", RUNTIME_CLASS(CountingSkinObject));
    pManager->AddSkinObjectClass(L"TesselonCountedDialogLike", RUNTIME_CLASS(CountingSkinObject));
    pManager->AddSkinObjectClass(L"TesselonCountedStatic", RUNTIME_CLASS(CountingSkinObject));
    WNDCLASSW staticClass = {};
    ASSERT_TRUE(::GetClassInfoW(nullptr, L"Static", &staticClass));

    struct Row {
        LPCWSTR pszClass;
        WNDPROC pfnProc;
        int nExtra;
        int nOwnCalls;  // how often the window's own procedure sees the message
    };
    const Row rows[] = {
        {L"TesselonCountedOwn", &OwnProc, 0, 1},                                // through DefWindowProc
        {L"TesselonCountedDialogLike", &OwnDialogLikeProc, DLGWINDOWEXTRA, 1},  // through DefDlgProc
        {L"TesselonCountedStatic", staticClass.lpfnWndProc, 0, 0},              // the system's procedure
    };
    for (const Row& row : rows) {
        HWND hWnd = CreateOfClass(row.pszClass, row.pfnProc, row.nExtra);
        ASSERT_NE(hWnd, nullptr);
        ::SetWindowTextW(hWnd, L"abc");
        g_ownMessages.clear();
        CountingSkinObject::s_nCalls = 0;
        EXPECT_EQ(::SendMessageW(hWnd, WM_GETTEXTLENGTH, 0, 0), 103) << CStringA(row.pszClass).GetString();
        EXPECT_EQ(CountingSkinObject::s_nCalls, 1) << CStringA(row.pszClass).GetString();
        EXPECT_EQ(CountOwn(WM_GETTEXTLENGTH), row.nOwnCalls) << CStringA(row.pszClass).GetString();
        ::DestroyWindow(hWnd);
    }
}

namespace {

// A class-library window that answers the opt-out query with m_nAnswer.
class OptOutWnd : public CWnd {
public:
    LRESULT m_nAnswer = 1;

protected:
    LRESULT OnQueryState(WPARAM, LPARAM) { return m_nAnswer; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(OptOutWnd, CWnd)
    ON_REGISTERED_MESSAGE(WM_SKINFRAMEWORK_QUERYSTATE, OnQueryState)
END_MESSAGE_MAP()

LRESULT g_nForeignAnswer = 1;

LRESULT CALLBACK ForeignOptOutProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SKINFRAMEWORK_QUERYSTATE)
        return g_nForeignAnswer;
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

}  // namespace

// A class-library window that opts out keeps the system's look until it changes its answer and is told so;
// a foreign window is not asked at creation.
TEST(SkinWindows, WindowsOptOutThroughTheQuery) {
    CTkSkinManager* pManager = OpenStateCodedSkin();
    pManager->AddSkinObjectClass(L"TesselonOptOut", RUNTIME_CLASS(CountingSkinObject));
    pManager->AddSkinObjectClass(L"TesselonForeignOptOut", RUNTIME_CLASS(CountingSkinObject));
    WNDCLASSW wndClass = {};
    wndClass.lpfnWndProc = ::DefWindowProcW;
    wndClass.hInstance = ::GetModuleHandleW(nullptr);
    wndClass.lpszClassName = L"TesselonOptOut";
    ASSERT_TRUE(AfxRegisterClass(&wndClass));
    OptOutWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, L"TesselonOptOut", L"abc", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    CTkSkinObject* pObject = pManager->FindSkinObject(wnd.GetSafeHwnd());
    ASSERT_NE(pObject, nullptr);
    EXPECT_TRUE(pObject->IsOptedOut());
    CountingSkinObject::s_nCalls = 0;
    EXPECT_EQ(wnd.SendMessage(WM_GETTEXTLENGTH), 3);
    EXPECT_EQ(CountingSkinObject::s_nCalls, 0);

    wnd.m_nAnswer = 0;
    wnd.SendMessage(WM_SKINFRAMEWORK_UPDATESTATE);
    EXPECT_FALSE(pObject->IsOptedOut());
    EXPECT_EQ(wnd.SendMessage(WM_GETTEXTLENGTH), 103);
    EXPECT_EQ(CountingSkinObject::s_nCalls, 1);
    wnd.DestroyWindow();

    HWND hForeign = CreateOfClass(L"TesselonForeignOptOut", &ForeignOptOutProc);
    pObject = pManager->FindSkinObject(hForeign);
    ASSERT_NE(pObject, nullptr);
    EXPECT_FALSE(pObject->IsOptedOut()) << "only the class library's windows are asked at creation";
    ::SendMessageW(hForeign, WM_SKINFRAMEWORK_UPDATESTATE, 0, 0);
    EXPECT_TRUE(pObject->IsOptedOut());
    ::DestroyWindow(hForeign);
}

namespace {

struct ThreadWindow {
    HANDLE hGo = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> bSkinned{false};
    std::atomic<bool> bDone{false};
};

unsigned __stdcall CreateWindowOnThread(void* pParameter) {
    auto* pThread = static_cast<ThreadWindow*>(pParameter);
    ::WaitForSingleObject(pThread->hGo, INFINITE);
    HWND hWnd = CreateOfClass(L"TesselonThreadWindow");
    pThread->bSkinned = GetSkinManager()->FindSkinObject(hWnd) != nullptr;
    ::DestroyWindow(hWnd);
    pThread->bDone = true;
    return 0;
}

unsigned __stdcall ChurnWindows(void* pParameter) {
    auto* pStop = static_cast<std::atomic<bool>*>(pParameter);
    while (!*pStop)
        ::DestroyWindow(CreateOfClass(L"TesselonChurn"));
    return 0;
}

}  // namespace

// Threads started while a skin is in force create skinned windows; those started before do not. Windows
// come and go on another thread while the skin changes.
TEST(SkinWindows, ThreadsStartedWhileSkinnedGetTheCreationHook) {
    GetSkinManager();
    ThreadWindow before;
    HANDLE hBefore = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &CreateWindowOnThread, &before, 0, nullptr));
    OpenStateCodedSkin();
    ThreadWindow after;
    HANDLE hAfter = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &CreateWindowOnThread, &after, 0, nullptr));
    ::SetEvent(before.hGo);
    ::SetEvent(after.hGo);
    EXPECT_TRUE(WaitUntil([&] { return before.bDone && after.bDone; }));
    EXPECT_FALSE(before.bSkinned);
    EXPECT_TRUE(after.bSkinned);

    std::atomic<bool> bStop{false};
    HANDLE hChurn = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &ChurnWindows, &bStop, 0, nullptr));
    for (int i = 0; i < 20; ++i)
        GetSkinManager()->SetSkinningOptions(i % 2 == 0 ? 7 : 5);
    bStop = true;
    for (HANDLE hThread : {hBefore, hAfter, hChurn}) {
        EXPECT_EQ(::WaitForSingleObject(hThread, 10000), WAIT_OBJECT_0);
        ::CloseHandle(hThread);
    }
}

namespace {

HWND g_hCancelled = nullptr;

LRESULT CALLBACK CancelCreation(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode == HCBT_CREATEWND) {
        g_hCancelled = reinterpret_cast<HWND>(wParam);
        return 1;
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

}  // namespace

// A creation that an older hook cancels leaves no object behind for a window that never was.
TEST(SkinWindows, CancelledCreationsGetNoObject) {
    HHOOK hCancel = ::SetWindowsHookExW(WH_CBT, &CancelCreation, nullptr, ::GetCurrentThreadId());
    CTkSkinManager* pManager = GetSkinManager();  // its hook is the newer one and runs first
    EXPECT_EQ(CreateOfClass(L"TesselonCancelled"), nullptr);
    ::UnhookWindowsHookEx(hCancel);
    ASSERT_NE(g_hCancelled, nullptr);
    EXPECT_EQ(pManager->FindSkinObject(g_hCancelled), nullptr);
}

// Every top-level window of the process hears of a skin change.
TEST(SkinWindows, SkinChangesReachTopLevelWindows) {
    HWND hWnd = CreateOfClass(L"TesselonTopLevel");
    g_ownMessages.clear();
    OpenStateCodedSkin();
    EXPECT_TRUE(PumpUntil([] { return CountOwn(WM_SYSCOLORCHANGE) > 0; }));
    ::DestroyWindow(hWnd);
}
