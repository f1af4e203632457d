// DefaultConfig.h - the driver's default configuration, written from what the boards report.
#pragma once

#include <string>

// Writes the configuration of boards 0, 1, ... (up to the first that does not answer) into
// configFile and the prompt limit into promptFile; returns the number of boards written.
// isdnMode other than 2 is taken as 0, spyFlag other than 1 as 0.
int MakeDefaultConfig(int isdnMode, int spyFlag, int rcvGain, const std::string& configFile,
                      const std::string& promptFile);
