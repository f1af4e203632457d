// The FTP settings dialog: what it shows of the settings, and what it writes back on OK and on Cancel.

#include "dialogs/FtpParamDlg.h"

#include "BackupTestSupport.h"
#include "FtpResource.h"
#include "PaneTestSupport.h"

#include <gtest/gtest.h>

namespace {

// Runs a script on the open dialog, which ends it by posting OK or Cancel.
class ScriptedFtpParamDlg : public CFtpParamDlg {
public:
    explicit ScriptedFtpParamDlg(std::function<void(HWND)> script) : m_script(std::move(script)) {}

protected:
    BOOL OnInitDialog() override {
        const BOOL result = CFtpParamDlg::OnInitDialog();
        m_script(GetSafeHwnd());
        return result;
    }

private:
    std::function<void(HWND)> m_script;
};

DWORD ShownAddress(HWND dialog) {
    DWORD address = 0;
    ::SendDlgItemMessageW(dialog, IDC_FTP_SERVER, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
    return address;
}

SYSTEMTIME ShownTime(HWND dialog, int id) {
    SYSTEMTIME time{};
    ::SendDlgItemMessageW(dialog, id, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
    return time;
}

void ChooseTime(HWND dialog, int id, WORD hour, WORD minute) {
    SYSTEMTIME time = ShownTime(dialog, id);
    time.wHour = hour;
    time.wMinute = minute;
    ::SendDlgItemMessageW(dialog, id, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

std::wstring ItemText(HWND dialog, int id) {
    return WindowText(::GetDlgItem(dialog, id));
}

int ReadFtpInt(const wchar_t* key) {
    return ReadSettingInt(kSectionSettings, key);
}

class FtpParamDlg : public ::testing::Test {
protected:
    void SetUp() override { PrepareProgramFolder(folder); }

    TestFolder folder;
};

}  // namespace

TEST_F(FtpParamDlg, ShowsTheSettingsAndStoresTheChangesOnOk) {
    WriteFtpInt(kKeyFtpBackup, 1);
    const int allDay[7] = {1, 0, 0, 1, 0, 0, 0};  // Sunday and Wednesday
    for (int day = 0; day < 7; ++day)
        WriteFtpInt(kKeyFtpAllDay[day], allDay[day]);
    WriteFtpInt(kKeyFtpServer, -1062731510);  // 192.168.1.10
    WriteFtpText(kKeyFtpUserName, L"tess");
    WriteFtpText(kKeyFtpUserPsw, L"secret");
    WriteFtpText(kKeyFtpPort, L"2121");
    WriteFtpInt(kKeyFtpFromHour, 22);
    WriteFtpInt(kKeyFtpFromMin, 5);
    WriteFtpInt(kKeyFtpToHour, 6);
    WriteFtpInt(kKeyFtpToMin, 30);

    ScriptedFtpParamDlg dialog([](HWND d) {
        EXPECT_EQ(L"FTP Settings", WindowText(d));
        EXPECT_EQ(L"Back up recordings to FTP", ItemText(d, IDC_FTP_BACKUP));
        EXPECT_EQ(L"All day Thursday", ItemText(d, IDC_FTP_ALLDAY_THURSDAY));
        EXPECT_EQ(L"to:", ItemText(d, IDC_FTP_TO_LABEL));
        EXPECT_EQ(L"Cancel", ItemText(d, IDCANCEL));
        EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(d, IDC_FTP_BACKUP));
        EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(d, IDC_FTP_ALLDAY_SUNDAY));
        EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(d, IDC_FTP_ALLDAY_WEDNESDAY));
        EXPECT_EQ(BST_UNCHECKED, ::IsDlgButtonChecked(d, IDC_FTP_ALLDAY_SATURDAY));
        EXPECT_EQ(BST_UNCHECKED, ::IsDlgButtonChecked(d, IDC_FTP_ALLDAY_MONDAY));
        EXPECT_EQ(0xC0A8010Au, ShownAddress(d));
        EXPECT_EQ(L"tess", ItemText(d, IDC_FTP_USER));
        EXPECT_EQ(L"secret", ItemText(d, IDC_FTP_PASSWORD));
        EXPECT_EQ(L"2121", ItemText(d, IDC_FTP_PORT));
        EXPECT_EQ(22, ShownTime(d, IDC_FTP_FROM).wHour);
        EXPECT_EQ(5, ShownTime(d, IDC_FTP_FROM).wMinute);
        EXPECT_EQ(6, ShownTime(d, IDC_FTP_TO).wHour);
        EXPECT_EQ(30, ShownTime(d, IDC_FTP_TO).wMinute);

        ::CheckDlgButton(d, IDC_FTP_BACKUP, BST_UNCHECKED);
        ::CheckDlgButton(d, IDC_FTP_ALLDAY_SUNDAY, BST_UNCHECKED);
        ::CheckDlgButton(d, IDC_FTP_ALLDAY_SATURDAY, BST_CHECKED);
        ::SendDlgItemMessageW(d, IDC_FTP_SERVER, IPM_SETADDRESS, 0, MAKEIPADDRESS(200, 1, 2, 3));
        ::SetDlgItemTextW(d, IDC_FTP_USER, L"operator");
        ::SetDlgItemTextW(d, IDC_FTP_PASSWORD, std::wstring(40, L'p').c_str());
        ::SetDlgItemTextW(d, IDC_FTP_PORT, L"21");
        ChooseTime(d, IDC_FTP_FROM, 23, 45);
        ChooseTime(d, IDC_FTP_TO, 5, 15);
        ::PostMessageW(d, WM_COMMAND, IDOK, 0);
    });
    ASSERT_EQ(IDOK, dialog.DoModal());

    EXPECT_EQ(0, ReadFtpInt(kKeyFtpBackup));
    const int storedAllDay[7] = {0, 0, 0, 1, 0, 0, 1};  // Wednesday and Saturday
    for (int day = 0; day < 7; ++day)
        EXPECT_EQ(storedAllDay[day], ReadFtpInt(kKeyFtpAllDay[day])) << day;
    EXPECT_EQ(L"-939458045", ReadSettingString(kSectionSettings, kKeyFtpServer));  // 200.1.2.3 as a signed value
    EXPECT_EQ(L"operator", ReadSettingString(kSectionSettings, kKeyFtpUserName));
    EXPECT_EQ(std::wstring(30, L'p'), ReadSettingString(kSectionSettings, kKeyFtpUserPsw));
    EXPECT_EQ(L"21", ReadSettingString(kSectionSettings, kKeyFtpPort));
    EXPECT_EQ(23, ReadFtpInt(kKeyFtpFromHour));
    EXPECT_EQ(45, ReadFtpInt(kKeyFtpFromMin));
    EXPECT_EQ(5, ReadFtpInt(kKeyFtpToHour));
    EXPECT_EQ(15, ReadFtpInt(kKeyFtpToMin));
}

TEST_F(FtpParamDlg, AStoredZeroServerShowsAsTheLoopbackNetworkAndCancelStoresNothing) {
    WriteFtpInt(kKeyFtpServer, 0);
    ScriptedFtpParamDlg dialog([](HWND d) {
        EXPECT_EQ(0x7F000000u, ShownAddress(d));
        ::SetDlgItemTextW(d, IDC_FTP_USER, L"changed");
        ::PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
    });
    ASSERT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(L"0", ReadSettingString(kSectionSettings, kKeyFtpServer));
    EXPECT_EQ(-1, ReadFtpInt(kKeyFtpBackup));
    EXPECT_EQ(L"", ReadSettingString(kSectionSettings, kKeyFtpUserName));
}
