// The contact form, the blacklist and the notes form: what each hands back to its opener or stores.

#include "dialogs/BlackListDlg.h"

#include "DialogTestSupport.h"
#include "OperatorDialogsResource.h"
#include "common/AppIcons.h"
#include "common/OperatorDialogs.h"
#include "storage/ContactStore.h"
#include "storage/RecordFields.h"
#include "storage/Stores.h"

#include <gtest/gtest.h>

namespace {

std::vector<BlacklistRecord> StoredBlacklist() {
    std::vector<BlacklistRecord> entries;
    TheContactStore().ForEachBlacklist(L"select * from Blacklist ",
                                       [&](const BlacklistRecord& entry) { entries.push_back(entry); });
    return entries;
}

void AddBlacklisted(const wchar_t* number, const wchar_t* note) {
    BlacklistRecord entry{};
    CopyToField(entry.Number, number);
    CopyToField(entry.NumberNotes, note);
    ASSERT_TRUE(TheContactStore().InsertBlacklist(entry));
    ::Sleep(2);  // identities are the time to the millisecond
}

}  // namespace

TEST(ContactDialogs, TheContactFormHandsBackTheFormAloneAndOnlyOnOk) {
    DialogTestEnvironment environment;
    DialogDriver driver;
    RegisterOperatorDialogs();

    ContactRecord contact{};
    CopyToField(contact.UserID, L"20240101120000000");
    CopyToField(contact.UserName, L"Bob");
    CopyToField(contact.UserMobile, L"777");
    CopyToField(contact.UserNotes, L"line one\r\nline two");
    contact.RecMethod = 2;

    // A refused OK, then Cancel: the caller's record is untouched.
    driver.Then([](HWND d) {
        EXPECT_EQ(L"Contact", WindowText(d));
        EXPECT_EQ(L"Bob", ItemText(d, IDC_CONTACT_NAME));
        EXPECT_EQ(L"line one\r\nline two", ItemText(d, IDC_CONTACT_NOTES));
        EXPECT_EQ(2, ComboSelection(d, IDC_CONTACT_REC_METHOD));
        EXPECT_EQ(L"Never record", ComboText(d, IDC_CONTACT_REC_METHOD, 2));
        SaveScreenshot(d, L"contact");
        SetItemText(d, IDC_CONTACT_MOBILE, L"");
        Click(d, IDOK);
        EXPECT_TRUE(::IsWindowVisible(d));
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, OperatorDialogs().Contact.Run(nullptr, contact));
    ASSERT_EQ(1u, driver.Messages.size());
    EXPECT_EQ(L"Please enter the mobile number.", driver.Messages[0].Text);
    EXPECT_EQ(L"777", FieldText(contact.UserMobile));
    EXPECT_EQ(2, contact.RecMethod);

    // OK: every text as typed, cut to what its field keeps; no identity, recording method 0.
    driver.Then([](HWND d) {
        SetItemText(d, IDC_CONTACT_MOBILE, std::wstring(40, L'9'));
        SetItemText(d, IDC_CONTACT_COMPANY, std::wstring(70, L'c'));
        SetItemText(d, IDC_CONTACT_ADDRESS, std::wstring(300, L'a'));
        SetItemText(d, IDC_CONTACT_OTHER3, L"333");
        SelectCombo(d, IDC_CONTACT_REC_METHOD, 1);
        Click(d, IDOK);
    });
    EXPECT_EQ(IDOK, OperatorDialogs().Contact.Run(nullptr, contact));
    EXPECT_EQ(L"", FieldText(contact.UserID));
    EXPECT_EQ(0, contact.RecMethod);
    EXPECT_EQ(L"Bob", FieldText(contact.UserName));
    EXPECT_EQ(std::wstring(30, L'9'), FieldText(contact.UserMobile));
    EXPECT_EQ(std::wstring(62, L'c'), FieldText(contact.CompanyName));
    EXPECT_EQ(std::wstring(253, L'a'), FieldText(contact.CompanyAddress));
    EXPECT_EQ(L"333", FieldText(contact.OtherTel3));
    EXPECT_EQ(L"line one\r\nline two", FieldText(contact.UserNotes));

    // The notes form keeps 249 characters; Cancel hands nothing back.
    std::wstring notes(300, L'n');
    driver.Then([](HWND d) {
        EXPECT_EQ(std::wstring(255, L'n'), ItemText(d, IDC_NOTES_TEXT));  // what the record's field holds
        Click(d, IDOK);
    });
    EXPECT_EQ(IDOK, OperatorDialogs().Notes.Run(nullptr, notes));
    EXPECT_EQ(std::wstring(249, L'n'), notes);
    driver.Then([](HWND d) {
        SetItemText(d, IDC_NOTES_TEXT, L"changed");
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, OperatorDialogs().Notes.Run(nullptr, notes));
    EXPECT_EQ(std::wstring(249, L'n'), notes);
}

TEST(ContactDialogs, TheBlacklistAddsAsTypedAndDeletesTheSelectedRowsAfterOneQuestion) {
    DialogTestEnvironment environment;
    DialogDriver driver;
    AddBlacklisted(L"1001", L"first");
    AddBlacklisted(L"1002", L"second");
    AddBlacklisted(L"1003", L"third");
    AddBlacklisted(L"1004", L"fourth");

    CBlackListDlg dialog;
    driver.Run(dialog, [&](HWND d) {
        HWND list = ::GetDlgItem(d, IDC_BLACKLIST_LIST);
        EXPECT_EQ(L"Blacklist", WindowText(d));
        ASSERT_EQ(4, RowCount(list));
        EXPECT_EQ(L"", CellText(list, 0, 0));
        EXPECT_EQ(kIconRoot, CellImage(list, 0, 0));
        EXPECT_EQ(L"1002", CellText(list, 1, 1));
        EXPECT_EQ(L"second", CellText(list, 1, 2));
        EXPECT_EQ(L"", ItemText(d, IDC_BLACKLIST_NUMBER));

        // Clicking a row copies it into the edits, so that Add makes a second entry of it.
        SelectRows(list, {3});
        EXPECT_EQ(L"1004", ItemText(d, IDC_BLACKLIST_NUMBER));
        EXPECT_EQ(L"fourth", ItemText(d, IDC_BLACKLIST_NOTE));
        Click(d, IDC_BLACKLIST_ADD);
        EXPECT_EQ(5, RowCount(list));

        // Empty edits are added too.
        SetItemText(d, IDC_BLACKLIST_NUMBER, L"");
        SetItemText(d, IDC_BLACKLIST_NOTE, L"");
        Click(d, IDC_BLACKLIST_ADD);
        EXPECT_EQ(6, RowCount(list));
        SaveScreenshot(d, L"blacklist");

        // Nothing selected: no question. Then three rows go after one question; a No keeps them.
        SelectRows(list, {});
        Click(d, IDC_BLACKLIST_DELETE);
        SelectRows(list, {0, 1, 2});
        driver.AnswerNextQuestion(IDNO);
        Click(d, IDC_BLACKLIST_DELETE);
        EXPECT_EQ(6, RowCount(list));
        Click(d, IDC_BLACKLIST_DELETE);
        EXPECT_EQ(3, RowCount(list));
        EXPECT_EQ(L"1004", CellText(list, 0, 1));
        Click(d, IDCANCEL);
    });

    ASSERT_EQ(2u, driver.Messages.size());
    EXPECT_EQ(L"Delete", driver.Messages[1].Caption);
    EXPECT_EQ(L"Delete the selected numbers?", driver.Messages[1].Text);
    const std::vector<BlacklistRecord> entries = StoredBlacklist();
    ASSERT_EQ(3u, entries.size());
    EXPECT_EQ(L"1004", FieldText(entries[0].Number));
    EXPECT_EQ(L"1004", FieldText(entries[1].Number));
    EXPECT_NE(FieldText(entries[0].HeiMingDanID), FieldText(entries[1].HeiMingDanID));
    EXPECT_EQ(L"", FieldText(entries[2].Number));
    EXPECT_TRUE(TodaysSysLogRows().empty());
}
