#include "common/FolderPicker.h"

#include <shlobj.h>

int CALLBACK BrowseFolderCallback(HWND picker, UINT message, LPARAM param, LPARAM lpData) {
    if (message == BFFM_INITIALIZED && lpData)
        SendMessageW(picker, BFFM_SETSELECTIONW, TRUE, lpData);
    return 0;
}

int BrowseForFolder(std::wstring* result, const wchar_t* initialPath) {
    if (!result)
        return 0;
    IMalloc* shellMalloc = nullptr;
    if (FAILED(SHGetMalloc(&shellMalloc)) || !shellMalloc)
        return 0;

    std::wstring initial = initialPath ? initialPath : L"";
    if (!initial.empty() && initial.back() == L'\\')
        initial.pop_back();

    wchar_t displayName[MAX_PATH] = {};
    BROWSEINFOW info = {};
    info.pszDisplayName = displayName;
    info.lpszTitle = L"";
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = BrowseFolderCallback;
    info.lParam = initial.empty() ? 0 : reinterpret_cast<LPARAM>(initial.c_str());

    int chosen = 0;
    if (LPITEMIDLIST item = SHBrowseForFolderW(&info)) {
        wchar_t path[MAX_PATH] = {};
        if (SHGetPathFromIDListW(item, path)) {
            *result = path;
            if (result->empty() || result->back() != L'\\')
                *result += L'\\';
            chosen = 1;
        }
        shellMalloc->Free(item);
    }
    shellMalloc->Release();
    return chosen;
}
