#pragma once
// The shared label font: the font request (Arial, 20 high, bold) that the call-record panes hand by value to their
// label controls.

#include <windows.h>

const LOGFONTW& SharedLabelFont();
