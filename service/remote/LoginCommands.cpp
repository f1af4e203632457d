#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h
#include "remote/LoginCommands.h"

#include "clients/ChannelStatus.h"
#include "clients/ClientFrame.h"
#include "clients/ClientSlot.h"
#include "remote/ReceivedText.h"
#include "ServiceView.h"
#include "engine/CardEngineState.h"
#include "channels/ChannelTable.h"
#include "settings/LangText.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"
#include "storage/AccountStore.h"
#include "storage/RecordFields.h"
#include "storage/Stores.h"
#include "storage/SysLogStore.h"

#include "mfc.h"

#include <array>
#include <cstring>
#include <cwchar>
#include <iterator>
#include <mutex>
#include <string>

namespace {

constexpr const wchar_t* kLoginNotesKey = L"0342";
constexpr const wchar_t* kLogoutNotesKey = L"0345";

// Held from the duplicate test until the account is in the slot, so two connections cannot both take one account.
std::mutex g_loginLock;

using RightsArray = std::array<uint8_t, kMaxChannels>;

// The first 512 bytes of the account's rights file; what the file lacks (all of it when it is missing) stays 0.
RightsArray ReadRightsFile(const wchar_t* path) {
    RightsArray rights{};
    const CScopedKernelHandle file(
        CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return rights;
    DWORD read = 0;
    ReadFile(file.Get(), rights.data(), static_cast<DWORD>(rights.size()), &read, nullptr);
    return rights;
}

// Whether a connected slot, this one included, holds the account (exact, case-sensitive name).
bool IsLoggedInAnywhere(const wchar_t* userName) {
    for (ClientSlot& slot : ClientSlots()) {
        auto lock = slot.LockFields();
        if (slot.IsConnectedLocked() && wcsncmp(slot.Account.UserName, userName, std::size(slot.Account.UserName)) == 0)
            return true;
    }
    return false;
}

void RefuseLogin(ClientSlot& slot, uint32_t connection, uint8_t reason) {
    const ResultFrame refusal = MakeResultFrame(kFrameLogin, reason);
    auto lock = slot.LockFields();
    if (slot.Connection != connection)
        return;
    slot.QueueLocked(FrameKind::Reply, &refusal, sizeof(refusal));
    slot.ResetAfterSendingLocked();
}

// Sends the accepted-login frame and takes the account and its rights into the slot, in one step under the slot's
// lock so that no push reaches the client before the frame. False when the connection is gone.
bool AcceptLogin(ClientSlot& slot, uint32_t connection, const AccountRecord& account, const RightsArray& rights) {
    const std::vector<uint8_t> accepted = BuildFrame(kFrameLogin, {PartOf(kLoginAccepted), PartOf(account)});
    auto lock = slot.LockFields();
    if (slot.Connection != connection || !slot.IsConnectedLocked())
        return false;
    slot.QueueLocked(FrameKind::Reply, accepted.data(), static_cast<int>(accepted.size()));
    slot.Account = account;
    std::memcpy(slot.Rights, rights.data(), rights.size());
    return true;
}

void ShowClientEvent(ClientSlot& slot, const wchar_t* userName, ClientEventCode code) {
    IServiceView* view = GetServiceView();
    if (!view)
        return;
    ClientEventRecord event{};
    GetLocalTime(&event.Time);
    {
        auto lock = slot.LockFields();
        std::memcpy(event.PeerAddress, slot.PeerAddress, sizeof(event.PeerAddress));
    }
    CopyToField(event.UserName, userName);
    event.Event = code;
    view->ClientEvent(event);
}

void SendOnConnection(ClientSlot& slot, uint32_t connection, const std::vector<uint8_t>& frame) {
    slot.SendIf(
        FrameKind::Reply, [connection](const ClientSlot& s) { return s.Connection == connection; }, frame);
}

// Settings LocalName and LocalSerialNo, cut to their fields, and the voice channel count of the boards.
ServerInfoBlock BuildServerInfo() {
    ServerInfoBlock info{};
    CopyToField(info.ServerName, ReadSettingString(kSectionSettings, kKeyLocalName).c_str());
    CopyToField(info.ServerSerial, ReadSettingString(kSectionSettings, kKeyLocalSerialNo).c_str());
    info.ChannelCount = EngineState.ChannelCount;
    return info;
}

}  // namespace

void HandleLogin(ClientSlot& slot, const uint8_t* payload, int payloadBytes) {
    if (payloadBytes != static_cast<int>(sizeof(AccountRecord)))
        return;
    const uint32_t connection = slot.CurrentConnection();
    AccountRecord sent;
    std::memcpy(&sent, payload, sizeof(sent));
    TerminateField(sent.UserName);
    TerminateField(sent.UserPsw);

    AccountRecord account{};
    if (!ClientAccountStore().CheckLogin(sent.UserName, sent.UserPsw, account)) {
        RefuseLogin(slot, connection, kLoginUnknownAccount);
        return;
    }
    const RightsArray rights = ReadRightsFile(account.UserFile);
    {
        std::lock_guard<std::mutex> guard(g_loginLock);
        if (IsLoggedInAnywhere(account.UserName)) {
            RefuseLogin(slot, connection, kLoginDuplicate);
            return;
        }
        if (!AcceptLogin(slot, connection, account, rights))
            return;
    }

    ShowClientEvent(slot, account.UserName, kClientLoggedIn);
    const ServerInfoBlock info = BuildServerInfo();
    SendOnConnection(slot, connection, BuildFrame(kFrameServerInfo, {PartOf(info)}));
    SendOnConnection(slot, connection, BuildFrame(kFrameRights, {{rights.data(), rights.size()}}));
    for (int channel = 0; channel < kMaxChannels; ++channel) {
        if (ChannelTable[channel].Present && rights[channel] == 1)
            SendOnConnection(slot, connection, BuildChannelStatusFrame(channel, StatusFormOf(channel)));
    }
    QueueSysLogEvent(kSysLogClientLogin, account.UserName, LangText(kLoginNotesKey).c_str());
}

void HandleLogout(ClientSlot& slot, const uint8_t*, int) {
    const uint32_t connection = slot.CurrentConnection();
    const std::wstring userName = slot.UserName();
    if (!userName.empty())
        ShowClientEvent(slot, userName.c_str(), kClientLoggedOut);
    QueueSysLogEvent(kSysLogClientLogout, userName.c_str(), LangText(kLogoutNotesKey).c_str());

    auto lock = slot.LockFields();
    if (slot.Connection == connection)
        slot.ResetAfterSendingLocked();
}
