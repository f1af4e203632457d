// DefaultConfig.cpp - qscfg.ini (boards, usable channels, trunks, ISDN, trunk tapping) and
// prompt.ini, and the export that writes them beside the program.
#include "DefaultConfig.h"

#include "Brenholt.h"

#include "BoardDevice.h"
#include "BoardProbe.h"
#include "ConfigPath.h"

#include <cstdarg>
#include <cstdio>

namespace {

std::string Format(const char* format, ...) {
    char text[64];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

// Write failures are not reported: the driver finds out when it reads the file.
void WriteText(const std::string& file, const std::string& section, const std::string& key, const std::string& value) {
    WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str());
}

void WriteInt(const std::string& file, const std::string& section, const std::string& key, int value) {
    WriteText(file, section, key, Format("%d", value));
}

void WriteBoardPcmDefaults(int board, int pcmCount, int isdnMode, int rcvGain, const std::string& file) {
    const std::string section = Format("Board%d", board);
    for (int p = 0; p < pcmCount; ++p) {
        // The first trunk of the first board gives the clock; every other trunk follows it.
        const int clockMode = (board == 0 && p == 0) ? 0 : 2;
        WriteInt(file, section, Format("PcmSSx[%d]", p), isdnMode);
        WriteInt(file, section, Format("CRC-4[%d]", p), 0);
        WriteInt(file, section, Format("PcmRcvGain[%d]", p), rcvGain);
        WriteInt(file, section, Format("SS_Slot[%d]", p), 16);
        WriteInt(file, section, Format("PcmClkMode[%d]", p), clockMode);
        WriteInt(file, section, Format("PcmInterfImp[%d]", p), 0);
        WriteText(file, section, Format("AutoCallInTimeSlot[%d]", p), "0,0");
        WriteInt(file, section, Format("SS_SlotMode[%d]", p), 0);
    }
}

void WriteIsdnSection(int isdnMode, int totalPcms, const std::string& file) {
    const char* section = "ISDN";
    WriteInt(file, section, "UseISDNMode", isdnMode);
    WriteInt(file, section, "MaxPhoNumRule", 10);
    for (int i = 0; i < 10; ++i)
        WriteText(file, section, Format("Rule[%d]", i), Format("\"%d\",1,0", i));
    const int userLinks = isdnMode == 0 ? totalPcms : 0;
    const int netLinks = isdnMode == 2 ? totalPcms : 0;
    WriteInt(file, section, "TotalUserLinker", userLinks);
    WriteInt(file, section, "TotalNetLinker", netLinks);
    for (int i = 0; i < userLinks; ++i)
        WriteText(file, section, Format("UserPcmLink[%d]", i), Format("LocalPCM[%d]", i));
    for (int j = 0; j < netLinks; ++j)
        WriteText(file, section, Format("NetPcmLink[%d]", j), Format("LocalPCM[%d]", j));
}

// Trunks 2i and 2i+1 form tapping pair i with 30 circuits each; the recording engine maps
// spy circuits to trunks the same way.
void WriteSpySection(int totalPcms, const std::string& file) {
    const char* section = "QsrSpy";
    const int pairs = totalPcms / 2;
    WriteInt(file, section, "TotalSpyPcm", pairs);
    WriteInt(file, section, "TotalAppSpyCIC", totalPcms * 30 / 2);
    for (int i = 0; i < pairs; ++i) {
        WriteText(file, section, Format("SpyPcm[%d]", i), Format("Pcm[%d],Pcm[%d]", 2 * i, 2 * i + 1));
        WriteText(file, section, Format("AppSpyCIC[%d]", 30 * i), Format("SpyPcm[%d],0..29", i));
    }
}

}  // namespace

int MakeDefaultConfig(int isdnMode, int spyFlag, int rcvGain, const std::string& configFile,
                      const std::string& promptFile) {
    isdnMode = isdnMode == 2 ? 2 : 0;
    spyFlag = spyFlag == 1 ? 1 : 0;

    WriteInt(configFile, "BaseSet", "TotalCards", 0);
    WriteInt(configFile, "BaseSet", "SysIntOnCard", 0);
    WriteInt(configFile, "BaseSet", "SysClkOnCard", 0);
    WriteInt(configFile, "BaseSet", "MultiProcess", 0);

    int channels[kMaxBoards] = {};
    int pcms[kMaxBoards] = {};
    int boards = 0;
    for (; boards < kMaxBoards; ++boards) {
        char modelName[7] = {};
        DWORD serial = 0;
        const int boardChannels = ProbeBoard(boards, modelName, serial, pcms[boards]);
        if (boardChannels < 1)
            break;
        channels[boards] = boardChannels;

        const std::string section = Format("Board%d", boards);
        WriteText(configFile, section, "CardType", modelName);
        WriteInt(configFile, section, "CardSN", static_cast<int>(serial));
        WriteInt(configFile, section, "MaxChOnBoard", boardChannels);
        if (pcms[boards] > 0) {
            WriteInt(configFile, section, "WorkWithQsr", spyFlag);
            WriteInt(configFile, section, "TotalPcmonCard", pcms[boards]);
            WriteBoardPcmDefaults(boards, pcms[boards], isdnMode, rcvGain, configFile);
        }
    }

    if (boards > 0) {
        WriteInt(configFile, "BaseSet", "TotalCards", boards);
        WriteInt(configFile, "UsableChOnSys", "TotalUsableCh", boards * 32);
        int firstChannel = 0;
        for (int b = 0; b < boards; ++b) {
            WriteText(configFile, "UsableChOnSys", Format("UsableCh[%d]", firstChannel),
                      Format("%d,%d..%d", b, 0, channels[b] - 1));
            firstChannel += channels[b];
        }
        WriteInt(configFile, "UsableChOnSys", "TotalUsableCh", firstChannel);
    }

    int totalPcms = 0;
    for (int b = 0; b < boards; ++b)
        totalPcms += pcms[b];
    if (totalPcms > 0) {
        WriteInt(configFile, "PcmSet", "TotalPcm", totalPcms);
        int k = 0;
        for (int b = 0; b < boards; ++b)
            for (int p = 0; p < pcms[b]; ++p)
                WriteText(configFile, "PcmSet", Format("Pcm[%d]", k++), Format("%d,%d", b, p));
        WriteIsdnSection(isdnMode, totalPcms, configFile);
        if (spyFlag == 1)
            WriteSpySection(totalPcms, configFile);
    }

    WriteText(promptFile, "System", "MaxIndexSeg", "20");
    return boards;
}

int WINAPI QsPciMakeDefaultCfg(int isdnMode, int spyFlag, int rcvGain) {
    return MakeDefaultConfig(isdnMode, spyFlag, rcvGain, ResolveConfigPath("qscfg.ini", "qscfg.ini"),
                             ResolveConfigPath("prompt.ini", "prompt.ini"));
}
