#include "engine/Greetings.h"

#include "channels/DriverBinding.h"
#include "mfc.h"
#include "settings/Folders.h"

#include <windows.h>

#include <cwchar>
#include <cwctype>

namespace {

constexpr wchar_t kGreetingExtension[] = L".wav";

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

bool EndsWithWav(const std::wstring& path) {
    const size_t length = std::wcslen(kGreetingExtension);
    return path.size() > length && _wcsicmp(path.c_str() + path.size() - length, kGreetingExtension) == 0;
}

// A drive letter, a colon and a separator: the only place a colon may stand. Any other colon names a stream of a
// file or a drive's current folder.
bool HasDriveRoot(const std::wstring& text) {
    return text.size() > 2 && std::iswalpha(text[0]) && text[1] == L':' && IsSeparator(text[2]);
}

}  // namespace

std::wstring GreetingFilePath(const wchar_t* text) {
    if (!text || !text[0])
        return std::wstring();
    const std::wstring given(text);
    // UNC and device paths ("\\host\share", "\\?\C:\", "\\.\COM1") and paths from the root of the current drive.
    if (IsSeparator(given[0]))
        return std::wstring();
    const bool absolute = HasDriveRoot(given);
    if (given.find(L':', absolute ? 2 : 0) != std::wstring::npos)
        return std::wstring();

    const std::wstring folder = GetExeFolder();
    if (folder.empty())
        return std::wstring();
    const std::wstring joined = absolute ? given : folder + L"\\" + given;
    // The full path, with every "." and ".." resolved, must still lie below the program folder; a reserved device
    // name ("COM1.wav") resolves to a device path and fails this test too.
    wchar_t full[MAX_PATH];
    const DWORD length = ::GetFullPathNameW(joined.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH)
        return std::wstring();
    const std::wstring path(full, length);
    const std::wstring prefix = folder + L"\\";
    if (path.size() <= prefix.size() || _wcsnicmp(path.c_str(), prefix.c_str(), prefix.size()) != 0 ||
        !EndsWithWav(path))
        return std::wstring();
    return path;
}

bool IsAcceptableGreeting(const wchar_t* text) {
    return !text || !text[0] || !GreetingFilePath(text).empty();
}

void PlayGreeting(int channel, const wchar_t* text) {
    const std::wstring file = GreetingFilePath(text);
    if (file.empty())
        return;
    DWORD size = 0;
    {
        CScopedKernelHandle greeting(::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                                   FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!greeting.IsValid())
            return;
        size = ::GetFileSize(greeting.Get(), nullptr);
        if (size == INVALID_FILE_SIZE)
            return;
    }
    // The driver takes the path in the system code page.
    char path[MAX_PATH] = {};
    ::WideCharToMultiByte(CP_ACP, 0, file.c_str(), -1, path, MAX_PATH - 1, nullptr, nullptr);
    QsdVox_FilePlayStart(channel, path, QSD_CODEC_ALAW, 0, static_cast<int>(size));
}
