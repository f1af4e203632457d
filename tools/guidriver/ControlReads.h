// What the common controls of another process hold, read through messages answered into that process's memory.
#pragma once

#include "Json.h"

#include <windows.h>

// Each writes the control's contents into the open object of out; false when the control could not be read.
bool ReadListView(HWND list, CJsonWriter& out);
bool ReadHeader(HWND header, CJsonWriter& out);
bool ReadStatusBar(HWND bar, CJsonWriter& out);
bool ReadToolBar(HWND bar, CJsonWriter& out);
bool ReadTree(HWND tree, CJsonWriter& out);
// Selects and focuses one row of a list view, the only selected one, as a click on it would.
bool SelectListRow(HWND list, int row);
