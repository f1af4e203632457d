// CallWriterThread: the only consumer of the finished-call queue. It turns each CallRecord the engine queued into
// its permanent form, every step of it in this order:
//
//   minimum length -> blacklist -> final file name -> contact fields -> MP3 name -> today's store on the record's
//   day -> CDR row (retried once; then system-log row and DBLog.txt) -> push to the permitted clients -> backup
//   copy every 200 records -> upload job -> call-record panes -> MP3 conversion (when it fails, the row and the job
//   name the WAV that is kept)
//
// The push follows the row and the file's final name, so a client that is told of a call finds both, and precedes
// the steps no client sees, so that they do not delay it.
//
// It takes the records that have queued up together (up to kMostCallsFiledTogether) and writes their rows, and then
// their upload jobs, in one transaction each, so that a burst of hang-ups is filed in a fraction of the time one
// flush per row would take; each record still passes its steps in order, and a row that fails is tried on its own.
//
// The thread owns each record from the moment it takes it. It holds the queue's lock only while it removes one
// record. It shares today's store with the FTP backup and the record commands: it alone moves the store to another
// day or writes a transaction into it, and does so under UseTodayCallStoreAlone, which waits for their work on the
// store (Stores.h); its other statements need no lock. A thread started before the main window exists ends at once;
// otherwise it looks at the queue every 5 ms while it is empty, sleeping in WaitForEngineStop, and ends when the
// engine stops, after the records in hand.
#include "engine/CallWriterThread.h"

#include "ServiceView.h"
#include "engine/AdpcmToALaw.h"
#include "engine/CardEngineState.h"
#include "engine/EngineThreads.h"
#include "engine/RecordingNames.h"
#include "mfc.h"
#include "engine/WavFormat.h"
#include "clients/ClientPushes.h"
#include "settings/Folders.h"
#include "settings/FormatText.h"
#include "settings/LangText.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"
#include "storage/CallRecordStore.h"
#include "storage/ContactStore.h"
#include "storage/DatabaseSnapshot.h"
#include "storage/FtpQueueStore.h"
#include "storage/RecordFields.h"
#include "storage/StoragePaths.h"
#include "storage/Stores.h"
#include "storage/SysLogStore.h"

#include <windows.h>

#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr DWORD kPollMs = 5;
// The calls that have queued up are filed together, up to this many: the first of them waits for the others' steps.
constexpr size_t kMostCallsFiledTogether = 32;
constexpr int kBackupEveryRecords = 200;
constexpr int kLongestMp3CallSeconds = 1799;

// Language texts put into CallNotes when the recording is deleted.
constexpr wchar_t kNoteTooShort[] = L"0292";
constexpr wchar_t kNoteBlacklistedInbound[] = L"0435";
constexpr wchar_t kNoteBlacklistedOutbound[] = L"0436";

// Program-folder copies of the day databases: on a change of day, and every 200 records.
constexpr wchar_t kDayChangeBackupFolder[] = L"BackupDBEx";
constexpr wchar_t kPeriodicBackupFolder[] = L"BackupDBEX";

int g_recordsSinceBackup = 0;  // writer thread only; counts every record, inserted or not

std::wstring Text(const wchar_t* field, size_t size) {
    return std::wstring(field, wcsnlen(field, size));
}

template <size_t N>
std::wstring Text(const wchar_t (&field)[N]) {
    return Text(field, N);
}

bool SettingIsOne(const wchar_t* key) {
    return ReadSettingInt(kSectionSettings, key) == 1;
}

// The recording is not kept: its file goes, the row says why and has no recorded time.
void DiscardRecording(CallRecord& record, const wchar_t* noteKey) {
    record.RecTime = 0;
    ::DeleteFileW(Text(record.FilePath).c_str());
    CopyToField(record.CallNotes, LangText(noteKey).c_str());
}

// False when the call is dropped altogether.
bool ApplyMinimumLength(CallRecord& record) {
    const int minRec = ReadSettingInt(kSectionSettings, kKeyMinRec);
    if (minRec <= 0 || record.RecTime >= minRec)
        return true;
    if (record.CallType == kCallOutgoing) {
        // A short outgoing call gets no row, so nothing would ever name or remove its file.
        ::DeleteFileW(Text(record.FilePath).c_str());
        return false;
    }
    DiscardRecording(record, kNoteTooShort);
    return true;
}

void ApplyBlacklist(CallRecord& record) {
    const wchar_t* note = nullptr;
    if (record.CallType == kCallIncoming && SettingIsOne(kKeySaveHeimingDanInbound))
        note = kNoteBlacklistedInbound;
    else if (record.CallType == kCallOutgoing && SettingIsOne(kKeySaveHeimingDanOutbound))
        note = kNoteBlacklistedOutbound;
    if (!note)
        return;
    BlacklistRecord entry{};
    if (TheContactStore().FindBlacklistNumber(Text(record.PhoneNumber).c_str(), entry))
        DiscardRecording(record, note);
}

// The row names the final path even when the move fails; a call without recorded time has no file to move.
void GiveFinalName(CallRecord& record) {
    const std::wstring finalPath = FinalRecordingPath(record);
    if (record.RecTime > 0)
        ::MoveFileW(Text(record.FilePath).c_str(), finalPath.c_str());
    CopyToField(record.FilePath, finalPath.c_str());
}

void FillContactFields(CallRecord& record) {
    switch (record.CallType) {
        case kCallIncoming:
        case kCallOutgoing:
        case kCallMissed:
        case kCallAutoAnswered:
        case kCallSpyOutgoingMissed:
            break;
        default:
            return;
    }
    const std::wstring number = Text(record.PhoneNumber);
    ContactRecord contact{};
    if (number.empty() || !TheContactStore().FindContactByNumber(number.c_str(), contact))
        return;
    CopyToField(record.PhoneName, Text(contact.UserName).c_str());
    CopyToField(record.CusNotes1, Text(contact.UserNotes).c_str());
    CopyToField(record.CusNotes2, Text(contact.CompanyAddress).c_str());
    CopyToField(record.CusAJBH, Text(contact.CompanyName).c_str());
    CopyToField(record.CusAutoID, Text(contact.UserID).c_str());
}

bool IsImaRecording(const std::wstring& path) {
    CScopedKernelHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ImaWavHeader header{};
    DWORD read = 0;
    return file.IsValid() && ::ReadFile(file.Get(), &header, sizeof(header), &read, nullptr) &&
           read == sizeof(header) && IsRecordedImaHeader(header);
}

// Only an IMA ADPCM recording can be converted, and only with the encoder bound; otherwise the row goes on naming
// the WAV that exists. Decided once, so the row's name and the conversion always agree.
bool ShouldConvertToMp3(const CallRecord& record) {
    return record.RecTime > 0 && record.RecTime <= kLongestMp3CallSeconds &&
           ReadSettingInt(kSectionSettings, kKeyAudioFmt) == kAudioImaAdpcmToMp3 &&
           IsMp3EncoderBound(CallWriterEncoder()) && IsImaRecording(Text(record.FilePath));
}

// The row names the MP3 that the conversion after the push makes.
void NameTheMp3(CallRecord& record) {
    const size_t length = wcsnlen(record.FilePath, std::size(record.FilePath));
    if (length >= 3)
        wcscpy(record.FilePath + length - 3, L"mp3");
}

// True when the MP3 was made. Otherwise the recording is still a WAV under wavPath: the ADPCM original when the
// A-law file could not take its place, else the A-law file.
bool ConvertToMp3(const std::wstring& wavPath) {
    const std::wstring pcmPath = wavPath + L".pcm";
    if (!ConvertAdpcmWavToALaw(wavPath.c_str(), pcmPath.c_str()))
        return false;
    if (!::MoveFileExW(pcmPath.c_str(), wavPath.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        ::DeleteFileW(pcmPath.c_str());
        return false;
    }
    return ConvertRecordingToMp3(wavPath.c_str(), CallWriterEncoder());
}

// The row and the upload job were written naming the MP3; when it was not made they name the WAV that is there.
void NameTheWavAgain(CallRecordStore& store, const CallRecord& record, const FtpJob& job, const std::wstring& wavPath) {
    store.UpdateFilePath(Text(record.FilePath).c_str(), wavPath.c_str());
    TheFtpQueueStore().UpdateJobPath(job, wavPath.c_str());
}

// Copies the day's database into a folder of the program folder, replacing an older copy. Not reported. The copy
// is a snapshot: the file may be written by another thread (a record command, the FTP thread) meanwhile.
void CopyDayDatabase(const SYSTEMTIME& day, const wchar_t* backupFolder) {
    const std::wstring folder = GetExeFolder() + L"\\" + backupFolder + L"\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring copy = folder + FormatText(L"CDR%04d%02d%02d.db", day.wYear, day.wMonth, day.wDay);
    SnapshotDatabase(CdrDayFile(day).c_str(), copy.c_str());
}

// Moves today's store to the day's file, once the FTP thread and the record commands have finished their work on
// it (the store and day they check stay together).
void OpenStoreOnDay(const SYSTEMTIME& day) {
    CreateMonthFolder(day);
    UseTodayCallStoreAlone([&](CallRecordStore& store) {
        store.Close();
        store.Open(CdrDayFile(day).c_str());
        store.SetDate(day);
    });
}

// Today's store follows the start dates of the records: a call that began before midnight goes into the day it
// began, and the next call moves the store back. The day left behind is copied first.
void MoveStoreToRecordDay(CallRecordStore& store, const CallRecord& record) {
    if (store.IsOpen() && store.IsOnDate(record.StartTime))
        return;
    CopyDayDatabase(store.Date(), kDayChangeBackupFolder);
    OpenStoreOnDay(record.StartTime);
}

bool InsertRow(CallRecordStore& store, CallRecord& record) {
    if (store.Insert(record))
        return true;
    OpenStoreOnDay(record.StartTime);
    return store.Insert(record);
}

// The raw records, one after another, so that they can be inserted again by hand.
void AppendToInsertLog(const CallRecord& record) {
    const std::wstring folder = GetExeFolder() + L"\\DBLog\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    CScopedKernelHandle log(::CreateFileW((folder + L"DBLog.txt").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                          OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!log.IsValid())
        return;
    DWORD written = 0;
    if (::SetFilePointer(log.Get(), 0, nullptr, FILE_END) != INVALID_SET_FILE_POINTER)
        ::WriteFile(log.Get(), &record, sizeof(record), &written, nullptr);
}

// The row could not be stored: it is logged where an operator will find it, and the store is closed so that the
// next record opens it afresh.
void LogFailedInsert(const CallRecord& record) {
    SysLogRow row{};
    row.SysLog_Cmd = kSysLogCdrInsertFailed;
    CopyToField(row.Name, CurrentOperatorName().c_str());
    const SYSTEMTIME& t = record.StartTime;
    FormatToField(row.Notes, L"%04d-%2d-%02d %02d%02d%02d %ls %ls", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                  t.wSecond, Text(record.PhoneNumber).c_str(), Text(record.FilePath).c_str());
    ::GetLocalTime(&row.Time);
    WriteSysLogRow(row);
    UseTodayCallStoreAlone([](CallRecordStore& today) { today.Close(); });
    AppendToInsertLog(record);
}

void CountForBackup(const CallRecord& record) {
    if (++g_recordsSinceBackup < kBackupEveryRecords)
        return;
    g_recordsSinceBackup = 0;
    CopyDayDatabase(record.StartTime, kPeriodicBackupFolder);
}

// A call being filed, with what filing it decided on the way.
struct FiledCall {
    std::unique_ptr<CallRecord> Record;
    std::wstring WavPath;  // the recording as it is on disk, before any MP3 conversion
    bool ToMp3 = false;
    FtpJob Job{};  // its upload job; none (no RecordID) for a call without a recording
};

// The steps before the row. False when the call is dropped altogether.
bool PrepareCall(FiledCall& call) {
    CallRecord& record = *call.Record;
    if (!ApplyMinimumLength(record))
        return false;
    ApplyBlacklist(record);
    GiveFinalName(record);
    FillContactFields(record);
    call.WavPath = Text(record.FilePath);
    call.ToMp3 = ShouldConvertToMp3(record);
    if (call.ToMp3)
        NameTheMp3(record);
    return true;
}

bool SameDay(const CallRecord& a, const CallRecord& b) {
    return a.StartTime.wYear == b.StartTime.wYear && a.StartTime.wMonth == b.StartTime.wMonth &&
           a.StartTime.wDay == b.StartTime.wDay;
}

// The rows, in order. The calls of one day go into that day's database in one transaction, so a burst of hang-ups
// costs the disk one flush rather than one per call. When the transaction fails, each row is tried on its own as
// always (retried once, then logged), so a row that cannot be stored holds up none of the others.
void StoreRows(std::vector<FiledCall>& calls) {
    CallRecordStore& store = TodayCallStore();
    for (size_t first = 0; first < calls.size();) {
        size_t end = first + 1;
        while (end < calls.size() && SameDay(*calls[end].Record, *calls[first].Record))
            ++end;
        MoveStoreToRecordDay(store, *calls[first].Record);
        std::vector<CallRecord*> run;
        for (size_t i = first; i < end; ++i)
            run.push_back(calls[i].Record.get());
        bool stored = false;
        UseTodayCallStoreAlone([&](CallRecordStore& today) { stored = today.InsertAll(run); });
        for (CallRecord* record : run) {
            if (!stored && !InsertRow(store, *record))
                LogFailedInsert(*record);
        }
        first = end;
    }
}

// A call without a recording has no file to upload. The jobs of the others, with their RecordIDs, are added in
// one transaction (each on its own when that fails).
void QueueUploads(std::vector<FiledCall>& calls) {
    std::vector<FtpJob*> jobs;
    for (FiledCall& call : calls) {
        const CallRecord& record = *call.Record;
        if (record.RecTime <= 0)
            continue;
        CopyToField(call.Job.RecordNum, Text(record.PhoneNumber).c_str());
        CopyToField(call.Job.RecFilePath, Text(record.FilePath).c_str());
        call.Job.stStartRec = record.StartTime;
        jobs.push_back(&call.Job);
    }
    if (jobs.empty() || TheFtpQueueStore().InsertJobs(jobs))
        return;
    for (FtpJob* job : jobs)
        TheFtpQueueStore().InsertJob(*job);
}

// Files the calls taken from the queue together: each goes through every step in order, the rows and the upload
// jobs of all of them being written together.
void FileCalls(std::vector<FiledCall>& taken) {
    std::vector<FiledCall> calls;
    for (FiledCall& call : taken) {
        if (PrepareCall(call))
            calls.push_back(std::move(call));
    }
    StoreRows(calls);
    // The clients hear of the calls as soon as their rows are stored. The backup copy, the upload jobs and the
    // panes are the server's own business; a copy of the day's database, the jobs' transaction or a busy window
    // would only delay the pushes.
    std::vector<const CallRecord*> records;
    for (const FiledCall& call : calls)
        records.push_back(call.Record.get());
    PushCallRecords(records);
    for (const FiledCall& call : calls)
        CountForBackup(*call.Record);
    QueueUploads(calls);
    for (const FiledCall& call : calls) {
        if (IServiceView* view = GetServiceView())
            view->CallFiled(*call.Record);
    }
    for (const FiledCall& call : calls) {
        if (call.ToMp3 && !ConvertToMp3(call.WavPath))
            NameTheWavAgain(TodayCallStore(), *call.Record, call.Job, call.WavPath);
    }
}

}  // namespace

Mp3EncoderState& CallWriterEncoder() {
    static Mp3EncoderState encoder;
    return encoder;
}

unsigned __stdcall CallWriterThread(void* state) {
    if (!MainWindowExists())
        return 0;
    CardEngineState& engine = *static_cast<CardEngineState*>(state);
    for (;;) {
        try {
            std::vector<FiledCall> calls;
            while (calls.size() < kMostCallsFiledTogether) {
                std::unique_ptr<CallRecord> record = engine.CallQueue.Pop();
                if (!record)
                    break;
                calls.push_back({std::move(record)});
            }
            if (calls.empty()) {
                if (WaitForEngineStop(kPollMs))
                    break;
                continue;
            }
            FileCalls(calls);
        } catch (...) {
            // The records in hand are dropped; the thread goes on with the next ones.
        }
        if (WaitForEngineStop(0))
            break;
    }
    return 0;
}
