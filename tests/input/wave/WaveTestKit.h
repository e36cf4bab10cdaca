// A wave library of the test's own: an application folder in a fresh temporary folder with
// the five classes' record folders, made the application folder for the test's run, and
// removed afterwards; the host kit stands for the application.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/DialogTest.h"
#include "support/TestHost.h"
#include <vyr/shell.h>
#include <vyr/winfile.h>

namespace wavetest {

namespace fs = std::filesystem;

inline CString ItemText(CDialog* d, int id)
{
    CString t;
    d->GetDlgItemText(id, t);
    return t;
}

struct WaveWorld : vyrtest::DialogTest
{
    vyrtest::CTestHost host;
    fs::path app;
    std::string savedApp;

    void SetUp() override
    {
        DialogTest::SetUp();
        std::string t = (fs::temp_directory_path() / "vyr-wave-XXXXXX").string();
        ASSERT_NE(mkdtemp(t.data()), nullptr);
        app = t;
        // Every class present and empty until a test fills it.
        for (const char* c : {"I", "II", "III", "IV", "User"}) {
            fs::create_directories(app / "Wave" / c);
            Write(app / "Wave" / (std::string("Define") + c + ".txt"), "0\n");
        }
        savedApp = VyrGetAppFolder();
        VyrSetAppFolder(app.string().c_str());
        vyr::ResetProcessLaunches();
        vyr::ClearFileAssociations();
    }
    void TearDown() override
    {
        VyrSetAppFolder(savedApp.c_str());
        vyr::ClearFileAssociations();
        vyr::ResetProcessLaunches();
        std::error_code ec;
        fs::remove_all(app, ec);
        DialogTest::TearDown();
    }

    // The application folder as the host hands it to the dialogs.
    CString AppPath() const { return VyrWindowsPath(app.string().c_str()).c_str(); }

    static void Write(const fs::path& file, const std::string& text)
    {
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
    }
    static std::string Read(const fs::path& file)
    {
        std::ifstream in(file, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // A record file: a title, "****", the head ("0.02 12") and count values 1, 2, 3 ...
    static std::string RecordText(const std::string& head, int count, bool marker = true)
    {
        std::string text = "test record ";
        text += marker ? "****\n" : "\n";
        text += head + "\n";
        for (int i = 1; i <= count; ++i)
            text += std::to_string(i) + (i % 10 == 0 ? "\n" : " ");
        return text;
    }
    // A class of the library: its index naming the records, and a record file for each
    // (head "0.02 1": 50 values).
    void MakeClass(const std::string& cls, const std::vector<std::string>& names)
    {
        std::string index = std::to_string(names.size()) + "\n";
        for (const std::string& n : names) {
            index += n + "\n";
            Write(app / "Wave" / cls / (n + ".txt"), RecordText("0.02 1", 50));
        }
        Write(app / "Wave" / ("Define" + cls + ".txt"), index);
    }
};

} // namespace wavetest
