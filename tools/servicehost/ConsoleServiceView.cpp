#include "ConsoleServiceView.h"

#include "backup/FtpBackup.h"
#include "channels/ChannelTable.h"
#include "records/ProtocolRecords.h"
#include "records/StorageRecords.h"

#include "mfc.h"

#include <windows.h>

#include <cstdio>
#include <iterator>

namespace {

const wchar_t* CallTypeName(int callType) {
    switch (callType) {
        case kCallIncoming:
            return L"incoming";
        case kCallOutgoing:
            return L"outgoing";
        case kCallMissed:
            return L"missed";
        case kCallVoice:
            return L"voice";
        case kCallAutoAnswered:
            return L"auto-answered";
        case kCallSpyIncomingUnanswered:
            return L"spy incoming, unanswered";
        case kCallSpyOutgoingUnanswered:
            return L"spy outgoing, unanswered";
        case kCallSpyOutgoingMissed:
            return L"spy outgoing, missed";
        default:
            return L"unknown";
    }
}

const wchar_t* ClientEventName(int event) {
    switch (event) {
        case kClientLoggedIn:
            return L"logged in";
        case kClientTimedOut:
            return L"timed out";
        case kClientLoggedOut:
            return L"logged out";
        default:
            return L"?";
    }
}

const wchar_t* FtpStatusName(FtpStatus status) {
    switch (status) {
        case kFtpUploadStarted:
            return L"upload started";
        case kFtpUploadDone:
            return L"uploaded";
        case kFtpUploadFailed:
            return L"upload failed";
        case kFtpLocalFileMissing:
            return L"local file missing";
        default:
            return L"?";
    }
}

template <size_t N>
CString Text(const wchar_t (&field)[N]) {
    return CString(field, static_cast<int>(wcsnlen(field, N)));
}

// What the channel pane would show for the change, from the channel's record as it is now.
CString DescribeRow(const ChannelRecord& record, ChannelRowChange what) {
    CString text;
    switch (what) {
        case ChannelRowChange::Idle:
            text = L"idle";
            break;
        case ChannelRowChange::LineError:
            text = L"line error";
            break;
        case ChannelRowChange::LinkLost:
            text = L"link lost";
            break;
        case ChannelRowChange::OffHook:
            text = L"off-hook";
            break;
        case ChannelRowChange::OutgoingRecording:
            text.Format(L"outgoing call, recording %s", record.FilePath);
            break;
        case ChannelRowChange::Ringing:
            text.Format(L"ringing (%d)", record.RingCount.load());
            break;
        case ChannelRowChange::IncomingRecording:
            text.Format(L"incoming call, recording %s", record.FilePath);
            break;
        case ChannelRowChange::VoiceRecording:
            text.Format(L"voice recording %s", record.FilePath);
            break;
        case ChannelRowChange::VoiceWaiting:
            text = L"waiting for voice";
            break;
        case ChannelRowChange::OutgoingConnect:
            text = L"outgoing call connecting";
            break;
        case ChannelRowChange::CallerId:
            if (IsSpyChannel(record.LineType))
                text.Format(L"caller %S, callee %S", record.SpyCallerId, record.SpyCalleeId);
            else
                text.Format(L"caller %S", record.CallerId);
            break;
        case ChannelRowChange::DialledNumber:
            if (IsSpyChannel(record.LineType))
                text.Format(L"callee %S, caller %S", record.DialledDigits, record.SpyCallerId);
            else
                text.Format(L"dialled %S", record.DialledDigits);
            break;
        case ChannelRowChange::LineInfo:
            if (IsSpyChannel(record.LineType))
                text.Format(L"call in channel %d, out channel %d", record.CallInCh.load(), record.CallOutCh.load());
            else
                text.Format(L"line %d V", record.LineVoltage.load());
            break;
        case ChannelRowChange::KeepFlag:
            if (record.Rec == kRecordDtmfKeepDelete)
                text = record.KeepRecording ? L"recording will be kept" : L"recording will be deleted";
            break;
        case ChannelRowChange::CallTime:
            break;  // a clock that ticks every second: not a change worth a line
    }
    return text;
}

}  // namespace

void CConsoleServiceView::WriteLine(const std::wstring& text) {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    CString line;
    line.Format(L"%02d:%02d:%02d.%03d %s\n", now.wHour, now.wMinute, now.wSecond, now.wMilliseconds, text.c_str());
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, line, line.GetLength(), nullptr, 0, nullptr, nullptr);
    std::string utf8(bytes > 0 ? bytes : 0, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, line, line.GetLength(), utf8.data(), bytes, nullptr, nullptr);
    std::lock_guard<std::mutex> guard(m_outputLock);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fflush(stdout);
}

void CConsoleServiceView::ChannelsReady(int channelCount) {
    int voltage = 0, events = 0, spy = 0;
    for (int channel = 0; channel < channelCount && channel < kMaxChannels; ++channel) {
        const int lineType = ChannelTable[channel].LineType;
        if (IsVoltageWatchedLine(lineType))
            ++voltage;
        else if (IsEventDrivenLine(lineType))
            ++events;
        else
            ++spy;
    }
    CString text;
    text.Format(L"channels ready: %d (%d voltage-watched, %d event-driven, %d spy)", channelCount, voltage, events,
                spy);
    WriteLine(text.GetString());
}

void CConsoleServiceView::ChannelRowChanged(int channel, ChannelRowChange what) {
    if (channel < 0 || channel >= kMaxChannels)
        return;
    const ChannelRecord& record = ChannelTable[channel];
    const CString change = DescribeRow(record, what);
    if (change.IsEmpty())
        return;
    CString text;
    text.Format(L"channel %03d [state %2d] %s", channel + 1, record.State.load(), change.GetString());
    WriteLine(text.GetString());
}

void CConsoleServiceView::ChannelSettingsChanged(int channel) {
    if (channel < 0 || channel >= kMaxChannels)
        return;
    const ChannelRecord& record = ChannelTable[channel];
    CString text;
    text.Format(L"channel %03d settings: name \"%s\", phone \"%s\", record mode %d", channel + 1, record.Name,
                record.Phone, record.Rec.load());
    WriteLine(text.GetString());
}

void CConsoleServiceView::CallFiled(const CallRecord& record) {
    CString text;
    text.Format(L"call filed: channel %03d, %s, %d s, number \"%s\", %s", record.Channel + 1,
                CallTypeName(record.CallType), record.RecTime, Text(record.PhoneNumber).GetString(),
                Text(record.FilePath).GetString());
    WriteLine(text.GetString());
}

void CConsoleServiceView::ClientEvent(const ClientEventRecord& event) {
    const std::string address(event.PeerAddress, strnlen(event.PeerAddress, std::size(event.PeerAddress)));
    CString text;
    text.Format(L"client %S \"%s\" %s", address.c_str(), Text(event.UserName).GetString(),
                ClientEventName(event.Event));
    WriteLine(text.GetString());
}

void CConsoleServiceView::IncomingCall(const char* number, const ContactRecord& contact) {
    CString text;
    text.Format(L"incoming call from %S", number ? number : "");
    if (contact.UserName[0])
        text.AppendFormat(L" (%s)", Text(contact.UserName).GetString());
    WriteLine(text.GetString());
}

void CConsoleServiceView::StartupProgress(int done, int total) {
    if (done != total)
        return;
    CString text;
    text.Format(L"start-up %d/%d", done, total);
    WriteLine(text.GetString());
}

void CConsoleServiceView::PcmLinkRow(int link, uint32_t status, const SYSTEMTIME&) {
    {
        std::lock_guard<std::mutex> guard(m_linkLock);
        auto known = m_linkStatus.find(link);
        if (known != m_linkStatus.end() && known->second == status)
            return;
        m_linkStatus[link] = status;
    }
    CString text;
    text.Format(L"PCM link %d: %08X(%02X)", link, status, status & 0x0F);
    WriteLine(text.GetString());
}

void CConsoleServiceView::FtpLogRow(const FtpJob& job, FtpStatus status) {
    CString text;
    text.Format(L"FTP %s: %s", FtpStatusName(status), Text(job.RecFilePath).GetString());
    WriteLine(text.GetString());
}
