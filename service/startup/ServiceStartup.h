#pragma once
// The steps by which the main window starts and stops the recording service around its own creation and
// destruction. The main frame calls them between its own steps; the development host (tools/servicehost) calls
// the same steps in the same order without a window. Each is best effort: a failure is not reported, and a store
// that did not open fails its later use the way its own functions say. The thread that starts the service (the UI
// thread, or the host's main thread), once each.
//
// Start, in this order between the window's own steps: StartChannelConfigThread and StartEngineThreads
// (engine/EngineThreads.h), OpenServiceStores, WriteProgramStartRow, CreateBackupFolder, StartTcpServer
// (remote/TcpServer.h), BindCallWriterEncoder. Stop: StopEngine, StopTcpServer, WriteProgramExitRow,
// CloseServiceStores, FreeCallWriterEncoder.

// Opens the process-wide stores in the data folder, each store's full path written to its key of section DBPath
// just before it opens: the phone book, the operator accounts and the client accounts (each with the built-in
// account when it is missing), today's CDR file (its month folder made first, the store dated today) and the
// upload queue.
void OpenServiceStores();
void CloseServiceStores();

// The program-start row (code 0) and the program-exit row (code 1, named after the operator who logged in last).
void WriteProgramStartRow();
void WriteProgramExitRow(const wchar_t* operatorName);

// The folder BackupDBEX in the program folder, where the call writer keeps copies of the CDR files.
void CreateBackupFolder();

// Binds the call writer's MP3 encoder library; without it recordings are simply not converted. Free unloads it.
void BindCallWriterEncoder();
void FreeCallWriterEncoder();
