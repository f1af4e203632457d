#pragma once
// Where the FTP backup puts things on the server. The first folder is the site's serial number; the month and
// day folders are those of the call's start:
//   recording      /<serial>/YYYYMM/YYYYMMDD/<file name>
//   CDR database   /<serial>/YYYYMM/YYYYMMDD/dbFiles/CDRYYYYMMDD.db

#include <windows.h>

#include <string>

// The part of a local path after its last backslash, with '#' made 'B' and '*' made 'A'.
std::wstring RemoteFileName(const wchar_t* localPath);

std::wstring RecordingRemotePath(const wchar_t* serial, const SYSTEMTIME& day, const wchar_t* fileName);
std::wstring CdrRemotePath(const wchar_t* serial, const SYSTEMTIME& day);

// "a.b.c.d" of the FtpServer setting, most significant byte first.
std::wstring FtpServerText(int server);
