#include "settings/Settings.h"

#include "settings/Folders.h"

#include <windows.h>

#include <cwchar>
#include <map>
#include <mutex>
#include <string>
#include <utility>

namespace {

constexpr DWORD kTextBufferChars = 1000;

// The values read from one INI file since it last changed, keyed by section and key.
class SettingsCache {
public:
    // The cached text, or read (file, section, key) when the file changed or the key was not read yet.
    template <class Read>
    std::wstring Lookup(const std::wstring& file, const wchar_t* section, const wchar_t* key, Read read) {
        const Stamp stamp = StampOf(file);
        std::pair<std::wstring, std::wstring> name(section ? section : L"", key ? key : L"");
        {
            const std::lock_guard lock(m_lock);
            if (stamp == m_stamp && file == m_file) {
                if (auto found = m_values.find(name); found != m_values.end())
                    return found->second;
            }
        }
        std::wstring value = read();
        const std::lock_guard lock(m_lock);
        if (stamp != m_stamp || file != m_file) {
            m_values.clear();
            m_stamp = stamp;
            m_file = file;
        }
        m_values[std::move(name)] = value;
        return value;
    }

    // After a write of this process: the next reads go to the file.
    void Forget() {
        const std::lock_guard lock(m_lock);
        m_values.clear();
        m_stamp = Stamp{};
    }

private:
    struct Stamp {
        bool Exists = false;
        ULONGLONG LastWrite = 0;
        ULONGLONG Size = 0;
        bool operator==(const Stamp&) const = default;
    };

    static Stamp StampOf(const std::wstring& file) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data))
            return Stamp{};
        return {true, ULONGLONG(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime,
                ULONGLONG(data.nFileSizeHigh) << 32 | data.nFileSizeLow};
    }

    std::mutex m_lock;  // guards the fields below
    std::wstring m_file;
    Stamp m_stamp;  // of m_file when its values were read
    std::map<std::pair<std::wstring, std::wstring>, std::wstring> m_values;
};

SettingsCache& ServerSettingsCache() {
    static SettingsCache cache;
    return cache;
}

// The two characters backslash and n stand for a line break in the INI files.
std::wstring ExpandLineBreaks(const wchar_t* text) {
    std::wstring result;
    for (const wchar_t* p = text; *p; ++p) {
        if (p[0] == L'\\' && p[1] == L'n') {
            result += L'\n';
            ++p;
        } else {
            result += *p;
        }
    }
    return result;
}

// The private-profile functions create a missing file in the ANSI code page, where names outside it turn into
// question marks. A file that starts with a UTF-16 byte-order mark is kept in UTF-16. The mark is written to a
// file of its own name first and moved into place, so a concurrent writer never sees an empty settings file.
void EnsureUnicodeSettingsFile(const std::wstring& path) {
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return;
    std::wstring folder = path.substr(0, path.rfind(L'\\'));
    wchar_t temporary[MAX_PATH];
    if (!GetTempFileNameW(folder.c_str(), L"ini", 0, temporary))
        return;
    HANDLE file = CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        static const unsigned char kBom[] = {0xFF, 0xFE};
        DWORD written = 0;
        WriteFile(file, kBom, sizeof(kBom), &written, nullptr);
        CloseHandle(file);
        if (MoveFileExW(temporary, path.c_str(), 0))
            return;
    }
    DeleteFileW(temporary);  // another thread made the file first, or the mark could not be written
}

}  // namespace

std::wstring SettingsFilePath() {
    return GetExeFolder() + L"\\Server_Settings.ini";
}

std::wstring ReadIniText(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
    wchar_t buffer[kTextBufferChars] = {};
    GetPrivateProfileStringW(section, key, L"", buffer, kTextBufferChars, file.c_str());
    return ExpandLineBreaks(buffer);
}

int ReadSettingInt(const wchar_t* section, const wchar_t* key) {
    const std::wstring file = SettingsFilePath();
    const std::wstring value = ServerSettingsCache().Lookup(file, section, key, [&] {
        return std::to_wstring(
            static_cast<int>(GetPrivateProfileIntW(section, key, static_cast<UINT>(-1), file.c_str())));
    });
    return static_cast<int>(std::wcstol(value.c_str(), nullptr, 10));
}

std::wstring ReadSettingString(const wchar_t* section, const wchar_t* key) {
    const std::wstring file = SettingsFilePath();
    return ServerSettingsCache().Lookup(file, section, key, [&] { return ReadIniText(file, section, key); });
}

void WriteSettingInt(const wchar_t* section, const wchar_t* key, int value) {
    wchar_t text[16];
    _snwprintf(text, 16, L"%d", value);
    text[15] = L'\0';
    WriteSettingString(section, key, text);
}

void WriteSettingString(const wchar_t* section, const wchar_t* key, const wchar_t* value) {
    std::wstring path = SettingsFilePath();
    EnsureUnicodeSettingsFile(path);
    WritePrivateProfileStringW(section, key, value, path.c_str());
    ServerSettingsCache().Forget();
}

std::wstring ReadOemString(const wchar_t* section, const wchar_t* key) {
    return ReadIniText(GetExeFolder() + L"\\OEM\\Server_oem.ini", section, key);
}
