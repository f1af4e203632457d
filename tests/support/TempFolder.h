// TempFolder.h - a fresh folder under the temporary folder for one test, removed with everything
// in it when the object goes.
#pragma once

#include <process.h>

#include <atomic>
#include <filesystem>
#include <string>

class CTempFolder {
public:
    CTempFolder() {
        static std::atomic<int> counter{0};
        m_path = std::filesystem::temp_directory_path() /
                 ("tess-" + std::to_string(_getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(m_path);  // left by an earlier process of the same id
        std::filesystem::create_directories(m_path);
    }

    ~CTempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }

    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    std::string Path() const { return m_path.string(); }
    std::string Path(const std::string& name) const { return (m_path / name).string(); }
    std::wstring WidePath() const { return m_path.wstring(); }

private:
    std::filesystem::path m_path;
};
