#pragma once
// CBenchView: the capacity benchmark's IServiceView. It shows nothing; it notes when the channels are configured
// and when each channel's call was filed (the call writer tells the view right after it inserted the CDR row).
// Called from the engine threads; the benchmark's main thread reads.

#include "ServiceView.h"

#include "channels/ChannelTable.h"

#include <atomic>
#include <string>

class CBenchView : public IServiceView {
public:
    void ChannelsReady(int channelCount) override { m_channelCount = channelCount; }
    void ChannelRowChanged(int, ChannelRowChange) override {}
    void ChannelSettingsChanged(int) override {}
    void CallFiled(const CallRecord& record) override;
    void ClientEvent(const ClientEventRecord&) override {}
    void IncomingCall(const char*, const ContactRecord&) override {}
    void MonitorBlock(int, const uint8_t*, int) override {}
    void StartupProgress(int, int) override {}
    void PcmLinkRow(int, uint32_t, const SYSTEMTIME&) override {}
    void FtpLogRow(const FtpJob&, FtpStatus) override {}
    std::wstring OperatorName() override { return std::wstring(); }

    int ChannelCount() const { return m_channelCount; }               // -1 until the channels are configured
    double FiledMs(int channel) const { return m_filedMs[channel]; }  // 0 while no call of the channel was filed
    int FiledCount() const { return m_filedCount; }

private:
    std::atomic<int> m_channelCount{-1};
    std::atomic<int> m_filedCount{0};
    std::atomic<double> m_filedMs[kMaxChannels] = {};
};
