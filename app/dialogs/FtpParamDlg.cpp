#include "dialogs/FtpParamDlg.h"

#include "FtpResource.h"
#include "settings/LangText.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"

namespace {

// A control and the text key or setting key that fills it.
struct ControlKey {
    int Id;
    const wchar_t* Key;
};

constexpr ControlKey kControlTexts[] = {
    {IDC_FTP_BACKUP, L"0438"},
    {IDC_FTP_SERVER_LABEL, L"0439"},
    {IDC_FTP_PORT_LABEL, L"0440"},
    {IDC_FTP_USER_LABEL, L"0441"},
    {IDC_FTP_PASSWORD_LABEL, L"0442"},
    {IDC_FTP_FROM_LABEL, L"0443"},
    {IDC_FTP_TO_LABEL, L"0462"},
    {IDC_FTP_ALLDAY_SUNDAY, L"0444"},
    {IDC_FTP_ALLDAY_SATURDAY, L"0445"},
    {IDC_FTP_ALLDAY_MONDAY, L"0446"},
    {IDC_FTP_ALLDAY_TUESDAY, L"0447"},
    {IDC_FTP_ALLDAY_WEDNESDAY, L"0448"},
    {IDC_FTP_ALLDAY_THURSDAY, L"0449"},
    {IDC_FTP_ALLDAY_FRIDAY, L"0450"},
    {IDOK, L"0451"},
    {IDCANCEL, L"0452"},
};

// The all-day check box of each weekday key, FtpAllDay0 (Sunday) to FtpAllDay6 (Saturday).
constexpr int kAllDayBoxes[7] = {IDC_FTP_ALLDAY_SUNDAY,    IDC_FTP_ALLDAY_MONDAY,   IDC_FTP_ALLDAY_TUESDAY,
                                 IDC_FTP_ALLDAY_WEDNESDAY, IDC_FTP_ALLDAY_THURSDAY, IDC_FTP_ALLDAY_FRIDAY,
                                 IDC_FTP_ALLDAY_SATURDAY};

// The texts kept as typed; the port too is stored as text.
constexpr ControlKey kTextSettings[] = {
    {IDC_FTP_USER, kKeyFtpUserName},
    {IDC_FTP_PASSWORD, kKeyFtpUserPsw},
    {IDC_FTP_PORT, kKeyFtpPort},
};

// Each text is read with at most this many characters.
constexpr int kMaxTextLength = 30;

// An address stored as 0 was never set: the control offers the loopback network instead.
constexpr DWORD kUnsetServerAddress = 0x7F000000;

int ReadFtpSetting(const wchar_t* key) {
    return ReadSettingInt(kSectionSettings, key);
}

void ShowTime(CDateTimeCtrl& picker, const wchar_t* hourKey, const wchar_t* minuteKey) {
    picker.SetFormat(L"HH:mm");
    SYSTEMTIME time;
    ::GetLocalTime(&time);
    time.wHour = static_cast<WORD>(ReadFtpSetting(hourKey));
    time.wMinute = static_cast<WORD>(ReadFtpSetting(minuteKey));
    time.wSecond = 0;
    time.wMilliseconds = 0;
    picker.SetTime(&time);
}

void StoreTime(CDateTimeCtrl& picker, const wchar_t* hourKey, const wchar_t* minuteKey) {
    SYSTEMTIME time{};
    picker.GetTime(&time);
    WriteSettingInt(kSectionSettings, hourKey, time.wHour);
    WriteSettingInt(kSectionSettings, minuteKey, time.wMinute);
}

}  // namespace

CFtpParamDlg::CFtpParamDlg(CWnd* pParent) : CDialog(IDD_FTP_PARAM, pParent) {}

void CFtpParamDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FTP_SERVER, m_server);
    DDX_Control(pDX, IDC_FTP_FROM, m_from);
    DDX_Control(pDX, IDC_FTP_TO, m_to);
}

BOOL CFtpParamDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(LangText(L"0437").c_str());
    for (const ControlKey& text : kControlTexts)
        SetDlgItemText(text.Id, LangText(text.Key).c_str());

    CheckDlgButton(IDC_FTP_BACKUP, ReadFtpSetting(kKeyFtpBackup) == 1 ? BST_CHECKED : BST_UNCHECKED);
    for (int day = 0; day < 7; ++day)
        CheckDlgButton(kAllDayBoxes[day], ReadFtpSetting(kKeyFtpAllDay[day]) == 1 ? BST_CHECKED : BST_UNCHECKED);

    const DWORD server = static_cast<DWORD>(ReadFtpSetting(kKeyFtpServer));
    m_server.SetAddress(server == 0 ? kUnsetServerAddress : server);
    for (const ControlKey& text : kTextSettings)
        SetDlgItemText(text.Id, ReadSettingString(kSectionSettings, text.Key).c_str());

    ShowTime(m_from, kKeyFtpFromHour, kKeyFtpFromMin);
    ShowTime(m_to, kKeyFtpToHour, kKeyFtpToMin);
    return TRUE;
}

void CFtpParamDlg::OnOK() {
    WriteSettingInt(kSectionSettings, kKeyFtpBackup, IsDlgButtonChecked(IDC_FTP_BACKUP) == BST_CHECKED);
    for (int day = 0; day < 7; ++day)
        WriteSettingInt(kSectionSettings, kKeyFtpAllDay[day], IsDlgButtonChecked(kAllDayBoxes[day]) == BST_CHECKED);

    DWORD server = 0;
    m_server.GetAddress(server);
    WriteSettingInt(kSectionSettings, kKeyFtpServer, static_cast<int>(server));  // negative from 128.0.0.0 up

    StoreTime(m_from, kKeyFtpFromHour, kKeyFtpFromMin);
    StoreTime(m_to, kKeyFtpToHour, kKeyFtpToMin);

    for (const ControlKey& text : kTextSettings) {
        wchar_t value[kMaxTextLength + 1] = {};
        GetDlgItemText(text.Id, value, kMaxTextLength + 1);
        WriteSettingString(kSectionSettings, text.Key, value);
    }
    CDialog::OnOK();
}
