#pragma once
// Whole-file reads and writes and little-endian field reads for the engine tests.

#include "TestFolder.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// A file in the test's program folder.
inline std::wstring PathIn(const TestFolder& folder, const std::wstring& name) {
    return folder.ProgramFolder() + L"\\" + name;
}

inline bool FileExists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline std::vector<uint8_t> ReadFileBytes(const std::wstring& path) {
    std::vector<uint8_t> bytes;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    bytes.resize(::GetFileSize(file, nullptr));
    DWORD read = 0;
    if (!bytes.empty())
        ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    ::CloseHandle(file);
    return bytes;
}

inline bool WriteFileBytes(const std::wstring& path, const void* data, size_t size) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = ::WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) && written == size;
    ::CloseHandle(file);
    return ok;
}

inline bool WriteFileBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    return WriteFileBytes(path, bytes.data(), bytes.size());
}

// Reads a little-endian 32-bit value at offset.
inline uint32_t U32At(const std::vector<uint8_t>& bytes, size_t offset) {
    return bytes[offset] | (bytes[offset + 1] << 8) | (bytes[offset + 2] << 16) | (uint32_t{bytes[offset + 3]} << 24);
}

inline uint16_t U16At(const std::vector<uint8_t>& bytes, size_t offset) {
    return static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

inline std::string TagAt(const std::vector<uint8_t>& bytes, size_t offset) {
    return std::string(reinterpret_cast<const char*>(&bytes[offset]), 4);
}
