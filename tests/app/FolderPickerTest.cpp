#include "common/FolderPicker.h"

#include "TestFolder.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <string>
#include <thread>

namespace {

struct PickerSearch {
    HWND picker = nullptr;
};

BOOL CALLBACK FindPicker(HWND window, LPARAM param) {
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (std::wstring(className) == L"#32770" && IsWindowVisible(window)) {
        reinterpret_cast<PickerSearch*>(param)->picker = window;
        return FALSE;
    }
    return TRUE;
}

bool HasTreeSelection(HWND picker) {
    HWND tree = FindWindowExW(picker, nullptr, WC_TREEVIEWW, nullptr);
    return tree && SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0) != 0;
}

// Answers the picker that the given thread opens, once it shows its initial selection. When that does not
// happen within the deadline, the picker is cancelled so the test fails instead of hanging.
void AnswerPicker(DWORD threadId, WPARAM command, bool* answered) {
    PickerSearch search;
    for (int waited = 0; waited < 60000; waited += 20) {  // the shell is slow to start on a busy machine
        search = PickerSearch();
        EnumThreadWindows(threadId, FindPicker, reinterpret_cast<LPARAM>(&search));
        if (search.picker && HasTreeSelection(search.picker)) {
            PostMessageW(search.picker, WM_COMMAND, command, 0);
            *answered = true;
            return;
        }
        Sleep(20);
    }
    if (search.picker)
        PostMessageW(search.picker, WM_COMMAND, IDCANCEL, 0);
}

std::wstring Lower(std::wstring text) {
    CharLowerW(text.data());
    return text;
}

class FolderPicker : public testing::Test {
protected:
    void SetUp() override { CoInitialize(nullptr); }
    void TearDown() override { CoUninitialize(); }

    int Pick(std::wstring* result, const std::wstring& initial, WPARAM command, bool* answered) {
        std::thread answerer(AnswerPicker, GetCurrentThreadId(), command, answered);
        int chosen = BrowseForFolder(result, initial.c_str());
        answerer.join();
        return chosen;
    }
};

}  // namespace

TEST_F(FolderPicker, WithoutResultStringReturnsZeroAndShowsNothing) {
    EXPECT_EQ(0, BrowseForFolder(nullptr, L"C:\\"));
}

TEST_F(FolderPicker, ConfirmedInitialFolderComesBackWithItsBackslash) {
    TestFolder folder;
    std::wstring result;
    bool answered = false;
    const int chosen = Pick(&result, folder.ProgramFolder() + L"\\", IDOK, &answered);
    if (!answered)
        GTEST_SKIP() << "the shell's picker did not show its tree in time";
    ASSERT_EQ(1, chosen);
    EXPECT_EQ(Lower(folder.ProgramFolder() + L"\\"), Lower(result));
}

TEST_F(FolderPicker, CancelReturnsZeroAndLeavesTheResult) {
    TestFolder folder;
    std::wstring result = L"unchanged";
    bool answered = false;
    const int chosen = Pick(&result, folder.ProgramFolder(), IDCANCEL, &answered);
    if (!answered)
        GTEST_SKIP() << "the shell's picker did not show its tree in time";
    EXPECT_EQ(0, chosen);
    EXPECT_EQ(L"unchanged", result);
}
