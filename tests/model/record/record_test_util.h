// Fresh temporary folders and archive round trips for the record tests.
#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include <vyr/stdafx.h>

class RecordTempDir
{
public:
    RecordTempDir()
    {
        static std::atomic<int> serial{0};
        m_path = std::filesystem::temp_directory_path() /
                 ("vyr_record_" + std::to_string(::getpid()) + "_" + std::to_string(serial++));
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~RecordTempDir() { std::filesystem::remove_all(m_path); }
    std::string File(const char* name) const { return (m_path / name).string(); }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// Stores through one archive into a file, then loads through another.
inline void ArchiveRoundTrip(const std::function<void(CArchive&)>& store, const std::function<void(CArchive&)>& load)
{
    RecordTempDir dir;
    std::string file = dir.File("a.bin");
    {
        CFile f;
        ASSERT_TRUE(f.Open(file.c_str(), CFile::modeCreate | CFile::modeWrite));
        CArchive ar(&f, CArchive::store);
        store(ar);
        ar.Close();
        f.Close();
    }
    CFile f;
    ASSERT_TRUE(f.Open(file.c_str(), CFile::modeRead));
    CArchive ar(&f, CArchive::load);
    load(ar);
    ar.Close();
    f.Close();
}
