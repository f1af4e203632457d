#include "backup/FtpSettings.h"

#include "settings/SettingKeys.h"
#include "settings/FormatText.h"
#include "settings/Settings.h"

#include "mfc.h"

namespace {

std::wstring ReadFtpText(const wchar_t* key) {
    std::wstring text = ReadSettingString(kSectionSettings, key);
    if (text.size() > kFtpTextLength)
        text.resize(kFtpTextLength);
    return text;
}

}  // namespace

FtpLogin ReadFtpLogin() {
    FtpLogin login;
    login.Backup = ReadSettingInt(kSectionSettings, kKeyFtpBackup);
    login.Port = ReadSettingInt(kSectionSettings, kKeyFtpPort);
    login.Server = ReadSettingInt(kSectionSettings, kKeyFtpServer);
    login.UserName = ReadFtpText(kKeyFtpUserName);
    login.Password = ReadFtpText(kKeyFtpUserPsw);
    return login;
}

std::wstring FtpSerialNumber(const SYSTEMTIME& now) {
    std::wstring serial = ReadFtpText(kKeyLocalSerialNo);
    if (!serial.empty())
        return serial;
    const std::wstring made =
        FormatText(L"%08d", now.wYear + now.wMonth + now.wDay + now.wHour + now.wMinute + now.wSecond);
    WriteSettingString(kSectionSettings, kKeyLocalSerialNo, made.c_str());
    return made;
}
