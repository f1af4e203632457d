#pragma once
// What the upload thread reads of section Settings at every pass: the FTP login and the site's serial number,
// the first folder of everything it uploads. Any thread.

#include <windows.h>

#include <string>

// Texts read from the settings are cut to this many characters; the program itself never writes longer ones.
constexpr size_t kFtpTextLength = 31;

struct FtpLogin {
    int Backup;             // FtpBackup: 0 stops the upload thread's passes
    int Port;               // FtpPort
    int Server;             // FtpServer: IPv4 address, first octet in the most significant byte
    std::wstring UserName;  // FtpUserName
    std::wstring Password;  // FtpUserPsw

    // The backup is on and both texts are set; an empty password stops uploads even to anonymous servers.
    bool CanUpload() const { return Backup != 0 && !UserName.empty() && !Password.empty(); }
};

FtpLogin ReadFtpLogin();

// LocalSerialNo. When it is empty a number is made, "%08d" of year + month + day + hour + minute + second of now
// (the weekday is not added), and written back, so the site keeps it from then on.
std::wstring FtpSerialNumber(const SYSTEMTIME& now);
