#include "dialogs/RecFileInforDialog.h"

#include "ChannelDialogsResource.h"
#include "common/OperatorDialogs.h"
#include "common/OperatorSession.h"
#include "common/Prompts.h"
#include "common/SysLogNow.h"
#include "common/WhiteCtlColor.h"
#include "engine/RecordingNames.h"
#include "settings/LangText.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"
#include "storage/CallRecordStore.h"
#include "storage/ContactStore.h"
#include "storage/RecordFields.h"
#include "storage/StoragePaths.h"
#include "storage/Stores.h"
#include "storage/SysLogStore.h"

#include <string>

namespace {

struct ControlText {
    int Id;
    const wchar_t* Key;
};

constexpr ControlText kControlTexts[] = {
    {IDC_INFO_CHANNEL_LABEL, L"0295"}, {IDC_INFO_TIME_LABEL, L"0296"}, {IDC_INFO_NUMBER_LABEL, L"0297"},
    {IDC_INFO_TYPE_LABEL, L"0298"},    {IDC_INFO_FILE_LABEL, L"0299"}, {IDC_INFO_NOTES_LABEL, L"0300"},
    {IDC_INFO_COPY, L"0301"},          {IDC_INFO_EDIT_NOTES, L"0302"}, {IDC_INFO_CONTACT, L"0303"},
    {IDC_INFO_PLAY, L"0326"},
};

// The text of each CallType; another value shows nothing.
const wchar_t* CallTypeTextKey(int callType) {
    switch (callType) {
        case kCallIncoming:
            return L"0235";
        case kCallOutgoing:
            return L"0234";
        case kCallMissed:
            return L"0236";
        case kCallVoice:
            return L"0238";
        case kCallAutoAnswered:
            return L"0237";
        case kCallSpyIncomingUnanswered:
            return L"5078";
        case kCallSpyOutgoingUnanswered:
            return L"5079";
        case kCallSpyOutgoingMissed:
            return L"5080";
        default:
            return nullptr;
    }
}

// "<date> <time> (hh:mm:ss)" of the call's start in the system's formats and of its recorded length.
CString StartAndLength(const CallRecord& record) {
    wchar_t date[80] = {};
    wchar_t time[80] = {};
    ::GetDateFormatW(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &record.StartTime, nullptr, date, 80);
    ::GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, 0, &record.StartTime, nullptr, time, 80);
    const int seconds = record.RecTime;
    CString text;
    text.Format(L"%s %s (%02d:%02d:%02d)", date, time, seconds / 3600, seconds % 3600 / 60, seconds % 60);
    return text;
}

// The call's row in its day's database: today's open store when it stands for that day, else the day's file.
void StoreNotes(const CallRecord& record) {
    const auto update = [&](CallRecordStore& store) { store.UpdateNotes(record.FilePath, record.CallNotes); };
    if (UseTodayCallStore(record.StartTime, update))
        return;
    CallRecordStore store;
    if (store.Open(CdrDayFile(record.StartTime).c_str()))
        update(store);
    store.Close();
}

}  // namespace

BEGIN_MESSAGE_MAP(CRecFileInforDialog, CDialog)
    ON_BN_CLICKED(IDC_INFO_COPY, OnExportCopy)
    ON_BN_CLICKED(IDC_INFO_EDIT_NOTES, OnUpdateNotes)
    ON_BN_CLICKED(IDC_INFO_CONTACT, OnShowContact)
    ON_BN_CLICKED(IDC_INFO_PLAY, OnPlay)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CRecFileInforDialog::CRecFileInforDialog(CWnd* pParent) : CDialog(IDD_REC_FILE_INFO, pParent) {}

BOOL CRecFileInforDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(LangText(L"0294").c_str());
    for (const ControlText& text : kControlTexts)
        SetDlgItemText(text.Id, LangText(text.Key).c_str());

    CString channel;
    channel.Format(L"%03d %s %s", Record.Channel + 1, Record.ChannelName, Record.ChannelPhone);
    SetDlgItemText(IDC_INFO_CHANNEL, channel);
    SetDlgItemText(IDC_INFO_TIME, StartAndLength(Record));
    CString number;
    number.Format(L"%s %s", Record.PhoneNumber, Record.PhoneName);
    SetDlgItemText(IDC_INFO_NUMBER, number);
    if (const wchar_t* key = CallTypeTextKey(Record.CallType))
        SetDlgItemText(IDC_INFO_TYPE, LangText(key).c_str());
    SetDlgItemText(IDC_INFO_FILE, Record.FilePath);
    ShowNotes();

    GetDlgItem(IDC_INFO_CONTACT)->EnableWindow(Record.CusAutoID[0] != L'\0');
    GetDlgItem(IDC_INFO_COPY)->EnableWindow(Record.RecTime > 0);
    GetDlgItem(IDC_INFO_PLAY)->EnableWindow(Record.RecTime > 0);
    return TRUE;
}

void CRecFileInforDialog::ShowNotes() {
    CString notes;
    notes.Format(L"%s\r\n%s\r\n%s\r\n%s", Record.CallNotes, Record.CusNotes1, Record.CusNotes2, Record.CusAJBH);
    SetDlgItemText(IDC_INFO_NOTES, notes);
}

void CRecFileInforDialog::OnExportCopy() {
    std::wstring chosen;
    if (!Prompts().BrowseForFolder(&chosen, ReadSettingString(kSectionSettings, kKeyRecFolder).c_str()))
        return;
    WriteSettingString(kSectionSettings, kKeyRecFolder, chosen.c_str());

    // The copy is logged before it is tried, whatever its outcome.
    SysLogRow row{};
    row.SysLog_Cmd = kSysLogRecordingsCopied;
    FormatToField(row.Name, L"%ls %ls", LangText(L"0186").c_str(), CurrentOperator.UserName);
    CopyToField(row.Notes, Record.FilePath);
    WriteSysLogNow(row);

    std::wstring folder = ReadSettingString(kSectionSettings, kKeyRecFolder);
    if (folder.empty())
        folder = L"C:\\";
    if (Record.ChannelName[0] == L'\0')
        FormatToField(Record.ChannelName, L"CH%03d", Record.Channel + 1);
    // Channel names can be set by remote clients: the name must stay one folder inside the chosen one.
    const std::wstring channelFolder = folder + SanitizeNamePart(FieldText(Record.ChannelName)) + L"\\";
    CString dayFolder;
    dayFolder.Format(L"%s%04d%02d%02d\\", channelFolder.c_str(), Record.StartTime.wYear, Record.StartTime.wMonth,
                     Record.StartTime.wDay);
    ::CreateDirectoryW(channelFolder.c_str(), nullptr);
    ::CreateDirectoryW(dayFolder, nullptr);

    const std::wstring source(FieldText(Record.FilePath));
    // A path without a backslash names no file: the copy onto the day folder fails.
    const size_t slash = source.rfind(L'\\');
    const std::wstring fileName = slash == std::wstring::npos ? std::wstring() : source.substr(slash + 1);
    const std::wstring target = std::wstring(dayFolder.GetString()) + fileName;
    ::CopyFileW(source.c_str(), target.c_str(), TRUE);  // an existing copy is kept; nothing is reported
}

void CRecFileInforDialog::OnUpdateNotes() {
    std::wstring notes(FieldText(Record.CallNotes));
    if (OperatorDialogs().Notes.Run(this, notes) != IDOK)
        return;
    CopyToField(Record.CallNotes, notes.c_str());
    ShowNotes();
    StoreNotes(Record);
}

void CRecFileInforDialog::OnShowContact() {
    ContactRecord contact{};
    CopyToField(contact.UserID, Record.CusAutoID);
    if (TheContactStore().FindContactById(contact))
        OperatorDialogs().Popup.ShowContact(contact);
    else
        MessageBox(LangText(L"0305").c_str(), LangText(L"0303").c_str(), MB_ICONEXCLAMATION | MB_OK);
}

void CRecFileInforDialog::OnPlay() {
    if (Record.RecTime <= 0) {
        GetDlgItem(IDC_INFO_PLAY)->EnableWindow(FALSE);
        return;
    }
    Prompts().OpenFile(this, Record.FilePath);
}

HBRUSH CRecFileInforDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if (HBRUSH white = CtlColorWhite(pDC, nCtlColor))
        return white;
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}
