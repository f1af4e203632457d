// The server and client settings: corrected values stored back as the dialog opens, the free-space lines, the
// folder pickers that store at once, everything stored on OK, and a port change that moves the client server and
// sends its clients off.

#include "dialogs/ClientSettingsDialog.h"
#include "dialogs/SettingsDlg.h"

#include <winsock2.h>

#include "DialogTestSupport.h"
#include "OperatorDialogsResource.h"
#include "clients/ClientPushes.h"
#include "clients/ClientSlot.h"
#include "common/Prompts.h"
#include "remote/TcpServer.h"
#include "settings/DiskSpace.h"
#include "settings/LangText.h"
#include "settings/SettingKeys.h"
#include "settings/SettingValues.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <map>

namespace {

constexpr uint64_t kMB = 1 << 20;

// The volumes of the recording folders; any other folder cannot be queried.
bool FakeDiskSpace(const wchar_t* folder, uint64_t& totalBytes, uint64_t& freeBytes) {
    static const std::map<std::wstring, std::pair<uint64_t, uint64_t>> volumes = {
        {L"C:\\Rec1\\", {10240 * kMB, 5120 * kMB}},  // 5 GB free: 350 hours
        {L"C:\\Rec2\\", {2048 * kMB, 1023 * kMB}},   // not one whole gigabyte: 0 hours
    };
    const auto volume = volumes.find(folder);
    if (volume == volumes.end())
        return false;
    totalBytes = volume->second.first;
    freeBytes = volume->second.second;
    return true;
}

int ReadInt(const wchar_t* key) {
    return ReadSettingInt(kSectionSettings, key);
}

void WriteInt(const wchar_t* key, int value) {
    WriteSettingInt(kSectionSettings, key, value);
}

std::wstring ReadText(const wchar_t* key) {
    return ReadSettingString(kSectionSettings, key);
}

// The folder picker's answers, in order: a folder, or empty for a cancel. The folders it was opened on are kept.
class ScriptedFolderPicker {
public:
    explicit ScriptedFolderPicker(std::vector<std::wstring> answers) : m_answers(std::move(answers)) {
        Prompts().BrowseForFolder = [this](std::wstring* folder, const wchar_t* initial) {
            Opened.push_back(initial ? initial : L"");
            const std::wstring answer = m_answers.empty() ? L"" : m_answers.front();
            if (!m_answers.empty())
                m_answers.erase(m_answers.begin());
            if (answer.empty())
                return 0;
            *folder = answer;
            return 1;
        };
    }
    ~ScriptedFolderPicker() { Prompts() = ShellPrompts(); }

    std::vector<std::wstring> Opened;

private:
    std::vector<std::wstring> m_answers;
};

class DiskSpaceScope {
public:
    DiskSpaceScope() : m_previous(SetDiskSpaceQuery(FakeDiskSpace)) {}
    ~DiskSpaceScope() { SetDiskSpaceQuery(m_previous); }

private:
    DiskSpaceQuery m_previous;
};

int FreeLoopbackPort() {
    const SOCKET probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(probe, reinterpret_cast<const sockaddr*>(&address), sizeof(address));
    int length = sizeof(address);
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    closesocket(probe);
    return ntohs(address.sin_port);
}

// A remote client that only connects and reads.
class LoopbackClient {
public:
    explicit LoopbackClient(int port) : m_socket(socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<u_short>(port));
        Connected = connect(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
        const DWORD timeoutMs = 5000;
        setsockopt(m_socket, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeoutMs), sizeof(timeoutMs));
    }
    ~LoopbackClient() { closesocket(m_socket); }

    // Everything received until the server closes the connection (or 5 s pass without data).
    std::string ReadUntilClosed() {
        std::string received;
        char buffer[256];
        for (int length; (length = recv(m_socket, buffer, sizeof(buffer), 0)) > 0;)
            received.append(buffer, static_cast<size_t>(length));
        return received;
    }

    bool Connected = false;

private:
    SOCKET m_socket;
};

int ConnectedSlots() {
    int count = 0;
    for (ClientSlot& slot : ClientSlots())
        count += slot.IsConnected() ? 1 : 0;
    return count;
}

class SettingsDialog : public ::testing::Test {
protected:
    void SetUp() override {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
    void TearDown() override {
        ForceAllClientsOffline();
        StopTcpServer();
        WSACleanup();
    }

    DialogTestEnvironment environment;
    DialogDriver driver;
    DiskSpaceScope disks;
};

}  // namespace

TEST_F(SettingsDialog, OpeningStoresCorrectedValuesAndPickersStoreAtOnceEvenWhenCancelled) {
    WriteInt(kKeyMissedRing, 1500);
    WriteInt(kKeyAudioFmt, 7);
    WriteInt(kKeyInPopup, -3);
    WriteInt(kKeyMinRec, -1);
    WriteInt(kKeyStartRecByPickup, 4);
    WriteInt(kKeySaveHeimingDanInbound, 0);
    WriteInt(kKeySaveHeimingDanOutbound, 1);
    WriteInt(kKeyAutoHour, 22);
    WriteInt(kKeyAutoMin, 5);
    WriteInt(kKeyDay[0], 1);
    WriteInt(kKeyDay[3], 1);
    WriteSettingString(kSectionSettings, kKeyLocalName, L"Site A");
    for (int folder = 0; folder < 3; ++folder)
        WriteSettingString(kSectionSettings, kKeyRecFolderN[folder],
                           (L"C:\\Rec" + std::to_wstring(folder + 1) + L"\\").c_str());
    Startup.NetPort = 7001;
    Startup.StartRecordByRingSignal = 1;
    ScriptedFolderPicker picker({L"", L"D:\\Four\\"});

    CSettingsDlg dialog;
    const INT_PTR result = driver.Run(dialog, [](HWND d) {
        EXPECT_EQ(L"Settings", WindowText(d));
        EXPECT_EQ(L"Site A", ItemText(d, IDC_SET_LOCAL_NAME));
        EXPECT_EQ(L"C:\\Rec1\\  5.00(GB)/10.00(GB) -->350 hours of recording", ItemText(d, IDC_SET_FOLDER1));
        EXPECT_EQ(L"C:\\Rec2\\  1.00(GB)/2.00(GB) -->0 hours of recording", ItemText(d, IDC_SET_FOLDER2));
        EXPECT_EQ(L"  0.00(GB)/0.00(GB) -->0 hours of recording", ItemText(d, IDC_SET_FOLDER4));
        EXPECT_EQ(L"6000", ItemText(d, IDC_SET_MISSED_RING));
        EXPECT_EQ(L"5", ItemText(d, IDC_SET_MIN_REC));
        EXPECT_EQ(L"-1", ItemText(d, IDC_SET_DTMF));  // shown as read
        EXPECT_EQ(L"7001", ItemText(d, IDC_SET_PORT));
        EXPECT_EQ(0, ComboSelection(d, IDC_SET_AUDIO_FMT));
        EXPECT_EQ(L"IMA ADPCM, then MP3", ComboText(d, IDC_SET_AUDIO_FMT, 1));
        EXPECT_EQ(0, ComboSelection(d, IDC_SET_POPUP));
        EXPECT_EQ(kLanguageEnglish, ComboSelection(d, IDC_SET_LANGUAGE));
        EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(d, IDC_SET_REC_BY_PICKUP));
        EXPECT_EQ(BST_UNCHECKED, ::IsDlgButtonChecked(d, IDC_SET_BLACKLIST_IN));
        EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(d, IDC_SET_BLACKLIST_OUT));
        EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(d, IDC_SET_RING_SIGNAL));  // the running value
        EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(d, IDC_SET_DAY0));
        EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(d, IDC_SET_DAY3));
        EXPECT_EQ(BST_UNCHECKED, ::IsDlgButtonChecked(d, IDC_SET_DAY1));
        const SYSTEMTIME restart = PickerTime(d, IDC_SET_RESTART_TIME);
        EXPECT_EQ(22, restart.wHour);
        EXPECT_EQ(5, restart.wMinute);
        SaveScreenshot(d, L"settings");

        Click(d, IDC_SET_BROWSE3);  // cancelled
        EXPECT_EQ(L"", ItemText(d, IDC_SET_FOLDER3));
        Click(d, IDC_SET_BROWSE4);
        EXPECT_EQ(L"D:\\Four\\  0.00(GB)/0.00(GB) -->0 hours of recording", ItemText(d, IDC_SET_FOLDER4));
        Click(d, IDCANCEL);
    });

    EXPECT_EQ(IDCANCEL, result);
    EXPECT_TRUE(driver.Messages.empty());
    EXPECT_EQ((std::vector<std::wstring>{L"C:\\Rec3\\", L""}), picker.Opened);
    EXPECT_EQ(L"", ReadText(kKeyRecFolderN[2]));
    EXPECT_EQ(L"D:\\Four\\", ReadText(kKeyRecFolderN[3]));
    // The corrected values are stored back; the rest stays as it was.
    EXPECT_EQ(6000, ReadInt(kKeyMissedRing));
    EXPECT_EQ(0, ReadInt(kKeyAudioFmt));
    EXPECT_EQ(0, ReadInt(kKeyInPopup));
    EXPECT_EQ(5, ReadInt(kKeyMinRec));
    EXPECT_EQ(1, ReadInt(kKeyStartRecByPickup));
    EXPECT_EQ(-1, ReadInt(kKeyDtmfKeySave));
    EXPECT_EQ(-1, ReadInt(kKeyNetPort));
    EXPECT_EQ(-1, ReadInt(kKeyStartRecordByRingSignal));
    EXPECT_EQ(1, Startup.StartRecordByRingSignal);
}

TEST_F(SettingsDialog, OkStoresEveryValueAndAChangedPortMovesTheClientsServer) {
    const int oldPort = FreeLoopbackPort();
    int newPort = FreeLoopbackPort();
    if (newPort == oldPort)
        ++newPort;
    Startup.NetPort = oldPort;
    Startup.MissedRing = 7000;
    Startup.StartRecByPickup = 1;
    Startup.StartRecordByRingSignal = 1;
    ASSERT_EQ(1, StartTcpServer());
    LoopbackClient first(oldPort);
    LoopbackClient second(oldPort);
    ASSERT_TRUE(first.Connected && second.Connected);
    ASSERT_TRUE(WaitUntil([] { return ConnectedSlots() == 2; }));

    CSettingsDlg dialog;
    const INT_PTR result = driver.Run(dialog, [&](HWND d) {
        SetItemText(d, IDC_SET_LOCAL_NAME, std::wstring(70, L'n'));
        SetItemText(d, IDC_SET_SERIAL, L"SN-7");
        SelectCombo(d, IDC_SET_AUDIO_FMT, 3);
        SelectCombo(d, IDC_SET_POPUP, 1);
        SelectCombo(d, IDC_SET_LANGUAGE, kLanguageChineseTraditional);
        SetItemText(d, IDC_SET_MIN_REC, L"9");
        SetItemText(d, IDC_SET_MISSED_RING, L"1500");  // stored as typed, running as corrected
        SetItemText(d, IDC_SET_DTMF, L"");
        ::CheckDlgButton(d, IDC_SET_REC_BY_PICKUP, BST_UNCHECKED);
        ::CheckDlgButton(d, IDC_SET_DAY6, BST_CHECKED);
        ::CheckDlgButton(d, IDC_SET_BLACKLIST_IN, BST_CHECKED);
        ::CheckDlgButton(d, IDC_SET_RING_SIGNAL, BST_UNCHECKED);
        SYSTEMTIME restart = PickerTime(d, IDC_SET_RESTART_TIME);
        restart.wHour = 3;
        restart.wMinute = 30;
        SetPickerTime(d, IDC_SET_RESTART_TIME, restart);
        SetItemText(d, IDC_SET_PORT, std::to_wstring(newPort));
        Click(d, IDOK);
    });

    EXPECT_EQ(IDOK, result);
    ASSERT_EQ(1u, driver.Messages.size());
    EXPECT_EQ(L"Settings", driver.Messages[0].Caption);
    EXPECT_EQ(L"The new language takes effect when the program starts again.", driver.Messages[0].Text);
    EXPECT_EQ(kLanguageEnglish, LanguageNumber);
    EXPECT_EQ(kLanguageChineseTraditional, ReadSettingInt(kSectionSetting, kKeyLanguageID));
    EXPECT_EQ(L"ChineseTraditional", ReadSettingString(kSectionSetting, kKeyLanguage));

    EXPECT_EQ(std::wstring(62, L'n'), ReadText(kKeyLocalName));
    EXPECT_EQ(L"SN-7", ReadText(kKeyLocalSerialNo));
    EXPECT_EQ(3, ReadInt(kKeyAudioFmt));
    EXPECT_EQ(1, ReadInt(kKeyInPopup));
    EXPECT_EQ(9, ReadInt(kKeyMinRec));
    EXPECT_EQ(0, ReadInt(kKeyDtmfKeySave));  // an empty edit is 0
    EXPECT_EQ(3, ReadInt(kKeyAutoHour));
    EXPECT_EQ(30, ReadInt(kKeyAutoMin));
    EXPECT_EQ(1, ReadInt(kKeyDay[6]));
    EXPECT_EQ(0, ReadInt(kKeyDay[0]));
    EXPECT_EQ(1, ReadInt(kKeySaveHeimingDanInbound));
    EXPECT_EQ(0, ReadInt(kKeySaveHeimingDanOutbound));
    EXPECT_EQ(newPort, ReadInt(kKeyNetPort));
    EXPECT_EQ(0, ReadInt(kKeyStartRecordByRingSignal));
    EXPECT_EQ(0, ReadInt(kKeyStartRecByPickup));

    // The running values follow at once.
    EXPECT_EQ(0, Startup.StartRecordByRingSignal);
    EXPECT_EQ(6000, Startup.MissedRing);
    EXPECT_EQ(6000, ReadInt(kKeyMissedRing));
    EXPECT_EQ(0, Startup.StartRecByPickup);
    EXPECT_EQ(newPort, Startup.NetPort);

    // Both clients were told to log out and let go; the server listens on the new port.
    const std::string logout("\x04\x00\x01\x00\x00\x00", 6);
    EXPECT_EQ(logout, first.ReadUntilClosed());
    EXPECT_EQ(logout, second.ReadUntilClosed());
    LoopbackClient onNewPort(newPort);
    EXPECT_TRUE(onNewPort.Connected);
    EXPECT_TRUE(WaitUntil([] { return ConnectedSlots() == 1; }));
    EXPECT_FALSE(LoopbackClient(oldPort).Connected);

    // The client settings store a port for the next start and leave the running server and its clients alone.
    ScriptedFolderPicker picker({L"E:\\Calls\\"});
    CClientSettingsDialog clientSettings;
    driver.Run(clientSettings, [&](HWND d) {
        EXPECT_EQ(L"Client Settings", WindowText(d));
        EXPECT_EQ(std::to_wstring(newPort), ItemText(d, IDC_SET_PORT));
        EXPECT_EQ(1, ComboSelection(d, IDC_SET_POPUP));
        EXPECT_EQ(kLanguageEnglish, ComboSelection(d, IDC_SET_LANGUAGE));
        Click(d, IDC_CLIENT_BROWSE);
        EXPECT_EQ(L"E:\\Calls\\  0.00(GB)/0.00(GB) -->0 hours of recording", ItemText(d, IDC_SET_FOLDER1));
        SetItemText(d, IDC_SET_PORT, L"7100");
        SelectCombo(d, IDC_SET_POPUP, 0);
        Click(d, IDOK);
    });
    EXPECT_EQ(7100, ReadInt(kKeyNetPort));
    EXPECT_EQ(0, ReadInt(kKeyInPopup));
    EXPECT_EQ(L"E:\\Calls\\", ReadText(kKeyRecFolderN[0]));
    EXPECT_EQ(kLanguageEnglish, ReadSettingInt(kSectionSetting, kKeyLanguageID));
    EXPECT_EQ(L"English", ReadSettingString(kSectionSetting, kKeyLanguage));
    EXPECT_EQ(newPort, Startup.NetPort);
    EXPECT_EQ(1, ConnectedSlots());
    EXPECT_EQ(1u, driver.Messages.size());  // the running language was kept: no notice

    // A port beyond 16 bits runs the server on the default port; the file keeps what was entered.
    CSettingsDlg again;
    driver.Run(again, [](HWND d) {
        SetItemText(d, IDC_SET_PORT, L"70000");
        Click(d, IDOK);
    });
    EXPECT_EQ(70000, ReadInt(kKeyNetPort));
    EXPECT_EQ(kNetPortCorrection.Replacement, Startup.NetPort);
}
