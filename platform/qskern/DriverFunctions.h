// DriverFunctions.h - the names of the driver's 45 functions.
#pragma once

#include <string>

// True for the name of an exported driver function (the names in qskern.def, control entry aside).
bool IsDriverFunction(const std::string& name);
