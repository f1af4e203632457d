// TempFolder.h - a fresh folder for one test, removed with the files in it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

class CTempFolder {
public:
    CTempFolder()
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        m_path = std::string(temp) + "boardinfo-" + std::to_string(GetCurrentProcessId()) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name();
        CreateDirectoryA(m_path.c_str(), nullptr);
    }

    ~CTempFolder()
    {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(Path("*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do
                DeleteFileA(Path(found.cFileName).c_str());
            while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(m_path.c_str());
    }

    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string Path(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};
