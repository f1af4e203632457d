// DefaultBoardDevices.h - the backend the shipped library uses.
#pragma once

#include "BoardDevice.h"

CBoardDeviceBackend& DefaultBoardDevices();
