// CReal's tolerance rule, the version records, number texts and the application folder's
// files.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>

#include <vyr/model/output/output.h>
#include <vyr/vyr_version.h>
#include <vyr/winfile.h>

#include "output_test_util.h"

namespace {

struct RealCase
{
    double a, b;
    bool eq, lt, gt;
};

TEST(CReal, ComparisonsFollowTheToleranceRule)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const RealCase cases[] = {
        {0.0, 0.0, true, false, false},
        {0.0, 5e-7, true, false, false},       // absolute tolerance near zero
        {0.0, 2e-6, false, true, false},
        {1e6, 1e6 + 0.5, true, false, false},  // relative tolerance for large values
        {1e6, 1e6 + 2.0, false, true, false},
        {-3.0, -3.0000004, true, false, false},
        {-3.0, -3.1, false, false, true},
        {0.1 + 0.2, 0.3, true, false, false},
        {nan, 1.0, false, false, false},
        {nan, nan, false, false, false},
    };
    for (const RealCase& c : cases) {
        const CReal a(c.a), b(c.b);
        SCOPED_TRACE(testing::Message() << c.a << " vs " << c.b);
        EXPECT_EQ(a == b, c.eq);
        EXPECT_EQ(a < b, c.lt);
        EXPECT_EQ(a > b, c.gt);
        EXPECT_EQ(a <= b, c.lt || c.eq);
        EXPECT_EQ(a >= b, c.gt || c.eq);
        EXPECT_EQ(a != b, c.lt || c.gt);
        EXPECT_EQ(a > c.b, c.gt);
        EXPECT_EQ(a <= c.b, c.lt || c.eq);
    }
}

TEST(CReal, Arithmetic)
{
    CReal a(2.5);
    a += CReal(1.0);
    a -= CReal(0.5);
    EXPECT_DOUBLE_EQ(a.toD(), 3.0);
    EXPECT_DOUBLE_EQ((a - CReal(4.0)).toD(), -1.0);
    a = 7.0;
    EXPECT_DOUBLE_EQ(a.toD(), 7.0);
    CReal b;
    EXPECT_DOUBLE_EQ(b.toD(), 0.0);
    b = a;
    EXPECT_TRUE(b == CReal(7.0));
}

TEST(CVersion, InnerVersionIsTheBuildsVersion)
{
    const CVersion v = CVersionManager::Inst().GetInnerVersion();
    EXPECT_EQ(v.GetVersion(), CString(VYR_VERSION_STRING));
    EXPECT_EQ(&CVersionManager::Inst(), &CVersionManager::Inst());
    CVersionManager copy(CVersionManager::Inst());
    EXPECT_EQ(copy.GetInnerVersion().GetVersion(), CString(VYR_VERSION_STRING));
    EXPECT_EQ(CVersion(2, 1, 0, 7).GetVersion(), CString("2.1.0.7"));
    CVersion w;
    w = CVersion(1, 2, 3, 0);
    EXPECT_EQ(w.GetVersion(), CString("1.2.3"));
}

TEST(CStringFunc, NumberTexts)
{
    const struct
    {
        double v;
        int decimals;
        const char* want;
    } cases[] = {
        {1.2345, 3, "1.234"},   // the nearest double is just below 1.2345
        {1.2355, 2, "1.24"},
        {-0.0004, 3, "0.000"},  // no minus sign on a zero
        {-0.0005001, 3, "-0.001"},
        {12345.6, 0, "12346"},
        {2.5, -1, "2"},         // negative decimals count as none
        {0.1, 20, "0.100000000000000"},
    };
    for (const auto& c : cases) EXPECT_EQ(CStringFunc::GetStrFromDouble(c.v, c.decimals), CString(c.want)) << c.v;
}

TEST(CVyrFunc, AppPathIsTheWindowsFormOfTheApplicationFolder)
{
    const CString path = CVyrFunc::GetAppPath();
    EXPECT_EQ(path.Left(3), CString("Z:\\"));
    EXPECT_NE(path.Right(1), CString("\\"));
    EXPECT_EQ(VyrMapPath(path.GetString()), VyrMapPath(VyrWindowsPath(VyrGetAppFolder().c_str()).c_str()));
    CDocomDo::Inst().m_bFlag = 1;
    EXPECT_EQ(CDocomDo::Inst().m_bFlag, 1);
    EXPECT_EQ(&CDocomDo::Inst(), &CDocomDo::Inst());
}

TEST(CVyrFunc, DatabaseFileComesFromTheApplicationFolderElseTheLibrarysAndIsMissedInBoth)
{
    outtest::TempDir tmp;
    const std::string app = tmp.File("app"), lib = tmp.File("share/vyr"), none = tmp.File("empty");
    for (const std::string& dir : {app, lib, none}) std::filesystem::create_directories(dir + "/DataBase");
    std::ofstream(app + "/DataBase/both.sdb") << "host";
    std::ofstream(lib + "/DataBase/both.sdb") << "shipped";
    std::ofstream(lib + "/DataBase/lib.sdb") << "shipped";
    const auto win = [](const std::string& dir, const char* file) {
        return CString(VyrWindowsPath(dir.c_str())) + "\\DataBase\\" + file;
    };
    const struct
    {
        const char* file;
        std::string app, lib;
        CString want, missing;
    } cases[] = {
        {"both.sdb", app, lib, win(app, "both.sdb"), ""},           // the host's own file wins
        {"lib.sdb", app, lib, win(lib, "lib.sdb"), ""},             // else the library's serves
        {"BOTH.SDB", none, lib, win(lib, "BOTH.SDB"), ""},          // a name in another case, as on Windows
        {"none.sdb", app, lib, win(app, "none.sdb"),
         "找不到文件“" + win(app, "none.sdb") + "”，也找不到“" + win(lib, "none.sdb") + "”。"},
        {"none.sdb", app, "", win(app, "none.sdb"), "找不到文件“" + win(app, "none.sdb") + "”。"},
        {"none.sdb", lib, lib + "/", win(lib, "none.sdb"), "找不到文件“" + win(lib, "none.sdb") + "”。"}, // one folder
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " in " + c.app + " or " + c.lib);
        CString missing = "stale";
        const CString got = CVyrFunc::FindDataBaseFile((std::string("\\DataBase\\") + c.file).c_str(), c.app, c.lib, &missing);
        EXPECT_EQ(got, c.want);
        EXPECT_EQ(missing, c.missing);
    }
}

} // namespace
