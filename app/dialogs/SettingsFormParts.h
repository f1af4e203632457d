#pragma once
// What the server settings and the client settings dialogs share: the free-space line of a recording folder, the
// folder pickers that store their choice at once, and the language and pop-up lists. UI thread.

#include "mfc.h"

#include <string>

constexpr int kRecordingFolderCount = 5;

// "<folder>  <free>(GB)/<total>(GB) --><hours> <text 0338>": the free and total space of the folder's volume, and
// the recording hours counted at 70 per whole free gigabyte; 0.00, 0.00 and 0 when the volume cannot be queried.
std::wstring FreeSpaceLine(const std::wstring& folder);

// The picker of recording folder n (0 for RecFolder1): opened on the folder stored, it stores the choice (ending in
// a backslash) at once and shows its free-space line in the edit; a cancelled picker empties both the key and the
// edit. What is stored stays even when the dialog is then cancelled.
void BrowseRecordingFolder(CWnd* dialog, int folder, int editId);

// The language list (simplified Chinese, traditional Chinese, English) with the running language selected.
void FillLanguageList(CWnd* dialog, int comboId);
// Tells the operator that a language other than the running one takes effect at the next start.
void NoticeLanguageChange(CWnd* dialog, int language);
// Stores the chosen language (LanguageID and Language); an index outside the list stores simplified Chinese.
void StoreLanguage(int language);

// The pop-up list (off, on) showing InPopup; a negative value is stored as 0.
void FillPopupList(CWnd* dialog, int comboId);
