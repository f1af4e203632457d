#pragma once
// Helpers shared by the backup tests: times, files, the FTP settings, and a view that keeps the FTP log rows.

#include "LocalTime.h"
#include "RecordingServiceView.h"
#include "WaitUntil.h"
#include "backup/FtpBackup.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"
#include "storage/RecordFields.h"

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <vector>

// A local time with its weekday filled in.
inline SYSTEMTIME MakeTime(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0, WORD second = 0) {
    SYSTEMTIME time = LocalTime(year, month, day, hour, minute, second);
    FILETIME fileTime;
    ::SystemTimeToFileTime(&time, &fileTime);
    ::FileTimeToSystemTime(&fileTime, &time);
    return time;
}

inline SYSTEMTIME Now() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return now;
}

inline void WriteFtpInt(const wchar_t* key, int value) {
    WriteSettingInt(kSectionSettings, key, value);
}

inline void WriteFtpText(const wchar_t* key, const wchar_t* value) {
    WriteSettingString(kSectionSettings, key, value);
}

// Backup on at every hour of every day, to 127.0.0.1 on port with the given login.
inline void WriteFtpLogin(int port, const wchar_t* user = L"tess", const wchar_t* password = L"secret") {
    WriteFtpInt(kKeyFtpBackup, 1);
    for (const wchar_t* key : kKeyFtpAllDay)
        WriteFtpInt(key, 1);
    WriteFtpInt(kKeyFtpServer, 0x7F000001);
    WriteFtpInt(kKeyFtpPort, port);
    WriteFtpText(kKeyFtpUserName, user);
    WriteFtpText(kKeyFtpUserPsw, password);
}

inline FtpJob MakeJob(const std::wstring& path, const SYSTEMTIME& start) {
    FtpJob job{};
    CopyToField(job.RecordNum, L"5550123");
    CopyToField(job.RecFilePath, path.c_str());
    job.stStartRec = start;
    return job;
}

inline bool FileExists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline std::string ReadBytes(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

inline void WriteBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream(path.c_str(), std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Bytes that show a cut or a shifted chunk: every position holds a different pattern over 256 bytes.
inline std::string PatternBytes(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
    return bytes;
}

// Keeps every FTP log row with the job's path and the time it arrived.
class FtpLogView : public RecordingServiceView {
public:
    struct Row {
        std::wstring Path;
        int Status;
        std::chrono::steady_clock::time_point At;
    };

    void FtpLogRow(const FtpJob& job, FtpStatus status) override {
        {
            std::lock_guard<std::mutex> lock(m_rowsLock);
            m_rows.push_back({std::wstring(FieldText(job.RecFilePath)), status, std::chrono::steady_clock::now()});
        }
        RecordingServiceView::FtpLogRow(job, status);
    }

    std::vector<Row> Rows() {
        std::lock_guard<std::mutex> lock(m_rowsLock);
        return m_rows;
    }

    bool WaitForRows(size_t count, int timeoutMs) {
        return WaitFor([count](const std::vector<Call>& calls) { return calls.size() >= count; }, timeoutMs);
    }

private:
    std::mutex m_rowsLock;  // guards m_rows
    std::vector<Row> m_rows;
};
