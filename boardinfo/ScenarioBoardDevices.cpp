// ScenarioBoardDevices.cpp - reading the boards of the driver's scenario file.
#include "ScenarioBoardDevices.h"

#include <cstdlib>

namespace {

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A decimal key of the scenario; false when it is missing or not a number.
bool ReadNumber(const std::string& file, const std::string& section, const char* key, DWORD& value) {
    char text[64] = {};
    GetPrivateProfileStringA(section.c_str(), key, "", text, sizeof text, file.c_str());
    char* end = nullptr;
    const long number = std::strtol(text, &end, 10);
    if (end == text || *end != '\0')
        return false;
    value = static_cast<DWORD>(number);
    return true;
}

}  // namespace

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

bool CScenarioBoardDevices::Load(const std::string& path) {
    // The profile functions would look for a bare name in the Windows folder.
    char file[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof file, file, nullptr);
    if (length == 0 || length >= sizeof file || !FileExists(file))
        return false;

    m_boards.clear();
    for (int index = 0; index < kMaxBoards; ++index) {
        const std::string section = "Board" + std::to_string(index);
        Board board = {};
        if (!ReadNumber(file, section, "Type", board.type))
            break;
        ReadNumber(file, section, "SerialNo", board.serial);
        m_boards.push_back(board);
    }
    return true;
}

HANDLE CScenarioBoardDevices::Open(int board) {
    if (board < 0 || board >= static_cast<int>(m_boards.size()))
        return INVALID_HANDLE_VALUE;
    return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(board + 1));
}

bool CScenarioBoardDevices::Query(HANDLE device, DWORD code, DWORD& value) {
    const Board& board = m_boards[reinterpret_cast<INT_PTR>(device) - 1];
    if (code == kIoctlBoardType)
        value = board.type;
    else if (code == kIoctlBoardSerial)
        value = board.serial;
    else
        return false;
    return true;
}
