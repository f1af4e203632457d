#pragma once
// The program folder (root of the settings, language, image, schedule and log files) and the data folder that
// holds every database. Nothing is cached: each call rebuilds the path. Any thread.

#include <string>

// The folder of the running executable, without a trailing backslash; empty when the module name has none.
std::wstring GetExeFolder();

// "<common application data>\Orvandel\DBFiles", without a trailing backslash. Creates both folders when missing;
// creation errors are ignored.
std::wstring GetDataFolder();

// Test seam: every later call of GetExeFolder or GetDataFolder answers this folder instead, so a test process
// keeps its settings, language files and databases in its own temporary folder. An empty folder restores the
// real one. Set it before the threads that read it start.
void SetExeFolderOverride(const std::wstring& folder);
void SetDataFolderOverride(const std::wstring& folder);
