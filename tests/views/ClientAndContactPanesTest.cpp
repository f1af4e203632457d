// The clients pane (its 1999-row log, the forced logout of every connection of a user) and the phone-book pane
// (adds, edits that keep the contact's identity, one-question deletes and searches, each logged).

#include "views/NetWorkView.h"
#include "views/PhoneBookView.h"

#include "LocalTime.h"
#include "PanesResource.h"
#include "TestMainFrame.h"
#include "ViewsTestSupport.h"
#include "clients/ClientSlot.h"
#include "common/OperatorDialogs.h"
#include "common/OperatorSession.h"
#include "storage/ContactStore.h"
#include "storage/RecordFields.h"
#include "storage/StoragePaths.h"
#include "storage/Stores.h"
#include "storage/SysLogStore.h"
#include "views/ViewIndex.h"

#include <gtest/gtest.h>

#include <winsock2.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Both ends of a loopback connection: the server's to attach to a slot, the client's to read what it gets.
struct LoopbackPair {
    SOCKET Server = INVALID_SOCKET;
    SOCKET Client = INVALID_SOCKET;
};

LoopbackPair Connect() {
    LoopbackPair pair;
    const SOCKET listener = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof(address);
    ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    ::listen(listener, 1);
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    pair.Client = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    ::connect(pair.Client, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    pair.Server = ::accept(listener, nullptr, nullptr);
    ::closesocket(listener);
    return pair;
}

// Everything the client end receives until the server closes the connection (or 3 s pass).
std::vector<uint8_t> ReceiveUntilClosed(SOCKET client) {
    const DWORD timeout = 3000;
    ::setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
    std::vector<uint8_t> bytes;
    char buffer[256];
    for (int got; (got = ::recv(client, buffer, sizeof(buffer), 0)) > 0;)
        bytes.insert(bytes.end(), buffer, buffer + got);
    return bytes;
}

ClientEventRecord Event(int code, const wchar_t* user) {
    ClientEventRecord event{};
    event.Time = LocalTime(2026, 4, 5, 6, 7, 8);
    strcpy(event.PeerAddress, "10.0.0.7");
    CopyToField(event.UserName, user);
    event.Event = code;
    return event;
}

ContactRecord Contact(const wchar_t* name, const wchar_t* mobile) {
    ContactRecord contact{};
    CopyToField(contact.UserName, name);
    CopyToField(contact.UserMobile, mobile);
    CopyToField(contact.UserNotes, L"notes");
    return contact;
}

std::vector<SysLogRow> TodaysSysLog() {
    std::vector<SysLogRow> rows;
    SysLogStore store;
    if (store.Open(SysLogDayFile(Today()).c_str()))
        store.ForEachRow(L"select * from SysLog_Table", [&](const SysLogRow& row) { rows.push_back(row); });
    store.Close();
    return rows;
}

void Command(CWnd& pane, UINT id) {
    pane.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

void SelectRows(CListCtrl& list, std::initializer_list<int> rows) {
    list.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    for (int row : rows)
        list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
}

}  // namespace

TEST(ClientAndContactPanes, ClientLogAndForcedLogoutThenPhoneBookEdits) {
    TestFolder folder;
    PrepareEchoLanguage(folder);
    CopyImages(folder);
    EnsureAppIcons();
    OperatorDialogs() = {};
    CWinApp app(L"test");
    CTestMainFrame* frame = CreateTestMainFrame(app, 1000, 500);
    ASSERT_TRUE(frame);

    // ---- Clients: 2500 events from a worker leave the 1999 newest, numbered by the rows there were.
    CNetWorkView& clients = frame->Right()->NetWorkView();
    const HWND log = clients.List().GetSafeHwnd();
    ASSERT_TRUE(RunOnWorker([&] {
        for (int i = 0; i < 2500; ++i) {
            ClientEventRecord event = Event(i % 4, (L"user" + std::to_wstring(i)).c_str());
            AddClientRow(&clients, event);
        }
    }));
    ASSERT_EQ(1999, RowCount(log));
    EXPECT_EQ(L"user501", CellText(log, 0, 3));
    EXPECT_EQ(L"502", CellText(log, 0, 0));
    EXPECT_EQ(L"1999", CellText(log, 1497, 0));
    EXPECT_EQ(L"2000", CellText(log, 1498, 0));  // from the 2000th event on
    EXPECT_EQ(L"2000", CellText(log, 1998, 0));
    EXPECT_EQ(L"10.0.0.7", CellText(log, 1998, 2));
    EXPECT_EQ(L"T0358", CellText(log, 0, 4));  // 501 % 4 = 1: timed out
    EXPECT_EQ(L"", CellText(log, 2, 4));       // 503 % 4 = 3: no such event
    EXPECT_EQ(kIconSupport, RowImage(log, 0, 0));
    EXPECT_STREQ(L"user2499", clients.RowRecord(1998)->UserName);
    Command(clients, ID_NETWORK_CLEAR);
    ClientEventRecord alice = Event(0, L"alice");
    AddClientRow(&clients, alice);
    EXPECT_EQ(L"1", CellText(log, 0, 0));

    // Forcing alice off closes both her connections with the logout frame and leaves bob's.
    WSADATA wsa;
    ASSERT_EQ(0, ::WSAStartup(MAKEWORD(2, 2), &wsa));
    LoopbackPair connections[3] = {Connect(), Connect(), Connect()};
    const wchar_t* users[3] = {L"alice", L"bob", L"alice"};
    for (int i = 0; i < 3; ++i) {
        ClientSlot& slot = ClientSlots()[i];
        ASSERT_TRUE(slot.Attach(connections[i].Server, "127.0.0.1"));
        const auto lock = slot.LockFields();
        CopyToField(slot.Account.UserName, users[i]);
    }
    SelectRows(clients.List(), {0});
    {
        MessageBoxAnswerer confirm(L"T0362", IDYES);
        Command(clients, ID_NETWORK_FORCE_OFFLINE);
        EXPECT_TRUE(confirm.Answered());
    }
    const std::vector<uint8_t> logout = {4, 0, 1, 0, 0, 0};
    EXPECT_EQ(logout, ReceiveUntilClosed(connections[0].Client));
    EXPECT_EQ(logout, ReceiveUntilClosed(connections[2].Client));
    EXPECT_TRUE(ClientSlots()[1].IsConnected());
    EXPECT_FALSE(ClientSlots()[0].IsConnected());
    EXPECT_EQ(1, RowCount(log));
    ClientSlots()[1].Reset();
    for (LoopbackPair& pair : connections)
        ::closesocket(pair.Client);

    // ---- Phone book: an add stored and logged, a failed one adds nothing.
    CPhoneBookView& book = frame->Right()->PhoneBookView();
    const HWND contacts = book.List().GetSafeHwnd();
    ASSERT_TRUE(TheContactStore().Open(StoreFilePath(kContactDbName).c_str()));
    CurrentOperator = {};
    CopyToField(CurrentOperator.UserName, L"boss");
    const wchar_t* names[] = {L"Ann", L"Ben", L"Cy", L"Dee"};
    int next = 0;
    OperatorDialogs().Contact.Register([&](CWnd*, ContactRecord& contact) {
        contact = Contact(names[next % 4], L"0700");
        CopyToField(contact.UserID, L"forged");  // the form's copy is not the identity
        ++next;
        return IDOK;
    });
    for (int i = 0; i < 4; ++i)
        Command(book, ID_CONTACT_ADD);
    ASSERT_EQ(4, RowCount(contacts));
    EXPECT_EQ(L"4", CellText(contacts, 3, 0));
    EXPECT_EQ(L"Dee", CellText(contacts, 3, 1));
    EXPECT_EQ(L"notes", CellText(contacts, 3, 9));
    EXPECT_EQ(kIconGroup, RowImage(contacts, 0, 0));
    const std::wstring annId(FieldText(book.RowRecord(0)->UserID));
    EXPECT_NE(L"forged", annId);
    TheContactStore().Close();
    Command(book, ID_CONTACT_ADD);
    EXPECT_EQ(4, RowCount(contacts));
    ASSERT_TRUE(TheContactStore().Open(StoreFilePath(kContactDbName).c_str()));
    std::vector<SysLogRow> logged = TodaysSysLog();
    ASSERT_EQ(4u, logged.size());
    EXPECT_EQ(kSysLogContactAdded, logged[0].SysLog_Cmd);
    EXPECT_STREQ(L"T0186 boss", logged[0].Name);
    EXPECT_STREQ(L"Ann 0700", logged[0].Notes);

    // An edit keeps the contact's UserID, whatever the form's copy says.
    next = 1;  // "Ben"
    SelectRows(book.List(), {0});
    Command(book, ID_CONTACT_EDIT);
    EXPECT_EQ(L"Ben", CellText(contacts, 0, 1));
    EXPECT_EQ(annId, std::wstring(FieldText(book.RowRecord(0)->UserID)));
    ContactRecord stored{};
    CopyToField(stored.UserID, annId.c_str());
    ASSERT_TRUE(TheContactStore().FindContactById(stored));
    EXPECT_STREQ(L"Ben", stored.UserName);
    // Logged out, a double-click edits nothing.
    OperatorLoggedIn = 0;
    next = 3;
    NMITEMACTIVATE click{{contacts, IDC_PHONE_BOOK_LIST, NM_DBLCLK}, 0};
    book.SendMessage(WM_NOTIFY, IDC_PHONE_BOOK_LIST, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(L"Ben", CellText(contacts, 0, 1));

    // Three selected contacts go after one question, each logged.
    SelectRows(book.List(), {0, 2, 3});
    {
        MessageBoxAnswerer confirm(L"T0028", IDYES);
        Command(book, ID_CONTACT_DELETE);
        EXPECT_TRUE(confirm.Answered());
    }
    ASSERT_EQ(1, RowCount(contacts));
    EXPECT_EQ(L"Ben", CellText(contacts, 0, 1));  // the second add
    logged = TodaysSysLog();
    int deletes = 0;
    for (const SysLogRow& row : logged)
        deletes += row.SysLog_Cmd == kSysLogContactDeleted;
    EXPECT_EQ(3, deletes);

    // A search with an empty text lists every contact, numbered from 1; a text only those that contain it.
    std::wstring searched;
    OperatorDialogs().PhoneBookSearch.Register([&](CWnd*, std::wstring& text) {
        text = searched;
        return IDOK;
    });
    Command(book, ID_CONTACT_SEARCH);
    ASSERT_EQ(1, RowCount(contacts));
    EXPECT_EQ(L"1", CellText(contacts, 0, 0));
    searched = L"nothing like it";
    Command(book, ID_CONTACT_SEARCH);
    EXPECT_EQ(0, RowCount(contacts));

    frame->SendMessage(WM_SHOWVIEW, kViewClients);
    SaveScreenshot(frame->GetSafeHwnd(), L"Z:\\tmp\\panes-clients.png");
    TheContactStore().Close();
    OperatorDialogs() = {};
    CurrentOperator = {};
    OperatorLoggedIn = 0;
    frame->DestroyWindow();
    ::WSACleanup();
}
