#pragma once
// Plays the operator of the modal windows this thread opens: a thread timer, served by every modal loop, finds the
// dialog that is shown and runs the steps the test gave for it, and answers every message box with OK after noting
// its text and caption. The steps end their dialog themselves (OK, Cancel or the close box).

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

class DialogDriver {
public:
    struct MessageBoxSeen {
        std::wstring Text;
        std::wstring Caption;
    };

    DialogDriver();
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // The next dialog shown (a window with a caption that is not a message box) gets the steps, once.
    void WhenShown(std::function<void(HWND dialog)> steps);
    // The message boxes answered so far, oldest first; TakeMessageBoxes empties the list.
    std::vector<MessageBoxSeen> TakeMessageBoxes();

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void OnTick();

    UINT_PTR m_timer = 0;
    bool m_running = false;  // steps are running; a nested loop's ticks only answer message boxes
    std::deque<std::function<void(HWND)>> m_steps;
    std::vector<MessageBoxSeen> m_messageBoxes;
};

// Helpers of the steps.
std::wstring ItemText(HWND dialog, int id);
bool IsItemEnabled(HWND dialog, int id);
// Clicks the button as the mouse does (a disabled button does nothing).
void Click(HWND dialog, int id);
// Selects the item of a combo box and tells the dialog, as the user's choice does.
void Choose(HWND dialog, int id, int item);
int Selection(HWND dialog, int id);
SYSTEMTIME PickerTime(HWND dialog, int id);
void SetPickerTime(HWND dialog, int id, WORD hour, WORD minute);
void SetPickerTime(HWND dialog, int id, const SYSTEMTIME& time);
