// Scenario.cpp - reading the scenario file with the profile functions.
#include "Scenario.h"

#include "AudioSource.h"
#include "BoardTypes.h"
#include "CommandLine.h"

#include <windows.h>

namespace {

constexpr int kMaxBoards = 20;
constexpr char kSimulatorSection[] = "Simulator";

std::string ReadText(const std::string& file, const std::string& section, const char* key) {
    char text[1024] = {};
    GetPrivateProfileStringA(section.c_str(), key, "", text, sizeof text, file.c_str());
    return text;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The profile functions look for a bare name in the Windows folder; the scenario path is meant
// relative to the current folder.
std::string FullPath(const std::string& path) {
    char full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return length > 0 && length < sizeof full ? full : path;
}

// An integer key; a missing key keeps `value`.
bool ReadIntKey(const std::string& file, const std::string& section, const char* key, int& value, std::string& error) {
    const std::string text = ReadText(file, section, key);
    if (text.empty() || ParseInt(text, value))
        return true;
    error = "[" + section + "] " + key + ": not a number: " + text;
    return false;
}

bool ReadLineTypes(const std::string& text, const std::string& section, std::vector<int>& types, std::string& error) {
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find(',', at);
        if (end == std::string::npos)
            end = text.size();
        const std::vector<std::string> words = SplitWords(text.substr(at, end - at));
        int type = 0;
        if (words.size() != 1 || !ParseInt(words[0], type)) {
            error = "[" + section + "] LineTypes: expected numbers separated by commas";
            return false;
        }
        types.push_back(type);
        at = end + 1;
    }
    return true;
}

bool ReadBoards(const std::string& file, std::vector<ScenarioBoard>& boards, std::string& error) {
    for (int index = 0; index < kMaxBoards; ++index) {
        const std::string section = "Board" + std::to_string(index);
        ScenarioBoard board;
        if (ReadText(file, section, "Type").empty())
            return true;
        if (!ReadIntKey(file, section, "Type", board.type, error) ||
            !ReadIntKey(file, section, "SerialNo", board.serialNo, error) ||
            !ReadLineTypes(ReadText(file, section, "LineTypes"), section, board.lineTypes, error))
            return false;
        const SimBoardType* known = FindSimBoardType(board.type);
        if (!known) {
            error = "[" + section + "] Type: unknown board type " + std::to_string(board.type);
            return false;
        }
        if (known->pcms == 0 && static_cast<int>(board.lineTypes.size()) > known->channels) {
            error = "[" + section + "] LineTypes: more entries than the board has channels";
            return false;
        }
        for (int type : board.lineTypes)
            if (type < 6 || type > 8) {
                error = "[" + section + "] LineTypes: analogue lines are of type 6, 7 or 8";
                return false;
            }
        boards.push_back(board);
    }
    return true;
}

}  // namespace

bool ReadScenario(const std::string& path, Scenario& scenario, std::string& error) {
    const std::string file = FullPath(path);
    if (!FileExists(file)) {
        error = "no scenario file " + file;
        return false;
    }
    Scenario read;
    if (!ReadBoards(file, read.boards, error) ||
        !ReadIntKey(file, kSimulatorSection, "ControlPort", read.controlPort, error) ||
        !ReadIntKey(file, kSimulatorSection, "RingIntervalMs", read.ringIntervalMs, error) ||
        !ReadIntKey(file, kSimulatorSection, "BoardStartFailures", read.boardStartFailures, error))
        return false;
    if (read.controlPort < 0 || read.controlPort > 65535 || read.ringIntervalMs < 1 || read.boardStartFailures < 0) {
        error = "[Simulator]: ControlPort 0..65535, RingIntervalMs above 0, BoardStartFailures not below 0";
        return false;
    }
    const std::string speed = ReadText(file, kSimulatorSection, "Speed");
    if (!speed.empty() && (!ParseDouble(speed, read.speed) || read.speed <= 0)) {
        error = "[Simulator] Speed: expected a positive number";
        return false;
    }
    const std::string audio = ReadText(file, kSimulatorSection, "Audio");
    if (!audio.empty())
        read.audio = audio;
    CAudioSource source;
    if (!ParseAudioSource(SplitWords(read.audio), source, error)) {
        error = "[Simulator] Audio: " + error;
        return false;
    }
    scenario = read;
    return true;
}

std::string FindScenarioFile() {
    char named[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("QSKERN_SCENARIO", named, sizeof named);
    if (length > 0 && length < sizeof named)
        return named;
    char program[MAX_PATH] = {};
    const DWORD programLength = GetModuleFileNameA(nullptr, program, sizeof program);
    if (programLength == 0 || programLength >= sizeof program)
        return "";
    std::string beside(program);
    beside = beside.substr(0, beside.find_last_of("\\/") + 1) + "qskern.ini";
    return FileExists(beside) ? beside : "";
}
