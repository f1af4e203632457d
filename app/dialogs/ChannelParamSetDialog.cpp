#include "dialogs/ChannelParamSetDialog.h"

#include "ChannelDialogsResource.h"
#include "channels/ChannelTable.h"
#include "common/Prompts.h"
#include "engine/Greetings.h"
#include "settings/LangText.h"

#include <cwchar>
#include <initializer_list>
#include <string>

namespace {

// The controls of one week: its day combo box (item = day of the week, 0 Sunday), and per window its check box
// and its start and end time pickers.
struct WeekControls {
    int DayList;
    int Enabled[kScheduleWindows];
    int Start[kScheduleWindows];
    int End[kScheduleWindows];
};

struct ControlText {
    int Id;
    const wchar_t* Key;
};

constexpr ControlText kControlTexts[] = {
    {IDC_PARAM_NAME_LABEL, L"0247"},
    {IDC_PARAM_PHONE_LABEL, L"0248"},
    {IDC_PARAM_REC_LABEL, L"0249"},
    {IDC_PARAM_KEYSAVE_LABEL, L"0310"},
    {IDC_PARAM_KEYDEL_LABEL, L"0311"},
    {IDC_PARAM_TRIGGER_LABEL, L"0312"},
    {IDC_PARAM_SOUNDTIME_LABEL, L"0313"},
    {IDC_PARAM_MUTETIME_LABEL, L"0314"},
    {IDC_PARAM_VOLTAGE_LABEL, L"0368"},
    {IDC_PARAM_CALLERID_LABEL, L"0394"},
    {IDC_PARAM_HOOKON_LABEL, L"0396"},
    {IDC_PARAM_HOOKOFF_LABEL, L"0395"},
    {IDC_PARAM_RECORDALL_LABEL, L"0369"},
    {IDC_PARAM_RECORDALL_STORE, L"0384"},
    {IDC_PARAM_ANNOUNCEMENT_LABEL, L"0370"},
    {IDC_PARAM_ANNOUNCEMENT_FILE_LABEL, L"0371"},
    {IDC_PARAM_ANNOUNCEMENT_BROWSE, L"0374"},
    {IDC_PARAM_AUTOANSWER_LABEL, L"0372"},
    {IDC_PARAM_AUTOANSWER_STORE, L"0384"},
    {IDC_PARAM_AUTOFILE_LABEL, L"0373"},
    {IDC_PARAM_AUTOFILE_BROWSE, L"0374"},
    {IDC_PARAM_RINGS_LABEL, L"0387"},
    {IDC_PARAM_MAXTIME_LABEL, L"0388"},
    {IDOK, L"0250"},
    {IDCANCEL, L"0251"},
};

constexpr const wchar_t* kModeTexts[] = {L"0252", L"0253", L"0254"};
constexpr const wchar_t* kDayTexts[kScheduleDays] = {L"0375", L"0376", L"0377", L"0378",
                                                     L"0379", L"0380", L"0381"};  // Sunday first
constexpr const wchar_t* kAnnouncementTexts[] = {L"0382", L"0383"};
constexpr const wchar_t* kCallerIdFormats[] = {L"FSK", L"DTMF"};  // not translated
constexpr int kVoiceLevels = 32;

constexpr WeekControls kRecordAllControls = {
    IDC_PARAM_RECORDALL_DAY,
    {IDC_PARAM_RECORDALL_CHECK1, IDC_PARAM_RECORDALL_CHECK2, IDC_PARAM_RECORDALL_CHECK3, IDC_PARAM_RECORDALL_CHECK4},
    {IDC_PARAM_RECORDALL_START1, IDC_PARAM_RECORDALL_START2, IDC_PARAM_RECORDALL_START3, IDC_PARAM_RECORDALL_START4},
    {IDC_PARAM_RECORDALL_END1, IDC_PARAM_RECORDALL_END2, IDC_PARAM_RECORDALL_END3, IDC_PARAM_RECORDALL_END4},
};

constexpr WeekControls kAutoAnswerControls = {
    IDC_PARAM_AUTOANSWER_DAY,
    {IDC_PARAM_AUTOANSWER_CHECK1, IDC_PARAM_AUTOANSWER_CHECK2, IDC_PARAM_AUTOANSWER_CHECK3,
     IDC_PARAM_AUTOANSWER_CHECK4},
    {IDC_PARAM_AUTOANSWER_START1, IDC_PARAM_AUTOANSWER_START2, IDC_PARAM_AUTOANSWER_START3,
     IDC_PARAM_AUTOANSWER_START4},
    {IDC_PARAM_AUTOANSWER_END1, IDC_PARAM_AUTOANSWER_END2, IDC_PARAM_AUTOANSWER_END3, IDC_PARAM_AUTOANSWER_END4},
};

constexpr int kTimePickers[] = {
    IDC_PARAM_RECORDALL_START1,  IDC_PARAM_RECORDALL_END1,  IDC_PARAM_RECORDALL_START2,  IDC_PARAM_RECORDALL_END2,
    IDC_PARAM_RECORDALL_START3,  IDC_PARAM_RECORDALL_END3,  IDC_PARAM_RECORDALL_START4,  IDC_PARAM_RECORDALL_END4,
    IDC_PARAM_AUTOANSWER_START1, IDC_PARAM_AUTOANSWER_END1, IDC_PARAM_AUTOANSWER_START2, IDC_PARAM_AUTOANSWER_END2,
    IDC_PARAM_AUTOANSWER_START3, IDC_PARAM_AUTOANSWER_END3, IDC_PARAM_AUTOANSWER_START4, IDC_PARAM_AUTOANSWER_END4,
};

constexpr std::initializer_list<int> kKeyGroup = {IDC_PARAM_KEYSAVE, IDC_PARAM_KEYDEL};
constexpr std::initializer_list<int> kVoiceGroup = {IDC_PARAM_TRIGGER_LABEL,  IDC_PARAM_SOUNDTIME_LABEL,
                                                    IDC_PARAM_MUTETIME_LABEL, IDC_PARAM_TRIGGER,
                                                    IDC_PARAM_SOUNDTIME,      IDC_PARAM_MUTETIME};

// Record-all windows do not apply to voltage-watched lines.
constexpr std::initializer_list<int> kRecordAllGroup = {
    IDC_PARAM_RECORDALL_LABEL,  IDC_PARAM_RECORDALL_DAY,    IDC_PARAM_RECORDALL_STORE,  IDC_PARAM_RECORDALL_CHECK1,
    IDC_PARAM_RECORDALL_CHECK2, IDC_PARAM_RECORDALL_CHECK3, IDC_PARAM_RECORDALL_CHECK4, IDC_PARAM_RECORDALL_START1,
    IDC_PARAM_RECORDALL_END1,   IDC_PARAM_RECORDALL_START2, IDC_PARAM_RECORDALL_END2,   IDC_PARAM_RECORDALL_START3,
    IDC_PARAM_RECORDALL_END3,   IDC_PARAM_RECORDALL_START4, IDC_PARAM_RECORDALL_END4,
};

// Answering, greeting and hook times apply to voltage-watched lines only.
constexpr std::initializer_list<int> kVoltageLineGroup = {
    IDC_PARAM_ANNOUNCEMENT_LABEL,
    IDC_PARAM_ANNOUNCEMENT,
    IDC_PARAM_ANNOUNCEMENT_FILE_LABEL,
    IDC_PARAM_ANNOUNCEMENT_BROWSE,
    IDC_PARAM_AUTOANSWER_LABEL,
    IDC_PARAM_AUTOANSWER_DAY,
    IDC_PARAM_AUTOANSWER_STORE,
    IDC_PARAM_AUTOANSWER_CHECK1,
    IDC_PARAM_AUTOANSWER_CHECK2,
    IDC_PARAM_AUTOANSWER_CHECK3,
    IDC_PARAM_AUTOANSWER_CHECK4,
    IDC_PARAM_AUTOANSWER_START1,
    IDC_PARAM_AUTOANSWER_END1,
    IDC_PARAM_AUTOANSWER_START2,
    IDC_PARAM_AUTOANSWER_END2,
    IDC_PARAM_AUTOANSWER_START3,
    IDC_PARAM_AUTOANSWER_END3,
    IDC_PARAM_AUTOANSWER_START4,
    IDC_PARAM_AUTOANSWER_END4,
    IDC_PARAM_HOOKON_LABEL,
    IDC_PARAM_HOOKOFF_LABEL,
    IDC_PARAM_HOOKON,
    IDC_PARAM_HOOKOFF,
    IDC_PARAM_AUTOFILE_LABEL,
    IDC_PARAM_AUTOFILE_BROWSE,
    IDC_PARAM_RINGS_LABEL,
    IDC_PARAM_RINGS,
    IDC_PARAM_MAXTIME_LABEL,
    IDC_PARAM_MAXTIME,
};

constexpr wchar_t kSoundFilter[] = L"Sound(*.wav)|*.wav|All files (*.*)|*.*||";

// The number edits, read as signed integers.
struct NumberField {
    int Id;
    int ChannelParamFields::*Field;
};

constexpr NumberField kNumberFields[] = {
    {IDC_PARAM_SOUNDTIME, &ChannelParamFields::SoundTime},
    {IDC_PARAM_MUTETIME, &ChannelParamFields::MuteTime},
    {IDC_PARAM_VOLTAGE, &ChannelParamFields::PickupVoltage},
    {IDC_PARAM_RINGS, &ChannelParamFields::AutoAnserWaitRingCnt},
    {IDC_PARAM_MAXTIME, &ChannelParamFields::AutoAnswerMaxTimeLong},
    {IDC_PARAM_HOOKON, &ChannelParamFields::HookOnTime},
    {IDC_PARAM_HOOKOFF, &ChannelParamFields::HookOffTime},
};

CComboBox& ComboOf(CWnd& dialog, int id) {
    return *static_cast<CComboBox*>(dialog.GetDlgItem(id));
}

void FillCombo(CComboBox& combo, std::initializer_list<const wchar_t*> keys, int selected) {
    for (const wchar_t* key : keys)
        combo.AddString(LangText(key).c_str());
    combo.SetCurSel(selected);
}

void EnableControls(CWnd& dialog, std::initializer_list<int> ids, BOOL enable) {
    for (int id : ids)
        dialog.GetDlgItem(id)->EnableWindow(enable);
}

// Reads an edit with at most MaxChars characters into the field.
template <int MaxChars, size_t N>
void ReadText(CWnd& dialog, int id, wchar_t (&field)[N]) {
    static_assert(MaxChars < N);
    field[0] = L'\0';
    dialog.GetDlgItemText(id, field, MaxChars + 1);
}

// Text that is no number reads as 0.
int ReadNumber(CWnd& dialog, int id) {
    CString text;
    dialog.GetDlgItemText(id, text);
    return _wtoi(text);
}

SYSTEMTIME PickerTime(CWnd& dialog, int id) {
    SYSTEMTIME time{};
    static_cast<CDateTimeCtrl*>(dialog.GetDlgItem(id))->GetTime(&time);
    return time;
}

// The day selected in the week's combo box shows its stored block; nothing without a selection.
void ShowDay(CWnd& dialog, const WeekControls& controls, const ScheduleDayBlock* week) {
    const int day = ComboOf(dialog, controls.DayList).GetCurSel();
    if (day < 0 || day >= kScheduleDays)
        return;
    const ScheduleDayBlock& block = week[day];
    for (int i = 0; i < kScheduleWindows; ++i) {
        dialog.CheckDlgButton(controls.Enabled[i], block.Enabled[i] == 1 ? BST_CHECKED : BST_UNCHECKED);
        static_cast<CDateTimeCtrl*>(dialog.GetDlgItem(controls.Start[i]))->SetTime(&block.Window[i].Start);
        static_cast<CDateTimeCtrl*>(dialog.GetDlgItem(controls.End[i]))->SetTime(&block.Window[i].End);
    }
}

// The screen's windows of the day selected are stored in its block.
void StoreDay(CWnd& dialog, const WeekControls& controls, ScheduleDayBlock* week) {
    const int day = ComboOf(dialog, controls.DayList).GetCurSel();
    if (day < 0 || day >= kScheduleDays)
        return;
    ScheduleDayBlock& block = week[day];
    for (int i = 0; i < kScheduleWindows; ++i) {
        block.Enabled[i] = dialog.IsDlgButtonChecked(controls.Enabled[i]) == BST_CHECKED ? 1 : 0;
        block.Window[i].Start = PickerTime(dialog, controls.Start[i]);
        block.Window[i].End = PickerTime(dialog, controls.End[i]);
    }
}

}  // namespace

BEGIN_MESSAGE_MAP(CChannelParamSetDialog, CDialog)
    ON_BN_CLICKED(IDC_PARAM_RECORDALL_STORE, OnSetRecordAllDay)
    ON_BN_CLICKED(IDC_PARAM_AUTOANSWER_STORE, OnSetAutoAnswerDay)
    ON_BN_CLICKED(IDC_PARAM_ANNOUNCEMENT_BROWSE, OnBrowseAnnouncement)
    ON_BN_CLICKED(IDC_PARAM_AUTOFILE_BROWSE, OnBrowseAutoAnswer)
    ON_CBN_SELCHANGE(IDC_PARAM_REC, OnSelChangeRec)
    ON_CBN_SELCHANGE(IDC_PARAM_RECORDALL_DAY, OnSelChangeRecordAllDay)
    ON_CBN_SELCHANGE(IDC_PARAM_AUTOANSWER_DAY, OnSelChangeAutoAnswerDay)
END_MESSAGE_MAP()

CChannelParamSetDialog::CChannelParamSetDialog(int channel)
    : CDialog(IDD_CHANNEL_PARAM), ChannelParamFields{}, Channel(channel) {}

BOOL CChannelParamSetDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(LangText(L"0246").c_str());
    for (int id : kTimePickers)
        static_cast<CDateTimeCtrl*>(GetDlgItem(id))->SetFormat(L"HH:mm");
    for (const ControlText& text : kControlTexts)
        SetDlgItemText(text.Id, LangText(text.Key).c_str());

    FillCombo(ComboOf(*this, IDC_PARAM_REC), {kModeTexts[0], kModeTexts[1], kModeTexts[2]}, Rec);
    CComboBox& levels = ComboOf(*this, IDC_PARAM_TRIGGER);
    for (int level = 1; level <= kVoiceLevels; ++level)
        levels.AddString(std::to_wstring(level).c_str());
    levels.SetCurSel(Trigger);

    SYSTEMTIME now;
    ::GetLocalTime(&now);
    for (int list : {IDC_PARAM_RECORDALL_DAY, IDC_PARAM_AUTOANSWER_DAY}) {
        CComboBox& days = ComboOf(*this, list);
        for (const wchar_t* key : kDayTexts)
            days.AddString(LangText(key).c_str());
        days.SetCurSel(now.wDayOfWeek);
    }

    FillCombo(ComboOf(*this, IDC_PARAM_ANNOUNCEMENT), {kAnnouncementTexts[0], kAnnouncementTexts[1]}, Announcement);
    CComboBox& formats = ComboOf(*this, IDC_PARAM_CALLERID);
    for (const wchar_t* format : kCallerIdFormats)
        formats.AddString(format);
    formats.SetCurSel(CallerIDFormat);

    SetDlgItemText(IDC_PARAM_NAME, Name);
    SetDlgItemText(IDC_PARAM_PHONE, Phone);
    SetDlgItemText(IDC_PARAM_ANNOUNCEMENT_FILE, AnnouncementFile);
    SetDlgItemText(IDC_PARAM_AUTOFILE, AutoFile);
    SetDlgItemText(IDC_PARAM_KEYSAVE, KeySave);
    SetDlgItemText(IDC_PARAM_KEYDEL, KeyDel);
    for (const NumberField& number : kNumberFields)
        SetDlgItemText(number.Id, std::to_wstring(this->*number.Field).c_str());

    ShowDay(*this, kRecordAllControls, RecordAllWeek);
    ShowDay(*this, kAutoAnswerControls, AutoAnswerWeek);
    ApplyModeRule(Rec);
    ApplyTypeRule();
    return TRUE;
}

bool CChannelParamSetDialog::IsVoltageWatchedChannel() const {
    return Channel >= 0 && Channel < kMaxChannels && IsVoltageWatchedLine(ChannelTable[Channel].LineType);
}

void CChannelParamSetDialog::ApplyModeRule(int mode) {
    if (mode < kRecordByLineState || mode > kRecordVoiceActivated)
        return;
    EnableControls(*this, kKeyGroup, mode == kRecordDtmfKeepDelete);
    // A voltage-watched line never detects voice.
    EnableControls(*this, kVoiceGroup, mode == kRecordVoiceActivated && !IsVoltageWatchedChannel());
}

void CChannelParamSetDialog::ApplyTypeRule() {
    if (IsVoltageWatchedChannel()) {
        EnableControls(*this, kRecordAllGroup, FALSE);
        EnableControls(*this, kVoiceGroup, FALSE);
    } else {
        EnableControls(*this, kVoltageLineGroup, FALSE);
    }
}

void CChannelParamSetDialog::OnOK() {
    Rec = ComboOf(*this, IDC_PARAM_REC).GetCurSel();
    ReadText<62>(*this, IDC_PARAM_NAME, Name);
    ReadText<62>(*this, IDC_PARAM_PHONE, Phone);
    ReadText<30>(*this, IDC_PARAM_KEYSAVE, KeySave);
    ReadText<30>(*this, IDC_PARAM_KEYDEL, KeyDel);
    ReadText<259>(*this, IDC_PARAM_ANNOUNCEMENT_FILE, AnnouncementFile);
    ReadText<259>(*this, IDC_PARAM_AUTOFILE, AutoFile);
    Trigger = ComboOf(*this, IDC_PARAM_TRIGGER).GetCurSel();
    CallerIDFormat = ComboOf(*this, IDC_PARAM_CALLERID).GetCurSel();
    for (const NumberField& number : kNumberFields)
        this->*number.Field = ReadNumber(*this, number.Id);
    Announcement = ComboOf(*this, IDC_PARAM_ANNOUNCEMENT).GetCurSel();

    if (Rec == kRecordDtmfKeepDelete) {
        const size_t keep = wcslen(KeySave);
        const size_t remove = wcslen(KeyDel);
        if (keep == 0 || remove == 0)
            return Refuse(L"0329", IDC_PARAM_KEYSAVE);
        if (keep == 1)
            return Refuse(L"0315", IDC_PARAM_KEYSAVE);
        if (remove == 1)
            return Refuse(L"0315", IDC_PARAM_KEYDEL);
        if (wcscmp(KeySave, KeyDel) == 0)
            return Refuse(L"0327", IDC_PARAM_KEYSAVE);
    }
    // The engine plays greetings from the program's own folders only; refuse here what it would never play.
    if (!IsAcceptableGreeting(AnnouncementFile))
        return Refuse(L"0328", IDC_PARAM_ANNOUNCEMENT_FILE);
    if (!IsAcceptableGreeting(AutoFile))
        return Refuse(L"0328", IDC_PARAM_AUTOFILE);

    StoreDay(*this, kRecordAllControls, RecordAllWeek);
    StoreDay(*this, kAutoAnswerControls, AutoAnswerWeek);
    EndDialog(IDOK);
}

void CChannelParamSetDialog::Refuse(const wchar_t* textKey, int editId) {
    MessageBox(LangText(textKey).c_str(), LangText(L"0316").c_str(), MB_ICONEXCLAMATION | MB_OK);
    // Through the dialog, which keeps the edit as its focus when it is activated again after the message box.
    CWnd* edit = GetDlgItem(editId);
    GotoDlgCtrl(edit);
    edit->SendMessage(EM_SETSEL, 0, -1);
}

void CChannelParamSetDialog::OnSetRecordAllDay() {
    StoreDay(*this, kRecordAllControls, RecordAllWeek);
}

void CChannelParamSetDialog::OnSetAutoAnswerDay() {
    StoreDay(*this, kAutoAnswerControls, AutoAnswerWeek);
}

void CChannelParamSetDialog::OnSelChangeRecordAllDay() {
    ShowDay(*this, kRecordAllControls, RecordAllWeek);
}

void CChannelParamSetDialog::OnSelChangeAutoAnswerDay() {
    ShowDay(*this, kAutoAnswerControls, AutoAnswerWeek);
}

void CChannelParamSetDialog::OnSelChangeRec() {
    ApplyModeRule(ComboOf(*this, IDC_PARAM_REC).GetCurSel());
}

void CChannelParamSetDialog::BrowseSoundFile(int editId, const wchar_t* defaultName) {
    std::wstring path;
    if (Prompts().ChooseFileToOpen(this, kSoundFilter, L"wav", defaultName, &path))
        SetDlgItemText(editId, path.c_str());
}

void CChannelParamSetDialog::OnBrowseAnnouncement() {
    BrowseSoundFile(IDC_PARAM_ANNOUNCEMENT_FILE, L"AnnounmentFile.wav");
}

void CChannelParamSetDialog::OnBrowseAutoAnswer() {
    BrowseSoundFile(IDC_PARAM_AUTOFILE, L"AutoAnswer.wav");
}
