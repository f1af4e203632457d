#pragma once
#include "TkHookManager.h"

#include "mfc.h"

#include <memory>

// CTkControlComboBoxAutoCompleteWnd: follows the shell's "Auto-Suggest Dropdown" window for a combo's
// edit window. While the edit has the focus the tracker is the process's active one: a WH_CALLWNDPROC
// thread hook sees every window of the thread being shown or hidden. The suggestion window, once shown,
// is trusted by the mouse manager (clicks in it keep the bars open) and the edit window hears
// AutoSuggestShownMessage. As a keyboard sink it passes Page Up, Page Down, Up and Down to the
// suggestions while they show. Deleting the tracker deactivates it. UI thread; one active tracker.

class CTkControlComboBoxAutoCompleteWnd : public CTkHookManagerHookAble {
public:
    explicit CTkControlComboBoxAutoCompleteWnd(HWND hwndEdit) : m_hwndEdit(hwndEdit) {}
    // Deactivates: the hook, the keyboard sink, the trusted window and the active tracker all go.
    ~CTkControlComboBoxAutoCompleteWnd() override;
    CTkControlComboBoxAutoCompleteWnd(const CTkControlComboBoxAutoCompleteWnd&) = delete;
    CTkControlComboBoxAutoCompleteWnd& operator=(const CTkControlComboBoxAutoCompleteWnd&) = delete;

    // Makes this the active tracker (deactivating another) and installs the hook; FALSE when it fails.
    BOOL Activate();
    void Deactivate();
    BOOL IsActive() const;
    // The shown suggestion window, or NULL.
    HWND GetSuggestionWindow() const { return m_hwndSuggestion; }
    // Hides a shown suggestion window.
    void HideSuggestionWindow();
    // The tracker whose hook is installed, or NULL.
    static CTkControlComboBoxAutoCompleteWnd* GetActive();

    // Keys and the wheel from the keyboard manager.
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

private:
    static LRESULT CALLBACK CallWndProc(int nCode, WPARAM wParam, LPARAM lParam);
    void OnWindowPosChanging(HWND hWnd, const WINDOWPOS* pPos);

    HWND m_hwndEdit;
    HWND m_hwndSuggestion = nullptr;
};

// Keeps shell auto-completion on the edit window (SHAutoComplete from "shlwapi.dll", which stays loaded
// until exit because the completion object it attaches lives on in the edit) and answers its tracker,
// active at once when the edit has the focus. NULL when the library or the entry point is missing or the
// call fails.
std::unique_ptr<CTkControlComboBoxAutoCompleteWnd> AttachShellAutoComplete(HWND hwndEdit, DWORD dwFlags);
