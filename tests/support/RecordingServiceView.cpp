#include "RecordingServiceView.h"

#include <chrono>

void RecordingServiceView::ChannelsReady(int channelCount) {
    Call call;
    call.Method = "ChannelsReady";
    call.Value = channelCount;
    Append(std::move(call));
}

void RecordingServiceView::ChannelRowChanged(int channel, ChannelRowChange what) {
    Call call;
    call.Method = "ChannelRowChanged";
    call.Channel = channel;
    call.Value = static_cast<int>(what);
    Append(std::move(call));
}

void RecordingServiceView::ChannelSettingsChanged(int channel) {
    Call call;
    call.Method = "ChannelSettingsChanged";
    call.Channel = channel;
    Append(std::move(call));
}

void RecordingServiceView::CallFiled(const CallRecord& record) {
    Call call;
    call.Method = "CallFiled";
    call.Channel = record.Channel;
    call.Value = record.CallType;
    call.Record = record;
    Append(std::move(call));
}

void RecordingServiceView::ClientEvent(const ClientEventRecord&) {
    Call call;
    call.Method = "ClientEvent";
    Append(std::move(call));
}

void RecordingServiceView::IncomingCall(const char* number, const ContactRecord&) {
    Call call;
    call.Method = "IncomingCall";
    call.Number = number ? number : "";
    Append(std::move(call));
}

void RecordingServiceView::MonitorBlock(int audioFmt, const uint8_t* data, int length) {
    Call call;
    call.Method = "MonitorBlock";
    call.Value = audioFmt;
    call.Total = length;
    if (data && length > 0)
        call.Bytes.assign(data, data + length);
    Append(std::move(call));
}

void RecordingServiceView::StartupProgress(int done, int total) {
    Call call;
    call.Method = "StartupProgress";
    call.Value = done;
    call.Total = total;
    Append(std::move(call));
}

void RecordingServiceView::PcmLinkRow(int link, uint32_t status, const SYSTEMTIME&) {
    Call call;
    call.Method = "PcmLinkRow";
    call.Channel = link;
    call.Value = static_cast<int>(status);
    Append(std::move(call));
}

void RecordingServiceView::FtpLogRow(const FtpJob&, FtpStatus status) {
    Call call;
    call.Method = "FtpLogRow";
    call.Value = status;
    Append(std::move(call));
}

std::wstring RecordingServiceView::OperatorName() {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_operatorName;
}

std::vector<RecordingServiceView::Call> RecordingServiceView::Calls() {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_calls;
}

std::vector<ChannelRowChange> RecordingServiceView::RowChanges(int channel) {
    std::vector<ChannelRowChange> changes;
    for (const Call& call : Calls()) {
        if (call.Method == "ChannelRowChanged" && call.Channel == channel)
            changes.push_back(static_cast<ChannelRowChange>(call.Value));
    }
    return changes;
}

void RecordingServiceView::SetOperatorName(const std::wstring& name) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_operatorName = name;
}

bool RecordingServiceView::WaitFor(const std::function<bool(const std::vector<Call>&)>& predicate, int timeoutMs) {
    std::unique_lock<std::mutex> lock(m_lock);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return predicate(m_calls); });
}

bool RecordingServiceView::WaitForRow(int channel, ChannelRowChange what, int timeoutMs) {
    return WaitFor(
        [&](const std::vector<Call>& calls) {
            for (const Call& call : calls) {
                if (call.Method == "ChannelRowChanged" && call.Channel == channel &&
                    call.Value == static_cast<int>(what))
                    return true;
            }
            return false;
        },
        timeoutMs);
}

void RecordingServiceView::Append(Call call) {
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_calls.push_back(std::move(call));
    }
    m_changed.notify_all();
}
