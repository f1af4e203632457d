#pragma once
// Helpers of the pane and dialog tests: the program folder's language file and toolbar bitmaps, message pumping,
// and reads of list controls by their messages (ListReading.h).

#include "ListReading.h"
#include "TestFolder.h"
#include "WaitUntil.h"
#include "settings/LangText.h"

#include "mfc.h"

#include <filesystem>
#include <string>

// A Linux folder as the Windows program sees it.
inline std::wstring WindowsFolder(const char* linuxFolder) {
    std::wstring path = L"Z:" + std::filesystem::path(linuxFolder).wstring();
    for (wchar_t& c : path)
        c = c == L'/' ? L'\\' : c;
    return path;
}

// English texts (the language file the build joins) and the toolbar bitmaps in the test's program folder; the common controls registered.
inline void PrepareProgramFolder(const TestFolder& folder) {
    const std::filesystem::path from = WindowsFolder(TESS_RESOURCES_DIR);
    const std::filesystem::path to = folder.ProgramFolder();
    std::filesystem::create_directories(to / L"Lang");
    std::filesystem::create_directories(to / L"Image");
    std::filesystem::copy_file(std::filesystem::path(WindowsFolder(TESS_LANG_DIR)) / L"EN.ini",
                               to / L"Lang" / L"EN.ini");
    for (const wchar_t* name : {L"treeftp.bmp", L"clear.bmp"})
        std::filesystem::copy_file(from / L"Image" / name, to / L"Image" / name);
    LanguageNumber = kLanguageEnglish;
    INITCOMMONCONTROLSEX controls{sizeof(controls),
                                  ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_INTERNET_CLASSES | ICC_DATE_CLASSES};
    ::InitCommonControlsEx(&controls);
}
