#include "BarFixtures.h"
#include "TkControlAction.h"
#include "TkControlButton.h"
#include "TkControlEdit.h"
#include "TkControlProgress.h"
#include "TkPropExchange.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string ClassOf(const CObject* pObject) {
    return pObject != nullptr ? pObject->GetRuntimeClass()->m_lpszClassName : "null";
}

TEST_F(BarFixture, FactoryMakesEachTypeByItsClassName) {
    struct Row {
        int nType;
        int nId;
        LPCSTR pszClass;  // "null": not made
    };
    const Row rows[] = {
        {kControlButton, 100, "CTkControlButton"},
        {kControlButton, static_cast<int>(kIdWindowList), "CTkControlWindowList"},
        {kControlButton, static_cast<int>(kIdWorkspaceActions), "CTkControlWorkspaceActions"},
        {kControlButton, ID_VIEW_TOOLBAR, "CTkControlToolbars"},
        {kControlButton, static_cast<int>(kIdRecentFileList), "CTkControlRecentFileList"},
        {kControlPopup, 0, "CTkControlPopup"},
        {kControlButtonPopup, 0, "CTkControlPopup"},
        {kControlSplitButtonPopup, 0, "CTkControlPopup"},
        {kControlComboBox, 0, "CTkControlComboBox"},
        {kControlEdit, 0, "CTkControlEdit"},
        {kControlCustom, 0, "CTkControlCustom"},
        {kControlLabel, 0, "CTkControlLabel"},
        {kControlCheckBox, 0, "CTkControlCheckBox"},
        {kControlGallery, 0, "CTkControlGallery"},
        {kControlRadioButton, 0, "CTkControlRadioButton"},
        {kControlNone, 0, "null"},
        {12, 0, "null"},
    };
    for (const Row& row : rows) {
        const int nCount = Controls()->GetCount();
        CTkControl* pControl = Add(row.nType, row.nId);
        EXPECT_EQ(ClassOf(pControl), row.pszClass) << row.nType << " " << row.nId;
        if (pControl == nullptr) {
            EXPECT_EQ(Controls()->GetCount(), nCount);
            continue;
        }
        EXPECT_EQ(pControl->GetType(), row.nType);
        EXPECT_EQ(pControl->GetId(), row.nId);
        EXPECT_EQ(pControl->GetIndex(), nCount);
        EXPECT_EQ(pControl->GetParent(), m_pBar);
        if (IsPopupControlType(row.nType)) {
            ASSERT_NE(pControl->GetCommandBar(), nullptr);
            EXPECT_TRUE(pControl->GetCommandBar()->IsPopupBar());
        }
    }
}

TEST_F(BarFixture, APopupOfAMenuIdTakesTheMenuAndOffersTheSiteItsBar) {
    CTkControl* pPopup = Add(kControlPopup, 3000);
    ASSERT_NE(pPopup, nullptr);
    EXPECT_EQ(pPopup->GetCaption(), L"&Tools");
    ASSERT_EQ(m_pSite->m_barRequests.size(), 1u);
    EXPECT_TRUE(m_pSite->m_barRequests[0].bPopup);
    EXPECT_EQ(m_pSite->m_barRequests[0].nId, 3000u);
    CTkCommandBar* pSubBar = pPopup->GetCommandBar();
    ASSERT_EQ(pSubBar->GetControlCount(), 2);
    EXPECT_EQ(pSubBar->GetControl(0)->GetId(), 3001);
    EXPECT_TRUE(pSubBar->GetControl(1)->GetBeginGroup());

    // A popup bar the site makes is used.
    CTkPopupBar* pOwnBar = CTkPopupBar::CreatePopupBar(m_pCommandBars);
    pOwnBar->InternalAddRef();
    m_pSite->m_onCreateBar = [pOwnBar](CommandBarCreateRecord* pRecord) { pRecord->pCommandBar = pOwnBar; };
    CTkControl* pSecond = Add(kControlButtonPopup, 3000);
    EXPECT_EQ(pSecond->GetCommandBar(), pOwnBar);
    EXPECT_EQ(pOwnBar->GetControlCount(), 2);
    pOwnBar->InternalRelease();
}

TEST_F(BarFixture, NewControlsBindActionsOfValidNonReservedIds) {
    m_pCommandBars->EnableActions();
    CTkControlAction* pExisting = m_pCommandBars->GetOrCreateAction(9151);
    struct Row {
        int nId;
        BOOL bBound;
    };
    const Row rows[] = {
        {700, TRUE},
        {9150, FALSE},  // the toolkit's own commands
        {9151, TRUE},   // an existing action is bound whatever its id
        {static_cast<int>(kIdCustomize), FALSE},
        {0, FALSE},
    };
    for (const Row& row : rows) {
        CTkControl* pControl = Add(kControlButton, row.nId);
        EXPECT_EQ(pControl->GetAction() != nullptr, row.bBound) << row.nId;
        EXPECT_EQ(pControl->GetId(), row.nId);
    }
    EXPECT_EQ(Controls()->GetAt(2)->GetAction(), pExisting);
}

TEST_F(BarFixture, GetNextWrapsOnceAndQualifiesByVisibilityAndFlags) {
    EXPECT_EQ(Controls()->GetNext(-1, 1), -1);  // empty
    for (int i = 0; i < 5; ++i)
        Add(kControlButton, 100 + i);
    auto setup = [this](DWORD hide0, DWORD hide1, DWORD hide2, DWORD hide3, DWORD hide4) {
        const DWORD hides[] = {hide0, hide1, hide2, hide3, hide4};
        for (int i = 0; i < 5; ++i)
            Controls()->GetAt(i)->SetHideFlags(hides[i]);
    };
    struct Row {
        LPCSTR pszCase;
        int nStart;
        int nStep;
        BOOL bOnlyTwo;  // every control but 2 is hidden
        int nExpected;
    };
    const Row rows[] = {
        {"forward", 1, 1, FALSE, 2},
        {"forward wraps", 4, 1, FALSE, 0},
        {"backward wraps", 0, -1, FALSE, 4},
        {"from before the first", -1, 1, FALSE, 0},
        {"from after the last", -1, -1, FALSE, 4},
        {"only the start qualifies", 2, 1, TRUE, 2},
        {"wrapping to the only one", 3, 1, TRUE, 2},
        {"from the edge to the only one", -1, -1, TRUE, 2},
    };
    for (const Row& row : rows) {
        if (row.bOnlyTwo)
            setup(kHideGeneric, kHideGeneric, 0, kHideGeneric, kHideGeneric);
        else
            setup(0, 0, 0, 0, 0);
        EXPECT_EQ(Controls()->GetNext(row.nStart, row.nStep), row.nExpected) << row.pszCase;
    }
    setup(kHideGeneric, kHideGeneric, kHideGeneric, kHideGeneric, kHideGeneric);
    EXPECT_EQ(Controls()->GetNext(-1, 1), -1);
    EXPECT_EQ(Controls()->GetNext(-1, -1), -1);

    // What is skipped: no-keyboard controls, temporaries, rarely used ones, each on request.
    setup(kHideByBar, kHideRarelyUsed, 0, 0, 0);
    Controls()->GetAt(2)->SetFlags(kControlFlagNoKeyboard);
    Controls()->GetAt(3)->SetTemporary(TRUE);
    EXPECT_EQ(Controls()->GetNext(-1, 1), 0);  // hidden by the bar's own logic still qualifies
    EXPECT_EQ(Controls()->GetNext(0, 1), 1);
    EXPECT_EQ(Controls()->GetNext(0, 1, TRUE, FALSE, TRUE), 3);
    EXPECT_EQ(Controls()->GetNext(1, 1, FALSE), 2);
    EXPECT_EQ(Controls()->GetNext(1, 1, TRUE, TRUE), 4);
}

TEST_F(BarFixture, ChangingTheTypeKeepsPopupsAndReplacesOthers) {
    CTkControl* pPopup = Add(kControlPopup, 0);
    EXPECT_EQ(Controls()->SetControlType(pPopup, kControlSplitButtonPopup), pPopup);
    EXPECT_EQ(pPopup->GetType(), kControlSplitButtonPopup);

    CTkControl* pButton = Add(kControlButton, 1002);
    pButton->SetCaption(L"Save it");
    pButton->SetFlags(kControlFlagNoMove);
    pButton->SetBeginGroup(TRUE);
    CTkControl* pAfter = Add(kControlButton, 5);
    CTkControl* pNew = Controls()->SetControlTypeAt(1, kControlPopup);
    ASSERT_NE(pNew, nullptr);
    EXPECT_NE(pNew, pButton);
    EXPECT_EQ(ClassOf(pNew), "CTkControlPopup");
    EXPECT_EQ(pNew->GetType(), kControlPopup);
    EXPECT_EQ(pNew->GetIndex(), 1);
    EXPECT_EQ(pNew->GetId(), 1002);
    EXPECT_EQ(pNew->GetCaption(), L"Save it");
    EXPECT_EQ(pNew->GetFlags(), static_cast<DWORD>(kControlFlagNoMove));
    EXPECT_TRUE(pNew->GetBeginGroup());
    EXPECT_NE(pNew->GetCommandBar(), nullptr);
    EXPECT_EQ(Controls()->GetCount(), 3);
    EXPECT_EQ(Controls()->GetAt(2), pAfter);
    EXPECT_EQ(Controls()->SetControlTypeAt(9, kControlPopup), nullptr);
}

TEST_F(BarFixture, RemovingTheSelectedControlClearsTheSelectionFirst) {
    Add(kControlButton, 1);
    CTkControl* pSelected = Add(kControlButton, 2);
    m_pBar->SetSelected(1);
    BarLog().clear();
    Controls()->Remove(pSelected);
    ASSERT_FALSE(BarLog().empty());
    EXPECT_EQ(BarLog().front(), "SetSelected -1 0");
    EXPECT_EQ(Controls()->GetCount(), 1);
    // A control of another collection is left alone.
    CTkControlButton stranger;
    Controls()->Remove(&stranger);
    EXPECT_EQ(Controls()->GetCount(), 1);
}

TEST_F(BarFixture, CopiesAndComparisonsLeaveTemporariesOut) {
    Add(kControlButton, 1)->SetCaption(L"One");
    Add(kControlPopup, 0)->SetCaption(L"Menu");
    Controls()->SaveOriginalControls();
    EXPECT_FALSE(Controls()->IsChanged());
    Controls()->Add(kControlButton, 50, nullptr, 1, TRUE);  // temporary, in the middle
    EXPECT_FALSE(Controls()->IsChanged());
    std::unique_ptr<CTkControls, void (*)(CTkControls*)> duplicate(Controls()->Duplicate(),
                                                                   [](CTkControls* p) { p->InternalRelease(); });
    EXPECT_EQ(duplicate->GetCount(), 2);
    EXPECT_TRUE(duplicate->IsSameAs(Controls()));
    ASSERT_NE(duplicate->GetOriginalControls(), nullptr);
    EXPECT_TRUE(duplicate->GetOriginalControls()->IsOriginal());
    Controls()->GetAt(0)->SetCaption(L"Changed");
    EXPECT_TRUE(Controls()->IsChanged());
    EXPECT_FALSE(duplicate->IsSameAs(Controls()));
    // A plain copy shares the sub bar; a recursive one clones it.
    CTkControl* pMenu = Controls()->GetAt(2);
    CTkControl* pShared = Controls()->AddCopy(pMenu);
    CTkControl* pCloned = Controls()->AddCopy(pMenu, -1, TRUE);
    EXPECT_EQ(pShared->GetCommandBar(), pMenu->GetCommandBar());
    EXPECT_NE(pCloned->GetCommandBar(), pMenu->GetCommandBar());
    EXPECT_TRUE(pCloned->IsSameAs(pMenu));
}

// ---- Menu import

// Appends an item with item data.
void AppendItem(HMENU hMenu, UINT nFlags, UINT_PTR nId, LPCWSTR pszText, ULONG_PTR nData = 0) {
    ASSERT_TRUE(::AppendMenuW(hMenu, nFlags, nId, pszText));
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    info.dwItemData = nData;
    ::SetMenuItemInfoW(hMenu, static_cast<UINT>(::GetMenuItemCount(hMenu) - 1), TRUE, &info);
}

// What user32 says the item's id is.
int UserId(HMENU hMenu, int nPosition) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID;
    ::GetMenuItemInfoW(hMenu, static_cast<UINT>(nPosition), TRUE, &info);
    return static_cast<int>(info.wID);
}

TEST_F(BarFixture, MenuItemsImportAsButtonsAndPopups) {
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    HMENU hMenu = menu.GetSafeHmenu();
    HMENU hNumbered = ::CreatePopupMenu();
    AppendItem(hNumbered, MF_STRING, 1201, L"New");
    AppendItem(hMenu, MF_STRING, 1001, L"&Open\tCtrl+O", 0x123456789ULL);
    AppendItem(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hNumbered), L"&File\t1200");
    AppendItem(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(::CreatePopupMenu()), L"Edit\t0");
    AppendItem(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(::CreatePopupMenu()), L"View\tabc");
    AppendItem(hMenu, MF_STRING, 0xFF00, L"1 Window");
    AppendItem(hMenu, MF_STRING, ID_FILE_MRU_FILE1, L"Recent file");
    AppendItem(hMenu, MF_STRING, kIdRecentFileList, L"Recent files");
    AppendItem(hMenu, MF_STRING, ID_OLE_VERB_FIRST, L"<<OLE VERBS GO HERE>>");
    AppendItem(hMenu, MF_STRING | MF_GRAYED, 1003, L"Close");
    ASSERT_TRUE(::SetMenuDefaultItem(hMenu, 8, TRUE));
    // Popups appended by handle report the handle as their id; they get none.
    ASSERT_NE(UserId(hMenu, 2), 0);

    struct Row {
        int nPosition;
        LPCSTR pszClass;
        int nId;
        LPCWSTR pszCaption;
        LPCWSTR pszShortcutAuto;
    };
    const Row rows[] = {
        {0, "CTkControlButton", 1001, L"&Open", L"Ctrl+O"},
        {1, "CTkControlPopup", 1200, L"&File", L""},
        {2, "CTkControlPopup", 0, L"Edit", L"0"},
        {3, "CTkControlPopup", 0, L"View", L"abc"},
        {4, "null", 0, L"", L""},
        // The recent-file list is imported from the first recent-file item; its factory id imports as a button.
        {5, "CTkControlRecentFileList", ID_FILE_MRU_FILE1, L"Recent file", L""},
        {6, "CTkControlButton", static_cast<int>(kIdRecentFileList), L"Recent files", L""},
        {7, "CTkControlOleItems", ID_OLE_VERB_FIRST, L"<<OLE VERBS GO HERE>>", L""},
        {8, "CTkControlButton", 1003, L"Close", L""},
    };
    int nAsked = 0;
    m_pSite->m_onCreateControl = [&nAsked](MenuItemCreateRecord*) {
        ++nAsked;
        return LRESULT(0);
    };
    std::vector<CTkControl*> imported;
    for (const Row& row : rows) {
        CTkControl* pControl = Controls()->AddMenuItem(&menu, row.nPosition);
        EXPECT_EQ(ClassOf(pControl), row.pszClass) << row.nPosition;
        if (pControl == nullptr)
            continue;
        imported.push_back(pControl);
        EXPECT_EQ(pControl->GetId(), row.nId) << row.nPosition;
        EXPECT_EQ(pControl->GetCaption(), row.pszCaption) << row.nPosition;
        EXPECT_EQ(pControl->GetShortcutTextAuto(), row.pszShortcutAuto) << row.nPosition;
        EXPECT_EQ(pControl->IsDefaultItem(), row.nPosition == 8) << row.nPosition;
    }
    EXPECT_EQ(imported[0]->GetTag(), static_cast<INT_PTR>(0x123456789LL));
    EXPECT_EQ(imported[1]->GetCommandBar()->GetControlCount(), 1);
    EXPECT_EQ(imported[1]->GetCommandBar()->GetTitle(), L"File");
    // Every item was offered to the site (the submenu's "New" too, by the sub bar's own import) and
    // every control made was announced.
    EXPECT_EQ(nAsked, 9);
    ASSERT_EQ(m_pSite->m_created.size(), imported.size() + 1);
    for (CTkControl* pControl : imported) {
        EXPECT_TRUE(
            std::any_of(m_pSite->m_created.begin(), m_pSite->m_created.end(),
                        [pControl](const MenuItemCreateRecord& record) { return record.pControl == pControl; }));
    }
    // The popups' bars were offered to the site with the title without its mnemonic.
    ASSERT_FALSE(m_pSite->m_barRequests.empty());
    EXPECT_TRUE(m_pSite->m_barRequests[0].bPopup);
    EXPECT_EQ(m_pSite->m_barRequests[0].nId, 1200u);
}

TEST_F(BarFixture, TheSiteMayMakeOrRetypeAnImportedControl) {
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    AppendItem(menu.GetSafeHmenu(), MF_STRING, 1001, L"Mine", 77);
    AppendItem(menu.GetSafeHmenu(), MF_STRING, 1002, L"Retyped");
    AppendItem(menu.GetSafeHmenu(), MF_STRING, 1004, CString(L'x', 1500));

    auto* pOwn = new CTkControlButton;
    m_pSite->m_onCreateControl = [pOwn](MenuItemCreateRecord* pRecord) -> LRESULT {
        if (pRecord->nId == 1001) {
            pRecord->pControl = pOwn;
            return 1;
        }
        if (pRecord->nId == 1002) {
            pRecord->nType = kControlPopup;
            pRecord->strCaption = L"Now a popup";
            return 1;
        }
        return 0;
    };
    EXPECT_EQ(Controls()->AddMenuItem(&menu, 0), pOwn);
    EXPECT_EQ(pOwn->GetTag(), 0);  // used unchanged
    EXPECT_EQ(pOwn->GetCaption(), L"Mine");
    CTkControl* pRetyped = Controls()->AddMenuItem(&menu, 1);
    EXPECT_EQ(ClassOf(pRetyped), "CTkControlPopup");
    EXPECT_EQ(pRetyped->GetCaption(), L"Now a popup");
    // Texts are cut to 1024 characters.
    EXPECT_EQ(Controls()->AddMenuItem(&menu, 2)->GetCaption().GetLength(), 1024);
}

TEST_F(BarFixture, ImportedItemsCaptionTheirNewActions) {
    m_pCommandBars->EnableActions();
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    AppendItem(menu.GetSafeHmenu(), MF_STRING, 880, L"&Print\tCtrl+P");
    CTkControl* pControl = Controls()->AddMenuItem(&menu, 0);
    ASSERT_NE(pControl->GetAction(), nullptr);
    EXPECT_EQ(pControl->GetAction()->GetCaptionText(), L"&Print");
    EXPECT_EQ(pControl->GetCaption(), L"&Print");
}

// ---- Saved keys

// The archive form of the control keys at schema 33, written value by value.
struct KeyWriter {
    CArchive& ar;
    void Int(int n) { ar << n; }
    void Text(LPCWSTR psz) { ar << CString(psz); }
    void EmptySet() { ar.WriteCount(0); }
};

void WriteButtonKeys(KeyWriter& w, int nType, int nId, LPCWSTR pszCaption, int nTag, int nWidth = 0) {
    w.Int(nType);
    w.Int(nId);
    w.Int(0);     // IconId
    w.Int(TRUE);  // BeginGroup
    w.Int(nTag);
    w.Int(kControlFlagNoMove);  // Flags
    w.Int(0);                   // HideFlags
    w.Text(pszCaption);
    w.Text(L"");         // ShortcutText
    w.Text(L"Tip");      // TooltipText
    w.Text(L"");         // DescriptionText
    w.Text(L"param");    // Parameter
    w.Int(0);            // CustomIconId
    w.Text(L"");         // CustomCaption
    w.Text(L"");         // Category
    w.ar.WriteCount(1);  // DocTemplatesExcluded: {12 -> TRUE}
    w.Int(12);
    w.Int(TRUE);
    w.EmptySet();                  // DocTemplatesAssigned
    w.Int(FALSE);                  // DefaultItem
    w.Int(TRUE);                   // CloseSubMenuOnClick
    w.Int(-1);                     // CustomStyle
    w.Int(0);                      // HelpId
    w.Int(kButtonIconAndCaption);  // Style
    w.Int(nWidth);                 // Width
    w.Int(0);                      // Height
    w.Int(250);                    // ExecuteOnPressInterval
    w.Text(L"Ctrl+S");             // ShortcutTextAuto
    w.Text(L"");                   // KeyboardTip
    w.Int(0);                      // IconSize
    w.Int(0);
}

std::vector<BYTE> Written(const std::function<void(CArchive&)>& write) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

void FillButton(CTkControl* pControl) {
    pControl->SetBeginGroup(TRUE);
    pControl->SetTag(0x100000007LL);  // pointer-sized in memory, 32 bits saved
    pControl->SetFlags(kControlFlagNoMove);
    pControl->SetTooltip(L"Tip");
    pControl->SetParameter(L"param");
    pControl->GetDocTemplatesExcluded().SetAt(12, TRUE);
    pControl->SetStyle(kButtonIconAndCaption);
    pControl->SetExecuteOnPressInterval(250);
    pControl->SetShortcutTextAuto(L"Ctrl+S");
}

TEST_F(BarFixture, SavedKeysOfAButtonAPopupAndACollectionAreByteExact) {
    CTkControl* pButton = Add(kControlButton, 4000);
    pButton->SetCaption(L"Save");
    FillButton(pButton);
    CTkControl* pPopup = Add(kControlPopup, 0);
    pPopup->SetCaption(L"Menu");
    FillButton(pPopup);
    SetBarId(pPopup->GetCommandBar(), 0x1000001);
    Add(kControlButton, 9)->SetTemporary(TRUE);  // never saved

    auto store = [](CTkPropExchange* pPX, void* pContext) {
        static_cast<CTkControls*>(pContext)->ExchangeProperties(pPX);
    };
    const std::vector<BYTE> stored = ExchangedBytes(store, Controls());
    const std::vector<BYTE> expected = Written([](CArchive& ar) {
        KeyWriter w{ar};
        w.Int(2);  // "Count" of the "Control" enumeration
        ar << WORD(0xFFFF) << WORD(33) << WORD(16);
        ar.Write("CTkControlButton", 16);
        WriteButtonKeys(w, kControlButton, 4000, L"Save", 7);
        ar << WORD(0xFFFF) << WORD(33) << WORD(15);
        ar.Write("CTkControlPopup", 15);
        WriteButtonKeys(w, kControlPopup, 0, L"Menu", 7);
        w.Int(0x1000001);  // CommandBarId
        w.Int(FALSE);      // OriginalControls
        w.Int(FALSE);      // CustomizedControls
    });
    EXPECT_EQ(stored, expected);

    // Loading gives the same controls, the sub-bar id kept for the bars to resolve, and binds actions.
    m_pCommandBars->EnableActions();
    CTkControlAction* pAction = m_pCommandBars->GetOrCreateAction(4000);
    std::vector<BYTE> bytes = stored;
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    CTkPropExchangeArchive exchange(ar);
    BarsExchangeParam param;
    param.pCommandBars = m_pCommandBars;
    exchange.m_pExchangeParam = &param;
    auto* pLoaded = new CTkControls;
    pLoaded->ExchangeProperties(&exchange);
    ASSERT_EQ(pLoaded->GetCount(), 2);
    EXPECT_EQ(pLoaded->GetAt(0)->GetAction(), pAction);
    EXPECT_EQ(pLoaded->GetAt(0)->GetTag(), 7);
    EXPECT_EQ(pLoaded->GetAt(0)->GetStyle(), kButtonIconAndCaption);
    BOOL bExcluded = FALSE;
    EXPECT_TRUE(pLoaded->GetAt(0)->GetDocTemplatesExcluded().Lookup(12, bExcluded));
    auto* pLoadedPopup = DYNAMIC_DOWNCAST(CTkControlPopup, pLoaded->GetAt(1));
    ASSERT_NE(pLoadedPopup, nullptr);
    EXPECT_EQ(pLoadedPopup->GetCommandBarId(), 0x1000001);
    EXPECT_EQ(pLoadedPopup->GetCaption(), L"Menu");
    EXPECT_EQ(pLoadedPopup->GetIndex(), 1);
    pLoaded->InternalRelease();
}

// A stored object that is not a control: the collection must refuse it before one is made.
class CCountedNotAControl : public CObject {
    DECLARE_SERIAL(CCountedNotAControl)
public:
    CCountedNotAControl() { ++s_nMade; }
    static int s_nMade;
};
int CCountedNotAControl::s_nMade = 0;
IMPLEMENT_SERIAL(CCountedNotAControl, CObject, 33)

TEST_F(BarFixture, SavedKeysOfAnEditAndAProgressControlFollowTheControlKeys) {
    auto* pEdit = static_cast<CTkControlEdit*>(Add(kControlEdit, 4000));
    pEdit->SetCaption(L"Find");
    FillButton(pEdit);
    pEdit->SetReadOnly(TRUE);
    pEdit->SetEditHint(L"hint");
    pEdit->SetShowSpinButtons(TRUE);
    auto* pProgress = new CTkControlProgress;
    Controls()->Append(pProgress);
    pProgress->SetCaption(L"Load");
    FillButton(pProgress);
    pProgress->SetRange(5, 50);
    pProgress->SetPos(20);
    pProgress->SetRange(30, 40);  // the position stays as saved

    auto store = [](CTkPropExchange* pPX, void* pContext) {
        static_cast<CTkControls*>(pContext)->ExchangeProperties(pPX);
    };
    const std::vector<BYTE> stored = ExchangedBytes(store, Controls());
    const std::vector<BYTE> expected = Written([](CArchive& ar) {
        KeyWriter w{ar};
        w.Int(2);
        ar << WORD(0xFFFF) << WORD(33) << WORD(14);
        ar.Write("CTkControlEdit", 14);
        WriteButtonKeys(w, kControlEdit, 4000, L"Find", 7, 100);
        w.Int(FALSE);     // HasLabel
        w.Int(100);       // Width, again after the control keys' own
        w.Int(TRUE);      // ReadOnly
        w.Text(L"hint");  // EditHint
        w.Int(0);         // ShellAutoCompleteFlags
        w.Int(0);         // EditStyle
        w.Int(TRUE);      // ShowSpinButtons
        ar << WORD(0xFFFF) << WORD(33) << WORD(18);
        ar.Write("CTkControlProgress", 18);
        WriteButtonKeys(w, kControlNone, 0, L"Load", 7, 100);
        w.Int(30);     // Min
        w.Int(40);     // Max
        w.Int(20);     // Pos
        w.Int(FALSE);  // OriginalControls
        w.Int(FALSE);  // CustomizedControls
    });
    EXPECT_EQ(stored, expected);

    std::vector<BYTE> bytes = stored;
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    CTkPropExchangeArchive exchange(ar);
    BarsExchangeParam param;
    param.pCommandBars = m_pCommandBars;
    exchange.m_pExchangeParam = &param;
    auto* pLoaded = new CTkControls;
    pLoaded->ExchangeProperties(&exchange);
    ASSERT_EQ(pLoaded->GetCount(), 2);
    auto* pLoadedEdit = DYNAMIC_DOWNCAST(CTkControlEdit, pLoaded->GetAt(0));
    ASSERT_NE(pLoadedEdit, nullptr);
    EXPECT_TRUE(pLoadedEdit->GetReadOnly());
    EXPECT_EQ(pLoadedEdit->GetEditHint(), L"hint");
    auto* pLoadedProgress = DYNAMIC_DOWNCAST(CTkControlProgress, pLoaded->GetAt(1));
    ASSERT_NE(pLoadedProgress, nullptr);
    EXPECT_EQ(pLoadedProgress->GetPos(), 20);
    pLoaded->InternalRelease();
}

TEST_F(BarFixture, ACollectionRefusesAStoredClassThatIsNotAControlBeforeMakingIt) {
    const std::vector<BYTE> stored = Written([](CArchive& ar) {
        KeyWriter w{ar};
        w.Int(2);  // "Count" of the "Control" enumeration
        ar << WORD(0xFFFF) << WORD(33) << WORD(16);
        ar.Write("CTkControlButton", 16);
        WriteButtonKeys(w, kControlButton, 4000, L"Save", 7);
        ar << WORD(0xFFFF) << WORD(33) << WORD(19);
        ar.Write("CCountedNotAControl", 19);
    });
    std::vector<BYTE> bytes = stored;
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    CTkPropExchangeArchive exchange(ar);
    auto* pLoaded = new CTkControls;
    int nCause = -1;
    try {
        pLoaded->ExchangeProperties(&exchange);
    } catch (CArchiveException* e) {
        nCause = e->m_cause;
        e->Delete();
    }
    EXPECT_EQ(nCause, CArchiveException::badClass);
    EXPECT_EQ(CCountedNotAControl::s_nMade, 0);
    // The control read before the bad entry stays owned by the collection and goes with it.
    EXPECT_EQ(pLoaded->GetCount(), 1);
    pLoaded->InternalRelease();
}

}  // namespace
