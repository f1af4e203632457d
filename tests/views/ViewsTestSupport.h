#pragma once
// Helpers of the view tests: a program folder whose language file answers every text key with "T" + the key, so
// a test sees which key a cell or a button took; the application's icon list; a top-level window to hold panes.

#include "DibPixels.h"
#include "ListReading.h"
#include "OwnDialog.h"
#include "TestFolder.h"
#include "WaitUntil.h"
#include "settings/LangText.h"
#include "common/AppIcons.h"

#include "mfc.h"

#include <atomic>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

// "T" + key, the text the echo language gives a key.
inline std::wstring Echo(const wchar_t* key) {
    return std::wstring(L"T") + key;
}

// The English language file of the folder answers the keys 0000-0999, 5000-5099 and 10000-10099 with their echo;
// the common controls are registered.
inline void PrepareEchoLanguage(const TestFolder& folder) {
    std::wstring text = L"[Language]\r\n";
    auto add = [&text](int first, int last, int width) {
        for (int key = first; key <= last; ++key) {
            CString name;
            name.Format(L"%0*d", width, key);
            text += std::wstring(name.GetString()) + L"=T" + name.GetString() + L"\r\n";
        }
    };
    add(0, 999, 4);
    add(5000, 5099, 4);
    add(10000, 10099, 5);
    WriteUtf16File(folder.ProgramFolder() + L"\\Lang\\EN.ini", text);
    LanguageNumber = kLanguageEnglish;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
}

// An icon list of the application's size with every slot blank.
inline void CreateBlankAppIcons(CImageList& icons) {
    icons.Create(kAppIconSize, kAppIconSize, ILC_COLOR32 | ILC_MASK, kAppIconCount, 0);
    ::ImageList_SetImageCount(icons.GetSafeHandle(), kAppIconCount);
}

// Runs work on the thread that made the runner, from any thread, as one sent message: how the GUI's service view
// carries a service thread's call to the UI thread.
class UiThreadRunner {
public:
    UiThreadRunner()
        : m_window(::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {
        ::SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
    }
    ~UiThreadRunner() { ::DestroyWindow(m_window); }
    UiThreadRunner(const UiThreadRunner&) = delete;
    UiThreadRunner& operator=(const UiThreadRunner&) = delete;

    void Run(const std::function<void()>& work) {
        ::SendMessageW(m_window, WM_APP, 0, reinterpret_cast<LPARAM>(&work));
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message != WM_APP)
            return ::DefWindowProcW(window, message, wParam, lParam);
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
        return 0;
    }

    HWND m_window;
};

// Runs call on a thread of its own while this thread serves the messages it sends; answers whether it ended within
// a minute.
inline bool RunOnWorker(const std::function<void()>& call) {
    std::atomic<bool> done{false};
    const DWORD uiThread = ::GetCurrentThreadId();
    std::thread worker([&] {
        call();
        done = true;
        ::PostThreadMessageW(uiThread, WM_NULL, 0, 0);  // wakes the pump
    });
    const auto isDone = [&] { return done.load(); };
    const bool inTime = PumpUntil(isDone, 60000);
    // Late or not, the worker's sent messages need the pump until it ends: a join alone would deadlock.
    while (!PumpUntil(isDone)) {
    }
    worker.join();
    return inTime;
}

// The source tree's resources folder as the Windows program sees it.
inline std::wstring ResourcesFolder() {
    std::wstring path = L"Z:" + std::filesystem::path(TESS_RESOURCES_DIR).wstring();
    for (wchar_t& c : path)
        c = c == L'/' ? L'\\' : c;
    return path;
}

// The program's pictures (toolbar bitmaps and the icons of the application's icon list) in the folder's Image.
inline void CopyImages(const TestFolder& folder) {
    std::filesystem::copy(std::filesystem::path(ResourcesFolder()) / L"Image",
                          std::filesystem::path(folder.ProgramFolder()) / L"Image",
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
}

// Answers the next message box with the caption by pressing a button, from a thread of its own: a box is modal on
// the thread under test. Answered() tells whether one came within the deadline.
class MessageBoxAnswerer {
public:
    MessageBoxAnswerer(const std::wstring& caption, int button)
        : m_thread([this, caption, button] {
              m_answered = WaitUntil(
                  [&] {
                      const HWND box = FindOwnDialog(caption);
                      return box && ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
                  },
                  5000);
          }) {}
    ~MessageBoxAnswerer() {
        if (m_thread.joinable())
            m_thread.join();
    }
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    bool Answered() {
        if (m_thread.joinable())
            m_thread.join();
        return m_answered;
    }

private:
    std::atomic<bool> m_answered{false};
    std::thread m_thread;
};

// The screen's pixels of a shown window, for a person to look at.
inline void SaveScreenshot(HWND window, const wchar_t* path) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
    CRect rect;
    ::GetWindowRect(window, &rect);
    CScopedMemDC dc(rect.Width(), rect.Height());
    if (!dc.IsValid())
        return;
    const HDC screen = ::GetDC(nullptr);
    ::BitBlt(dc.GetSafeHdc(), 0, 0, rect.Width(), rect.Height(), screen, rect.left, rect.top, SRCCOPY);
    ::ReleaseDC(nullptr, screen);
    WritePng(dc, path);
}

// The application's icon list from the pictures of the folder's Image (CopyImages), once per process.
inline void EnsureAppIcons() {
    if (AppIconList().GetSafeHandle())
        return;
    CScopedGdiPlus gdiPlus;
    AppIconList().Attach(LoadAppIcons());
}
