#pragma once
// The shell's own prompts that operator commands open: the folder picker, the file-open dialog, and the shell's
// "open" of a file (a recording played by its associated program). Each entry starts as the shell's; a test replaces an entry with a
// scripted answer and puts the shell's back afterwards (ShellPrompts()). UI thread.

#include "mfc.h"

#include <functional>
#include <string>

struct ShellPromptTable {
    // Shows the folder picker opened on initialPath (may be null). Returns 1 and sets *folder to the chosen folder
    // ending in a backslash; 0, leaving *folder alone, when the operator cancels or folder is null.
    std::function<int(std::wstring* folder, const wchar_t* initialPath)> BrowseForFolder;
    // Shows the file-open dialog over owner (may be null) with the filter ("text|pattern|...||"), the default
    // extension and the file name it starts with; only an existing file can be chosen. Returns true and sets *path
    // to the chosen file's full path; false, leaving *path alone, when the operator cancels or path is null.
    std::function<bool(CWnd* owner, const wchar_t* filter, const wchar_t* defaultExtension, const wchar_t* defaultName,
                       std::wstring* path)>
        ChooseFileToOpen;
    // Opens the file with the program the shell associates with it; owner may be null. False when the shell could
    // not open it.
    std::function<bool(CWnd* owner, const wchar_t* path)> OpenFile;
};

// The process's prompt table.
ShellPromptTable& Prompts();
// The shell's own entries, as the table starts.
ShellPromptTable ShellPrompts();
