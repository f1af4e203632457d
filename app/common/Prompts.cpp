#include "common/Prompts.h"

#include "common/FolderPicker.h"

#include <shellapi.h>

namespace {

bool ShellOpenFile(CWnd* owner, const wchar_t* path) {
    if (!path || !*path)
        return false;
    const HINSTANCE result =
        ::ShellExecuteW(owner ? owner->GetSafeHwnd() : nullptr, L"open", path, nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;  // 32 and below are the shell's error codes
}

bool ChooseExistingFile(CWnd* owner, const wchar_t* filter, const wchar_t* defaultExtension, const wchar_t* defaultName,
                        std::wstring* path) {
    if (!path)
        return false;
    CFileDialog dialog(TRUE, defaultExtension, defaultName, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, filter, owner);
    if (dialog.DoModal() != IDOK)
        return false;
    *path = dialog.GetPathName().GetString();
    return true;
}

}  // namespace

ShellPromptTable ShellPrompts() {
    return {BrowseForFolder, ChooseExistingFile, ShellOpenFile};
}

ShellPromptTable& Prompts() {
    static ShellPromptTable table = ShellPrompts();
    return table;
}
