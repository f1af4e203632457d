#include "settings/LangText.h"

#include "settings/Folders.h"
#include "settings/Settings.h"

int LanguageNumber = kLanguageChineseSimplified;

std::wstring LanguageFilePath(int language) {
    const wchar_t* file = L"CHS.ini";
    if (language == kLanguageChineseTraditional)
        file = L"CHT.ini";
    else if (language == kLanguageEnglish)
        file = L"EN.ini";
    return GetExeFolder() + L"\\Lang\\" + file;
}

std::wstring LangText(const wchar_t* key) {
    return ReadIniText(LanguageFilePath(LanguageNumber), L"Language", key);
}
