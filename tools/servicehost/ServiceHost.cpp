#include "ServiceHost.h"

#include "ServiceView.h"
#include "engine/EngineThreads.h"
#include "remote/TcpServer.h"
#include "startup/ServiceStartup.h"

CServiceHost::CServiceHost(const FtpBackupTiming& ftpTiming) : m_ftpBackup(ftpTiming) {}

void CServiceHost::Start() {
    m_ftpBackup.Start();
    StartChannelConfigThread();
    StartEngineThreads();
    OpenServiceStores();
    WriteProgramStartRow();
    CreateBackupFolder();
    StartTcpServer();  // a port in use leaves the service running without remote clients
    BindCallWriterEncoder();
}

void CServiceHost::Stop() {
    StopEngine();
    StopTcpServer();
    WriteProgramExitRow(CurrentOperatorName().c_str());
    CloseServiceStores();
    FreeCallWriterEncoder();
    m_ftpBackup.Stop();
}
