// What the fuzz programs share: a scratch folder for the files they hand to the readers,
// and the library linked into the resource chain as a host does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace fuzzkit {

// The folder of this run (VYR_FUZZ_SCRATCH, which fuzz/run.sh makes and removes), else one
// made here and removed at exit.
inline const std::string& Scratch()
{
    static const std::string dir = [] {
        if (const char* s = std::getenv("VYR_FUZZ_SCRATCH"); s != nullptr && *s != '\0') {
            std::filesystem::create_directories(s);
            return std::string(s);
        }
        std::string t = (std::filesystem::temp_directory_path() / "vyr-fuzz-XXXXXX").string();
        if (mkdtemp(t.data()) == nullptr)
            std::abort();
        static const std::string made = t;
        std::atexit([] { std::error_code ec; std::filesystem::remove_all(made, ec); });
        return t;
    }();
    return dir;
}

// Writes the bytes to the file, replacing it.
inline void WriteFile(const std::string& path, const uint8_t* data, size_t size)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr)
        std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size)
        std::abort();
    std::fclose(f);
}

// The source tree's resources, for the targets that open the library's dialogs.
inline std::string SourceResources()
{
    const char* s = std::getenv("VYR_SOURCE_DIR");
    return std::string(s != nullptr && *s != '\0' ? s : VYR_SOURCE_DIR) + "/resources";
}

} // namespace fuzzkit
