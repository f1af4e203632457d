#include "FrameTestSupport.h"

#include "MainFrameResource.h"
#include "OwnDialog.h"
#include "WaitUntil.h"
#include "frame/MainFrame.h"
#include "settings/LangText.h"
#include "settings/Settings.h"
#include "storage/StoragePaths.h"
#include "storage/SysLogStore.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// The key ranges the window side and the service use.
void AddEchoKeys(std::wstring& text, int first, int last, const wchar_t* format) {
    wchar_t line[32];
    for (int key = first; key <= last; ++key) {
        _snwprintf(line, 32, format, key, key);
        text += line;
    }
}

}  // namespace

ServerFolder::ServerFolder() : m_clientPort(40000 + static_cast<int>(GetCurrentProcessId() % 20000)) {
    std::wstring text = L"[Language]\r\n";
    AddEchoKeys(text, 0, 999, L"%04d=T%04d\r\n");
    AddEchoKeys(text, 5000, 5099, L"%04d=T%04d\r\n");
    AddEchoKeys(text, 10000, 10030, L"%05d=T%05d\r\n");
    WriteUtf16File(ProgramFolder() + L"\\Lang\\EN.ini", text);
    LanguageNumber = kLanguageEnglish;
    WriteUtf16File(SettingsFilePath(), L"[Setting]\r\nLanguage=English\r\n[Settings]\r\nNetPort=" +
                                           std::to_wstring(m_clientPort) + L"\r\n");
}

MessageBoxAnswerer::MessageBoxAnswerer(std::wstring caption, int button)
    : m_caption(std::move(caption)), m_button(button) {
    m_thread = std::thread([this] {
        while (!m_stop) {
            HWND box = FindOwnDialog(m_caption);
            if (box && IsWindowVisible(box)) {
                wchar_t text[512] = {};
                GetDlgItemTextW(box, 0xFFFF, text, 512);  // the box's message text
                m_text = text;
                m_answered = true;
                PostMessageW(box, WM_COMMAND, m_button, 0);
                return;
            }
            Sleep(10);
        }
    });
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    m_stop = true;
    m_thread.join();
}

bool MessageBoxAnswerer::Answered(int timeoutMs) {
    return WaitUntil([this] { return m_answered.load(); }, timeoutMs);
}

std::vector<SysLogRow> TodaysSysLogRows() {
    SYSTEMTIME today;
    GetLocalTime(&today);
    std::vector<SysLogRow> rows;
    const std::wstring path = SysLogDayFile(today);
    if (!std::filesystem::exists(path))
        return rows;
    SysLogStore store;
    if (store.Open(path.c_str())) {
        store.ForEachRow(L"select * from SysLog_Table", [&](const SysLogRow& row) { rows.push_back(row); });
        store.Close();
    }
    return rows;
}

std::vector<SysLogRow> RowsOf(int code) {
    std::vector<SysLogRow> rows;
    for (const SysLogRow& row : TodaysSysLogRows()) {
        if (row.SysLog_Cmd == code)
            rows.push_back(row);
    }
    return rows;
}

CMainFrame* StartFrame(CMainFrame* frame) {
    AfxGetApp()->m_pMainWnd = frame;
    if (!frame->LoadFrame(IDR_MENU_SIMPLIFIED, kFrameStyle, nullptr, nullptr))
        return nullptr;
    frame->ShowWindow(SW_SHOW);
    return frame;
}

bool TakeQuitMessage() {
    MSG msg;
    return PumpUntil([&] { return PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0; }, 2000);
}

void ExitWithYes(HWND frame) {
    MessageBoxAnswerer yes(L"T0212", IDYES);
    SendMessageW(frame, WM_COMMAND, ID_APP_EXIT, 0);
    EXPECT_TRUE(yes.Answered());
    EXPECT_EQ(L"T0211", yes.Text());
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_TRUE(TakeQuitMessage());
}
