// CommandLine.h - words and numbers of the control commands and the scenario file.
#pragma once

#include <string>
#include <vector>

// Splits at spaces and tabs; a word in double quotes may hold spaces (backslashes are kept as
// they are, so Windows paths need no escaping).
std::vector<std::string> SplitWords(const std::string& line);

// A whole decimal number, or hexadecimal with 0x; false for anything else.
bool ParseInt(const std::string& text, int& value);
bool ParseDouble(const std::string& text, double& value);

std::string FoldLower(std::string text);
