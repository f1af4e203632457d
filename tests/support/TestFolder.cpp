#include "TestFolder.h"

#include "settings/Folders.h"

#include <windows.h>

#include <filesystem>

TestFolder::TestFolder() : m_program(m_root.WidePath() + L"\\Program"), m_data(m_root.WidePath() + L"\\Data") {
    std::filesystem::create_directories(m_program);
    std::filesystem::create_directories(m_data);
    SetExeFolderOverride(m_program);
    SetDataFolderOverride(m_data);
}

TestFolder::~TestFolder() {
    SetExeFolderOverride(L"");
    SetDataFolderOverride(L"");
}

void WriteUtf16File(const std::wstring& path, const std::wstring& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const wchar_t bom = 0xFEFF;
    DWORD written = 0;
    WriteFile(file, &bom, sizeof(bom), &written, nullptr);
    WriteFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
}
