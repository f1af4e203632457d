#pragma once
// CServiceHost: starts and stops the recording service the way the main window does when it is created and
// destroyed, without any window: the same steps (startup/ServiceStartup.h) in the same order, with the FTP log
// pane's upload thread around them. The development host (servicehost.exe) and the capacity benchmark run the
// service through it.
//
// The caller reads the start-up settings (LoadStartupSettings) and installs its IServiceView first: the view
// stands for the main window, so the engine's call writer and the driver events run only while one is installed.
// Start and Stop are called once each, in this order, from the host's main thread.

#include "backup/FtpBackup.h"

class CServiceHost {
public:
    explicit CServiceHost(const FtpBackupTiming& ftpTiming = {});

    // In the main frame's creation order: the FTP log pane's upload thread, ChannelConfigThread and the engine
    // threads, the stores (each DBPath key written just before its store opens; both default accounts), today's
    // CDR store, the FTP queue, the program-start row, the BackupDBEX folder, the TCP server and the MP3 encoder.
    // Failures are not reported, as at the main frame's creation: a store that did not open fails its later use.
    void Start();

    // In the main frame's destruction order: the engine, the TCP server, the program-exit row, the stores, the MP3
    // encoder; then the FTP log pane's upload thread, which goes down with the panes after the frame.
    void Stop();

private:
    FtpBackup m_ftpBackup;  // the FTP log pane's upload queue and thread
};
