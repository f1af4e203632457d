// The placeholders: numbered captions, the window list on a real MDI frame, the workspace actions through
// a registered query, the toolbar list with the hub's toolbars, the recent files and the OLE verbs through
// test subclasses, and the factory and menu import making each kind.

#include "BarFixtures.h"
#include "TkControlCheckBox.h"
#include "TkControlCustom.h"
#include "TkControlLabel.h"
#include "TkControlPlaceholders.h"
#include "TkControlRadioButton.h"
#include "TkToolBar.h"

#include <string>
#include <vector>

namespace {

std::string ClassOf(const CObject* pObject) {
    return pObject != nullptr ? pObject->GetRuntimeClass()->m_lpszClassName : "null";
}

std::vector<int> IdsBehind(CTkControl* pPlaceholder) {
    std::vector<int> ids;
    CTkControls* pControls = pPlaceholder->GetControls();
    for (int i = pPlaceholder->GetIndex() + 1; i < pControls->GetCount(); ++i)
        ids.push_back(pControls->GetAt(i)->GetId());
    return ids;
}

TEST(Placeholders, NumberedCaptionsDoubleAmpersandsAndNumberTheFirstTenWithMnemonics) {
    struct Row {
        LPCWSTR pszText;
        int nNumber;
        LPCWSTR pszExpected;
    };
    const Row rows[] = {
        {L"Save & Close", 0, L"Save && Close"},
        {L"a&&b", 0, L"a&&&&b"},
        {L"Doc", 1, L"&1 Doc"},
        {L"R&D", 9, L"&9 R&&D"},
        {L"Doc", 10, L"1&0 Doc"},
        {L"Doc", 11, L"11 Doc"},
        {L"", 3, L"&3 "},
    };
    for (const Row& row : rows)
        EXPECT_EQ(FormatNumberedMenuText(row.pszText, row.nNumber), CString(row.pszExpected)) << row.nNumber;
}

TEST(Placeholders, DirectoryPrefixTakesOnlyWhatTheSystemWrote) {
    // A directory longer than the buffer: the system answers the size it needs and writes nothing.
    std::wstring strGarbage(MAX_PATH - 1, L'?');
    struct Row {
        LPCWSTR pszBuffer;
        DWORD nAnswered;
        LPCWSTR pszExpected;
    };
    const Row rows[] = {
        {L"C:\\work", 7, L"C:\\work\\"},     {L"C:\\", 3, L"C:\\"}, {L"", 0, L""}, {strGarbage.c_str(), 300, L""},
        {strGarbage.c_str(), MAX_PATH, L""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CTkControlRecentFileList::MakeDirectoryPrefix(row.pszBuffer, row.nAnswered, MAX_PATH),
                  CString(row.pszExpected))
            << row.nAnswered;
}

// ---- An MDI frame with a hub and a popup bar

class CMdiSiteFrame : public CMDIFrameWnd {};

std::vector<std::pair<UINT, BOOL>> g_workspaceAnswers;  // id -> enabled; empty: not a tab client
BOOL TestWorkspaceQuery(HWND hWndMDIClient, UINT nId, BOOL& bEnabled) {
    if (g_workspaceAnswers.empty() || hWndMDIClient == nullptr)
        return FALSE;
    bEnabled = FALSE;
    for (const auto& answer : g_workspaceAnswers) {
        if (answer.first == nId)
            bEnabled = answer.second;
    }
    return TRUE;
}

TEST(PlaceholdersOnMdi, WindowListAndWorkspaceActionsFollowTheMdiClient) {
    auto* pFrame = new CMdiSiteFrame;
    ASSERT_TRUE(pFrame->LoadFrame(4999, WS_OVERLAPPEDWINDOW));
    pFrame->SetWindowPos(nullptr, 0, 0, 500, 400, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    auto* pCommandBars = new CTestCommandBars;
    pCommandBars->AttachToSite(pFrame);
    auto* pBar = new CTestBar;
    pBar->SetCommandBars(pCommandBars);
    SetBarKind(pBar, kBarTypePopup, kBarPopup);
    ASSERT_TRUE(CreateBarWindow(pBar, pFrame));
    CTkControls* pControls = pBar->GetControls();
    pControls->Add(kControlButton, 700);
    CTkControl* pList = pControls->Add(kControlButton, kIdWindowList);
    ASSERT_EQ(ClassOf(pList), "CTkControlWindowList");
    pList->SetFlags(kControlFlagNewRow);
    pControls->Add(kControlButton, 701);

    // Without children: no item, the placeholder hidden.
    pList->PrepareForLayout(0);
    EXPECT_EQ(IdsBehind(pList), (std::vector<int>{701}));
    EXPECT_EQ(pList->GetHideFlags(), static_cast<DWORD>(kHideGeneric));

    std::vector<CMDIChildWnd*> children;
    for (int i = 0; i < 11; ++i) {
        auto* pChild = new CMDIChildWnd;
        CString strTitle;
        strTitle.Format(i == 0 ? L"Calls & Notes %d" : L"Child %d", i);
        ASSERT_TRUE(pChild->Create(nullptr, strTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 150, 100), pFrame));
        children.push_back(pChild);
    }
    ASSERT_EQ(::GetDlgCtrlID(children[0]->m_hWnd), 0xFF00);
    ASSERT_EQ(::GetDlgCtrlID(children[10]->m_hWnd), 0xFF0A);
    children[2]->ShowWindow(SW_HIDE);
    ::SendMessageW(pFrame->m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(children[3]->m_hWnd), 0);

    // Nine items, the hidden child skipped without ending the scan; again after a second expansion.
    for (int nRun = 0; nRun < 2; ++nRun) {
        pList->PrepareForLayout(0);
        const std::vector<int> expected{0xFF00, 0xFF01, 0xFF03, 0xFF04, 0xFF05, 0xFF06, 0xFF07, 0xFF08, 0xFF09, 701};
        ASSERT_EQ(IdsBehind(pList), expected) << nRun;
    }
    CTkControl* pFirst = pControls->GetAt(pList->GetIndex() + 1);
    EXPECT_EQ(pFirst->GetCaptionText(), CString(L"&1 Calls && Notes 0"));
    EXPECT_EQ(pControls->GetAt(pList->GetIndex() + 3)->GetCaptionText(), CString(L"&3 Child 3"));
    for (int i = 1; i <= 9; ++i) {
        CTkControl* pItem = pControls->GetAt(pList->GetIndex() + i);
        EXPECT_TRUE(pItem->IsTemporary());
        EXPECT_EQ(pItem->GetBeginGroup(), i == 1) << i;
        EXPECT_EQ(pItem->GetFlags(), i == 1 ? kControlFlagNoUpdate | kControlFlagNewRow : kControlFlagNoUpdate) << i;
        EXPECT_EQ(pItem->GetChecked(), pItem->GetId() == 0xFF03 ? 1 : 0) << i;
        EXPECT_EQ(pItem->GetHelpId(), 0xEF1F);
    }

    // A gap in the ids ends the list.
    ::SetWindowLongPtrW(children[5]->m_hWnd, GWLP_ID, 0x7000);
    pList->PrepareForLayout(0);
    EXPECT_EQ(IdsBehind(pList), (std::vector<int>{0xFF00, 0xFF01, 0xFF03, 0xFF04, 701}));

    // In customisation the placeholder shows as itself.
    pCommandBars->SetCustomizeMode(TRUE);
    pList->PrepareForLayout(0);
    EXPECT_EQ(IdsBehind(pList), (std::vector<int>{701}));
    EXPECT_EQ(pList->GetHideFlags(), 0u);
    pCommandBars->SetCustomizeMode(FALSE);

    // Workspace actions: without a query, or when the client is no tab workspace, the placeholder stays as
    // it is; with one, the available commands in their order, the first taking the group start.
    CTkControl* pActions = pControls->Add(kControlButton, kIdWorkspaceActions, nullptr, 0);
    ASSERT_EQ(ClassOf(pActions), "CTkControlWorkspaceActions");
    pActions->SetBeginGroup(TRUE);
    pActions->PrepareForLayout(0);
    EXPECT_EQ(pActions->GetHideFlags(), 0u);
    RegisterWorkspaceActionQuery(TestWorkspaceQuery);
    pActions->PrepareForLayout(0);
    EXPECT_EQ(pActions->GetHideFlags(), 0u);
    g_workspaceAnswers = {{kIdWorkspaceMovePrevious, TRUE}, {kIdWorkspaceNewHorizontal, TRUE}};
    for (int nRun = 0; nRun < 2; ++nRun) {
        pActions->PrepareForLayout(0);
        EXPECT_EQ(pActions->GetHideFlags(), static_cast<DWORD>(kHideGeneric));
        ASSERT_EQ(pControls->GetAt(1)->GetId(), static_cast<int>(kIdWorkspaceNewHorizontal)) << nRun;
        ASSERT_EQ(pControls->GetAt(2)->GetId(), static_cast<int>(kIdWorkspaceMovePrevious)) << nRun;
        EXPECT_EQ(pControls->GetAt(3)->GetId(), 700) << nRun;
    }
    EXPECT_TRUE(pControls->GetAt(1)->GetBeginGroup());
    EXPECT_FALSE(pControls->GetAt(2)->GetBeginGroup());
    EXPECT_TRUE(pControls->GetAt(1)->IsTemporary());
    RegisterWorkspaceActionQuery(nullptr);
    g_workspaceAnswers.clear();

    // An active child numbered from 0x8000 rebases the list for the rest of the process.
    for (int i = 0; i < 5; ++i)
        ::SetWindowLongPtrW(children[i]->m_hWnd, GWLP_ID, 0x8000 + i);
    ::SetWindowLongPtrW(children[3]->m_hWnd, GWLP_ID, 0x8005);
    ::SetWindowLongPtrW(children[5]->m_hWnd, GWLP_ID, 0x8003);
    pList->PrepareForLayout(0);
    EXPECT_EQ(CTkControlWindowList::m_nFirstChildId, 0x8000u);
    EXPECT_EQ(IdsBehind(pList), (std::vector<int>{0x8000, 0x8001, 0x8003, 0x8004, 0x8005, 701}));
    ::SendMessageW(pFrame->m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(children[0]->m_hWnd), 0);
    pList->PrepareForLayout(0);
    EXPECT_EQ(CTkControlWindowList::m_nFirstChildId, 0x8000u);
    CTkControlWindowList::m_nFirstChildId = AFX_IDM_FIRST_MDICHILD;

    pBar->InternalRelease();
    pCommandBars->InternalRelease();
    pFrame->DestroyWindow();
}

// ---- On the fixture's plain frame

TEST_F(BarFixture, WindowListWithoutAnMdiFrameShowsItself) {
    CTkControl* pList = Add(kControlButton, kIdWindowList);
    pList->SetHideFlags(kHideGeneric);
    pList->PrepareForLayout(0);
    EXPECT_EQ(pList->GetHideFlags(), 0u);
    EXPECT_EQ(Controls()->GetCount(), 1);
    int nEffect = -1;
    CTkPopupBar* pPopupBar = MakePopupBar();
    EXPECT_TRUE(pList->CanDropOnBar(pPopupBar, CPoint(), nEffect));
    EXPECT_FALSE(pList->CanDropOnBar(m_pBar, CPoint(), nEffect));
    EXPECT_EQ(nEffect, 0);
    pPopupBar->InternalRelease();
}

TEST_F(BarFixture, ToolbarListNamesTheClosableToolbarsAndTogglesThem) {
    struct Kind {
        LPCWSTR pszTitle;
        BOOL bContextMenu;
        BOOL bCloseable;
        BOOL bVisible;
    };
    const Kind kinds[] = {
        {L"Calls & Files", TRUE, TRUE, TRUE},
        {L"No menu", FALSE, TRUE, TRUE},
        {L"Fixed", TRUE, FALSE, TRUE},
        {L"Hidden", TRUE, TRUE, FALSE},
    };
    std::vector<CTkToolBar*> toolBars;
    for (const Kind& kind : kinds) {
        auto* pToolBar = new CTkToolBar;
        m_pCommandBars->AddBar(pToolBar);
        pToolBar->SetTitle(kind.pszTitle);
        pToolBar->SetContextMenuPresent(kind.bContextMenu);
        pToolBar->SetCloseable(kind.bCloseable);
        pToolBar->SetVisible(kind.bVisible);
        toolBars.push_back(pToolBar);
    }
    SetBarKind(m_pBar, kBarTypePopup, kBarPopup);
    Add(kControlButton, 700);
    CTkControl* pList = Add(kControlButton, ID_VIEW_TOOLBAR);
    ASSERT_EQ(ClassOf(pList), "CTkControlToolbars");
    pList->SetBeginGroup(TRUE);
    Add(kControlButton, 701);
    for (int nRun = 0; nRun < 2; ++nRun) {
        pList->PrepareForLayout(0);
        ASSERT_EQ(Controls()->GetCount(), 5) << nRun;
    }
    EXPECT_EQ(pList->GetHideFlags(), static_cast<DWORD>(kHideGeneric));
    CTkControl* pFirst = Controls()->GetAt(2);
    CTkControl* pSecond = Controls()->GetAt(3);
    EXPECT_EQ(pFirst->GetCaptionText(), CString(L"Calls && Files"));
    EXPECT_EQ(pFirst->GetParameter(), CString(L"CTkControlToolbar"));
    EXPECT_EQ(pFirst->GetId(), ID_VIEW_TOOLBAR);
    EXPECT_EQ(pFirst->GetTag(), 0);
    EXPECT_EQ(pFirst->GetChecked(), 1);
    EXPECT_TRUE(pFirst->GetBeginGroup());
    EXPECT_EQ(pFirst->GetFlags(), static_cast<DWORD>(kControlFlagNoUpdate));
    EXPECT_EQ(pSecond->GetTag(), 3);
    EXPECT_EQ(pSecond->GetChecked(), 0);
    EXPECT_FALSE(pSecond->GetBeginGroup());
    EXPECT_EQ(Controls()->GetAt(4)->GetId(), 701);

    // Choosing an item toggles its toolbar.
    pSecond->Execute();
    EXPECT_TRUE(toolBars[3]->IsVisible());

    // The hub's right-click list: the items, then the customise command when the site handles it.
    CTkPopupBar* pMenu = MakePopupBar();
    CTkControlToolbars::AddToolbarItems(pMenu, 0, ID_VIEW_TOOLBAR, TRUE, FALSE);
    ASSERT_EQ(pMenu->GetControlCount(), m_pCommandBars->IsCustomizationAllowed() ? 3 : 2);
    EXPECT_FALSE(pMenu->GetControl(0)->GetBeginGroup());
    if (m_pCommandBars->IsCustomizationAllowed()) {
        EXPECT_EQ(pMenu->GetControl(2)->GetId(), static_cast<int>(kIdCustomize));
        EXPECT_TRUE(pMenu->GetControl(2)->GetBeginGroup());
        EXPECT_FALSE(pMenu->GetControl(2)->IsTemporary());
    }
    pMenu->InternalRelease();

    m_pCommandBars->SetCustomizeMode(TRUE);
    pList->PrepareForLayout(0);
    EXPECT_EQ(Controls()->GetCount(), 3);
    EXPECT_EQ(pList->GetHideFlags(), 0u);
    m_pCommandBars->SetCustomizeMode(FALSE);
}

// A recent-file placeholder over a list of the test's own.
class CTestRecentFiles : public CTkControlRecentFileList {
public:
    CRecentFileList* GetRecentFileList() override { return m_pList; }
    CRecentFileList* m_pList = nullptr;
};

TEST_F(BarFixture, RecentFilesNumberTheEntriesAndShowThemselvesWhenEmpty) {
    CRecentFileList list(12);
    SetBarKind(m_pBar, kBarTypePopup, kBarPopup);
    auto* pRecent = new CTestRecentFiles;
    pRecent->m_pList = &list;
    Controls()->InitAddedControl(pRecent, kIdRecentFileList, nullptr, -1, FALSE);
    Add(kControlButton, 701);

    // An empty list: the placeholder itself, disabled.
    pRecent->PrepareForLayout(0);
    EXPECT_EQ(pRecent->GetHideFlags(), 0u);
    EXPECT_FALSE(pRecent->GetEnabled());
    EXPECT_EQ(Controls()->GetCount(), 2);

    for (int i = 11; i >= 1; --i) {
        CString strPath;
        strPath.Format(L"Z:\\nowhere\\call&%d.wav", i);
        list.Add(strPath);
    }
    pRecent->PrepareForLayout(0);
    pRecent->PrepareForLayout(0);
    EXPECT_EQ(pRecent->GetHideFlags(), static_cast<DWORD>(kHideGeneric));
    ASSERT_EQ(Controls()->GetCount(), 13);
    struct Row {
        int nEntry;
        LPCWSTR pszCaption;
    };
    const Row rows[] = {{0, L"&1 Z:\\nowhere\\call&&1.wav"},
                        {9, L"1&0 Z:\\nowhere\\call&&10.wav"},
                        {10, L"11 Z:\\nowhere\\call&&11.wav"}};
    for (const Row& row : rows) {
        CTkControl* pItem = Controls()->GetAt(1 + row.nEntry);
        EXPECT_EQ(pItem->GetCaptionText(), CString(row.pszCaption));
        EXPECT_EQ(pItem->GetId(), static_cast<int>(ID_FILE_MRU_FILE1) + row.nEntry);
        EXPECT_TRUE(pItem->IsTemporary());
        EXPECT_EQ(pItem->GetFlags(), static_cast<DWORD>(kControlFlagNoUpdate));
    }
    // First in its menu: no separator above the first file; anywhere else one.
    EXPECT_FALSE(Controls()->GetAt(1)->GetBeginGroup());
    Controls()->Add(kControlButton, 700, nullptr, 0);
    pRecent->PrepareForLayout(0);
    ASSERT_EQ(Controls()->GetCount(), 14);
    EXPECT_TRUE(Controls()->GetAt(2)->GetBeginGroup());
    EXPECT_EQ(Controls()->GetAt(13)->GetId(), 701);

    // In customisation the placeholder shows as itself, enabled.
    m_pCommandBars->SetCustomizeMode(TRUE);
    pRecent->PrepareForLayout(0);
    EXPECT_EQ(Controls()->GetCount(), 3);
    EXPECT_EQ(pRecent->GetHideFlags(), 0u);
    EXPECT_TRUE(pRecent->GetEnabled());
    m_pCommandBars->SetCustomizeMode(FALSE);

    // Without a list nothing is touched.
    pRecent->m_pList = nullptr;
    pRecent->SetHideFlags(kHideGeneric);
    pRecent->PrepareForLayout(0);
    EXPECT_EQ(pRecent->GetHideFlags(), static_cast<DWORD>(kHideGeneric));
}

// An OLE placeholder whose selected item has the test's verb menu.
class CTestOleItems : public CTkControlOleItems {
public:
    int m_nEntries = 1;
    int m_nCalls = 0;

protected:
    BOOL FillVerbMenu(CView* pView, CMenu* pMenu) override {
        ++m_nCalls;
        HMENU hVerbs = ::CreatePopupMenu();
        ::AppendMenuW(hVerbs, MF_STRING, ID_OLE_VERB_FIRST, L"&Play");
        ::AppendMenuW(hVerbs, MF_STRING, ID_OLE_VERB_FIRST + 1, L"&Edit");
        ::AppendMenuW(pMenu->GetSafeHmenu(), MF_POPUP, reinterpret_cast<UINT_PTR>(hVerbs), L"Sound &Object");
        if (m_nEntries == 2)
            ::AppendMenuW(pMenu->GetSafeHmenu(), MF_STRING, ID_OLE_VERB_FIRST + 2, L"Other");
        return TRUE;
    }
};

class CTestView : public CView {
public:
    void OnDraw(CDC*) override {}
};

TEST_F(BarFixture, OleVerbsBecomeOnePopupOnlyForOneEntryWithASubMenu) {
    auto* pOle = new CTestOleItems;
    Controls()->InitAddedControl(pOle, ID_OLE_VERB_FIRST, nullptr, -1, FALSE);
    Add(kControlButton, 701);

    // Without an active view the verbs are not asked for.
    pOle->PrepareForLayout(0);
    EXPECT_EQ(pOle->m_nCalls, 0);
    EXPECT_EQ(pOle->GetHideFlags(), static_cast<DWORD>(kHideGeneric));

    auto* pView = new CTestView;
    ASSERT_TRUE(pView->Create(nullptr, L"view", WS_CHILD, CRect(0, 0, 50, 50), m_pSite, AFX_IDW_PANE_FIRST));
    m_pSite->SetActiveView(pView, FALSE);
    for (int nRun = 0; nRun < 2; ++nRun) {
        pOle->PrepareForLayout(0);
        ASSERT_EQ(Controls()->GetCount(), 3) << nRun;
    }
    CTkControl* pPopup = Controls()->GetAt(1);
    EXPECT_EQ(pPopup->GetType(), kControlPopup);
    EXPECT_EQ(pPopup->GetParameter(), CString(L"OLEMENUPOPUP"));
    EXPECT_EQ(pPopup->GetCaptionText(), CString(L"Sound &Object"));
    EXPECT_TRUE(pPopup->IsTemporary());
    ASSERT_NE(pPopup->GetCommandBar(), nullptr);
    ASSERT_EQ(pPopup->GetCommandBar()->GetControlCount(), 2);
    EXPECT_EQ(pPopup->GetCommandBar()->GetControl(1)->GetId(), static_cast<int>(ID_OLE_VERB_FIRST) + 1);

    pOle->m_nEntries = 2;
    pOle->PrepareForLayout(0);
    EXPECT_EQ(Controls()->GetCount(), 2);

    m_pCommandBars->SetCustomizeMode(TRUE);
    pOle->PrepareForLayout(0);
    EXPECT_EQ(pOle->GetHideFlags(), 0u);
    m_pCommandBars->SetCustomizeMode(FALSE);
    m_pSite->SetActiveView(nullptr, FALSE);
    pView->DestroyWindow();
}

TEST_F(BarFixture, FactoryAndMenuImportMakeTheSmallControlsAndPlaceholders) {
    // The classes are linked in by name only when a program uses them; these are.
    EXPECT_STREQ(RUNTIME_CLASS(CTkControlCustom)->m_lpszClassName, "CTkControlCustom");
    EXPECT_STREQ(RUNTIME_CLASS(CTkControlLabel)->m_lpszClassName, "CTkControlLabel");
    EXPECT_STREQ(RUNTIME_CLASS(CTkControlCheckBox)->m_lpszClassName, "CTkControlCheckBox");
    EXPECT_STREQ(RUNTIME_CLASS(CTkControlRadioButton)->m_lpszClassName, "CTkControlRadioButton");
    struct Row {
        int nType;
        int nId;
        LPCSTR pszClass;
    };
    const Row rows[] = {
        {kControlCustom, 0, "CTkControlCustom"},
        {kControlLabel, 0, "CTkControlLabel"},
        {kControlCheckBox, 0, "CTkControlCheckBox"},
        {kControlRadioButton, 0, "CTkControlRadioButton"},
        {kControlButton, static_cast<int>(kIdWindowList), "CTkControlWindowList"},
        {kControlButton, static_cast<int>(kIdWorkspaceActions), "CTkControlWorkspaceActions"},
        {kControlButton, ID_VIEW_TOOLBAR, "CTkControlToolbars"},
        {kControlButton, static_cast<int>(kIdRecentFileList), "CTkControlRecentFileList"},
        {kControlButton, ID_FILE_MRU_FILE1, "CTkControlButton"},
    };
    for (const Row& row : rows) {
        CTkControl* pControl = Add(row.nType, row.nId);
        EXPECT_EQ(ClassOf(pControl), row.pszClass) << row.nType << " " << row.nId;
        if (pControl != nullptr) {
            EXPECT_EQ(pControl->GetType(), row.nType);
        }
    }
    struct FlagRow {
        int nType;
        DWORD dwFlags;
    };
    for (const FlagRow& row :
         {FlagRow{kControlCustom, kControlFlagNoMove},
          FlagRow{kControlLabel, kControlFlagNoKeyboard | kControlFlagNoUpdate | kControlFlagNoMove},
          FlagRow{kControlCheckBox, 0}, FlagRow{kControlRadioButton, 0}})
        EXPECT_EQ(Add(row.nType, 0)->GetFlags(), row.dwFlags) << row.nType;

    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ::AppendMenuW(menu.GetSafeHmenu(), MF_STRING, ID_FILE_MRU_FILE1, L"Recent file");
    ::AppendMenuW(menu.GetSafeHmenu(), MF_STRING, ID_OLE_VERB_FIRST, L"<<OLE VERBS GO HERE>>");
    ::AppendMenuW(menu.GetSafeHmenu(), MF_STRING, ID_OLE_VERB_FIRST, L"Verbs");
    ::AppendMenuW(menu.GetSafeHmenu(), MF_STRING, kIdWindowList, L"Windows");
    const LPCSTR imported[] = {"CTkControlRecentFileList", "CTkControlOleItems", "CTkControlButton",
                               "CTkControlWindowList"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(ClassOf(Controls()->AddMenuItem(&menu, i)), imported[i]) << i;
}

}  // namespace
