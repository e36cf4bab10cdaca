#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include <vyr/stdafx.h>
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {

// Points the application folder and the drive root into a temp folder for one test.
class PathTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_savedApp = VyrGetAppFolder();
        m_app = m_dir.File("app");
        m_drives = m_dir.File("drives");
        fs::create_directories(m_app);
        fs::create_directories(m_drives);
        VyrSetAppFolder(m_app.c_str());
        VyrSetDriveRoot(m_drives.c_str());
    }
    void TearDown() override
    {
        VyrSetAppFolder(m_savedApp.c_str());
        VyrSetDriveRoot(nullptr);
    }
    void Touch(const std::string& linuxPath, const std::string& text = "x")
    {
        fs::create_directories(fs::path(linuxPath).parent_path());
        TempDir::WriteBytes(linuxPath, std::vector<unsigned char>(text.begin(), text.end()));
    }

    TempDir m_dir;
    std::string m_app, m_drives, m_savedApp;
};

} // namespace

TEST_F(PathTest, MapsWindowsPathsInOnePlace)
{
    struct Case
    {
        const char* in;
        std::string out;
    };
    const Case cases[] = {
        {"\\DataBase\\a.sdb", m_app + "/DataBase/a.sdb"},
        {"\\\\DataBase\\\\a.sdb", m_app + "/DataBase/a.sdb"},
        {"C:\\Proj\\x.sec", m_drives + "/C/Proj/x.sec"},
        {"d:\\Proj\\\\Cal\\", m_drives + "/D/Proj/Cal/"},
        {"C:\\", m_drives + "/C"},
        {"Z:\\tmp\\a b.txt", "/tmp/a b.txt"},
        {"/usr/share/x", "/usr/share/x"},
        {"Cal\\VyrTA.dat", "Cal/VyrTA.dat"},
        {"a.txt", "a.txt"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(VyrMapPath(c.in), c.out) << c.in;
    EXPECT_EQ(VyrMapPath(nullptr), "");
}

TEST_F(PathTest, WindowsFormOfTheAppFolderMapsBack)
{
    std::string win = VyrWindowsPath(m_app.c_str());
    EXPECT_EQ(win.substr(0, 3), "Z:\\");
    EXPECT_EQ(win.find('/'), std::string::npos);
    EXPECT_EQ(VyrMapPath((win + "\\Wave\\DefineI.txt").c_str()), m_app + "/Wave/DefineI.txt");
}

TEST_F(PathTest, ExistingNamesMatchWithoutRegardToCase)
{
    Touch(m_app + "/DataBase/中国型钢截面库.sdb");
    EXPECT_EQ(VyrMapPath("\\database\\中国型钢截面库.SDB"), m_app + "/DataBase/中国型钢截面库.sdb");
    // A new name below an existing folder keeps its own case; the folder is matched.
    EXPECT_EQ(VyrMapPath("\\DATABASE\\New.txt"), m_app + "/DataBase/New.txt");
    // An exact name wins over another case of it.
    Touch(m_app + "/Wave/a.txt");
    Touch(m_app + "/Wave/A.txt");
    EXPECT_EQ(VyrMapPath("\\Wave\\A.txt"), m_app + "/Wave/A.txt");
}

TEST_F(PathTest, FileFunctionsReportWindowsResults)
{
    Touch(m_drives + "/C/p/src.txt", "data");
    EXPECT_TRUE(CopyFile("C:\\p\\src.txt", "C:\\p\\dst.txt", TRUE));
    EXPECT_EQ(TempDir::ReadBytes(m_drives + "/C/p/dst.txt").size(), 4u);
    EXPECT_FALSE(CopyFile("C:\\p\\src.txt", "C:\\p\\dst.txt", TRUE));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_EXISTS);
    EXPECT_TRUE(CopyFileA("C:\\p\\src.txt", "C:\\p\\dst.txt", FALSE)); // overwrite allowed
    EXPECT_TRUE(CopyFile("C:\\p\\src.txt", "C:\\p\\src.txt", FALSE));  // onto itself keeps the data
    EXPECT_EQ(TempDir::ReadBytes(m_drives + "/C/p/src.txt").size(), 4u);
    EXPECT_FALSE(CopyFile("C:\\p\\none.txt", "C:\\p\\x.txt", FALSE));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(CopyFile("C:\\nodir\\none.txt", "C:\\p\\x.txt", FALSE));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_PATH_NOT_FOUND);

    EXPECT_TRUE(CreateDirectory("C:\\p\\Cal", nullptr));
    EXPECT_FALSE(CreateDirectory("C:\\p\\Cal", nullptr));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(CreateDirectory("C:\\q\\r\\s", nullptr)); // one level at a time
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_PATH_NOT_FOUND);

    EXPECT_EQ(GetFileAttributes("C:\\p\\Cal") & FILE_ATTRIBUTE_DIRECTORY, (DWORD)FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributes("C:\\p\\DST.TXT") & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(GetFileAttributes("C:\\p\\gone"), INVALID_FILE_ATTRIBUTES);

    EXPECT_EQ(_access("C:\\p\\dst.txt", 0), 0);
    EXPECT_EQ(_access("C:\\p\\dst.txt", 6), 0);
    EXPECT_EQ(_access("C:\\p\\gone", 0), -1);

    EXPECT_FALSE(DeleteFile("C:\\p\\Cal")); // not a file
    EXPECT_TRUE(MoveFile("C:\\p\\dst.txt", "C:\\p\\Cal\\moved.txt"));
    EXPECT_FALSE(MoveFile("C:\\p\\src.txt", "C:\\p\\Cal\\moved.txt")); // never replaces
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(RemoveDirectory("C:\\p\\Cal")); // not empty
    EXPECT_TRUE(DeleteFileA("C:\\p\\Cal\\moved.txt"));
    EXPECT_FALSE(DeleteFile("C:\\p\\Cal\\moved.txt"));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(RemoveDirectory("C:\\p\\Cal"));
    EXPECT_EQ(GetFileAttributes("C:\\p\\Cal"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(PathTest, RunTimeFileCallsOnWindowsPaths)
{
    FILE* f = VyrFopen("\\Wave\\DefineUser.txt", "wt"); // the folder does not exist yet
    EXPECT_EQ(f, nullptr);
    ASSERT_EQ(_mkdir("\\Wave"), 0);
    f = VyrFopen("\\Wave\\DefineUser.txt", "wt");
    ASSERT_NE(f, nullptr);
    std::fprintf(f, "%d %s\n", 3, "地震波");
    std::fclose(f);
    f = VyrFopen("\\WAVE\\defineuser.TXT", "rt");
    ASSERT_NE(f, nullptr);
    int n = 0;
    char name[64] = {};
    EXPECT_EQ(std::fscanf(f, "%d %63s", &n, name), 2);
    std::fclose(f);
    EXPECT_EQ(n, 3);
    EXPECT_STREQ(name, "地震波");
    EXPECT_EQ(VyrRename("\\Wave\\DefineUser.txt", "\\Wave\\b.txt"), 0);
    EXPECT_EQ(VyrRemove("\\Wave\\b.txt"), 0);
    EXPECT_EQ(_rmdir("\\Wave"), 0);
}

TEST(ModuleFileName, IsAWindowsPathOfTheProgram)
{
    char buf[MAX_PATH];
    DWORD n = GetModuleFileName(nullptr, buf, sizeof buf);
    ASSERT_GT(n, 0u);
    EXPECT_EQ(std::string(buf, 3), "Z:\\");
    EXPECT_TRUE(fs::exists(VyrMapPath(buf)));
    char small[4];
    EXPECT_EQ(GetModuleFileName(nullptr, small, sizeof small), 4u);
    EXPECT_EQ(small[3], '\0');
}

TEST(GlobalMemory, ABlockIsClearedKeepsItsBytesAndIsFreedOnce)
{
    HGLOBAL h = GlobalAlloc(GHND, 16);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalSize(h), 16u);
    auto* p = static_cast<unsigned char*>(GlobalLock(h));
    ASSERT_NE(p, nullptr);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(p[i], 0) << i;
    p[3] = 7;
    EXPECT_FALSE(GlobalUnlock(h)); // no longer locked
    EXPECT_EQ(static_cast<unsigned char*>(GlobalLock(h))[3], 7);
    GlobalUnlock(h);
    EXPECT_EQ(GlobalFree(h), nullptr);
    // A handle freed already, or never given, is refused and handed back.
    EXPECT_EQ(GlobalFree(h), h);
    EXPECT_EQ(GlobalLock(h), nullptr);
    EXPECT_EQ(GlobalSize(h), 0u);
}
