// Finding the program's windows from outside: top-level windows by title, and everything below a window.
#pragma once

#include "Json.h"

#include <windows.h>

#include <string>

enum class TitleMatch { Exact, Prefix };

// The first top-level window whose title matches (visible ones only when asked), polled until the deadline;
// null when none appeared.
HWND WaitForTopLevel(const std::wstring& title, TitleMatch match, bool visibleOnly, DWORD timeoutMs);

std::wstring WindowText(HWND window);
std::wstring WindowClass(HWND window);
// The window's facts as fields of the open object.
void DescribeWindow(HWND window, CJsonWriter& out);
// Every window below window, depth first, as an array of described windows.
void DescribeChildren(HWND window, CJsonWriter& out);
// Top-level windows of the process of window, as an array of described windows.
void DescribeTopLevelsOfProcess(HWND window, CJsonWriter& out);
