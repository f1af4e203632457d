// The application-shaped frame (built like the program's main frame, common controls 6 by the manifest):
// every window gets the skin object of its class, each control prints the parts of its state with the
// state-coded skin, the common controls' own drawing takes the skin's colours, and every part drawn there
// comes out of the program's skin too. With the program's skin, pictures for a person to look at.

#include "FoundationTestSupport.h"
#include "SkinAppFrame.h"
#include "SkinAppResources.h"
#include "SkinTestSupport.h"
#include "TestSkins.h"
#include "TkSkinManagerClass.h"
#include "TkSkinObjectButton.h"
#include "TkSkinObjectComboBox.h"
#include "TkSkinObjectDateTime.h"
#include "TkSkinObjectEdit.h"
#include "TkSkinObjectHeader.h"
#include "TkSkinObjectList.h"
#include "TkSkinObjectMenu.h"
#include "TkSkinObjectProgress.h"
#include "TkSkinObjectSpin.h"
#include "TkSkinObjectStatusBar.h"
#include "TkSkinObjectToolBar.h"
#include "TkSkinSchemaNames.h"
#include "WaitUntil.h"

#include <atomic>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <tuple>
#include <vector>
#include <vssym32.h>

namespace {

using Cell = std::tuple<int, int, int>;  // class, part, state

// The frame and its settings dialog, shown at the screen's corner, with the messages they posted served.
class AppUnderSkin {
public:
    explicit AppUnderSkin(LPCWSTR pszSkin) : m_pFrame(new CSkinAppFrame(ProgramFolderFile(pszSkin).c_str())) {
        EXPECT_TRUE(m_pFrame->LoadFrame(IDR_SKIN_APP_FRAME));
        m_hFrame = m_pFrame->m_hWnd;
        m_pFrame->SetWindowPos(nullptr, 0, 0, 900, 560, SWP_NOZORDER);
        m_pFrame->ShowWindow(SW_SHOW);
        EXPECT_TRUE(m_dialog.Create(IDD_SKIN_APP_DIALOG, m_pFrame));
        m_dialog.SetWindowPos(nullptr, 520, 330, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        m_dialog.ShowWindow(SW_SHOW);
        Settle();
    }
    ~AppUnderSkin() {
        m_dialog.DestroyWindow();
        if (::IsWindow(m_hFrame))
            ::DestroyWindow(m_hFrame);
    }
    AppUnderSkin(const AppUnderSkin&) = delete;
    AppUnderSkin& operator=(const AppUnderSkin&) = delete;

    // Serves what the skin posted (colour changes) and lets every window paint.
    static void Settle() {
        MSG msg;
        for (int nRound = 0; nRound < 3; ++nRound) {
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            ::RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        }
    }
    HWND Item(int nId) const { return ::GetDlgItem(m_dialog.m_hWnd, nId); }

    CWinApp m_app{L"skin app"};
    CSkinAppFrame* m_pFrame;  // deletes itself with its window
    HWND m_hFrame = nullptr;
    CSkinAppDialog m_dialog;
};

CRuntimeClass* ObjectClass(HWND hWnd) {
    CTkSkinObject* pObject = GetSkinManager()->FindSkinObject(hWnd);
    return pObject != nullptr ? pObject->GetRuntimeClass() : nullptr;
}

// The cells of the state-coded skin that a print shows (other colours are ignored).
void CollectCells(const SkinCanvas& dc, std::set<Cell>& cells) {
    for (int y = 0; y < dc.GetHeight(); ++y)
        for (int x = 0; x < dc.GetWidth(); ++x) {
            TestSkinCell cell{};
            if (!DecodeTestSkinColor(dc.At(x, y), cell))
                continue;
            for (const TestSkinPart& part : kTestSkinParts)
                if (part.classId == cell.cls && part.part == cell.part && cell.state >= part.firstState &&
                    cell.state < part.firstState + part.stateCount)
                    cells.insert({cell.cls, cell.part, cell.state});
        }
}

const wchar_t* ClassName(int nClassId) {
    for (const TkSkinClassName& name : kSkinClassNames)
        if (name.nId == nClassId)
            return name.pszName;
    return L"";
}

struct MenuCapture {
    HWND hMenu = nullptr;
    bool bMenuObject = false;
    int nColors = 0;
};
MenuCapture g_menu;
std::wstring g_screenshot;  // the picture the menu's timer takes of the whole screen, when named

void CaptureScreen(LPCWSTR pszFileName, int cx, int cy) {
    CScopedMemDC dc(cx, cy);
    HDC hScreen = ::GetDC(nullptr);
    ::BitBlt(dc.GetSafeHdc(), 0, 0, cx, cy, hScreen, 0, 0, SRCCOPY);
    ::ReleaseDC(nullptr, hScreen);
    WritePng(dc, pszFileName);
}

void CALLBACK InspectMenu(HWND hWnd, UINT, UINT_PTR nId, DWORD) {
    ::KillTimer(hWnd, nId);
    g_menu.hMenu = FindThreadWindow(L"#32768");
    if (g_menu.hMenu != nullptr) {
        g_menu.bMenuObject = ObjectClass(g_menu.hMenu) == RUNTIME_CLASS(CTkSkinObjectMenu);
        CRect rc;
        ::GetWindowRect(g_menu.hMenu, &rc);
        SkinCanvas dc(rc.Width(), rc.Height());
        PrintInto(dc, g_menu.hMenu, WM_PRINT, PRF_NONCLIENT | PRF_CLIENT);
        std::set<COLORREF> colors;
        for (int y = 0; y < dc.GetHeight(); ++y)
            for (int x = 0; x < dc.GetWidth(); ++x)
                colors.insert(dc.At(x, y));
        g_menu.nColors = static_cast<int>(colors.size());
        if (!g_screenshot.empty()) {
            AppUnderSkin::Settle();
            CaptureScreen(g_screenshot.c_str(), 1200, 800);
        }
    }
    ::EndMenu();
}

// Opens the frame's popup menu over the list and inspects it from inside the menu's loop.
void TrackAppMenu(HWND hFrame) {
    CMenu menu;
    menu.Attach(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_SKIN_APP_POPUP)));
    ::SetForegroundWindow(hFrame);
    ::SetTimer(hFrame, 77, 300, &InspectMenu);
    ::TrackPopupMenu(::GetSubMenu(menu.GetSafeHmenu(), 0), TPM_LEFTALIGN, 420, 200, 0, hFrame, nullptr);
}

}  // namespace

TEST(SkinAppFrame, EveryWindowIsSkinnedAndDrawsItsParts) {
    AppUnderSkin app(kStateCodedModule);
    ASSERT_TRUE(app.m_pFrame->m_bSkinOpened);
    CSkinAppPane& pane = app.m_pFrame->GetPane();
    HWND hTree = app.m_pFrame->GetTreeView()->m_tree.m_hWnd;
    HWND hList = pane.m_list.m_hWnd;
    auto hHeader = reinterpret_cast<HWND>(::SendMessageW(hList, LVM_GETHEADER, 0, 0));
    COMBOBOXINFO combo = {sizeof(combo)};
    ASSERT_TRUE(::GetComboBoxInfo(app.Item(IDC_APP_COMBO), &combo));

    // ---- Every window and its object class; the frame itself was made before the skin.
    const struct {
        const char* pszWhat;
        HWND hWnd;
        CRuntimeClass* pClass;
    } windows[] = {
        {"frame", app.m_hFrame, nullptr},
        {"status bar", app.m_pFrame->m_statusBar.m_hWnd, RUNTIME_CLASS(CTkSkinObjectStatusBar)},
        {"splitter", app.m_pFrame->m_splitter.m_hWnd, RUNTIME_CLASS(CTkSkinObjectFrame)},
        {"tree", hTree, RUNTIME_CLASS(CTkSkinObjectTreeView)},
        {"pane", pane.m_hWnd, RUNTIME_CLASS(CTkSkinObjectFrame)},
        {"toolbar", pane.m_toolBar.m_hWnd, RUNTIME_CLASS(CTkSkinObjectToolBar)},
        {"list", hList, RUNTIME_CLASS(CTkSkinObjectListView)},
        {"header", hHeader, RUNTIME_CLASS(CTkSkinObjectHeader)},
        {"dialog", app.m_dialog.m_hWnd, RUNTIME_CLASS(CTkSkinObjectFrame)},
        {"OK", app.Item(IDOK), RUNTIME_CLASS(CTkSkinObjectButton)},
        {"check box", app.Item(IDC_APP_CHECK), RUNTIME_CLASS(CTkSkinObjectButton)},
        {"radio button", app.Item(IDC_APP_RADIO_VOICE), RUNTIME_CLASS(CTkSkinObjectButton)},
        {"group box", app.Item(IDC_APP_GROUP), RUNTIME_CLASS(CTkSkinObjectButton)},
        {"edit", app.Item(IDC_APP_EDIT), RUNTIME_CLASS(CTkSkinObjectEdit)},
        {"up-down", app.Item(IDC_APP_SPIN), RUNTIME_CLASS(CTkSkinObjectSpin)},
        {"combo", combo.hwndCombo, RUNTIME_CLASS(CTkSkinObjectComboBox)},
        {"combo's edit", combo.hwndItem, RUNTIME_CLASS(CTkSkinObjectEdit)},
        {"combo's list", combo.hwndList, RUNTIME_CLASS(CTkSkinObjectListBox)},
        {"date-time", app.Item(IDC_APP_DATETIME), RUNTIME_CLASS(CTkSkinObjectDateTime)},
        {"progress", app.Item(IDC_APP_PROGRESS), RUNTIME_CLASS(CTkSkinObjectProgress)},
    };
    for (const auto& window : windows) {
        ASSERT_TRUE(::IsWindow(window.hWnd)) << window.pszWhat;
        EXPECT_EQ(ObjectClass(window.hWnd), window.pClass) << window.pszWhat;
    }
    EXPECT_EQ(dynamic_cast<CTkSkinObjectFrame*>(GetSkinManager()->FindSkinObject(app.m_dialog.m_hWnd))->GetWindowKind(),
              CTkSkinObjectFrame::kDialog);

    // ---- A probe per control and part, every print's cells collected.
    std::set<Cell> cells;
    auto print = [&](HWND hWnd, UINT message = WM_PRINTCLIENT, LPARAM nFlags = PRF_CLIENT) {
        CRect rc;
        ::GetWindowRect(hWnd, &rc);
        auto pDC = std::make_unique<SkinCanvas>(rc.Width(), rc.Height());
        PrintInto(*pDC, hWnd, message, nFlags);
        CollectCells(*pDC, cells);
        return pDC;
    };
    auto expectCell = [](const SkinCanvas& dc, int x, int y, int nClass, int nPart, int nState, const char* pszWhat) {
        EXPECT_EQ(CellAt(dc, x, y), CellName(nClass, nPart, nState)) << pszWhat;
    };
    CRect rc;

    // The toolbar's buttons, the disabled one too, and its separator.
    auto toolBar = print(pane.m_toolBar.m_hWnd);
    for (const auto& [nIndex, nState] : {std::pair<int, int>{0, TS_NORMAL}, std::pair<int, int>{3, TS_DISABLED}}) {
        pane.m_toolBar.SendMessage(TB_GETITEMRECT, nIndex, reinterpret_cast<LPARAM>(&rc));
        expectCell(*toolBar, rc.left + 1, rc.top + 1, kToolBar, TP_BUTTON, nState, "toolbar button");
    }
    pane.m_toolBar.SendMessage(TB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&rc));
    expectCell(*toolBar, rc.CenterPoint().x, rc.CenterPoint().y, kToolBar, TP_SEPARATOR, 0, "toolbar separator");

    // The header's first item; the list's border and both of its scroll bars, printed as its frame.
    auto header = print(hHeader);
    expectCell(*header, 3, 3, kHeader, HP_HEADERITEM, HIS_NORMAL, "header item");
    auto listFrame = print(hList, WM_PRINT, PRF_NONCLIENT);
    auto* pListObject = dynamic_cast<CTkSkinObjectFrame*>(GetSkinManager()->FindSkinObject(hList));
    const RECT rcVert = pListObject->GetScrollBarPosition(1).rc;
    const RECT rcHorz = pListObject->GetScrollBarPosition(0).rc;
    expectCell(*listFrame, (rcVert.left + rcVert.right) / 2, rcVert.top + 3, kScrollBar, SBP_ARROWBTN, ABS_UPNORMAL,
               "list's vertical bar");
    expectCell(*listFrame, rcHorz.left + 3, (rcHorz.top + rcHorz.bottom) / 2, kScrollBar, SBP_ARROWBTN, ABS_LEFTNORMAL,
               "list's horizontal bar");
    EXPECT_EQ(listFrame->At(0, 40), TestSkinCellColor(kListView, 0, 0)) << "the list's border";

    // The common controls' own drawing in the skin's colours: the list's rows and the status bar's face.
    auto list = print(hList);
    CRect rcClient;
    ::GetClientRect(hList, &rcClient);
    CRect rcRow;
    ListView_GetItemRect(hList, 0, &rcRow, LVIR_BOUNDS);
    EXPECT_EQ(list->At(rcClient.right - 5, rcRow.CenterPoint().y), TestSkinSysColor(COLOR_WINDOW));
    auto statusBar = print(app.m_pFrame->m_statusBar.m_hWnd, WM_PRINTCLIENT, PRF_CLIENT | PRF_ERASEBKGND);
    ::GetClientRect(app.m_pFrame->m_statusBar.m_hWnd, &rcClient);
    EXPECT_EQ(statusBar->At(rcClient.right - 30, rcClient.bottom / 2), TestSkinSysColor(COLOR_BTNFACE));
    auto tree = print(hTree, WM_PRINTCLIENT, PRF_CLIENT | PRF_ERASEBKGND);
    ::GetClientRect(hTree, &rcClient);
    EXPECT_EQ(tree->At(rcClient.right - 5, rcClient.bottom - 5), TestSkinSysColor(COLOR_WINDOW));

    // The dialog's buttons.
    auto ok = print(app.Item(IDOK));
    expectCell(*ok, 2, 2, kButton, BP_PUSHBUTTON, PBS_DEFAULTED, "OK");
    auto cancel = print(app.Item(IDCANCEL));
    expectCell(*cancel, 2, 2, kButton, BP_PUSHBUTTON, PBS_NORMAL, "Cancel");
    const struct {
        int nId;
        int nPart;
        int nState;
    } glyphs[] = {{IDC_APP_CHECK, BP_CHECKBOX, CBS_CHECKEDNORMAL},
                  {IDC_APP_RADIO_VOLTAGE, BP_RADIOBUTTON, RBS_CHECKEDNORMAL},
                  {IDC_APP_RADIO_VOICE, BP_RADIOBUTTON, RBS_UNCHECKEDNORMAL}};
    for (const auto& glyph : glyphs) {
        ::GetClientRect(app.Item(glyph.nId), &rcClient);
        auto button = print(app.Item(glyph.nId));
        expectCell(*button, kGlyphCell / 2, rcClient.Height() / 2, kButton, glyph.nPart, glyph.nState, "glyph");
    }
    auto group = print(app.Item(IDC_APP_GROUP));
    expectCell(*group, group->GetWidth() / 2, group->GetHeight() / 2, kButton, BP_GROUPBOX, GBS_NORMAL, "group box");

    // The edit's border (the up-down's strip left out), the up-down's halves, the combo's frame and button,
    // the date-time's check box and the progress bar's chunks.
    auto edit = print(app.Item(IDC_APP_EDIT), WM_PRINT, PRF_NONCLIENT);
    EXPECT_EQ(edit->At(0, edit->GetHeight() / 2), TestSkinCellColor(kEdit, 0, 0));
    EXPECT_EQ(edit->At(edit->GetWidth() - 1, edit->GetHeight() / 2), kCanvasBackground);
    auto spin = print(app.Item(IDC_APP_SPIN));
    expectCell(*spin, spin->GetWidth() / 2, 4, kSpin, SPNP_UP, UPS_NORMAL, "up");
    expectCell(*spin, spin->GetWidth() / 2, spin->GetHeight() - 4, kSpin, SPNP_DOWN, UPS_NORMAL, "down");
    auto comboBox = print(combo.hwndCombo);
    expectCell(*comboBox, 0, comboBox->GetHeight() / 2, kComboBox, 0, CBXS_NORMAL, "combo frame");
    expectCell(*comboBox, comboBox->GetWidth() - 4, comboBox->GetHeight() / 2, kComboBox, CP_DROPDOWNBUTTON,
               CBXS_NORMAL, "combo button");
    ::GetClientRect(app.Item(IDC_APP_DATETIME), &rcClient);
    SkinCanvas dateTime(rcClient.Width(), rcClient.Height());
    PrintInto(dateTime, app.Item(IDC_APP_DATETIME));
    CollectCells(dateTime, cells);
    expectCell(dateTime, 1 + (rcClient.Height() - 2) / 2, rcClient.Height() / 2, kButton, BP_CHECKBOX,
               CBS_UNCHECKEDNORMAL, "date-time check box");
    auto progress = print(app.Item(IDC_APP_PROGRESS));
    expectCell(*progress, progress->GetWidth() / 10, progress->GetHeight() / 2, kProgress, PP_CHUNK, 0, "chunk");
    expectCell(*progress, progress->GetWidth() * 9 / 10, progress->GetHeight() / 2, kProgress, PP_BAR, 0, "bar");

    // ---- The popup menu: its own object, and the system's items printed into the skin's border.
    TrackAppMenu(app.m_hFrame);
    ASSERT_NE(g_menu.hMenu, nullptr);
    EXPECT_TRUE(g_menu.bMenuObject);
    EXPECT_GE(g_menu.nColors, 3);

    // ---- A worker thread's message box: its threads get the creation hook too.
    std::atomic<DWORD> dwWorker{0};
    std::thread worker([&] {
        dwWorker = ::GetCurrentThreadId();
        ::MessageBoxW(nullptr, L"Recording folder is full.", L"Tesselon Server", MB_OK);
    });
    HWND hBox = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return dwWorker != 0 && (hBox = FindThreadWindow(L"#32770", dwWorker)) != nullptr; }));
    HWND hOk = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (hOk = ::GetDlgItem(hBox, IDOK)) != nullptr && ::IsWindowVisible(hOk); }));
    if (hOk != nullptr) {
        EXPECT_EQ(ObjectClass(hOk), RUNTIME_CLASS(CTkSkinObjectButton));
        ::GetClientRect(hOk, &rcClient);
        SkinCanvas box(rcClient.Width(), rcClient.Height());
        PrintInto(box, hOk);
        EXPECT_EQ(CellAt(box, 2, 2).substr(0, 4), "7.1(") << "a push button cell";
    }
    if (hBox != nullptr)
        ::PostMessageW(hBox, WM_COMMAND, IDOK, 0);
    worker.join();

    // ---- Every class, part and state drawn here comes out of the program's skin.
    EXPECT_GT(cells.size(), 15u);
    LoadedSkin program(kProgramSkin);
    for (const auto& [nClass, nPart, nState] : cells) {
        CTkSkinManagerClass* pClass = program.Manager().GetSkinClass(ClassName(nClass));
        ASSERT_NE(pClass, nullptr) << nClass;
        SkinCanvas dc(40, 24);
        const RECT rcPart = {0, 0, 40, 24};
        EXPECT_TRUE(pClass->DrawBackground(&dc, nPart, nState, &rcPart)) << CellName(nClass, nPart, nState);
    }
}

// The program's skin on the whole application: a picture of the frame, the settings dialog and the open
// popup menu for a person to look at (skin_app_program.png), and every control drawn by the skin.
TEST(SkinAppFrame, ProgramSkinPicture) {
    AppUnderSkin app(kProgramSkin);
    ASSERT_TRUE(app.m_pFrame->m_bSkinOpened);
    for (HWND hWnd : {app.m_pFrame->GetPane().m_toolBar.m_hWnd, app.Item(IDOK), app.Item(IDC_APP_COMBO),
                      app.Item(IDC_APP_SPIN), app.Item(IDC_APP_PROGRESS)}) {
        CRect rc;
        ::GetClientRect(hWnd, &rc);
        SkinCanvas dc(rc.Width(), rc.Height());
        PrintInto(dc, hWnd);
        int nMagenta = 0;
        int nBackground = 0;
        for (int y = 0; y < rc.Height(); ++y)
            for (int x = 0; x < rc.Width(); ++x) {
                nMagenta += dc.At(x, y) == RGB(255, 0, 255) ? 1 : 0;
                nBackground += dc.At(x, y) == kCanvasBackground ? 1 : 0;
            }
        EXPECT_EQ(nMagenta, 0) << "the skin's transparent colour shows";
        EXPECT_EQ(nBackground, 0) << "the control left pixels unpainted";
    }
    g_screenshot = L"skin_app_program.png";
    TrackAppMenu(app.m_hFrame);
    EXPECT_TRUE(g_menu.bMenuObject);
}
