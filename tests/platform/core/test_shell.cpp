#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <vyr/stdafx.h>
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {

class ShellTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_savedApp = VyrGetAppFolder();
        VyrSetAppFolder(m_dir.Path().string().c_str());
        vyr::ResetProcessLaunches();
        vyr::ClearFileAssociations();
    }
    void TearDown() override
    {
        VyrSetAppFolder(m_savedApp.c_str());
        vyr::ClearFileAssociations();
    }
    void Touch(const std::string& rel)
    {
        fs::create_directories((m_dir.Path() / rel).parent_path());
        TempDir::WriteBytes((m_dir.Path() / rel).string(), {'x'});
    }

    TempDir m_dir;
    std::string m_savedApp;
};

int Seven() { return 7; }
int Twice(int v) { return 2 * v; }

} // namespace

TEST_F(ShellTest, WinExecRecordsTheCommandAndAnswersByTheProgramsPresence)
{
    const char* line = "\"\\VyrCal.exe\" \"\\Proj\\a.vyr\" \"/t:CT_TIMEANALISIS\"";
    EXPECT_EQ(WinExec(line, SW_SHOWNORMAL), (UINT)ERROR_FILE_NOT_FOUND);
    Touch("VyrCal.exe");
    EXPECT_GT(WinExec(line, SW_SHOWNORMAL), 31u);
    EXPECT_GT(WinExec("\\VyrCal.exe /x", SW_HIDE), 31u); // unquoted: the first word

    auto runs = vyr::ProcessLaunches();
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].program, "\\VyrCal.exe");
    EXPECT_EQ(runs[0].commandLine, line);
    EXPECT_EQ(runs[0].show, SW_SHOWNORMAL);
    EXPECT_FALSE(runs[0].started);
    EXPECT_TRUE(runs[1].started);
    EXPECT_EQ(runs[2].program, "\\VyrCal.exe");
}

TEST_F(ShellTest, AssociationsDecideWhatOpensADocument)
{
    char program[MAX_PATH] = "stale";
    // A missing file is not found before any association is asked.
    EXPECT_EQ((INT_PTR)FindExecutableA("\\Wave\\a.txt", "", program), SE_ERR_FNF);
    EXPECT_STREQ(program, "");
    Touch("Wave/A.TXT");
    EXPECT_EQ((INT_PTR)FindExecutableA("\\Wave\\a.txt", "", program), SE_ERR_NOASSOC);
    vyr::SetFileAssociation("TXT", "\\Tools\\editor.exe");
    EXPECT_GT((INT_PTR)FindExecutableA("\\Wave\\a.txt", nullptr, program), 32);
    EXPECT_STREQ(program, "\\Tools\\editor.exe");
    EXPECT_GT((INT_PTR)FindExecutableA("a.txt", "\\Wave", program), 32); // file in the folder given
    vyr::SetFileAssociation(".txt", "");
    EXPECT_EQ((INT_PTR)FindExecutableA("\\Wave\\a.txt", "", program), SE_ERR_NOASSOC);

    EXPECT_EQ((INT_PTR)ShellExecuteA(nullptr, "open", "\\Tools\\editor.exe", "\"\\Wave\\a.txt\"", "", SW_SHOWNORMAL),
              SE_ERR_FNF);
    Touch("Tools/editor.exe");
    EXPECT_GT((INT_PTR)ShellExecuteA(nullptr, "open", "\\Tools\\editor.exe", "\"\\Wave\\a.txt\"", "", SW_SHOWNORMAL),
              32);
    auto runs = vyr::ProcessLaunches();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].how, "ShellExecute");
    EXPECT_EQ(runs[1].operation, "open");
    EXPECT_EQ(runs[1].program, "\\Tools\\editor.exe");
    EXPECT_EQ(runs[1].commandLine, "\"\\Wave\\a.txt\"");
    EXPECT_TRUE(runs[1].started);
}

TEST(Modules, LoadLookUpAndFreeByFileName)
{
    vyr::RegisterModule("Querport.dll", {{"Seven", (FARPROC)&Seven}, {"Twice", (FARPROC)&Twice}});
    SetLastError(0);
    EXPECT_EQ(LoadLibrary("\\Missing.dll"), nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_MOD_NOT_FOUND);

    HMODULE h = LoadLibrary("Z:\\opt\\app\\QUERPORT.DLL"); // the folder and case do not matter
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(LoadLibraryA("\\Querport.dll"), h);
    EXPECT_EQ(vyr::ModuleLoadCount("querport.dll"), 2);
    auto twice = (int (*)(int))GetProcAddress(h, "Twice");
    ASSERT_NE(twice, nullptr);
    EXPECT_EQ(twice(21), 42);
    EXPECT_EQ(((int (*)())GetProcAddress(h, "Seven"))(), 7);
    EXPECT_EQ(GetProcAddress(h, "twice"), nullptr); // export names are exact
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_PROC_NOT_FOUND);

    EXPECT_TRUE(FreeLibrary(h));
    EXPECT_TRUE(FreeLibrary(h));
    EXPECT_EQ(vyr::ModuleLoadCount("Querport.dll"), 0);
    // Once freed the handle is dead.
    EXPECT_EQ(GetProcAddress(h, "Seven"), nullptr);
    EXPECT_FALSE(FreeLibrary(h));

    // Unregistered while loaded: the loaded copy works until freed, new loads fail.
    h = LoadLibrary("Querport.dll");
    vyr::UnregisterModule("Querport.dll");
    EXPECT_EQ(LoadLibrary("Querport.dll"), nullptr);
    EXPECT_NE(GetProcAddress(h, "Seven"), nullptr);
    EXPECT_TRUE(FreeLibrary(h));
}
