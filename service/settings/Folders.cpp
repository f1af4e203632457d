#include "settings/Folders.h"

#include <windows.h>
#include <shlobj.h>

#include <mutex>

namespace {

std::mutex overrideLock;  // guards the two overrides
std::wstring exeFolderOverride;
std::wstring dataFolderOverride;

std::wstring ReadOverride(const std::wstring& value) {
    std::lock_guard<std::mutex> guard(overrideLock);
    return value;
}

}  // namespace

std::wstring GetExeFolder() {
    std::wstring folder = ReadOverride(exeFolderOverride);
    if (!folder.empty())
        return folder;
    wchar_t name[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(nullptr, name, MAX_PATH);
    folder.assign(name, length < MAX_PATH ? length : MAX_PATH - 1);
    size_t slash = folder.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash);
}

std::wstring GetDataFolder() {
    std::wstring folder = ReadOverride(dataFolderOverride);
    if (folder.empty()) {
        wchar_t common[MAX_PATH] = {};
        SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, common);
        folder = std::wstring(common) + L"\\Orvandel";
        CreateDirectoryW(folder.c_str(), nullptr);
        folder += L"\\DBFiles";
    }
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

void SetExeFolderOverride(const std::wstring& folder) {
    std::lock_guard<std::mutex> guard(overrideLock);
    exeFolderOverride = folder;
}

void SetDataFolderOverride(const std::wstring& folder) {
    std::lock_guard<std::mutex> guard(overrideLock);
    dataFolderOverride = folder;
}
