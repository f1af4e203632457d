#pragma once
// One file sent to an FTP server through the platform's internet client (WinINet): active mode, binary
// transfer, 8192 bytes at a time. Called by the upload thread only; it holds no state between calls.

#include <windows.h>

#include <atomic>

constexpr DWORD kFtpChunkBytes = 8192;

// Connects to server (dotted address text) on port with the login, creates the folders of remotePath one level at
// a time (folders that exist already are fine; a missing leading "/" is added), and writes the first fileSize
// bytes of the local file to remotePath, replacing any file there. 1 when exactly fileSize bytes were written,
// 0 otherwise: a failed connection, folder, open or write, a local file shorter than fileSize, or stop raised
// between two chunks. A failed transfer may leave a partial remote file, which the next attempt replaces.
int UploadFileByFtp(const wchar_t* remotePath, DWORD fileSize, const wchar_t* localPath, const wchar_t* server,
                    const wchar_t* userName, const wchar_t* password, int port, const std::atomic<bool>& stop);
