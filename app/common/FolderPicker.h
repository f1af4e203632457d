#pragma once
// The shell's folder picker, for the recording-folder buttons and the save-as and copy folder choices. Runs its
// own modal loop on the calling (UI) thread.

#include <windows.h>

#include <string>

// Shows the picker (no owner, rooted at the desktop, empty title, file-system folders only), opened on the
// initial path when one is given (a trailing backslash is dropped for the picker). Returns 1 and sets *result to
// the chosen folder ending in a backslash; returns 0, leaving *result unchanged, when the user cancels, when
// result is null, or when the shell allocator cannot be had.
int BrowseForFolder(std::wstring* result, const wchar_t* initialPath);

// The picker's callback: selects the initial folder (lpData) once the picker reports that it is initialised.
int CALLBACK BrowseFolderCallback(HWND picker, UINT message, LPARAM param, LPARAM lpData);
