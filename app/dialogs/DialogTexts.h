#pragma once
// The language texts of the operator dialogs. Every caption, label, button and list text is the language text of a
// key, set when the dialog opens; a message takes its text and caption by key when it is shown. UI thread.

#include "mfc.h"

#include <span>

// A control and the key of its text.
struct ControlText {
    int Id;
    const wchar_t* Key;
};

// Sets the window's caption (null captionKey keeps the template's) and the text of each control.
void SetDialogTexts(CWnd* dialog, const wchar_t* captionKey, std::span<const ControlText> texts);

// Empties the combo box and fills it with the texts of the keys: item i shows keys[i].
void FillComboTexts(CWnd* dialog, int comboId, std::span<const wchar_t* const> keys);

// A message box owned by the dialog, its text and caption by key; answers the button pressed.
int ShowLangMessage(CWnd* dialog, const wchar_t* textKey, const wchar_t* captionKey, UINT type);
