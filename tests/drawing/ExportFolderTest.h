// The frame of the drawing-export tests: a folder of the test's own that the drawings are
// written into, the application folder on the resources (the templates), the build's own
// edition again afterwards, and the files written below a folder.
#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include <vyr/model/base/VyrProduct.h>
#include <vyr/winfile.h>

#include "support/DialogTest.h"

namespace vyrtest {

class ExportFolderTest : public DialogTest
{
protected:
    explicit ExportFolderTest(const char* folder) : m_folder(folder) {}
    void SetUp() override
    {
        DialogTest::SetUp();
        m_prevApp = VyrGetAppFolder();
        VyrSetAppFolder((std::string(VYR_SOURCE_DIR) + "/resources").c_str());
        CVyrProduct::SetOwnEdition();
        m_dir = std::filesystem::temp_directory_path() /
                (m_folder + std::to_string(::getpid()) + "_" + std::to_string(s_counter++));
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override
    {
        CVyrProduct::SetOwnEdition();
        VyrSetAppFolder(m_prevApp.c_str());
        std::filesystem::remove_all(m_dir);
        DialogTest::TearDown();
    }
    // The files below the folder (the test's folder when none is given), relative, sorted.
    std::vector<std::string> Files(const std::filesystem::path& under = {}) const
    {
        const std::filesystem::path root = under.empty() ? m_dir : under;
        std::vector<std::string> out;
        if (std::filesystem::exists(root))
            for (const auto& e : std::filesystem::recursive_directory_iterator(root))
                if (e.is_regular_file())
                    out.push_back(std::filesystem::relative(e.path(), root).string());
        std::sort(out.begin(), out.end());
        return out;
    }

    std::filesystem::path m_dir;

private:
    std::string m_folder;
    std::string m_prevApp;
    static inline int s_counter = 0;
};

} // namespace vyrtest
