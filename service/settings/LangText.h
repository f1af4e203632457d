#pragma once
// The user-interface texts. Every visible text comes from the language file of LanguageNumber
// ("<program folder>\Lang\CHS.ini", CHT.ini or EN.ini, section Language), keyed by its text number ("0393").
// LanguageNumber is set once at start-up, before any text is fetched and before other threads run; a language
// chosen in the settings dialog takes effect at the next start. LangText may be called from any thread.

#include <string>

constexpr int kLanguageChineseSimplified = 0;
constexpr int kLanguageChineseTraditional = 1;
constexpr int kLanguageEnglish = 2;

// The values of setting Language for the three language numbers.
inline constexpr const wchar_t* kLanguageName[3] = {L"ChineseSimplified", L"ChineseTraditional", L"English"};

extern int LanguageNumber;

// "<program folder>\Lang\<file>" for a language number; any number but 1 and 2 reads CHS.ini.
std::wstring LanguageFilePath(int language);

// The text of the key in the current language, line breaks expanded; empty when the file or key is missing
// (callers show it as it is).
std::wstring LangText(const wchar_t* key);
