// CommandLine.cpp - splitting command lines and reading numbers.
#include "CommandLine.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>

std::vector<std::string> SplitWords(const std::string& line) {
    std::vector<std::string> words;
    size_t at = 0;
    for (;;) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t' || line[at] == '\r' || line[at] == '\n'))
            ++at;
        if (at >= line.size())
            return words;
        std::string word;
        if (line[at] == '"') {
            const size_t end = line.find('"', at + 1);
            word = line.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
            at = end == std::string::npos ? line.size() : end + 1;
        } else {
            while (at < line.size() && line[at] != ' ' && line[at] != '\t' && line[at] != '\r' && line[at] != '\n')
                word += line[at++];
        }
        words.push_back(word);
    }
}

bool ParseInt(const std::string& text, int& value) {
    if (text.empty())
        return false;
    // Hexadecimal only with its prefix (link status words); a leading 0 is not octal.
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(text.c_str(), &end, hex ? 16 : 10);
    if (errno != 0 || *end != '\0' || parsed < INT32_MIN || parsed > (hex ? UINT32_MAX : INT32_MAX))
        return false;
    value = static_cast<int>(static_cast<uint32_t>(parsed));
    return true;
}

bool ParseDouble(const std::string& text, double& value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return *end == '\0';
}

std::string FoldLower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}
