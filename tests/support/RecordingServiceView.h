#pragma once
// A recording IServiceView for tests: every call the service makes of the GUI is kept, in order, as a Call, and
// tests wait for the calls they expect with a deadline. Calls may arrive from any thread. Records whose types
// belong to other areas (client events, contacts, FTP jobs) are noted by method only; a test that needs their
// contents derives from this class and copies them in its override before calling the base.

#include "ServiceView.h"

#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

class RecordingServiceView : public IServiceView {
public:
    struct Call {
        std::string Method;          // the IServiceView member called
        int Channel = -1;            // channel or link, where the call has one
        int Value = 0;               // ChannelRowChange, channel count, audio format, status, progress done
        int Total = 0;               // progress total, monitor block length
        std::string Number;          // incoming-call digits
        std::vector<uint8_t> Bytes;  // monitor block
        CallRecord Record = {};      // filed call
    };

    // IServiceView
    void ChannelsReady(int channelCount) override;
    void ChannelRowChanged(int channel, ChannelRowChange what) override;
    void ChannelSettingsChanged(int channel) override;
    void CallFiled(const CallRecord& record) override;
    void ClientEvent(const ClientEventRecord& event) override;
    void IncomingCall(const char* number, const ContactRecord& contact) override;
    void MonitorBlock(int audioFmt, const uint8_t* data, int length) override;
    void StartupProgress(int done, int total) override;
    void PcmLinkRow(int link, uint32_t status, const SYSTEMTIME& time) override;
    void FtpLogRow(const FtpJob& job, FtpStatus status) override;
    std::wstring OperatorName() override;

    // What the test sees.
    std::vector<Call> Calls();
    std::vector<ChannelRowChange> RowChanges(int channel);
    void SetOperatorName(const std::wstring& name);

    // Waits until the predicate holds for the calls so far; false when the deadline passes first.
    bool WaitFor(const std::function<bool(const std::vector<Call>&)>& predicate, int timeoutMs);
    bool WaitForRow(int channel, ChannelRowChange what, int timeoutMs);

protected:
    void Append(Call call);

private:
    std::mutex m_lock;  // guards the fields below
    std::condition_variable m_changed;
    std::vector<Call> m_calls;
    std::wstring m_operatorName;
};

// Installs a view for the life of a scope and uninstalls it again.
class ScopedServiceView {
public:
    explicit ScopedServiceView(IServiceView& view) { SetServiceView(&view); }
    ~ScopedServiceView() { SetServiceView(nullptr); }
    ScopedServiceView(const ScopedServiceView&) = delete;
    ScopedServiceView& operator=(const ScopedServiceView&) = delete;
};
