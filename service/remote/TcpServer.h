#pragma once
// The TCP server for remote clients: listens on setting NetPort (as read at start-up, Startup.NetPort) on all
// interfaces, gives each connection one of the 64 ClientSlots and serves it there (ClientSlot.h). Called by the
// main window at start-up and shutdown and by the settings dialog around a port change (whose callers force the
// clients off first: ForceAllClientsOffline).

// Starts WinSock 2.2, listens and starts AcceptThread and KeepAliveThread. 1, or 0 when the socket cannot be made,
// bound or put to listen (no client can connect then). Not while the server runs.
int StartTcpServer();

// Stops listening and both server threads, waiting for each with a bound while serving the view calls they make of
// the calling thread (WaitForServiceThread), and only then cleans WinSock up. Client slots and their threads are
// left as they are. Returns 1.
int StopTcpServer();
