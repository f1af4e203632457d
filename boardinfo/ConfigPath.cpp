// ConfigPath.cpp - configuration paths beside the program or in the Windows folder.
#include "ConfigPath.h"

#include <windows.h>

#include <cstring>

namespace {

std::string WindowsFolder() {
    char folder[MAX_PATH] = {};
    UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
    return std::string(folder, length < MAX_PATH ? length : 0);
}

// The folder of the process's executable (not of this library): the driver reads its
// configuration beside the program.
std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length < MAX_PATH ? length : 0);
    std::string::size_type slash = folder.find_last_of('\\');
    return slash == std::string::npos ? std::string() : folder.substr(0, slash);
}

}  // namespace

std::string ResolveConfigPath(const char* name, const char* defaultName) {
    if (name[0] == '\0')
        return WindowsFolder() + '\\' + defaultName;
    if (std::strchr(name, ':'))
        return name;
    return ProgramFolder() + '\\' + name;
}
