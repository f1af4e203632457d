// ConfigPath.h - where the driver's configuration files go.
#pragma once

#include <string>

// An empty name gives the Windows folder and defaultName; a name holding ':' is used as it is;
// any other name is put in the folder of the running program.
std::string ResolveConfigPath(const char* name, const char* defaultName);
