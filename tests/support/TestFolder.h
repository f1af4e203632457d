#pragma once
// A fresh temporary folder for one test. While it lives, the program folder (settings, language, image and
// schedule files) and the data folder (databases) of the service are its sub-folders "Program" and "Data";
// afterwards the overrides are cleared and the tree is removed.

#include "TempFolder.h"

#include <string>

class TestFolder {
public:
    TestFolder();
    ~TestFolder();

    const std::wstring& ProgramFolder() const { return m_program; }
    const std::wstring& DataFolder() const { return m_data; }

    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

private:
    CTempFolder m_root;
    std::wstring m_program;
    std::wstring m_data;
};

// Writes text as UTF-16 with a byte-order mark (the form of the language and settings files), creating the
// folders on the way.
void WriteUtf16File(const std::wstring& path, const std::wstring& text);
