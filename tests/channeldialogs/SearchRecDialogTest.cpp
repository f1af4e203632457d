// The call-record search form, opened through the registry as a call-record pane opens it: the query it builds,
// the channel restriction, and the form remembered in the settings and in SearchRecEx.abc.

#include "ChannelDialogsTestSupport.h"
#include "DialogDriver.h"

#include "ChannelDialogsResource.h"
#include "LocalTime.h"
#include "common/OperatorDialogs.h"
#include "dialogs/SearchRecFormFile.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"
#include "storage/CallRecordStore.h"
#include "storage/RecordFields.h"
#include "storage/StoragePaths.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kAllCalls = 3;
constexpr int kOutgoing = 4;
constexpr int kSearchResults = 9;

std::string FormFileBytes() {
    std::ifstream file(std::filesystem::path(SearchRecFormFilePath()), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void WriteFormFile(const void* bytes, size_t size) {
    std::ofstream(std::filesystem::path(SearchRecFormFilePath()), std::ios::binary)
        .write(static_cast<const char*>(bytes), static_cast<std::streamsize>(size));
}

void Tick(HWND dialog, int id) {
    ::CheckDlgButton(dialog, id, BST_CHECKED);
}

class SearchRecDialogTest : public testing::Test {
protected:
    void SetUp() override {
        UseEnglishTexts(m_folder);
        OperatorDialogs() = {};
        RegisterOperatorDialogs();
    }
    void TearDown() override { OperatorDialogs() = {}; }

    INT_PTR Run(int category, RecordSearchQuery& query, std::function<void(HWND)> steps) {
        m_driver.WhenShown(std::move(steps));
        return OperatorDialogs().RecordSearch.Run(nullptr, category, query);
    }

    // Clears what an earlier showing left ticked, then runs the steps and presses Search.
    std::wstring QueryOf(int category, std::function<void(HWND)> steps) {
        RecordSearchQuery query{};
        Run(category, query, [&](HWND d) {
            for (int id : {IDC_SEARCH_CHECK_NUMBER, IDC_SEARCH_CHECK_NAME, IDC_SEARCH_CHECK_EXT,
                           IDC_SEARCH_CHECK_EXTNAME, IDC_SEARCH_CHECK_NOTES, IDC_SEARCH_CHECK_LENGTH,
                           IDC_SEARCH_CHECK_CHANNEL_NAME, IDC_SEARCH_CHECK_CHANNEL_PHONE, IDC_SEARCH_CHECK_CHANNELS})
                ::CheckDlgButton(d, id, BST_UNCHECKED);
            if (IsItemEnabled(d, IDC_SEARCH_CHECK_TYPE))
                ::CheckDlgButton(d, IDC_SEARCH_CHECK_TYPE, BST_UNCHECKED);
            steps(d);
            ::SendMessageW(d, WM_COMMAND, IDOK, 0);
        });
        return query.Query;
    }

    TestFolder m_folder;
    DialogDriver m_driver;
};

}  // namespace

TEST_F(SearchRecDialogTest, BuildsTheQueryOfTheTickedConditions) {
    const std::wstring base = L"select * from Rec_Table where(DoubleDate >0 ";
    const struct {
        const char* Name;
        int Category;
        std::function<void(HWND)> Steps;
        std::wstring Query;
    } cases[] = {
        {"nothing ticked", kAllCalls, [](HWND) {}, base + L" )"},
        {"number and length", kAllCalls,
         [](HWND d) {
             Tick(d, IDC_SEARCH_CHECK_NUMBER);
             ::SetDlgItemTextW(d, IDC_SEARCH_NUMBER, L"123");
             Tick(d, IDC_SEARCH_CHECK_LENGTH);
             ::SetDlgItemTextW(d, IDC_SEARCH_MIN, L"10");
             ::SetDlgItemTextW(d, IDC_SEARCH_MAX, L"60");
         },
         base + L" and PhoneNumber like '%123%'  and RecTime >= 10 and RecTime <= 60  )"},
        {"the outgoing pane", kOutgoing,
         [](HWND d) {
             EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(d, IDC_SEARCH_CHECK_TYPE));
             EXPECT_FALSE(IsItemEnabled(d, IDC_SEARCH_CHECK_TYPE));
             EXPECT_FALSE(IsItemEnabled(d, IDC_SEARCH_TYPE));
             EXPECT_EQ(0, Selection(d, IDC_SEARCH_TYPE));
         },
         base + L" and (CallType = 2 or CallType = 7 ) )"},
        {"missed calls", kSearchResults,
         [](HWND d) {
             EXPECT_TRUE(IsItemEnabled(d, IDC_SEARCH_TYPE));
             Tick(d, IDC_SEARCH_CHECK_TYPE);
             Choose(d, IDC_SEARCH_TYPE, 2);
         },
         base + L" and (CallType = 3 or CallType = 6 or CallType = 8 or CallType=7)  )"},
        {"every text in its order, an empty one adding nothing", kAllCalls,
         [](HWND d) {
             for (int id :
                  {IDC_SEARCH_CHECK_NUMBER, IDC_SEARCH_CHECK_NAME, IDC_SEARCH_CHECK_EXT, IDC_SEARCH_CHECK_EXTNAME,
                   IDC_SEARCH_CHECK_NOTES, IDC_SEARCH_CHECK_CHANNEL_NAME, IDC_SEARCH_CHECK_CHANNEL_PHONE})
                 Tick(d, id);
             ::SetDlgItemTextW(d, IDC_SEARCH_NUMBER, L"");
             ::SetDlgItemTextW(d, IDC_SEARCH_NAME, L"O'Neil");
             ::SetDlgItemTextW(d, IDC_SEARCH_EXT, L"8");
             ::SetDlgItemTextW(d, IDC_SEARCH_EXTNAME, L"desk");
             ::SetDlgItemTextW(d, IDC_SEARCH_NOTES, L"vip");
             ::SetDlgItemTextW(d, IDC_SEARCH_CHANNEL_NAME, L"Sales");
             ::SetDlgItemTextW(d, IDC_SEARCH_CHANNEL_PHONE, L"2001");
         },
         base + L" and PhoneName like '%O''Neil%'  and Extension like '%8%'  and ExtensionName like '%desk%' " +
             L" and CusNotes1 like '%vip%'  and ChannelName like '%Sales%'  and ChannelPhone like '%2001%'  )"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Query, QueryOf(c.Category, c.Steps)) << c.Name;

    // A quote in a text finds its row instead of breaking the query.
    CallRecord oneil{};
    CopyToField(oneil.FilePath, L"C:\\Rec\\oneil.wav");
    CopyToField(oneil.CusNotes1, L"Mr O'Neil, twice");
    oneil.StartTime = Today();
    CallRecordStore store;
    CreateMonthFolder(Today());
    ASSERT_TRUE(store.Open(CdrDayFile(Today()).c_str()));
    ASSERT_TRUE(store.Insert(oneil));
    const std::wstring query = QueryOf(kAllCalls, [](HWND d) {
        Tick(d, IDC_SEARCH_CHECK_NOTES);
        ::SetDlgItemTextW(d, IDC_SEARCH_NOTES, L"O'Neil");
    });
    std::vector<std::wstring> found;
    EXPECT_TRUE(store.ForEachRecord(
        [&](const CallRecord& row) { found.push_back(std::wstring(FieldText(row.FilePath))); }, query.c_str()));
    EXPECT_EQ(std::vector<std::wstring>{L"C:\\Rec\\oneil.wav"}, found);
    store.Close();
}

TEST_F(SearchRecDialogTest, RemembersTheFormAndRestrictsToChosenChannels) {
    // No file yet: the pickers show now and no count.
    RecordSearchQuery query{};
    const SYSTEMTIME from = {2024, 3, 3, 6, 0, 0, 0, 0};  // Wednesday 6 March 2024
    const SYSTEMTIME to = {2024, 3, 3, 13, 0, 0, 0, 0};
    const SYSTEMTIME fromTime = {2024, 3, 3, 13, 8, 30, 0, 0};
    const SYSTEMTIME toTime = {2024, 3, 3, 13, 17, 45, 0, 0};
    const std::wstring longNumber = L"1234567890123456789012345678901234567890";
    ASSERT_EQ(IDOK, Run(kAllCalls, query, [&](HWND d) {
                  EXPECT_EQ(L"", ItemText(d, IDC_SEARCH_CHANNEL_COUNT));
                  EXPECT_EQ(Today().wYear, PickerTime(d, IDC_SEARCH_FROM_DATE).wYear);
                  EXPECT_TRUE(SaveScreenshot(d, L"channeldialogs_search.png"));
                  SetPickerTime(d, IDC_SEARCH_FROM_DATE, from);
                  SetPickerTime(d, IDC_SEARCH_TO_DATE, to);
                  SetPickerTime(d, IDC_SEARCH_FROM_TIME, fromTime);
                  SetPickerTime(d, IDC_SEARCH_TO_TIME, toTime);
                  Tick(d, IDC_SEARCH_USE_TIME);
                  Tick(d, IDC_SEARCH_CHECK_NUMBER);
                  ::SetDlgItemTextW(d, IDC_SEARCH_NUMBER, longNumber.c_str());
                  ::SendMessageW(d, WM_COMMAND, IDOK, 0);
              }));
    EXPECT_EQ(
        L"select * from Rec_Table where(DoubleDate >0  and PhoneNumber like '%" + longNumber.substr(0, 30) + L"%'  )",
        query.Query)
        << "searched with 30 characters";
    EXPECT_EQ(longNumber, ReadSettingString(kSectionSearchRec, kKeyPhoneNumber)) << "stored whole";
    EXPECT_EQ(1, query.UseTimeWindow);
    EXPECT_EQ(512, std::count(query.Channels.begin(), query.Channels.end(), 1)) << "no restriction: every channel";
    EXPECT_EQ(1, ReadSettingInt(kSectionSearchRec, L"Check1"));
    EXPECT_EQ(1, ReadSettingInt(kSectionSearchRec, L"Check18"));
    EXPECT_EQ(0, ReadSettingInt(kSectionSearchRec, L"Check8"));

    // The file: the four times as the pickers gave them, then the mask.
    SearchRecFormFile golden{query.FromDate, query.ToDate, query.FromTime, query.ToTime, {}};
    std::memset(golden.ChannelMask, 1, sizeof(golden.ChannelMask));
    const std::string bytes = FormFileBytes();
    ASSERT_EQ(kSearchRecFormFileSize, bytes.size());
    EXPECT_EQ(0, std::memcmp(&golden, bytes.data(), bytes.size()));
    const uint8_t fromDateBytes[8] = {0xE8, 0x07, 0x03, 0x00, 0x03, 0x00, 0x06, 0x00};  // 2024, 3, Wednesday, 6
    EXPECT_EQ(0, std::memcmp(fromDateBytes, bytes.data(), 8));
    EXPECT_EQ(8, static_cast<uint8_t>(bytes[32 + 8])) << "the time window's start hour";
    EXPECT_EQ(45, static_cast<uint8_t>(bytes[48 + 10])) << "the time window's end minute";

    // The next showing starts from the form; a channel restriction needs a channel, chosen with the picker, whose
    // choice is written at once with the form's own times, not the pickers' changed ones.
    ChannelMask offered{};
    OperatorDialogs().ChannelPicker.Register([&](CWnd*, ChannelMask& mask) {
        offered = mask;
        mask.fill(0);
        mask[2] = mask[5] = 1;
        return static_cast<INT_PTR>(IDOK);
    });
    query = {};
    ASSERT_EQ(IDOK, Run(kAllCalls, query, [&](HWND d) {
                  EXPECT_EQ(L"512", ItemText(d, IDC_SEARCH_CHANNEL_COUNT));
                  EXPECT_EQ(6, PickerTime(d, IDC_SEARCH_FROM_DATE).wDay);
                  EXPECT_EQ(17, PickerTime(d, IDC_SEARCH_TO_TIME).wHour);
                  EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(d, IDC_SEARCH_CHECK_NUMBER));
                  EXPECT_EQ(longNumber, ItemText(d, IDC_SEARCH_NUMBER));
                  SetPickerTime(d, IDC_SEARCH_FROM_DATE, to);
                  Click(d, IDC_SEARCH_CHOOSE_CHANNELS);
                  EXPECT_EQ(L"2", ItemText(d, IDC_SEARCH_CHANNEL_COUNT));
                  SearchRecFormFile written{};
                  const std::string now = FormFileBytes();
                  ASSERT_EQ(kSearchRecFormFileSize, now.size());
                  std::memcpy(&written, now.data(), now.size());
                  EXPECT_EQ(6, written.FromDate.wDay) << "the form's own start date";
                  EXPECT_EQ(1, written.ChannelMask[5]);
                  EXPECT_EQ(0, written.ChannelMask[6]);
                  ::SendMessageW(d, WM_COMMAND, IDOK, 0);
              }));
    EXPECT_EQ(512, std::count(offered.begin(), offered.end(), 1)) << "the picker starts from the form's channels";
    EXPECT_EQ(512, std::count(query.Channels.begin(), query.Channels.end(), 1)) << "not restricted yet";

    // Restricted without a channel: refused, the dialog stays and nothing is stored.
    SearchRecFormFile noChannels{from, to, fromTime, toTime, {}};
    WriteFormFile(&noChannels, sizeof(noChannels));
    WriteSettingString(kSectionSearchRec, kKeyPhoneNumber, L"kept");
    query = {};
    ASSERT_EQ(IDOK, Run(kAllCalls, query, [&](HWND d) {
                  EXPECT_EQ(L"0", ItemText(d, IDC_SEARCH_CHANNEL_COUNT));
                  Tick(d, IDC_SEARCH_CHECK_CHANNELS);
                  ::SetDlgItemTextW(d, IDC_SEARCH_NUMBER, L"changed");
                  ::SendMessageW(d, WM_COMMAND, IDOK, 0);
                  EXPECT_TRUE(::IsWindowVisible(d));
                  EXPECT_EQ(L"kept", ReadSettingString(kSectionSearchRec, kKeyPhoneNumber));
                  Click(d, IDC_SEARCH_CHOOSE_CHANNELS);
                  ::SendMessageW(d, WM_COMMAND, IDOK, 0);
              }));
    const auto boxes = m_driver.TakeMessageBoxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(English(L"0242"), boxes[0].Text);
    EXPECT_EQ(English(L"0222"), boxes[0].Caption);
    EXPECT_EQ(2, std::count(query.Channels.begin(), query.Channels.end(), 1));
    EXPECT_EQ(1, query.Channels[2]);
    EXPECT_EQ(1, ReadSettingInt(kSectionSearchRec, L"Check8"));

    // A short file fills only the members it holds whole.
    WriteFormFile(&noChannels, 40);
    Run(kAllCalls, query, [&](HWND d) {
        EXPECT_EQ(6, PickerTime(d, IDC_SEARCH_FROM_DATE).wDay);
        EXPECT_EQ(13, PickerTime(d, IDC_SEARCH_TO_DATE).wDay);
        EXPECT_EQ(Today().wDay, PickerTime(d, IDC_SEARCH_FROM_TIME).wDay) << "not held whole: now";
        EXPECT_EQ(L"0", ItemText(d, IDC_SEARCH_CHANNEL_COUNT));
        ::SendMessageW(d, WM_COMMAND, IDCANCEL, 0);
    });
}
