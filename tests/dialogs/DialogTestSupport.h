#pragma once
// Helpers of the operator dialog tests: a program folder with the English texts and the application's icons, the
// stores a dialog works on, a driver that scripts modal dialogs and answers their message boxes from inside their
// modal loops, reads of controls by their messages, the day's system-log rows and screenshots.

#include "TestFolder.h"
#include "WaitUntil.h"
#include "records/StorageRecords.h"

#include "mfc.h"

#include <functional>
#include <string>
#include <vector>

// English texts, the application's icon list and the common controls; the operator and client account stores and
// the contact store open (with their default accounts) in the test's data folder, closed again by the destructor.
class DialogTestEnvironment {
public:
    DialogTestEnvironment();
    ~DialogTestEnvironment();
    DialogTestEnvironment(const DialogTestEnvironment&) = delete;
    DialogTestEnvironment& operator=(const DialogTestEnvironment&) = delete;

    const TestFolder& Folder() const { return m_folder; }

private:
    TestFolder m_folder;
};

// Scripts the modal dialogs of the calling (UI) thread. A thread timer looks at the thread's windows while any
// modal loop runs: a message box is noted and answered (OK, or the next queued answer of a Yes/No box, Yes when
// none is queued); the newest enabled dialog not yet scripted runs the next queued script. A script may open
// nested dialogs and message boxes by sending commands: the timer serves them from inside their own loops. A script
// ends its dialog itself.
class DialogDriver {
public:
    struct Message {
        std::wstring Caption;
        std::wstring Text;
    };
    using Script = std::function<void(HWND dialog)>;

    DialogDriver();
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    void Then(Script script) { m_scripts.push_back(std::move(script)); }
    void AnswerNextQuestion(int answer) { m_answers.push_back(answer); }
    // Runs the dialog modally with the script on it; answers its result.
    INT_PTR Run(CDialog& dialog, Script script);

    // The message boxes shown so far, oldest first.
    std::vector<Message> Messages;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Serve();

    std::vector<Script> m_scripts;
    std::vector<int> m_answers;
    std::vector<HWND> m_served;
    UINT_PTR m_timer;
};

// Commands and controls.
std::wstring WindowText(HWND window);
void Click(HWND dialog, int id);  // a button's BN_CLICKED, sent
std::wstring ItemText(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::wstring& text);
bool IsItemEnabled(HWND dialog, int id);
int ComboSelection(HWND dialog, int id);
std::wstring ComboText(HWND dialog, int id, int item);
void SelectCombo(HWND dialog, int id, int item);
SYSTEMTIME PickerTime(HWND dialog, int id);
void SetPickerTime(HWND dialog, int id, const SYSTEMTIME& time);
// The edit with the keyboard focus, and its selection.
int FocusedId();
std::pair<int, int> EditSelection(HWND dialog, int id);

// List views.
int RowCount(HWND list);
std::wstring CellText(HWND list, int row, int column);
int CellImage(HWND list, int row, int column);
bool IsRowChecked(HWND list, int row);
void CheckRow(HWND list, int row, bool checked);
// Selects exactly these rows (the selection's notifications included).
void SelectRows(HWND list, const std::vector<int>& rows);

// The rows of today's system-log file, oldest first; none when there is no file.
std::vector<SysLogRow> TodaysSysLogRows();

// Whole files.
std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);

// A picture of the window as the screen shows it, written as a PNG under the temporary folder of the machine
// ("/tmp" for Wine's Z: drive), for a person to look at.
void SaveScreenshot(HWND window, const wchar_t* name);
