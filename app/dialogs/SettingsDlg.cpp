#include "dialogs/SettingsDlg.h"

#include "OperatorDialogsResource.h"
#include "clients/ClientPushes.h"
#include "dialogs/DialogTexts.h"
#include "dialogs/SettingsFormParts.h"
#include "remote/TcpServer.h"
#include "settings/SettingKeys.h"
#include "settings/SettingValues.h"
#include "settings/Settings.h"

namespace {

constexpr ControlText kTexts[] = {
    {IDC_SET_LOCAL_NAME_LABEL, L"0110"},
    {IDC_SET_SERIAL_LABEL, L"0111"},
    {IDC_SET_FOLDER1_LABEL, L"0112"},
    {IDC_SET_FOLDER2_LABEL, L"0113"},
    {IDC_SET_FOLDER3_LABEL, L"0114"},
    {IDC_SET_FOLDER4_LABEL, L"0115"},
    {IDC_SET_FOLDER5_LABEL, L"0116"},
    {IDC_SET_BROWSE1, L"0119"},
    {IDC_SET_BROWSE2, L"0119"},
    {IDC_SET_BROWSE3, L"0119"},
    {IDC_SET_BROWSE4, L"0119"},
    {IDC_SET_BROWSE5, L"0119"},
    {IDC_SET_AUDIO_FMT_LABEL, L"0117"},
    {IDC_SET_MIN_REC_LABEL, L"0118"},
    {IDC_SET_POPUP_LABEL, L"0268"},
    {IDC_SET_LANGUAGE_LABEL, L"0318"},
    {IDC_SET_RESTART_LABEL, L"0330"},
    {IDC_SET_DAY0, L"0331"},
    {IDC_SET_DAY6, L"0332"},
    {IDC_SET_DAY5, L"0337"},
    {IDC_SET_DAY4, L"0336"},
    {IDC_SET_DAY3, L"0335"},
    {IDC_SET_DAY2, L"0334"},
    {IDC_SET_DAY1, L"0333"},
    {IDC_SET_MISSED_RING_LABEL, L"0364"},
    {IDC_SET_MISSED_RING_UNIT, L"0366"},
    {IDC_SET_REC_BY_PICKUP, L"0365"},
    {IDC_SET_DTMF_LABEL, L"0413"},
    {IDC_SET_DTMF_UNIT, L"0414"},
    {IDC_SET_PORT_LABEL, L"0423"},
    {IDC_SET_BLACKLIST_IN, L"0424"},
    {IDC_SET_BLACKLIST_OUT, L"0425"},
    {IDC_SET_RING_SIGNAL, L"5057"},
    {IDOK, L"0120"},
    {IDCANCEL, L"0121"},
};

// The free-space edit of each recording folder.
constexpr int kFolderEdits[kRecordingFolderCount] = {IDC_SET_FOLDER1, IDC_SET_FOLDER2, IDC_SET_FOLDER3, IDC_SET_FOLDER4,
                                                     IDC_SET_FOLDER5};

// AudioFmt: 0 IMA ADPCM, 1 IMA ADPCM then MP3, 2 A-law, 3 mu-law.
constexpr const wchar_t* kAudioFmtKeys[] = {L"0123", L"0124", L"0411", L"0412"};

// The restart check box of each weekday key Day0 (Sunday) to Day6 (Saturday).
constexpr int kDayBoxes[7] = {IDC_SET_DAY0, IDC_SET_DAY1, IDC_SET_DAY2, IDC_SET_DAY3,
                              IDC_SET_DAY4, IDC_SET_DAY5, IDC_SET_DAY6};

// The check box of a key that is on exactly when it holds 1.
struct CheckedKey {
    int Id;
    const wchar_t* Key;
};

constexpr CheckedKey kBlacklistBoxes[] = {
    {IDC_SET_BLACKLIST_IN, kKeySaveHeimingDanInbound},
    {IDC_SET_BLACKLIST_OUT, kKeySaveHeimingDanOutbound},
};

// A text is stored with at most this many characters.
constexpr int kMaxTextLength = 62;

int ReadSetting(const wchar_t* key) {
    return ReadSettingInt(kSectionSettings, key);
}

void WriteSetting(const wchar_t* key, int value) {
    WriteSettingInt(kSectionSettings, key, value);
}

int Corrected(const wchar_t* key, const IntCorrection& correction) {
    return ReadCorrectedInt(kSectionSettings, key, correction);
}

// A port the server cannot listen on runs the server on the default port; the file keeps what was entered.
int RunningPort(int entered) {
    const IntCorrection& port = kNetPortCorrection;
    return entered >= port.Low && entered <= port.High ? entered : port.Replacement;
}

}  // namespace

BEGIN_MESSAGE_MAP(CSettingsDlg, CDialog)
    ON_BN_CLICKED(IDC_SET_BROWSE1, OnBrowseRecFolder1)
    ON_BN_CLICKED(IDC_SET_BROWSE2, OnBrowseRecFolder2)
    ON_BN_CLICKED(IDC_SET_BROWSE3, OnBrowseRecFolder3)
    ON_BN_CLICKED(IDC_SET_BROWSE4, OnBrowseRecFolder4)
    ON_BN_CLICKED(IDC_SET_BROWSE5, OnBrowseRecFolder5)
END_MESSAGE_MAP()

CSettingsDlg::CSettingsDlg(CWnd* pParent) : CDialog(IDD_SETTINGS, pParent) {}

BOOL CSettingsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDialogTexts(this, L"0109", kTexts);
    FillComboTexts(this, IDC_SET_AUDIO_FMT, kAudioFmtKeys);
    SendDlgItemMessage(IDC_SET_AUDIO_FMT, CB_SETCURSEL, 0);
    FillLanguageList(this, IDC_SET_LANGUAGE);

    SetDlgItemText(IDC_SET_LOCAL_NAME, ReadSettingString(kSectionSettings, kKeyLocalName).c_str());
    SetDlgItemText(IDC_SET_SERIAL, ReadSettingString(kSectionSettings, kKeyLocalSerialNo).c_str());
    SetDlgItemInt(IDC_SET_PORT, static_cast<UINT>(Startup.NetPort.load()), TRUE);
    for (int folder = 0; folder < kRecordingFolderCount; ++folder) {
        const std::wstring path = ReadSettingString(kSectionSettings, kKeyRecFolderN[folder]);
        SetDlgItemText(kFolderEdits[folder], FreeSpaceLine(path).c_str());
    }

    SendDlgItemMessage(IDC_SET_AUDIO_FMT, CB_SETCURSEL, Corrected(kKeyAudioFmt, kAudioFmtDialogCorrection));
    FillPopupList(this, IDC_SET_POPUP);
    SetDlgItemInt(IDC_SET_MIN_REC, static_cast<UINT>(Corrected(kKeyMinRec, kMinRecDialogCorrection)), TRUE);
    SetDlgItemInt(IDC_SET_MISSED_RING, static_cast<UINT>(Corrected(kKeyMissedRing, kMissedRingCorrection)), TRUE);
    CheckDlgButton(IDC_SET_REC_BY_PICKUP, Corrected(kKeyStartRecByPickup, kStartRecByPickupCorrection));
    SetDlgItemInt(IDC_SET_DTMF, static_cast<UINT>(ReadSetting(kKeyDtmfKeySave)), TRUE);
    ShowRestartTime();

    for (int day = 0; day < 7; ++day)
        CheckDlgButton(kDayBoxes[day], Corrected(kKeyDay[day], kNotNegativeCorrection));
    for (const CheckedKey& box : kBlacklistBoxes)
        CheckDlgButton(box.Id, ReadSetting(box.Key) == 1 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_SET_RING_SIGNAL, Startup.StartRecordByRingSignal.load());
    return TRUE;
}

void CSettingsDlg::ShowRestartTime() {
    SYSTEMTIME time;
    ::GetLocalTime(&time);
    time.wHour = static_cast<WORD>(Corrected(kKeyAutoHour, kNotNegativeCorrection));
    time.wMinute = static_cast<WORD>(Corrected(kKeyAutoMin, kNotNegativeCorrection));
    SendDlgItemMessage(IDC_SET_RESTART_TIME, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"HH:mm"));
    SendDlgItemMessage(IDC_SET_RESTART_TIME, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

void CSettingsDlg::OnOK() {
    wchar_t text[kMaxTextLength + 1] = {};
    GetDlgItemText(IDC_SET_LOCAL_NAME, text, kMaxTextLength + 1);
    WriteSettingString(kSectionSettings, kKeyLocalName, text);
    GetDlgItemText(IDC_SET_SERIAL, text, kMaxTextLength + 1);
    WriteSettingString(kSectionSettings, kKeyLocalSerialNo, text);

    WriteSetting(kKeyAudioFmt, static_cast<int>(SendDlgItemMessage(IDC_SET_AUDIO_FMT, CB_GETCURSEL)));
    WriteSetting(kKeyMinRec, static_cast<int>(GetDlgItemInt(IDC_SET_MIN_REC)));
    WriteSetting(kKeyMissedRing, static_cast<int>(GetDlgItemInt(IDC_SET_MISSED_RING)));
    WriteSetting(kKeyDtmfKeySave, static_cast<int>(GetDlgItemInt(IDC_SET_DTMF)));
    WriteSetting(kKeyInPopup, static_cast<int>(SendDlgItemMessage(IDC_SET_POPUP, CB_GETCURSEL)));

    const int language = static_cast<int>(SendDlgItemMessage(IDC_SET_LANGUAGE, CB_GETCURSEL));
    NoticeLanguageChange(this, language);
    StoreLanguage(language);

    WriteSetting(kKeyStartRecByPickup, static_cast<int>(IsDlgButtonChecked(IDC_SET_REC_BY_PICKUP)));
    SYSTEMTIME restart{};
    SendDlgItemMessage(IDC_SET_RESTART_TIME, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&restart));
    WriteSetting(kKeyAutoHour, restart.wHour);
    WriteSetting(kKeyAutoMin, restart.wMinute);
    for (int day = 0; day < 7; ++day)
        WriteSetting(kKeyDay[day], static_cast<int>(IsDlgButtonChecked(kDayBoxes[day])));

    const int port = static_cast<int>(GetDlgItemInt(IDC_SET_PORT));
    WriteSetting(kKeyNetPort, port);
    for (const CheckedKey& box : kBlacklistBoxes)
        WriteSetting(box.Key, static_cast<int>(IsDlgButtonChecked(box.Id)));
    const int ringSignal = static_cast<int>(IsDlgButtonChecked(IDC_SET_RING_SIGNAL));
    WriteSetting(kKeyStartRecordByRingSignal, ringSignal);
    Startup.StartRecordByRingSignal = ringSignal;

    StoreRunningValues(port);
    CDialog::OnOK();
}

void CSettingsDlg::StoreRunningValues(int port) {
    Startup.MissedRing = Corrected(kKeyMissedRing, kMissedRingCorrection);
    Startup.StartRecByPickup = Corrected(kKeyStartRecByPickup, kStartRecByPickupCorrection);
    if (port == Startup.NetPort)
        return;
    Startup.NetPort = RunningPort(port);
    // Every client is told to log out before the server moves: they reconnect to the new port.
    ForceAllClientsOffline();
    StopTcpServer();
    StartTcpServer();
}

void CSettingsDlg::OnBrowseRecFolder(int folder) {
    BrowseRecordingFolder(this, folder, kFolderEdits[folder]);
}

void CSettingsDlg::OnBrowseRecFolder1() {
    OnBrowseRecFolder(0);
}

void CSettingsDlg::OnBrowseRecFolder2() {
    OnBrowseRecFolder(1);
}

void CSettingsDlg::OnBrowseRecFolder3() {
    OnBrowseRecFolder(2);
}

void CSettingsDlg::OnBrowseRecFolder4() {
    OnBrowseRecFolder(3);
}

void CSettingsDlg::OnBrowseRecFolder5() {
    OnBrowseRecFolder(4);
}
