#include "backup/FtpTransfer.h"

#include "mfc.h"

#include <wininet.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// An internet handle closed with its scope.
class InternetHandle {
public:
    explicit InternetHandle(HINTERNET handle) : m_handle(handle) {}
    ~InternetHandle() {
        if (m_handle)
            ::InternetCloseHandle(m_handle);
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;

    operator HINTERNET() const { return m_handle; }

private:
    HINTERNET m_handle;
};

// Every folder above the file, outermost first: for "/S/M/D/f" the texts "", "/S", "/S/M" and "/S/M/D". The
// first one is the root, whose creation fails harmlessly like that of every folder that exists.
void CreateRemoteFolders(HINTERNET connection, const std::wstring& path) {
    const std::wstring folder = path.substr(0, path.rfind(L'/'));
    for (size_t slash = folder.find(L'/'); slash != std::wstring::npos; slash = folder.find(L'/', slash + 1))
        ::FtpCreateDirectoryW(connection, folder.substr(0, slash).c_str());
    ::FtpCreateDirectoryW(connection, folder.c_str());
}

// Sends the first fileSize bytes of the local file; true when all of them were written.
bool SendFile(HINTERNET remote, const wchar_t* localPath, DWORD fileSize, const std::atomic<bool>& stop) {
    const CScopedKernelHandle local(::CreateFileW(localPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!local.IsValid())
        return false;
    std::vector<char> chunk(kFtpChunkBytes);
    DWORD sent = 0;
    while (sent < fileSize && !stop) {
        DWORD read = 0;
        if (!::ReadFile(local.Get(), chunk.data(), std::min(kFtpChunkBytes, fileSize - sent), &read, nullptr) ||
            read == 0)
            break;  // the file is shorter than the caller said: not a complete upload
        DWORD written = 0;
        if (!::InternetWriteFile(remote, chunk.data(), read, &written) || written != read)
            break;
        sent += written;
    }
    return sent == fileSize && !stop;
}

}  // namespace

int UploadFileByFtp(const wchar_t* remotePath, DWORD fileSize, const wchar_t* localPath, const wchar_t* server,
                    const wchar_t* userName, const wchar_t* password, int port, const std::atomic<bool>& stop) {
    InternetHandle session(::InternetOpenW(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session)
        return 0;
    // No INTERNET_FLAG_PASSIVE: the server connects back for each transfer (active mode).
    InternetHandle connection(::InternetConnectW(session, server, static_cast<INTERNET_PORT>(port), userName, password,
                                                 INTERNET_SERVICE_FTP, 0, 0));
    if (!connection)
        return 0;

    std::wstring path(remotePath);
    if (path.empty() || path[0] != L'/')
        path.insert(0, 1, L'/');
    CreateRemoteFolders(connection, path);

    InternetHandle remote(
        ::FtpOpenFileW(connection, path.c_str(), GENERIC_WRITE, FTP_TRANSFER_TYPE_BINARY | INTERNET_FLAG_RELOAD, 0));
    if (!remote)
        return 0;
    return SendFile(remote, localPath, fileSize, stop) ? 1 : 0;
}
