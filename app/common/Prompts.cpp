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

}  // namespace

ShellPromptTable ShellPrompts() {
    return {BrowseForFolder, ShellOpenFile};
}

ShellPromptTable& Prompts() {
    static ShellPromptTable table = ShellPrompts();
    return table;
}
