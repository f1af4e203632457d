#include "engine/CallCompletion.h"

#include "ServiceView.h"
#include "engine/CardEngineState.h"
#include "engine/ChannelRows.h"
#include "channels/ChannelTable.h"
#include "channels/DriverBinding.h"
#include "engine/RecordingFiles.h"
#include "settings/Folders.h"
#include "settings/LangText.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"
#include "storage/RecordFields.h"
#include "records/StorageRecords.h"
#include "storage/SysLogStore.h"

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <mutex>
#include <new>

namespace {

std::wstring Widen(const char* digits) {
    wchar_t text[QSD_NUMBER_BYTES];
    FormatToField(text, L"%hs", digits);
    return text;
}

std::wstring NumberPair(const char* first, const char* second) {
    wchar_t text[2 * QSD_NUMBER_BYTES];
    FormatToField(text, L"%hs-%hs", first, second);
    return text;
}

// A spy call names its caller first when it came in, its callee first when it went out.
std::wstring SpyNumber(const ChannelRecord& record, int direction) {
    return direction == kDirectionIncoming ? NumberPair(record.SpyCallerId, record.SpyCalleeId)
                                           : NumberPair(record.SpyCalleeId, record.SpyCallerId);
}

std::wstring LineNumber(const ChannelRecord& record, int direction) {
    return Widen(direction == kDirectionIncoming ? record.CallerId : record.DialledDigits);
}

int CallTypeByDirection(int direction) {
    return direction == kDirectionIncoming ? kCallIncoming : kCallOutgoing;
}

struct EndRule {
    int CallType;
    std::wstring PhoneNumber;
    bool DeleteRule;
    bool SpyStop;  // the recording runs on the channel's CIC
};

EndRule RuleFor(const ChannelRecord& record, CallEnd variant, int direction) {
    const bool spyChannel = IsSpyChannel(record.LineType);
    switch (variant) {
        case CallEnd::Line:
            return {CallTypeByDirection(direction), LineNumber(record, direction), true, false};
        case CallEnd::Spy: {
            const bool answered = !spyChannel || record.SpyConnected;
            const int callType =
                answered ? CallTypeByDirection(direction)
                         : (direction == kDirectionIncoming ? kCallSpyIncomingUnanswered : kCallSpyOutgoingUnanswered);
            return {callType, SpyNumber(record, direction), true, true};
        }
        case CallEnd::LineError:
            return {CallTypeByDirection(direction),
                    spyChannel ? SpyNumber(record, direction) : LineNumber(record, direction), true, spyChannel};
        case CallEnd::VoiceStop:
        case CallEnd::RecordAllEnd:
            return {kCallVoice, Widen(record.DialledDigits), false, false};
        case CallEnd::OnHookIncoming:
            return {record.AutoAnswered == 1 ? kCallAutoAnswered : kCallIncoming, Widen(record.CallerId), true, false};
        case CallEnd::OnHookOutgoing:
            return {kCallOutgoing, Widen(record.DialledDigits), true, false};
    }
    return {kCallOutgoing, std::wstring(), false, false};
}

// Stops the driver's recording and answers how many bytes it holds in the channel's buffer that were never
// delivered: the milliseconds of the current block at the codec's rate, or a spy recording's fill.
int StopDriverRecording(int channel, ChannelRecord& record, bool spy) {
    int tail = 0;
    if (spy) {
        tail = QsdSpy_QueryMemOffset(record.SpyCic);
        StopSpyRecorder(record);
    } else {
        int info[QSD_RECINFO_COUNT] = {};
        if (QsdVox_QueryRecInfo(channel, info) == QSD_OK) {
            tail = info[QSD_RECINFO_MS] * RecordedBytesPerMs(record.AudioFmt);
        }
        StopLineRecorder(record);
    }
    return std::clamp(tail, 0, kRecordBufferBytes);
}

// Writes the tail and the final header and closes the file. A failed write is not reported: the file is closed
// all the same.
void CloseRecordingFile(ChannelRecord& record, int tail) {
    std::lock_guard<std::recursive_mutex> lock(record.FileLock);
    if (!record.FileHandle.IsValid())
        return;
    if (record.Buffer && tail > 0) {
        DWORD written = 0;
        ::WriteFile(record.FileHandle.Get(), record.Buffer.get(), static_cast<DWORD>(tail), &written, nullptr);
    }
    FinishWavHeader(record.FileHandle.Get(), record);
    record.FileHandle.Close();
}

// Record mode 1 without the keep key: the recording is deleted, the record keeps no time and says why, and the
// deletion is logged.
void ApplyDeleteRule(const ChannelRecord& record, CallRecord& call) {
    if (record.Rec != kRecordDtmfKeepDelete || record.KeepRecording != 0)
        return;
    ::DeleteFileW(record.FilePath);
    call.RecTime = 0;
    CopyToField(call.CallNotes, LangText(L"0317").c_str());

    std::unique_ptr<SysLogRow> row(new (std::nothrow) SysLogRow());
    if (!row)
        return;
    row->SysLog_Cmd = kSysLogRecordingDeleted;
    FormatToField(row->Name, L"%ls %ls", LangText(L"0186").c_str(), CurrentOperatorName().c_str());
    FormatToField(row->Notes, L"%ls(%ls)", call.FilePath, call.CallNotes);
    ::GetLocalTime(&row->Time);
    EngineState.SysLogQueue.Push(std::move(row));
}

bool IsTableChannel(int channel) {
    return channel >= 0 && channel < kMaxChannels;
}

void FinishCallAs(int channel, CallEnd variant, int direction) {
    ChannelRecord& record = ChannelTable[channel];
    const EndRule rule = RuleFor(record, variant, direction);

    const int tail = StopDriverRecording(channel, record, rule.SpyStop);
    CloseRecordingFile(record, tail);
    if (variant == CallEnd::RecordAllEnd)
        ShowChannelIdle(channel);

    if (record.RecordedMs > 0) {
        if (std::unique_ptr<CallRecord> call = BuildCallRecord(channel, rule.CallType, rule.PhoneNumber)) {
            if (rule.DeleteRule)
                ApplyDeleteRule(record, *call);
            if (variant == CallEnd::Spy)
                call->RingCnt = 1;
            EngineState.CallQueue.Push(std::move(call));
        }
    }

    if (variant == CallEnd::Line || variant == CallEnd::Spy)
        QsdVox_ClearRingCount(channel);
    ClearCallInfo(record);
}

}  // namespace

std::unique_ptr<CallRecord> BuildCallRecord(int channel, int callType, const std::wstring& phoneNumber) {
    std::unique_ptr<CallRecord> call(new (std::nothrow) CallRecord());
    if (!call || !IsTableChannel(channel))
        return nullptr;
    const ChannelRecord& record = ChannelTable[channel];
    call->Channel = channel;
    call->CallType = callType;
    call->RecTime = record.RecordedMs / 1000;
    call->RingCnt = record.RingCount;
    call->StartTime = record.StartTime;
    CopyToField(call->PhoneNumber, phoneNumber.c_str());
    CopyToField(call->ChannelName, record.Name);
    CopyToField(call->ChannelPhone, record.Phone);
    CopyToField(call->SiteName, ReadSettingString(kSectionSettings, kKeyLocalName).c_str());
    CopyToField(call->SiteNumber, ReadSettingString(kSectionSettings, kKeyLocalSerialNo).c_str());
    CopyToField(call->FilePath, record.FilePath);
    return call;
}

void FinishCall(int channel, CallEnd variant) {
    if (IsTableChannel(channel))
        FinishCallAs(channel, variant, ChannelTable[channel].Direction);
}

void StopLineRecording(int channel) {
    if (!IsTableChannel(channel))
        return;
    const ChannelRecord& record = ChannelTable[channel];
    if (record.Rec == kRecordVoiceActivated || record.Ringing == 1)
        return;
    ShowChannelIdle(channel);
    FinishCallAs(channel, CallEnd::Line, record.Direction);
}

void StopSpyRecording(int channel, int direction) {
    if (!IsTableChannel(channel))
        return;
    ShowChannelIdle(channel);
    FinishCallAs(channel, CallEnd::Spy, direction);
}

void QueueSpyMissedCall(int channel, int direction) {
    if (!IsTableChannel(channel))
        return;
    ChannelRecord& record = ChannelTable[channel];
    record.RingMs = 0;
    record.Ringing = 0;
    if (HasRecordingFile(record)) {
        // Recorded from alerting, released before any time was counted: nothing worth keeping was recorded.
        StopSpyRecorder(record);
        CloseRecordingFile(record, 0);
        ::DeleteFileW(record.FilePath);
    }
    if (std::unique_ptr<CallRecord> call =
            BuildCallRecord(channel, direction == kDirectionIncoming ? kCallMissed : kCallSpyOutgoingMissed,
                            NumberPair(record.SpyCallerId, record.SpyCalleeId))) {
        call->RecTime = 0;
        call->RingCnt = 1;
        CopyToField(call->FilePath, MissedCallPath(channel).c_str());
        EngineState.CallQueue.Push(std::move(call));
    }
    QsdVox_ClearRingCount(channel);
    ClearCallInfo(record);
}

std::wstring MissedCallPath(int channel) {
    if (!IsTableChannel(channel))
        return std::wstring();
    const SYSTEMTIME& t = ChannelTable[channel].StartTime;
    const int y = t.wYear, m = t.wMonth, d = t.wDay, c = channel + 1;
    wchar_t path[MAX_PATH];
    FormatToField(path, L"%ls%04d\\%04d%02d\\%04d%02d%02d\\%03d\\%04d%02d%02d%02d%02d%02d-Out-L%03d.wav",
                  GetExeFolder().c_str(), y, y, m, y, m, d, c, y, m, d, static_cast<int>(t.wHour),
                  static_cast<int>(t.wMinute), static_cast<int>(t.wSecond), c);
    return path;
}
