#pragma once
// What the frame's tests share: the program and data folders of one start, with a key-echo language file (every
// key's text is "T" and the key) and English chosen; a helper thread that answers the message box of a caption;
// starting and exiting the main frame; and reading the day's system-log rows.

#include "TestFolder.h"
#include "records/StorageRecords.h"

#include "mfc.h"

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

// A fresh program folder for one start of the server: English chosen (and the current language), a key-echo EN.ini
// and a client port of its own.
class ServerFolder : public TestFolder {
public:
    ServerFolder();
    int ClientPort() const { return m_clientPort; }

private:
    int m_clientPort;
};

// Answers the first message box captioned caption with button (IDYES, IDOK...) from a thread of its own, and
// keeps the box's text.
class MessageBoxAnswerer {
public:
    MessageBoxAnswerer(std::wstring caption, int button);
    ~MessageBoxAnswerer();
    // Waits for the answer; false when no box came within the time.
    bool Answered(int timeoutMs = 10000);
    std::wstring Text() const { return m_text; }

private:
    std::wstring m_caption;
    int m_button;
    std::atomic<bool> m_answered = false;
    std::atomic<bool> m_stop = false;
    std::wstring m_text;
    std::thread m_thread;
};

// Every row of today's system log; empty when there is no file.
std::vector<SysLogRow> TodaysSysLogRows();

// Every row of today's system log with the event code.
std::vector<SysLogRow> RowsOf(int code);

class CMainFrame;

constexpr DWORD kFrameStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE;

// Starts a frame of the given class as the application's main window and shows it; null when the start fails.
CMainFrame* StartFrame(CMainFrame* frame);
// Takes the quit message that the main window's destruction posts, so later cases keep their loop.
bool TakeQuitMessage();
// Exits as the operator does: the exit command, answered Yes; the window and its quit message are gone.
void ExitWithYes(HWND frame);
