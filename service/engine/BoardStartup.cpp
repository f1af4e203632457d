#include "engine/BoardStartup.h"

#include "Brenholt.h"
#include "ServiceView.h"
#include "engine/CardEngineState.h"
#include "engine/CardInfoLog.h"
#include "channels/ChannelTable.h"
#include "channels/DriverBinding.h"
#include "engine/DriverEventCallback.h"
#include "engine/PcmLinks.h"
#include "settings/Folders.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace {

// The driver takes its file names in the system code page.
std::string ToDriverPath(const std::wstring& path) {
    char text[MAX_PATH] = {};
    ::WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, text, MAX_PATH - 1, nullptr, nullptr);
    return text;
}

bool EnableBoards(const std::wstring& configPath, const std::wstring& promptPath) {
    const std::string config = ToDriverPath(configPath);
    const std::string prompt = ToDriverPath(promptPath);
    if (QsdSys_EnableBoardEx(config.c_str(), prompt.c_str()) == QSD_OK)
        return true;
    if (QsdSys_EnableBoard() == QSD_OK)
        return true;
    // The configuration the boards refused may have been tuned by hand: keep it beside the defaults that replace
    // it instead of losing it.
    const std::wstring backup = configPath + L".bak";
    ::MoveFileExW(configPath.c_str(), backup.c_str(), MOVEFILE_REPLACE_EXISTING);
    QsPciMakeDefaultCfg(0, 0, 0);
    return QsdSys_EnableBoardEx(config.c_str(), prompt.c_str()) == QSD_OK;
}

// The driver's counts, bounded by what the engine's tables hold.
void ReadCounts() {
    const int cics = std::max(QsdSpy_GetMaxCic(), 0);
    EngineState.BoardCount = std::max(QsdSys_GetMaxUsableBoard(), 0);
    EngineState.ChannelCount = std::clamp(QsdSys_GetMaxCh() - cics, 0, kMaxChannels);
    EngineState.CicCount = cics;
    EngineState.PcmCount = std::clamp(QsdSys_GetMaxPcm(), 0, kMaxPcmLinks);
    for (int link = 0; link < EngineState.PcmCount; ++link)
        EngineState.PcmLinkStatus[link] = static_cast<uint32_t>(QsdTrk_GetPcmLinkStatus(link));
}

void ShowPcmLinks() {
    for (int link = 0; link < EngineState.PcmCount; ++link) {
        const uint32_t status = static_cast<uint32_t>(QsdTrk_GetPcmLinkStatus(link));
        EngineState.PcmLinkStatus[link] = status;
        if (IServiceView* view = GetServiceView()) {
            SYSTEMTIME now;
            ::GetLocalTime(&now);
            view->PcmLinkRow(link, status, now);
        }
        ApplyStartupLinkStatus(link, status);
    }
}

}  // namespace

int StartBoards() {
    const std::wstring folder = GetExeFolder();
    if (!EnableBoards(folder + L"\\qscfg.ini", folder + L"\\prompt.ini"))
        return 0;
    ReadCounts();
    for (int board = 0; board < EngineState.BoardCount; ++board)
        AppendBoardInfoLine(QsdSys_GetCardType(board), QsdSys_GetBoardSerialNo(board));
    ShowPcmLinks();
    // The driver may keep the pointer, so the mode lives for the process.
    static const QSD_EVENT_MODE mode = {QSD_EVENT_MODE_CALLBACK, DriverEventCallback};
    QsdEvt_ModeSet(&mode);
    return 1;
}
