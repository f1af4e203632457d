#pragma once
// Access to the INI files of the program folder: Server_Settings.ini (every setting of the server; the key names
// are in SettingKeys.h) and OEM\Server_oem.ini (branding), through the platform's private-profile functions, which
// keep a file consistent between threads. A changed setting is seen at its next read. The engine's threads read
// settings for every call and pass, so the values read from Server_Settings.ini are kept until the file changes
// (its size or last-write time, or a write of this process): a read then costs one look at the file's attributes
// instead of a parse of the file. Any thread. These functions never correct a value; the corrected readers are in
// SettingValues.h.

#include <string>

// "<program folder>\Server_Settings.ini".
std::wstring SettingsFilePath();

// The integer of the key; -1 when the key is absent, 0 when its value does not start with digits.
int ReadSettingInt(const wchar_t* section, const wchar_t* key);

// The text of the key (at most 999 characters); empty when absent. Every backslash-n pair becomes a line feed.
std::wstring ReadSettingString(const wchar_t* section, const wchar_t* key);

// Write the value as it is ("%d" for integers). A failed write is ignored. When the settings file does not exist
// yet it is first created as UTF-16 with a byte-order mark, so names in any script survive; an existing file
// keeps its encoding.
void WriteSettingInt(const wchar_t* section, const wchar_t* key, int value);
void WriteSettingString(const wchar_t* section, const wchar_t* key, const wchar_t* value);

// ReadSettingString on "<program folder>\OEM\Server_oem.ini".
std::wstring ReadOemString(const wchar_t* section, const wchar_t* key);

// The text reader shared by the settings, branding and language files: a 1000-character read, empty when the
// file or key is absent, backslash-n pairs turned into line feeds.
std::wstring ReadIniText(const std::wstring& file, const wchar_t* section, const wchar_t* key);
