// The record details dialog, opened through the registry as a call-record pane opens it: what it shows, the copy
// of the recording, the notes stored in the call's own day, the linked contact and playing.

#include "ChannelDialogsTestSupport.h"
#include "DialogDriver.h"

#include "ChannelDialogsResource.h"
#include "LocalTime.h"
#include "common/OperatorDialogs.h"
#include "common/OperatorSession.h"
#include "common/Prompts.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"
#include "storage/CallRecordStore.h"
#include "storage/ContactStore.h"
#include "storage/RecordFields.h"
#include "storage/StoragePaths.h"
#include "storage/Stores.h"
#include "storage/SysLogStore.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

std::string ReadFile(const std::wstring& path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void WriteFile(const std::wstring& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}

std::vector<SysLogRow> TodaysLog() {
    std::vector<SysLogRow> rows;
    SysLogStore store;
    if (store.Open(SysLogDayFile(Today()).c_str()))
        store.ForEachRow(L"select * from SysLog_Table", [&](const SysLogRow& row) { rows.push_back(row); });
    store.Close();
    return rows;
}

std::wstring StoredNotes(const SYSTEMTIME& day, const wchar_t* filePath) {
    CallRecordStore store;
    CallRecord row{};
    if (!store.Open(CdrDayFile(day).c_str()) || !store.FindByPath(filePath, row))
        return L"<no row>";
    store.Close();
    return std::wstring(FieldText(row.CallNotes));
}

class RecFileInforDialogTest : public testing::Test {
protected:
    void SetUp() override {
        UseEnglishTexts(m_folder);
        OperatorDialogs() = {};
        RegisterOperatorDialogs();
        CopyToField(CurrentOperator.UserName, L"tovak");
        m_recordings = m_folder.DataFolder() + L"\\Rec";
        std::filesystem::create_directories(m_recordings);
    }
    void TearDown() override {
        Prompts() = ShellPrompts();
        OperatorDialogs() = {};
        TodayCallStore().Close();
        TheContactStore().Close();
    }

    // A recorded call of channel 4 with its file.
    CallRecord Recorded(const SYSTEMTIME& start, const wchar_t* fileName) {
        CallRecord record{};
        record.Channel = 4;
        record.CallType = kCallIncoming;
        record.RecTime = 3725;
        record.StartTime = start;
        CopyToField(record.PhoneNumber, L"5551234");
        CopyToField(record.PhoneName, L"Ann");
        CopyToField(record.CallNotes, L"first");
        const std::wstring path = m_recordings + L"\\" + fileName;
        CopyToField(record.FilePath, path.c_str());
        WriteFile(path, "RIFF one");
        return record;
    }

    INT_PTR Run(const CallRecord& record, std::function<void(HWND)> steps) {
        m_driver.WhenShown(std::move(steps));
        return OperatorDialogs().RecordDetails.Run(nullptr, record);
    }

    TestFolder m_folder;
    std::wstring m_recordings;
    DialogDriver m_driver;
};

}  // namespace

TEST_F(RecFileInforDialogTest, ShowsTheCallAndCopiesAnnotatesAndPlaysIt) {
    const SYSTEMTIME start = LocalTime(2024, 3, 9, 14, 5, 0);
    CallRecord record = Recorded(start, L"20240309140500-in-005( )-5551234.wav");
    CopyToField(record.CusNotes1, L"vip");

    // A missed call without a contact: nothing to copy, play or look up.
    CallRecord missed = record;
    missed.RecTime = 0;
    missed.CallType = kCallMissed;
    Run(missed, [](HWND d) {
        EXPECT_FALSE(IsItemEnabled(d, IDC_INFO_COPY));
        EXPECT_FALSE(IsItemEnabled(d, IDC_INFO_PLAY));
        EXPECT_FALSE(IsItemEnabled(d, IDC_INFO_CONTACT));
        EXPECT_TRUE(IsItemEnabled(d, IDC_INFO_EDIT_NOTES));
        EXPECT_EQ(English(L"0236"), ItemText(d, IDC_INFO_TYPE));
        ::SendMessageW(d, WM_COMMAND, IDCANCEL, 0);
    });

    // The fields; the copy into the chosen folder, logged each time, the first copy kept.
    std::vector<std::wstring> offered;
    const std::wstring chosen = m_folder.DataFolder() + L"\\Out\\";
    std::filesystem::create_directories(chosen);
    WriteSettingString(kSectionSettings, kKeyRecFolder, L"D:\\Before\\");
    Prompts().BrowseForFolder = [&](std::wstring* folder, const wchar_t* initial) {
        offered.push_back(initial);
        *folder = chosen;
        return 1;
    };
    std::wstring played;
    Prompts().OpenFile = [&](CWnd*, const wchar_t* path) {
        played = path;
        return true;
    };
    Run(record, [&](HWND d) {
        EXPECT_EQ(L"005  ", ItemText(d, IDC_INFO_CHANNEL));
        const std::wstring time = ItemText(d, IDC_INFO_TIME);
        EXPECT_EQ(L"(01:02:05)", time.substr(time.size() - 10)) << time;
        EXPECT_EQ(L"5551234 Ann", ItemText(d, IDC_INFO_NUMBER));
        EXPECT_EQ(English(L"0235"), ItemText(d, IDC_INFO_TYPE));
        EXPECT_EQ(L"first\r\nvip\r\n\r\n", ItemText(d, IDC_INFO_NOTES));
        EXPECT_TRUE(IsItemEnabled(d, IDC_INFO_COPY));
        EXPECT_TRUE(IsItemEnabled(d, IDC_INFO_PLAY));
        EXPECT_TRUE(SaveScreenshot(d, L"channeldialogs_details.png"));
        Click(d, IDC_INFO_COPY);
        WriteFile(record.FilePath, "RIFF two");
        Click(d, IDC_INFO_COPY);
        Click(d, IDC_INFO_PLAY);
        ::SendMessageW(d, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ((std::vector<std::wstring>{L"D:\\Before\\", chosen}), offered);
    EXPECT_EQ(chosen, ReadSettingString(kSectionSettings, kKeyRecFolder));
    EXPECT_EQ("RIFF one", ReadFile(chosen + L"CH005\\20240309\\20240309140500-in-005( )-5551234.wav"));
    const std::vector<SysLogRow> rows = TodaysLog();
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ(kSysLogRecordingsCopied, rows[1].SysLog_Cmd);
    EXPECT_EQ(English(L"0186") + L" tovak", FieldText(rows[1].Name));
    EXPECT_EQ(FieldText(record.FilePath), FieldText(rows[1].Notes));
    EXPECT_EQ(FieldText(record.FilePath), played);

    // A channel name from a remote client stays one folder inside the chosen one.
    CallRecord named = record;
    CopyToField(named.ChannelName, L"..\\..\\x");
    Run(named, [](HWND d) {
        Click(d, IDC_INFO_COPY);
        ::SendMessageW(d, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ("RIFF two", ReadFile(chosen + L".._.._x\\20240309\\20240309140500-in-005( )-5551234.wav"));

    // Notes of an earlier day go into that day's file; today's into the open store of today.
    {
        CallRecordStore earlier;
        CreateMonthFolder(start);
        ASSERT_TRUE(earlier.Open(CdrDayFile(start).c_str()));
        ASSERT_TRUE(earlier.Insert(record));
        earlier.Close();
    }
    CallRecord todays = Recorded(Today(), L"today.wav");
    CreateMonthFolder(Today());
    ASSERT_TRUE(TodayCallStore().Open(CdrDayFile(Today()).c_str()));
    ASSERT_TRUE(TodayCallStore().Insert(todays));
    std::vector<std::wstring> notesShown;
    OperatorDialogs().Notes.Register([&](CWnd*, std::wstring& notes) {
        notesShown.push_back(notes);
        notes = L"called back";
        return static_cast<INT_PTR>(IDOK);
    });
    for (const CallRecord* call : {&record, &todays}) {
        Run(*call, [](HWND d) {
            Click(d, IDC_INFO_EDIT_NOTES);
            EXPECT_EQ(0u, ItemText(d, IDC_INFO_NOTES).rfind(L"called back\r\n", 0));
            ::SendMessageW(d, WM_COMMAND, IDCANCEL, 0);
        });
    }
    EXPECT_EQ((std::vector<std::wstring>{L"first", L"first"}), notesShown);
    EXPECT_EQ(L"called back", StoredNotes(start, record.FilePath));
    CallRecord todaysRow{};
    ASSERT_TRUE(TodayCallStore().FindByPath(todays.FilePath, todaysRow));
    EXPECT_STREQ(L"called back", todaysRow.CallNotes);

    // The linked contact goes to the pop-up; an unknown one is reported.
    ASSERT_TRUE(TheContactStore().Open(StoreFilePath(kContactDbName).c_str()));
    ContactRecord contact{};
    CopyToField(contact.UserName, L"Ann Lee");
    ASSERT_TRUE(TheContactStore().InsertContact(contact));
    std::vector<std::wstring> popped;
    OperatorDialogs().Popup.ShowContact.Register(
        [&](const ContactRecord& shown) { popped.push_back(std::wstring(FieldText(shown.UserName))); });
    CallRecord linked = record;
    CopyToField(linked.CusAutoID, contact.UserID);
    CallRecord unknown = record;
    CopyToField(unknown.CusAutoID, L"20000101000000000");
    for (const CallRecord* call : {&linked, &unknown}) {
        Run(*call, [](HWND d) {
            EXPECT_TRUE(IsItemEnabled(d, IDC_INFO_CONTACT));
            Click(d, IDC_INFO_CONTACT);
            ::SendMessageW(d, WM_COMMAND, IDCANCEL, 0);
        });
    }
    EXPECT_EQ(std::vector<std::wstring>{L"Ann Lee"}, popped);
    const auto boxes = m_driver.TakeMessageBoxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(English(L"0305"), boxes[0].Text);
    EXPECT_EQ(English(L"0303"), boxes[0].Caption);
}
