// The search forms and the channel picker: what each hands back to its pane, and what the statistics form keeps in
// Chart.abc.

#include "dialogs/SearchChartDialog.h"

#include "DialogTestSupport.h"
#include "OperatorDialogsResource.h"
#include "channels/ChannelTable.h"
#include "common/AppIcons.h"
#include "common/OperatorDialogs.h"
#include "LocalTime.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"
#include "storage/RecordFields.h"

#include <gtest/gtest.h>

namespace {

// A local time with its weekday, as the pickers hand it back.
SYSTEMTIME DateTime(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME time = LocalTime(year, month, day, hour, minute, second);
    FILETIME fileTime;
    ::SystemTimeToFileTime(&time, &fileTime);
    ::FileTimeToSystemTime(&fileTime, &time);
    return time;
}

bool SameDay(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay;
}

// Answers the picker opened by the next click with exactly these channels ticked.
void TickChannels(DialogDriver& driver, std::vector<int> channels, int button = IDOK) {
    driver.Then([channels, button](HWND picker) {
        HWND list = ::GetDlgItem(picker, IDC_PICKER_LIST);
        for (int row = 0; row < RowCount(list); ++row)
            CheckRow(list, row, std::find(channels.begin(), channels.end(), row) != channels.end());
        Click(picker, button);
    });
}

int CountOf(const ChannelMask& mask, uint8_t value) {
    return static_cast<int>(std::count(mask.begin(), mask.end(), value));
}

class SearchForms : public ::testing::Test {
protected:
    void SetUp() override { RegisterOperatorDialogs(); }

    DialogTestEnvironment environment;
    DialogDriver driver;
};

}  // namespace

TEST_F(SearchForms, TheStatisticsFormNeedsAChannelAndKeepsItsConditionsInChartAbc) {
    const std::wstring chartFile = ChartFormFilePath();
    ChartSearchQuery query{};

    // The first form after installation: no file, no channel.
    driver.Then([&](HWND d) {
        EXPECT_EQ(L"Statistics", WindowText(d));
        EXPECT_EQ(L"", ItemText(d, IDC_CHART_CHANNEL_COUNT));
        Click(d, IDOK);
        EXPECT_TRUE(::IsWindowVisible(d));
        EXPECT_FALSE(FileExists(chartFile));

        TickChannels(driver, {0, 511});
        Click(d, IDC_CHART_CHANNELS);
        EXPECT_EQ(L"2", ItemText(d, IDC_CHART_CHANNEL_COUNT));
        SetPickerTime(d, IDC_SEARCH_FROM, DateTime(2024, 3, 5, 10, 11, 12));
        SetPickerTime(d, IDC_SEARCH_TO, DateTime(2024, 3, 9, 23, 59, 58));
        SaveScreenshot(d, L"statistics");
        Click(d, IDOK);
    });
    EXPECT_EQ(IDOK, OperatorDialogs().ChartSearch.Run(nullptr, query));
    ASSERT_EQ(1u, driver.Messages.size());
    EXPECT_EQ(L"Statistics", driver.Messages[0].Caption);
    EXPECT_EQ(L"Please choose at least one channel.", driver.Messages[0].Text);

    // Two little-endian SYSTEMTIMEs and the mask, nothing else.
    std::string golden = std::string("\xE8\x07\x03\x00\x02\x00\x05\x00\x0A\x00\x0B\x00\x0C\x00\x00\x00", 16) +
                         std::string("\xE8\x07\x03\x00\x06\x00\x09\x00\x17\x00\x3B\x00\x3A\x00\x00\x00", 16) +
                         std::string(kChannelMaskSize, '\0');
    golden[32 + 0] = 1;
    golden[32 + 511] = 1;
    EXPECT_EQ(golden, ReadFileBytes(chartFile));
    EXPECT_TRUE(SameDay(DateTime(2024, 3, 5, 0, 0, 0), query.FromDate));
    EXPECT_TRUE(SameDay(DateTime(2024, 3, 9, 0, 0, 0), query.ToDate));
    EXPECT_EQ(2, CountOf(query.Channels, 1));
    EXPECT_EQ(1, query.Channels[511]);

    // The next form opens on them; channels chosen and then cancelled change neither the file nor the query.
    const ChartSearchQuery accepted = query;
    driver.Then([&](HWND d) {
        EXPECT_TRUE(SameDay(DateTime(2024, 3, 5, 0, 0, 0), PickerTime(d, IDC_SEARCH_FROM)));
        EXPECT_TRUE(SameDay(DateTime(2024, 3, 9, 0, 0, 0), PickerTime(d, IDC_SEARCH_TO)));
        EXPECT_EQ(L"2", ItemText(d, IDC_CHART_CHANNEL_COUNT));
        TickChannels(driver, {7});
        Click(d, IDC_CHART_CHANNELS);
        EXPECT_EQ(L"1", ItemText(d, IDC_CHART_CHANNEL_COUNT));
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, OperatorDialogs().ChartSearch.Run(nullptr, query));
    EXPECT_EQ(golden, ReadFileBytes(chartFile));
    EXPECT_EQ(accepted.Channels, query.Channels);

    // A short file fills only what it holds: the start date, and no channel.
    WriteFileBytes(chartFile, golden.substr(0, 20));
    driver.Then([&](HWND d) {
        EXPECT_TRUE(SameDay(DateTime(2024, 3, 5, 0, 0, 0), PickerTime(d, IDC_SEARCH_FROM)));
        EXPECT_EQ(L"0", ItemText(d, IDC_CHART_CHANNEL_COUNT));
        Click(d, IDOK);  // refused
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, OperatorDialogs().ChartSearch.Run(nullptr, query));
    EXPECT_EQ(2u, driver.Messages.size());
    EXPECT_EQ(20u, ReadFileBytes(chartFile).size());
}

TEST_F(SearchForms, ThePickerListsEveryChannelAndHandsBackTicksOnly) {
    CopyToField(ChannelTable[0].Name, L"Front desk");
    CopyToField(ChannelTable[0].Phone, L"8001");
    ChannelMask mask{};
    mask[0] = 1;
    mask[4] = 2;  // not 1: not chosen
    mask[7] = 1;

    driver.Then([](HWND d) {
        HWND list = ::GetDlgItem(d, IDC_PICKER_LIST);
        EXPECT_EQ(L"Choose Channels", WindowText(d));
        ASSERT_EQ(kChannelMaskSize, RowCount(list));
        EXPECT_EQ(L"1", CellText(list, 0, 0));
        EXPECT_EQ(kIconTel, CellImage(list, 0, 0));
        EXPECT_EQ(L"Front desk", CellText(list, 0, 1));
        EXPECT_EQ(L"8001", CellText(list, 0, 2));
        EXPECT_EQ(L"512", CellText(list, 511, 0));
        EXPECT_TRUE(IsRowChecked(list, 0));
        EXPECT_EQ(L"Yes", CellText(list, 0, 3));
        EXPECT_EQ(kIconOk, CellImage(list, 0, 3));
        EXPECT_FALSE(IsRowChecked(list, 4));
        EXPECT_EQ(L"No", CellText(list, 4, 3));
        EXPECT_EQ(kIconLockRed, CellImage(list, 4, 3));
        SaveScreenshot(d, L"picker");
        CheckRow(list, 7, false);
        EXPECT_EQ(L"Yes", CellText(list, 7, 3));  // the opening state stays shown
        Click(d, IDOK);
    });
    EXPECT_EQ(IDOK, OperatorDialogs().ChannelPicker.Run(nullptr, mask));
    EXPECT_EQ(1, CountOf(mask, 1));
    EXPECT_EQ(kChannelMaskSize - 1, CountOf(mask, 0));
    EXPECT_EQ(1, mask[0]);

    driver.Then([](HWND d) {
        ::CheckDlgButton(d, IDC_PICKER_ALL, BST_CHECKED);
        Click(d, IDC_PICKER_ALL);
        Click(d, IDOK);
    });
    EXPECT_EQ(IDOK, OperatorDialogs().ChannelPicker.Run(nullptr, mask));
    EXPECT_EQ(kChannelMaskSize, CountOf(mask, 1));

    driver.Then([](HWND d) {
        ::CheckDlgButton(d, IDC_PICKER_ALL, BST_UNCHECKED);
        Click(d, IDC_PICKER_ALL);
        EXPECT_FALSE(IsRowChecked(::GetDlgItem(d, IDC_PICKER_LIST), 100));
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, OperatorDialogs().ChannelPicker.Run(nullptr, mask));
    EXPECT_EQ(kChannelMaskSize, CountOf(mask, 1));
    CopyToField(ChannelTable[0].Name, L"");
    CopyToField(ChannelTable[0].Phone, L"");
}

TEST_F(SearchForms, TheSystemLogAndPhoneBookFormsHandBackTheirConditions) {
    SysLogSearchQuery query{};
    query.EventGroup = 3;
    driver.Then([](HWND d) {
        EXPECT_EQ(L"Search System Log", WindowText(d));
        EXPECT_EQ(5, static_cast<int>(::SendDlgItemMessageW(d, IDC_SYSLOG_GROUP, CB_GETCOUNT, 0, 0)));
        EXPECT_EQ(L"All events", ComboText(d, IDC_SYSLOG_GROUP, 0));
        EXPECT_EQ(L"Program started", ComboText(d, IDC_SYSLOG_GROUP, 1));
        EXPECT_EQ(L"Call records not saved", ComboText(d, IDC_SYSLOG_GROUP, 4));
        EXPECT_EQ(0, ComboSelection(d, IDC_SYSLOG_GROUP));
        Click(d, IDOK);
    });
    EXPECT_EQ(IDOK, OperatorDialogs().SysLogSearch.Run(nullptr, query));
    EXPECT_TRUE(SameDay(Today(), query.FromDate));
    EXPECT_TRUE(SameDay(Today(), query.ToDate));
    EXPECT_EQ(0, query.EventGroup);

    WriteSettingString(kSectionSettings, kKeySearchPhoneKey, L"abc");
    std::wstring key = L"untouched";
    driver.Then([](HWND d) {
        EXPECT_EQ(L"abc", ItemText(d, IDC_PHONE_SEARCH_KEY));
        EXPECT_EQ(nullptr, ::GetDlgItem(d, IDCANCEL));
        SetItemText(d, IDC_PHONE_SEARCH_KEY, std::wstring(40, L'k'));
        Click(d, IDOK);
    });
    EXPECT_EQ(IDOK, OperatorDialogs().PhoneBookSearch.Run(nullptr, key));
    EXPECT_EQ(std::wstring(30, L'k'), key);
    EXPECT_EQ(std::wstring(30, L'k'), ReadSettingString(kSectionSettings, kKeySearchPhoneKey));

    driver.Then([](HWND d) {
        SetItemText(d, IDC_PHONE_SEARCH_KEY, L"");
        Click(d, IDOK);
    });
    EXPECT_EQ(IDOK, OperatorDialogs().PhoneBookSearch.Run(nullptr, key));
    EXPECT_EQ(L"", key);
    EXPECT_EQ(L"", ReadSettingString(kSectionSettings, kKeySearchPhoneKey));
}
