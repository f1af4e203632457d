#pragma once
// A window of the thread that makes it, standing for the UI thread to which the GUI's view sends every call: Send,
// from any other thread, waits until the window's thread serves sent messages. It counts the sends begun and
// ended, so that a test sees whether a thread was left (or killed) inside one.

#include <windows.h>

#include <atomic>

class SentMessageWindow {
public:
    SentMessageWindow()
        : m_window(::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
    ~SentMessageWindow() { ::DestroyWindow(m_window); }
    SentMessageWindow(const SentMessageWindow&) = delete;
    SentMessageWindow& operator=(const SentMessageWindow&) = delete;

    void Send() {
        ++Begun;
        ::SendMessageW(m_window, WM_NULL, 0, 0);
        ++Ended;
    }

    std::atomic<int> Begun{0};
    std::atomic<int> Ended{0};

private:
    HWND m_window;
};
