// The channel-parameter dialog, opened through the registry as the channel pane opens it: the weeks' days (today
// shown, switching drops what was not stored, the store buttons and OK store the shown days), what OK reads, the
// keep and delete keys of record mode 1, and the controls that apply to each record mode and line kind.

#include "ChannelDialogsTestSupport.h"
#include "DialogDriver.h"
#include "WaitUntil.h"

#include "ChannelDialogsResource.h"
#include "channels/ChannelTable.h"
#include "common/OperatorDialogs.h"
#include "common/Prompts.h"
#include "settings/Folders.h"
#include "storage/RecordFields.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>

namespace {

constexpr int kVoltageLine = 0;  // a line whose hook state the engine reads from its voltage
constexpr int kSpyChannel = 1;

// Window w of day d of a week starts at (d + 1):(10 w) and ends at (d + 1):(10 w + 5); windows 1 and 3 are on.
ChannelParamFields WeekFixture() {
    ChannelParamFields fields{};
    for (ScheduleDayBlock* week : {fields.RecordAllWeek, fields.AutoAnswerWeek}) {
        for (int day = 0; day < kScheduleDays; ++day) {
            for (int window = 0; window < kScheduleWindows; ++window) {
                const WORD hour = static_cast<WORD>(day + 1);
                week[day].Window[window].Start = {2024, 3, 0, 9, hour, static_cast<WORD>(10 * window), 0, 0};
                week[day].Window[window].End = {2024, 3, 0, 9, hour, static_cast<WORD>(10 * window + 5), 0, 0};
                week[day].Enabled[window] = window % 2 == 0 ? 1 : 0;
            }
        }
    }
    return fields;
}

struct HourMinute {
    int Hour;
    int Minute;
    bool operator==(const HourMinute&) const = default;
};

HourMinute Shown(HWND dialog, int picker) {
    const SYSTEMTIME time = PickerTime(dialog, picker);
    return {time.wHour, time.wMinute};
}

HourMinute Of(const SYSTEMTIME& time) {
    return {time.wHour, time.wMinute};
}

void PrintTo(const HourMinute& time, std::ostream* os) {
    *os << time.Hour << ':' << time.Minute;
}

class ChannelParamSetDialogTest : public testing::Test {
protected:
    void SetUp() override {
        UseEnglishTexts(m_folder);
        OperatorDialogs() = {};
        RegisterOperatorDialogs();
        ChannelTable[kVoltageLine].LineType = QSD_CHTYPE_LINE_VOLTAGE;
        ChannelTable[kSpyChannel].LineType = QSD_CHTYPE_SPY;
        ::GetLocalTime(&m_now);
    }
    void TearDown() override {
        Prompts() = ShellPrompts();
        OperatorDialogs() = {};
    }

    INT_PTR Run(int channel, ChannelParamFields& fields, std::function<void(HWND)> steps) {
        m_driver.WhenShown(std::move(steps));
        return OperatorDialogs().ChannelParams.Run(nullptr, channel, fields);
    }

    TestFolder m_folder;
    DialogDriver m_driver;
    SYSTEMTIME m_now;
};

}  // namespace

TEST_F(ChannelParamSetDialogTest, DaysShowTodayAndOnlyStoredOrShownDaysAreKept) {
    const int today = m_now.wDayOfWeek;
    const int tomorrow = (today + 1) % kScheduleDays;
    const ChannelParamFields before = WeekFixture();

    // The record-all week of a spy channel, window 4 through its own pickers.
    ChannelParamFields fields = before;
    ASSERT_EQ(IDOK, Run(kSpyChannel, fields, [&](HWND d) {
                  EXPECT_EQ(today, Selection(d, IDC_PARAM_RECORDALL_DAY));
                  EXPECT_EQ(today, Selection(d, IDC_PARAM_AUTOANSWER_DAY));
                  wchar_t dayText[64] = {};
                  ::SendDlgItemMessageW(d, IDC_PARAM_AUTOANSWER_DAY, CB_GETLBTEXT, today,
                                        reinterpret_cast<LPARAM>(dayText));
                  EXPECT_EQ(English(std::to_wstring(375 + today).insert(0, L"0").c_str()), dayText);
                  EXPECT_EQ(Of(before.RecordAllWeek[today].Window[3].Start), Shown(d, IDC_PARAM_RECORDALL_START4));
                  EXPECT_EQ(Of(before.RecordAllWeek[today].Window[3].End), Shown(d, IDC_PARAM_RECORDALL_END4));
                  EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(d, IDC_PARAM_RECORDALL_CHECK3));
                  EXPECT_EQ(BST_UNCHECKED, ::IsDlgButtonChecked(d, IDC_PARAM_RECORDALL_CHECK4));

                  EXPECT_TRUE(SaveScreenshot(d, L"channeldialogs_params_spy.png"));
                  // Changed, then another day and back: the change is gone.
                  SetPickerTime(d, IDC_PARAM_RECORDALL_START4, 7, 45);
                  ::CheckDlgButton(d, IDC_PARAM_RECORDALL_CHECK4, BST_CHECKED);
                  Choose(d, IDC_PARAM_RECORDALL_DAY, tomorrow);
                  EXPECT_EQ(Of(before.RecordAllWeek[tomorrow].Window[3].Start), Shown(d, IDC_PARAM_RECORDALL_START4));
                  Choose(d, IDC_PARAM_RECORDALL_DAY, today);
                  EXPECT_EQ(Of(before.RecordAllWeek[today].Window[3].Start), Shown(d, IDC_PARAM_RECORDALL_START4));
                  EXPECT_EQ(BST_UNCHECKED, ::IsDlgButtonChecked(d, IDC_PARAM_RECORDALL_CHECK4));

                  // Changed and stored before switching: kept.
                  SetPickerTime(d, IDC_PARAM_RECORDALL_START4, 7, 45);
                  SetPickerTime(d, IDC_PARAM_RECORDALL_END4, 8, 15);
                  ::CheckDlgButton(d, IDC_PARAM_RECORDALL_CHECK4, BST_CHECKED);
                  Click(d, IDC_PARAM_RECORDALL_STORE);
                  Choose(d, IDC_PARAM_RECORDALL_DAY, tomorrow);
                  Choose(d, IDC_PARAM_RECORDALL_DAY, today);
                  EXPECT_EQ((HourMinute{7, 45}), Shown(d, IDC_PARAM_RECORDALL_START4));
                  EXPECT_EQ((HourMinute{8, 15}), Shown(d, IDC_PARAM_RECORDALL_END4));

                  // Tomorrow shown and changed when OK is pressed: OK stores it.
                  Choose(d, IDC_PARAM_RECORDALL_DAY, tomorrow);
                  SetPickerTime(d, IDC_PARAM_RECORDALL_START1, 5, 5);
                  ::SendMessageW(d, WM_COMMAND, IDOK, 0);
              }));
    EXPECT_EQ((HourMinute{7, 45}), Of(fields.RecordAllWeek[today].Window[3].Start));
    EXPECT_EQ((HourMinute{8, 15}), Of(fields.RecordAllWeek[today].Window[3].End));
    EXPECT_EQ(1, fields.RecordAllWeek[today].Enabled[3]);
    EXPECT_EQ((HourMinute{5, 5}), Of(fields.RecordAllWeek[tomorrow].Window[0].Start));
    for (int day = 0; day < kScheduleDays; ++day) {
        if (day == today || day == tomorrow)
            continue;
        EXPECT_EQ(0, std::memcmp(&before.RecordAllWeek[day], &fields.RecordAllWeek[day], sizeof(ScheduleDayBlock)))
            << "record-all day " << day << " was not shown";
    }

    // The auto-answer week of a voltage-watched line: a stored change survives a switch; OK stores the day shown.
    fields = before;
    ASSERT_EQ(IDOK, Run(kVoltageLine, fields, [&](HWND d) {
                  EXPECT_EQ(Of(before.AutoAnswerWeek[today].Window[1].End), Shown(d, IDC_PARAM_AUTOANSWER_END2));
                  EXPECT_TRUE(SaveScreenshot(d, L"channeldialogs_params_line.png"));
                  SetPickerTime(d, IDC_PARAM_AUTOANSWER_START2, 21, 30);
                  ::CheckDlgButton(d, IDC_PARAM_AUTOANSWER_CHECK2, BST_CHECKED);
                  Click(d, IDC_PARAM_AUTOANSWER_STORE);
                  Choose(d, IDC_PARAM_AUTOANSWER_DAY, tomorrow);
                  SetPickerTime(d, IDC_PARAM_AUTOANSWER_END4, 23, 59);
                  ::SendMessageW(d, WM_COMMAND, IDOK, 0);
              }));
    EXPECT_EQ((HourMinute{21, 30}), Of(fields.AutoAnswerWeek[today].Window[1].Start));
    EXPECT_EQ(1, fields.AutoAnswerWeek[today].Enabled[1]);
    EXPECT_EQ((HourMinute{23, 59}), Of(fields.AutoAnswerWeek[tomorrow].Window[3].End));

    // Cancel after edits hands nothing back.
    fields = before;
    ASSERT_EQ(IDCANCEL, Run(kVoltageLine, fields, [&](HWND d) {
                  SetPickerTime(d, IDC_PARAM_AUTOANSWER_START1, 1, 1);
                  Click(d, IDC_PARAM_AUTOANSWER_STORE);
                  ::SetDlgItemTextW(d, IDC_PARAM_NAME, L"changed");
                  ::SendMessageW(d, WM_COMMAND, IDCANCEL, 0);
              }));
    EXPECT_EQ(0, std::memcmp(&before, &fields, sizeof(fields)));
}

TEST_F(ChannelParamSetDialogTest, OkReadsTheControlsAndRefusesBadKeysAndGreetingsOutsideTheProgram) {
    // Keys of record mode 1, and greeting files (any mode) outside the program's folders, which the engine would
    // never play: the message, and the edit that gets the focus with its text selected.
    const struct {
        const wchar_t* KeySave;
        const wchar_t* KeyDel;
        const wchar_t* Announcement;
        const wchar_t* AutoFile;
        const wchar_t* Refusal;  // null: accepted
        int Focused;
    } cases[] = {
        {L"12", L"12", L"", L"", L"0327", IDC_PARAM_KEYSAVE},
        {L"1", L"23", L"", L"", L"0315", IDC_PARAM_KEYSAVE},
        {L"12", L"", L"", L"", L"0329", IDC_PARAM_KEYSAVE},
        {L"", L"34", L"", L"", L"0329", IDC_PARAM_KEYSAVE},
        {L"12", L"3", L"", L"", L"0315", IDC_PARAM_KEYDEL},
        {L"12", L"34", L"\\\\server\\share\\hello.wav", L"", L"0328", IDC_PARAM_ANNOUNCEMENT_FILE},
        {L"12", L"34", L"", L"..\\..\\hello.wav", L"0328", IDC_PARAM_AUTOFILE},
        {L"12", L"34", L"", L"hello.txt", L"0328", IDC_PARAM_AUTOFILE},
        {L"12", L"34", L"Welcome.wav", L"AutoAnswer.wav", nullptr, 0},
    };
    for (const auto& c : cases) {
        ChannelParamFields fields{};
        fields.Rec = kRecordDtmfKeepDelete;
        int focused = 0;
        DWORD selection = 0;
        std::wstring focusedText;
        const INT_PTR result = Run(kVoltageLine, fields, [&](HWND d) {
            ::SetDlgItemTextW(d, IDC_PARAM_KEYSAVE, c.KeySave);
            ::SetDlgItemTextW(d, IDC_PARAM_KEYDEL, c.KeyDel);
            ::SetDlgItemTextW(d, IDC_PARAM_ANNOUNCEMENT_FILE, c.Announcement);
            ::SetDlgItemTextW(d, IDC_PARAM_AUTOFILE, c.AutoFile);
            ::SendMessageW(d, WM_COMMAND, IDOK, 0);
            if (!c.Refusal)
                return;
            // Activation comes back to the dialog from the message box.
            const HWND edit = ::GetDlgItem(d, c.Focused);
            PumpUntil([&] { return ::GetFocus() == edit; }, 3000);
            focused = ::GetDlgCtrlID(::GetFocus());
            selection = static_cast<DWORD>(::SendMessageW(edit, EM_GETSEL, 0, 0));
            focusedText = ItemText(d, c.Focused);
            ::SendMessageW(d, WM_COMMAND, IDCANCEL, 0);
        });
        const auto boxes = m_driver.TakeMessageBoxes();
        if (!c.Refusal) {
            EXPECT_EQ(IDOK, result) << c.KeySave << "/" << c.KeyDel;
            EXPECT_TRUE(boxes.empty());
            EXPECT_STREQ(L"12", fields.KeySave);
            EXPECT_STREQ(L"34", fields.KeyDel);
            EXPECT_STREQ(L"Welcome.wav", fields.AnnouncementFile);
            EXPECT_STREQ(L"AutoAnswer.wav", fields.AutoFile);
            continue;
        }
        EXPECT_EQ(IDCANCEL, result) << c.KeySave << "/" << c.KeyDel << "/" << c.AutoFile;
        ASSERT_EQ(1u, boxes.size()) << c.KeySave << "/" << c.KeyDel << "/" << c.AutoFile;
        EXPECT_EQ(English(c.Refusal), boxes[0].Text);
        EXPECT_EQ(English(L"0316"), boxes[0].Caption);
        EXPECT_EQ(c.Focused, focused) << c.KeySave << "/" << c.KeyDel << "/" << c.AutoFile;
        const int length = static_cast<int>(focusedText.size());
        EXPECT_EQ(MAKELONG(0, length), static_cast<LONG>(selection)) << "the whole text is selected";
    }

    // Other modes take any keys; numbers read as signed integers, letters as 0; texts are cut to their fields;
    // stored choices outside their lists come back as no choice.
    ChannelParamFields fields{};
    CopyToField(fields.Name, L"Front desk");
    fields.Rec = 5;
    fields.Trigger = 40;
    fields.CallerIDFormat = 1;
    fields.Announcement = 1;
    fields.HookOnTime = 120;
    ASSERT_EQ(IDOK, Run(kVoltageLine, fields, [&](HWND d) {
                  EXPECT_EQ(L"Front desk", ItemText(d, IDC_PARAM_NAME));
                  EXPECT_EQ(L"120", ItemText(d, IDC_PARAM_HOOKON));
                  EXPECT_EQ(-1, Selection(d, IDC_PARAM_REC));
                  EXPECT_EQ(-1, Selection(d, IDC_PARAM_TRIGGER));
                  EXPECT_EQ(1, Selection(d, IDC_PARAM_CALLERID));
                  wchar_t format[16] = {};
                  ::SendDlgItemMessageW(d, IDC_PARAM_CALLERID, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(format));
                  EXPECT_STREQ(L"DTMF", format);
                  ::SetDlgItemTextW(d, IDC_PARAM_RINGS, L"-5");
                  ::SetDlgItemTextW(d, IDC_PARAM_MAXTIME, L"abc");
                  ::SetDlgItemTextW(d, IDC_PARAM_PHONE, std::wstring(70, L'7').c_str());
                  ::SendMessageW(d, WM_COMMAND, IDOK, 0);
              }));
    EXPECT_EQ(-1, fields.Rec);
    EXPECT_EQ(-1, fields.Trigger);
    EXPECT_EQ(1, fields.CallerIDFormat);
    EXPECT_EQ(1, fields.Announcement);
    EXPECT_EQ(-5, fields.AutoAnserWaitRingCnt);
    EXPECT_EQ(0, fields.AutoAnswerMaxTimeLong);
    EXPECT_EQ(120, fields.HookOnTime);
    EXPECT_EQ(std::wstring(62, L'7'), fields.Phone);

    fields = {};
    fields.Rec = kRecordByLineState;
    EXPECT_EQ(IDOK, Run(kSpyChannel, fields, [](HWND d) { ::SendMessageW(d, WM_COMMAND, IDOK, 0); }))
        << "mode 0 with empty keys";
    EXPECT_TRUE(m_driver.TakeMessageBoxes().empty());

    // The sound files come from the file-open prompt; a cancelled prompt changes nothing.
    const std::wstring chosen = GetExeFolder() + L"\\Sounds\\hello.wav";
    std::vector<std::wstring> defaultNames;
    Prompts().ChooseFileToOpen = [&](CWnd*, const wchar_t* filter, const wchar_t* extension, const wchar_t* name,
                                     std::wstring* path) {
        EXPECT_STREQ(L"Sound(*.wav)|*.wav|All files (*.*)|*.*||", filter);
        EXPECT_STREQ(L"wav", extension);
        defaultNames.push_back(name);
        if (defaultNames.size() == 2)
            return false;
        *path = chosen;
        return true;
    };
    fields = {};
    CopyToField(fields.AutoFile, L"Sounds\\old.wav");
    ASSERT_EQ(IDOK, Run(kVoltageLine, fields, [](HWND d) {
                  Click(d, IDC_PARAM_ANNOUNCEMENT_BROWSE);
                  Click(d, IDC_PARAM_AUTOFILE_BROWSE);
                  ::SendMessageW(d, WM_COMMAND, IDOK, 0);
              }));
    EXPECT_EQ((std::vector<std::wstring>{L"AnnounmentFile.wav", L"AutoAnswer.wav"}), defaultNames);
    EXPECT_EQ(chosen, fields.AnnouncementFile);
    EXPECT_STREQ(L"Sounds\\old.wav", fields.AutoFile);
}

TEST_F(ChannelParamSetDialogTest, ControlsFollowTheRecordModeAndTheLineKind) {
    const std::initializer_list<int> keyGroup = {IDC_PARAM_KEYSAVE, IDC_PARAM_KEYDEL};
    const std::initializer_list<int> voiceGroup = {IDC_PARAM_TRIGGER_LABEL,  IDC_PARAM_SOUNDTIME_LABEL,
                                                   IDC_PARAM_MUTETIME_LABEL, IDC_PARAM_TRIGGER,
                                                   IDC_PARAM_SOUNDTIME,      IDC_PARAM_MUTETIME};
    const std::initializer_list<int> recordAll = {IDC_PARAM_RECORDALL_DAY, IDC_PARAM_RECORDALL_STORE,
                                                  IDC_PARAM_RECORDALL_CHECK4, IDC_PARAM_RECORDALL_START1,
                                                  IDC_PARAM_RECORDALL_END4};
    const std::initializer_list<int> voltageLine = {IDC_PARAM_ANNOUNCEMENT,    IDC_PARAM_ANNOUNCEMENT_BROWSE,
                                                    IDC_PARAM_AUTOANSWER_DAY,  IDC_PARAM_AUTOANSWER_CHECK3,
                                                    IDC_PARAM_AUTOANSWER_END4, IDC_PARAM_HOOKON,
                                                    IDC_PARAM_HOOKOFF,         IDC_PARAM_AUTOFILE_BROWSE,
                                                    IDC_PARAM_RINGS,           IDC_PARAM_MAXTIME};
    const auto allEnabled = [](HWND d, std::initializer_list<int> ids) {
        int enabled = 0;
        for (int id : ids)
            enabled += IsItemEnabled(d, id) ? 1 : 0;
        return enabled == static_cast<int>(ids.size()) ? 1 : enabled == 0 ? 0 : -1;  // -1: mixed
    };

    // {channel, stored mode, mode chosen afterwards, key group, voice group} (1 enabled, 0 disabled)
    const struct {
        int Channel;
        int Mode;
        int Chosen;
        int Keys;
        int Voice;
        int ChosenKeys;
        int ChosenVoice;
    } cases[] = {
        {kSpyChannel, 0, 2, 0, 0, 0, 1},  {kSpyChannel, 1, 0, 1, 0, 0, 0},  {kSpyChannel, 2, 1, 0, 1, 1, 0},
        {kVoltageLine, 0, 2, 0, 0, 0, 0}, {kVoltageLine, 1, 2, 1, 0, 0, 0}, {kVoltageLine, 2, 1, 0, 0, 1, 0},
        {kSpyChannel, 7, 1, 1, 1, 1, 0},  // a stored mode outside the list leaves the template's state
    };
    for (const auto& c : cases) {
        ChannelParamFields fields{};
        fields.Rec = c.Mode;
        const bool voltage = c.Channel == kVoltageLine;
        Run(c.Channel, fields, [&](HWND d) {
            EXPECT_EQ(c.Keys, allEnabled(d, keyGroup)) << c.Channel << " mode " << c.Mode;
            EXPECT_EQ(c.Voice && !voltage ? 1 : 0, allEnabled(d, voiceGroup)) << c.Channel << " mode " << c.Mode;
            EXPECT_EQ(voltage ? 0 : 1, allEnabled(d, recordAll)) << c.Channel;
            EXPECT_EQ(voltage ? 1 : 0, allEnabled(d, voltageLine)) << c.Channel;
            Choose(d, IDC_PARAM_REC, c.Chosen);
            EXPECT_EQ(c.ChosenKeys, allEnabled(d, keyGroup)) << c.Channel << " chose " << c.Chosen;
            EXPECT_EQ(c.ChosenVoice, allEnabled(d, voiceGroup)) << c.Channel << " chose " << c.Chosen;
            EXPECT_EQ(voltage ? 0 : 1, allEnabled(d, recordAll)) << "the line kind's controls stay";
            ::SendMessageW(d, WM_COMMAND, IDCANCEL, 0);
        });
    }
}
