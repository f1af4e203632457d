// The process-wide modeless windows as the window side's view fills them: the incoming-call pop-up with its two
// ways of storing a contact, and the start-up window's progress.

#include "dialogs/LoadDriverDlg.h"
#include "dialogs/PopupDialog.h"

#include "DialogTestSupport.h"
#include "OperatorDialogsResource.h"
#include "common/OperatorDialogs.h"
#include "common/OperatorSession.h"
#include "storage/ContactStore.h"
#include "storage/RecordFields.h"
#include "storage/StoragePaths.h"
#include "storage/Stores.h"
#include "storage/SysLogStore.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

std::vector<ContactRecord> StoredContacts() {
    std::vector<ContactRecord> contacts;
    TheContactStore().ForEachContact([&](const ContactRecord& contact) { contacts.push_back(contact); });
    return contacts;
}

ContactRecord StoredContact(const wchar_t* name, const wchar_t* mobile, int recMethod) {
    ContactRecord contact{};
    CopyToField(contact.UserName, name);
    CopyToField(contact.UserMobile, mobile);
    CopyToField(contact.CompanyName, L"Works");
    contact.RecMethod = recMethod;
    TheContactStore().InsertContact(contact);
    return contact;
}

bool IsVisible(HWND window) {
    return ::IsWindowVisible(window) != FALSE;
}

}  // namespace

TEST(ModelessWindows, ThePopUpShowsTheCallerAndStoresTheContactOnce) {
    DialogTestEnvironment environment;
    DialogDriver driver;  // answers the message boxes
    CopyToField(CurrentOperator.UserName, L"tovak");
    RegisterOperatorDialogs();
    OperatorDialogRegistry& dialogs = OperatorDialogs();
    ASSERT_TRUE(dialogs.Popup.Create(nullptr));
    HWND popup = PopupDialog().GetSafeHwnd();
    EXPECT_FALSE(IsVisible(popup));
    EXPECT_EQ(L"Company phone:", ItemText(popup, IDC_CONTACT_TEL_LABEL));
    EXPECT_EQ(L"Add contact", ItemText(popup, IDC_POPUP_ADD));

    // A caller who is not in the phone book.
    dialogs.Popup.ShowIncomingCall("5550123", ContactRecord{});
    EXPECT_TRUE(IsVisible(popup));
    EXPECT_TRUE(
        std::regex_match(WindowText(popup), std::wregex(LR"(Incoming call\(5550123 \d{4}-\d\d-\d\d \d\d:\d\d:\d\d)")))
        << WindowText(popup);
    EXPECT_EQ(L"5550123", ItemText(popup, IDC_CONTACT_MOBILE));
    EXPECT_EQ(L"", ItemText(popup, IDC_CONTACT_NAME));
    EXPECT_FALSE(IsItemEnabled(popup, IDC_POPUP_SAVE));
    EXPECT_TRUE(IsItemEnabled(popup, IDC_POPUP_ADD));

    // Without a name nothing is stored and the pop-up stays as it was.
    Click(popup, IDC_POPUP_ADD);
    ASSERT_EQ(1u, driver.Messages.size());
    EXPECT_EQ(L"Contact", driver.Messages[0].Caption);
    EXPECT_EQ(L"Please enter the contact's name.", driver.Messages[0].Text);
    EXPECT_TRUE(StoredContacts().empty());
    EXPECT_TRUE(IsVisible(popup));
    EXPECT_TRUE(IsItemEnabled(popup, IDC_POPUP_ADD));

    SetItemText(popup, IDC_CONTACT_NAME, L"Ann");
    Click(popup, IDC_POPUP_ADD);
    std::vector<ContactRecord> contacts = StoredContacts();
    ASSERT_EQ(1u, contacts.size());
    EXPECT_EQ(L"Ann", FieldText(contacts[0].UserName));
    EXPECT_EQ(L"5550123", FieldText(contacts[0].UserMobile));
    EXPECT_EQ(FieldText(contacts[0].UserID), FieldText(PopupDialog().Contact().UserID));
    EXPECT_FALSE(IsVisible(popup));
    EXPECT_FALSE(IsItemEnabled(popup, IDC_POPUP_SAVE));
    EXPECT_FALSE(IsItemEnabled(popup, IDC_POPUP_ADD));
    const ContactRecord ann = contacts[0];

    // A known caller shows the stored mobile number; a second call refills the window.
    const ContactRecord bob = StoredContact(L"Bob", L"777", 2);
    dialogs.Popup.ShowIncomingCall("0777", bob);
    EXPECT_EQ(L"777", ItemText(popup, IDC_CONTACT_MOBILE));
    EXPECT_EQ(L"Works", ItemText(popup, IDC_CONTACT_COMPANY));
    EXPECT_TRUE(IsItemEnabled(popup, IDC_POPUP_SAVE));
    EXPECT_FALSE(IsItemEnabled(popup, IDC_POPUP_ADD));
    SaveScreenshot(popup, L"popup");
    dialogs.Popup.ShowIncomingCall("888", ContactRecord{});
    EXPECT_EQ(L"888", ItemText(popup, IDC_CONTACT_MOBILE));
    EXPECT_EQ(L"", ItemText(popup, IDC_CONTACT_COMPANY));
    EXPECT_TRUE(IsItemEnabled(popup, IDC_POPUP_ADD));

    // A contact shown for a record is the one that Save updates.
    dialogs.Popup.ShowIncomingCall("0777", bob);
    PopupDialog().ShowContactInPopup(ann);
    EXPECT_EQ(L"Contact", WindowText(popup));
    EXPECT_TRUE(IsItemEnabled(popup, IDC_POPUP_SAVE));
    SetItemText(popup, IDC_CONTACT_NOTES, L"prefers mornings");
    Click(popup, IDC_POPUP_SAVE);
    EXPECT_FALSE(IsVisible(popup));
    for (const ContactRecord& contact : StoredContacts()) {
        if (FieldText(contact.UserName) == L"Ann")
            EXPECT_EQ(L"prefers mornings", FieldText(contact.UserNotes));
        else
            EXPECT_EQ(2, contact.RecMethod);  // Bob stays as stored
    }

    // Closing hides the window; a store that fails stores and logs nothing, and hides it all the same.
    dialogs.Popup.ShowIncomingCall("999", ContactRecord{});
    ::SendMessageW(popup, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(IsVisible(popup));
    dialogs.Popup.ShowIncomingCall("999", ContactRecord{});
    TheContactStore().Close();
    SetItemText(popup, IDC_CONTACT_NAME, L"Cid");
    Click(popup, IDC_POPUP_ADD);
    EXPECT_FALSE(IsVisible(popup));
    EXPECT_FALSE(IsItemEnabled(popup, IDC_POPUP_ADD));

    const std::vector<SysLogRow> rows = TodaysSysLogRows();
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ(kSysLogContactAdded, rows[0].SysLog_Cmd);
    EXPECT_EQ(L"System tovak", FieldText(rows[0].Name));
    EXPECT_EQ(L"Ann 5550123", FieldText(rows[0].Notes));
    EXPECT_EQ(kSysLogContactEdited, rows[1].SysLog_Cmd);
    EXPECT_EQ(L"Ann 5550123", FieldText(rows[1].Notes));
    PopupDialog().DestroyWindow();
}

TEST(ModelessWindows, TheStartUpWindowShowsTheChannelsConfigured) {
    DialogTestEnvironment environment;
    RegisterOperatorDialogs();
    OperatorDialogRegistry& dialogs = OperatorDialogs();
    ASSERT_TRUE(dialogs.Startup.Create(nullptr));
    HWND window = LoadDriverDialog().GetSafeHwnd();
    EXPECT_FALSE(::IsWindowVisible(window));

    dialogs.Startup.ShowProgress(3, 10);
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_EQ(L"Loading channels 3/10", WindowText(window));
    HWND bar = ::GetDlgItem(window, IDC_LOAD_PROGRESS);
    EXPECT_EQ(0, ::SendMessageW(bar, PBM_GETRANGE, TRUE, 0));
    EXPECT_EQ(10, ::SendMessageW(bar, PBM_GETRANGE, FALSE, 0));
    EXPECT_EQ(3, ::SendMessageW(bar, PBM_GETPOS, 0, 0));
    SaveScreenshot(window, L"startup");
    LoadDriverDialog().DestroyWindow();
}
