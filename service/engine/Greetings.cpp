#include "engine/Greetings.h"

#include "engine/DriverBinding.h"
#include "engine/ScopedHandle.h"

#include <windows.h>

void PlayGreeting(int channel, const wchar_t* file) {
    if (!file || file[0] == L'\0')
        return;
    DWORD size = 0;
    {
        CScopedHandle greeting(
            ::CreateFileW(file, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!greeting.IsValid())
            return;
        size = ::GetFileSize(greeting.Get(), nullptr);
        if (size == INVALID_FILE_SIZE)
            return;
    }
    // The driver takes the path in the system code page.
    char path[MAX_PATH] = {};
    ::WideCharToMultiByte(CP_ACP, 0, file, -1, path, MAX_PATH - 1, nullptr, nullptr);
    QsdVox_FilePlayStart(channel, path, QSD_CODEC_ALAW, 0, static_cast<int>(size));
}
