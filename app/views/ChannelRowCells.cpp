#include "views/ChannelRowCells.h"

#include "channels/ChannelTable.h"
#include "settings/LangText.h"
#include "common/AppIcons.h"
#include "views/ReportCtrl.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

struct ColumnLook {
    const wchar_t* TitleKey;
    int Width;
};

constexpr ColumnLook kColumns[kChannelColumnCount] = {
    {L"0013", 100}, {L"0014", 150}, {L"0015", 150}, {L"0016", 150}, {L"0273", 150}, {L"0289", 150},
    {L"0258", 100}, {L"0017", 150}, {L"0018", 150}, {L"0020", 180}, {L"0021", 500},
};

// The texts of channel types 0 to 8; type 9 is "HDLC" and type 21 has a text of its own.
constexpr const wchar_t* kTypeTextKeys[] = {L"0274", L"0275", L"0276", L"0277", L"0278",
                                            L"0279", L"0280", L"0281", L"0282"};
constexpr int kTypeHdlc = 9;
constexpr int kType21 = 21;
constexpr const wchar_t* kType21TextKey = L"0283";

struct RecordModeLook {
    const wchar_t* TextKey;
    int Icon;
};

// By RecordMode; any other value looks like line-state recording.
constexpr RecordModeLook kRecordModeLooks[] = {
    {L"0252", kIconWillSave},    // by line state
    {L"0253", kIconWillDelete},  // DTMF keep or delete keys
    {L"0254", kIconWillSave},    // voice-activated
};

// When a state change refreshes the line information cell.
enum class LineRefresh { After, Before, Never };

struct StateLook {
    ChannelRowChange Change;
    const wchar_t* TextKey;
    int Icon;
    bool ShowsPath;
    LineRefresh Line;
};

constexpr StateLook kStateLooks[] = {
    {ChannelRowChange::Idle, L"0259", kIconIdle, false, LineRefresh::After},
    {ChannelRowChange::LineError, L"0266", kIconLineError, false, LineRefresh::After},
    {ChannelRowChange::LinkLost, L"0267", kIconLineError, false, LineRefresh::Before},
    {ChannelRowChange::OffHook, L"0260", kIconDial, false, LineRefresh::After},
    {ChannelRowChange::Ringing, L"0262", kIconRing, false, LineRefresh::After},
    {ChannelRowChange::VoiceRecording, L"0264", kIconVoice, true, LineRefresh::After},
    {ChannelRowChange::VoiceWaiting, L"0265", kIconSilence, false, LineRefresh::After},
    {ChannelRowChange::OutgoingConnect, L"10010", kIconRing, false, LineRefresh::Never},
    {ChannelRowChange::OutgoingRecording, L"0261", kIconOutRec, true, LineRefresh::After},
    {ChannelRowChange::IncomingRecording, L"0263", kIconInRec, true, LineRefresh::After},
};

// The call cells an idle channel empties, in this order.
constexpr ChannelColumn kCallColumns[] = {kColumnDialled, kColumnCaller, kColumnCallTime, kColumnFile};

constexpr int kDateTimeChars = 64;
constexpr int kMsPerHour = 3600000;
constexpr int kSecondsPerHour = 3600;

bool IsRowChannel(int channel) {
    return channel >= 0 && channel < kMaxChannels;
}

// The driver's 8-bit digits, widened in the system's code page; the field need not be terminated.
template <size_t N>
CString Digits(const char (&digits)[N]) {
    const int length = static_cast<int>(strnlen(digits, N));
    wchar_t wide[N + 1] = {};
    const int written = length ? ::MultiByteToWideChar(CP_ACP, 0, digits, length, wide, static_cast<int>(N)) : 0;
    return CString(wide, written);
}

CString TypeText(int type) {
    if (type >= 0 && type < static_cast<int>(std::size(kTypeTextKeys)))
        return LangText(kTypeTextKeys[type]).c_str();
    if (type == kTypeHdlc)
        return L"HDLC";
    if (type == kType21)
        return LangText(kType21TextKey).c_str();
    return L"Unknown";
}

CString NumberText(int row, const ChannelRecord& record) {
    CString text;
    if (IsAnalogueLine(record.LineType))
        text.Format(L"%03d", row + 1);
    else
        text.Format(L"%03d[%03d]", row + 1, record.SpyCic + 1);
    return text;
}

CString VoltageText(const ChannelRecord& record) {
    CString text;
    text.Format(L"%02d V", record.LineVoltage.load());
    return text;
}

void SetCell(CReportCtrl& list, int row, int column, const CString& text, int icon) {
    list.SetItem(row, column, LVIF_TEXT | LVIF_IMAGE, text, icon, 0, 0, 0);
}

void SetCellImage(CReportCtrl& list, int row, int column, int icon) {
    list.SetItem(row, column, LVIF_IMAGE, nullptr, icon, 0, 0, 0);
}

void ShowLineInfo(CReportCtrl& list, int row, const ChannelRecord& record) {
    CString text;
    if (IsAnalogueLine(record.LineType))
        text = VoltageText(record);
    else
        text.Format(L"IN%02d-OUT%02d", record.CallInCh.load(), record.CallOutCh.load());
    list.SetItemText(row, kColumnLine, text);
}

void ShowDialledNumber(CReportCtrl& list, int row, const ChannelRecord& record) {
    const CString text = IsAnalogueLine(record.LineType)
                             ? Digits(record.DialledDigits)
                             : Digits(record.SpyCalleeId) + L"|" + Digits(record.SpyCallerId);
    list.SetItemText(row, kColumnDialled, text);
}

void ShowCallerId(CReportCtrl& list, int row, const ChannelRecord& record) {
    const CString text = IsAnalogueLine(record.LineType)
                             ? Digits(record.CallerId)
                             : Digits(record.SpyCallerId) + L"|" + Digits(record.SpyCalleeId);
    list.SetItemText(row, kColumnCaller, text);
}

// "hh:mm:ss <date> <time>": the time recorded, and the call's start in the system locale's short formats.
void ShowCallTime(CReportCtrl& list, int row, const ChannelRecord& record) {
    const int ms = record.RecordedMs;
    const int hours = ms / kMsPerHour;
    const int rest = ms / 1000 - hours * kSecondsPerHour;
    wchar_t date[kDateTimeChars] = {};
    wchar_t time[kDateTimeChars] = {};
    ::GetDateFormatW(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &record.StartTime, nullptr, date, kDateTimeChars);
    ::GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, 0, &record.StartTime, nullptr, time, kDateTimeChars);
    CString text;
    text.Format(L"%02d:%02d:%02d %s %s", hours, rest / 60, rest % 60, date, time);
    list.SetItemText(row, kColumnCallTime, text);
}

void ShowKeepFlag(CReportCtrl& list, int row, const ChannelRecord& record) {
    SetCellImage(list, row, kColumnRecordMode, record.KeepRecording ? kIconWillSave : kIconWillDelete);
}

void ShowState(CReportCtrl& list, int row, const ChannelRecord& record, const StateLook& look) {
    if (look.Line == LineRefresh::Before)
        ShowLineInfo(list, row, record);
    CString text = LangText(look.TextKey).c_str();
    if (look.Change == ChannelRowChange::Ringing)
        text.AppendFormat(L"<%d>", record.RingCount.load());
    SetCell(list, row, kColumnState, text, look.Icon);
    if (look.Change == ChannelRowChange::Idle) {
        for (ChannelColumn column : kCallColumns)
            list.SetItemText(row, column, L"");
    }
    if (look.ShowsPath)
        list.SetItemText(row, kColumnFile, record.FilePath);
    if (look.Line == LineRefresh::After)
        ShowLineInfo(list, row, record);
}

}  // namespace

void InsertChannelColumns(CReportCtrl& list) {
    for (int i = 0; i < kChannelColumnCount; ++i)
        list.InsertColumn(i, LangText(kColumns[i].TitleKey).c_str(), LVCFMT_LEFT, kColumns[i].Width);
}

int FindChannelRow(const CReportCtrl& list, int channel) {
    const int rows = list.GetItemCount();
    for (int row = 0; row < rows; ++row) {
        if (list.GetRowData(row) == static_cast<DWORD_PTR>(channel))
            return row;
    }
    return channel;
}

void SetRecordModeCell(CReportCtrl& list, int row, int recordMode) {
    const bool known = recordMode >= 0 && recordMode < static_cast<int>(std::size(kRecordModeLooks));
    const RecordModeLook& look = kRecordModeLooks[known ? recordMode : kRecordByLineState];
    SetCell(list, row, kColumnRecordMode, LangText(look.TextKey).c_str(), look.Icon);
}

void FillChannelRows(CReportCtrl& list, int channelCount) {
    list.DeleteAllItems();
    for (int channel = 0; channel < std::min(channelCount, kMaxChannels); ++channel) {
        const ChannelRecord& record = ChannelTable[channel];
        const int row = list.InsertItemWithData(channel, NumberText(channel, record),
                                                IsAnalogueLine(record.LineType) ? kIconTel : kIconForward);
        if (row < 0)
            continue;
        list.SetItemText(row, kColumnName, record.Name);
        list.SetItemText(row, kColumnPhone, record.Phone);
        list.SetItemText(row, kColumnLine, VoltageText(record));
        list.SetItemText(row, kColumnType, TypeText(record.LineType));
        SetRecordModeCell(list, row, record.Rec);
        list.SetRowData(row, static_cast<DWORD_PTR>(channel));
    }
}

void ShowChannelRowChange(CReportCtrl& list, int channel, ChannelRowChange what) {
    if (!IsRowChannel(channel))
        return;
    const ChannelRecord& record = ChannelTable[channel];
    const int row = FindChannelRow(list, channel);
    for (const StateLook& look : kStateLooks) {
        if (look.Change == what) {
            ShowState(list, row, record, look);
            return;
        }
    }
    switch (what) {
        case ChannelRowChange::CallerId:
            ShowCallerId(list, row, record);
            break;
        case ChannelRowChange::DialledNumber:
            ShowDialledNumber(list, row, record);
            break;
        case ChannelRowChange::CallTime:
            ShowCallTime(list, row, record);
            break;
        case ChannelRowChange::KeepFlag:
            ShowKeepFlag(list, row, record);
            break;
        default:
            break;
    }
    ShowLineInfo(list, row, record);
}

void ShowChannelSettingsCells(CReportCtrl& list, int channel) {
    if (!IsRowChannel(channel))
        return;
    const ChannelRecord& record = ChannelTable[channel];
    const int row = FindChannelRow(list, channel);
    list.SetItemText(row, kColumnName, record.Name);
    list.SetItemText(row, kColumnPhone, record.Phone);
    SetRecordModeCell(list, row, record.Rec);
}
