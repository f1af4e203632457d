#include "TestFolder.h"

#include "settings/Folders.h"

#include <windows.h>

#include <atomic>
#include <filesystem>

TestFolder::TestFolder()
{
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    m_root = std::wstring(temp) + L"tess-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
             std::to_wstring(counter++);
    m_program = m_root + L"\\Program";
    m_data = m_root + L"\\Data";
    std::filesystem::remove_all(m_root);
    std::filesystem::create_directories(m_program);
    std::filesystem::create_directories(m_data);
    SetExeFolderOverride(m_program);
    SetDataFolderOverride(m_data);
}

TestFolder::~TestFolder()
{
    SetExeFolderOverride(L"");
    SetDataFolderOverride(L"");
    std::error_code ignored;
    std::filesystem::remove_all(m_root, ignored);
}

void WriteUtf16File(const std::wstring& path, const std::wstring& text)
{
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
