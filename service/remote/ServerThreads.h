#pragma once
// The threads of the TCP server. Started with the C runtime's thread start; see each thread's file for what it
// owns and how it stops.

#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h
#include <windows.h>

// What StartTcpServer hands to its two threads. Lives from StartTcpServer until StopTcpServer has waited for them.
struct ListeningControl {
    SOCKET Listener = INVALID_SOCKET;
    HANDLE StopEvent = nullptr;  // manual-reset, set by StopTcpServer
};

// Argument: the ListeningControl.
unsigned __stdcall AcceptThread(void* control);
unsigned __stdcall KeepAliveThread(void* control);
// Argument: the ClientSlot it serves.
unsigned __stdcall ClientReaderThread(void* slot);
