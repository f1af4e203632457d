// Saving and loading the bars and the options through the archive exchange: byte-exact round trips, old
// schemas, popup links by saved BarID, loaded bars merged into the live ones, and broken archives.
#include "DockFixture.h"
#include "TkCommandBarList.h"
#include "TkMenuBar.h"
#include "TkPaintManager.h"
#include "TkPropExchange.h"
#include "TkToolBar.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr UINT kFirstSavedBarId = 0x1000000;

// A button that counts the live objects of its class, so that a failed load shows what it left behind.
class CCountedButton : public CTkControlButton {
    DECLARE_SERIAL(CCountedButton)
public:
    CCountedButton() { ++s_nLive; }
    ~CCountedButton() override { --s_nLive; }
    static int s_nLive;
};
int CCountedButton::s_nLive = 0;
IMPLEMENT_SERIAL(CCountedButton, CTkControlButton, VERSIONABLE_SCHEMA | 33)

// A creatable class that is not a command bar.
class CCountedNotABar : public CObject {
    DECLARE_SERIAL(CCountedNotABar)
public:
    CCountedNotABar() { ++s_nMade; }
    static int s_nMade;
};
int CCountedNotABar::s_nMade = 0;
IMPLEMENT_SERIAL(CCountedNotABar, CObject, VERSIONABLE_SCHEMA | 33)

std::vector<BYTE> FileBytes(CMemFile& file) {
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

std::vector<BYTE> Written(const std::function<void(CArchive&)>& write) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    return FileBytes(file);
}

struct SaveContext {
    CTkCommandBars* pCommandBars;
    CTkCommandBarList* pList;
    BOOL bResult;
};

std::vector<BYTE> SaveList(CTkCommandBars* pCommandBars, CTkCommandBarList* pList) {
    SaveContext context{pCommandBars, pList, FALSE};
    auto store = [](CTkPropExchange* pPX, void* pContext) {
        auto* pSave = static_cast<SaveContext*>(pContext);
        pSave->bResult = pSave->pCommandBars->SaveCommandBarList(pPX, pSave->pList);
    };
    std::vector<BYTE> bytes = ExchangedBytes(store, &context);
    EXPECT_TRUE(context.bResult);
    return bytes;
}

// Loads the first nLength bytes (all when negative) into the list, for the hub.
BOOL LoadList(CTkCommandBars* pCommandBars, std::vector<BYTE> bytes, CTkCommandBarList* pList, int nLength = -1) {
    if (nLength >= 0)
        bytes.resize(static_cast<size_t>(nLength));
    bytes.push_back(0);  // a valid buffer also for an empty archive; outside the file's length
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size() - 1));
    CArchive ar(&file, CArchive::load);
    CTkPropExchangeArchive exchange(ar);
    BarsExchangeParam param;
    param.pCommandBars = pCommandBars;
    exchange.m_pExchangeParam = &param;
    return pCommandBars->LoadCommandBarList(&exchange, pList);
}

// The bar of the list with the BarID; NULL when none.
CTkCommandBar* FindInList(CTkCommandBarList* pList, UINT nBarId) {
    for (int i = 0; i < pList->GetCount(); ++i) {
        if (pList->GetAt(i)->GetBarId() == nBarId)
            return pList->GetAt(i);
    }
    return nullptr;
}

void AddButtons(CTkCommandBar* pBar, std::initializer_list<int> ids) {
    for (int nId : ids) {
        CTkControl* pControl = pBar->GetControls()->Add(kControlButton, nId);
        CString strCaption;
        strCaption.Format(L"Command %d", nId);
        pControl->SetCaption(strCaption);
    }
}

// A plain popup bar of the hub (the fixture's popup kind is not one an archive stores); one reference, the
// caller's.
CTkPopupBar* NewPopupBar(CTkCommandBars* pCommandBars) {
    auto* pPopupBar = new CTkPopupBar;
    pPopupBar->SetCommandBars(pCommandBars);
    return pPopupBar;
}

// A popup control of the bar with a new popup bar of the hub as its sub bar (the bar, referenced by the
// control only).
CTkPopupBar* AddSubBar(CTkCommandBars* pCommandBars, CTkCommandBar* pBar, int nId) {
    auto* pPopup = static_cast<CTkControlPopup*>(pBar->GetControls()->Add(kControlPopup, nId));
    pPopup->SetCaption(L"More");
    CTkPopupBar* pSubBar = NewPopupBar(pCommandBars);
    pPopup->SetCommandBar(pSubBar);
    pSubBar->InternalRelease();
    return pSubBar;
}

struct Released {
    void operator()(CCmdTarget* pObject) const { pObject->InternalRelease(); }
};

using PersistenceTest = DockFixture;

// A toolbar reaching two levels of popups, the menu bar and a context menu: collected with numbered
// popups, written, read back and written again to the same bytes, then restored into the live bars after
// the user changed them; a toolbar the hub lacks joins it.
TEST_F(PersistenceTest, BarsSavedAndLoadedAgainAreTheSameControlByControl) {
    CTkToolBar* pToolBar = AddDockedBar(L"Standard", 2);
    ASSERT_NE(pToolBar, nullptr);
    SetBarId(pToolBar, 200);
    CTkPopupBar* pFirst = AddSubBar(m_pCommandBars, pToolBar, 300);
    AddButtons(pFirst, {301, 302});
    CTkPopupBar* pSecond = AddSubBar(m_pCommandBars, pFirst, 310);
    AddButtons(pSecond, {311});
    SetBarId(pSecond, 0x2000000);  // above the toolbar ids: renumbered too

    auto* pMenuBar = new CTkMenuBar;
    m_pCommandBars->AddBar(pMenuBar);
    SetBarId(pMenuBar, 1);
    AddButtons(pMenuBar, {400, 401});

    CTkPopupBar* pContext = NewPopupBar(m_pCommandBars);
    SetBarId(pContext, 900);
    AddButtons(pContext, {901, 902});
    m_pCommandBars->GetContextMenus()->Add(pContext);

    // A toolbar of an earlier session that this one no longer makes.
    std::unique_ptr<CTkToolBar, Released> pGone(new CTkToolBar);
    SetBarId(pGone.get(), 201);
    pGone->SetTitle(L"Gone");
    AddButtons(pGone.get(), {500});

    CTkCommandBarList list(m_pCommandBars);
    BarsExchangeParam param;
    param.pCommandBars = m_pCommandBars;
    m_pCommandBars->CollectBarsForSave(&list, &param);
    int nCounter = kFirstSavedBarId + 0x100;
    pGone->CollectBarsForSave(nCounter, &list, &param);
    ASSERT_EQ(list.GetCount(), 6);
    EXPECT_EQ(list.GetAt(0), pToolBar);
    EXPECT_EQ(pToolBar->GetBarId(), 200u);  // toolbars keep their ids
    EXPECT_EQ(pFirst->GetBarId(), kFirstSavedBarId);
    EXPECT_EQ(pSecond->GetBarId(), kFirstSavedBarId + 1);
    EXPECT_EQ(pContext->GetBarId(), 900u);

    std::unique_ptr<CTkControls, Released> pToolBarBefore(pToolBar->GetControls()->Duplicate());
    std::unique_ptr<CTkControls, Released> pMenuBarBefore(pMenuBar->GetControls()->Duplicate());
    std::unique_ptr<CTkControls, Released> pContextBefore(pContext->GetControls()->Duplicate());
    const std::vector<BYTE> bytes = SaveList(m_pCommandBars, &list);

    CTkCommandBarList loaded(m_pCommandBars);
    ASSERT_TRUE(LoadList(m_pCommandBars, bytes, &loaded));
    ASSERT_EQ(loaded.GetCount(), 6);
    auto* pLoadedPopup = DYNAMIC_DOWNCAST(CTkControlPopup, loaded.GetAt(0)->GetControls()->FindById(300));
    ASSERT_NE(pLoadedPopup, nullptr);
    EXPECT_EQ(pLoadedPopup->GetCommandBarId(), static_cast<int>(kFirstSavedBarId));
    // Linked again, the loaded bars save as the live ones did.
    for (int i = 0; i < loaded.GetCount(); ++i)
        loaded.GetAt(i)->RestorePopupLinks(&loaded);
    const std::vector<BYTE> again = SaveList(m_pCommandBars, &loaded);
    ASSERT_EQ(again.size(), bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i)
        ASSERT_EQ(again[i], bytes[i]) << i;
    EXPECT_TRUE(loaded.GetAt(3)->IsKindOf(RUNTIME_CLASS(CTkMenuBar)));

    // The user changes the live bars; the restore brings the saved controls back.
    pToolBar->GetControls()->RemoveAll();
    pMenuBar->GetControls()->RemoveAt(0);
    AddButtons(pContext, {903});
    m_pCommandBars->RestoreLoadedBars(&loaded, TRUE);

    EXPECT_TRUE(pToolBar->GetControls()->IsSameAs(pToolBarBefore.get()));
    EXPECT_TRUE(pMenuBar->GetControls()->IsSameAs(pMenuBarBefore.get()));
    EXPECT_TRUE(pContext->GetControls()->IsSameAs(pContextBefore.get()));
    EXPECT_EQ(m_pCommandBars->GetContextMenus()->GetCount(), 1);
    // The popups point at the loaded bars of the saved ids, both levels.
    CTkCommandBar* pLinked = pToolBar->GetControls()->FindById(300)->GetCommandBar();
    EXPECT_EQ(pLinked, FindInList(&loaded, kFirstSavedBarId));
    ASSERT_NE(pLinked, nullptr);
    EXPECT_EQ(pLinked->GetControls()->FindById(310)->GetCommandBar(), FindInList(&loaded, kFirstSavedBarId + 1));
    EXPECT_TRUE(pLinked->GetControls()->FindById(301) != nullptr);

    CTkCommandBar* pAdded = m_pCommandBars->FindBarById(201);
    ASSERT_NE(pAdded, nullptr);
    EXPECT_EQ(pAdded, FindInList(&loaded, 201));
    EXPECT_NE(pAdded->GetSafeHwnd(), nullptr);
    EXPECT_EQ(pAdded->GetTitle(), L"Gone");
    EXPECT_TRUE(pAdded->GetControls()->IsSameAs(pGone->GetControls()));
}

// Any cut of a saved list fails the load, and nothing read before the cut lives on; a stored class that
// is not a command bar fails it before an object of that class is made.
TEST_F(PersistenceTest, BrokenListsLoadAsFalseAndLeaveNothingBehind) {
    CTkToolBar* pToolBar = AddDockedBar(L"Counted", 0);
    ASSERT_NE(pToolBar, nullptr);
    for (int nId : {10, 11}) {
        auto* pButton = new CCountedButton;
        pToolBar->GetControls()->Add(pButton, nId);
        pButton->SetCaption(L"Counted");
    }
    CTkPopupBar* pSubBar = AddSubBar(m_pCommandBars, pToolBar, 12);
    pSubBar->GetControls()->Add(new CCountedButton, 13);
    CTkCommandBarList list(m_pCommandBars);
    BarsExchangeParam param;
    m_pCommandBars->CollectBarsForSave(&list, &param);
    const std::vector<BYTE> bytes = SaveList(m_pCommandBars, &list);
    const int nLiveBefore = CCountedButton::s_nLive;

    for (int nLength = 0; nLength < static_cast<int>(bytes.size()); ++nLength) {
        CTkCommandBarList loaded(m_pCommandBars);
        ASSERT_FALSE(LoadList(m_pCommandBars, bytes, &loaded, nLength)) << nLength;
        loaded.RemoveAll();
        ASSERT_EQ(CCountedButton::s_nLive, nLiveBefore) << nLength;
    }
    {
        CTkCommandBarList loaded(m_pCommandBars);
        EXPECT_TRUE(LoadList(m_pCommandBars, bytes, &loaded));
        EXPECT_EQ(CCountedButton::s_nLive, nLiveBefore + 3);
    }

    const std::vector<BYTE> notABar = Written([](CArchive& ar) {
        ar << 1;  // "Count" of the "CommandBar" enumeration
        ar << WORD(0xFFFF) << WORD(33) << WORD(15);
        ar.Write("CCountedNotABar", 15);
    });
    CTkCommandBarList loaded(m_pCommandBars);
    EXPECT_FALSE(LoadList(m_pCommandBars, notABar, &loaded));
    EXPECT_EQ(CCountedNotABar::s_nMade, 0);
    EXPECT_EQ(loaded.GetCount(), 0);
}

// A menu bar keeps the template sets it holds; the stored set of such an id is read past, so the sets
// and values after it load right.
TEST_F(PersistenceTest, AMenuBarKeepsItsTemplateSetAndReadsTheOnesAfterIt) {
    std::unique_ptr<CTkMenuBar, Released> pSaved(new CTkMenuBar);
    pSaved->SetCommandBars(m_pCommandBars);
    AddButtons(pSaved.get(), {1});
    for (UINT nId : {501u, 502u}) {
        auto* pInfo = new CTkMenuBarMDIMenuInfo(m_pCommandBars, nId);
        pInfo->m_pControls->Add(kControlButton, static_cast<int>(nId) + 1000)->SetCaption(L"Template");
        pInfo->m_bChanged = TRUE;
        pSaved->GetMDIMenus()->SetAt(nId, pInfo);
    }
    auto store = [](CTkPropExchange* pPX, void* pContext) {
        static_cast<CTkMenuBar*>(pContext)->DoPropExchange(pPX);
        int nEnd = 0x5A5A;
        ExchangeInt(pPX, L"End", nEnd, 0);
    };
    std::vector<BYTE> bytes = ExchangedBytes(store, pSaved.get());

    std::unique_ptr<CTkMenuBar, Released> pLive(new CTkMenuBar);
    pLive->SetCommandBars(m_pCommandBars);
    auto* pOwn = new CTkMenuBarMDIMenuInfo(m_pCommandBars, 501);
    pOwn->m_pControls->Add(kControlButton, 7);
    pLive->GetMDIMenus()->SetAt(501, pOwn);

    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    CTkPropExchangeArchive exchange(ar);
    pLive->DoPropExchange(&exchange);
    int nEnd = 0;
    ExchangeInt(&exchange, L"End", nEnd, 0);
    EXPECT_EQ(nEnd, 0x5A5A);
    EXPECT_EQ(pLive->GetMDIMenus()->Lookup(501), pOwn);
    ASSERT_EQ(pOwn->m_pControls->GetCount(), 1);
    EXPECT_EQ(pOwn->m_pControls->GetAt(0)->GetId(), 7);
    CTkMenuBarMDIMenuInfo* pLoaded = pLive->GetMDIMenus()->Lookup(502);
    ASSERT_NE(pLoaded, nullptr);
    ASSERT_EQ(pLoaded->m_pControls->GetCount(), 1);
    EXPECT_EQ(pLoaded->m_pControls->GetAt(0)->GetId(), 1502);
    EXPECT_EQ(pLive->GetControls()->GetCount(), 1);
}

// Answers every message box of the thread with the button, and counts them.
class CAnswerMessageBoxes {
public:
    explicit CAnswerMessageBoxes(int nAnswer)
        : m_hHook(::SetWindowsHookExW(WH_CBT, Hook, nullptr, ::GetCurrentThreadId())) {
        s_nAnswer = nAnswer;
        s_nShown = 0;
    }
    ~CAnswerMessageBoxes() { ::UnhookWindowsHookEx(m_hHook); }
    static int s_nShown;

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam) {
        WCHAR szClass[16] = {};
        if (nCode == HCBT_ACTIVATE && ::GetClassNameW(reinterpret_cast<HWND>(wParam), szClass, 16) > 0 &&
            wcscmp(szClass, L"#32770") == 0) {
            ++s_nShown;
            ::PostMessageW(reinterpret_cast<HWND>(wParam), WM_COMMAND, static_cast<WPARAM>(s_nAnswer), 0);
        }
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    static int s_nAnswer;
    HHOOK m_hHook;
};
int CAnswerMessageBoxes::s_nShown = 0;
int CAnswerMessageBoxes::s_nAnswer = 0;

// The built-in layout changed since the save (the two original lists differ): the user's saved
// customisation is taken only when not silent and the user answers No; an uncustomized save is dropped
// without asking. Taken or not, the live bar keeps its own original list.
TEST_F(PersistenceTest, AToolBarWhoseLayoutChangedTakesTheSavedOneOnlyWhenTheUserSaysNo) {
    struct Case {
        const char* pszCase;
        BOOL bSilent;
        BOOL bCustomized;
        int nAnswer;
        int nShown;
        BOOL bTaken;
    };
    const Case cases[] = {
        {"silent", TRUE, TRUE, IDNO, 0, FALSE},
        {"not customized", FALSE, FALSE, IDNO, 0, FALSE},
        {"keeps the new layout", FALSE, TRUE, IDYES, 1, FALSE},
        {"takes the saved one", FALSE, TRUE, IDNO, 1, TRUE},
    };
    for (const Case& c : cases) {
        std::unique_ptr<CTkToolBar, Released> pLive(new CTkToolBar);
        pLive->SetTitle(L"Standard");
        AddButtons(pLive.get(), {1, 2});
        pLive->GetControls()->SaveOriginalControls();
        const CTkOriginalControls* pLiveOriginal = pLive->GetControls()->GetOriginalControls();
        std::unique_ptr<CTkToolBar, Released> pLoaded(new CTkToolBar);
        AddButtons(pLoaded.get(), {1, 2, 3});
        pLoaded->GetControls()->SaveOriginalControls();
        if (c.bCustomized)
            pLoaded->GetControls()->RemoveAt(0);

        CAnswerMessageBoxes answer(c.nAnswer);
        pLive->MergeLoadedState(pLoaded.get(), c.bSilent);
        EXPECT_EQ(CAnswerMessageBoxes::s_nShown, c.nShown) << c.pszCase;
        EXPECT_EQ(pLive->GetControls()->IsSameAs(pLoaded->GetControls()), c.bTaken) << c.pszCase;
        EXPECT_EQ(pLive->GetControls()->GetOriginalControls(), pLiveOriginal) << c.pszCase;
    }
}

// ---- Options

std::vector<BYTE> SaveOptions(CTkCommandBarsOptions* pOptions) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        pOptions->Serialize(ar);
        ar.Close();
    }
    return FileBytes(file);
}

// Loads the options and answers the int after them.
int LoadOptions(CTkCommandBarsOptions* pOptions, std::vector<BYTE> bytes) {
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    pOptions->Serialize(ar);
    int nAfter = 0;
    ar >> nAfter;
    return nAfter;
}

TEST_F(PersistenceTest, OptionsRoundTripAtTheCurrentSchemaAndReadTheSecondOfTheDoubledKeys) {
    CTkCommandBarsOptions* pOptions = m_pCommandBars->GetCommandBarsOptions();
    pOptions->m_bAlwaysShowFullMenus = FALSE;
    pOptions->m_bToolBarAccelTips = TRUE;
    pOptions->m_mapUsedCommands.SetAt(5, TRUE);
    pOptions->m_mapHiddenCommands.SetAt(7, TRUE);
    pOptions->m_nAnimationType = 3;
    pOptions->m_szIcons = CSize(20, 20);
    pOptions->m_szPopupIcons = CSize(24, 24);
    pOptions->m_bSyncFloatingBars = FALSE;
    pOptions->m_bDblClickFloat = TRUE;
    pOptions->m_nKeyboardCuesUse = kCuesUseNoFirstLetter;
    pOptions->m_nKeyboardCuesShow = kCuesShowNever;
    std::vector<BYTE> bytes = SaveOptions(pOptions);
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(*reinterpret_cast<const int*>(bytes.data()), 33);
    bytes.insert(bytes.end(), {0x5A, 0x5A, 0, 0});

    std::unique_ptr<CTestCommandBars, Released> pOther(new CTestCommandBars);
    CTkCommandBarsOptions* pLoaded = pOther->GetCommandBarsOptions();
    EXPECT_EQ(LoadOptions(pLoaded, bytes), 0x5A5A);
    BOOL bValue = FALSE;
    EXPECT_FALSE(pLoaded->m_bAlwaysShowFullMenus);
    EXPECT_TRUE(pLoaded->m_bToolBarAccelTips);
    EXPECT_TRUE(pLoaded->m_mapUsedCommands.Lookup(5, bValue));
    EXPECT_TRUE(pLoaded->m_mapHiddenCommands.Lookup(7, bValue));
    EXPECT_EQ(pLoaded->m_nAnimationType, 3);
    EXPECT_EQ(pLoaded->m_szIcons, CSize(20, 20));
    EXPECT_EQ(pLoaded->m_szPopupIcons, CSize(24, 24));
    EXPECT_FALSE(pLoaded->m_bSyncFloatingBars);
    EXPECT_TRUE(pLoaded->m_bDblClickFloat);
    EXPECT_EQ(pLoaded->m_nKeyboardCuesUse, kCuesUseNoFirstLetter);
    EXPECT_EQ(pLoaded->m_nKeyboardCuesShow, kCuesShowNever);
    EXPECT_FALSE(pOther->IsKeyboardCuesVisible());  // applied, not only stored

    // With empty maps the two copies of SyncFloatingBars lie at 30 and 68: the second one wins.
    pOptions->m_mapUsedCommands.RemoveAll();
    pOptions->m_mapHiddenCommands.RemoveAll();
    pOptions->m_bSyncFloatingBars = TRUE;
    std::vector<BYTE> doubled = SaveOptions(pOptions);
    doubled.insert(doubled.end(), {0, 0, 0, 0});
    ASSERT_EQ(doubled[30], 1);
    ASSERT_EQ(doubled[68], 1);
    struct Case {
        size_t nOffset;
        BOOL bExpected;
    };
    for (const Case& c : {Case{30, TRUE}, Case{68, FALSE}}) {
        std::vector<BYTE> patched = doubled;
        patched[c.nOffset] = 0;
        LoadOptions(pLoaded, patched);
        EXPECT_EQ(pLoaded->m_bSyncFloatingBars, c.bExpected) << c.nOffset;
    }
}

TEST_F(PersistenceTest, OptionsOfSchemaSevenHaveNoKeyAboveSeven) {
    // The icon effects are the shared paint manager's: stored as they are.
    const BOOL* pbEffects = m_pCommandBars->GetPaintManager()->m_bIconEffects;
    const std::vector<BYTE> bytes = Written([pbEffects](CArchive& ar) {
        ar << 7;                                       // Schema
        ar << FALSE << FALSE << TRUE << TRUE << TRUE;  // AlwaysShowFullMenus .. LargeIcons
        ar << FALSE << FALSE;                          // SyncFloatingBars, ShowExpandButtonAlways
        ar << 16 << 16 << 32 << 32;                    // IconsSize, LargeIconsSize
        ar.WriteCount(1);                              // HiddenCommands
        ar << 9u << TRUE;
        ar << pbEffects[2] << pbEffects[1] << pbEffects[0];  // IconsWithShadow, UseDisabledIcons, UseFadedIcons
        ar << 0x5A5A;
    });
    CTkCommandBarsOptions* pOptions = m_pCommandBars->GetCommandBarsOptions();
    pOptions->m_nAnimationType = 4;
    pOptions->m_bDblClickFloat = TRUE;
    pOptions->m_nKeyboardCuesUse = kCuesUseNoFirstLetter;
    EXPECT_EQ(LoadOptions(pOptions, bytes), 0x5A5A);
    EXPECT_FALSE(pOptions->m_bAlwaysShowFullMenus);
    EXPECT_TRUE(pOptions->m_bLargeIcons);
    EXPECT_FALSE(pOptions->m_bShowExpandButtonAlways);
    EXPECT_EQ(pOptions->m_szLargeIcons, CSize(32, 32));
    BOOL bValue = FALSE;
    EXPECT_TRUE(pOptions->m_mapHiddenCommands.Lookup(9, bValue));
    // The keys above schema 7 were not there: the values stay.
    EXPECT_EQ(pOptions->m_nAnimationType, 4);
    EXPECT_TRUE(pOptions->m_bDblClickFloat);
    EXPECT_EQ(pOptions->m_nKeyboardCuesUse, kCuesUseNoFirstLetter);
}

}  // namespace
