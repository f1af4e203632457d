#include "dialogs/SearchRecDialog.h"

#include "ChannelDialogsResource.h"
#include "dialogs/SearchRecFormFile.h"
#include "settings/Folders.h"
#include "settings/LangText.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"

#include <algorithm>
#include <cstring>

namespace {

struct ControlText {
    int Id;
    const wchar_t* Key;
};

constexpr ControlText kControlTexts[] = {
    {IDC_SEARCH_FROM_LABEL, L"0223"},
    {IDC_SEARCH_TO_LABEL, L"0224"},
    {IDC_SEARCH_USE_TIME, L"0389"},
    {IDC_SEARCH_CHECK_NUMBER, L"0225"},
    {IDC_SEARCH_CHECK_NAME, L"0226"},
    {IDC_SEARCH_CHECK_EXT, L"0227"},
    {IDC_SEARCH_CHECK_EXTNAME, L"0228"},
    {IDC_SEARCH_CHECK_NOTES, L"0230"},
    {IDC_SEARCH_CHECK_LENGTH, L"0229"},
    {IDC_SEARCH_CHECK_CHANNEL_NAME, L"0243"},
    {IDC_SEARCH_CHECK_CHANNEL_PHONE, L"0244"},
    {IDC_SEARCH_CHECK_TYPE, L"0231"},
    {IDC_SEARCH_CHECK_CHANNELS, L"0239"},
    {IDC_SEARCH_COUNT_LABEL, L"0240"},
    {IDC_SEARCH_CHOOSE_CHANNELS, L"0241"},
    {IDOK, L"0232"},
    {IDCANCEL, L"0233"},
};

// The check boxes in the order of their keys Check1 to Check10 and Check18 (kKeyCheck).
constexpr int kCheckBoxes[] = {
    IDC_SEARCH_CHECK_NUMBER,       IDC_SEARCH_CHECK_NAME,          IDC_SEARCH_CHECK_EXT,  IDC_SEARCH_CHECK_EXTNAME,
    IDC_SEARCH_CHECK_LENGTH,       IDC_SEARCH_CHECK_NOTES,         IDC_SEARCH_CHECK_TYPE, IDC_SEARCH_CHECK_CHANNELS,
    IDC_SEARCH_CHECK_CHANNEL_NAME, IDC_SEARCH_CHECK_CHANNEL_PHONE, IDC_SEARCH_USE_TIME,
};
static_assert(std::size(kCheckBoxes) == std::size(kKeyCheck));

struct FormText {
    int Edit;
    const wchar_t* Key;
};

constexpr FormText kFormTexts[] = {
    {IDC_SEARCH_NUMBER, kKeyPhoneNumber},
    {IDC_SEARCH_NAME, kKeyPhoneName},
    {IDC_SEARCH_EXT, kKeyExt},
    {IDC_SEARCH_EXTNAME, kKeyExtName},
    {IDC_SEARCH_MIN, kKeyMin},
    {IDC_SEARCH_MAX, kKeyMax},
    {IDC_SEARCH_NOTES, kKeyNotes},
    {IDC_SEARCH_CHANNEL_NAME, kKeyChannelName},
    {IDC_SEARCH_CHANNEL_PHONE, kKeyChannelPhone},
};

// A text condition: appended when its box is ticked and its text is not empty.
struct TextCondition {
    int Check;
    int Edit;
    const wchar_t* Format;
};

constexpr TextCondition kLeadingConditions[] = {
    {IDC_SEARCH_CHECK_NUMBER, IDC_SEARCH_NUMBER, L" and PhoneNumber like '%%%s%%' "},
    {IDC_SEARCH_CHECK_NAME, IDC_SEARCH_NAME, L" and PhoneName like '%%%s%%' "},
    {IDC_SEARCH_CHECK_EXT, IDC_SEARCH_EXT, L" and Extension like '%%%s%%' "},
    {IDC_SEARCH_CHECK_EXTNAME, IDC_SEARCH_EXTNAME, L" and ExtensionName like '%%%s%%' "},
    {IDC_SEARCH_CHECK_NOTES, IDC_SEARCH_NOTES, L" and CusNotes1 like '%%%s%%' "},
};

constexpr TextCondition kChannelConditions[] = {
    {IDC_SEARCH_CHECK_CHANNEL_NAME, IDC_SEARCH_CHANNEL_NAME, L" and ChannelName like '%%%s%%' "},
    {IDC_SEARCH_CHECK_CHANNEL_PHONE, IDC_SEARCH_CHANNEL_PHONE, L" and ChannelPhone like '%%%s%%' "},
};

// The call types of list IDC_SEARCH_TYPE, by item: outgoing, incoming, missed, auto-answered, voice-activated.
constexpr const wchar_t* kCallTypeTexts[] = {L"0234", L"0235", L"0236", L"0237", L"0238"};

CString CallTypeCondition(int item) {
    CString condition;
    switch (item) {
        case 0:
            condition.Format(L" and (CallType = %d or CallType = %d )", kCallOutgoing, kCallSpyOutgoingUnanswered);
            break;
        case 1:
            condition.Format(L" and (CallType = %d or CallType = %d)", kCallIncoming, kCallSpyIncomingUnanswered);
            break;
        case 2:
            condition.Format(L" and (CallType = %d or CallType = %d or CallType = %d or CallType=%d) ", kCallMissed,
                             kCallSpyIncomingUnanswered, kCallSpyOutgoingMissed, kCallSpyOutgoingUnanswered);
            break;
        case 3:
            condition.Format(L" and CallType = %d ", kCallAutoAnswered);
            break;
        case 4:
            condition.Format(L" and CallType = %d ", kCallVoice);
            break;
        default:
            break;
    }
    return condition;
}

// The categories of the call-record panes (their ViewIndex).
constexpr unsigned kCategoryAllCalls = 3;
constexpr unsigned kCategoryOutgoing = 4;  // 4 to 8: outgoing, incoming, missed, auto-answered, voice-activated
constexpr unsigned kCategoryVoice = 8;
constexpr unsigned kCategorySearchResults = 9;

constexpr wchar_t kQueryStart[] = L"select * from Rec_Table where(DoubleDate >0 ";
constexpr int kSearchTextLength = 30;  // a condition's text is read with at most this many characters
constexpr int kStoredTextLength = 60;  // and stored with at most this many

// The text with each single quote doubled, so that it stays one SQL string whatever it holds.
std::wstring QuotedText(const std::wstring& text) {
    std::wstring quoted;
    for (wchar_t c : text) {
        quoted.push_back(c);
        if (c == L'\'')
            quoted.push_back(c);
    }
    return quoted;
}

std::wstring ReadEdit(const CWnd& dialog, int id, int maxLength) {
    std::wstring text(static_cast<size_t>(maxLength) + 1, L'\0');
    const int length = dialog.GetDlgItemText(id, text.data(), maxLength + 1);
    text.resize(static_cast<size_t>(std::max(length, 0)));
    return text;
}

bool IsTicked(const CWnd& dialog, int id) {
    return dialog.IsDlgButtonChecked(id) == BST_CHECKED;
}

CDateTimeCtrl& PickerOf(CWnd& dialog, int id) {
    return *static_cast<CDateTimeCtrl*>(dialog.GetDlgItem(id));
}

int ChosenCount(const ChannelMask& channels) {
    return static_cast<int>(std::count(channels.begin(), channels.end(), 1));
}

}  // namespace

std::wstring SearchRecFormFilePath() {
    return GetExeFolder() + L"\\SearchRecEx.abc";
}

BEGIN_MESSAGE_MAP(CSearchRecDialog, CDialog)
    ON_BN_CLICKED(IDC_SEARCH_CHOOSE_CHANNELS, OnSelectChannels)
END_MESSAGE_MAP()

CSearchRecDialog::CSearchRecDialog(unsigned category, CWnd* pParent)
    : CDialog(IDD_SEARCH_REC, pParent), Category(category) {
    ::GetLocalTime(&FromDate);
    ToDate = FromTime = ToTime = FromDate;
}

BOOL CSearchRecDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(LangText(L"0222").c_str());
    for (const ControlText& text : kControlTexts)
        SetDlgItemText(text.Id, LangText(text.Key).c_str());
    auto* types = static_cast<CComboBox*>(GetDlgItem(IDC_SEARCH_TYPE));
    for (const wchar_t* key : kCallTypeTexts)
        types->AddString(LangText(key).c_str());
    types->SetCurSel(0);

    for (size_t i = 0; i < std::size(kCheckBoxes); ++i) {
        if (ReadSettingInt(kSectionSearchRec, kKeyCheck[i]) == 1)
            CheckDlgButton(kCheckBoxes[i], BST_CHECKED);
    }
    ReadFormFile();
    for (const FormText& text : kFormTexts)
        SetDlgItemText(text.Edit, ReadSettingString(kSectionSearchRec, text.Key).c_str());

    // A pane of one call type searches only its own type.
    const bool anyType = Category == kCategoryAllCalls || Category == kCategorySearchResults;
    GetDlgItem(IDC_SEARCH_CHECK_TYPE)->EnableWindow(anyType);
    types->EnableWindow(anyType);
    if (Category >= kCategoryOutgoing && Category <= kCategoryVoice) {
        CheckDlgButton(IDC_SEARCH_CHECK_TYPE, BST_CHECKED);
        types->SetCurSel(static_cast<int>(Category - kCategoryOutgoing));
    }
    PickerOf(*this, IDC_SEARCH_FROM_TIME).SetFormat(L"HH:mm");
    PickerOf(*this, IDC_SEARCH_TO_TIME).SetFormat(L"HH:mm");
    return TRUE;
}

void CSearchRecDialog::ReadFormFile() {
    CScopedKernelHandle file(::CreateFileW(SearchRecFormFilePath().c_str(), GENERIC_READ,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return;
    SearchRecFormFile form{};
    DWORD read = 0;
    if (!::ReadFile(file.Get(), &form, sizeof(form), &read, nullptr))
        read = 0;
    // A short file fills only the members it holds whole.
    SYSTEMTIME* const times[] = {&FromDate, &ToDate, &FromTime, &ToTime};
    const SYSTEMTIME* const stored[] = {&form.FromDate, &form.ToDate, &form.FromTime, &form.ToTime};
    for (size_t i = 0; i < std::size(times); ++i) {
        if (read >= (i + 1) * sizeof(SYSTEMTIME))
            *times[i] = *stored[i];
    }
    if (read >= sizeof(form))
        std::memcpy(Channels.data(), form.ChannelMask, Channels.size());

    PickerOf(*this, IDC_SEARCH_FROM_DATE).SetTime(&FromDate);
    PickerOf(*this, IDC_SEARCH_TO_DATE).SetTime(&ToDate);
    PickerOf(*this, IDC_SEARCH_FROM_TIME).SetTime(&FromTime);
    PickerOf(*this, IDC_SEARCH_TO_TIME).SetTime(&ToTime);
    ShowChannelCount();
}

void CSearchRecDialog::WriteFormFile() const {
    SearchRecFormFile form{FromDate, ToDate, FromTime, ToTime, {}};
    std::memcpy(form.ChannelMask, Channels.data(), Channels.size());
    CScopedKernelHandle file(::CreateFileW(SearchRecFormFilePath().c_str(), GENERIC_WRITE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return;
    DWORD written = 0;
    ::WriteFile(file.Get(), &form, sizeof(form), &written, nullptr);
}

void CSearchRecDialog::ShowChannelCount() {
    SetDlgItemText(IDC_SEARCH_CHANNEL_COUNT, std::to_wstring(ChosenCount(Channels)).c_str());
}

std::wstring CSearchRecDialog::BuildQuery() {
    std::wstring query = kQueryStart;
    // Texts are searched as typed, with their quotes doubled so that a name like O'Neil is found.
    const auto appendText = [&](const TextCondition& condition) {
        if (!IsTicked(*this, condition.Check))
            return;
        const std::wstring text = ReadEdit(*this, condition.Edit, kSearchTextLength);
        if (text.empty())
            return;
        CString piece;
        piece.Format(condition.Format, QuotedText(text).c_str());
        query += piece.GetString();
    };
    for (const TextCondition& condition : kLeadingConditions)
        appendText(condition);
    if (IsTicked(*this, IDC_SEARCH_CHECK_LENGTH)) {
        CString piece;
        piece.Format(L" and RecTime >= %d and RecTime <= %d ", _wtoi(ReadEdit(*this, IDC_SEARCH_MIN, 30).c_str()),
                     _wtoi(ReadEdit(*this, IDC_SEARCH_MAX, 30).c_str()));
        query += piece.GetString();
    }
    for (const TextCondition& condition : kChannelConditions)
        appendText(condition);
    if (IsTicked(*this, IDC_SEARCH_CHECK_TYPE))
        query += CallTypeCondition(static_cast<CComboBox*>(GetDlgItem(IDC_SEARCH_TYPE))->GetCurSel()).GetString();
    query += L" )";
    return query;
}

void CSearchRecDialog::OnOK() {
    PickerOf(*this, IDC_SEARCH_FROM_DATE).GetTime(&FromDate);
    PickerOf(*this, IDC_SEARCH_TO_DATE).GetTime(&ToDate);
    PickerOf(*this, IDC_SEARCH_FROM_TIME).GetTime(&FromTime);
    PickerOf(*this, IDC_SEARCH_TO_TIME).GetTime(&ToTime);
    Query = BuildQuery();

    if (IsTicked(*this, IDC_SEARCH_CHECK_CHANNELS)) {
        if (ChosenCount(Channels) == 0) {
            MessageBox(LangText(L"0242").c_str(), LangText(L"0222").c_str(), MB_ICONEXCLAMATION | MB_OK);
            return;
        }
    } else {
        Channels.fill(1);
    }

    for (const FormText& text : kFormTexts)
        WriteSettingString(kSectionSearchRec, text.Key, ReadEdit(*this, text.Edit, kStoredTextLength).c_str());
    for (size_t i = 0; i < std::size(kCheckBoxes); ++i)
        WriteSettingInt(kSectionSearchRec, kKeyCheck[i], IsTicked(*this, kCheckBoxes[i]) ? 1 : 0);
    UseTimeWindow = IsTicked(*this, IDC_SEARCH_USE_TIME) ? 1 : 0;
    WriteFormFile();
    EndDialog(IDOK);
}

void CSearchRecDialog::OnSelectChannels() {
    ChannelMask chosen = Channels;
    if (OperatorDialogs().ChannelPicker.Run(this, chosen) != IDOK)
        return;
    Channels = chosen;
    ShowChannelCount();
    // The times written are the form's as loaded or as stored by an earlier OK, not the pickers' current ones.
    WriteFormFile();
}
