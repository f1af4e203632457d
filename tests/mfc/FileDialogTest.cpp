// The file-open dialog: the filter the system gets, a typed file chosen, and Cancel.

#include "FrameTestSupport.h"

#include "TempFolder.h"

#include <cwchar>
#include <iterator>
#include <string>
#include <thread>

namespace {

constexpr int kFileNameBox = 0x47C;  // the explorer-style dialog's file name combo box

struct DialogSearch {
    HWND dialog = nullptr;
};

BOOL CALLBACK FindFileDialog(HWND window, LPARAM param) {
    wchar_t className[32] = {};
    ::GetClassNameW(window, className, 32);
    if (std::wstring(className) == L"#32770" && ::IsWindowVisible(window) && ::GetDlgItem(window, kFileNameBox)) {
        reinterpret_cast<DialogSearch*>(param)->dialog = window;
        return FALSE;
    }
    return TRUE;
}

// Plays the user of the dialog that the given thread opens: types the name (when one is given) and presses the
// button. The shell is slow to show the dialog on a busy machine; a dialog that never shows, or that stays after
// the answer (a message about the name), is cancelled so the test fails or skips instead of hanging.
void Answer(DWORD threadId, std::wstring name, WPARAM button, bool* answered) {
    DialogSearch search;
    for (int waited = 0; waited < 120000 && !search.dialog; waited += 20) {
        ::EnumThreadWindows(threadId, FindFileDialog, reinterpret_cast<LPARAM>(&search));
        if (!search.dialog)
            ::Sleep(20);
    }
    if (!search.dialog)
        return;
    if (!name.empty())
        ::SetDlgItemTextW(search.dialog, kFileNameBox, name.c_str());
    ::PostMessageW(search.dialog, WM_COMMAND, button, 0);
    *answered = true;
    for (int waited = 0; waited < 20000 && ::IsWindow(search.dialog); waited += 20)
        ::Sleep(20);
    if (::IsWindow(search.dialog)) {
        *answered = false;
        ::EnumThreadWindows(
            threadId,
            [](HWND window, LPARAM) {
                ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
                return TRUE;
            },
            0);
        ::PostMessageW(search.dialog, WM_COMMAND, IDCANCEL, 0);
    }
}

INT_PTR RunAnswered(CFileDialog& dialog, const std::wstring& name, WPARAM button) {
    bool answered = false;
    std::thread user(Answer, ::GetCurrentThreadId(), name, button, &answered);
    const INT_PTR result = dialog.DoModal();
    user.join();
    return answered ? result : -1;
}

}  // namespace

TEST(FileDialog, OpensTheTypedFileAndCancelChoosesNothing) {
    CTempFolder folder;
    const std::wstring sound = folder.WidePath() + L"\\greeting.wav";
    HANDLE file = ::CreateFileW(sound.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    ::CloseHandle(file);

    CFileDialog dialog(TRUE, L"wav", L"AutoAnswer.wav", OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                       L"Sound(*.wav)|*.wav|All files (*.*)|*.*||");
    const wchar_t expectedFilter[] = L"Sound(*.wav)\0*.wav\0All files (*.*)\0*.*\0\0";
    EXPECT_EQ(0, std::wmemcmp(expectedFilter, dialog.m_ofn.lpstrFilter, std::size(expectedFilter)));
    EXPECT_EQ(L"AutoAnswer.wav", dialog.GetPathName());

    // The typed file is chosen.
    const INT_PTR chosen = RunAnswered(dialog, sound, IDOK);
    if (chosen == -1)
        GTEST_SKIP() << "the shell's file dialog did not show in time";
    ASSERT_EQ(IDOK, chosen);
    EXPECT_EQ(0, _wcsicmp(sound.c_str(), dialog.GetPathName()));

    CFileDialog cancelled(TRUE, L"wav", L"AnnounmentFile.wav", OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                          L"Sound(*.wav)|*.wav||");
    EXPECT_EQ(IDCANCEL, RunAnswered(cancelled, L"", IDCANCEL));
    EXPECT_EQ(L"AnnounmentFile.wav", cancelled.GetPathName());
}
