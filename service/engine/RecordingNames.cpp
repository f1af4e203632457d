#include "engine/RecordingNames.h"

#include "storage/RecordFields.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

namespace {

constexpr size_t kLongestPath = MAX_PATH - 1;

const wchar_t* NameTemplate(int callType) {
    switch (callType) {
        case kCallIncoming:
        case kCallAutoAnswered:
        case kCallSpyIncomingUnanswered:
            return L"%04d%02d%02d%02d%02d%02d-in-%03d(%ls %ls)-%ls.wav";
        case kCallMissed:
        case kCallSpyOutgoingMissed:
            return L"%04d%02d%02d%02d%02d%02d-missed-%03d(%ls %ls)-%ls.tmp";
        case kCallVoice:
            return L"%04d%02d%02d%02d%02d%02d-mic-%03d(%ls %ls)-%ls.wav";
        default:
            return L"%04d%02d%02d%02d%02d%02d-out-%03d(%ls %ls)-%ls.wav";
    }
}

// The parts of the name that come from settings, the line and remote clients.
struct NameParts {
    std::wstring ChannelName;
    std::wstring ChannelPhone;
    std::wstring PhoneNumber;
};

std::wstring FormatName(const CallRecord& record, const NameParts& parts) {
    const SYSTEMTIME& t = record.StartTime;
    // The parts are at most 31 characters each, so the name always fits.
    wchar_t name[2 * MAX_PATH];
    FormatToField(name, NameTemplate(record.CallType), t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond,
                  record.Channel + 1, parts.ChannelName.c_str(), parts.ChannelPhone.c_str(), parts.PhoneNumber.c_str());
    return name;
}

// Cuts up to excess characters off the end of the part; returns what is still to be cut.
size_t Shorten(std::wstring& part, size_t excess) {
    const size_t cut = std::min(excess, part.size());
    part.resize(part.size() - cut);
    return excess - cut;
}

}  // namespace

std::wstring SanitizeNamePart(std::wstring_view text) {
    std::wstring clean(text);
    for (wchar_t& c : clean) {
        if (c == L'*')
            c = L'#';
        else if (c < 0x20 || std::wstring_view(L"\\/:?\"<>|").find(c) != std::wstring_view::npos)
            c = L'_';
    }
    return clean;
}

std::wstring FinalRecordingPath(const CallRecord& record) {
    const std::wstring_view current = FieldText(record.FilePath);
    const size_t slash = current.rfind(L'\\');
    const std::wstring folder(slash == std::wstring_view::npos ? std::wstring_view() : current.substr(0, slash + 1));

    NameParts parts{SanitizeNamePart(FieldText(record.ChannelName)), SanitizeNamePart(FieldText(record.ChannelPhone)),
                    SanitizeNamePart(FieldText(record.PhoneNumber))};
    std::wstring path = folder + FormatName(record, parts);
    if (path.size() > kLongestPath) {
        size_t excess = path.size() - kLongestPath;
        excess = Shorten(parts.ChannelName, excess);
        excess = Shorten(parts.ChannelPhone, excess);
        excess = Shorten(parts.PhoneNumber, excess);
        if (excess > 0)
            return std::wstring(current);
        path = folder + FormatName(record, parts);
    }
    std::replace(path.begin(), path.end(), L'*', L'#');
    return path;
}
