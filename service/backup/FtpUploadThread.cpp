// FtpUploadThread: uploads the recordings of the FTP backup's queue, one at a time, inside the upload window.
// It owns the job in hand; it takes the queue lock only to take or append one job, and uses the FTP queue store
// and today's call-record store without a lock (their connections serialise the calls). It stops when the
// backup's stop event is raised: every pause ends at once, and a transfer ends after the chunk in hand.
//
// A job's way:
//
//   FtpTable row --(queue empty: load every row)--> queue --TakeFirstJob--> in hand
//   in hand, file cannot be opened ------------> kFtpLocalFileMissing; the row is deleted when the file is gone
//                                                 and its call is older than kMissingFileGrace, else kept
//   in hand, file opened --> kFtpUploadStarted --+--> sent: kFtpUploadDone, CDR flag 1, row deleted, the day's
//                                                |          CDR snapshot uploaded (best effort)
//                                                +--> not sent: kFtpUploadFailed, back to the queue's tail, pause

#include "backup/FtpBackup.h"

#include "backup/FtpBackupTime.h"
#include "backup/FtpRemotePaths.h"
#include "backup/FtpSettings.h"
#include "backup/FtpTransfer.h"
#include "settings/Folders.h"
#include "settings/FormatText.h"
#include "storage/CallRecordStore.h"
#include "storage/DatabaseSnapshot.h"
#include "storage/FtpQueueStore.h"
#include "storage/StoragePaths.h"
#include "storage/Stores.h"

#include "ServiceView.h"
#include "mfc.h"

namespace {

// A missing recording may still be in the making: the job of an MP3 recording names the MP3 file before the
// conversion has written it. Its row is kept until the call is this old, and is deleted after that, so a
// recording that is gone for good is reported once more at most and is not loaded again at every refill.
constexpr ULONGLONG kMissingFileGrace = 60ull * 60 * 10000000;  // one hour in 100-ns units

void ShowStatus(const FtpJob& job, FtpStatus status) {
    if (IServiceView* view = GetServiceView())
        view->FtpLogRow(job, status);
}

ULONGLONG FileTimeOf(const SYSTEMTIME& time) {
    FILETIME fileTime;
    if (!::SystemTimeToFileTime(&time, &fileTime))
        return 0;
    return (ULONGLONG(fileTime.dwHighDateTime) << 32) | fileTime.dwLowDateTime;
}

bool IsGoneForGood(const FtpJob& job, DWORD openError, const SYSTEMTIME& now) {
    if (openError != ERROR_FILE_NOT_FOUND && openError != ERROR_PATH_NOT_FOUND)
        return false;  // locked or unreachable for now: tried again at the next refill
    return FileTimeOf(job.stStartRec) + kMissingFileGrace < FileTimeOf(now);
}

// Sets Flag 1 on the job's row in the database of its call's day.
void FlagUploaded(const FtpJob& job) {
    if (UseTodayCallStore(job.stStartRec, [&](CallRecordStore& today) { today.UpdateFlag(job.RecFilePath, 1); }))
        return;
    CallRecordStore store;
    if (store.Open(CdrDayFile(job.stStartRec).c_str())) {
        store.UpdateFlag(job.RecFilePath, 1);
        store.Close();
    }
}

// The size of the file (32 bits), or false when it cannot be opened; error gets the reason.
bool ReadFileSize(const wchar_t* path, DWORD& size, DWORD& error) {
    const CScopedKernelHandle file(::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) {
        error = ::GetLastError();
        return false;
    }
    size = ::GetFileSize(file.Get(), nullptr);
    return true;
}

}  // namespace

unsigned __stdcall FtpUploadThread(void* backup) {
    try {
        static_cast<FtpBackup*>(backup)->RunUploadPasses();
    } catch (...) {
        // Nothing may leave a thread function; the backup stays stopped until the pane starts it again.
    }
    return 0;
}

void FtpBackup::RunUploadPasses() {
    while (Pause(m_timing.PollMs)) {
        const FtpLogin login = ReadFtpLogin();
        SYSTEMTIME now;
        ::GetLocalTime(&now);
        if (!login.CanUpload() || !IsFtpBackupTime(now))
            continue;
        if (QueueIsEmpty()) {
            if (!Pause(m_timing.RefillPauseMs))
                break;
            TheFtpQueueStore().ForEachJob([this](const FtpJob& job) { EnqueueJob(job); });
        }
        FtpJob job;
        if (TakeFirstJob(job))
            UploadJob(job, login, now);
    }
}

void FtpBackup::UploadJob(const FtpJob& job, const FtpLogin& login, const SYSTEMTIME& now) {
    DWORD size = 0;
    DWORD openError = 0;
    if (!ReadFileSize(job.RecFilePath, size, openError)) {
        ShowStatus(job, kFtpLocalFileMissing);
        if (IsGoneForGood(job, openError, now))
            TheFtpQueueStore().DeleteJob(job);
        return;
    }
    const std::wstring fileName = RemoteFileName(job.RecFilePath);
    ShowStatus(job, kFtpUploadStarted);

    const std::wstring serial = FtpSerialNumber(now);
    const std::wstring server = FtpServerText(login.Server);
    const std::wstring remotePath = RecordingRemotePath(serial.c_str(), job.stStartRec, fileName.c_str());
    if (!UploadFileByFtp(remotePath.c_str(), size, job.RecFilePath, server.c_str(), login.UserName.c_str(),
                         login.Password.c_str(), login.Port, m_stop)) {
        ShowStatus(job, kFtpUploadFailed);
        EnqueueJob(job);
        Pause(m_timing.FailurePauseMs);
        return;
    }
    ShowStatus(job, kFtpUploadDone);
    FlagUploaded(job);
    TheFtpQueueStore().DeleteJob(job);
    UploadCdrSnapshot(job.stStartRec, serial.c_str(), login);
}

// Sends the day's CDR database after the recording, so the server holds the row of every file it holds. The
// snapshot goes through "<program folder>\FtpDB\CDRYYYYMMDD.db"; its failure is not shown.
void FtpBackup::UploadCdrSnapshot(const SYSTEMTIME& day, const wchar_t* serial, const FtpLogin& login) {
    const std::wstring folder = GetExeFolder() + L"\\FtpDB\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring copy = folder + FormatText(L"CDR%04d%02d%02d.db", day.wYear, day.wMonth, day.wDay);
    if (!SnapshotDatabase(CdrDayFile(day).c_str(), copy.c_str()))
        return;
    DWORD size = 0;
    DWORD openError = 0;
    if (!ReadFileSize(copy.c_str(), size, openError))
        return;
    UploadFileByFtp(CdrRemotePath(serial, day).c_str(), size, copy.c_str(), FtpServerText(login.Server).c_str(),
                    login.UserName.c_str(), login.Password.c_str(), login.Port, m_stop);
}
