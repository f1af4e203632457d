#include "DialogTestSupport.h"

#include "common/AppIcons.h"
#include "settings/LangText.h"
#include "storage/AccountStore.h"
#include "storage/ContactStore.h"
#include "storage/StoragePaths.h"
#include "storage/Stores.h"
#include "storage/SysLogStore.h"

#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

// A Linux folder as the Windows program sees it.
std::filesystem::path WindowsFolder(const char* linuxFolder) {
    std::wstring path = L"Z:" + std::filesystem::path(linuxFolder).wstring();
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

DialogDriver* activeDriver = nullptr;  // the driver whose timer runs; one at a time

std::wstring ClassName(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

// The text of a message box: its static control that is not the icon.
HWND MessageBoxText(HWND box) {
    for (int id : {0xFFFF, 100}) {
        HWND text = ::GetDlgItem(box, id);
        if (text && ClassName(text) == L"Static")
            return text;
    }
    return nullptr;
}

struct ThreadDialogs {
    std::vector<HWND> Windows;  // enabled, visible dialogs of the thread, topmost first
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM context) {
    if (ClassName(window) == L"#32770" && ::IsWindowVisible(window) && ::IsWindowEnabled(window))
        reinterpret_cast<ThreadDialogs*>(context)->Windows.push_back(window);
    return TRUE;
}

// The test display has no window manager, and Wine waits up to two seconds for one to confirm that each closed
// top-level window (a dialog, a message box) is gone. Windows of this program are left unmanaged instead: Wine
// then draws their frames itself and closes them at once. Set before the first window is made, for this
// executable alone.
void LeaveWindowsUnmanaged() {
    wchar_t module[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, module, MAX_PATH);
    const std::wstring key =
        L"Software\\Wine\\AppDefaults\\" + std::filesystem::path(module).filename().wstring() + L"\\X11 Driver";
    HKEY handle = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS)
        return;
    ::RegSetValueExW(handle, L"Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"N"), 2 * sizeof(wchar_t));
    ::RegCloseKey(handle);
}

}  // namespace

DialogTestEnvironment::DialogTestEnvironment() {
    LeaveWindowsUnmanaged();
    const std::filesystem::path program = m_folder.ProgramFolder();
    std::filesystem::create_directories(program / L"Lang");
    std::filesystem::copy_file(WindowsFolder(TESS_LANG_DIR) / L"EN.ini", program / L"Lang" / L"EN.ini");
    std::filesystem::copy(WindowsFolder(TESS_RESOURCES_DIR) / L"Image", program / L"Image");
    LanguageNumber = kLanguageEnglish;

    INITCOMMONCONTROLSEX controls{sizeof(controls),
                                  ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    if (!AppIconList().GetSafeHandle()) {
        CScopedGdiPlus gdiPlus;
        AppIconList().Attach(LoadAppIcons());
    }

    ServerAccountStore().Open(StoreFilePath(kServerAccountDbName).c_str());
    ServerAccountStore().EnsureDefaultServerAccount();
    ClientAccountStore().Open(StoreFilePath(kClientAccountDbName).c_str());
    ClientAccountStore().EnsureDefaultClientAccount();
    TheContactStore().Open(StoreFilePath(kContactDbName).c_str());
}

DialogTestEnvironment::~DialogTestEnvironment() {
    ServerAccountStore().Close();
    ClientAccountStore().Close();
    TheContactStore().Close();
}

DialogDriver::DialogDriver() : m_timer(::SetTimer(nullptr, 0, 20, OnTimer)) {
    activeDriver = this;
}

DialogDriver::~DialogDriver() {
    ::KillTimer(nullptr, m_timer);
    activeDriver = nullptr;
}

INT_PTR DialogDriver::Run(CDialog& dialog, Script script) {
    Then(std::move(script));
    return dialog.DoModal();
}

void CALLBACK DialogDriver::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (activeDriver)
        activeDriver->Serve();
}

void DialogDriver::Serve() {
    std::erase_if(m_served, [](HWND window) { return !::IsWindow(window); });
    ThreadDialogs dialogs;
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
    for (HWND window : dialogs.Windows) {
        if (std::find(m_served.begin(), m_served.end(), window) != m_served.end())
            continue;
        if (HWND text = MessageBoxText(window)) {
            m_served.push_back(window);
            Messages.push_back({WindowText(window), WindowText(text)});
            int answer = IDOK;
            if (::GetDlgItem(window, IDYES)) {
                answer = m_answers.empty() ? IDYES : m_answers.front();
                if (!m_answers.empty())
                    m_answers.erase(m_answers.begin());
            }
            ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(window, answer)));
            return;
        }
        if (m_scripts.empty())
            return;
        m_served.push_back(window);
        Script script = std::move(m_scripts.front());
        m_scripts.erase(m_scripts.begin());
        script(window);
        return;
    }
}

std::wstring WindowText(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    ::GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

void Click(HWND dialog, int id) {
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

std::wstring ItemText(HWND dialog, int id) {
    return WindowText(::GetDlgItem(dialog, id));
}

void SetItemText(HWND dialog, int id, const std::wstring& text) {
    ::SetDlgItemTextW(dialog, id, text.c_str());
}

bool IsItemEnabled(HWND dialog, int id) {
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
}

int ComboSelection(HWND dialog, int id) {
    return static_cast<int>(::SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0));
}

std::wstring ComboText(HWND dialog, int id, int item) {
    wchar_t text[256] = {};
    ::SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text));
    return text;
}

void SelectCombo(HWND dialog, int id, int item) {
    ::SendDlgItemMessageW(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
}

SYSTEMTIME PickerTime(HWND dialog, int id) {
    SYSTEMTIME time{};
    ::SendDlgItemMessageW(dialog, id, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
    return time;
}

void SetPickerTime(HWND dialog, int id, const SYSTEMTIME& time) {
    ::SendDlgItemMessageW(dialog, id, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

int FocusedId() {
    return ::GetDlgCtrlID(::GetFocus());
}

std::pair<int, int> EditSelection(HWND dialog, int id) {
    DWORD start = 0;
    DWORD end = 0;
    ::SendDlgItemMessageW(dialog, id, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

int RowCount(HWND list) {
    return static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

std::wstring CellText(HWND list, int row, int column) {
    wchar_t text[512] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 512;
    ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

int CellImage(HWND list, int row, int column) {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iSubItem = column;
    ::SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

bool IsRowChecked(HWND list, int row) {
    const UINT state =
        static_cast<UINT>(::SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK));
    return (state >> 12) == 2;
}

void CheckRow(HWND list, int row, bool checked) {
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void SelectRows(HWND list, const std::vector<int>& rows) {
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    for (int row : rows) {
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
}

std::vector<SysLogRow> TodaysSysLogRows() {
    SYSTEMTIME today;
    ::GetLocalTime(&today);
    std::vector<SysLogRow> rows;
    SysLogStore store;
    if (!store.Open(SysLogDayFile(today).c_str()))
        return rows;
    store.ForEachRow(L"select * from SysLog_Table", [&rows](const SysLogRow& row) { rows.push_back(row); });
    store.Close();
    return rows;
}

std::string ReadFileBytes(const std::wstring& path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(path), std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool FileExists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void SaveScreenshot(HWND window, const wchar_t* name) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT rect;
    ::GetWindowRect(window, &rect);
    CScopedMemDC picture(rect.right - rect.left, rect.bottom - rect.top);
    if (!picture.IsValid())
        return;
    HDC screen = ::GetDC(nullptr);
    ::BitBlt(picture.GetSafeHdc(), 0, 0, picture.GetWidth(), picture.GetHeight(), screen, rect.left, rect.top, SRCCOPY);
    ::ReleaseDC(nullptr, screen);
    ::GdiFlush();

    CScopedGdiPlus gdiPlus;
    if (!gdiPlus.IsStarted())
        return;
    Gdiplus::Bitmap bitmap(picture.GetWidth(), picture.GetHeight(), picture.GetWidth() * 4, PixelFormat32bppRGB,
                           reinterpret_cast<BYTE*>(picture.GetBits()));
    const CLSID pngEncoder = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    const std::wstring path = std::wstring(L"Z:\\tmp\\dialogs-") + name + L".png";
    bitmap.Save(path.c_str(), &pngEncoder, nullptr);
}
