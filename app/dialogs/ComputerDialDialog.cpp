#include "dialogs/ComputerDialDialog.h"

#include "ChannelDialogsResource.h"
#include "channels/ChannelTable.h"
#include "engine/CardEngineState.h"
#include "engine/OutgoingCall.h"
#include "settings/LangText.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"

#include <algorithm>
#include <string>

namespace {

struct ControlText {
    int Id;
    const wchar_t* Key;
};

constexpr ControlText kControlTexts[] = {
    {IDC_DIAL_CHANNEL_LABEL, L"0401"},
    {IDC_DIAL_NUMBER_LABEL, L"0402"},
    {IDC_DIAL_DIAL, L"0403"},
    {IDC_DIAL_HANGUP, L"0404"},
};

// The number is read with at most this many characters, and its 8-bit form with at most this many bytes.
constexpr int kMaxNumberLength = 30;

int VoiceChannelCount() {
    return std::clamp(EngineState.ChannelCount, 0, kMaxChannels);
}

bool IsListedChannel(int channel) {
    return channel >= 0 && channel < VoiceChannelCount();
}

// The number in the system code page, as the driver takes its digits.
std::string EightBitNumber(const std::wstring& number) {
    std::string text(kMaxNumberLength * 4, '\0');
    const int length = ::WideCharToMultiByte(CP_ACP, 0, number.c_str(), static_cast<int>(number.size()), text.data(),
                                             static_cast<int>(text.size()), nullptr, nullptr);
    text.resize(static_cast<size_t>(std::clamp(length, 0, kMaxNumberLength)));
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CComputerDialDialog, CDialog)
    ON_BN_CLICKED(IDC_DIAL_DIAL, OnDial)
    ON_BN_CLICKED(IDC_DIAL_HANGUP, OnHangUp)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CComputerDialDialog::CComputerDialDialog(CWnd* pParent) : CDialog(IDD_COMPUTER_DIAL, pParent) {}

BOOL CComputerDialDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(LangText(L"0400").c_str());
    for (const ControlText& text : kControlTexts)
        SetDlgItemText(text.Id, LangText(text.Key).c_str());
    SetDlgItemText(IDC_DIAL_NUMBER, ReadSettingString(kSectionSetting, kKeyDialNum).c_str());

    auto* list = static_cast<CComboBox*>(GetDlgItem(IDC_DIAL_CHANNEL));
    const std::wstring canDial = LangText(L"0405");
    const std::wstring cannotDial = LangText(L"0406");
    for (int channel = 0; channel < VoiceChannelCount(); ++channel) {
        const ChannelRecord& record = ChannelTable[channel];
        CString text;
        text.Format(L"%02d(%s %s)(%s)", channel + 1, record.Name, record.Phone,
                    IsVoltageWatchedLine(record.LineType) ? canDial.c_str() : cannotDial.c_str());
        list->InsertString(channel, text);
    }
    list->SetCurSel(std::max(ReadSettingInt(kSectionSetting, kKeyDialLine), 0));
    if (PresetChannel != -1)
        list->SetCurSel(PresetChannel);
    return TRUE;
}

void CComputerDialDialog::OnDial() {
    wchar_t typed[kMaxNumberLength + 1] = {};
    GetDlgItemText(IDC_DIAL_NUMBER, typed, kMaxNumberLength + 1);
    const std::wstring number = typed;
    DialChannel = static_cast<CComboBox*>(GetDlgItem(IDC_DIAL_CHANNEL))->GetCurSel();
    if (number.empty())
        return;
    // Without a listed channel selected (a saved channel beyond the list) there is nothing to dial on.
    if (!IsListedChannel(DialChannel))
        return;
    const ChannelRecord& record = ChannelTable[DialChannel];
    if (!IsVoltageWatchedLine(record.LineType)) {
        MessageBox(LangText(L"0407").c_str(), LangText(L"0400").c_str(), MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    if (record.State != kStateIdle && record.State != kStateOffHook) {
        MessageBox(LangText(L"0408").c_str(), LangText(L"0400").c_str(), MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    WriteSettingInt(kSectionSetting, kKeyDialLine, DialChannel);
    WriteSettingString(kSectionSetting, kKeyDialNum, number.c_str());
    PlaceOutgoingCall(DialChannel, EightBitNumber(number));
    m_placedChannel = DialChannel;
}

void CComputerDialDialog::HangUp() {
    // Only a call this showing placed: a dialled call on the channel may be a remote client's.
    if (!IsListedChannel(DialChannel) || DialChannel != m_placedChannel)
        return;
    if (HangUpOutgoingCall(DialChannel))
        m_placedChannel = -1;
}

void CComputerDialDialog::OnHangUp() {
    HangUp();
}

void CComputerDialDialog::OnClose() {
    HangUp();
    CDialog::OnClose();
}
