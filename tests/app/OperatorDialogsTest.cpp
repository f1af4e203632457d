#include "common/OperatorDialogs.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Each test starts from an empty registry and leaves one behind.
class OperatorDialogsTest : public testing::Test {
protected:
    void SetUp() override { OperatorDialogs() = {}; }
    void TearDown() override { OperatorDialogs() = {}; }
};

TEST_F(OperatorDialogsTest, UnregisteredEntriesAnswerCancelAndTouchNothing) {
    OperatorDialogRegistry& dialogs = OperatorDialogs();
    ContactRecord contact{};
    std::wstring notes = L"kept";
    RecordSearchQuery query{};
    query.UseTimeWindow = 7;
    ChannelMask mask{};
    mask[3] = 1;

    EXPECT_EQ(IDCANCEL, dialogs.Login.Run(nullptr));
    EXPECT_EQ(IDCANCEL, dialogs.Accounts.Run(nullptr, kClientAccounts));
    EXPECT_EQ(IDCANCEL, dialogs.Contact.Run(nullptr, contact));
    EXPECT_EQ(IDCANCEL, dialogs.Notes.Run(nullptr, notes));
    EXPECT_EQ(IDCANCEL, dialogs.RecordSearch.Run(nullptr, 3, query));
    EXPECT_EQ(IDCANCEL, dialogs.Dial.Run(nullptr, -1, 0));
    EXPECT_EQ(IDCANCEL, dialogs.ChannelPicker.Run(nullptr, mask));
    EXPECT_EQ(L"kept", notes);
    EXPECT_EQ(7, query.UseTimeWindow);
    EXPECT_EQ(1, mask[3]);

    // The modeless windows: nothing to create, and their fills do nothing.
    EXPECT_FALSE(dialogs.Startup.Create(nullptr));
    EXPECT_EQ(nullptr, dialogs.Monitor.Window());
    dialogs.Startup.ShowProgress(1, 2);
    dialogs.Popup.ShowIncomingCall("123", contact);
    const uint8_t block[4] = {};
    dialogs.Monitor.ShowBlock(0, block, 4);
}

TEST_F(OperatorDialogsTest, RegisteredDialogsGetTheHandOverAndGiveTheirResultBack) {
    OperatorDialogRegistry& dialogs = OperatorDialogs();
    dialogs.Contact.Register([](CWnd*, ContactRecord& contact) {
        wcscpy(contact.UserName, L"Edited");
        return static_cast<INT_PTR>(IDOK);
    });
    int seenCategory = -1;
    dialogs.RecordSearch.Register([&](CWnd*, int category, RecordSearchQuery& query) {
        seenCategory = category;
        query.Query = L"select";
        query.Channels.fill(1);
        return static_cast<INT_PTR>(IDOK);
    });
    int seenPreset = 0;
    int seenDial = 0;
    dialogs.Dial.Register([&](CWnd*, int preset, int dial) {
        seenPreset = preset;
        seenDial = dial;
        return static_cast<INT_PTR>(IDCANCEL);
    });
    int progress = 0;
    dialogs.Startup.ShowProgress.Register([&](int done, int total) { progress = done * 100 + total; });

    ContactRecord contact{};
    EXPECT_EQ(IDOK, dialogs.Contact.Run(nullptr, contact));
    EXPECT_STREQ(L"Edited", contact.UserName);

    RecordSearchQuery query{};
    EXPECT_EQ(IDOK, dialogs.RecordSearch.Run(nullptr, 5, query));
    EXPECT_EQ(5, seenCategory);
    EXPECT_EQ(L"select", query.Query);
    EXPECT_EQ(1, query.Channels[511]);

    EXPECT_EQ(IDCANCEL, dialogs.Dial.Run(nullptr, 7, 2));
    EXPECT_EQ(7, seenPreset);
    EXPECT_EQ(2, seenDial);

    dialogs.Startup.ShowProgress(3, 8);
    EXPECT_EQ(308, progress);
}

}  // namespace
