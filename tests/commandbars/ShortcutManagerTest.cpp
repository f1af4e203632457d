// The shortcut manager: texts of keys, carrying out one- and two-keystroke shortcuts, saving and loading.

#include "BarFixtures.h"
#include "TkPropExchange.h"
#include "TkShortcutManager.h"

#include <cstring>
#include <initializer_list>

namespace {

constexpr BYTE kVirtCtrl = kKeyVirtual | kKeyCtrl;

CTkShortcutManagerAccel MakeAccel(DWORD nCommand, BYTE fVirt, WORD nKey, BYTE fVirt2 = 0, WORD nKey2 = 0) {
    CTkShortcutManagerAccel accel;
    accel.cmd = nCommand;
    accel.key[0] = {fVirt, 0, nKey};
    accel.key[1] = {fVirt2, 0, nKey2};
    return accel;
}

// The thread's key state: exactly these keys held.
void HoldKeys(std::initializer_list<int> keys) {
    BYTE state[256] = {};
    for (int nKey : keys)
        state[nKey] = 0x80;
    ::SetKeyboardState(state);
}

MSG KeyDown(HWND hWnd, UINT nKey) {
    MSG msg = {};
    msg.hwnd = hWnd;
    msg.message = WM_KEYDOWN;
    msg.wParam = nKey;
    return msg;
}

class ShortcutFixture : public BarFixture {
protected:
    void SetUp() override {
        BarFixture::SetUp();
        m_pManager = m_pCommandBars->GetShortcutManager();
    }
    void TearDown() override {
        HoldKeys({});
        BarFixture::TearDown();
    }
    void SetTable(std::initializer_list<CTkShortcutManagerAccel> records) {
        std::vector<CTkShortcutManagerAccel> table(records);
        m_pManager->SetAccelerators(table.data(), static_cast<int>(table.size()));
    }
    BOOL Translate(UINT nKey) {
        const MSG msg = KeyDown(m_pSite->GetSafeHwnd(), nKey);
        return m_pManager->TranslateAccelerator(&msg);
    }
    void PostKey(UINT nKey) { ::PostMessageW(m_pSite->GetSafeHwnd(), WM_KEYDOWN, nKey, 0); }

    CTkShortcutManager* m_pManager = nullptr;
};

TEST_F(ShortcutFixture, KeystrokesParseFromTheirTextsWithCaseSensitiveModifiers) {
    struct Row {
        LPCWSTR pszText;
        BOOL bParses;
        BYTE fVirt;
        WORD nKey;
        BYTE fVirt2;
        WORD nKey2;
    };
    const Row rows[] = {
        {L"Ctrl+K", TRUE, kVirtCtrl, 'K', 0, 0},
        {L"Ctrl+k", TRUE, kVirtCtrl, 'K', 0, 0},  // key names in any case
        {L"ctrl+k", FALSE, 0, 0, 0, 0},           // modifier names exactly
        {L"Shift+Alt+F5", TRUE, kKeyVirtual | kKeyShift | kKeyAlt, VK_F5, 0, 0},
        {L"Ctrl+K, Ctrl+C", TRUE, kVirtCtrl, 'K', kVirtCtrl, 'C'},
        {L"Ctrl+K, Nothing", FALSE, 0, 0, 0, 0},
        {L"Num 5", TRUE, kKeyVirtual, VK_NUMPAD5, 0, 0},
        {L"0x7c", TRUE, kKeyVirtual, 0x7C, 0, 0},
        {L"0x1", FALSE, 0, 0, 0, 0},  // three characters are not a number
        {L"Ctrl+", FALSE, 0, 0, 0, 0},
    };
    for (const Row& row : rows) {
        CTkShortcutManagerAccel accel;
        ASSERT_EQ(m_pManager->ParseShortcut(row.pszText, &accel), row.bParses) << CStringA(row.pszText);
        if (!row.bParses)
            continue;
        EXPECT_EQ(accel.key[0].fVirt, row.fVirt) << CStringA(row.pszText);
        EXPECT_EQ(accel.key[0].key, row.nKey) << CStringA(row.pszText);
        EXPECT_EQ(accel.key[1].fVirt, row.fVirt2) << CStringA(row.pszText);
        EXPECT_EQ(accel.key[1].key, row.nKey2) << CStringA(row.pszText);
    }
}

TEST_F(ShortcutFixture, AcceleratorsFormatWithTheirPriority) {
    struct Row {
        CTkShortcutManagerAccel accel;
        LPCWSTR pszText;
        int nPriority;
    };
    const Row rows[] = {
        {MakeAccel(1, kKeyVirtual | kKeyCtrl | kKeyShift, 'K'), L"Ctrl+Shift+K", 3},
        {MakeAccel(1, kKeyVirtual, VK_F5), L"F5", 4},
        {MakeAccel(1, kKeyVirtual | kKeyAlt, VK_BACK), L"Alt+Backspace", 2},
        {MakeAccel(1, kKeyVirtual | kKeyShift | kKeyWin, VK_DELETE), L"Shift+Win+Del", 1},
        {MakeAccel(1, kVirtCtrl, 'K', kVirtCtrl, 'C'), L"Ctrl+K, Ctrl+C", 3},
        {MakeAccel(1, 0, 'a'), L"a", 4},                        // a character key
        {MakeAccel(1, 0x02, 3), L"Ctrl+C", 4},                  // a control character
        {MakeAccel(1, kKeyCtrl, 27), L"Ctrl+", 3},              // Esc and Tab characters have no text of their own
        {MakeAccel(1, kKeyVirtual | kKeyCtrl, 0), L"Ctrl", 3},  // modifiers alone drop their "+"
    };
    for (const Row& row : rows) {
        int nPriority = 0;
        EXPECT_EQ(m_pManager->FormatAccelerator(&row.accel, &nPriority), row.pszText) << CStringA(row.pszText);
        EXPECT_EQ(nPriority, row.nPriority) << CStringA(row.pszText);
    }
    // Saved texts use the table alone: a key without a name is written as a number.
    const CTkShortcutManagerAccel unnamed = MakeAccel(1, kVirtCtrl, 0xE2);
    EXPECT_EQ(CTkShortcutManager::CKeyHelper(&unnamed, m_pManager, FALSE).Format(), CString(L"Ctrl+0xe2"));
}

TEST_F(ShortcutFixture, ACommandShowsItsHighestPriorityShortcut) {
    SetTable({MakeAccel(100, kVirtCtrl, 'R'), MakeAccel(100, kKeyVirtual, VK_F5), MakeAccel(101, kVirtCtrl, 'S')});
    CString strText;
    EXPECT_TRUE(m_pManager->FindShortcutText(100, strText));
    EXPECT_EQ(strText, L"F5");
    // A text that is one of the command's shortcuts stays.
    strText = L"Ctrl+R";
    EXPECT_TRUE(m_pManager->FindShortcutText(100, strText));
    EXPECT_EQ(strText, L"Ctrl+R");
    strText = L"old";
    EXPECT_FALSE(m_pManager->FindShortcutText(102, strText));
    EXPECT_TRUE(strText.IsEmpty());
}

TEST_F(ShortcutFixture, WithoutATableTheFramesOwnAcceleratorsGiveTheTexts) {
    CString strText = L"unchanged";
    EXPECT_FALSE(m_pManager->FindShortcutText(100, strText));
    EXPECT_EQ(strText, L"unchanged");

    ACCEL table[] = {{FVIRTKEY | FCONTROL, 'O', 100}, {FVIRTKEY, VK_F2, 101}};
    m_pSite->m_hAccelTable = ::CreateAcceleratorTableW(table, 2);
    EXPECT_TRUE(m_pManager->FindShortcutText(100, strText));
    EXPECT_EQ(strText, L"Ctrl+O");
    // A table of its own hides the frame's.
    SetTable({MakeAccel(100, kKeyVirtual, VK_F9)});
    EXPECT_TRUE(m_pManager->FindShortcutText(100, strText));
    EXPECT_EQ(strText, L"F9");
    ::DestroyAcceleratorTable(m_pSite->m_hAccelTable);
    m_pSite->m_hAccelTable = nullptr;
}

TEST_F(ShortcutFixture, KeysMatchCharactersOnTheOneLayout) {
    ASSERT_EQ(::GetKeyboardLayoutList(0, nullptr), 1);
    struct Row {
        WCHAR ch;
        UINT nKey;
        BOOL bMatches;
    };
    const Row rows[] = {
        {L'a', 'A', TRUE},         {L'A', 'A', TRUE},
        {L'b', 'A', FALSE},        {L'5', VK_NUMPAD5, TRUE},  // keypad digits match their digit
        {L'6', VK_NUMPAD5, FALSE}, {L'e', VK_NUMPAD5, FALSE},
        {L't', VK_F5, FALSE},  // F5 is 0x74 ("t") but types nothing
        {L'1', '1', TRUE},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CTkShortcutManager::KeyMatchesChar(row.ch, row.nKey), row.bMatches) << char(row.ch) << row.nKey;
}

TEST_F(ShortcutFixture, AltGrCountsOnlyTheOtherCtrlAndAltKeys) {
    struct Row {
        std::initializer_list<int> keys;
        BYTE fModifiers;
    };
    const Row rows[] = {
        {{VK_CONTROL, VK_LCONTROL, VK_MENU, VK_RMENU}, 0},  // AltGr alone
        {{VK_CONTROL, VK_LCONTROL, VK_RCONTROL, VK_MENU, VK_RMENU}, kKeyCtrl},
        {{VK_CONTROL, VK_LCONTROL, VK_MENU, VK_LMENU, VK_RMENU}, kKeyAlt},
        {{VK_CONTROL, VK_LCONTROL, VK_MENU, VK_LMENU}, kKeyCtrl | kKeyAlt},  // left Ctrl and left Alt
        {{VK_SHIFT}, kKeyShift},
    };
    for (const Row& row : rows) {
        HoldKeys(row.keys);
        EXPECT_EQ(CTkShortcutManager::GetModifierState(), row.fModifiers);
    }
    SetTable({MakeAccel(100, kKeyVirtual | kKeyCtrl | kKeyAlt, 'K')});
    HoldKeys({VK_CONTROL, VK_LCONTROL, VK_MENU, VK_RMENU});
    EXPECT_FALSE(Translate('K'));
    HoldKeys({VK_CONTROL, VK_LCONTROL, VK_RCONTROL, VK_MENU, VK_LMENU, VK_RMENU});
    EXPECT_TRUE(Translate('K'));
    EXPECT_EQ(m_pSite->m_commands, std::vector<UINT>{100});
}

TEST_F(ShortcutFixture, AMatchedShortcutIsConsumedEvenWhenNothingRuns) {
    SetTable({MakeAccel(100, kVirtCtrl, 'K'), MakeAccel(0, kKeyVirtual, VK_F4), MakeAccel(102, 0, 'x')});
    HoldKeys({VK_CONTROL});
    EXPECT_TRUE(Translate('K'));
    EXPECT_EQ(m_pSite->m_commands, std::vector<UINT>{100});
    EXPECT_FALSE(Translate('J'));
    HoldKeys({});
    EXPECT_FALSE(Translate('K'));  // Shift and Ctrl must be exactly as held

    // Refused outright: nothing is consumed.
    m_pManager->IncrementDisableCount(TRUE);
    HoldKeys({VK_CONTROL});
    EXPECT_FALSE(Translate('K'));
    m_pManager->IncrementDisableCount(FALSE);
    m_pCommandBars->SetCustomizeMode(TRUE);
    EXPECT_FALSE(Translate('K'));
    m_pCommandBars->SetCustomizeMode(FALSE);
    MSG up = KeyDown(m_pSite->GetSafeHwnd(), 'K');
    up.message = WM_KEYUP;
    EXPECT_FALSE(m_pManager->TranslateAccelerator(&up));
    MSG character = KeyDown(m_pSite->GetSafeHwnd(), 'x');
    character.message = WM_CHAR;
    HoldKeys({});
    EXPECT_TRUE(m_pManager->TranslateAccelerator(&character));

    // Consumed without a command: id 0, a captured mouse, a disabled frame.
    m_pSite->m_commands.clear();
    HoldKeys({});
    EXPECT_TRUE(Translate(VK_F4));
    HoldKeys({VK_CONTROL});
    m_pBar->SetCapture();
    EXPECT_TRUE(Translate('K'));
    ::ReleaseCapture();
    m_pSite->EnableWindow(FALSE);
    EXPECT_TRUE(Translate('K'));
    m_pSite->EnableWindow(TRUE);
    EXPECT_TRUE(m_pSite->m_commands.empty());
}

TEST_F(ShortcutFixture, TheSecondKeystrokeChoosesAmongTheShortcutsOfTheFirst) {
    // A message bar shows the prompt while the second key is awaited.
    CWnd messageBar;
    ASSERT_TRUE(messageBar.Create(L"STATIC", L"", WS_CHILD, CRect(0, 0, 100, 20), m_pSite, AFX_IDW_STATUS_BAR));
    SetTable({MakeAccel(100, kVirtCtrl, 'K', kVirtCtrl, 'C'), MakeAccel(101, kVirtCtrl, 'K', kVirtCtrl, 'U')});
    HoldKeys({VK_CONTROL});

    CString strPrompt;
    std::function<void()> readPrompt = [&] {
        messageBar.GetWindowText(strPrompt);
        PostKey(VK_SHIFT);  // Shift alone keeps the wait going
        PostKey('U');
    };
    RunLater(m_pSite, 10, readPrompt);
    EXPECT_TRUE(Translate('K'));
    EXPECT_EQ(strPrompt, L"Ctrl+K was pressed. Press the second key of the shortcut.");
    EXPECT_EQ(m_pSite->m_commands, std::vector<UINT>{101});
    CString strAfter;
    messageBar.GetWindowText(strAfter);
    EXPECT_TRUE(strAfter.IsEmpty());
    EXPECT_EQ(m_pManager->GetDisableCount(), 0);
    EXPECT_EQ(::GetCapture(), nullptr);

    // A key that completes none beeps and runs nothing; a click ends the wait the same way.
    m_pSite->m_commands.clear();
    PostKey('Z');
    EXPECT_TRUE(Translate('K'));
    ::PostMessageW(m_pSite->GetSafeHwnd(), WM_LBUTTONDOWN, 0, 0);
    EXPECT_TRUE(Translate('K'));
    EXPECT_TRUE(m_pSite->m_commands.empty());
    EXPECT_EQ(m_pManager->GetDisableCount(), 0);
    messageBar.DestroyWindow();
}

TEST_F(ShortcutFixture, TheSecondKeystrokeWaitEndsOnQuitLostCaptureAndADestroyedFrame) {
    SetTable({MakeAccel(100, kVirtCtrl, 'K', kVirtCtrl, 'C')});
    HoldKeys({VK_CONTROL});

    ::PostQuitMessage(7);
    EXPECT_TRUE(Translate('K'));
    EXPECT_EQ(m_pManager->GetDisableCount(), 0);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);

    std::function<void()> steal = [this] { m_pBar->SetCapture(); };
    RunLater(m_pSite, 10, steal);
    EXPECT_TRUE(Translate('K'));
    EXPECT_EQ(m_pManager->GetDisableCount(), 0);
    EXPECT_EQ(::GetCapture(), m_pBar->GetSafeHwnd());
    ::ReleaseCapture();

    // The site goes in the middle of the wait (a frame of its own, so the fixture's stays).
    auto* pFrame = new CRecordingSite;
    ASSERT_TRUE(pFrame->CreateHidden());
    m_pCommandBars->AttachToSite(pFrame);
    std::function<void()> destroy = [pFrame] { pFrame->DestroyWindow(); };
    RunLater(m_pSite, 10, destroy);
    const MSG first = KeyDown(pFrame->GetSafeHwnd(), 'K');
    EXPECT_TRUE(m_pManager->TranslateAccelerator(&first));
    EXPECT_EQ(m_pManager->GetDisableCount(), 0);
    EXPECT_EQ(::GetCapture(), nullptr);
    m_pCommandBars->AttachToSite(m_pSite);
    EXPECT_TRUE(m_pSite->m_commands.empty());
}

// ---- Saving and loading

void StoreShortcuts(CTkPropExchange* pPX, void* pContext) {
    static_cast<CTkShortcutManager*>(pContext)->DoPropExchange(pPX);
}

// Loads bytes into the manager as the bar loaders do: an archive exception makes the load fail.
BOOL LoadShortcuts(CTkShortcutManager* pManager, const std::vector<BYTE>& bytes, int nSchema, BOOL bBlobs = TRUE) {
    class CNoBlobExchange : public CTkPropExchangeArchive {
    public:
        using CTkPropExchangeArchive::CTkPropExchangeArchive;
        BOOL AllowsBlobValues() override { return FALSE; }
    };
    CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    CTkPropExchangeArchive blobs(ar);
    CNoBlobExchange texts(ar);
    CTkPropExchange* pPX = bBlobs ? static_cast<CTkPropExchange*>(&blobs) : &texts;
    pPX->m_bLoading = TRUE;
    pPX->m_nSchema = nSchema;
    try {
        pManager->DoPropExchange(pPX);
    } catch (CArchiveException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

std::vector<BYTE> CountAndBlob(int nCount, const void* pRecords, WORD nBytes) {
    std::vector<BYTE> bytes(4 + 2 + nBytes);
    std::memcpy(bytes.data(), &nCount, 4);
    std::memcpy(bytes.data() + 4, &nBytes, 2);
    std::memcpy(bytes.data() + 6, pRecords, nBytes);
    return bytes;
}

TEST_F(ShortcutFixture, ShortcutsAreSavedAsACountAndABlobOfTwelveByteRecords) {
    const CTkShortcutManagerAccel records[] = {MakeAccel(0x01020304, kVirtCtrl, 'K', kVirtCtrl, 'C'),
                                               MakeAccel(7, kKeyVirtual, VK_F5)};
    SetTable({records[0], records[1]});
    const BYTE expectedRecords[24] = {0x04, 0x03, 0x02, 0x01, 0x09, 0, 'K',  0, 0x09, 0, 'C', 0,
                                      7,    0,    0,    0,    0x01, 0, 0x74, 0, 0,    0, 0,   0};
    const std::vector<BYTE> saved = ExchangedBytes(StoreShortcuts, m_pManager);
    EXPECT_EQ(saved, CountAndBlob(2, expectedRecords, 24));

    CTkShortcutManager loaded(m_pCommandBars);
    ASSERT_TRUE(LoadShortcuts(&loaded, saved, 33));
    ASSERT_EQ(loaded.GetAccelerators().size(), 2u);
    EXPECT_EQ(std::memcmp(loaded.GetAccelerators().data(), expectedRecords, 24), 0);
}

TEST_F(ShortcutFixture, ACountTheBlobCannotHoldStopsTheLoadWithoutReadingPastIt) {
    const BYTE records[30] = {1, 0, 0, 0, 0x01, 0, 0x70, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0x01, 0, 0x71, 0, 0, 0, 0, 0};
    // 24 bytes hold two records, not five.
    EXPECT_FALSE(LoadShortcuts(m_pManager, CountAndBlob(5, records, 24), 33));
    EXPECT_TRUE(m_pManager->GetAccelerators().empty());
    // A partial record after the counted ones is left alone.
    ASSERT_TRUE(LoadShortcuts(m_pManager, CountAndBlob(2, records, 30), 33));
    EXPECT_EQ(m_pManager->GetAccelerators().size(), 2u);
    EXPECT_FALSE(LoadShortcuts(m_pManager, CountAndBlob(-1, records, 24), 33));
}

TEST_F(ShortcutFixture, OldSchemasLoadSixByteWindowsRecords) {
    const ACCEL old[] = {{FVIRTKEY | FCONTROL, 'P', 300}, {FVIRTKEY, VK_F3, 301}};
    ASSERT_TRUE(LoadShortcuts(m_pManager, CountAndBlob(2, old, sizeof(old)), 32));
    ASSERT_EQ(m_pManager->GetAccelerators().size(), 2u);
    CString strText;
    EXPECT_TRUE(m_pManager->FindShortcutText(300, strText));
    EXPECT_EQ(strText, L"Ctrl+P");
    EXPECT_TRUE(m_pManager->FindShortcutText(301, strText));
    EXPECT_EQ(strText, L"F3");
}

TEST_F(ShortcutFixture, WithoutBlobsShortcutsTravelAsTexts) {
    SetTable({MakeAccel(100, kVirtCtrl, 'K', kVirtCtrl, 'C'), MakeAccel(101, kKeyVirtual | kKeyShift, VK_DELETE)});
    CMemFile file;
    {
        class CNoBlobExchange : public CTkPropExchangeArchive {
        public:
            using CTkPropExchangeArchive::CTkPropExchangeArchive;
            BOOL AllowsBlobValues() override { return FALSE; }
        };
        CArchive ar(&file, CArchive::store);
        CNoBlobExchange exchange(ar);
        m_pManager->DoPropExchange(&exchange);
        ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));

    CTkShortcutManager loaded(m_pCommandBars);
    ASSERT_TRUE(LoadShortcuts(&loaded, bytes, 33, FALSE));
    ASSERT_EQ(loaded.GetAccelerators().size(), 2u);
    EXPECT_EQ(std::memcmp(loaded.GetAccelerators().data(), m_pManager->GetAccelerators().data(), 24), 0);
}

TEST_F(ShortcutFixture, AResetReturnsToTheRecordedTable) {
    SetTable({MakeAccel(100, kKeyVirtual, VK_F5)});
    m_pManager->ResetAccelerators();  // nothing recorded: the table stays
    EXPECT_EQ(m_pManager->GetAccelerators().size(), 1u);
    m_pManager->SaveOriginalAccelerators();
    SetTable({MakeAccel(101, kKeyVirtual, VK_F6), MakeAccel(102, kKeyVirtual, VK_F7)});
    EXPECT_EQ(m_pManager->ExportAccelerators().size(), 2u);
    m_pManager->ResetAccelerators();
    ASSERT_EQ(m_pManager->GetAccelerators().size(), 1u);
    EXPECT_EQ(m_pManager->GetAccelerators()[0].cmd, 100u);
    // A recorded table, even an empty current one, keeps the frame's own out of the texts.
    SetTable({});
    ACCEL table[] = {{FVIRTKEY, VK_F2, 100}};
    m_pSite->m_hAccelTable = ::CreateAcceleratorTableW(table, 1);
    CString strText;
    EXPECT_FALSE(m_pManager->FindShortcutText(100, strText));
    ::DestroyAcceleratorTable(m_pSite->m_hAccelTable);
    m_pSite->m_hAccelTable = nullptr;
}

TEST_F(ShortcutFixture, APlainEscapeIsAShortcutOnlyWhenAllowed) {
    const CTkShortcutManagerAccel escape = MakeAccel(1, kKeyVirtual, VK_ESCAPE);
    const CTkShortcutManagerAccel shiftEscape = MakeAccel(1, kKeyVirtual | kKeyShift, VK_ESCAPE);
    EXPECT_FALSE(m_pManager->IsAllowedShortcut(&escape));
    EXPECT_TRUE(m_pManager->IsAllowedShortcut(&shiftEscape));
    m_pManager->m_bAllowEscape = TRUE;
    EXPECT_TRUE(m_pManager->IsAllowedShortcut(&escape));
}

}  // namespace
