#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h
#include "remote/DispatchClientCommand.h"

#include "remote/ChannelParamCommands.h"
#include "clients/ClientSlot.h"
#include "remote/DialCommands.h"
#include "remote/LoginCommands.h"
#include "remote/MonitorCommands.h"
#include "remote/PhoneBookCommands.h"
#include "records/ProtocolRecords.h"
#include "remote/RecordCommands.h"
#include "remote/SearchCommands.h"

namespace {

constexpr int kCommandByte = 1;
constexpr int kQueryRangeBytes = 2 * sizeof(SYSTEMTIME);
// A query text carries at least its terminating 0 character.
constexpr int kQueryFrameMin = kCommandByte + kQueryRangeBytes + static_cast<int>(sizeof(wchar_t));
constexpr int kSubCommandByte = 1;
// AutoCode and new password, 32 wide characters each.
constexpr int kPasswordPayloadBytes = 2 * 32 * static_cast<int>(sizeof(wchar_t));
// Sub-command, 32-byte number, 32-bit channel.
constexpr int kDialPayloadBytes = kSubCommandByte + 32 + static_cast<int>(sizeof(int32_t));

struct CommandRule {
    uint8_t Command;
    int MinLength;     // least N, the command byte included
    bool ExactLength;  // N must be MinLength
    bool BeforeLogin;  // runs on a slot nobody has logged in on
    CommandHandler Handler;
};

void HandleKeepAlive(ClientSlot& slot, const uint8_t*, int) {
    slot.SecondsSinceReceive = 0;
}

// Every command the server acts on; all others are read and ignored. Nothing but logging in, logging out and
// keeping the connection alive runs before a login: searches, statistics and the rest need an account's rights.
constexpr CommandRule kCommandRules[] = {
    {kCmdLogin, kCommandByte + static_cast<int>(sizeof(AccountRecord)), true, true, HandleLogin},
    {kCmdLogout, kCommandByte, false, true, HandleLogout},
    {kCmdKeepAlive, kCommandByte, false, true, HandleKeepAlive},
    {kCmdCdrSearch, kQueryFrameMin, false, false, HandleCdrSearch},
    {kCmdStatistics, kCommandByte + kQueryRangeBytes + kMaxChannels, false, false, HandleChartQuery},
    {kCmdStopQuery, kCommandByte + 1, false, false, HandleStopQuery},
    {kCmdSysLogSearch, kQueryFrameMin, false, false, HandleSysLogSearch},
    // Record access, phone book and password, monitoring and dialling, channel parameters. Where a sub-command
    // carries more, its handler checks the rest.
    {kCmdDownload, kCommandByte + kSubCommandByte, false, false, HandleDownload},
    {kCmdUpdateNotes, kCommandByte + static_cast<int>(sizeof(CallRecord)), true, false, HandleUpdateNotes},
    {kCmdUpdateFlag, kCommandByte + static_cast<int>(sizeof(CallRecord)), true, false, HandleUpdateFlag},
    {kCmdDeleteRecord, kCommandByte + static_cast<int>(sizeof(CallRecord)), true, false, HandleDeleteRecord},
    {kCmdStartMonitor, kCommandByte + static_cast<int>(sizeof(uint16_t)), false, false, HandleMonitorStart},
    {kCmdStopMonitor, kCommandByte, false, false, HandleMonitorStop},
    {kCmdPhoneBook, kCommandByte + kSubCommandByte, false, false, HandlePhoneBook},
    {kCmdChangePassword, kCommandByte + kPasswordPayloadBytes, false, false, HandleChangePassword},
    {kCmdChannelParams, kCommandByte + kSubCommandByte, false, false, HandleChannelParams},
    {kCmdRemoteDial, kCommandByte + kDialPayloadBytes, false, false, HandleRemoteDial},
};

const CommandRule* FindRule(uint8_t command) {
    for (const CommandRule& rule : kCommandRules) {
        if (rule.Command == command)
            return &rule;
    }
    return nullptr;
}

}  // namespace

void DispatchClientCommand(int length, ClientSlot& slot, const uint8_t* body) {
    if (length < kCommandByte)
        return;
    const CommandRule* rule = FindRule(body[0]);
    if (!rule)
        return;
    if (rule->ExactLength ? length != rule->MinLength : length < rule->MinLength)
        return;
    if (!rule->BeforeLogin && !slot.IsLoggedIn())
        return;
    rule->Handler(slot, body + kCommandByte, length - kCommandByte);
}
