#include "clients/ChannelStatus.h"

#include "clients/ClientFrame.h"
#include "channels/ChannelTable.h"
#include "storage/RecordFields.h"

#include <algorithm>
#include <cstring>

namespace {

// The driver's 8-bit digits, widened and cut to the field.
template <size_t Field, size_t Source>
void WidenDigits(wchar_t (&field)[Field], const char (&text)[Source]) {
    const int length = static_cast<int>(std::min(strnlen(text, Source), Field - 1));
    const int written = length ? MultiByteToWideChar(CP_ACP, 0, text, length, field, Field - 1) : 0;
    field[written] = L'\0';
}

}  // namespace

ChannelStatusForm StatusFormOf(int channel) {
    return IsAnalogueLine(ChannelTable[channel].LineType) ? ChannelStatusForm::Analogue : ChannelStatusForm::Spy;
}

ChannelStatusRecord BuildChannelStatus(int channel, ChannelStatusForm form) {
    const ChannelRecord& source = ChannelTable[channel];
    ChannelStatusRecord record{};
    record.Channel = channel;
    record.RecordMode = source.Rec;
    record.ChannelType = source.LineType;
    record.State = source.State;
    record.RecordedSeconds = source.RecordedMs / 1000;
    record.LineVoltage = source.LineVoltage;
    CopyToField(record.Name, source.Name);
    CopyToField(record.Phone, source.Phone);
    if (form == ChannelStatusForm::Analogue) {
        WidenDigits(record.Number, source.DialledDigits);
        WidenDigits(record.Caller, source.CallerId);
    } else {
        WidenDigits(record.Number, source.SpyCalleeId);
        WidenDigits(record.Caller, source.SpyCallerId);
    }
    record.StartTime = source.StartTime;
    return record;
}

std::vector<uint8_t> BuildChannelStatusFrame(int channel, ChannelStatusForm form) {
    const ChannelStatusRecord record = BuildChannelStatus(channel, form);
    return BuildFrame(kFrameChannelStatus, {PartOf(record)});
}
