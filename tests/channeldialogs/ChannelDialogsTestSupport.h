#pragma once
// Shared by the tests of the channel and record dialogs: the English texts the build joins in the test's program
// folder, and the common controls the dialogs' templates use.

#include "TestFolder.h"

#include <windows.h>

#include <string>

// Copies the joined English language file into the program folder and makes English the language.
void UseEnglishTexts(const TestFolder& folder);

// The English text of a key, as the dialogs show it.
std::wstring English(const wchar_t* key);

// Saves what the window shows (frame included) as a PNG picture for a person to look at, under the
// machine's /tmp with the given name; the window and its controls are painted first unless repaint is false (a
// picture drawn straight on the screen would be painted over). False when the picture could not be made.
bool SaveScreenshot(HWND window, const wchar_t* name, bool repaint = true);
