#pragma once
// CConsoleServiceView: the development host's IServiceView. Where the main window would update a pane or a
// dialog, it writes one line to standard output (UTF-8): channel changes, filed calls, client logins, incoming
// callers, PCM link changes and FTP uploads. Calls come from the engine, network and backup threads; one lock keeps
// the lines whole. No operator logs in at the host, so the operator's name is always empty.

#include "ServiceView.h"

#include <map>
#include <mutex>
#include <string>

class CConsoleServiceView : public IServiceView {
public:
    void ChannelsReady(int channelCount) override;
    void ChannelRowChanged(int channel, ChannelRowChange what) override;
    void ChannelSettingsChanged(int channel) override;
    void CallFiled(const CallRecord& record) override;
    void ClientEvent(const ClientEventRecord& event) override;
    void IncomingCall(const char* number, const ContactRecord& contact) override;
    void MonitorBlock(int audioFmt, const uint8_t* data, int length) override {}  // nobody listens at the host
    void StartupProgress(int done, int total) override;
    void PcmLinkRow(int link, uint32_t status, const SYSTEMTIME& time) override;
    void FtpLogRow(const FtpJob& job, FtpStatus status) override;
    std::wstring OperatorName() override { return std::wstring(); }

    // Writes one line with the current time in front. Any thread.
    void WriteLine(const std::wstring& text);

private:
    std::mutex m_outputLock;               // keeps each line whole
    std::mutex m_linkLock;                 // guards m_linkStatus
    std::map<int, uint32_t> m_linkStatus;  // last status shown per PCM link: only changes are written
};
